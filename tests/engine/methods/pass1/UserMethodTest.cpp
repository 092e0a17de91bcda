// The user-specified method over a whole run: a hand sum of the user's values, the method
// running only with a nonzero user value, and tension (side factor only, then the pipeline).
#include <gtest/gtest.h>

#include "Pass1RunSupport.h"

namespace {

using namespace pass1test;

constexpr double kHandTolerance = 0.005; // relative, against the hand computation

// Closed steel pipe, OD 24 in, ID 22.5 in, 40 ft embedded; sand 0..20 ft with user unit skin
// friction 500 psf and unit end bearing 40,000 psf, clay 20..50 ft with 1000 psf and 20,000 psf,
// side reduction factor 0.8 throughout. Unit weights above the submerged threshold: no water.
TProject UserPile()
{
    TProject p;
    p.od = 24;
    p.id = 22.5;
    p.length = 40;
    p.flags = "0 0 0 0 1 0 0 0 0 ";
    p.lsMethod = 5;
    TLayer sand;
    sand.bottom = 20;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 120;
    sand.phi = 30;
    sand.nq = 20;
    sand.userF = 500;
    sand.userQ = 40000;
    sand.rfs = 0.8;
    TLayer clay;
    clay.bottom = 50;
    clay.type = 2;
    clay.gamma = 120;
    clay.su = 1000;
    clay.sur = 500;
    clay.userF = 1000;
    clay.userQ = 20000;
    clay.rfs = 0.8;
    p.layers = {sand, clay};
    return p;
}

// Hand sum: p = 3.14159 x 2 ft = 6.28318 ft; each 1 ft interval adds p f 1 ft x 0.8 with f the
// user value of the segment holding the interval's lower end (a depth on a layer boundary
// belongs to the layer above):
//   z = 10: 10 x 0.5 x 6.28318 x 0.8 = 25.1327 kips
//   z = 20: 20 x 0.5 x 6.28318 x 0.8 = 50.2654
//   z = 30: (20 x 0.5 + 10 x 1.0) x 6.28318 x 0.8 = 100.5309
//   z = 40: (20 x 0.5 + 20 x 1.0) x 6.28318 x 0.8 = 150.7963
// Tip: A = 0.7853975 x 2^2 = 3.14159 ft2 times the user end bearing of the segment holding z:
//   40 ksf down to 20 ft: 125.6636 kips; 20 ksf below: 62.8318 kips (not reduced).
TEST(MethodGeneral, UserValuesAgreeWithTheHandSum)
{
    const TStateRun run = RunKeepingState(UserPile());
    ASSERT_EQ(run.status, 0) << run.report;
    const TRunState& s = *run.state;
    const TMethodResult& r = s.RESULTS[kGeneral];
    ASSERT_TRUE(r.COMPUTED);
    struct TCase
    {
        double z;
        double skin;
        double tip;
    };
    const TCase cases[] = {{0, 0.0, 125.6636},
                           {10, 25.1327, 125.6636},
                           {20, 50.2654, 125.6636},
                           {30, 100.5309, 62.8318},
                           {40, 150.7963, 62.8318}};
    for (const TCase& c : cases) {
        const int j = RowAt(s, c.z);
        EXPECT_NEAR(r.SKIN[j], c.skin, c.skin * kHandTolerance + 1e-9) << "z = " << c.z;
        EXPECT_NEAR(r.TIP[j], c.tip, c.tip * kHandTolerance) << "z = " << c.z;
        EXPECT_NEAR(r.TOTAL[j], c.skin + c.tip, (c.skin + c.tip) * kHandTolerance) << "z = " << c.z;
    }
    EXPECT_NEAR(r.UNITSKIN[RowAt(s, 10)], 0.5, 1e-12);
    EXPECT_NEAR(r.UNITSKIN[RowAt(s, 30)], 1.0, 1e-12);
    EXPECT_TRUE(Contains(run.report, "* GENERAL METHOD *"));
    // The load-settlement method is the user's: its side and tip reach the solver, the side
    // unfactored under the t-z option 0: (20 x 0.5 + 20 x 1.0) x 6.28318 = 188.4954 kips.
    EXPECT_NEAR(s.LOADSETINPUT.GRIDQS[RowAt(s, 40)], 188.4954, 188.4954 * kHandTolerance);
}

// End-bearing factor 0.5 in the clay: the reported tip below 20 ft is 0.5 x 62.8318 =
// 31.4159 kips (the sand above keeps 125.6636); the load-transfer copy stays unreduced with the
// t-z option 0 and takes the reduced value with option 1.
TEST(MethodGeneral, EndBearingFactorReducesTheReportedTip)
{
    for (const int tzFactor : {0, 1}) {
        TProject p = UserPile();
        p.layers[1].rfe = 0.5;
        p.tzFactor = tzFactor;
        const TStateRun run = RunKeepingState(p);
        ASSERT_EQ(run.status, 0) << run.report;
        const TRunState& s = *run.state;
        const TMethodResult& r = s.RESULTS[kGeneral];
        const int sand = RowAt(s, 10);
        const int clay = RowAt(s, 30);
        EXPECT_NEAR(r.TIP[sand], 125.6636, 125.6636 * kHandTolerance);
        EXPECT_NEAR(r.TIP[clay], 31.4159, 31.4159 * kHandTolerance);
        EXPECT_NEAR(r.TOTAL[clay], 100.5309 + 31.4159, 131.9468 * kHandTolerance);
        const double tzTip = tzFactor == 1 ? 31.4159 : 62.8318;
        EXPECT_NEAR(r.TZTIP[clay], tzTip, tzTip * kHandTolerance) << "t-z option " << tzFactor;
    }
}

TEST(MethodGeneral, RunsOnlyWithANonzeroUserValue)
{
    TProject p = UserPile();
    for (TLayer& layer : p.layers) {
        layer.userF = 0;
        layer.userQ = 0;
    }
    const TStateRun none = RunKeepingState(p);
    ASSERT_EQ(none.status, 0) << none.report;
    EXPECT_FALSE(none.state->RESULTS[kGeneral].COMPUTED);
    EXPECT_FALSE(Contains(none.report, "* GENERAL METHOD *"));

    // One nonzero end bearing alone is enough.
    p.layers[1].userQ = 20000;
    const TStateRun one = RunKeepingState(p);
    ASSERT_EQ(one.status, 0) << one.report;
    EXPECT_TRUE(one.state->RESULTS[kGeneral].COMPUTED);
    EXPECT_TRUE(Contains(one.report, "* GENERAL METHOD *"));
}

TEST(MethodGeneral, TensionFactorActsOnTheSideOnly)
{
    TProject p = UserPile();
    const TStateRun compression = RunKeepingState(p);
    p.loadType = 1;
    p.tensionFactor = 0.7;
    const TStateRun tension = RunKeepingState(p);
    ASSERT_EQ(compression.status, 0) << compression.report;
    ASSERT_EQ(tension.status, 0) << tension.report;
    const TMethodResult& c = compression.state->RESULTS[kGeneral];
    const TMethodResult& t = tension.state->RESULTS[kGeneral];
    for (int j = 1; j <= compression.state->PILEDATA.NGRID; ++j) {
        EXPECT_NEAR(t.SKIN[j], 0.7 * c.SKIN[j], 1e-9 * (1 + c.SKIN[j])) << "row " << j;
        EXPECT_NEAR(t.UNITSKIN[j], 0.7 * c.UNITSKIN[j], 1e-12) << "row " << j;
    }
}

} // namespace
