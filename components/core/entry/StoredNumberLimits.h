#pragma once

#include <cmath>
#include <limits>

// The size of a number a project can hold. The engine reads every number of the project and
// CPT side files as a 64-bit real and refuses one of more than 1E15 in size, and a size too
// small for a 64-bit real other than 0 does not read back at all (1E-400, or 1E309 too large).
// The project readers, the project writer and every numeric entry refuse what lies outside,
// so nothing the program stores can make a project it cannot open again.
inline constexpr long double kLargestStoredNumber = 1.0E15L;
// The smallest size other than 0: that of the smallest normal 64-bit real, about 2.2E-308
// (the messages give it as 1E-307).
inline constexpr long double kSmallestStoredNumber = std::numeric_limits<double>::min();

enum class EStoredNumber
{
    Held,
    TooLarge, // more than 1E15 in size, or not a number at all (infinite, NaN)
    TooSmall, // not 0, and smaller than the smallest size
};

inline EStoredNumber CheckStoredNumber(long double value)
{
    if (!(std::fabs(value) <= kLargestStoredNumber)) {
        return EStoredNumber::TooLarge;
    }
    if (value != 0 && std::fabs(value) < kSmallestStoredNumber) {
        return EStoredNumber::TooSmall;
    }
    return EStoredNumber::Held;
}
