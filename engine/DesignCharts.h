#pragma once

// Lookups into the digitised design charts (tables and their published sources in
// ChartTables.h). Every lookup is a pure function of its arguments: linear interpolation
// between the digitised points of a curve, the end value outside the tabulated range, and, for
// charts with a family of curves, linear interpolation between the two curves whose keys bracket
// the second argument, the first or last curve outside the keys.
//
// Arguments outside a chart (a friction angle beyond the table, a pile type outside 1 to 7, a
// negative shear strength, an infinite value) are clamped to the chart's range; no argument
// reads outside a table. A NaN argument gives a NaN result: a chart value made up for a
// number that does not exist would look plausible in a signed report, a NaN does not.

#include <span>

// Value of one digitised curve at `at`: y(1) when at <= x(1); otherwise, with i the first point
// for which at <= x(i), y(i) - (y(i) - y(i-1)) (x(i) - at) / (x(i) - x(i-1)); y(n) beyond x(n).
// x must rise strictly. NaN when `at` is NaN, when the curve is empty or when x and y differ in
// length.
double ChartLookup(std::span<const double> x, std::span<const double> y, double at);

// Bearing-capacity factor Nq of the USACE method; phi in degrees.
double NQUSACE(double phi);

// Bearing-capacity factor N'q of the FHWA (Nordlund) method; phi in degrees.
double NQFHWA(double phi);

// Limiting unit tip resistance of the FHWA method in tons per square foot (x 2 for ksf,
// x 2 x 47.88 for kPa); phi in degrees.
double QLIMFHWA(double phi);

// Clay interface friction angle (degrees) against plasticity index (%), upper and lower curve.
double DELTAPIHI(double pi);
double DELTAPILO(double pi);

// K-delta of the FHWA (Nordlund) method for friction angles 25, 30, 35 and 40 degrees: omega the
// taper angle (degrees), v the displaced volume per unit length (ft3/ft; the chart keys are 0.1,
// 1 and 10).
double KDELTA25(double omega, double v);
double KDELTA30(double omega, double v);
double KDELTA35(double omega, double v);
double KDELTA40(double omega, double v);

// Tip coefficient alpha-t of the FHWA method: phi in degrees, ratio the embedment ratio
// (penetration over diameter; the chart keys are 20, 30 and 45).
double ALPHATFHWA(double phi, double ratio);

// Ratio of interface to soil friction angle of the FHWA method: v the displaced volume per unit
// length (ft3/ft), pileType the pile type code; a code below 1 reads the curve of type 1, a code
// above 7 that of type 7. No interpolation between pile types.
double DELTARATIO(double v, int pileType);

// Correction factor for K-delta: ratio the interface to soil friction angle ratio (keys 0.2 to
// 1.4), phi the soil friction angle in degrees.
double KDELTACF(double ratio, double phi);

// Tomlinson adhesion factors for clay, graphs A, B and C (the layer's adhesion option 1, 2, 3):
// su the undrained shear strength, ratio the embedment ratio. units is the run's unit system,
// read as the method bodies read it: 1 or less English (su in ksf), anything else SI (su in kPa,
// converted with 47.88 kPa per ksf). A negative strength reads the chart at 0. The caller keeps
// the result as its adhesion factor.
double ADHESIONA(double su, double ratio, int units);
double ADHESIONB(double su, double ratio, int units);
double ADHESIONC(double su, double ratio, int units);
