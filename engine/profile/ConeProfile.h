#pragma once

// Cone resistance along the pile from the CPT profile of the side file (CPTDATA), and the
// cone resistance a segment takes for the CPT-based methods and their end bearing.

#include <optional>

#include "state/RunState.h"

// Cone resistance qc (as read: psf / kPa) at a depth: the first point's value at or above it,
// linear between points, the last point's below it. An empty profile gives the previous
// lookup's result (0 at the start of the run). Every result is remembered in CPTDATA.LASTQC.
double CPTQC(TRunState& s, double depth);

// The profile's qc at the top of segment k (SEGTOP), or nullopt when the profile has no
// points, so that the blow-count fallback applies.
std::optional<double> ProfileQcAtSegmentTop(TRunState& s, int k);

// Cone resistance of segment k in stress units (ksf / kPa): the soil table's value, else the
// profile at the segment's top, else (sand only) 2.8 N pa; nullopt for a clay or silt segment
// with neither.
std::optional<double> SegmentQc(TRunState& s, int k);

// True for a sand segment: soil type not above 1.
bool IsSandSegment(const TRunState& s, int k);
