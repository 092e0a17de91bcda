// User-specified method over the run state (UserCore.h): the unit skin friction and unit
// end bearing the user gives per layer, turned into side and tip resistance per grid row. The
// method fills its whole record; in tension the pipeline's run under method index 9 then puts
// the pile's self weight in place of the end bearing.
#include <algorithm>
#include <vector>

#include "capacity/SideAccumulation.h"
#include "methods/MethodTable.h"
#include "methods/pass1/Pass1Wiring.h"
#include "methods/pass1/UserCore.h"
#include "report/RunIo.h"
#include "state/RunState.h"

void GENERALMETHOD(TRunState& s, TRunIo&)
{
    const TPileData& p = s.PILEDATA;
    const TSegData& g = s.SEGDATA;
    const Pass1Units& u = Pass1UnitsFor(UnitSystem(p));
    const int nseg = p.NSEG;
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }

    const std::vector<double> segLen = Pass1SegmentLengths(s);
    const std::vector<double> userSide = Pass1SegmentValues(g.SEGUSERF, nseg);
    const std::vector<double> userTip = Pass1SegmentValues(g.SEGUSERQ, nseg);
    const std::vector<double> segRfs = Pass1SegmentValues(g.SEGRFS, nseg);
    UserPile pile;
    pile.od = p.OD;
    pile.tipArea = p.TIPAREA;
    pile.pileLength = p.PILELENGTH;
    pile.increment = p.INCREMENT;
    pile.tension = p.LOADTYPE == 1;
    pile.tensionFactor = p.TENSIONFACTOR;

    const auto n = static_cast<std::size_t>(rows);
    std::vector<double> depth(n), tip(n), side(n), unfactored(n);
    UserMethodResistance({segLen, userSide, userTip, segRfs},
                         pile,
                         u,
                         {depth, tip, side, unfactored});

    // The unit skin friction a row shows is the user's value of the segment holding its depth,
    // as the side resistance takes it.
    const double factor = pile.tension ? pile.tensionFactor : 1.0;
    std::vector<double> unitSkin(n);
    std::vector<int> segment(n);
    Pass1SegmentCursor cursor(segLen);
    for (std::size_t i = 0; i < n; ++i) {
        const int m = cursor.Find(depth[i]).segment;
        segment[i] = m;
        unitSkin[i] = m > 0 ? userSide[static_cast<std::size_t>(m - 1)] * factor : 0.0;
    }

    TMethodResult& r = s.RESULTS[kGeneral];
    // The load-transfer copy of the side, like the tip's, is reduced only when the t-z factor
    // option asks for it.
    Pass1StoreSide(r, p.INCREMENT, side, unitSkin, p.TZFACTOR == 1 ? side : unfactored);
    for (int j = 1; j <= rows; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        // The reported end bearing carries the end-bearing factor of the layer whose value it
        // takes, as the side resistance carries the side factor; the load-transfer copy is
        // reduced only when the t-z factor option asks for it.
        const int m = std::clamp(segment[i], 1, nseg);
        const double reduced = tip[i] * g.SEGRFE[m];
        r.TIP[j] = reduced;
        r.TOTAL[j] = side[i] + reduced;
        r.MARK[j] = kTipPlugged;
        r.TZTIP[j] = p.TZFACTOR == 1 ? reduced : tip[i];
        s.GRID.GRIDDEPTH[j] = depth[i];
    }
    r.COMPUTED = true;
}
