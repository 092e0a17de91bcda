#pragma once

#include "plot/PlotCanvas.h"
#include "plot/PlotLayout.h"

class TGraphPlot;

// The one drawing routine of a chart: page, captions, axes with grid and labels, curves with
// markers, the legend box (printer and bitmap), the soil-layer column and the frame, all
// sized from the view's resolution and the canvas's font. Fills view.Ticks.
void DrawPlot(const TGraphPlot& plot, TPlotView& view, TPlotCanvas& canvas);

// Pen width of curves, markers and layer bands: (nearest(dX / 300) + 1) x WidthLine, at
// least 1.
int CurvePenWidth(int dX, int widthLine);

// Marker of a curve (curve index counted from 0 in its graph's list; shape (index mod 10)
// + 1): an outline in the current pen around (px, py), dX/32 and dY/32 in radius. The
// current position ends at (px, py).
void DrawMarker(TPlotCanvas& canvas, int curveIndex, int px, int py, int dX, int dY);

// The legend box of the view's rows whose curve is visible (empty when there are none).
TPlotRect LegendBoxRect(const TGraphPlot& plot, const TPlotView& view, TPlotCanvas& canvas);

// An axis caption: the text, followed by the expanded units in brackets when there are
// units.
std::string AxisCaption(const std::string& caption, const std::string& units, int unitSystem);
