#pragma once

#include <string>
#include <vector>

// Reading a cone-penetration data text file (".txt", ".acc"): header lines skipped whole,
// then one point per data line, the depth first and the cone resistance Qc second; further
// numbers up to the column count are read and dropped, the rest of the line is skipped. A
// line with fewer numbers than the column count is continued on the next.
enum class TCptPlotKind
{
    Qc,  // Ua * Qc
    Spt, // SPT blow count from Qc: English Ua * Qc * 47.875 / 280, SI Ua * Qc / 280
    Su,  // undrained shear strength from Qc: Ua * Qc / 15
};

struct TCptDataPoint
{
    long double Depth = 0;
    long double Value = 0; // as TCptPlotKind says
};

struct TCptDataRead
{
    std::vector<TCptDataPoint> Points; // the points read, also those before an error
    bool Complete = false;             // every asked data line was read
    std::string Error;                 // the word reader's message when not complete
};

inline constexpr const char* kCptDataReadErrorMessage =
    "There was an error reading the input CPT file.";

// Reads `dataLines` points after `headerLines` header lines, with `columns` numbers per point
// (at least 2 are read). Ua is the stress conversion factor that brings the file's Qc to
// ksf (English, unitSystem 1) or kPa (SI); a Qc whose converted value overflows is refused
// with the line and item of that Qc. The stored CPT points are not touched: the
// caller decides which curve the points go to, so a converted plot never replaces the
// cone resistance. A file that can't be opened gives Complete false and its message.
TCptDataRead ReadCptDataFile(const std::string& fileName,
                             int dataLines,
                             int headerLines,
                             int columns,
                             long double ua,
                             TCptPlotKind kind,
                             int unitSystem);
