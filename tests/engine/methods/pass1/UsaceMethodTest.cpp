// USACE over the run state: a tapered timber pile in sand checked by hand, the critical depth
// of the stress option, silt, and the tension factor at every row.
#include <gtest/gtest.h>

#include "Pass1RunSupport.h"

namespace {

using namespace pass1test;

constexpr double kHandTolerance = 0.005; // relative, against the hand computation

// Side friction held below the critical depth c (EM 1110-2-2906, 4-2a): f = K sigma'v,lim tan
// delta with delta = 0.9 phi = 27 degrees for timber, tan 27 = 0.509525, K = 1.0, on the head
// perimeter 3.14159 ft (the taper plays no part in this method's perimeter). The trapezoidal
// sum on a 1 ft grid is exact for the piecewise-linear friction:
//   Q(z) = p K tan(delta) gamma' z^2 / 2                          for z <= c
//   Q(z) = p K tan(delta) gamma' (c^2 / 2 + c (z - c))            below c.
double HandSide(double z, double gamma, double c)
{
    const double k = 3.14159 * 1.0 * 0.5095252;
    return z <= c ? k * gamma * z * z / 2 : k * gamma * (c * c / 2 + c * (z - c));
}

// Held at 10 diameters = 10 ft (phi 30, the density rule):
//   Q(5) = 1.60070 x 0.06 x 12.5 = 1.2005; Q(10) = 1.60070 x 0.06 x 50 = 4.8022 kips;
//   Q(20) = 4.8022 + 1.60070 x 0.6 x 10 = 14.4065; Q(30) = 24.0108 kips.
TEST(MethodUsace, TaperedTimberPileAgreesWithTheHandComputation)
{
    auto s = StateBeforeMethods(TaperedTimberPile(), 10.0);
    RunRoutine(USACEMETHOD, *s);
    const TMethodResult& r = s->RESULTS[kUsace];
    for (double z : {5.0, 10.0, 20.0, 30.0}) {
        const double skin = HandSide(z, 0.06, 10.0);
        EXPECT_NEAR(r.SKIN[RowAt(*s, z)], skin, skin * kHandTolerance) << "z = " << z;
        EXPECT_NEAR(r.TZSIDE[RowAt(*s, z)], skin, skin * kHandTolerance) << "z = " << z;
    }
    // Unit friction below the critical depth: 1.0 x 0.6 x 0.509525 = 0.305715 ksf.
    EXPECT_NEAR(r.UNITSKIN[RowAt(*s, 25)], 0.305715, 0.305715 * kHandTolerance);
    // The load-transfer pair of a sand segment is its own unit friction at top and bottom:
    // segment 3 (2..3 ft): 0.12 and 0.18 ksf x 0.509525.
    EXPECT_NEAR(s->UNITXFER(2, 5), 0.12 * 0.5095252, 1e-6);
    EXPECT_NEAR(s->UNITXFER(2, 6), 0.18 * 0.5095252, 1e-6);
}

TEST(MethodUsace, StressOptionFindsTheCriticalDepthInSandOnly)
{
    // Clay of 120 pcf to 40 ft passes 3.5 ksf at 30 ft, but only a sand or silt segment counts:
    // the first sand segment (40..41 ft) has a bottom stress of 4.92 ksf, so the critical depth
    // is 41 ft. Option 2 keeps the user's depth.
    TProject p = TaperedTimberPile();
    p.length = 45;
    TLayer clay;
    clay.bottom = 40;
    clay.type = 2;
    clay.gamma = 120;
    clay.su = 2000;
    clay.sur = 1000;
    TLayer sand = p.layers[0];
    sand.bottom = 60;
    sand.gamma = 120;
    p.layers = {clay, sand};
    p.critOption = 1;
    auto byStress = StateBeforeMethods(p);
    RunRoutine(USACEMETHOD, *byStress);
    EXPECT_NEAR(byStress->PILEDATA.CRITDEPTH, 41.0, 1e-9);

    p.critOption = 2;
    p.critDepth = 12.5;
    auto byUser = StateBeforeMethods(p);
    RunRoutine(USACEMETHOD, *byUser);
    EXPECT_EQ(byUser->PILEDATA.CRITDEPTH, 12.5);

    // No sand reaching the threshold: 0, which means no limiting.
    p.critOption = 1;
    p.layers[1].gamma = 10;
    p.layers[0].gamma = 10;
    auto none = StateBeforeMethods(p);
    RunRoutine(USACEMETHOD, *none);
    EXPECT_EQ(none->PILEDATA.CRITDEPTH, 0.0);
}

TEST(MethodUsace, SiltAddsSandAndClayAndTransfersItsOwnFriction)
{
    // Silt with phi 30, Ko 0 (K 1.25 in compression) and su 1.0 ksf (alpha 0.75) on a steel
    // pipe (delta 0.75 phi = 22.5 degrees, tan 0.414214): segment 5 (4..5 ft) at 60 pcf has
    // 0.24 and 0.30 ksf; f = 1.25 x sigma' x 0.414214 + 0.75.
    TProject p = TaperedTimberPile();
    p.pileType = 1;
    p.od = 12;
    p.id = 11;
    p.taper = 0;
    p.layers[0].type = 3;
    p.layers[0].ko = 0;
    p.layers[0].nq = 0;
    p.layers[0].su = 1000;
    p.layers[0].sur = 12; // a silt row holds its blow count here
    auto s = StateBeforeMethods(p);
    RunRoutine(USACEMETHOD, *s);
    const double top = 1.25 * 0.24 * 0.4142136 + 0.75;
    const double bottom = 1.25 * 0.30 * 0.4142136 + 0.75;
    EXPECT_NEAR(s->UNITXFER(2, 9), top, 1e-6);
    EXPECT_NEAR(s->UNITXFER(2, 10), top, 1e-6);
    // Grid row 5 (4 ft) lies at the bottom of segment 4 (3..4 ft): 1.25 x 0.24 x 0.414214 +
    // 0.75; row 6 at 5 ft: the bottom value above.
    EXPECT_NEAR(s->RESULTS[kUsace].UNITSKIN[6], bottom, 1e-6);
}

TEST(MethodUsace, TensionFactorActsOnEveryRowTheFirstIncluded)
{
    // Clay of su 400 psf from the ground surface: alpha 1, f = 0.4 ksf at every row.
    TProject p = TaperedTimberPile();
    p.layers[0].type = 2;
    p.layers[0].ko = 0;
    p.layers[0].phi = 0;
    p.layers[0].nq = 0;
    p.layers[0].su = 400;
    p.layers[0].sur = 200;
    auto compression = StateBeforeMethods(p);
    p.loadType = 1;
    p.tensionFactor = 0.7;
    auto tension = StateBeforeMethods(p);
    RunRoutine(USACEMETHOD, *compression);
    RunRoutine(USACEMETHOD, *tension);
    const TMethodResult& c = compression->RESULTS[kUsace];
    const TMethodResult& t = tension->RESULTS[kUsace];
    EXPECT_NEAR(c.UNITSKIN[1], 0.4, 1e-9);
    for (int j = 1; j <= compression->PILEDATA.NGRID; ++j) {
        EXPECT_NEAR(t.UNITSKIN[j], 0.7 * c.UNITSKIN[j], 1e-9) << "row " << j;
        EXPECT_NEAR(t.SKIN[j], 0.7 * c.SKIN[j], 1e-9 * (1 + c.SKIN[j])) << "row " << j;
    }
    // 30 ft x 3.14159 ft x 0.4 ksf x 0.7 = 26.3894 kips.
    EXPECT_NEAR(t.SKIN[RowAt(*tension, 30)], 26.3894, 26.3894 * kHandTolerance);
}

} // namespace
