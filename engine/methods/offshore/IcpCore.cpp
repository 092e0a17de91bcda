// ICP-05 method for sand: Jardine, Chow, Overy & Standing (2005), "ICP design methods for
// driven piles in sands and clays", Thomas Telford, London.

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCore.h"
#include "methods/offshore/OffshoreCoreDetail.h"

namespace Offshore {

using namespace Detail;

namespace {

// G / qc = 1 / (A + B eta - C eta^2): the quadratic peaks at eta = B / (2C), about 514; beyond it
// the fit would fall and then turn negative, so eta is held there.
constexpr double kIcpA = 0.0203;
constexpr double kIcpB = 0.00125;
constexpr double kIcpC = 1.216e-6;
constexpr double kIcpEtaMax = 514.0;

} // namespace

IcpSandResult
IcpSandFriction(const Pile& pile, const Segment& seg, double qc, double phi, const Constants& c)
{
    IcpSandResult r;
    const double q = std::max(qc, 0.0);

    // sigma'rc = 0.029 qc (sigma'v0/pa)^0.13 (max(h/R*, 8))^-0.38
    r.hOverR = std::max(DistanceToTip(pile, seg, c) / EquivalentRadius(pile), 8.0);
    const double heightFactor = std::pow(r.hOverR, -0.38);
    const auto stationary = [&](double sigma) {
        return 0.029 * q * PowNonNegative(sigma / c.pa, 0.13) * heightFactor;
    };

    // Dilation: d sigma'rd = 2 G dr / R with G = qc / (A + B eta - C eta^2),
    // eta = qc / sqrt(sigma'v0 pa) at the segment's bottom.
    const double sb = std::max(seg.sigma.bottom, kStressFloor);
    r.eta = std::min(q / std::sqrt(sb * c.pa), kIcpEtaMax);
    r.shearModulus = q / (kIcpA + kIcpB * r.eta - kIcpC * r.eta * r.eta);
    r.dilationStress = 2.0 * r.shearModulus * c.dilation / (0.5 * std::max(pile.od, kStressFloor));

    // Tension: ft/fc = 0.8 on the stationary stress; open ends a further 0.9.
    const bool tension = pile.load == Load::Tension;
    const double openFactor = (tension && pile.endSectId > 1e-5) ? 0.9 : 1.0;
    const double tanDelta = TanInterfaceAngle(phi);
    const auto atEnd = [&](double sigma) {
        const double src = stationary(sigma);
        const double sr =
            tension ? (0.8 * src + r.dilationStress) * openFactor : src + r.dilationStress;
        return sr * tanDelta;
    };
    r.friction.top = atEnd(seg.sigma.top);
    r.friction.bottom = atEnd(seg.sigma.bottom);
    r.transfer = r.friction;
    return r;
}

double IcpSandEndBearing(const Pile& pile, double qc, const Constants& c)
{
    // q_b / qc = 1 - 0.5 log10(D / D_CPT), at least 0.3 for D above 900 mm (closed end);
    // plugged open end 0.5 - 0.25 log10(D / D_CPT), at least 0.15; unplugged, on the annulus, qc.
    // D_CPT = 36 mm.
    const double q = std::max(qc, 0.0);
    const double d = pile.od * c.diameterToMillimetres;
    const double ratio = std::max(d / 36.0, kStressFloor);
    if (pile.endSectId >= 1e-4) {
        if (pile.plug == Plug::Unplugged) {
            return q;
        }
        double factor = 0.5 - 0.25 * std::log10(ratio);
        if (d > 900.0) {
            factor = std::max(factor, 0.15);
        }
        return factor * q;
    }
    double factor = 1.0 - 0.5 * std::log10(ratio);
    if (d > 900.0) {
        factor = std::max(factor, 0.3);
    }
    return factor * q;
}

} // namespace Offshore
