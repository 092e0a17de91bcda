#include "methods/pass1/Pass1Core.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "state/Constants.h"

namespace {

// English: ft, kips, ksf, diameters in in. SI: m, kN, kPa, diameters in mm.
constexpr Pass1Units kEnglish{
    1,
    12.0,
    144.0,
    1.0,
    1.0,
    kCriticalStressKsf,
    0.5,
    1.0,
    1.0,
    1000.0,
    0.1,
};
constexpr Pass1Units kSi{
    2,
    1000.0,
    1000000.0,
    kKpaPerKsf,
    kCubicMetresPerFoot,
    kCriticalStressKpa,
    24.0,
    48.0,
    0.3048,
    1000000.0,
    2.54,
};

void Require(bool ok, const char* what)
{
    if (!ok) {
        throw std::invalid_argument(std::string("pass-1 method core: ") + what);
    }
}

} // namespace

const Pass1Units& Pass1UnitsFor(EUnitSystem system)
{
    return IsEnglish(system) ? kEnglish : kSi;
}

const Pass1Units& Pass1UnitsFor(int unitsCode)
{
    return Pass1UnitsFor(UnitSystemOf(unitsCode));
}

int Pass1GridCount(double pileLength, double increment)
{
    if (!(increment > 0.0) || !(pileLength >= 0.0)) {
        return 0;
    }
    const double steps = pileLength / increment + kPass1DepthTolerance;
    if (steps > 1e9) {
        return 0;
    }
    return static_cast<int>(steps) + 1;
}

Pass1SegmentPosition Pass1FindSegment(std::span<const double> segLen, double z)
{
    const int nseg = static_cast<int>(segLen.size());
    if (nseg == 0) {
        return {0, 0.0};
    }
    int m = 1;
    double bottom = segLen[0];
    while (z - bottom > kPass1DepthTolerance && m < nseg) {
        ++m;
        bottom += segLen[static_cast<std::size_t>(m - 1)];
    }
    const double len = segLen[static_cast<std::size_t>(m - 1)];
    const double into = std::clamp(z - (bottom - len), 0.0, std::max(len, 0.0));
    return {m, into};
}

Pass1SegmentPosition Pass1SegmentCursor::Find(double z)
{
    const int nseg = static_cast<int>(m_segLen.size());
    if (nseg == 0) {
        return {0, 0.0};
    }
    while (z - m_bottom > kPass1DepthTolerance && m_m < nseg) {
        ++m_m;
        m_bottom += m_segLen[static_cast<std::size_t>(m_m - 1)];
    }
    const double len = m_segLen[static_cast<std::size_t>(m_m - 1)];
    const double into = std::clamp(z - (m_bottom - len), 0.0, std::max(len, 0.0));
    return {m_m, into};
}

double Pass1InterpolateEnds(std::span<const double> segLen, std::span<const double> ends, double z)
{
    const Pass1SegmentPosition pos = Pass1FindSegment(segLen, z);
    if (pos.segment == 0) {
        return 0.0;
    }
    Require(ends.size() >= 2 * static_cast<std::size_t>(pos.segment),
            "two-entry profile too short");
    const double top = ends[static_cast<std::size_t>(2 * pos.segment - 2)];
    const double bottom = ends[static_cast<std::size_t>(2 * pos.segment - 1)];
    const double len = segLen[static_cast<std::size_t>(pos.segment - 1)];
    if (!(len > 0.0)) {
        return top;
    }
    return top + (bottom - top) / len * pos.into;
}

int Pass1RowSegment(int row, int nseg)
{
    if (nseg < 1) {
        return 0;
    }
    return std::clamp(row, 1, nseg);
}

int Pass1IntervalSegment(int row, int nseg)
{
    return Pass1RowSegment(row - 1, nseg);
}

void Pass1GridUnitFriction(std::span<const double> segLen,
                           std::span<const double> ends,
                           double increment,
                           double zeroFriction,
                           std::span<double> gridF)
{
    for (std::size_t i = 0; i < gridF.size(); ++i) {
        const double z = increment * static_cast<double>(i);
        gridF[i] = (z - zeroFriction > -kPass1DepthTolerance)
                       ? Pass1InterpolateEnds(segLen, ends, z)
                       : 0.0;
    }
}
