// Fugro method over the run state (OffshoreCore.h): sand from the cone resistance, the
// stress and the distance from the tip, separate in compression and tension; clay by the
// ICP-05 clay rule with its report lines.
#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void FUGROMETHOD(TRunState& s, TRunIo& io)
{
    // The Fugro sand rule takes no friction angle.
    OffshoreClayRuleMethod(
        s,
        io,
        kMethodFugro,
        [](const Offshore::Pile& pile,
           const Offshore::Segment& seg,
           double qc,
           double,
           const Offshore::Constants& c) { return Offshore::FugroSandFriction(pile, seg, qc, c); });
}
