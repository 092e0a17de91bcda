// Fugro method over the run state (OffshoreCore.h): sand from the cone resistance, the
// stress and the distance from the tip, separate in compression and tension; clay by the
// ICP-05 clay rule with its report lines.
#include <algorithm>

#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"
#include "profile/ConeProfile.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void FUGROMETHOD(TRunState& s, TRunIo& io)
{
    const Offshore::Constants& c = Offshore::ConstantsFor(UnitSystem(s.PILEDATA));
    const Offshore::Pile pile = OffshorePileOf(s);
    TSegmentFriction skinf(2 * static_cast<std::size_t>(std::max(s.PILEDATA.NSEG, 0)));
    for (int k = 1; k <= s.PILEDATA.NSEG; ++k) {
        if (IsSandSegment(s, k)) {
            const double qc = SegmentQc(s, k).value_or(0.0);
            const Offshore::FugroSandResult r =
                Offshore::FugroSandFriction(pile, OffshoreSegmentOf(s, k), qc, c);
            OffshoreSetSegmentFriction(s, kMethodFugro.index, k, r.friction, r.transfer, skinf);
        } else {
            OffshoreClaySegment(s, io, kMethodFugro.index, k, skinf);
        }
    }
    OffshoreStoreSide(s, kFugro, skinf);
}
