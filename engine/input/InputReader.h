#pragma once

#include "run/RunEnvironment.h"
#include "state/RunState.h"

class TListReader;

// The hand-over file: the version text and the four paths (input, report, plot data, CPT).
// A missing path line is asked for on the console when prompts are allowed; otherwise, and
// when the file cannot be opened, EEngineInputError names the file and line.
void ReadNamesFile(TRunState& s, const TRunEnvironment& env);

// The project file, group by group, into TITLES, PILEDATA, METHODFLAGS, SOILDATA and its
// companions, TZDEPTHS and AREATABLE. Counts and codes outside the engine's limits are
// refused (EEngineInputError naming the file, line and item) before any row is stored.
void ReadProjectFile(TRunState& s, TListReader& in);

// The CPT side file into CPTDATA.
void ReadCptFile(TRunState& s, TListReader& in);
