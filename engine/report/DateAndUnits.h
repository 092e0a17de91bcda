#pragma once

#include <iosfwd>

#include "run/RunEnvironment.h"
#include "state/RunState.h"

// Fills UNITLABELS for the run's unit system.
void SETUNITLABELS(TRunState& s, EUnitSystem system);
// The same for a units code as the report's routine has always read one: 1 English, any other
// value SI. (A run never gets here with another code: the reader refuses all but 1 and 2.)
void SETUNITLABELS(TRunState& s, int unitsCode);

// The "Time and Date of Analysis" block of the report, with the time the clock gives.
void PRINTDATETIME(std::ostream& report, const TDateTime& now);
