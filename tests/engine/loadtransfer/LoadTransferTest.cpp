// The load-transfer sections of a run: curves placed along the pile from the load-settlement
// method's results, the stiffness table, the load-settlement curve and load distribution, the
// verification curves, and their report and plot-data output.
//
// Most checks use the user-specified method with one uniform unit skin friction and end
// bearing, whose side resistance grows linearly with depth, so every curve, load and movement
// can be worked out by hand.

#include "loadtransfer/LoadTransfer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"
#include "loadtransfer/LoadSettlement.h"
#include "state/EngineErrors.h"

namespace {

using namespace pass1test;

constexpr double kUserPi = 3.14159;  // the user method's perimeter constant
constexpr double kEnginePi = 3.1416; // the load-transfer routines' constant
constexpr double kRel = 1e-3;        // relative tolerance on hand figures (rounding of E10.3 aside)
constexpr double kKipToKn = 4.448222; // parity of the two unit systems
constexpr double kInToM = 0.0254;

// A 12 in pipe (ID 11 in) driven 40 ft into one sand layer to 50 ft with user unit skin
// friction 1440 psf and unit end bearing 100000 psf; load-settlement by the user method.
// Hand values: Qs(z) = 3.14159 x 1 ft x 1.44 ksf x z, so t_max = 1440/144 x 3.14159/3.1416
// psi at every depth; Q_p = 0.7853975 ft2 x 100 ksf = 78.53975 kips.
TProject UserSandPile()
{
    TProject p;
    p.od = 12;
    p.id = 11;
    p.length = 40;
    p.increment = 1;
    p.printInterval = 5; // grid points 1, 6, ..., 41: 9 rows
    p.flags = "0 0 0 0 1 0 0 0 0 ";
    p.lsMethod = 5;
    TLayer sand;
    sand.bottom = 50;
    sand.type = 1;
    sand.ko = 1;
    sand.gamma = 60;
    sand.phi = 30;
    sand.nq = 20;
    sand.userF = 1440;
    sand.userQ = 100000;
    p.layers = {sand};
    return p;
}

const double kTmax = 1440.0 / 144.0 * kUserPi / kEnginePi;      // psi
const double kQp = 0.7853975 * 100.0 * 1000.0;                  // lb
const double kSideTotal = kUserPi * 1.0 * 1.44 * 40.0 * 1000.0; // lb, 40 ft embedded

std::vector<std::string> LinesFrom(const std::string& text, const std::string& first)
{
    const std::vector<std::string> all = SplitLines(text);
    auto it = std::find_if(all.begin(), all.end(), [&](const std::string& l) {
        return l.find(first) != std::string::npos;
    });
    return {it, all.end()};
}

std::vector<double> Numbers(const std::string& line)
{
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::vector<double> v;
    for (double x; in >> x;) {
        v.push_back(x);
    }
    return v;
}

// The nine load-settlement rows of the report: top load, top movement, tip load, tip movement.
std::vector<std::vector<double>> LoadSettlementRows(const std::string& report)
{
    const std::vector<std::string> lines = LinesFrom(report, "TOP  LOAD     TOP MOVEMENT");
    std::vector<std::vector<double>> rows;
    for (std::size_t i = 2; i < lines.size() && rows.size() < 9; ++i) {
        rows.push_back(Numbers(lines[i]));
    }
    return rows;
}

// The plot data split into words, read in the order the program reads them; fails the test
// when a section is short or words are left over.
struct TPlotSections
{
    int curves = 0, rows = 0, units = 0, method = 0;
    std::vector<std::vector<double>> capacity;
    std::vector<double> tzDepths;
    std::vector<std::vector<double>> distribution; // depth, load, movement
    std::vector<std::vector<double>> loadSettlement;
    std::vector<int> extraNumbers;
    std::vector<double> extraDepths;
};

TPlotSections ReadPlot(const std::string& plot, bool extraTz)
{
    std::istringstream in(plot);
    in.imbue(std::locale::classic());
    TPlotSections s;
    auto next = [&]() {
        double v = 0;
        EXPECT_TRUE(static_cast<bool>(in >> v)) << "plot data ended early";
        return v;
    };
    s.curves = static_cast<int>(next());
    s.rows = static_cast<int>(next());
    s.units = static_cast<int>(next());
    s.method = static_cast<int>(next());
    for (int i = 0; i < s.curves * s.rows; ++i) {
        std::vector<double> row;
        for (int k = 0; k < 5; ++k) {
            row.push_back(next());
        }
        s.capacity.push_back(row);
    }
    const int tz = static_cast<int>(next());
    for (int c = 0; c < tz; ++c) {
        next();
        next();
        s.tzDepths.push_back(next());
        for (int k = 0; k < 20; ++k) {
            next();
        }
    }
    for (int i = 0; i < 9 * s.rows; ++i) {
        s.distribution.push_back({next(), next(), next()});
    }
    for (int i = 0; i < 9; ++i) {
        s.loadSettlement.push_back({next(), next(), next(), next()});
    }
    if (extraTz) {
        const int count = static_cast<int>(next());
        for (int c = 0; c < count; ++c) {
            s.extraNumbers.push_back(static_cast<int>(next()));
            next();
            s.extraDepths.push_back(next());
            for (int k = 0; k < 20; ++k) {
                next();
            }
        }
    }
    std::string rest;
    EXPECT_FALSE(static_cast<bool>(in >> rest)) << "words left over: " << rest;
    return s;
}

TEST(LoadTransferCurves, PlacedAtTopMiddleAndBottomOfEachLayer)
{
    // Sand 0-20 ft, silt 20-30, a 0.1 ft clay sliver 30-30.1, sand 30.1-50; stick-up 5 ft.
    TProject p = UserSandPile();
    p.stickup = 5;
    p.length = 45;
    TLayer sand = p.layers[0];
    sand.bottom = 20;
    TLayer silt = sand;
    silt.type = 3;
    silt.bottom = 30;
    silt.phi = 26;
    silt.su = 500;
    TLayer sliver = silt;
    sliver.type = 2;
    sliver.bottom = 30.1;
    TLayer deep = sand;
    deep.bottom = 50;
    deep.phi = 36;
    p.layers = {sand, silt, sliver, deep};
    p.increment = 0.1; // keeps the sliver: snapping merges only layers thinner than 0.05 ft
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report.substr(run.report.size() - 400);
    const TCurveData& c = run.state->CURVES;

    struct TCase
    {
        double depthInches; // from the pile head
        int type;
        double phi;
    };
    // Above ground: 0, 30, 59.9 in. Each layer: top x 12, bottom x 12 - 0.5, middle
    // (top + bottom + 1.1) / 2, all + 60 in of stick-up. Pairs between layers (equal depths)
    // and the 0.1 ft sliver get none. Silt gets the clay curve.
    const std::vector<TCase> expected = {
        {0.0, 2, 0.0},
        {30.0, 2, 0.0},
        {59.9, 2, 0.0},
        {60.0, 1, 30.0},
        {60.0 + (0.0 + 239.5 + 1.1) / 2.0, 1, 30.0},
        {60.0 + 239.5, 1, 30.0},
        {60.0 + 240.0, 2, 26.0},
        {60.0 + (240.0 + 359.5 + 1.1) / 2.0, 2, 26.0},
        {60.0 + 359.5, 2, 26.0},
        {60.0 + 361.2, 1, 36.0},
        {60.0 + (361.2 + 599.5 + 1.1) / 2.0, 1, 36.0},
        {60.0 + 599.5, 1, 36.0},
    };
    ASSERT_EQ(c.NCURVES, static_cast<int>(expected.size()));
    for (int k = 1; k <= c.NCURVES; ++k) {
        const TCase& e = expected[static_cast<std::size_t>(k - 1)];
        SCOPED_TRACE("curve " + std::to_string(k));
        EXPECT_NEAR(c.CURVEDEPTH[k], e.depthInches, 1e-9);
        EXPECT_EQ(c.CURVETYPE[k], e.type);
        EXPECT_NEAR(c.CURVEPHI[k], e.phi, 1e-9);
        EXPECT_EQ(c.CURVENO[k], k);
        // Above the ground no resistance; in the soil the user method's uniform t_max.
        EXPECT_NEAR(c.CURVETMAX[k], k <= 3 ? 0.0 : kTmax, 1e-6);
    }
    // API sand shape: t_max at 0.1 in; API clay shape on the 12 in pile: t_max at 0.12 in,
    // 0.9 t_max beyond.
    EXPECT_NEAR(c.CURVE[4].z[8], 0.1, 1e-12);
    EXPECT_NEAR(c.CURVE[4].t[8], kTmax, 1e-9);
    EXPECT_NEAR(c.CURVE[7].z[6], 0.12, 1e-12);
    EXPECT_NEAR(c.CURVE[7].t[6], kTmax, 1e-9);
    EXPECT_NEAR(c.CURVE[7].t[10], 0.9 * kTmax, 1e-9);

    // Only the nine curves in the soil are written, numbered from 1, at their depths below
    // the ground in feet.
    const TPlotSections plot = ReadPlot(run.plot, false);
    const std::vector<double> belowGround =
        {0.0, 10.025, 19.9583, 20.0, 25.025, 29.9583, 30.1, 40.075, 49.9583};
    ASSERT_EQ(plot.tzDepths.size(), belowGround.size());
    for (std::size_t i = 0; i < belowGround.size(); ++i) {
        // Four significant digits in the file.
        EXPECT_NEAR(plot.tzDepths[i], belowGround[i], 5.1e-4 * std::max(1.0, belowGround[i])) << i;
    }
}

TEST(LoadTransferCurves, SiMiddleCurveLiesAtTheMidpoint)
{
    TProject p = UserSandPile();
    p.units = 2;
    p.od = 304.8;
    p.id = 279.4;
    p.emod = 2.0e8;
    p.length = 12;
    p.increment = 0.3;
    p.layers[0].bottom = 15;
    p.layers[0].gamma = 9.4;
    p.layers[0].userF = 68.9;
    p.layers[0].userQ = 4788;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);
    const TCurveData& c = run.state->CURVES;
    ASSERT_EQ(c.NCURVES, 3);
    // Top 0, bottom 15 - 0.1, middle (0 + 14.9 + 0.1) / 2: metres from the head (no stick-up).
    EXPECT_NEAR(c.CURVEDEPTH[1], 0.0, 1e-12);
    EXPECT_NEAR(c.CURVEDEPTH[2], 7.5, 1e-12);
    EXPECT_NEAR(c.CURVEDEPTH[3], 14.9, 1e-12);
    // t_max = slope of Qs (kN/m) / perimeter (m): 68.9 kPa x 3.14159 / 3.1416.
    EXPECT_NEAR(c.CURVETMAX[2], 68.9 * kUserPi / kEnginePi, 1e-6);
    // SI movements in metres: the sand curve reaches t_max at 0.1 in.
    EXPECT_NEAR(c.CURVE[2].z[8], 0.1 / 39.37, 1e-12);
}

TEST(LoadSettlement, RigidPileCarriesTheSumOfItsCurves)
{
    // A stiff pile moves as a block: head load = tip curve at the tip movement + the shaft
    // curves at that movement over the shaft, and the head moves with the tip.
    TProject p = UserSandPile();
    p.emod = 1e12;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);
    const TLoadSettleData& ls = run.state->LOADSET;
    ASSERT_EQ(ls.NLSPOINTS, 9);

    const double perimeter = 12.0 * kEnginePi;
    const double shaft = 480.0 * perimeter; // in2 of shaft per psi
    struct TCase
    {
        int point;
        double tipMove;   // in
        double tipLoad;   // lb, by the API tip curve on D = 12 in
        double shaftUnit; // psi, by the API sand curve at the movement
    };
    const std::vector<TCase> cases = {
        // 0.05 in: z/D 0.004167 between 0.002 (0.25) and 0.013 (0.5); sand 0.4..0.6 -> 0.5.
        {5, 0.05, kQp * (0.25 + 0.25 * (0.05 / 12.0 - 0.002) / 0.011), 0.5 * kTmax},
        // 0.5 in: z/D 0.041667 between 0.013 (0.5) and 0.042 (0.75); sand at its peak.
        {7, 0.5, kQp * (0.5 + 0.25 * (0.5 / 12.0 - 0.013) / 0.029), kTmax},
        // 2 in: z/D 0.1667, the tip curve's plateau.
        {9, 2.0, kQp, kTmax},
    };
    for (const TCase& e : cases) {
        SCOPED_TRACE("tip movement " + std::to_string(e.tipMove));
        EXPECT_NEAR(ls.TIPMOVES[e.point], e.tipMove, 1e-12);
        EXPECT_NEAR(ls.LSTIPLOAD[e.point], e.tipLoad, kRel * e.tipLoad);
        const double head = e.tipLoad + e.shaftUnit * shaft;
        EXPECT_NEAR(ls.LSTOPLOAD[e.point], head, kRel * head);
        EXPECT_NEAR(ls.LSTOPMOVE[e.point], e.tipMove, 1e-4);
    }
    // At 2 in the shaft carries the user method's whole side resistance.
    EXPECT_NEAR(ls.LSTOPLOAD[9], kQp + kSideTotal, kRel * (kQp + kSideTotal));
}

TEST(LoadSettlement, ElasticShorteningOfASaturatedShaft)
{
    // Steel, E 29e6 psi, annulus pi/4 (12^2 - 11^2): at 2 in every shaft curve is at t_max,
    // so P(x) is linear and the head moves 2 in + (Qp L + t p L^2 / 2) / EA exactly.
    const TStateRun run = RunKeepingState(UserSandPile());
    ASSERT_EQ(run.status, 0);
    const TLoadSettleData& ls = run.state->LOADSET;
    const double ea = 29e6 * kEnginePi * 0.25 * (144.0 - 121.0);
    const double length = 480.0;
    const double shortening =
        (kQp * length + kTmax * 12.0 * kEnginePi * length * length / 2.0) / ea;
    EXPECT_NEAR(ls.LSTOPMOVE[9], 2.0 + shortening, 1e-6);
    // The stiffness table the echo's area gives: two rows, head and tip.
    ASSERT_EQ(ls.NEAROWS, 2);
    EXPECT_NEAR(ls.EAVALUE[1], ea, 1e-6 * ea);
    EXPECT_NEAR(ls.EADEPTH[2], 480.0, 1e-9);
}

TEST(LoadSettlement, PrintIntervalChangesTheRowsNotTheCurve)
{
    // A compressible pile (E 1e6 psi): printing every grid point (41 rows) or only the head
    // and the tip (2 rows) gives the same load-settlement curve, and the load distribution
    // at the printed rows' mid-depths.
    TProject fine = UserSandPile();
    fine.emod = 1e6;
    fine.printInterval = 1;
    TProject coarse = fine;
    coarse.printInterval = 40;
    const TStateRun a = RunKeepingState(fine);
    const TStateRun b = RunKeepingState(coarse);
    ASSERT_EQ(a.status, 0);
    ASSERT_EQ(b.status, 0);
    for (int m = 1; m <= 9; ++m) {
        SCOPED_TRACE("point " + std::to_string(m));
        EXPECT_DOUBLE_EQ(b.state->LOADSET.LSTOPLOAD[m], a.state->LOADSET.LSTOPLOAD[m]);
        EXPECT_DOUBLE_EQ(b.state->LOADSET.LSTOPMOVE[m], a.state->LOADSET.LSTOPMOVE[m]);
    }
    const TPlotSections pa = ReadPlot(a.plot, false);
    const TPlotSections pb = ReadPlot(b.plot, false);
    ASSERT_EQ(pa.distribution.size(), 9u * 41u);
    ASSERT_EQ(pb.distribution.size(), 9u * 2u);
    // Coarse rows at 30 ft and 10 ft below the head. The fine rows run tip upward at
    // mid-depths 40 - (k + 0.5) x 40/41 ft: rows 9 and 10 (30.73 and 29.76 ft) hold 30 ft
    // between them, so its load lies between theirs (4 digits in the file).
    for (std::size_t m = 0; m < 9; ++m) {
        EXPECT_NEAR(pb.distribution[2 * m][0], 30.0, 1e-9);
        EXPECT_NEAR(pb.distribution[2 * m + 1][0], 10.0, 1e-9);
        const double deeper = pa.distribution[41 * m + 9][1];
        const double shallower = pa.distribution[41 * m + 10][1];
        EXPECT_GE(pb.distribution[2 * m][1], deeper * (1 - 2e-3)) << m;
        EXPECT_LE(pb.distribution[2 * m][1], shallower * (1 + 2e-3)) << m;
    }
}

TEST(LoadSettlement, StickUpCarriesNoShaftResistance)
{
    // 5 ft above the ground, 40 ft in it: the head load at 2 in is the same as without
    // stick-up, and only the three curves in the soil are written.
    TProject p = UserSandPile();
    p.emod = 1e12;
    p.stickup = 5;
    p.length = 45;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.state->CURVES.NCURVES, 6);
    const TPlotSections plot = ReadPlot(run.plot, false);
    EXPECT_EQ(plot.tzDepths.size(), 3u);
    const double head = kQp + kSideTotal;
    EXPECT_NEAR(run.state->LOADSET.LSTOPLOAD[9], head, 2e-3 * head);
}

TEST(LoadTransferCurves, TopSoilCurveAtAnyStickUpIsWritten)
{
    // 1.3 ft x 12 / 12 - 1.3 is not 0 in binary: the top curve must still count as in the soil.
    for (const double stickup : {1.3, 0.7, 2.9}) {
        SCOPED_TRACE(stickup);
        TProject p = UserSandPile();
        p.stickup = stickup;
        p.length = 40 + stickup;
        const TStateRun run = RunKeepingState(p);
        ASSERT_EQ(run.status, 0);
        const TPlotSections plot = ReadPlot(run.plot, false);
        ASSERT_EQ(plot.tzDepths.size(), 3u);
        EXPECT_EQ(plot.tzDepths[0], 0.0);
        EXPECT_NE(run.report.find("            1         10      0.0000E+00\n"), std::string::npos);
    }
}

TEST(LoadSettlement, EnglishExampleBehavesAsAPile)
{
    std::vector<std::string> lines = ExampleLines("english");
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
    ASSERT_EQ(out.status, 0);
    const TPlotSections plot = ReadPlot(out.plot, false);
    ASSERT_EQ(plot.rows, 16);
    ASSERT_EQ(plot.distribution.size(), 9u * 16u);
    // The head load grows with every tip movement.
    for (std::size_t m = 1; m < 9; ++m) {
        EXPECT_GT(plot.loadSettlement[m][0], plot.loadSettlement[m - 1][0]) << m;
        EXPECT_GT(plot.loadSettlement[m][1], plot.loadSettlement[m - 1][1]) << m;
    }
    // In compression the load decreases from the head to the tip: rows run tip upward.
    for (std::size_t m = 0; m < 9; ++m) {
        for (std::size_t r = 1; r < 16; ++r) {
            const auto& below = plot.distribution[16 * m + r - 1];
            const auto& above = plot.distribution[16 * m + r];
            EXPECT_LT(above[0], below[0]);
            EXPECT_GE(above[1], below[1]) << "movement " << m << " row " << r;
        }
    }
}

TEST(LoadSettlement, HeadLoadNeverExceedsThePeaksOfItsCurves)
{
    // Example pile, API method with clay curves that soften after their peak.
    std::vector<std::string> lines = ExampleLines("english");
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(lines));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("english"));
    WriteNames(dir, "P");
    auto state = std::make_unique<TRunState>();
    std::ostringstream console;
    std::istringstream noInput;
    int status = 0;
    RUNANALYSIS(*state, TestEnvironment(dir, console, noInput), status);
    ASSERT_EQ(status, 0);
    const TRunState& s = *state;
    std::vector<TLoadTransferCurve> curves;
    std::vector<double> movements;
    for (int k = 1; k <= s.CURVES.NCURVES; ++k) {
        TLoadTransferCurve curve;
        curve.depth = s.CURVES.CURVEDEPTH[k];
        for (int i = 1; i <= kTzCurvePoints; ++i) {
            curve.z.push_back(s.CURVES.CURVE[k].z[i]);
            curve.value.push_back(s.CURVES.CURVE[k].t[i]);
            movements.push_back(s.CURVES.CURVE[k].z[i]);
        }
        curves.push_back(curve);
    }
    // t at a depth is piecewise linear in z with corners at the curves' points: its peak is
    // at one of them.
    const int rows = s.PILEDATA.NROWS;
    const double length = (s.PILEDATA.STICKUP + s.PILEDATA.PILELENGTH) * 12.0;
    const double h = length / rows;
    double shaftPeak = 0;
    for (int r = 0; r < rows; ++r) {
        double peak = 0;
        for (double z : movements) {
            peak = std::max(peak, ShaftResistanceAt(curves, (r + 0.5) * h, z));
        }
        shaftPeak += peak * s.PILEDATA.OD * kEnginePi * h;
    }
    double tipPeak = 0;
    for (int i = 1; i <= kTzCurvePoints; ++i) {
        tipPeak = std::max(tipPeak, s.CURVES.QWCURVE.t[i]);
    }
    for (int m = 1; m <= 9; ++m) {
        EXPECT_LE(s.LOADSET.LSTOPLOAD[m], (shaftPeak + tipPeak) * (1 + 1e-12)) << m;
        EXPECT_LE(s.LOADSET.LSTIPLOAD[m], tipPeak * (1 + 1e-12)) << m;
    }
}

TEST(LoadSettlement, HandOverDoesNotDependOnThePrintedTable)
{
    // The example's load-settlement method is API RP-2A; with its table switched off the
    // solver still gets the method's values at every grid point.
    std::vector<std::string> lines = ExampleLines("english");
    TTempDir withTable;
    const TRunOutcome printed = RunProject(withTable, lines, ExampleCpt("english"));
    lines[kLineMethods] = "1 1 1 0 0 1 1 1 1 ";
    TTempDir withoutTable;
    const TRunOutcome unprinted = RunProject(withoutTable, lines, ExampleCpt("english"));
    ASSERT_EQ(printed.status, 0);
    ASSERT_EQ(unprinted.status, 0);
    EXPECT_EQ(printed.report.find("API RP-2A (1994)") == std::string::npos, false);
    EXPECT_EQ(unprinted.report.find("API RP-2A (1994)"), std::string::npos);
    const std::vector<std::string> a = LinesFrom(printed.report, "NOTES:");
    const std::vector<std::string> b = LinesFrom(unprinted.report, "NOTES:");
    EXPECT_EQ(a, b);
}

TEST(LoadSettlement, SiExampleAgreesWithTheEnglishOne)
{
    TTempDir en;
    TTempDir si;
    const TRunOutcome english = RunProject(en, ExampleLines("english"), ExampleCpt("english"));
    const TRunOutcome metric = RunProject(si, ExampleLines("si"), ExampleCpt("si"));
    ASSERT_EQ(english.status, 0);
    ASSERT_EQ(metric.status, 0);
    const std::vector<std::vector<double>> e = LoadSettlementRows(english.report);
    const std::vector<std::vector<double>> m = LoadSettlementRows(metric.report);
    ASSERT_EQ(e.size(), 9u);
    ASSERT_EQ(m.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE("point " + std::to_string(i + 1));
        ASSERT_EQ(e[i].size(), 4u);
        ASSERT_EQ(m[i].size(), 4u);
        EXPECT_NEAR(m[i][0], e[i][0] * kKipToKn, 0.01 * e[i][0] * kKipToKn);
        EXPECT_NEAR(m[i][1], e[i][1] * kInToM, 0.01 * e[i][1] * kInToM);
        EXPECT_NEAR(m[i][2], e[i][2] * kKipToKn, 0.01 * e[i][2] * kKipToKn);
        EXPECT_NEAR(m[i][3], e[i][3] / 39.37, 1e-4 * e[i][3] / 39.37);
    }
}

TEST(LoadSettlementReport, SectionsInOrderWithTheirHeadings)
{
    const TStateRun run = RunKeepingState(UserSandPile());
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> tail = LinesFrom(run.report, "NOTES:");
    // Read line by line against the layout: notes, banner, t-z table, tip table, load
    // versus settlement table.
    const std::vector<std::string> head = {
        "            NOTES:",
        "            - AN ASTERISK IS PLACED IN THE END-BEARING COLUMN",
        "              IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION",
        "              OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.",
        "",
        "",
        "",
        "                *************************************************",
        "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
        "                * CURVES FOR AXIAL LOADING                      *",
        "                *************************************************",
        "",
        "",
        "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
        "           NO.      POINTS        FT.              PSI             IN.",
        "",
        "            1         10      0.0000E+00",
        "                                               0.0000E+00      0.0000E+00",
        "                                               0.1000E+01      0.1000E-01",
    };
    ASSERT_GE(tail.size(), head.size());
    for (std::size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(tail[i], head[i]) << "line " << i;
    }
    const std::vector<std::string> tip = LinesFrom(run.report, "TIP   LOAD        TIP MOVEMENT");
    ASSERT_GE(tip.size(), 13u);
    EXPECT_EQ(tip[0], "        TIP   LOAD        TIP MOVEMENT");
    EXPECT_EQ(tip[1], "            KIP               IN.");
    EXPECT_EQ(tip[2], "");
    EXPECT_EQ(tip[3], "        0.0000E+00         0.0000E+00");
    // Q_p 78.54 kips reached at 0.1 D = 1.2 in.
    EXPECT_EQ(tip[10], "        0.7854E+02         0.1200E+01");
    const std::vector<std::string> ls = LinesFrom(run.report, "LOAD VERSUS SETTLEMENT CURVE");
    ASSERT_GE(ls.size(), 16u);
    EXPECT_EQ(ls[0], "                      LOAD VERSUS SETTLEMENT CURVE");
    EXPECT_EQ(ls[1], "                      ****************************");
    EXPECT_EQ(ls[5], "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT");
    EXPECT_EQ(ls[6], "           KIP             IN.              KIP            IN.");
    // Last row: tip load Q_p at 2 in.
    EXPECT_EQ(ls[15].substr(33, 32), "      0.7854E+02      0.2000E+01");
    EXPECT_EQ(ls.size(), 16u) << "nothing follows without extra t-z depths";
    EXPECT_EQ(run.report.find("NEGATIVE SELF-WEIGHT"), std::string::npos);
}

TEST(LoadSettlementReport, TensionRunCarriesTheBuoyancyNote)
{
    TProject p = UserSandPile();
    p.loadType = 1;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> tail = LinesFrom(run.report, "OF SOIL PLUG INSIDE");
    ASSERT_GE(tail.size(), 6u);
    EXPECT_EQ(tail[1], "");
    EXPECT_EQ(tail[2], "");
    EXPECT_EQ(tail[3], "            - A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE");
    EXPECT_EQ(tail[4], "              BOUYANCY EFFECT.");
    EXPECT_EQ(tail[5], "");
}

TEST(LoadSettlementReport, SiLabels)
{
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, ExampleLines("si"), ExampleCpt("si"));
    ASSERT_EQ(out.status, 0);
    EXPECT_NE(
        out.report.find("           NO.      POINTS        M.               KPA             M. \n"),
        std::string::npos);
    EXPECT_NE(out.report.find("            KN.               M. \n"), std::string::npos);
    EXPECT_NE(out.report.find("           KN.             M.               KN.            M. \n"),
              std::string::npos);
}

TEST(LoadSettlementReport, MethodNotComputedIsSaid)
{
    // The user method chosen for load-settlement, but no user value given: it never runs.
    TProject p = UserSandPile();
    p.flags = "1 0 0 0 0 0 0 0 0 ";
    p.layers[0].userF = 0;
    p.layers[0].userQ = 0;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.report.find("WARNING - THE LOAD-SETTLEMENT METHOD WAS NOT COMPUTED IN THIS RUN"),
              std::string::npos);
    EXPECT_EQ(run.state->LOADSET.LSTOPLOAD[9], 0.0);
}

TEST(VerificationCurves, InvalidDepthsAreReportedAndSkipped)
{
    // Sand 0-20, silt 20-30, sand 30-50 ft; depths 10 (sand), 60 (below the soil), 25 (silt),
    // 0 and 50 (both ends, valid), -1 (above the ground).
    TProject p = UserSandPile();
    TLayer sand = p.layers[0];
    sand.bottom = 20;
    TLayer silt = sand;
    silt.type = 3;
    silt.bottom = 30;
    silt.su = 500;
    silt.phi = 26;
    TLayer deep = sand;
    deep.bottom = 50;
    p.layers = {sand, silt, deep};
    p.tzDepths = {10, 60, 25, 0, 50, -1};
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0);

    const TPlotSections plot = ReadPlot(run.plot, true);
    EXPECT_EQ(plot.extraNumbers, (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(plot.extraDepths, (std::vector<double>{10, 25, 0, 50}));

    const TCurveData& c = run.state->CURVES;
    EXPECT_EQ(c.NCURVES, 6);
    EXPECT_EQ(c.CURVETYPE[1], 1);
    EXPECT_EQ(c.CURVETYPE[3], 2); // silt: the clay curve
    EXPECT_NEAR(c.CURVEPHI[3], 26.0, 1e-9);
    EXPECT_NEAR(c.CURVEDEPTH[3], 300.0, 1e-9); // inches
    EXPECT_NEAR(c.CURVETMAX[1], kTmax, 1e-6);
    // API clay shape on 12 in: first point at 0.0016 D.
    EXPECT_NEAR(c.CURVE[3].z[2], 0.0192, 1e-12);

    const std::vector<std::string> v = LinesFrom(run.report, "* COMPUTE INTERNALLY-GENERATED");
    ASSERT_GE(v.size(), 10u);
    EXPECT_EQ(v[0], "                * COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *");
    EXPECT_EQ(v[1], "                * (t-z) CURVES FOR VERIFICATION                 *");
    EXPECT_EQ(v[5], "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    EXPECT_EQ(v[8], "            1         10      0.1000E+02");
    EXPECT_EQ(v[19],
              "            2         10      0.6000E+02               CURVE NOT PRINTED SINCE "
              "DEPTH OUTSIDE SOIL RANGE");
    EXPECT_EQ(v[20], "            3         10      0.2500E+02");
    EXPECT_NE(run.report.find("            6         10     -0.1000E+01               CURVE NOT"),
              std::string::npos);
}

TEST(StiffnessTable, AreaAsTheEchoPrintsIt)
{
    struct TCase
    {
        const char* name;
        int units;
        int pileType;
        double od, id, emod, constantArea;
        int areaMode;
        double expectedEa;
    };
    const double pi4 = 0.25 * kEnginePi;
    const std::vector<TCase> cases = {
        // Pipe, from the section: a constant area left in the file from another mode is not
        // the pile's area.
        {"pipe section", 1, 1, 24, 22.5, 29e6, 50, 0, pi4 * (576 - 506.25) * 29e6},
        {"constant area", 1, 1, 24, 22.5, 29e6, 50, 1, 50 * 29e6},
        {"constant area not given", 1, 1, 24, 22.5, 29e6, 0, 1, pi4 * (576 - 506.25) * 29e6},
        // Timber: a full circle whatever ID the file holds.
        {"timber", 1, 2, 12, 4, 1.6e6, 0, 0, pi4 * 144 * 1.6e6},
        // SI: mm to m2, kPa.
        {"si pipe", 2, 1, 610, 571.5, 2e8, 0, 0, pi4 * (610.0 * 610.0 - 571.5 * 571.5) / 1e6 * 2e8},
    };
    for (const TCase& e : cases) {
        SCOPED_TRACE(e.name);
        auto state = std::make_unique<TRunState>();
        TRunState& s = *state;
        TPileData& p = s.PILEDATA;
        p.UNITS = e.units;
        p.PILETYPE = e.pileType;
        p.OD = e.od;
        p.ID = e.id;
        p.EMOD = e.emod;
        p.CONSTAREA = e.constantArea;
        p.PILELENGTH = 40;
        p.STICKUP = 2;
        s.AREATABLE.AREAMODE = e.areaMode;
        FillStiffnessTable(s);
        ASSERT_EQ(s.LOADSET.NEAROWS, 2);
        EXPECT_NEAR(s.LOADSET.EAVALUE[1], e.expectedEa, 1e-9 * e.expectedEa);
        EXPECT_NEAR(s.LOADSET.EAVALUE[2], e.expectedEa, 1e-9 * e.expectedEa);
        EXPECT_NEAR(s.LOADSET.EADEPTH[2], e.units == 1 ? 42 * 12 : 42, 1e-9);
    }
}

TEST(StiffnessTable, RowsAlongThePileInDepthOrder)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    s.PILEDATA.UNITS = 1;
    s.PILEDATA.EMOD = 1000;
    s.AREATABLE.AREAMODE = 2;
    s.AREATABLE.AREACOUNT = 3;
    const double rows[3][2] = {{40, 20}, {0, 30}, {20, 25}};
    for (int r = 1; r <= 3; ++r) {
        s.AREATABLE.AREADIST[r] = rows[r - 1][0];
        s.AREATABLE.AREAVALUE[r] = rows[r - 1][1];
    }
    FillStiffnessTable(s);
    ASSERT_EQ(s.LOADSET.NEAROWS, 3);
    EXPECT_DOUBLE_EQ(s.LOADSET.EADEPTH[1], 0);
    EXPECT_DOUBLE_EQ(s.LOADSET.EAVALUE[1], 30000);
    EXPECT_DOUBLE_EQ(s.LOADSET.EADEPTH[2], 240);
    EXPECT_DOUBLE_EQ(s.LOADSET.EAVALUE[2], 25000);
    EXPECT_DOUBLE_EQ(s.LOADSET.EADEPTH[3], 480);

    s.AREATABLE.AREAVALUE[2] = 0;
    EXPECT_THROW(FillStiffnessTable(s), EEngineInputError);
}

TEST(StiffnessTable, NoStiffnessStopsTheRunWithAMessage)
{
    TProject p = UserSandPile();
    p.areaMode = 2;
    p.areaRows = {{0, 18}, {40, 0}};
    const TStateRun run = RunKeepingState(p);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.report.find("ERROR - CROSS SECTION AREA ROW 2 GIVES NO AXIAL STIFFNESS"),
              std::string::npos);
    EXPECT_EQ(run.plot, "");
}

} // namespace
