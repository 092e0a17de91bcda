#include "run/QuarnEngine.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <new>

#include "run/RunDriver.h"
#include "state/RunState.h"

namespace {

// A fresh run state, zero throughout: its memory comes zeroed from the system, and only the
// pages a run touches are ever filled, where value-initialising it would clear all 600 KiB of
// it first.
struct TFreeRunState
{
    void operator()(TRunState* s) const
    {
        s->~TRunState();
        std::free(s);
    }
};
using TRunStatePtr = std::unique_ptr<TRunState, TFreeRunState>;

TRunStatePtr FreshRunState()
{
    void* memory = std::calloc(1, sizeof(TRunState));
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    // Default-initialised on the zeroed memory: the members with initialisers take them, the
    // arrays stay zero.
    return TRunStatePtr(::new (memory) TRunState);
}

} // namespace

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
        TRunStatePtr state = FreshRunState();
        int status = 0;
        RUNANALYSIS(*state, filled, status);
        return status;
    } catch (...) {
        return 1;
    }
}
