#pragma once

// A hand-built run state for the CPT-based method routines: a pile of equal segments with
// the stresses a test gives, without a whole run.

#include <memory>

#include "capacity/CapacityPipelineCone.h"
#include "methods/offshore/OffshoreCore.h"
#include "state/RunState.h"

namespace offshoretest {

struct TPileSetup
{
    int units = 2;
    double od = 762;      // in / mm
    double endSectId = 0; // 0: closed end
    double length = 20;   // embedded (ft / m)
    double increment = 1;
    int nseg = 24;
    int plug = 0;
    int loadType = 0;
    int icpClay = 0;
};

inline std::unique_ptr<TRunState> PileState(const TPileSetup& setup)
{
    auto s = std::make_unique<TRunState>();
    TPileData& p = s->PILEDATA;
    p.UNITS = setup.units;
    p.OD = setup.od;
    p.ID = setup.endSectId;
    p.ENDSECTID = setup.endSectId;
    p.PILELENGTH = setup.length;
    p.INCREMENT = setup.increment;
    p.NSEG = setup.nseg;
    p.PLUG = setup.plug;
    p.LOADTYPE = setup.loadType;
    p.ICPCLAY = setup.icpClay;
    p.PILETYPE = 1;
    p.TENSIONFACTOR = 1.0;
    p.NGRID = static_cast<int>(setup.length / setup.increment + 1e-6) + 1;
    for (int k = 1; k <= setup.nseg; ++k) {
        TSegData& g = s->SEGDATA;
        g.SEGTOP[k] = (k - 1) * setup.increment;
        g.SEGBOT[k] = k * setup.increment;
        g.SEGTYPE[k] = 1;
        g.SEGPHI[k] = 35;
        g.SEGRFS[k] = 1;
        g.SEGRFE[k] = 1;
        g.SEGFMAX[k] = 9999999.0;
        g.SEGQMAX[k] = 9999999.0;
    }
    return s;
}

// Sets the effective vertical stress at the top and bottom of segment k (and the closing copy).
inline void SetStress(TRunState& s, int k, double top, double bottom)
{
    s.STRESS.SIGV[2 * k - 1] = top;
    s.STRESS.SIGV[2 * k] = bottom;
    s.STRESS.SIGV[2 * k + 1] = bottom;
}

// The pipeline's unit end bearing of segment k under an engine method index, from the
// pipeline's default (9 Su in clay, 0 in sand) and the segment's stresses.
inline Offshore::EndPair TipUnit(TRunState& s, int methodIndex, int k)
{
    const TMethod& method = MethodOfIndex(methodIndex);
    Offshore::EndPair q;
    if (s.SEGDATA.SEGTYPE[k] > 1.0) {
        q.top = q.bottom = 9.0 * s.SEGDATA.SEGSU[k];
    }
    TIPUNITCONE(s, method, k, s.STRESS.SIGV[2 * k - 1], s.STRESS.SIGV[2 * k], q.top, q.bottom);
    return q;
}

} // namespace offshoretest
