// NGI method over the run state: end bearing of closed, open and plugged piles, and the
// routine's side resistance on a short pile worked by hand.
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "OffshoreStateSupport.h"
#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"

namespace {

using namespace offshoretest;

constexpr double kHandTolerance = 1e-4; // relative, against the hand computation

double Relative(double value, double expected)
{
    return std::abs(value - expected) / std::max(std::abs(expected), 1e-12);
}

struct TTipCase
{
    const char* name;
    int units;
    double endSectId;
    int plug;
    double qc;     // soil table, as read
    double sigma;  // at both ends
    double qmax;   // user maximum
    double expect; // unit end bearing
};

// qc 10 MPa, sigma'v 100 kPa: Dr = 0.4 ln(10000 / (22 sqrt(100 x 100))) = 0.605651, Dr^2 =
// 0.366813. Closed: 0.8 qc / (1 + Dr^2) = 5853.03 kPa; open (ID 711.2 of OD 762 mm), plugged
// or not: 0.7 qc / (1 + 3 Dr^2) = 3332.64 kPa. English: qc 208,854.34 psf, sigma'v = pa =
// 2.0885546 ksf gives the same Dr: 122.2431 and 69.6035 ksf.
TEST(MethodNgi, EndBearingOfClosedOpenAndPluggedPiles)
{
    const TTipCase cases[] = {
        {"closed", 2, 0.0, 0, 10000, 100, 9999999.0, 5853.03},
        {"open", 2, 711.2, 0, 10000, 100, 9999999.0, 3332.64},
        {"open plugged", 2, 711.2, 1, 10000, 100, 9999999.0, 3332.64},
        {"open unplugged", 2, 711.2, 2, 10000, 100, 9999999.0, 3332.64},
        {"user maximum", 2, 0.0, 0, 10000, 100, 4000, 4000.0},
        {"English closed", 1, 0.0, 0, 208854.34, 2.0885546, 9999999.0, 122.2431},
        {"English open", 1, 28.0, 0, 208854.34, 2.0885546, 9999999.0, 69.6035},
    };
    for (const TTipCase& c : cases) {
        TPileSetup setup;
        setup.units = c.units;
        setup.od = c.units == 1 ? 30 : 762;
        setup.endSectId = c.endSectId;
        setup.plug = c.plug;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[5] = c.qc;
        s->SEGDATA.SEGQMAX[5] = c.qmax;
        SetStress(*s, 5, c.sigma, c.sigma);
        const Offshore::EndPair q = TipUnit(*s, kMethodNgi.index, 5);
        EXPECT_LT(Relative(q.top, c.expect), kHandTolerance) << c.name << ": " << q.top;
        EXPECT_LT(Relative(q.bottom, c.expect), kHandTolerance) << c.name << ": " << q.bottom;
    }
}

TEST(MethodNgi, EndBearingInClayIsNineSuAndFiniteAtTheSurface)
{
    TPileSetup setup;
    auto s = PileState(setup);
    s->SEGDATA.SEGTYPE[3] = 2;
    s->SEGDATA.SEGSU[3] = 80;
    s->SEGDATA.SEGQC[3] = 5000; // the cone does not enter NGI's clay end bearing
    SetStress(*s, 3, 20, 30);
    const Offshore::EndPair clay = TipUnit(*s, kMethodNgi.index, 3);
    EXPECT_DOUBLE_EQ(clay.top, 720.0);
    EXPECT_DOUBLE_EQ(clay.bottom, 720.0);

    // Ground surface: no stress, and no cone resistance at all: finite, and 0 without qc.
    s->SEGDATA.SEGQC[1] = 10000;
    SetStress(*s, 1, 0.0, 10.0);
    const Offshore::EndPair surface = TipUnit(*s, kMethodNgi.index, 1);
    EXPECT_TRUE(std::isfinite(surface.top));
    EXPECT_GE(surface.top, 0.0);
    s->SEGDATA.SEGQC[2] = 0;
    s->SEGDATA.SEGSPT[2] = 0; // no blow count and no profile
    SetStress(*s, 2, 0.0, 0.0);
    const Offshore::EndPair none = TipUnit(*s, kMethodNgi.index, 2);
    EXPECT_EQ(none.top, 0.0);
    EXPECT_EQ(none.bottom, 0.0);
}

// Two 1 m sand segments of a 2 m closed pile, OD 1000 mm, qc 10 MPa, sigma'v 0/10 and 10/20.
// Segment 1 has its top at the ground (z/L = 0): no friction. Segment 2 (z/L = 0.5), bottom:
// Dr = 0.4 ln(10000 / (22 sqrt(20 x 100))) = 0.927539, f = 0.5 x 100 x 2.1 x 0.827539^1.7 x
// 0.2^0.25 x 1.6 x 1.3 = 105.8645 kPa. Grid f at 0, 1, 2 m: 0, 0, 105.8645; skin at 2 m =
// 0.5 x 105.8645 x 3.14159 x 1 m = 166.2914 kN. No report lines.
TEST(MethodNgi, SideResistanceOfAShortPile)
{
    TPileSetup setup;
    setup.od = 1000;
    setup.length = 2;
    setup.nseg = 3;
    auto s = PileState(setup);
    for (int k = 1; k <= 3; ++k) {
        s->SEGDATA.SEGQC[k] = 10000;
        SetStress(*s, k, 10.0 * (k - 1), 10.0 * k);
    }
    std::ostringstream report, console;
    TRunIo io{report, console, {}, {}, 0};
    NGIMETHOD(*s, io);
    const TMethodResult& r = s->RESULTS[kNgi];
    EXPECT_EQ(r.SKIN[1], 0.0);
    EXPECT_NEAR(r.SKIN[2], 0.0, 1e-12);
    EXPECT_LT(Relative(r.UNITSKIN[3], 105.8645), kHandTolerance) << r.UNITSKIN[3];
    EXPECT_LT(Relative(r.SKIN[3], 166.2914), kHandTolerance) << r.SKIN[3];
    EXPECT_LT(Relative(r.TZSIDE[3], 166.2914), kHandTolerance) << r.TZSIDE[3];
    EXPECT_NEAR(r.PENETRATION[3], 2.0, 1e-12);
    EXPECT_EQ(report.str(), "");
}

} // namespace
