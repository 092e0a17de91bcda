#pragma once

#include "run/RunEnvironment.h"
#include "state/RunState.h"

// One whole analysis on s (which must be fresh): reads names.dat and the project, checks it,
// echoes it, lays out segments and grid, runs the methods in two passes, and writes the
// report and the plot data. status becomes 1 when the run stops with a message.
void RUNANALYSIS(TRunState& s, const TRunEnvironment& env, int& status);

// Soil depth the run needs: embedded length plus two pile diameters (diameter converted from
// in or mm to the length unit). Taken while PILELENGTH still holds the total length.
double RequiredSoilDepth(const TPileData& p);
