#include "methods/pass1/UsaceCore.h"

#include <algorithm>
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "capacity/SideAccumulation.h"

namespace {

constexpr double kChart = 1e-9;
constexpr double kHand = 1e-6;
constexpr double kParity = 5e-3; // USACE adhesion breakpoints are round in each system
constexpr double kKsfToKpa = 47.88;
constexpr double kFtToM = 0.3048;

const Pass1Units& English()
{
    return Pass1UnitsFor(1);
}
const Pass1Units& Si()
{
    return Pass1UnitsFor(2);
}

TEST(Pass1UsaceAlpha, FallsLinearlyFromHalfToOneAndAHalfKsf)
{
    struct Case
    {
        double su;
        double alpha;
    };
    // English: 1 to 0.5 ksf, 1 - (su - 0.5) x 0.5 to 1.5 ksf, 0.5 beyond.
    for (const Case& c :
         {Case{0.2, 1.0}, Case{0.5, 1.0}, Case{1.0, 0.75}, Case{1.5, 0.5}, Case{2.0, 0.5}}) {
        EXPECT_NEAR(UsaceAlpha(c.su, English()), c.alpha, kChart) << "su " << c.su << " ksf";
    }
    // SI: 24 and 72 kPa; 1 ksf = 47.88 kPa gives 1 - 23.88 / 48 x 0.5 = 0.75125.
    for (const Case& c : {Case{24.0, 1.0},
                          Case{48.0, 0.75},
                          Case{72.0, 0.5},
                          Case{47.88, 0.75125},
                          Case{100.0, 0.5}}) {
        EXPECT_NEAR(UsaceAlpha(c.su, Si()), c.alpha, kChart) << "su " << c.su << " kPa";
    }
}

TEST(Pass1UsaceSegment, SandUsesTheHeldStressAndThePileTypeDelta)
{
    // phi 30, steel (delta 22.5), Ko 1.25, held stress 1.0 / 1.2 ksf:
    // tan(22.5 deg) = 0.4142133979; f = 0.5177667473, 0.6213200968.
    UsaceSegmentInput in;
    in.soilType = 1.0;
    in.phi = 30.0;
    in.ko = 1.25;
    in.sigvLimTop = 1.0;
    in.sigvLimBottom = 1.2;
    const UsaceSegmentResult r = UsaceSegmentFriction(in, {1, false, false}, English());
    EXPECT_NEAR(r.delta, 22.5, kChart);
    EXPECT_NEAR(r.top, 0.5177667473, kHand);
    EXPECT_NEAR(r.bottom, 0.6213200968, kHand);
    EXPECT_NEAR(r.transferTop, r.top, kChart);
    EXPECT_NEAR(r.transferBottom, r.bottom, kChart);

    // Ko not given: 1.25 in compression, 0.6 in tension (0.6 x 0.4142133979 = 0.2485280387).
    in.ko = 0.0;
    EXPECT_NEAR(UsaceSegmentFriction(in, {1, false, false}, English()).k, 1.25, kChart);
    EXPECT_NEAR(UsaceSegmentFriction(in, {1, false, true}, English()).top, 0.2485280387, kHand);
    // With API RP-2A selected every sand segment takes the default K.
    in.ko = 0.8;
    EXPECT_NEAR(UsaceSegmentFriction(in, {1, true, false}, English()).k, 1.25, kChart);
    EXPECT_NEAR(UsaceSegmentFriction(in, {1, false, false}, English()).k, 0.8, kChart);

    // Interface friction by pile type: timber 0.9, concrete 0.95, H-pile 0.875, others 0.75.
    struct TypeCase
    {
        int pileType;
        double factor;
    };
    for (const TypeCase& c : {TypeCase{1, 0.75},
                              TypeCase{2, 0.9},
                              TypeCase{3, 0.95},
                              TypeCase{4, 0.75},
                              TypeCase{5, 0.75},
                              TypeCase{6, 0.875},
                              TypeCase{7, 0.75}}) {
        EXPECT_NEAR(UsaceDeltaFactor(c.pileType), c.factor, kChart) << "type " << c.pileType;
    }
    // A negative friction angle never gives a negative interface angle.
    in.phi = -3.0;
    EXPECT_GE(UsaceSegmentFriction(in, {1, false, false}, English()).top, 0.0);
}

TEST(Pass1UsaceSegment, ClayAndSilt)
{
    // Clay su 2 ksf: alpha 0.5, f = 1.0 at both ends; load transfer (0.5 x remolded 1.0, 1.0).
    UsaceSegmentInput clay;
    clay.soilType = 2.0;
    clay.su = 2.0;
    clay.suRemolded = 1.0;
    const UsaceSegmentResult c = UsaceSegmentFriction(clay, {1, false, false}, English());
    EXPECT_NEAR(c.alpha, 0.5, kChart);
    EXPECT_NEAR(c.top, 1.0, kChart);
    EXPECT_NEAR(c.bottom, 1.0, kChart);
    EXPECT_NEAR(c.transferTop, 0.5, kChart);
    EXPECT_NEAR(c.transferBottom, 1.0, kChart);

    // Silt phi 30, K 1.25, su 1.0 ksf, held stress 1.0 / 1.2: sand 0.5177667473 / 0.6213200968
    // plus 0.75 x 1.0 at both ends. Its blow count (0.02, where clay holds the remolded
    // strength) does not enter: its load-transfer values are its own unit friction.
    UsaceSegmentInput silt;
    silt.soilType = 3.0;
    silt.phi = 30.0;
    silt.ko = 1.25;
    silt.su = 1.0;
    silt.suRemolded = 0.02;
    silt.sigvLimTop = 1.0;
    silt.sigvLimBottom = 1.2;
    const UsaceSegmentResult s = UsaceSegmentFriction(silt, {1, false, false}, English());
    EXPECT_NEAR(s.top, 0.5177667473 + 0.75, kHand);
    EXPECT_NEAR(s.bottom, 0.6213200968 + 0.75, kHand);
    EXPECT_NEAR(s.transferTop, s.top, kChart);
    EXPECT_NEAR(s.transferBottom, s.top, kChart);

    // SI: the same silt in kPa agrees within the round breakpoints (alpha 0.75125 for 0.75).
    silt.su *= kKsfToKpa;
    silt.suRemolded = 20.0;
    silt.sigvLimTop *= kKsfToKpa;
    silt.sigvLimBottom *= kKsfToKpa;
    const UsaceSegmentResult si = UsaceSegmentFriction(silt, {1, false, false}, Si());
    EXPECT_NEAR(si.top / kKsfToKpa / s.top, 1.0, kParity);
    EXPECT_NEAR(si.transferTop, si.top, kChart);
}

TEST(Pass1UsaceCriticalDepth, FirstSandOrSiltSegmentAboveThreshold)
{
    // Uniform sand of 120 pcf in 1 ft segments: bottom stress 0.12 k ksf; 0.12 x 29 = 3.48,
    // 0.12 x 30 = 3.6 > 3.5: the critical depth is 30 ft.
    const int n = 40;
    std::vector<double> type(n, 1.0), bottom(n), sigv(2 * n), sigvSi(2 * n);
    for (int k = 1; k <= n; ++k) {
        bottom[k - 1] = k;
        sigv[2 * k - 2] = 0.12 * (k - 1);
        sigv[2 * k - 1] = 0.12 * k;
    }
    for (int i = 0; i < 2 * n; ++i) {
        sigvSi[i] = sigv[i] * kKsfToKpa; // 0.12 x 30 x 47.88 = 172.37 > 167.58 > 166.62
    }
    EXPECT_NEAR(UsaceCriticalDepthByStress(type, bottom, sigv, English()), 30.0, kChart);
    EXPECT_NEAR(UsaceCriticalDepthByStress(type, bottom, sigvSi, Si()), 30.0, kChart);

    // A clay segment crossing the threshold does not count; the silt below it does.
    type[29] = 2.0;
    type[30] = 3.0;
    EXPECT_NEAR(UsaceCriticalDepthByStress(type, bottom, sigv, English()), 31.0, kChart);

    // A stress that never exceeds 3.5 ksf: 0, no limiting.
    std::vector<double> low(2 * n, 3.5);
    EXPECT_DOUBLE_EQ(UsaceCriticalDepthByStress(type, bottom, low, English()), 0.0);
}

// Runs the USACE tip over 1 ft segments from the ground down in a sand with sigma'v = 0.1 z ksf
// (held stress equal to it); returns the bottom entries per segment.
std::vector<double> TipColumn(double phi,
                              const UsaceTipSettings& settings,
                              const Pass1Units& u,
                              double unit,
                              double stressScale,
                              int segments = 30)
{
    UsaceTipState state;
    std::vector<double> bottoms;
    for (int k = 1; k <= segments; ++k) {
        UsaceTipInput in;
        in.depth = (k - 1) * unit;
        in.phi = phi;
        in.sigvTop = 0.1 * (k - 1) * stressScale;
        in.sigvBottom = 0.1 * k * stressScale;
        in.sigvLimBottom = in.sigvBottom;
        bottoms.push_back(UsaceTipUnit(in, settings, state, u).bottom);
    }
    return bottoms;
}

TEST(Pass1UsaceTip, ThreeCriticalDepthOptions)
{
    // phi 30 (Nq 23), 12 in pile: option 0 holds from 10 D + 1 ft = 11 ft. The segment at depth
    // 11 (bottom stress 1.2) is held at its own bottom stress, so it keeps 1.2 x 23 = 27.6; the
    // segments below keep 27.6 instead of growing (depth 20: 2.1 x 23 = 48.3 unheld).
    const std::vector<double> byDensity = TipColumn(30.0, {12.0, 0, 0.0}, English(), 1.0, 1.0);
    EXPECT_NEAR(byDensity[10], 1.1 * 23.0, kHand); // depth 10: not yet held
    EXPECT_NEAR(byDensity[11], 27.6, kHand);
    EXPECT_NEAR(byDensity[20], 27.6, kHand);

    // phi 34 (Nq 30 + 2 x 26 / 4 = 43): held from 15 D + 1 = 16 ft at 1.7 x 43 = 73.1.
    const std::vector<double> medium = TipColumn(34.0, {12.0, 0, 0.0}, English(), 1.0, 1.0);
    EXPECT_NEAR(medium[15], 1.6 * 43.0, kHand);
    EXPECT_NEAR(medium[25], 1.7 * 43.0, kHand);

    // Option 1 with the critical depth found at 5 ft: held from depth 5 at 0.6 x 23 = 13.8.
    const std::vector<double> byStress = TipColumn(30.0, {12.0, 1, 5.0}, English(), 1.0, 1.0);
    EXPECT_NEAR(byStress[4], 0.5 * 23.0, kHand);
    EXPECT_NEAR(byStress[5], 0.6 * 23.0, kHand);
    EXPECT_NEAR(byStress[29], 0.6 * 23.0, kHand);

    // Option 1 when the stress never reached 3.5 ksf (depth 0): no limiting at all.
    const std::vector<double> notFound = TipColumn(30.0, {12.0, 1, 0.0}, English(), 1.0, 1.0);
    EXPECT_NEAR(notFound[29], 3.0 * 23.0, kHand);

    // Option 2, the user's depth of 8 ft: 0.9 x 23 = 20.7 from depth 8 on.
    const std::vector<double> byUser = TipColumn(30.0, {12.0, 2, 8.0}, English(), 1.0, 1.0);
    EXPECT_NEAR(byUser[7], 0.8 * 23.0, kHand);
    EXPECT_NEAR(byUser[20], 20.7, kHand);

    // SI: 304.8 mm and 0.3048 m segments hold at 10 x 0.3048 + 0.3048 m = 11 ft as in English.
    const std::vector<double> si = TipColumn(30.0, {304.8, 0, 0.0}, Si(), kFtToM, kKsfToKpa);
    EXPECT_NEAR(si[10] / kKsfToKpa, byDensity[10], kHand);
    EXPECT_NEAR(si[11] / kKsfToKpa, byDensity[11], kHand);
    EXPECT_NEAR(si[20] / kKsfToKpa, byDensity[20], kHand);
}

TEST(Pass1UsaceTip, UserMaximumAndClay)
{
    UsaceTipState state;
    UsaceTipInput in;
    in.phi = 30.0;
    in.sigvTop = 1.0;
    in.sigvBottom = 2.0;
    in.sigvLimBottom = 2.0;
    in.maxEndBearing = 30.0;
    const UsaceTipResult r = UsaceTipUnit(in, {12.0, 0, 0.0}, state, English());
    EXPECT_NEAR(r.top, 23.0, kChart);    // 1.0 x 23
    EXPECT_NEAR(r.bottom, 30.0, kChart); // 46, cut to 30

    UsaceTipInput clay;
    clay.soilType = 2.0;
    clay.su = 1.2;
    EXPECT_NEAR(UsaceTipUnit(clay, {12.0, 0, 0.0}, state, English()).bottom, 10.8, kChart);
}

// Side resistance of a tapered timber pile through the whole core: segment friction, grid
// interpolation and accumulation. Timber, 12 in at the butt (the taper plays no part in the
// USACE side resistance), 12 ft embedded in sand of 60 pcf, phi 30, Ko 1, stress held below the
// critical depth of 10 diameters (10 ft, 0.6 ksf); 1 ft steps.
// f(z) = 1.0 x 0.06 min(z, 10) x tan(0.9 x 30 deg) with tan(27 deg) = 0.5095252373;
// Q(12) = 3.14159 x (0.5095252373 x 0.06 x 10^2 / 2 + 2 x 0.5095252373 x 0.6) = 6.723021438.
double TimberSide(const Pass1Units& u, double len, double stressScale, bool tension, double tf)
{
    const int nseg = 14;
    std::vector<double> segLen(nseg, len), ends(2 * nseg);
    for (int k = 1; k <= nseg; ++k) {
        UsaceSegmentInput in;
        in.soilType = 1.0;
        in.phi = 30.0;
        in.ko = 1.0;
        in.sigvLimTop = 0.06 * std::min(k - 1, 10) * stressScale;
        in.sigvLimBottom = 0.06 * std::min(k, 10) * stressScale;
        const UsaceSegmentResult r = UsaceSegmentFriction(in, {2, false, tension}, u);
        ends[2 * k - 2] = r.top;
        ends[2 * k - 1] = r.bottom;
    }
    const int ngrid = Pass1GridCount(12.0 * len, len);
    std::vector<double> gridF(ngrid), limit(ngrid, kPass1NotLimited),
        perimeter(ngrid, kPass1Pi * (u.units == 1 ? 12.0 / 12.0 : 304.8 / 1000.0)), rfs(ngrid, 1.0);
    Pass1GridUnitFriction(segLen, ends, len, 0.0, gridF);
    TSideAccumulationInput acc;
    acc.gridF = gridF;
    acc.limit = limit;
    acc.perimeter = perimeter;
    acc.sideFactor = rfs;
    acc.increment = len;
    acc.tensionFactor = tension ? tf : 1.0;
    acc.limitMode = ESideLimit::kOnForceCutRow;
    return AccumulateSide(acc).GRIDQSF.back();
}

TEST(Pass1UsacePile, TaperedTimberPileByHand)
{
    const double english = TimberSide(English(), 1.0, 1.0, false, 1.0);
    EXPECT_NEAR(english, 6.723021438, kHand);
    // Tension factor 0.7 on every row: 0.7 x the compression value.
    EXPECT_NEAR(TimberSide(English(), 1.0, 1.0, true, 0.7), 0.7 * 6.723021438, kHand);
    // SI: 0.3048 m steps and kPa give kN = kips x 4.448222.
    const double si = TimberSide(Si(), kFtToM, kKsfToKpa, false, 1.0);
    EXPECT_NEAR(si / (english * 4.448222), 1.0, 5e-4);
}

} // namespace
