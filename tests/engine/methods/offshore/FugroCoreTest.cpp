// Fugro-04 sand unit side friction and end bearing against values worked by hand from Kolk,
// Baaijens & Senders (2005). SI units: pa = 100 kPa, diameters in mm.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "OffshoreTestSupport.h"
#include "methods/offshore/OffshoreCore.h"

namespace {

using namespace Offshore;
using OffshoreTest::ExpectRel;

// OD 1000 mm closed (R* = 500 mm), embedded 20 m.
Pile FugroPile(Load load, double endSectId = 0.0)
{
    Pile p;
    p.od = 1000.0;
    p.endSectId = endSectId;
    p.length = 20.0;
    p.load = load;
    return p;
}

struct FugroCase
{
    std::string name;
    Pile pile;
    double segTop;
    double expectedHOverR;
    double expectedTop;    // sigma' 200 kPa
    double expectedBottom; // sigma' 100 kPa
};

class OffshoreFugroSand : public ::testing::TestWithParam<FugroCase>
{};

TEST_P(OffshoreFugroSand, UnitSideFriction)
{
    const FugroCase& c = GetParam();
    const FugroSandResult r = FugroSandFriction(c.pile, {c.segTop, {200.0, 100.0}}, 10000.0, kSI);
    ExpectRel(r.hOverR, c.expectedHOverR, c.name + " h/R*");
    ExpectRel(r.friction.top, c.expectedTop, c.name + " top");
    ExpectRel(r.friction.bottom, c.expectedBottom, c.name + " bottom");
    EXPECT_EQ(r.transfer.top, r.friction.top);
    EXPECT_EQ(r.transfer.bottom, r.friction.bottom);
}

// qc 10 MPa; compression 0.08 x 10000 = 800; (200/100)^0.05 = 1.035264924 at the top,
// (100/100)^0.05 = 1 at the bottom. Tension 0.045 x 10000 = 450; 2^0.15 = 1.109569472.
INSTANTIATE_TEST_SUITE_P(
    Offshore,
    OffshoreFugroSand,
    ::testing::Values(
        // h/R* = 5000 / 500 = 10: 800 x 10^-0.9 = 800 x 0.1258925412 = 100.7140329;
        //   top x 1.035264924 = 104.2657056
        FugroCase{"compression h/R 10",
                  FugroPile(Load::Compression),
                  15.0,
                  10.0,
                  104.2657056,
                  100.7140329},
        // h/R* = 4: 800 x 4^-0.9 = 800 x 0.2871745887 = 229.739671; top 237.841423
        FugroCase{"compression h/R 4",
                  FugroPile(Load::Compression),
                  18.0,
                  4.0,
                  237.841423,
                  229.739671},
        // h/R* = 2: 800 x 4^-0.9 x (2/4) = 114.8698355; top 118.9207115
        FugroCase{"compression h/R 2",
                  FugroPile(Load::Compression),
                  19.0,
                  2.0,
                  118.9207115,
                  114.8698355},
        // h/R* = 1: 800 x 4^-0.9 x (1/4) = 57.43491775; top 59.46035575
        FugroCase{"compression h/R 1",
                  FugroPile(Load::Compression),
                  19.5,
                  1.0,
                  59.46035575,
                  57.43491775},
        // Tension h/R* = 10: 450 x 10^-0.85 = 450 x 0.1412537545 = 63.56418951;
        //   top x 1.109569472 = 70.52888419
        FugroCase{"tension h/R 10", FugroPile(Load::Tension), 15.0, 10.0, 70.52888419, 63.56418951},
        // Tension h/R* = 2 is taken as 4: 450 x 4^-0.85 = 450 x 0.3077861033 = 138.5037465;
        //   top 153.6795289
        FugroCase{"tension h/R 2", FugroPile(Load::Tension), 19.0, 2.0, 153.6795289, 138.5037465},
        // Open, ID 900: Ar = 0.19, R* = 500 sqrt(0.19) = 217.9449472, h/R* = 5000 / 217.9449472
        //   = 22.94157339; 800 x 22.94157339^-0.9 = 47.70117835; top x 1.035264924 = 49.38335677
        FugroCase{"open compression",
                  FugroPile(Load::Compression, 900.0),
                  15.0,
                  22.94157339,
                  49.38335677,
                  47.70117835}),
    OffshoreTest::CaseName());

TEST(OffshoreFugro, CompressionIsContinuousAtFourRadii)
{
    // Just above and just below h/R* = 4 the two branches meet.
    const Pile pile = FugroPile(Load::Compression);
    const double above =
        FugroSandFriction(pile, {18.0 - 1e-9, {100.0, 100.0}}, 10000.0, kSI).friction.bottom;
    const double below =
        FugroSandFriction(pile, {18.0 + 1e-9, {100.0, 100.0}}, 10000.0, kSI).friction.bottom;
    EXPECT_NEAR(above, 229.739671, 1e-5);
    EXPECT_NEAR(below, 229.739671, 1e-5);
}

TEST(OffshoreFugro, AtTheTipAndTheSurfaceFrictionIsZero)
{
    const Pile pile = FugroPile(Load::Compression);
    // At the tip h is floored at 1e-5 mm: the friction goes to zero, finite.
    const FugroSandResult tip = FugroSandFriction(pile, {20.0, {100.0, 100.0}}, 10000.0, kSI);
    EXPECT_TRUE(std::isfinite(tip.friction.bottom));
    EXPECT_NEAR(tip.friction.bottom, 0.0, 1e-5);
    // sigma' 0 at the ground surface: (0 / pa)^0.05 = 0.
    const FugroSandResult top = FugroSandFriction(pile, {0.0, {0.0, 10.0}}, 10000.0, kSI);
    EXPECT_EQ(top.friction.top, 0.0);
}

TEST(OffshoreFugro, EndBearingClosedOpenAndPlugged)
{
    // q_b = 8.5 pa sqrt(qc / pa) Ar^0.25 = 8.5 x 100 x sqrt(100) x Ar^0.25
    // closed Ar = 1: 8500; open ID 900 of 1000: Ar = 0.19, 0.19^0.25 = 0.6602195804, 5611.866433;
    // the plug condition does not enter.
    ExpectRel(FugroSandEndBearing(FugroPile(Load::Compression), 10000.0, kSI), 8500.0, "closed");
    Pile open = FugroPile(Load::Compression, 900.0);
    for (Plug plug : {Plug::Computed, Plug::Plugged, Plug::Unplugged}) {
        open.plug = plug;
        ExpectRel(FugroSandEndBearing(open, 10000.0, kSI), 5611.866433, "open");
    }
    EXPECT_EQ(FugroSandEndBearing(open, 0.0, kSI), 0.0);
}

} // namespace
