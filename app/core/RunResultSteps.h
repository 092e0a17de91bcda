#pragma once

#include "AnalysisRun.h"

class TProgramData;
class TProjectTables;
class TResultGraphs;

// The run's result steps over the program's result graphs: ReadPlotData reads the plot-data
// file into the graphs with the project's read options, shows the read's message when it
// fails and keeps a good read's row count, perimeter and GRLWEAP profile in the project;
// WriteGrlweapFile writes the project's GRLWEAP file from that profile. SaveProject and
// AfterRun are left for the caller to set. Everything passed must outlive the steps.
TRunSteps RunResultSteps(TProgramData& data,
                         const TProjectTables& tables,
                         TResultGraphs& graphs,
                         TRunReporter& reporter);
