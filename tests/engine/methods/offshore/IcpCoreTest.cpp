// ICP-05 sand unit side friction and end bearing against values worked by hand from Jardine,
// Chow, Overy & Standing (2005). SI units: pa = 100 kPa, diameters in mm, dr = 0.02 mm.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "OffshoreTestSupport.h"
#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;
using OffshoreTest::ExpectRel;

// OD 1000 mm, embedded 20 m.
Pile IcpPile(double endSectId, Load load)
{
    Pile p;
    p.od = 1000.0;
    p.endSectId = endSectId;
    p.length = 20.0;
    p.load = load;
    return p;
}

// Common hand values for qc 10 MPa, phi 35 (delta 30 degrees), sigma' 90 kPa top, 100 kPa bottom:
//   eta = 10000 / sqrt(100 x 100) = 100; A + B eta - C eta^2 = 0.0203 + 0.125 - 0.01216 = 0.13314
//   G = 10000 / 0.13314 = 75108.90792; d sigma'rd = 2 x G x 0.02 / 500 = 6.008712633
//   tan(30 / 57.2958) = 0.5773500196; (90/100)^0.13 = 0.9863965082
struct IcpSandCase
{
    std::string name;
    Pile pile;
    double segTop;
    double expectedTop;
    double expectedBottom;
    double expectedHOverR;
};

class OffshoreIcpSand : public ::testing::TestWithParam<IcpSandCase>
{};

TEST_P(OffshoreIcpSand, UnitSideFriction)
{
    const IcpSandCase& c = GetParam();
    const IcpSandResult r = IcpSandFriction(c.pile, {c.segTop, {90.0, 100.0}}, 10000.0, 35.0, kSI);
    ExpectRel(r.hOverR, c.expectedHOverR, c.name + " h/R*");
    ExpectRel(r.friction.top, c.expectedTop, c.name + " top");
    ExpectRel(r.friction.bottom, c.expectedBottom, c.name + " bottom");
    EXPECT_EQ(r.transfer.top, r.friction.top);
    EXPECT_EQ(r.transfer.bottom, r.friction.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreIcpSand,
    ::testing::Values(
        // Closed, compression, h = 10 m, R = 500 mm: h/R = 20, 20^-0.38 = 0.3203381046
        //   sigma'rc bottom = 0.029 x 10000 x 1 x 0.3203381046 = 92.89805035
        //   sigma'rc top = 92.89805035 x 0.9863965082 = 91.63431249
        //   f = (sigma'rc + 6.008712633) x 0.5773500196: top 56.37420246, bottom 57.10382154
        IcpSandCase{"closed compression",
                    IcpPile(0.0, Load::Compression),
                    10.0,
                    56.37420246,
                    57.10382154,
                    20.0},
        // 0.1 m above the tip h/R = 0.2 is raised to 8: 8^-0.38 = 0.4537595777,
        //   sigma'rc bottom = 290 x 0.4537595777 = 131.5902775,
        //   f bottom = (131.5902775 + 6.008712633) x 0.5773500196 = 79.44277966
        //   f top = (131.5902775 x 0.9863965082 + 6.008712633) x 0.5773500196 = 78.40927275
        IcpSandCase{"near the tip",
                    IcpPile(0.0, Load::Compression),
                    19.9,
                    78.40927275,
                    79.44277966,
                    8.0},
        // Closed, tension: (0.8 sigma'rc + d sigma'rd) tan delta
        //   top (0.8 x 91.63431249 + 6.008712633) x 0.5773500196 = 45.79318804
        //   bottom (0.8 x 92.89805035 + 6.008712633) x 0.5773500196 = 46.3768833
        IcpSandCase{"closed tension",
                    IcpPile(0.0, Load::Tension),
                    10.0,
                    45.79318804,
                    46.3768833,
                    20.0},
        // Open (ID 950), tension: R* = sqrt(0.25 x 1000^2 - 0.25 x 950^2) = 156.12495,
        //   h/R* = 10000 / 156.12495 = 64.05126152, its ^-0.38 = 0.2058351208,
        //   sigma'rc bottom = 290 x 0.2058351208 = 59.69218503, top x 0.9863965082 = 58.88017
        //   f = 0.9 x (0.8 sigma'rc + 6.008712633) x 0.5773500196: top 27.59823082,
        //   bottom 27.93578194 (the dilation uses the outer radius 500 mm)
        IcpSandCase{"open tension",
                    IcpPile(950.0, Load::Tension),
                    10.0,
                    27.59823082,
                    27.93578194,
                    64.05126152}),
    OffshoreTest::CaseName());

TEST(OffshoreIcp, ShearModulusStopsAtThePeakOfItsFit)
{
    // qc 100 MPa at sigma' 10 kPa: eta = 100000 / sqrt(1000) = 3162.3, where the quadratic would
    // be 0.0203 + 3.953 - 12.16 = -8.19 (a negative modulus). Held at eta 514:
    // 0.0203 + 0.6425 - 1.216e-6 x 514^2 = 0.341537664, G = 100000 / 0.341537664 = 292793.4765.
    const IcpSandResult r =
        IcpSandFriction(IcpPile(0.0, Load::Compression), {10.0, {5.0, 10.0}}, 100000.0, 35.0, kSI);
    EXPECT_EQ(r.eta, 514.0);
    ExpectRel(r.shearModulus, 292793.4765, "G");
    EXPECT_GT(r.friction.bottom, 0.0);
}

TEST(OffshoreIcp, GroundSurfaceKeepsOnlyTheDilationTerm)
{
    // sigma' 0 at the top: sigma'rc = 0, f = d sigma'rd tan delta = 6.008712633 x 0.5773500196
    // = 3.469130356 (the dilation term depends on the bottom stress only).
    const IcpSandResult r =
        IcpSandFriction(IcpPile(0.0, Load::Compression), {10.0, {0.0, 100.0}}, 10000.0, 35.0, kSI);
    ExpectRel(r.friction.top, 3.469130356, "top");
}

TEST(OffshoreIcp, ZeroConeResistanceGivesZeroFriction)
{
    const IcpSandResult r =
        IcpSandFriction(IcpPile(0.0, Load::Compression), {10.0, {0.0, 0.0}}, 0.0, 35.0, kSI);
    EXPECT_EQ(r.friction.top, 0.0);
    EXPECT_EQ(r.friction.bottom, 0.0);
}

TEST(OffshoreIcp, FrictionAngleBelowFiveGivesNoFriction)
{
    const IcpSandResult r =
        IcpSandFriction(IcpPile(0.0, Load::Compression), {10.0, {90.0, 100.0}}, 10000.0, 3.0, kSI);
    EXPECT_EQ(r.friction.top, 0.0);
    EXPECT_EQ(r.friction.bottom, 0.0);
}

struct IcpTipCase
{
    std::string name;
    double od;
    double endSectId;
    Plug plug;
    double expectedFactor; // q_b / qc
};

class OffshoreIcpTip : public ::testing::TestWithParam<IcpTipCase>
{};

TEST_P(OffshoreIcpTip, EndBearing)
{
    const IcpTipCase& c = GetParam();
    Pile p = IcpPile(c.endSectId, Load::Compression);
    p.od = c.od;
    p.plug = c.plug;
    ExpectRel(IcpSandEndBearing(p, 10000.0, kSI), c.expectedFactor * 10000.0, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreIcpTip,
    ::testing::Values(
        // D = 360 mm, D / 36 = 10, log10 = 1: closed 1 - 0.5 = 0.5; open 0.5 - 0.25 = 0.25
        IcpTipCase{"closed 360", 360.0, 0.0, Plug::Computed, 0.5},
        IcpTipCase{"open computed 360", 360.0, 300.0, Plug::Computed, 0.25},
        IcpTipCase{"open plugged 360", 360.0, 300.0, Plug::Plugged, 0.25},
        // Unplugged: qc on the annulus.
        IcpTipCase{"open unplugged 360", 360.0, 300.0, Plug::Unplugged, 1.0},
        // D = 1000 mm: log10(27.78) = 1.443697499; closed 0.2781512504 -> 0.3 (D > 900);
        // open 0.1390756252 -> 0.15.
        IcpTipCase{"closed 1000", 1000.0, 0.0, Plug::Computed, 0.3},
        IcpTipCase{"open plugged 1000", 1000.0, 950.0, Plug::Plugged, 0.15}),
    OffshoreTest::CaseName());

TEST(OffshoreIcp, EndBearingInEnglishUsesTheDiameterInMillimetres)
{
    // OD 14.17322835 in = 360 mm: closed 0.5 qc.
    Pile p = IcpPile(0.0, Load::Compression);
    p.od = 360.0 / 25.4;
    ExpectRel(IcpSandEndBearing(p, 200.0, kEnglish), 100.0, "closed English");
}

} // namespace
