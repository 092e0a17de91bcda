#pragma once

#include <vector>

#include "state/RunState.h"

// Segment count for the deepest soil and the increment: the whole part of
// DEEPESTSOIL / INCREMENT + 1e-6. Returned as a real, so a count far beyond any limit is
// still reported as it is, never wrapped.
double SegmentCount(double deepestSoil, double increment);

// Moves each soil row's depth so that every layer is either of zero thickness or at least one
// increment thick (rows in order; each pair sees the depths the pairs above it left).
void SnapLayers(TRunState& s);

// Fills SEGDATA for segments 1 .. NSEG from the soil rows.
void FillSegments(TRunState& s);

// Number of grid points for the embedded length: INT(PILELENGTH / INCREMENT + 1e-6) + 1.
int GridPointCount(double embeddedLength, double increment);

// The printed grid points: 1, 1 + P, 1 + 2P, ... not beyond nGrid, and nGrid itself.
std::vector<int> PrintedGridPoints(int nGrid, int printInterval);

// GRIDDEPTH and GRIDTYPE (the soil type of the segment holding each grid depth; a depth on a
// segment boundary belongs to the segment above).
void FillGridTypes(TRunState& s);
