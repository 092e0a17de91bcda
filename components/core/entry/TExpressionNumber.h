#pragma once

#include <string>
#include <string_view>

// Decimal number text as the expression evaluator and the word reader read and write it.
// Both always use "." as the decimal point, whatever the process locale says.
namespace DecimalText {

enum class TReadResult
{
    Ok,         // the whole text is a number within range
    NotANumber, // the text is not a decimal number
    OutOfRange  // a decimal number, but too large for an 80-bit extended value
};

// Reads the whole text as: an optional "+" or "-", digits with at most one "." (at least one
// digit in all), then optionally "E" or "e", an optional sign and at least one digit. No
// blanks, no "," decimal point, no hexadecimal, no "inf" or "nan". A value too small to be
// held becomes the nearest denormal or zero. `value` is set only when the result is Ok.
TReadResult Read(std::string_view text, long double& value);

// The quick way of Read for the numbers the program writes itself: at most 19 significant
// digits and a power of ten of at most 27 in size, read exactly as Read reads them (one
// correctly rounded operation on exact parts). False, value untouched, for any other text,
// which Read then takes.
bool ReadShort(std::string_view text, long double& value);

// General format with 18 significant digits, rounded to nearest: fixed notation without
// trailing zeros when the rounded magnitude is at least 0.0001 and below 10^18, otherwise a
// mantissa without trailing zeros, "E", and the exponent with a minus sign only when negative
// ("1E-5", "2.5E20"). Zero is "0". Only finite values are passed in.
std::string WriteGeneral18(long double value);

} // namespace DecimalText
