#include "report/FieldFormat.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

// Each expected text is worked out by hand from the field rules: right-aligned, ties away
// from zero on the exact binary value, no sign on a value that rounds to zero, asterisks when
// too wide, leading 0 dropped only when the field is too narrow for it.
struct TCase
{
    double value;
    int width;
    int decimals;
    const char* expected;
};

TEST(FieldFormat, FixedFields)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const TCase cases[] = {
        {3.14159, 7, 2, "   3.14"},
        {0.5, 5, 2, " 0.50"},
        {0.5, 3, 2, ".50"}, // no room for the leading 0
        {-0.5, 4, 2, "-.50"},
        {-0.5, 5, 2, "-0.50"},
        {0.125, 5, 2, " 0.13"}, // exact tie: away from zero
        {-0.125, 6, 2, " -0.13"},
        {0.375, 5, 2, " 0.38"},
        {2.5, 3, 0, " 3."},
        {-2.5, 3, 0, "-3."},
        {1.005, 5, 2, " 1.00"},    // 1.005 is 1.00499999... in binary
        {99.95, 5, 1, "100.0"},    // 99.95 is 99.9500000...03 in binary
        {-0.001, 7, 2, "   0.00"}, // no negative zero
        {-0.0, 5, 1, "  0.0"},
        {0.0, 7, 2, "   0.00"},
        {123.456, 8, 3, " 123.456"},
        {9999.99, 7, 2, "9999.99"},
        {9999.996, 7, 2, "*******"}, // 10000.00 needs 8
        {-99999.9, 8, 1, "-99999.9"},
        {-100000.0, 8, 1, "********"},
        {1e30, 8, 1, "********"},
        {nan, 9, 1, "      NaN"},
        {inf, 9, 1, "      Inf"},
        {-inf, 3, 1, "***"},
        {1234567.85, 9, 1, "1234567.9"}, // ...85 is above the tie in binary
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FormatF(c.value, c.width, c.decimals), c.expected)
            << "F" << c.width << "." << c.decimals << " of " << c.value;
    }
}

TEST(FieldFormat, ExponentFields)
{
    const TCase cases[] = {
        {12.34, 10, 4, "0.1234E+02"},
        {-0.0005, 11, 4, "-0.5000E-03"},
        {9999999.0, 8, 2, "0.10E+08"},
        {0.0, 8, 2, "0.00E+00"},
        {-0.0, 8, 2, "0.00E+00"},
        {0.125, 8, 2, "0.13E+00"},  // exact tie: away from zero
        {0.995, 8, 2, "0.99E+00"},  // 0.99499999... in binary
        {0.9999, 8, 2, "0.10E+01"}, // rounding carries into the exponent
        {-12.34, 8, 2, "-.12E+02"}, // no room for the leading 0
        {-12.34, 9, 2, "-0.12E+02"},
        {29000000.0, 10, 3, " 0.290E+08"},
        {1e-100, 10, 3, " 0.100E-99"},
        {1e-101, 10, 3, " 0.100-100"}, // three-digit exponent drops the E
        {1e100, 10, 3, " 0.100+101"},
        {123.0, 6, 2, "******"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FormatE(c.value, c.width, c.decimals), c.expected)
            << "E" << c.width << "." << c.decimals << " of " << c.value;
    }
}

TEST(FieldFormat, IntegerTextAndBlankFields)
{
    EXPECT_EQ(FormatI(42, 5), "   42");
    EXPECT_EQ(FormatI(-42, 4), " -42");
    EXPECT_EQ(FormatI(-999, 4), "-999");
    EXPECT_EQ(FormatI(-1000, 4), "****");
    EXPECT_EQ(FormatI(501, 4), " 501");
    EXPECT_EQ(FormatI(12345, 4), "****");
    EXPECT_EQ(FormatA("FT.", 5), "FT.  ");
    EXPECT_EQ(FormatA("ABCDEFG", 3), "ABC");
    EXPECT_EQ(Blanks(3), "   ");
    EXPECT_EQ(Blanks(-1), "");
    EXPECT_EQ(Repeat('*', 4), "****");
    EXPECT_EQ(TrimRight("path/x.qr7d   "), "path/x.qr7d");
    EXPECT_EQ(TRecord().X(2).F(1.5, 5, 1).T("|").I(7, 2).A("AB", 3).Str(), "    1.5| 7AB ");
}

// The writers into a caller's buffer fill exactly their field and nothing past it, with the
// rules of the string fields; a line built in its own buffer is the line TRecord builds.
TEST(FieldFormat, BufferFieldsFillTheirWidthAndNoMore)
{
    struct TCase
    {
        char kind; // F, E or I
        double value;
        int width;
        int decimals;
        const char* text;
    };
    const TCase cases[] = {
        {'F', 0.125, 5, 2, " 0.13"},
        {'F', -0.001, 7, 2, "   0.00"},
        {'F', 0.5, 3, 2, ".50"},
        {'F', -0.5, 4, 2, "-.50"},
        {'F', 2.5, 3, 0, " 3."},
        {'F', 123456.0, 5, 1, "*****"},
        {'E', 1234.5, 11, 4, " 0.1235E+04"},
        {'E', -0.000999951, 11, 4, "-0.1000E-02"},
        {'E', 0.25, 9, 4, ".2500E+00"},
        {'E', 0.0, 10, 3, " 0.000E+00"},
        {'I', -42.0, 4, 0, " -42"},
    };
    for (const TCase& c : cases) {
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        char* end = c.kind == 'F'   ? PutF(buffer, c.value, c.width, c.decimals)
                    : c.kind == 'E' ? PutE(buffer, c.value, c.width, c.decimals)
                                    : PutI(buffer, static_cast<long long>(c.value), c.width);
        ASSERT_EQ(end - buffer, c.width) << c.text;
        EXPECT_EQ(std::string(buffer, end), c.text);
        EXPECT_EQ(*end, '#') << c.text;
    }
    TFieldLine line;
    line.X(2).F(1.5, 5, 1).T("|").I(7, 2).E(0.5, 10, 3).NewLine();
    EXPECT_EQ(line.View(), "    1.5| 7 0.500E+00\n");
    EXPECT_EQ(line.View(), TRecord().X(2).F(1.5, 5, 1).T("|").I(7, 2).E(0.5, 10, 3).Str() + "\n");
}

} // namespace
