#include "report/CapacityOutput.h"

#include <cstring>
#include <ostream>
#include <string>
#include <type_traits>

#include "methods/MethodTable.h"
#include "report/FieldFormat.h"

namespace {

void WriteTableHead(std::ostream& out, const TRunState& s, int methodCode)
{
    const TTitleBox& box = MethodOfCode(methodCode)->titleBox;
    out << "\n\n\n"
        << Blanks(box.indent) << Repeat('*', box.stars) << '\n'
        << Blanks(box.indent) << box.title << '\n'
        << Blanks(box.indent) << Repeat('*', box.stars) << '\n'
        << '\n';
    // In tension every table's third column is the pile's self weight, the user-specified
    // method's too (its end bearing does not act in uplift).
    const bool tension = s.PILEDATA.LOADTYPE == 1;
    out << Blanks(10)
        << (tension ? "   PILE       TOTAL SKIN       SELF      ULTIMATE"
                    : "   PILE       TOTAL SKIN       END       ULTIMATE")
        << '\n'
        << Blanks(10)
        << (tension ? "PENETRATION   FRICTION        WEIGHT     CAPACITY"
                    : "PENETRATION   FRICTION       BEARING     CAPACITY")
        << '\n';
    const TUnitLabels& u = s.UNITLABELS;
    out << TRecord()
               .X(10)
               .X(4)
               .T(u.LENGTHLABEL)
               .X(10)
               .T(u.FORCELABEL)
               .X(11)
               .T(u.FORCELABEL)
               .X(10)
               .T(u.FORCELABEL)
               .Str()
        << '\n';
}

// The Revised Lambda table's closing row: FHWA, USACE and Revised Lambda side by side.
void WriteLambdaClosingRow(std::ostream& out, const TRunState& s, int j)
{
    const TMethodResult& lambda = s.RESULTS[kLambda];
    const bool asterisk = lambda.MARK[j] == kTipUnplugged;
    TRecord line;
    line.X(5).F(lambda.PENETRATION[j], 6, 1);
    for (int m : {kFhwa, kUsace, kLambda}) {
        const TMethodResult& r = s.RESULTS[m];
        if (asterisk) {
            line.F(r.SKIN[j], 7, 1).F(r.TIP[j], 7, 1).T("*").F(r.TOTAL[j], 8, 1);
        } else {
            line.F(r.SKIN[j], 7, 1).F(r.TIP[j], 8, 1).F(r.TOTAL[j], 8, 1);
        }
    }
    out << line.Str() << '\n';
}

} // namespace

bool HasUserValues(const TRunState& s)
{
    for (int k = 1; k <= s.PILEDATA.NSEG; ++k) {
        if (s.SEGDATA.SEGUSERF[k] != 0.0 || s.SEGDATA.SEGUSERQ[k] != 0.0) {
            return true;
        }
    }
    return false;
}

void WritePlotHeader(std::ostream& plot, const TRunState& s, int curveCount)
{
    // Integers through to_string: the stream's locale never groups their digits.
    const TPileData& p = s.PILEDATA;
    plot << ' ' + std::to_string(curveCount) + ' ' + std::to_string(p.NROWS) + ' '
                + std::to_string(p.UNITS) + ' ' + std::to_string(p.LSMETHOD) + '\n';
}

namespace {

// A report capacity row: 59 characters and the line's end.
constexpr std::size_t kReportRowLength = 60;

// The plot-data capacity row of grid point j at out; its end.
char* PutPlotRow(char* out, const TMethodResult& r, int j)
{
    out = PutF(PutX(out, 2), r.PENETRATION[j], 7, 2);
    out = PutF(PutX(out, 2), r.SKIN[j], 8, 1);
    out = PutF(PutX(out, 2), r.TIP[j], 8, 1);
    out = PutF(PutX(out, 2), r.TOTAL[j], 9, 1);
    out = PutF(PutX(out, 2), r.UNITSKIN[j], 9, 3);
    *out++ = '\n';
    return out;
}

// The report row shows the penetration, skin friction, end bearing and capacity of the plot row
// in the same formats (F7.2, F8.1, F8.1, F9.1), so it takes their text from the plot row: where
// each stands in the plot row, and how wide it is.
struct TPlotField
{
    std::size_t at;
    std::size_t width;
};
constexpr TPlotField kPlotPenetration{2, 7};
constexpr TPlotField kPlotSkin{11, 8};
constexpr TPlotField kPlotTip{21, 8};
constexpr TPlotField kPlotTotal{31, 9};

char* CopyField(char* out, const char* plotRow, TPlotField field)
{
    std::memcpy(out, plotRow + field.at, field.width);
    return out + field.width;
}

// The report capacity row at out from the plot row of the same grid point; its end.
char* PutCapacityRowFrom(char* out, const char* plotRow, bool asterisk)
{
    out = CopyField(PutX(out, 11), plotRow, kPlotPenetration);
    out = CopyField(PutX(out, 6), plotRow, kPlotSkin);
    out = CopyField(PutX(out, 6), plotRow, kPlotTip);
    if (asterisk) {
        *out++ = '*';
        out = PutX(out, 3);
    } else {
        out = PutX(out, 4);
    }
    out = CopyField(out, plotRow, kPlotTotal);
    *out++ = '\n';
    return out;
}

// A line of at most n characters made by put: in place in the output file behind the stream,
// or through the stream when there is none.
template<std::size_t n, typename TPut>
void WriteLine(std::ostream& out, TOutputFile* file, TPut put)
{
    if (file != nullptr) {
        file->Commit(put(file->Room(n)));
        return;
    }
    char line[n];
    const char* end = put(line);
    out.write(line, end - line);
}

template<std::size_t n, typename TPut>
void WriteLine(TTextBuffer& out, TOutputFile*, TPut put)
{
    out.Commit(put(out.Room(n)));
}

template<typename TPlot>
void WriteTable(std::ostream& report,
                TPlot& plot,
                const TRunState& s,
                int methodCode,
                const std::vector<int>& printed)
{
    const TMethodResult& r = s.RESULTS[methodCode];
    const int nGrid = s.PILEDATA.NGRID;
    const bool asteriskForm = methodCode != kGeneral;
    WriteTableHead(report, s, methodCode);
    TOutputFile* reportFile = TOutputFile::Of(report);
    TOutputFile* plotFile = nullptr;
    if constexpr (std::is_same_v<TPlot, std::ostream>) {
        plotFile = TOutputFile::Of(plot);
    }
    char plotRow[kPlotRowLength];
    const auto capacityRow = [&](int row) {
        const bool asterisk = asteriskForm && r.MARK[row] == kTipUnplugged;
        WriteLine<kReportRowLength>(report, reportFile, [&](char* out) {
            return PutCapacityRowFrom(out, plotRow, asterisk);
        });
    };
    for (int j : printed) {
        PutPlotRow(plotRow, r, j);
        const bool closing = j == nGrid && (j - 1) % s.PILEDATA.PRINTINTERVAL != 0;
        if (!closing) {
            capacityRow(j);
        } else if (methodCode == kLambda) {
            WriteLambdaClosingRow(report, s, j);
        } else if (methodCode != kFhwa && methodCode != kUsace) {
            capacityRow(j);
        }
        WriteLine<kPlotRowLength>(plot, plotFile, [&](char* out) {
            std::memcpy(out, plotRow, kPlotRowLength);
            return out + kPlotRowLength;
        });
    }
}

} // namespace

void WritePlotRow(std::ostream& plot, const TMethodResult& r, int j)
{
    WriteLine<kPlotRowLength>(plot, TOutputFile::Of(plot), [&](char* out) {
        return PutPlotRow(out, r, j);
    });
}

void WriteCapacityTable(std::ostream& report,
                        std::ostream& plot,
                        const TRunState& s,
                        int methodCode,
                        const std::vector<int>& printed)
{
    WriteTable(report, plot, s, methodCode, printed);
}

void WriteCapacityTable(std::ostream& report,
                        TTextBuffer& plot,
                        const TRunState& s,
                        int methodCode,
                        const std::vector<int>& printed)
{
    WriteTable(report, plot, s, methodCode, printed);
}
