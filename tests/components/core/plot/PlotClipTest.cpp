#include "plot/PlotClip.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr long double kLimit = kPixelLimit; // 2^20 pixels
// Cut ends come from a division; they are within this of the limit.
constexpr long double kPixelTolerance = 1e-6L;

TEST(PlotClip, PointsWithinTheLimitOnBothAxes)
{
    const struct
    {
        long double x, y;
        bool inside;
    } cases[] = {
        {0, 0, true},
        {kLimit, -kLimit, true}, // the limit itself is inside
        {kLimit + 1, 0, false},
        {0, -kLimit - 1, false},
        {std::numeric_limits<long double>::quiet_NaN(), 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InsidePixelLimit(c.x, c.y), c.inside) << c.x << ", " << c.y;
    }
}

TEST(PlotClip, SegmentsAreCutWhereTheyLeaveTheSquare)
{
    const struct
    {
        const char* name;
        long double x0, y0, x1, y1;
        bool drawn;
        long double cx0, cy0, cx1, cy1; // the ends after the cut, when drawn
    } cases[] = {
        {"inside", 0, 0, 100, 50, true, 0, 0, 100, 50},
        {"leaves to the right", 0, 0, 2e6L, 0, true, 0, 0, kLimit, 0},
        {"far end pulled in along the diagonal", 0, 0, 1e30L, 1e30L, true, 0, 0, kLimit, kLimit},
        {"crosses the whole square", -2e6L, 0, 2e6L, 0, true, -kLimit, 0, kLimit, 0},
        {"wholly to the right", 2e6L, 0, 3e6L, 0, false, 0, 0, 0, 0},
        {"vertical, right of the square", 2e6L, 0, 2e6L, 10, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        long double x0 = c.x0, y0 = c.y0, x1 = c.x1, y1 = c.y1;
        ASSERT_EQ(ClipToPixelLimit(x0, y0, x1, y1), c.drawn) << c.name;
        if (!c.drawn) {
            continue;
        }
        EXPECT_NEAR(x0, c.cx0, kPixelTolerance) << c.name;
        EXPECT_NEAR(y0, c.cy0, kPixelTolerance) << c.name;
        EXPECT_NEAR(x1, c.cx1, kPixelTolerance) << c.name;
        EXPECT_NEAR(y1, c.cy1, kPixelTolerance) << c.name;
    }
}

} // namespace
