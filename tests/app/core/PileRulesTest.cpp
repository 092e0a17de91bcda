#include "PileRules.h"

#include <gtest/gtest.h>

#include "ControlRules.h"
#include "TProgramData.h"

namespace {

// Areas worked out by hand to 6 significant digits.
constexpr long double kHandTolerance = 1e-6L;

TEST(PileRules, TimberRaymondAndTaperedMonotubeAreTapered)
{
    for (int type = 1; type <= 7; ++type) {
        const bool tapered = type == 2 || type == 4 || type == 5 || type == 7;
        EXPECT_EQ(IsTaperedPile(type), tapered) << type;
        // The taper is used by the FHWA capacity method alone.
        EXPECT_EQ(TaperAngleUsed(type, 1), tapered) << type;
        EXPECT_FALSE(TaperAngleUsed(type, 0)) << type;
    }
    EXPECT_EQ(StoredTaperAngle(1.5L, 1), 1.5L);
    EXPECT_EQ(StoredTaperAngle(1.5L, 0), 0.0L);
}

TEST(PileRules, PileTypeDecidesShapeAndEnd)
{
    struct TCase
    {
        TPileShapeChoice choice;
        unsigned char closedBefore;
        TPileShape stored;
    };
    const TCase cases[] = {
        {{PileTypeCode::kSteelPipe, true, true, false}, 0, {1, 1}},
        {{PileTypeCode::kSteelPipe, true, false, true}, 1, {1, 0}},
        {{PileTypeCode::kTimber, false, true, true}, 0, {1, 0}},
        {{PileTypeCode::kTimber, false, false, false}, 1, {1, 1}},
        {{PileTypeCode::kPrecastConcrete, true, false, true}, 0, {1, 1}},
        {{PileTypeCode::kPrecastConcrete, false, true, false}, 1, {0, 0}},
        {{PileTypeCode::kRaymondStepTaper, true, true, true}, 0, {1, 0}},
        {{PileTypeCode::kRaymondUniformTaper, true, false, false}, 1, {1, 1}},
        {{PileTypeCode::kHPile, true, false, false}, 1, {0, 1}},
        {{PileTypeCode::kHPile, true, true, true}, 0, {0, 0}},
        {{PileTypeCode::kTaperedMonotube, false, true, true}, 1, {1, 1}},
    };
    for (const TCase& c : cases) {
        const TPileShape shape = PileShapeFor(c.choice, c.closedBefore);
        EXPECT_EQ(shape.Circular, c.stored.Circular) << c.choice.PileType;
        EXPECT_EQ(shape.ClosedEnd, c.stored.ClosedEnd) << c.choice.PileType;
    }
}

TEST(PileRules, ShownSectionAreaFollowsTheSection)
{
    struct TCase
    {
        const char* what;
        TPileShapeChoice choice;
        long double od;
        long double id;
        long double tipArea;
        int units;
        long double area;
    };
    const TCase cases[] = {
        // (1000^2 - 900^2) x 3.1416 / 4 = 149226 mm^2
        {"SI steel pipe", {PileTypeCode::kSteelPipe}, 1000, 900, 7, 2, 0.149226L},
        // (24^2 - 22.5^2) x 3.1416 / 4 = 69.75 x 0.7854
        {"English steel pipe", {PileTypeCode::kSteelPipe}, 24, 22.5L, 7, 1, 54.78165L},
        // (600^2 - 400^2) x 0.7854 = 157080 mm^2
        {"SI circular concrete", {PileTypeCode::kPrecastConcrete, true}, 600, 400, 7, 2, 0.15708L},
        {"square concrete", {PileTypeCode::kPrecastConcrete, false}, 600, 400, 0.36L, 2, 0.36L},
        {"H-pile", {PileTypeCode::kHPile}, 14, 0, 21.4L, 1, 21.4L},
        // 12^2 x 0.7854 = 113.0976 in^2; the inner diameter does not count
        {"timber", {PileTypeCode::kTimber}, 12, 5, 7, 1, 113.0976L},
        // 400^2 x 0.7854 = 125664 mm^2
        {"SI tapered monotube", {PileTypeCode::kTaperedMonotube}, 400, 0, 7, 2, 0.125664L},
    };
    for (const TCase& c : cases) {
        EXPECT_NEAR(ShownSectionArea(c.choice, c.od, c.id, c.tipArea, c.units),
                    c.area,
                    kHandTolerance)
            << c.what;
    }
}

TEST(PileRules, CircularPileUsesInnerDiameterAndEndSectionOnlyWhereTheyExist)
{
    struct TCase
    {
        int type;
        int circular;
        int closedEnd;
        TCircularPileEntries used;
    };
    const TCase cases[] = {
        {PileTypeCode::kSteelPipe, 1, 0, {true, true, true}},
        {PileTypeCode::kSteelPipe, 1, 1, {true, false, false}},
        {PileTypeCode::kPrecastConcrete, 1, 0, {true, true, true}},
        {PileTypeCode::kPrecastConcrete, 1, 1, {true, false, false}},
        {PileTypeCode::kPrecastConcrete, 0, 0, {false, false, false}},
        {PileTypeCode::kTimber, 1, 0, {false, false, false}},
        {PileTypeCode::kRaymondStepTaper, 1, 0, {false, false, false}},
        {PileTypeCode::kRaymondUniformTaper, 1, 0, {false, false, false}},
        {PileTypeCode::kTaperedMonotube, 1, 0, {false, false, false}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(CircularPileEntries(c.type, c.circular, c.closedEnd), c.used)
            << c.type << " " << c.circular << " " << c.closedEnd;
    }
}

TEST(PileRules, NegativeStickUpAndNonPositiveModulusAreRefused)
{
    EXPECT_TRUE(StickUpIsRefused(-1));
    EXPECT_TRUE(StickUpIsRefused(-1e-9L));
    EXPECT_FALSE(StickUpIsRefused(0));
    EXPECT_FALSE(StickUpIsRefused(12.5L));
    EXPECT_FALSE(ModulusIsAccepted(0));
    EXPECT_FALSE(ModulusIsAccepted(-29000000));
    EXPECT_TRUE(ModulusIsAccepted(1e-9L));
    EXPECT_TRUE(ModulusIsAccepted(29000000));
}

TEST(ControlRules, PrintIntervalRoundsHalvesToEven)
{
    struct TCase
    {
        long double entry;
        int stored;
    };
    const TCase cases[] = {{2.5L, 2},
                           {3.5L, 4},
                           {1.5L, 2},
                           {2.4L, 2},
                           {2.6L, 3},
                           {7, 7},
                           {1, 1},
                           {500, 500},
                           {499.5L, 500},
                           {498.5L, 498},
                           {0.5L, 1},
                           {0, 1},
                           {1e9L, 500}};
    for (const TCase& c : cases) {
        EXPECT_EQ(RoundPrintInterval(c.entry), c.stored) << static_cast<double>(c.entry);
    }
}

TEST(ControlRules, IncrementOfZeroIsShownAsOne)
{
    struct TCase
    {
        long double held;
        long double shown;
    };
    const TCase cases[] = {{0, 1}, {5e-7L, 1}, {-2, 1}, {1e-6L, 1e-6L}, {0.5L, 0.5L}, {2.5L, 2.5L}};
    for (const TCase& c : cases) {
        EXPECT_EQ(ShownIncrement(c.held), c.shown) << static_cast<double>(c.held);
    }
}

} // namespace
