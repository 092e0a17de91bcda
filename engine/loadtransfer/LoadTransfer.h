#pragma once

// The load-transfer analysis over the run state: load-transfer curves placed along the pile,
// the stiffness table, the tip curve, the load distribution and load-settlement curve of the
// load-settlement method, and the t-z curves at the extra depths the project asks for. The
// report and plot-data sections that show them are report/LoadTransferOutput.h's.
//
// Working units: English runs inches, pounds and psi; SI runs metres, kN and kPa. The run's
// OD and ID stay as read (inches or millimetres); the routines convert their own copies.

#include <vector>

#include "loadtransfer/LoadSettlement.h"
#include "state/RunState.h"

// Pile diameter in working units: OD in inches (English) or metres (SI); for a noncircular
// pile perimeter / 3.1416.
double WorkingDiameter(const TPileData& p);

// Cross-section area of the pile for its axial stiffness under area modes 0 and 1, as the
// input echo prints it: the constant area when that mode is chosen and an area was given, else
// the area of the pile's section; in2 (English) or m2 (SI).
double StiffnessArea(const TPileData& p, const TAreaTable& a);

// Maximum unit side resistance (psi / kPa) at a depth below the ground surface (inches /
// metres) from the load-settlement method's cumulative side resistance on the grid
// (s.LOADSETINPUT.GRIDQS at penetrations (j - 1) x INCREMENT).
double TMAXATDEPTH(const TRunState& s, double depthBelowGround);

// Fills s.CURVES with the solver's curves: three above the ground when there is stick-up,
// then top, middle and bottom curves for every pair of soil rows at least 0.11 apart; depths
// from the pile head, in working units.
void PlaceSolverCurves(TRunState& s);

// Depth below the ground of solver curve k, in the report's length unit (ft / m).
double SolverCurveDepthBelowGround(const TRunState& s, int k);

// Solver curve k lies in the soil: not one of the three above the ground.
bool SolverCurveInSoil(const TRunState& s, int k);

// Fills s.LOADSET's stiffness table (depth from the pile head, axial stiffness) in working
// units. An area or modulus that gives no positive stiffness raises EEngineInputError.
void FillStiffnessTable(TRunState& s);

// The tip curve of the load-settlement method into s.CURVES.QWCURVE.
void FillTipCurve(TRunState& s);

// The nine load-settlement points from the placed curves, stiffness table and tip curve, into
// s.LOADSET. Returns the points, each with its load distribution at the mid-depths of the
// capacity tables' NROWS equal segments, tip upward, in working units. A pile with no length
// below its head raises EEngineInputError.
std::vector<TLoadSettlePoint> LoadSettlementOfRun(TRunState& s);

// Fills the curve rows 1 .. TZCOUNT with the t-z curves at the project's extra depths, row k
// for depth k; a depth outside the soil leaves its row as it was.
void PlaceVerificationCurves(TRunState& s);

// Extra t-z depth k lies within the soil profile.
bool VerificationDepthInSoil(const TRunState& s, int k);
