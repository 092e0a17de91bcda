// Design charts with a family of curves: K-delta, alpha-t, the friction-angle ratio by pile
// type and the K-delta correction factor. Expected values are the digitised points as
// published, typed here independently of the engine's tables, and values interpolated by hand.

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "charts/DesignCharts.h"

namespace {

constexpr double kNodeTol = 1e-12;
constexpr double kInterpTol = 1e-9;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Curves = std::vector<std::vector<double>>;

// A chart read as f(x, v): curve c belongs to key c of v.
struct ThreeCurveChart
{
    std::string name;
    double (*lookup)(double, double);
    std::vector<double> keys;
    std::vector<double> x;
    Curves curves;
};

const std::vector<ThreeCurveChart>& ThreeCurveCharts()
{
    static const std::vector<ThreeCurveChart> charts = {
        {"KDELTA25",
         KDELTA25,
         {0.1, 1, 10},
         {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1, 1.2},
         {{0.7, 0.739, 0.817, 0.922, 1.042, 1.194, 1.4, 1.808, 2.322, 2.917},
          {0.85, 0.902, 0.992, 1.085, 1.206, 1.353, 1.536, 1.886, 2.337, 2.917},
          {1, 1.05, 1.136, 1.237, 1.349, 1.478, 1.646, 1.944, 2.316, 2.917}}},
        // clang-format off
        {"KDELTA30",
         KDELTA30,
         {0.1, 1, 10},
         {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.8, 1.9},
         {{0.85, 1.043, 1.26, 1.551, 2.017, 2.56, 3.18, 4.332, 5.36, 5.934, 6.244, 6.399, 6.487,
           6.494},
          {1.15, 1.408, 1.629, 1.958, 2.435, 2.928, 3.444, 4.421, 5.36, 5.934, 6.244, 6.399, 6.487,
           6.494},
          {1.45, 1.745, 1.978, 2.339, 2.746, 3.18, 3.638, 4.499, 5.36, 5.934, 6.244, 6.399, 6.487,
           6.494}}},
        // clang-format on
        {"KDELTA35",
         KDELTA35,
         {0.1, 1, 10},
         {0, 0.1, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.75, 0.88, 1, 1.11, 2},
         {{1.15, 1.47, 2, 2.32, 2.9, 4.18, 5.42, 6.81, 8.55, 9.75, 10.18, 10.34, 10.34},
          {1.75, 2.01, 2.59, 2.98, 3.56, 4.66, 5.65, 6.85, 8.55, 9.75, 10.18, 10.34, 10.34},
          {2.35, 2.76, 3.37, 3.72, 4.26, 5.19, 6.08, 7.12, 8.55, 9.75, 10.18, 10.34, 10.34}}},
        {"KDELTA40",
         KDELTA40,
         {0.1, 1, 10},
         {0, 0.1, 0.15, 0.22, 0.3, 0.4, 0.43, 0.5, 0.56, 2},
         {{1.7, 5.12, 7.36, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
          {3, 6.352, 8, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
          {4.3, 7.04, 8.48, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54}}},
        {"ALPHATFHWA",
         ALPHATFHWA,
         {20, 30, 45},
         {20, 20.5, 22.5, 25, 27.5, 30, 32.5, 35, 36.5, 37.5, 40, 42.5, 45},
         {{0.365, 0.375, 0.416, 0.47, 0.525, 0.58, 0.637, 0.68, 0.7, 0.715, 0.75, 0.78, 0.8},
          {0.256, 0.267, 0.319, 0.389, 0.4, 0.52, 0.605, 0.67, 0.7, 0.715, 0.75, 0.78, 0.8},
          {0.177, 0.19, 0.242, 0.318, 0.4, 0.49, 0.578, 0.66, 0.7, 0.715, 0.75, 0.78, 0.8}}},
    };
    return charts;
}

TEST(ChartFamiliesTest, ThreeCurveChartsAtEveryKeyAndPoint)
{
    for (const auto& chart : ThreeCurveCharts()) {
        SCOPED_TRACE(chart.name);
        for (std::size_t c = 0; c < chart.keys.size(); ++c) {
            ASSERT_EQ(chart.curves[c].size(), chart.x.size());
            for (std::size_t i = 0; i < chart.x.size(); ++i) {
                EXPECT_NEAR(chart.lookup(chart.x[i], chart.keys[c]), chart.curves[c][i], kNodeTol)
                    << "key " << chart.keys[c] << ", x " << chart.x[i];
            }
        }
    }
}

TEST(ChartFamiliesTest, ThreeCurveChartsBetweenKeysAndPoints)
{
    for (const auto& chart : ThreeCurveCharts()) {
        SCOPED_TRACE(chart.name);
        for (std::size_t c = 0; c + 1 < chart.keys.size(); ++c) {
            // Halfway between two keys the value is the mean of the two curves.
            const double v = 0.5 * (chart.keys[c] + chart.keys[c + 1]);
            for (std::size_t i = 0; i < chart.x.size(); ++i) {
                const double expected = 0.5 * (chart.curves[c][i] + chart.curves[c + 1][i]);
                EXPECT_NEAR(chart.lookup(chart.x[i], v), expected, kInterpTol) << "v " << v;
            }
            // Halfway between two points and two keys: the mean of the four corners.
            for (std::size_t i = 1; i < chart.x.size(); ++i) {
                const double x = 0.5 * (chart.x[i - 1] + chart.x[i]);
                const double expected = 0.25
                                        * (chart.curves[c][i - 1] + chart.curves[c][i]
                                           + chart.curves[c + 1][i - 1] + chart.curves[c + 1][i]);
                EXPECT_NEAR(chart.lookup(x, v), expected, kInterpTol) << "x " << x << ", v " << v;
            }
        }
    }
}

TEST(ChartFamiliesTest, ThreeCurveChartsClampBothArguments)
{
    for (const auto& chart : ThreeCurveCharts()) {
        SCOPED_TRACE(chart.name);
        const auto& first = chart.curves.front();
        const auto& last = chart.curves.back();
        const double xBelow = chart.x.front() - 1;
        const double xAbove = chart.x.back() + 1;
        // Below the first key the first curve, above the last key the last curve.
        for (double v : {chart.keys.front() * 0.5, -1.0, -kInf}) {
            EXPECT_NEAR(chart.lookup(chart.x[1], v), first[1], kNodeTol) << "v " << v;
        }
        for (double v : {chart.keys.back() * 2, kInf}) {
            EXPECT_NEAR(chart.lookup(chart.x[1], v), last[1], kNodeTol) << "v " << v;
        }
        EXPECT_NEAR(chart.lookup(xBelow, chart.keys.front()), first.front(), kNodeTol);
        EXPECT_NEAR(chart.lookup(xAbove, chart.keys.back()), last.back(), kNodeTol);
        EXPECT_NEAR(chart.lookup(-kInf, -kInf), first.front(), kNodeTol);
        EXPECT_NEAR(chart.lookup(kInf, kInf), last.back(), kNodeTol);
        EXPECT_TRUE(std::isnan(chart.lookup(kNaN, chart.keys[1])));
        EXPECT_TRUE(std::isnan(chart.lookup(chart.x[1], kNaN)));
    }
}

struct HandCase
{
    std::string what;
    double value;
    double expected;
};

TEST(ChartFamiliesTest, HandWorkedValues)
{
    const std::vector<HandCase> cases = {
        // All three alpha-t curves meet at phi 42.5.
        {"ALPHATFHWA(42.5, 25)", ALPHATFHWA(42.5, 25), 0.78},
        // A = 0.58 (key 20), B = 0.52 (key 30): 0.52 + (30 - 25) x 0.06 / 10.
        {"ALPHATFHWA(30, 25)", ALPHATFHWA(30, 25), 0.55},
        // x 36 is 2/3 of the way from 35 to 36.5: key 30 0.67 + 0.02 = 0.69, key 45
        // 0.66 + 0.08/3 = 0.686667; ratio 37.5 halfway: 0.688333.
        {"ALPHATFHWA(36, 37.5)", ALPHATFHWA(36, 37.5), (0.69 + 0.66 + 0.08 / 3) / 2},
        // A = 1.7 (key 0.1), B = 3 (key 1): 3 + (1 - 0.5) x (1.7 - 3) / 0.9 = 2.277778.
        {"KDELTA40(0, 0.5)", KDELTA40(0, 0.5), 3 - 0.65 / 0.9},
        // A volume of 20 reads the key-10 curve only.
        {"KDELTA30(0.5, 20)", KDELTA30(0.5, 20), 3.18},
        {"KDELTA30(1.9, 20)", KDELTA30(1.9, 20), 6.494},
        // x 0.35 halfway between 0.3 and 0.4: key 1 (3.56 + 4.66)/2 = 4.11, key 10
        // (4.26 + 5.19)/2 = 4.725; v 5.5 halfway between 1 and 10: 4.4175.
        {"KDELTA35(0.35, 5.5)", KDELTA35(0.35, 5.5), 4.4175},
        // x 1.1: key 0.1 (2.322 + 2.917)/2 = 2.6195, key 1 (2.337 + 2.917)/2 = 2.627;
        // v 0.55 halfway: 2.62325.
        {"KDELTA25(1.1, 0.55)", KDELTA25(1.1, 0.55), 2.62325},
        // v 4: B (key 10) + (10 - 4) x (A - B) / 9 at taper 0: 1.45 + 6 x (1.15 - 1.45) / 9 = 1.25.
        {"KDELTA30(0, 4)", KDELTA30(0, 4), 1.25},
        // Taper beyond the chart reads its last point.
        {"KDELTA40(3, 1)", KDELTA40(3, 1), 17.54},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.value, c.expected, kInterpTol) << c.what;
    }
}

const std::vector<double> kDeltaRatioX =
    {0.08, 0.1, 0.2, 0.3, 0.4, 0.52, 0.6, 0.8, 1, 1.2, 1.4, 1.6, 1.9};

const Curves kDeltaRatioCurves = {
    {0.342, 0.342, 0.342, 0.342, 0.41, 0.476, 0.516, 0.593, 0.652, 0.697, 0.733, 0.763, 0.798},
    {0.404, 0.404, 0.404, 0.404, 0.466, 0.527, 0.562, 0.637, 0.693, 0.734, 0.766, 0.793, 0.825},
    {0.466, 0.466, 0.466, 0.466, 0.525, 0.59, 0.63, 0.708, 0.767, 0.813, 0.848, 0.877, 0.914},
    {0.571, 0.571, 0.571, 0.571, 0.637, 0.699, 0.736, 0.814, 0.873, 0.917, 0.953, 0.985, 1.024},
    {0.801, 0.801, 0.801, 0.801, 0.845, 0.895, 0.925, 0.994, 1.053, 1.11, 1.159, 1.207, 1.27},
    {0.727, 0.747, 0.827, 0.8875, 0.933, 0.972, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98},
    {0.643, 0.643, 0.643, 0.643, 0.696, 0.757, 0.792, 0.86, 0.916, 0.958, 0.994, 1.024, 1.062},
};

TEST(ChartFamiliesTest, DeltaRatioPerPileType)
{
    for (int type = 1; type <= 7; ++type) {
        SCOPED_TRACE("pile type " + std::to_string(type));
        const auto& curve = kDeltaRatioCurves[static_cast<std::size_t>(type - 1)];
        for (std::size_t i = 0; i < kDeltaRatioX.size(); ++i) {
            EXPECT_NEAR(DELTARATIO(kDeltaRatioX[i], type), curve[i], kNodeTol);
        }
        for (std::size_t i = 1; i < kDeltaRatioX.size(); ++i) {
            const double v = 0.5 * (kDeltaRatioX[i - 1] + kDeltaRatioX[i]);
            EXPECT_NEAR(DELTARATIO(v, type), 0.5 * (curve[i - 1] + curve[i]), kInterpTol);
        }
        // Below 0.08 the first value, above 1.9 the last.
        EXPECT_NEAR(DELTARATIO(0.01, type), curve.front(), kNodeTol);
        EXPECT_NEAR(DELTARATIO(-kInf, type), curve.front(), kNodeTol);
        EXPECT_NEAR(DELTARATIO(5, type), curve.back(), kNodeTol);
        EXPECT_NEAR(DELTARATIO(kInf, type), curve.back(), kNodeTol);
        EXPECT_TRUE(std::isnan(DELTARATIO(kNaN, type)));
    }
    // No blending between pile types; type 3 at 0.46: 0.525 + 0.5 x (0.59 - 0.525).
    EXPECT_NEAR(DELTARATIO(0.46, 3), 0.5575, kInterpTol);
    // Type 6 at 0.25: (0.827 + 0.8875) / 2.
    EXPECT_NEAR(DELTARATIO(0.25, 6), 0.85725, kInterpTol);
}

TEST(ChartFamiliesTest, DeltaRatioClampsThePileType)
{
    // A type below 1 reads type 1, above 7 type 7, never a row outside the chart.
    for (int type : {0, -1, INT_MIN}) {
        EXPECT_NEAR(DELTARATIO(1.0, type), 0.652, kNodeTol) << type;
    }
    for (int type : {8, 100, INT_MAX}) {
        EXPECT_NEAR(DELTARATIO(1.0, type), 0.916, kNodeTol) << type;
    }
}

const std::vector<double> kCorrectionKeys = {0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
const std::vector<double> kCorrectionPhi = {14, 18, 22, 26, 30, 34, 38, 42, 45};
const Curves kCorrectionCurves = {
    {0.83, 0.77, 0.71, 0.64, 0.58, 0.5, 0.42, 0.32, 0.24},
    {0.9, 0.85, 0.8, 0.74, 0.69, 0.63, 0.56, 0.49, 0.43},
    {0.95, 0.92, 0.89, 0.85, 0.82, 0.77, 0.72, 0.66, 0.62},
    {0.99, 0.98, 0.97, 0.95, 0.94, 0.92, 0.9, 0.87, 0.84},
    {1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1.01, 1.02, 1.02, 1.02, 1.03, 1.05, 1.07, 1.09, 1.12},
    {1.02, 1.03, 1.03, 1.04, 1.06, 1.08, 1.1, 1.13, 1.16},
};

TEST(ChartFamiliesTest, KDeltaCorrectionAtKeysAndBetween)
{
    for (std::size_t c = 0; c < kCorrectionKeys.size(); ++c) {
        SCOPED_TRACE("ratio " + std::to_string(kCorrectionKeys[c]));
        const auto& curve = kCorrectionCurves[c];
        for (std::size_t i = 0; i < kCorrectionPhi.size(); ++i) {
            EXPECT_NEAR(KDELTACF(kCorrectionKeys[c], kCorrectionPhi[i]), curve[i], kNodeTol)
                << "phi " << kCorrectionPhi[i];
        }
        EXPECT_NEAR(KDELTACF(kCorrectionKeys[c], 10), curve.front(), kNodeTol);
        EXPECT_NEAR(KDELTACF(kCorrectionKeys[c], 50), curve.back(), kNodeTol);
        if (c + 1 < kCorrectionKeys.size()) {
            const double ratio = 0.5 * (kCorrectionKeys[c] + kCorrectionKeys[c + 1]);
            for (std::size_t i = 0; i < kCorrectionPhi.size(); ++i) {
                const double expected = 0.5 * (curve[i] + kCorrectionCurves[c + 1][i]);
                EXPECT_NEAR(KDELTACF(ratio, kCorrectionPhi[i]), expected, kInterpTol)
                    << "ratio " << ratio << ", phi " << kCorrectionPhi[i];
            }
        }
    }
}

TEST(ChartFamiliesTest, KDeltaCorrectionHandWorkedAndClamped)
{
    // Halfway between the curves for 1.2 (1.03) and 1.4 (1.06) at phi 30.
    EXPECT_NEAR(KDELTACF(1.3, 30), 1.045, kInterpTol);
    // phi 20 halfway between 18 and 22: ratio 0.4 gives 0.825, 0.6 gives 0.905; ratio 0.5: 0.865.
    EXPECT_NEAR(KDELTACF(0.5, 20), 0.865, kInterpTol);
    // Ratio 0.45 a quarter of the way from 0.4 to 0.6 at phi 30: 0.69 + 0.25 x (0.82 - 0.69).
    EXPECT_NEAR(KDELTACF(0.45, 30), 0.7225, kInterpTol);
    // Ratios outside 0.2 to 1.4 read the end curves.
    EXPECT_NEAR(KDELTACF(0.1, 30), 0.58, kNodeTol);
    EXPECT_NEAR(KDELTACF(-kInf, 45), 0.24, kNodeTol);
    EXPECT_NEAR(KDELTACF(2.0, 30), 1.06, kNodeTol);
    EXPECT_NEAR(KDELTACF(kInf, 14), 1.02, kNodeTol);
    EXPECT_NEAR(KDELTACF(1.3, -kInf), 1.015, kInterpTol);
    EXPECT_NEAR(KDELTACF(1.3, kInf), 1.14, kInterpTol);
    EXPECT_TRUE(std::isnan(KDELTACF(kNaN, 30)));
    EXPECT_TRUE(std::isnan(KDELTACF(1.0, kNaN)));
}

} // namespace
