#pragma once

#include <string>

class TGraphPlot;
class TProgramData;
class TProjectTables;

// What a change of the unit system would make of the project's values: the name of the first
// value that would not be a number a project file can hold in `system` (1 English, 2 SI),
// such as 5E14 in taken to mm, or empty when the change can be made. Nothing is converted.
std::string UnitChangeProblem(const TProgramData& data,
                              const TProjectTables* tables,
                              const TGraphPlot* cptProfile,
                              int system);

// The message that refuses such a change, naming the value.
std::string UnitChangeRefusal(const std::string& problem);
