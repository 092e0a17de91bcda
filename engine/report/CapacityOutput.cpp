#include "report/CapacityOutput.h"

#include <ostream>
#include <string>

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

TFieldLine PlotRow(const TMethodResult& r, int j)
{
    TFieldLine line;
    line.X(2)
        .F(r.PENETRATION[j], 7, 2)
        .X(2)
        .F(r.SKIN[j], 8, 1)
        .X(2)
        .F(r.TIP[j], 8, 1)
        .X(2)
        .F(r.TOTAL[j], 9, 1)
        .X(2)
        .F(r.UNITSKIN[j], 9, 3)
        .NewLine();
    return line;
}

void Put(std::ostream& out, const TFieldLine& line)
{
    out.write(line.Data(), static_cast<std::streamsize>(line.Size()));
}

void Put(TTextBuffer& out, const TFieldLine& line)
{
    out.Append(line.Data(), line.Size());
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
    for (int j : printed) {
        const bool closing = j == nGrid && (j - 1) % s.PILEDATA.PRINTINTERVAL != 0;
        if (!closing) {
            WriteCapacityRow(report, r, j, asteriskForm);
        } else if (methodCode == kLambda) {
            WriteLambdaClosingRow(report, s, j);
        } else if (methodCode != kFhwa && methodCode != kUsace) {
            WriteCapacityRow(report, r, j, asteriskForm);
        }
        Put(plot, PlotRow(r, j));
    }
}

} // namespace

void WritePlotRow(std::ostream& plot, const TMethodResult& r, int j)
{
    Put(plot, PlotRow(r, j));
}

void WriteCapacityRow(std::ostream& report, const TMethodResult& r, int j, bool asteriskForm)
{
    TFieldLine line;
    line.X(11).F(r.PENETRATION[j], 7, 2).X(6).F(r.SKIN[j], 8, 1).X(6).F(r.TIP[j], 8, 1);
    if (asteriskForm && r.MARK[j] == kTipUnplugged) {
        line.T("*").X(3);
    } else {
        line.X(4);
    }
    Put(report, line.F(r.TOTAL[j], 9, 1).NewLine());
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
