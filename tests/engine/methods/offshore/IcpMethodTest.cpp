// ICP/MTD method over the run state: sand end bearing of closed, open, plugged and unplugged
// piles, the clay end bearing shared with Fugro and UWA, and the clay rule with its report
// lines on a hand-worked segment.
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
    double od;
    double endSectId;
    int plug;
    double expect; // unit end bearing, kPa, qc 10 MPa
};

// D = 762 mm: log10(762 / 36) = 1.325648. Closed: (1 - 0.662824) qc = 3371.74 kPa; open,
// plugged or left to the program: (0.5 - 0.331412) qc = 1685.87; unplugged: qc. D = 1524 mm
// (above 900): closed 0.186659 qc raised to 0.3 qc, open 0.093329 qc raised to 0.15 qc.
TEST(MethodIcp, SandEndBearingOfClosedOpenAndPluggedPiles)
{
    const TTipCase cases[] = {
        {"closed", 762, 0.0, 0, 3371.74},
        {"open", 762, 711.2, 0, 1685.87},
        {"open plugged", 762, 711.2, 1, 1685.87},
        {"open unplugged", 762, 711.2, 2, 10000.0},
        {"large closed", 1524, 0.0, 0, 3000.0},
        {"large open", 1524, 1473.2, 0, 1500.0},
    };
    for (const TTipCase& c : cases) {
        TPileSetup setup;
        setup.od = c.od;
        setup.endSectId = c.endSectId;
        setup.plug = c.plug;
        auto s = PileState(setup);
        s->SEGDATA.SEGQC[5] = 10000;
        SetStress(*s, 5, 40, 50);
        const Offshore::EndPair q = TipUnit(*s, kMethodIcp.index, 5);
        EXPECT_LT(Relative(q.top, c.expect), kHandTolerance) << c.name << ": " << q.top;
        EXPECT_LT(Relative(q.bottom, c.expect), kHandTolerance) << c.name << ": " << q.bottom;
    }
}

struct TClayTipCase
{
    const char* name;
    double endSectId;
    int plug;
    int icpClay;
    bool profile;  // qc 2 MPa from the CPT profile, else none
    double expect; // kPa; Su 100 kPa
};

// Clay under ICP/MTD, Fugro and UWA (method indexes 6 to 8), qc 2000 kPa from the profile:
// closed 0.8 qc undrained (1600), 1.3 qc drained (2600); open plugged 0.4 / 0.65 qc; open
// unplugged 1.0 / 1.6 qc; open left to the program, or no cone resistance: 9 Su = 900.
TEST(MethodIcp, ClayEndBearingSharedWithFugroAndUwa)
{
    const TClayTipCase cases[] = {
        {"closed undrained", 0.0, 0, 0, true, 1600},
        {"closed drained", 0.0, 0, 1, true, 2600},
        {"plugged undrained", 711.2, 1, 0, true, 800},
        {"plugged drained", 711.2, 1, 1, true, 1300},
        {"unplugged undrained", 711.2, 2, 0, true, 2000},
        {"unplugged drained", 711.2, 2, 1, true, 3200},
        {"open computed", 711.2, 0, 1, true, 900},
        {"closed without cone", 0.0, 0, 0, false, 900},
    };
    for (int index : {kMethodIcp.index, kMethodFugro.index, kMethodUwa.index}) {
        for (const TClayTipCase& c : cases) {
            TPileSetup setup;
            setup.endSectId = c.endSectId;
            setup.plug = c.plug;
            setup.icpClay = c.icpClay;
            auto s = PileState(setup);
            s->SEGDATA.SEGTYPE[5] = 2;
            s->SEGDATA.SEGSU[5] = 100;
            s->SEGDATA.SEGSPT[5] = 3; // a yield stress ratio, never a blow count
            if (c.profile) {
                s->CPTDATA.CPTCOUNT = 2;
                s->CPTDATA.CPTDEPTH[1] = 0;
                s->CPTDATA.CPTQC[1] = 2000;
                s->CPTDATA.CPTDEPTH[2] = 30;
                s->CPTDATA.CPTQC[2] = 2000;
            }
            SetStress(*s, 5, 40, 50);
            const Offshore::EndPair q = TipUnit(*s, index, 5);
            EXPECT_NEAR(q.top, c.expect, 1e-9) << c.name << ", method index " << index;
            EXPECT_NEAR(q.bottom, c.expect, 1e-9) << c.name << ", method index " << index;
        }
    }
}

// One clay segment, 4..5 m of a 20 m closed pile with OD 4000 mm: h = 16,000 mm = 8 R*, so
// no warning and h/R* = 8. Su 100 kPa, YSR 1, PI 30 (delta 20 degrees on the lower curve),
// sigma'v 50 kPa at the bottom: Kc = (2 - 0.625 log10 St) 8^-0.2;
//   St 1:  Kc = 1.319508, f = 0.8 x 50 x 1.319508 x tan 20 = 19.2105 kPa;
//   St 10: Kc = 0.907162, f = 13.2072 kPa.
// The sensitivity is max(1, Su / Sur), and 1 without a remolded strength.
// A negative plasticity index adds the error line; the segment one metre lower (h/R* 7.5) the
// warning; the error line comes first.
TEST(MethodIcp, ClayRuleAndItsReportLines)
{
    struct TCase
    {
        double sur;
        double pi;
        int k;
        double expect; // 0: not checked
        const char* report;
    };
    // Each message is one report line with one leading blank.
    const std::string error = std::string(" ") + kNoPlasticIndexMessage + "\n";
    const std::string warning = std::string(" ") + kShortTipDistanceMessage + "\n";
    const TCase cases[] = {
        {100, 30, 5, 19.2105, ""},
        {10, 30, 5, 13.2072, ""},
        {0, 30, 5, 19.2105, ""},   // no remolded strength: sensitivity 1
        {200, 30, 5, 19.2105, ""}, // Su below Sur: sensitivity at least 1
        {100, -1, 5, 0.0, "E"},
        {100, 30, 6, 0.0, "W"},
        {100, -1, 6, 0.0, "EW"},
    };
    for (const TCase& c : cases) {
        TPileSetup setup;
        setup.od = 4000;
        auto s = PileState(setup);
        TSegData& g = s->SEGDATA;
        g.SEGTYPE[c.k] = 2;
        g.SEGSU[c.k] = 100;
        g.SEGSUR[c.k] = c.sur;
        g.SEGSPT[c.k] = 1;
        g.SEGPI[c.k] = c.pi;
        SetStress(*s, c.k, 40, 50);
        std::ostringstream report, console;
        TRunIo io{report, console, {}, {}, 0};
        ICPMETHOD(*s, io);
        std::string expected;
        for (const char* m = c.report; *m != '\0'; ++m) {
            expected += *m == 'E' ? error : warning;
        }
        EXPECT_EQ(report.str(), expected) << "PI " << c.pi << ", segment " << c.k;
        if (c.expect > 0.0) {
            // Grid row k + 1 lies at the bottom of segment k.
            const double f = s->RESULTS[kIcp].UNITSKIN[c.k + 1];
            EXPECT_LT(Relative(f, c.expect), kHandTolerance) << "Sur " << c.sur << ": " << f;
        }
    }
}

} // namespace
