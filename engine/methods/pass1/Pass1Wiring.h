#pragma once

// What the pass-1 method routines share between the run state and the numerical cores
// (Pass1Core.h and the *Core.h files): copies of the segment values as spans counted
// from 0, the stress profile, the load-transfer pairs and plug markers, the side half of the
// record of a method that does not go through the shared accumulation (SideAccumulation.h), and
// the pile as the FHWA core sees it, which the capacity pipeline's FHWA tip takes too.

#include <vector>

#include "methods/pass1/FhwaCore.h"
#include "methods/pass1/Pass1Core.h"
#include "state/MethodResult.h"
#include "state/RunState.h"

// Segments 1 .. NSEG of a per-segment array, segment k at index k - 1.
std::vector<double> Pass1SegmentValues(const TArray1<double, kMaxSegments>& values, int nseg);

// Segment lengths SEGBOT - SEGTOP of segments 1 .. NSEG.
std::vector<double> Pass1SegmentLengths(const TRunState& s);

// The effective vertical stress SIGV and the stress held below the critical depth SIGVLIM,
// two entries per segment (top of segment k at index 2k - 2, bottom at 2k - 1).
std::vector<double> Pass1StressEnds(const TRunState& s);
std::vector<double> Pass1LimitedStressEnds(const TRunState& s);

// The load-transfer pair of segment k for an engine method index, read by the plug friction.
void Pass1SetUnitTransfer(TRunState& s, int methodIndex, int k, double top, double bottom);

// The plug marker the last pipeline run of a method index left at grid row `row` (1 plugged
// or closed, 2 unplugged) as the pile has it in compression, whatever the load direction; rows
// beyond the grid take the last grid row's.
int Pass1CompressionPlugFlag(const TRunState& s, int methodIndex, int row);

// The side half of a method's record for grid rows 1 .. skin.size(): penetration, cumulative side
// resistance (reduced by the side factors), unit side friction and the load-transfer side
// value. The tip, total and marker are the capacity pipeline's; the record is computed once
// the pipeline has run.
void Pass1StoreSide(TMethodResult& r,
                    double increment,
                    const std::vector<double>& skin,
                    const std::vector<double>& unitSkin,
                    const std::vector<double>& loadTransfer);

// The pile as the FHWA core sees it (FhwaCore.h): its side friction and its end bearing.
FhwaPile FhwaPileOf(const TPileData& p);
