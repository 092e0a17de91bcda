#include "ControlRules.h"

#include <cmath>

namespace {

constexpr long double kSmallestIncrement = 1e-6L;

} // namespace

int RoundPrintInterval(long double entry)
{
    if (!(entry > kPrintIntervalMin)) {
        return kPrintIntervalMin; // also NaN
    }
    if (entry >= kPrintIntervalMax) {
        return kPrintIntervalMax;
    }
    const long double below = std::floor(entry);
    const long double fraction = entry - below;
    long double rounded = below;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(below, 2.0L) != 0)) {
        rounded = below + 1;
    }
    return static_cast<int>(rounded);
}

long double ShownIncrement(long double increment)
{
    return increment < kSmallestIncrement ? 1.0L : increment;
}
