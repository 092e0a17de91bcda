#include "plot/PlotFill.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kReferenceDpi = 96;
// Hatch spacing at the reference resolution (1/12 inch).
constexpr int kHatchSpacing = 8;

constexpr TPatternSize kPatternSizes[kPlotPatternCount] = {
    {80, 80},
    {96, 96}, // 1, 2: sand, staggered dots
    {30, 42},
    {96, 69}, // 3, 4: gravel, small rings
    {30, 42},
    {96, 69}, // 5, 6: silt, short dashes
    {30, 42},
    {96, 69}, // 7, 8: silty sand, dots and dashes
    {80, 80},
    {96, 192}, // 9, 10: rock, brick courses
    {80, 80},
    {96, 192}, // 11, 12: peat, tufts
    {80, 80},
    {96, 96}, // 13, 14: clay, diagonals from top left to bottom right
};

// Drawing primitives in the picture's own pixel units (at the reference resolution),
// rasterised onto the scaled tile with wrap-around so that tiles join seamlessly.
struct Dot
{
    double X, Y, R;
};
struct Segment
{
    double X1, Y1, X2, Y2;
};
struct Ring
{
    double X, Y, R;
};

class TileBuilder
{
public:
    TileBuilder(TPatternSize size, int dpi)
    {
        m_scale = std::max(0.25, static_cast<double>(dpi) / kReferenceDpi);
        m_tile.Width = std::max(1, static_cast<int>(std::lround(size.Width * m_scale)));
        m_tile.Height = std::max(1, static_cast<int>(std::lround(size.Height * m_scale)));
        m_sx = static_cast<double>(m_tile.Width) / size.Width;
        m_sy = static_cast<double>(m_tile.Height) / size.Height;
        m_half = std::max(0.5, 0.5 * m_scale); // half a line width: one reference pixel
        m_tile.Ink.assign(static_cast<std::size_t>(m_tile.Width) * m_tile.Height, 0);
    }

    void Add(const Dot& d)
    {
        const double r = std::max(0.5, d.R * m_scale);
        Paint(d.X * m_sx, d.Y * m_sy, r, [&](double dx, double dy) {
            return dx * dx + dy * dy <= r * r;
        });
    }

    void Add(const Ring& c)
    {
        const double r = c.R * m_scale;
        const double h = m_half;
        Paint(c.X * m_sx, c.Y * m_sy, r + h, [&](double dx, double dy) {
            return std::fabs(std::sqrt(dx * dx + dy * dy) - r) <= h;
        });
    }

    void Add(const Segment& s)
    {
        const double x1 = s.X1 * m_sx, y1 = s.Y1 * m_sy, x2 = s.X2 * m_sx, y2 = s.Y2 * m_sy;
        const double vx = x2 - x1, vy = y2 - y1;
        const double len2 = vx * vx + vy * vy;
        const double h = m_half;
        const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
        const double reach = std::sqrt(len2) / 2 + h;
        Paint(cx, cy, reach, [&](double dx, double dy) {
            // dx, dy relative to the centre; distance to the segment.
            const double px = dx + cx - x1, py = dy + cy - y1;
            const double t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0, 1.0) : 0.0;
            const double ex = px - t * vx, ey = py - t * vy;
            return ex * ex + ey * ey <= h * h;
        });
    }

    TPlotTile Take() { return std::move(m_tile); }

private:
    template<typename Inside>
    void Paint(double cx, double cy, double reach, Inside inside)
    {
        const int w = m_tile.Width, h = m_tile.Height;
        const int x0 = static_cast<int>(std::floor(cx - reach)) - 1;
        const int x1 = static_cast<int>(std::ceil(cx + reach)) + 1;
        const int y0 = static_cast<int>(std::floor(cy - reach)) - 1;
        const int y1 = static_cast<int>(std::ceil(cy + reach)) + 1;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (!inside(x + 0.5 - cx, y + 0.5 - cy)) {
                    continue;
                }
                const int tx = ((x % w) + w) % w;
                const int ty = ((y % h) + h) % h;
                m_tile.Ink[static_cast<std::size_t>(ty) * w + tx] = 1;
            }
        }
    }

    TPlotTile m_tile;
    double m_scale = 1, m_sx = 1, m_sy = 1, m_half = 0.5;
};

// Sand: small dots on a staggered 8-pixel grid.
void SandDots(TileBuilder& b, TPatternSize s)
{
    for (int row = 0; row * 8 < s.Height; ++row) {
        for (int col = 0; col * 8 < s.Width; ++col) {
            b.Add(Dot{col * 8.0 + (row % 2 ? 4.0 : 0.0) + 2, row * 8.0 + 2, 1.0});
        }
    }
}

// Clay: lines running from top left to bottom right, `spacing` apart.
void ClayLines(TileBuilder& b, TPatternSize s, double spacing)
{
    for (double c = -s.Height; c < s.Width; c += spacing) {
        b.Add(Segment{c, 0, c + s.Height, static_cast<double>(s.Height)});
    }
}

void Gravel(TileBuilder& b, TPatternSize s)
{
    if (s.Width < 50) {
        b.Add(Ring{15, 12, 6});
        b.Add(Ring{7, 33, 4});
        b.Add(Dot{24, 32, 1.5});
        return;
    }
    b.Add(Ring{16, 14, 7});
    b.Add(Ring{56, 20, 5});
    b.Add(Ring{84, 50, 7});
    b.Add(Ring{34, 50, 5});
    b.Add(Dot{70, 6, 1.5});
    b.Add(Dot{10, 40, 1.5});
}

void Silt(TileBuilder& b, TPatternSize s)
{
    const double rowStep = s.Height / 3.0;
    for (int row = 0; row < 3; ++row) {
        const double y = row * rowStep + rowStep / 2;
        const double shift = row % 2 ? s.Width / 4.0 : 0.0;
        for (double x = shift; x < s.Width + shift; x += s.Width / 2.0) {
            b.Add(Segment{x + 2, y, x + s.Width / 4.0, y});
        }
    }
}

void SiltySand(TileBuilder& b, TPatternSize s)
{
    const double rowStep = s.Height / 3.0;
    for (int row = 0; row < 3; ++row) {
        const double y = row * rowStep + rowStep / 2;
        const double shift = row % 2 ? s.Width / 2.0 : 0.0;
        b.Add(Segment{shift + 3, y, shift + s.Width / 4.0 + 3, y});
        b.Add(Dot{shift + s.Width * 0.75, y, 1.2});
    }
}

void Rock(TileBuilder& b, TPatternSize s)
{
    const int courses = s.Height > 100 ? 8 : 4;
    const double course = static_cast<double>(s.Height) / courses;
    for (int k = 0; k < courses; ++k) {
        const double y = k * course;
        b.Add(Segment{0, y, static_cast<double>(s.Width), y});
        const double x = (k % 2 ? 0.0 : 0.5) * s.Width;
        b.Add(Segment{x, y, x, y + course});
    }
}

void Peat(TileBuilder& b, TPatternSize s)
{
    const int rows = s.Height > 100 ? 4 : 2;
    const double rowStep = static_cast<double>(s.Height) / rows;
    for (int k = 0; k < rows; ++k) {
        const double y = k * rowStep + rowStep * 0.6;
        const double x = (k % 2 ? 0.25 : 0.75) * s.Width;
        b.Add(Segment{x - 10, y, x + 10, y});
        b.Add(Segment{x, y, x, y - 10});
        b.Add(Segment{x, y, x - 6, y - 8});
        b.Add(Segment{x, y, x + 6, y - 8});
    }
}

TPlotTile MakeHatchTile(TPlotBrushStyle style, int dpi)
{
    const double scale = std::max(0.25, static_cast<double>(dpi) / kReferenceDpi);
    const int p = std::max(4, static_cast<int>(std::lround(kHatchSpacing * scale)));
    const int t = std::max(1, static_cast<int>(std::lround(scale)));
    TPlotTile tile;
    tile.Width = p;
    tile.Height = p;
    tile.Ink.assign(static_cast<std::size_t>(p) * p, 0);
    for (int y = 0; y < p; ++y) {
        for (int x = 0; x < p; ++x) {
            const bool h = y % p < t;
            const bool v = x % p < t;
            // "/" lines: x + y constant; "\" lines: x - y constant.
            const bool up = (x + y) % p < t;
            const bool down = ((x - y) % p + p) % p < t;
            bool ink = false;
            switch (style) {
            case TPlotBrushStyle::ForwardDiagonal:
                ink = up;
                break;
            case TPlotBrushStyle::Cross:
                ink = h || v;
                break;
            case TPlotBrushStyle::DiagonalCross:
                ink = up || down;
                break;
            case TPlotBrushStyle::Horizontal:
                ink = h;
                break;
            case TPlotBrushStyle::Vertical:
                ink = v;
                break;
            default:
                break;
            }
            tile.Ink[static_cast<std::size_t>(y) * p + x] = ink ? 1 : 0;
        }
    }
    return tile;
}

} // namespace

TPatternSize PlotPatternSize(int patternIndex)
{
    if (patternIndex < 1 || patternIndex > kPlotPatternCount) {
        return {0, 0};
    }
    return kPatternSizes[patternIndex - 1];
}

TPlotTile MakeFillTile(const TPlotBrush& brush, int dpi)
{
    switch (brush.Style) {
    case TPlotBrushStyle::Solid:
    case TPlotBrushStyle::Clear:
        return {};
    case TPlotBrushStyle::Pattern:
        break;
    default:
        return MakeHatchTile(brush.Style, dpi);
    }
    const int index = brush.PatternIndex;
    if (index < 1 || index > kPlotPatternCount) {
        return {};
    }
    const TPatternSize size = PlotPatternSize(index);
    TileBuilder b(size, dpi);
    switch ((index + 1) / 2) {
    case 1:
        SandDots(b, size);
        break;
    case 2:
        Gravel(b, size);
        break;
    case 3:
        Silt(b, size);
        break;
    case 4:
        SiltySand(b, size);
        break;
    case 5:
        Rock(b, size);
        break;
    case 6:
        Peat(b, size);
        break;
    default:
        ClayLines(b, size, index == 13 ? 10.0 : 12.0);
        break;
    }
    return b.Take();
}

TPlotBrush LayerFillBrush(long double fillCode, bool printing)
{
    TPlotBrush brush;
    brush.Color = kPlotBlack;
    brush.Style = TPlotBrushStyle::Clear;
    if (!std::isfinite(fillCode) || fillCode != std::trunc(fillCode)) {
        return brush;
    }
    const int print = printing ? 1 : 0;
    auto pattern = [&](int screenPicture) {
        brush.Style = TPlotBrushStyle::Pattern;
        brush.PatternIndex = screenPicture + print;
    };
    switch (static_cast<int>(std::clamp(fillCode, -1.0L, 100.0L))) {
    case 1:
        pattern(13);
        break;
    case 2:
        brush.Style = TPlotBrushStyle::ForwardDiagonal;
        break;
    case 3:
        brush.Style = TPlotBrushStyle::Cross;
        break;
    case 4:
        brush.Style = TPlotBrushStyle::DiagonalCross;
        break;
    case 5:
        brush.Style = TPlotBrushStyle::Horizontal;
        break;
    case 6:
        brush.Style = TPlotBrushStyle::Vertical;
        break;
    case 7:
        pattern(1);
        break;
    case 8:
        pattern(3);
        break;
    case 9:
        pattern(5);
        break;
    case 10:
        pattern(7);
        break;
    case 11:
        pattern(9);
        break;
    case 12:
        pattern(11);
        break;
    default:
        break;
    }
    return brush;
}
