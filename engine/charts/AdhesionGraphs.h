#pragma once

// Tomlinson's adhesion graphs A, B and C for driven piles in clay (tables and source in
// charts/ChartTables.h): the lookups the FHWA method computes with, and the curves as the
// program draws them, so picture and computation are one table.

#include <array>
#include <cstddef>
#include <span>

#include "charts/ChartLookup.h"
#include "charts/ChartTables.h"

namespace ChartDetail {

// Strength units of the adhesion graphs: kPa per ksf.
inline constexpr double kKpaPerKsf = 47.88;

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
inline double AdhesionStrengthKsf(double su, int units)
{
    const double s = units <= 1 ? su : su / kKpaPerKsf;
    return s < 0.0 ? 0.0 : s;
}

// Graphs B and C: the short-pile curve up to an embedment ratio of 10, the long-pile curve
// from `longFrom` on, and straight between the two.
template<typename Chart>
double TwoCurveAdhesion(const Chart& chart, double su, double ratio, int units, double longFrom)
{
    if (std::isnan(su) || std::isnan(ratio)) {
        return kNaN;
    }
    const double s = AdhesionStrengthKsf(su, units);
    if (ratio < 10.0) {
        return AdhesionCurve(chart.x, chart.curves[0], s);
    }
    if (ratio < longFrom) {
        const double a = AdhesionCurve(chart.x, chart.curves[0], s);
        const double b = AdhesionCurve(chart.x, chart.curves[1], s);
        return a + (ratio - 10.0) * (b - a) / (longFrom - 10.0);
    }
    return AdhesionCurve(chart.x, chart.curves[1], s);
}

} // namespace ChartDetail

// Tomlinson adhesion factors for clay, graphs A, B and C (the layer's adhesion option 1, 2, 3):
// su the undrained shear strength, ratio the embedment ratio. units is the run's unit system,
// read as the method bodies read it: 1 or less English (su in ksf), anything else SI (su in kPa,
// converted with 47.88 kPa per ksf). A negative strength reads the chart at 0. The caller keeps
// the result as its adhesion factor.
inline double ADHESIONA(double su, double ratio, int units)
{
    using namespace ChartDetail;
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

inline double ADHESIONB(double su, double ratio, int units)
{
    return ChartDetail::TwoCurveAdhesion(ChartTable::ADHESIONB, su, ratio, units, 20.0);
}

inline double ADHESIONC(double su, double ratio, int units)
{
    return ChartDetail::TwoCurveAdhesion(ChartTable::ADHESIONC, su, ratio, units, 40.0);
}

// The adhesion factor of graph 1 (A), 2 (B) or 3 (C) for su in ksf; any other graph number
// reads graph C, as the FHWA method does with an option beyond the three.
inline double AdhesionFactorKsf(int graph, double suKsf, double ratio)
{
    switch (graph) {
    case 1:
        return ADHESIONA(suKsf, ratio, 1);
    case 2:
        return ADHESIONB(suKsf, ratio, 1);
    default:
        return ADHESIONC(suKsf, ratio, 1);
    }
}

// One drawn curve of a graph: the embedment ratio it belongs to and its adhesion factors at the
// graph's strengths.
struct TAdhesionCurveView
{
    double ratio = 0.0;
    std::span<const double> factor;
};

// A whole graph as digitised: the strengths (ksf) shared by its curves, and its two or three
// curves in rising embedment ratio (graph A: below 10, 20, 40 and above; B: 10 and below, 20
// and above; C: 10 and below, 40 and above).
struct TAdhesionGraphView
{
    std::span<const double> su;
    std::array<TAdhesionCurveView, 3> curves{};
    std::size_t count = 0;
};

namespace ChartDetail {

template<std::size_t N, std::size_t C>
TAdhesionGraphView AdhesionView(const ChartFamily<N, C>& chart)
{
    static_assert(C <= 3);
    TAdhesionGraphView view;
    view.su = chart.x;
    view.count = C;
    for (std::size_t c = 0; c < C; ++c) {
        view.curves[c] = {chart.keys[c], chart.curves[c]};
    }
    return view;
}

} // namespace ChartDetail

// Graph 1 (A), 2 (B) or 3 (C); any other number gives graph C.
inline TAdhesionGraphView AdhesionGraph(int graph)
{
    switch (graph) {
    case 1:
        return ChartDetail::AdhesionView(ChartTable::ADHESIONA);
    case 2:
        return ChartDetail::AdhesionView(ChartTable::ADHESIONB);
    default:
        return ChartDetail::AdhesionView(ChartTable::ADHESIONC);
    }
}
