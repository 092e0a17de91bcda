#include "plot/PlotDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "plot/PlotClip.h"
#include "plot/PlotDrawingDetail.h"
#include "plot/TGraphPlot.h"

using namespace PlotDrawingDetail;

namespace {

struct Point
{
    int X;
    int Y;
    friend bool operator==(const Point&, const Point&) = default;
};

int RoundX(const TPlotRect& rect, long double exact)
{
    return rect.Left + ToPixel(exact - rect.Left);
}

int RoundY(const TPlotRect& rect, long double exact, bool xOnTop)
{
    return xOnTop ? rect.Top + ToPixel(exact - rect.Top)
                  : rect.Bottom - ToPixel(rect.Bottom - exact);
}

// One curve: lines through its finite points in order (a point that is not finite leaves a
// gap), a marker on every Markers-th point.
void DrawCurve(Context& c,
               const TLine& line,
               int curveIndex,
               const TPlotRange& range,
               const TPlotRect& rect)
{
    const bool xOnTop = c.plot.XOnTop();
    const int markers = c.plot.Markers();
    bool havePrevious = false;
    long double prevX = 0;
    long double prevY = 0;
    bool penAt = false;
    Point current{0, 0};
    const auto& points = line.PointList();
    for (std::size_t j = 0; j < points.size(); ++j) {
        const TFloatPoint& p = points[j];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y)) {
            havePrevious = false;
            continue;
        }
        const long double ex = PixelXExact(range, rect, p.X);
        const long double ey = PixelYExact(range, rect, p.Y, xOnTop);
        if (!std::isfinite(ex) || !std::isfinite(ey)) {
            havePrevious = false; // beyond even extended range once scaled: a gap as well
            continue;
        }
        if (!havePrevious) {
            if (InsidePixelLimit(ex, ey)) {
                current = Point{RoundX(rect, ex), RoundY(rect, ey, xOnTop)};
                c.canvas.MoveTo(current.X, current.Y);
                penAt = true;
            } else {
                penAt = false;
            }
        } else {
            long double x0 = prevX, y0 = prevY, x1 = ex, y1 = ey;
            if (ClipToPixelLimit(x0, y0, x1, y1)) {
                const Point a{RoundX(rect, x0), RoundY(rect, y0, xOnTop)};
                const Point b{RoundX(rect, x1), RoundY(rect, y1, xOnTop)};
                if (!penAt || !(current == a)) {
                    c.canvas.MoveTo(a.X, a.Y);
                }
                c.canvas.LineTo(b.X, b.Y);
                current = b;
                penAt = true;
            }
        }
        if (markers > 0 && j % static_cast<std::size_t>(markers) == 0 && InsidePixelLimit(ex, ey)) {
            const Point m{RoundX(rect, ex), RoundY(rect, ey, xOnTop)};
            DrawMarker(c.canvas, curveIndex, m.X, m.Y, c.dX, c.dY);
            current = m;
            penAt = true;
        }
        havePrevious = true;
        prevX = ex;
        prevY = ey;
    }
}

// The curves of one graph, clipped to its rectangle. Colours count the active curves only;
// graphs 2 and 3 follow the Active and Visible flags of the graph-1 curve at the same place.
void DrawCurves(Context& c, int graph, const TPlotRect& rect)
{
    const std::vector<const TLine*> lines = c.plot.Curves(graph);
    if (lines.empty() || lines[0]->PointCount() <= 1) {
        return;
    }
    c.canvas.SetClipRect(Inclusive(rect));
    const TPlotRange& range = c.view.View[graph - 1];
    int colour = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int index = static_cast<int>(i);
        const TLine& flags =
            (graph == 1 || index >= c.plot.LineCount()) ? *lines[i] : c.plot.Line(index);
        if (!flags.Active) {
            continue;
        }
        if (flags.Visible) {
            const TPlotColor color = PlotCurveColor(colour);
            c.tools.PenColor(color);
            c.tools.Brush(color, TPlotBrushStyle::Solid);
            DrawCurve(c, *lines[i], index, range, rect);
        }
        ++colour;
    }
    c.tools.PenColor(kPlotBlack);
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
    c.canvas.SetClipRect(c.view.Geometry.Clip);
}

void DrawFrames(Context& c)
{
    c.tools.Pen(TPlotPen{kPlotBlack, TPlotPenStyle::Solid, 1, TPlotPenMode::Copy});
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Clear);
    const TPlotGeometry& g = c.view.Geometry;
    const int count = c.plot.ShowThree() ? 3 : 1;
    for (int i = 0; i < count; ++i) {
        const TPlotRect& r = c.plot.ShowThree() ? g.Graphs[i] : g.Plot;
        c.canvas.Rectangle(Inclusive(r));
    }
}

} // namespace

TPlotColor PlotCurveColor(int k)
{
    return kPlotColorTable[static_cast<std::size_t>(std::max(0, k) % kPlotColorCount)];
}

int CurvePenWidth(int dX, int widthLine)
{
    // Halves round to even, as every nearest() of the layout does.
    const std::int64_t base = static_cast<std::int64_t>(std::nearbyint(dX / 300.0)) + 1;
    return static_cast<int>(std::clamp<std::int64_t>(base * widthLine, 1, 4096));
}

void DrawMarker(TPlotCanvas& canvas, int curveIndex, int px, int py, int dX, int dY)
{
    const int shape = (std::max(0, curveIndex) % 10) + 1;
    const long double pi = std::numbers::pi_v<long double>;
    std::vector<long double> angles;
    if (shape == 1) {
        for (int k = 0; k <= 3; ++k) {
            angles.push_back(pi + k * 2 * pi / 3);
        }
    } else if (shape == 2) {
        for (int k = 0; k <= 4; ++k) {
            angles.push_back(pi / 4 + k * pi / 2);
        }
    } else {
        for (int k = 0; k <= shape; ++k) {
            angles.push_back(k * 2 * pi / shape);
        }
    }
    for (std::size_t k = 0; k < angles.size(); ++k) {
        const int x = px + static_cast<int>(std::nearbyint(std::sin(angles[k]) * dX / 32));
        const int y = py - static_cast<int>(std::nearbyint(std::cos(angles[k]) * dY / 32));
        if (k == 0) {
            canvas.MoveTo(x, y);
        } else {
            canvas.LineTo(x, y);
        }
    }
    canvas.MoveTo(px, py);
}

void DrawPlot(const TGraphPlot& plot, TPlotView& view, TPlotCanvas& canvas)
{
    const TPlotGeometry& g = view.Geometry;
    const int penWidth = CurvePenWidth(g.DX, plot.WidthLine());
    Context c{plot, view, canvas, Tools(canvas), g.DX, g.DY, 0, penWidth};
    canvas.SetClipRect(g.Clip);
    c.tools.Pen(TPlotPen{kPlotWhite, TPlotPenStyle::Clear, penWidth, TPlotPenMode::Copy});
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
    canvas.FillRect(g.Page);
    c.tools.Pen(TPlotPen{kPlotBlack, TPlotPenStyle::Solid, penWidth, TPlotPenMode::Copy});
    // Less than an inch either way leaves a blank page.
    if (g.DX <= 0 || g.DY <= 0 || g.Page.Width() < g.DX || g.Page.Height() < g.DY) {
        return;
    }
    c.f = ScaleFontSize(canvas, plot.SizeFont());
    const bool three = plot.ShowThree();
    if (three) {
        DrawCaptionsThreeGraphs(c);
    } else {
        DrawCaptionsOneGraph(c);
    }
    // Pixels per tick interval; never 0, whatever the font size.
    const int unit = std::max(1, (three ? 4 : 6) * c.f);
    const int graphs = three ? 3 : 1;
    for (int i = 0; i < graphs; ++i) {
        const TPlotRect& rect = three ? g.Graphs[i] : g.Plot;
        view.Ticks[i] = ComputeTicks(view.View[i], rect, unit);
        if (view.Ticks[i].Step.X > 0 && view.Ticks[i].Step.Y > 0) {
            DrawAxes(c, i + 1, rect);
        }
    }
    for (int i = 0; i < graphs; ++i) {
        DrawCurves(c, i + 1, three ? g.Graphs[i] : g.Plot);
    }
    if (view.Target != TPlotTarget::Window) {
        DrawLegendBox(c);
    }
    if (plot.ShowLayers()) {
        DrawLayerColumn(c);
    }
    DrawFrames(c);
}
