#pragma once

#include <iosfwd>

#include "state/RunState.h"

// The echo of the input in the report. Within it, after the cross-section area lines,
// PILELENGTH becomes the embedded length (total length less stick-up) for the rest of the run;
// the echo itself prints the total length as read.
void WriteInputEcho(std::ostream& report, TRunState& s);

// The method line of a MethodCode (1..9), without its indent.
const char* MethodLine(int methodCode);
