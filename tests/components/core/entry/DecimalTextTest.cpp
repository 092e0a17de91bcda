#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "entry/TExpressionNumber.h"

namespace {

struct ReadCase
{
    const char* text;
    long double expected; // the compiler's own reading of the same digits
    bool quick;           // within the quick way's digits and powers
};

// Both ways give the correctly rounded value, bit for bit (the compiler rounds its literals
// correctly); the quick way takes only what it can read exactly and leaves the rest.
TEST(DecimalTextRead, QuickAndFullWaysAgreeBitForBit)
{
    const ReadCase cases[] = {
        {"0.1", 0.1L, true},
        {"-2.5E-3", -2.5E-3L, true},
        {"+7", 7.0L, true},
        {".5", 0.5L, true},
        {"5.", 5.0L, true},
        {"1.00E+01", 10.0L, true},
        {"0.333333333333333333", 0.333333333333333333L, true},
        {"9999999999999999999", 9999999999999999999.0L, true},
        {"1.234567890123456789E27", 1.234567890123456789E27L, true},
        {"1E-27", 1E-27L, true},
        {"123456.7E-20", 123456.7E-20L, true},
        {"123456.7E-27", 123456.7E-27L, false},
        // 20 significant digits, powers beyond 27, long exponents: the full way only
        {"12345678901234567891", 12345678901234567891.0L, false},
        {"1E28", 1E28L, false},
        {"2.5E-28", 2.5E-28L, false},
        {"1E0300", 1E300L, false},
        {"0.000000000000000000000000000001", 1E-30L, false},
    };
    for (const ReadCase& c : cases) {
        long double full = 0;
        ASSERT_EQ(DecimalText::Read(c.text, full), DecimalText::TReadResult::Ok) << c.text;
        EXPECT_EQ(std::memcmp(&full, &c.expected, 10), 0) << c.text;
        long double quick = -1;
        EXPECT_EQ(DecimalText::ReadShort(c.text, quick), c.quick) << c.text;
        if (c.quick) {
            EXPECT_EQ(std::memcmp(&quick, &c.expected, 10), 0) << c.text;
        } else {
            EXPECT_EQ(quick, -1) << c.text << ": left untouched";
        }
    }
}

TEST(DecimalTextRead, SignedZeroAndRefusedTexts)
{
    long double value = 1;
    ASSERT_EQ(DecimalText::Read("-0", value), DecimalText::TReadResult::Ok);
    EXPECT_TRUE(value == 0 && std::signbit(value));
    ASSERT_EQ(DecimalText::Read("-0.000E+00", value), DecimalText::TReadResult::Ok);
    EXPECT_TRUE(value == 0 && std::signbit(value));
    for (const char* text : {"",
                             "+",
                             "-",
                             ".",
                             "e5",
                             "1e",
                             "1e+",
                             "1.2.3",
                             "--1",
                             "1,5",
                             " 1",
                             "1 ",
                             "0x10",
                             "inf",
                             "nan"}) {
        value = 3;
        EXPECT_EQ(DecimalText::Read(text, value), DecimalText::TReadResult::NotANumber) << text;
        EXPECT_FALSE(DecimalText::ReadShort(text, value)) << text;
        EXPECT_EQ(value, 3) << text;
    }
    EXPECT_EQ(DecimalText::Read("1E5000", value), DecimalText::TReadResult::OutOfRange);
}

} // namespace
