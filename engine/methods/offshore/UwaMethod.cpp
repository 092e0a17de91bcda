// UWA method over the run state (OffshoreCore.h): sand from the cone resistance, the
// effective area ratio, the distance from the tip and the interface dilation; clay by the
// ICP-05 clay rule with its report lines.
#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void UWAMETHOD(TRunState& s, TRunIo& io)
{
    OffshoreClayRuleMethod(s, io, kMethodUwa, Offshore::UwaSandFriction);
}
