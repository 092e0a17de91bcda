// Whole runs of API RP-2A: uniform sand and clay piles whose side resistance and end bearing
// are worked out by hand in the test, the same piles in English and SI units, open and closed
// ends with each plug condition, tension with the self weight, and the end-bearing factor.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"

namespace {

using namespace pass1test;

constexpr double kRel = 0.005; // 0.5 %
constexpr double kKipsToKn = 4.4482216;
constexpr double kPi = 3.14159;

void ExpectClose(double got, double want, const std::string& what)
{
    EXPECT_NEAR(got, want, kRel * std::max(std::fabs(want), 1e-3)) << what;
}

// Uniform dry sand: 120 pcf, phi 30, K 0.8, Nq 20; a 24 in pipe pile, 60 ft embedded, 1 ft
// steps; maximum side friction 9999 (the table's limit) and no maximum end bearing.
TProject SandPile(int units)
{
    TProject p;
    p.units = units;
    p.closedEnd = 1;
    p.od = 24;
    p.id = 22.5;
    p.length = 60;
    p.increment = 1;
    p.lsMethod = 4;
    p.flags = "0 0 0 1 0 0 0 0 0 ";
    TLayer sand;
    sand.bottom = 100;
    sand.type = 1;
    sand.ko = 0.8;
    sand.gamma = 120;
    sand.phi = 30;
    sand.nq = 20;
    sand.fmax = 9999;
    p.layers = {sand};
    if (units == 2) {
        p.od = 609.6;
        p.id = 571.5;
        p.length = 60 * 0.3048;
        p.increment = 0.3048;
        p.layers[0].bottom = 100 * 0.3048;
        p.layers[0].gamma = 120 * 0.157087464;
        p.emod = 29.0e6 * 6.894757;
    }
    return p;
}

// Hand values of the English sand pile (ft, ksf, kips).
struct TSandHand
{
    double c = 0.8 * 0.12 * std::tan(25.0 / 57.2958); // unit friction per ft of depth
    double fLimit = 1.7;                              // table limit at phi 30
    double perimeter = kPi * 2.0;
    double area = 0.7853975 * 4.0; // plugged tip area, ft2
    double qSlope = 20 * 0.12;     // Nq sigma'v per ft
    double qLimit = 100.0;         // table limit at phi 30, ksf

    // Closed form of the side resistance: K sigma' tan(delta) integrated, the limit where it
    // binds.
    double Side(double z, bool limited = true) const
    {
        const double bind = limited ? fLimit / c : 1e30;
        if (z <= bind) {
            return perimeter * c * z * z / 2;
        }
        return perimeter * (fLimit * bind / 2 + fLimit * (z - bind));
    }
    // Integral of the unit end bearing from 0 to x.
    double QIntegral(double x) const
    {
        x = std::max(x, 0.0);
        const double bind = qLimit / qSlope;
        if (x <= bind) {
            return qSlope * x * x / 2;
        }
        return qSlope * bind * bind / 2 + qLimit * (x - bind);
    }
    // Plugged tip: Nq sigma' A with its limit, averaged from 1.5 diameters above to 1.5 below
    // the tip (3 ft each way), nothing above the ground.
    double Tip(double z) const { return area * (QIntegral(z + 3) - QIntegral(z - 3)) / 6.0; }
};

TEST(ApiEndToEnd, UniformSandAgainstTheClosedForm)
{
    const TStateRun run = RunKeepingState(SandPile(1));
    ASSERT_EQ(run.status, 0) << run.report;
    const TMethodResult& r = run.state->RESULTS[kApi];
    ASSERT_TRUE(r.COMPUTED);
    const TSandHand hand;
    // 2 ft: window cut by the ground; 20 ft: below both limits; 40 ft: side limited (from
    // 38 ft), the tip window across the tip limit (41.7 ft); 60 ft: both limited.
    for (int z : {2, 20, 40, 60}) {
        const int j = z + 1;
        const std::string at = "penetration " + std::to_string(z);
        EXPECT_DOUBLE_EQ(r.PENETRATION[j], z);
        ExpectClose(r.SKIN[j], hand.Side(z), "side at " + at);
        ExpectClose(r.TIP[j], hand.Tip(z), "tip at " + at);
        ExpectClose(r.TOTAL[j], hand.Side(z) + hand.Tip(z), "total at " + at);
        EXPECT_EQ(r.MARK[j], kTipPlugged) << at;
    }
    // The report prints the table with the capacity at 60 ft.
    EXPECT_NE(run.report.find("API"), std::string::npos);
    EXPECT_NE(run.plot.find("    60.00"), std::string::npos);
}

TEST(ApiEndToEnd, EnglishAndSiAgree)
{
    const TStateRun en = RunKeepingState(SandPile(1));
    const TStateRun si = RunKeepingState(SandPile(2));
    ASSERT_EQ(en.status, 0);
    ASSERT_EQ(si.status, 0) << si.report;
    const TMethodResult& a = en.state->RESULTS[kApi];
    const TMethodResult& b = si.state->RESULTS[kApi];
    for (int j : {3, 21, 41, 61}) {
        const std::string at = "row " + std::to_string(j);
        ExpectClose(b.SKIN[j] / kKipsToKn, a.SKIN[j], "side " + at);
        ExpectClose(b.TIP[j] / kKipsToKn, a.TIP[j], "tip " + at);
        ExpectClose(b.UNITSKIN[j] / 47.880259, a.UNITSKIN[j], "unit friction " + at);
    }
}

TEST(ApiEndToEnd, UniformClayFollowsTheSegmentRule)
{
    // Clay of 1000 psf (1 ksf), 50 pcf, closed 24 in pile 40 ft. Segment k's unit friction is
    // alpha x su with psi = su / sigma'v at its bottom (0.05 k ksf); a grid point on a segment
    // boundary takes the segment above, the surface point segment 1; trapezoids between
    // points. (The closed-form integral of alpha su over depth differs from this sum by the
    // half-segment shift; the sum is the behaviour.)
    TProject p = SandPile(1);
    p.length = 40;
    TLayer clay;
    clay.bottom = 60;
    clay.type = 2;
    clay.gamma = 50;
    clay.su = 1000;
    clay.sur = 500;
    p.layers = {clay};
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TMethodResult& r = run.state->RESULTS[kApi];

    auto segmentFriction = [](int k) {
        const double psi = 1.0 / (0.05 * k);
        const double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
        return std::min(alpha, 1.0) * 1.0;
    };
    auto gridFriction = [&](int j) {
        return segmentFriction(std::max(j - 1, 1));
    };
    double side = 0;
    for (int j = 2; j <= 41; ++j) {
        side += (gridFriction(j - 1) + gridFriction(j)) / 2 * kPi * 2.0;
        if (j == 11 || j == 21 || j == 41) {
            ExpectClose(r.SKIN[j], side, "side at row " + std::to_string(j));
            ExpectClose(r.UNITSKIN[j],
                        gridFriction(j),
                        "unit friction at row " + std::to_string(j));
            // 9 su over the plugged area, the window wholly in the clay.
            ExpectClose(r.TIP[j], 9.0 * 1.0 * 0.7853975 * 4.0, "tip at row " + std::to_string(j));
        }
    }
}

TEST(ApiEndToEnd, OpenEndWithEachPlugCondition)
{
    const TSandHand hand;
    const double annulus = 0.7853975 * (24.0 * 24.0 - 22.5 * 22.5) / 144.0;
    // Plug friction inside: K sigma' tan(delta) (no limit) over the inside perimeter.
    auto plugFriction = [&](double z) {
        return hand.c * z * z / 2 * kPi * 22.5 / 12.0;
    };
    for (int plug : {0, 1, 2}) {
        TProject p = SandPile(1);
        p.closedEnd = 0;
        p.eid = 22.5;
        p.esl = 200; // the plug acts over the whole penetration
        p.plug = plug;
        const TStateRun run = RunKeepingState(p);
        ASSERT_EQ(run.status, 0) << run.report;
        const TMethodResult& r = run.state->RESULTS[kApi];
        for (int z : {20, 60}) {
            const int j = z + 1;
            const double q = std::min(hand.qSlope * z, hand.qLimit);
            // Unplugged: the annulus bearing and the friction inside, as API RP 2A has it,
            // also where the project declares the pile unplugged.
            const double unplugged = annulus * q + plugFriction(z);
            const double plugged = hand.Tip(z);
            double want = plugged;
            int mark = kTipPlugged;
            if (plug == 2 || (plug == 0 && unplugged <= plugged)) {
                want = unplugged;
                mark = kTipUnplugged;
            }
            const std::string at = "plug " + std::to_string(plug) + " at " + std::to_string(z);
            ExpectClose(r.TIP[j], want, at);
            EXPECT_EQ(r.MARK[j], mark) << at;
        }
    }
}

TEST(ApiEndToEnd, TensionTakesTheSelfWeightAndTheTensionFactor)
{
    TProject p = SandPile(1);
    p.layers[0].fmax = 0; // no limit: the side is 0.7 times the closed form throughout
    p.loadType = 1;
    p.tensionFactor = 0.7;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TMethodResult& r = run.state->RESULTS[kApi];
    const TSandHand hand;
    const double steel = 0.7853975 * (24.0 * 24.0 - 22.5 * 22.5) / 144.0;
    for (int z : {10, 40, 60}) {
        const int j = z + 1;
        ExpectClose(r.SKIN[j], 0.7 * hand.Side(z, false), "side at " + std::to_string(z));
        // No water: the weight of the steel, 0.49 kcf.
        ExpectClose(r.TIP[j], z * steel * 0.49, "self weight at " + std::to_string(z));
        EXPECT_EQ(r.MARK[j], kTipPlugged);
    }
    EXPECT_NE(run.report.find("WEIGHT"), std::string::npos);
}

TEST(ApiEndToEnd, EndBearingFactorOnTheReportAndKeptCopyForLoadSettlement)
{
    const TSandHand hand;
    for (int tzFactor : {0, 1}) {
        TProject p = SandPile(1);
        p.layers[0].rfe = 0.5;
        p.layers[0].rfs = 0.8;
        p.tzFactor = tzFactor;
        const TStateRun run = RunKeepingState(p);
        ASSERT_EQ(run.status, 0) << run.report;
        const TRunState& s = *run.state;
        const TMethodResult& r = s.RESULTS[kApi];
        const int j = 21;
        ExpectClose(r.TIP[j], 0.5 * hand.Tip(20), "reported tip");
        ExpectClose(r.SKIN[j], 0.8 * hand.Side(20), "reported side");
        ExpectClose(r.TOTAL[j], 0.5 * hand.Tip(20) + 0.8 * hand.Side(20), "total");
        const double tzTip = tzFactor == 1 ? 0.5 * hand.Tip(20) : hand.Tip(20);
        const double tzSide = tzFactor == 1 ? 0.8 * hand.Side(20) : hand.Side(20);
        ExpectClose(s.LOADSETINPUT.TIPRESULT[j], tzTip, "hand-over tip");
        ExpectClose(s.LOADSETINPUT.GRIDQS[j], tzSide, "hand-over side");
    }
}

TEST(ApiEndToEnd, LastRowBelowTheLastSegmentTakesTheLastSegment)
{
    // 5 ft steps, 20 ft pile, soil to 24 ft: 4 segments, 5 grid points; the last point's
    // limit and side factor come from segment 4, not from an unfilled segment 5.
    TProject p = SandPile(1);
    p.length = 20;
    p.increment = 5;
    p.layers[0].bottom = 24;
    p.layers[0].fmax = 0;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TSandHand hand;
    ExpectClose(run.state->RESULTS[kApi].SKIN[5], hand.Side(20, false), "side at 20 ft");
}

// The shipped example (layered sand and clay, open pipe) run on a kept state.
std::unique_ptr<TRunState> RunExample(const std::string& units)
{
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines(units)));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt(units));
    WriteNames(dir, "P");
    std::ostringstream console;
    std::istringstream noInput;
    auto state = std::make_unique<TRunState>();
    int status = 0;
    RUNANALYSIS(*state, TestEnvironment(dir, console, noInput), status);
    EXPECT_EQ(status, 0);
    return state;
}

TEST(ApiEndToEnd, LayeredExampleAgreesInEnglishAndSi)
{
    const auto en = RunExample("english");
    const auto si = RunExample("si");
    const TMethodResult& a = en->RESULTS[kApi];
    const TMethodResult& b = si->RESULTS[kApi];
    ASSERT_TRUE(a.COMPUTED);
    ASSERT_TRUE(b.COMPUTED);
    // 75 ft in 1 ft steps; rows from 10 ft down, where the forces are well above rounding.
    for (int j = 11; j <= 76; j += 5) {
        const std::string at = "row " + std::to_string(j);
        ExpectClose(b.SKIN[j] / kKipsToKn, a.SKIN[j], "side " + at);
        ExpectClose(b.TIP[j] / kKipsToKn, a.TIP[j], "tip " + at);
        ExpectClose(b.TOTAL[j] / kKipsToKn, a.TOTAL[j], "total " + at);
        EXPECT_EQ(a.MARK[j], b.MARK[j]) << at;
    }
}

} // namespace
