// One-curve design charts and the curve lookup they share. Expected values are the digitised
// points as published, typed here independently of the engine's tables, and values
// interpolated by hand between them.

#include "charts/DesignCharts.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// At a node the rule subtracts an exact zero, so the point comes back to rounding only.
constexpr double kNodeTol = 1e-12;
// Interpolated values: a few floating-point operations on numbers of order 1 to 500.
constexpr double kInterpTol = 1e-9;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct OneCurveChart
{
    std::string name;
    double (*lookup)(double);
    std::vector<double> x;
    std::vector<double> y;
};

std::vector<double> Steps(double first, double step, int count)
{
    std::vector<double> axis;
    for (int i = 0; i < count; ++i) {
        axis.push_back(first + step * i);
    }
    return axis;
}

const std::vector<OneCurveChart>& OneCurveCharts()
{
    static const std::vector<OneCurveChart> charts = {
        {"NQUSACE",
         NQUSACE,
         {0, 5, 10, 15, 20, 30, 32, 36, 38, 39, 40, 45, 50},
         {1, 1.6, 2.7, 4.4, 7.4, 23, 30, 56, 68, 79, 88, 200, 415.1}},
        {"NQFHWA",
         NQFHWA,
         {15, 17.5, 20, 22.5, 25, 27.5, 30, 32.5, 35, 37.5, 40, 42.5, 45},
         {4.8, 6.2, 8.2, 12, 15, 21, 30, 43, 64, 98, 160, 265, 475}},
        {"QLIMFHWA",
         QLIMFHWA,
         {30, 31.25, 32.5, 33.75, 35, 36.25, 37.5, 38.75, 40, 41.25, 42.5, 43.75},
         {6.66, 11.25, 20, 32.5, 53.8, 81.3, 117.5, 159.5, 208.8, 262.5, 318.8, 368.8}},
        {"DELTAPIHI",
         DELTAPIHI,
         Steps(0, 5, 17),
         {40, 36, 31, 28.5, 26, 24.5, 23, 22.5, 21.5, 20, 19.5, 18.5, 18, 17.7, 17.5, 17.2, 17}},
        {"DELTAPILO",
         DELTAPILO,
         Steps(0, 5, 17),
         {34, 32, 29, 27, 24.5, 22.5, 20, 18.5, 17, 15.2, 14.7, 13, 12.3, 11.5, 10, 9.2, 8.5}},
    };
    return charts;
}

TEST(DesignChartsTest, OneCurveChartsReturnEveryDigitisedPoint)
{
    for (const auto& chart : OneCurveCharts()) {
        SCOPED_TRACE(chart.name);
        ASSERT_EQ(chart.x.size(), chart.y.size());
        for (std::size_t i = 0; i < chart.x.size(); ++i) {
            EXPECT_NEAR(chart.lookup(chart.x[i]), chart.y[i], kNodeTol) << "at x = " << chart.x[i];
        }
    }
}

TEST(DesignChartsTest, OneCurveChartsAreLinearBetweenPoints)
{
    // At a fraction f of the way from point i-1 to point i the value is y(i-1) + f (y(i) - y(i-1)).
    for (const auto& chart : OneCurveCharts()) {
        SCOPED_TRACE(chart.name);
        for (std::size_t i = 1; i < chart.x.size(); ++i) {
            for (double f : {0.25, 0.5, 0.9}) {
                const double at = chart.x[i - 1] + f * (chart.x[i] - chart.x[i - 1]);
                const double expected = chart.y[i - 1] + f * (chart.y[i] - chart.y[i - 1]);
                EXPECT_NEAR(chart.lookup(at), expected, kInterpTol) << "at x = " << at;
            }
        }
    }
}

struct HandCase
{
    std::string what;
    double (*lookup)(double);
    double at;
    double expected;
};

TEST(DesignChartsTest, HandWorkedValuesAndClamping)
{
    const std::vector<HandCase> cases = {
        // Published examples of the charts' use.
        {"NQFHWA 31.25: 30 + 0.5 x (43 - 30)", NQFHWA, 31.25, 36.5},
        {"NQUSACE 35: 30 + 0.75 x (56 - 30)", NQUSACE, 35, 49.5},
        {"NQFHWA below the chart", NQFHWA, 10, 4.8},
        {"NQFHWA above the chart", NQFHWA, 50, 475},
        {"QLIMFHWA below 30", QLIMFHWA, 29, 6.66},
        {"QLIMFHWA above 43.75", QLIMFHWA, 44, 368.8},
        // Worked by hand.
        {"NQUSACE 25: 7.4 + 0.5 x (23 - 7.4)", NQUSACE, 25, 15.2},
        {"NQUSACE 47.5: 200 + 0.5 x 215.1", NQUSACE, 47.5, 307.55},
        {"NQFHWA 44: 265 + 0.6 x (475 - 265)", NQFHWA, 44, 391},
        {"QLIMFHWA 30.625: 6.66 + 0.5 x (11.25 - 6.66)", QLIMFHWA, 30.625, 8.955},
        {"DELTAPIHI 12: 31 + 0.4 x (28.5 - 31)", DELTAPIHI, 12, 30},
        {"DELTAPILO 47: 15.2 + 0.4 x (14.7 - 15.2)", DELTAPILO, 47, 15},
        // Clamped to the range: a missing plasticity index is entered as a negative value.
        {"NQUSACE below 0", NQUSACE, -5, 1},
        {"NQUSACE above 50", NQUSACE, 60, 415.1},
        {"DELTAPIHI negative PI", DELTAPIHI, -1, 40},
        {"DELTAPILO negative PI", DELTAPILO, -1, 34},
        {"DELTAPILO above 80", DELTAPILO, 100, 8.5},
        {"NQFHWA minus infinity", NQFHWA, -kInf, 4.8},
        {"NQFHWA plus infinity", NQFHWA, kInf, 475},
        {"DELTAPIHI largest double", DELTAPIHI, std::numeric_limits<double>::max(), 17},
        {"QLIMFHWA lowest double", QLIMFHWA, std::numeric_limits<double>::lowest(), 6.66},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.lookup(c.at), c.expected, kInterpTol) << c.what;
    }
}

TEST(DesignChartsTest, NaNArgumentGivesNaN)
{
    for (const auto& chart : OneCurveCharts()) {
        EXPECT_TRUE(std::isnan(chart.lookup(kNaN))) << chart.name;
    }
}

TEST(DesignChartsTest, ChartLookupGuardsItsArguments)
{
    const std::vector<double> x = {1, 2, 4};
    const std::vector<double> y = {10, 20, 0};
    // 3 lies halfway between 2 and 4: 20 + 0.5 x (0 - 20) = 10.
    EXPECT_NEAR(ChartLookup(x, y, 3), 10, kInterpTol);
    EXPECT_EQ(ChartLookup(x, y, 0), 10);
    EXPECT_EQ(ChartLookup(x, y, 5), 0);

    const std::vector<double> empty;
    const std::vector<double> shorter = {10, 20};
    EXPECT_TRUE(std::isnan(ChartLookup(empty, empty, 1)));
    EXPECT_TRUE(std::isnan(ChartLookup(x, shorter, 1.5)));
    EXPECT_TRUE(std::isnan(ChartLookup(x, y, kNaN)));

    // A single point is its own value everywhere.
    const std::vector<double> one = {7};
    const std::vector<double> seven = {3.5};
    EXPECT_EQ(ChartLookup(one, seven, -100), 3.5);
    EXPECT_EQ(ChartLookup(one, seven, 100), 3.5);
}

} // namespace
