// U.S. Army Corps of Engineers method over the run state: K sigma'v tan(delta) in sand with the
// stress held below the critical depth, alpha su in clay, both in silt (UsaceCore.h), the
// side resistance accumulated on the grid with the head perimeter; the end bearing is the
// pipeline's (method index 2), which reads the critical depth set here.
#include <vector>

#include "capacity/SideAccumulation.h"
#include "methods/MethodTable.h"
#include "methods/pass1/Pass1Wiring.h"
#include "methods/pass1/UsaceCore.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void USACEMETHOD(TRunState& s, TRunIo&)
{
    const int kIndex = kMethodUsace.index;
    TPileData& p = s.PILEDATA;
    const TSegData& g = s.SEGDATA;
    const Pass1Units& u = Pass1UnitsFor(UnitSystem(p));
    const int nseg = p.NSEG;
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }

    const std::vector<double> sigv = Pass1StressEnds(s);
    const std::vector<double> sigvLim = Pass1LimitedStressEnds(s);
    if (p.CRITOPTION == 1) {
        // "At effective stress reaching 3,500 psf": the first sand or silt segment whose bottom
        // stress passes 3.5 ksf (167.58 kPa); 0 (no limiting) when none does.
        p.CRITDEPTH = UsaceCriticalDepthByStress(Pass1SegmentValues(g.SEGTYPE, nseg),
                                                 Pass1SegmentValues(g.SEGBOT, nseg),
                                                 sigv,
                                                 u);
    }

    UsaceOptions options;
    options.pileType = p.PILETYPE;
    options.apiSelected = s.METHODFLAGS[kApi] == 1;
    options.tension = p.LOADTYPE == 1;
    std::vector<double> ends(2 * static_cast<std::size_t>(nseg));
    for (int k = 1; k <= nseg; ++k) {
        UsaceSegmentInput in;
        in.soilType = g.SEGTYPE[k];
        in.phi = g.SEGPHI[k];
        in.ko = g.SEGKO[k];
        in.su = g.SEGSU[k];
        in.suRemolded = g.SEGSUR[k];
        in.sigvLimTop = sigvLim[static_cast<std::size_t>(2 * k - 2)];
        in.sigvLimBottom = sigvLim[static_cast<std::size_t>(2 * k - 1)];
        const UsaceSegmentResult r = UsaceSegmentFriction(in, options, u);
        ends[static_cast<std::size_t>(2 * k - 2)] = r.top;
        ends[static_cast<std::size_t>(2 * k - 1)] = r.bottom;
        Pass1SetUnitTransfer(s, kIndex, k, r.transferTop, r.transferBottom);
    }

    // The method takes the head perimeter whatever the taper.
    const std::vector<double> gridF = SideGridUnitFriction(s, ends, rows);
    const std::vector<double> perimeter(static_cast<std::size_t>(rows),
                                        kPass1Pi * p.OD / u.smallPerLength);
    const std::vector<double> limit = SideRowValues(s, g.SEGFMAX, rows);
    const std::vector<double> rfs = SideIntervalValues(s, g.SEGRFS, rows);
    TSideAccumulationInput acc;
    acc.gridF = gridF;
    acc.limit = limit;
    acc.perimeter = perimeter;
    acc.sideFactor = rfs;
    acc.increment = p.INCREMENT;
    acc.tensionFactor = p.LOADTYPE == 1 ? p.TENSIONFACTOR : 1.0;
    acc.limitMode = ESideLimit::kOnForceCutRow;
    acc.tzFactor = p.TZFACTOR;
    StoreSideResult(s.RESULTS[kUsace], p.INCREMENT, AccumulateSide(acc));
    for (int j = 1; j <= rows; ++j) {
        s.GRID.GRIDDEPTH[j] = (j - 1) * p.INCREMENT;
    }
}
