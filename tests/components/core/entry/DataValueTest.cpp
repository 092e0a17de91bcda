#include "entry/DataValue.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "entry/StoredNumberLimits.h"
#include "entry/TExpression.h"

namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// ---- shown values ---------------------------------------------------------------------------

struct FormatCase
{
    bool hex;
    long double value;
    const char* text;
};

TEST(DataValueFormat, EditBoxText)
{
    const FormatCase cases[] = {
        {false, 6.0L, "6"},
        {false, 1.0L / 3.0L, "0.333333333333333333"}, // 18 significant digits
        {false, -2.5L, "-2.5"},
        {false, 1.5e-7L, "1.5E-7"},
        {true, 255.0L, "$00FF"},
        {true, 0.0L, "$0000"},
        {true, 65535.0L, "$FFFF"},
        {true, 65536.0L, "$10000"},
        {true, 255.4L, "$00FF"}, // nearest integer
        {true, 2.5L, "$0002"},   // a tie goes to the even neighbour
        {true, 3.5L, "$0004"},
        {true, 2147483647.0L, "$7FFFFFFF"},
        {true, -1.0L, "$FFFFFFFF"}, // signed 32-bit, as a $ entry reads it back
        {true, -2147483648.0L, "$80000000"},
        {true, 2147483648.0L, "2147483648"}, // beyond a $ entry: general format
        {true, 1e30L, "1E30"},
        {true, kDataMaxDefault, "1.18973149535723176E4932"},
        {true, kInf, "INF"},
        {true, kNaN, "NAN"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatDataValue(c.hex, c.value), c.text)
            << "hex " << c.hex << " value " << static_cast<double>(c.value);
    }
}

TEST(DataValueFormat, HexTextReadsBackAsTheSameNumber)
{
    for (long double value :
         {0.0L, 255.0L, 65536.0L, -1.0L, -65536.0L, 2147483647.0L, -2147483648.0L}) {
        EXPECT_EQ(EvaluateExpression(FormatDataValue(true, value)), value)
            << static_cast<double>(value);
    }
}

TEST(DataValueFormat, ComboBoxText)
{
    const FormatCase cases[] = {
        {false, 1.0L / 3.0L, "0.33333333"}, // 8 significant digits
        {false, 123456789.0L, "1.2345679E8"},
        {false, 12.5L, "12.5"},
        {true, 2.7L, "2"}, // truncated toward zero
        {true, -2.7L, "-2"},
        {true, -0.5L, "0"},
        {true, 2147483647.0L, "2147483647"},
        {true, kNaN, "NAN"}, // no undefined truncation
        {true, kInf, "INF"},
        {true, 1e30L, "1E30"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatComboValue(c.hex, c.value), c.text) << static_cast<double>(c.value);
    }
}

// ---- limits ---------------------------------------------------------------------------------

TEST(DataValueLimits, WritersKeepMinNotAboveMax)
{
    EXPECT_EQ(AdjustMaxVal(5, 10, false), 10);  // below the minimum: the minimum
    EXPECT_EQ(AdjustMinVal(20, 10, false), 10); // above the maximum: the maximum
    EXPECT_EQ(AdjustMaxVal(12.5L, 10, false), 12.5L);
    EXPECT_EQ(AdjustMinVal(-3.25L, 10, false), -3.25L);
}

TEST(DataValueLimits, IntegerOnlyClampsTo32Bits)
{
    EXPECT_EQ(AdjustMaxVal(kDataMaxDefault, kDataMinDefault, true), 2147483647.0L);
    EXPECT_EQ(AdjustMinVal(kDataMinDefault, 2147483647.0L, true), -2147483648.0L);
    EXPECT_EQ(AdjustMaxVal(1e12L, 0, true), 2147483647.0L);
    EXPECT_EQ(AdjustMaxVal(1e12L, 0, false), 1e12L);
}

TEST(DataValueLimits, NaNLimitMeansNoLimit)
{
    EXPECT_EQ(AdjustMaxVal(kNaN, 0, false), kDataMaxDefault);
    EXPECT_EQ(AdjustMinVal(kNaN, 0, false), kDataMinDefault);
    EXPECT_EQ(ClampDataValue(-1, 0, 10), 0);
    EXPECT_EQ(ClampDataValue(11, 0, 10), 10);
    EXPECT_EQ(ClampDataValue(kInf, kDataMinDefault, kDataMaxDefault), kDataMaxDefault);
}

// ---- exit validation ------------------------------------------------------------------------

struct ExitCase
{
    const char* text;
    bool integerOnly;
    long double minVal;
    long double maxVal;
    EDataBox box;
    bool valid;
    long double value;   // valid: the value; reset to a limit: the limit
    const char* message; // "" when valid
};

TEST(DataValueExit, MessagesAndValues)
{
    const long double lo = kDataMinDefault;
    const long double hi = kDataMaxDefault;
    const EDataBox E = EDataBox::Edit;
    const EDataBox C = EDataBox::Combo;
    const ExitCase cases[] = {
        {"2*3+1", false, lo, hi, E, true, 7, ""},
        {"2^10", true, 0, 1024, E, true, 1024, ""}, // equal to the maximum is inside
        {"0", false, 0, 10, E, true, 0, ""},
        {"-1", false, 0, hi, E, false, 0, "Entry must be greater than or equal to 0"},
        {"11", false, lo, 10.5L, E, false, 10.5L, "Entry must be less than or equal to 10.5"},
        {"2.5", true, lo, hi, E, false, 0, "Entry must be an integer."},
        {"abc", true, lo, hi, E, false, 0, "Entry must be a valid integer."},
        {"abc",
         false,
         lo,
         hi,
         E,
         false,
         0,
         "Entry could not be evaluated:\rinvalid character(s) in expression"},
        {"", false, lo, hi, E, false, 0, "Entry could not be evaluated:\rentry cannot be blank"},
        {"1/0", false, lo, hi, E, false, 0, nullptr}, // the evaluator's refusal, its own text
        // the combo writes the limit with 8 significant digits
        {"0",
         false,
         0.123456789L,
         hi,
         C,
         false,
         0.123456789L,
         "Entry must be greater than or equal to 0.12345679"},
        {"1E3", false, lo, 999.5L, C, false, 999.5L, "Entry must be less than or equal to 999.5"},
        {"1E3", false, lo, hi, C, true, 1000, ""},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.text);
        const TDataExit r = ValidateDataEntry(c.text, c.integerOnly, c.minVal, c.maxVal, c.box);
        EXPECT_EQ(r.Valid, c.valid);
        if (c.valid) {
            EXPECT_EQ(r.Value, c.value);
            EXPECT_TRUE(r.Message.empty());
            continue;
        }
        if (c.message != nullptr) {
            EXPECT_EQ(r.Message, c.message);
        } else {
            EXPECT_EQ(r.Message.rfind("Entry could not be evaluated:\r", 0), 0u) << r.Message;
        }
        const bool atLimit = std::string_view(r.Message).starts_with("Entry must be greater")
                             || std::string_view(r.Message).starts_with("Entry must be less");
        EXPECT_EQ(r.ResetToLimit, atLimit);
        if (atLimit) {
            EXPECT_EQ(r.LimitValue, c.value);
        }
    }
}

// Every box refuses what a project file cannot hold, whatever its own limits; the readers
// refuse the same (one definition).
TEST(DataValueExit, NumbersAProjectFileCannotHoldAreRefused)
{
    const std::string large = "Entry must be a number of at most 1E15 in size.";
    const std::string small = "Entry must be 0 or a number of at least 1E-307 in size.";
    const struct
    {
        const char* typed;
        std::string message; // empty: valid
    } cases[] = {
        {"1e15", ""},
        {"1000000000000000.5", large},
        {"-1e16", large},
        {"2^1024", large},
        {"1e400", large},
        {"2.2250738585072014e-308", ""}, // the smallest normal 64-bit real
        {"2.2e-308", small},
        {"-1e-400", small},
        {"0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const TDataExit result =
            ValidateDataEntry(c.typed, false, kDataMinDefault, kDataMaxDefault, EDataBox::Edit);
        EXPECT_EQ(result.Valid, c.message.empty());
        EXPECT_EQ(result.Message, c.message);
        EXPECT_FALSE(result.ResetToLimit) << "the entry stays as typed";
    }
    EXPECT_EQ(CheckStoredNumber(kInf), EStoredNumber::TooLarge);
    EXPECT_EQ(CheckStoredNumber(kNaN), EStoredNumber::TooLarge);
    EXPECT_EQ(CheckStoredNumber(-kLargestStoredNumber), EStoredNumber::Held);
    EXPECT_EQ(CheckStoredNumber(kSmallestStoredNumber), EStoredNumber::Held);
    // A box's own maximum is named first.
    EXPECT_EQ(ValidateDataEntry("1e16", false, 0, 500, EDataBox::Edit).Message,
              "Entry must be less than or equal to 500");
}

TEST(DataValueExit, NamedMessageEndsWithTheField)
{
    EXPECT_EQ(NamedEntryMessage("Entry must be an integer.", "Print only every"),
              "Entry must be an integer.\rField: Print only every");
    EXPECT_EQ(NamedEntryMessage("Entry must be an integer.", ""), "Entry must be an integer.");
}

TEST(DataValueExit, HexEditWritesTheLimitInHex)
{
    const TDataExit r = ValidateDataEntry("300", false, 0, 255, EDataBox::Edit, true);
    EXPECT_EQ(r.Message, "Entry must be less than or equal to $00FF");
}

TEST(DataValueExit, CheckRaisesTheThreeClasses)
{
    EXPECT_THROW(CheckDataEntry("1.5", true, 0, 10), EIntError);
    EXPECT_THROW(CheckDataEntry("-1", false, 0, 10), EMinError);
    EXPECT_THROW(CheckDataEntry("10.000001", false, 0, 10), EMaxError);
    EXPECT_THROW(CheckDataEntry("1+", false, 0, 10), EAssignError);
    EXPECT_EQ(CheckDataEntry("(1+2)*3", true, 0, 10), 9);
}

// ---- labels ---------------------------------------------------------------------------------

struct LabelCase
{
    const char* caption;
    const char* units;
    int system;
    EDataBox box;
    const char* text;
};

TEST(DataValueLabel, CaptionAndUnits)
{
    const EDataBox E = EDataBox::Edit;
    const EDataBox C = EDataBox::Combo;
    const LabelCase cases[] = {
        {"Unit weight", "F/L2^3", 1, E, "Unit weight (lbs/ft^3)"},
        {"Unit weight", "F/L2^3", 2, E, "Unit weight (kN/m^3)"},
        {"Unit weight", "F/L2^3", 3, E, "Unit weight (F/L2^3)"},
        {"&Height", "in", 2, E, "&Height (in)"}, // plain text stays
        {"Angle", "degrees", 1, E, "Angle (degrees)"},
        {"Depth", "L1", 2, E, "Depth (mm)"},
        {"Depth", "L2", 0, E, "Depth (ft)"}, // system clamped to 1
        {"Load", "F1", 5, E, "Load (F1)"},   // system clamped to 3
        {"Value", "", 1, E, "Value"},
        // the combo knows only F and L
        {"Load", "F1", 1, C, "Load (lbs1)"},
        {"Stress", "F/L^2", 2, C, "Stress (kN/m^2)"},
        {"Stress", "F/L2^2", 1, C, "Stress (lbs/in2^2)"},
        {"Stress", "F/L2^2", 3, C, "Stress (F/L2^2)"},
        {"Value", "", 2, C, "Value"},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(DataLabelText(c.caption, c.units, c.system, c.box), c.text)
            << c.units << " in system " << c.system;
    }
}

// ---- combo items ----------------------------------------------------------------------------

TEST(DataValueCombo, ItemTextBecomesItsValue)
{
    const std::vector<std::string> items = {"Loose", "Dense", "12"};
    const std::vector<std::string> values = {"0.5", "2"};
    EXPECT_EQ(ComboEntryText("Dense", items, values), "2");
    EXPECT_EQ(ComboEntryText("Loose", items, values), "0.5");
    EXPECT_EQ(ComboEntryText("3.25", items, values), "3.25");   // not an item
    EXPECT_EQ(ComboEntryText("dense", items, values), "dense"); // items match exactly
    // An item without a value is evaluated as written instead of failing on the short list.
    EXPECT_EQ(ComboEntryText("12", items, values), "12");
}

} // namespace
