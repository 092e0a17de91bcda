// Segment count, layer snapping, segment fill, the grid and its printed points.
#include "profile/Segments.h"

#include <memory>

#include <gtest/gtest.h>

#include "state/RunState.h"

namespace {

constexpr double kTol = 1e-9;

TEST(Segments, CountTruncatesWithItsTolerance)
{
    struct TCase
    {
        double deepest;
        double increment;
        double count;
    };
    const TCase cases[] = {
        {500.0, 1.0, 500},
        {500.1, 1.0, 500},
        {501.0, 1.0, 501},
        {0.9999999, 1.0, 1}, // within 1e-6 of a whole count
        {0.999, 1.0, 0},
        {30.48, 0.3048, 100}, // 99.999999999... in binary
        {100.0, 1e-300, 1e302},
    };
    for (const TCase& c : cases) {
        EXPECT_DOUBLE_EQ(SegmentCount(c.deepest, c.increment), c.count)
            << c.deepest << " / " << c.increment;
    }
}

TEST(Segments, GridPointCountAndPrintedPoints)
{
    EXPECT_EQ(GridPointCount(75.0, 1.0), 76);
    EXPECT_EQ(GridPointCount(74.9999999, 1.0), 76);
    EXPECT_EQ(GridPointCount(10.0, 3.0), 4);
    EXPECT_EQ(GridPointCount(0.5, 1.0), 1);

    struct TCase
    {
        int nGrid;
        int interval;
        std::vector<int> points;
    };
    const TCase cases[] = {
        {10, 3, {1, 4, 7, 10}},
        {11, 3, {1, 4, 7, 10, 11}},
        {1, 5, {1}},
        {5, 1, {1, 2, 3, 4, 5}},
        {6, 5, {1, 6}},
        {7, 5, {1, 6, 7}},
        {76, 5, {1, 6, 11, 16, 21, 26, 31, 36, 41, 46, 51, 56, 61, 66, 71, 76}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(PrintedGridPoints(c.nGrid, c.interval), c.points)
            << c.nGrid << " every " << c.interval;
    }
}

std::unique_ptr<TRunState>
SoilState(const std::vector<double>& depths, const std::vector<double>& types, double increment)
{
    auto s = std::make_unique<TRunState>();
    s->PILEDATA.INCREMENT = increment;
    s->PILEDATA.NSOILROWS = static_cast<int>(depths.size());
    s->PILEDATA.UNITS = 2;
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        s->SOILDATA(r, kColDepth) = depths[i];
        s->SOILDATA(r, kColType) = types.empty() ? 1.0 : types[i];
    }
    return s;
}

TEST(Segments, SnappingKeepsLayersZeroOrAtLeastOneIncrementThick)
{
    struct TCase
    {
        const char* name;
        std::vector<double> before;
        std::vector<double> after;
    };
    const TCase cases[] = {
        {"0.4 increment vanishes", {0, 10, 10, 10.4, 10.4, 30}, {0, 10, 10, 10, 10, 30}},
        {"0.6 increment grows to one", {0, 10, 10, 10.6, 10.6, 30}, {0, 10, 10, 11, 11, 30}},
        {"exactly half grows to one", {0, 10, 10, 10.5, 10.5, 30}, {0, 10, 10, 11, 11, 30}},
        {"thick layers stay", {0, 10.3, 10.3, 20.7}, {0, 10.3, 10.3, 20.7}},
    };
    for (const TCase& c : cases) {
        auto s = SoilState(c.before, {}, 1.0);
        SnapLayers(*s);
        for (std::size_t i = 0; i < c.after.size(); ++i) {
            EXPECT_NEAR(s->SOILDATA(static_cast<int>(i) + 1, kColDepth), c.after[i], kTol)
                << c.name << " row " << i + 1;
        }
    }
}

TEST(Segments, FillInterpolatesAtMidDepthAndTakesTheTypeOfTheRowAbove)
{
    // Sand 0-2 m (Ko 1.0 to 0.6), clay 2-4 m (su 20 to 40 kPa); increment 1 m.
    auto s = SoilState({0, 2, 2, 4}, {1, 1, 2, 2}, 1.0);
    s->SOILDATA(1, kColKo) = 1.0;
    s->SOILDATA(2, kColKo) = 0.6;
    s->SOILDATA(3, kColSu) = 20;
    s->SOILDATA(4, kColSu) = 40;
    s->SOILDATA(3, kColUserF) = 30;
    s->SOILDATA(4, kColUserF) = 30;
    s->PILEDATA.NSEG = 4;
    FillSegments(*s);
    const TSegData& g = s->SEGDATA;
    const double types[] = {1, 1, 2, 2};
    const double ko[] = {0.9, 0.7, 0, 0}; // at 0.5 and 1.5 m
    const double su[] = {0, 0, 25, 35};   // at 2.5 and 3.5 m
    for (int k = 1; k <= 4; ++k) {
        EXPECT_DOUBLE_EQ(g.SEGTOP[k], k - 1.0);
        EXPECT_DOUBLE_EQ(g.SEGBOT[k], k);
        EXPECT_DOUBLE_EQ(g.SEGTYPE[k], types[k - 1]) << k;
        EXPECT_NEAR(g.SEGKO[k], ko[k - 1], kTol) << k;
        EXPECT_NEAR(g.SEGSU[k], su[k - 1], kTol) << k;
    }
    EXPECT_DOUBLE_EQ(g.SEGUSERF[3], 30.0); // SI: as read
}

TEST(Segments, EnglishUserValuesBecomeKsfWithoutTheTensionFactor)
{
    auto s = SoilState({0, 10}, {2, 2}, 1.0);
    s->PILEDATA.UNITS = 1;
    s->PILEDATA.TENSIONFACTOR = 0.7;
    s->SOILDATA(1, kColUserF) = 1000;
    s->SOILDATA(2, kColUserF) = 1000;
    s->SOILDATA(1, kColUserQ) = 9000;
    s->SOILDATA(2, kColUserQ) = 9000;
    s->PILEDATA.NSEG = 2;
    FillSegments(*s);
    EXPECT_DOUBLE_EQ(s->SEGDATA.SEGUSERF[1], 1.0);
    EXPECT_DOUBLE_EQ(s->SEGDATA.SEGUSERQ[2], 9.0);
}

TEST(Segments, RowPointerStopsAtTheLastSoilRow)
{
    // A layer below the last snapped row: the soil rows end at 3 m, the segments reach 5 m.
    auto s = SoilState({0, 3}, {2, 2}, 1.0);
    s->SOILDATA(1, kColSu) = 10;
    s->SOILDATA(2, kColSu) = 40;
    s->PILEDATA.NSEG = 5;
    EXPECT_NO_THROW(FillSegments(*s));
    const double su[] = {15, 25, 35, 40, 40}; // below the last row its values hold
    for (int k = 1; k <= 5; ++k) {
        EXPECT_NEAR(s->SEGDATA.SEGSU[k], su[k - 1], kTol) << k;
        EXPECT_DOUBLE_EQ(s->SEGDATA.SEGTYPE[k], 2.0) << k;
    }
}

TEST(Segments, VanishedLayerAtTheTopDividesByNothing)
{
    auto s = SoilState({0, 0, 0, 3}, {1, 1, 2, 2}, 1.0);
    s->SOILDATA(3, kColSu) = 30;
    s->SOILDATA(4, kColSu) = 30;
    s->PILEDATA.NSEG = 3;
    FillSegments(*s);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_DOUBLE_EQ(s->SEGDATA.SEGSU[k], 30.0) << k;
        EXPECT_DOUBLE_EQ(s->SEGDATA.SEGTYPE[k], 2.0) << k;
    }
}

TEST(Segments, GridDepthOnABoundaryBelongsToTheSegmentAbove)
{
    auto s = SoilState({0, 2, 2, 4}, {1, 1, 2, 2}, 1.0);
    s->PILEDATA.NSEG = 4;
    FillSegments(*s);
    s->PILEDATA.NGRID = 5;
    FillGridTypes(*s);
    // Grid depths 0, 1, 2, 3, 4: depth 2 ends segment 2 (sand).
    const double types[] = {1, 1, 1, 2, 2};
    for (int j = 1; j <= 5; ++j) {
        EXPECT_DOUBLE_EQ(s->GRID.GRIDDEPTH[j], j - 1.0) << j;
        EXPECT_DOUBLE_EQ(s->GRID.GRIDTYPE[j], types[j - 1]) << j;
    }
}

} // namespace
