#pragma once

#include <string>
#include <string_view>

#include "report/FieldWriters.h"

// The one fixed-field writer of the report and the plot-data file. The rules that every
// field shares live here and nowhere else:
// - numbers are right-aligned in their field; a number too wide for it is w asterisks;
// - rounding is to nearest on the exact binary value, ties away from zero (0.125 in F5.2
//   is 0.13, 2.5 in F3.0 is 3.);
// - a value that rounds to zero prints without a sign (-0.001 in F7.2 is 0.00), so a
//   negative zero never reaches a report;
// - a fixed or exponent field drops its leading 0 before the point only when the field is
//   too narrow for it (0.5 in F3.2 is .50), as a Fortran run-time does;
// - NaN and infinities print as NaN, Inf and -Inf, right-aligned (asterisks when narrower),
//   so they are never mistaken for a large number;
// - "." is the decimal separator whatever the locale.

// The fields written into a caller's buffer, without allocating: each writes exactly
// max(width, 0) characters at out and returns the end of what it wrote.
char* PutI(char* out, long long value, int width);
char* PutA(char* out, std::string_view text, int width);
// Fw.d and Ew.d of any value and width; PutF and PutE take the common fields inline and
// hand the others to these.
char* PutFixedField(char* out, double value, int width, int decimals);
char* PutExponentField(char* out, double value, int width, int decimals);

[[gnu::always_inline]] inline char* PutF(char* out, double value, int width, int decimals)
{
    char* end = fieldwriters::FastFixed(out, value, width, decimals);
    return end != nullptr ? end : PutFixedField(out, value, width, decimals);
}

[[gnu::always_inline]] inline char* PutE(char* out, double value, int width, int decimals)
{
    char* end = fieldwriters::FastExponent(out, value, width, decimals);
    return end != nullptr ? end : PutExponentField(out, value, width, decimals);
}

[[gnu::always_inline]] inline char* PutX(char* out, int count)
{
    if (count <= 0) {
        return out;
    }
    fieldwriters::FillBlanks(out, count);
    return out + count;
}

// Iw: an integer.
std::string FormatI(long long value, int width);
// Fw.d: a decimal number with d digits after the point.
std::string FormatF(double value, int width, int decimals);
// Ew.d: 0.ddd...E+xx with d digits after the point and a two-digit exponent (three digits,
// without the E, when the exponent exceeds 99).
std::string FormatE(double value, int width, int decimals);
// Aw: the text cut or padded with blanks on the right to w characters.
std::string FormatA(std::string_view text, int width);
// nX: n blanks.
std::string Blanks(int count);
// A character repeated n times.
std::string Repeat(char c, int count);
// Text with its trailing blanks removed.
std::string TrimRight(std::string_view text);

// One output line built field by field in a buffer of its own, for the lines written by the
// thousand (capacity rows, curve points, load distribution): no allocation; Data() and Size()
// hand the line to one write. A line longer than the buffer is a defect: it is cut.
class TFieldLine
{
public:
    static constexpr int kCapacity = 256;

    TFieldLine& X(int count)
    {
        return Put(count, [&](char* o) { return PutX(o, count); });
    }
    TFieldLine& T(std::string_view text)
    {
        return Put(static_cast<int>(text.size()),
                   [&](char* o) { return PutA(o, text, static_cast<int>(text.size())); });
    }
    TFieldLine& I(long long value, int width)
    {
        return Put(width, [&](char* o) { return PutI(o, value, width); });
    }
    TFieldLine& F(double value, int width, int decimals)
    {
        return Put(width, [&](char* o) { return PutF(o, value, width, decimals); });
    }
    TFieldLine& E(double value, int width, int decimals)
    {
        return Put(width, [&](char* o) { return PutE(o, value, width, decimals); });
    }
    TFieldLine& NewLine()
    {
        return Put(1, [](char* o) {
            *o = '\n';
            return o + 1;
        });
    }
    const char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    std::string_view View() const { return {m_data, Size()}; }

private:
    template<typename TWrite>
    TFieldLine& Put(int width, TWrite write)
    {
        if (width > 0 && static_cast<std::size_t>(width) <= kCapacity - m_size) {
            m_size = static_cast<std::size_t>(write(m_data + m_size) - m_data);
        }
        return *this;
    }
    char m_data[kCapacity];
    std::size_t m_size = 0; // a size, not a pointer, so a copied line stays whole
};

// One output line built field by field, in the order a FORMAT list reads:
//   TRecord().X(10).F(depth, 7, 2).X(3).A(type, 4).Str()
class TRecord
{
public:
    TRecord();
    TRecord& X(int count);
    TRecord& T(std::string_view text);
    TRecord& I(long long value, int width);
    TRecord& F(double value, int width, int decimals);
    TRecord& E(double value, int width, int decimals);
    TRecord& A(std::string_view text, int width);
    const std::string& Str() const { return m_line; }

private:
    static constexpr std::size_t kLineRoom = 128; // a report line, so the line is not moved
    template<typename TPut>
    TRecord& Field(int width, TPut put);
    std::string m_line;
};
