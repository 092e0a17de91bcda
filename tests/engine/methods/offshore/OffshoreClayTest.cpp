// The clay rule that ICP/MTD, Fugro and UWA share (Jardine, Chow, Overy & Standing 2005), the
// clay end bearing and the choice of cone resistance at a segment, against hand values.

#include <cmath>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "OffshoreTestSupport.h"
#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;
using OffshoreTest::ExpectRel;

// OD 1000 mm, embedded 20 m; R* = 500 mm for a closed end.
Pile ClayPile(double endSectId = 0.0)
{
    Pile p;
    p.od = 1000.0;
    p.endSectId = endSectId;
    p.length = 20.0;
    return p;
}

struct ClayCase
{
    std::string name;
    Pile pile;
    double segTop;
    ClaySoil soil;
    double expectedKc;
    double expectedTop;    // sigma' 80 kPa
    double expectedBottom; // sigma' 100 kPa
    double expectedHOverR;
    bool warning;
};

class OffshoreClayRule : public ::testing::TestWithParam<ClayCase>
{};

TEST_P(OffshoreClayRule, UnitSideFriction)
{
    const ClayCase& c = GetParam();
    const ClayResult r = OffshoreClayFriction(c.pile, {c.segTop, {80.0, 100.0}}, c.soil, kSI);
    ExpectRel(r.kc, c.expectedKc, c.name + " Kc");
    ExpectRel(r.friction.top, c.expectedTop, c.name + " top");
    ExpectRel(r.friction.bottom, c.expectedBottom, c.name + " bottom");
    ExpectRel(r.hOverR, c.expectedHOverR, c.name + " h/R*");
    EXPECT_EQ(r.hOverRWarning, c.warning) << c.name;
    EXPECT_FALSE(r.plasticityIndexMissing) << c.name;
    EXPECT_EQ(r.transfer.top, r.friction.top);
    EXPECT_EQ(r.transfer.bottom, r.friction.bottom);
}

// delta 20 degrees: tan(20 / 57.2958) = 0.3639700929; 8^-0.2 = 0.6597539554.
INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreClayRule,
    ::testing::Values(
        // h/R* = 4000 / 500 = 8 exactly (no warning), St 1, YSR 1: Kc = 2 x 8^-0.2 = 1.319507911
        //   f = 0.8 x sigma' x 1.319507911 x 0.3639700929: 30.73673068 (80), 38.42091335 (100)
        ClayCase{"St 1 at h/R 8",
                 ClayPile(),
                 16.0,
                 {50.0, 50.0, 1.0, 30.0, 20.0},
                 1.319507911,
                 30.73673068,
                 38.42091335,
                 8.0,
                 false},
        // St 10: (2 - 0.625) x 0.6597539554 = 0.9071616887; f bottom = 0.8 x 100 x 0.9071616887
        //   x 0.3639700929 = 26.41437793, top 0.8 of that = 21.13150234
        ClayCase{"St 10 at h/R 8",
                 ClayPile(),
                 16.0,
                 {100.0, 10.0, 1.0, 30.0, 20.0},
                 0.9071616887,
                 21.13150234,
                 26.41437793,
                 8.0,
                 false},
        // Remolded strength 0 (not given): sensitivity 1.
        ClayCase{"Sur zero",
                 ClayPile(),
                 16.0,
                 {50.0, 0.0, 1.0, 30.0, 20.0},
                 1.319507911,
                 30.73673068,
                 38.42091335,
                 8.0,
                 false},
        // Su below Sur: sensitivity at least 1.
        ClayCase{"Su below Sur",
                 ClayPile(),
                 16.0,
                 {20.0, 50.0, 1.0, 30.0, 20.0},
                 1.319507911,
                 30.73673068,
                 38.42091335,
                 8.0,
                 false},
        // St 2, YSR 4, h/R* = 10000 / 500 = 20: (2 - 0.625 log10 2) = 1.811856253,
        //   4^0.42 = 1.790050142, 20^-0.2 = 0.5492802717, Kc = 1.781488144;
        //   f = 0.8 x sigma' x 1.781488144 x 0.3639700929: 41.49813793 (80), 51.87267241 (100)
        ClayCase{"St 2 YSR 4 h/R 20",
                 ClayPile(),
                 10.0,
                 {60.0, 30.0, 4.0, 30.0, 20.0},
                 1.781488144,
                 41.49813793,
                 51.87267241,
                 20.0,
                 false},
        // h/R* = 2000 / 500 = 4: warning, then taken as 8 (St 1 values).
        ClayCase{"near the tip",
                 ClayPile(),
                 18.0,
                 {50.0, 50.0, 1.0, 30.0, 20.0},
                 1.319507911,
                 30.73673068,
                 38.42091335,
                 4.0,
                 true},
        // Open end ID 950: R* = 156.12495, h/R* = 1000 / 156.12495 = 6.405126152: warning.
        ClayCase{"open near the tip",
                 ClayPile(950.0),
                 19.0,
                 {50.0, 50.0, 1.0, 30.0, 20.0},
                 1.319507911,
                 30.73673068,
                 38.42091335,
                 6.405126152,
                 true}),
    OffshoreTest::CaseName());

TEST(OffshoreClay, MissingPlasticityIndexIsFlagged)
{
    const ClayResult r =
        OffshoreClayFriction(ClayPile(), {10.0, {80.0, 100.0}}, {50.0, 25.0, 1.0, -1.0, 34.0}, kSI);
    EXPECT_TRUE(r.plasticityIndexMissing);
    EXPECT_GT(r.friction.bottom, 0.0);
}

TEST(OffshoreClay, GroundSurfaceEndHasNoFriction)
{
    const ClayResult r =
        OffshoreClayFriction(ClayPile(), {0.0, {0.0, 10.0}}, {50.0, 25.0, 1.0, 30.0, 20.0}, kSI);
    EXPECT_EQ(r.friction.top, 0.0);
    EXPECT_GT(r.friction.bottom, 0.0);
}

TEST(OffshoreClay, ExtremeSensitivityNeverGivesNegativeFriction)
{
    // St 10000: 2 - 0.625 x 4 = -0.5 would turn the friction negative.
    const ClayResult r = OffshoreClayFriction(ClayPile(),
                                              {10.0, {80.0, 100.0}},
                                              {100.0, 0.01, 1.0, 30.0, 20.0},
                                              kSI);
    EXPECT_EQ(r.friction.top, 0.0);
    EXPECT_EQ(r.friction.bottom, 0.0);
}

struct ClayTipCase
{
    std::string name;
    double endSectId;
    Plug plug;
    bool drained;
    std::optional<double> qc;
    double expected;
};

class OffshoreClayTip : public ::testing::TestWithParam<ClayTipCase>
{};

TEST_P(OffshoreClayTip, EndBearing)
{
    const ClayTipCase& c = GetParam();
    Pile p = ClayPile(c.endSectId);
    p.plug = c.plug;
    // Su 50 kPa: 9 Su = 450.
    ExpectRel(OffshoreClayEndBearing(p, 50.0, c.qc, c.drained), c.expected, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreClayTip,
    ::testing::Values(
        // qc 1000 kPa. Closed: 0.8 qc undrained, 1.3 qc drained, whatever the plug condition.
        ClayTipCase{"closed undrained", 0.0, Plug::Computed, false, 1000.0, 800.0},
        ClayTipCase{"closed drained", 0.0, Plug::Computed, true, 1000.0, 1300.0},
        ClayTipCase{"closed with plugged flag", 0.0, Plug::Plugged, false, 1000.0, 800.0},
        // Open, plugged: half the closed values.
        ClayTipCase{"open plugged undrained", 950.0, Plug::Plugged, false, 1000.0, 400.0},
        ClayTipCase{"open plugged drained", 950.0, Plug::Plugged, true, 1000.0, 650.0},
        // Open, unplugged (annulus): qc and 1.6 qc.
        ClayTipCase{"open unplugged undrained", 950.0, Plug::Unplugged, false, 1000.0, 1000.0},
        ClayTipCase{"open unplugged drained", 950.0, Plug::Unplugged, true, 1000.0, 1600.0},
        // Open, plug computed by the program: 9 Su.
        ClayTipCase{"open computed", 950.0, Plug::Computed, false, 1000.0, 450.0},
        // No cone resistance: 9 Su.
        ClayTipCase{"closed without qc", 0.0, Plug::Computed, false, std::nullopt, 450.0}),
    OffshoreTest::CaseName());

TEST(OffshoreConeResistance, SoilTableThenProfileThenBlowCount)
{
    // SI: no scaling.
    EXPECT_EQ(SegmentConeResistance(5000.0, 7000.0, 30.0, true, kSI), 5000.0);
    EXPECT_EQ(SegmentConeResistance(0.0, 7000.0, 30.0, true, kSI), 7000.0);
    // A value below 1e-5 counts as not given.
    EXPECT_EQ(SegmentConeResistance(1e-6, 7000.0, 30.0, true, kSI), 7000.0);
    // 2.8 x 30 x 100 = 8400
    ExpectRel(*SegmentConeResistance(0.0, std::nullopt, 30.0, true, kSI), 8400.0, "SPT SI");
    // English: psf as read, divided by 1000; the blow-count value is in ksf already:
    // 2.8 x 30 x 2.0885546 = 175.4385864.
    ExpectRel(*SegmentConeResistance(200000.0, std::nullopt, 30.0, true, kEnglish), 200.0, "table");
    ExpectRel(*SegmentConeResistance(0.0, 150000.0, 30.0, true, kEnglish), 150.0, "profile");
    ExpectRel(*SegmentConeResistance(0.0, std::nullopt, 30.0, true, kEnglish), 175.4385864, "SPT");
}

TEST(OffshoreConeResistance, ClayWithoutConeHasNone)
{
    // A clay row's SEGSPT holds the yield stress ratio, which is no blow count.
    EXPECT_FALSE(SegmentConeResistance(0.0, std::nullopt, 2.0, false, kSI).has_value());
    EXPECT_EQ(SegmentConeResistance(0.0, 900.0, 2.0, false, kSI), 900.0);
}

TEST(OffshoreConstants, ChosenByUnitsCode)
{
    EXPECT_EQ(ConstantsFor(1).pa, 2.0885546);
    EXPECT_EQ(ConstantsFor(0).pa, 2.0885546);
    EXPECT_EQ(ConstantsFor(2).pa, 100.0);
    EXPECT_EQ(LoadFromCode(1), Load::Tension);
    EXPECT_EQ(LoadFromCode(0), Load::Compression);
    EXPECT_EQ(LoadFromCode(2), Load::Compression);
    EXPECT_EQ(PlugFromCode(1), Plug::Plugged);
    EXPECT_EQ(PlugFromCode(2), Plug::Unplugged);
    EXPECT_EQ(PlugFromCode(0), Plug::Computed);
}

} // namespace
