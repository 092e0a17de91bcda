#pragma once

#include <array>
#include <vector>

#include "support/TWordReader.h"

// The numbers of one plot-data file (".qr7p") as the engine writes them, read in full before
// any graph is touched, so a damaged file never leaves half-filled graphs behind.
//
// The file is read as blank-separated words: only the order and number of values matter.
//   header            nCurves NROWS UNITS LSMETHOD                 (integers)
//   capacity rows     nCurves x NROWS x (depth, side, tip, total, unit side friction)
//   t-z curves        count, then per curve: number, point count (10), depth, 10 x (t, z)
//   load distribution 9 x NROWS x (position, load, third value dropped)
//   load-settlement   9 x (top load, top movement, tip load, tip movement)
//   extra t-z curves  only when asked for: as the t-z curves
//
// Counts are bounded by what the engine can write; a count outside its range is refused with
// the line and item of the count, so a hostile file can't make the reader allocate without
// limit.

// Bounds of the counts the engine writes.
inline constexpr int kPlotMaxCapacityCurves = 9; // the nine capacity methods
inline constexpr int kPlotMaxRows = 501;         // 500 segments, one grid point more
inline constexpr int kPlotMaxTzCurves = 240;     // 3 per pair of the 80 soil rows, stick-up 3
inline constexpr int kPlotMaxExtraTzCurves = 100;
inline constexpr int kPlotTzPoints = 10;
inline constexpr int kPlotLoadCases = 9; // assumed tip movements of the load-settlement solver

struct TPlotCapacityRow
{
    long double Depth = 0;
    long double Side = 0;
    long double Tip = 0;
    long double Total = 0;
    long double UnitSide = 0;
};

struct TPlotTzCurve
{
    long double Depth = 0;
    // Load transfer t and movement z of each point.
    std::array<long double, kPlotTzPoints> T{};
    std::array<long double, kPlotTzPoints> Z{};
};

struct TPlotLoadSettlementRow
{
    long double TopLoad = 0;
    long double TopMovement = 0;
    long double TipLoad = 0;
    long double TipMovement = 0;
};

struct TPlotData
{
    int CurveCount = 0;
    int RowCount = 0;
    int Units = 1;
    int LoadSettlementMethod = 0;
    // Line of the header (for messages about its counts).
    int HeaderLine = 1;
    // [curve][row], in file order.
    std::vector<std::vector<TPlotCapacityRow>> Capacity;
    std::vector<TPlotTzCurve> TzCurves;
    // [case][row]: position along the pile and axial load.
    std::array<std::vector<long double>, kPlotLoadCases> LoadPosition;
    std::array<std::vector<long double>, kPlotLoadCases> Load;
    std::array<TPlotLoadSettlementRow, kPlotLoadCases> LoadSettlement{};
    bool HasExtraTz = false;
    std::vector<TPlotTzCurve> ExtraTzCurves;
};

// Reads the whole plot data from the reader; the extra t-z section only when readExtraTz.
// Raises EInOutError with the reader's "Error on Line n Item m" message (or "This file either
// invalid or incomplete." at the end of the data) on the first word that does not fit.
TPlotData ReadPlotData(TWordReader& reader, bool readExtraTz);
