// Revised Lambda method over the run state (LambdaCore.h): the mean unit side friction
// over the embedded length from the pile compressibility factor, turned into unit friction and
// side resistance per grid row; the end bearing is the pipeline's (method index 3), which keeps
// it in the method's own record.
#include <vector>

#include "capacity/SideAccumulation.h"
#include "methods/MethodTable.h"
#include "methods/pass1/LambdaCore.h"
#include "methods/pass1/Pass1Wiring.h"
#include "report/RunIo.h"
#include "state/EngineErrors.h"
#include "state/RunState.h"

void LAMBDA2METHOD(TRunState& s, TRunIo&)
{
    const TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    const Pass1Units& u = Pass1UnitsFor(UnitSystem(p));
    const int nseg = p.NSEG;
    const int rows = SideGridRows(s);
    if (rows == 0) {
        return;
    }

    const std::vector<double> segType = Pass1SegmentValues(g.SEGTYPE, nseg);
    const std::vector<double> segKo = Pass1SegmentValues(g.SEGKO, nseg);
    const std::vector<double> segPhi = Pass1SegmentValues(g.SEGPHI, nseg);
    const std::vector<double> segSu = Pass1SegmentValues(g.SEGSU, nseg);
    const std::vector<double> segFmax = Pass1SegmentValues(g.SEGFMAX, nseg);
    const std::vector<double> segLen = Pass1SegmentLengths(s);
    const std::vector<double> segRfs = Pass1SegmentValues(g.SEGRFS, nseg);
    const std::vector<double> sigv = Pass1StressEnds(s);

    LambdaProfileInput in;
    in.segType = segType;
    in.segKo = segKo;
    in.segPhi = segPhi;
    in.segSu = segSu;
    in.segFmax = segFmax;
    in.segLen = segLen;
    in.segRfs = segRfs;
    in.sigv = sigv;
    in.pile.od = p.OD;
    in.pile.endSectionId = p.ENDSECTID;
    in.pile.tipArea = p.TIPAREA;
    in.pile.modulus = p.EMOD;
    in.pileLength = p.PILELENGTH;
    in.increment = p.INCREMENT;
    in.zeroFriction = p.ZEROFRICTION;
    in.tension = p.LOADTYPE == 1;
    in.tensionFactor = p.TENSIONFACTOR;
    in.tzFactor = p.TZFACTOR;

    const auto n = static_cast<std::size_t>(rows);
    std::vector<double> depth(n), meanStress(n), meanStrength(n), mu(n), lambda(n), limit(n),
        unitFriction(n), cumulative(n), loadTransfer(n), reduced(n);
    std::vector<double> basis(static_cast<std::size_t>(nseg));
    const LambdaError error = LambdaSideResistance(in,
                                                   u,
                                                   basis,
                                                   {depth,
                                                    meanStress,
                                                    meanStrength,
                                                    mu,
                                                    lambda,
                                                    limit,
                                                    unitFriction,
                                                    cumulative,
                                                    loadTransfer,
                                                    reduced});
    if (error != LambdaError::None) {
        // No steel section or no stiffness: no compressibility factor can be formed.
        throw EEngineInputError(LambdaErrorMessage(error));
    }

    // A Ko of 0 is read as 1.0, and the plug friction of the method's pipeline run reads it so.
    for (int k = 1; k <= nseg; ++k) {
        g.SEGKO[k] = LambdaEffectiveKo(g.SEGKO[k]);
    }
    Pass1StoreSide(s.RESULTS[kLambda], p.INCREMENT, cumulative, unitFriction, loadTransfer);
    for (int j = 1; j <= rows; ++j) {
        s.GRID.GRIDDEPTH[j] = depth[static_cast<std::size_t>(j - 1)];
    }
}
