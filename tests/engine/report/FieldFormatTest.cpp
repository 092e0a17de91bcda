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

// The common fields are written inline and the rest by the general writers; values on both
// sides of where one hands over to the other follow the same rules.
TEST(FieldFormat, FieldsOnBothSidesOfTheInlineWriters)
{
    struct TInlineCase
    {
        char kind; // F or E
        double value;
        int width;
        int decimals;
        const char* expected;
    };
    const TInlineCase cases[] = {
        {'F', 9007199254740991.0, 20, 1, "  9007199254740991.0"}, // 2^53 - 1
        {'F', 9007199254740992.0, 20, 1, "  9007199254740992.0"}, // 2^53
        {'F', 4503599627370495.5, 19, 0, "  4503599627370496."},  // exact tie
        {'F', 0.03125, 8, 4, "  0.0313"},                         // four decimals, exact tie
        {'F', -0.03125, 8, 4, " -0.0313"},
        {'F', 0.0625, 5, 3, "0.063"},
        {'F', 0.00048828125, 7, 3, "  0.000"}, // 2^-11: below the half of the last digit
        {'F', 0.0005, 7, 3, "  0.001"},        // 0.000500000000000000010... in binary
        {'F', -0.0004, 7, 3, "  0.000"},
        {'F', 5e-324, 6, 2, "  0.00"},
        {'F', -999.9996, 8, 3, "********"}, // -1000.000 needs 9
        {'E', 1.0625, 10, 4, "0.1063E+01"}, // exact tie
        {'E', 123456.5, 13, 6, " 0.123457E+06"},
        {'E', -999.5, 10, 3, "-0.100E+04"},
        {'E', 9.9995, 10, 3, " 0.100E+02"},      // 9.99949999... in binary still carries
        {'E', 0.00012345, 11, 4, " 0.1234E-03"}, // 0.000123449999... in binary
        {'E', 1e22, 10, 3, " 0.100E+23"},
        {'E', 1e23, 10, 3, " 0.100E+24"},
        {'E', 1e-19, 10, 3, " 0.100E-18"},
        {'E', 12.34, 13, 7, "0.1234000E+02"}, // seven digits
        {'E', 5e-324, 10, 3, " 0.494-323"},
    };
    for (const TInlineCase& c : cases) {
        const std::string text = c.kind == 'F' ? FormatF(c.value, c.width, c.decimals)
                                               : FormatE(c.value, c.width, c.decimals);
        EXPECT_EQ(text, c.expected) << c.kind << c.width << "." << c.decimals << " of " << c.value;
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
    struct TBufferCase
    {
        char kind; // F, E or I
        double value;
        int width;
        int decimals;
        const char* text;
    };
    const TBufferCase cases[] = {
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
    for (const TBufferCase& c : cases) {
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
