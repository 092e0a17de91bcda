#pragma once

#include <string>
#include <vector>

// The CPT side file: the cone-penetration profile beside a project file, read by the engine.
// Line 1 is " 1 " (English) or " 2 " (SI) followed by the point count; then one line per
// point: two blanks, the depth, two blanks, Qc, both in exponent format with "." always.
struct TCptSidePoint
{
    long double Depth = 0;
    long double Qc = 0;
};

struct TCptSideData
{
    int UnitSystem = 1;
    std::vector<TCptSidePoint> Points;
    int Count = 0;            // as line 1 says (read only)
    int LinesBeyondCount = 0; // lines with data after the counted points (read only)
};

// Qc units. The program holds the CPT profile's Qc in ksf (English) or kPa (SI), as the CPT
// data window reads it and the profile shows it; the engine reads the side file's Qc in
// lb/ft^2 (English) or kPa (SI).
long double SideFileQc(long double profileQc, int unitSystem);
long double ProfileQc(long double sideFileQc, int unitSystem);

// The text of the file, lines ended by CR LF.
std::string CptSideFileText(const TCptSideData& data);

// What the engine refuses of a CPT point's depth, given the depth of the point before it (none
// for the first): a negative depth, or one less than the depth before it (a depth given twice
// is a step in the profile). The text for the message, or empty when the engine takes it.
std::string CptDepthProblem(long double depth, const long double* before);
// The message refusing a CPT profile of more points than the computation takes.
std::string CptPointLimitText(long double points);

// Reads a side file; raises EInOutError with the word reader's message (line and item) when
// the file is no plain file, can't be read or is damaged (unit code other than 1 or 2,
// negative count, more points than the computation takes, too few points, a value the engine
// would refuse, a negative depth or one that decreases). Lines with data after the counted
// points are counted, not read.
TCptSideData ReadCptSideFile(const std::string& fileName);
