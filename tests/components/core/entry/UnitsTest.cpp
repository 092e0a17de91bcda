#include "entry/Units.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace {

// The published factors carry 10 significant digits; the examples 7 or 8.
constexpr long double kTenDigits = 1e-9L;
// Agreement to the digits written: half a unit in the last of 7 digits of 0.02088543.
constexpr long double kSevenDigits = 5e-7L;
// A round trip through two extended-precision multiplications.
constexpr long double kRoundTrip = 1e-17L;

long double Relative(long double actual, long double expected)
{
    return std::fabs(actual - expected) / std::fabs(expected);
}

struct FactorCase
{
    const char* pattern;
    int from;
    int to;
    long double expected;
    long double tolerance;
};

class UnitFactorTable : public ::testing::TestWithParam<FactorCase>
{};

TEST_P(UnitFactorTable, GivesThePublishedMultiplier)
{
    const FactorCase& c = GetParam();
    const long double factor = UnitFactor(c.from, c.to, c.pattern);
    EXPECT_LE(Relative(factor, c.expected), c.tolerance)
        << c.pattern << " " << c.from << "->" << c.to << " gave " << static_cast<double>(factor);
}

// Expected values: the examples worked beside the unit table, and products of the table's own
// factors worked to 10 digits by hand (1 ft = 0.3048 m exactly).
INSTANTIATE_TEST_SUITE_P(Examples,
                         UnitFactorTable,
                         ::testing::Values(
                             // psf in one kPa, and back
                             FactorCase{"F/L2^2", 2, 1, 20.88543243L, kTenDigits},
                             FactorCase{"F/L2^2", 1, 2, 0.04788026L, kSevenDigits},
                             // pcf in one kN/m^3
                             FactorCase{"F/L2^3", 2, 1, 6.36587980L, kSevenDigits},
                             // ksf in one kPa
                             FactorCase{"F1/L2^2", 2, 1, 0.02088543L, kSevenDigits},
                             FactorCase{"L2", 2, 1, 3.280839895L, kTenDigits},
                             FactorCase{"L2", 1, 2, 0.3048L, kTenDigits},
                             // "L" is L0, inches per metre; "L1" inches per millimetre
                             FactorCase{"L", 2, 1, 39.37007874L, kTenDigits},
                             FactorCase{"L1", 2, 1, 0.03937007874L, kTenDigits},
                             FactorCase{"F1", 2, 1, 0.2248089237L, kTenDigits},
                             FactorCase{"F2", 1, 2, 1.0L / 0.1124044745L, kTenDigits},
                             // psi in one kPa: 224.8089237 / 39.37007874^2
                             FactorCase{"F/L^2", 2, 1, 0.1450377252L, kTenDigits},
                             // force and length in one term, with a separator: kip-ft in one kN-m
                             FactorCase{"F1-L2", 2, 1, 0.7375620856L, kTenDigits},
                             // "F3" reads as F0 followed by the separator "3"
                             FactorCase{"F3", 2, 1, 224.8089237L, kTenDigits},
                             FactorCase{"F^2", 2, 1, 224.8089237L * 224.8089237L, kTenDigits},
                             FactorCase{"F5", 2, 1, 1.0L, 0},
                             FactorCase{"L3", 1, 2, 1.0L, 0},
                             FactorCase{"", 1, 2, 1.0L, 0},
                             FactorCase{"", 2, 1, 1.0L, 0},
                             FactorCase{"degrees", 2, 1, 1.0L, 0},
                             // equal systems or the letters system: exactly 1
                             FactorCase{"F/L2^2", 1, 3, 1.0L, 0},
                             FactorCase{"F/L2^2", 3, 2, 1.0L, 0},
                             FactorCase{"F/L2^2", 2, 2, 1.0L, 0},
                             FactorCase{"F/L2^2", 1, 1, 1.0L, 0}));

TEST(UnitFactor, RoundTripReturnsTheStartingValue)
{
    const long double start = 123.456789L;
    const long double si = start * UnitFactor(1, 2, "F/L2^2");
    const long double back = si * UnitFactor(2, 1, "F/L2^2");
    EXPECT_LE(Relative(back, start), kRoundTrip);
}

TEST(PatternFactor, EmptyTermIsOne)
{
    EXPECT_EQ(PatternFactor(""), 1.0L);
    EXPECT_EQ(PatternFactor("L2"), 3.280839895L);
}

// A missing or non-digit exponent is a conversion error naming the pattern, never a read past
// the end of the text.
class BadPattern : public ::testing::TestWithParam<const char*>
{};

TEST_P(BadPattern, RaisesAConversionErrorNamingThePattern)
{
    const std::string pattern = GetParam();
    for (int from : {1, 2}) {
        try {
            UnitFactor(from, 3 - from, pattern);
            ADD_FAILURE() << pattern << " was accepted";
        } catch (const EConvertError& error) {
            EXPECT_NE(error.Message().find("'" + pattern + "'"), std::string::npos)
                << error.Message();
        }
    }
    // Also for a pair of systems that converts nothing.
    EXPECT_THROW(UnitFactor(1, 1, pattern), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(MissingOrBadExponent,
                         BadPattern,
                         ::testing::Values("L2^", "F^", "F1^", "F/L^", "F^x", "F/L2^x", "L23"));

struct RenderCase
{
    const char* pattern;
    const char* english;
    const char* si;
    const char* letters;
};

class RenderTable : public ::testing::TestWithParam<RenderCase>
{};

TEST_P(RenderTable, ColumnHeadingInEachSystem)
{
    const RenderCase& c = GetParam();
    EXPECT_EQ(RenderUnitPattern(c.pattern, 1), c.english);
    EXPECT_EQ(RenderUnitPattern(c.pattern, 2), c.si);
    EXPECT_EQ(RenderUnitPattern(c.pattern, 3), c.letters);
}

INSTANTIATE_TEST_SUITE_P(Patterns,
                         RenderTable,
                         ::testing::Values(RenderCase{"F/L2^2", "lbs/ft^2", "kN/m^2", "F/L^2"},
                                           RenderCase{"F/L2^3", "lbs/ft^3", "kN/m^3", "F/L^3"},
                                           RenderCase{"F1/L2^2", "kips/ft^2", "kN/m^2", "F/L^2"},
                                           RenderCase{"F/L^2", "lbs/in^2", "kN/m^2", "F/L^2"},
                                           RenderCase{"L2", "ft", "m", "L"},
                                           RenderCase{"L1", "in", "mm", "L"},
                                           RenderCase{"L3", "rad", "rad", "L"},
                                           RenderCase{"F1", "kips", "kN", "F"},
                                           RenderCase{"F2", "tons", "kN", "F"},
                                           RenderCase{"F4", "lb-sec2/in", "Mg", "M"},
                                           RenderCase{"F5", "sec", "sec", "T"},
                                           RenderCase{"F6", "slug", "Mg", "F"},
                                           // F0 is not a pair: the digit stays
                                           RenderCase{"F0", "lbs0", "kN0", "F0"},
                                           // every placeholder kind is rendered
                                           RenderCase{"F1 F2", "kips tons", "kN kN", "F F"},
                                           RenderCase{"", "", "", ""},
                                           RenderCase{"degrees", "degrees", "degrees", "degrees"},
                                           RenderCase{"Hz", "Hz", "Hz", "Hz"}));

TEST(RenderUnitPattern, SystemOutsideTheRangeIsClamped)
{
    EXPECT_EQ(RenderUnitPattern("L2", 0), "ft");
    EXPECT_EQ(RenderUnitPattern("L2", 7), "L");
}

class ExpandTable : public ::testing::TestWithParam<RenderCase>
{};

TEST_P(ExpandTable, EditBoxLabelInEachSystem)
{
    const RenderCase& c = GetParam();
    EXPECT_EQ(ExpandUnits(c.pattern, 1), c.english);
    EXPECT_EQ(ExpandUnits(c.pattern, 2), c.si);
    EXPECT_EQ(ExpandUnits(c.pattern, 3), c.letters);
}

INSTANTIATE_TEST_SUITE_P(Labels,
                         ExpandTable,
                         ::testing::Values(
                             // system 3 leaves the pattern as written
                             RenderCase{"F/L2^2", "lbs/ft^2", "kN/m^2", "F/L2^2"},
                             RenderCase{"L1", "in", "mm", "L1"},
                             RenderCase{"F1/L2^2", "kips/ft^2", "kN/m^2", "F1/L2^2"},
                             RenderCase{"L", "in", "m", "L"},
                             // only the first force kind found (F6, F5, F4, F2, F1) is rendered
                             RenderCase{"F1 F2", "F1 tons", "F1 kN", "F1 F2"},
                             RenderCase{"Stiffness (F1/L1)",
                                        "Stiffness (kips/in)",
                                        "Stiffness (kN/mm)",
                                        "Stiffness (F1/L1)"}));

TEST(IsWholeNumber, ThirtyTwoBitRangeAndNoFraction)
{
    EXPECT_FALSE(IsWholeNumber(2147483648.0L));
    EXPECT_TRUE(IsWholeNumber(2147483647.0L));
    EXPECT_TRUE(IsWholeNumber(-2147483648.0L));
    EXPECT_FALSE(IsWholeNumber(-2147483649.0L));
    EXPECT_FALSE(IsWholeNumber(1.5L));
    EXPECT_TRUE(IsWholeNumber(-0.0L));
    EXPECT_FALSE(IsWholeNumber(NAN));
    EXPECT_FALSE(IsWholeNumber(INFINITY));
}

} // namespace
