#include "entry/TExpression.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "entry/TExpressionNumber.h"

// The evaluator rewrites text: groups in parentheses are evaluated first and put back as
// number text, then the operators are reduced in four passes of falling precedence, each
// result again written back as text with 18 significant digits. Keeping that text round trip
// is what makes results agree digit for digit with what the fields have always shown.

namespace {

// The binary minus is rewritten to this character before the text is split, so that a minus
// that belongs to a number is never taken for an operator.
constexpr char kBinaryMinus = static_cast<char>(155);

constexpr std::string_view kMessagePrefix = "Entry could not be evaluated:\r";

constexpr std::string_view kReasonBlank = "entry cannot be blank";
constexpr std::string_view kReasonParentheses = "() (parentheses) do not match";
constexpr std::string_view kReasonInvalidExpression = "invalid expression";
constexpr std::string_view kReasonInvalidCharacters = "invalid character(s) in expression";
constexpr std::string_view kReasonHex = "invalid use of $ (hex function)";
constexpr std::string_view kReasonFactorialIntegers = "! (factoral) applicable to integers only";
constexpr std::string_view kReasonFactorialTooLarge =
    "! (factorial) of a number above 1754 is too large";
constexpr std::string_view kReasonDivisionByZero = "division by zero";
constexpr std::string_view kReasonRemainderByZero = "% (remainder) by zero";
constexpr std::string_view kReasonRemainderRange =
    "% (remainder): operand outside the 64-bit integer range";
constexpr std::string_view kReasonLogZero = "logarithm of zero";
constexpr std::string_view kReasonLogNegative = "logarithm of a negative number";
constexpr std::string_view kReasonSqrtNegative = "square root of a negative number";
constexpr std::string_view kReasonRootNegative =
    "root of a negative number (negative base with a fractional exponent)";
constexpr std::string_view kReasonOverflow = "result too large (overflow)";
constexpr std::string_view kReasonNumberTooLarge = "number too large";
constexpr std::string_view kReasonRoundRange = "round: value outside the 64-bit integer range";
constexpr std::string_view kReasonCeilRange = "ceil: value outside the 32-bit integer range";
constexpr std::string_view kReasonFloorRange = "floor: value outside the 32-bit integer range";
constexpr std::string_view kReasonArcsin = "arcsin: argument outside -1 to 1";
constexpr std::string_view kReasonArccos = "arccos: argument outside -1 to 1";
constexpr std::string_view kReasonArctanh = "arctanh: argument not strictly between -1 and 1";
constexpr std::string_view kReasonArccosh = "arccosh: argument below 1";
constexpr std::string_view kReasonTooLong = "entry too long (more than 4096 characters)";
constexpr std::string_view kReasonTooDeep =
    "functions or factorials nested too deeply (more than 100)";
constexpr std::string_view kReasonGlued = "missing operator next to ( ) (write 2*(3), not 2(3))";

// Tested in this order, each when the operand begins with the name.
constexpr std::array<std::string_view, 25> kFunctionNames = {
    "arctanh", "arctan", "cotan",   "tanh",   "tan",   "arccosh", "arccos", "cosh", "cosec",
    "cos",     "sec",    "arcsinh", "arcsin", "sinh",  "sin",     "csc",    "abs",  "frac",
    "int",     "ln",     "round",   "ceil",   "floor", "log",     "sqrt"};
constexpr std::size_t kLongestFunctionName = 7;

// 2^63 and 2^31, exactly representable in an 80-bit extended value.
constexpr long double kTwoTo63 = 9223372036854775808.0L;
constexpr long double kTwoTo31 = 2147483648.0L;

// Factorials above this overflow an 80-bit extended value (1755! > 1.19e4932).
constexpr long double kLargestFactorialArgument = 1754;

[[noreturn]] void Fail(std::string_view reason)
{
    std::string message(kMessagePrefix);
    message += reason;
    throw EAssignError(message);
}

long double Finite(long double value)
{
    if (!std::isfinite(value)) {
        Fail(kReasonOverflow);
    }
    return value;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool IsOperator(char c)
{
    switch (c) {
    case '^':
    case '*':
    case '/':
    case '%':
    case '+':
    case '=':
    case '|':
    case '&':
    case kBinaryMinus:
        return true;
    default:
        return false;
    }
}

// A "-" after one of these is a sign. "E" and "e" make the minus of an exponent (1E-5) a sign.
bool IsUnaryContext(char c)
{
    switch (c) {
    case '%':
    case '&':
    case '*':
    case '+':
    case '/':
    case '=':
    case 'E':
    case '^':
    case 'e':
    case '|':
    case '~':
    case kBinaryMinus:
        return true;
    default:
        return false;
    }
}

long double RoundHalfEven(long double x)
{
    const long double nearest = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5L && std::fmod(nearest, 2.0L) != 0) {
        return nearest - std::copysign(1.0L, x);
    }
    return nearest;
}

std::int64_t TruncateToInt64(long double x)
{
    const long double whole = std::trunc(x);
    if (!(whole >= -kTwoTo63 && whole < kTwoTo63)) {
        Fail(kReasonRemainderRange);
    }
    return static_cast<std::int64_t>(whole);
}

long double InInt32Range(long double whole, std::string_view reason)
{
    if (!(whole >= -kTwoTo31 && whole < kTwoTo31)) {
        Fail(reason);
    }
    return whole;
}

long double Logarithm(long double x, bool common)
{
    if (x == 0) {
        Fail(kReasonLogZero);
    }
    if (x < 0) {
        Fail(kReasonLogNegative);
    }
    return common ? std::log10(x) : std::log(x);
}

long double ApplyNamedFunction(std::size_t index, long double x)
{
    switch (index) {
    case 0: // arctanh
        if (!(std::fabs(x) < 1)) {
            Fail(kReasonArctanh);
        }
        return std::atanh(x);
    case 1: // arctan
        return std::atan(x);
    case 2: { // cotan
        const long double tangent = std::tan(x);
        if (tangent == 0) {
            Fail(kReasonDivisionByZero);
        }
        return Finite(1 / tangent);
    }
    case 3: // tanh
        return std::tanh(x);
    case 4: // tan
        return Finite(std::tan(x));
    case 5: // arccosh
        if (!(x >= 1)) {
            Fail(kReasonArccosh);
        }
        return std::acosh(x);
    case 6: // arccos
        if (!(std::fabs(x) <= 1)) {
            Fail(kReasonArccos);
        }
        return std::acos(x);
    case 7: // cosh
        return Finite(std::cosh(x));
    case 8:  // cosec
    case 15: // csc
        return Cosecant(x);
    case 9: // cos
        return std::cos(x);
    case 10: // sec
        return Secant(x);
    case 11: // arcsinh
        return std::asinh(x);
    case 12: // arcsin
        if (!(std::fabs(x) <= 1)) {
            Fail(kReasonArcsin);
        }
        return std::asin(x);
    case 13: // sinh
        return Finite(std::sinh(x));
    case 14: // sin
        return std::sin(x);
    case 16: // abs
        return std::fabs(x);
    case 17: // frac: the sign is kept
        return x - std::trunc(x);
    case 18: // int: toward zero
        return std::trunc(x);
    case 19: // ln
        return Logarithm(x, false);
    case 20: { // round: half to even, as a 64-bit integer
        const long double nearest = RoundHalfEven(x);
        if (!(nearest >= -kTwoTo63 && nearest < kTwoTo63)) {
            Fail(kReasonRoundRange);
        }
        return nearest;
    }
    case 21: // ceil: a 32-bit integer
        return InInt32Range(std::ceil(x), kReasonCeilRange);
    case 22: // floor: a 32-bit integer
        return InInt32Range(std::floor(x), kReasonFloorRange);
    case 23: // log
        return Logarithm(x, true);
    case 24: // sqrt
        if (x < 0) {
            Fail(kReasonSqrtNegative);
        }
        return std::sqrt(x);
    default:
        Fail(kReasonInvalidCharacters);
    }
}

// "$" followed by hexadecimal digits, at most 32 bits, taken as a signed 32-bit integer the
// way the class library reads it ($FFFFFFFF is -1).
long double ReadHexadecimal(std::string_view operand)
{
    if (operand.size() < 2) {
        Fail(kReasonHex);
    }
    std::uint64_t value = 0;
    for (const char c : operand.substr(1)) {
        unsigned digit = 0;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else {
            Fail(kReasonHex);
        }
        value = value * 16 + digit;
        if (value > 0xFFFFFFFFu) {
            Fail(kReasonHex);
        }
    }
    return static_cast<long double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

long double Power(long double base, long double exponent)
{
    if (exponent == 0) {
        return 1;
    }
    if (base == 0) {
        if (exponent < 0) {
            Fail(kReasonDivisionByZero);
        }
        return 0;
    }
    if (base < 0 && exponent != std::trunc(exponent)) {
        Fail(kReasonRootNegative);
    }
    return Finite(std::pow(base, exponent));
}

long double ApplyAt(std::string_view operand, int depth);

std::string ApplyOperator(char op, long double left, long double right)
{
    switch (op) {
    case '^':
        return DecimalText::WriteGeneral18(Power(left, right));
    case '*':
        return DecimalText::WriteGeneral18(Finite(left * right));
    case '/':
        if (right == 0) {
            Fail(kReasonDivisionByZero);
        }
        return DecimalText::WriteGeneral18(Finite(left / right));
    case '%': {
        const std::int64_t dividend = TruncateToInt64(left);
        const std::int64_t divisor = TruncateToInt64(right);
        if (divisor == 0) {
            Fail(kReasonRemainderByZero);
        }
        // INT64_MIN % -1 is undefined in C++; the remainder is 0.
        return std::to_string(divisor == -1 ? 0 : dividend % divisor);
    }
    case '&':
        return left != 0 && right != 0 ? "1" : "0";
    case '+':
        return DecimalText::WriteGeneral18(Finite(left + right));
    case kBinaryMinus:
        return DecimalText::WriteGeneral18(Finite(left - right));
    case '|':
        return left != 0 || right != 0 ? "1" : "0";
    case '=':
        return left == right ? "1" : "0";
    default:
        Fail(kReasonInvalidExpression);
    }
}

long double ApplyAt(std::string_view operand, int depth)
{
    if (depth > kMaxExpressionNesting) {
        Fail(kReasonTooDeep);
    }
    std::string text(operand);
    // --5 is 5: drop sign pairs, the first pair each time.
    for (std::size_t pos = text.find("--"); pos != std::string::npos;
         pos = text.find("--", pos == 0 ? 0 : pos - 1)) {
        text.erase(pos, 2);
    }
    text = LowerCase(text);

    if (text == "pi") {
        return std::numbers::pi_v<long double>;
    }
    if (text == "-pi") {
        return -std::numbers::pi_v<long double>;
    }
    if (text == "e") {
        return std::numbers::e_v<long double>;
    }
    if (text == "-e") {
        return -std::numbers::e_v<long double>;
    }
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
        if (text.starts_with(kFunctionNames[i])) {
            const long double argument =
                ApplyAt(std::string_view(text).substr(kFunctionNames[i].size()), depth + 1);
            return Finite(ApplyNamedFunction(i, argument));
        }
    }
    if (!text.empty() && text.back() == '!') {
        return Factorial(ApplyAt(std::string_view(text).substr(0, text.size() - 1), depth + 1));
    }
    if (!text.empty() && text.front() == '$') {
        return ReadHexadecimal(text);
    }
    long double value = 0;
    switch (DecimalText::Read(text, value)) {
    case DecimalText::TReadResult::Ok:
        return value;
    case DecimalText::TReadResult::OutOfRange:
        Fail(kReasonNumberTooLarge);
    case DecimalText::TReadResult::NotANumber:
        break;
    }
    Fail(kReasonInvalidCharacters);
}

// True when the text before `end` ends with a function name (sin(, sqrt(, arctanh().
bool EndsWithFunctionName(const std::string& text, std::size_t end)
{
    for (const std::string_view name : kFunctionNames) {
        if (end >= name.size()
            && LowerCase(std::string_view(text).substr(end - name.size(), name.size())) == name) {
            return true;
        }
    }
    return false;
}

// A group whose value would be glued onto a number or name next to it (2(3) would read as
// 23, (2)3 and 1e(5) alike, $ff(2) as $ff2) is refused instead of silently giving another
// number. A function name before the group is its call: sin(0.5).
void CheckGroupNeighbours(const std::string& text, std::size_t open, std::size_t close)
{
    if (open > 0) {
        const char before = text[open - 1];
        if ((IsDigit(before) || IsAsciiLetter(before) || before == '.')
            && !EndsWithFunctionName(text, open)) {
            Fail(kReasonGlued);
        }
    }
    if (close + 1 < text.size()) {
        const char after = text[close + 1];
        if (IsDigit(after) || IsAsciiLetter(after) || after == '.' || after == '$') {
            Fail(kReasonGlued);
        }
    }
}

long double Evaluate(std::string_view entry)
{
    if (entry.empty()) {
        Fail(kReasonBlank);
    }
    std::string text;
    text.reserve(entry.size());
    for (const char c : entry) {
        if (c != ' ' && c != '\t') {
            text.push_back(c);
        }
    }
    if (text.size() > kMaxExpressionLength) {
        Fail(kReasonTooLong);
    }
    // The internal binary-minus character may not come from outside.
    if (text.find(kBinaryMinus) != std::string::npos) {
        Fail(kReasonInvalidCharacters);
    }

    // Parentheses, innermost first; a group holds no parentheses, so this recurses one level.
    for (std::size_t close = text.find(')'); close != std::string::npos; close = text.find(')')) {
        const std::size_t open = text.rfind('(', close);
        if (open == std::string::npos) {
            Fail(kReasonParentheses);
        }
        CheckGroupNeighbours(text, open, close);
        const long double value =
            Evaluate(std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, DecimalText::WriteGeneral18(value));
    }

    // Minus signs: a sign stays "-", a binary minus becomes kBinaryMinus.
    std::string scan = text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-') {
            continue;
        }
        const bool sign =
            i == 0
            || (i <= kLongestFunctionName && IsFunctionName(std::string_view(text).substr(0, i)))
            || IsUnaryContext(scan[i - 1]);
        if (sign) {
            scan[i] = '~';
        } else {
            scan[i] = kBinaryMinus;
            text[i] = kBinaryMinus;
        }
    }

    // Split into operands and operators; a trailing operator leaves one operand short.
    std::vector<std::string> operands;
    std::vector<char> operators;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsOperator(text[i])) {
            operands.push_back(text.substr(start, i - start));
            operators.push_back(text[i]);
            start = i + 1;
        }
    }
    if (start < text.size()) {
        operands.push_back(text.substr(start));
    }
    if (operands.size() != operators.size() + 1) {
        Fail(kReasonInvalidExpression);
    }

    // Four passes of falling precedence, each left to right (left-associative).
    constexpr std::array<std::string_view, 4> kPasses = {"^",
                                                         "*/%&",
                                                         std::string_view("+\x9b|", 3),
                                                         "="};
    for (const std::string_view pass : kPasses) {
        std::size_t i = 0;
        while (i < operators.size()) {
            if (pass.find(operators[i]) == std::string_view::npos) {
                ++i;
                continue;
            }
            const long double left = ApplyAt(operands[i], 0);
            const long double right = ApplyAt(operands[i + 1], 0);
            operands[i] = ApplyOperator(operators[i], left, right);
            operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return ApplyAt(operands.front(), 0);
}

} // namespace

long double EvaluateExpression(std::string_view text)
{
    return Evaluate(text);
}

long double ApplyFunction(std::string_view operand)
{
    return ApplyAt(operand, 0);
}

bool IsFunctionName(std::string_view text)
{
    const std::string lower = LowerCase(text);
    if (lower == "!" || lower == "$") {
        return true;
    }
    for (const std::string_view name : kFunctionNames) {
        if (lower == name) {
            return true;
        }
    }
    return false;
}

long double Factorial(long double value)
{
    if (value != std::trunc(value)) {
        Fail(kReasonFactorialIntegers);
    }
    const long double magnitude = std::fabs(value);
    if (magnitude > kLargestFactorialArgument) {
        Fail(kReasonFactorialTooLarge);
    }
    long double result = 1;
    for (long double k = magnitude; k >= 2; k -= 1) {
        result *= k;
    }
    return value < 0 ? -result : result;
}

long double Secant(long double x)
{
    const long double cosine = std::cos(x);
    if (cosine == 0) {
        Fail(kReasonDivisionByZero);
    }
    return Finite(1 / cosine);
}

long double Cosecant(long double x)
{
    const long double sine = std::sin(x);
    if (sine == 0) {
        Fail(kReasonDivisionByZero);
    }
    return Finite(1 / sine);
}
