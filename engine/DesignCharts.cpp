#include "DesignCharts.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "ChartTables.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Strength units of the adhesion graphs: kPa per ksf.
constexpr double kKpaPerKsf = 47.88;

template<std::size_t N>
double CurveValue(const std::array<double, N>& x, const std::array<double, N>& y, double at)
{
    return ChartLookup(std::span<const double>(x), std::span<const double>(y), at);
}

template<std::size_t N>
double CurveValue(const ChartCurve<N>& chart, double at)
{
    return CurveValue(chart.x, chart.y, at);
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

// Family read from the lower of the two bracketing curves (K-delta charts, alpha-t): curve c
// holds the largest key at or below v; above the first key the result moves linearly from curve
// c towards curve c+1, written as B + (k(c+1) - v) (A - B) / (k(c+1) - k(c)).
template<std::size_t N, std::size_t C>
double FamilyFromBelow(const ChartFamily<N, C>& chart, double x, double v)
{
    if (std::isnan(x) || std::isnan(v)) {
        return kNaN;
    }
    const std::size_t c = KeyAtOrBelow(chart.keys, v);
    const double a = CurveValue(chart.x, chart.curves[c], x);
    if (c + 1 < C && v > chart.keys[0]) {
        const double b = CurveValue(chart.x, chart.curves[c + 1], x);
        const double upper = chart.keys[c + 1];
        return b + (upper - v) * (a - b) / (upper - chart.keys[c]);
    }
    return a;
}

// Adhesion curve read with a strict search: the first point i with s < x(i), interpolated
// between i-1 and i; the last value from x(n) on. s must not be below x(1) (the caller clamps),
// so i never reaches the first point and no index falls before the table.
template<std::size_t N>
double AdhesionCurve(const std::array<double, N>& x, const std::array<double, N>& y, double s)
{
    for (std::size_t i = 1; i < N; ++i) {
        if (s < x[i]) {
            return y[i] - (y[i] - y[i - 1]) * (x[i] - s) / (x[i] - x[i - 1]);
        }
    }
    return y[N - 1];
}

// Strength in ksf for the adhesion graphs, clamped to the start of the chart (0 ksf). The unit
// system is told as every engine body tells it: 1 or less English, anything else SI.
double AdhesionStrengthKsf(double su, int units)
{
    const double s = units <= 1 ? su : su / kKpaPerKsf;
    return s < 0.0 ? 0.0 : s;
}

} // namespace

double ChartLookup(std::span<const double> x, std::span<const double> y, double at)
{
    const std::size_t n = x.size();
    if (n == 0 || y.size() != n || std::isnan(at)) {
        return kNaN;
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

double NQUSACE(double phi)
{
    return CurveValue(ChartTable::NQUSACE, phi);
}

double NQFHWA(double phi)
{
    return CurveValue(ChartTable::NQFHWA, phi);
}

double QLIMFHWA(double phi)
{
    return CurveValue(ChartTable::QLIMFHWA, phi);
}

double DELTAPIHI(double pi)
{
    return CurveValue(ChartTable::DELTAPIHI, pi);
}

double DELTAPILO(double pi)
{
    return CurveValue(ChartTable::DELTAPILO, pi);
}

double KDELTA25(double omega, double v)
{
    return FamilyFromBelow(ChartTable::KDELTA25, omega, v);
}

double KDELTA30(double omega, double v)
{
    return FamilyFromBelow(ChartTable::KDELTA30, omega, v);
}

double KDELTA35(double omega, double v)
{
    return FamilyFromBelow(ChartTable::KDELTA35, omega, v);
}

double KDELTA40(double omega, double v)
{
    return FamilyFromBelow(ChartTable::KDELTA40, omega, v);
}

double ALPHATFHWA(double phi, double ratio)
{
    return FamilyFromBelow(ChartTable::ALPHATFHWA, phi, ratio);
}

double DELTARATIO(double v, int pileType)
{
    const auto& chart = ChartTable::DELTARATIO;
    constexpr int kFirstType = 1;
    constexpr int kLastType = static_cast<int>(ChartTable::DELTARATIO.curves.size());
    const int type =
        pileType < kFirstType ? kFirstType : (pileType > kLastType ? kLastType : pileType);
    return CurveValue(chart.x, chart.curves[static_cast<std::size_t>(type - kFirstType)], v);
}

double KDELTACF(double ratio, double phi)
{
    if (std::isnan(ratio) || std::isnan(phi)) {
        return kNaN;
    }
    const auto& chart = ChartTable::KDELTACF;
    const auto& r = chart.keys;
    const std::size_t last = r.size() - 1;
    // Curve c is the upper of the two bracketing curves; the result moves from curve c-1 to c.
    std::size_t c = 0;
    if (ratio >= r[last]) {
        c = last;
    } else if (ratio > r[0]) {
        c = KeyAtOrBelow(r, ratio) + 1;
    }
    const double a = CurveValue(chart.x, chart.curves[c], phi);
    if (c > 0 && ratio > r[0] && ratio < r[last]) {
        const double b = CurveValue(chart.x, chart.curves[c - 1], phi);
        return b + (ratio - r[c - 1]) * (a - b) / (r[c] - r[c - 1]);
    }
    return a;
}

double ADHESIONA(double su, double ratio, int units)
{
    if (std::isnan(su) || std::isnan(ratio)) {
        return kNaN;
    }
    const auto& chart = ChartTable::ADHESIONA;
    const double s = AdhesionStrengthKsf(su, units);
    if (ratio < 10.0) {
        return AdhesionCurve(chart.x, chart.curves[0], s);
    }
    if (ratio < 20.0) {
        const double a = AdhesionCurve(chart.x, chart.curves[0], s);
        const double b = AdhesionCurve(chart.x, chart.curves[1], s);
        return b + (20.0 - ratio) * (a - b) / 10.0;
    }
    if (ratio < 40.0) {
        const double a = AdhesionCurve(chart.x, chart.curves[1], s);
        const double b = AdhesionCurve(chart.x, chart.curves[2], s);
        return b + (40.0 - ratio) * (a - b) / 20.0;
    }
    return AdhesionCurve(chart.x, chart.curves[2], s);
}

double ADHESIONB(double su, double ratio, int units)
{
    if (std::isnan(su) || std::isnan(ratio)) {
        return kNaN;
    }
    const auto& chart = ChartTable::ADHESIONB;
    const double s = AdhesionStrengthKsf(su, units);
    if (ratio < 10.0) {
        return AdhesionCurve(chart.x, chart.curves[0], s);
    }
    if (ratio < 20.0) {
        const double a = AdhesionCurve(chart.x, chart.curves[0], s);
        const double b = AdhesionCurve(chart.x, chart.curves[1], s);
        return a + (ratio - 10.0) * (b - a) / 10.0;
    }
    return AdhesionCurve(chart.x, chart.curves[1], s);
}

double ADHESIONC(double su, double ratio, int units)
{
    if (std::isnan(su) || std::isnan(ratio)) {
        return kNaN;
    }
    const auto& chart = ChartTable::ADHESIONC;
    const double s = AdhesionStrengthKsf(su, units);
    if (ratio < 10.0) {
        return AdhesionCurve(chart.x, chart.curves[0], s);
    }
    if (ratio < 40.0) {
        const double a = AdhesionCurve(chart.x, chart.curves[0], s);
        const double b = AdhesionCurve(chart.x, chart.curves[1], s);
        return a + (ratio - 10.0) * (b - a) / 30.0;
    }
    return AdhesionCurve(chart.x, chart.curves[1], s);
}
