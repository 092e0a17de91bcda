// Tomlinson adhesion graphs A, B and C. Expected values are the digitised points as published,
// typed here independently of the engine's tables, and blends worked out by hand.

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "charts/DesignCharts.h"

namespace {

// The strict search reads a point as the far end of the next interval: y(i+1) - (y(i+1) - y(i)),
// which is the point up to rounding.
constexpr double kNodeTol = 1e-12;
constexpr double kInterpTol = 1e-9;
constexpr double kKpaPerKsf = 47.88;
constexpr int kEnglish = 1;
constexpr int kSI = 2;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::vector<double> kStrengthKsf = {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5};

struct PureCurve
{
    std::string name;
    double (*graph)(double, double, int);
    double ratio; // an embedment ratio that reads this curve alone
    std::vector<double> values;
};

const std::vector<PureCurve>& PureCurves()
{
    static const std::vector<PureCurve> curves = {
        {"A below 10", ADHESIONA, 5, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"A at 20", ADHESIONA, 20, {1, 1, 1, 1, 0.95, 0.875, 0.75, 0.75, 0.75, 0.75}},
        {"A 40 and above", ADHESIONA, 60, {1, 1, 0.9, 0.815, 0.68, 0.5, 0.44, 0.4, 0.4, 0.4}},
        {"B 10 and below",
         ADHESIONB,
         10,
         {0.7, 0.519, 0.398, 0.334, 0.298, 0.272, 0.246, 0.226, 0.206, 0.186}},
        {"B 20 and above",
         ADHESIONB,
         20,
         {0.97, 0.84, 0.746, 0.694, 0.675, 0.656, 0.626, 0.599, 0.568, 0.54}},
        {"C 10 and below",
         ADHESIONC,
         0,
         {1, 0.984, 0.923, 0.829, 0.688, 0.443, 0.303, 0.245, 0.238, 0.238}},
        {"C 40 and above", ADHESIONC, 40, {1, 1, 1, 1, 0.9, 0.701, 0.502, 0.388, 0.315, 0.299}},
    };
    return curves;
}

TEST(ChartAdhesionTest, EveryCurveAtItsPointsAndBetween)
{
    for (const auto& curve : PureCurves()) {
        SCOPED_TRACE(curve.name);
        for (std::size_t i = 0; i < kStrengthKsf.size(); ++i) {
            const double su = kStrengthKsf[i];
            EXPECT_NEAR(curve.graph(su, curve.ratio, kEnglish), curve.values[i], kNodeTol)
                << "su " << su;
            // The same strength in kPa gives the same factor.
            EXPECT_NEAR(curve.graph(su * kKpaPerKsf, curve.ratio, kSI), curve.values[i], kNodeTol)
                << "su " << su << " ksf in kPa";
        }
        for (std::size_t i = 1; i < kStrengthKsf.size(); ++i) {
            const double su = 0.5 * (kStrengthKsf[i - 1] + kStrengthKsf[i]);
            const double expected = 0.5 * (curve.values[i - 1] + curve.values[i]);
            EXPECT_NEAR(curve.graph(su, curve.ratio, kEnglish), expected, kInterpTol)
                << "su " << su;
        }
    }
}

TEST(ChartAdhesionTest, StrengthClampedToTheChart)
{
    for (const auto& curve : PureCurves()) {
        SCOPED_TRACE(curve.name);
        // A negative strength reads the chart at 0; from 4.5 ksf on the last value.
        for (double su : {-0.1, -100.0, -kInf}) {
            EXPECT_NEAR(curve.graph(su, curve.ratio, kEnglish), curve.values.front(), kNodeTol);
            EXPECT_NEAR(curve.graph(su, curve.ratio, kSI), curve.values.front(), kNodeTol);
        }
        for (double su : {4.5, 4.6, 1e6, kInf}) {
            EXPECT_NEAR(curve.graph(su, curve.ratio, kEnglish), curve.values.back(), kNodeTol);
        }
        EXPECT_TRUE(std::isnan(curve.graph(kNaN, curve.ratio, kEnglish)));
        EXPECT_TRUE(std::isnan(curve.graph(1.0, kNaN, kEnglish)));
        EXPECT_TRUE(std::isnan(curve.graph(kNaN, curve.ratio, kSI)));
    }
}

struct HandCase
{
    std::string what;
    double value;
    double expected;
};

TEST(ChartAdhesionTest, BlendsBetweenEmbedmentRatios)
{
    const std::vector<HandCase> cases = {
        // Published example: 0.688 + 15 x (0.9 - 0.688) / 30.
        {"C su 2 ksf, ratio 25", ADHESIONC(2, 25, kEnglish), 0.794},
        {"C su 95.76 kPa, ratio 25", ADHESIONC(95.76, 25, kSI), 0.794},
        // Graph A between ratio 10 (1) and 20 (0.875) at su 2.5: 0.875 + 5 x 0.125 / 10.
        {"A su 2.5, ratio 15", ADHESIONA(2.5, 15, kEnglish), 0.9375},
        // At ratio 10 graph A still reads the curve below 10.
        {"A su 2.5, ratio 10", ADHESIONA(2.5, 10, kEnglish), 1},
        // Graph A between 20 and 40 at su 2.25: ratio 20 0.9125, 40 0.59;
        // 0.59 + 10 x (0.9125 - 0.59) / 20.
        {"A su 2.25, ratio 30", ADHESIONA(2.25, 30, kEnglish), 0.75125},
        // Graph B between 10 (0.398) and 20 (0.746) at su 1: 0.398 + 5 x 0.348 / 10.
        {"B su 1, ratio 15", ADHESIONB(1, 15, kEnglish), 0.572},
        {"B su 1.5 ksf in kPa, ratio 20", ADHESIONB(1.5 * kKpaPerKsf, 20, kSI), 0.694},
        // Graph C a third of the way from 10 to 40 at su 3.25: 0.274 and 0.445;
        // 0.274 + 10 x 0.171 / 30.
        {"C su 3.25, ratio 20", ADHESIONC(3.25, 20, kEnglish), 0.274 + 0.171 / 3},
        // The unit system as the method bodies tell it: 1 or less English, anything else SI.
        {"C su 2 ksf, units 0", ADHESIONC(2, 25, 0), 0.794},
        {"C su 95.76 kPa, units 3", ADHESIONC(95.76, 25, 3), 0.794},
        // Ratios below the chart read its first curve, beyond it its last.
        {"B su 2, ratio -5", ADHESIONB(2, -5, kEnglish), 0.298},
        {"A su 3, ratio infinite", ADHESIONA(3, kInf, kEnglish), 0.44},
        {"C su 3, ratio minus infinity", ADHESIONC(3, -kInf, kEnglish), 0.303},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.value, c.expected, kInterpTol) << c.what;
    }
}

// The graphs as the program draws them are the published curves, on the published strengths,
// in rising embedment ratio; a drawn point and the computed factor are the same number.
TEST(ChartAdhesionTest, DrawnGraphsAreTheComputedCurves)
{
    struct TGraph
    {
        int graph;
        std::vector<double> ratios;
        std::vector<std::size_t> curves; // indexes into PureCurves()
    };
    const TGraph graphs[] = {
        {1, {10, 20, 40}, {0, 1, 2}},
        {2, {10, 20}, {3, 4}},
        {3, {10, 40}, {5, 6}},
    };
    for (const TGraph& g : graphs) {
        const TAdhesionGraphView view = AdhesionGraph(g.graph);
        ASSERT_EQ(view.count, g.ratios.size()) << "graph " << g.graph;
        ASSERT_EQ(view.su.size(), kStrengthKsf.size());
        for (std::size_t i = 0; i < kStrengthKsf.size(); ++i) {
            EXPECT_EQ(view.su[i], kStrengthKsf[i]);
        }
        for (std::size_t c = 0; c < view.count; ++c) {
            const PureCurve& pure = PureCurves()[g.curves[c]];
            EXPECT_EQ(view.curves[c].ratio, g.ratios[c]) << pure.name;
            ASSERT_EQ(view.curves[c].factor.size(), pure.values.size()) << pure.name;
            for (std::size_t i = 0; i < pure.values.size(); ++i) {
                EXPECT_EQ(view.curves[c].factor[i], pure.values[i]) << pure.name << " point " << i;
                EXPECT_NEAR(AdhesionFactorKsf(g.graph, kStrengthKsf[i], pure.ratio),
                            pure.values[i],
                            kNodeTol)
                    << pure.name << " point " << i;
            }
        }
    }
    // A graph number beyond the three reads graph C, as the FHWA method does.
    EXPECT_EQ(AdhesionGraph(7).count, 2u);
    EXPECT_NEAR(AdhesionFactorKsf(7, 2.0, 25.0), 0.794, kInterpTol);
}

} // namespace
