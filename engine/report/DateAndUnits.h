#pragma once

#include <iosfwd>

#include "run/RunEnvironment.h"
#include "state/RunState.h"

// Fills UNITLABELS for the units code: 1 English, any other value SI.
void SETUNITLABELS(TRunState& s, int units);

// The "Time and Date of Analysis" block of the report, with the time the clock gives.
void PRINTDATETIME(std::ostream& report, const TDateTime& now);
