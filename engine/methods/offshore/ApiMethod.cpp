// API RP-2A over the run state: unit side friction per segment, the table's limit in sand
// where the user asked for it, and the side resistance accumulated on the grid with the limit
// acting on each interval's force. The end bearing is the pipeline's (method index 4).
#include <algorithm>
#include <cmath>
#include <vector>

#include "capacity/SideAccumulation.h"
#include "methods/MethodTable.h"
#include "methods/offshore/ApiCore.h"
#include "report/RunIo.h"
#include "state/Constants.h"
#include "state/RunState.h"

void RP2AMETHOD(TRunState& s, TRunIo&)
{
    const int kIndex = kMethodApi.index;
    const TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    const bool english = IsEnglish(p);
    const int nseg = std::min(p.NSEG, kMaxSegments);
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }

    std::vector<double> ends(2 * static_cast<std::size_t>(nseg));
    for (int k = 1; k <= nseg; ++k) {
        double top = 0.0;
        double bottom = 0.0;
        if (g.SEGTYPE[k] - 1.0 > 1e-6) {
            double& sig = s.STRESS.SIGV[2 * k];
            sig = std::max(sig, 1e-10);
            const double alpha = ApiClayAlpha(g.SEGSU[k], sig);
            top = bottom = alpha * g.SEGSU[k];
            s.UNITXFER(kIndex, 2 * k - 1) = alpha * g.SEGSUR[k];
            s.UNITXFER(kIndex, 2 * k) = alpha * g.SEGSU[k];
        } else {
            top = ApiSandUnitFriction(g.SEGKO[k], s.STRESS.SIGV[2 * k - 1], g.SEGPHI[k]);
            bottom = ApiSandUnitFriction(g.SEGKO[k], s.STRESS.SIGV[2 * k], g.SEGPHI[k]);
            s.UNITXFER(kIndex, 2 * k - 1) = top;
            s.UNITXFER(kIndex, 2 * k) = bottom;
        }
        ends[static_cast<std::size_t>(2 * k - 2)] = top;
        ends[static_cast<std::size_t>(2 * k - 1)] = bottom;
    }

    // The table's limit in sand where the user entered the sentinel, compared as entered
    // (English maxima are read in psf and held in ksf).
    const double asEntered = english ? 1000.0 : 1.0;
    for (int k = 1; k <= nseg; ++k) {
        if (std::fabs(g.SEGFMAX[k] * asEntered - kApiLimitSentinel) < 1e-6 * kApiLimitSentinel
            && !(g.SEGTYPE[k] - 1.0 > 1e-6)) {
            g.SEGFMAX[k] = ApiSandFrictionLimit(g.SEGPHI[k], english);
        }
    }

    const std::vector<double> gridF = SideGridUnitFriction(s, ends, rows);
    const std::vector<double> limit = SideRowValues(s, g.SEGFMAX, rows);
    const std::vector<double> factor = SideIntervalValues(s, g.SEGRFS, rows);
    const double perimeter = kPiTo5 * p.OD / (english ? 12.0 : 1000.0);
    TSideAccumulationInput in;
    in.gridF = gridF;
    in.limit = limit;
    in.perimeter = std::span<const double>(&perimeter, 1);
    in.sideFactor = factor;
    in.increment = p.INCREMENT;
    in.tensionFactor = p.LOADTYPE == 1 ? p.TENSIONFACTOR : 1.0;
    in.limitMode = ESideLimit::kOnForce;
    in.tzFactor = p.TZFACTOR;
    StoreSideResult(s.RESULTS[kApi], p.INCREMENT, AccumulateSide(in));
    for (int j = 1; j <= rows; ++j) {
        s.GRID.GRIDDEPTH[j] = (j - 1) * p.INCREMENT;
    }
}
