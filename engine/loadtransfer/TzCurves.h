#pragma once

// Load-transfer curves of an axially loaded pile: t-z curves for the shaft (unit side resistance
// t against local pile movement z) and the q-w curve for the tip (tip load Q against tip
// movement z), ten points each, point 1 always (0, 0).
//
// Units: English curves work in inches (z, diameters), psi (t) and pounds (Q); SI curves in
// metres (z, diameters), kPa (t) and kN (Q). The shapes are defined in inches; SI movements are
// the inch values divided by 39.37.
//
// Pure functions: they read only their arguments, so the load-settlement solver and the
// verification curves build identical curves from identical inputs.

#include <span>

#include "state/TArray.h"

inline constexpr int kTzCurvePoints = 10;

// One load-transfer curve, points 1..kTzCurvePoints: movement z and load transfer t (unit side
// resistance for a shaft curve, tip load for the tip curve).
struct TzCurve
{
    TArray1<double, kTzCurvePoints> z;
    TArray1<double, kTzCurvePoints> t;
};

// The load-settlement method code that selects the USACE curves; every other code selects the
// API-type curves.
inline constexpr int kTzUsaceMethod = 2;

// Initial stiffness E of the USACE sand t-z hyperbola against the friction angle (degrees),
// in psf per inch of movement (Mosher 1984, table of initial moduli for sand). Each band's upper
// bound belongs to the band: 28 -> 6000, 31 -> 10000, 34 -> 12666.6, 38 -> 18000.
double UsaceSandStiffness(double phiDeg);

// Shaft curve for sand (soil type 1). tMax: maximum unit side resistance (psi / kPa); phiDeg:
// friction angle, used by the USACE curve only. tMax <= 0 gives t = 0 at every point.
TzCurve TzSandCurve(int lsMethod, double tMax, double phiDeg, bool english);

// Shaft curve for clay and silt (soil types 2, 3). tMax as above; od: pile diameter (inches /
// metres; perimeter / 3.1416 for a noncircular pile), used by the API-type curve only.
TzCurve TzClayCurve(int lsMethod, double tMax, double od, bool english);

// Tip curve. qp: ultimate tip capacity (pounds / kN); od: pile diameter (inches / metres);
// tipSoilType: soil type at the tip (1 sand, 2 clay, 3 silt), used by USACE only; phiDeg:
// friction angle of the deepest shaft curve, used by the USACE sand/silt tip only. The tip load
// never exceeds qp.
TzCurve TipCurve(int lsMethod, double qp, double od, int tipSoilType, double phiDeg, bool english);

// Maximum unit side resistance t_max (psi / kPa) at depth x below the ground (inches / metres)
// from the cumulative side resistance of the load-settlement method on the penetration grid:
// gridDepth and gridQs hold grid points 1..n as elements 0..n-1 (feet and kips / metres and kN).
// t_max is the slope of the cumulative side resistance divided by the perimeter 3.1416 x od
// (inches / metres). A depth below the last grid depth takes the last interval; above the
// second grid depth the first. Where no slope is defined (fewer than two grid points, a grid
// interval shorter than 1e-6, od not positive) t_max is 0: no side resistance there.
double TmaxAtDepth(std::span<const double> gridDepth,
                   std::span<const double> gridQs,
                   double x,
                   double od,
                   bool english);

// Shaft resistance t (psi / kPa) of one curve at movement z: linear between the points that
// bracket z; beyond the last point the last point's t; at or below 0 the first point's t.
double TzCurveValue(const TzCurve& curve, double z);
