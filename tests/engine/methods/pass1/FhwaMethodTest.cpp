// FHWA over the run state: clay at the ground surface, the embedment ratio independent of the
// increment, and the tension factor at every row.
#include <gtest/gtest.h>

#include "Pass1RunSupport.h"
#include "charts/DesignCharts.h"

namespace {

using namespace pass1test;

constexpr double kSame = 1e-9;

// Steel pipe, OD 12 in, closed, 40 ft embedded in clay of su 400 psf from the ground surface
// (over stiffer clay of 1200 psf below 20 ft) down to 50 ft.
TProject ClayPile(double increment)
{
    TProject p;
    p.od = 12;
    p.id = 11;
    p.length = 40;
    p.increment = increment;
    p.flags = "1 0 0 0 0 0 0 0 0 ";
    p.lsMethod = 1;
    TLayer soft;
    soft.bottom = 20;
    soft.type = 2;
    soft.gamma = 110;
    soft.su = 400;
    soft.sur = 200;
    TLayer stiff = soft;
    stiff.bottom = 50;
    stiff.su = 1200;
    stiff.sur = 600;
    p.layers = {soft, stiff};
    return p;
}

TEST(MethodFhwa, ClayAtTheGroundSurfaceGetsItsAdhesion)
{
    auto state = StateBeforeMethods(ClayPile(1.0));
    RunRoutine(FHWAMETHOD, *state);
    const TRunState& s = *state;
    const TMethodResult& r = s.RESULTS[kFhwa];
    // The first segment has nothing above it: its graph comes from its own strength, 0.4 ksf
    // below 0.8, so graph B (Tomlinson's soft clay case). Its layer runs from 0 to 20 ft: the
    // embedment ratio is 20 ft in clay over a 1 ft diameter = 20. The segments below carry the
    // same graph, so rows 1 and 2 agree, and none is 0.
    const double adhesion = ADHESIONB(0.4, 20.0, 1);
    ASSERT_GT(adhesion, 0.0);
    EXPECT_NEAR(r.UNITSKIN[1], adhesion * 0.4, kSame);
    EXPECT_NEAR(r.UNITSKIN[2], adhesion * 0.4, kSame);
    // The first interval: 0.5 x (f1 + f2) x 3.14159 x 1 ft.
    EXPECT_NEAR(r.SKIN[2], adhesion * 0.4 * 3.14159, kSame);
    // The load-transfer pair of a clay segment: adhesion x remolded strength, adhesion x su.
    EXPECT_NEAR(s.UNITXFER(1, 1), adhesion * 0.2, kSame);
    EXPECT_NEAR(s.UNITXFER(1, 2), adhesion * 0.4, kSame);
}

TEST(MethodFhwa, EmbedmentRatioDoesNotDependOnTheIncrement)
{
    // The stiff clay below 20 ft sees 40 ft of pile in clay (20 in the soft layer, 20 in its
    // own down to the tip) whatever the increment.
    auto coarse = StateBeforeMethods(ClayPile(1.0));
    auto fine = StateBeforeMethods(ClayPile(0.5));
    RunRoutine(FHWAMETHOD, *coarse);
    RunRoutine(FHWAMETHOD, *fine);
    for (double z : {10.0, 30.0, 39.0}) {
        EXPECT_NEAR(coarse->RESULTS[kFhwa].UNITSKIN[RowAt(*coarse, z)],
                    fine->RESULTS[kFhwa].UNITSKIN[RowAt(*fine, z)],
                    kSame)
            << "z = " << z;
    }
    // The stiff clay takes graph B (the clay above is weaker than 0.8 ksf, and the graph carries
    // down the clay) at the ratio 40 ft of pile in clay over 1 ft.
    EXPECT_NEAR(coarse->RESULTS[kFhwa].UNITSKIN[RowAt(*coarse, 30)],
                ADHESIONB(1.2, 40.0, 1) * 1.2,
                kSame);
}

TEST(MethodFhwa, TensionFactorActsOnEveryRowTheFirstIncluded)
{
    TProject p = ClayPile(1.0);
    auto compression = StateBeforeMethods(p);
    p.loadType = 1;
    p.tensionFactor = 0.7;
    auto tension = StateBeforeMethods(p);
    RunRoutine(FHWAMETHOD, *compression);
    RunRoutine(FHWAMETHOD, *tension);
    const TMethodResult& c = compression->RESULTS[kFhwa];
    const TMethodResult& t = tension->RESULTS[kFhwa];
    ASSERT_GT(c.UNITSKIN[1], 0.0);
    for (int j = 1; j <= compression->PILEDATA.NGRID; ++j) {
        EXPECT_NEAR(t.UNITSKIN[j], 0.7 * c.UNITSKIN[j], kSame) << "row " << j;
        EXPECT_NEAR(t.SKIN[j], 0.7 * c.SKIN[j], kSame * (1 + c.SKIN[j])) << "row " << j;
    }
}

} // namespace
