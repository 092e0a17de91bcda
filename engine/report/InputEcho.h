#pragma once

#include <iosfwd>

#include "state/RunState.h"

// The echo of the input in the report. Within it, after the cross-section area lines,
// PILELENGTH becomes the embedded length (total length less stick-up) for the rest of the run;
// the echo itself prints the total length as read.
void WriteInputEcho(std::ostream& report, TRunState& s);

// The method line of a MethodCode (1..9), without its indent.
const char* MethodLine(int methodCode);

// Cross-section area of a pile computed from its section, as the echo prints it for area
// mode 0 and as the load-settlement stiffness uses it: in2 (English) or m2 (SI).
double SectionArea(const TPileData& p);
