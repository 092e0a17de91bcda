// The four pass-1 methods over whole runs with the stress profile and the capacity pipeline:
// hand-checked piles, English and SI parity, tables only for the selected methods, the combined
// closing row, each method's tip in its own record, and the last grid row of a soil profile
// ending less than one increment below the tip.
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"

namespace {

using namespace pass1test;

constexpr double kParityTolerance = 0.005; // relative, after conversion

// Conversion factors English to SI.
constexpr double kM = 0.3048; // ft
constexpr double kMm = 25.4;  // in
constexpr double kKpaPerPsi = 6.894757;
constexpr double kKnm3PerPcf = 0.1570875;
constexpr double kKpaPerPsf = 0.04788026;
constexpr double kKnPerKip = 4.448222;

// Closed steel pipe, OD 18 in, 60 ft embedded: medium sand, stiff clay, dense sand, with user
// unit values in every layer so the user-specified method runs too.
TProject LayeredPile()
{
    TProject p;
    p.od = 18;
    p.id = 17;
    p.length = 60;
    p.flags = "1 1 1 0 1 0 0 0 0 ";
    p.lsMethod = 3;
    TLayer sand;
    sand.bottom = 20;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 110;
    sand.phi = 32;
    sand.nq = 25;
    sand.userF = 300;
    sand.userQ = 30000;
    TLayer clay;
    clay.bottom = 45;
    clay.type = 2;
    clay.gamma = 115;
    clay.su = 1200;
    clay.sur = 600;
    clay.userF = 800;
    clay.userQ = 18000;
    clay.rfs = 0.9;
    TLayer dense = sand;
    dense.bottom = 80;
    dense.ko = 0.8;
    dense.gamma = 125;
    dense.phi = 36;
    dense.nq = 40;
    p.layers = {sand, clay, dense};
    return p;
}

TProject InSi(TProject p)
{
    p.units = 2;
    p.od *= kMm;
    p.id *= kMm;
    p.emod *= kKpaPerPsi;
    p.length *= kM;
    p.stickup *= kM;
    p.esl *= kM;
    p.eid *= kMm;
    p.zeroFriction *= kM;
    p.increment *= kM;
    p.critDepth *= kM;
    for (TLayer& l : p.layers) {
        l.bottom *= kM;
        l.gamma *= kKnm3PerPcf;
        l.su *= kKpaPerPsf;
        l.sur *= kKpaPerPsf;
        l.userF *= kKpaPerPsf;
        l.userQ *= kKpaPerPsf;
        l.fmax *= kKpaPerPsf;
        l.qmax *= kKpaPerPsf;
    }
    return p;
}

void ExpectParity(double english, double si, const std::string& what)
{
    EXPECT_NEAR(si / kKnPerKip, english, std::fabs(english) * kParityTolerance + 1e-6) << what;
}

// The side resistance of every pass-1 method, in compression and in tension, with the stress
// held below 15 diameters (22.5 ft) for USACE.
TEST(Pass1EndToEnd, EnglishAndSiSideResistanceAgree)
{
    for (int load : {0, 1}) {
        TProject english = LayeredPile();
        english.loadType = load;
        english.tensionFactor = load == 1 ? 0.7 : 1.0;
        auto e = StateBeforeMethods(english, 22.5);
        auto si = StateBeforeMethods(InSi(english), 22.5 * kM);
        ASSERT_EQ(e->PILEDATA.NGRID, 61);
        ASSERT_EQ(si->PILEDATA.NGRID, 61);
        for (auto* routine : {GENERALMETHOD, FHWAMETHOD, USACEMETHOD, LAMBDA2METHOD}) {
            RunRoutine(routine, *e);
            RunRoutine(routine, *si);
        }
        for (int m : {kFhwa, kUsace, kLambda, kGeneral}) {
            for (int j : {11, 31, 51, 61}) {
                std::ostringstream what;
                what << "method " << m << ", load " << load << ", row " << j;
                ExpectParity(e->RESULTS[m].SKIN[j], si->RESULTS[m].SKIN[j], what.str());
                EXPECT_GT(e->RESULTS[m].SKIN[j], 0.0) << what.str();
            }
        }
        // The user method's tip (no pipeline in compression): 30 ksf on 1.767 ft2 in sand.
        ExpectParity(e->RESULTS[kGeneral].TIP[11], si->RESULTS[kGeneral].TIP[11], "user tip");
    }
}

// Revised Lambda, uniform clay pile (hand computation in MethodLambdaTest.cpp for the side):
// Q(10) = 22.352, Q(20) = 42.702, Q(30) = 63.733, Q(40) = 85.761 kips. Tip of the closed pile in
// clay: 9 su x 0.7853975 x (1 ft)^2 = 9 x 1.0 x 0.7853975 = 7.0686 kips, the same over the
// averaging window of 1.5 diameters either side of the tip.
TEST(Pass1EndToEnd, UniformClayPileByRevisedLambda)
{
    const TStateRun run = RunKeepingState(UniformClayPile());
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const TMethodResult& r = s.RESULTS[kLambda];
    ASSERT_TRUE(r.COMPUTED);
    const double tip = 9.0 * 1.0 * 0.7853975;
    const double skins[][2] = {{10, 22.352}, {20, 42.702}, {30, 63.733}, {40, 85.761}};
    for (const auto& c : skins) {
        const int j = RowAt(s, c[0]);
        EXPECT_NEAR(r.SKIN[j], c[1], c[1] * kParityTolerance) << "z = " << c[0];
        EXPECT_NEAR(r.TIP[j], tip, tip * kParityTolerance) << "z = " << c[0];
        EXPECT_NEAR(r.TOTAL[j], c[1] + tip, (c[1] + tip) * kParityTolerance) << "z = " << c[0];
    }
    EXPECT_TRUE(Contains(run.report, "*  LAMBDA 2 METHOD   *"));
    EXPECT_FALSE(Contains(run.report, "*  FED. HWY. METHOD  *"));
    // The load-settlement method is Revised Lambda: the solver gets its side and its tip.
    for (int j = 1; j <= s.PILEDATA.NGRID; ++j) {
        EXPECT_EQ(s.LOADSETINPUT.GRIDQS[j], r.TZSIDE[j]) << "row " << j;
        EXPECT_NEAR(s.LOADSETINPUT.TIPRESULT[j], r.TZTIP[j], 1e-9 * (1 + r.TZTIP[j]))
            << "row " << j;
    }
    EXPECT_NEAR(s.LOADSETINPUT.TIPRESULT[RowAt(s, 40)], tip, tip * kParityTolerance);
}

// USACE, tapered timber pile (hand computation of the side in MethodUsaceTest.cpp):
// Q(20) = 14.4065, Q(30) = 24.0108 kips. Tip: phi 30 is below 33, so the end-bearing critical
// depth is 10 diameters + 1 ft = 11 ft, and from there the stress is held at sigma'v,lim =
// 0.6 ksf: q = 0.6 x Nq(30) = 0.6 x 23 = 13.8 ksf. The tip diameter is 1 - 2 tan(0.25 deg) x
// 30 ft = 0.738248 ft, its area 0.7853975 x 0.738248^2 = 0.428050 ft2: 5.9071 kips at 20 and
// 30 ft (the averaging window of 1.5 ft either side lies wholly below 11 ft).
TEST(Pass1EndToEnd, TaperedTimberPileByUsace)
{
    const TStateRun run = RunKeepingState(TaperedTimberPile());
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const TMethodResult& r = s.RESULTS[kUsace];
    ASSERT_TRUE(r.COMPUTED);
    const double tip = 5.907090;
    const double cases[][2] = {{20, 14.4065}, {30, 24.0108}};
    for (const auto& c : cases) {
        const int j = RowAt(s, c[0]);
        EXPECT_NEAR(r.SKIN[j], c[1], c[1] * kParityTolerance) << "z = " << c[0];
        EXPECT_NEAR(r.TIP[j], tip, tip * kParityTolerance) << "z = " << c[0];
        EXPECT_NEAR(r.TOTAL[j], c[1] + tip, (c[1] + tip) * kParityTolerance) << "z = " << c[0];
    }
    EXPECT_TRUE(Contains(run.report, "* ARMY CORPS METHOD  *"));
}

TEST(Pass1EndToEnd, EnglishAndSiCapacitiesAgree)
{
    for (int load : {0, 1}) {
        TProject english = LayeredPile();
        english.loadType = load;
        english.tensionFactor = load == 1 ? 0.7 : 1.0;
        const TStateRun e = RunKeepingState(english);
        const TStateRun si = RunKeepingState(InSi(english));
        ASSERT_EQ(e.status, 0) << e.report;
        ASSERT_EQ(si.status, 0) << si.report;
        ASSERT_EQ(e.state->PILEDATA.NGRID, si.state->PILEDATA.NGRID);
        for (int m : {kFhwa, kUsace, kLambda, kGeneral}) {
            const TMethodResult& a = e.state->RESULTS[m];
            const TMethodResult& b = si.state->RESULTS[m];
            ASSERT_TRUE(a.COMPUTED && b.COMPUTED) << "method " << m;
            for (int j : {11, 31, 51, 61}) {
                std::ostringstream what;
                what << "method " << m << ", load " << load << ", row " << j;
                ExpectParity(a.SKIN[j], b.SKIN[j], what.str() + ", skin");
                ExpectParity(a.TIP[j], b.TIP[j], what.str() + ", tip");
                ExpectParity(a.TOTAL[j], b.TOTAL[j], what.str() + ", total");
            }
        }
    }
}

TEST(Pass1EndToEnd, UnselectedMethodsAreComputedWithoutATable)
{
    TProject p = LayeredPile();
    p.flags = "0 0 0 0 0 0 0 0 0 ";
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    for (int m : {kFhwa, kUsace, kLambda, kGeneral}) {
        EXPECT_TRUE(run.state->RESULTS[m].COMPUTED) << "method " << m;
        EXPECT_GT(run.state->RESULTS[m].TOTAL[61], 0.0) << "method " << m;
    }
    for (const char* title : {"*  FED. HWY. METHOD  *",
                              "* ARMY CORPS METHOD  *",
                              "*  LAMBDA 2 METHOD   *",
                              "* GENERAL METHOD *"}) {
        EXPECT_FALSE(Contains(run.report, title)) << title;
    }
    EXPECT_EQ(SplitLines(run.plot).at(0).substr(0, 3), " 0 ");
}

// The blank-separated numbers of a line.
std::vector<double> Numbers(const std::string& line)
{
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::vector<double> values;
    double v = 0;
    while (in >> v) {
        values.push_back(v);
    }
    return values;
}

TEST(Pass1EndToEnd, TablesInOrderWithTheCombinedClosingRow)
{
    // 61 grid points printed every 7th: 1, 8, ..., 57, and the closing point 61 (60 ft).
    TProject p = LayeredPile();
    p.printInterval = 7;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const std::size_t general = run.report.find("* GENERAL METHOD *");
    const std::size_t fhwa = run.report.find("*  FED. HWY. METHOD  *");
    const std::size_t usace = run.report.find("* ARMY CORPS METHOD  *");
    const std::size_t lambda = run.report.find("*  LAMBDA 2 METHOD   *");
    ASSERT_NE(general, std::string::npos);
    EXPECT_LT(general, fhwa);
    EXPECT_LT(fhwa, usace);
    EXPECT_LT(usace, lambda);

    // The Revised Lambda table ends with one row holding 60.0 ft and FHWA's, USACE's and Revised
    // Lambda's skin, tip and total at 60 ft; the FHWA and USACE tables print no row for 60 ft.
    std::vector<double> closing;
    for (const std::string& line : SplitLines(run.report.substr(lambda))) {
        const std::vector<double> v = Numbers(line);
        if (v.size() == 10 && std::fabs(v[0] - 60.0) < 1e-9) {
            closing = v;
            break;
        }
    }
    ASSERT_EQ(closing.size(), 10u) << run.report.substr(lambda);
    std::size_t at = 1;
    for (int m : {kFhwa, kUsace, kLambda}) {
        const TMethodResult& r = s.RESULTS[m];
        EXPECT_NEAR(closing[at++], r.SKIN[61], 0.051) << "method " << m;
        EXPECT_NEAR(closing[at++], r.TIP[61], 0.051) << "method " << m;
        EXPECT_NEAR(closing[at++], r.TOTAL[61], 0.051) << "method " << m;
    }
    EXPECT_FALSE(Contains(run.report.substr(fhwa, usace - fhwa), "  60.00  "));
    // The plot data carry the four methods with 10 rows each (9 printed points and 60 ft).
    const std::vector<std::string> plot = SplitLines(run.plot);
    EXPECT_EQ(Numbers(plot.at(0)), (std::vector<double>{4, 10, 1, 3}));
    EXPECT_NEAR(Numbers(plot.at(10)).at(0), 60.0, 1e-9); // the user method's last row
    EXPECT_NEAR(Numbers(plot.at(20)).at(0), 60.0, 1e-9); // FHWA's last row
}

TEST(Pass1EndToEnd, EachMethodKeepsItsOwnTip)
{
    // Sand over clay: the FHWA, USACE and Revised Lambda tips in the sand differ, and Lambda's
    // own is Nq sigma'v: 25 x 0.11 x 10 ft = 27.5 ksf on 1.767146 ft2 = 48.597 kips at 10 ft.
    const TStateRun run = RunKeepingState(LayeredPile());
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const int j = RowAt(s, 10);
    EXPECT_NE(s.RESULTS[kLambda].TIP[j], s.RESULTS[kFhwa].TIP[j]);
    EXPECT_NE(s.RESULTS[kLambda].TIP[j], s.RESULTS[kUsace].TIP[j]);
    EXPECT_NEAR(s.RESULTS[kLambda].TIP[j], 48.597, 48.597 * kParityTolerance);
}

TEST(Pass1EndToEnd, UserMethodInTensionTakesTheSelfWeightAsItsTip)
{
    // Closed steel pipe 18 x 17 in: steel area 0.7853975 x (1.5^2 - 1.416667^2) = 0.190896 ft2
    // at 0.49 kcf, no water (unit weights above the submerged threshold): at 30 ft the self
    // weight is 30 x 0.190896 x 0.49 = 2.8062 kips.
    TProject p = LayeredPile();
    p.loadType = 1;
    p.tensionFactor = 0.7;
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TMethodResult& r = run.state->RESULTS[kGeneral];
    const int j = RowAt(*run.state, 30);
    EXPECT_NEAR(r.TIP[j], 2.8062, 2.8062 * kParityTolerance);
    EXPECT_NEAR(r.TOTAL[j], r.SKIN[j] + r.TIP[j], 1e-9 * r.TOTAL[j]);
    // The table says so.
    const std::string table = run.report.substr(run.report.find("* GENERAL METHOD *"));
    EXPECT_TRUE(Contains(table.substr(0, 400), "   PILE       TOTAL SKIN       SELF      ULTIMATE"))
        << table.substr(0, 400);
}

TEST(Pass1EndToEnd, LastGridRowBelowTheLastSegmentReadsNoUnfilledEntry)
{
    // 40 ft in 5 ft increments over soil ending at 42 ft: 8 segments, 9 grid rows; the last row
    // (40 ft) has no segment below it and takes the last segment's limit and factors.
    TProject p;
    p.od = 12;
    p.id = 11;
    p.length = 40;
    p.increment = 5;
    p.flags = "1 1 1 0 1 0 0 0 0 ";
    TLayer clay;
    clay.bottom = 42;
    clay.type = 2;
    clay.gamma = 110;
    clay.su = 1000;
    clay.sur = 500;
    clay.userF = 600;
    clay.userQ = 9000;
    clay.rfs = 0.9;
    p.layers = {clay};
    const TStateRun run = RunKeepingState(p);
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    ASSERT_EQ(s.PILEDATA.NSEG, 8);
    ASSERT_EQ(s.PILEDATA.NGRID, 9);
    // Uniform clay: every 5 ft interval adds the same side resistance in FHWA, USACE and the
    // user method, the last one included.
    for (int m : {kFhwa, kUsace, kGeneral}) {
        const TMethodResult& r = s.RESULTS[m];
        EXPECT_NEAR(r.SKIN[9] - r.SKIN[8], r.SKIN[2] - r.SKIN[1], 1e-9 * (1 + r.SKIN[9]))
            << "method " << m;
    }
    // User method: 40 ft x 3.14159 ft x 0.6 ksf x 0.9 = 67.8583 kips.
    EXPECT_NEAR(s.RESULTS[kGeneral].SKIN[9], 67.8583, 0.001);
    EXPECT_GT(s.RESULTS[kLambda].SKIN[9], s.RESULTS[kLambda].SKIN[8]);
}

} // namespace
