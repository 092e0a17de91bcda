#include "report/FieldFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

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

} // namespace

std::string FormatI(long long value, int width)
{
    std::array<char, 32> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    (void)ec;
    return RightAlign(std::string(buf.data(), end), width);
}

std::string FormatF(double value, int width, int decimals)
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
    std::string out = (negative ? "-" : "") + whole + "." + fraction;
    if (static_cast<int>(out.size()) > width && whole == "0") {
        out = (negative ? "-" : "") + std::string(".") + fraction;
    }
    return RightAlign(out, width);
}

std::string FormatE(double value, int width, int decimals)
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
        expText = std::string("E") + (exponent < 0 ? "-" : "+") + (absExp < 10 ? "0" : "")
                  + std::to_string(absExp);
    } else if (absExp <= 999) {
        expText = (exponent < 0 ? "-" : "+") + std::to_string(absExp);
    } else {
        return Stars(width);
    }
    std::string out = (negative ? "-" : "") + std::string("0.") + mantissa + expText;
    if (static_cast<int>(out.size()) > width) {
        out = (negative ? "-" : "") + std::string(".") + mantissa + expText;
    }
    return RightAlign(out, width);
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

TRecord& TRecord::X(int count)
{
    m_line += Blanks(count);
    return *this;
}

TRecord& TRecord::T(std::string_view text)
{
    m_line += text;
    return *this;
}

TRecord& TRecord::I(long long value, int width)
{
    m_line += FormatI(value, width);
    return *this;
}

TRecord& TRecord::F(double value, int width, int decimals)
{
    m_line += FormatF(value, width, decimals);
    return *this;
}

TRecord& TRecord::E(double value, int width, int decimals)
{
    m_line += FormatE(value, width, decimals);
    return *this;
}

TRecord& TRecord::A(std::string_view text, int width)
{
    m_line += FormatA(text, width);
    return *this;
}
