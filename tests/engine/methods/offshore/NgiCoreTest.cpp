// NGI-05 unit side friction and end bearing against values worked by hand from Clausen, Aas &
// Karlsrud (2005) and Karlsrud, Clausen & Aas (2005). SI units: pa = 100 kPa, diameters in mm.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "OffshoreTestSupport.h"
#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;
using OffshoreTest::ExpectRel;

Pile ClosedSteelPile(Load load = Load::Compression)
{
    Pile p;
    p.od = 1000.0;
    p.endSectId = 0.0;
    p.length = 20.0;
    p.pileType = 1;
    p.load = load;
    return p;
}

struct NgiSandCase
{
    std::string name;
    Pile pile;
    Segment seg;
    double qc;
    double expectedTop;
    double expectedBottom;
};

class OffshoreNgiSand : public ::testing::TestWithParam<NgiSandCase>
{};

TEST_P(OffshoreNgiSand, UnitSideFriction)
{
    const NgiSandCase& c = GetParam();
    const NgiSandResult r = NgiSandFriction(c.pile, c.seg, c.qc, kSI);
    ExpectRel(r.friction.top, c.expectedTop, c.name + " top");
    ExpectRel(r.friction.bottom, c.expectedBottom, c.name + " bottom");
    // The load-transfer pair of a sand segment is its friction pair.
    EXPECT_EQ(r.transfer.top, r.friction.top);
    EXPECT_EQ(r.transfer.bottom, r.friction.bottom);
}

Pile OpenTimberPileInTension()
{
    Pile p = ClosedSteelPile(Load::Tension);
    p.endSectId = 900.0;
    p.pileType = 2;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreNgiSand,
    ::testing::Values(
        // qc 10 MPa, sigma' 100 kPa, closed steel pile in compression, z/L = 10/20 = 0.5:
        // Dr = 0.4 ln(10000 / (22 sqrt(100 x 100))) = 0.4 ln(4.545454) = 0.6056510931
        // F_Dr = 2.1 x 0.5056510931^1.7 = 0.6588186888; F_sig = 1; F_tip 1.6; F_load 1.3; F_mat 1
        // f = 0.5 x 100 x 0.6588186888 x 1.6 x 1.3 = 68.51714364
        NgiSandCase{"closed compression",
                    ClosedSteelPile(),
                    {10.0, {100.0, 100.0}},
                    10000.0,
                    68.51714364,
                    68.51714364},
        // Open timber pile in tension: F_tip 1.0, F_load 1.0, F_mat 1.2.
        // top, sigma' 50: Dr = 0.4 ln(10000 / (22 sqrt(5000))) = 0.7442805292,
        //   F_Dr = 2.1 x 0.6442805292^1.7 = 0.9945962241, F_sig = 0.5^0.25 = 0.8408964153,
        //   f = 0.5 x 100 x 0.9945962241 x 0.8408964153 x 1.2 = 50.18114397
        // bottom, sigma' 100: f = 0.5 x 100 x 0.6588186888 x 1.2 = 39.52912133
        NgiSandCase{"open timber tension",
                    OpenTimberPileInTension(),
                    {10.0, {50.0, 100.0}},
                    10000.0,
                    50.18114397,
                    39.52912133},
        // qc 100 kPa is below 22 sqrt(sigma' pa) = 2200: Dr takes its floor 0.200001,
        // F_Dr = 2.1 x 0.100001^1.7 = 0.04190122093; f = 0.5 x 100 x F_Dr x 1.6 x 1.3 = 4.357726976
        NgiSandCase{"relative density floor",
                    ClosedSteelPile(),
                    {10.0, {100.0, 100.0}},
                    100.0,
                    4.357726976,
                    4.357726976},
        // No cone resistance at all: the floor again, never a logarithm of 0.
        NgiSandCase{"qc zero",
                    ClosedSteelPile(),
                    {10.0, {100.0, 100.0}},
                    0.0,
                    4.357726976,
                    4.357726976},
        // At the ground surface z/L = 0 and sigma' = 0: no friction at either end.
        NgiSandCase{"ground surface", ClosedSteelPile(), {0.0, {0.0, 10.0}}, 10000.0, 0.0, 0.0}),
    OffshoreTest::CaseName());

TEST(OffshoreNgi, RelativeDensityIsReported)
{
    const NgiSandResult r = NgiSandFriction(ClosedSteelPile(), {10.0, {50.0, 100.0}}, 10000.0, kSI);
    ExpectRel(r.relativeDensity.top, 0.7442805292, "Dr top");
    ExpectRel(r.relativeDensity.bottom, 0.6056510931, "Dr bottom");
}

TEST(OffshoreNgi, EndBearingClosedOpenAndPlugged)
{
    // qc 10 MPa, sigma' 100 kPa: Dr = 0.6056510931, Dr^2 = 0.3668132465.
    // closed: 0.8 x 10000 / 1.3668132465 = 5853.030778
    // open:   0.7 x 10000 / (1 + 3 x 0.3668132465) = 3332.63548 (plugged or not)
    Pile closed = ClosedSteelPile();
    ExpectRel(NgiEndBearing(closed, 10000.0, 100.0, kSI), 5853.030778, "closed");
    Pile open = closed;
    open.endSectId = 950.0;
    for (Plug plug : {Plug::Computed, Plug::Plugged, Plug::Unplugged}) {
        open.plug = plug;
        ExpectRel(NgiEndBearing(open, 10000.0, 100.0, kSI), 3332.63548, "open");
    }
}

TEST(OffshoreNgi, EndBearingAtTheGroundSurfaceIsFinite)
{
    // sigma'/pa is floored at 1e-10 (sigma' 1e-8 kPa): Dr = 0.4 ln(10000 / (22 sqrt(1e-8 x 100)))
    // = 5.210821279, q = 0.8 x 10000 / (1 + 27.1526584) = 284.1649938; qc 0 gives 0, not 0/0.
    const Pile closed = ClosedSteelPile();
    ExpectRel(NgiEndBearing(closed, 10000.0, 0.0, kSI), 284.1649938, "surface");
    EXPECT_EQ(NgiEndBearing(closed, 0.0, 0.0, kSI), 0.0);
    EXPECT_EQ(NgiEndBearing(closed, 0.0, 100.0, kSI), 0.0);
}

struct NgiClayCase
{
    std::string name;
    bool open;
    double su;
    double sur;
    double pi;
    double expected;
    double expectedPlug;
};

class OffshoreNgiClay : public ::testing::TestWithParam<NgiClayCase>
{};

TEST_P(OffshoreNgiClay, UnitSideFriction)
{
    const NgiClayCase& c = GetParam();
    Pile pile = ClosedSteelPile();
    pile.endSectId = c.open ? 950.0 : 0.0;
    // sigma' at the bottom 100 kPa, so psi = Su / 100.
    const NgiClayResult r = NgiClayFriction(pile, {10.0, {80.0, 100.0}}, {c.su, c.sur, c.pi});
    ExpectRel(r.friction.top, c.expected, c.name + " top");
    ExpectRel(r.friction.bottom, c.expected, c.name + " bottom");
    ExpectRel(r.transfer.bottom, c.expected, c.name + " transfer bottom");
    ExpectRel(r.transfer.top, c.expectedPlug, c.name + " transfer top");
}

INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreNgiClay,
    ::testing::Values(
        // psi 0.1, lower band: f = 0.08 x (30 - 10)^0.3 x 100 = 0.08 x 2.456456052 x 100
        //   = 19.65164842; the plug takes the same value (no strength enters).
        NgiClayCase{"lower band", false, 10.0, 5.0, 30.0, 19.65164842, 19.65164842},
        // PI at most 10 is taken as 10.000001: f = 0.08 x 1e-6^0.3 x 100 = 0.1267914554
        NgiClayCase{"lower band low PI", false, 10.0, 5.0, 5.0, 0.1267914554, 0.1267914554},
        // psi 0.25 exactly is the middle band: alpha = alpha0 = 0.32 x 20^0.3 = 0.7860659367,
        //   f = 0.7860659367 x 25 = 19.65164842 above fmin = 0.06 x 18^0.33 x 100 = 15.5736775;
        //   plug: 0.7860659367 x 10 = 7.860659367, raised to fmin 15.5736775.
        NgiClayCase{"middle band at 0.25", false, 25.0, 10.0, 30.0, 19.65164842, 15.5736775},
        // psi 0.5, open end: alpha1 = 0.5 x 0.5^-0.3 = 0.6155722067,
        //   alpha = 0.7860659367 + 0.25 x (0.6155722067 - 0.7860659367) / 0.75 = 0.7292346934,
        //   F_tip = 0.8 + 0.2 sqrt(0.5) = 0.9414213562, f = 0.7292346934 x 50 x 0.9414213562
        //   = 34.3258557; plug 0.7292346934 x 20 x 0.9414213562 = 13.73034228 -> fmin 15.5736775
        NgiClayCase{"middle band open", true, 50.0, 20.0, 30.0, 34.3258557, 15.5736775},
        // psi 1.0 is still the middle band: alpha = alpha1 = 0.5, f = 0.5 x 100 = 50 (closed),
        //   plug 0.5 x 40 = 20.
        NgiClayCase{"middle band at 1", false, 100.0, 40.0, 30.0, 50.0, 20.0},
        // psi 1.0001 is the upper band: alpha = 0.5 x 1.0001^-0.3 = 0.499985001,
        //   f = 0.499985001 x 100.01 = 50.00349995, plug 0.499985001 x 40 = 19.99940004
        NgiClayCase{"upper band just above 1", false, 100.01, 40.0, 30.0, 50.00349995, 19.99940004},
        // psi 2, upper band: alpha = 0.5 x 2^-0.3 = 0.4061261982, f = 0.4061261982 x 200
        //   = 81.22523964; plug 0.4061261982 x 50 = 20.30630991 (no floor in this band).
        NgiClayCase{"upper band", false, 200.0, 50.0, 30.0, 81.22523964, 20.30630991}),
    OffshoreTest::CaseName());

TEST(OffshoreNgi, ClayWithoutStressOrStrengthStaysFinite)
{
    // sigma' 0 is floored at 1e-10 and Su 0 gives psi 1e-10 (lower band): f = 0.08 x 20^0.3 x 1e-10.
    const NgiClayResult r = NgiClayFriction(ClosedSteelPile(), {0.0, {0.0, 0.0}}, {0.0, 0.0, 30.0});
    EXPECT_TRUE(std::isfinite(r.friction.bottom));
    EXPECT_NEAR(r.friction.bottom, 0.0, 1e-9);
}

} // namespace
