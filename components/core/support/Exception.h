#pragma once

#include <stdexcept>
#include <string>

// Base of every exception the components raise. Callers catch it and show Message()
// to the user; the text is always complete and meant for a person.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    {}
    std::string Message() const { return what(); }
};

// A value could not be taken: an expression that does not evaluate, an entry outside a
// column's limits or type. The message is shown to the user as it stands.
class EAssignError : public Exception
{
public:
    using Exception::Exception;
};

// Raised by the raise helpers when no exception class is named.
class EAssertionFailed : public Exception
{
public:
    using Exception::Exception;
};
