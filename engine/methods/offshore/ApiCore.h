#pragma once

// API RP-2A unit side friction (API RP 2A-WSD, 21st ed., 6.4.2 clay, 6.4.3 sand).

// Alpha of the clay rule: psi = su / sigma'v, alpha = 0.5 psi^-0.5 (psi <= 1) or 0.5 psi^-0.25,
// at most 1 (eq. 6.4.2-2).
double ApiClayAlpha(double su, double sigv);

// delta = phi - 5 degrees, never below 0; K sigma'v tan(delta).
double ApiSandUnitFriction(double k, double sigv, double phi);

// Limiting unit side friction of sand by friction angle (table 6.4.3-1), linear between the
// tabled angles: 1.0, 1.4, 1.7, 2.0, 2.4 ksf at 20, 25, 30, 35, 40 degrees; the SI values are
// the same limits converted (47.88 kPa per ksf): 47.8, 67.0, 81.3, 95.7, 114.8 kPa.
double ApiSandFrictionLimit(double phi, bool english);

// The maximum a user enters to ask for the table's limit (in psf or kPa, as entered).
inline constexpr double kApiLimitSentinel = 9999.0;
