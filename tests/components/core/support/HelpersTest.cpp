#include "support/Helpers.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(RaiseHelpers, PassingConditionsRaiseNothing)
{
    EXPECT_NO_THROW(RaiseUnless(true, "never"));
    EXPECT_NO_THROW(Require<EAssignError>(true, "never"));
    EXPECT_NO_THROW(RaiseIf(false, "never"));
    EXPECT_NO_THROW(RaiseWhen<EAssignError>(false, "never"));
    EXPECT_NO_THROW(RaiseUnlessFmt(true, "%s", "never"));
    EXPECT_NO_THROW(RaiseIfFmt(false, "%d", 1));
}

TEST(RaiseHelpers, WithoutAClassRaiseAssertionFailed)
{
    EXPECT_THROW(RaiseUnless(false, "m"), EAssertionFailed);
    EXPECT_THROW(Require(false, "m"), EAssertionFailed);
    EXPECT_THROW(RaiseIf(true, "m"), EAssertionFailed);
    EXPECT_THROW(RaiseWhen(true, "m"), EAssertionFailed);
    EXPECT_THROW(RaiseWhenFmt(true, "m"), EAssertionFailed);
}

TEST(RaiseHelpers, RaiseExactlyTheGivenClassWithTheMessage)
{
    try {
        RaiseUnless<EAssignError>(false, "Value must be an integer.");
        FAIL();
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), "Value must be an integer.");
    }
    try {
        RaiseIfFmt<EAssignError>(true, "Error in %s\r%s", "GetPrinter", "Printer not Assigned");
        FAIL();
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), "Error in GetPrinter\rPrinter not Assigned");
    }
    try {
        RequireFmt<EConvertError>(false, "%d Out of Range 0-%d", 6, 6);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "6 Out of Range 0-6");
    }
}

TEST(RaiseHelpers, FmtVariantsFormatEvenWhenNothingIsRaised)
{
    // A pattern that asks for a missing argument shows up at once.
    EXPECT_THROW(RaiseUnlessFmt(true, "%s and %s", "one"), EConvertError);
}

TEST(RaiseHelpers, FmtVariantsCheckEveryFaultWhenNothingIsRaised)
{
    // Each fault of a pattern, found by the check alone as by the formatting.
    const std::vector<std::function<void()>> faults = {
        [] { RaiseUnlessFmt(true, "%d", "text"); },
        [] { RaiseIfFmt(false, "%s", 5); },
        [] { RaiseWhenFmt(false, "%f", 5); },
        [] { RequireFmt(true, "%x", 2.5); },
        [] { RaiseUnlessFmt(true, "%d"); },
        [] { RaiseUnlessFmt(true, "%q", 1); },
        [] { RaiseUnlessFmt(true, "trailing %", 1); },
        [] { RaiseUnlessFmt(true, "%.d", 1); },
        [] { RaiseUnlessFmt(true, "%1:d", 1); },
        [] { RaiseUnlessFmt(true, "%0:d %0:d %d", 1); },
    };
    for (std::size_t i = 0; i < faults.size(); ++i) {
        EXPECT_THROW(faults[i](), EConvertError) << "case " << i;
    }
    // Good patterns of every kind pass the check.
    EXPECT_NO_THROW(RaiseUnlessFmt(true,
                                   "%d %u %.4x %-3s %5.2f %e %g %% %1:d %0:d",
                                   -1,
                                   2U,
                                   10,
                                   "a",
                                   2.5,
                                   1.0L,
                                   3.0F));
}

TEST(RaiseHelpers, FmtVariantsRaiseTheFormattedMessage)
{
    try {
        RaiseWhenFmt<EConvertError>(true, "Row %d of %s: %.2f%%", 7, "Soils", 12.345);
        FAIL() << "nothing raised";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Row 7 of Soils: 12.35%");
    }
}

struct FormatCase
{
    std::string expected;
    std::string actual;
};

TEST(Format, PatternsOfTheLibrary)
{
    const std::vector<FormatCase> cases = {
        {"Error in CopyData\rHandle = 0", Format("Error in %s\rHandle = 0", "CopyData")},
        {"50%", Format("%d%%", 50)},
        {"-42", Format("%d", -42)},
        {"007", Format("%.3d", 7)},
        {"  7|7  ", Format("%3d|%-3d", 7, 7)},
        {"FF", Format("%x", 255)},
        {"000A", Format("%.4x", 10)},
        {"ab", Format("%.2s", "abc")},
        {"2.50", Format("%f", 2.5)},
        {"0.333", Format("%.3f", 1.0L / 3.0L)},
        {"12.5", Format("%g", 12.5)},
        {"1.25000000000000E+001", Format("%e", 12.5)},
        {"b a", Format("%1:s %0:s", "a", "b")},
        {"no arguments", Format("no arguments")},
        {"", Format("")},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(Format, FaultyPatternsRaiseConvertError)
{
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s", 5), EConvertError);
    EXPECT_THROW(Format("%f", 5), EConvertError);
    EXPECT_THROW(Format("%d"), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("trailing %", 1), EConvertError);
}

TEST(IntegerHelpers, ChoiceMinMax)
{
    EXPECT_EQ(IntMax(3, 7), 7);
    EXPECT_EQ(IntMax(7, 3), 7);
    EXPECT_EQ(IntMin(3, 7), 3);
    EXPECT_EQ(IntMin(-1, -5), -5);
    EXPECT_EQ(IntIfThen(true, 1, 2), 1);
    EXPECT_EQ(IntIfThen(false, 1, 2), 2);
    EXPECT_EQ(IfThenInt(false, 1, 2), 2);
    EXPECT_EQ(SmallerOf(500, 300), 300);
    EXPECT_EQ(LargerOf(100, 300), 300);
}

TEST(IntegerHelpers, FoldAndMinOf)
{
    const std::vector<int> one = {42};
    EXPECT_EQ(IntMinOf(one), 42);
    const std::vector<int> several = {5, -3, 8, -3, 0};
    EXPECT_EQ(IntMinOf(several), -3);
    EXPECT_EQ(FoldIntegers([](int a, int b) { return a * 10 + b; }, std::vector<int>{1, 2, 3}),
              123);
    EXPECT_THROW(IntMinOf(std::vector<int>{}), EAssertionFailed);
}

TEST(IntegerHelpers, IsInRangeIncludesBothEnds)
{
    EXPECT_TRUE(IsInRange(1, 1, 3));
    EXPECT_TRUE(IsInRange(3, 1, 3));
    EXPECT_FALSE(IsInRange(0, 1, 3));
    EXPECT_FALSE(IsInRange(4, 1, 3));
    EXPECT_TRUE(IsInRange(0.5L, 0.0L, 1.0L));
}

TEST(NumberHelpers, FracOfKeepsTheSign)
{
    EXPECT_EQ(FracOf(2.75L), 0.75L);
    EXPECT_EQ(FracOf(-2.75L), -0.75L);
    EXPECT_EQ(FracOf(3.0L), 0.0L);
}

TEST(NumberHelpers, RoundToInt64TiesToEven)
{
    struct Case
    {
        long double value;
        std::int64_t expected;
    };
    const Case cases[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {-3.5L, -4},
        {0.5L, 0},
        {-0.5L, 0},
        {1.5L, 2},
        {2.4999999L, 2},
        {2.5000001L, 3},
        {-7.6L, -8},
        {9007199254740993.0L, 9007199254740993}, // beyond double, within long double
        {9223372036854775807.0L, std::numeric_limits<std::int64_t>::max()},
        {-9223372036854775808.0L, std::numeric_limits<std::int64_t>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundToInt64(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(NumberHelpers, RoundToInt64RefusesWhatHasNoInteger)
{
    EXPECT_THROW(RoundToInt64(9223372036854775808.0L), EConvertError);
    EXPECT_THROW(RoundToInt64(-9223372036854775809.0L * 2), EConvertError);
    EXPECT_THROW(RoundToInt64(std::numeric_limits<long double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(RoundToInt64(std::numeric_limits<long double>::infinity()), EConvertError);
}

TEST(StringHelpers, CharAtAndCopyFrom)
{
    EXPECT_EQ(CharAt("F/L2", 1), 'F');
    EXPECT_EQ(CharAt("F/L2", 4), '2');
    EXPECT_EQ(CharAt("F/L2", 5), '\0');
    EXPECT_EQ(CharAt("F/L2", 0), '\0');
    EXPECT_EQ(CharAt("", 1), '\0');
    EXPECT_EQ(CopyFrom("F/L2^2", 3), "L2^2");
    EXPECT_EQ(CopyFrom("F/L2^2", 7), "");
    EXPECT_EQ(CopyFrom("F/L2^2", 99), "");
    EXPECT_EQ(CopyFrom("abc", 0), "abc");
}

TEST(StringHelpers, Positions)
{
    EXPECT_EQ(PosFrom("b", "abcabc", 1), 2);
    EXPECT_EQ(PosFrom("b", "abcabc", 3), 3); // counted from the start position
    EXPECT_EQ(PosFrom("a", "abcabc", 4), 1);
    EXPECT_EQ(PosFrom("x", "abcabc", 1), 0);
    EXPECT_EQ(PosFrom("a", "abc", 9), 0);
    EXPECT_EQ(PosFrom("", "abc", 1), 0);
    EXPECT_EQ(PosOrDefault("/", "F/L2", 99), 2);
    EXPECT_EQ(PosOrDefault("/", "F", 99), 99);
    EXPECT_EQ(PosOrEnd("/", "L2^2"), 5);
    EXPECT_EQ(PosOrEnd("/", ""), 1);
}

TEST(StringHelpers, ReplaceAll)
{
    EXPECT_EQ(ReplaceAll("F/F", "F", "lbs"), "lbs/lbs");
    // Replacing by itself terminates and changes nothing.
    EXPECT_EQ(ReplaceAll("F/L^2", "L", "L"), "F/L^2");
    // Inserted text is not searched again.
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
}

} // namespace
