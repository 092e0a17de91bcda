#include "support/Helpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "entry/NumberFormat.h"

namespace {

[[noreturn]] void RaiseFormatError(std::string_view pattern)
{
    throw EConvertError("Format '" + std::string(pattern)
                        + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, int width, bool leftJustify)
{
    if (width > static_cast<int>(text.size())) {
        const std::size_t fill = width - text.size();
        if (leftJustify) {
            text.append(fill, ' ');
        } else {
            text.insert(0, fill, ' ');
        }
    }
    return text;
}

// Integer digits, zero-padded to at least `precision` digits, the sign in front.
std::string IntegerText(unsigned long long magnitude, bool negative, int precision, int base)
{
    std::string digits;
    do {
        const int digit = static_cast<int>(magnitude % base);
        digits.insert(digits.begin(),
                      static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10));
        magnitude /= base;
    } while (magnitude != 0);
    if (precision > static_cast<int>(digits.size())) {
        digits.insert(0, precision - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

// Reads a decimal count; -1 when none is there.
int ReadCount(std::string_view pattern, std::size_t& i)
{
    if (i >= pattern.size() || pattern[i] < '0' || pattern[i] > '9') {
        return -1;
    }
    int count = 0;
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
        count = std::min(count * 10 + (pattern[i] - '0'), 100000);
        ++i;
    }
    return count;
}

// The one reading of a pattern. With Produce false it only checks the pattern against the
// arguments, raising exactly where the formatting would, and writes nothing: the raise helpers
// check their pattern this way when nothing is raised, at no cost of formatting.
template<bool Produce>
std::string Expand(std::string_view pattern, std::span<const FormatArg> args)
{
    std::string result;
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        // The text up to the next item as it stands.
        const std::size_t item = std::min(pattern.find('%', i), pattern.size());
        if constexpr (Produce) {
            result.append(pattern, i, item - i);
        }
        if (item == pattern.size()) {
            break;
        }
        i = item + 1;
        if (i < pattern.size() && pattern[i] == '%') {
            if constexpr (Produce) {
                result += '%';
            }
            ++i;
            continue;
        }
        int count = ReadCount(pattern, i);
        if (count >= 0 && i < pattern.size() && pattern[i] == ':') {
            next = count;
            ++i;
            count = ReadCount(pattern, i);
        }
        bool leftJustify = false;
        if (count < 0 && i < pattern.size() && pattern[i] == '-') {
            leftJustify = true;
            ++i;
            count = ReadCount(pattern, i);
        }
        const int width = count;
        int precision = -1;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            precision = ReadCount(pattern, i);
            if (precision < 0) {
                RaiseFormatError(pattern);
            }
        }
        if (i >= pattern.size() || next >= args.size()) {
            RaiseFormatError(pattern);
        }
        // The type letters are ASCII; any other byte is no type in any locale.
        char type = pattern[i++];
        if (type >= 'A' && type <= 'Z') {
            type = static_cast<char>(type - 'A' + 'a');
        }
        const FormatArg::Value& value = args[next++].Get();
        std::string text;
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            const int base = type == 'x' ? 16 : 10;
            if (const auto* s = std::get_if<long long>(&value)) {
                if constexpr (Produce) {
                    // %u and %x show a negative value as its 64-bit two's complement.
                    const bool signedText = *s < 0 && type == 'd';
                    const auto bits = static_cast<unsigned long long>(*s);
                    text =
                        IntegerText(signedText ? 0ULL - bits : bits, signedText, precision, base);
                }
            } else if (const auto* u = std::get_if<unsigned long long>(&value)) {
                if constexpr (Produce) {
                    text = IntegerText(*u, false, precision, base);
                }
            } else {
                RaiseFormatError(pattern);
            }
            break;
        }
        case 's':
            if (const auto* s = std::get_if<std::string>(&value)) {
                if constexpr (Produce) {
                    text = precision >= 0 ? s->substr(0, precision) : *s;
                }
            } else {
                RaiseFormatError(pattern);
            }
            break;
        case 'f':
        case 'e':
        case 'g': {
            const auto* f = std::get_if<long double>(&value);
            if (f == nullptr) {
                RaiseFormatError(pattern);
            }
            if constexpr (!Produce) {
                break;
            }
            if (type == 'f') {
                text = FormatFloatFixed(*f, precision >= 0 ? precision : 2);
            } else if (type == 'e') {
                text = FormatFloatExponent(*f, precision >= 0 ? precision : 15, 3);
            } else {
                text = FormatFloatGeneral(*f, precision >= 0 ? precision : 15);
            }
            break;
        }
        default:
            RaiseFormatError(pattern);
        }
        if constexpr (Produce) {
            result += Pad(std::move(text), width, leftJustify);
        }
    }
    return result;
}

} // namespace

std::string FormatArgs(std::string_view pattern, std::span<const FormatArg> args)
{
    return Expand<true>(pattern, args);
}

void CheckFormatArgs(std::string_view pattern, std::span<const FormatArg> args)
{
    Expand<false>(pattern, args);
}

int FoldIntegers(const std::function<int(int, int)>& combine, std::span<const int> values)
{
    RaiseIf(values.empty(), "FoldIntegers needs at least one value.");
    int result = values[0];
    for (std::size_t i = 1; i < values.size(); ++i) {
        result = combine(result, values[i]);
    }
    return result;
}

int IntMinOf(std::span<const int> values)
{
    RaiseIf(values.empty(), "IntMinOf needs at least one value.");
    return FoldIntegers(IntMin, values);
}

long double FracOf(long double value)
{
    return value - std::trunc(value);
}

std::int64_t RoundToInt64(long double value)
{
    if (!std::isfinite(value)) {
        throw EConvertError("Cannot round " + FormatGeneral18(value) + " to an integer.");
    }
    long double rounded = std::round(value); // ties away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5L) {
        // A tie: take the even neighbour.
        if (std::fmod(rounded, 2.0L) != 0) {
            rounded -= std::copysign(1.0L, value);
        }
    }
    // Both limits are exact in a 64-bit mantissa.
    constexpr long double kLow = -9223372036854775808.0L;
    constexpr long double kHigh = 9223372036854775807.0L;
    if (rounded < kLow || rounded > kHigh) {
        throw EConvertError(FormatGeneral18(value) + " is outside the range of a 64-bit integer.");
    }
    return static_cast<std::int64_t>(rounded);
}

char CharAt(std::string_view text, int position)
{
    if (position < 1 || position > static_cast<int>(text.size())) {
        return '\0';
    }
    return text[position - 1];
}

std::string CopyFrom(std::string_view text, int position)
{
    if (position < 1) {
        position = 1;
    }
    if (position > static_cast<int>(text.size())) {
        return {};
    }
    return std::string(text.substr(position - 1));
}

int PosFrom(std::string_view part, std::string_view text, int start)
{
    if (part.empty()) {
        return 0;
    }
    if (start < 1) {
        start = 1;
    }
    if (start > static_cast<int>(text.size())) {
        return 0;
    }
    const auto found = text.substr(start - 1).find(part);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int PosOrDefault(std::string_view part, std::string_view text, int defaultPosition)
{
    const int position = PosFrom(part, text, 1);
    return position == 0 ? defaultPosition : position;
}

int PosOrEnd(std::string_view part, std::string_view text)
{
    return PosOrDefault(part, text, static_cast<int>(text.size()) + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view oldPart, std::string_view newPart)
{
    if (oldPart.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t from = 0;
    while (true) {
        const std::size_t found = text.find(oldPart, from);
        if (found == std::string_view::npos) {
            result.append(text.substr(from));
            return result;
        }
        result.append(text.substr(from, found - from));
        result.append(newPart);
        from = found + oldPart.size();
    }
}
