#include "plot/PlotDrawing.h"

#include <algorithm>
#include <limits>

#include <gtest/gtest.h>

#include "plot/PlotFill.h"
#include "plot/PlotRecordingCanvas.h"
#include "plot/TGraphPlot.h"

namespace {

using Kind = TPlotRecordingCanvas::Kind;
using Op = TPlotRecordingCanvas::Operation;

const long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const TPlotRect kPage{0, 0, 800, 600};
// On that page with f = 14 at 96 pixels per inch the one-graph plot is (41, 41, 769, 569).
const TPlotRect kPlot{41, 41, 769, 569};

void AddCurve(TGraphPlot& plot, std::initializer_list<TFloatPoint> points, int graph = 1)
{
    const int n = plot.CurveCount(graph);
    plot.SetCurveCount(graph, n + 1);
    TLine& line = plot.Curve(graph, n);
    line.SetPointCount(static_cast<int>(points.size()));
    int j = 0;
    for (const TFloatPoint& p : points) {
        line.Points(j++) = p;
    }
}

void AddLayer(TGraphPlot& plot, const char* name, long double fill, long double bottom)
{
    plot.SetLayerCount(plot.LayerCount() + 1);
    TLine& layer = plot.Layer(plot.LayerCount() - 1);
    layer.Name = name;
    layer.SetPointCount(1);
    layer.Points(0) = {fill, bottom};
}

struct Drawing
{
    TPlotRecordingCanvas canvas{14};
    TPlotView view;

    std::vector<Op> InClip(const TPlotRect& clip, Kind kind) const
    {
        std::vector<Op> ops;
        for (const Op& op : canvas.Operations()) {
            if (op.What == kind && op.Clip == clip) {
                ops.push_back(op);
            }
        }
        return ops;
    }
    std::vector<Op> CurveOps(const TPlotRect& graph, Kind kind) const
    {
        return InClip(TPlotRect{graph.Left, graph.Top, graph.Right + 1, graph.Bottom + 1}, kind);
    }
    std::vector<std::string> TextsWith(int angle, int weight) const
    {
        std::vector<std::string> texts;
        for (const Op& op : canvas.Of(Kind::Text)) {
            if (op.Font.Angle == angle && op.Font.Weight == weight) {
                texts.push_back(op.Text);
            }
        }
        return texts;
    }
};

// Draws with a view made for the target; `adjust` may change the view first (zoom, legend).
template<typename Adjust>
void Draw(Drawing& d,
          const TGraphPlot& plot,
          TPlotTarget target,
          Adjust adjust,
          TPlotRect page = kPage,
          int dpi = 96)
{
    d.view = MakePlotView(plot, d.canvas, target, page, dpi, dpi);
    adjust(d.view);
    DrawPlot(plot, d.view, d.canvas);
}

void Draw(Drawing& d, const TGraphPlot& plot, TPlotTarget target = TPlotTarget::Window)
{
    Draw(d, plot, target, [](TPlotView&) {});
}

struct Xy
{
    int x, y;
    friend bool operator==(const Xy&, const Xy&) = default;
};

std::vector<Xy> Points(const std::vector<Op>& ops)
{
    std::vector<Xy> points;
    for (const Op& op : ops) {
        points.push_back({op.X1, op.Y1});
    }
    return points;
}

TEST(PlotDrawing, APageUnderOneInchStaysBlankWhite)
{
    TGraphPlot plot;
    AddCurve(plot, {{0, 0}, {1, 1}});
    for (const TPlotRect page : {TPlotRect{0, 0, 95, 400}, TPlotRect{0, 0, 400, 95}}) {
        Drawing d;
        Draw(
            d,
            plot,
            TPlotTarget::Window,
            [](TPlotView&) {},
            page);
        ASSERT_EQ(d.canvas.Operations().size(), 1u);
        const Op& fill = d.canvas.Operations()[0];
        EXPECT_EQ(fill.What, Kind::FillRect);
        EXPECT_EQ(fill.Rect, page);
        EXPECT_EQ(fill.Brush.Color, kPlotWhite);
        EXPECT_EQ(fill.Brush.Style, TPlotBrushStyle::Solid);
    }
}

TEST(PlotDrawing, CurvesJoinTheirPointsInTheirPixels)
{
    TGraphPlot plot;
    plot.SetMarkers(0);
    AddCurve(plot, {{0, 0}, {2, 4}, {8, 40}}); // ranges 0..8 and 0..40
    Drawing d;
    Draw(d, plot);
    const std::vector<Op> ops = d.CurveOps(kPlot, Kind::MoveTo);
    const std::vector<Op> lines = d.CurveOps(kPlot, Kind::LineTo);
    EXPECT_EQ(Points(ops), (std::vector<Xy>{{41, 41}}));
    // x 2 -> 41 + 728 / 4; y 4 -> 41 + nearest(52.8).
    EXPECT_EQ(Points(lines), (std::vector<Xy>{{223, 94}, {769, 569}}));
    EXPECT_EQ(lines[0].Pen.Color, kPlotBlack);
    EXPECT_EQ(lines[0].Pen.Width, 1);
}

TEST(PlotDrawing, ASinglePointPerCurveDrawsNoCurveAndNoMarker)
{
    TGraphPlot plot;
    AddCurve(plot, {{3, 3}});
    AddCurve(plot, {{5, 5}});
    Drawing d;
    Draw(d, plot);
    EXPECT_TRUE(d.CurveOps(kPlot, Kind::MoveTo).empty());
    EXPECT_TRUE(d.CurveOps(kPlot, Kind::LineTo).empty());
}

TEST(PlotDrawing, PointsThatAreNotFiniteLeaveAGap)
{
    TGraphPlot plot;
    plot.SetMarkers(0);
    AddCurve(plot, {{0, 0}, {2, 4}, {kNaN, 5}, {4, 20}, {8, 40}});
    Drawing d;
    Draw(d, plot);
    const std::vector<Op> ops = d.CurveOps(kPlot, Kind::MoveTo);
    const std::vector<Op> lines = d.CurveOps(kPlot, Kind::LineTo);
    EXPECT_EQ(Points(ops), (std::vector<Xy>{{41, 41}, {405, 305}}));
    EXPECT_EQ(Points(lines), (std::vector<Xy>{{223, 94}, {769, 569}}));
}

TEST(PlotDrawing, FarPointsAreClampedAlongTheirSegment)
{
    TGraphPlot plot;
    plot.SetMarkers(1);
    AddCurve(plot, {{4, 20}, {1e30L, 20}, {4, 20}, {4, -1e300L}});
    Drawing d;
    Draw(d, plot, TPlotTarget::Window, [](TPlotView& v) { v.View[0] = {0, 8, 0, 40}; });
    const int limit = static_cast<int>(kPixelLimit);
    const std::vector<Op> lines = d.CurveOps(kPlot, Kind::LineTo);
    // Segments only (markers of the far points are not drawn; near ones are triangles).
    std::vector<Xy> segmentEnds;
    for (const Op& op : lines) {
        if (std::abs(op.X1 - 405) > 3 || std::abs(op.Y1 - 305) > 3) {
            segmentEnds.push_back({op.X1, op.Y1});
        }
    }
    EXPECT_EQ(segmentEnds, (std::vector<Xy>{{limit, 305}, {405, kPlot.Top - limit}}));
    for (const Op& op : d.canvas.Operations()) {
        EXPECT_LE(std::abs(op.X1), limit);
        EXPECT_LE(std::abs(op.Y1), limit);
    }
}

TEST(PlotDrawing, MarkersOnEveryNthPoint)
{
    const struct
    {
        int markers;
        std::size_t moves, lines;
    } cases[] = {
        // Triangle markers: MoveTo a vertex, three LineTo, MoveTo back to the point.
        {0, 1, 6},
        {1, 1 + 7 * 2, 6 + 7 * 3},
        {3, 1 + 3 * 2, 6 + 3 * 3}, // points 0, 3 and 6
        {10, 1 + 1 * 2, 6 + 1 * 3},
    };
    for (const auto& c : cases) {
        TGraphPlot plot;
        plot.SetMarkers(c.markers);
        AddCurve(plot, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
        Drawing d;
        Draw(d, plot);
        EXPECT_EQ(d.CurveOps(kPlot, Kind::MoveTo).size(), c.moves) << "every " << c.markers;
        EXPECT_EQ(d.CurveOps(kPlot, Kind::LineTo).size(), c.lines) << "every " << c.markers;
    }
}

std::vector<Xy> MarkerOutline(int curve)
{
    TPlotRecordingCanvas canvas;
    // A radius of 10 pixels: 320 pixels per inch / 32.
    DrawMarker(canvas, curve, 100, 100, 320, 320);
    return Points(canvas.Operations());
}

TEST(PlotDrawing, MarkerShapesRepeatEveryTenCurves)
{
    // Triangle with a vertex straight below; back to the point at the end.
    EXPECT_EQ(MarkerOutline(0),
              (std::vector<Xy>{{100, 110}, {91, 95}, {109, 95}, {100, 110}, {100, 100}}));
    // Square with sides parallel to the axes.
    EXPECT_EQ(MarkerOutline(1),
              (std::vector<Xy>{{107, 93}, {107, 107}, {93, 107}, {93, 93}, {107, 93}, {100, 100}}));
    // Square on its corner (four vertices from straight above).
    EXPECT_EQ(
        MarkerOutline(3),
        (std::vector<Xy>{{100, 90}, {110, 100}, {100, 110}, {90, 100}, {100, 90}, {100, 100}}));
    EXPECT_EQ(MarkerOutline(10), MarkerOutline(0));
    EXPECT_EQ(MarkerOutline(20), MarkerOutline(0));
    const std::vector<Xy> decagon = MarkerOutline(9);
    EXPECT_EQ(decagon.size(), 12u);
    EXPECT_EQ(decagon.front(), (Xy{100, 90}));
    EXPECT_EQ(decagon[10], (Xy{100, 90}));
}

TEST(PlotDrawing, InactiveCurvesTakeNoColourHiddenOnesDo)
{
    TGraphPlot plot;
    plot.SetMarkers(0);
    for (int i = 0; i < 5; ++i) {
        AddCurve(plot, {{0, 0}, {1.0L + i, 1}});
    }
    plot.Line(2).Active = false;
    plot.Line(3).Visible = false; // hidden: not drawn, but its colour is used up
    Drawing d;
    Draw(d, plot);
    std::vector<TPlotColor> colours;
    for (const Op& op : d.CurveOps(kPlot, Kind::LineTo)) {
        colours.push_back(op.Pen.Color);
    }
    // Curves 1, 2 and 5 drawn in black, blue and green (curve 4 used red while hidden).
    EXPECT_EQ(
        colours,
        (std::vector<TPlotColor>{kPlotColorTable[0], kPlotColorTable[1], kPlotColorTable[3]}));

    TGraphPlot four;
    four.SetMarkers(0);
    for (int i = 0; i < 4; ++i) {
        AddCurve(four, {{0, 0}, {1.0L + i, 1}});
    }
    four.Line(2).Active = false;
    Drawing d4;
    Draw(d4, four);
    EXPECT_EQ(d4.CurveOps(kPlot, Kind::LineTo).back().Pen.Color, (TPlotColor{255, 0, 0}));
}

TEST(PlotDrawing, CurvePenWidthFollowsResolutionAndWidthFactor)
{
    const struct
    {
        int dpi, widthLine, width;
    } cases[] = {{600, 2, 6},
                 {96, 2, 2},
                 {96, 1, 1},
                 {300, 1, 2},
                 {150, 2, 2},
                 {450, 1, 3},
                 {96, 0, 1},
                 {96, -3, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(CurvePenWidth(c.dpi, c.widthLine), c.width) << c.dpi << " dpi x" << c.widthLine;
    }
    TGraphPlot plot;
    plot.SetWidthLine(2);
    AddCurve(plot, {{0, 0}, {1, 1}});
    Drawing d;
    d.canvas = TPlotRecordingCanvas(67);
    Draw(
        d,
        plot,
        TPlotTarget::Printer,
        [](TPlotView&) {},
        TPlotRect{0, 0, 4800, 6000},
        600);
    const TPlotRect p = d.view.Geometry.Plot;
    const std::vector<Op> lines = d.CurveOps(p, Kind::LineTo);
    ASSERT_FALSE(lines.empty());
    for (const Op& op : lines) {
        EXPECT_EQ(op.Pen.Width, 6);
    }
}

TEST(PlotDrawing, AxisLabelsOfThePartExample)
{
    TGraphPlot plot;
    AddCurve(plot, {{0, 0}, {2.25L, 7.3L}}); // ranges 0..2.3 and 0..8
    plot.SetMarkers(0);
    Drawing d;
    Draw(d, plot);
    // 728 pixels / 84 = 8 intervals: major 0.2; 528 / 84 = 6: major 1.
    const std::vector<std::string> x = d.TextsWith(kAngleHorizontal, kFontWeightNormal);
    EXPECT_EQ(x,
              (std::vector<std::string>{"0",
                                        "0.2",
                                        "0.4",
                                        "0.6",
                                        "0.8",
                                        "1",
                                        "1.2",
                                        "1.4",
                                        "1.6",
                                        "1.8",
                                        "2",
                                        "2.2"}));
    const std::vector<std::string> y = d.TextsWith(kAngleUpward, kFontWeightNormal);
    EXPECT_EQ(y, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8"}));

    const Op one = d.canvas.Texts("1")[0];
    // x 1 at 41 + nearest(316.5) = 358, label 7 pixels wide; above the plot by h + dY/32.
    EXPECT_EQ((Xy{one.X1, one.Y1}), (Xy{355, 24}));
    const Op four = d.canvas.Texts("4")[0];
    // y 4 at 41 + 264 = 305; written upward, centred on the tick.
    EXPECT_EQ((Xy{four.X1, four.Y1}), (Xy{24, 308}));

    int dotted = 0;
    int marks = 0;
    for (const Op& op : d.canvas.Of(Kind::LineTo)) {
        if (op.Pen.Style == TPlotPenStyle::Dot) {
            ++dotted;
            EXPECT_EQ(op.Pen.Width, 1);
        } else if (op.Pen.Width == 1
                   && ((op.X1 == op.X0 && op.Y1 == op.Y0 + 6)
                       || (op.Y1 == op.Y0 && op.X1 == op.X0 + 6))) {
            ++marks;
        }
    }
    EXPECT_EQ(dotted, 12 + 9); // a grid line at every major tick
    EXPECT_EQ(marks, 58 + 41); // a mark at every tick: 0..57 in x, 0..40 in y
}

TEST(PlotDrawing, ZoomedAwayFromZeroTicksStillCountFromZero)
{
    TGraphPlot plot;
    AddCurve(plot, {{0, 0}, {8, 40}});
    Drawing d;
    Draw(d, plot, TPlotTarget::Window, [](TPlotView& v) { v.View[0] = {3.1L, 5, 0, 40}; });
    const std::vector<std::string> x = d.TextsWith(kAngleHorizontal, kFontWeightNormal);
    // 1.9 over 8 intervals: major 0.2, on multiples of 0.2 counted from 0.
    EXPECT_EQ(x,
              (std::vector<
                  std::string>{"3.2", "3.4", "3.6", "3.8", "4", "4.2", "4.4", "4.6", "4.8", "5"}));
    EXPECT_EQ(d.view.Ticks[0].XLow, 0);
}

TEST(PlotDrawing, FontSizeFactorZeroStillGivesTicks)
{
    for (int base : {14, 4}) {
        TGraphPlot plot;
        plot.SetSizeFont(0);
        AddCurve(plot, {{0, 0}, {8, 40}});
        Drawing d;
        d.canvas = TPlotRecordingCanvas(base);
        Draw(d, plot);
        EXPECT_GT(d.view.Ticks[0].Step.X, 0) << "base " << base;
        EXPECT_GT(d.view.Ticks[0].Step.Y, 0) << "base " << base;
        for (const Op& op : d.canvas.Of(Kind::Text)) {
            EXPECT_GE(op.Font.Height, 1);
        }
    }
}

TEST(PlotDrawing, CaptionsWithUnitsAndTitle)
{
    TGraphPlot plot;
    plot.SetXCaption("Total Capacity ");
    plot.SetXUnits("F1");
    plot.SetYCaption("Depth ");
    plot.SetYUnits("L2");
    plot.SetUnits(2);
    AddCurve(plot, {{0, 0}, {1, 1}});
    {
        Drawing d;
        Draw(d, plot);
        // Bold captions at factor 10: 14 pixels high, 7 wide per character.
        const std::vector<Op> x = d.canvas.Texts("Total Capacity  (kN)");
        ASSERT_EQ(x.size(), 1u);
        EXPECT_EQ((Xy{x[0].X1, x[0].Y1}), (Xy{330, 0}));
        EXPECT_EQ(x[0].Font.Weight, kFontWeightBold);
        EXPECT_EQ(x[0].Font.Face, "Times New Roman");
        const std::vector<Op> y = d.canvas.Texts("Depth  (m)");
        ASSERT_EQ(y.size(), 1u);
        EXPECT_EQ((Xy{y[0].X1, y[0].Y1}), (Xy{0, 335}));
        EXPECT_EQ(y[0].Font.Angle, kAngleUpward);
    }
    plot.SetTitle("Pile A");
    plot.SetTitleOnTop(true);
    {
        Drawing d;
        Draw(d, plot);
        EXPECT_EQ(d.canvas.Texts("Total Capacity  (kN)")[0].Y1, 15);
        const Op title = d.canvas.Texts("Pile A")[0];
        EXPECT_EQ((Xy{title.X1, title.Y1}), (Xy{379, 0}));
    }
    plot.SetTitle("");
    plot.SetXOnTop(false);
    {
        Drawing d;
        Draw(d, plot);
        EXPECT_EQ(d.canvas.Texts("Total Capacity  (kN)")[0].Y1, 586);
    }
}

TEST(PlotDrawing, LegendBoxListsVisibleCurvesInTheirOwnColourAndMarker)
{
    TGraphPlot plot;
    for (int i = 0; i < 3; ++i) {
        AddCurve(plot, {{0, 0}, {1.0L + i, 1}});
    }
    plot.Line(1).Visible = false;
    Drawing d;
    Draw(d, plot, TPlotTarget::Bitmap, [](TPlotView& v) { v.LegendPlace = {600, 400, 800, 600}; });
    // Box: widest row 8 x 7 + 3 x 96 / 16 wide, 2 x (3 + 14) + 3 high, at the list's place.
    const TPlotRect box{587, 393, 661, 430};
    EXPECT_EQ(LegendBoxRect(plot, d.view, d.canvas), box);
    bool boxDrawn = false;
    for (const Op& op : d.canvas.Of(Kind::Rectangle)) {
        if (op.Rect == box) {
            boxDrawn = true;
            EXPECT_EQ(op.Brush.Style, TPlotBrushStyle::Solid);
            EXPECT_EQ(op.Brush.Color, kPlotWhite);
            EXPECT_EQ(op.Pen.Color, kPlotBlack);
            EXPECT_EQ(op.Pen.Width, 1);
        }
    }
    EXPECT_TRUE(boxDrawn);
    const std::vector<Op> first = d.canvas.Texts("Curve #1");
    const std::vector<Op> third = d.canvas.Texts("Curve #3");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_TRUE(d.canvas.Texts("Curve #2").empty());
    EXPECT_EQ((Xy{first[0].X1, first[0].Y1}), (Xy{599, 396}));
    EXPECT_EQ((Xy{third[0].X1, third[0].Y1}), (Xy{599, 413}));
    EXPECT_EQ(first[0].Font.Color, kPlotColorTable[0]);
    EXPECT_EQ(third[0].Font.Color, kPlotColorTable[2]); // as its curve, not blue
    // Markers in black: curve 1's triangle below (593, 403), curve 3's triangle above (593, 420).
    bool firstMarker = false, thirdMarker = false;
    for (const Op& op : d.canvas.Of(Kind::MoveTo)) {
        firstMarker = firstMarker || (op.X1 == 593 && op.Y1 == 406 && op.Pen.Color == kPlotBlack);
        thirdMarker = thirdMarker || (op.X1 == 593 && op.Y1 == 417 && op.Pen.Color == kPlotBlack);
    }
    EXPECT_TRUE(firstMarker);
    EXPECT_TRUE(thirdMarker);

    // Without a window the box sits in the top right corner of a depth plot.
    d.view.LegendPlace = {};
    EXPECT_EQ(LegendBoxRect(plot, d.view, d.canvas), (TPlotRect{689, 47, 763, 84}));

    // The window shows its own legend list: no box.
    Drawing w;
    Draw(w, plot);
    EXPECT_TRUE(w.canvas.Texts("Curve #1").empty());
}

struct LayerCase
{
    TGraphPlot plot;
    LayerCase()
    {
        AddCurve(plot, {{0, 0}, {8, 40}});
        plot.SetShowLayers(true);
    }
};

// With the layer column the plot is (41, 41, 673, 569) and the column (692, 41, 769, 569).
const TPlotRect kColumn{692, 41, 769, 569};

TEST(PlotDrawing, LayerBandsWithFillsAndNames)
{
    LayerCase c;
    AddLayer(c.plot, "Sand", 7, 10);
    AddLayer(c.plot, "Clay", 1, 25);
    AddLayer(c.plot, "Other", 13, 40);
    Drawing d;
    Draw(d, c.plot);
    const std::vector<Op> bands = d.InClip(kColumn, Kind::Rectangle);
    ASSERT_EQ(bands.size(), 3u);
    // Depth 10 -> 41 + 132, 25 -> 41 + 330; every band but the last reaches one pixel lower.
    EXPECT_EQ(bands[0].Rect, (TPlotRect{692, 41, 768, 174}));
    EXPECT_EQ(bands[1].Rect, (TPlotRect{692, 173, 768, 372}));
    EXPECT_EQ(bands[2].Rect, (TPlotRect{692, 371, 768, 569}));
    EXPECT_EQ(bands[0].Brush.Style, TPlotBrushStyle::Pattern);
    EXPECT_EQ(bands[0].Brush.PatternIndex, 1);
    EXPECT_EQ(bands[1].Brush.PatternIndex, 13);
    EXPECT_EQ(bands[2].Brush.Style, TPlotBrushStyle::Clear);
    for (const Op& band : bands) {
        EXPECT_EQ(band.Pen.Color, kPlotBlack);
        EXPECT_EQ(band.Pen.Style, TPlotPenStyle::Solid);
    }
    const std::vector<Op> sand = d.canvas.Texts("Sand");
    ASSERT_EQ(sand.size(), 1u);
    EXPECT_EQ(sand[0].Font.Height, 14);
    EXPECT_EQ((Xy{sand[0].X1, sand[0].Y1}), (Xy{716, 100}));
    EXPECT_EQ(d.canvas.Texts("Other").size(), 1u);

    c.plot.SetSizeFont(20); // band names stay at the base size
    Drawing large;
    Draw(large, c.plot);
    EXPECT_EQ(large.canvas.Texts("Sand").at(0).Font.Height, 14);
    c.plot.SetSizeFont(10);

    Drawing printed;
    printed.canvas = TPlotRecordingCanvas(14);
    Draw(printed, c.plot, TPlotTarget::Printer);
    std::vector<int> patterns;
    for (const Op& op : printed.canvas.Of(Kind::Rectangle)) {
        if (op.Brush.Style == TPlotBrushStyle::Pattern) {
            patterns.push_back(op.Brush.PatternIndex);
        }
    }
    EXPECT_EQ(patterns, (std::vector<int>{2, 14}));
}

// The saved bitmap's layer column is half an inch: 740 .. 769 at 96 pixels per inch, 25 pixels
// inside its padding. Names as the program gives them stay inside it: upward in a band high
// enough, in a smaller font in a low one, the blanks around them dropped.
TEST(PlotDrawing, LayerNamesStayInsideTheBitmapsNarrowColumn)
{
    LayerCase c;
    AddLayer(c.plot, " SAND ", 7, 10);
    AddLayer(c.plot, " CLAY ", 1, 11.5L); // 20 pixels high: too low to write upward
    AddLayer(c.plot, "LAYER 3", 0, 40);
    Drawing d;
    const TPlotRect page{0, 0, 800, 600};
    Draw(
        d,
        c.plot,
        TPlotTarget::Bitmap,
        [&](TPlotView& view) {
            view.Geometry = LayoutPlot(c.plot, TPlotTarget::Bitmap, page, 96, 96, 14);
        },
        page);
    const TPlotRect column = d.view.Geometry.LayerColumn;
    ASSERT_EQ(column, (TPlotRect{740, 41, 769, 569}));
    struct TCase
    {
        const char* Text;
        int Angle;
    };
    for (const TCase& expected : {TCase{"SAND", kAngleUpward},
                                  TCase{"CLAY", kAngleHorizontal},
                                  TCase{"LAYER 3", kAngleUpward}}) {
        SCOPED_TRACE(expected.Text);
        const std::vector<Op> texts = d.canvas.Texts(expected.Text);
        ASSERT_EQ(texts.size(), 1u);
        const Op& t = texts[0];
        EXPECT_EQ(t.Font.Angle, expected.Angle);
        // The recording canvas's text is as high as its font, half as wide per character.
        const int length =
            static_cast<int>(std::string(expected.Text).size()) * (t.Font.Height / 2);
        const TPlotRect extent = expected.Angle == kAngleUpward
                                     ? TPlotRect{t.X1, t.Y1 - length, t.X1 + t.Font.Height, t.Y1}
                                     : TPlotRect{t.X1, t.Y1, t.X1 + length, t.Y1 + t.Font.Height};
        EXPECT_GE(extent.Left, column.Left);
        EXPECT_LE(extent.Right, column.Right);
    }
    // "SAND" upward at the base size, centred across the column and down its band (41 .. 174):
    // x 740 + (29 - 14) / 2 = 747, bottom 41 + (133 + 28) / 2 = 121.
    const Op sand = d.canvas.Texts("SAND").at(0);
    EXPECT_EQ(sand.Font.Height, 14);
    EXPECT_EQ((Xy{sand.X1, sand.Y1}), (Xy{747, 121}));
    // "CLAY" (28 pixels at 14) shrunk to 10 x 25 / 28 = 8 tenths: 11 pixels high.
    EXPECT_EQ(d.canvas.Texts("CLAY").at(0).Font.Height, 11);
}

// The deepest layer often reaches below the graph: its name stands in the part that shows.
TEST(PlotDrawing, ALayerReachingBelowTheGraphIsNamedWhereItShows)
{
    LayerCase c;
    AddLayer(c.plot, "Sand", 7, 30);
    AddLayer(c.plot, "Clay", 1, 100); // the graph ends at 40
    Drawing d;
    Draw(d, c.plot);
    const std::vector<Op> clay = d.canvas.Texts("Clay");
    ASSERT_EQ(clay.size(), 1u);
    // 30 ft -> 41 + 396 = 437; the band shows from 437 to the graph's bottom, 569: the name's
    // top at 437 + (132 - 14) / 2 = 496.
    EXPECT_EQ(clay[0].Y1, 496);
}

TEST(PlotDrawing, WallLinesAreLeftOutOfThePlainColumn)
{
    LayerCase c;
    AddLayer(c.plot, "Sand", 7, 10);
    AddLayer(c.plot, "Clay", 1.5L, 25); // not a whole code: outline and name only
    AddLayer(c.plot, "wall", 0, 20);
    AddLayer(c.plot, "level", 0, 15);
    c.plot.SetWallLineCount(2);
    Drawing d;
    Draw(d, c.plot);
    const std::vector<Op> bands = d.InClip(kColumn, Kind::Rectangle);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[1].Rect, (TPlotRect{692, 173, 768, 371}));
    EXPECT_EQ(bands[1].Brush.Style, TPlotBrushStyle::Clear);
    EXPECT_EQ(d.canvas.Texts("Clay").size(), 1u);
    EXPECT_TRUE(d.canvas.Texts("wall").empty());
}

TEST(PlotDrawing, WallGeometrySplitsBandsBesideTheWall)
{
    LayerCase c;
    AddLayer(c.plot, "Sand", 7, 10);
    AddLayer(c.plot, "Clay", 1, 30);
    AddLayer(c.plot, "Deep", 7, 40);
    AddLayer(c.plot, "wall", 0, 20);
    AddLayer(c.plot, "level", 0, 15);
    c.plot.SetWallLineCount(3);
    c.plot.SetShowWall(true);
    Drawing d;
    Draw(d, c.plot);
    std::vector<TPlotRect> rects;
    for (const Op& op : d.InClip(kColumn, Kind::Rectangle)) {
        rects.push_back(op.Rect);
    }
    // Column 77 wide: 2/5 at 722, 3/5 at 738. Depth 10 -> 173, 15 -> 239, 20 -> 305,
    // 30 -> 437, 40 -> 569.
    EXPECT_EQ(rects,
              (std::vector<TPlotRect>{
                  {692, 41, 722, 173},  // above the second level: left part only
                  {692, 173, 722, 437}, // left part from the previous bottom
                  {738, 239, 768, 437}, // right part from the second level
                  {692, 437, 768, 569}, // second level above its top: full width
                  {722, 41, 738, 305},  // the wall, grey
              }));
    EXPECT_EQ(d.InClip(kColumn, Kind::Rectangle).back().Brush.Color, kPlotGrey);
    EXPECT_TRUE(d.InClip(kColumn, Kind::Text).empty());
}

TEST(PlotDrawing, ThreeGraphsJoinEveryPointAndFollowGraphOneFlags)
{
    TGraphPlot plot;
    plot.SetShowThree(true);
    plot.SetMarkers(0);
    for (int i = 0; i < 2; ++i) {
        AddCurve(plot, {{0, 0}, {1, 1}, {2, 3}, {3, 6.0L + i}});
        AddCurve(plot, {{0, 0}, {1, 2}, {2, 2}, {3, 1.0L + i}}, 2);
    }
    AddCurve(plot, {{0, 0}, {1, 2}, {2, 2}, {3, 1}}, 2); // beyond graph 1: its own flags
    AddCurve(plot, {{0, 5}, {1, 4}, {2, 3}, {3, 2}}, 3);
    Drawing d;
    Draw(d, plot);
    const auto& g = d.view.Geometry.Graphs;
    EXPECT_EQ(d.CurveOps(g[0], Kind::LineTo).size(), 6u);
    EXPECT_EQ(d.CurveOps(g[1], Kind::LineTo).size(), 9u);
    EXPECT_EQ(d.CurveOps(g[2], Kind::LineTo).size(), 3u);
    // The last point is joined: graph 3's curve ends at x 3, the right edge of its range.
    EXPECT_EQ(d.CurveOps(g[2], Kind::LineTo).back().X1, g[2].Right);

    plot.Line(1).Visible = false;
    Drawing hidden;
    Draw(hidden, plot);
    const std::vector<Op> second = hidden.CurveOps(g[1], Kind::LineTo);
    ASSERT_EQ(second.size(), 6u);
    EXPECT_EQ(second[0].Pen.Color, kPlotColorTable[0]); // colours restart in each graph
    EXPECT_EQ(second[3].Pen.Color, kPlotColorTable[2]);

    // Three frames, one per graph.
    std::vector<TPlotRect> frames;
    for (const Op& op : hidden.canvas.Of(Kind::Rectangle)) {
        if (op.Brush.Style == TPlotBrushStyle::Clear && op.Pen.Width == 1) {
            frames.push_back(op.Rect);
        }
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1], (TPlotRect{g[1].Left, g[1].Top, g[1].Right + 1, g[1].Bottom + 1}));
}

TEST(PlotDrawing, FrameIsDrawnLastAroundThePlot)
{
    TGraphPlot plot;
    AddCurve(plot, {{0, 0}, {1, 1}});
    Drawing d;
    Draw(d, plot);
    const Op& last = d.canvas.Operations().back();
    EXPECT_EQ(last.What, Kind::Rectangle);
    EXPECT_EQ(last.Rect, (TPlotRect{41, 41, 770, 570}));
    EXPECT_EQ(last.Pen.Width, 1);
    EXPECT_EQ(last.Brush.Style, TPlotBrushStyle::Clear);
}

// On paper the plot runs to the page's right and bottom edges: its frame, the labels at those
// edges and the legend box reach into the margin, which the printer can still reach. Clipped to
// the page, the frame lost its right and bottom lines and the legend box its right side.
TEST(PlotDrawing, PrintedFrameAndLegendBoxLieInsideWhatThePrinterReaches)
{
    // 600 dpi, printable area 75 / 50 pixels from the paper's corner, one-inch margins.
    const TPrinterMetrics printer{600, 600, 75, 50, 4950, 6500};
    const TPlotRect page = PrinterPageRect(printer, 1, 1, 1, 1);
    ASSERT_EQ(page, (TPlotRect{525, 550, 4425, 5950}));
    ASSERT_EQ(PrinterReach(printer), (TPlotRect{0, 0, 4950, 6500}));
    for (const bool xOnTop : {true, false}) {
        TGraphPlot plot;
        plot.SetXOnTop(xOnTop);
        AddCurve(plot, {{0, 0}, {700, 80}});
        plot.Curve(1, 0).Name = "Total Capacity";
        Drawing d;
        d.canvas = TPlotRecordingCanvas(67);
        Draw(
            d,
            plot,
            TPlotTarget::Printer,
            [&](TPlotView& view) { view.Geometry.Clip = PrinterReach(printer); },
            page,
            600);
        const TPlotRect p = d.view.Geometry.Plot;
        EXPECT_EQ(p.Right, page.Right);
        const std::vector<Op> rectangles = d.canvas.Of(Kind::Rectangle);
        ASSERT_FALSE(rectangles.empty());
        int frames = 0;
        for (const Op& op : rectangles) {
            EXPECT_LE(op.Rect.Right, op.Clip.Right) << "x on top " << xOnTop;
            EXPECT_LE(op.Rect.Bottom, op.Clip.Bottom) << "x on top " << xOnTop;
            frames += op.Rect == TPlotRect{p.Left, p.Top, p.Right + 1, p.Bottom + 1} ? 1 : 0;
        }
        EXPECT_EQ(frames, 1) << "the frame, once";
        EXPECT_GE(rectangles.size(), 2u) << "the frame and the legend box";
    }
}

// Settings and values as a damaged plot-data or project file could bring them: the drawing
// stays within its limits and never divides by zero or overflows.
TEST(PlotDrawing, HostileSettingsAndValuesDrawWithoutFault)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double huge = std::numeric_limits<long double>::max();
    const int big = std::numeric_limits<int>::max();
    const int small = std::numeric_limits<int>::min();
    const struct
    {
        int sizeFont, widthLine, markers, wallLines;
        bool showWall, three;
    } settings[] = {
        {10, 1, 1, 0, false, false},
        {big, big, big, big, true, true},
        {small, small, small, small, false, false},
        {0, 0, 0, -1, true, false},
        {-10, -1, -5, 1, true, true},
        {10, 1, 1, 1, true, false}, // wall line without a second level
    };
    for (const auto& set : settings) {
        TGraphPlot plot;
        plot.SetSizeFont(set.sizeFont);
        plot.SetWidthLine(set.widthLine);
        plot.SetMarkers(set.markers);
        plot.SetWallLineCount(set.wallLines);
        plot.SetShowWall(set.showWall);
        plot.SetShowThree(set.three);
        plot.SetShowLayers(true);
        AddCurve(plot,
                 {{0, 0}, {huge, -huge}, {kNaN, 1}, {inf, -inf}, {1e-4000L, 1e4000L}, {2, 3}});
        AddCurve(plot, {{-huge, huge}, {1, 1}});
        AddCurve(plot, {{1, 1}, {2, 2}}, 2);
        AddCurve(plot, {{1, 1}, {2, 2}}, 2); // more side-graph curves than graph-1 curves
        AddCurve(plot, {{1, 1}, {2, 2}}, 2);
        AddLayer(plot, "a", inf, 5);
        AddLayer(plot, "b", -huge, kNaN);
        AddLayer(plot, "c", 7, -huge);
        plot.Layer(2).SetPointCount(0);
        for (TPlotTarget target :
             {TPlotTarget::Window, TPlotTarget::Printer, TPlotTarget::Bitmap}) {
            Drawing d;
            Draw(d, plot, target, [](TPlotView& v) { v.LegendPlace = {big, small, 1, big}; });
            for (const Op& op : d.canvas.Operations()) {
                EXPECT_LE(std::abs(static_cast<long long>(op.X1)),
                          2 * static_cast<long long>(kPixelLimit));
                EXPECT_LE(std::abs(static_cast<long long>(op.Y1)),
                          2 * static_cast<long long>(kPixelLimit));
                EXPECT_GE(op.Pen.Width, 1);
                EXPECT_LE(op.Pen.Width, 4096);
                EXPECT_GE(op.Font.Height, 1);
            }
        }
    }
    // A view that is not a range at all draws a frame and nothing it cannot place.
    TGraphPlot plot;
    AddCurve(plot, {{0, 0}, {1, 1}});
    Drawing d;
    Draw(d, plot, TPlotTarget::Window, [&](TPlotView& v) { v.View[0] = {kNaN, inf, -inf, kNaN}; });
    EXPECT_EQ(d.canvas.Operations().back().Rect, (TPlotRect{41, 41, 770, 570}));
}

TEST(PlotFills, FillCodesChooseHatchesAndPictures)
{
    const struct
    {
        long double code;
        TPlotBrushStyle style;
        int screen, print;
    } cases[] = {
        {1, TPlotBrushStyle::Pattern, 13, 14},
        {2, TPlotBrushStyle::ForwardDiagonal, 0, 0},
        {3, TPlotBrushStyle::Cross, 0, 0},
        {4, TPlotBrushStyle::DiagonalCross, 0, 0},
        {5, TPlotBrushStyle::Horizontal, 0, 0},
        {6, TPlotBrushStyle::Vertical, 0, 0},
        {7, TPlotBrushStyle::Pattern, 1, 2},
        {8, TPlotBrushStyle::Pattern, 3, 4},
        {9, TPlotBrushStyle::Pattern, 5, 6},
        {10, TPlotBrushStyle::Pattern, 7, 8},
        {11, TPlotBrushStyle::Pattern, 9, 10},
        {12, TPlotBrushStyle::Pattern, 11, 12},
        {0, TPlotBrushStyle::Clear, 0, 0},
        {13, TPlotBrushStyle::Clear, 0, 0},
        {1.5L, TPlotBrushStyle::Clear, 0, 0},
        {-7, TPlotBrushStyle::Clear, 0, 0},
        {1e30L, TPlotBrushStyle::Clear, 0, 0},
        {kNaN, TPlotBrushStyle::Clear, 0, 0},
    };
    for (const auto& c : cases) {
        const TPlotBrush screen = LayerFillBrush(c.code, false);
        const TPlotBrush print = LayerFillBrush(c.code, true);
        EXPECT_EQ(screen.Style, c.style) << c.code;
        EXPECT_EQ(print.Style, c.style) << c.code;
        if (c.style == TPlotBrushStyle::Pattern) {
            EXPECT_EQ(screen.PatternIndex, c.screen) << c.code;
            EXPECT_EQ(print.PatternIndex, c.print) << c.code;
        }
        EXPECT_EQ(screen.Color, kPlotBlack);
    }
}

TEST(PlotFills, TilesHaveTheirSizesAndDirections)
{
    // Pictures at 96 pixels per inch keep their sizes; at 192 they double.
    for (int i = 1; i <= kPlotPatternCount; ++i) {
        const TPatternSize size = PlotPatternSize(i);
        const TPlotTile tile =
            MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Pattern, i}, 96);
        EXPECT_EQ(tile.Width, size.Width) << i;
        EXPECT_EQ(tile.Height, size.Height) << i;
        const TPlotTile big =
            MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Pattern, i}, 192);
        EXPECT_EQ(big.Width, 2 * size.Width) << i;
        // Some ink, mostly white ground.
        const auto ink = std::count(tile.Ink.begin(), tile.Ink.end(), 1);
        EXPECT_GT(ink, 0) << i;
        EXPECT_LT(ink, static_cast<long>(tile.Ink.size() / 2)) << i;
    }
    EXPECT_EQ(PlotPatternSize(3).Width, 30);
    EXPECT_EQ(PlotPatternSize(10).Height, 192);

    // Clay: lines from top left to bottom right.
    const TPlotTile clay = MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Pattern, 13}, 96);
    EXPECT_TRUE(clay.At(5, 5));
    EXPECT_TRUE(clay.At(25, 15));
    EXPECT_FALSE(clay.At(5, 74));

    // Forward diagonal hatch rises to the right, 8 pixels apart at 96 pixels per inch.
    const TPlotTile fd =
        MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::ForwardDiagonal, 0}, 96);
    ASSERT_EQ(fd.Width, 8);
    EXPECT_TRUE(fd.At(0, 0));
    EXPECT_TRUE(fd.At(7, 1));
    EXPECT_TRUE(fd.At(1, 7));
    EXPECT_FALSE(fd.At(1, 1));
    const TPlotTile cross = MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Cross, 0}, 300);
    EXPECT_EQ(cross.Width, 25);
    EXPECT_TRUE(cross.At(0, 13));
    EXPECT_TRUE(cross.At(13, 0));
    EXPECT_FALSE(cross.At(13, 13));
    EXPECT_TRUE(MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Solid, 0}, 96).Ink.empty());
    EXPECT_TRUE(MakeFillTile(TPlotBrush{kPlotBlack, TPlotBrushStyle::Pattern, 15}, 96).Ink.empty());
}

} // namespace
