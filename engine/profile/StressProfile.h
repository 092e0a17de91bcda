#pragma once

// Effective vertical stress along the pile segments, the friction angle of sand from the SPT
// blow count, the undrained strength of clay from the cone resistance, and the stress held
// constant below the critical depth (USACE EM 1110-2-2906, 1991: 10 to 20 diameters by
// density, or where the effective stress reaches 3,500 psf).

#include "report/RunIo.h"
#include "state/RunState.h"

// Friction angle (degrees) from the blow count n and the effective overburden p (psi): three
// curves for 0, 20 and 40 psi blended linearly in p (Peck, Hanson and Thornburn, Foundation
// Engineering, 1974, with the overburden correction of Gibbs and Holtz, 1957). Where the chart
// gives no value (p of 40 psi or more with n at most 10 or at least 90) the angle is left as it
// was.
void SPTPHI(double& angle, double n, double p);

// Stress increment over segment k: length x unit weight (psf turned into ksf in English units).
double SegmentStressIncrement(const TRunState& s, int k);

// The effective-stress profile of the pass: SIGV and SIGVLIM per segment end, missing friction
// angles and strengths filled, the critical depth worked out.
void STRESSPROF(TRunState& s, TRunIo& io);
