#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/Exception.h"

// The GUI-free side of the numeric edit and combo boxes (TDataEdit, TDataCombo): formatting of
// the shown value, the limit rules, the exit validation with its messages, and the label text.

// Raised by the exit validation; they carry no text of their own, the box supplies the message.
// The edit and the combo box raise the same three classes.
class EIntError : public Exception // entry not integral
{
public:
    EIntError()
        : Exception("")
    {}
};

class EMinError : public Exception // entry below MinVal
{
public:
    EMinError()
        : Exception("")
    {}
};

class EMaxError : public Exception // entry above MaxVal
{
public:
    EMaxError()
        : Exception("")
    {}
};

// Default limits of a box: no practical limit (just inside the range of an 80-bit extended).
inline constexpr long double kDataMinDefault = -1.18973149535723176e+4932L;
inline constexpr long double kDataMaxDefault = 1.18973149535723176e+4932L;

// Range of an integer-only box's limits.
inline constexpr long double kDataIntegerLow = -2147483648.0L;
inline constexpr long double kDataIntegerHigh = 2147483647.0L;

// The exact message texts of the exit validation.
inline constexpr std::string_view kDataMsgNotValidInteger = "Entry must be a valid integer.";
inline constexpr std::string_view kDataMsgNotInteger = "Entry must be an integer.";
inline constexpr std::string_view kDataMsgBelowMin = "Entry must be greater than or equal to ";
inline constexpr std::string_view kDataMsgAboveMax = "Entry must be less than or equal to ";
// What a project can hold (entry/StoredNumberLimits.h).
inline constexpr std::string_view kDataMsgTooLarge =
    "Entry must be a number of at most 1E15 in size.";
inline constexpr std::string_view kDataMsgTooSmall =
    "Entry must be 0 or a number of at least 1E-307 in size.";
// Before the name of the entry in a message, on a line of its own.
inline constexpr std::string_view kDataMsgFieldLead = "Field: ";

// Text of a value in an edit box: with hex, "$" and the value rounded to the nearest integer
// (ties to even) in upper-case hexadecimal with at least four digits; otherwise the general
// format with 18 significant digits. Hexadecimal is written only for values that read back as
// the same number ($hex entries are signed 32-bit: -1 is $FFFFFFFF); any other value, and a
// value that is not finite, is written in the general format. Never raises.
std::string FormatDataValue(bool hex, long double value);

// Text of a value in a combo box: with integerOnly the value truncated toward zero as a decimal
// integer, otherwise the general format with 8 significant digits. A value that is not finite,
// or too large to truncate to a 64-bit integer, is written in the general format.
std::string FormatComboValue(bool integerOnly, long double value);

// The value clamped into minVal..maxVal (a NaN value is left as it is).
long double ClampDataValue(long double value, long double minVal, long double maxVal);

// The maximum as the limit writer stores it: a NaN becomes the default, a value below minVal
// becomes minVal, and with integerOnly it is clamped into the 32-bit integer range.
long double AdjustMaxVal(long double value, long double minVal, bool integerOnly);
// The minimum as the limit writer stores it: a NaN becomes the default, a value above maxVal
// becomes maxVal, and with integerOnly it is clamped into the 32-bit integer range.
long double AdjustMinVal(long double value, long double maxVal, bool integerOnly);

// Which box validates: the two differ in how a limit is written into the message.
enum class EDataBox
{
    Edit,  // FormatDataValue(hex, limit)
    Combo, // general format, 8 significant digits
};

// Outcome of one exit validation.
struct TDataExit
{
    bool Valid = false;
    long double Value = 0;     // valid: the evaluated entry
    bool ResetToLimit = false; // failed at a limit: the box's Number becomes LimitValue
    long double LimitValue = 0;
    std::string Message; // failed: the text of the information box
};

// The entry evaluated (EvaluateExpression) and tested: with integerOnly a fractional part
// raises EIntError; a value below minVal raises EMinError, one not <= maxVal EMaxError.
// EAssignError of the evaluator passes on.
long double
CheckDataEntry(std::string_view text, bool integerOnly, long double minVal, long double maxVal);

// The exit validation: CheckDataEntry, and on failure the message the box shows:
//   evaluator failure: "Entry must be a valid integer." with integerOnly, else its own message;
//   EIntError: "Entry must be an integer.";
//   EMinError: "Entry must be greater than or equal to " and the formatted minimum;
//   EMaxError: "Entry must be less than or equal to " and the formatted maximum.
// An entry that is no number a project can hold (entry/StoredNumberLimits.h) is refused too,
// with kDataMsgTooLarge (also for one that is not finite, before the limits are tested) or
// kDataMsgTooSmall, and the box keeps the entry as typed. Any other exception passes on.
TDataExit ValidateDataEntry(std::string_view text,
                            bool integerOnly,
                            long double minVal,
                            long double maxVal,
                            EDataBox box,
                            bool hex = false);

// The message of a refused entry as the user sees it: the entry's name follows the message on
// a line of its own, "Field: " and the name; an entry without a name shows the message alone.
std::string NamedEntryMessage(std::string_view message, std::string_view name);

// Label rendering of a combo box's unit pattern: in systems 1 and 2 every "F" becomes the F0
// name ("lbs", "kN") and every "L" the L0 name ("in", "m"); numbered placeholders are not
// known ("F1" gives "lbs1"). System 3 returns the pattern as written.
std::string ExpandComboUnits(std::string_view pattern, int system);

// Text of a box's label: the caption alone when the pattern is empty, else
// caption + " (" + rendered units + ")"; the edit box renders with ExpandUnits, the combo box
// with ExpandComboUnits.
std::string
DataLabelText(std::string_view caption, std::string_view unitsString, int system, EDataBox box);

// The text a combo box evaluates: when text equals item i and value i exists, value i;
// otherwise the text itself (an item without a value is evaluated as written).
std::string ComboEntryText(std::string_view text,
                           const std::vector<std::string>& items,
                           const std::vector<std::string>& values);
