#pragma once

// Digitised design charts of the capacity methods, as constant tables: one copy that the engine
// computes with and the program draws. The lookups that read them are in charts/DesignCharts.h
// and charts/AdhesionGraphs.h. Units: stresses in ksf unless said, angles in degrees, displaced
// volume in cubic feet per foot of pile, ratios dimensionless.

#include <array>
#include <cstddef>

// One curve: value y against x.
template<std::size_t N>
struct ChartCurve
{
    std::array<double, N> x;
    std::array<double, N> y;
};

// A family of C curves over one x axis; curve c belongs to the key value keys[c] of a second
// variable (displaced volume, embedment ratio, friction-angle ratio, pile type).
template<std::size_t N, std::size_t C>
struct ChartFamily
{
    std::array<double, C> keys;
    std::array<double, N> x;
    std::array<std::array<double, N>, C> curves;
};

namespace ChartTable {

// One curve a row, as the charts list them.
// clang-format off
// USACE EM 1110-2-2906 "Design of Pile Foundations" (1991): bearing-capacity factor Nq for
// driven piles against the friction angle.
inline constexpr ChartCurve<13> NQUSACE{
    {0, 5, 10, 15, 20, 30, 32, 36, 38, 39, 40, 45, 50},
    {1, 1.6, 2.7, 4.4, 7.4, 23, 30, 56, 68, 79, 88, 200, 415.1}};

// Hannigan et al., FHWA-NHI-05-042 (Nordlund method; after Bowles 1977): bearing-capacity
// factor N'q against the friction angle.
inline constexpr ChartCurve<13> NQFHWA{
    {15, 17.5, 20, 22.5, 25, 27.5, 30, 32.5, 35, 37.5, 40, 42.5, 45},
    {4.8, 6.2, 8.2, 12, 15, 21, 30, 43, 64, 98, 160, 265, 475}};

// Hannigan et al., FHWA-NHI-05-042 (after Meyerhof 1976): limiting unit toe resistance in tons
// per square foot (x 2 gives ksf) against the friction angle.
inline constexpr ChartCurve<12> QLIMFHWA{
    {30, 31.25, 32.5, 33.75, 35, 36.25, 37.5, 38.75, 40, 41.25, 42.5, 43.75},
    {6.66, 11.25, 20, 32.5, 53.8, 81.3, 117.5, 159.5, 208.8, 262.5, 318.8, 368.8}};

// Jardine, Chow, Overy and Standing (2005), "ICP design methods for driven piles in sands and
// clays" (ring-shear interface tests): clay interface friction angle against plasticity index,
// upper bound.
inline constexpr ChartCurve<17> DELTAPIHI{
    {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80},
    {40, 36, 31, 28.5, 26, 24.5, 23, 22.5, 21.5, 20, 19.5, 18.5, 18, 17.7, 17.5, 17.2, 17}};

// The same source, lower bound.
inline constexpr ChartCurve<17> DELTAPILO{
    {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80},
    {34, 32, 29, 27, 24.5, 22.5, 20, 18.5, 17, 15.2, 14.7, 13, 12.3, 11.5, 10, 9.2, 8.5}};

// Nordlund (1963, 1979), as given in Hannigan et al., FHWA-NHI-05-042: K-delta against the taper
// angle, one curve per displaced volume 0.1, 1 and 10 ft3/ft, for friction angles 25, 30, 35
// and 40 degrees.
inline constexpr ChartFamily<10, 3> KDELTA25{
    {0.1, 1, 10},
    {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1, 1.2},
    {{{0.7, 0.739, 0.817, 0.922, 1.042, 1.194, 1.4, 1.808, 2.322, 2.917},
      {0.85, 0.902, 0.992, 1.085, 1.206, 1.353, 1.536, 1.886, 2.337, 2.917},
      {1, 1.05, 1.136, 1.237, 1.349, 1.478, 1.646, 1.944, 2.316, 2.917}}}};

inline constexpr ChartFamily<14, 3> KDELTA30{
    {0.1, 1, 10},
    {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.8, 1.9},
    {{{0.85, 1.043, 1.26, 1.551, 2.017, 2.56, 3.18, 4.332, 5.36, 5.934, 6.244, 6.399, 6.487,
       6.494},
      {1.15, 1.408, 1.629, 1.958, 2.435, 2.928, 3.444, 4.421, 5.36, 5.934, 6.244, 6.399, 6.487,
       6.494},
      {1.45, 1.745, 1.978, 2.339, 2.746, 3.18, 3.638, 4.499, 5.36, 5.934, 6.244, 6.399, 6.487,
       6.494}}}};

inline constexpr ChartFamily<13, 3> KDELTA35{
    {0.1, 1, 10},
    {0, 0.1, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.75, 0.88, 1, 1.11, 2},
    {{{1.15, 1.47, 2, 2.32, 2.9, 4.18, 5.42, 6.81, 8.55, 9.75, 10.18, 10.34, 10.34},
      {1.75, 2.01, 2.59, 2.98, 3.56, 4.66, 5.65, 6.85, 8.55, 9.75, 10.18, 10.34, 10.34},
      {2.35, 2.76, 3.37, 3.72, 4.26, 5.19, 6.08, 7.12, 8.55, 9.75, 10.18, 10.34, 10.34}}}};

inline constexpr ChartFamily<10, 3> KDELTA40{
    {0.1, 1, 10},
    {0, 0.1, 0.15, 0.22, 0.3, 0.4, 0.43, 0.5, 0.56, 2},
    {{{1.7, 5.12, 7.36, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
      {3, 6.352, 8, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
      {4.3, 7.04, 8.48, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54}}}};

// Hannigan et al., FHWA-NHI-05-042 (Nordlund method; after Bowles 1977): toe coefficient
// alpha-t against the friction angle, one curve per embedment ratio 20, 30 and 45.
inline constexpr ChartFamily<13, 3> ALPHATFHWA{
    {20, 30, 45},
    {20, 20.5, 22.5, 25, 27.5, 30, 32.5, 35, 36.5, 37.5, 40, 42.5, 45},
    {{{0.365, 0.375, 0.416, 0.47, 0.525, 0.58, 0.637, 0.68, 0.7, 0.715, 0.75, 0.78, 0.8},
      {0.256, 0.267, 0.319, 0.389, 0.4, 0.52, 0.605, 0.67, 0.7, 0.715, 0.75, 0.78, 0.8},
      {0.177, 0.19, 0.242, 0.318, 0.4, 0.49, 0.578, 0.66, 0.7, 0.715, 0.75, 0.78, 0.8}}}};

// Nordlund (1963, 1979), as given in Hannigan et al., FHWA-NHI-05-042: ratio of interface to soil
// friction angle against displaced volume, one curve per pile type code 1 to 7.
inline constexpr ChartFamily<13, 7> DELTARATIO{
    {1, 2, 3, 4, 5, 6, 7},
    {0.08, 0.1, 0.2, 0.3, 0.4, 0.52, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.9},
    {{{0.342, 0.342, 0.342, 0.342, 0.41, 0.476, 0.516, 0.593, 0.652, 0.697, 0.733, 0.763, 0.798},
      {0.404, 0.404, 0.404, 0.404, 0.466, 0.527, 0.562, 0.637, 0.693, 0.734, 0.766, 0.793, 0.825},
      {0.466, 0.466, 0.466, 0.466, 0.525, 0.59, 0.63, 0.708, 0.767, 0.813, 0.848, 0.877, 0.914},
      {0.571, 0.571, 0.571, 0.571, 0.637, 0.699, 0.736, 0.814, 0.873, 0.917, 0.953, 0.985, 1.024},
      {0.801, 0.801, 0.801, 0.801, 0.845, 0.895, 0.925, 0.994, 1.053, 1.11, 1.159, 1.207, 1.27},
      {0.727, 0.747, 0.827, 0.8875, 0.933, 0.972, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98},
      {0.643, 0.643, 0.643, 0.643, 0.696, 0.757, 0.792, 0.86, 0.916, 0.958, 0.994, 1.024,
       1.062}}}};

// Nordlund (1963, 1979), as given in Hannigan et al., FHWA-NHI-05-042: correction factor for
// K-delta when delta differs from phi, against the friction angle, one curve per ratio
// delta/phi 0.2 to 1.4.
inline constexpr ChartFamily<9, 7> KDELTACF{
    {0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4},
    {14, 18, 22, 26, 30, 34, 38, 42, 45},
    {{{0.83, 0.77, 0.71, 0.64, 0.58, 0.5, 0.42, 0.32, 0.24},
      {0.9, 0.85, 0.8, 0.74, 0.69, 0.63, 0.56, 0.49, 0.43},
      {0.95, 0.92, 0.89, 0.85, 0.82, 0.77, 0.72, 0.66, 0.62},
      {0.99, 0.98, 0.97, 0.95, 0.94, 0.92, 0.9, 0.87, 0.84},
      {1, 1, 1, 1, 1, 1, 1, 1, 1},
      {1.01, 1.02, 1.02, 1.02, 1.03, 1.05, 1.07, 1.09, 1.12},
      {1.02, 1.03, 1.03, 1.04, 1.06, 1.08, 1.1, 1.13, 1.16}}}};

// Tomlinson (1979) adhesion factors for driven piles in clay, as given in Hannigan et al.,
// FHWA-NHI-05-042: adhesion factor against undrained shear strength (ksf), one curve per
// embedment ratio. Graph A: sands or sandy gravels over stiff clay (ratio 10 and below, 20,
// 40 and above).
inline constexpr ChartFamily<10, 3> ADHESIONA{
    {10, 20, 40},
    {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5},
    {{{1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
      {1, 1, 1, 1, 0.95, 0.875, 0.75, 0.75, 0.75, 0.75},
      {1, 1, 0.9, 0.815, 0.68, 0.5, 0.44, 0.4, 0.4, 0.4}}}};

// Graph B: soft clays or silts over stiff clay (ratio 10 and below, 20 and above).
inline constexpr ChartFamily<10, 2> ADHESIONB{
    {10, 20},
    {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5},
    {{{0.7, 0.519, 0.398, 0.334, 0.298, 0.272, 0.246, 0.226, 0.206, 0.186},
      {0.97, 0.84, 0.746, 0.694, 0.675, 0.656, 0.626, 0.599, 0.568, 0.54}}}};

// Graph C: stiff clays without overlying strata (ratio 10 and below, 40 and above).
inline constexpr ChartFamily<10, 2> ADHESIONC{
    {10, 40},
    {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5},
    {{{1, 0.984, 0.923, 0.829, 0.688, 0.443, 0.303, 0.245, 0.238, 0.238},
      {1, 1, 1, 1, 0.9, 0.701, 0.502, 0.388, 0.315, 0.299}}}};
// clang-format on

// The lookups interpolate between neighbouring points and keys, so every axis must rise
// strictly; a value of 0 would also betray a row typed one number short (std::array pads).
template<std::size_t N>
constexpr bool RisesStrictly(const std::array<double, N>& axis)
{
    for (std::size_t i = 1; i < N; ++i) {
        if (!(axis[i - 1] < axis[i])) {
            return false;
        }
    }
    return true;
}

template<std::size_t N>
constexpr bool AllPositive(const std::array<double, N>& values)
{
    for (double value : values) {
        if (!(value > 0.0)) {
            return false;
        }
    }
    return true;
}

template<std::size_t N>
constexpr bool IsSound(const ChartCurve<N>& chart)
{
    return N >= 2 && RisesStrictly(chart.x) && AllPositive(chart.y);
}

template<std::size_t N, std::size_t C>
constexpr bool IsSound(const ChartFamily<N, C>& chart)
{
    bool sound = N >= 2 && C >= 2 && RisesStrictly(chart.x) && RisesStrictly(chart.keys);
    for (const auto& curve : chart.curves) {
        sound = sound && AllPositive(curve);
    }
    return sound;
}

static_assert(IsSound(NQUSACE) && IsSound(NQFHWA) && IsSound(QLIMFHWA));
static_assert(IsSound(DELTAPIHI) && IsSound(DELTAPILO));
static_assert(IsSound(KDELTA25) && IsSound(KDELTA30) && IsSound(KDELTA35) && IsSound(KDELTA40));
static_assert(IsSound(ALPHATFHWA) && IsSound(DELTARATIO) && IsSound(KDELTACF));
static_assert(IsSound(ADHESIONA) && IsSound(ADHESIONB) && IsSound(ADHESIONC));

} // namespace ChartTable
