#include "methods/pass1/Pass1Core.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "capacity/SideAccumulation.h"

namespace {

constexpr double kExact = 1e-12;
constexpr double kTight = 1e-9;

TEST(Pass1Grid, CountTruncatesAfterTheDepthTolerance)
{
    EXPECT_EQ(Pass1GridCount(30.0, 1.0), 31);
    // 30 / 0.3 is 99.99999999999999 in binary: the tolerance keeps the last row.
    EXPECT_EQ(Pass1GridCount(30.0, 0.3), 101);
    EXPECT_EQ(Pass1GridCount(0.5, 1.0), 1);
    EXPECT_EQ(Pass1GridCount(30.0, 0.0), 0);
    EXPECT_EQ(Pass1GridCount(-1.0, 1.0), 0);
}

TEST(Pass1Grid, FindSegmentPutsBoundariesInTheUpperSegmentAndNeverPastTheLast)
{
    const std::array<double, 3> len{1.0, 1.0, 1.0};
    struct Case
    {
        double z;
        int segment;
        double into;
    };
    for (const Case& c : {Case{0.0, 1, 0.0},
                          Case{1.0, 1, 1.0},
                          Case{1.5, 2, 0.5},
                          Case{3.0, 3, 1.0},
                          Case{5.0, 3, 1.0}}) {
        const Pass1SegmentPosition pos = Pass1FindSegment(len, c.z);
        EXPECT_EQ(pos.segment, c.segment) << "z " << c.z;
        EXPECT_NEAR(pos.into, c.into, kExact) << "z " << c.z;
    }
    EXPECT_EQ(Pass1FindSegment(std::span<const double>{}, 1.0).segment, 0);
    EXPECT_EQ(Pass1RowSegment(31, 30), 30);
    EXPECT_EQ(Pass1RowSegment(5, 30), 5);
    EXPECT_EQ(Pass1RowSegment(1, 0), 0);
}

TEST(Pass1Grid, UnitFrictionIsInterpolatedBelowTheZeroFrictionLength)
{
    const std::array<double, 3> len{1.0, 1.0, 1.0};
    const std::array<double, 6> ends{0.0, 1.0, 1.0, 3.0, 3.0, 6.0};
    // 1.5 ft lies halfway in segment 2: 1 + (3 - 1) x 0.5 = 2.
    EXPECT_NEAR(Pass1InterpolateEnds(len, ends, 1.5), 2.0, kExact);

    std::array<double, 4> gridF{};
    Pass1GridUnitFriction(len, ends, 1.0, 1.0, gridF);
    // Row 1 (z 0) lies in the zero-friction length; row 2 at its end takes segment 1's bottom.
    EXPECT_DOUBLE_EQ(gridF[0], 0.0);
    EXPECT_DOUBLE_EQ(gridF[1], 1.0);
    EXPECT_DOUBLE_EQ(gridF[2], 3.0);
    EXPECT_DOUBLE_EQ(gridF[3], 6.0);
}

// The FHWA and USACE variant of the shared accumulation (SideAccumulation.h): every row's unit
// friction is cut to its limit before it serves as the top of the next interval.
TSideAccumulation Accumulate(std::vector<double> f,
                             std::vector<double> limit,
                             std::vector<double> perimeter,
                             std::vector<double> rfs,
                             double increment,
                             double tensionFactor,
                             int tzFactor)
{
    TSideAccumulationInput in;
    in.gridF = f;
    in.limit = limit;
    in.perimeter = perimeter;
    in.sideFactor = rfs;
    in.increment = increment;
    in.tensionFactor = tensionFactor;
    in.limitMode = ESideLimit::kOnForceCutRow;
    in.tzFactor = tzFactor;
    return AccumulateSide(in);
}

TEST(Pass1Accumulation, TensionFactorActsOnEveryRowTheFirstIncluded)
{
    // f = 2 at every row, tension factor 0.5, P = 3, increment 1: the used friction is 1 at
    // every row, so each interval carries (1 + 1) / 2 x 3 x 1 = 3. Without the factor on row 1
    // the first interval would carry (2 + 1) / 2 x 3 = 4.5.
    const std::vector<double> open(3, kPass1NotLimited);
    const TSideAccumulation r = Accumulate({2, 2, 2}, open, {3, 3, 3}, {1, 1, 1}, 1.0, 0.5, 0);
    EXPECT_NEAR(r.GRIDFUSED[0], 1.0, kExact);
    EXPECT_NEAR(r.GRIDDQS[1], 3.0, kExact);
    EXPECT_NEAR(r.GRIDQS[2], 6.0, kExact);
    // Compression: factor 1.
    const TSideAccumulation c = Accumulate({2, 2, 2}, open, {3, 3, 3}, {1, 1, 1}, 1.0, 1.0, 0);
    EXPECT_NEAR(c.GRIDQS[2], 12.0, kExact);
}

TEST(Pass1Accumulation, LimitCutsTheUnitFrictionAndTheIntervalForce)
{
    // f = 5, limits 2, 2, 10, P = 1, increment 1.
    // Row 1: used min(5, 2) = 2.
    // Row 2: force (2 + 5) / 2 = 3.5 against the limit (2 + 2) / 2 = 2: 2; used 2.
    // Row 3: force (2 + 5) / 2 = 3.5 against (2 + 10) / 2 = 6: 3.5; used min(5, 10) = 5.
    const TSideAccumulation r =
        Accumulate({5, 5, 5}, {2, 2, 10}, {1, 1, 1}, {1, 1, 1}, 1.0, 1.0, 0);
    EXPECT_NEAR(r.GRIDFUSED[0], 2.0, kExact);
    EXPECT_NEAR(r.GRIDFUSED[1], 2.0, kExact);
    EXPECT_NEAR(r.GRIDFUSED[2], 5.0, kExact);
    EXPECT_NEAR(r.GRIDDQS[1], 2.0, kExact);
    EXPECT_NEAR(r.GRIDDQSLIM[2], 6.0, kExact);
    EXPECT_NEAR(r.GRIDDQS[2], 3.5, kExact);
    EXPECT_NEAR(r.GRIDQS[2], 5.5, kExact);
}

} // namespace
