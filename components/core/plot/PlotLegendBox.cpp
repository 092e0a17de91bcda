// The legend box of a printed or saved chart: a row per visible curve with its marker and its
// text in the curve's colour, where the window's legend list stands.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "plot/PlotDrawing.h"
#include "plot/PlotDrawingDetail.h"
#include "plot/TGraphPlot.h"

using namespace PlotDrawingDetail;

namespace {

std::vector<const TLegendRow*>
VisibleLegendRows(const TGraphPlot& plot, const TPlotView& view, std::vector<int>* colours)
{
    std::vector<const TLegendRow*> rows;
    for (std::size_t r = 0; r < view.Legend.size(); ++r) {
        const TLegendRow& row = view.Legend[r];
        if (row.Curve < 0 || row.Curve >= plot.LineCount() || !plot.Line(row.Curve).Visible) {
            continue;
        }
        rows.push_back(&row);
        if (colours != nullptr) {
            colours->push_back(static_cast<int>(r));
        }
    }
    return rows;
}

} // namespace

namespace PlotDrawingDetail {

void DrawLegendBox(Context& c)
{
    std::vector<int> colours;
    const std::vector<const TLegendRow*> rows = VisibleLegendRows(c.plot, c.view, &colours);
    const TPlotRect box = LegendBoxRect(c.plot, c.view, c.canvas);
    if (rows.empty()) {
        return;
    }
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightNormal, c.plot.SizeFont());
    int h = 0;
    for (const TLegendRow* row : rows) {
        h = std::max(h, c.canvas.TextHeight(row->Text));
    }
    // The box is outlined thin like the frame; its markers keep the curves' width.
    const int curveWidth = c.tools.Pen().Width;
    c.tools.Pen(TPlotPen{kPlotBlack, TPlotPenStyle::Solid, 1, TPlotPenMode::Copy});
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
    c.canvas.Rectangle(box);
    c.tools.PenWidth(curveWidth);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int top = box.Top + c.dY / 32 + static_cast<int>(r) * (c.dY / 32 + h);
        // Colour and marker are those of the row's curve, so a hidden or inactive curve
        // before it does not shift them.
        DrawMarker(c.canvas, rows[r]->Curve, box.Left + c.dX / 16, top + h / 2, c.dX, c.dY);
        SelectScaledFont(c.canvas,
                         kAngleHorizontal,
                         kFontWeightNormal,
                         c.plot.SizeFont(),
                         PlotCurveColor(colours[r]));
        c.canvas.TextOut(box.Left + c.dX / 8, top, rows[r]->Text);
    }
}

} // namespace PlotDrawingDetail

TPlotRect LegendBoxRect(const TGraphPlot& plot, const TPlotView& view, TPlotCanvas& canvas)
{
    const std::vector<const TLegendRow*> rows = VisibleLegendRows(plot, view, nullptr);
    if (rows.empty()) {
        return {};
    }
    const TPlotGeometry& g = view.Geometry;
    SelectScaledFont(canvas, kAngleHorizontal, kFontWeightNormal, plot.SizeFont());
    int widest = 0;
    int h = 0;
    for (const TLegendRow* row : rows) {
        widest = std::max(widest, canvas.TextWidth(row->Text));
        h = std::max(h, canvas.TextHeight(row->Text));
    }
    const int width = widest + 3 * g.DX / 16;
    const int height = static_cast<int>(rows.size()) * (g.DY / 32 + h) + g.DY / 32;
    const TPlotRect& p = g.Plot;
    const TLegendPlacement& place = view.LegendPlace;
    std::int64_t left = 0;
    std::int64_t top = 0;
    if (place.WindowWidth > 0 && place.WindowHeight > 0) {
        left = p.Left
               + static_cast<std::int64_t>(place.ListLeft) * (p.Right - p.Left) / place.WindowWidth;
        top = p.Top
              + static_cast<std::int64_t>(p.Bottom - p.Top) * place.ListTop / place.WindowHeight;
    } else {
        left = p.Right - width - g.DX / 16;
        top = plot.XOnTop() ? p.Top + g.DY / 16 : p.Bottom - height - g.DY / 16;
    }
    // Whatever the window reported, the box stays on the page.
    left = std::clamp<std::int64_t>(left, g.Page.Left, std::max(g.Page.Left, g.Page.Right - width));
    top = std::clamp<std::int64_t>(top, g.Page.Top, std::max(g.Page.Top, g.Page.Bottom - height));
    return TPlotRect{static_cast<int>(left),
                     static_cast<int>(top),
                     static_cast<int>(left) + width,
                     static_cast<int>(top) + height};
}
