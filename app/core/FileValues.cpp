#include "FileValues.h"

#include <cmath>
#include <limits>
#include <string>

#include "support/TWordReader.h"

namespace {

constexpr long double kLargestFileValue = 1.0E15L;

[[noreturn]] void Refuse(const TWordReader& reader, const char* what)
{
    throw EInOutError("Error on Line " + std::to_string(reader.LineNumber()) + " Item "
                      + std::to_string(reader.ItemNumber()) + "\r" + what);
}

} // namespace

const char* EngineRangeProblem(long double value)
{
    if (!(std::fabs(value) <= kLargestFileValue)) {
        return "A number of at most 1E15 in size was expected but not found.";
    }
    if (value != 0 && std::fabs(value) < std::numeric_limits<double>::min()) {
        return "A number of 0 or at least 1E-307 in size was expected but not found.";
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
