#include "profile/Segments.h"

#include <algorithm>
#include <cmath>

#include "profile/SegmentWalk.h"

namespace {

// SEGDATA arrays filled by interpolation, with the SOILDATA column each comes from.
struct TSegColumn
{
    TArray1<double, kMaxSegments> TSegData::*array;
    int column;
};

constexpr TSegColumn kInterpolated[] = {
    {&TSegData::SEGKO, kColKo},
    {&TSegData::SEGGAMMA, kColGamma},
    {&TSegData::SEGPHI, kColPhi},
    {&TSegData::SEGNQ, kColNq},
    {&TSegData::SEGFMAX, kColFmax},
    {&TSegData::SEGQMAX, kColQmax},
    {&TSegData::SEGSU, kColSu},
    {&TSegData::SEGSUR, kColSur},
    {&TSegData::SEGSPT, kColSpt},
    {&TSegData::SEGPI, kColPi},
    {&TSegData::SEGQC, kColQc},
    {&TSegData::SEGUSERF, kColUserF},
    {&TSegData::SEGUSERQ, kColUserQ},
    {&TSegData::SEGRFS, kColRfs},
    {&TSegData::SEGRFE, kColRfe},
    {&TSegData::SEGADH, kColAdhesion},
};

// Rows closer than this are one depth: their values are not interpolated between.
constexpr double kZeroThickness = 1.0E-10;

} // namespace

double SegmentCount(double deepestSoil, double increment)
{
    const double count = std::floor(deepestSoil / increment + kDepthTolerance);
    return count > 0 ? count : 0;
}

void SnapLayers(TRunState& s)
{
    const double inc = s.PILEDATA.INCREMENT;
    auto& d = s.SOILDATA;
    for (int r = 1; r <= s.PILEDATA.NSOILROWS - 1; ++r) {
        const double gap = d(r + 1, kColDepth) - d(r, kColDepth);
        if (gap < inc / 2) {
            d(r + 1, kColDepth) = d(r, kColDepth);
        } else if (gap < inc) {
            d(r + 1, kColDepth) = d(r, kColDepth) + inc;
        }
    }
}

void FillSegments(TRunState& s)
{
    TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    const auto& d = s.SOILDATA;
    const int lastRow = p.NSOILROWS;
    double z = 0;
    int r = 2;
    for (int k = 1; k <= p.NSEG; ++k) {
        g.SEGTOP[k] = z;
        g.SEGBOT[k] = z + p.INCREMENT;
        // The row pointer stops at the last soil row: below it the last row's values hold.
        while (r < lastRow && d(r, kColDepth) - z <= kDepthTolerance) {
            ++r;
        }
        g.SEGTYPE[k] = d(r - 1, kColType);
        const double mid = z + p.INCREMENT / 2;
        const double top = d(r - 1, kColDepth);
        const double span = d(r, kColDepth) - top;
        const bool belowLastRow = d(r, kColDepth) - z <= kDepthTolerance;
        for (const TSegColumn& c : kInterpolated) {
            const double upper = d(r - 1, c.column);
            const double lower = d(r, c.column);
            double value = 0;
            if (belowLastRow || span <= kZeroThickness) {
                value = lower;
            } else {
                value = upper + (lower - upper) / span * (mid - top);
            }
            (g.*c.array)[k] = value;
        }
        if (IsEnglish(p)) {
            // User unit values from lb/ft2 to ksf. The tension reduction factor is not applied
            // here: the user-specified method applies it, to side friction in tension only.
            g.SEGUSERF[k] = g.SEGUSERF[k] / 1000.0;
            g.SEGUSERQ[k] = g.SEGUSERQ[k] / 1000.0;
        }
        z = z + p.INCREMENT;
    }
}

int GridPointCount(double embeddedLength, double increment)
{
    const double n = std::floor(embeddedLength / increment + kDepthTolerance);
    if (!(n >= 0)) {
        return 1;
    }
    return static_cast<int>(n > kMaxGridPoints - 1 ? kMaxGridPoints - 1 : n) + 1;
}

std::vector<int> PrintedGridPoints(int nGrid, int printInterval)
{
    std::vector<int> points;
    const int step = printInterval < 1 ? 1 : printInterval;
    for (long long j = 1; j <= nGrid; j += step) {
        points.push_back(static_cast<int>(j));
    }
    if (nGrid >= 1 && points.back() != nGrid) {
        points.push_back(nGrid);
    }
    return points;
}

void FillGridTypes(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const TSegData& g = s.SEGDATA;
    TGridData& grid = s.GRID;
    TSegmentBottoms b;
    SumSegmentBottoms(g, std::clamp(p.NSEG, 0, kMaxSegments), b);
    int c = 1; // moves down with the rising depths
    grid.GRIDDEPTH[1] = 0;
    for (int j = 1; j <= p.NGRID; ++j) {
        const double depth = grid.GRIDDEPTH[j];
        if (depth <= g.SEGBOT[1] - g.SEGTOP[1] + kDepthTolerance) {
            grid.GRIDTYPE[j] = g.SEGTYPE[1];
        } else {
            // The first segment whose summed lengths reach the depth; the last one when
            // rounding leaves the sum a hair short.
            while (c < p.NSEG && b.bottom[static_cast<std::size_t>(c)] < depth - kDepthTolerance) {
                ++c;
            }
            grid.GRIDTYPE[j] = g.SEGTYPE[std::max(c, 1)];
        }
        if (j < p.NGRID) {
            grid.GRIDDEPTH[j + 1] = j * p.INCREMENT;
        }
    }
}
