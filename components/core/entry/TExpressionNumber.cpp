#include "entry/TExpressionNumber.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

#include <locale.h>

namespace DecimalText {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// 10^0 to 10^27, each exact in an 80-bit extended value (5^27 < 2^64).
constexpr int kMaxExactPower = 27;
constexpr auto kExactPowers = [] {
    std::array<long double, kMaxExactPower + 1> p{};
    long double v = 1.0L;
    for (long double& x : p) {
        x = v;
        v *= 10.0L;
    }
    return p;
}();

// The words of the program's own files (the engine's fixed and exponent fields): a decimal of
// at most 19 significant digits whose power of ten is at most 27 in size. Its digits and its
// power of ten are exact in an extended value, so one multiplication or division rounds it as
// the full conversion does (Clinger, "How to read floating point numbers accurately", 1990).
// False for any other word, which the full conversion then reads.
bool ReadShortDecimal(std::string_view word, long double& value)
{
    constexpr int kMaxDigits = 19; // below 2^64
    std::size_t i = 0;
    const std::size_t n = word.size();
    const bool negative = n > 0 && word[0] == '-';
    if (n > 0 && (word[0] == '+' || word[0] == '-')) {
        ++i;
    }
    std::uint64_t mantissa = 0;
    int significant = 0; // digits from the first non-zero one
    int digits = 0;
    int scale = 0;
    // Zeros before the first non-zero digit are not significant, in either part.
    for (; i < n && word[i] == '0'; ++i) {
        ++digits;
    }
    for (; i < n && IsDigit(word[i]) && significant < kMaxDigits; ++i) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(word[i] - '0');
        ++digits;
        ++significant;
    }
    if (i < n && word[i] == '.') {
        ++i;
        if (mantissa == 0) {
            for (; i < n && word[i] == '0'; ++i) {
                ++digits;
                --scale;
            }
        }
        for (; i < n && IsDigit(word[i]) && significant < kMaxDigits; ++i) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(word[i] - '0');
            ++digits;
            ++significant;
            --scale;
        }
    }
    if (digits == 0 || (i < n && IsDigit(word[i]))) {
        return false; // no digits, or more than the fast way holds
    }
    int exponent = 0;
    if (i < n && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < n && word[i] == '-';
        if (i < n && (word[i] == '+' || word[i] == '-')) {
            ++i;
        }
        int exponentDigits = 0;
        for (; i < n && IsDigit(word[i]) && exponentDigits < 4; ++i, ++exponentDigits) {
            exponent = exponent * 10 + (word[i] - '0');
        }
        if (exponentDigits == 0 || exponentDigits == 4) {
            return false;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    const int power = scale + exponent;
    if (i != n || power < -kMaxExactPower || power > kMaxExactPower) {
        return false;
    }
    const auto digitsValue = static_cast<long double>(mantissa);
    const long double magnitude =
        power >= 0 ? digitsValue * kExactPowers[static_cast<std::size_t>(power)]
                   : digitsValue / kExactPowers[static_cast<std::size_t>(-power)];
    value = negative ? -magnitude : magnitude;
    return true;
}

// True when the whole text has the accepted number shape (see Read).
bool HasNumberShape(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == n;
}

// from_chars reports underflow and overflow alike; strtold in the "C" locale tells them
// apart and gives the denormal that an underflow deserves.
long double ReadOutOfRange(std::string_view text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string copy(text);
    if (cLocale == locale_t{}) {
        return HUGE_VALL; // no "C" locale: refuse rather than guess
    }
    return strtold_l(copy.c_str(), nullptr, cLocale);
}

} // namespace

bool ReadShort(std::string_view text, long double& value)
{
    return ReadShortDecimal(text, value);
}

TReadResult Read(std::string_view text, long double& value)
{
    if (!HasNumberShape(text)) {
        return TReadResult::NotANumber;
    }
    if (ReadShortDecimal(text, value)) {
        return TReadResult::Ok;
    }
    // from_chars takes no leading "+".
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    long double result = 0;
    const auto [end, error] = std::from_chars(digits.data(),
                                              digits.data() + digits.size(),
                                              result,
                                              std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        result = ReadOutOfRange(digits);
        if (!std::isfinite(result)) {
            return TReadResult::OutOfRange;
        }
    } else if (error != std::errc() || end != digits.data() + digits.size()) {
        return TReadResult::NotANumber;
    }
    value = result;
    return TReadResult::Ok;
}

std::string WriteGeneral18(long double value)
{
    constexpr int kDigits = 18;
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    // "d.ddddddddddddddddde[+-]xx", correctly rounded to 18 significant digits.
    char buffer[64];
    const auto result = std::to_chars(std::begin(buffer),
                                      std::end(buffer),
                                      std::fabs(value),
                                      std::chars_format::scientific,
                                      kDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.') {
            digits.push_back(text[i]);
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1),
                    text.data() + text.size(),
                    exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < kDigits) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                out += digits;
                out.append(integerDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, integerDigits);
                out += '.';
                out += digits.substr(integerDigits);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

} // namespace DecimalText
