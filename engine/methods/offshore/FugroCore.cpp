// Fugro-04 method for sand: Kolk, Baaijens & Senders (2005), "Design criteria for pipe piles in
// silica sands", Proc. ISFOG, Perth; as given in API RP 2GEO (2011).

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCore.h"
#include "methods/offshore/OffshoreCoreDetail.h"

namespace Offshore {

using namespace Detail;

namespace {

// Area ratio Ar = 1 - (Di / D)^2, within 0..1.
double AreaRatio(const Pile& pile)
{
    const double od = std::max(pile.od, kStressFloor);
    const double ratio = pile.endSectId / od;
    return std::clamp(1.0 - ratio * ratio, 0.0, 1.0);
}

} // namespace

FugroSandResult
FugroSandFriction(const Pile& pile, const Segment& seg, double qc, const Constants& c)
{
    FugroSandResult r;
    const double q = std::max(qc, 0.0);
    const double equivalentRadius =
        std::max(0.5 * pile.od * std::sqrt(AreaRatio(pile)), kStressFloor);
    r.hOverR = DistanceToTip(pile, seg, c) / equivalentRadius;
    const double x = r.hOverR;

    const auto atEnd = [&](double sigma) {
        if (pile.load == Load::Tension) {
            // tau_f = 0.045 qc (sigma'v0/pa)^0.15 (max(h/R*, 4))^-0.85
            return 0.045 * q * PowNonNegative(sigma / c.pa, 0.15)
                   * std::pow(std::max(x, 4.0), -0.85);
        }
        const double base = 0.08 * q * PowNonNegative(sigma / c.pa, 0.05);
        if (x > 4.0) {
            // tau_f = 0.08 qc (sigma'v0/pa)^0.05 (h/R*)^-0.9
            return base * std::pow(x, -0.9);
        }
        // Within 4 R* of the tip the friction falls linearly to zero at the tip:
        // tau_f = 0.08 qc (sigma'v0/pa)^0.05 4^-0.9 (h / 4R*).
        return base * std::pow(4.0, -0.9) * (x / 4.0);
    };
    r.friction.top = atEnd(seg.sigma.top);
    r.friction.bottom = atEnd(seg.sigma.bottom);
    r.transfer = r.friction;
    return r;
}

double FugroSandEndBearing(const Pile& pile, double qc, const Constants& c)
{
    // q_b = 8.5 pa (qc/pa)^0.5 Ar^0.25
    const double q = std::max(qc, 0.0);
    return 8.5 * c.pa * std::sqrt(q / c.pa) * std::pow(AreaRatio(pile), 0.25);
}

} // namespace Offshore
