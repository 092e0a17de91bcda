#pragma once

#include "run/RunEnvironment.h"

// Runs one whole analysis on a fresh run state; returns 0 when the run went to its end,
// 1 when it stopped with a message in the report. An argument other than 2 returns 1 at once
// and touches nothing.
int RunEngine(int argument);

// The same with the caller's environment (names.dat location, clock, console).
int RunEngine(int argument, const TRunEnvironment& env);
