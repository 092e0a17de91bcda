#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

// The common fields of the fixed-field writer, inline: a line of constant widths and decimals
// compiles to straight code. Everything else goes to the general writers of FieldFormat.cpp,
// which hold the rules for every value and width; these agree with them character for
// character wherever they answer.
namespace fieldwriters {

// "00" to "99": two digits at a time.
inline constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> t{};
    for (int i = 0; i < 100; ++i) {
        t[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        t[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

inline constexpr std::array<std::uint64_t, 20> kPow10 = [] {
    std::array<std::uint64_t, 20> p{};
    std::uint64_t v = 1;
    for (std::size_t i = 0; i < p.size(); ++i) {
        p[i] = v;
        v *= 10;
    }
    return p;
}();

// 10^0 to 10^22, each exact in a double.
inline constexpr std::array<double, 23> kPow10Double = [] {
    std::array<double, 23> p{};
    double v = 1.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        p[i] = v;
        v *= 10.0;
    }
    return p;
}();

// 10^-0 to 10^-22, each the double nearest to it.
inline constexpr std::array<double, 23> kInversePow10Double = [] {
    std::array<double, 23> p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
        p[i] = 1.0 / kPow10Double[i];
    }
    return p;
}();

inline constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
inline constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << 52;
// A normal double is (fraction | hidden bit) x 2^(biased exponent - 1075).
inline constexpr int kExponentBias = 1075;
inline constexpr int kMaxFastFixedDecimals = 3;
inline constexpr int kMaxFastExponentDecimals = 6;
// A scaled mantissa this close to a half is rounded in exact integers: the product by a power
// of ten (exact, or the double nearest to a negative power) is off by at most twice the unit
// roundoff, below 2.3e-10 for mantissas up to 10^6, so outside this window its rounding is that
// of the exact value.
inline constexpr double kTieWindow = 1e-9;

// n blanks from out (n >= 1) in a few overlapping stores, never a byte past out + n.
[[gnu::always_inline]] inline void FillBlanks(char* out, int n)
{
    constexpr std::uint64_t kBlanks8 = 0x2020202020202020ULL;
    constexpr std::uint32_t kBlanks4 = 0x20202020U;
    if (n >= 8) {
        for (int i = 0; i + 8 < n; i += 8) {
            std::memcpy(out + i, &kBlanks8, 8);
        }
        std::memcpy(out + n - 8, &kBlanks8, 8);
    } else if (n >= 4) {
        std::memcpy(out, &kBlanks4, 4);
        std::memcpy(out + n - 4, &kBlanks4, 4);
    } else {
        out[0] = ' ';
        out[n / 2] = ' ';
        out[n - 1] = ' ';
    }
}

[[gnu::always_inline]] inline char* PairBackward(char* p, std::uint64_t pair)
{
    p -= 2;
    std::memcpy(p, &kDigitPairs[static_cast<std::size_t>(2 * pair)], 2);
    return p;
}

// The last n digits of q backward from p, leading zeros included; q keeps the digits before.
[[gnu::always_inline]] inline char* DigitsBackward(char* p, std::uint64_t& q, int n)
{
    for (; n >= 2; n -= 2) {
        p = PairBackward(p, q % 100);
        q /= 100;
    }
    if (n == 1) {
        *--p = static_cast<char>('0' + q % 10);
        q /= 10;
    }
    return p;
}

// All digits of q backward from p, at least one.
[[gnu::always_inline]] inline char* NumberBackward(char* p, std::uint64_t q)
{
    while (q >= 100) {
        p = PairBackward(p, q % 100);
        q /= 100;
    }
    if (q >= 10) {
        return PairBackward(p, q);
    }
    *--p = static_cast<char>('0' + q);
    return p;
}

// Fw.d with d <= 3 and |value| < 2^53: m x 10^d < 2^63, so rounding to d decimals is one add
// and one shift on the exact binary value (ties away from zero). nullptr when the field is not
// one of these.
[[gnu::always_inline]] inline char* FastFixed(char* out, double value, int width, int decimals)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (decimals < 0 || decimals > kMaxFastFixedDecimals || biased >= kExponentBias || width <= 0) {
        return nullptr;
    }
    // |value| = m x 2^-s with s >= 1; below 2^-11 (s >= 64) it rounds to zero at 3 decimals.
    const std::uint64_t m = (bits & kFractionMask) | (biased != 0 ? kHiddenBit : 0);
    const int s = kExponentBias - biased;
    std::uint64_t q = 0;
    if (s < 64) {
        const std::uint64_t num = m * kPow10[static_cast<std::size_t>(decimals)];
        q = (num + (std::uint64_t{1} << (s - 1))) >> s;
    }
    const bool negative = (bits >> 63) != 0 && q != 0; // no sign on a value that rounds to 0
    // Digits left for the whole part; with none, a whole part of 0 is dropped.
    const int room = width - 1 - decimals - (negative ? 1 : 0);
    const bool fits =
        room >= 1
        && (room + decimals >= 19 || q < kPow10[static_cast<std::size_t>(room + decimals)]);
    const bool dropZero = !fits && room == 0 && q < kPow10[static_cast<std::size_t>(decimals)];
    if (!fits && !dropZero) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return out + width;
    }
    FillBlanks(out, width);
    char* p = DigitsBackward(out + width, q, decimals);
    *--p = '.';
    if (fits) {
        p = NumberBackward(p, q);
    }
    if (negative) {
        *--p = '-';
    }
    return out + width;
}

// Ew.d with 1 <= d <= 6 and a two-digit exponent: the mantissa from one multiplication by a
// power of ten, in exact integers only near a half (the general writer).
// nullptr when the field is not one of these.
[[gnu::always_inline]] inline char* FastExponent(char* out, double value, int width, int decimals)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (decimals < 1 || decimals > kMaxFastExponentDecimals || biased == 0x7ff || width <= 0
        || (biased == 0 && (bits & kFractionMask) != 0)) {
        return nullptr;
    }
    const std::uint64_t low = kPow10[static_cast<std::size_t>(decimals - 1)];
    const std::uint64_t high = kPow10[static_cast<std::size_t>(decimals)];
    std::uint64_t mantissa = 0;
    int exponent = 0; // of the 0.ddd form: 10^(exponent - 1) <= |value| < 10^exponent
    if (biased != 0) {
        const double magnitude = std::fabs(value);
        // 2^(L-1) <= |value| < 2^L; floor((L - 1) log10 2) + 1 in integers (78913 / 2^18 is
        // log10 2 to 6 digits) is the exponent or one below it.
        const int bitLength = biased - 1022;
        exponent = (((bitLength - 1) * 78913) >> 18) + 1;
        double scaled = 0.0;
        bool found = false;
        for (int attempt = 0; attempt < 3 && !found; ++attempt) {
            const int k = decimals - exponent;
            if (k > 22 || k < -22) {
                return nullptr;
            }
            scaled = magnitude
                     * (k >= 0 ? kPow10Double[static_cast<std::size_t>(k)]
                               : kInversePow10Double[static_cast<std::size_t>(-k)]);
            if (scaled < static_cast<double>(low)) {
                --exponent;
            } else if (scaled >= static_cast<double>(high)) {
                ++exponent;
            } else {
                found = true;
            }
        }
        if (!found) {
            return nullptr;
        }
        const auto whole = static_cast<std::int64_t>(scaled); // below 10^6
        const double fraction = scaled - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) < kTieWindow) {
            return nullptr;
        }
        mantissa = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        if (mantissa == high) {
            mantissa = low;
            ++exponent;
        }
    }
    if (exponent > 99 || exponent < -99) {
        return nullptr;
    }
    const bool negative = (bits >> 63) != 0 && mantissa != 0;
    // [-]0.ddd then E+dd; without the 0 when only that fits.
    constexpr int kExponentLength = 4;
    const int length = (negative ? 1 : 0) + 2 + decimals + kExponentLength;
    const bool dropZero = length > width;
    if (length - (dropZero ? 1 : 0) > width) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return out + width;
    }
    FillBlanks(out, width);
    char* p =
        PairBackward(out + width, static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent));
    *--p = exponent < 0 ? '-' : '+';
    *--p = 'E';
    p = DigitsBackward(p, mantissa, decimals);
    *--p = '.';
    if (!dropZero) {
        *--p = '0';
    }
    if (negative) {
        *--p = '-';
    }
    return out + width;
}

} // namespace fieldwriters
