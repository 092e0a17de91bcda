// API RP-2A unit side friction: clay alpha, sand K tan(delta), and the sand limit table,
// against values worked out by hand from API RP 2A-WSD 21st ed., 6.4.2 and 6.4.3.
#include <cmath>

#include <gtest/gtest.h>

#include "methods/offshore/ApiCore.h"

namespace {

constexpr double kTight = 1e-9;
constexpr double kTable = 1e-9;

struct TAlphaCase
{
    double psi;
    double alpha;
};

TEST(MethodApi, ClayAlphaAgainstTheStrengthRatio)
{
    // alpha = 0.5 psi^-0.5 for psi <= 1, 0.5 psi^-0.25 above, never more than 1.
    const TAlphaCase cases[] = {
        {0.1, 1.0},                       // 0.5 / sqrt(0.1) = 1.58 -> 1
        {0.25, 1.0},                      // 0.5 / 0.5 = 1
        {0.5, 0.5 / std::sqrt(0.5)},      // 0.70711
        {1.0, 0.5},                       // square-root branch at psi = 1
        {2.0, 0.5 / std::pow(2.0, 0.25)}, // 0.42045
        {4.0, 0.5 / std::sqrt(2.0)},      // 0.35355
    };
    for (const TAlphaCase& c : cases) {
        // su = psi x sigma'v with sigma'v = 2 ksf.
        EXPECT_NEAR(ApiClayAlpha(c.psi * 2.0, 2.0), c.alpha, kTight) << "psi " << c.psi;
    }
}

TEST(MethodApi, ClayWithoutStrengthOrStressStaysFinite)
{
    // su = 0: psi floored at 1e-10, alpha 1, friction 0. Zero stress: floored, alpha 1.
    EXPECT_DOUBLE_EQ(ApiClayAlpha(0.0, 2.0), 1.0);
    EXPECT_DOUBLE_EQ(ApiClayAlpha(1.0, 0.0), 0.5 / std::pow(1.0 / 1e-10, 0.25));
}

TEST(MethodApi, SandUnitFrictionIsKSigmaTanDelta)
{
    // K 0.8, sigma'v 2 ksf, phi 30: delta 25 degrees, f = 0.8 x 2 x tan 25 = 0.746097.
    EXPECT_NEAR(ApiSandUnitFriction(0.8, 2.0, 30.0), 0.8 * 2.0 * std::tan(25.0 / 57.2958), kTight);
    EXPECT_NEAR(ApiSandUnitFriction(0.8, 2.0, 30.0), 0.74610, 1e-5);
    // delta = phi - 5 is never negative: phi below 5 gives no friction, not a negative one.
    EXPECT_DOUBLE_EQ(ApiSandUnitFriction(0.8, 2.0, 3.0), 0.0);
    EXPECT_DOUBLE_EQ(ApiSandUnitFriction(0.8, 2.0, 0.0), 0.0);
}

struct TLimitCase
{
    double phi;
    double ksf;
    double kpa;
};

TEST(MethodApi, SandFrictionLimitByFrictionAngle)
{
    // English 1.0, 1.4, 1.7, 2.0, 2.4 ksf at 20 .. 40 degrees; SI the same limits at 47.88 kPa
    // per ksf: 47.8, 67.0, 81.3, 95.7, 114.8 kPa; linear between, constant outside.
    const TLimitCase cases[] = {
        {10.0, 1.0, 47.8},
        {20.0, 1.0, 47.8},
        {22.5, 1.2, 57.4},
        {25.0, 1.4, 67.0},
        {30.0, 1.7, 81.3},
        {32.5, 1.85, 88.5},
        {35.0, 2.0, 95.7},
        {37.5, 2.2, 105.25},
        {40.0, 2.4, 114.8},
        {45.0, 2.4, 114.8},
    };
    for (const TLimitCase& c : cases) {
        EXPECT_NEAR(ApiSandFrictionLimit(c.phi, true), c.ksf, kTable) << "phi " << c.phi;
        EXPECT_NEAR(ApiSandFrictionLimit(c.phi, false), c.kpa, kTable) << "phi " << c.phi;
        // The two systems agree within the rounding of the tabled kPa values.
        EXPECT_NEAR(ApiSandFrictionLimit(c.phi, false) / 47.88, c.ksf, 0.002 * c.ksf);
    }
}

} // namespace
