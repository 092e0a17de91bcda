#pragma once

// The quoted constants of the engine's formulas, each once. Where the methods were written with
// different roundings of one number (pi to five and to four places), each rounding keeps its
// own name, because a result depends on which one a formula uses.

// Pi to five places: the methods' perimeters, wall and plug areas and displaced volumes.
inline constexpr double kPiTo5 = 3.14159;
// Pi to four places: a noncircular pile's diameter from its perimeter, the echoed section areas,
// the load-transfer curves and the solver's perimeter.
inline constexpr double kPiTo4 = 3.1416;
// Pi / 4 to seven places: plugged tip areas, steel and gross areas of the self weight.
inline constexpr double kQuarterPiTo7 = 0.7853975;

// Angles are held in degrees.
inline constexpr double kDegreesPerRadian = 57.2958;
// Taper angles turn into radians with this factor.
inline constexpr double kRadiansPerDegree = 0.01745;

// A maximum unit side friction or end bearing that was not given: not limited.
inline constexpr double kNotLimited = 9999999.0;

// Unit conversions the formulas quote.
inline constexpr double kKpaPerKsf = 47.88; // stresses of the pass-1 methods and charts
inline constexpr double kCubicMetresPerFoot =
    0.0929;                                      // m3/m per ft3/ft: displaced volume (m2 per ft2)
inline constexpr double kKpaPerPsi = 6.8948;     // overburden of the blow-count chart
inline constexpr double kInchesPerMetre = 39.37; // movements of the load-transfer curves
inline constexpr double kPoundsPerKip = 1000.0;  // loads of the load-transfer curves
inline constexpr double kPsfPerKpa = 20.89;      // stiffness of the USACE sand t-z curve

// Atmospheric pressure of the CPT-based methods, English (ksf).
inline constexpr double kAtmosphereKsf = 2.0885546;

// The USACE critical depth by stress: 3,500 psf, and its SI value as the method quotes it.
inline constexpr double kCriticalStressKsf = 3.5;
inline constexpr double kCriticalStressKpa = 167.58;

// Unit weights of the self weight in tension: English kcf, SI kN/m3.
inline constexpr double kTimberKcf = 0.05;
inline constexpr double kConcreteKcf = 0.15;
inline constexpr double kSteelKcf = 0.49;
inline constexpr double kWaterKcf = 0.0624;
inline constexpr double kTimberKnm3 = 7.8543506;
inline constexpr double kConcreteKnm3 = 23.563051;
inline constexpr double kSteelKnm3 = 76.97263;
inline constexpr double kWaterKnm3 = 9.8;
