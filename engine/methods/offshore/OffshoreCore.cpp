#include "methods/offshore/OffshoreCore.h"

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCoreDetail.h"

namespace Offshore {

using namespace Detail;

const Constants& ConstantsFor(EUnitSystem system)
{
    return IsEnglish(system) ? kEnglish : kSI;
}

const Constants& ConstantsFor(int unitsCode)
{
    return ConstantsFor(UnitSystemOf(unitsCode));
}

Load LoadFromCode(int loadType)
{
    return loadType == 1 ? Load::Tension : Load::Compression;
}

Plug PlugFromCode(int plug)
{
    switch (plug) {
    case 1:
        return Plug::Plugged;
    case 2:
        return Plug::Unplugged;
    default:
        return Plug::Computed;
    }
}

std::optional<double> SegmentConeResistance(double segQc,
                                            std::optional<double> profileQcAtTop,
                                            double segSpt,
                                            bool sand,
                                            const Constants& c)
{
    if (segQc >= 1e-5) {
        return segQc * c.coneToStress;
    }
    if (profileQcAtTop) {
        return *profileQcAtTop * c.coneToStress;
    }
    if (!sand) {
        return std::nullopt;
    }
    // Cone resistance from the SPT blow count of a sand: qc / pa = 2.8 N.
    return 2.8 * segSpt * c.pa;
}

ClayResult
OffshoreClayFriction(const Pile& pile, const Segment& seg, const ClaySoil& soil, const Constants& c)
{
    ClayResult r;
    r.plasticityIndexMissing = soil.plasticityIndex < 0.0;

    // ICP-05 clay (Jardine et al. 2005): tau_f = 0.8 sigma'rc tan(delta_f) with
    // sigma'rc = Kc sigma'v0 and Kc = (2 - 0.625 log10 St) YSR^0.42 (max(h/R*, 8))^-0.2.
    r.hOverR = DistanceToTip(pile, seg, c) / EquivalentRadius(pile);
    // A segment exactly 8 R* from the tip is not warned about in either unit system.
    r.hOverRWarning = r.hOverR < 8.0 - 1e-6;
    const double hOverR = std::max(r.hOverR, 8.0);

    // Sensitivity St = Su / Sur, at least 1; unknown (1) without a remolded strength.
    r.sensitivity = soil.sur < kStressFloor ? 1.0 : std::max(1.0, soil.su / soil.sur);

    // Above St of about 1585 the bracket would turn negative; friction stays at 0 there.
    const double bracket = std::max(2.0 - 0.625 * std::log10(r.sensitivity), 0.0);
    r.kc = bracket * PowNonNegative(soil.yieldStressRatio, 0.42) * std::pow(hOverR, -0.2);

    const double tanDelta = std::tan(std::max(soil.deltaDegrees, 0.0) / kDegreesPerRadian);
    r.friction.top = 0.8 * std::max(seg.sigma.top, 0.0) * r.kc * tanDelta;
    r.friction.bottom = 0.8 * std::max(seg.sigma.bottom, 0.0) * r.kc * tanDelta;
    r.transfer = r.friction;
    return r;
}

double OffshoreClayEndBearing(const Pile& pile, double su, std::optional<double> qc, bool drained)
{
    // q = 9 Su (API RP 2A-WSD, 6.4.3) when no cone resistance applies.
    const double undrainedStrength = 9.0 * su;
    if (!qc) {
        return undrainedStrength;
    }
    // ICP-05 clay end bearing (Jardine et al. 2005): closed end 0.8 qc undrained, 1.3 qc drained;
    // an open end failing plugged half of that; unplugged, on the annulus, qc and 1.6 qc.
    const double q = std::max(*qc, 0.0);
    const bool closed = pile.endSectId < 1e-6;
    if (closed) {
        return drained ? 1.3 * q : 0.8 * q;
    }
    switch (pile.plug) {
    case Plug::Plugged:
        return drained ? 0.65 * q : 0.4 * q;
    case Plug::Unplugged:
        return drained ? 1.6 * q : 1.0 * q;
    case Plug::Computed:
        break;
    }
    return undrainedStrength;
}

} // namespace Offshore
