#pragma once

// Side resistance of a unit-friction method accumulated on the penetration grid (API RP 2A-WSD
// 21st ed., 6.4.1: Q_f = sum of f A_s over the embedded length), shared by every method that
// computes a unit side friction per segment: FHWA, USACE, API RP-2A, NGI, ICP/MTD, Fugro, UWA.
//
// Grid rows j = 1 .. NGRID lie at the penetration (j - 1) x INCREMENT. Vectors here hold row j
// at index j - 1; two-entry profiles hold the top of segment k at index 2k - 2 and its bottom at
// index 2k - 1 (as SIGV does, shifted to 0).
//
// The three variants the methods use differ only in how the limit acts:
// - kNone (NGI, ICP/MTD, Fugro, UWA): no limit; GRIDFUSED = GRIDF.
// - kOnForce (API RP-2A): the interval force is the trapezoid of the two rows' unit frictions as
//   interpolated, cut to the trapezoid of the two rows' limits when larger by more than 1e-6.
// - kOnForceCutRow (FHWA, USACE): the same, but a row's unit friction is first cut to its limit
//   before it serves as the upper end of the next interval.
// The tension factor, when given, multiplies every row's unit friction (row 1 included) before
// anything else; methods whose load direction acts elsewhere pass 1.

#include <span>
#include <vector>

#include "state/MethodResult.h"
#include "state/RunState.h"

enum class ESideLimit
{
    kNone,
    kOnForce,
    kOnForceCutRow,
};

struct TSideAccumulationInput
{
    std::span<const double> gridF;      // unit side friction per row, as interpolated
    std::span<const double> limit;      // maximum unit side friction per row (unused for kNone)
    std::span<const double> perimeter;  // per row (ft or m); one value means a constant perimeter
    std::span<const double> sideFactor; // per row: the reduction factor of the interval ending
                                        // at the row (SideIntervalValues of SEGRFS)
    double increment = 0;
    double tensionFactor = 1.0; // 1 when the method applies no tension factor
    ESideLimit limitMode = ESideLimit::kNone;
    int tzFactor = 0; // 1: the load-transfer copy takes the reduced sums
};

// Per-row results; every vector has gridF.size() entries.
struct TSideAccumulation
{
    std::vector<double> GRIDF;      // unit friction with the tension factor applied
    std::vector<double> GRIDFUSED;  // unit friction as reported: GRIDF cut to its limit
    std::vector<double> GRIDDQS;    // force of the interval ending at the row (0 at row 1)
    std::vector<double> GRIDDQSLIM; // the interval's force from the limits (0 at row 1)
    std::vector<double> GRIDQS;     // cumulative side resistance, unreduced
    std::vector<double> GRIDQSF;    // cumulative side resistance, reduced by the side factors
    std::vector<double> TZSIDE;     // GRIDQS, or GRIDQSF with the t-z factor option 1
};

// The accumulation itself. A span shorter than the grid (perimeter of one value excepted) is a
// caller's defect and raises std::invalid_argument.
TSideAccumulation AccumulateSide(const TSideAccumulationInput& in);

// --- Helpers over the run state, so every method builds its input the same way. ---

// Grid rows of the embedded length: INT(PILELENGTH / INCREMENT + 1e-6) + 1, never more than
// the grid holds; 0 without segments or without a positive increment.
int SideGridRows(const TRunState& s);

// The segment whose per-segment values grid row j takes: segment j, the one just below the
// row's depth; a last row below the last segment takes the last segment (never an unfilled one).
int SideRowSegment(const TRunState& s, int row);

// Per-row values of a per-segment array (row j takes SideRowSegment(j)); `rows` entries.
std::vector<double>
SideRowValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows);

// The segment that holds the interval ending at grid row j, from (j - 2) to (j - 1) x INCREMENT:
// segment j - 1 (row 1, which ends no interval, takes segment 1). A layer's side reduction
// factor so acts on the side resistance from the layer's top to its bottom.
int SideIntervalSegment(const TRunState& s, int row);

// Per-row values of a per-segment array for the interval ending at each row (row j takes
// SideIntervalSegment(j)); `rows` entries.
std::vector<double>
SideIntervalValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows);

// Unit side friction on the grid from a two-entry profile per segment (size 2 x NSEG): 0 for
// a row in the zero-friction length (depth - ZEROFRICTION <= -1e-6), else linear within the
// segment that holds the row's depth (segment lengths summed from the top; a depth on a
// boundary belongs to the segment above). `rows` entries.
std::vector<double>
SideGridUnitFriction(const TRunState& s, std::span<const double> ends, int rows);

// The side half of a method's record for rows 1 .. GRIDQSF.size(): penetration, side
// resistance (reduced), reported unit friction and the load-transfer side value; marks the
// record computed. The tip, total and marker are then the capacity pipeline's, which fills
// only records so marked (the pass-1 methods, which always run, excepted).
void StoreSideResult(TMethodResult& r, double increment, const TSideAccumulation& side);
