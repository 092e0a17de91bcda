#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Decimal text of numbers, written and read with "." whatever the process locale says. Every
// number that the components show, write to a file or read back goes through here.
//
// Rounding to the asked number of digits is half away from zero on the value's exact binary
// expansion (12.25 with 3 digits gives 12.3), as one rounds by hand. NaN and infinities are
// written "NAN", "INF" and "-INF". Negative zero is written as zero, without a sign.

// Significant digits that a long double (64-bit mantissa) carries reliably.
inline constexpr int kMaxSignificantDigits = 18;

// General format with `precision` significant digits (clamped to 1..kMaxSignificantDigits):
// fixed notation without trailing zeros or a trailing point when the rounded value is at least
// 0.0001 and below 10^precision; otherwise a mantissa without trailing zeros, "E", a minus sign
// for negative exponents only, and the exponent with at least `minExponentDigits` digits
// (0.00001 -> "1E-5"; 2.5e12 with 10 digits -> "2.5E12"). Zero is "0".
std::string FormatFloatGeneral(long double value, int precision, int minExponentDigits = 0);

// Exponent format: one digit, ".", precision - 1 digits (trailing zeros kept), "E", the sign
// of the exponent always, and at least `minExponentDigits` exponent digits (clamped to 1..4).
// 12.5 with 3 digits and 2 exponent digits -> "1.25E+01"; zero -> "0.00E+00".
std::string FormatFloatExponent(long double value, int precision, int minExponentDigits);

// Fixed notation with exactly `decimals` digits after the point (clamped to 0..40; none gives
// no point). A value that rounds to zero is written without a minus sign.
std::string FormatFloatFixed(long double value, int decimals);

// The named formats of the program.
std::string FormatGeneral(long double value);   // general, 10 significant digits (project file)
std::string FormatGeneral8(long double value);  // general, 8 digits (grid cells, combo boxes)
std::string FormatGeneral18(long double value); // general, 18 digits (edit boxes, expressions)
std::string FormatExponent1(long double value); // 3 digits, signed exponent: 1.25E+1
std::string FormatExponent2(long double value); // 3 digits, two exponent digits: 1.25E+01

// Reading. The accepted text is: optional blanks, an optional "+" or "-", digits with at most
// one "." (at least one digit in all), optionally "E" or "e", an optional sign and at least one
// digit, then optional blanks. Nothing else: no thousands separators, no "," decimal point, no
// hexadecimal, no "inf" or "nan". A value too large for a long double is refused; a value too
// small to be held becomes zero with the sign as written.

// True and the value when the whole text is a number; false (value untouched) otherwise.
bool TryParseNumber(std::string_view text, long double& value);

// The value of the whole text; raises EConvertError "'<text>' is not a valid floating point
// value" otherwise.
long double ParseNumber(std::string_view text);

// The number at the start of text (no blanks skipped): returns how many characters it takes,
// 0 when text does not start with a number or the number is out of range. An "E" not followed
// by an exponent is left unread ("2E+" reads "2", length 1).
std::size_t ScanNumber(std::string_view text, long double& value);
