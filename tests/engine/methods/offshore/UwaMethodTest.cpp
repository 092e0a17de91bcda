// UWA method over the run state: sand end bearing of closed, open, plugged and unplugged
// piles, and the sand friction in compression, tension and without cone resistance.
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

// qc 10 MPa. Closed: Ar = 1, (0.15 + 0.45) qc = 6000 kPa. Open, ID 711.2 of OD 762 mm:
// IFR = min(1, (0.7112 / 1.5)^0.2) = 0.861351, Ar = 1 - 0.861351 x 0.871111 = 0.249668,
// (0.15 + 0.45 Ar) qc = 2623.50 kPa, above 0.15 qc; plugged it is raised to 0.3 qc = 3000.
TEST(MethodUwa, SandEndBearingOfClosedOpenAndPluggedPiles)
{
    struct TCase
    {
        const char* name;
        double endSectId;
        int plug;
        double expect;
    };
    const TCase cases[] = {
        {"closed", 0.0, 0, 6000.0},
        {"open", 711.2, 0, 2623.50},
        {"open plugged", 711.2, 1, 3000.0},
        {"open unplugged", 711.2, 2, 2623.50},
    };
    for (const TCase& c : cases) {
        TPileSetup setup;
        setup.endSectId = c.endSectId;
        setup.plug = c.plug;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[5] = 10000;
        SetStress(*s, 5, 40, 50);
        const Offshore::EndPair q = TipUnit(*s, kMethodUwa.index, 5);
        EXPECT_LT(Relative(q.top, c.expect), kHandTolerance) << c.name << ": " << q.top;
        EXPECT_LT(Relative(q.bottom, c.expect), kHandTolerance) << c.name << ": " << q.bottom;
    }
}

// Closed pile OD 762 mm, 20 m; segment 10 (9..10 m), qc 10 MPa, sigma'v 100 kPa at its bottom:
// y = 11000 / 762 = 14.4357, src = 0.03 x 10000 / sqrt(y) = 78.9591; qc1N = 100,
// G = 185 x 10000 x 100^-0.75 = 58502.1, dsrd = 4 G 0.02 / 762 = 6.14196;
// f = (78.9591 + 6.14196) tan 30 = 49.1331 kPa; tension 0.75 f = 36.8498 kPa.
// Without any cone resistance (no soil-table qc, no profile, no blow count) f = 0.
TEST(MethodUwa, SandFrictionInCompressionTensionAndWithoutCone)
{
    struct TCase
    {
        int loadType;
        double qc;
        double expect;
    };
    const TCase cases[] = {{0, 10000, 49.1331}, {1, 10000, 36.8498}, {0, 0, 0.0}};
    for (const TCase& c : cases) {
        TPileSetup setup;
        setup.loadType = c.loadType;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[10] = c.qc;
        SetStress(*s, 10, 90, 100);
        std::ostringstream report, console;
        TRunIo io{report, console, {}, {}, 0};
        UWAMETHOD(*s, io);
        const TMethodResult& r = s->RESULTS[kUwa];
        const double f = r.UNITSKIN[11];
        if (c.expect == 0.0) {
            EXPECT_EQ(f, 0.0);
            for (int j = 1; j <= s->PILEDATA.NGRID; ++j) {
                EXPECT_TRUE(std::isfinite(r.SKIN[j])) << "row " << j;
            }
        } else {
            EXPECT_LT(Relative(f, c.expect), kHandTolerance) << "load " << c.loadType << ": " << f;
        }
    }
}

} // namespace
