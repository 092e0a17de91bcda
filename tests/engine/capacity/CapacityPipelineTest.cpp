// The capacity pipeline on hand-built segment profiles: unit end bearing and its limits, the
// plug friction, the averaging window near the ground, the plug choice and the self weight in
// tension, and which result record a run may change.
#include "capacity/CapacityPipeline.h"

#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr double kTol = 1e-9;
constexpr double kNotLimited = 9999999.0;

// 20 segments of 1 ft of one soil, a 24 in pipe (22.5 in inside) 10 ft embedded, English
// units; the stress is set by the test.
std::unique_ptr<TRunState> Profile(double type, double sigvPerFt)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    TPileData& p = s.PILEDATA;
    p.UNITS = 1;
    p.NSEG = 20;
    p.INCREMENT = 1.0;
    p.PILELENGTH = 10.0;
    p.OD = 24.0;
    p.ID = 22.5;
    p.CLOSEDEND = 1;
    p.PILETYPE = 1;
    p.WATERDEPTH = 99999.0;
    for (int k = 1; k <= 20; ++k) {
        TSegData& g = s.SEGDATA;
        g.SEGTOP[k] = k - 1.0;
        g.SEGBOT[k] = k;
        g.SEGTYPE[k] = type;
        g.SEGPHI[k] = 30.0;
        g.SEGNQ[k] = 20.0;
        g.SEGKO[k] = 0.8;
        g.SEGSU[k] = 1.0;
        g.SEGSUR[k] = 0.5;
        g.SEGQMAX[k] = kNotLimited;
        g.SEGFMAX[k] = kNotLimited;
        g.SEGRFE[k] = 1.0;
        g.SEGRFS[k] = 1.0;
        s.STRESS.SIGV[2 * k - 1] = sigvPerFt * (k - 1);
        s.STRESS.SIGV[2 * k] = sigvPerFt * k;
    }
    return state;
}

const double kArea = 0.7853975 * 4.0; // plugged area of the 24 in pile, ft2

TEST(CapacityPipeline, SandTipLimitOfApiAndLambda)
{
    // phi 32.5 without a user maximum: 150 ksf (English), 7200 kPa (SI); Nq sigma' below it.
    auto s = Profile(1, 10.0);
    s->SEGDATA.SEGPHI[3] = 32.5;
    TIPUNIT(*s, MethodOfIndex(4));
    EXPECT_NEAR(s->PIPELINE.QTIP[6], 150.0, kTol);
    EXPECT_NEAR(s->PIPELINE.QTIP[1], 0.0, kTol);
    EXPECT_NEAR(s->PIPELINE.QTIP[2], 100.0, kTol);
    auto si = Profile(1, 500.0); // kPa per m: Nq sigma' = 30000 kPa at segment 3
    si->PILEDATA.UNITS = 2;
    si->SEGDATA.SEGPHI[3] = 32.5;
    TIPUNIT(*si, MethodOfIndex(4));
    EXPECT_NEAR(si->PIPELINE.QTIP[6], 7200.0, kTol);
    // A user maximum replaces the table.
    s->SEGDATA.SEGQMAX[3] = 50.0;
    TIPUNIT(*s, MethodOfIndex(4));
    EXPECT_NEAR(s->PIPELINE.QTIP[6], 50.0, kTol);
    // Low stress: Nq sigma' = 20 x 0.1 = 2 ksf at the bottom of segment 1.
    auto low = Profile(1, 0.1);
    TIPUNIT(*low, MethodOfIndex(3));
    EXPECT_NEAR(low->PIPELINE.QTIP[2], 2.0, kTol);
}

TEST(CapacityPipeline, ClayTipIsNineSu)
{
    for (int idx : {1, 2, 3, 4}) {
        auto s = Profile(2, 0.1);
        TIPUNIT(*s, MethodOfIndex(idx));
        EXPECT_NEAR(s->PIPELINE.QTIP[9], 9.0, kTol) << idx;
        EXPECT_NEAR(s->PIPELINE.QTIP[10], 9.0, kTol) << idx;
    }
}

TEST(CapacityPipeline, AveragingWindowNearTheGround)
{
    // Clay, 9 ksf everywhere: the window of 1.5 diameters (3 ft) each way; above the ground it
    // contributes nothing. z = 0: 3/6 of the full value; z = 1: 4/6; z = 5: all of it.
    auto s = Profile(2, 0.1);
    RunCapacityPipeline(*s, MethodOfIndex(3), false);
    const double full = 9.0 * kArea;
    EXPECT_NEAR(s->PIPELINE.TIPAVG[1], full * 3.0 / 6.0, kTol);
    EXPECT_NEAR(s->PIPELINE.TIPAVG[2], full * 4.0 / 6.0, kTol);
    EXPECT_NEAR(s->PIPELINE.TIPAVG[6], full, kTol);
    EXPECT_NEAR(s->PIPELINE.TIPRESULT[6], full, kTol);
    EXPECT_EQ(s->PLUGFLAG(3, 6), kTipPlugged);
}

TEST(CapacityPipeline, PlugConditionsOnAnOpenPile)
{
    // Sand, Nq 20, 0.1 ksf per ft: q = 2 z ksf. Open 24/22.5 in pile, end section inside
    // diameter 22.5 in over the whole length. Plug friction (Lambda: K sigma' tan(phi - 5)):
    // 0.8 x 0.1 z x tan 25 over pi x 22.5 / 12 ft.
    const double annulus = 0.7853975 * (576.0 - 506.25) / 144.0;
    const double tan25 = std::tan(25.0 / 57.2958);
    auto plugF = [&](double z) {
        return 0.8 * 0.1 * tan25 * z * z / 2 * 3.14159 * 22.5 / 12.0;
    };
    for (int plug : {0, 1, 2}) {
        auto s = Profile(1, 0.1);
        s->PILEDATA.CLOSEDEND = 0;
        s->PILEDATA.ENDSECTID = 22.5;
        s->PILEDATA.ENDSECTLENGTH = 100.0;
        s->PILEDATA.PLUG = plug;
        RunCapacityPipeline(*s, MethodOfIndex(3), false);
        const TPipelineState& pl = s->PIPELINE;
        // Row 11, z = 10: unplugged 0.3804 x 20 + 1.74 = 9.35 kips, the plug friction inside
        // whether the program finds the pile unplugged or the project declares it; plugged
        // 62.8 kips.
        const double unplugged = annulus * 20.0 + plugF(10.0);
        EXPECT_NEAR(pl.UNPLUGGED[11], unplugged, 1e-6) << plug;
        EXPECT_NEAR(pl.TIPAVG[11], 20.0 * kArea, 1e-6) << plug;
        // Every method index takes the plugged tip when the user declares the pile plugged.
        const double want = plug == 1 ? 20.0 * kArea : unplugged;
        EXPECT_NEAR(pl.TIPRESULT[11], want, 1e-6) << plug;
        EXPECT_EQ(s->PLUGFLAG(3, 11), plug == 1 ? kTipPlugged : kTipUnplugged) << plug;
    }
}

TEST(CapacityPipeline, UnpluggedClayAnnulusOfTheConeMethods)
{
    // Clay with qc 20 ksf (20000 psf as read) under an open 24 / 22.5 in pile declared
    // unplugged: ICP/MTD, Fugro and UWA bear 1.6 qc (drained) or qc (undrained) on the annulus
    // of 0.380427 ft2; NGI bears qc. No method routine has run, so there is no plug friction:
    // the unplugged tip at 10 ft is the annulus force, e.g. 1.6 x 20 x 0.380427 = 12.1737 kips.
    const double annulus = 0.7853975 * (576.0 - 506.25) / 144.0;
    struct Case
    {
        int index;
        int drained;
        double factor;
    };
    for (const Case c :
         {Case{6, 1, 1.6}, Case{6, 0, 1.0}, Case{7, 1, 1.6}, Case{8, 1, 1.6}, Case{5, 1, 1.0}}) {
        auto s = Profile(2, 0.1);
        s->PILEDATA.CLOSEDEND = 0;
        s->PILEDATA.ENDSECTID = 22.5;
        s->PILEDATA.ENDSECTLENGTH = 100.0;
        s->PILEDATA.PLUG = 2;
        s->PILEDATA.ICPCLAY = c.drained;
        for (int k = 1; k <= 20; ++k) {
            s->SEGDATA.SEGQC[k] = 20000.0;
        }
        RunCapacityPipeline(*s, MethodOfIndex(c.index), false);
        const std::string at =
            "index " + std::to_string(c.index) + " drained " + std::to_string(c.drained);
        EXPECT_NEAR(s->PIPELINE.TIPFORCE[20], c.factor * 20.0 * annulus, 1e-9) << at;
        EXPECT_NEAR(s->PIPELINE.UNPLUGGED[11], c.factor * 20.0 * annulus, 1e-9) << at;
        EXPECT_NEAR(s->PIPELINE.TIPRESULT[11], c.factor * 20.0 * annulus, 1e-9) << at;
    }
}

TEST(CapacityPipeline, PlugFrictionDeltaNeverNegative)
{
    // phi 3: delta would be -2 degrees; the plug friction is 0, not negative.
    auto s = Profile(1, 0.1);
    for (int k = 1; k <= 20; ++k) {
        s->SEGDATA.SEGPHI[k] = 3.0;
    }
    s->PILEDATA.ENDSECTID = 22.5;
    PLUGFRIC(*s, MethodOfIndex(3));
    EXPECT_DOUBLE_EQ(s->PIPELINE.PLUGF[20], 0.0);
}

TEST(CapacityPipeline, SelfWeightInTensionAboveAndBelowWater)
{
    // Closed pile in tension, water 5 ft down. Steel area 0.380427 ft2 at 0.49 kcf.
    const double steel = 0.7853975 * (576.0 - 506.25) / 144.0;
    auto s = Profile(1, 0.1);
    s->PILEDATA.LOADTYPE = 1;
    s->PILEDATA.WATERDEPTH = 5.0;
    RunCapacityPipeline(*s, MethodOfIndex(3), false);
    // z = 1: 1 + 3 <= 5, in the dry: 1 x As x 0.49.
    EXPECT_NEAR(s->PIPELINE.TIPRESULT[2], steel * 0.49, kTol);
    // z = 10: 5 ft dry, 5 ft buoyant (0.49 - 0.0624).
    EXPECT_NEAR(s->PIPELINE.TIPRESULT[11], steel * 0.49 * 5 + steel * (0.49 - 0.0624) * 5, kTol);
    EXPECT_EQ(s->PLUGFLAG(3, 11), kTipPlugged);

    // With a constant area the closed pipe displaces water over its gross area, and the
    // weight can fall below zero.
    s->AREATABLE.AREAMODE = 1;
    s->PILEDATA.CONSTAREA = 54.78;
    RunCapacityPipeline(*s, MethodOfIndex(3), false);
    const double w = 54.78 / 144.0 * 0.49 * 10 - kArea * 0.0624 * 5;
    EXPECT_NEAR(s->PIPELINE.TIPRESULT[11], w, kTol);
    EXPECT_LT(w, 1.0);
}

TEST(CapacityPipeline, SelfWeightTakesTheStiffnessAreaAndBuoyancyOnlyBelowTheWater)
{
    // Closed pile in tension, 0.49 kcf, water 0.0624 kcf at 5 ft (99999: none). The weight at
    // z is 0.49 x (area integrated over 0..z) less 0.0624 x (area integrated over 5..z).
    const double wall = 0.7853975 * (576.0 - 506.25) / 144.0; // 0.380427 ft2
    struct Case
    {
        const char* what;
        void (*setUp)(TRunState&);
        double water;
        int row;
        double weight;
    };
    const Case cases[] = {
        // 3 ft and 4 ft lie within 1.5 D (3 ft) above the water: still the dry weight.
        {"pipe 1 ft above the water", [](TRunState&) {}, 5.0, 5, wall * 0.49 * 4.0},
        {"pipe 2 ft above the water", [](TRunState&) {}, 5.0, 4, wall * 0.49 * 3.0},
        {"pipe at the water", [](TRunState&) {}, 5.0, 6, wall * 0.49 * 5.0},
        {"pipe 1 ft below the water",
         [](TRunState&) {},
         5.0,
         7,
         wall * 0.49 * 6.0 - wall * 0.0624 * 1.0},
        // A closed pipe with a constant area displaces its gross area, below the water only.
        {"constant area above the water",
         [](TRunState& s) {
             s.AREATABLE.AREAMODE = 1;
             s.PILEDATA.CONSTAREA = 54.78;
         },
         5.0,
         4,
         54.78 / 144.0 * 0.49 * 3.0},
        // A constant area left in the file while the section's area is chosen does not count.
        {"section chosen, constant area left",
         [](TRunState& s) {
             s.AREATABLE.AREAMODE = 0;
             s.PILEDATA.CONSTAREA = 10.0;
         },
         99999.0,
         11,
         wall * 0.49 * 10.0},
        // An H-pile without a constant area: its tip area as entered (0.5 ft2), never the circle
        // of its perimeter (15.5 in: 1.310 ft2).
        {"H-pile tip area",
         [](TRunState& s) {
             s.PILEDATA.PILETYPE = 6;
             s.PILEDATA.OD = 15.5;
             s.PILEDATA.ID = 0.0;
             s.PILEDATA.TIPAREA = 0.5;
         },
         5.0,
         11,
         0.5 * 0.49 * 10.0 - 0.5 * 0.0624 * 5.0},
        // Area table 30 in2 at the head to 10 in2 at 10 ft: 200 in2 ft over 0..10 and 75 in2 ft
        // over 5..10.
        {"area table",
         [](TRunState& s) {
             TAreaTable& a = s.AREATABLE;
             a.AREAMODE = 2;
             a.AREACOUNT = 2;
             a.AREADIST[1] = 10.0;
             a.AREAVALUE[1] = 10.0;
             a.AREADIST[2] = 0.0;
             a.AREAVALUE[2] = 30.0;
         },
         5.0,
         11,
         0.49 * 200.0 / 144.0 - 0.0624 * 75.0 / 144.0},
        // With 2 ft of stick-up the embedded 8 ft run from 2 to 10 ft down the table: 26 to
        // 10 in2, 144 in2 ft.
        {"area table below the stick-up",
         [](TRunState& s) {
             TAreaTable& a = s.AREATABLE;
             a.AREAMODE = 2;
             a.AREACOUNT = 2;
             a.AREADIST[1] = 0.0;
             a.AREAVALUE[1] = 30.0;
             a.AREADIST[2] = 10.0;
             a.AREAVALUE[2] = 10.0;
             s.PILEDATA.STICKUP = 2.0;
         },
         99999.0,
         9,
         0.49 * 1.0},
    };
    for (const Case& c : cases) {
        auto s = Profile(1, 0.1);
        s->PILEDATA.LOADTYPE = 1;
        s->PILEDATA.WATERDEPTH = c.water;
        c.setUp(*s);
        RunCapacityPipeline(*s, MethodOfIndex(4), false);
        EXPECT_NEAR(s->PIPELINE.TIPRESULT[c.row], c.weight, kTol) << c.what;
    }
}

TEST(CapacityPipeline, PreRunsLeaveRecordsAloneAndUncomputedMethodsStayUncomputed)
{
    auto s = Profile(2, 0.1);
    RunCapacityPipeline(*s, MethodOfIndex(1), false);
    EXPECT_FALSE(s->RESULTS[kFhwa].COMPUTED);
    EXPECT_EQ(s->PLUGFLAG(1, 1), kTipPlugged);
    // NGI (index 5) whose routine stored no side: no record, so no table.
    RunCapacityPipeline(*s, MethodOfIndex(5), true);
    EXPECT_FALSE(s->RESULTS[kNgi].COMPUTED);
    // API with its side stored: tip, total and marker join it, the tip reduced by the
    // end-bearing factor of the soil below the tip, the t-z copy unreduced (option 0).
    s->SEGDATA.SEGRFE[6] = 0.5;
    s->RESULTS[kApi].COMPUTED = true;
    s->RESULTS[kApi].SKIN[6] = 10.0;
    RunCapacityPipeline(*s, MethodOfIndex(4), true);
    const TMethodResult& r = s->RESULTS[kApi];
    EXPECT_NEAR(r.TIP[6], 0.5 * 9.0 * kArea, kTol);
    EXPECT_NEAR(r.TZTIP[6], 9.0 * kArea, kTol);
    EXPECT_NEAR(r.TOTAL[6], 10.0 + 0.5 * 9.0 * kArea, kTol);
    EXPECT_EQ(MethodOfIndex(9).code, kGeneral);
    EXPECT_EQ(MethodOfIndex(5).code, kNgi);
}

} // namespace
