#pragma once

// Numerical core of the U.S. Army Corps of Engineers method for driven piles.
// Source: EM 1110-2-2906, "Design of Pile Foundations" (1991), chapter 4-2: skin friction in
// cohesionless soil f = K sigma'v tan(delta) with sigma'v held below the critical depth, in
// cohesive soil f = alpha su with alpha from su (fig. 4-5), in silt the sum of both; end bearing
// q = sigma'v Nq (fig. 4-4) with the stress held below the critical depth, 9 su in clay.
// Pure functions; the conventions of the arguments are those of Pass1Core.h.

#include <span>

#include "methods/pass1/Pass1Core.h"

// Interface friction ratio delta/phi by pile type (EM 1110-2-2906 table 4-2): steel 0.75,
// timber 0.9, concrete 0.95, H-pile 0.875.
double UsaceDeltaFactor(int pileType);

// Adhesion factor alpha against su (ksf / kPa): 1 up to 0.5 ksf (24 kPa), falling linearly to
// 0.5 at 1.5 ksf (72 kPa), 0.5 beyond.
double UsaceAlpha(double su, const Pass1Units& u);

struct UsaceSegmentInput
{
    double soilType = 1.0;      // SEGTYPE: 1 sand, 2 clay, 3 silt
    double phi = 0.0;           // SEGPHI (degrees)
    double ko = 0.0;            // SEGKO; 0 = not given
    double su = 0.0;            // SEGSU
    double suRemolded = 0.0;    // SEGSUR: remolded strength of clay (silt rows hold a blow count)
    double sigvLimTop = 0.0;    // SIGVLIM at the segment's top and bottom (held below the
    double sigvLimBottom = 0.0; // critical depth)
};
struct UsaceOptions
{
    int pileType = 1;         // PILETYPE
    bool apiSelected = false; // METHODFLAGS entry 4: sand takes the default K
    bool tension = false;     // LOADTYPE 1
};
struct UsaceSegmentResult
{
    double delta = 0.0;   // sand and silt: interface friction angle (degrees)
    double k = 0.0;       // sand and silt: earth-pressure coefficient used
    double alpha = 0.0;   // clay and silt: adhesion factor
    double sandTop = 0.0; // sand part of the unit friction at top and bottom
    double sandBottom = 0.0;
    double top = 0.0; // SKINF pair (ksf / kPa)
    double bottom = 0.0;
    double transferTop = 0.0; // UNITXFER pair of the USACE method
    double transferBottom = 0.0;
};
// Sand: K sigma'v,lim tan(delta) at both ends, K the segment's Ko or, when Ko is 0 or API RP-2A
// is also selected, 1.25 in compression and 0.6 in tension. Clay: alpha su at both ends, the
// load-transfer pair (alpha x remolded su, alpha su). Silt: the sum of both, and its
// load-transfer values are its own unit friction (the top value at both ends).
UsaceSegmentResult
UsaceSegmentFriction(const UsaceSegmentInput& in, const UsaceOptions& options, const Pass1Units& u);

// Critical depth under the option "effective stress reaching 3,500 psf": the bottom of the
// first sand or silt segment whose bottom stress exceeds 3.5 ksf (167.58 kPa); 0 when none
// does (no limiting).
double UsaceCriticalDepthByStress(std::span<const double> segType,
                                  std::span<const double> segBottom,
                                  std::span<const double> sigv,
                                  const Pass1Units& u);

// Held stresses of the USACE end bearing. `held` starts at 0 for each pass over the segments;
// held15 and held20 keep their values for the whole run.
struct UsaceTipState
{
    double held = 0.0;
    double held15 = 0.0;
    double held20 = 0.0;
};
struct UsaceTipSettings
{
    double od = 0.0;            // OD (in / mm)
    int criticalOption = 0;     // CRITOPTION: 0 by density, 1 by stress, 2 the user's depth
    double criticalDepth = 0.0; // CRITDEPTH for options 1 and 2; 0 = not found, no limiting
};
struct UsaceTipInput
{
    double depth = 0.0;    // depth of the segment (GRIDDEPTH of its row: its top)
    double soilType = 1.0; // SEGTYPE
    double phi = 0.0;      // SEGPHI
    double su = 0.0;       // SEGSU
    double sigvTop = 0.0;  // SIGV at top and bottom
    double sigvBottom = 0.0;
    double sigvLimBottom = 0.0;              // SIGVLIM at the bottom
    double maxEndBearing = kPass1NotLimited; // SEGQMAX
};
struct UsaceTipResult
{
    double nq = 0.0;
    double top = 0.0;
    double bottom = 0.0;
};
// Critical depths 10, 15 and 20 diameters (phi below 33, 33 to 36, 36 and above) plus 1 ft,
// all three replaced by the critical depth of options 1 and 2.
UsaceTipResult UsaceTipUnit(const UsaceTipInput& in,
                            const UsaceTipSettings& settings,
                            UsaceTipState& state,
                            const Pass1Units& u);
