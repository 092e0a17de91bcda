// UWA-05 method for sand: Lehane, Schneider & Xu (2005), "The UWA-05 method for prediction of
// axial capacity of driven piles in sand", Proc. ISFOG, Perth.

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCore.h"
#include "methods/offshore/OffshoreCoreDetail.h"

namespace Offshore {

using namespace Detail;

namespace {

// Effective area ratio Ar,eff = 1 - IFR (Di / D)^2 with the infill ratio
// IFR = min(1, (Di / 1.5 m)^0.2).
double EffectiveAreaRatio(const Pile& pile, const Constants& c)
{
    const double innerMetres = std::max(pile.endSectId, 0.0) * c.diameterToMetres;
    const double ifr = std::min(1.0, std::pow(innerMetres / 1.5, 0.2));
    const double ratio = pile.endSectId / std::max(pile.od, kStressFloor);
    return std::clamp(1.0 - ifr * ratio * ratio, 0.0, 1.0);
}

} // namespace

UwaSandResult
UwaSandFriction(const Pile& pile, const Segment& seg, double qc, double phi, const Constants& c)
{
    UwaSandResult r;
    r.areaRatio = EffectiveAreaRatio(pile, c);
    const double od = std::max(pile.od, kStressFloor);
    r.hOverD = std::max(DistanceToTip(pile, seg, c) / od, 2.0);
    if (qc <= 0.0) {
        // No cone resistance, no friction (qc1N^-0.75 would be infinite).
        return r;
    }
    // sigma'rc = 0.03 qc Ar,eff^0.3 (max(h/D, 2))^-0.5
    r.stationaryStress = 0.03 * qc * std::pow(r.areaRatio, 0.3) * std::pow(r.hOverD, -0.5);

    const double tanDelta = TanInterfaceAngle(phi);
    const double loadFactor = pile.load == Load::Tension ? 0.75 : 1.0;
    const auto atEnd = [&](double sigma) {
        // d sigma'rd = 4 G dr / D with G = 185 qc qc1N^-0.75, qc1N = (qc/pa) / (sigma'v0/pa)^0.5
        const double sn = std::max(sigma / c.pa, 1e-7);
        const double qc1n = (qc / c.pa) / std::sqrt(sn);
        const double g = 185.0 * qc * std::pow(qc1n, -0.75);
        const double dsrd = 4.0 * g * c.dilation / od;
        return (r.stationaryStress + dsrd) * loadFactor * tanDelta;
    };
    r.friction.top = atEnd(seg.sigma.top);
    r.friction.bottom = atEnd(seg.sigma.bottom);
    r.transfer = r.friction;
    return r;
}

double UwaSandEndBearing(const Pile& pile, double qc, const Constants& c)
{
    // q_b = (0.15 + 0.45 Ar,eff) qc, at least 0.3 qc for a closed or plugged pile and 0.15 qc
    // otherwise.
    const double q = std::max(qc, 0.0);
    const double base = (0.15 + 0.45 * EffectiveAreaRatio(pile, c)) * q;
    const bool closedOrPlugged = pile.endSectId <= 1e-4 || pile.plug == Plug::Plugged;
    return std::max(base, (closedOrPlugged ? 0.3 : 0.15) * q);
}

} // namespace Offshore
