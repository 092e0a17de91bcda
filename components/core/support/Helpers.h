#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "support/Exception.h"

// A text could not be converted: a number, a unit pattern, a format pattern or a value out of
// the range of its target type. The message names the text and what was wrong with it.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// Message formatting in the style of the class library's Format:
//   %[index:][-][width][.precision]type
// with the types d (signed integer), u (unsigned integer), x (hexadecimal, upper case),
// s (text), f (fixed, 2 decimals by default), e (exponent, 15 digits by default), g (general,
// 15 significant digits by default) and %% for a percent sign. Numbers always use ".".
// A pattern that asks for a missing argument or for the wrong kind raises EConvertError.
// ---------------------------------------------------------------------------------------------
class FormatArg
{
public:
    using Value = std::variant<long long, unsigned long long, long double, std::string>;

    template<typename T>
    requires(std::is_integral_v<T>&& std::is_signed_v<T> && !std::is_same_v<T, char>)
        FormatArg(T value)
        : m_value(static_cast<long long>(value))
    {}
    template<typename T>
    requires(std::is_integral_v<T>&& std::is_unsigned_v<T> && !std::is_same_v<T, bool>)
        FormatArg(T value)
        : m_value(static_cast<unsigned long long>(value))
    {}
    FormatArg(bool value)
        : m_value(static_cast<long long>(value ? 1 : 0))
    {}
    FormatArg(char value)
        : m_value(std::string(1, value))
    {}
    FormatArg(float value)
        : m_value(static_cast<long double>(value))
    {}
    FormatArg(double value)
        : m_value(static_cast<long double>(value))
    {}
    FormatArg(long double value)
        : m_value(value)
    {}
    FormatArg(const char* value)
        : m_value(std::string(value ? value : ""))
    {}
    FormatArg(std::string_view value)
        : m_value(std::string(value))
    {}
    FormatArg(const std::string& value)
        : m_value(value)
    {}

    const Value& Get() const { return m_value; }

private:
    Value m_value;
};

std::string FormatArgs(std::string_view pattern, std::span<const FormatArg> args);
// Raises EConvertError exactly when FormatArgs would, without formatting anything.
void CheckFormatArgs(std::string_view pattern, std::span<const FormatArg> args);

template<typename... Args>
std::string Format(std::string_view pattern, const Args&... args)
{
    const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
    return FormatArgs(pattern, std::span<const FormatArg>(packed, sizeof...(Args)));
}

template<typename... Args>
void CheckFormat(std::string_view pattern, const Args&... args)
{
    const FormatArg packed[] = {FormatArg(args)..., FormatArg(0)};
    CheckFormatArgs(pattern, std::span<const FormatArg>(packed, sizeof...(Args)));
}

// ---------------------------------------------------------------------------------------------
// Raise helpers: the component library's assertion style. The exception class is the template
// argument; leaving it out means EAssertionFailed. The Fmt variants check the pattern against
// the arguments whether or not anything is raised, so a faulty pattern shows up at once; the
// message is formatted only when it is raised (these checks sit on every cell access).
//   RaiseUnless<EAssignError>(value >= 0, "Value must not be negative.");
//   RaiseIfFmt(handle == 0, "Error in %s\rHandle = 0", "CopyData");
// ---------------------------------------------------------------------------------------------
template<typename E = EAssertionFailed>
void RaiseUnless(bool condition, const std::string& message)
{
    static_assert(std::is_base_of_v<Exception, E>);
    if (!condition) {
        throw E(message);
    }
}

template<typename E = EAssertionFailed, typename... Args>
void RaiseUnlessFmt(bool condition, std::string_view pattern, const Args&... args)
{
    static_assert(std::is_base_of_v<Exception, E>);
    if (condition) {
        CheckFormat(pattern, args...);
        return;
    }
    throw E(Format(pattern, args...));
}

template<typename E = EAssertionFailed>
void Require(bool condition, const std::string& message)
{
    RaiseUnless<E>(condition, message);
}

template<typename E = EAssertionFailed, typename... Args>
void RequireFmt(bool condition, std::string_view pattern, const Args&... args)
{
    RaiseUnlessFmt<E>(condition, pattern, args...);
}

template<typename E = EAssertionFailed>
void RaiseIf(bool flag, const std::string& message)
{
    RaiseUnless<E>(!flag, message);
}

template<typename E = EAssertionFailed>
void RaiseWhen(bool flag, const std::string& message)
{
    RaiseUnless<E>(!flag, message);
}

template<typename E = EAssertionFailed, typename... Args>
void RaiseWhenFmt(bool flag, std::string_view pattern, const Args&... args)
{
    RaiseUnlessFmt<E>(!flag, pattern, args...);
}

template<typename E = EAssertionFailed, typename... Args>
void RaiseIfFmt(bool flag, std::string_view pattern, const Args&... args)
{
    RaiseUnlessFmt<E>(!flag, pattern, args...);
}

// ---------------------------------------------------------------------------------------------
// Integer and number helpers.
// ---------------------------------------------------------------------------------------------
constexpr int IntMax(int a, int b)
{
    return b < a ? a : b;
}
constexpr int IntMin(int a, int b)
{
    return a < b ? a : b;
}
constexpr int IntIfThen(bool flag, int a, int b)
{
    return flag ? a : b;
}
// Same as IntIfThen, IntMin and IntMax; the page-setup dialog's names.
constexpr int IfThenInt(bool flag, int a, int b)
{
    return flag ? a : b;
}
constexpr int SmallerOf(int a, int b)
{
    return a < b ? a : b;
}
constexpr int LargerOf(int a, int b)
{
    return b < a ? a : b;
}

// Element 0 combined in turn with elements 1 .. last. An empty array raises EAssertionFailed
// (there is no element 0 to start from).
int FoldIntegers(const std::function<int(int, int)>& combine, std::span<const int> values);
// The smallest element; an empty array raises EAssertionFailed.
int IntMinOf(std::span<const int> values);

// False when value < low or value > high, else true.
template<typename T>
constexpr bool IsInRange(T value, std::type_identity_t<T> low, std::type_identity_t<T> high)
{
    return !(value < low || value > high);
}

// The fractional part, with the sign of the value (x - trunc(x)).
long double FracOf(long double value);

// The nearest 64-bit integer, ties to even (2.5 -> 2, 3.5 -> 4). NaN, infinities and values
// outside the 64-bit range raise EConvertError instead of giving an undefined result.
std::int64_t RoundToInt64(long double value);

// ---------------------------------------------------------------------------------------------
// String helpers. Positions are 1-based; a position result of 0 means "not found".
// ---------------------------------------------------------------------------------------------

// The character at the position; '\0' when the position is below 1 or beyond the length.
char CharAt(std::string_view text, int position);
// The tail from the position to the end ("" beyond the end; the whole text below 1).
std::string CopyFrom(std::string_view text, int position);
// Position of part in the tail that begins at start, counted from start (1 = at start); 0 when
// absent or when part is empty.
int PosFrom(std::string_view part, std::string_view text, int start);
// Position of part in text, or the default when absent.
int PosOrDefault(std::string_view part, std::string_view text, int defaultPosition);
// Position of part in text, or the length + 1 when absent.
int PosOrEnd(std::string_view part, std::string_view text);
// Every occurrence of oldPart replaced by newPart; inserted text is never searched again, so
// replacing a part by itself terminates. An empty oldPart leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view oldPart, std::string_view newPart);
