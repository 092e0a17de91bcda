#pragma once

// The closing sections of a run: load-transfer curves placed along the pile, the load
// distribution and load-settlement curve of the load-settlement method, and the t-z curves
// at the extra depths the project asks for.
//
// Working units: English runs inches, pounds and psi; SI runs metres, kN and kPa. The run's
// OD and ID stay as read (inches or millimetres); the routines convert their own copies.

#include "report/RunIo.h"
#include "state/RunState.h"

// Pile diameter in working units: OD in inches (English) or metres (SI); for a noncircular
// pile perimeter / 3.1416.
double WorkingDiameter(const TPileData& p);

// Maximum unit side resistance (psi / kPa) at a depth below the ground surface (inches /
// metres) from the load-settlement method's cumulative side resistance on the grid
// (s.LOADSETINPUT.GRIDQS at penetrations (j - 1) x INCREMENT).
double TMAXATDEPTH(const TRunState& s, double depthBelowGround);

// Fills s.CURVES with the solver's curves: three above the ground when there is stick-up,
// then top, middle and bottom curves for every pair of soil rows at least 0.11 apart; depths
// from the pile head, in working units.
void PlaceSolverCurves(TRunState& s);

// Fills s.LOADSET's stiffness table (depth from the pile head, axial stiffness) in working
// units. An area or modulus that gives no positive stiffness raises EEngineInputError.
void FillStiffnessTable(TRunState& s);

// The tip curve of the load-settlement method into s.CURVES.QWCURVE.
void FillTipCurve(TRunState& s);

// Curves, stiffness, tip curve and the nine load-settlement points. With print 1 the t-z and
// tip tables go to the report and the t-z curves to the plot data; the load distribution
// always goes to the plot data.
void LOADSETTLE(TRunState& s, TRunIo& io, int print);

// The t-z curves at the project's extra depths, reusing the curve rows.
void TZVERCURVES(TRunState& s, TRunIo& io, int print);

// Load distribution and load-settlement, from s.LOADSETINPUT: report sections to io.report,
// plot-data sections (t-z curves, load distribution, load-settlement) to io.plotTail, which
// the driver writes after the capacity blocks.
void PRINTLOADSET(TRunState& s, TRunIo& io);
// t-z curves at the extra depths.
void TZVERIFY(TRunState& s, TRunIo& io);
