#include <cstdint>

#include "run/QuarnEngine.h"

// The engine's only exports: one routine under two names, as its callers have always
// looked it up.
extern "C" {
__attribute__((visibility("default"))) std::int32_t IQUARN(std::int32_t argument)
{
    return RunEngine(argument);
}

__attribute__((visibility("default"))) std::int32_t _IQUARN(std::int32_t argument)
{
    return RunEngine(argument);
}
}
