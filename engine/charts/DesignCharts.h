#pragma once

// Lookups into the digitised design charts (tables and their published sources in
// charts/ChartTables.h). Every lookup is a pure function of its arguments: linear interpolation
// between the digitised points of a curve, the end value outside the tabulated range, and, for
// charts with a family of curves, linear interpolation between the two curves whose keys bracket
// the second argument, the first or last curve outside the keys.
//
// Arguments outside a chart (a friction angle beyond the table, a pile type outside 1 to 7, a
// negative shear strength, an infinite value) are clamped to the chart's range; no argument
// reads outside a table. A NaN argument gives a NaN result: a chart value made up for a
// number that does not exist would look plausible in a signed report, a NaN does not.

#include <cmath>
#include <cstddef>

#include "charts/AdhesionGraphs.h"
#include "charts/ChartLookup.h"
#include "charts/ChartTables.h"

namespace ChartDetail {

template<std::size_t N>
double CurveValue(const ChartCurve<N>& chart, double at)
{
    return CurveValue(chart.x, chart.y, at);
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

} // namespace ChartDetail

// Bearing-capacity factor Nq of the USACE method; phi in degrees.
inline double NQUSACE(double phi)
{
    return ChartDetail::CurveValue(ChartTable::NQUSACE, phi);
}

// Bearing-capacity factor N'q of the FHWA (Nordlund) method; phi in degrees.
inline double NQFHWA(double phi)
{
    return ChartDetail::CurveValue(ChartTable::NQFHWA, phi);
}

// Limiting unit tip resistance of the FHWA method in tons per square foot (x 2 for ksf,
// x 2 x 47.88 for kPa); phi in degrees.
inline double QLIMFHWA(double phi)
{
    return ChartDetail::CurveValue(ChartTable::QLIMFHWA, phi);
}

// Clay interface friction angle (degrees) against plasticity index (%), upper and lower curve.
inline double DELTAPIHI(double pi)
{
    return ChartDetail::CurveValue(ChartTable::DELTAPIHI, pi);
}
inline double DELTAPILO(double pi)
{
    return ChartDetail::CurveValue(ChartTable::DELTAPILO, pi);
}

// K-delta of the FHWA (Nordlund) method for friction angles 25, 30, 35 and 40 degrees: omega the
// taper angle (degrees), v the displaced volume per unit length (ft3/ft; the chart keys are 0.1,
// 1 and 10).
inline double KDELTA25(double omega, double v)
{
    return ChartDetail::FamilyFromBelow(ChartTable::KDELTA25, omega, v);
}
inline double KDELTA30(double omega, double v)
{
    return ChartDetail::FamilyFromBelow(ChartTable::KDELTA30, omega, v);
}
inline double KDELTA35(double omega, double v)
{
    return ChartDetail::FamilyFromBelow(ChartTable::KDELTA35, omega, v);
}
inline double KDELTA40(double omega, double v)
{
    return ChartDetail::FamilyFromBelow(ChartTable::KDELTA40, omega, v);
}

// Tip coefficient alpha-t of the FHWA method: phi in degrees, ratio the embedment ratio
// (penetration over diameter; the chart keys are 20, 30 and 45).
inline double ALPHATFHWA(double phi, double ratio)
{
    return ChartDetail::FamilyFromBelow(ChartTable::ALPHATFHWA, phi, ratio);
}

// Ratio of interface to soil friction angle of the FHWA method: v the displaced volume per unit
// length (ft3/ft), pileType the pile type code; a code below 1 reads the curve of type 1, a code
// above 7 that of type 7. No interpolation between pile types.
inline double DELTARATIO(double v, int pileType)
{
    const auto& chart = ChartTable::DELTARATIO;
    constexpr int kFirstType = 1;
    constexpr int kLastType = static_cast<int>(ChartTable::DELTARATIO.curves.size());
    const int type =
        pileType < kFirstType ? kFirstType : (pileType > kLastType ? kLastType : pileType);
    return ChartDetail::CurveValue(chart.x,
                                   chart.curves[static_cast<std::size_t>(type - kFirstType)],
                                   v);
}

// Correction factor for K-delta: ratio the interface to soil friction angle ratio (keys 0.2 to
// 1.4), phi the soil friction angle in degrees.
inline double KDELTACF(double ratio, double phi)
{
    using namespace ChartDetail;
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
