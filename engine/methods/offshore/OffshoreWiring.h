#pragma once

// What the four CPT-based method routines (NGI, ICP/MTD, Fugro, UWA) share between the run
// state and the offshore cores (OffshoreCore.h): the pile and a segment as the cores see
// them, the unit friction written back per segment, the clay rule with its two report lines,
// and the side resistance along the grid into the method's own record.

#include <vector>

#include "methods/offshore/OffshoreCore.h"
#include "report/RunIo.h"
#include "state/RunState.h"

// The pile of the run: OD, ENDSECTID (0 for a closed end), embedded length, pile type, load
// direction, plug option.
Offshore::Pile OffshorePileOf(const TRunState& s);

// Segment k: its top depth SEGTOP(k), used for both ends, and the stresses SIGV(2k-1), SIGV(2k).
Offshore::Segment OffshoreSegmentOf(const TRunState& s, int k);

// Unit side friction of the segment ends, SKINF: segment k's top at index 2k - 2, its bottom
// at 2k - 1.
using TSegmentFriction = std::vector<double>;

// Writes segment k's unit side friction into skinf and its load-transfer pair into the
// UNITXFER slot of the engine method index, read by the plug friction of the pipeline.
void OffshoreSetSegmentFriction(TRunState& s,
                                int methodIndex,
                                int k,
                                const Offshore::EndPair& friction,
                                const Offshore::EndPair& transfer,
                                TSegmentFriction& skinf);

// Clay or silt segment k under ICP/MTD, Fugro or UWA (the ICP-05 clay rule): writes the
// segment's friction and transfer pair, and the report lines for a missing plasticity index
// and for a segment closer than 8 R* to the tip, in that order, each one line with one leading
// blank.
void OffshoreClaySegment(TRunState& s, TRunIo& io, int methodIndex, int k, TSegmentFriction& skinf);

// Side resistance of the method along the grid from the segments' unit friction: linear
// within each segment, zero in the zero-friction length, trapezoidal forces on the perimeter
// with no limit and no tension factor, reduced by the side factors; fills the side half of
// the method's record (penetration, skin, unit skin, load-transfer side value) and the grid
// depths.
void OffshoreStoreSide(TRunState& s, int methodCode, const TSegmentFriction& skinf);

// The report lines of the clay rule.
inline constexpr const char* kNoPlasticIndexMessage = "ERROR - NO DATA FOUND FOR PLASTIC INDEX.";
inline constexpr const char* kShortTipDistanceMessage = "WARNING - h/R SHOULD BE GREATER THAN 8.";
