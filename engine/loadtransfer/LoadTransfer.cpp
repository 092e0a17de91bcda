#include "loadtransfer/LoadTransfer.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "loadtransfer/LoadSettlement.h"
#include "state/Constants.h"
#include "state/EngineErrors.h"

namespace {

constexpr double kInchesPerFoot = 12.0;
constexpr double kMillimetresPerMetre = 1000.0;
constexpr double kThinnestLayer = 0.11; // a pair of soil rows closer than this gets no curves
constexpr double kSmallestArea = 1e-5;  // below this a constant area counts as not given
// On a segment's mid-point movement, in inches whatever the unit system: the smallest tip
// movement is 0.0001 in, so a tolerance of that size (or of 0.0001 m, 39 times larger) would
// stop the iteration before the elastic range is resolved.
constexpr double kSolverToleranceInches = 1e-7;
constexpr int kSolverRounds = 100; // per segment; the solver flags when it is reached
constexpr double kStickupFloor = 1e-6;

bool English(const TRunState& s)
{
    return IsEnglish(s.PILEDATA);
}

// Stick-up in working units (inches / metres).
double WorkingStickup(const TPileData& p)
{
    return IsEnglish(p) ? p.STICKUP * kInchesPerFoot : p.STICKUP;
}

bool HasStickup(const TPileData& p)
{
    return p.STICKUP > kStickupFloor;
}

// Curve k is one of the three that stand above the ground.
bool AboveGround(const TPileData& p, int k)
{
    return HasStickup(p) && k <= 3;
}

int SoilType(const TRunState& s, int row)
{
    return static_cast<int>(std::lround(s.SOILDATA(row, kColType)));
}

bool BothSand(const TRunState& s, int r)
{
    return SoilType(s, r) == 1 && SoilType(s, r + 1) == 1;
}

void AddCurve(TCurveData& c, double depth, int type, double phi)
{
    ++c.NCURVES;
    const int k = c.NCURVES;
    c.CURVEDEPTH[k] = depth;
    c.CURVETYPE[k] = type;
    c.CURVEPHI[k] = phi;
    c.CURVETMAX[k] = 0.0;
    c.CURVENO[k] = k;
    c.CURVEPTS[k] = kTzCurvePoints;
}

// Curve k from its type, t_max and friction angle, by the load-settlement method's shapes.
void BuildCurve(TRunState& s, int k)
{
    TCurveData& c = s.CURVES;
    const int method = s.PILEDATA.LSMETHOD;
    c.CURVE[k] = c.CURVETYPE[k] == 2
                     ? TzClayCurve(method, c.CURVETMAX[k], WorkingDiameter(s.PILEDATA), English(s))
                     : TzSandCurve(method, c.CURVETMAX[k], c.CURVEPHI[k], English(s));
}

TLoadTransferCurve SolverCurve(const TzCurve& curve, double depth)
{
    TLoadTransferCurve out;
    out.depth = depth;
    out.z.reserve(kTzCurvePoints);
    out.value.reserve(kTzCurvePoints);
    for (int i = 1; i <= kTzCurvePoints; ++i) {
        out.z.push_back(curve.z[i]);
        out.value.push_back(curve.t[i]);
    }
    return out;
}

// Pile length from the head in working units.
double WorkingPileLength(const TPileData& p)
{
    const double length = p.STICKUP + p.PILELENGTH;
    return IsEnglish(p) ? length * kInchesPerFoot : length;
}

// The solver works on one segment per increment along the whole pile. The printed table
// rows are far coarser with a large print interval, and a segment many feet long settles at
// a movement its soil never sees: the load-settlement curve would follow a display setting.
constexpr int kMaxSolverSegments = 2000;

int SolverSegmentCount(const TPileData& p, double length)
{
    const double increment = IsEnglish(p) ? p.INCREMENT * kInchesPerFoot : p.INCREMENT;
    double count = increment > 0.0 ? std::ceil(length / increment - 1e-6) : 0.0;
    if (!(count >= 1.0)) {
        return std::max(p.NROWS, 1);
    }
    return static_cast<int>(std::min(count, static_cast<double>(kMaxSolverSegments)));
}

// A point's load distribution at the mid-depths of `count` equal segments, tip upward,
// interpolated in depth among the solver's rows (which run tip upward too).
std::vector<TLoadDistributionRow>
RowsAtTableSegments(const std::vector<TLoadDistributionRow>& rows, double length, int count)
{
    if (static_cast<int>(rows.size()) == count || rows.empty()) {
        return rows;
    }
    const double h = length / count;
    std::vector<TLoadDistributionRow> out;
    std::size_t i = 0;
    for (int r = 0; r < count; ++r) {
        const double d = length - (r + 0.5) * h;
        while (i + 2 < rows.size() && rows[i + 1].depth > d) {
            ++i;
        }
        const TLoadDistributionRow& a = rows[i];
        const TLoadDistributionRow& b = rows[std::min(i + 1, rows.size() - 1)];
        const double span = a.depth - b.depth;
        // Within half a solver segment of the head or the tip the line through the last two
        // rows carries on.
        const double w = span > 0.0 ? (a.depth - d) / span : 0.0;
        out.push_back(
            {d, a.load + w * (b.load - a.load), a.movement + w * (b.movement - a.movement)});
    }
    return out;
}

// Pair of soil rows that holds a verification depth, and whether one was found.
int VerificationPair(const TRunState& s, double depth)
{
    const int rows = s.PILEDATA.NSOILROWS;
    for (int r = 1; r < rows; ++r) {
        const double top = s.SOILDATA(r, kColDepth);
        const double bottom = s.SOILDATA(r + 1, kColDepth);
        if (bottom - top >= kThinnestLayer && bottom >= depth) {
            return r;
        }
    }
    // Only thin layers reach the depth: the first pair that does.
    for (int r = 1; r < rows; ++r) {
        if (s.SOILDATA(r + 1, kColDepth) >= depth) {
            return r;
        }
    }
    return rows > 1 ? rows - 1 : 0;
}

// Cross-section area from the pile's section (in2 / m2): the tip area of a noncircular pile,
// the wall of a pipe or a circular precast concrete pile, a full circle otherwise.
double SectionArea(const TPileData& p)
{
    if (IsNoncircular(p)) {
        return p.TIPAREAREAD;
    }
    double area = 0;
    if (p.PILETYPE == 1 || p.PILETYPE == 3) {
        area = 0.25 * kPiTo4 * (p.OD * p.OD - p.ID * p.ID);
    } else {
        area = 0.25 * kPiTo4 * p.OD * p.OD;
    }
    if (!IsEnglish(p)) {
        area = area / 1000.0 / 1000.0;
    }
    return area;
}

// The load-settlement method's cumulative side resistance on the grid, as TmaxAtDepth reads it,
// laid out once for all the curves of a section.
struct TGridSide
{
    std::vector<double> depth;
    std::vector<double> side;
};

TGridSide GridSide(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    TGridSide g;
    g.depth.reserve(static_cast<std::size_t>(std::max(p.NGRID, 0)));
    g.side.reserve(g.depth.capacity());
    for (int j = 1; j <= p.NGRID; ++j) {
        g.depth.push_back((j - 1) * p.INCREMENT);
        g.side.push_back(s.LOADSETINPUT.GRIDQS[j]);
    }
    return g;
}

double TmaxOnGrid(const TRunState& s, const TGridSide& g, double depthBelowGround)
{
    return TmaxAtDepth(g.depth, g.side, depthBelowGround, WorkingDiameter(s.PILEDATA), English(s));
}

} // namespace

double WorkingDiameter(const TPileData& p)
{
    return IsEnglish(p) ? p.OD : p.OD / kMillimetresPerMetre;
}

double StiffnessArea(const TPileData& p, const TAreaTable& a)
{
    return a.AREAMODE == 1 && p.CONSTAREA > kSmallestArea ? p.CONSTAREA : SectionArea(p);
}

double TMAXATDEPTH(const TRunState& s, double depthBelowGround)
{
    return TmaxOnGrid(s, GridSide(s), depthBelowGround);
}

void PlaceSolverCurves(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const bool english = English(s);
    TCurveData& c = s.CURVES;
    c.NCURVES = 0;
    const double stickup = WorkingStickup(p);
    if (HasStickup(p)) {
        AddCurve(c, 0.0, 2, 0.0);
        AddCurve(c, stickup * 0.5, 2, 0.0);
        AddCurve(c, stickup - 0.1, 2, 0.0);
    }
    for (int r = 1; r < p.NSOILROWS; ++r) {
        const double upper = s.SOILDATA(r, kColDepth);
        const double lower = s.SOILDATA(r + 1, kColDepth);
        if (!(lower - upper >= kThinnestLayer)) {
            continue;
        }
        const int type = BothSand(s, r) ? 1 : 2;
        const double top = english ? upper * kInchesPerFoot : upper;
        const double bottom = english ? lower * kInchesPerFoot - 0.5 : lower - 0.1;
        const double middle = english ? (top + bottom + 1.1) / 2.0 : (top + bottom + 0.1) / 2.0;
        const double phiTop = s.SOILDATA(r, kColPhi);
        const double phiBottom = s.SOILDATA(r + 1, kColPhi);
        AddCurve(c, top + stickup, type, phiTop);
        AddCurve(c, middle + stickup, type, (phiTop + phiBottom) / 2.0);
        AddCurve(c, bottom + stickup, type, phiBottom);
    }
    const TGridSide grid = GridSide(s);
    for (int k = 1; k <= c.NCURVES; ++k) {
        c.CURVETMAX[k] = AboveGround(p, k) ? 0.0 : TmaxOnGrid(s, grid, c.CURVEDEPTH[k] - stickup);
        BuildCurve(s, k);
    }
}

double SolverCurveDepthBelowGround(const TRunState& s, int k)
{
    const TPileData& p = s.PILEDATA;
    const double depth = s.CURVES.CURVEDEPTH[k];
    const double below = IsEnglish(p) ? depth / kInchesPerFoot - p.STICKUP : depth - p.STICKUP;
    // The top soil curve lies at the stick-up itself; the inch round trip must not put it a
    // rounding error above the ground.
    return std::abs(below) < 1e-9 ? 0.0 : below;
}

bool SolverCurveInSoil(const TRunState& s, int k)
{
    return !AboveGround(s.PILEDATA, k) && SolverCurveDepthBelowGround(s, k) >= 0.0;
}

void FillStiffnessTable(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const TAreaTable& a = s.AREATABLE;
    const double toWorking = IsEnglish(p) ? kInchesPerFoot : 1.0;
    TLoadSettleData& ls = s.LOADSET;
    ls.NEAROWS = 0;
    if (a.AREAMODE == 2 && a.AREACOUNT > 1) {
        std::vector<TStiffnessRow> rows;
        for (int r = 1; r <= a.AREACOUNT; ++r) {
            rows.push_back({a.AREADIST[r] * toWorking, a.AREAVALUE[r] * p.EMOD});
            if (!(rows.back().ea > 0.0) || !std::isfinite(rows.back().ea)
                || !std::isfinite(rows.back().depth)) {
                throw EEngineInputError("ERROR - CROSS SECTION AREA ROW " + std::to_string(r)
                                        + " GIVES NO AXIAL STIFFNESS (AREA x MODULUS NOT ABOVE "
                                          "ZERO); NO LOAD-SETTLEMENT CURVE CAN BE COMPUTED.");
            }
        }
        // The table is looked up by depth.
        std::stable_sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) {
            return x.depth < y.depth;
        });
        for (const TStiffnessRow& row : rows) {
            ++ls.NEAROWS;
            ls.EADEPTH[ls.NEAROWS] = row.depth;
            ls.EAVALUE[ls.NEAROWS] = row.ea;
        }
        return;
    }
    const double ea = StiffnessArea(p, a) * p.EMOD;
    if (!(ea > 0.0) || !std::isfinite(ea)) {
        throw EEngineInputError("ERROR - THE CROSS SECTION AREA AND THE MODULUS OF ELASTICITY "
                                "GIVE NO AXIAL STIFFNESS; NO LOAD-SETTLEMENT CURVE CAN BE "
                                "COMPUTED.");
    }
    ls.NEAROWS = 2;
    ls.EADEPTH[1] = 0.0;
    ls.EAVALUE[1] = ea;
    ls.EADEPTH[2] = WorkingPileLength(p);
    ls.EAVALUE[2] = ea;
}

void FillTipCurve(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const bool english = English(s);
    const int ngrid = std::max(p.NGRID, 1);
    const double qp = s.LOADSETINPUT.TIPRESULT[ngrid] * (english ? kPoundsPerKip : 1.0);
    int tipType = 0;
    for (int r = 1; r <= p.NSOILROWS; ++r) {
        tipType = SoilType(s, r);
        if (s.SOILDATA(r, kColDepth) >= p.PILELENGTH) {
            break;
        }
    }
    const TCurveData& c = s.CURVES;
    const double phi = c.NCURVES >= 1 ? c.CURVEPHI[c.NCURVES] : 0.0;
    s.CURVES.QWCURVE = TipCurve(p.LSMETHOD, qp, WorkingDiameter(p), tipType, phi, english);
    s.CURVES.NQWPTS = kTzCurvePoints;
}

std::vector<TLoadSettlePoint> LoadSettlementOfRun(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const bool english = English(s);
    const double length = WorkingPileLength(p);
    if (!(length > 0.0) || p.NROWS < 1) {
        throw EEngineInputError(
            "ERROR - THE PILE HAS NO LENGTH BELOW ITS HEAD; NO LOAD-SETTLEMENT CURVE CAN BE "
            "COMPUTED.");
    }
    const TLoadSettleData& ls = s.LOADSET;
    std::vector<TStiffnessRow> table;
    for (int r = 1; r <= ls.NEAROWS; ++r) {
        table.push_back({ls.EADEPTH[r], ls.EAVALUE[r]});
    }

    TLoadSettleInput in;
    in.segments =
        UniformSegments(length, SolverSegmentCount(p, length), table, WorkingDiameter(p) * kPiTo4);
    for (int k = 1; k <= s.CURVES.NCURVES; ++k) {
        in.shaftCurves.push_back(SolverCurve(s.CURVES.CURVE[k], s.CURVES.CURVEDEPTH[k]));
    }
    // Interpolation in depth needs the curves in depth order; a very thin layer can put its
    // middle curve below its bottom curve.
    std::stable_sort(
        in.shaftCurves.begin(),
        in.shaftCurves.end(),
        [](const TLoadTransferCurve& a, const TLoadTransferCurve& b) { return a.depth < b.depth; });
    in.tipCurve = SolverCurve(s.CURVES.QWCURVE, 0.0);
    in.tipMoves = StandardTipMoves(english);
    in.tolerance = english ? kSolverToleranceInches : kSolverToleranceInches / kInchesPerMetre;
    in.maxIterations = kSolverRounds;
    TLoadSettleResult result = SolveLoadSettlement(in);

    TLoadSettleData& out = s.LOADSET;
    out.NLSPOINTS = static_cast<int>(result.points.size());
    out.ITERLIMIT = result.iterationLimitReached;
    for (int m = 1; m <= out.NLSPOINTS; ++m) {
        TLoadSettlePoint& point = result.points[static_cast<std::size_t>(m - 1)];
        out.TIPMOVES[m] = point.tipMove;
        out.LSTIPLOAD[m] = point.tipLoad;
        out.LSTOPLOAD[m] = point.topLoad;
        out.LSTOPMOVE[m] = point.topMove;
        point.rows = RowsAtTableSegments(point.rows, length, p.NROWS);
    }
    return std::move(result.points);
}

bool VerificationDepthInSoil(const TRunState& s, int k)
{
    const TPileData& p = s.PILEDATA;
    const double depth = s.TZDEPTHS.TZDEPTH[k];
    // The last soil depth may be a sum the layer snapping made: a depth typed equal to it
    // is still inside.
    return p.NSOILROWS >= 1 && depth >= 0.0
           && depth <= s.SOILDATA(p.NSOILROWS, kColDepth) + kDepthTolerance;
}

void PlaceVerificationCurves(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const bool english = English(s);
    const TTzDepths& tz = s.TZDEPTHS;
    TCurveData& c = s.CURVES;
    c.NCURVES = tz.TZCOUNT;
    const TGridSide grid = GridSide(s);
    for (int k = 1; k <= tz.TZCOUNT; ++k) {
        if (!VerificationDepthInSoil(s, k)) {
            continue;
        }
        const double depth = tz.TZDEPTH[k];
        const int r = VerificationPair(s, depth);
        int type = 2;
        double phi = 0.0;
        if (r >= 1) {
            type = BothSand(s, r) ? 1 : 2;
            const double top = s.SOILDATA(r, kColDepth);
            const double span = s.SOILDATA(r + 1, kColDepth) - top;
            const double w = span > 1e-9 ? std::clamp((depth - top) / span, 0.0, 1.0) : 0.0;
            phi =
                s.SOILDATA(r, kColPhi) + w * (s.SOILDATA(r + 1, kColPhi) - s.SOILDATA(r, kColPhi));
        } else if (p.NSOILROWS >= 1) {
            type = SoilType(s, 1) == 1 ? 1 : 2;
            phi = s.SOILDATA(1, kColPhi);
        }
        c.CURVETYPE[k] = type;
        c.CURVEPHI[k] = phi;
        c.CURVEDEPTH[k] = english ? depth * kInchesPerFoot : depth;
        c.CURVETMAX[k] = TmaxOnGrid(s, grid, c.CURVEDEPTH[k]);
        c.CURVENO[k] = k;
        c.CURVEPTS[k] = kTzCurvePoints;
        BuildCurve(s, k);
    }
}
