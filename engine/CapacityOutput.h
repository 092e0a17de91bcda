#pragma once

#include <iosfwd>
#include <vector>

#include "RunState.h"

// Where the capacity results go: the report tables and the plot-data rows, both written from
// a method's TMethodResult.

// Number of capacity curves the plot data will hold: flags 1 to 4 set, flag 5 when the
// user-specified method will run (some segment carries a user unit value), and with the
// offshore flag the flags 6 to 9 set. It always equals the number of row blocks written.
int CapacityCurveCount(const TRunState& s);

// True when some segment carries a nonzero user unit side friction or end bearing.
bool HasUserValues(const TRunState& s);

// The plot-data header: curve count, rows per method, units, load-settlement method.
void WritePlotHeader(std::ostream& plot, const TRunState& s, int curveCount);

// One plot-data capacity row of grid point j.
void WritePlotRow(std::ostream& plot, const TMethodResult& r, int j);

// One report row of grid point j; the asterisk form when allowed and the tip is unplugged.
void WriteCapacityRow(std::ostream& report, const TMethodResult& r, int j, bool asteriskForm);

// A method's whole table and plot rows: the title box and headings, one report and one plot
// row per printed grid point, and the closing grid point as the method's rules want it
// (FHWA and USACE: plot only; Revised Lambda: plot, and the combined closing row of the three
// pass-1 methods in the report; the others: report and plot).
void WriteCapacityTable(std::ostream& report,
                        std::ostream& plot,
                        const TRunState& s,
                        int methodCode,
                        const std::vector<int>& printed);
