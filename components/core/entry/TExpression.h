#pragma once

#include <cstddef>
#include <string_view>

#include "support/Exception.h"

// The arithmetic entry of every numeric field (edit and combo boxes, grid cells).
//
// Grammar, by falling precedence, each level left-associative:
//   ^            power (2^3^2 is 64)
//   * / % &      product, quotient, remainder of the operands truncated to 64-bit integers
//                (sign of the left one), logical and ("1" or "0")
//   + - |        sum, difference, logical or
//   =            equality ("1" or "0")
// Parentheses group; a "-" at the start, after an operator, after "E"/"e" or after a leading
// function name is a sign. Operands are numbers ("." decimal point, optional exponent), the
// constants pi and e, $hex (32-bit), n! (factorial) and the functions arctanh arctan cotan
// tanh tan arccosh arccos cosh cosec cos sec arcsinh arcsin sinh sin csc abs frac int ln
// round ceil floor log sqrt applied to the rest of the operand (sin(0.5), sinsqrt4), angles in
// radians. Names are case-insensitive; blanks and tabs are ignored.
//
// Every intermediate result is carried as text with 18 significant digits, so 1/3 is
// 0.333333333333333333 and (1/3)*3 is 0.999999999999999999.
//
// Every failure raises EAssignError with the message "Entry could not be evaluated:", a
// carriage return and the reason. Arithmetic that has no finite value (division by zero,
// logarithm or root of a negative number, overflow, % by zero, a factorial or a rounding out
// of range) is refused the same way: no call returns an infinity or a NaN.

// Longest entry, blanks and tabs not counted, that is evaluated.
inline constexpr std::size_t kMaxExpressionLength = 4096;
// Deepest chain of functions and factorials in one operand (sinsinsin...1, 3!!!).
inline constexpr int kMaxExpressionNesting = 100;

// The value of an entry, or EAssignError.
long double EvaluateExpression(std::string_view text);

// The value of one operand: a number, a constant, a function applied to the rest of the
// operand, a factorial or a hexadecimal integer. Raises EAssignError.
long double ApplyFunction(std::string_view operand);

// True when the lower-cased text is one of the function names, "!" or "$".
bool IsFunctionName(std::string_view text);

// Signed factorial of an integral value: 5 gives 120, -3 gives -6, 0 gives 1. Raises
// EAssignError for a value with a fractional part or one whose factorial overflows (above 1754).
long double Factorial(long double value);

// 1 / cos x and 1 / sin x; EAssignError when the divisor is zero.
long double Secant(long double x);
long double Cosecant(long double x);
