#include "plot/PlotLayout.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "plot/PlotRecordingCanvas.h"
#include "plot/TGraphPlot.h"

namespace {

// Range bounds are whole multiples of a power of ten; they must come out as the decimal
// written, to within rounding of the last bit.
constexpr long double kRangeTolerance = 1e-12L;

const long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const long double kInf = std::numeric_limits<long double>::infinity();

void AddCurve(TGraphPlot& plot, std::initializer_list<TFloatPoint> points)
{
    plot.SetLineCount(plot.LineCount() + 1);
    TLine& line = plot.Line(plot.LineCount() - 1);
    line.SetPointCount(static_cast<int>(points.size()));
    int j = 0;
    for (const TFloatPoint& p : points) {
        line.Points(j++) = p;
    }
}

TEST(PlotRanges, RoundedOutwardToWholeSteps)
{
    const struct
    {
        long double lo, hi;   // data extent (the range always holds 0 as well)
        long double min, max; // expected
    } cases[] = {
        {0, 2.25L, 0, 2.3L},   // span 2.25: mantissa below 3, step 0.1
        {0, 7.3L, 0, 8},       // step 1
        {-35, 12, -40, 20},    // span 47, step 10
        {0, 0, -0.01L, 0.01L}, // only the origin: opened by 0.01, step 0.001
        {0, 2, 0, 2},          // 2 / 0.1 is 20, not a hair above
        {0, 0.3L, 0, 0.3L},    // mantissa exactly 3: step 0.1
        {0, 1000, 0, 1000},    // step 100
        {5, 9.2L, 0, 10},      // 0 is always inside: span 9.2, step 1
        {-0.004L, 0, -0.004L, 0},
    };
    for (const auto& c : cases) {
        TGraphPlot plot;
        AddCurve(plot, {{c.lo, c.lo}, {c.hi, c.hi}});
        const TPlotRange r = ComputeGraphRange(plot, 1);
        EXPECT_NEAR(r.XMin, c.min, kRangeTolerance) << c.lo << ".." << c.hi;
        EXPECT_NEAR(r.XMax, c.max, kRangeTolerance) << c.lo << ".." << c.hi;
        EXPECT_NEAR(r.YMin, c.min, kRangeTolerance) << c.lo << ".." << c.hi;
        EXPECT_NEAR(r.YMax, c.max, kRangeTolerance) << c.lo << ".." << c.hi;
    }
}

TEST(PlotRanges, TakeEveryCurveButNotLayersOrOtherGraphs)
{
    TGraphPlot plot;
    AddCurve(plot, {{1, 1}, {2, 3}});
    AddCurve(plot, {{7.3L, -35}});
    plot.Line(1).Active = false; // inactive and hidden curves count too
    plot.Line(1).Visible = false;
    plot.SetLayerCount(1);
    plot.SetLayerPointCount(1);
    plot.LayerPoint(0, 0) = {7, 500};
    plot.SetCurveCount(2, 1);
    plot.SetCurvePointCount(2, 1);
    plot.Curve(2, 0).Points(0) = {2.25L, 12};
    const TPlotRange g1 = ComputeGraphRange(plot, 1);
    EXPECT_NEAR(g1.XMax, 8, kRangeTolerance);
    EXPECT_NEAR(g1.YMin, -40, kRangeTolerance);
    EXPECT_NEAR(g1.YMax, 10, kRangeTolerance);
    const TPlotRange g2 = ComputeGraphRange(plot, 2);
    EXPECT_NEAR(g2.XMax, 2.3L, kRangeTolerance);
    EXPECT_NEAR(g2.YMax, 12, kRangeTolerance); // span 12: mantissa below 3, step 1
    const TPlotRange g3 = ComputeGraphRange(plot, 3);
    EXPECT_NEAR(g3.XMin, -0.01L, kRangeTolerance);
    EXPECT_NEAR(g3.XMax, 0.01L, kRangeTolerance);
}

TEST(PlotRanges, PointsThatAreNotFiniteAreSkipped)
{
    TGraphPlot plot;
    AddCurve(plot, {{1, 1}, {kNaN, 5}, {kInf, 2}, {3, -kInf}, {0.5L, kNaN}});
    const TPlotRange r = ComputeGraphRange(plot, 1);
    EXPECT_NEAR(r.XMin, 0, kRangeTolerance);
    EXPECT_NEAR(r.XMax, 1, kRangeTolerance);
    EXPECT_NEAR(r.YMin, 0, kRangeTolerance);
    EXPECT_NEAR(r.YMax, 1, kRangeTolerance);
}

TEST(PlotTicks, MajorStepIsOneTwoFiveOrTenTimesAPowerOfTen)
{
    const struct
    {
        long double span;
        int count;
        long double step;
    } cases[] = {
        {10, 10, 1},     // raw 1: q 1
        {0.6L, 3, 0.2L}, // raw 0.2 (a hair below in binary): q 2
        {4.99L, 1, 2},   // q 4
        {5, 1, 5},       // q 5
        {8.9L, 1, 5},    // q 8
        {9, 1, 10},      // q 9
        {2.3L, 7, 0.2L}, // raw 0.329: q 3
        {60, 7, 5},      // raw 8.57: q 8
        {8, 7, 1},       // raw 1.14
        {0, 5, 0},       // no span
        {1, 0, 0},       // no room for a tick
        {kNaN, 5, 0},
        {kInf, 5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(MajorTickStep(c.span, c.count), c.step, c.step * 1e-12L)
            << "span " << c.span << " count " << c.count;
    }
}

TEST(PlotTicks, IndicesCountFromZeroWithinTheView)
{
    // 600 pixels wide, 84 per interval (6f with f = 14): 7 intervals; 420 high: 5 intervals.
    const TPlotRect rect{100, 50, 700, 470};
    const struct
    {
        TPlotRange range;
        long double xStep;
        int xLow, xHigh;
        long double yStep;
        int yLow, yHigh;
    } cases[] = {
        {{0, 2.3L, 0, 8}, 0.04L, 0, 57, 0.2L, 0, 40},
        {{-40, 20, -0.01L, 0.01L}, 1, -40, 20, 0.0004L, -25, 25},
        // Zoomed away from 0: counted from 0 all the same.
        {{3, 5, -5, -3}, 0.04L, 0, 125, 0.04L, -125, 0},
    };
    for (const auto& c : cases) {
        const TPlotTicks t = ComputeTicks(c.range, rect, 84);
        EXPECT_NEAR(t.Step.X, c.xStep, c.xStep * 1e-12L);
        EXPECT_EQ(t.XLow, c.xLow);
        EXPECT_EQ(t.XHigh, c.xHigh);
        EXPECT_NEAR(t.Step.Y, c.yStep, c.yStep * 1e-12L);
        EXPECT_EQ(t.YLow, c.yLow);
        EXPECT_EQ(t.YHigh, c.yHigh);
    }
}

TEST(PlotTicks, TooSmallARectangleGivesNoTicksAndAZeroUnitDoesNotDivide)
{
    const TPlotRange range{0, 8, 0, 8};
    const TPlotTicks none = ComputeTicks(range, TPlotRect{0, 0, 83, 400}, 84);
    EXPECT_EQ(none.Step.X, 0);
    EXPECT_EQ(none.XHigh, 0);
    EXPECT_GT(none.Step.Y, 0);
    // A zero pixel unit (f = 0) counts as one pixel: 100 intervals over 100 pixels, raw
    // step 0.08, major 0.05.
    const TPlotTicks fine = ComputeTicks(range, TPlotRect{0, 0, 100, 100}, 0);
    EXPECT_NEAR(fine.Step.X, 0.01L, 1e-15L);
}

TEST(PlotPixels, ValuesMapLinearlyOntoTheRectangle)
{
    const TPlotRange range{0, 8, 0, 40};
    const TPlotRect rect{100, 50, 700, 450};
    const struct
    {
        long double x, y;
        int px, pyTop, pyBottom;
    } cases[] = {
        {0, 0, 100, 50, 450},
        {8, 40, 700, 450, 50},
        {2, 10, 250, 150, 350},
        {1, 1, 175, 60, 440},
        {-4, -20, -200, -150, 650}, // outside the range: outside the rectangle
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueToPixelX(range, rect, c.x), c.px) << c.x;
        EXPECT_EQ(ValueToPixelY(range, rect, c.y, true), c.pyTop) << c.y;
        EXPECT_EQ(ValueToPixelY(range, rect, c.y, false), c.pyBottom) << c.y;
    }
}

TEST(PlotPixels, FarAndMeaninglessValuesAreClampedBeforeBecomingIntegers)
{
    const TPlotRange range{0, 8, 0, 40};
    const TPlotRect rect{100, 50, 700, 450};
    EXPECT_EQ(ValueToPixelX(range, rect, 1e30L), 100 + static_cast<int>(kPixelLimit));
    EXPECT_EQ(ValueToPixelX(range, rect, -1e4000L), 100 - static_cast<int>(kPixelLimit));
    EXPECT_EQ(ValueToPixelY(range, rect, 1e300L, false), 450 - static_cast<int>(kPixelLimit));
    EXPECT_EQ(ValueToPixelX(range, rect, kNaN), 100);
    // A view without span maps everything to the edge instead of dividing by zero.
    EXPECT_EQ(ValueToPixelX(TPlotRange{3, 3, 0, 0}, rect, 5), 100);
    EXPECT_EQ(ValueToPixelY(TPlotRange{3, 3, 0, 0}, rect, 5, false), 450);
}

TEST(PlotPixels, PixelsMapBackToValuesOfTheGraphUnderThem)
{
    TGraphPlot plot;
    TPlotView view;
    view.View[0] = {0, 8, 0, 40};
    view.Geometry.Plot = {100, 50, 700, 450};
    TFloatPoint v;
    ASSERT_TRUE(PixelToValue(plot, view, 250, 150, v));
    EXPECT_NEAR(v.X, 2, 1e-15L);
    EXPECT_NEAR(v.Y, 10, 1e-15L);
    plot.SetXOnTop(false);
    ASSERT_TRUE(PixelToValue(plot, view, 250, 150, v));
    EXPECT_NEAR(v.Y, 30, 1e-15L);
    EXPECT_FALSE(PixelToValue(plot, view, 99, 150, v));
    EXPECT_EQ(v.X, 0);

    plot.SetShowThree(true);
    view.View[1] = {0, 1, 0, 1};
    view.Geometry.Graphs = {TPlotRect{100, 50, 300, 450},
                            TPlotRect{350, 50, 550, 450},
                            TPlotRect{600, 50, 700, 450}};
    ASSERT_TRUE(PixelToValue(plot, view, 450, 50, v));
    EXPECT_NEAR(v.X, 0.5L, 1e-15L);
    EXPECT_NEAR(v.Y, 1, 1e-15L);
    EXPECT_FALSE(PixelToValue(plot, view, 320, 200, v)); // in the gap
    EXPECT_FALSE(PixelToValue(plot, view, 701, 200, v)); // right of graph 3
}

TEST(PlotLayout, WindowGeometryFromResolutionAndFont)
{
    // f = 14, 96 pixels per inch, an 800 x 600 client area.
    const TPlotRect page{0, 0, 800, 600};
    const struct
    {
        const char* name;
        bool xOnTop, layers, three;
        const char* title;
        bool titleOnTop;
        TPlotRect plot;
    } cases[] = {
        {"depth plot", true, false, false, "", false, {41, 41, 769, 569}},
        {"x at the bottom", false, false, false, "", false, {41, 31, 769, 559}},
        {"title on top", true, false, false, "T", true, {41, 56, 769, 569}},
        {"title at the bottom", true, false, false, "T", false, {41, 41, 769, 555}},
        {"layer column", true, true, false, "", false, {41, 41, 673, 569}},
    };
    for (const auto& c : cases) {
        TGraphPlot plot;
        plot.SetXOnTop(c.xOnTop);
        plot.SetShowLayers(c.layers);
        plot.SetTitle(c.title);
        plot.SetTitleOnTop(c.titleOnTop);
        const TPlotGeometry g = LayoutPlot(plot, TPlotTarget::Window, page, 96, 96, 14);
        EXPECT_EQ(g.Plot, c.plot) << c.name;
        EXPECT_EQ(g.Page, page);
        if (c.layers) {
            EXPECT_EQ(g.LayerColumn, (TPlotRect{692, 41, 769, 569})) << c.name;
        }
    }
}

TEST(PlotLayout, ThreeGraphsShareThePlotWidth)
{
    TGraphPlot plot;
    plot.SetShowThree(true);
    const TPlotGeometry g =
        LayoutPlot(plot, TPlotTarget::Window, TPlotRect{0, 0, 800, 600}, 96, 96, 14);
    // w = (769 - 41 - 4 x 14 - 48) / 3 = 208; gaps 2f + dX/4 = 52.
    EXPECT_EQ(g.Graphs[0], (TPlotRect{41, 41, 249, 569}));
    EXPECT_EQ(g.Graphs[1], (TPlotRect{301, 41, 509, 569}));
    EXPECT_EQ(g.Graphs[2], (TPlotRect{561, 41, 769, 569}));
}

TEST(PlotLayout, PrinterAndBitmapGeometries)
{
    TGraphPlot plot;
    plot.SetTitle("Pile 1");
    plot.SetTitleOnTop(true);
    // Printer: 600 pixels per inch, f = 67, page inside the margins.
    TPlotGeometry g =
        LayoutPlot(plot, TPlotTarget::Printer, TPlotRect{50, 60, 4850, 6360}, 600, 600, 67);
    EXPECT_EQ(g.Plot, (TPlotRect{267, 277 + 150, 4850, 6360}));
    plot.SetTitleOnTop(false);
    g = LayoutPlot(plot, TPlotTarget::Printer, TPlotRect{50, 60, 4850, 6360}, 600, 600, 67);
    EXPECT_EQ(g.Plot, (TPlotRect{267, 277, 4850, 6060}));
    plot.SetXOnTop(false);
    g = LayoutPlot(plot, TPlotTarget::Printer, TPlotRect{50, 60, 4850, 6360}, 600, 600, 67);
    EXPECT_EQ(g.Plot, (TPlotRect{267, 60, 4850, 6360 - 217 - 300}));

    // Bitmap: the screen layout without the title step and a half-inch layer column.
    TGraphPlot layered;
    layered.SetShowLayers(true);
    layered.SetTitle("ignored");
    layered.SetTitleOnTop(true);
    g = LayoutPlot(layered, TPlotTarget::Bitmap, TPlotRect{0, 0, 800, 600}, 96, 96, 14);
    EXPECT_EQ(g.Plot, (TPlotRect{41, 41, 721, 569}));
    EXPECT_EQ(g.LayerColumn, (TPlotRect{740, 41, 769, 569}));
}

TEST(PlotFonts, ScaledFontSizeNeverReachesZeroFromTheFactor)
{
    TPlotRecordingCanvas canvas(14);
    const struct
    {
        int factor, size;
    } cases[] = {{10, 14}, {15, 21}, {25, 35}, {40, 56}, {-10, 14}, {0, 1}, {1, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleFontSize(canvas, c.factor), c.size) << c.factor;
    }
    TPlotRecordingCanvas small(4);
    EXPECT_EQ(ScaleFontSize(small, 1), 0); // a tiny base font may still give 0
}

TEST(PlotLegend, RowsForActiveCurvesPassThroughTheCaptionEvent)
{
    TGraphPlot plot;
    plot.SetLineCount(4);
    plot.Line(1).Active = false;
    plot.Line(2).Visible = false; // hidden curves keep their row
    plot.Line(3).Name = "UWA";
    std::vector<int> asked;
    plot.SetOnGetCaption([&](int index, std::string& text) {
        asked.push_back(index);
        if (index == 2) {
            text += " (soft)";
        }
    });
    const std::vector<TLegendRow> rows = BuildLegendRows(plot);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Curve, 0);
    EXPECT_EQ(rows[0].Text, "Curve #1");
    EXPECT_EQ(rows[1].Curve, 2);
    EXPECT_EQ(rows[1].Text, "Curve #3 (soft)");
    EXPECT_EQ(rows[2].Curve, 3);
    EXPECT_EQ(rows[2].Text, "UWA");
    EXPECT_EQ(asked, (std::vector<int>{0, 2, 3}));
}

} // namespace
