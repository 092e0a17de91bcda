#include "plot/PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "plot/TGraphPlot.h"

namespace {

// Largest text height handed to a canvas; keeps absurd size factors from reaching the
// font engine.
constexpr std::int64_t kMaxFontHeight = 16384;
// Relative tolerance under which a ratio counts as a whole number, so that 2.0 / 0.1 gives 20
// and not 21 after rounding up.
constexpr long double kWholeTolerance = 1e-9L;
// Mantissa of the span below which the range step is one tenth of the power of ten.
const long double kLog10Of3 = std::log10(3.0L);

bool IsFinite(long double v)
{
    return std::isfinite(v);
}

long double SnapToWhole(long double v)
{
    const long double whole = std::nearbyint(v);
    if (std::fabs(v - whole) <= kWholeTolerance * std::max(1.0L, std::fabs(v))) {
        return whole;
    }
    return v;
}

// Ceiling above zero, floor otherwise, of a ratio taken as whole when it nearly is.
long double RoundAway(long double v)
{
    v = SnapToWhole(v);
    return v > 0 ? std::ceil(v) : std::floor(v);
}

int ClampToInt(long double v, long double limit)
{
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::clamp(v, -limit, limit));
}

// Limit of tick indices; a view range keeps far fewer ticks than this.
constexpr long double kTickIndexLimit = 1073741824.0L;

// A size factor in tenths, taken by its magnitude; 0 counts as 1 so that no size or tick
// count becomes 0 from it.
std::int64_t FontFactor(int factor)
{
    return std::max<std::int64_t>(1, std::llabs(static_cast<std::int64_t>(factor)));
}

std::int64_t ScaledHeight(int baseFontHeight, int factor)
{
    return std::llabs(static_cast<std::int64_t>(baseFontHeight) * FontFactor(factor) / 10);
}

} // namespace

int ScaleFontHeight(int baseFontHeight, int factor)
{
    return static_cast<int>(std::min(ScaledHeight(baseFontHeight, factor), kMaxFontHeight));
}

int ScaleFontSize(const TPlotCanvas& canvas, int factor)
{
    return ScaleFontHeight(canvas.BaseFontHeight(), factor);
}

void SelectScaledFont(TPlotCanvas& canvas, int angle, int weight, int factor, TPlotColor color)
{
    TPlotFont font;
    font.Height = static_cast<int>(
        std::clamp<std::int64_t>(ScaledHeight(canvas.BaseFontHeight(), factor), 1, kMaxFontHeight));
    font.Weight = weight;
    font.Angle = angle;
    font.Color = color;
    canvas.SetFont(font);
}

void RoundRangeOutward(long double& minimum, long double& maximum)
{
    if (!IsFinite(minimum) || !IsFinite(maximum)) {
        return;
    }
    if (maximum == minimum) {
        maximum += 0.01L;
        minimum -= 0.01L;
    }
    const long double span = maximum - minimum;
    if (!(span > 0) || !IsFinite(span)) {
        return;
    }
    const long double exponent = std::log10(span);
    const long double power = std::floor(exponent);
    long double step = std::pow(10.0L, power);
    // The mantissa is compared with a little slack so that a span of 0.3 counts as 3 tenths.
    if (exponent - power < kLog10Of3 - kWholeTolerance) {
        step /= 10;
    }
    minimum = step * RoundAway(minimum / step);
    maximum = step * RoundAway(maximum / step);
}

TPlotRange ComputeRange(const std::vector<const TLine*>& lines)
{
    TPlotRange range;
    for (const TLine* line : lines) {
        for (const TFloatPoint& p : line->PointList()) {
            if (!IsFinite(p.X) || !IsFinite(p.Y)) {
                continue;
            }
            range.XMin = std::min(range.XMin, p.X);
            range.XMax = std::max(range.XMax, p.X);
            range.YMin = std::min(range.YMin, p.Y);
            range.YMax = std::max(range.YMax, p.Y);
        }
    }
    RoundRangeOutward(range.YMin, range.YMax);
    RoundRangeOutward(range.XMin, range.XMax);
    return range;
}

TPlotRange ComputeGraphRange(const TGraphPlot& plot, int graph)
{
    return ComputeRange(plot.Curves(graph));
}

long double MajorTickStep(long double span, int count)
{
    if (count <= 0 || !IsFinite(span) || !(span > 0)) {
        return 0;
    }
    const long double raw = span / count;
    const long double g = std::pow(10.0L, std::floor(std::log10(raw)));
    const long double q = std::trunc(SnapToWhole(raw / g));
    if (q < 2) {
        return g;
    }
    if (q < 5) {
        return 2 * g;
    }
    if (q < 9) {
        return 5 * g;
    }
    return 10 * g;
}

namespace {

void AxisTicks(long double minimum,
               long double maximum,
               int count,
               long double& step,
               int& low,
               int& high)
{
    step = MajorTickStep(maximum - minimum, count) / 5;
    low = 0;
    high = 0;
    if (!(step > 0) || !IsFinite(step)) {
        step = 0;
        return;
    }
    // Counted from 0: the lowest index whose value is still at or above the minimum, the
    // highest whose value is at or below the maximum.
    if (minimum <= -step) {
        low = -ClampToInt(std::floor(SnapToWhole(-minimum / step)), kTickIndexLimit);
    }
    if (maximum >= step) {
        high = ClampToInt(std::floor(SnapToWhole(maximum / step)), kTickIndexLimit);
    }
}

} // namespace

TPlotTicks ComputeTicks(const TPlotRange& range, const TPlotRect& rect, int unit)
{
    const int u = std::max(1, unit);
    const int n = std::abs(rect.Right - rect.Left) / u;
    const int m = std::abs(rect.Bottom - rect.Top) / u;
    TPlotTicks ticks;
    AxisTicks(range.XMin, range.XMax, n, ticks.Step.X, ticks.XLow, ticks.XHigh);
    AxisTicks(range.YMin, range.YMax, m, ticks.Step.Y, ticks.YLow, ticks.YHigh);
    return ticks;
}

long double PixelXExact(const TPlotRange& range, const TPlotRect& rect, long double x)
{
    const long double span = range.XMax - range.XMin;
    if (!(span != 0) || !IsFinite(span)) {
        return rect.Left;
    }
    return rect.Left + (x - range.XMin) / span * (rect.Right - rect.Left);
}

long double PixelYExact(const TPlotRange& range, const TPlotRect& rect, long double y, bool xOnTop)
{
    const long double span = range.YMax - range.YMin;
    long double e = 0;
    if (span != 0 && IsFinite(span)) {
        e = (y - range.YMin) / span * (rect.Bottom - rect.Top);
    }
    return xOnTop ? rect.Top + e : rect.Bottom - e;
}

int ToPixel(long double exact)
{
    if (std::isnan(exact)) {
        return 0;
    }
    return static_cast<int>(std::nearbyint(std::clamp(exact, -kPixelLimit, kPixelLimit)));
}

int ValueToPixelX(const TPlotRange& range, const TPlotRect& rect, long double x)
{
    // Rounded as an offset from the edge, which is a whole pixel.
    return rect.Left + ToPixel(PixelXExact(range, rect, x) - rect.Left);
}

int ValueToPixelY(const TPlotRange& range, const TPlotRect& rect, long double y, bool xOnTop)
{
    if (xOnTop) {
        return rect.Top + ToPixel(PixelYExact(range, rect, y, true) - rect.Top);
    }
    return rect.Bottom - ToPixel(rect.Bottom - PixelYExact(range, rect, y, false));
}

bool PixelToValue(const TGraphPlot& plot, const TPlotView& view, int px, int py, TFloatPoint& value)
{
    value = TFloatPoint{};
    const TPlotGeometry& g = view.Geometry;
    int graph = -1;
    TPlotRect rect;
    if (plot.ShowThree()) {
        for (int i = 0; i < 3; ++i) {
            if (px >= g.Graphs[i].Left && px <= g.Graphs[i].Right) {
                graph = i;
                rect = g.Graphs[i];
                break;
            }
        }
    } else if (px >= g.Plot.Left && px <= g.Plot.Right) {
        graph = 0;
        rect = g.Plot;
    }
    if (graph < 0 || rect.Right == rect.Left || rect.Bottom == rect.Top) {
        return false;
    }
    const TPlotRange& r = view.View[graph];
    const long double tx = static_cast<long double>(px - rect.Left) / (rect.Right - rect.Left);
    const long double ty =
        plot.XOnTop() ? static_cast<long double>(py - rect.Top) / (rect.Bottom - rect.Top)
                      : static_cast<long double>(rect.Bottom - py) / (rect.Bottom - rect.Top);
    value.X = r.XMin + tx * (r.XMax - r.XMin);
    value.Y = r.YMin + ty * (r.YMax - r.YMin);
    return true;
}

TPlotGeometry
LayoutPlot(const TGraphPlot& plot, TPlotTarget target, const TPlotRect& page, int dX, int dY, int f)
{
    TPlotGeometry g;
    g.Page = page;
    g.Clip = page;
    g.DX = dX;
    g.DY = dY;
    TPlotRect& p = g.Plot;
    const bool titled = !plot.Title().empty();
    if (target == TPlotTarget::Printer) {
        // The printable page has no room reserved right of or below the axes; the vertical
        // offsets follow the horizontal resolution as the printed layout always has.
        p.Left = page.Left + 2 * f + dX / 8 + f / 8;
        p.Right = page.Right;
        if (plot.XOnTop()) {
            p.Top = page.Top + 2 * f + dX / 8 + f / 8;
            p.Bottom = page.Bottom;
        } else {
            p.Top = page.Top;
            p.Bottom = page.Bottom - 2 * f - dX / 8 - f / 8;
        }
        if (titled) {
            if (plot.TitleOnTop()) {
                p.Top += dY / 4;
            } else {
                p.Bottom -= dY / 2;
            }
        }
    } else {
        p.Left = page.Left + 2 * f + dX / 8 + f / 8;
        p.Right = page.Right - dX / 4 - f / 2;
        if (plot.XOnTop()) {
            p.Top = page.Top + 2 * f + dY / 8 + f / 8;
            p.Bottom = page.Bottom - dY / 4 - f / 2;
        } else {
            p.Top = page.Top + f / 2 + dY / 4;
            p.Bottom = page.Bottom - 2 * f - dY / 8 - f / 8;
        }
        if (titled && target == TPlotTarget::Window) {
            if (plot.TitleOnTop()) {
                p.Top += f / 8 + f;
            } else {
                p.Bottom -= f;
            }
        }
    }
    if (plot.ShowLayers()) {
        const int oldRight = p.Right;
        p.Right -= target == TPlotTarget::Bitmap ? dX / 2 : dX;
        g.LayerColumn = TPlotRect{p.Right + dX / 5, p.Top, oldRight, p.Bottom};
    }
    if (plot.ShowThree()) {
        const int w = (p.Right - p.Left - 4 * f - dX / 2) / 3;
        const int gap = 2 * f + dX / 4;
        g.Graphs[0] = TPlotRect{p.Left, p.Top, p.Left + w, p.Bottom};
        g.Graphs[1] =
            TPlotRect{g.Graphs[0].Right + gap, p.Top, g.Graphs[0].Right + gap + w, p.Bottom};
        g.Graphs[2] = TPlotRect{g.Graphs[1].Right + gap, p.Top, p.Right, p.Bottom};
    } else {
        g.Graphs = {p, p, p};
    }
    return g;
}

TPlotRect PrinterPageRect(const TPrinterMetrics& m,
                          double marginLeft,
                          double marginTop,
                          double marginRight,
                          double marginBottom)
{
    const auto pixels = [](double inches, int dpi) {
        const double v = std::round(inches * dpi);
        return std::isfinite(v) ? static_cast<int>(std::clamp(v, 0.0, 1.0e6)) : 0;
    };
    const int mL = std::max(pixels(marginLeft, m.DX), m.OffsetX);
    const int mR = std::max(pixels(marginRight, m.DX), m.OffsetX);
    const int mT = std::max(pixels(marginTop, m.DY), m.OffsetY);
    const int mB = std::max(pixels(marginBottom, m.DY), m.OffsetY);
    return TPlotRect{mL - m.OffsetX,
                     mT - m.OffsetY,
                     m.PrintableWidth + m.OffsetX - mR,
                     m.PrintableHeight + m.OffsetY - mB};
}

TPlotRect PrinterReach(const TPrinterMetrics& m)
{
    return TPlotRect{0, 0, std::max(0, m.PrintableWidth), std::max(0, m.PrintableHeight)};
}

std::vector<TLegendRow> BuildLegendRows(const TGraphPlot& plot)
{
    std::vector<TLegendRow> rows;
    for (int i = 0; i < plot.LineCount(); ++i) {
        const TLine& line = plot.Line(i);
        if (!line.Active) {
            continue;
        }
        TLegendRow row{i, line.GetCaption()};
        if (plot.onGetCaption()) {
            plot.onGetCaption()(i, row.Text);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TPlotView PlotViewOf(const TGraphPlot& plot)
{
    TPlotView view;
    for (int graph = 0; graph < 3; ++graph) {
        view.View[graph] = ComputeGraphRange(plot, graph + 1);
        view.Full[graph] = view.View[graph];
    }
    view.Legend = BuildLegendRows(plot);
    return view;
}

TPlotView MakePlotView(const TGraphPlot& plot,
                       const TPlotCanvas& canvas,
                       TPlotTarget target,
                       const TPlotRect& page,
                       int dX,
                       int dY)
{
    TPlotView view = PlotViewOf(plot);
    view.Target = target;
    // Without a window there is no saved-bitmap quirk to keep: a bitmap gets the full screen
    // layout, title included.
    const TPlotTarget layout =
        target == TPlotTarget::Printer ? TPlotTarget::Printer : TPlotTarget::Window;
    view.Geometry = LayoutPlot(plot, layout, page, dX, dY, ScaleFontSize(canvas, plot.SizeFont()));
    return view;
}
