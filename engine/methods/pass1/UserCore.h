#pragma once

// Numerical core of the user-specified method: the unit skin friction and unit end bearing the
// user gives per soil layer, turned into side and tip resistance along the pile (side resistance
// summed over the increments, Q = sum of f p dz; tip Q = q A).
// Pure functions; the conventions of the arguments are those of Pass1Core.h.

#include <span>

#include "methods/pass1/Pass1Core.h"

struct UserPile
{
    double od = 0.0;            // OD (in / mm; perimeter / 3.1416 if noncircular)
    double tipArea = 0.0;       // TIPAREA as held: ft2 (English) or m2 (SI); 0 if circular
    double pileLength = 0.0;    // PILELENGTH, embedded (ft / m)
    double increment = 0.0;     // INCREMENT
    bool tension = false;       // LOADTYPE 1
    double tensionFactor = 1.0; // TENSIONFACTOR: side friction only, tension only
};

struct UserSegments
{
    std::span<const double> segLen;   // SEGLEN
    std::span<const double> userSide; // SEGUSERF (ksf / kPa: the English value already / 1000)
    std::span<const double> userTip;  // SEGUSERQ (the same)
    std::span<const double> segRfs;   // SEGRFS
};

// Per grid row, sized at least NGRID; rows beyond NGRID are left alone.
struct UserGridOutput
{
    std::span<double> depth;               // GRIDDEPTH
    std::span<double> tip;                 // GENQP: tip resistance (kips / kN)
    std::span<double> side;                // GENQS: cumulative side resistance (kips / kN)
    std::span<double> unfactoredSide = {}; // the same without the side reduction factors; may
                                           // be empty
};

// Tip at row j: A x the user end bearing of the segment holding the row's depth (row 1: segment
// 1). Side: each interval adds p x f x increment x r, f the user skin friction and r the side
// reduction factor of the segment holding the interval, times the tension factor in tension. A = 0.7853975 D^2, or the noncircular tip area above 0.0001. Returns NGRID.
int UserMethodResistance(const UserSegments& in,
                         const UserPile& pile,
                         const Pass1Units& u,
                         const UserGridOutput& out);
