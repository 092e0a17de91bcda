// Fugro method over the run state: sand end bearing of closed, open and plugged piles, and
// the sand friction by distance from the tip in compression and tension.
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

// q = 8.5 pa sqrt(qc / pa) Ar^0.25 with qc 10 MPa: closed Ar = 1, 8500 kPa; open ID 711.2 of
// OD 762 mm, Ar = 1 - 0.933333^2 = 0.128889, 5092.99 kPa whatever the plug option. English:
// qc 208,854.34 psf = 208.85434 ksf, pa 2.0885546 ksf: 8.5 x 2.0885546 x sqrt(100.0) =
// 177.527 ksf (8500 kPa).
TEST(MethodFugro, SandEndBearingOfClosedOpenAndPluggedPiles)
{
    struct TCase
    {
        const char* name;
        int units;
        double endSectId;
        int plug;
        double qc;
        double expect;
    };
    const TCase cases[] = {
        {"closed", 2, 0.0, 0, 10000, 8500.0},
        {"open", 2, 711.2, 0, 10000, 5092.99},
        {"open plugged", 2, 711.2, 1, 10000, 5092.99},
        {"open unplugged", 2, 711.2, 2, 10000, 5092.99},
        {"English closed", 1, 0.0, 0, 208854.34, 177.527},
    };
    for (const TCase& c : cases) {
        TPileSetup setup;
        setup.units = c.units;
        setup.od = c.units == 1 ? 30 : 762;
        setup.endSectId = c.endSectId;
        setup.plug = c.plug;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[5] = c.qc;
        SetStress(*s, 5, 40, 50);
        const Offshore::EndPair q = TipUnit(*s, kMethodFugro.index, 5);
        EXPECT_LT(Relative(q.top, c.expect), kHandTolerance) << c.name << ": " << q.top;
        EXPECT_LT(Relative(q.bottom, c.expect), kHandTolerance) << c.name << ": " << q.bottom;
    }
}

// Closed pile OD 2000 mm (R* = 1000 mm), 20 m, qc 10 MPa, sigma'v 100 kPa = pa at the bottom
// of each segment, so (sigma'v / pa)^0.05 = 1. h/R* = 20 - top depth (m):
//   compression 0.08 qc x^-0.9: x 10: 100.714; x 4: 229.740;
//   below 4, the published form 0.08 qc 4^-0.9 (x / 4), equal to the above at x = 4:
//   x 2: 114.870; x 1: 57.4349 kPa;
//   tension 0.045 qc max(x, 4)^-0.85: x 10: 63.5642; x 2 (taken as 4): 138.504 kPa.
TEST(MethodFugro, SandFrictionByDistanceFromTheTip)
{
    struct TCase
    {
        int loadType;
        int k; // segment; grid row k + 1 lies at its bottom
        double expect;
    };
    const TCase cases[] = {
        {0, 11, 100.714},
        {0, 17, 229.740},
        {0, 19, 114.870},
        {0, 20, 57.4349},
        {1, 11, 63.5642},
        {1, 19, 138.504},
    };
    for (const TCase& c : cases) {
        TPileSetup setup;
        setup.od = 2000;
        setup.loadType = c.loadType;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[c.k] = 10000;
        SetStress(*s, c.k, 90, 100);
        std::ostringstream report, console;
        TRunIo io{report, console, {}, {}, 0};
        FUGROMETHOD(*s, io);
        const double f = s->RESULTS[kFugro].UNITSKIN[c.k + 1];
        EXPECT_LT(Relative(f, c.expect), kHandTolerance)
            << "load " << c.loadType << ", segment " << c.k << ": " << f;
        EXPECT_EQ(report.str(), "");
    }
}

} // namespace
