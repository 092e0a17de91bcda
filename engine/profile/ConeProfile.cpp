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
        // The first point at or below the depth. Every point before the one a shallower lookup
        // stopped at lies above that depth, so above this one too: the search goes on from there.
        int i = 2;
        if (cpt.LASTCOUNT == count && cpt.LASTPOINT >= 2 && depth >= cpt.LASTDEPTH) {
            i = cpt.LASTPOINT;
        }
        while (i <= count && !(depth <= cpt.CPTDEPTH[i])) {
            ++i;
        }
        if (i <= count) {
            // depth lies above point i and below point i - 1, so the span is positive.
            qc = cpt.CPTQC[i]
                 - (cpt.CPTQC[i] - cpt.CPTQC[i - 1]) * (cpt.CPTDEPTH[i] - depth)
                       / (cpt.CPTDEPTH[i] - cpt.CPTDEPTH[i - 1]);
        }
        cpt.LASTCOUNT = count;
        cpt.LASTDEPTH = depth;
        cpt.LASTPOINT = i;
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
