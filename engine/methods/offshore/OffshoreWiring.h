#pragma once

// What the four CPT-based method routines (NGI, ICP/MTD, Fugro, UWA) share between the run
// state and the offshore cores (OffshoreCore.h): the pile and a segment as the cores see
// them, the unit friction written back per segment, the clay rule with its two report lines,
// the side resistance along the grid into the method's own record, and the one routine of the
// three methods that differ only in their sand rule.

#include <algorithm>
#include <vector>

#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreCore.h"
#include "profile/ConeProfile.h"
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

// The side half of a CPT method whose clay and silt follow the ICP-05 clay rule (ICP/MTD,
// Fugro, UWA): every sand segment by the method's sand rule, every clay or silt segment by
// OffshoreClaySegment with its report lines, then OffshoreStoreSide into the method's record.
// sandRule(pile, segment, qc, friction angle, constants) is the method's core; what it returns
// carries the segment's unit friction and load-transfer pair as .friction and .transfer.
template<typename TSandRule>
void OffshoreClayRuleMethod(TRunState& s, TRunIo& io, const TMethod& method, TSandRule sandRule)
{
    const Offshore::Constants& c = Offshore::ConstantsFor(UnitSystem(s.PILEDATA));
    const Offshore::Pile pile = OffshorePileOf(s);
    TSegmentFriction skinf(2 * static_cast<std::size_t>(std::max(s.PILEDATA.NSEG, 0)));
    for (int k = 1; k <= s.PILEDATA.NSEG; ++k) {
        if (IsSandSegment(s, k)) {
            const double qc = SegmentQc(s, k).value_or(0.0);
            const auto r = sandRule(pile, OffshoreSegmentOf(s, k), qc, s.SEGDATA.SEGPHI[k], c);
            OffshoreSetSegmentFriction(s, method.index, k, r.friction, r.transfer, skinf);
        } else {
            OffshoreClaySegment(s, io, method.index, k, skinf);
        }
    }
    OffshoreStoreSide(s, method.code, skinf);
}
