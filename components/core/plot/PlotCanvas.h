#pragma once

#include <array>
#include <cstdint>
#include <string>

// Value types of the chart drawing, free of any graphics library, and the canvas the one
// drawing routine draws on (window, printer page, bitmap, or a recording for tests).

struct TPlotColor
{
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    friend bool operator==(const TPlotColor&, const TPlotColor&) = default;
};

inline constexpr TPlotColor kPlotBlack{0, 0, 0};
inline constexpr TPlotColor kPlotWhite{255, 255, 255};
inline constexpr TPlotColor kPlotGrey{128, 128, 128};

// Curve colours; curve k takes entry k mod 17.
inline constexpr int kPlotColorCount = 17;
inline constexpr std::array<TPlotColor, kPlotColorCount> kPlotColorTable{{
    {0, 0, 0},       // black
    {0, 0, 255},     // blue
    {255, 0, 0},     // red
    {0, 128, 0},     // green
    {128, 0, 128},   // purple
    {128, 0, 0},     // maroon
    {0, 0, 128},     // navy
    {255, 0, 255},   // fuchsia
    {128, 128, 0},   // olive
    {0, 128, 128},   // teal
    {128, 128, 128}, // grey
    {0, 255, 0},     // lime
    {128, 128, 128}, // grey
    {192, 192, 192}, // silver
    {192, 192, 192}, // silver
    {255, 255, 0},   // yellow
    {0, 255, 255},   // aqua
}};

// Colour of curve k (k < 0 counts as 0).
TPlotColor PlotCurveColor(int k);

// Pixel rectangle; Right and Bottom are exclusive for fills, as on every target.
struct TPlotRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TPlotRect&, const TPlotRect&) = default;
};

enum class TPlotPenStyle
{
    Solid,
    Dot,
    Clear // draws nothing
};

enum class TPlotPenMode
{
    Copy,
    NotXor // inverting, for rubber-band rectangles drawn twice
};

struct TPlotPen
{
    TPlotColor Color = kPlotBlack;
    TPlotPenStyle Style = TPlotPenStyle::Solid;
    int Width = 1;
    TPlotPenMode Mode = TPlotPenMode::Copy;
    friend bool operator==(const TPlotPen&, const TPlotPen&) = default;
};

enum class TPlotBrushStyle
{
    Solid,
    Clear,           // hollow
    ForwardDiagonal, // hatch "/" lines
    Cross,           // hatch of horizontal and vertical lines
    DiagonalCross,   // hatch of crossed diagonals
    Horizontal,      // hatch of horizontal lines
    Vertical,        // hatch of vertical lines
    Pattern          // one of the 14 soil pattern pictures (PatternIndex 1..14)
};

// Hatches and patterns are drawn in Color on an opaque white ground.
struct TPlotBrush
{
    TPlotColor Color = kPlotWhite;
    TPlotBrushStyle Style = TPlotBrushStyle::Solid;
    int PatternIndex = 0;
    friend bool operator==(const TPlotBrush&, const TPlotBrush&) = default;
};

inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;
inline constexpr int kAngleHorizontal = 0;
inline constexpr int kAngleUpward = 900; // tenths of a degree: text running upward

struct TPlotFont
{
    std::string Face = "Times New Roman";
    int Height = 14; // pixels
    int Weight = kFontWeightNormal;
    int Angle = kAngleHorizontal; // tenths of a degree, counter-clockwise
    TPlotColor Color = kPlotBlack;
    friend bool operator==(const TPlotFont&, const TPlotFont&) = default;
};

// A drawing target. Coordinates are device pixels, origin top left, y downward.
class TPlotCanvas
{
public:
    virtual ~TPlotCanvas() = default;

    // Height in pixels of the canvas's own font, from which chart text is scaled.
    virtual int BaseFontHeight() const = 0;

    virtual void SetPen(const TPlotPen& pen) = 0;
    virtual void SetBrush(const TPlotBrush& brush) = 0;
    virtual void SetFont(const TPlotFont& font) = 0;

    // Extents of a text in the current font, measured along the text (unrotated).
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Writes a text (UTF-8) with its top-left corner at (x, y), on a transparent ground.
    // Text at angle 900 runs upward from (x, y) and occupies x .. x + height.
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    virtual void MoveTo(int x, int y) = 0;
    // A line in the current pen from the current position to (x, y), which becomes the
    // current position.
    virtual void LineTo(int x, int y) = 0;
    // Outline in the current pen around pixels Left .. Right - 1, Top .. Bottom - 1,
    // filled with the current brush.
    virtual void Rectangle(const TPlotRect& rect) = 0;
    // Fills pixels Left .. Right - 1, Top .. Bottom - 1 with the current brush.
    virtual void FillRect(const TPlotRect& rect) = 0;
    // Limits all later drawing to the rectangle (exclusive right and bottom).
    virtual void SetClipRect(const TPlotRect& rect) = 0;
};
