#include "methods/pass1/UsaceCore.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "charts/DesignCharts.h"

namespace {

bool IsSilt(double soilType)
{
    return std::fabs(soilType - 3.0) < kPass1DepthTolerance;
}

} // namespace

// EM 1110-2-2906 table 4-2, delta/phi for steel, timber, concrete piles; the H-pile takes the
// mean of steel on steel (0.75) and soil on soil (1.0).
double UsaceDeltaFactor(int pileType)
{
    switch (pileType) {
    case 2:
        return 0.9;
    case 3:
        return 0.95;
    case 6:
        return 0.5 * (0.75 + 1.0);
    default:
        return 0.75;
    }
}

// EM 1110-2-2906 fig. 4-5: alpha against undrained shear strength.
double UsaceAlpha(double su, const Pass1Units& u)
{
    if (su <= u.usaceSuFull) {
        return 1.0;
    }
    if (su <= u.usaceSuFull + u.usaceSuSpan) {
        return 1.0 - (su - u.usaceSuFull) / u.usaceSuSpan * 0.5;
    }
    return 0.5;
}

UsaceSegmentResult
UsaceSegmentFriction(const UsaceSegmentInput& in, const UsaceOptions& options, const Pass1Units& u)
{
    UsaceSegmentResult r;
    const bool silt = IsSilt(in.soilType);
    const bool sandPart = !Pass1IsCohesive(in.soilType) || silt;
    const bool clayPart = !sandPart || silt;
    if (sandPart) {
        // f = K sigma'v tan(delta) (EM 1110-2-2906 eq. 4-8), sigma'v held below the critical depth.
        r.delta = std::max(0.0, UsaceDeltaFactor(options.pileType) * in.phi);
        r.k = in.ko;
        if (options.apiSelected || std::fabs(in.ko) < kPass1StressFloor) {
            r.k = options.tension ? 0.6 : 1.25;
        }
        const double t = std::tan(r.delta / kPass1DegreesPerRadian);
        r.sandTop = r.k * in.sigvLimTop * t;
        r.sandBottom = r.k * in.sigvLimBottom * t;
        r.top = r.sandTop;
        r.bottom = r.sandBottom;
        r.transferTop = r.sandTop;
        r.transferBottom = r.sandBottom;
    }
    if (clayPart) {
        // f = alpha su (EM 1110-2-2906 eq. 4-10).
        r.alpha = UsaceAlpha(in.su, u);
        const double clay = r.alpha * in.su;
        r.top = clay + r.sandTop;
        r.bottom = clay + r.sandBottom;
        if (silt) {
            // A silt row holds a blow count where clay holds the remolded strength: its
            // load-transfer values are its own unit friction.
            r.transferTop = r.top;
        } else {
            r.transferTop = r.alpha * in.suRemolded;
        }
        r.transferBottom = r.top;
    }
    return r;
}

double UsaceCriticalDepthByStress(std::span<const double> segType,
                                  std::span<const double> segBottom,
                                  std::span<const double> sigv,
                                  const Pass1Units& u)
{
    const std::size_t nseg = segBottom.size();
    if (segType.size() < nseg || sigv.size() < 2 * nseg) {
        throw std::invalid_argument("USACE critical depth: arrays shorter than the segments");
    }
    for (std::size_t k = 0; k < nseg; ++k) {
        const bool sandOrSilt = !Pass1IsCohesive(segType[k]) || IsSilt(segType[k]);
        if (sandOrSilt && sigv[2 * k + 1] > u.criticalStress) {
            return segBottom[k];
        }
    }
    return 0.0;
}

// EM 1110-2-2906 eq. 4-6: q = sigma'v Nq, sigma'v held at its value at the critical depth
// (10, 15, 20 diameters for loose, medium, dense sand, par. 4-2a(2)(b)).
UsaceTipResult UsaceTipUnit(const UsaceTipInput& in,
                            const UsaceTipSettings& settings,
                            UsaceTipState& state,
                            const Pass1Units& u)
{
    UsaceTipResult r;
    if (Pass1IsCohesive(in.soilType)) {
        r.top = 9.0 * in.su;
        r.bottom = r.top;
        return r;
    }
    r.nq = NQUSACE(in.phi);
    const double d = settings.od / u.smallPerLength;
    double c10 = 10.0 * d + u.usaceDepthAllowance;
    double c15 = 15.0 * d + u.usaceDepthAllowance;
    double c20 = 20.0 * d + u.usaceDepthAllowance;
    bool limiting = true;
    if (settings.criticalOption > 0) {
        c10 = c15 = c20 = settings.criticalDepth;
        limiting = settings.criticalDepth >= 1e-5; // 0: the stress never reached the threshold
    }
    if (limiting) {
        auto reached = [&](double c) {
            return in.depth - c >= -kPass1DepthTolerance;
        };
        if (in.phi < 33.0 && reached(c10) && state.held < 1e-5) {
            state.held = in.sigvLimBottom;
        }
        if (in.phi >= 33.0 && reached(c15)) {
            if (state.held15 < 1e-5 && in.phi < 36.0) {
                state.held15 = in.sigvLimBottom;
            }
            state.held = state.held15;
        }
        if (in.phi >= 36.0 && reached(c20)) {
            if (state.held20 < 1e-5) {
                state.held20 = in.sigvLimBottom;
            }
            state.held = state.held20;
        }
    }
    r.top = in.sigvTop * r.nq;
    r.bottom = in.sigvBottom * r.nq;
    if (state.held > 1e-5 && state.held < in.sigvBottom) {
        r.top = state.held * r.nq;
        r.bottom = r.top;
    }
    if (std::fabs(in.maxEndBearing - kPass1NotLimited) > 0.5 && in.maxEndBearing > 0.001) {
        r.top = std::min(r.top, in.maxEndBearing);
        r.bottom = std::min(r.bottom, in.maxEndBearing);
    }
    return r;
}
