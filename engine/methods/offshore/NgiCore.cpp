// NGI-05 method: sand after Clausen, Aas & Karlsrud (2005), "Bearing capacity of driven piles
// in sand, the NGI approach"; clay after Karlsrud, Clausen & Aas (2005), "Bearing capacity of
// driven piles in clay, the NGI approach" (both Proc. ISFOG, Perth).

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCore.h"
#include "methods/offshore/OffshoreCoreDetail.h"

namespace Offshore {

using namespace Detail;

namespace {

// Lowest relative density used for the shaft: F_Dr stays at 2.1 x 0.100001^1.7.
constexpr double kNgiDrFloor = 0.200001;

// Dr = 0.4 ln(qc / (22 sqrt(sigma'v0 pa))), at least the floor.
double NgiRelativeDensity(double qc, double sigma, const Constants& c)
{
    const double reference = 22.0 * std::sqrt(sigma * c.pa);
    if (qc <= 0.0 || reference <= 0.0) {
        return kNgiDrFloor;
    }
    return std::max(0.4 * std::log(qc / reference), kNgiDrFloor);
}

} // namespace

NgiSandResult NgiSandFriction(const Pile& pile, const Segment& seg, double qc, const Constants& c)
{
    NgiSandResult r;
    // f = (z/L) pa F_Dr F_sig F_tip F_load F_mat, z the segment's top depth at both of its ends.
    const double depthRatio = pile.length > kStressFloor ? seg.top / pile.length : 0.0;
    const double fTip = pile.endSectId > 1e-5 ? 1.0 : 1.6;
    const double fLoad = pile.load == Load::Tension ? 1.0 : 1.3;
    const double fMat = (pile.pileType == 2 || pile.pileType == 3) ? 1.2 : 1.0;

    const auto atEnd = [&](double sigma, double& dr) {
        dr = NgiRelativeDensity(qc, sigma, c);
        if (sigma <= 0.0) {
            return 0.0; // F_sig = 0 at the ground surface
        }
        const double fDr = 2.1 * std::pow(dr - 0.1, 1.7);
        const double fSig = std::pow(sigma / c.pa, 0.25);
        return depthRatio * c.pa * fDr * fSig * fTip * fLoad * fMat;
    };
    r.friction.bottom = atEnd(seg.sigma.bottom, r.relativeDensity.bottom);
    r.friction.top = atEnd(seg.sigma.top, r.relativeDensity.top);
    r.transfer = r.friction;
    return r;
}

NgiClayResult NgiClayFriction(const Pile& pile, const Segment& seg, const NgiClaySoil& soil)
{
    NgiClayResult r;
    const double sigma = std::max(seg.sigma.bottom, kStressFloor);
    r.psi = std::max(soil.su / sigma, kStressFloor);
    const double fTip = pile.endSectId < 1e-5 ? 1.0 : 0.8 + 0.2 * std::sqrt(r.psi);

    double f = 0.0;
    double plugFriction = 0.0;
    if (r.psi < 0.25) {
        // Lowly stressed clay: f = 0.08 (PI - 10)^0.3 sigma'v0, i.e. alpha = 0.32 (PI - 10)^0.3
        // on Su = 0.25 sigma'v0; no strength enters, so the plug takes the same value.
        const double pi = soil.plasticityIndex <= 10.0 ? 10.000001 : soil.plasticityIndex;
        r.alpha = 0.32 * std::pow(pi - 10.0, 0.3);
        f = 0.08 * std::pow(pi - 10.0, 0.3) * sigma;
        plugFriction = f;
    } else if (r.psi > 1.0) {
        r.alpha = 0.5 * std::pow(r.psi, -0.3);
        f = r.alpha * soil.su * fTip;
        plugFriction = r.alpha * soil.sur * fTip;
    } else {
        const double pi = soil.plasticityIndex <= 12.0 ? 12.000001 : soil.plasticityIndex;
        const double fMin = 0.06 * std::pow(pi - 12.0, 0.33) * sigma;
        const double alpha0 = 0.32 * std::pow(pi - 10.0, 0.3);
        const double alpha1 = 0.5 * std::pow(r.psi, -0.3);
        r.alpha = alpha0 + (r.psi - 0.25) * (alpha1 - alpha0) / 0.75;
        f = std::max(r.alpha * soil.su * fTip, fMin);
        plugFriction = std::max(r.alpha * soil.sur * fTip, fMin);
    }
    r.friction = {f, f};
    r.transfer = {plugFriction, f};
    return r;
}

double NgiEndBearing(const Pile& pile, double qc, double sigma, const Constants& c)
{
    // q_b = 0.8 qc / (1 + Dr^2) closed end, 0.7 qc / (1 + 3 Dr^2) open end (plug), with
    // Dr = 0.4 ln(qc / (22 sqrt(sigma'v0 pa))) unfloored. sigma'v0 / pa is floored at 1e-10,
    // the same in both unit systems, so the ratio stays finite at the ground surface; without
    // cone resistance there is no end bearing.
    if (qc <= 0.0) {
        return 0.0;
    }
    const double s = std::max(sigma, kStressFloor * c.pa);
    const double dr = 0.4 * std::log(qc / (22.0 * std::sqrt(s * c.pa)));
    if (pile.endSectId <= 1e-4) {
        return 0.8 * qc / (1.0 + dr * dr);
    }
    return 0.7 * qc / (1.0 + 3.0 * dr * dr);
}

} // namespace Offshore
