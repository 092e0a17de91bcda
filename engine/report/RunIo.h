#pragma once

#include <ostream>
#include <sstream>

// The streams of one run. The report is written as the run goes. The plot data is gathered in
// memory and written whole at the end of the run: its header counts the capacity blocks that
// were really written, and a run that stops early leaves the file empty.
struct TRunIo
{
    std::ostream& report;
    std::ostream& console;
    std::ostringstream capacityRows; // plot data: the capacity blocks, in table order
    std::ostringstream plotTail;     // plot data after the capacity blocks (curves, solver)
    int capacityBlocks = 0;          // blocks in capacityRows
};
