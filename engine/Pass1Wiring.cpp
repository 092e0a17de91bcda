#include "Pass1Wiring.h"

#include <algorithm>

#include "Segments.h"

int Pass1GridRows(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    if (p.NSEG < 1 || !(p.INCREMENT > 0.0)) {
        return 0;
    }
    return GridPointCount(p.PILELENGTH, p.INCREMENT);
}

std::vector<double> Pass1SegmentValues(const TArray1<double, kMaxSegments>& values, int nseg)
{
    std::vector<double> out(static_cast<std::size_t>(std::max(nseg, 0)));
    for (int k = 1; k <= nseg; ++k) {
        out[static_cast<std::size_t>(k - 1)] = values[k];
    }
    return out;
}

std::vector<double> Pass1SegmentLengths(const TRunState& s)
{
    const int nseg = s.PILEDATA.NSEG;
    std::vector<double> out(static_cast<std::size_t>(std::max(nseg, 0)));
    for (int k = 1; k <= nseg; ++k) {
        out[static_cast<std::size_t>(k - 1)] = s.SEGDATA.SEGBOT[k] - s.SEGDATA.SEGTOP[k];
    }
    return out;
}

int Pass1RowSegmentOf(const TRunState& s, int row)
{
    return Pass1RowSegment(row, s.PILEDATA.NSEG);
}

std::vector<double>
Pass1RowValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows)
{
    std::vector<double> out(static_cast<std::size_t>(std::max(rows, 0)));
    for (int j = 1; j <= rows; ++j) {
        out[static_cast<std::size_t>(j - 1)] = values[Pass1RowSegmentOf(s, j)];
    }
    return out;
}

void Pass1StoreSide(TMethodResult& r,
                    double increment,
                    const std::vector<double>& skin,
                    const std::vector<double>& unitSkin,
                    const std::vector<double>& loadTransfer)
{
    const int rows = static_cast<int>(skin.size());
    for (int j = 1; j <= rows; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        r.PENETRATION[j] = (j - 1) * increment;
        r.SKIN[j] = skin[i];
        r.UNITSKIN[j] = unitSkin[i];
        r.TZSIDE[j] = loadTransfer[i];
    }
}

TPass1Side Pass1Accumulate(const TRunState& s,
                           const std::vector<double>& gridF,
                           const std::vector<double>& perimeter)
{
    const TPileData& p = s.PILEDATA;
    const int rows = static_cast<int>(gridF.size());
    const std::vector<double> limit = Pass1RowValues(s, s.SEGDATA.SEGFMAX, rows);
    const std::vector<double> rfs = Pass1RowValues(s, s.SEGDATA.SEGRFS, rows);
    TPass1Side side;
    const auto n = static_cast<std::size_t>(rows);
    side.unitFriction.resize(n);
    side.unreduced.resize(n);
    side.reduced.resize(n);
    side.loadTransfer.resize(n);
    std::vector<double> force(n);
    std::vector<double> forceLimit(n);
    Pass1AccumulateSide(
        {gridF, limit, perimeter, rfs, p.INCREMENT, p.LOADTYPE == 1, p.TENSIONFACTOR, p.TZFACTOR},
        {side.unitFriction, force, forceLimit, side.unreduced, side.reduced, side.loadTransfer});
    return side;
}

namespace {

std::vector<double> Ends(const TRunState& s, const TArray1<double, 2 * kMaxSegments + 1>& values)
{
    const int nseg = std::max(s.PILEDATA.NSEG, 0);
    std::vector<double> out(2 * static_cast<std::size_t>(nseg));
    for (int e = 1; e <= 2 * nseg; ++e) {
        out[static_cast<std::size_t>(e - 1)] = values[e];
    }
    return out;
}

} // namespace

std::vector<double> Pass1StressEnds(const TRunState& s)
{
    return Ends(s, s.STRESS.SIGV);
}

std::vector<double> Pass1LimitedStressEnds(const TRunState& s)
{
    return Ends(s, s.STRESS.SIGVLIM);
}

void Pass1SetUnitTransfer(TRunState& s, int methodIndex, int k, double top, double bottom)
{
    s.UNITXFER(methodIndex, 2 * k - 1) = top;
    s.UNITXFER(methodIndex, 2 * k) = bottom;
}

int Pass1PlugFlag(const TRunState& s, int methodIndex, int row)
{
    const int last = std::max(s.PILEDATA.NGRID, 1);
    return s.PLUGFLAG(methodIndex, std::clamp(row, 1, std::min(last, kMaxGridPoints)));
}
