// Cone resistance from the CPT profile, and the cone resistance a segment takes.
#include "profile/ConeProfile.h"

#include <memory>
#include <optional>

#include <gtest/gtest.h>

namespace {

constexpr double kTol = 1e-9;

std::unique_ptr<TRunState> ProfileOf(std::initializer_list<std::pair<double, double>> points)
{
    auto s = std::make_unique<TRunState>();
    int i = 0;
    for (const auto& [depth, qc] : points) {
        ++i;
        s->CPTDATA.CPTDEPTH[i] = depth;
        s->CPTDATA.CPTQC[i] = qc;
    }
    s->CPTDATA.CPTCOUNT = i;
    return s;
}

struct TLookupCase
{
    double depth;
    double qc;
};

TEST(ConeProfileTest, LookupAlongTheProfile)
{
    // Points (1, 10), (2, 20), (4, 0).
    auto s = ProfileOf({{1.0, 10.0}, {2.0, 20.0}, {4.0, 0.0}});
    const TLookupCase cases[] = {
        {-1.0, 10.0}, // above the first point: its value
        {0.5, 10.0},
        {1.0, 10.0}, // exact points
        {2.0, 20.0},
        {4.0, 0.0},
        {1.5, 15.0}, // 20 - 10 x 0.5 / 1
        {1.25, 12.5},
        {3.0, 10.0}, // 0 - (0 - 20) x 1 / 2
        {3.5, 5.0},
        {9.0, 0.0}, // below the last point: its value
    };
    for (const TLookupCase& c : cases) {
        EXPECT_NEAR(CPTQC(*s, c.depth), c.qc, kTol) << "depth " << c.depth;
    }
}

// A depth given twice is a step in the profile: at that depth the upper value, below it the
// line from the lower one; the lookup never divides by the empty span between the two.
TEST(ConeProfileTest, RepeatedDepthIsAStep)
{
    // Points (1, 10), (2, 20), (2, 40), (4, 0).
    auto s = ProfileOf({{1.0, 10.0}, {2.0, 20.0}, {2.0, 40.0}, {4.0, 0.0}});
    const TLookupCase cases[] = {
        {1.5, 15.0}, // 20 - 10 x 0.5 / 1
        {2.0, 20.0}, // the first of the two points
        {2.5, 30.0}, // 0 - (0 - 40) x 1.5 / 2
        {3.0, 20.0},
        {4.0, 0.0},
        {1.5, 15.0}, // a shallower lookup after a deeper one
        {2.0, 20.0},
    };
    for (const TLookupCase& c : cases) {
        EXPECT_NEAR(CPTQC(*s, c.depth), c.qc, kTol) << "depth " << c.depth;
    }
}

TEST(ConeProfileTest, EmptyProfileRepeatsThePreviousResult)
{
    auto s = ProfileOf({{1.0, 10.0}, {2.0, 20.0}});
    EXPECT_NEAR(CPTQC(*s, 1.5), 15.0, kTol);
    s->CPTDATA.CPTCOUNT = 0;
    EXPECT_NEAR(CPTQC(*s, 99.0), 15.0, kTol);
    TRunState fresh;
    EXPECT_EQ(CPTQC(fresh, 3.0), 0.0);
}

TEST(ConeProfileTest, HostileCountsStayInsideTheProfile)
{
    auto s = ProfileOf({{1.0, 10.0}, {2.0, 20.0}});
    s->CPTDATA.CPTCOUNT = -5;
    EXPECT_EQ(CPTQC(*s, 1.5), 0.0);
    s->CPTDATA.CPTCOUNT = kMaxCptPoints + 7; // never read past the last stored point
    s->CPTDATA.CPTDEPTH[kMaxCptPoints] = 3.0;
    s->CPTDATA.CPTQC[kMaxCptPoints] = 30.0;
    EXPECT_NEAR(CPTQC(*s, 5.0), 30.0, kTol);
}

// Segment 2 of a 1 ft / 1 m grid: top at depth 1, soil-table qc and blow count as given.
std::unique_ptr<TRunState> SegmentState(int units, double segQc, double spt, double type)
{
    auto s = ProfileOf({{0.0, 5000.0}, {2.0, 9000.0}});
    s->PILEDATA.UNITS = units;
    s->SEGDATA.SEGTOP[2] = 1.0;
    s->SEGDATA.SEGQC[2] = segQc;
    s->SEGDATA.SEGSPT[2] = spt;
    s->SEGDATA.SEGTYPE[2] = type;
    return s;
}

TEST(ConeProfileTest, SegmentConeResistanceSources)
{
    // English: qc as read in psf, used in ksf; SI kPa as read.
    auto table = SegmentState(1, 4000.0, 20.0, 1.0);
    EXPECT_NEAR(*SegmentQc(*table, 2), 4.0, kTol); // the soil table wins
    auto profile = SegmentState(1, 0.0, 20.0, 1.0);
    EXPECT_NEAR(*SegmentQc(*profile, 2), 7.0, kTol); // profile at the top: 7000 psf
    auto si = SegmentState(2, 0.0, 20.0, 1.0);
    EXPECT_NEAR(*SegmentQc(*si, 2), 7000.0, kTol);

    // Only the segment's own top depth counts, whatever a grid array holds at that index.
    profile->GRID.GRIDDEPTH[2] = 0.0;
    EXPECT_NEAR(*SegmentQc(*profile, 2), 7.0, kTol);

    // Empty profile: the sand's blow count, 2.8 N pa.
    auto blows = SegmentState(1, 0.0, 20.0, 1.0);
    blows->CPTDATA.CPTCOUNT = 0;
    EXPECT_NEAR(*SegmentQc(*blows, 2), 2.8 * 20.0 * 2.0885546, kTol);
    auto blowsSi = SegmentState(2, 0.0, 20.0, 1.0);
    blowsSi->CPTDATA.CPTCOUNT = 0;
    EXPECT_NEAR(*SegmentQc(*blowsSi, 2), 2.8 * 20.0 * 100.0, kTol);
    // A clay's SEGSPT is a yield stress ratio: no cone resistance from it.
    auto clay = SegmentState(2, 0.0, 3.0, 2.0);
    clay->CPTDATA.CPTCOUNT = 0;
    EXPECT_EQ(SegmentQc(*clay, 2), std::nullopt);
    EXPECT_FALSE(ProfileQcAtSegmentTop(*clay, 2).has_value());
}

} // namespace
