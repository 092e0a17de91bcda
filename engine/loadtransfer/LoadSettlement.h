#pragma once

// Load distribution and load-settlement of an axially loaded pile by the load-transfer (t-z)
// method (Coyle and Reese, 1966, "Load transfer for axially loaded piles in clay", J. Soil Mech.
// Found. Div. ASCE 92(SM2); API RP 2A-WSD 21st ed., 6.7): for an assumed tip movement the tip
// load comes from the q-w curve, then each segment from the tip upward is solved for the
// movement at which its shaft resistance and its elastic shortening agree.
//
// The routine is pure: plain inputs in, results out, nothing read from or written to the run.
// Units are consistent ones chosen by the caller: English runs use inches, pounds and psi;
// SI runs metres, kN and kPa. Depths are measured from the pile head. Compression is positive
// and movements are positive downward.

#include <string_view>
#include <vector>

// One load-transfer curve: (movement, value) points in ascending movement, point 1 normally
// (0, 0). For a shaft curve the value is a unit side resistance; for the tip curve a load.
struct TLoadTransferCurve
{
    double depth = 0; // from the pile head; unused for the tip curve
    std::vector<double> z;
    std::vector<double> value;
};

// One pile segment, listed from the head down.
struct TPileSegment
{
    double length = 0;
    double ea = 0;        // axial stiffness: area x modulus
    double perimeter = 0; // shaft perimeter that carries the unit side resistance
};

struct TLoadSettleInput
{
    std::vector<TPileSegment> segments;          // head to tip
    std::vector<TLoadTransferCurve> shaftCurves; // ascending depth from the pile head
    TLoadTransferCurve tipCurve;                 // tip load against tip movement
    std::vector<double> tipMoves;                // the assumed tip movements
    double tolerance = 0.0001;                   // on a segment's mid-point movement
    int maxIterations = 100;                     // rounds per segment
};

// One load-distribution row: a segment's mid-depth, its mean axial load and its mid-point
// movement, in the solver's units.
struct TLoadDistributionRow
{
    double depth = 0;
    double load = 0;
    double movement = 0;
};

struct TLoadSettlePoint
{
    double topLoad = 0;
    double topMove = 0;
    double tipLoad = 0;
    double tipMove = 0;
    std::vector<TLoadDistributionRow> rows; // one per segment, from the tip upward
    bool converged = true;                  // false when a segment stopped at the iteration bound
};

struct TLoadSettleResult
{
    std::vector<TLoadSettlePoint> points; // one per tip movement, in input order
    bool iterationLimitReached = false;   // any segment of any point stopped at the bound
};

// One report line for a result whose iterations stopped at the bound; the run goes on.
inline constexpr std::string_view kLoadSettleLimitLine =
    "WARNING - LOAD-SETTLEMENT ITERATIONS STOPPED AT THEIR LIMIT; MOVEMENTS ARE APPROXIMATE.";

// Curve value at movement z: linear between the points that bracket z; a movement before the
// first point takes the first value, one beyond the last point the last value. An empty curve
// gives 0.
double CurveValueAt(const TLoadTransferCurve& curve, double z);

// Unit side resistance at depth d and movement z from curves in ascending depth: the curve at
// that depth alone; linear in depth between the curves above and below; the first curve's
// values above the first curve and the last curve's values below the last. No curves give 0.
double ShaftResistanceAt(const std::vector<TLoadTransferCurve>& curves, double d, double z);

// Axial stiffness at depth d from (depth, EA) rows in ascending depth: linear between the rows
// that bracket d, the first row's value above it and the last row's value below it.
struct TStiffnessRow
{
    double depth = 0;
    double ea = 0;
};
double StiffnessAt(const std::vector<TStiffnessRow>& table, double d);

// The engine's usual segmentation: `count` equal segments over `pileLength` (from the head),
// each with the stiffness of the table at its mid-depth and the given perimeter. An empty
// table, a count below 1 or a length not above 0 raises std::invalid_argument.
std::vector<TPileSegment> UniformSegments(double pileLength,
                                          int count,
                                          const std::vector<TStiffnessRow>& table,
                                          double perimeter);

// The nine assumed tip movements: 0.0001 .. 2.0 inches (English), divided by 39.37 in SI.
std::vector<double> StandardTipMoves(bool english);

// The solver. Segments with EA not above 0, or a perimeter below 0, raise
// std::invalid_argument (a caller's defect); an iteration bound below 1 counts as 1.
TLoadSettleResult SolveLoadSettlement(const TLoadSettleInput& in);

// A point's load-distribution rows as they are written: from the tip upward; English depths in
// feet, loads in kips, movements in inches; SI depths and movements in metres, loads in kN.
std::vector<TLoadDistributionRow> WrittenDistributionRows(const TLoadSettlePoint& point,
                                                          bool english);
