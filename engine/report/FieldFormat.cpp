#include "report/FieldFormat.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using TU128 = unsigned __int128;

// Extra digits beyond the last printed one: enough to tell an exact tie from a value a
// fraction of an ulp away from it, for any value that can round up into the field.
constexpr int kGuardDigits = 24;
// Values at or above this never fit a field of the report.
constexpr double kFixedCeiling = 1e30;

std::string Stars(int width)
{
    return std::string(static_cast<std::size_t>(width > 0 ? width : 0), '*');
}

std::string RightAlign(const std::string& text, int width)
{
    if (static_cast<int>(text.size()) > width) {
        return Stars(width);
    }
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string NonFinite(double value, int width)
{
    if (std::isnan(value)) {
        return RightAlign("NaN", width);
    }
    return RightAlign(value < 0 ? "-Inf" : "Inf", width);
}

// Rounds a string of decimal digits to keep digits, ties away from zero. Returns the kept
// digits; a carry out of the first digit adds a leading "1".
std::string RoundDigits(const std::string& digits, std::size_t keep)
{
    if (digits.size() <= keep) {
        return digits + std::string(keep - digits.size(), '0');
    }
    std::string kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
        int i = static_cast<int>(keep) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    return kept;
}

bool AllZero(const std::string& digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

// The exact decimal expansion of the value, rounded in strings: the path of record for the
// values the integer path below does not take (magnitudes beyond 1e17 in a fixed field, beyond
// 1e20 or below 1e-20 in an exponent field, and fields without decimals in an exponent).
std::string SlowFixed(double value, int width, int decimals)
{
    if (!std::isfinite(value)) {
        return NonFinite(value, width);
    }
    const double magnitude = std::fabs(value);
    if (magnitude >= kFixedCeiling) {
        return Stars(width);
    }
    std::array<char, 128> buf{};
    auto [end, ec] = std::to_chars(buf.data(),
                                   buf.data() + buf.size(),
                                   magnitude,
                                   std::chars_format::fixed,
                                   decimals + kGuardDigits);
    if (ec != std::errc()) {
        return Stars(width);
    }
    const std::string text(buf.data(), end);
    const std::size_t point = text.find('.');
    const std::string intPart = text.substr(0, point);
    const std::string digits = intPart + text.substr(point + 1);
    std::string kept = RoundDigits(digits, intPart.size() + static_cast<std::size_t>(decimals));
    const bool negative = value < 0 && !AllZero(kept);
    std::size_t intLen = kept.size() - static_cast<std::size_t>(decimals);
    std::string whole = kept.substr(0, intLen);
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    const std::string fraction = kept.substr(intLen);
    std::string out = negative ? "-" : "";
    if (static_cast<int>(out.size() + whole.size() + 1 + fraction.size()) > width && whole == "0") {
        out.append(".").append(fraction);
    } else {
        out.append(whole).append(".").append(fraction);
    }
    return RightAlign(out, width);
}

std::string SlowExponent(double value, int width, int decimals)
{
    if (!std::isfinite(value)) {
        return NonFinite(value, width);
    }
    const double magnitude = std::fabs(value);
    std::string mantissa(static_cast<std::size_t>(decimals), '0');
    int exponent = 0;
    bool negative = false;
    if (magnitude > 0) {
        std::array<char, 128> buf{};
        auto [end, ec] = std::to_chars(buf.data(),
                                       buf.data() + buf.size(),
                                       magnitude,
                                       std::chars_format::scientific,
                                       decimals + kGuardDigits);
        if (ec != std::errc()) {
            return Stars(width);
        }
        const std::string text(buf.data(), end);
        const std::size_t e = text.find('e');
        std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
        int sciExp = std::atoi(text.c_str() + e + 1);
        // 0.ddd form: the first significant digit follows the point.
        exponent = sciExp + 1;
        mantissa = RoundDigits(digits, static_cast<std::size_t>(decimals));
        if (static_cast<int>(mantissa.size()) > decimals) {
            mantissa.pop_back();
            ++exponent;
        }
        negative = value < 0 && !AllZero(mantissa);
        if (AllZero(mantissa)) {
            exponent = 0;
        }
    }
    std::string expText;
    const int absExp = std::abs(exponent);
    if (absExp <= 99) {
        expText.append("E").append(exponent < 0 ? "-" : "+").append(absExp < 10 ? "0" : "");
        expText.append(std::to_string(absExp));
    } else if (absExp <= 999) {
        expText.append(exponent < 0 ? "-" : "+").append(std::to_string(absExp));
    } else {
        return Stars(width);
    }
    std::string out = negative ? "-" : "";
    if (static_cast<int>(out.size() + 2 + mantissa.size() + expText.size()) > width) {
        out.append(".");
    } else {
        out.append("0.");
    }
    out.append(mantissa).append(expText);
    return RightAlign(out, width);
}

// Copies a string result into the caller's field of exactly width characters.
char* PutString(char* out, const std::string& text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// n blanks from out (n >= 0).
void Blank(char* out, int n)
{
    if (n > 0) {
        fieldwriters::FillBlanks(out, n);
    }
}

char* PutStars(char* out, int width)
{
    if (width > 0) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return out + width;
    }
    return out;
}

// text, right-aligned in width characters, or width asterisks when it is longer.
char* PutRight(char* out, const char* text, int length, int width)
{
    if (length > width) {
        return PutStars(out, width);
    }
    const int pad = width - length;
    std::memset(out, ' ', static_cast<std::size_t>(pad));
    std::memcpy(out + pad, text, static_cast<std::size_t>(length));
    return out + width;
}

char* PutNonFinite(char* out, double value, int width)
{
    if (std::isnan(value)) {
        return PutRight(out, "NaN", 3, width);
    }
    return value < 0 ? PutRight(out, "-Inf", 4, width) : PutRight(out, "Inf", 3, width);
}

using fieldwriters::DigitsBackward;
using fieldwriters::kPow10;
using fieldwriters::NumberBackward;

// A positive finite double as m x 2^e with m an integer below 2^53.
struct TBinary
{
    std::uint64_t m;
    int e;
};

TBinary Decompose(double a)
{
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const auto exponent = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0) {
        return {fraction, -1074};
    }
    return {fraction | (std::uint64_t{1} << 52), exponent - 1075};
}

// round(a x 10^k), ties away from zero, on the exact binary value, with the integer part
// before the rounding; false when the arithmetic would not fit (the caller takes the string
// path).
struct TScaled
{
    std::uint64_t floor;
    std::uint64_t rounded;
};

bool Scale(TBinary b, int k, TScaled& out)
{
    if (k >= 0 && k <= 3 && b.e < 0 && b.e > -64) {
        // The common field: m x 10^k fits 64 bits (m < 2^53, 10^3 < 2^10).
        const std::uint64_t num = b.m * kPow10[static_cast<std::size_t>(k)];
        const int s = -b.e;
        const std::uint64_t q = num >> s;
        const std::uint64_t rem = num - (q << s);
        out.floor = q;
        out.rounded = q + (rem >= (std::uint64_t{1} << (s - 1)) ? 1 : 0);
        return true;
    }
    if (k >= 0) {
        if (k > 19) {
            return false;
        }
        // m x 10^k fits 117 bits; then the power of two.
        TU128 num = static_cast<TU128>(b.m) * kPow10[static_cast<std::size_t>(k)];
        if (b.e >= 0) {
            if (b.e > 10) {
                return false;
            }
            num <<= b.e;
            if (num >> 63 != 0) {
                return false;
            }
            out.floor = static_cast<std::uint64_t>(num);
            out.rounded = out.floor;
            return true;
        }
        const int s = -b.e;
        if (s >= 127) {
            out.floor = 0;
            out.rounded = 0; // num < 2^117 is below half of 2^s
            return true;
        }
        const TU128 q = num >> s;
        if (q >> 63 != 0) {
            return false;
        }
        const TU128 rem = num - (q << s);
        const TU128 half = static_cast<TU128>(1) << (s - 1);
        out.floor = static_cast<std::uint64_t>(q);
        out.rounded = out.floor + (rem >= half ? 1 : 0);
        return true;
    }
    // Division by 10^j, j = -k.
    const int j = -k;
    if (j > 19) {
        return false;
    }
    std::uint64_t num = 0;
    std::uint64_t den = kPow10[static_cast<std::size_t>(j)];
    if (b.e >= 0) {
        if (b.e > 10) {
            return false;
        }
        num = b.m << b.e;
    } else {
        const int s = -b.e;
        // den x 2^s must fit 64 bits.
        if (s >= 64 || (den >> (63 - s)) != 0) {
            return false;
        }
        num = b.m;
        den <<= s;
    }
    const std::uint64_t q = num / den;
    const std::uint64_t rem = num - q * den;
    out.floor = q;
    out.rounded = q + (rem >= den - rem ? 1 : 0);
    return true;
}

// Digits of v, at least `least` (1 to 19).
int DigitCount(std::uint64_t v, int least)
{
    int n = least;
    while (n < 20 && v >= kPow10[static_cast<std::size_t>(n)]) {
        ++n;
    }
    return n;
}

} // namespace

char* PutA(char* out, std::string_view text, int width)
{
    if (width <= 0) {
        return out;
    }
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t n = std::min(text.size(), w);
    std::memcpy(out, text.data(), n);
    std::memset(out + n, ' ', w - n);
    return out + width;
}

char* PutI(char* out, long long value, int width)
{
    std::array<char, 24> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    (void)ec;
    return PutRight(out, buf.data(), static_cast<int>(end - buf.data()), width);
}

// Any fixed field: the integer path where the scaled value fits 64 bits, else the string path.
char* PutFixedField(char* out, double value, int width, int decimals)
{
    if (!std::isfinite(value)) {
        return PutNonFinite(out, value, width);
    }
    const double magnitude = std::fabs(value);
    TScaled scaled{0, 0};
    const bool fits = decimals >= 0 && decimals <= 17 && magnitude < 1e17
                      && (magnitude == 0.0 || Scale(Decompose(magnitude), decimals, scaled));
    if (!fits) {
        return PutString(out, SlowFixed(value, width, decimals));
    }
    // "-" whole "." fraction, or without the whole part's 0 when only that fits; written from
    // the field's right end.
    std::uint64_t q = scaled.rounded;
    const bool negative = value < 0 && q != 0;
    const int digits = DigitCount(q, decimals + 1);
    int length = (negative ? 1 : 0) + digits + 1;
    const bool wholeIsZero = q < kPow10[static_cast<std::size_t>(decimals)];
    const bool dropZero = length > width && wholeIsZero;
    if (dropZero) {
        --length;
    }
    if (length > width) {
        return PutStars(out, width);
    }
    char* p = DigitsBackward(out + width, q, decimals);
    *--p = '.';
    if (!dropZero) {
        p = NumberBackward(p, q);
    }
    if (negative) {
        *--p = '-';
    }
    Blank(out, static_cast<int>(p - out));
    return out + width;
}

// Any exponent field, in exact integers where they fit, else the string path.
char* PutExponentField(char* out, double value, int width, int decimals)
{
    if (!std::isfinite(value)) {
        return PutNonFinite(out, value, width);
    }
    if (decimals < 1 || decimals > 17) {
        return PutString(out, SlowExponent(value, width, decimals));
    }
    const double magnitude = std::fabs(value);
    std::uint64_t mantissa = 0;
    int exponent = 0; // of the 0.ddd form
    bool negative = false;
    if (magnitude > 0.0) {
        const TBinary b = Decompose(magnitude);
        // 10^(x - 1) <= a < 10^x: first from the binary exponent, then put right by the digits.
        const int bitLength = 64 - std::countl_zero(b.m) + b.e; // 2^(L-1) <= a < 2^L
        // floor((L - 1) log10 2) + 1 in integers (78913 / 2^18 is log10 2 to 6 digits, exact
        // in the floor for every binary exponent a double has).
        int x = (((bitLength - 1) * 78913) >> 18) + 1;
        const std::uint64_t low = kPow10[static_cast<std::size_t>(decimals - 1)];
        const std::uint64_t high = kPow10[static_cast<std::size_t>(decimals)];
        TScaled scaled{0, 0};
        bool found = false;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!Scale(b, decimals - x, scaled)) {
                break;
            }
            if (scaled.floor < low) {
                --x;
            } else if (scaled.floor >= high) {
                ++x;
            } else {
                found = true;
                break;
            }
        }
        if (!found) {
            return PutString(out, SlowExponent(value, width, decimals));
        }
        mantissa = scaled.rounded;
        exponent = x;
        if (mantissa == high) {
            mantissa = low;
            ++exponent;
        }
        negative = value < 0;
    }
    // [-]0.ddd then E+dd, or +ddd without the E beyond 99; without the 0 when only that fits.
    const int absExp = std::abs(exponent);
    if (absExp > 999) {
        return PutStars(out, width);
    }
    constexpr int kExponentLength = 4; // E+dd or +ddd
    int length = (negative ? 1 : 0) + 2 + decimals + kExponentLength;
    const bool dropZero = length > width;
    if (dropZero) {
        --length;
    }
    if (length > width) {
        return PutStars(out, width);
    }
    std::uint64_t e = static_cast<std::uint64_t>(absExp);
    char* p = DigitsBackward(out + width, e, absExp <= 99 ? 2 : 3);
    *--p = exponent < 0 ? '-' : '+';
    if (absExp <= 99) {
        *--p = 'E';
    }
    p = DigitsBackward(p, mantissa, decimals);
    *--p = '.';
    if (!dropZero) {
        *--p = '0';
    }
    if (negative) {
        *--p = '-';
    }
    Blank(out, static_cast<int>(p - out));
    return out + width;
}

std::string FormatI(long long value, int width)
{
    std::string text(static_cast<std::size_t>(std::max(width, 0)), ' ');
    PutI(text.data(), value, width);
    return text;
}

std::string FormatF(double value, int width, int decimals)
{
    std::string text(static_cast<std::size_t>(std::max(width, 0)), ' ');
    PutF(text.data(), value, width, decimals);
    return text;
}

std::string FormatE(double value, int width, int decimals)
{
    std::string text(static_cast<std::size_t>(std::max(width, 0)), ' ');
    PutE(text.data(), value, width, decimals);
    return text;
}

std::string FormatA(std::string_view text, int width)
{
    std::string out(text.substr(0, static_cast<std::size_t>(width)));
    out.resize(static_cast<std::size_t>(width), ' ');
    return out;
}

std::string Blanks(int count)
{
    return Repeat(' ', count);
}

std::string Repeat(char c, int count)
{
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), c);
}

std::string TrimRight(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// The fields go straight into the line, without a string of their own each.
TRecord::TRecord()
{
    m_line.reserve(kLineRoom);
}

template<typename TPut>
TRecord& TRecord::Field(int width, TPut put)
{
    if (width > 0) {
        const std::size_t at = m_line.size();
        m_line.resize(at + static_cast<std::size_t>(width));
        put(m_line.data() + at);
    }
    return *this;
}

TRecord& TRecord::X(int count)
{
    return Field(count, [&](char* out) { PutX(out, count); });
}

TRecord& TRecord::T(std::string_view text)
{
    m_line += text;
    return *this;
}

TRecord& TRecord::I(long long value, int width)
{
    return Field(width, [&](char* out) { PutI(out, value, width); });
}

TRecord& TRecord::F(double value, int width, int decimals)
{
    return Field(width, [&](char* out) { PutF(out, value, width, decimals); });
}

TRecord& TRecord::E(double value, int width, int decimals)
{
    return Field(width, [&](char* out) { PutE(out, value, width, decimals); });
}

TRecord& TRecord::A(std::string_view text, int width)
{
    m_line += FormatA(text, width);
    return *this;
}
