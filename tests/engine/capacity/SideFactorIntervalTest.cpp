// The side reduction factor of a layer acts on the side resistance of that layer, from its top
// to its bottom, in every method; and the load-transfer copy of the side resistance is the
// unfactored one under the t-z option 0, the reduced one under option 1.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "Pass1RunSupport.h"
#include "capacity/SideAccumulation.h"
#include "methods/pass1/Pass1Core.h"

namespace {

using namespace pass1test;

constexpr double kPi = 3.14159;

// Closed 12 in pipe, 10 ft embedded in 1 ft steps; the upper layer (0 to 5 ft) carries the
// side factor `upper`, the lower layer (5 to 14 ft) the factor 1.
TProject TwoLayerPile(const TLayer& soil, double upper)
{
    TProject p;
    p.od = 12;
    p.id = 11;
    p.length = 10;
    TLayer top = soil;
    top.bottom = 5;
    top.rfs = upper;
    TLayer bottom = soil;
    bottom.bottom = 14;
    bottom.rfs = 1.0;
    p.layers = {top, bottom};
    return p;
}

// Soft clay, su 400 psf: USACE's alpha is 1 (su at most 0.5 ksf), so its unit friction is
// 0.4 ksf everywhere; the user's unit friction is 400 psf as well.
TLayer SoftClay()
{
    TLayer clay;
    clay.type = 2;
    clay.gamma = 50;
    clay.su = 400;
    clay.sur = 200;
    clay.userF = 400;
    clay.userQ = 4000;
    return clay;
}

TEST(SideFactorIntervals, SoftClayByHandInUsaceAndTheUserMethod)
{
    // Side resistance to z: 3.14159 ft x 0.4 ksf x (0.5 x min(z, 5) + max(z - 5, 0)); the
    // unfactored copy 3.14159 x 0.4 x z. At 5 ft: 3.14159 (the upper layer alone, halved); at
    // 10 ft: 9.42477 (not 3.14159 x 0.4 x 8 = 10.0531, as with the factor one increment high).
    struct Case
    {
        int method;
        int tzFactor;
    };
    for (const Case c : {Case{kUsace, 0}, Case{kUsace, 1}, Case{kGeneral, 0}, Case{kGeneral, 1}}) {
        TProject p = TwoLayerPile(SoftClay(), 0.5);
        p.flags = "0 1 0 0 1 0 0 0 0 ";
        p.lsMethod = c.method;
        p.tzFactor = c.tzFactor;
        const TStateRun run = RunKeepingState(p);
        ASSERT_EQ(run.status, 0) << run.report;
        const TRunState& s = *run.state;
        const TMethodResult& r = s.RESULTS[c.method];
        const std::string at =
            "method " + std::to_string(c.method) + ", t-z option " + std::to_string(c.tzFactor);
        for (int z : {1, 3, 5, 6, 10}) {
            const int j = RowAt(s, z);
            const double reduced = kPi * 0.4 * (0.5 * std::min(z, 5) + std::max(z - 5, 0));
            const double unfactored = kPi * 0.4 * z;
            const double transfer = c.tzFactor == 1 ? reduced : unfactored;
            EXPECT_NEAR(r.SKIN[j], reduced, 1e-9) << at << " at " << z;
            EXPECT_NEAR(r.TZSIDE[j], transfer, 1e-9) << at << " at " << z;
            // The load-settlement analysis takes the copy the option asks for.
            EXPECT_NEAR(s.LOADSETINPUT.GRIDQS[j], transfer, 1e-9) << at << " at " << z;
        }
    }
}

TEST(SideFactorIntervals, EveryMethodReducesItsLayerAndNothingElse)
{
    // Uniform sand in two layers alike but for the factor: with 0.5 on the upper layer each
    // method's side resistance down to 5 ft is half its unfactored value, and below 5 ft each
    // interval adds what it adds without factors.
    TLayer sand;
    sand.type = 1;
    sand.ko = 1.0;
    sand.gamma = 120;
    sand.phi = 32;
    sand.nq = 20;
    sand.sur = 20; // the blow count of a sand row: the cone methods take qc = 2.8 N pa
    sand.userF = 500;
    sand.userQ = 20000;
    TProject plain = TwoLayerPile(sand, 1.0);
    plain.flags = "1 1 1 1 1 1 1 1 1 ";
    TProject halved = TwoLayerPile(sand, 0.5);
    halved.flags = plain.flags;
    const TStateRun a = RunKeepingState(plain);
    const TStateRun b = RunKeepingState(halved);
    ASSERT_EQ(a.status, 0) << a.report;
    ASSERT_EQ(b.status, 0) << b.report;
    const int boundary = RowAt(*a.state, 5);
    for (int m : {kGeneral, kFhwa, kUsace, kLambda, kApi, kNgi, kIcp, kFugro, kUwa}) {
        const TMethodResult& ra = a.state->RESULTS[m];
        const TMethodResult& rb = b.state->RESULTS[m];
        ASSERT_TRUE(ra.COMPUTED && rb.COMPUTED) << "method " << m;
        ASSERT_GT(ra.SKIN[boundary], 0.0) << "method " << m;
        for (int j = 2; j <= a.state->PILEDATA.NGRID; ++j) {
            const int k = std::min(j, boundary);
            const double want = 0.5 * ra.SKIN[k] + (ra.SKIN[j] - ra.SKIN[k]);
            EXPECT_NEAR(rb.SKIN[j], want, 1e-9 * (1.0 + ra.SKIN[j]))
                << "method " << m << " row " << j;
            EXPECT_NEAR(rb.TIP[j], ra.TIP[j], 1e-9 * (1.0 + ra.TIP[j]))
                << "method " << m << " row " << j;
        }
    }
}

TEST(SideFactorIntervals, IntervalRowsTakeTheSegmentAboveThem)
{
    // Three 1 ft segments, a 3 ft pile: row j ends the interval in segment j - 1; row 1 ends
    // none and takes segment 1.
    auto s = std::make_unique<TRunState>();
    s->PILEDATA.NSEG = 3;
    s->PILEDATA.INCREMENT = 1.0;
    s->PILEDATA.PILELENGTH = 3.0;
    for (int k = 1; k <= 3; ++k) {
        s->SEGDATA.SEGRFS[k] = 0.1 * k;
    }
    const std::vector<double> f = SideIntervalValues(*s, s->SEGDATA.SEGRFS, 4);
    ASSERT_EQ(f.size(), 4u);
    for (auto [row, want] : {std::pair{0, 0.1}, {1, 0.1}, {2, 0.2}, {3, 0.3}}) {
        EXPECT_DOUBLE_EQ(f[static_cast<std::size_t>(row)], want) << "row " << row + 1;
    }
    for (auto [row, nseg, want] :
         {std::tuple{1, 3, 1}, {2, 3, 1}, {4, 3, 3}, {9, 3, 3}, {2, 0, 0}}) {
        EXPECT_EQ(Pass1IntervalSegment(row, nseg), want) << "row " << row << " of " << nseg;
    }
}

} // namespace
