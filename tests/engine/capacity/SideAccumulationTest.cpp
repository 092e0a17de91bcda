// The shared side-resistance accumulation: the three limit variants, the tension factor, the
// side reduction factors and the t-z copy, on small grids worked out by hand.
#include "capacity/SideAccumulation.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kTol = 1e-12;

// Rows at 0, 1, 2 (increment 1, perimeter 2: an interval's force is (f1 + f2) x 1).
struct TGrid
{
    std::vector<double> f{0.0, 2.0, 4.0};
    std::vector<double> limit{1.5, 1.5, 1.5};
    std::vector<double> factor{1.0, 1.0, 1.0};
    double perimeter = 2.0;

    TSideAccumulationInput Input(ESideLimit mode) const
    {
        TSideAccumulationInput in;
        in.gridF = f;
        in.limit = limit;
        in.perimeter = std::span<const double>(&perimeter, 1);
        in.sideFactor = factor;
        in.increment = 1.0;
        in.limitMode = mode;
        return in;
    }
};

TEST(SideAccumulation, LimitVariants)
{
    const TGrid g;
    // No limit: forces 2 and 6, total 8; reported friction as interpolated.
    const TSideAccumulation none = AccumulateSide(g.Input(ESideLimit::kNone));
    EXPECT_NEAR(none.GRIDQS[2], 8.0, kTol);
    EXPECT_NEAR(none.GRIDFUSED[2], 4.0, kTol);

    // API: each interval's force from the frictions as interpolated, cut to the force of the
    // limits (1.5 + 1.5) x 1 = 3: forces min(2, 3) = 2 and min(6, 3) = 3.
    const TSideAccumulation api = AccumulateSide(g.Input(ESideLimit::kOnForce));
    EXPECT_NEAR(api.GRIDDQS[1], 2.0, kTol);
    EXPECT_NEAR(api.GRIDDQS[2], 3.0, kTol);
    EXPECT_NEAR(api.GRIDDQSLIM[2], 3.0, kTol);
    EXPECT_NEAR(api.GRIDQS[2], 5.0, kTol);
    EXPECT_NEAR(api.GRIDFUSED[1], 1.5, kTol);
    EXPECT_NEAR(api.GRIDF[1], 2.0, kTol);

    // FHWA/USACE: row 2's friction is cut to 1.5 before it ends interval 3: (1.5 + 4) = 5.5,
    // cut to 3; with a higher limit at row 3 the difference shows.
    TGrid h = g;
    h.limit = {1.5, 1.5, 10.0};
    const TSideAccumulation apiH = AccumulateSide(h.Input(ESideLimit::kOnForce));
    const TSideAccumulation cutH = AccumulateSide(h.Input(ESideLimit::kOnForceCutRow));
    EXPECT_NEAR(apiH.GRIDDQS[2], 6.0, kTol); // (2 + 4) x 1, under (1.5 + 10)
    EXPECT_NEAR(cutH.GRIDDQS[2], 5.5, kTol); // (1.5 + 4) x 1
    EXPECT_NEAR(cutH.GRIDQS[2], 7.5, kTol);  // interval 2: min(2, 3) = 2
}

TEST(SideAccumulation, TensionFactorsAndLoadTransferCopy)
{
    TGrid g;
    g.f = {1.0, 1.0, 1.0};
    g.factor = {1.0, 0.5, 0.5};
    TSideAccumulationInput in = g.Input(ESideLimit::kNone);
    in.tensionFactor = 0.7;
    const TSideAccumulation unreduced = AccumulateSide(in);
    // Every row, the first included, takes the factor: forces (0.7 + 0.7) x 1 = 1.4 each.
    EXPECT_NEAR(unreduced.GRIDF[0], 0.7, kTol);
    EXPECT_NEAR(unreduced.GRIDQS[2], 2.8, kTol);
    EXPECT_NEAR(unreduced.GRIDQSF[2], 1.4, kTol); // halved by the side factors
    EXPECT_NEAR(unreduced.TZSIDE[2], 2.8, kTol);  // t-z option 0: unreduced
    in.tzFactor = 1;
    EXPECT_NEAR(AccumulateSide(in).TZSIDE[2], 1.4, kTol);
}

TEST(SideAccumulation, PerRowPerimeterAndEmptyGrid)
{
    TGrid g;
    const std::vector<double> perimeter{2.0, 2.0, 4.0};
    TSideAccumulationInput in = g.Input(ESideLimit::kNone);
    in.perimeter = perimeter;
    EXPECT_NEAR(AccumulateSide(in).GRIDQS[2], 2.0 + 12.0, kTol);
    TSideAccumulationInput empty;
    empty.perimeter = perimeter;
    EXPECT_TRUE(AccumulateSide(empty).GRIDQS.empty());
    const std::vector<double> shortLimit{1.0};
    in.limit = shortLimit;
    in.limitMode = ESideLimit::kOnForce;
    EXPECT_THROW(AccumulateSide(in), std::invalid_argument);
}

// A state of three 1 ft segments of unit friction 1, 2, 3 at their tops and 2, 3, 4 at
// their bottoms, a 3 ft pile.
void ThreeSegments(TRunState& s)
{
    s.PILEDATA.NSEG = 3;
    s.PILEDATA.INCREMENT = 1.0;
    s.PILEDATA.PILELENGTH = 3.0;
    for (int k = 1; k <= 3; ++k) {
        s.SEGDATA.SEGTOP[k] = k - 1.0;
        s.SEGDATA.SEGBOT[k] = k;
        s.SEGDATA.SEGFMAX[k] = 10.0 * k;
    }
}

TEST(SideAccumulation, GridFrictionZeroFrictionLengthAndRowSegments)
{
    auto s = std::make_unique<TRunState>();
    ThreeSegments(*s);
    const std::vector<double> ends{1, 2, 2, 3, 3, 4};
    EXPECT_EQ(SideGridRows(*s), 4);
    // A depth on a boundary belongs to the segment above: row 2 (1 ft) is segment 1's bottom.
    const std::vector<double> f = SideGridUnitFriction(*s, ends, 4);
    EXPECT_EQ(f, (std::vector<double>{1, 2, 3, 4}));
    s->PILEDATA.ZEROFRICTION = 1.5;
    const std::vector<double> z = SideGridUnitFriction(*s, ends, 4);
    EXPECT_EQ(z, (std::vector<double>{0, 0, 3, 4}));
    // The last row (3 ft) lies below the last segment's top: it takes segment 3, never an
    // unfilled segment 4.
    const std::vector<double> lim = SideRowValues(*s, s->SEGDATA.SEGFMAX, 4);
    EXPECT_EQ(lim, (std::vector<double>{10, 20, 30, 30}));
}

TEST(SideAccumulation, StoredSideMarksTheRecord)
{
    TSideAccumulation side;
    side.GRIDQSF = {0.0, 1.5};
    side.GRIDFUSED = {0.2, 0.3};
    side.TZSIDE = {0.0, 3.0};
    auto r = std::make_unique<TMethodResult>();
    StoreSideResult(*r, 0.5, side);
    EXPECT_TRUE(r->COMPUTED);
    EXPECT_DOUBLE_EQ(r->PENETRATION[2], 0.5);
    EXPECT_DOUBLE_EQ(r->SKIN[2], 1.5);
    EXPECT_DOUBLE_EQ(r->UNITSKIN[2], 0.3);
    EXPECT_DOUBLE_EQ(r->TZSIDE[2], 3.0);
}

} // namespace
