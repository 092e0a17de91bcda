// Load-transfer curves checked at the defining points of their published shapes: API RP 2A-WSD
// t-z (clay, sand) and Q-z, the USACE curves (Mosher 1984 sand stiffness and hyperbola, Coyle and
// Reese 1966 clay ratios, the tip curves), English/SI agreement, and the side resistance slope.
#include "loadtransfer/TzCurves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-12;      // tabled values times a factor
constexpr double kHand = 1e-5;        // relative, against a hand computation to 6 digits
constexpr double kUnitParity = 1e-12; // relative, English against converted SI
constexpr int kApi = 4;               // API RP-2A method code: an API-type curve
constexpr int kUsace = kTzUsaceMethod;
constexpr bool kEnglish = true;
constexpr bool kSi = false;

void ExpectPoint(const TzCurve& c, int p, double z, double t, double tol)
{
    EXPECT_NEAR(c.z[p], z, tol * std::max(1.0, std::abs(z))) << "point " << p;
    EXPECT_NEAR(c.t[p], t, tol * std::max(1.0, std::abs(t))) << "point " << p;
}

void ExpectStartsAtOrigin(const TzCurve& c)
{
    EXPECT_EQ(c.z[1], 0.0);
    EXPECT_EQ(c.t[1], 0.0);
}

// API RP 2A-WSD 6.7.2 clay: t/tmax 0.30 at z/D 0.0016, 1.0 at 0.01, residual 0.9 from 0.02 on.
// D = 24 in, tmax = 10 psi: z = 0.0384, 0.0744, 0.1368, 0.192, 0.24, 0.48, 0.72, 1.2, 4.8 in.
TEST(TzCurves, ApiClayFollowsZOverDiameterWithResidualNineTenths)
{
    const TzCurve c = TzClayCurve(kApi, 10.0, 24.0, kEnglish);
    ExpectStartsAtOrigin(c);
    const std::array<double, 9> z = {0.0384, 0.0744, 0.1368, 0.192, 0.24, 0.48, 0.72, 1.2, 4.8};
    const std::array<double, 9> t = {3.0, 5.0, 7.5, 9.0, 10.0, 9.0, 9.0, 9.0, 9.0};
    for (int i = 0; i < 9; ++i) {
        ExpectPoint(c, i + 2, z[i], t[i], kExact);
    }
}

// API RP 2A-WSD 6.7.2 sand: linear to tmax at 0.1 in, then constant.
TEST(TzCurves, ApiSandReachesPeakAtOneTenthInch)
{
    const TzCurve c = TzSandCurve(kApi, 8.0, 30.0, kEnglish);
    ExpectStartsAtOrigin(c);
    ExpectPoint(c, 2, 0.01, 0.8, kExact);
    ExpectPoint(c, 7, 0.09, 7.2, kExact);
    ExpectPoint(c, 8, 0.10, 8.0, kExact);
    ExpectPoint(c, 10, 2.0, 8.0, kExact);
    // The friction angle plays no part in the API curve.
    const TzCurve other = TzSandCurve(kApi, 8.0, 40.0, kEnglish);
    for (int p = 1; p <= kTzCurvePoints; ++p) {
        EXPECT_EQ(other.t[p], c.t[p]);
    }
}

// API RP 2A-WSD 6.7.3 Q-z: Q/Qp 0.25 at z/D 0.002, 0.5 at 0.013, 0.9 at 0.073, 1.0 at 0.1.
// D = 24 in, Qp = 100000 lb.
TEST(TzCurves, ApiTipReachesQpAtOneTenthDiameter)
{
    for (int soil : {1, 2, 3}) {
        const TzCurve c = TipCurve(kApi, 100000.0, 24.0, soil, 30.0, kEnglish);
        ExpectStartsAtOrigin(c);
        ExpectPoint(c, 2, 0.012, 6250.0, kExact);
        ExpectPoint(c, 4, 0.048, 25000.0, kExact);
        ExpectPoint(c, 5, 0.312, 50000.0, kExact);
        ExpectPoint(c, 7, 1.752, 90000.0, kExact);
        ExpectPoint(c, 8, 2.4, 100000.0, kExact);
        ExpectPoint(c, 10, 4.8, 100000.0, kExact);
    }
}

// Mosher 1984 initial stiffness (psf/in); a band's upper bound belongs to the band below.
TEST(TzCurves, UsaceSandStiffnessBands)
{
    struct Case
    {
        double phi;
        double stiffness;
    };
    const std::array<Case, 13> cases = {{{20.0, 6000.0},
                                         {28.0, 6000.0},
                                         {29.5, 7999.95}, // 6000 + 1333.3 x 1.5
                                         {31.0, 9999.9},
                                         {31.5, 10000.0},
                                         {32.0, 10000.0},
                                         {33.0, 11333.3},
                                         {34.0, 12666.6},
                                         {34.5, 14000.0},
                                         {35.0, 14000.0},
                                         {36.5, 15999.95},
                                         {38.0, 17999.9},
                                         {38.5, 18000.0}}};
    for (const Case& k : cases) {
        EXPECT_NEAR(UsaceSandStiffness(k.phi), k.stiffness, 1e-9) << "phi " << k.phi;
    }
}

// Mosher 1984 hyperbola t = z / (1/E + z/tau) in psf and inches. phi 30: E = 6000 + 2 x 1333.3
// = 8666.6; tmax 5 psi: tau = 720 psf.
//   z 0.01: 0.01 / (1.153856e-4 + 1.388889e-5) = 77.3548 psf = 0.537186 psi
//   z 10:   10 / (1.153856e-4 + 1.388889e-2)   = 714.068 psf = 4.958803 psi
TEST(TzCurves, UsaceSandHyperbolaByHand)
{
    const TzCurve c = TzSandCurve(kUsace, 5.0, 30.0, kEnglish);
    ExpectStartsAtOrigin(c);
    ExpectPoint(c, 2, 0.01, 0.537186, kHand);
    ExpectPoint(c, 10, 10.0, 4.958803, kHand);
    const std::array<double, 9> z = {0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_DOUBLE_EQ(c.z[i + 2], z[i]);
        EXPECT_LT(c.t[i + 2], 5.0); // a hyperbola stays below its asymptote
        EXPECT_GT(c.t[i + 2], c.t[i + 1]);
    }
}

// Coyle and Reese 1966 clay ratios: peak at 0.08 in, 0.93 of the peak from 0.16 in on.
TEST(TzCurves, UsaceClayRatiosOfCoyleAndReese)
{
    const TzCurve c = TzClayCurve(kUsace, 10.0, 24.0, kEnglish);
    ExpectStartsAtOrigin(c);
    const std::array<double, 9> z = {0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
    const std::array<double, 9> t = {1.8, 3.8, 7.9, 9.7, 10.0, 9.7, 9.3, 9.3, 9.3};
    for (int i = 0; i < 9; ++i) {
        ExpectPoint(c, i + 2, z[i], t[i], kExact);
    }
}

// USACE clay tip: Q = 0.5 Qp sqrt(z / (0.01 D)), held at Qp. D = 24 in, Qp = 100000 lb:
//   z 0.0001: 0.5e5 x sqrt(0.0001 / 0.24) = 1020.621
//   z 0.5:    0.5e5 x sqrt(0.5 / 0.24)    = 72168.78
//   z 1.0 > 0.04 D = 0.96 in: Qp
TEST(TzCurves, UsaceClayTipHeldAtQp)
{
    const TzCurve c = TipCurve(kUsace, 100000.0, 24.0, 2, 30.0, kEnglish);
    ExpectStartsAtOrigin(c);
    ExpectPoint(c, 2, 0.0001, 1020.621, kHand);
    ExpectPoint(c, 8, 0.5, 72168.78, kHand);
    ExpectPoint(c, 9, 1.0, 100000.0, kExact);
    ExpectPoint(c, 10, 2.0, 100000.0, kExact);
}

// USACE sand (and silt) tip: Q = Qp (z / (0.05 D))^n, n 0.5 / 0.333 / 0.25 by phi; zref = 1.2 in.
// At z = 0.5 in: (0.5/1.2)^0.5 = 0.645497, ^0.333 = 0.747119, ^0.25 = 0.803428. Beyond zref the
// formula exceeds Qp; the tip load stays at Qp (at 1.0 in for n = 0.5 it is still below:
// sqrt(1/1.2) = 0.912871).
TEST(TzCurves, UsaceSandTipNeverExceedsQp)
{
    struct Case
    {
        double phi;
        int soil;
        double qAtHalfInch;
        double qAtOneInch;
    };
    const std::array<Case, 4> cases = {{{30.0, 1, 64549.72, 91287.09},
                                        {31.0, 3, 64549.72, 91287.09},
                                        {35.0, 1, 74711.88, 94109.32},
                                        {40.0, 1, 80342.84, 95544.28}}};
    for (const Case& k : cases) {
        const TzCurve c = TipCurve(kUsace, 100000.0, 24.0, k.soil, k.phi, kEnglish);
        ExpectStartsAtOrigin(c);
        ExpectPoint(c, 8, 0.5, k.qAtHalfInch, kHand);
        ExpectPoint(c, 9, 1.0, k.qAtOneInch, kHand);
        EXPECT_EQ(c.t[10], 100000.0) << "phi " << k.phi; // 2 in > zref: capped
        for (int p = 1; p <= kTzCurvePoints; ++p) {
            EXPECT_LE(c.t[p], 100000.0) << "phi " << k.phi << " point " << p;
        }
    }
}

// Without resistance every curve is flat zero; the USACE sand hyperbola does not divide by it.
TEST(TzCurves, ZeroResistanceGivesZeroCurves)
{
    for (int method : {kApi, kUsace}) {
        const std::array<TzCurve, 3> curves = {TzSandCurve(method, 0.0, 30.0, kEnglish),
                                               TzClayCurve(method, 0.0, 24.0, kSi),
                                               TipCurve(method, 0.0, 0.6, 1, 30.0, kSi)};
        for (const TzCurve& c : curves) {
            for (int p = 1; p <= kTzCurvePoints; ++p) {
                EXPECT_EQ(c.t[p], 0.0) << "method " << method << " point " << p;
            }
        }
    }
}

// SI curves are the English ones converted: z in m = in / 39.37, t in kPa = psi x 144 / 20.89
// (the hyperbola works in psf both ways), Q scales with Qp.
TEST(TzCurves, SiAgreesWithEnglishAfterConversion)
{
    const double tPsi = 6.0;
    const double tKpa = tPsi * 144.0 / 20.89;
    const double odIn = 24.0;
    const double odM = odIn / 39.37;
    for (int method : {kApi, kUsace}) {
        for (int soil : {1, 2}) {
            const TzCurve e = soil == 1 ? TzSandCurve(method, tPsi, 33.0, kEnglish)
                                        : TzClayCurve(method, tPsi, odIn, kEnglish);
            const TzCurve s = soil == 1 ? TzSandCurve(method, tKpa, 33.0, kSi)
                                        : TzClayCurve(method, tKpa, odM, kSi);
            const TzCurve te = TipCurve(method, 1000.0, odIn, soil, 33.0, kEnglish);
            const TzCurve ts = TipCurve(method, 4.448, odM, soil, 33.0, kSi);
            for (int p = 1; p <= kTzCurvePoints; ++p) {
                EXPECT_NEAR(s.z[p] * 39.37, e.z[p], kUnitParity * e.z[p] + 1e-15);
                EXPECT_NEAR(s.t[p] * 20.89 / 144.0, e.t[p], kUnitParity * e.t[p] + 1e-15);
                EXPECT_NEAR(ts.z[p] * 39.37, te.z[p], kUnitParity * te.z[p] + 1e-15);
                EXPECT_NEAR(ts.t[p] / 4.448, te.t[p] / 1000.0, 1e-12);
            }
        }
    }
}

// Side resistance slope on a 1 ft grid 0..4 ft with cumulative side 0, 2, 5, 9, 14 kips, D 12 in:
//   x 18 in = 1.5 ft, c = 3, central (9 - 2) / 2 = 3.5 kip/ft: 3500 / 12 / 12 / 3.1416 = 7.73668 psi
//   x 6 in, c = 2, Qs(1) = 0, forward (5 - 2) / 1 = 3 kip/ft: 6.63144 psi
//   x 100 in below the grid: last interval (14 - 9) = 5 kip/ft: 11.05240 psi
//   x -3 in above the grid: c = 2 as for x 6 in
TEST(TzCurves, TmaxAtDepthIsTheSlopeOverThePerimeter)
{
    const std::vector<double> depth = {0.0, 1.0, 2.0, 3.0, 4.0};
    const std::vector<double> qs = {0.0, 2.0, 5.0, 9.0, 14.0};
    EXPECT_NEAR(TmaxAtDepth(depth, qs, 18.0, 12.0, kEnglish), 7.73668, kHand * 7.73668);
    EXPECT_NEAR(TmaxAtDepth(depth, qs, 6.0, 12.0, kEnglish), 6.63144, kHand * 6.63144);
    EXPECT_NEAR(TmaxAtDepth(depth, qs, 100.0, 12.0, kEnglish), 11.05240, kHand * 11.0524);
    EXPECT_NEAR(TmaxAtDepth(depth, qs, -3.0, 12.0, kEnglish), 6.63144, kHand * 6.63144);
    // SI: grid 0, 1, 2 m with 0, 10, 25 kN, D 0.5 m, x 0.5 m: forward 15 kN/m / 0.5 / 3.1416
    // = 9.54927 kPa.
    const std::vector<double> depthSi = {0.0, 1.0, 2.0};
    const std::vector<double> qsSi = {0.0, 10.0, 25.0};
    EXPECT_NEAR(TmaxAtDepth(depthSi, qsSi, 0.5, 0.5, kSi), 9.54927, kHand * 9.54927);
}

// Where no slope exists t_max is 0: no grid, one grid point, a repeated grid depth (which would
// otherwise divide by zero and reach before grid point 1), no diameter.
TEST(TzCurves, TmaxAtDepthIsZeroWhereNoCurveApplies)
{
    const std::vector<double> none;
    const std::vector<double> one = {0.0};
    EXPECT_EQ(TmaxAtDepth(none, none, 5.0, 12.0, kEnglish), 0.0);
    EXPECT_EQ(TmaxAtDepth(one, one, 5.0, 12.0, kEnglish), 0.0);
    const std::vector<double> repeated = {0.0, 0.0, 1.0};
    const std::vector<double> qs = {0.0, 3.0, 4.0};
    EXPECT_EQ(TmaxAtDepth(repeated, qs, -0.5, 0.3, kSi), 0.0);
    const std::vector<double> repeatedDeep = {0.0, 1.0, 1.0 + 1e-9};
    EXPECT_EQ(TmaxAtDepth(repeatedDeep, qs, 5.0, 0.3, kSi), 0.0);
    const std::vector<double> depth = {0.0, 1.0, 2.0};
    EXPECT_EQ(TmaxAtDepth(depth, qs, 0.5, 0.0, kSi), 0.0);
}

// Lookup on a curve: linear between points, the end value beyond the last point, the first
// point's value at or before it.
TEST(TzCurves, CurveValueInterpolatesAndHoldsTheEnds)
{
    const TzCurve c = TzSandCurve(kApi, 8.0, 30.0, kEnglish); // (0,0) (0.01,0.8) ... (2,8)
    EXPECT_EQ(TzCurveValue(c, 0.0), 0.0);
    EXPECT_EQ(TzCurveValue(c, -1.0), 0.0);
    EXPECT_NEAR(TzCurveValue(c, 0.005), 0.4, kExact);
    EXPECT_NEAR(TzCurveValue(c, 0.03), 2.4, kExact);
    EXPECT_NEAR(TzCurveValue(c, 0.01), 0.8, kExact);
    EXPECT_EQ(TzCurveValue(c, 50.0), 8.0);
    const TzCurve tip = TipCurve(kApi, 100.0, 6.0, 1, 30.0, kEnglish); // ends at 1.2 in
    EXPECT_EQ(TzCurveValue(tip, 2.0), 100.0);
}

} // namespace
