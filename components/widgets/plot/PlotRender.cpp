#include "plot/PlotRender.h"

#include <QPainter>

#include "plot/PlotDrawing.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"

TPlotGeometry LayoutOnTarget(const TGraphPlot& plot, const TRenderTarget& target)
{
    return LayoutPlot(plot,
                      target.Layout,
                      target.Page,
                      target.DX,
                      target.DY,
                      ScaleFontHeight(target.BaseFontHeight, plot.SizeFont()));
}

void RenderPlot(QPainter& painter,
                const TGraphPlot& plot,
                TPlotView& view,
                const TRenderTarget& target)
{
    TQPainterCanvas canvas(painter, target.BaseFontHeight, target.DX);
    view.Target = target.Target;
    view.Geometry = LayoutOnTarget(plot, target);
    if (target.Clip) {
        view.Geometry.Clip = *target.Clip;
    }
    DrawPlot(plot, view, canvas);
}
