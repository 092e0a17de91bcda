#pragma once

#include <cstdint>
#include <vector>

#include "plot/PlotCanvas.h"

// The fills of the soil-layer bands: six hatches and the 14 pattern pictures, drawn here as
// tiles at the target's resolution so that a band looks the same on screen, paper and bitmap.

// One repeating tile: Ink[y * Width + x] is 1 where the brush colour goes, 0 for the white
// ground. Tiles repeat seamlessly in both directions.
struct TPlotTile
{
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Ink;
    bool At(int x, int y) const { return Ink[static_cast<std::size_t>(y) * Width + x] != 0; }
};

// Number of pattern pictures and their sizes in pixels at 96 pixels per inch. Odd pictures
// are the screen versions, each even one the print version of the one before.
inline constexpr int kPlotPatternCount = 14;
struct TPatternSize
{
    int Width;
    int Height;
};
TPatternSize PlotPatternSize(int patternIndex);

// The tile of a hatch or pattern brush at `dpi` pixels per inch (hatch lines 1/12 inch
// apart). Solid, Clear or a pattern index outside 1..14 give an empty tile.
TPlotTile MakeFillTile(const TPlotBrush& brush, int dpi);

// The brush of a layer band's fill code (the X of a layer point): 1 clay lines, 2 forward
// diagonals, 3 cross, 4 crossed diagonals, 5 horizontal, 6 vertical, 7 sand dots, 8 to 12
// further soil pictures. Any other value (13, 1.5, not finite) gives no fill (Clear).
// `printing` selects the print versions of the pictures.
TPlotBrush LayerFillBrush(long double fillCode, bool printing);
