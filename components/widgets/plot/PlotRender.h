#pragma once

#include <optional>

#include "plot/PlotLayout.h"

class QPainter;
class TGraphPlot;

// What a chart is drawn on: the chart window, a printer page or a bitmap.
struct TRenderTarget
{
    TPlotTarget Target = TPlotTarget::Window; // what is drawn on (legend box, print patterns)
    TPlotTarget Layout = TPlotTarget::Window; // whose layout the page takes
    TPlotRect Page;
    std::optional<TPlotRect> Clip; // what the drawing may cover when more than the page
    int DX = 96;                   // pixels per inch
    int DY = 96;
    int BaseFontHeight = 14; // the canvas font, in pixels, that chart text is scaled from
};

// The chart's geometry on the target: its layout at the target's resolution and scaled font.
TPlotGeometry LayoutOnTarget(const TGraphPlot& plot, const TRenderTarget& target);

// The one render path of every target: the view laid out on the target and the chart drawn
// with the painter. The view keeps the geometry and the ticks it was drawn with.
void RenderPlot(QPainter& painter,
                const TGraphPlot& plot,
                TPlotView& view,
                const TRenderTarget& target);
