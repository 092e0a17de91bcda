#pragma once

// What the pass-1 method routines share between the run state and the numerical cores
// (Pass1Methods.h and the Method*Core.h files): copies of the segment values as spans counted
// from 0, the grid size, and the side half of a method's result record.

#include <vector>

#include "MethodResult.h"
#include "Pass1Methods.h"
#include "RunState.h"

// Grid rows of the embedded length: INT(PILELENGTH / INCREMENT + 1e-6) + 1, never more than
// the grid holds; 0 without segments.
int Pass1GridRows(const TRunState& s);

// Segments 1 .. NSEG of a per-segment array, segment k at index k - 1.
std::vector<double> Pass1SegmentValues(const TArray1<double, kMaxSegments>& values, int nseg);

// Segment lengths SEGBOT - SEGTOP of segments 1 .. NSEG.
std::vector<double> Pass1SegmentLengths(const TRunState& s);

// The segment whose per-segment value grid row j takes (Pass1RowSegment), 1-based.
int Pass1RowSegmentOf(const TRunState& s, int row);

// Per-row values of a per-segment array: row j takes segment Pass1RowSegmentOf(j).
std::vector<double>
Pass1RowValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows);

// The effective vertical stress SIGV and the stress held below the critical depth SIGVLIM,
// two entries per segment (top of segment k at index 2k - 2, bottom at 2k - 1).
std::vector<double> Pass1StressEnds(const TRunState& s);
std::vector<double> Pass1LimitedStressEnds(const TRunState& s);

// The load-transfer pair of segment k for an engine method index, read by the plug friction.
void Pass1SetUnitTransfer(TRunState& s, int methodIndex, int k, double top, double bottom);

// The plug marker the last pipeline run of a method index left at grid row `row` (1 plugged
// or closed, 2 unplugged); rows beyond the grid take the last grid row's.
int Pass1PlugFlag(const TRunState& s, int methodIndex, int row);

// Side resistance of a unit-friction method on grid rows 1 .. gridF.size(): the rows' unit
// friction and perimeter, the limit SEGFMAX and the side factor SEGRFS of each row's segment,
// the tension factor in tension and the t-z factor option.
struct TPass1Side
{
    std::vector<double> unitFriction; // used: tension factor applied, cut to the limit
    std::vector<double> unreduced;    // cumulative, without the side factors
    std::vector<double> reduced;      // cumulative, reduced by the side factors
    std::vector<double> loadTransfer; // unreduced, or reduced with the t-z factor option 1
};
TPass1Side Pass1Accumulate(const TRunState& s,
                           const std::vector<double>& gridF,
                           const std::vector<double>& perimeter);

// The side half of a method's record for grid rows 1 .. rows: penetration, cumulative side
// resistance (reduced by the side factors), unit side friction and the load-transfer side
// value. The tip, total and marker are the capacity pipeline's; the record is computed once
// the pipeline has run.
void Pass1StoreSide(TMethodResult& r,
                    double increment,
                    const std::vector<double>& skin,
                    const std::vector<double>& unitSkin,
                    const std::vector<double>& loadTransfer);
