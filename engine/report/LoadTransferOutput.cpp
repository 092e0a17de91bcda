#include "report/LoadTransferOutput.h"

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "loadtransfer/LoadTransfer.h"
#include "report/DateAndUnits.h"
#include "report/FieldFormat.h"
#include "state/Constants.h"

namespace {

bool English(const TRunState& s)
{
    return IsEnglish(s.PILEDATA);
}

void WriteTzHeading(std::ostream& report, const TRunState& s)
{
    const TUnitLabels& u = s.UNITLABELS;
    const bool english = English(s);
    report << Blanks(8) << "T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT\n"
           << TRecord()
                  .X(11)
                  .T("NO.")
                  .X(6)
                  .T("POINTS")
                  .X(8)
                  .T(u.LENGTHLABEL)
                  .X(14)
                  .T(english ? "PSI" : u.STRESSLABEL)
                  .X(13)
                  .T(english ? u.SMALLLENLABEL : u.LENGTHLABEL)
                  .Str()
           << "\n\n";
}

TFieldLine CurveHeader(int number, double depth)
{
    TFieldLine line;
    line.X(8).I(number, 5).I(kTzCurvePoints, 11).E(depth, 16, 4);
    return line;
}

// A curve's block: its header line (as CurveHeader's) and one line per point, of 74 characters
// with its end.
constexpr std::size_t kCurvePointLineLength = 40 + 17 + 16 + 1;
using TCurveBlock = std::array<char, (kTzCurvePoints + 1) * kCurvePointLineLength>;

std::string_view PutCurveBlock(TCurveBlock& block, int number, double depth, const TzCurve& curve)
{
    char* out =
        PutE(PutI(PutI(PutX(block.data(), 8), number, 5), kTzCurvePoints, 11), depth, 16, 4);
    *out++ = '\n';
    for (int i = 1; i <= kTzCurvePoints; ++i) {
        out = PutE(PutE(PutX(out, 40), curve.t[i], 17, 4), curve.z[i], 16, 4);
        *out++ = '\n';
    }
    return {block.data(), static_cast<std::size_t>(out - block.data())};
}

void Write(std::ostream& out, std::string_view text)
{
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteSolverCurves(TRunState& s, TRunIo& io)
{
    WriteTzHeading(io.report, s);
    // The count is the number of blocks that follow, so the reader stays in step.
    int count = 0;
    for (int k = 1; k <= s.CURVES.NCURVES; ++k) {
        count += SolverCurveInSoil(s, k) ? 1 : 0;
    }
    io.plotTail << ' ' << std::to_string(count) << '\n';
    int written = 0;
    TCurveBlock block;
    for (int k = 1; k <= s.CURVES.NCURVES; ++k) {
        if (!SolverCurveInSoil(s, k)) {
            continue;
        }
        ++written;
        const std::string_view text =
            PutCurveBlock(block, written, SolverCurveDepthBelowGround(s, k), s.CURVES.CURVE[k]);
        Write(io.report, text);
        io.plotTail << text;
    }
}

void WriteTipTable(std::ostream& report, const TRunState& s)
{
    const TUnitLabels& u = s.UNITLABELS;
    const bool english = English(s);
    report
        << "\n\n\n"
        << Blanks(8) << "TIP   LOAD" << Blanks(8) << "TIP MOVEMENT\n"
        << TRecord().X(12).T(u.FORCELABEL).X(15).T(english ? u.SMALLLENLABEL : u.LENGTHLABEL).Str()
        << "\n\n";
    const TzCurve& tip = s.CURVES.QWCURVE;
    for (int i = 1; i <= kTzCurvePoints; ++i) {
        const double load = english ? tip.t[i] / kPoundsPerKip : tip.t[i];
        report << TRecord().E(load, 18, 4).E(tip.z[i], 19, 4).Str() << '\n';
    }
}

// Each point's load distribution, in the order of the tip movements and within each from the
// tip upward: depth, load and movement as the plot data carries them.
void WriteLoadDistribution(TRunIo& io, const std::vector<TLoadSettlePoint>& points, bool english)
{
    for (const TLoadSettlePoint& point : points) {
        for (const TLoadDistributionRow& row : WrittenDistributionRows(point, english)) {
            constexpr std::size_t kRowLength = 3 * (3 + 10) + 1;
            char* out = io.plotTail.Room(kRowLength);
            out = PutE(PutX(out, 3), row.depth, 10, 3);
            out = PutE(PutX(out, 3), row.load, 10, 3);
            out = PutE(PutX(out, 3), row.movement, 10, 3);
            *out++ = '\n';
            io.plotTail.Commit(out);
        }
    }
}

void WriteNotes(std::ostream& report, const TRunState& s)
{
    report << "\n\n"
           << Blanks(12) << "NOTES:\n"
           << Blanks(12) << "- AN ASTERISK IS PLACED IN THE END-BEARING COLUMN\n"
           << Blanks(12) << "  IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION\n"
           << Blanks(12) << "  OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.\n"
           << '\n';
    if (s.PILEDATA.LOADTYPE == 1) {
        report << '\n'
               << Blanks(12) << "- A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE\n"
               << Blanks(12) << "  BOUYANCY EFFECT.\n"
               << '\n';
    }
}

void WriteBox(std::ostream& report, const char* first, const char* second)
{
    report << "\n\n"
           << Blanks(16) << Repeat('*', 49) << '\n'
           << Blanks(16) << first << '\n'
           << Blanks(16) << second << '\n'
           << Blanks(16) << Repeat('*', 49) << '\n'
           << "\n\n";
}

void WriteLoadSettlementTable(TRunState& s, TRunIo& io)
{
    const TUnitLabels& u = s.UNITLABELS;
    const bool english = English(s);
    const std::string& move = english ? u.SMALLLENLABEL : u.LENGTHLABEL;
    io.report
        << "\n\n\n"
        << Blanks(22) << "LOAD VERSUS SETTLEMENT CURVE\n"
        << Blanks(22) << Repeat('*', 28) << '\n'
        << "\n\n\n"
        << Blanks(8) << "TOP  LOAD     TOP MOVEMENT       TIP  LOAD " << Blanks(5)
        << "TIP MOVEMENT\n"
        << TRecord().X(11).T(u.FORCELABEL).X(13).T(move).X(14).T(u.FORCELABEL).X(12).T(move).Str()
        << '\n';
    const TLoadSettleData& ls = s.LOADSET;
    const double perForce = english ? kPoundsPerKip : 1.0;
    for (int m = 1; m <= ls.NLSPOINTS; ++m) {
        TFieldLine row;
        row.E(ls.LSTOPLOAD[m] / perForce, 17, 4)
            .E(ls.LSTOPMOVE[m], 16, 4)
            .E(ls.LSTIPLOAD[m] / perForce, 16, 4)
            .E(ls.TIPMOVES[m], 16, 4)
            .NewLine();
        Write(io.report, row.View());
        io.plotTail << row.View();
    }
    if (ls.ITERLIMIT) {
        io.report << '\n' << Blanks(10) << kLoadSettleLimitLine << '\n';
    }
}

} // namespace

void LOADSETTLE(TRunState& s, TRunIo& io, int print)
{
    SETUNITLABELS(s, UnitSystem(s.PILEDATA));
    PlaceSolverCurves(s);
    if (print == 1) {
        WriteSolverCurves(s, io);
    }
    FillStiffnessTable(s);
    FillTipCurve(s);
    if (print == 1) {
        WriteTipTable(io.report, s);
    }
    WriteLoadDistribution(io, LoadSettlementOfRun(s), English(s));
}

void TZVERCURVES(TRunState& s, TRunIo& io, int print)
{
    SETUNITLABELS(s, UnitSystem(s.PILEDATA));
    PlaceVerificationCurves(s);
    if (print != 1) {
        return;
    }
    const TTzDepths& tz = s.TZDEPTHS;
    int validCount = 0;
    for (int k = 1; k <= tz.TZCOUNT; ++k) {
        validCount += VerificationDepthInSoil(s, k) ? 1 : 0;
    }
    WriteTzHeading(io.report, s);
    io.plotTail << ' ' << std::to_string(validCount) << '\n';
    TCurveBlock block;
    for (int k = 1; k <= tz.TZCOUNT; ++k) {
        if (!VerificationDepthInSoil(s, k)) {
            TFieldLine header = CurveHeader(k, tz.TZDEPTH[k]);
            header.X(15).T("CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE").NewLine();
            Write(io.report, header.View());
            continue;
        }
        const std::string_view text = PutCurveBlock(block, k, tz.TZDEPTH[k], s.CURVES.CURVE[k]);
        Write(io.report, text);
        io.plotTail << text;
    }
}

void PRINTLOADSET(TRunState& s, TRunIo& io)
{
    WriteNotes(io.report, s);
    WriteBox(io.report,
             "* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
             "* CURVES FOR AXIAL LOADING                      *");
    if (!s.RESULTS[s.PILEDATA.LSMETHOD].COMPUTED) {
        io.report << Blanks(10)
                  << "WARNING - THE LOAD-SETTLEMENT METHOD WAS NOT COMPUTED IN THIS RUN; ITS "
                     "CURVES CARRY NO RESISTANCE.\n\n";
    }
    LOADSETTLE(s, io, 1);
    WriteLoadSettlementTable(s, io);
}

void TZVERIFY(TRunState& s, TRunIo& io)
{
    WriteBox(io.report,
             "* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
             "* (t-z) CURVES FOR VERIFICATION                 *");
    TZVERCURVES(s, io, 1);
}
