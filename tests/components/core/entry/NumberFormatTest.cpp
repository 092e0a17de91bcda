#include "entry/NumberFormat.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Helpers.h"

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

struct TextCase
{
    std::string actual;
    std::string expected;
};

void ExpectAll(const std::vector<TextCase>& cases)
{
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(FormatGeneral18, EditBoxValues)
{
    ExpectAll({
        {FormatGeneral18(1.0L / 3.0L), "0.333333333333333333"},
        {FormatGeneral18(2.0L / 3.0L), "0.666666666666666667"},
        {FormatGeneral18(-1.0L / 3.0L), "-0.333333333333333333"},
        {FormatGeneral18(2.0L * 3.0L), "6"},
        {FormatGeneral18(0.1L), "0.1"},
        {FormatGeneral18(-1.5L), "-1.5"},
        {FormatGeneral18(123456789012345678.0L), "123456789012345678"},
        {FormatGeneral18(1e18L), "1E18"},
        {FormatGeneral18(0.0001L), "0.0001"},
        {FormatGeneral18(0.00001L), "1E-5"},
        {FormatGeneral18(1.5e-4000L), "1.5E-4000"},
        {FormatGeneral18(1e4000L), "1E4000"},
        {FormatGeneral18(0.0L), "0"},
        {FormatGeneral18(-0.0L), "0"},
        {FormatGeneral18(kNaN), "NAN"},
        {FormatGeneral18(kInf), "INF"},
        {FormatGeneral18(-kInf), "-INF"},
    });
}

TEST(FormatGeneral, ProjectFileValues)
{
    ExpectAll({
        {FormatGeneral(12.5L), "12.5"},
        {FormatGeneral(0.00001L), "1E-5"},
        {FormatGeneral(2.5e12L), "2.5E12"},
        {FormatGeneral(9999999999.0L), "9999999999"},
        // rounds up to 10^10, which no longer fits 10 digits
        {FormatGeneral(9999999999.5L), "1E10"},
        {FormatGeneral(1234567890123.0L), "1.23456789E12"},
        {FormatGeneral(1.0L / 3.0L), "0.3333333333"},
        {FormatGeneral(-0.000123456789012L), "-0.000123456789"},
        // the double sum 0.30000000000000004
        {FormatGeneral(0.1 + 0.2), "0.3"},
        {FormatGeneral(1.0L), "1"},
        {FormatGeneral(-40.0L), "-40"},
        {FormatGeneral(1e-300L), "1E-300"},
        {FormatGeneral(0.0L), "0"},
    });
}

TEST(FormatGeneral8, GridCellValues)
{
    ExpectAll({
        {FormatGeneral8(1.0L / 3.0L), "0.33333333"},
        {FormatGeneral8(12345678.0L), "12345678"},
        {FormatGeneral8(123456789.0L), "1.2345679E8"},
        {FormatGeneral8(3.280839895L), "3.2808399"},
        {FormatGeneral8(20.88543243L), "20.885432"},
        {FormatGeneral8(0.04788026L), "0.04788026"},
    });
}

TEST(FormatFloatGeneral, FewDigitsAndExponentDigits)
{
    ExpectAll({
        // exact ties round away from zero
        {FormatFloatGeneral(0.25L, 1), "0.3"},
        {FormatFloatGeneral(0.125L, 2), "0.13"},
        {FormatFloatGeneral(-0.125L, 2), "-0.13"},
        {FormatFloatGeneral(1e20L, 5, 3), "1E020"},
        {FormatFloatGeneral(1.25e-7L, 5, 2), "1.25E-07"},
        // precision clamps to 1 .. 18
        {FormatFloatGeneral(1.0L / 3.0L, 40), "0.333333333333333333"},
        {FormatFloatGeneral(2.5L, 0), "3"},
    });
}

TEST(FormatExponent, CptAndGrlweapValues)
{
    ExpectAll({
        {FormatExponent1(12.5L), "1.25E+1"},
        {FormatExponent2(12.5L), "1.25E+01"},
        {FormatExponent1(25.0L), "2.50E+1"},
        {FormatExponent2(25.0L), "2.50E+01"},
        {FormatExponent2(-0.03L), "-3.00E-02"},
        {FormatExponent2(0.0L), "0.00E+00"},
        {FormatExponent1(0.0L), "0.00E+0"},
        {FormatExponent2(-0.0L), "0.00E+00"},
        // an exact tie rounds away from zero
        {FormatExponent2(12.25L), "1.23E+01"},
        {FormatExponent2(-12.25L), "-1.23E+01"},
        {FormatExponent2(999.6L), "1.00E+03"},
        {FormatExponent2(0.000999L), "9.99E-04"},
        {FormatExponent1(1e-5L), "1.00E-5"},
        {FormatExponent2(1e100L), "1.00E+100"},
        {FormatExponent2(1e-300L), "1.00E-300"},
        {FormatExponent2(1.0L), "1.00E+00"},
        {FormatExponent2(kNaN), "NAN"},
        {FormatFloatExponent(1.0L / 3.0L, 18, 3), "3.33333333333333333E-001"},
    });
}

TEST(FormatFloatFixed, Decimals)
{
    ExpectAll({
        {FormatFloatFixed(2.5L, 2), "2.50"},
        {FormatFloatFixed(0.125L, 2), "0.13"},
        {FormatFloatFixed(-0.125L, 2), "-0.13"},
        {FormatFloatFixed(-0.001L, 2), "0.00"},
        {FormatFloatFixed(-2.5L, 0), "-3"},
        {FormatFloatFixed(9.999L, 2), "10.00"},
        {FormatFloatFixed(1e20L, 0), "100000000000000000000"},
        {FormatFloatFixed(1.0L / 3.0L, 5), "0.33333"},
    });
}

// Edges of the rounding, worked out from each value's exact binary expansion: ties and the
// neighbours of a tie one unit in the last place away (2^-60 at 12.25), values just below a
// power of ten that round up into it, the ends of the 64-bit range, magnitudes at which the
// digits come from far beyond or far below the point.
TEST(FormatRounding, EdgesOfTheExactValue)
{
    const long double belowTie = std::nextafter(12.25L, 0.0L);       // 12.2499999999999999991
    const long double aboveTie = std::nextafter(12.25L, 100.0L);     // 12.2500000000000000009
    const long double belowThousand = std::nextafter(1000.0L, 0.0L); // 1000 - 2^-54
    const long double twoToMinus30 = std::ldexp(1.0L, -30);          // 9.31322574615478515625E-10
    const long double twoTo64 = std::ldexp(1.0L, 64);                // 18446744073709551616
    const long double belowHalf = std::nextafter(0.5L, 0.0L);        // 0.5 - 2^-65
    ExpectAll({
        {FormatFloatGeneral(12.25L, 3), "12.3"},
        {FormatFloatGeneral(belowTie, 3), "12.2"},
        {FormatFloatGeneral(aboveTie, 3), "12.3"},
        {FormatFloatGeneral(-belowTie, 3), "-12.2"},
        {FormatFloatGeneral(-aboveTie, 3), "-12.3"},
        {FormatFloatExponent(belowTie, 3, 2), "1.22E+01"},
        {FormatFloatExponent(aboveTie, 3, 2), "1.23E+01"},
        {FormatFloatGeneral(0.5L, 1), "0.5"},
        {FormatFloatGeneral(9.5L, 1), "1E1"},
        {FormatFloatGeneral(99.5L, 2), "1E2"},
        {FormatFloatGeneral(999999999.5L, 9), "1E9"},
        {FormatFloatGeneral(1000.0L, 3), "1E3"},
        {FormatFloatGeneral(1000.0L, 4), "1000"},
        {FormatGeneral18(belowThousand), "1000"},
        {FormatFloatGeneral(belowThousand, 3), "1E3"},
        {FormatExponent2(belowThousand), "1.00E+03"},
        // the rounded value decides the notation
        {FormatGeneral(0.000099999999999L), "0.0001"},
        {FormatGeneral(0.00009999999L), "9.999999E-5"},
        {FormatFloatGeneral(twoToMinus30, 3), "9.31E-10"},
        {FormatGeneral(twoToMinus30), "9.313225746E-10"},
        {FormatGeneral18(twoToMinus30), "9.31322574615478516E-10"},
        {FormatFloatGeneral(1.5e-20L, 3), "1.5E-20"},
        {FormatGeneral(1234567890123456789.0L), "1.23456789E18"},
        {FormatGeneral18(twoTo64 - 1), "1.84467440737095516E19"},
        {FormatGeneral(twoTo64), "1.844674407E19"},
        {FormatGeneral(-twoTo64), "-1.844674407E19"},
        {FormatFloatGeneral(-0.0L, 5), "0"},
        {FormatFloatFixed(0.5L, 0), "1"},
        {FormatFloatFixed(1.5L, 0), "2"},
        {FormatFloatFixed(2.5L, 0), "3"},
        {FormatFloatFixed(-0.5L, 0), "-1"},
        {FormatFloatFixed(belowHalf, 0), "0"},
        {FormatFloatFixed(-belowHalf, 0), "0"},
        {FormatFloatFixed(0.375L, 2), "0.38"},
        {FormatFloatFixed(-0.375L, 2), "-0.38"},
        {FormatFloatFixed(-0.0L, 2), "0.00"},
        {FormatFloatFixed(-0.004L, 2), "0.00"},
        {FormatFloatFixed(999.9999L, 3), "1000.000"},
        {FormatFloatFixed(twoToMinus30, 19), "0.0000000009313225746"},
        {FormatFloatFixed(twoToMinus30, 20), "0.00000000093132257462"},
        {FormatFloatFixed(123456789012345678.0L, 2), "123456789012345678.00"},
        {FormatFloatFixed(1e19L, 1), "10000000000000000000.0"},
        {FormatFloatFixed(twoTo64, 1), "18446744073709551616.0"},
    });
}

struct ParseCase
{
    const char* text;
    long double expected;
};

TEST(ParseNumber, AcceptedTexts)
{
    const ParseCase cases[] = {
        {"1.5", 1.5L},
        {"-3.00E-02", -0.03L},
        {"+2", 2.0L},
        {".5", 0.5L},
        {"1.", 1.0L},
        {"1E5", 1e5L},
        {"1e+05", 1e5L},
        {"  7  ", 7.0L},
        {"0.333333333333333333", 0.333333333333333333L},
        {"-2147483648", -2147483648.0L},
        {"1.189e4932", 1.189e4932L},
        {"0.001e4935", 1e4932L},
    };
    for (const ParseCase& c : cases) {
        long double value = -99;
        EXPECT_TRUE(TryParseNumber(c.text, value)) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
        EXPECT_EQ(ParseNumber(c.text), c.expected) << c.text;
    }
}

TEST(ParseNumber, TooSmallBecomesSignedZero)
{
    EXPECT_EQ(ParseNumber("1e-5000"), 0.0L);
    EXPECT_FALSE(std::signbit(ParseNumber("1e-5000")));
    EXPECT_TRUE(std::signbit(ParseNumber("-1e-5000")));
    EXPECT_EQ(ParseNumber("1000e-4940"), 0.0L);
    EXPECT_EQ(ParseNumber("0e99999"), 0.0L);
}

TEST(ParseNumber, RefusedTexts)
{
    for (const char* text : {"",
                             "   ",
                             "abc",
                             "1,5",
                             "1E",
                             "1E+",
                             "--1",
                             "+-1",
                             "0x10",
                             "inf",
                             "nan",
                             "1.2.3",
                             "1 2",
                             ".",
                             "E5",
                             "1e5000",
                             "-1e99999999999999999999",
                             "12abc"}) {
        long double value = 42;
        EXPECT_FALSE(TryParseNumber(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
    try {
        ParseNumber("1,5");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
    }
}

TEST(ScanNumber, ReadsTheLeadingNumber)
{
    struct Case
    {
        const char* text;
        std::size_t length;
        long double value;
    };
    const Case cases[] = {
        {"2E+", 1, 2.0L},
        {"12.5*3", 4, 12.5L},
        {"-1E-5)", 5, -1e-5L},
        {"1e5e5", 3, 1e5L},
        {".25+1", 3, 0.25L},
    };
    for (const Case& c : cases) {
        long double value = 0;
        EXPECT_EQ(ScanNumber(c.text, value), c.length) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    long double value = 0;
    EXPECT_EQ(ScanNumber("abc", value), 0u);
    EXPECT_EQ(ScanNumber(" 1", value), 0u);
    EXPECT_EQ(ScanNumber("1e99999", value), 0u);
}

// Sets a comma-decimal locale for the whole process and puts the previous one back.
class CommaDecimalLocale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousC = std::setlocale(LC_ALL, nullptr);
        m_previousCpp = std::locale();
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                try {
                    std::locale::global(std::locale(name));
                    m_set = true;
                    break;
                } catch (const std::runtime_error&) {
                }
            }
        }
        if (!m_set) {
            std::setlocale(LC_ALL, m_previousC.c_str());
            GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps.sh "
                            "generates it)";
        }
    }
    void TearDown() override
    {
        std::locale::global(m_previousCpp);
        std::setlocale(LC_ALL, m_previousC.c_str());
    }

private:
    std::string m_previousC;
    std::locale m_previousCpp;
    bool m_set = false;
};

TEST_F(CommaDecimalLocale, NumbersStillUseThePoint)
{
    // The locale really writes a comma for the C library.
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_EQ(std::string(probe), "1,5");

    ExpectAll({
        {FormatGeneral18(1.0L / 3.0L), "0.333333333333333333"},
        {FormatGeneral(2.5e12L), "2.5E12"},
        {FormatGeneral8(-1.25L), "-1.25"},
        {FormatExponent2(12.5L), "1.25E+01"},
        {FormatFloatFixed(2.5L, 2), "2.50"},
        {Format("%f|%g|%e", 2.5, 0.5, 1.0), "2.50|0.5|1.00000000000000E+000"},
    });
    EXPECT_EQ(ParseNumber("1.5"), 1.5L);
    EXPECT_EQ(ParseNumber("-3.00E-02"), -0.03L);
    long double value = 0;
    EXPECT_FALSE(TryParseNumber("1,5", value));
}

} // namespace
