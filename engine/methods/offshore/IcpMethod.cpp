// ICP/MTD method over the run state (OffshoreCore.h): sand from the cone resistance, the
// distance from the tip and the interface dilation; clay by the ICP-05 clay rule with its
// report lines.
#include "methods/MethodTable.h"
#include "methods/offshore/OffshoreWiring.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void ICPMETHOD(TRunState& s, TRunIo& io)
{
    OffshoreClayRuleMethod(s, io, kMethodIcp, Offshore::IcpSandFriction);
}
