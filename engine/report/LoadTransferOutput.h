#pragma once

// The closing sections of the report and the plot data, after the capacity tables: the notes
// on the tables, the t-z and tip curves of the load-settlement analysis, the load versus
// settlement curve and the load distribution, and the t-z curves at the extra depths the
// project asks for. The curves and the solver are loadtransfer/LoadTransfer.h's; these
// routines run them and write what they give.

#include "report/RunIo.h"
#include "state/RunState.h"

// Curves, stiffness, tip curve and the nine load-settlement points. With print 1 the t-z and
// tip tables go to the report and the t-z curves to the plot data; the load distribution
// always goes to the plot data.
void LOADSETTLE(TRunState& s, TRunIo& io, int print);

// The t-z curves at the project's extra depths, reusing the curve rows; with print 1 they go
// to the report and the plot data.
void TZVERCURVES(TRunState& s, TRunIo& io, int print);

// Load distribution and load-settlement, from s.LOADSETINPUT: report sections to io.report,
// plot-data sections (t-z curves, load distribution, load-settlement) to io.plotTail, which
// the driver writes after the capacity blocks.
void PRINTLOADSET(TRunState& s, TRunIo& io);

// t-z curves at the extra depths.
void TZVERIFY(TRunState& s, TRunIo& io);
