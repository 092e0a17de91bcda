// Unit end bearing of the CPT-based methods (OffshoreCore.h) for the capacity pipeline:
// sand from the cone resistance by each method's own rule, clay by 9 Su (NGI) or the ICP-05
// clay rule (ICP/MTD, Fugro, UWA), with the user's maximum on sand.
#include "capacity/CapacityPipelineCone.h"

#include <algorithm>
#include <optional>

#include "methods/offshore/OffshoreCore.h"
#include "methods/offshore/OffshoreWiring.h"
#include "profile/ConeProfile.h"
#include "state/Constants.h"

namespace {

// The user's maximum unit end bearing, when one is given.
double UserMaximum(const TRunState& s, int k, double value)
{
    const double qmax = s.SEGDATA.SEGQMAX[k];
    if (qmax != kNotLimited && qmax > 0.001) {
        return std::min(value, qmax);
    }
    return value;
}

} // namespace

void TIPUNITCONE(TRunState& s,
                 const TMethod& method,
                 int k,
                 double pTop,
                 double pBottom,
                 double& qTop,
                 double& qBottom)
{
    if (!method.cone) {
        return;
    }
    const TSegData& g = s.SEGDATA;
    const Offshore::Constants& c = Offshore::ConstantsFor(UnitSystem(s.PILEDATA));
    const Offshore::Pile pile = OffshorePileOf(s);
    const std::optional<double> qc = SegmentQc(s, k);
    if (!IsSandSegment(s, k)) {
        // NGI keeps 9 Su; the others take the cone where one is known (ICPCLAY 1: drained).
        const double q =
            method.code == kNgi
                ? 9.0 * g.SEGSU[k]
                : Offshore::OffshoreClayEndBearing(pile, g.SEGSU[k], qc, s.PILEDATA.ICPCLAY == 1);
        qTop = q;
        qBottom = q;
        return;
    }
    const double sandQc = qc.value_or(0.0);
    if (method.code == kNgi) {
        qTop = Offshore::NgiEndBearing(pile, sandQc, pTop, c);
        qBottom = Offshore::NgiEndBearing(pile, sandQc, pBottom, c);
    } else if (method.code == kIcp) {
        qTop = qBottom = Offshore::IcpSandEndBearing(pile, sandQc, c);
    } else if (method.code == kFugro) {
        qTop = qBottom = Offshore::FugroSandEndBearing(pile, sandQc, c);
    } else {
        qTop = qBottom = Offshore::UwaSandEndBearing(pile, sandQc, c);
    }
    qTop = UserMaximum(s, k, qTop);
    qBottom = UserMaximum(s, k, qBottom);
}

double TIPCONEQC(TRunState& s, int k)
{
    // In stress units in both systems, so the annulus force is in kips or kN as the plug
    // friction it is added to. A clay or silt without any cone resistance bears 9 Su on the
    // annulus, the unit end bearing the pipeline gives it.
    const std::optional<double> qc = SegmentQc(s, k);
    return qc ? *qc : 9.0 * s.SEGDATA.SEGSU[k];
}
