#include "FileValues.h"

#include <string>

#include "entry/StoredNumberLimits.h"
#include "support/TWordReader.h"

namespace {

[[noreturn]] void Refuse(const TWordReader& reader, const char* what)
{
    throw EInOutError("Error on Line " + std::to_string(reader.LineNumber()) + " Item "
                      + std::to_string(reader.ItemNumber()) + "\r" + what);
}

} // namespace

const char* EngineRangeProblem(long double value)
{
    switch (CheckStoredNumber(value)) {
    case EStoredNumber::TooLarge:
        return "A number of at most 1E15 in size was expected but not found.";
    case EStoredNumber::TooSmall:
        return "A number of 0 or at least 1E-307 in size was expected but not found.";
    case EStoredNumber::Held:
        break;
    }
    return nullptr;
}

long double ReadEngineReal(TWordReader& reader)
{
    const long double value = reader.ReadFloat();
    if (const char* problem = EngineRangeProblem(value)) {
        Refuse(reader, problem);
    }
    return value;
}
