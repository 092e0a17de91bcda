#pragma once

#include <cstddef>
#include <iosfwd>
#include <vector>

#include "report/RunIo.h"
#include "state/RunState.h"

// Where the capacity results go: the report tables and the plot-data rows, both written from
// a method's TMethodResult.

// True when some segment carries a nonzero user unit side friction or end bearing.
bool HasUserValues(const TRunState& s);

// The plot-data header: curve count, rows per method, units, load-settlement method. The run
// driver passes the number of capacity blocks it really wrote, so the count always matches
// the rows (a selected user-specified method without user values writes neither).
void WritePlotHeader(std::ostream& plot, const TRunState& s, int curveCount);

// A plot-data capacity row: 51 characters and the line's end.
inline constexpr std::size_t kPlotRowLength = 52;

// One plot-data capacity row of grid point j.
void WritePlotRow(std::ostream& plot, const TMethodResult& r, int j);

// A method's whole table and plot rows: the title box and headings, one report and one plot
// row per printed grid point, and the closing grid point as the method's rules want it
// (FHWA and USACE: plot only; Revised Lambda: plot, and the combined closing row of the three
// pass-1 methods in the report; the others: report and plot).
void WriteCapacityTable(std::ostream& report,
                        std::ostream& plot,
                        const TRunState& s,
                        int methodCode,
                        const std::vector<int>& printed);
// The same with the plot rows gathered in the run's buffer.
void WriteCapacityTable(std::ostream& report,
                        TTextBuffer& plot,
                        const TRunState& s,
                        int methodCode,
                        const std::vector<int>& printed);
