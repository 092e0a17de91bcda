// Axes and captions of the chart: grid lines, ticks and their labels, the axis captions and the
// title.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "entry/NumberFormat.h"
#include "plot/PlotDrawing.h"
#include "plot/PlotDrawingDetail.h"
#include "plot/TGraphPlot.h"

using namespace PlotDrawingDetail;

namespace {

// Significant digits of tick labels.
constexpr int kTickLabelDigits = 4;

// Tick indices of an axis worth visiting: those of the record that can fall inside the view.
void VisibleTickSpan(long double minimum,
                     long double maximum,
                     long double step,
                     int low,
                     int high,
                     int& first,
                     int& last)
{
    const long double limit = 1073741824.0L;
    const long double lo = std::clamp(std::floor(minimum / step) - 1, -limit, limit);
    const long double hi = std::clamp(std::ceil(maximum / step) + 1, -limit, limit);
    first = std::max(low, static_cast<int>(lo));
    last = std::min(high, static_cast<int>(hi));
}

bool Titled(const TGraphPlot& plot)
{
    return !plot.Title().empty();
}

void DrawTitle(Context& c)
{
    if (!Titled(c.plot)) {
        return;
    }
    const TPlotRect& page = c.view.Geometry.Page;
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightBold, c.plot.SizeFont());
    const std::string& title = c.plot.Title();
    const int w = c.canvas.TextWidth(title);
    const int h = c.canvas.TextHeight(title);
    c.canvas.TextOut((page.Left + page.Right - w) / 2,
                     c.plot.TitleOnTop() ? page.Top : page.Bottom - h,
                     title);
}

} // namespace

namespace PlotDrawingDetail {

void DrawAxes(Context& c, int graph, const TPlotRect& rect)
{
    const TPlotTicks& t = c.view.Ticks[graph - 1];
    const TPlotRange& range = c.view.View[graph - 1];
    const bool xOnTop = c.plot.XOnTop();
    const int keptWidth = c.tools.Pen().Width;
    c.tools.PenWidth(1);
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightNormal, c.plot.SizeFont());
    if (t.XHigh > t.XLow) {
        int first = 0, last = -1;
        VisibleTickSpan(range.XMin, range.XMax, t.Step.X, t.XLow, t.XHigh, first, last);
        for (int k = first; k <= last; ++k) {
            const int px = ValueToPixelX(range, rect, k * t.Step.X);
            if (px < rect.Left || px > rect.Right) {
                continue;
            }
            if (k % 5 == 0) {
                c.tools.PenStyle(TPlotPenStyle::Dot);
                c.canvas.MoveTo(px, rect.Top);
                c.canvas.LineTo(px, rect.Bottom);
                c.tools.PenStyle(TPlotPenStyle::Solid);
                const std::string label = FormatFloatGeneral(k * t.Step.X, kTickLabelDigits);
                const int w = c.canvas.TextWidth(label);
                const int h = c.canvas.TextHeight(label);
                c.canvas.TextOut(px - w / 2,
                                 xOnTop ? rect.Top - h - c.dY / 32 : rect.Bottom + c.dY / 16,
                                 label);
            }
            const int edge = xOnTop ? rect.Top : rect.Bottom;
            c.canvas.MoveTo(px, edge);
            c.canvas.LineTo(px, xOnTop ? edge + c.dY / 16 : edge - c.dY / 16);
        }
    }
    if (t.YHigh > t.YLow) {
        SelectScaledFont(c.canvas, kAngleUpward, kFontWeightNormal, c.plot.SizeFont());
        int first = 0, last = -1;
        VisibleTickSpan(range.YMin, range.YMax, t.Step.Y, t.YLow, t.YHigh, first, last);
        const int top = std::min(rect.Top, rect.Bottom);
        const int bottom = std::max(rect.Top, rect.Bottom);
        for (int k = first; k <= last; ++k) {
            const int py = ValueToPixelY(range, rect, k * t.Step.Y, xOnTop);
            if (py < top || py > bottom) {
                continue;
            }
            if (k % 5 == 0) {
                c.tools.PenStyle(TPlotPenStyle::Dot);
                c.canvas.MoveTo(rect.Left, py);
                c.canvas.LineTo(rect.Right, py);
                c.tools.PenStyle(TPlotPenStyle::Solid);
                const std::string label = FormatFloatGeneral(k * t.Step.Y, kTickLabelDigits);
                const int w = c.canvas.TextWidth(label);
                const int h = c.canvas.TextHeight(label);
                c.canvas.TextOut(rect.Left - h - c.dX / 32, py + w / 2, label);
            }
            c.canvas.MoveTo(rect.Left, py);
            c.canvas.LineTo(rect.Left + c.dX / 16, py);
        }
    }
    c.tools.PenWidth(keptWidth);
}

void DrawCaptionsOneGraph(Context& c)
{
    const TGraphPlot& plot = c.plot;
    const TPlotRect& page = c.view.Geometry.Page;
    const bool titled = Titled(plot);
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightBold, plot.SizeFont());
    const std::string x = AxisCaption(plot.XCaption(), plot.XUnits(), plot.Units());
    const int w = c.canvas.TextWidth(x);
    const int h = c.canvas.TextHeight(x);
    int top = 0;
    if (plot.XOnTop()) {
        top = page.Top + (plot.TitleOnTop() && titled ? c.f / 8 + c.f : 0);
    } else {
        top = page.Bottom - h - (titled && !plot.TitleOnTop() ? c.f / 8 + c.f : 0);
    }
    c.canvas.TextOut((std::abs(page.Left + page.Right) - w) / 2, top, x);
    DrawTitle(c);
    SelectScaledFont(c.canvas, kAngleUpward, kFontWeightBold, plot.SizeFont());
    const std::string y = AxisCaption(plot.YCaption(), plot.YUnits(), plot.Units());
    c.canvas.TextOut(page.Left, (page.Top + page.Bottom + c.canvas.TextWidth(y)) / 2, y);
}

void DrawCaptionsThreeGraphs(Context& c)
{
    const TGraphPlot& plot = c.plot;
    const TPlotGeometry& g = c.view.Geometry;
    const bool titled = Titled(plot);
    DrawTitle(c);
    const std::string xs[3] = {AxisCaption(plot.XCaption(), plot.XUnits(), plot.Units()),
                               AxisCaption(plot.XCaption2(), plot.XUnits2(), plot.Units()),
                               AxisCaption(plot.XCaption3(), plot.XUnits3(), plot.Units())};
    const std::string ys[3] = {AxisCaption(plot.YCaption(), plot.YUnits(), plot.Units()),
                               AxisCaption(plot.YCaption2(), plot.YUnits2(), plot.Units()),
                               AxisCaption(plot.YCaption3(), plot.YUnits3(), plot.Units())};
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightBold, plot.SizeFont());
    for (int i = 0; i < 3; ++i) {
        const TPlotRect& r = g.Graphs[i];
        const int w = c.canvas.TextWidth(xs[i]);
        const int h = c.canvas.TextHeight(xs[i]);
        int top = 0;
        if (plot.XOnTop()) {
            top = g.Page.Top + c.dY / 16 + (titled && plot.TitleOnTop() ? c.dY / 4 : 0);
        } else {
            top = g.Page.Bottom - c.dY / 16 - h - (titled && !plot.TitleOnTop() ? c.dY / 4 : 0);
        }
        c.canvas.TextOut((std::abs(r.Left + r.Right) - w) / 2, top, xs[i]);
    }
    SelectScaledFont(c.canvas, kAngleUpward, kFontWeightBold, plot.SizeFont());
    for (int i = 0; i < 3; ++i) {
        const int w = c.canvas.TextWidth(ys[i]);
        // A saved bitmap centres the caption on the plot, the window and the page on the page.
        const int y = c.view.Target == TPlotTarget::Bitmap ? (g.Plot.Top + g.Plot.Bottom + w) / 2
                                                           : (g.Page.Top + g.Page.Bottom + w) / 2;
        c.canvas.TextOut(g.Graphs[i].Left - c.dX / 8 - 2 * c.f, y, ys[i]);
    }
}

} // namespace PlotDrawingDetail

std::string AxisCaption(const std::string& caption, const std::string& units, int unitSystem)
{
    if (units.empty()) {
        return caption;
    }
    return caption + " (" + ExpandUnitPlaceholders(units, unitSystem) + ")";
}
