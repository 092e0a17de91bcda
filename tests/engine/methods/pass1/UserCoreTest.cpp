#include "methods/pass1/UserCore.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kHand = 1e-9;
constexpr double kParity = 5e-4;
constexpr double kKsfToKpa = 47.88;
constexpr double kFtToM = 0.3048;
constexpr double kKipToKn = 4.448222;

struct UserRun
{
    int ngrid;
    std::vector<double> depth, tip, side;
};

// Four 1 ft segments (the last below the 3 ft pile): user skin friction 0.5, 1, 2, 3 ksf, end
// bearing 10, 20, 30, 40 ksf, reduction factors 1, 0.5, 1, 1; 12 in pile.
UserRun RunUser(int units, bool tension, double tensionFactor, double tipArea = 0.0)
{
    const bool si = units == 2;
    const double len = si ? kFtToM : 1.0;
    const double stress = si ? kKsfToKpa : 1.0;
    const std::array<double, 4> segLen{len, len, len, len};
    const std::array<double, 4> side{0.5 * stress, 1.0 * stress, 2.0 * stress, 3.0 * stress};
    const std::array<double, 4> tip{10 * stress, 20 * stress, 30 * stress, 40 * stress};
    const std::array<double, 4> rfs{1.0, 0.5, 1.0, 1.0};
    UserPile pile;
    pile.od = si ? 304.8 : 12.0;
    pile.tipArea = tipArea;
    pile.pileLength = 3 * len;
    pile.increment = len;
    pile.tension = tension;
    pile.tensionFactor = tensionFactor;
    UserRun r{0,
              std::vector<double>(6, -1.0),
              std::vector<double>(6, -1.0),
              std::vector<double>(6, -1.0)};
    r.ngrid = UserMethodResistance({segLen, side, tip, rfs},
                                   pile,
                                   Pass1UnitsFor(units),
                                   {r.depth, r.tip, r.side});
    return r;
}

// Hand sum, English: D = 1 ft, p = 3.14159, A = 0.7853975 ft2.
// Row 1 (z 0): tip A x 10 = 7.853975; side 0.
// Each interval takes the friction and the reduction factor of the segment that holds it.
// Row 2 (z 1, segment 1 by the boundary rule): tip 7.853975; side p x 0.5 x 1 x rfs(segment 1)
//   1 = 1.570795.
// Row 3 (z 2, segment 2): tip A x 20 = 15.70795; side + p x 1.0 x 1 x rfs(segment 2) 0.5 =
//   3.14159.
// Row 4 (z 3, segment 3): tip A x 30 = 23.561925; side + p x 2.0 x rfs(segment 3) 1 = 9.42477.
const double kTip[] = {7.853975, 7.853975, 15.70795, 23.561925};
const double kSide[] = {0.0, 1.570795, 3.14159, 9.42477};

TEST(Pass1User, CompressionAgainstTheHandSum)
{
    const UserRun r = RunUser(1, false, 0.7); // the factor is ignored in compression
    ASSERT_EQ(r.ngrid, 4);
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(r.depth[j], j, kHand);
        EXPECT_NEAR(r.tip[j], kTip[j], kHand) << "row " << j + 1;
        EXPECT_NEAR(r.side[j], kSide[j], kHand) << "row " << j + 1;
    }
    EXPECT_EQ(r.tip[4], -1.0); // nothing beyond the grid is written
}

TEST(Pass1User, TensionFactorOnSideOnlyInBothUnitSystems)
{
    const UserRun e = RunUser(1, true, 0.7);
    const UserRun s = RunUser(2, true, 0.7);
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(e.side[j], 0.7 * kSide[j], kHand) << "row " << j + 1;
        EXPECT_NEAR(e.tip[j], kTip[j], kHand) << "row " << j + 1;
        // SI in kN against kips x 4.448222 (1 ksf x 1 ft2 = 47.88 x 0.09290304 kN).
        EXPECT_NEAR(s.tip[j] / (kTip[j] * kKipToKn), 1.0, kParity) << "row " << j + 1;
        if (j > 0) {
            EXPECT_NEAR(s.side[j] / (0.7 * kSide[j] * kKipToKn), 1.0, kParity) << "row " << j + 1;
        }
    }
}

TEST(Pass1User, NoncircularTipArea)
{
    // Tip area 0.5 ft2: tip 0.5 x 30 = 15 at the last row; 0.0001 or less takes the circle.
    EXPECT_NEAR(RunUser(1, false, 1.0, 0.5).tip[3], 15.0, kHand);
    EXPECT_NEAR(RunUser(1, false, 1.0, 0.0001).tip[3], kTip[3], kHand);
}

TEST(Pass1User, LastRowOfSoilEndingAtTheTipReadsOnlyFilledSegments)
{
    // Three segments and a 3 ft pile: row 4 takes segment 3 for its factor and values.
    const std::array<double, 3> segLen{1, 1, 1};
    const std::array<double, 3> side{1, 1, 1};
    const std::array<double, 3> tip{5, 5, 5};
    const std::array<double, 3> rfs{1, 1, 1};
    UserPile pile;
    pile.od = 12.0;
    pile.pileLength = 3.0;
    pile.increment = 1.0;
    std::array<double, 4> depth{}, q{}, s{};
    EXPECT_EQ(UserMethodResistance({segLen, side, tip, rfs}, pile, Pass1UnitsFor(1), {depth, q, s}),
              4);
    EXPECT_NEAR(s[3], 3 * 3.14159, kHand);
    EXPECT_NEAR(q[3], 5 * 0.7853975, kHand);
}

} // namespace
