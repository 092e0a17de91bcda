#pragma once

// The generic reads of a digitised chart (the tables are in charts/ChartTables.h): one curve by
// linear interpolation between its points, clamped to its end values; a family of curves
// interpolated between the two curves whose keys bracket the second argument.

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>

// Value of one digitised curve at `at`: y(1) when at <= x(1); otherwise, with i the first point
// for which at <= x(i), y(i) - (y(i) - y(i-1)) (x(i) - at) / (x(i) - x(i-1)); y(n) beyond x(n).
// x must rise strictly. NaN when `at` is NaN, when the curve is empty or when x and y differ in
// length.
inline double ChartLookup(std::span<const double> x, std::span<const double> y, double at)
{
    const std::size_t n = x.size();
    if (n == 0 || y.size() != n || std::isnan(at)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (at <= x[0]) {
        return y[0];
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (at <= x[i]) {
            return y[i] - (y[i] - y[i - 1]) * (x[i] - at) / (x[i] - x[i - 1]);
        }
    }
    return y[n - 1];
}

namespace ChartDetail {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template<std::size_t N>
double CurveValue(const std::array<double, N>& x, const std::array<double, N>& y, double at)
{
    return ChartLookup(std::span<const double>(x), std::span<const double>(y), at);
}

// Index of the curve whose key is the largest at or below v; 0 when v lies below the first key.
template<std::size_t C>
std::size_t KeyAtOrBelow(const std::array<double, C>& keys, double v)
{
    std::size_t c = 0;
    for (std::size_t j = 1; j < C; ++j) {
        if (keys[j] <= v) {
            c = j;
        }
    }
    return c;
}

} // namespace ChartDetail
