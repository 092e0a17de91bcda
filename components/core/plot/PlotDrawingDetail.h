#pragma once

// The parts of the one drawing routine (PlotDrawing.h), for its own files: the pen and brush
// as the routine sets them, what every part draws with, and the parts.

#include "plot/PlotCanvas.h"
#include "plot/PlotLayout.h"

class TGraphPlot;

namespace PlotDrawingDetail {

// Pen and brush as the routine sets them, so one property can change at a time.
class Tools
{
public:
    explicit Tools(TPlotCanvas& canvas)
        : m_canvas(canvas)
    {}
    void Pen(const TPlotPen& pen)
    {
        m_pen = pen;
        m_canvas.SetPen(m_pen);
    }
    const TPlotPen& Pen() const { return m_pen; }
    void PenColor(TPlotColor color)
    {
        m_pen.Color = color;
        m_canvas.SetPen(m_pen);
    }
    void PenStyle(TPlotPenStyle style)
    {
        m_pen.Style = style;
        m_canvas.SetPen(m_pen);
    }
    void PenWidth(int width)
    {
        m_pen.Width = width;
        m_canvas.SetPen(m_pen);
    }
    void Brush(const TPlotBrush& brush)
    {
        m_brush = brush;
        m_canvas.SetBrush(m_brush);
    }
    void Brush(TPlotColor color, TPlotBrushStyle style) { Brush(TPlotBrush{color, style, 0}); }

private:
    TPlotCanvas& m_canvas;
    TPlotPen m_pen;
    TPlotBrush m_brush;
};

struct Context
{
    const TGraphPlot& plot;
    TPlotView& view;
    TPlotCanvas& canvas;
    Tools tools;
    int dX;
    int dY;
    int f;
    int penWidth;
};

// A rectangle outlined around pixels Left .. Right and Top .. Bottom.
inline TPlotRect Inclusive(const TPlotRect& r)
{
    return TPlotRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
}

// Captions of the one-graph layout: the X caption, the title and the Y caption.
void DrawCaptionsOneGraph(Context& c);
// Captions of the three-graph layout: the title and each graph's X and Y captions.
void DrawCaptionsThreeGraphs(Context& c);
// Grid lines, ticks and labels of a graph, from its tick record in the view.
void DrawAxes(Context& c, int graph, const TPlotRect& rect);
// The legend box of the printed or saved chart.
void DrawLegendBox(Context& c);
// The column of soil-layer bands beside the graph.
void DrawLayerColumn(Context& c);

} // namespace PlotDrawingDetail
