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
    {
    }
    std::string Message() const { return what(); }
};
