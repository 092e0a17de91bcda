#include "methods/offshore/OffshoreWiring.h"

#include <algorithm>
#include <ostream>

#include "capacity/SideAccumulation.h"
#include "charts/DesignCharts.h"
#include "state/Constants.h"

Offshore::Pile OffshorePileOf(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    Offshore::Pile pile;
    pile.od = p.OD;
    // A closed end has no opening, whatever wall the pile has above it: the cone methods'
    // open-or-closed rules, area ratios and equivalent radii see an inside diameter of 0.
    pile.endSectId = p.CLOSEDEND == 1 ? 0.0 : p.ENDSECTID;
    pile.length = p.PILELENGTH;
    pile.pileType = p.PILETYPE;
    pile.load = Offshore::LoadFromCode(p.LOADTYPE);
    pile.plug = Offshore::PlugFromCode(p.PLUG);
    return pile;
}

Offshore::Segment OffshoreSegmentOf(const TRunState& s, int k)
{
    Offshore::Segment seg;
    seg.top = s.SEGDATA.SEGTOP[k];
    seg.sigma = {s.STRESS.SIGV[2 * k - 1], s.STRESS.SIGV[2 * k]};
    return seg;
}

void OffshoreSetSegmentFriction(TRunState& s,
                                int methodIndex,
                                int k,
                                const Offshore::EndPair& friction,
                                const Offshore::EndPair& transfer,
                                TSegmentFriction& skinf)
{
    const auto top = static_cast<std::size_t>(2 * k - 2);
    skinf.at(top) = friction.top;
    skinf.at(top + 1) = friction.bottom;
    s.UNITXFER(methodIndex, 2 * k - 1) = transfer.top;
    s.UNITXFER(methodIndex, 2 * k) = transfer.bottom;
}

void OffshoreClaySegment(TRunState& s, TRunIo& io, int methodIndex, int k, TSegmentFriction& skinf)
{
    const TSegData& g = s.SEGDATA;
    Offshore::ClaySoil soil;
    soil.su = g.SEGSU[k];
    soil.sur = g.SEGSUR[k];
    soil.yieldStressRatio = g.SEGSPT[k];
    soil.plasticityIndex = g.SEGPI[k];
    soil.deltaDegrees = DELTAPILO(g.SEGPI[k]);
    const Offshore::ClayResult r =
        Offshore::OffshoreClayFriction(OffshorePileOf(s),
                                       OffshoreSegmentOf(s, k),
                                       soil,
                                       Offshore::ConstantsFor(UnitSystem(s.PILEDATA)));
    if (r.plasticityIndexMissing) {
        io.report << ' ' << kNoPlasticIndexMessage << '\n';
    }
    if (r.hOverRWarning) {
        io.report << ' ' << kShortTipDistanceMessage << '\n';
    }
    OffshoreSetSegmentFriction(s, methodIndex, k, r.friction, r.transfer, skinf);
}

void OffshoreStoreSide(TRunState& s, int methodCode, const TSegmentFriction& skinf)
{
    const TPileData& p = s.PILEDATA;
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }
    const std::vector<double> gridF = SideGridUnitFriction(s, skinf, rows);
    const std::vector<double> rfs = SideIntervalValues(s, s.SEGDATA.SEGRFS, rows);
    const double diameter = IsEnglish(p) ? p.OD / 12.0 : p.OD / 1000.0;
    const double perimeter[] = {kPiTo5 * diameter};

    // No limit and no tension factor: the load direction acts inside each method's formulas.
    TSideAccumulationInput in;
    in.gridF = gridF;
    in.perimeter = perimeter;
    in.sideFactor = rfs;
    in.increment = p.INCREMENT;
    in.tensionFactor = 1.0;
    in.limitMode = ESideLimit::kNone;
    in.tzFactor = p.TZFACTOR;
    StoreSideResult(s.RESULTS[methodCode], p.INCREMENT, AccumulateSide(in));
    for (int j = 1; j <= rows; ++j) {
        s.GRID.GRIDDEPTH[j] = (j - 1) * p.INCREMENT;
    }
}
