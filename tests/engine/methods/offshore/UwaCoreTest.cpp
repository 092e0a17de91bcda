// UWA-05 sand unit side friction and end bearing against values worked by hand from Lehane,
// Schneider & Xu (2005). SI units: pa = 100 kPa, diameters in mm, dr = 0.02 mm.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "OffshoreTestSupport.h"
#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;
using OffshoreTest::ExpectRel;

Pile UwaPile(double od, double endSectId, Load load = Load::Compression)
{
    Pile p;
    p.od = od;
    p.endSectId = endSectId;
    p.length = 20.0;
    p.load = load;
    return p;
}

struct UwaCase
{
    std::string name;
    Pile pile;
    double segTop;
    double expectedAreaRatio;
    double expectedTop;    // sigma' 50 kPa
    double expectedBottom; // sigma' 100 kPa
};

class OffshoreUwaSand : public ::testing::TestWithParam<UwaCase>
{};

TEST_P(OffshoreUwaSand, UnitSideFriction)
{
    const UwaCase& c = GetParam();
    const UwaSandResult r = UwaSandFriction(c.pile, {c.segTop, {50.0, 100.0}}, 10000.0, 35.0, kSI);
    ExpectRel(r.areaRatio, c.expectedAreaRatio, c.name + " Ar");
    ExpectRel(r.friction.top, c.expectedTop, c.name + " top");
    ExpectRel(r.friction.bottom, c.expectedBottom, c.name + " bottom");
    EXPECT_EQ(r.transfer.top, r.friction.top);
    EXPECT_EQ(r.transfer.bottom, r.friction.bottom);
}

// qc 10 MPa, delta 30 degrees: tan(30 / 57.2958) = 0.5773500196.
// Bottom, sigma' 100: qc1N = 100 / 1 = 100, G = 185 x 10000 x 100^-0.75 = 58502.13671.
// Top, sigma' 50: qc1N = 100 / sqrt(0.5) = 141.4213562, G = 1850000 x 0.0243844942 = 45111.31427.
INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreUwaSand,
    ::testing::Values(
        // Closed OD 1000, h/D = 10000 / 1000 = 10: sigma'rc = 0.03 x 10000 x 1 x 10^-0.5
        //   = 94.86832981; d sigma'rd = 4 G 0.02 / 1000: 4.680170937 (bottom), 3.608905142 (top)
        //   f = (94.86832981 + d) x 0.5773500196: 57.47432885, 56.85583352
        UwaCase{"closed", UwaPile(1000.0, 0.0), 10.0, 1.0, 56.85583352, 57.47432885},
        // Open ID 1500 of OD 1600: IFR = min(1, (1.5/1.5)^0.2) = 1,
        //   Ar = 1 - (1500/1600)^2 = 0.12109375, Ar^0.3 = 0.5308068498, h/D = 6.25,
        //   sigma'rc = 300 x 0.5308068498 x 6.25^-0.5 = 63.69682197;
        //   d sigma'rd = 4 G 0.02 / 1600: 2.925106836 (bottom), 2.255565714 (top)
        //   f: 38.4641719 (bottom), 38.07761232 (top)
        UwaCase{"open wide", UwaPile(1600.0, 1500.0), 10.0, 0.12109375, 38.07761232, 38.4641719},
        // Open ID 900 of OD 1000: IFR = 0.6^0.2 = 0.9028804514, Ar = 1 - 0.9028804514 x 0.81
        //   = 0.2686668343, Ar^0.3 = 0.6741619195, sigma'rc = 94.86832981 x 0.6741619195
        //   = 63.95661532; f: 39.62744989 (bottom), 39.00895456 (top)
        UwaCase{"open narrow",
                UwaPile(1000.0, 900.0),
                10.0,
                0.2686668343,
                39.00895456,
                39.62744989},
        // 1 m above the tip h/D = 1 is taken as 2: sigma'rc = 300 / sqrt(2) = 212.1320344;
        //   f: (212.1320344 + 4.680170937) x 0.5773500196 = 125.176531 (bottom), 124.5580356 (top)
        UwaCase{"near the tip", UwaPile(1000.0, 0.0), 19.0, 1.0, 124.5580356, 125.176531},
        // Tension: 0.75 x compression: 43.10574664 (bottom), 42.64187514 (top)
        UwaCase{"tension",
                UwaPile(1000.0, 0.0, Load::Tension),
                10.0,
                1.0,
                42.64187514,
                43.10574664}),
    OffshoreTest::CaseName());

TEST(OffshoreUwa, GroundSurfaceStressIsFloored)
{
    // sigma' 0: sigma'/pa floored at 1e-7, qc1N = 100 / sqrt(1e-7) = 316227.766,
    // G = 1850000 x 316227.766^-0.75 = 138.7304287, d sigma'rd = 0.0110984343;
    // f = (94.86832981 + 0.0110984343) x 0.5773500196 = 54.77863975 (src does not need stress).
    const UwaSandResult r =
        UwaSandFriction(UwaPile(1000.0, 0.0), {10.0, {0.0, 100.0}}, 10000.0, 35.0, kSI);
    ExpectRel(r.friction.top, 54.77863975, "surface");
}

TEST(OffshoreUwa, ZeroConeResistanceGivesZeroNotNaN)
{
    const UwaSandResult r =
        UwaSandFriction(UwaPile(1000.0, 0.0), {10.0, {0.0, 100.0}}, 0.0, 35.0, kSI);
    EXPECT_EQ(r.friction.top, 0.0);
    EXPECT_EQ(r.friction.bottom, 0.0);
    EXPECT_EQ(r.transfer.top, 0.0);
    EXPECT_EQ(r.transfer.bottom, 0.0);
}

TEST(OffshoreUwa, EndBearingClosedOpenAndPlugged)
{
    // q_b = (0.15 + 0.45 Ar,eff) qc; qc 10 MPa.
    // closed: Ar 1, 0.6 qc = 6000
    ExpectRel(UwaSandEndBearing(UwaPile(1000.0, 0.0), 10000.0, kSI), 6000.0, "closed");
    // open ID 900 of 1000: 0.15 + 0.45 x 0.2686668343 = 0.2709000754 -> 2709.000754;
    // plugged: at least 0.3 qc = 3000.
    Pile open = UwaPile(1000.0, 900.0);
    ExpectRel(UwaSandEndBearing(open, 10000.0, kSI), 2709.000754, "open computed");
    open.plug = Plug::Unplugged;
    ExpectRel(UwaSandEndBearing(open, 10000.0, kSI), 2709.000754, "open unplugged");
    open.plug = Plug::Plugged;
    ExpectRel(UwaSandEndBearing(open, 10000.0, kSI), 3000.0, "open plugged");
}

} // namespace
