#include "entry/DataValue.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "entry/NumberFormat.h"
#include "entry/StoredNumberLimits.h"
#include "entry/TExpression.h"
#include "entry/Units.h"
#include "support/Helpers.h"

namespace {

constexpr int kHexMinDigits = 4;

std::string FormatLimit(EDataBox box, bool hex, long double limit)
{
    return box == EDataBox::Edit ? FormatDataValue(hex, limit) : FormatGeneral8(limit);
}

} // namespace

std::string FormatDataValue(bool hex, long double value)
{
    if (hex && std::isfinite(value)) {
        // Round first (ties to even, as the entry's "round" does), then write only what an
        // entry of "$" and 32-bit hexadecimal reads back as the same number.
        const long double nearest = std::nearbyint(value);
        if (nearest >= kDataIntegerLow && nearest <= kDataIntegerHigh) {
            const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(nearest));
            char buffer[16];
            std::snprintf(buffer,
                          sizeof buffer,
                          "$%0*X",
                          kHexMinDigits,
                          static_cast<unsigned>(bits));
            return buffer;
        }
    }
    return FormatGeneral18(value);
}

std::string FormatComboValue(bool integerOnly, long double value)
{
    // Both limits are exact in a 64-bit mantissa.
    constexpr long double kLow = -9223372036854775808.0L;
    constexpr long double kHigh = 9223372036854775807.0L;
    if (integerOnly && std::isfinite(value)) {
        const long double whole = std::trunc(value);
        if (whole >= kLow && whole <= kHigh) {
            return std::to_string(static_cast<long long>(whole));
        }
    }
    return FormatGeneral8(value);
}

long double ClampDataValue(long double value, long double minVal, long double maxVal)
{
    if (value < minVal) {
        value = minVal;
    }
    if (value > maxVal) {
        value = maxVal;
    }
    return value;
}

long double AdjustMaxVal(long double value, long double minVal, bool integerOnly)
{
    if (std::isnan(value)) {
        value = kDataMaxDefault;
    }
    if (value < minVal) {
        value = minVal;
    }
    if (integerOnly) {
        value = ClampDataValue(value, kDataIntegerLow, kDataIntegerHigh);
    }
    return value;
}

long double AdjustMinVal(long double value, long double maxVal, bool integerOnly)
{
    if (std::isnan(value)) {
        value = kDataMinDefault;
    }
    if (value > maxVal) {
        value = maxVal;
    }
    if (integerOnly) {
        value = ClampDataValue(value, kDataIntegerLow, kDataIntegerHigh);
    }
    return value;
}

namespace {

long double
CheckDataValue(long double value, bool integerOnly, long double minVal, long double maxVal)
{
    if (integerOnly && FracOf(value) != 0) {
        throw EIntError();
    }
    if (value < minVal) {
        throw EMinError();
    }
    if (!(value <= maxVal)) {
        throw EMaxError();
    }
    return value;
}

} // namespace

long double
CheckDataEntry(std::string_view text, bool integerOnly, long double minVal, long double maxVal)
{
    return CheckDataValue(EvaluateExpression(text), integerOnly, minVal, maxVal);
}

TDataExit ValidateDataEntry(std::string_view text,
                            bool integerOnly,
                            long double minVal,
                            long double maxVal,
                            EDataBox box,
                            bool hex)
{
    TDataExit result;
    try {
        // Not a number at all is said as such, before the limits would name a limit for it.
        const long double value = EvaluateExpression(text);
        if (!std::isfinite(value)) {
            result.Message = kDataMsgTooLarge;
            return result;
        }
        result.Value = CheckDataValue(value, integerOnly, minVal, maxVal);
        switch (CheckStoredNumber(result.Value)) {
        case EStoredNumber::TooLarge:
            result.Message = kDataMsgTooLarge;
            return result;
        case EStoredNumber::TooSmall:
            result.Message = kDataMsgTooSmall;
            return result;
        case EStoredNumber::Held:
            break;
        }
        result.Valid = true;
    } catch (const EAssignError& e) {
        result.Message = integerOnly ? std::string(kDataMsgNotValidInteger) : e.Message();
    } catch (const EIntError&) {
        result.Message = kDataMsgNotInteger;
    } catch (const EMinError&) {
        result.ResetToLimit = true;
        result.LimitValue = minVal;
        result.Message = std::string(kDataMsgBelowMin) + FormatLimit(box, hex, minVal);
    } catch (const EMaxError&) {
        result.ResetToLimit = true;
        result.LimitValue = maxVal;
        result.Message = std::string(kDataMsgAboveMax) + FormatLimit(box, hex, maxVal);
    }
    return result;
}

std::string NamedEntryMessage(std::string_view message, std::string_view name)
{
    std::string text(message);
    if (!name.empty()) {
        text += '\r';
        text += kDataMsgFieldLead;
        text += name;
    }
    return text;
}

std::string ExpandComboUnits(std::string_view pattern, int system)
{
    system = ClampUnitSystem(system);
    if (system == kUnitsLetters) {
        return std::string(pattern);
    }
    const int index = system - 1;
    std::string text = ReplaceAll(pattern, "F", UnitPlaceholders[kUnitF0].Names[index]);
    return ReplaceAll(text, "L", UnitPlaceholders[kUnitL0].Names[index]);
}

std::string
DataLabelText(std::string_view caption, std::string_view unitsString, int system, EDataBox box)
{
    std::string text(caption);
    if (unitsString.empty()) {
        return text;
    }
    const std::string units = box == EDataBox::Edit ? ExpandUnits(unitsString, system)
                                                    : ExpandComboUnits(unitsString, system);
    return text + " (" + units + ")";
}

std::string ComboEntryText(std::string_view text,
                           const std::vector<std::string>& items,
                           const std::vector<std::string>& values)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            return i < values.size() ? values[i] : std::string(text);
        }
    }
    return std::string(text);
}
