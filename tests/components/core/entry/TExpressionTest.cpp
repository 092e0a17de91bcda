#include "entry/TExpression.h"

#include <clocale>
#include <cmath>
#include <cstring>
#include <locale>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::string kPrefix = "Entry could not be evaluated:\r";

struct ValueCase
{
    const char* text;
    long double expected;
};

// Expected values worked out by hand; every intermediate result is carried with 18
// significant digits, which is why 1/3 and (1/3)*3 come out as they do.
const ValueCase kValueCases[] = {
    {"2+3*4", 14},
    {"2*3^2", 18},
    {"(2+3)*4", 20},
    {"2-(3-5)", 4},
    {"-2^2", 4}, // the sign belongs to the operand
    {"2^3^2", 64},
    {"8/2/2", 2},
    {"10/4", 2.5L},
    {"1E-5*2", 0.00002L},
    {"1e-5", 0.00001L},
    {"7%3", 1},
    {"-7%3", -1},
    {"7.9%2.5", 1},
    {"3&0", 0},
    {"3&2", 1},
    {"0&5", 0},
    {"0|0", 0},
    {"0|2", 1},
    {"2=2", 1},
    {"2=3", 0},
    {"1+1=2", 1},
    {"$ff", 255},
    {"$FF", 255},
    {"$ffffffff", -1}, // a signed 32-bit integer
    {"5!", 120},
    {"0!", 1},
    {"-3!", -6},
    {"(2+1)!", 6},
    {"sin(pi/2)", 1},
    {"cosec(pi/2)", 1},
    {"csc(pi/2)", 1},
    {"sqrt(16)", 4},
    {"sqrtsqrt16", 2},
    {"sqrtsqrt(16)", 2},
    {"SQRT(16)+abs(2)", 6},
    {"$(10)", 16},
    {"round(2.5)", 2},
    {"round(3.5)", 4},
    {"round(-2.5)", -2},
    {"floor(-1.5)", -2},
    {"ceil(1.2)", 2},
    {"int(-2.7)", -2},
    {"frac(-2.5)", -0.5L},
    {"abs(-3)", 3},
    {"ln(1)", 0},
    {"--5", 5},
    {"2*-3", -6},
    {"2--3", 5},
    {"2---3", -1},
    {"1/3", 0.333333333333333333L},
    {"(1/3)*3", 0.999999999999999999L},
    {"2*(sin(-1))", -1.68294196961579301L}, // 2 x -0.841470984807896507, 18 digits
    {" 2 +\t3 ", 5},
    {"PI", 3.14159265358979323846264338327950288L},
    {"-pi", -3.14159265358979323846264338327950288L},
    {"E", 2.71828182845904523536028747135266250L},
    {"2^0.5", 1.41421356237309505L},
    {"1e4000/1e3990", 1e10L},
    {"0^0", 1},
    {"(-2)^3", -8},
    {"2^-2", 0.25L},
};

TEST(TExpressionTest, EvaluatesTheTableOfEntries)
{
    for (const ValueCase& c : kValueCases) {
        SCOPED_TRACE(c.text);
        try {
            EXPECT_EQ(EvaluateExpression(c.text), c.expected);
        } catch (const EAssignError& e) {
            ADD_FAILURE() << "refused: " << e.what();
        }
    }
}

// The run-time's functions may differ from the exact value in the last bit or two.
constexpr long double kFunctionTolerance = 1e-18L;

TEST(TExpressionTest, FunctionsTakeTheRestOfTheOperand)
{
    const ValueCase cases[] = {
        {"sinsqrt4", 0.909297426825681695396L}, // sin 2
        {"sin-0.5", -0.479425538604203000273L}, // sin(-0.5)
        {"SIN(0.5)", 0.479425538604203000273L},
        {"cotan(1)", 0.642092615934330703006L},     // 1 / tan 1
        {"arctanh(0.5)", 0.549306144334054845697L}, // ln(3) / 2
        {"sec(1)", 1.85081571768092561791L},        // 1 / cos 1
        {"log(1000)", 3},
        {"lne", 1},
        // The group's value is carried as 2.71828182845904524: ln of that is 1 + 1.7069e-18.
        {"ln(e)", 1.0000000000000000017069L},
        {"arctan(1)*4", 3.14159265358979324L}, // pi, carried with 18 digits
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(static_cast<double>(EvaluateExpression(c.text) - c.expected),
                    0.0,
                    static_cast<double>(kFunctionTolerance));
    }
}

struct ErrorCase
{
    const char* text;
    const char* reason;
};

const ErrorCase kErrorCases[] = {
    {"", "entry cannot be blank"},
    {"   ", "invalid expression"},
    {"2+", "invalid expression"},
    {"2)", "() (parentheses) do not match"},
    {"(2", "invalid character(s) in expression"},
    {"abc", "invalid character(s) in expression"},
    {"$xyz", "invalid use of $ (hex function)"},
    {"$", "invalid use of $ (hex function)"},
    {"$100000000", "invalid use of $ (hex function)"},
    {"2.5!", "! (factoral) applicable to integers only"},
    {"2*sin(-1)", "invalid character(s) in expression"},
    {"sqrt(16)+abs(-1)", "invalid character(s) in expression"},
    {"2,5", "invalid character(s) in expression"},
    {"1e+5", "invalid character(s) in expression"},
    {"inf", "invalid character(s) in expression"},
    {"nan", "invalid character(s) in expression"},
    {"5\x9b"
     "3",
     "invalid character(s) in expression"},
    {"()", "entry cannot be blank"},
    // Arithmetic without a finite value.
    {"1/0", "division by zero"},
    {"0/0", "division by zero"},
    {"0^-1", "division by zero"},
    {"cotan(0)", "division by zero"},
    {"cosec(0)", "division by zero"},
    {"csc(0)", "division by zero"},
    {"5%0", "% (remainder) by zero"},
    {"5%0.5", "% (remainder) by zero"},
    {"1e30%3", "% (remainder): operand outside the 64-bit integer range"},
    {"ln(0)", "logarithm of zero"},
    {"ln(-1)", "logarithm of a negative number"},
    {"log(0)", "logarithm of zero"},
    {"log(-2)", "logarithm of a negative number"},
    {"sqrt(-4)", "square root of a negative number"},
    {"(-8)^(1/3)", "root of a negative number (negative base with a fractional exponent)"},
    {"1e4000*1e4000", "result too large (overflow)"},
    {"1e4932+1e4932", "result too large (overflow)"},
    {"10^5000", "result too large (overflow)"},
    {"sinh(20000)", "result too large (overflow)"},
    {"cosh(20000)", "result too large (overflow)"},
    {"1e5000", "number too large"},
    {"1755!", "! (factorial) of a number above 1754 is too large"},
    {"1e30!", "! (factorial) of a number above 1754 is too large"},
    {"3!!!!", "! (factorial) of a number above 1754 is too large"},
    {"round(1e19)", "round: value outside the 64-bit integer range"},
    {"ceil(3e9)", "ceil: value outside the 32-bit integer range"},
    {"floor(-3e9)", "floor: value outside the 32-bit integer range"},
    {"arcsin(2)", "arcsin: argument outside -1 to 1"},
    {"arccos(-1.5)", "arccos: argument outside -1 to 1"},
    {"arctanh(1)", "arctanh: argument not strictly between -1 and 1"},
    {"arccosh(0.5)", "arccosh: argument below 1"},
    // A group glued to a number would silently read as another number (2(3) as 23).
    {"2(3)", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"(2)3", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"(1)(2)", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"1e(5)", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"(2).5", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"$ff(2)", "missing operator next to ( ) (write 2*(3), not 2(3))"},
    {"pi(2)", "missing operator next to ( ) (write 2*(3), not 2(3))"},
};

TEST(TExpressionTest, RefusesWithTheReason)
{
    for (const ErrorCase& c : kErrorCases) {
        SCOPED_TRACE(c.text);
        try {
            const long double value = EvaluateExpression(c.text);
            ADD_FAILURE() << "accepted with value " << static_cast<double>(value);
        } catch (const EAssignError& e) {
            EXPECT_EQ(e.Message(), kPrefix + c.reason);
        }
    }
}

TEST(TExpressionTest, LargestFactorialIsFinite)
{
    const long double value = EvaluateExpression("1754!");
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_GT(value, 1e4930L);
    EXPECT_EQ(Factorial(-3), -6);
    EXPECT_THROW(Factorial(0.5L), EAssignError);
}

TEST(TExpressionTest, LongAndDeepEntriesAreBounded)
{
    // 2000 ones added: within the length limit, evaluated.
    std::string sum = "1";
    for (int i = 1; i < 2000; ++i) {
        sum += "+1";
    }
    EXPECT_EQ(EvaluateExpression(sum), 2000);

    // 2000 nested parentheses: innermost first, no deep recursion.
    const std::string nested = std::string(2000, '(') + "1" + std::string(2000, ')');
    EXPECT_EQ(EvaluateExpression(nested), 1);

    try {
        EvaluateExpression(std::string(kMaxExpressionLength + 1, '1'));
        ADD_FAILURE() << "accepted";
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), kPrefix + "entry too long (more than 4096 characters)");
    }

    std::string chain;
    for (int i = 0; i < 1000; ++i) {
        chain += "sin";
    }
    chain += "1";
    const std::string tooDeep =
        kPrefix + "functions or factorials nested too deeply (more than 100)";
    try {
        EvaluateExpression(chain);
        ADD_FAILURE() << "accepted";
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), tooDeep);
    }
    try {
        EvaluateExpression("3" + std::string(1000, '!'));
        ADD_FAILURE() << "accepted";
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), tooDeep);
    }
}

TEST(TExpressionTest, IsFunctionNameKnowsTheNames)
{
    EXPECT_TRUE(IsFunctionName("sin"));
    EXPECT_TRUE(IsFunctionName("ArcTanh"));
    EXPECT_TRUE(IsFunctionName("!"));
    EXPECT_TRUE(IsFunctionName("$"));
    EXPECT_FALSE(IsFunctionName("sine"));
    EXPECT_FALSE(IsFunctionName("pi"));
    EXPECT_FALSE(IsFunctionName(""));
}

// Sets a comma-decimal locale for the C and C++ libraries and puts the old ones back.
class CommaDecimalLocale
{
public:
    CommaDecimalLocale()
    {
        m_oldC = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                try {
                    m_oldCpp = std::locale::global(std::locale(name));
                    m_active = true;
                } catch (const std::runtime_error&) {
                    std::setlocale(LC_ALL, m_oldC.c_str());
                }
                break;
            }
        }
    }
    ~CommaDecimalLocale()
    {
        if (m_active) {
            std::locale::global(m_oldCpp);
            std::setlocale(LC_ALL, m_oldC.c_str());
        }
    }
    bool Active() const
    {
        return m_active && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }

private:
    std::string m_oldC;
    std::locale m_oldCpp;
    bool m_active = false;
};

TEST(TExpressionTest, UsesPointWhateverTheLocale)
{
    CommaDecimalLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    }
    EXPECT_EQ(EvaluateExpression("1.5*2"), 3);
    EXPECT_EQ(EvaluateExpression("1/3"), 0.333333333333333333L);
    EXPECT_EQ(EvaluateExpression("(1/4)+0.25"), 0.5L);
    EXPECT_THROW(EvaluateExpression("1,5"), EAssignError);
}

} // namespace
