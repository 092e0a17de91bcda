// The column of soil-layer bands beside the graph: each layer's band filled by its fill code and
// named, or the wall geometry.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "plot/PlotDrawingDetail.h"
#include "plot/PlotFill.h"
#include "plot/TGraphPlot.h"

using namespace PlotDrawingDetail;

namespace {

// Factor of the band labels' font, whatever SizeFont is.
constexpr int kBandLabelFactor = 10;

// A band of the layer column, outlined and filled by its fill code.
void DrawBand(Context& c, const TPlotRect& band, long double fillCode)
{
    c.tools.PenColor(kPlotBlack);
    c.tools.PenStyle(TPlotPenStyle::Solid);
    c.tools.Brush(LayerFillBrush(fillCode, c.view.Target == TPlotTarget::Printer));
    TPlotRect r = band;
    if (r.Bottom < r.Top) {
        std::swap(r.Top, r.Bottom);
    }
    c.canvas.Rectangle(r);
}

// The layer's name centred in its band, on a white ground so that the fill does not hide
// it. A name wider than the column (the narrow column of a saved bitmap, a long name) is
// written upward when the band is high enough, else in a font small enough to fit; a band
// too low for any of it gets no name.
void DrawBandLabel(Context& c,
                   const std::string& name,
                   const TPlotRect& column,
                   int bandTop,
                   int py)
{
    // The blanks around a name (" SAND ") take room and show nothing.
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) {
        return;
    }
    const std::string text = name.substr(first, name.find_last_not_of(' ') - first + 1);
    const int pad = std::max(1, c.dX / 48);
    const int room = column.Width() - 2 * pad;
    const int bandHeight = std::abs(py - bandTop);
    const int top = std::min(bandTop, py);
    SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightNormal, kBandLabelFactor);
    int w = c.canvas.TextWidth(text);
    int h = c.canvas.TextHeight(text);
    if (w > room && w + 2 * pad <= bandHeight && h <= room) {
        SelectScaledFont(c.canvas, kAngleUpward, kFontWeightNormal, kBandLabelFactor);
        const int left = column.Left + (column.Width() - h) / 2;
        const int bottom = top + (bandHeight + w) / 2;
        c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
        c.canvas.FillRect(TPlotRect{left, bottom - w - pad, left + h, bottom + pad});
        c.canvas.TextOut(left, bottom, text);
        return;
    }
    if (w > room && room > 0) {
        const int factor = std::max(1, kBandLabelFactor * room / w);
        SelectScaledFont(c.canvas, kAngleHorizontal, kFontWeightNormal, factor);
        w = c.canvas.TextWidth(text);
        h = c.canvas.TextHeight(text);
    }
    if (h > bandHeight || w > std::max(room, 0)) {
        return;
    }
    const int left = column.Left + (column.Width() - w) / 2;
    const int textTop = top + (bandHeight - h) / 2;
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
    c.canvas.FillRect(TPlotRect{left - pad, textTop, left + w + pad, textTop + h});
    c.canvas.TextOut(left, textTop, text);
}

} // namespace

namespace PlotDrawingDetail {

void DrawLayerColumn(Context& c)
{
    const TGraphPlot& plot = c.plot;
    if (plot.LayerCount() == 0 || plot.LayerPointCount() == 0) {
        return;
    }
    const TPlotGeometry& g = c.view.Geometry;
    const TPlotRect& column = g.LayerColumn;
    const TPlotRect& graphRect = g.Graphs[0];
    const TPlotRange& range = c.view.View[0];
    const bool xOnTop = plot.XOnTop();
    auto pixelY = [&](long double depth) {
        return ValueToPixelY(range, graphRect, depth, xOnTop);
    };

    int drawn = plot.LayerCount();
    if (plot.WallLineCount() > 0) {
        drawn -= plot.ShowWall() ? 1 : 2;
    }
    drawn = std::max(0, drawn);
    c.canvas.SetClipRect(column);

    if (!plot.ShowWall()) {
        std::vector<std::pair<const TLine*, const TFloatPoint*>> bands;
        for (int i = 0; i < drawn; ++i) {
            for (const TFloatPoint& p : plot.Layer(i).PointList()) {
                bands.emplace_back(&plot.Layer(i), &p);
            }
        }
        int bandTop = pixelY(plot.LayerTop());
        for (std::size_t k = 0; k < bands.size(); ++k) {
            const TFloatPoint& p = *bands[k].second;
            if (!std::isfinite(p.Y)) {
                continue;
            }
            const int py = pixelY(p.Y);
            const bool lastBand = k + 1 == bands.size();
            const int bottom = std::min(graphRect.Bottom, lastBand ? py : py + 1);
            DrawBand(c, TPlotRect{column.Left, bandTop, column.Right - 1, bottom}, p.X);
            // A layer reaching below the graph is named in the part of its band that shows.
            DrawBandLabel(c,
                          bands[k].first->GetCaption(),
                          column,
                          bandTop,
                          std::min(py, graphRect.Bottom));
            bandTop = py;
        }
    } else {
        const int wallIndex = plot.WallLineCount();
        const auto levelOf = [&](int i, long double fallback) {
            if (i < 0 || i >= plot.LayerCount() || plot.Layer(i).PointCount() == 0
                || !std::isfinite(plot.Layer(i).Points(0).Y)) {
                return fallback;
            }
            return plot.Layer(i).Points(0).Y;
        };
        const long double infinity = std::numeric_limits<long double>::infinity();
        // Without a second level nothing lies beside the wall: only the left part is drawn.
        const long double second =
            levelOf(wallIndex < plot.LayerCount() ? wallIndex + 1 : -1, infinity);
        const int cw = column.Width();
        const int leftEdge = column.Left + 2 * cw / 5;
        const int rightEdge = column.Left + 3 * cw / 5;
        long double previousDepth = plot.LayerTop();
        int previousPixel = column.Top;
        for (int i = 0; i < drawn; ++i) {
            if (i == wallIndex) {
                continue;
            }
            for (const TFloatPoint& p : plot.Layer(i).PointList()) {
                if (!std::isfinite(p.Y)) {
                    continue;
                }
                const int py = pixelY(p.Y);
                if (second <= previousDepth) {
                    DrawBand(c, TPlotRect{column.Left, previousPixel, column.Right - 1, py}, p.X);
                } else {
                    DrawBand(c, TPlotRect{column.Left, previousPixel, leftEdge, py}, p.X);
                    if (second < p.Y) {
                        DrawBand(c,
                                 TPlotRect{rightEdge, pixelY(second), column.Right - 1, py},
                                 p.X);
                    }
                }
                previousDepth = p.Y;
                previousPixel = py;
            }
        }
        const long double wallDepth = levelOf(wallIndex, plot.LayerTop());
        c.tools.PenColor(kPlotBlack);
        c.tools.Brush(kPlotGrey, TPlotBrushStyle::Solid);
        TPlotRect wall{leftEdge, column.Top, rightEdge, pixelY(wallDepth)};
        if (wall.Bottom < wall.Top) {
            std::swap(wall.Top, wall.Bottom);
        }
        c.canvas.Rectangle(wall);
    }
    c.tools.PenColor(kPlotBlack);
    c.tools.Brush(kPlotWhite, TPlotBrushStyle::Solid);
    c.canvas.SetClipRect(g.Clip);
}

} // namespace PlotDrawingDetail
