// FHWA method over the run state: Nordlund's side friction in sand and Tomlinson's adhesion in
// clay per segment (FhwaCore.h), the side resistance accumulated on the penetration grid
// with the pile's tapered perimeter; the end bearing is the pipeline's (method index 1).
#include <algorithm>
#include <vector>

#include "capacity/SideAccumulation.h"
#include "loadtransfer/LoadSettlement.h"
#include "methods/MethodTable.h"
#include "methods/pass1/FhwaCore.h"
#include "methods/pass1/Pass1Wiring.h"
#include "report/RunIo.h"
#include "state/RunState.h"

namespace {

// The soil layers as the snapped soil rows give them: rows 2L - 1 and 2L are layer L's top and
// bottom.
std::vector<FhwaSoilLayer> SoilLayers(const TRunState& s)
{
    std::vector<FhwaSoilLayer> layers;
    for (int top = 1; top + 1 <= s.PILEDATA.NSOILROWS; top += 2) {
        FhwaSoilLayer layer;
        layer.top = s.SOILDATA(top, kColDepth);
        layer.bottom = s.SOILDATA(top + 1, kColDepth);
        layer.clay = Pass1IsCohesive(s.SOILDATA(top, kColType));
        layers.push_back(layer);
    }
    return layers;
}

// Steel cross-section area (ft2 / m2) at each segment's bottom, as the project gives it for the
// axial stiffness: the constant area, or the area table at the distance from the pile head;
// empty when the area comes from the section itself.
std::vector<double> SteelAreas(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const TAreaTable& a = s.AREATABLE;
    const double perArea = IsEnglish(p) ? 144.0 : 1.0; // in2 per ft2 as entered
    const int nseg = std::max(p.NSEG, 0);
    if (a.AREAMODE == 1 && p.CONSTAREA > 1e-5) {
        return std::vector<double>(static_cast<std::size_t>(nseg), p.CONSTAREA / perArea);
    }
    if (a.AREAMODE != 2 || a.AREACOUNT < 2) {
        return {};
    }
    std::vector<TStiffnessRow> table;
    for (int r = 1; r <= a.AREACOUNT; ++r) {
        table.push_back({a.AREADIST[r], a.AREAVALUE[r] / perArea});
    }
    std::stable_sort(table.begin(), table.end(), [](const auto& x, const auto& y) {
        return x.depth < y.depth;
    });
    std::vector<double> areas(static_cast<std::size_t>(nseg));
    for (int k = 1; k <= nseg; ++k) {
        areas[static_cast<std::size_t>(k - 1)] =
            StiffnessAt(table, p.STICKUP + s.SEGDATA.SEGBOT[k]);
    }
    return areas;
}

} // namespace

void FHWAMETHOD(TRunState& s, TRunIo&)
{
    const int kIndex = kMethodFhwa.index;
    const TPileData& p = s.PILEDATA;
    const TSegData& g = s.SEGDATA;
    const Pass1Units& u = Pass1UnitsFor(UnitSystem(p));
    const int nseg = p.NSEG;
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }

    const FhwaPile pile = FhwaPileOf(p);
    const std::vector<double> segBottom = Pass1SegmentValues(g.SEGBOT, nseg);
    const std::vector<double> segType = Pass1SegmentValues(g.SEGTYPE, nseg);
    const std::vector<double> segPhi = Pass1SegmentValues(g.SEGPHI, nseg);
    const std::vector<double> segSu = Pass1SegmentValues(g.SEGSU, nseg);
    const std::vector<double> segSur = Pass1SegmentValues(g.SEGSUR, nseg);
    const std::vector<double> segAdh = Pass1SegmentValues(g.SEGADH, nseg);
    const std::vector<double> sigv = Pass1StressEnds(s);
    const std::vector<FhwaSoilLayer> layers = SoilLayers(s);
    std::vector<int> plugFlag(static_cast<std::size_t>(nseg));
    for (int k = 1; k <= nseg; ++k) {
        plugFlag[static_cast<std::size_t>(k - 1)] = Pass1CompressionPlugFlag(s, kIndex, k);
    }

    const std::vector<double> steelArea = p.PILETYPE == 6 ? SteelAreas(s) : std::vector<double>{};

    FhwaProfileInput in;
    in.segBottom = segBottom;
    in.segType = segType;
    in.segPhi = segPhi;
    in.segSu = segSu;
    in.segSur = segSur;
    in.segAdh = segAdh;
    in.sigv = sigv;
    in.plugFlag = plugFlag;
    in.steelArea = steelArea;
    in.layers = layers;
    in.pile = pile;
    std::vector<FhwaSegmentResult> seg(static_cast<std::size_t>(nseg));
    FhwaSegmentFrictions(in, u, seg);

    // FSUNIT, and the load-transfer pairs the plug friction reads.
    std::vector<double> ends(2 * static_cast<std::size_t>(nseg));
    for (int k = 1; k <= nseg; ++k) {
        const FhwaSegmentResult& r = seg[static_cast<std::size_t>(k - 1)];
        ends[static_cast<std::size_t>(2 * k - 2)] = r.top;
        ends[static_cast<std::size_t>(2 * k - 1)] = r.bottom;
        Pass1SetUnitTransfer(s, kIndex, k, r.transferTop, r.transferBottom);
    }

    // Unit friction on the grid, accumulated with the perimeter at each row's depth.
    const std::vector<double> gridF = SideGridUnitFriction(s, ends, rows);
    std::vector<double> perimeter(static_cast<std::size_t>(rows));
    for (int j = 1; j <= rows; ++j) {
        perimeter[static_cast<std::size_t>(j - 1)] =
            FhwaPerimeterAt(pile, (j - 1) * p.INCREMENT, u);
    }
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
    StoreSideResult(s.RESULTS[kFhwa], p.INCREMENT, AccumulateSide(acc));
    for (int j = 1; j <= rows; ++j) {
        s.GRID.GRIDDEPTH[j] = (j - 1) * p.INCREMENT;
    }
}
