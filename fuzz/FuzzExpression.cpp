// Any text typed into a numeric field: the evaluator either gives a finite value or raises
// EAssignError with its message; anything else (another exception, a crash, a sanitizer
// report, a hang) is a fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "entry/TExpression.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const long double value = EvaluateExpression(text);
        if (!std::isfinite(value)) {
            std::abort();
        }
    } catch (const EAssignError& e) {
        if (e.Message().rfind("Entry could not be evaluated:\r", 0) != 0) {
            std::abort();
        }
    }
    return 0;
}
