#pragma once

#include <iosfwd>
#include <string>

#include "state/RunState.h"

// The report's opening banner (also written to the console).
void WriteBanner(std::ostream& out, const TRunState& s);
// The four file lines and the empty line after them.
void WriteFileLines(std::ostream& report, const TRunState& s);
// The stop when the deepest soil does not reach the required depth.
void WriteDeepestSoilStop(std::ostream& report, const TRunState& s, double requiredDepth);
// The "* COMPUTATION RESULT *" banner.
void WriteResultBanner(std::ostream& report);
// The segment-limit stop (the same text to the console and the report).
void WriteSegmentLimitStop(std::ostream& out, long long segmentCount);

// Folder of a path with its trailing separator, and the file name with its extension.
std::string PathFolder(const std::string& path);
std::string PathFileName(const std::string& path);
