// Placeholder until the CPT methods' end bearing lands: the clay default stays, sand gives
// no end bearing, and the annulus takes the segment's cone resistance.
#include "CapacityPipelineCone.h"

#include "ConeProfile.h"

void TIPUNITCONE(TRunState& s, int k, double, double, double& qTop, double& qBottom)
{
    if (IsSandSegment(s, k)) {
        qTop = 0.0;
        qBottom = 0.0;
    }
}

double TIPCONEQC(TRunState& s, int k)
{
    return SegmentQc(s, k).value_or(0.0);
}
