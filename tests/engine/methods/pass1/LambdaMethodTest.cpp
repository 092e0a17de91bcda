// Revised Lambda over the run state: a uniform clay pile checked by hand, the inner-diameter
// error, Ko written back, and the tension factor.
#include <cmath>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"
#include "state/EngineErrors.h"

namespace {

using namespace pass1test;

constexpr double kHandTolerance = 0.005; // relative, against the hand computation

// Hand computation (Kraft, Focht and Amerasinghe 1981, as the method sums it):
//   A  = 3.14159 x 0.25 x (12^2 - 11^2) = 18.06414 in2 (the annulus: ENDSECTID = ID)
//   S  = E A 0.1 = 29e6 x 18.06414 x 0.1 = 52,386,013 lb
//   P0 = 3.14159 x 12 = 37.69908 in; p = 3.14159 ft
//   sigma'm(z) = 0.05 z / 2 = 0.025 z ksf; su,m = 1.0 ksf; su,m / sigma'm >= 0.4 down to 100 ft,
//   so lambda = 0.232 - 0.032 ln(mu), mu = P0 z^2 su,m 1000 / S.
//   The side resistance grows every increment, so the cumulative is the trial value itself:
//   Q(z) = (2 su,m + sigma'm) lambda p z.
//     z = 10: mu = 0.071964, lambda = 0.316211, Q = 2.25 x 0.316211 x 3.14159 x 10 = 22.352 kips
//     z = 20: mu = 0.287856, lambda = 0.271849, Q = 2.50 x 0.271849 x 3.14159 x 20 = 42.702 kips
//     z = 30: mu = 0.647676, lambda = 0.245900, Q = 2.75 x 0.245900 x 3.14159 x 30 = 63.733 kips
//     z = 40: mu = 1.151424, lambda = 0.227488, Q = 3.00 x 0.227488 x 3.14159 x 40 = 85.761 kips
//   Unit friction of the last increment: (Q(40) - Q(39)) / p, with lambda(39) = 0.232 -
//   0.032 ln(1.094571) = 0.229108 and Q(39) = 2.975 x 0.229108 x 3.14159 x 39 = 83.5105 kips.
TEST(MethodLambda, UniformClayPileAgreesWithTheHandComputation)
{
    auto s = StateBeforeMethods(UniformClayPile());
    RunRoutine(LAMBDA2METHOD, *s);
    const TMethodResult& r = s->RESULTS[kLambda];
    struct TCase
    {
        double z;
        double skin;
    };
    const TCase cases[] = {{10, 22.352}, {20, 42.702}, {30, 63.733}, {40, 85.761}};
    for (const TCase& c : cases) {
        const int j = RowAt(*s, c.z);
        EXPECT_NEAR(r.PENETRATION[j], c.z, 1e-9);
        EXPECT_NEAR(r.SKIN[j], c.skin, c.skin * kHandTolerance) << "z = " << c.z;
        // t-z factor option 0 and side factors 1: the load-transfer value is the same.
        EXPECT_NEAR(r.TZSIDE[j], c.skin, c.skin * kHandTolerance) << "z = " << c.z;
    }
    // At the ground surface mu is 0: no friction and no logarithm of 0.
    EXPECT_EQ(r.SKIN[1], 0.0);
    EXPECT_EQ(r.UNITSKIN[1], 0.0);
    const double f40 = (85.7609 - 83.5105) / 3.14159;
    EXPECT_NEAR(r.UNITSKIN[RowAt(*s, 40)], f40, f40 * 0.01);
}

TEST(MethodLambda, TensionTakesTheFactorOnceOnEveryInterval)
{
    TProject p = UniformClayPile();
    auto compression = StateBeforeMethods(p);
    p.loadType = 1;
    p.tensionFactor = 0.7;
    auto tension = StateBeforeMethods(p);
    RunRoutine(LAMBDA2METHOD, *compression);
    RunRoutine(LAMBDA2METHOD, *tension);
    for (int j = 1; j <= compression->PILEDATA.NGRID; ++j) {
        const double c = compression->RESULTS[kLambda].SKIN[j];
        EXPECT_NEAR(tension->RESULTS[kLambda].SKIN[j], 0.7 * c, 1e-9 * (1 + c)) << "row " << j;
    }
}

TEST(MethodLambda, ZeroKoIsWrittenBackAsOne)
{
    TProject p = UniformClayPile();
    TLayer sand;
    sand.bottom = 10;
    sand.type = 1;
    sand.ko = 0;
    sand.gamma = 60;
    sand.phi = 30;
    sand.nq = 20;
    p.layers.insert(p.layers.begin(), sand);
    auto s = StateBeforeMethods(p);
    RunRoutine(LAMBDA2METHOD, *s);
    EXPECT_EQ(s->SEGDATA.SEGKO[1], 1.0);
    EXPECT_EQ(s->SEGDATA.SEGKO[10], 1.0);
    EXPECT_EQ(s->SEGDATA.SEGKO[11], 1.0); // every zero entry, clay's too
}

// An enhanced end section whose inside diameter equals the outside diameter leaves no steel
// section for the compressibility factor.
TProject NoSteelSection()
{
    TProject p = UniformClayPile();
    p.closedEnd = 0;
    p.esl = 5;
    p.eid = 12;
    return p;
}

constexpr const char* kNoSectionMessage =
    "ERROR - INSIDE DIAMETER OF THE PILE TIP IS NOT SMALLER THAN OUTSIDE DIAMETER.";

TEST(MethodLambda, InnerDiameterNotSmallerThanTheOuterIsAnEngineError)
{
    auto s = StateBeforeMethods(NoSteelSection());
    try {
        RunRoutine(LAMBDA2METHOD, *s);
        FAIL() << "no error";
    } catch (const EEngineInputError& e) {
        EXPECT_STREQ(e.what(), kNoSectionMessage);
    }
}

TEST(MethodLambda, InnerDiameterErrorStopsTheRunWithItsMessage)
{
    const TStateRun run = RunKeepingState(NoSteelSection());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.report, kNoSectionMessage)) << run.report;
    EXPECT_FALSE(Contains(run.report, "NaN"));
    EXPECT_FALSE(Contains(run.report, "nan"));
    EXPECT_TRUE(run.plot.empty());
}

} // namespace
