#include "plot/PlotDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "entry/NumberFormat.h"
#include "plot/PlotFill.h"
#include "plot/TGraphPlot.h"

namespace {

// Significant digits of tick labels.
constexpr int kTickLabelDigits = 4;
// Factor of the band labels' font, whatever SizeFont is.
constexpr int kBandLabelFactor = 10;

struct Point
{
    int X;
    int Y;
    friend bool operator==(const Point&, const Point&) = default;
};

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

std::vector<const TLine*> GraphLines(const TGraphPlot& plot, int graph)
{
    std::vector<const TLine*> lines;
    const int count = graph == 2   ? plot.LineCount2()
                      : graph == 3 ? plot.LineCount3()
                                   : plot.LineCount();
    for (int i = 0; i < count; ++i) {
        lines.push_back(graph == 2 ? &plot.Line2(i) : graph == 3 ? &plot.Line3(i) : &plot.Line(i));
    }
    return lines;
}

TPlotRect Inclusive(const TPlotRect& r)
{
    return TPlotRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
}

int RoundX(const TPlotRect& rect, long double exact)
{
    return rect.Left + ToPixel(exact - rect.Left);
}

int RoundY(const TPlotRect& rect, long double exact, bool xOnTop)
{
    return xOnTop ? rect.Top + ToPixel(exact - rect.Top)
                  : rect.Bottom - ToPixel(rect.Bottom - exact);
}

bool InsideLimit(long double x, long double y)
{
    return std::fabs(x) <= kPixelLimit && std::fabs(y) <= kPixelLimit;
}

// Brings a far end of a segment whose other end is near to within a few limits of it, along
// the segment, so that the clipping below works on numbers of like size.
void PullTowards(long double nx, long double ny, long double& fx, long double& fy)
{
    const long double dx = fx - nx;
    const long double dy = fy - ny;
    const long double reach = std::max(std::fabs(dx), std::fabs(dy));
    if (reach > 2 * kPixelLimit) {
        const long double s = 2 * kPixelLimit / reach;
        fx = nx + dx * s;
        fy = ny + dy * s;
    }
}

// Cuts a segment to the square +-kPixelLimit (Liang-Barsky), so that far-away points keep the
// direction of their segment. False when nothing of it lies inside.
bool ClipSegment(long double& x0, long double& y0, long double& x1, long double& y1)
{
    if (InsideLimit(x0, y0)) {
        PullTowards(x0, y0, x1, y1);
    } else if (InsideLimit(x1, y1)) {
        PullTowards(x1, y1, x0, y0);
    }
    const long double dx = x1 - x0;
    const long double dy = y1 - y0;
    long double t0 = 0;
    long double t1 = 1;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {x0 + kPixelLimit,
                              kPixelLimit - x0,
                              y0 + kPixelLimit,
                              kPixelLimit - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const long double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const long double ox = x0;
    const long double oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return true;
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
            if (InsideLimit(ex, ey)) {
                current = Point{RoundX(rect, ex), RoundY(rect, ey, xOnTop)};
                c.canvas.MoveTo(current.X, current.Y);
                penAt = true;
            } else {
                penAt = false;
            }
        } else {
            long double x0 = prevX, y0 = prevY, x1 = ex, y1 = ey;
            if (ClipSegment(x0, y0, x1, y1)) {
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
        if (markers > 0 && j % static_cast<std::size_t>(markers) == 0 && InsideLimit(ex, ey)) {
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
    const std::vector<const TLine*> lines = GraphLines(c.plot, graph);
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
    c.canvas.SetClipRect(c.view.Geometry.Page);
}

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
    c.canvas.SetClipRect(g.Page);
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

std::string AxisCaption(const std::string& caption, const std::string& units, int unitSystem)
{
    if (units.empty()) {
        return caption;
    }
    return caption + " (" + ExpandUnitPlaceholders(units, unitSystem) + ")";
}

void DrawPlot(const TGraphPlot& plot, TPlotView& view, TPlotCanvas& canvas)
{
    const TPlotGeometry& g = view.Geometry;
    const int penWidth = CurvePenWidth(g.DX, plot.WidthLine());
    Context c{plot, view, canvas, Tools(canvas), g.DX, g.DY, 0, penWidth};
    canvas.SetClipRect(g.Page);
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
