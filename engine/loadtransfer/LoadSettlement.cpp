#include "loadtransfer/LoadSettlement.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "state/Constants.h"

namespace {

constexpr double kDepthTolerance = 1e-6; // two depths closer than this are the same depth
constexpr double kInchesPerFoot = 12.0;

// CurveValueAt, inline for the solver's inner loop.
[[gnu::always_inline]] inline double ValueAt(const TLoadTransferCurve& curve, double z)
{
    const std::size_t n = std::min(curve.z.size(), curve.value.size());
    if (n == 0) {
        return 0.0;
    }
    if (z <= curve.z[0]) {
        return curve.value[0];
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (curve.z[i] >= z) {
            const double dz = curve.z[i] - curve.z[i - 1];
            if (dz < 1e-12) { // a vertical step: take its upper point
                return curve.value[i];
            }
            const double w = (z - curve.z[i - 1]) / dz;
            return curve.value[i - 1] + w * (curve.value[i] - curve.value[i - 1]);
        }
    }
    return curve.value[n - 1]; // beyond the last point: the curve's end value
}

} // namespace

double CurveValueAt(const TLoadTransferCurve& curve, double z)
{
    return ValueAt(curve, z);
}

double ShaftResistanceAt(const std::vector<TLoadTransferCurve>& curves, double d, double z)
{
    if (curves.empty()) {
        return 0.0;
    }
    // First curve deeper than d.
    std::size_t c = 0;
    while (c < curves.size() && !(curves[c].depth > d)) {
        ++c;
    }
    if (c == curves.size()) {
        return CurveValueAt(curves.back(), z);
    }
    if (c > 0 && std::abs(d - curves[c - 1].depth) < kDepthTolerance) {
        return CurveValueAt(curves[c - 1], z);
    }
    if (c == 0) { // above the first curve
        return CurveValueAt(curves.front(), z);
    }
    const TLoadTransferCurve& upper = curves[c - 1];
    const TLoadTransferCurve& lower = curves[c];
    const double span = lower.depth - upper.depth;
    const double tUpper = CurveValueAt(upper, z);
    if (span < kDepthTolerance) {
        return tUpper;
    }
    const double w = (d - upper.depth) / span;
    return tUpper + w * (CurveValueAt(lower, z) - tUpper);
}

namespace {

// StiffnessAt, its search for the rows around d starting at row `from` (1 for the whole search).
double StiffnessFrom(const std::vector<TStiffnessRow>& table, double d, std::size_t& from)
{
    if (table.empty()) {
        return 0.0;
    }
    if (d <= table.front().depth) {
        return table.front().ea;
    }
    for (std::size_t i = from; i < table.size(); ++i) {
        if (table[i].depth >= d) {
            from = i;
            const double span = table[i].depth - table[i - 1].depth;
            if (span < kDepthTolerance) {
                return table[i].ea;
            }
            const double w = (d - table[i - 1].depth) / span;
            return table[i - 1].ea + w * (table[i].ea - table[i - 1].ea);
        }
    }
    return table.back().ea;
}

} // namespace

double StiffnessAt(const std::vector<TStiffnessRow>& table, double d)
{
    std::size_t from = 1;
    return StiffnessFrom(table, d, from);
}

std::vector<TPileSegment> UniformSegments(double pileLength,
                                          int count,
                                          const std::vector<TStiffnessRow>& table,
                                          double perimeter)
{
    if (table.empty() || count < 1 || !(pileLength > 0.0)) {
        throw std::invalid_argument("UniformSegments: no stiffness rows, segments or length");
    }
    const double h = pileLength / count;
    std::vector<TPileSegment> segments(static_cast<std::size_t>(count));
    // The mid-depths run downward, and a row that lies above one mid-depth lies above every
    // deeper one, so each search goes on from the row the last one found.
    std::size_t from = 1;
    for (int k = 0; k < count; ++k) {
        const double mid = (k + 0.5) * h;
        segments[static_cast<std::size_t>(k)] = {h, StiffnessFrom(table, mid, from), perimeter};
    }
    return segments;
}

std::vector<double> StandardTipMoves(bool english)
{
    std::vector<double> moves{0.0001, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0, 2.0};
    if (!english) {
        for (double& m : moves) {
            m /= kInchesPerMetre;
        }
    }
    return moves;
}

namespace {

// What ShaftResistanceAt reads for one depth, found once: the curve at that depth alone, or the
// two curves above and below it with the depth's weight between them.
struct TShaftBracket
{
    const TLoadTransferCurve* upper = nullptr; // nullptr: no curves, no resistance
    const TLoadTransferCurve* lower = nullptr; // nullptr: upper alone
    double w = 0.0;
};

TShaftBracket BracketAt(const std::vector<TLoadTransferCurve>& curves, double d)
{
    TShaftBracket b;
    if (curves.empty()) {
        return b;
    }
    std::size_t c = 0;
    while (c < curves.size() && !(curves[c].depth > d)) {
        ++c;
    }
    if (c == curves.size()) {
        b.upper = &curves.back();
        return b;
    }
    if (c > 0 && std::abs(d - curves[c - 1].depth) < kDepthTolerance) {
        b.upper = &curves[c - 1];
        return b;
    }
    if (c == 0) {
        b.upper = &curves.front();
        return b;
    }
    b.upper = &curves[c - 1];
    const double span = curves[c].depth - b.upper->depth;
    if (span < kDepthTolerance) {
        return b;
    }
    b.lower = &curves[c];
    b.w = (d - b.upper->depth) / span;
    return b;
}

// ShaftResistanceAt for the bracketed depth, by the same arithmetic.
double ShaftResistance(const TShaftBracket& b, double z)
{
    if (b.upper == nullptr) {
        return 0.0;
    }
    const double tUpper = ValueAt(*b.upper, z);
    if (b.lower == nullptr) {
        return tUpper;
    }
    return tUpper + b.w * (ValueAt(*b.lower, z) - tUpper);
}

} // namespace

namespace {

// Where one tip movement's solution stands while a segment is solved: the node below the
// segment, and the segment's iteration.
struct TPointState
{
    double p = 0;    // axial load at the node below the segment
    double z = 0;    // movement of that node
    double zMid = 0; // the segment's mid-point movement, as last assumed
    double pTop = 0;
    double pAvg = 0;
    double zNew = 0;
    bool settled = false;
};

} // namespace

TLoadSettleResult SolveLoadSettlement(const TLoadSettleInput& in)
{
    double pileLength = 0.0;
    for (const TPileSegment& s : in.segments) {
        if (!(s.ea > 0.0) || s.perimeter < 0.0 || s.length < 0.0) {
            throw std::invalid_argument("SolveLoadSettlement: a segment without stiffness");
        }
        pileLength += s.length;
    }
    const int maxRounds = std::max(1, in.maxIterations);

    // Each segment's mid-depth and the curves around it, the same for every tip movement.
    std::vector<TShaftBracket> brackets(in.segments.size());
    {
        double bottom = pileLength;
        std::size_t i = in.segments.size();
        for (auto it = in.segments.rbegin(); it != in.segments.rend(); ++it) {
            brackets[--i] = BracketAt(in.shaftCurves, bottom - it->length / 2.0);
            bottom -= it->length;
        }
    }

    TLoadSettleResult result;
    result.points.resize(in.tipMoves.size());
    std::vector<TPointState> states(in.tipMoves.size());
    for (std::size_t m = 0; m < in.tipMoves.size(); ++m) {
        TLoadSettlePoint& point = result.points[m];
        point.tipMove = in.tipMoves[m];
        point.tipLoad = CurveValueAt(in.tipCurve, point.tipMove);
        point.rows.reserve(in.segments.size());
        states[m].p = point.tipLoad;
        states[m].z = point.tipMove;
    }

    // Each segment from the tip upward, for every tip movement in turn: the movements' solutions
    // do not depend on one another, so their iterations go side by side, round by round, and
    // the processor overlaps them; each movement's arithmetic is what it would be alone.
    double bottom = pileLength;
    std::size_t segment = in.segments.size();
    for (auto it = in.segments.rbegin(); it != in.segments.rend(); ++it) {
        const TShaftBracket& bracket = brackets[--segment];
        const double h = it->length;
        const double d = bottom - h / 2.0;
        std::size_t open = states.size();
        for (TPointState& st : states) {
            st.zMid = st.z;
            st.settled = false;
        }
        for (int round = 0; round < maxRounds && open > 0; ++round) {
            for (TPointState& st : states) {
                if (st.settled) {
                    continue;
                }
                const double t = ShaftResistance(bracket, st.zMid);
                const double dp = t * it->perimeter * h;
                st.pTop = st.p + dp;
                st.pAvg = st.p + dp / 2.0;
                // Mid-point movement: the node's movement plus the shortening of the lower half
                // under the mean of its end loads.
                st.zNew = st.z + ((st.pTop + st.p) / 2.0 + st.p) / 2.0 * (h / 2.0) / it->ea;
                if (std::abs(st.zNew - st.zMid) <= in.tolerance) {
                    st.settled = true;
                    --open;
                } else {
                    st.zMid = st.zNew;
                }
            }
        }
        for (std::size_t m = 0; m < states.size(); ++m) {
            TPointState& st = states[m];
            TLoadSettlePoint& point = result.points[m];
            if (!st.settled) {
                point.converged = false;
                result.iterationLimitReached = true;
            }
            point.rows.push_back({d, st.pAvg, st.zNew});
            // The top node from the last round's mean load.
            st.z = st.z + h * st.pAvg / it->ea;
            st.p = st.pTop;
        }
        bottom -= h;
    }
    for (std::size_t m = 0; m < states.size(); ++m) {
        result.points[m].topLoad = states[m].p;
        result.points[m].topMove = states[m].z;
    }
    return result;
}

std::vector<TLoadDistributionRow> WrittenDistributionRows(const TLoadSettlePoint& point,
                                                          bool english)
{
    std::vector<TLoadDistributionRow> rows = point.rows;
    if (english) {
        for (TLoadDistributionRow& r : rows) {
            r.depth /= kInchesPerFoot;
            r.load /= kPoundsPerKip;
        }
    }
    return rows;
}
