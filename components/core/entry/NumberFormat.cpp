#include "entry/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <vector>

#include "support/Helpers.h"

namespace {

// Digits asked of to_chars before our own rounding. to_chars rounds correctly (ties to even)
// at this length; rounding again at <= 18 digits, half away from zero, can only differ from
// rounding the exact value when the digits beyond 18 are a run of some twenty 9s or 0s, which
// a 64-bit mantissa cannot come that close to in the ranges the program meets.
constexpr int kWorkDigits = 40;

// A positive finite value rounded to a number of significant digits:
// value = d1.d2d3... x 10^exponent, digits.size() == precision.
struct RoundedDecimal
{
    std::string digits;
    int exponent = 0;
};

// The exact rounding below works on the value's 64-bit significand in 128-bit integers.
__extension__ typedef unsigned __int128 UInt128;

constexpr int kMaxPower128 = 38; // 10^38 < 2^128
constexpr auto kPowers128 = [] {
    std::array<UInt128, kMaxPower128 + 1> p{};
    UInt128 v = 1;
    for (UInt128& x : p) {
        x = v;
        v *= 10;
    }
    return p;
}();

// Rounding of magnitude x 10^scale to an integer, half away from zero, exactly as the text
// rounding below comes out: the integer part `whole`, and whether rounding adds one. Worked on the exact binary value: magnitude = m x 2^-shift with a
// 64-bit m, so magnitude x 10^scale = num / den with num and den integers. The text rounding
// first rounds the digits to kWorkDigits, which can only turn a tail just below one half into
// one half; a tail that close to one half (within 2^-40) is left to the text rounding.
// False when the value is out of this way's reach (beyond 2^64, or too small for the scale),
// or is such a near tie.
// A positive finite value as m x 2^(binaryExponent - 64) with a 64-bit m whose top bit is set.
struct TBinaryValue
{
    std::uint64_t Significand = 0;
    int BinaryExponent = 0;
};

// The x87 extended layout: the 64-bit significand with its explicit integer bit in the low
// eight bytes, then the sign and the exponent (bias 16383) in the next two.
constexpr bool kExtendedLayout =
    std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::radix == 2
    && std::numeric_limits<long double>::max_exponent == 16384 && sizeof(long double) >= 10;

TBinaryValue Decompose(long double magnitude)
{
    TBinaryValue binary;
    if constexpr (kExtendedLayout) {
        // Read from the bits: frexp and ldexp of a long double are calls of their own.
        unsigned char bytes[sizeof(long double)];
        std::memcpy(bytes, &magnitude, sizeof bytes);
        std::uint64_t significand = 0;
        std::memcpy(&significand, bytes, sizeof significand);
        const int biased = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
        if (biased == 0 || (significand >> 63) == 0) {
            // A denormal: left to the text rounding, as far beyond the exact way's reach.
            binary.BinaryExponent = std::numeric_limits<int>::min() / 2;
            return binary;
        }
        binary.Significand = significand;
        binary.BinaryExponent = biased - 16382; // magnitude = significand x 2^(that - 64)
    } else {
        const long double fraction = std::frexp(magnitude, &binary.BinaryExponent); // [0.5, 1)
        binary.Significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    }
    return binary;
}

bool RoundScaledExactly(const TBinaryValue& binary, int scale, UInt128& whole, bool& roundUp)
{
    if constexpr (std::numeric_limits<long double>::digits != 64) {
        return false;
    }
    const int shift = 64 - binary.BinaryExponent;
    if (shift < 0 || shift > 127 || scale > 19 || scale < -kMaxPower128) {
        return false;
    }
    UInt128 num = binary.Significand;
    UInt128 den = UInt128(1) << shift;
    UInt128 quotient = 0;
    UInt128 remainder = 0;
    if (scale >= 0) {
        num *= kPowers128[static_cast<std::size_t>(scale)]; // below 2^64 x 10^19 < 2^128
        // den is a power of two: no division.
        quotient = num >> shift;
        remainder = num & (den - 1);
    } else {
        const UInt128 power = kPowers128[static_cast<std::size_t>(-scale)];
        if (shift > 0 && (power >> (128 - shift)) != 0) {
            return false; // 10^-scale x 2^shift would not fit
        }
        den = power << shift;
        quotient = num / den;
        remainder = num - quotient * den;
    }
    const UInt128 rest = den - remainder;
    // |2 x remainder - den|, the distance from a tie in units of den / 2.
    const UInt128 distance = remainder >= rest ? remainder - rest : rest - remainder;
    if (distance != 0 && distance <= (den >> 39)) {
        return false;
    }
    whole = quotient;
    roundUp = remainder >= rest;
    return true;
}

bool RoundScaledExactly(long double magnitude, int scale, UInt128& whole, bool& roundUp)
{
    if (magnitude == 0) {
        whole = 0;
        roundUp = false;
        return true;
    }
    return RoundScaledExactly(Decompose(magnitude), scale, whole, roundUp);
}

// The decimal digits of a value, at least minDigits of them (zeros in front).
std::string DecimalDigits(UInt128 value, int minDigits)
{
    char buffer[48];
    char* end = std::end(buffer);
    char* p = end;
    while (value > std::numeric_limits<std::uint64_t>::max()) {
        *--p = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    }
    // The rest in 64 bits, where a division by ten is a multiplication.
    auto low = static_cast<std::uint64_t>(value);
    do {
        *--p = static_cast<char>('0' + static_cast<int>(low % 10));
        low /= 10;
    } while (low != 0);
    while (end - p < minDigits) {
        *--p = '0';
    }
    return std::string(p, end);
}

// RoundSignificant by the digits of to_chars: the reference for every value, and the way
// for the values the exact rounding leaves.
RoundedDecimal RoundSignificantByText(long double magnitude, int precision)
{
    char buffer[kWorkDigits + 32];
    const auto result = std::to_chars(std::begin(buffer),
                                      std::end(buffer),
                                      magnitude,
                                      std::chars_format::scientific,
                                      kWorkDigits - 1);
    // "d.ddd...de[+-]xx"
    std::string digits;
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            digits.push_back(*p);
        }
    }
    int exponent = 0;
    if (p < result.ptr) {
        std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, result.ptr, exponent);
    }
    const bool roundUp = digits[precision] >= '5';
    digits.resize(precision);
    if (roundUp) {
        int i = precision - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }
    return {digits, exponent};
}

RoundedDecimal RoundSignificant(long double magnitude, int precision)
{
    // The decimal exponent from the binary one; off by at most one, which the digit count
    // then corrects.
    const TBinaryValue binary = Decompose(magnitude);
    int exponent =
        static_cast<int>(std::floor((binary.BinaryExponent - 1) * 0.30102999566398119521L));
    const UInt128 low = kPowers128[static_cast<std::size_t>(precision - 1)];
    const UInt128 high = kPowers128[static_cast<std::size_t>(precision)];
    for (int attempt = 0; attempt < 3; ++attempt) {
        // The value truncated to `precision` digits tells whether the exponent is right.
        UInt128 whole = 0;
        bool roundUp = false;
        if (!RoundScaledExactly(binary, precision - 1 - exponent, whole, roundUp)) {
            break;
        }
        if (whole < low) {
            --exponent;
            continue;
        }
        if (whole >= high) {
            ++exponent;
            continue;
        }
        if (roundUp && whole + 1 == high) {
            // 9.99... rounded up to 10.0...: one digit more.
            return {DecimalDigits(low, precision), exponent + 1};
        }
        return {DecimalDigits(whole + (roundUp ? 1 : 0), precision), exponent};
    }
    return RoundSignificantByText(magnitude, precision);
}

std::string ExponentText(int exponent, bool alwaysSigned, int minDigits)
{
    // "E", the sign, the digits with zeros in front up to minDigits (at most 4).
    char buffer[16];
    char* const end = std::end(buffer);
    char* p = end;
    auto magnitude =
        exponent < 0 ? 0U - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (end - p < minDigits) {
        *--p = '0';
    }
    if (exponent < 0) {
        *--p = '-';
    } else if (alwaysSigned) {
        *--p = '+';
    }
    *--p = 'E';
    return std::string(p, end);
}

bool NonFinite(long double value, std::string& text)
{
    if (std::isnan(value)) {
        text = "NAN";
        return true;
    }
    if (std::isinf(value)) {
        text = value > 0 ? "INF" : "-INF";
        return true;
    }
    return false;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Recognises the number grammar at the start of text. Returns the length of the number and
// fills the parts needed to tell overflow from underflow; 0 when there is no number.
struct NumberSyntax
{
    std::size_t length = 0;
    bool negative = false;
    bool allZero = true;
    // Decimal exponent of the first non-zero digit (value ~ 10^magnitude), saturated.
    long long magnitude = 0;
};

NumberSyntax ScanSyntax(std::string_view text)
{
    NumberSyntax syntax;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        syntax.negative = text[i] == '-';
        ++i;
    }
    std::size_t digitCount = 0;
    long long significantIntegerDigits = 0; // integer digits from the first non-zero one
    long long leadingFractionZeros = 0;     // zeros after the point before the first non-zero
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (c != '0') {
                syntax.allZero = false;
            }
            if (!seenPoint && !syntax.allZero) {
                ++significantIntegerDigits;
            } else if (seenPoint && syntax.allZero) {
                ++leadingFractionZeros;
            }
            ++digitCount;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digitCount == 0) {
        return syntax;
    }
    std::size_t end = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000000LL);
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
            end = j;
        }
    }
    syntax.length = end;
    const long long leadingPower =
        significantIntegerDigits > 0 ? significantIntegerDigits - 1 : -(leadingFractionZeros + 1);
    syntax.magnitude = leadingPower + exponent;
    return syntax;
}

// Converts the recognised number text[0, syntax.length). False when it overflows.
bool ConvertSyntax(std::string_view text, const NumberSyntax& syntax, long double& value)
{
    std::string_view number = text.substr(0, syntax.length);
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1); // from_chars takes no plus sign
    }
    long double result = 0;
    const auto conversion = std::from_chars(number.data(), number.data() + number.size(), result);
    if (conversion.ec == std::errc::result_out_of_range) {
        if (syntax.magnitude < 0) {
            value = syntax.negative ? -0.0L : 0.0L; // too small to hold: zero
            return true;
        }
        return false;
    }
    if (conversion.ec != std::errc() || conversion.ptr != number.data() + number.size()) {
        return false;
    }
    value = result;
    return true;
}

// The digits of magnitude x 10^decimals rounded to an integer, at least decimals + 1 of them
// (the integer part "0" of a value below one), by the digits of to_chars: the reference for
// every value, and the way for the values the exact rounding leaves.
std::string FixedDigitsByText(long double magnitude, int decimals)
{
    // Integer part of up to 4933 digits, the decimals and the digits we round away.
    std::vector<char> buffer(std::numeric_limits<long double>::max_exponent10 + decimals + 64);
    const auto result = std::to_chars(buffer.data(),
                                      buffer.data() + buffer.size(),
                                      magnitude,
                                      std::chars_format::fixed,
                                      decimals + kWorkDigits);
    std::string digits(buffer.data(), result.ptr);
    const std::size_t point = digits.find('.');
    std::string integerPart = digits.substr(0, point);
    std::string fraction = digits.substr(point + 1);
    const bool roundUp = fraction[decimals] >= '5';
    fraction.resize(decimals);
    std::string all = integerPart + fraction;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[i] == '9') {
            all[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++all[i];
        } else {
            all.insert(all.begin(), '1');
        }
    }
    return all;
}

std::string FixedDigits(long double magnitude, int decimals)
{
    UInt128 whole = 0;
    bool roundUp = false;
    if (RoundScaledExactly(magnitude, decimals, whole, roundUp)) {
        return DecimalDigits(whole + (roundUp ? 1 : 0), decimals + 1);
    }
    return FixedDigitsByText(magnitude, decimals);
}

} // namespace

std::string FormatFloatGeneral(long double value, int precision, int minExponentDigits)
{
    std::string text;
    if (NonFinite(value, text)) {
        return text;
    }
    if (value == 0) {
        return "0";
    }
    precision = std::clamp(precision, 1, kMaxSignificantDigits);
    minExponentDigits = std::clamp(minExponentDigits, 0, 4);
    RoundedDecimal rounded = RoundSignificant(std::fabs(value), precision);
    std::string& digits = rounded.digits;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int exponent = rounded.exponent;
    if (std::signbit(value)) {
        text = "-";
    }
    if (exponent + 1 > precision || exponent < -4) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += ExponentText(exponent, false, minExponentDigits);
    } else if (exponent >= 0) {
        const std::size_t integerDigits = exponent + 1;
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, integerDigits);
            text += '.';
            text.append(digits, integerDigits);
        }
    } else {
        text += "0.";
        text.append(-exponent - 1, '0');
        text += digits;
    }
    return text;
}

std::string FormatFloatExponent(long double value, int precision, int minExponentDigits)
{
    std::string text;
    if (NonFinite(value, text)) {
        return text;
    }
    precision = std::clamp(precision, 1, kMaxSignificantDigits);
    minExponentDigits = std::clamp(minExponentDigits, 1, 4);
    RoundedDecimal rounded;
    if (value == 0) {
        rounded.digits.assign(precision, '0');
    } else {
        rounded = RoundSignificant(std::fabs(value), precision);
        if (std::signbit(value)) {
            text = "-";
        }
    }
    text += rounded.digits[0];
    if (precision > 1) {
        text += '.';
        text.append(rounded.digits, 1);
    }
    text += ExponentText(rounded.exponent, true, minExponentDigits);
    return text;
}

std::string FormatFloatFixed(long double value, int decimals)
{
    std::string text;
    if (NonFinite(value, text)) {
        return text;
    }
    decimals = std::clamp(decimals, 0, 40);
    const std::string all = FixedDigits(std::fabs(value), decimals);
    const std::size_t integerDigits = all.size() - static_cast<std::size_t>(decimals);
    const bool isZero = all.find_first_not_of('0') == std::string::npos;
    if (std::signbit(value) && !isZero) {
        text = "-";
    }
    text.append(all, 0, integerDigits);
    if (decimals > 0) {
        text += '.';
        text.append(all, integerDigits);
    }
    return text;
}

std::string FormatGeneral(long double value)
{
    return FormatFloatGeneral(value, 10);
}

std::string FormatGeneral8(long double value)
{
    return FormatFloatGeneral(value, 8);
}

std::string FormatGeneral18(long double value)
{
    return FormatFloatGeneral(value, 18);
}

std::string FormatExponent1(long double value)
{
    return FormatFloatExponent(value, 3, 1);
}

std::string FormatExponent2(long double value)
{
    return FormatFloatExponent(value, 3, 2);
}

bool TryParseNumber(std::string_view text, long double& value)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(first);
    text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
    const NumberSyntax syntax = ScanSyntax(text);
    if (syntax.length == 0 || syntax.length != text.size()) {
        return false;
    }
    return ConvertSyntax(text, syntax, value);
}

long double ParseNumber(std::string_view text)
{
    long double value = 0;
    if (!TryParseNumber(text, value)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}

std::size_t ScanNumber(std::string_view text, long double& value)
{
    const NumberSyntax syntax = ScanSyntax(text);
    if (syntax.length == 0 || !ConvertSyntax(text, syntax, value)) {
        return 0;
    }
    return syntax.length;
}
