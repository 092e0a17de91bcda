// NGI method over the run state (OffshoreCore.h): sand from the relative density the cone
// resistance gives, clay from the strength ratio and the plasticity index; no report lines.
#include <algorithm>

#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"
#include "profile/ConeProfile.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void NGIMETHOD(TRunState& s, TRunIo&)
{
    const TSegData& g = s.SEGDATA;
    const Offshore::Constants& c = Offshore::ConstantsFor(UnitSystem(s.PILEDATA));
    const Offshore::Pile pile = OffshorePileOf(s);
    TSegmentFriction skinf(2 * static_cast<std::size_t>(std::max(s.PILEDATA.NSEG, 0)));
    for (int k = 1; k <= s.PILEDATA.NSEG; ++k) {
        const Offshore::Segment seg = OffshoreSegmentOf(s, k);
        if (IsSandSegment(s, k)) {
            const double qc = SegmentQc(s, k).value_or(0.0);
            const Offshore::NgiSandResult r = Offshore::NgiSandFriction(pile, seg, qc, c);
            OffshoreSetSegmentFriction(s, kMethodNgi.index, k, r.friction, r.transfer, skinf);
        } else {
            const Offshore::NgiClayResult r =
                Offshore::NgiClayFriction(pile, seg, {g.SEGSU[k], g.SEGSUR[k], g.SEGPI[k]});
            OffshoreSetSegmentFriction(s, kMethodNgi.index, k, r.friction, r.transfer, skinf);
        }
    }
    OffshoreStoreSide(s, kNgi, skinf);
}
