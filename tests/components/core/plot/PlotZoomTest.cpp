#include "plot/PlotZoom.h"

#include <gtest/gtest.h>

#include "plot/PlotLayout.h"

namespace {

// Zoomed values carry float rounding only.
constexpr long double kValueTolerance = 1e-9L;

// ---- zoom rules -----------------------------------------------------------------------------

TEST(PlotZoom, ZoomInKeepsOneTwentiethOfTheFullRangeInsideIt)
{
    const struct
    {
        long double a, b, lo, hi;
    } cases[] = {
        {30, 10, 10, 30},     // wide enough: the two values in order
        {50, 52, 48.5, 53.5}, // 2 < 100/20: 5 wide around 51
        {0.5, 1, 0, 5},       // sticks out below: starts at the full minimum
        {99.5, 99, 95, 100},  // sticks out above: ends at the full maximum
        {40, 45, 40, 45},     // exactly one twentieth stays
    };
    for (const auto& c : cases) {
        long double lo = 0, hi = 0;
        ZoomInAxis(c.a, c.b, 0, 100, lo, hi);
        EXPECT_NEAR(lo, c.lo, kValueTolerance) << c.a << " .. " << c.b;
        EXPECT_NEAR(hi, c.hi, kValueTolerance) << c.a << " .. " << c.b;
    }
}

TEST(PlotZoom, ZoomOutDoublesTheSpanUntilTheFullRange)
{
    long double lo = 10, hi = 15; // span 5 of a full range 0 .. 100
    const long double expected[][2] = {{5, 15}, {0, 20}, {0, 40}, {0, 80}, {0, 100}, {0, 100}};
    for (const auto& e : expected) {
        ZoomOutAxis(10, 0, 100, lo, hi);
        EXPECT_NEAR(lo, e[0], kValueTolerance);
        EXPECT_NEAR(hi, e[1], kValueTolerance);
    }
}

// Zooming out is centred on the value under the pointer as far as the full range allows; a
// view or a full range without span stays as it is.
TEST(PlotZoom, ZoomOutIsCentredOnThePointerInsideTheFullRange)
{
    const struct
    {
        long double v, fullMin, fullMax, lo, hi;
        long double expectedLo, expectedHi;
    } cases[] = {
        {45, 0, 100, 40, 50, 35, 55},   // twice the span of 10, around 45
        {5, 0, 100, 40, 50, 0, 20},     // near the minimum: starts there
        {98, 0, 100, 40, 50, 80, 100},  // near the maximum: ends there
        {-30, -50, 50, 0, 80, -50, 50}, // wider than half the full range: the full range
        {3, 0, 0, 0, 0, 0, 0},          // no full span: nothing changes
        {3, 0, 100, 7, 7, 7, 7},        // no view span: nothing changes
    };
    for (const auto& c : cases) {
        long double lo = c.lo, hi = c.hi;
        ZoomOutAxis(c.v, c.fullMin, c.fullMax, lo, hi);
        EXPECT_NEAR(lo, c.expectedLo, kValueTolerance) << c.v << " in " << c.lo << " .. " << c.hi;
        EXPECT_NEAR(hi, c.expectedHi, kValueTolerance) << c.v << " in " << c.lo << " .. " << c.hi;
    }
}

TEST(PlotPrinting, PageLiesInsideTheMarginsAndNeverBeforeThePrintableArea)
{
    const struct
    {
        TPrinterMetrics m;
        double left, top, right, bottom;
        TPlotRect page;
    } cases[] = {
        // All margins 0: the page is the printable area, at the printer's physical offsets.
        {{600, 600, 75, 50, 4950, 6500}, 0, 0, 0, 0, {0, 0, 4950, 6500}},
        // One inch at 600 dpi: 600 pixels from the paper's edge, 525 / 550 into the printable area.
        {{600, 600, 75, 50, 4950, 6500}, 1, 1, 1, 1, {525, 550, 4425, 5950}},
        // A PDF page (no offsets) at 1200 dpi with half-inch and quarter-inch margins.
        {{1200, 1200, 0, 0, 10200, 13200}, 0.5, 0.25, 0.5, 0.25, {600, 300, 9600, 12900}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrinterPageRect(c.m, c.left, c.top, c.right, c.bottom), c.page)
            << "margin " << c.left;
    }
}

} // namespace
