#include "profile/ConeProfile.h"

#include <algorithm>

#include "methods/offshore/OffshoreCore.h"

double CPTQC(TRunState& s, double depth)
{
    TCptData& cpt = s.CPTDATA;
    const int count = std::min(cpt.CPTCOUNT, kMaxCptPoints);
    if (count <= 0) {
        return cpt.LASTQC;
    }
    double qc = cpt.CPTQC[count];
    if (depth <= cpt.CPTDEPTH[1]) {
        qc = cpt.CPTQC[1];
    } else {
        for (int i = 2; i <= count; ++i) {
            if (depth <= cpt.CPTDEPTH[i]) {
                // depth lies above point i and below point i - 1, so the span is positive.
                qc = cpt.CPTQC[i]
                     - (cpt.CPTQC[i] - cpt.CPTQC[i - 1]) * (cpt.CPTDEPTH[i] - depth)
                           / (cpt.CPTDEPTH[i] - cpt.CPTDEPTH[i - 1]);
                break;
            }
        }
    }
    cpt.LASTQC = qc;
    return qc;
}

std::optional<double> ProfileQcAtSegmentTop(TRunState& s, int k)
{
    if (s.CPTDATA.CPTCOUNT <= 0) {
        return std::nullopt;
    }
    return CPTQC(s, s.SEGDATA.SEGTOP[k]);
}

bool IsSandSegment(const TRunState& s, int k)
{
    return !(s.SEGDATA.SEGTYPE[k] > 1.0);
}

std::optional<double> SegmentQc(TRunState& s, int k)
{
    const TSegData& g = s.SEGDATA;
    const std::optional<double> profile =
        g.SEGQC[k] >= 1e-5 ? std::nullopt : ProfileQcAtSegmentTop(s, k);
    return Offshore::SegmentConeResistance(g.SEGQC[k],
                                           profile,
                                           g.SEGSPT[k],
                                           IsSandSegment(s, k),
                                           Offshore::ConstantsFor(UnitSystem(s.PILEDATA)));
}
