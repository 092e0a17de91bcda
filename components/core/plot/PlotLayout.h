#pragma once

#include <array>
#include <string>
#include <vector>

#include "plot/PlotCanvas.h"
#include "plot/TFloatPoint.h"

class TGraphPlot;
class TLine;

// Value range of one graph.
struct TPlotRange
{
    long double XMin = 0.0L;
    long double XMax = 0.0L;
    long double YMin = 0.0L;
    long double YMax = 0.0L;
};

// Tick record of one graph: minor steps and the lowest and highest tick index per axis.
// Tick k stands at k x step; every fifth (k mod 5 = 0) is a major tick.
struct TPlotTicks
{
    TFloatPoint Step;
    int XLow = 0;
    int XHigh = 0;
    int YLow = 0;
    int YHigh = 0;
};

// What is being drawn on. Printer and bitmap get the legend box; the printer takes the
// print versions of the soil patterns.
enum class TPlotTarget
{
    Window,
    Printer,
    Bitmap
};

// Pixel geometry of a chart on its target.
struct TPlotGeometry
{
    TPlotRect Page;
    TPlotRect Plot;                  // graph 1 in the one-graph layout
    std::array<TPlotRect, 3> Graphs; // the three-graph layout
    TPlotRect LayerColumn;
    // What the drawing may cover: the page, or on paper all the printer reaches, since the
    // printed plot runs to the page's right and bottom edges and its frame, end labels and
    // legend box reach into the margin.
    TPlotRect Clip;
    int DX = 96; // pixels per inch, horizontal
    int DY = 96; // pixels per inch, vertical
};

// One legend entry: an active graph-1 curve (its position) and its text.
struct TLegendRow
{
    int Curve = 0;
    std::string Text;
};

// Where the window's legend list sits, so that the printed or saved legend box keeps its
// relative place. WindowWidth or WindowHeight <= 0: no window; the box goes to the corner of
// the plot that curves usually leave free (top right for depth plots, else bottom right).
struct TLegendPlacement
{
    int ListLeft = 0;
    int ListTop = 0;
    int WindowWidth = 0;
    int WindowHeight = 0;
};

// Everything the drawing routine needs besides the plot itself. A chart window keeps one.
struct TPlotView
{
    std::array<TPlotRange, 3> View; // the ranges shown (zoom changes them)
    std::array<TPlotRange, 3> Full; // the ranges when the view was made
    std::array<TPlotTicks, 3> Ticks;
    TPlotGeometry Geometry;
    TPlotTarget Target = TPlotTarget::Window;
    std::vector<TLegendRow> Legend;
    TLegendPlacement LegendPlace;
};

// ---- font scaling -------------------------------------------------------------------------

// |base font height x factor / 10|, truncating. The factor counts by its magnitude, and 0
// counts as 1, so that f never becomes 0 from it.
int ScaleFontSize(const TPlotCanvas& canvas, int factor);
// The same from a base font height, for layouts made without a canvas at hand (f on the
// window is ScaleFontHeight(14, SizeFont)).
int ScaleFontHeight(int baseFontHeight, int factor);
// The canvas's base font scaled by factor / 10 (factor as in ScaleFontSize; at least one
// pixel high), in "Times New Roman", selected into the canvas.
void SelectScaledFont(TPlotCanvas& canvas,
                      int angle,
                      int weight,
                      int factor,
                      TPlotColor color = kPlotBlack);

// ---- ranges and ticks ---------------------------------------------------------------------

// Widens [minimum, maximum] outward to whole steps: a zero span is first opened by 0.01 each
// way; the step is the power of ten below the span, divided by ten when the span's mantissa
// is below 3. Non-finite bounds are left alone.
void RoundRangeOutward(long double& minimum, long double& maximum);

// Range over every finite point of the lines (always holding 0), rounded outward.
TPlotRange ComputeRange(const std::vector<const TLine*>& lines);
// Graph 1, 2 or 3 of the plot.
TPlotRange ComputeGraphRange(const TGraphPlot& plot, int graph);

// Major tick step for a span divided into `count` intervals: 1, 2, 5 or 10 times a power of
// ten. 0 when the count is not positive or the span is not a positive finite number.
long double MajorTickStep(long double span, int count);

// Tick record of a graph with its view range on a rectangle. `unit` is the pixel spacing per
// tick interval (6f one graph, 4f three graphs; clamped to at least 1). A tick count of 0 on
// an axis gives a zero step there.
TPlotTicks ComputeTicks(const TPlotRange& range, const TPlotRect& rect, int unit);

// ---- value and pixel -------------------------------------------------------------------------

// Pixels are kept within +-kPixelLimit before they become integers.
inline constexpr long double kPixelLimit = 1048576.0L;

// Exact (unrounded) pixel position of a value; a zero or non-finite span maps to the left
// or top/bottom edge.
long double PixelXExact(const TPlotRange& range, const TPlotRect& rect, long double x);
long double PixelYExact(const TPlotRange& range, const TPlotRect& rect, long double y, bool xOnTop);
// Nearest pixel, clamped to +-kPixelLimit.
int ToPixel(long double exact);
int ValueToPixelX(const TPlotRange& range, const TPlotRect& rect, long double x);
int ValueToPixelY(const TPlotRange& range, const TPlotRect& rect, long double y, bool xOnTop);

// The values under a pixel: graph 1, or in the three-graph layout the graph whose left..right
// holds px. Outside every graph's left..right: (0, 0) and false.
bool PixelToValue(const TGraphPlot& plot,
                  const TPlotView& view,
                  int px,
                  int py,
                  TFloatPoint& value);

// ---- geometry -------------------------------------------------------------------------------

// Lays out page, plot rectangle, layer column and three-graph rectangles. Window: the
// screen layout; Printer: the page is the printable area inside the margins; Bitmap: the
// screen layout without the title step and with a half-inch layer column. f is the scaled
// font height (ScaleFontSize of the target canvas with SizeFont).
TPlotGeometry LayoutPlot(const TGraphPlot& plot,
                         TPlotTarget target,
                         const TPlotRect& page,
                         int dX,
                         int dY,
                         int f);

// A printer page as the chart layout sees it: resolution, and the printable area's offset
// from the paper's corner and its size, in printer pixels.
struct TPrinterMetrics
{
    int DX = 600;
    int DY = 600;
    int OffsetX = 0;
    int OffsetY = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
};

// The page rectangle, in printable-area pixels, inside margins given in inches: each margin
// is at least the printable area's offset on that side.
TPlotRect PrinterPageRect(const TPrinterMetrics& metrics,
                          double marginLeft,
                          double marginTop,
                          double marginRight,
                          double marginBottom);

// All the printer reaches, in the coordinates of the page rectangle above (origin at the
// printable area's corner).
TPlotRect PrinterReach(const TPrinterMetrics& metrics);

// ---- legend ---------------------------------------------------------------------------------

// Rows for the active graph-1 curves in list order, each with TLine::GetCaption, passed
// through the plot's onGetCaption when one is set.
std::vector<TLegendRow> BuildLegendRows(const TGraphPlot& plot);

// A view of the plot as it stands, not yet placed on a page: ranges of all three graphs (view =
// full) and legend rows.
TPlotView PlotViewOf(const TGraphPlot& plot);

// A view ready to draw without a window: ranges of all three graphs (view = full), legend
// rows, and the geometry on the page at the given resolution (the canvas gives the font):
// the printer layout for Printer, the full screen layout (title included) for Window and
// Bitmap. A window saving its chart lays out with LayoutPlot(Bitmap) itself.
TPlotView MakePlotView(const TGraphPlot& plot,
                       const TPlotCanvas& canvas,
                       TPlotTarget target,
                       const TPlotRect& page,
                       int dX,
                       int dY);
