#include "run/QuarnEngine.h"

#include <exception>
#include <memory>

#include "run/RunDriver.h"
#include "state/RunState.h"

int RunEngine(int argument)
{
    if (argument != 2) {
        return 1;
    }
    return RunEngine(argument, DefaultEnvironment());
}

int RunEngine(int argument, const TRunEnvironment& env)
{
    if (argument != 2) {
        return 1;
    }
    // Nothing may cross the module's C boundary: any failure is a stopped run.
    try {
        TRunEnvironment filled = env;
        const TRunEnvironment defaults = DefaultEnvironment();
        if (!filled.clock) {
            filled.clock = defaults.clock;
        }
        if (filled.console == nullptr) {
            filled.console = defaults.console;
        }
        if (filled.consoleIn == nullptr) {
            filled.consoleIn = defaults.consoleIn;
        }
        auto state = std::make_unique<TRunState>();
        int status = 0;
        RUNANALYSIS(*state, filled, status);
        return status;
    } catch (...) {
        return 1;
    }
}
