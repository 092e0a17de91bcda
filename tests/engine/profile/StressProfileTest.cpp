// Effective-stress profile, friction angle from the blow count and the critical depth, against
// hand-worked values.
#include "profile/StressProfile.h"

#include <memory>
#include <sstream>

#include <gtest/gtest.h>

namespace {

constexpr double kTol = 1e-9;

struct TSptCase
{
    double n;
    double p; // psi
    double angle;
};

TEST(StressProfile, FrictionAngleFromBlowCount)
{
    const TSptCase cases[] = {
        {15, 10, 38.0},  // band A.2: 42 - 0.5 x (42 - 34)
        {4, 0, 34.0},    // band A.1 at the surface: C0(4)
        {4, 20, 30.0},   // band A.1 at 20 psi: 30
        {30, 0, 45.0},   // band A.3: C20 + (20 / 20) x (45 - C20)
        {30, 20, 39.0},  // band A.3 at 20 psi: C20(30)
        {54.9, 0, 45.0}, // just below n = 55 at the surface: 45
        {55, 0, 51.0},   // at n = 55 band B.3 applies: 45 + (20 / 20) x 6
        {8, 30, 31.0},   // band B.2: 30 + 0.5 x 2
        {20, 30, 35.0},  // band B.3: 36 - 0.5 x (36 - 34)
        {70, 30, 43.5},  // band B.4: 42 + 0.5 x (45 - 42)
        {12.5, 45, 31.5} // band C.1: C40 between 31 and 32
    };
    for (const TSptCase& c : cases) {
        double angle = -1.0;
        SPTPHI(angle, c.n, c.p);
        EXPECT_NEAR(angle, c.angle, kTol) << "n " << c.n << " p " << c.p;
    }
    // Where the chart has no value the angle is left as it was.
    double kept = 33.0;
    SPTPHI(kept, 8, 45);
    EXPECT_DOUBLE_EQ(kept, 33.0);
    SPTPHI(kept, 95, 45);
    EXPECT_DOUBLE_EQ(kept, 33.0);
}

// nseg segments of 1 ft (or 1 m) of one soil.
std::unique_ptr<TRunState> Uniform(int units, int nseg, double type, double gamma, double phi)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    s.PILEDATA.UNITS = units;
    s.PILEDATA.NSEG = nseg;
    s.PILEDATA.INCREMENT = 1.0;
    s.PILEDATA.OD = units == 1 ? 24.0 : 609.6;
    for (int k = 1; k <= nseg; ++k) {
        s.SEGDATA.SEGTOP[k] = k - 1.0;
        s.SEGDATA.SEGBOT[k] = k;
        s.SEGDATA.SEGTYPE[k] = type;
        s.SEGDATA.SEGGAMMA[k] = gamma;
        s.SEGDATA.SEGPHI[k] = phi;
    }
    return state;
}

void RunProfile(TRunState& s)
{
    std::ostringstream sink;
    TRunIo io{sink, sink, {}, {}, 0};
    STRESSPROF(s, io);
}

TEST(StressProfile, UniformSandAndCriticalDepthByStress)
{
    // 120 pcf, 1 ft segments: 0.12 k ksf at the bottom of segment k; 0.12 x 29 = 3.48 and
    // 0.12 x 30 = 3.6, so the stress first exceeds 3.5 ksf at the bottom of segment 30.
    auto s = Uniform(1, 40, 1, 120.0, 30.0);
    s->PILEDATA.CRITOPTION = 1;
    RunProfile(*s);
    for (int k = 1; k <= 40; ++k) {
        EXPECT_NEAR(s->STRESS.SIGV[2 * k], 0.12 * k, kTol) << k;
        EXPECT_NEAR(s->STRESS.SIGV[2 * k - 1], 0.12 * (k - 1), kTol) << k;
    }
    EXPECT_DOUBLE_EQ(s->STRESS.SIGV[81], s->STRESS.SIGV[80]);
    EXPECT_DOUBLE_EQ(s->PILEDATA.CRITDEPTH, 30.0);
    // Held below 30 ft at the stress at 30 ft.
    EXPECT_NEAR(s->STRESS.SIGVLIM[2 * 29], 0.12 * 29, kTol);
    EXPECT_NEAR(s->STRESS.SIGVLIM[2 * 30], 3.6, kTol);
    EXPECT_NEAR(s->STRESS.SIGVLIM[2 * 40], 3.6, kTol);
}

TEST(StressProfile, CriticalDepthByDensity)
{
    // phi 34 and a 24 in pile: 15 diameters = 30 ft, held at 0.12 x 30 = 3.6 ksf below.
    auto s = Uniform(1, 40, 1, 120.0, 34.0);
    RunProfile(*s);
    EXPECT_DOUBLE_EQ(s->STRESS.DCRIT, 30.0);
    EXPECT_NEAR(s->STRESS.SIGVLIM[2 * 35], 3.6, kTol);
    EXPECT_NEAR(s->STRESS.SIGVLIM[2 * 20], 2.4, kTol);
    // SI: 20 kN/m3, 609.6 mm: 15 x 0.6096 = 9.144 m, held at 20 x 9.144 = 182.88 kPa.
    auto si = Uniform(2, 20, 1, 20.0, 34.0);
    RunProfile(*si);
    EXPECT_NEAR(si->STRESS.SIGVLIM[2 * 15], 182.88, 1e-9);
    EXPECT_NEAR(si->STRESS.SIGV[2 * 15], 300.0, 1e-9);
}

TEST(StressProfile, CriticalDepthNotFoundLimitsNothing)
{
    // Option 1 with a stress that never exceeds 3.5 ksf: no critical depth, so the limited
    // profile is the profile itself (not held at 0).
    auto s = Uniform(1, 10, 1, 120.0, 30.0);
    s->PILEDATA.CRITOPTION = 1;
    RunProfile(*s);
    EXPECT_DOUBLE_EQ(s->PILEDATA.CRITDEPTH, 0.0);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_DOUBLE_EQ(s->STRESS.SIGVLIM[2 * k], s->STRESS.SIGV[2 * k]) << k;
    }
    // Option 0 in clay only: no sand, no critical depth, no limiting.
    auto clay = Uniform(1, 10, 2, 110.0, 0.0);
    RunProfile(*clay);
    EXPECT_DOUBLE_EQ(clay->STRESS.SIGVLIM[20], clay->STRESS.SIGV[20]);
}

TEST(StressProfile, FillsAngleFromBlowCountAndStrengthFromCone)
{
    // Segment 2 (N 15) at 10 psi: 1440 psf = 10 psi needs sigma'v = 1.44 ksf at its bottom.
    auto s = Uniform(1, 4, 1, 720.0, 0.0);
    s->SEGDATA.SEGSPT[2] = 15;
    RunProfile(*s);
    EXPECT_DOUBLE_EQ(s->SEGDATA.SEGPHI[1], 0.0); // no angle yet at the top of the profile
    EXPECT_NEAR(s->SEGDATA.SEGPHI[2], 38.0, kTol);
    EXPECT_NEAR(s->SEGDATA.SEGPHI[3], 38.0, kTol); // neither angle nor blow count: the last

    // Clay without strength, qc 30 kPa: 2 kPa; in English qc 30000 psf gives 2 ksf, not 2000.
    auto si = Uniform(2, 2, 2, 18.0, 0.0);
    si->SEGDATA.SEGQC[2] = 30.0;
    RunProfile(*si);
    EXPECT_NEAR(si->SEGDATA.SEGSU[2], 2.0, kTol);
    auto en = Uniform(1, 2, 2, 110.0, 0.0);
    en->SEGDATA.SEGQC[2] = 30000.0;
    RunProfile(*en);
    EXPECT_NEAR(en->SEGDATA.SEGSU[2], 2.0, kTol);
}

} // namespace
