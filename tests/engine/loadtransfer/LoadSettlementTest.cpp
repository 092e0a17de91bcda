// The load-settlement solver: curve lookups, closed-form elastic piles, a rigid pile, a steel
// pipe pile driven through the nine tip movements, the iteration bound and the written rows.
#include "loadtransfer/LoadSettlement.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-9;          // lookups that are plain linear interpolation
constexpr double kDiscretisation = 1e-5; // relative, 400 segments (error falls as 1/n^2)

TLoadTransferCurve Curve(double depth, std::vector<double> z, std::vector<double> v)
{
    return {depth, std::move(z), std::move(v)};
}

// API RP 2A-WSD 21st ed., 6.7.2, sand t-z shape scaled to tMax (z in inches).
TLoadTransferCurve ApiSandCurve(double depth, double tMax)
{
    const std::vector<double> z{0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.09, 0.10, 0.5, 2.0};
    const std::vector<double> r{0, 0.1, 0.2, 0.4, 0.6, 0.8, 0.9, 1.0, 1.0, 1.0};
    TLoadTransferCurve c{depth, z, r};
    for (double& v : c.value) {
        v *= tMax;
    }
    return c;
}

// ---- lookups -------------------------------------------------------------------------------

TEST(LoadSettlementLookup, CurveValueInterpolatesAndClampsAtItsEnds)
{
    const TLoadTransferCurve c = Curve(0, {0, 0.1, 0.5}, {0, 10, 12});
    struct TCase
    {
        double z;
        double expected;
    };
    const TCase cases[] = {
        {-1.0, 0.0}, // before the first point: the first value
        {0.0, 0.0},
        {0.05, 5.0},
        {0.1, 10.0},
        {0.3, 11.0},
        {0.5, 12.0},
        {7.0, 12.0}, // beyond the last point: the end value
    };
    for (const TCase& tc : cases) {
        EXPECT_NEAR(CurveValueAt(c, tc.z), tc.expected, kExact) << "z = " << tc.z;
    }
    EXPECT_EQ(CurveValueAt(TLoadTransferCurve{}, 1.0), 0.0);
}

TEST(LoadSettlementLookup, ShaftResistanceByDepth)
{
    // Curves at 10 and 30 with t = 2 z and t = 6 z.
    const std::vector<TLoadTransferCurve> curves{Curve(10, {0, 1}, {0, 2}),
                                                 Curve(30, {0, 1}, {0, 6})};
    struct TCase
    {
        double d;
        double expected; // at z = 0.5
    };
    const TCase cases[] = {
        {0.0, 1.0},  // above the first curve: the first curve's values
        {10.0, 1.0}, // at a curve: that curve alone
        {20.0, 2.0}, // halfway: the mean of the two
        {25.0, 2.5},
        {30.0, 3.0},
        {99.0, 3.0}, // below the last curve: the last curve's values
    };
    for (const TCase& tc : cases) {
        EXPECT_NEAR(ShaftResistanceAt(curves, tc.d, 0.5), tc.expected, kExact) << "d = " << tc.d;
    }
    EXPECT_EQ(ShaftResistanceAt({}, 5.0, 0.5), 0.0);
}

TEST(LoadSettlementLookup, StiffnessTableAndUniformSegments)
{
    const std::vector<TStiffnessRow> table{{0, 100}, {40, 300}};
    EXPECT_NEAR(StiffnessAt(table, -1), 100, kExact);
    EXPECT_NEAR(StiffnessAt(table, 10), 150, kExact);
    EXPECT_NEAR(StiffnessAt(table, 50), 300, kExact); // below the last row: its value

    const std::vector<TPileSegment> s = UniformSegments(40, 4, table, 7.0);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_NEAR(s[0].length, 10, kExact);
    EXPECT_NEAR(s[0].ea, 125, kExact); // mid-depth 5
    EXPECT_NEAR(s[3].ea, 275, kExact); // mid-depth 35
    EXPECT_EQ(s[2].perimeter, 7.0);

    EXPECT_THROW(UniformSegments(40, 4, {}, 7.0), std::invalid_argument);
    EXPECT_THROW(UniformSegments(40, 0, table, 7.0), std::invalid_argument);
    EXPECT_THROW(UniformSegments(0, 4, table, 7.0), std::invalid_argument);
}

TEST(LoadSettlementLookup, StandardTipMoves)
{
    const std::vector<double> english = StandardTipMoves(true);
    const std::vector<double> si = StandardTipMoves(false);
    ASSERT_EQ(english.size(), 9u);
    ASSERT_EQ(si.size(), 9u);
    EXPECT_EQ(english.front(), 0.0001);
    EXPECT_EQ(english.back(), 2.0);
    EXPECT_NEAR(si.back(), 2.0 / 39.37, kExact);
}

// ---- closed forms --------------------------------------------------------------------------

// Elastic pile of length L and stiffness EA in a linear side spring of k per unit length
// (t x perimeter = k z) over a linear tip spring K_t (Q_tip = K_t z_tip). With
// lambda = sqrt(k / EA) and y measured up from the tip, EA z'' = k z gives
//   z(y) = z_tip [cosh(lambda y) + K_t / (lambda EA) sinh(lambda y)],
//   P(y) = EA z'(y) = z_tip [lambda EA sinh(lambda y) + K_t cosh(lambda y)],
// so the head stiffness is
//   k_head = sqrt(k EA) (K_t + sqrt(k EA) tanh(lambda L)) / (sqrt(k EA) + K_t tanh(lambda L)):
// sqrt(k EA) tanh(lambda L) for a floating tip (K_t = 0) and sqrt(k EA) coth(lambda L) for a
// rigid one (K_t -> infinity).
struct TElasticPile
{
    double length = 1200.0; // in
    double ea = 3.0e9;      // lb (100 in2 of steel)
    double k = 1000.0;      // lb/in per in of pile
    double perimeter = 40.0;
    int segments = 400;

    TLoadSettleInput Input(double tipSpring, double tipMove) const
    {
        TLoadSettleInput in;
        in.segments = UniformSegments(length, segments, {{0, ea}}, perimeter);
        const double slope = k / perimeter; // psi per inch of movement
        in.shaftCurves = {Curve(0, {0, 1e3}, {0, 1e3 * slope})};
        in.tipCurve = Curve(0, {0, 1e3}, {0, 1e3 * tipSpring});
        in.tipMoves = {tipMove};
        in.tolerance = 1e-12;
        in.maxIterations = 200;
        return in;
    }
    double Lambda() const { return std::sqrt(k / ea); }
    double HeadStiffness(double tipSpring) const
    {
        const double s = std::sqrt(k * ea);
        const double th = std::tanh(Lambda() * length);
        return s * (tipSpring + s * th) / (s + tipSpring * th);
    }
};

TEST(LoadSettlementClosedForm, ElasticPileInLinearSpringsGivesTheAnalyticHeadStiffness)
{
    const TElasticPile pile;
    const double s = std::sqrt(pile.k * pile.ea);
    const double lambdaL = pile.Lambda() * pile.length; // about 0.69
    const double tipSprings[] = {0.0, 0.5 * s, 2.0 * s};
    for (const double kt : tipSprings) {
        const TLoadSettleResult r = SolveLoadSettlement(pile.Input(kt, 1.0));
        ASSERT_EQ(r.points.size(), 1u);
        ASSERT_FALSE(r.iterationLimitReached);
        const TLoadSettlePoint& p = r.points[0];
        const double expectedHeadMove =
            std::cosh(lambdaL) + kt / (pile.Lambda() * pile.ea) * std::sinh(lambdaL);
        EXPECT_NEAR(p.topMove / expectedHeadMove, 1.0, kDiscretisation) << "K_t = " << kt;
        EXPECT_NEAR((p.topLoad / p.topMove) / pile.HeadStiffness(kt), 1.0, kDiscretisation)
            << "K_t = " << kt;
        EXPECT_NEAR(p.tipLoad, kt * 1.0, kExact * s);
    }
    // The floating pile by its own short form.
    const TLoadSettlePoint floating = SolveLoadSettlement(pile.Input(0.0, 1.0)).points[0];
    EXPECT_NEAR(floating.topLoad / floating.topMove / (s * std::tanh(lambdaL)),
                1.0,
                kDiscretisation);
}

TEST(LoadSettlementClosedForm, StiffTipApproachesTheRigidTipStiffness)
{
    const TElasticPile pile;
    const double s = std::sqrt(pile.k * pile.ea);
    const double kt = 1e5 * s; // the tip barely moves against the head
    const TLoadSettlePoint p = SolveLoadSettlement(pile.Input(kt, 1e-5)).points[0];
    const double rigid = s / std::tanh(pile.Lambda() * pile.length);
    EXPECT_NEAR(p.topLoad / p.topMove / rigid, 1.0, 1e-3);
}

TEST(LoadSettlementClosedForm, RigidPileTakesTheSumOfTheCurves)
{
    // Four segments of 120 in, perimeter 40 in (shaft area 4800 in2 each), with one API sand
    // curve at each mid-depth; tMax 1, 2, 3, 4 psi. Tip curve (0,0) (0.1,500) (1,1000) lb.
    TLoadSettleInput in;
    in.segments = UniformSegments(480, 4, {{0, 1e30}}, 40.0);
    for (int i = 0; i < 4; ++i) {
        in.shaftCurves.push_back(ApiSandCurve(60.0 + 120.0 * i, 1.0 + i));
    }
    in.tipCurve = Curve(0, {0, 0.1, 1.0}, {0, 500, 1000});
    in.tipMoves = {0.05, 0.095, 3.0};
    // Sum of tMax = 10 psi; ratios of the sand curve at 0.05, 0.095, 3.0 (beyond its end):
    // 0.5, 0.95, 1.0; tip loads 250, 475, 1000 (end value).
    const double expected[] = {4800 * 10 * 0.5 + 250,
                               4800 * 10 * 0.95 + 475,
                               4800 * 10 * 1.0 + 1000};
    const TLoadSettleResult r = SolveLoadSettlement(in);
    ASSERT_EQ(r.points.size(), 3u);
    EXPECT_FALSE(r.iterationLimitReached);
    for (std::size_t m = 0; m < 3; ++m) {
        EXPECT_NEAR(r.points[m].topLoad, expected[m], 1e-6) << "tip move " << in.tipMoves[m];
        EXPECT_NEAR(r.points[m].topMove, in.tipMoves[m], 1e-12);
        ASSERT_EQ(r.points[m].rows.size(), 4u);
    }
}

// ---- a realistic pile through the nine tip movements -------------------------------------

// 100 ft of 24 in x 0.5 in steel pipe (EA = 30e6 psi x 36.91 in2) in sand curves of 2 to 12
// psi, API RP 2A-WSD 6.7.3 tip curve with Q_p = 200 kips.
TLoadSettleInput PipePile()
{
    TLoadSettleInput in;
    const double od = 24.0;
    const double area = 3.1416 * 0.25 * (od * od - 23.0 * 23.0);
    in.segments = UniformSegments(1200.0, 50, {{0, area * 30e6}}, od * 3.1416);
    for (int i = 0; i < 6; ++i) {
        in.shaftCurves.push_back(ApiSandCurve(240.0 * i, 2.0 + 2.0 * i));
    }
    const std::vector<double> zRatio{0, 0.0005, 0.001, 0.002, 0.013, 0.042, 0.073, 0.1, 0.15, 0.2};
    const std::vector<double> qRatio{0, 0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1.0, 1.0, 1.0};
    in.tipCurve.z = zRatio;
    in.tipCurve.value = qRatio;
    for (double& z : in.tipCurve.z) {
        z *= od;
    }
    for (double& q : in.tipCurve.value) {
        q *= 200000.0;
    }
    in.tipMoves = StandardTipMoves(true);
    return in;
}

TEST(LoadSettlementPipePile, HeadLoadGrowsAndStaysBelowTheCurvePeaks)
{
    const TLoadSettleInput in = PipePile();
    const TLoadSettleResult r = SolveLoadSettlement(in);
    ASSERT_EQ(r.points.size(), 9u);
    EXPECT_FALSE(r.iterationLimitReached);
    // Peak shaft resistance: every segment at most 12 psi over 24 x 3.1416 x 1200 in2.
    const double bound = 12.0 * 24.0 * 3.1416 * 1200.0 + 200000.0;
    for (std::size_t m = 0; m < r.points.size(); ++m) {
        const TLoadSettlePoint& p = r.points[m];
        EXPECT_TRUE(p.converged);
        EXPECT_LE(p.topLoad, bound);
        EXPECT_GE(p.topMove, p.tipMove); // the pile shortens in compression
        EXPECT_EQ(p.rows.size(), in.segments.size());
        if (m > 0) {
            EXPECT_GT(p.topLoad, r.points[m - 1].topLoad) << "tip move " << p.tipMove;
            EXPECT_GT(p.topMove, r.points[m - 1].topMove) << "tip move " << p.tipMove;
        }
        // Rows run from the tip upward: depth falls, load never falls.
        for (std::size_t i = 1; i < p.rows.size(); ++i) {
            EXPECT_LT(p.rows[i].depth, p.rows[i - 1].depth);
            EXPECT_GE(p.rows[i].load, p.rows[i - 1].load) << "row " << i;
        }
        EXPECT_GE(p.topLoad, p.rows.back().load);
        EXPECT_GE(p.rows.front().load, p.tipLoad);
    }
    // At 2 in of tip movement every shaft curve is on its plateau: shaft = perimeter x area
    // under the depth profile of tMax, which runs linearly from 2 psi at 0 to 12 psi at 1200 in
    // (mean 7 psi). The tip curve lies between z/D 0.073 (1.752 in, 0.9 Q_p) and 0.1 (2.4 in,
    // Q_p): Q = Q_p (0.9 + 0.1 x 0.248 / 0.648).
    const double fullShaft = 7.0 * 24.0 * 3.1416 * 1200.0;
    const double tip = 200000.0 * (0.9 + 0.1 * 0.248 / 0.648);
    EXPECT_NEAR(r.points.back().tipLoad, tip, 1e-6);
    EXPECT_NEAR(r.points.back().topLoad / (fullShaft + tip), 1.0, 1e-9);
}

TEST(LoadSettlementPipePile, IterationBoundIsFlaggedAndTheRunGoesOn)
{
    TLoadSettleInput in = PipePile();
    in.maxIterations = 1;
    const TLoadSettleResult r = SolveLoadSettlement(in);
    EXPECT_TRUE(r.iterationLimitReached);
    ASSERT_EQ(r.points.size(), 9u); // every tip movement still has its point and rows
    bool anyUnconverged = false;
    for (const TLoadSettlePoint& p : r.points) {
        anyUnconverged = anyUnconverged || !p.converged;
        EXPECT_EQ(p.rows.size(), in.segments.size());
        EXPECT_TRUE(std::isfinite(p.topLoad));
        EXPECT_TRUE(std::isfinite(p.topMove));
    }
    EXPECT_TRUE(anyUnconverged);
    EXPECT_FALSE(kLoadSettleLimitLine.empty());
}

TEST(LoadSettlementPipePile, SegmentWithoutStiffnessIsRefused)
{
    TLoadSettleInput in = PipePile();
    in.segments[3].ea = 0.0;
    EXPECT_THROW(SolveLoadSettlement(in), std::invalid_argument);
}

// ---- written rows --------------------------------------------------------------------------

TEST(LoadSettlementRows, EnglishRowsInFeetKipsAndInchesSiUnchanged)
{
    TLoadSettlePoint p;
    p.rows = {{1140.0, 250000.0, 0.5}, {1020.0, 260000.0, 0.6}};
    const std::vector<TLoadDistributionRow> english = WrittenDistributionRows(p, true);
    ASSERT_EQ(english.size(), 2u);
    EXPECT_NEAR(english[0].depth, 95.0, kExact);
    EXPECT_NEAR(english[0].load, 250.0, kExact);
    EXPECT_NEAR(english[0].movement, 0.5, kExact);
    EXPECT_NEAR(english[1].depth, 85.0, kExact); // tip first, then upward

    const std::vector<TLoadDistributionRow> si = WrittenDistributionRows(p, false);
    EXPECT_EQ(si[1].depth, 1020.0);
    EXPECT_EQ(si[1].load, 260000.0);
    EXPECT_EQ(si[1].movement, 0.6);
}

} // namespace
