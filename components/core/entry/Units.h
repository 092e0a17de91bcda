#pragma once

#include <array>
#include <string>
#include <string_view>

#include "support/Helpers.h"

// Unit systems of the components' Units property.
inline constexpr int kUnitsEnglish = 1; // kips, ft, in
inline constexpr int kUnitsSI = 2;      // kN, m, mm
inline constexpr int kUnitsLetters = 3; // dimension letters only (F, L, M, T)

// The value clamped to 1..3.
int ClampUnitSystem(int system);

// One unit placeholder: the number of system-1 units in one system-2 unit, and the unit's name
// in each of the three systems.
struct TUnitPlaceholder
{
    long double Factor;
    std::array<const char*, 3> Names; // index system - 1
};

// The ten units: F0 (also F), F1, F2, L0 (also L), L1, L2, F4, F5, L3, F6. There is no F3.
extern const std::array<TUnitPlaceholder, 10> UnitPlaceholders;

// Entry of each placeholder in UnitPlaceholders.
inline constexpr int kUnitF0 = 0; // lbs / kN
inline constexpr int kUnitF1 = 1; // kips / kN
inline constexpr int kUnitF2 = 2; // tons / kN
inline constexpr int kUnitL0 = 3; // in / m
inline constexpr int kUnitL1 = 4; // in / mm
inline constexpr int kUnitL2 = 5; // ft / m
inline constexpr int kUnitF4 = 6; // lb-sec2/in / Mg
inline constexpr int kUnitF5 = 7; // sec / sec
inline constexpr int kUnitL3 = 8; // rad / rad
inline constexpr int kUnitF6 = 9; // slug / Mg

// Factor of one term of a unit pattern ("F1", "L2^2", "F-L2", "F^2", ""): system-1 units per
// system-2 unit; an empty term gives 1. Reads the term as the grammar below says:
//   term   = [force [separator]] [length]
//   force  = "F" [0|1|2|4|5|6] ["^" digit]   (any other character after "F" reads as "F0"
//                                             followed by that character, the separator)
//   length = "L" [0|1|2|3] [any "^" digit]     (a length term longer than two characters
//                                             takes its fourth character as the exponent)
// A missing or non-digit exponent raises EConvertError naming the term.
long double PatternFactor(std::string_view term);

// The multiplier that takes a value in the pattern's units of system `from` to system `to`:
// the pattern splits at its first "/" into numerator and denominator; ratio = factor of the
// numerator / factor of the denominator; 1 -> 2 gives 1 / ratio, 2 -> 1 gives ratio, every
// other pair 1. "F/L2^2" from 2 to 1 gives 20.88543243 (psf in one kPa). A pattern with a
// missing or non-digit exponent raises EConvertError naming the pattern.
long double UnitFactor(int from, int to, std::string_view pattern);

// Column-heading rendering: every placeholder replaced by its unit name in the system, in the
// order F2, F1, F4, F5, F6, F, L3, L2, L1, L. "F/L2^2" -> "lbs/ft^2", "kN/m^2", "F/L^2".
std::string RenderUnitPattern(std::string_view pattern, int system);

// Label rendering of the numeric edit and combo boxes: system 3 returns the pattern as written;
// otherwise only the first of F6, F5, F4, F2, F1 that occurs is rendered (else every "F" as F0)
// and only the first of L2, L1, L3 (else every "L" as L0). "L1" -> "in" and "mm".
std::string ExpandUnits(std::string_view pattern, int system);

// True when -2147483648 <= value <= 2147483647 and its fractional part is 0.
bool IsWholeNumber(long double value);
