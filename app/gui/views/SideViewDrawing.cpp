#include "views/SideViewDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ProgramConstants.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"

namespace {

// Pixel coordinates are held far inside int and inside what a painter clips reliably; a
// point beyond lies off every page anyway.
constexpr long double kPixelLimit = 1.0e7L;
constexpr long double kMargin = 1.05L; // the extent around pile and layers
constexpr long double kNoOuterDiameter = 1e-4L;
constexpr long double kDegreesToRadians = kPiTo4 / 180.0L;
constexpr int kScreenHatchCount = 20;
constexpr int kPrintHatchCount = 10;
constexpr int kPrintPenWidth = 12;
// Room between a layer label and the pile, in pixels.
constexpr int kLabelGap = 6;

// Nearest pixel (ties to even), clamped into the pixel range.
int ToPixel(long double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    value = std::clamp(value, -kPixelLimit, kPixelLimit);
    return static_cast<int>(std::llrint(value));
}

bool Finite(const TWorldWindow& w)
{
    return std::isfinite(w.XMin) && std::isfinite(w.XMax) && std::isfinite(w.YMin)
           && std::isfinite(w.YMax);
}

// Fills the quadrilateral top-left, top-right, bottom-right, bottom-left (top and bottom
// edges horizontal) row by row; rows of equal span are merged into one rectangle. Where the
// sides cross, the span between them is filled on either side of the crossing.
void FillOutline(TPlotCanvas& canvas,
                 int clientWidth,
                 int clientHeight,
                 TWorldPoint tl,
                 TWorldPoint tr,
                 TWorldPoint bl,
                 TWorldPoint br)
{
    const long double top = std::min(tl.Y, bl.Y);
    const long double bottom = std::max(tl.Y, bl.Y);
    const int first = std::max(0, ToPixel(top));
    const int last = std::min(clientHeight - 1, ToPixel(bottom));
    const auto along = [](TWorldPoint a, TWorldPoint b, long double y) {
        if (b.Y == a.Y) {
            return a.X;
        }
        return a.X + (b.X - a.X) * (y - a.Y) / (b.Y - a.Y);
    };
    bool open = false;
    TPlotRect run;
    for (int py = first; py <= last; ++py) {
        const long double y = std::clamp(static_cast<long double>(py), top, bottom);
        const long double xl = along(tl, bl, y);
        const long double xr = along(tr, br, y);
        const int left = std::max(0, ToPixel(std::min(xl, xr)));
        const int right = std::min(clientWidth, ToPixel(std::max(xl, xr)) + 1);
        if (right <= left) {
            continue;
        }
        if (open && run.Left == left && run.Right == right && run.Bottom == py) {
            run.Bottom = py + 1;
            continue;
        }
        if (open) {
            canvas.FillRect(run);
        }
        run = TPlotRect{left, py, right, py + 1};
        open = true;
    }
    if (open) {
        canvas.FillRect(run);
    }
}

} // namespace

std::vector<TSoilLayerRow> SoilLayerRows(const TGridTable& soilTable)
{
    std::vector<TSoilLayerRow> rows;
    const TColumn& depth = soilTable.Columns(SoilColumn::kBottomDepth);
    for (int row = 0; row < soilTable.RowCount(); ++row) {
        rows.push_back({soilTable.GetInteger(SoilColumn::kSoilType, row), depth.GetFloat(row)});
    }
    return rows;
}

TSideViewModel BuildSideView(const TProgramData& data, std::vector<TSoilLayerRow> layers)
{
    TSideViewModel model;
    // Layers that all end at the ground (a new project's one empty row) give nothing to draw
    // to scale: the view shows its default extent and says so.
    const bool belowGround =
        std::any_of(layers.begin(), layers.end(), [](const TSoilLayerRow& layer) {
            return !(layer.BottomDepth <= 0);
        });
    if (!belowGround) {
        return model;
    }
    model.Layers = std::move(layers);
    // Diameters are in inches or millimetres, lengths in feet or metres.
    long double width = data.OD < kNoOuterDiameter ? data.Perimeter * 0.25L : data.OD;
    width /= data.UnitSystem == 1 ? 12.0L : 1000.0L;
    model.PileWidth = width;
    model.PileLength = data.TL;

    const long double inset = std::tan(data.TaperAngle * kDegreesToRadians) * data.TL;
    TPileOutline outline;
    outline.TopLeft = {-width / 2, -data.PSL};
    outline.TopRight = {width / 2, -data.PSL};
    outline.BottomLeft = {-width / 2 + inset, data.TL - data.PSL};
    outline.BottomRight = {width / 2 - inset, data.TL - data.PSL};
    model.Outlines.push_back(outline);

    TWorldWindow& w = model.BaseWindow;
    w = TWorldWindow{0, 0, 0, 0};
    for (const TPileOutline& o : model.Outlines) {
        w.XMin = std::min({w.XMin, o.TopLeft.X, o.BottomLeft.X});
        w.XMax = std::max({w.XMax, o.TopRight.X, o.BottomRight.X});
        w.YMin = std::min({w.YMin, o.TopLeft.Y, o.TopRight.Y});
        w.YMax = std::max({w.YMax, o.BottomLeft.Y, o.BottomRight.Y});
    }
    w.YMax = std::max(w.YMax, model.Layers.back().BottomDepth);
    w.XMin *= kMargin;
    w.XMax *= kMargin;
    w.YMin *= kMargin;
    w.YMax *= kMargin;

    // min and max pass a NaN by, so a number that cannot be drawn spoils the extent itself.
    bool finite = true;
    for (const TPileOutline& o : model.Outlines) {
        for (const TWorldPoint& p : {o.TopLeft, o.TopRight, o.BottomLeft, o.BottomRight}) {
            finite = finite && std::isfinite(p.X) && std::isfinite(p.Y);
        }
    }
    for (const TSoilLayerRow& layer : model.Layers) {
        finite = finite && std::isfinite(layer.BottomDepth);
    }
    if (!finite) {
        w.XMin = std::numeric_limits<long double>::quiet_NaN();
    }
    return model;
}

bool CorrectAspect(const TWorldWindow& base, int clientWidth, int clientHeight, TWorldWindow& view)
{
    view = base;
    if (clientWidth <= 0 || clientHeight <= 0 || !Finite(base)) {
        return false;
    }
    const long double dx = base.XMax - base.XMin;
    const long double dy = base.YMax - base.YMin;
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        return false;
    }
    const long double aspect =
        static_cast<long double>(clientWidth) / static_cast<long double>(clientHeight);
    if (dx > 0 && dy > 0) {
        const long double r = aspect / (dx / dy);
        if (r >= 1) {
            view.XMin *= r;
            view.XMax *= r;
        } else {
            view.YMin /= r;
            view.YMax /= r;
        }
    } else if (dx > 0) {
        const long double half = dx / aspect / 2;
        view.YMin = base.YMin - half;
        view.YMax = base.YMax + half;
    } else if (dy > 0) {
        const long double half = dy * aspect / 2;
        view.XMin = base.XMin - half;
        view.XMax = base.XMax + half;
    } else {
        return false;
    }
    return Finite(view) && view.XMax - view.XMin > 0 && view.YMax - view.YMin > 0
           && std::isfinite(view.XMax - view.XMin) && std::isfinite(view.YMax - view.YMin);
}

bool CorrectAspectBelow(const TWorldWindow& base,
                        int clientWidth,
                        int clientHeight,
                        int band,
                        TWorldWindow& view)
{
    const int below = clientHeight - std::max(0, band);
    if (band <= 0 || below <= 0) {
        return CorrectAspect(base, clientWidth, clientHeight, view);
    }
    if (!CorrectAspect(base, clientWidth, below, view)) {
        return false;
    }
    view.YMin -= (view.YMax - view.YMin) * band / below;
    return std::isfinite(view.YMin);
}

int TSideViewMapping::PixelX(long double x) const
{
    return ToPixel(ClientWidth * (x - View.XMin) / (View.XMax - View.XMin));
}

int TSideViewMapping::PixelY(long double y) const
{
    return ToPixel(ClientHeight * (y - View.YMin) / (View.YMax - View.YMin));
}

long double TSideViewMapping::WorldX(int px) const
{
    return View.XMin + px * (View.XMax - View.XMin) / ClientWidth;
}

long double TSideViewMapping::WorldY(int py) const
{
    return View.YMin + py * (View.YMax - View.YMin) / ClientHeight;
}

std::string SoilLayerLabel(long double top, long double bottom, int soilType)
{
    const char* name = nullptr;
    switch (soilType) {
    case SoilTypeCode::kSand:
        name = "Sand";
        break;
    case SoilTypeCode::kClay:
        name = "Clay";
        break;
    case SoilTypeCode::kSilt:
        name = "Silt";
        break;
    default:
        return {};
    }
    return "depth= " + FormatGeneral(top) + " - " + FormatGeneral(bottom) + "; " + name;
}

std::string DepthCaption(long double depth)
{
    return "  Depth: " + FormatFloatFixed(depth, 1);
}

void DrawSideView(TPlotCanvas& canvas,
                  const TSideViewModel& model,
                  const TSideViewMapping& mapping,
                  const TSideViewColors& colors,
                  const TPlotFont& font)
{
    const int width = mapping.ClientWidth;
    canvas.SetBrush(TPlotBrush{colors.Background, TPlotBrushStyle::Solid});
    canvas.FillRect(TPlotRect{0, 0, width, mapping.ClientHeight});
    canvas.SetPen(TPlotPen{colors.Text});
    TPlotFont textFont = font;
    textFont.Color = colors.Text;
    canvas.SetFont(textFont);

    const auto groundLine = [&](int yGround) {
        canvas.MoveTo(0, yGround);
        canvas.LineTo(width, yGround);
        for (int j = 1; j <= kScreenHatchCount; ++j) {
            canvas.MoveTo(100 + 20 * j, yGround);
            canvas.LineTo(115 + 20 * j, yGround + 5);
        }
    };
    if (model.Layers.empty()) {
        const int yGround = mapping.PixelY(0);
        groundLine(yGround);
        canvas.TextOut(kLabelGap, yGround + kLabelGap + 5, kNoSoilLayersText);
        return;
    }

    struct TLabel
    {
        int Y;
        std::string Text;
    };
    std::vector<TLabel> labels;
    long double top = 0;
    for (std::size_t i = 0; i < model.Layers.size(); ++i) {
        const TSoilLayerRow& layer = model.Layers[i];
        const int yBottom = mapping.PixelY(layer.BottomDepth);
        const int yTop = mapping.PixelY(top);
        if (i == 0) {
            groundLine(mapping.PixelY(0));
        }
        canvas.MoveTo(0, yBottom);
        canvas.LineTo(width, yBottom);
        std::string label = SoilLayerLabel(top, layer.BottomDepth, layer.SoilType);
        if (!label.empty()) {
            labels.push_back({yTop + canvas.TextHeight(label), std::move(label)});
        }
        top = layer.BottomDepth;
    }

    // The pile's extent across the window, for the labels to keep clear of it.
    TPlotRect pile{width, mapping.ClientHeight, 0, 0}; // empty until an outline widens it
    canvas.SetBrush(TPlotBrush{colors.Text, TPlotBrushStyle::Solid});
    for (const TPileOutline& o : model.Outlines) {
        const auto pixel = [&mapping](TWorldPoint p) {
            return TWorldPoint{static_cast<long double>(mapping.PixelX(p.X)),
                               static_cast<long double>(mapping.PixelY(p.Y))};
        };
        const TWorldPoint tl = pixel(o.TopLeft);
        const TWorldPoint tr = pixel(o.TopRight);
        const TWorldPoint bl = pixel(o.BottomLeft);
        const TWorldPoint br = pixel(o.BottomRight);
        FillOutline(canvas, width, mapping.ClientHeight, tl, tr, bl, br);
        canvas.MoveTo(static_cast<int>(tl.X), static_cast<int>(tl.Y));
        canvas.LineTo(static_cast<int>(tr.X), static_cast<int>(tr.Y));
        canvas.LineTo(static_cast<int>(br.X), static_cast<int>(br.Y));
        canvas.LineTo(static_cast<int>(bl.X), static_cast<int>(bl.Y));
        canvas.LineTo(static_cast<int>(tl.X), static_cast<int>(tl.Y));
        pile.Left = std::min({pile.Left, static_cast<int>(tl.X), static_cast<int>(bl.X)});
        pile.Right = std::max({pile.Right, static_cast<int>(tr.X), static_cast<int>(br.X)});
        pile.Top = std::min({pile.Top, static_cast<int>(tl.Y), static_cast<int>(tr.Y)});
        pile.Bottom = std::max({pile.Bottom, static_cast<int>(bl.Y), static_cast<int>(br.Y)});
    }

    // Labels at the left edge; one that would run into the pile (a narrow window, a wide
    // pile) is written on a patch of the background over it, so it stays readable.
    for (const TLabel& label : labels) {
        const int x = 0;
        const TPlotRect box{x,
                            label.Y,
                            x + canvas.TextWidth(label.Text) + kLabelGap,
                            label.Y + canvas.TextHeight(label.Text)};
        const bool meetsPile = box.Left <= pile.Right && pile.Left < box.Right
                               && box.Top <= pile.Bottom && pile.Top < box.Bottom;
        if (meetsPile) {
            canvas.SetBrush(TPlotBrush{colors.Background, TPlotBrushStyle::Solid});
            canvas.FillRect(box);
        }
        canvas.TextOut(x, label.Y, label.Text);
    }
}

long double PrintedDepthScale(const TSideViewModel& model)
{
    if (model.Layers.empty()) {
        return 0;
    }
    const long double bottom = model.Layers.back().BottomDepth;
    return std::isfinite(bottom) && bottom > 0 ? bottom : 0;
}

bool DrawPrintedProfile(TPlotCanvas& canvas,
                        const TSideViewModel& model,
                        int pageWidth,
                        int pageHeight,
                        const TSideViewColors& colors,
                        const TPlotFont& font)
{
    const long double scale = PrintedDepthScale(model);
    if (scale <= 0 || pageWidth <= 0 || pageHeight <= 0) {
        return false;
    }
    const long double pw = pageWidth;
    const long double ph = pageHeight;
    const auto depthY = [&](long double depth) {
        return ToPixel(depth / scale * ph * 0.8L + ph * 0.1L);
    };
    const int left = ToPixel(pw * 0.1L);
    const int right = ToPixel(pw * 0.9L);

    canvas.SetPen(TPlotPen{kPlotBlack, TPlotPenStyle::Solid, kPrintPenWidth});
    TPlotFont textFont = font;
    textFont.Color = kPlotBlack;
    canvas.SetFont(textFont);
    canvas.SetBrush(TPlotBrush{colors.Background, TPlotBrushStyle::Solid});
    canvas.FillRect(TPlotRect{left, ToPixel(ph * 0.1L), right, ToPixel(ph * 0.9L)});

    const int yGround = depthY(0);
    canvas.MoveTo(left, yGround);
    canvas.LineTo(right, yGround);
    const int hatchStart = ToPixel(ph * 0.35L);
    const int hatchEnd = ToPixel(ph * 0.365L);
    for (int j = 1; j <= kPrintHatchCount; ++j) {
        canvas.MoveTo(hatchStart + 50 * j, yGround);
        canvas.LineTo(hatchEnd + 50 * j, yGround + 70);
    }

    const int labelX = ToPixel(ph * 0.15L);
    long double top = 0;
    for (const TSoilLayerRow& layer : model.Layers) {
        const int yBottom = depthY(layer.BottomDepth);
        canvas.MoveTo(left, yBottom);
        canvas.LineTo(right, yBottom);
        const std::string label = SoilLayerLabel(top, layer.BottomDepth, layer.SoilType);
        if (!label.empty()) {
            canvas.TextOut(labelX, depthY(top) + canvas.TextHeight(label), label);
        }
        top = layer.BottomDepth;
    }

    // The pile starts at the ground line; a width beyond the page is cut at the page edge,
    // which also bounds the number of outlines drawn.
    const int half = std::clamp(ToPixel(model.PileWidth / scale * ph * 0.8L), 0, pageWidth / 2);
    const int length = std::max(0, ToPixel(model.PileLength / scale * ph * 0.8L));
    canvas.SetBrush(TPlotBrush{kPlotWhite, TPlotBrushStyle::Clear});
    const int axis = pageWidth / 2;
    for (int w = 1; w <= half; ++w) {
        canvas.Rectangle(TPlotRect{axis - w, yGround, axis + w, yGround + length});
    }
    return true;
}
