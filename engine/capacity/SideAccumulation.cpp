#include "capacity/SideAccumulation.h"

#include <algorithm>
#include <stdexcept>

#include "profile/SegmentWalk.h"

namespace {

constexpr double kTolerance = 1e-6;

void Require(bool ok, const char* what)
{
    if (!ok) {
        throw std::invalid_argument(what);
    }
}

} // namespace

TSideAccumulation AccumulateSide(const TSideAccumulationInput& in)
{
    const std::size_t rows = in.gridF.size();
    const bool limited = in.limitMode != ESideLimit::kNone;
    Require(!limited || in.limit.size() >= rows, "side limit shorter than the grid");
    Require(in.perimeter.size() == 1 || in.perimeter.size() >= rows,
            "perimeter shorter than the grid");
    Require(in.sideFactor.size() >= rows, "side factors shorter than the grid");

    TSideAccumulation out;
    for (auto* v : {&out.GRIDF,
                    &out.GRIDFUSED,
                    &out.GRIDDQS,
                    &out.GRIDDQSLIM,
                    &out.GRIDQS,
                    &out.GRIDQSF,
                    &out.TZSIDE}) {
        v->assign(rows, 0.0);
    }
    if (rows == 0) {
        return out;
    }
    auto limitAt = [&](std::size_t i) {
        return limited ? in.limit[i] : 0.0;
    };
    auto used = [&](std::size_t i) {
        return limited ? std::min(out.GRIDF[i], limitAt(i)) : out.GRIDF[i];
    };

    out.GRIDF[0] = in.gridF[0] * in.tensionFactor;
    out.GRIDFUSED[0] = used(0);
    // The friction that ends an interval at its top: cut to the row's limit in the FHWA and
    // USACE variant, as interpolated otherwise.
    double upper = in.limitMode == ESideLimit::kOnForceCutRow ? out.GRIDFUSED[0] : out.GRIDF[0];
    for (std::size_t i = 1; i < rows; ++i) {
        out.GRIDF[i] = in.gridF[i] * in.tensionFactor;
        out.GRIDFUSED[i] = used(i);
        const double perimeter = in.perimeter.size() == 1 ? in.perimeter[0] : in.perimeter[i];
        const double width = 0.5 * perimeter * in.increment;
        double force = (upper + out.GRIDF[i]) * width;
        if (limited) {
            const double forceLimit = (limitAt(i - 1) + limitAt(i)) * width;
            out.GRIDDQSLIM[i] = forceLimit;
            if (force - forceLimit > kTolerance) {
                force = forceLimit;
            }
        }
        out.GRIDDQS[i] = force;
        out.GRIDQS[i] = out.GRIDQS[i - 1] + force;
        out.GRIDQSF[i] = out.GRIDQSF[i - 1] + force * in.sideFactor[i];
        out.TZSIDE[i] = in.tzFactor == 1 ? out.GRIDQSF[i] : out.GRIDQS[i];
        upper = in.limitMode == ESideLimit::kOnForceCutRow ? out.GRIDFUSED[i] : out.GRIDF[i];
    }
    return out;
}

int SideGridRows(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    if (p.NSEG < 1 || !(p.INCREMENT > 0.0) || !(p.PILELENGTH >= 0.0)) {
        return 0;
    }
    const double steps = p.PILELENGTH / p.INCREMENT + kTolerance;
    if (!(steps < kMaxGridPoints)) {
        return kMaxGridPoints;
    }
    return static_cast<int>(steps) + 1;
}

int SideRowSegment(const TRunState& s, int row)
{
    return std::clamp(row, 1, std::max(s.PILEDATA.NSEG, 1));
}

std::vector<double>
SideRowValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows)
{
    std::vector<double> out(static_cast<std::size_t>(std::max(rows, 0)));
    for (int j = 1; j <= rows; ++j) {
        out[static_cast<std::size_t>(j - 1)] = values[SideRowSegment(s, j)];
    }
    return out;
}

int SideIntervalSegment(const TRunState& s, int row)
{
    return SideRowSegment(s, row - 1);
}

std::vector<double>
SideIntervalValues(const TRunState& s, const TArray1<double, kMaxSegments>& values, int rows)
{
    std::vector<double> out(static_cast<std::size_t>(std::max(rows, 0)));
    for (int j = 1; j <= rows; ++j) {
        out[static_cast<std::size_t>(j - 1)] = values[SideIntervalSegment(s, j)];
    }
    return out;
}

std::vector<double> SideGridUnitFriction(const TRunState& s, std::span<const double> ends, int rows)
{
    const TPileData& p = s.PILEDATA;
    const int nseg = p.NSEG;
    Require(ends.size() >= 2 * static_cast<std::size_t>(std::max(nseg, 0)),
            "unit friction profile shorter than the segments");
    std::vector<double> gridF(static_cast<std::size_t>(std::max(rows, 0)), 0.0);
    if (nseg < 1) {
        return gridF;
    }
    TSegmentBottoms b;
    SumSegmentBottoms(s.SEGDATA, std::min(nseg, kMaxSegments), b);
    TSegmentCursor cursor(b);
    for (int j = 1; j <= rows; ++j) {
        const double z = (j - 1) * p.INCREMENT;
        if (z - p.ZEROFRICTION <= -kTolerance) {
            continue;
        }
        const int m = cursor.Find(z);
        const double len = b.length[static_cast<std::size_t>(m)];
        const double bottom = b.bottom[static_cast<std::size_t>(m)];
        const double top = ends[static_cast<std::size_t>(2 * m - 2)];
        const double bot = ends[static_cast<std::size_t>(2 * m - 1)];
        const double into = std::clamp(z - (bottom - len), 0.0, std::max(len, 0.0));
        gridF[static_cast<std::size_t>(j - 1)] = len > 0.0 ? top + (bot - top) / len * into : top;
    }
    return gridF;
}

void StoreSideResult(TMethodResult& r, double increment, const TSideAccumulation& side)
{
    const int rows = std::min(static_cast<int>(side.GRIDQSF.size()), kMaxGridPoints);
    for (int j = 1; j <= rows; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        r.PENETRATION[j] = (j - 1) * increment;
        r.SKIN[j] = side.GRIDQSF[i];
        r.UNITSKIN[j] = side.GRIDFUSED[i];
        r.TZSIDE[j] = side.TZSIDE[i];
    }
    r.COMPUTED = true;
}
