#pragma once

// The walk from the ground surface down the segments that the engine's depth lookups share: the
// segment bottoms as summed segment lengths, and cursors that find the segment holding each of a
// rising series of depths by moving forward from the last one, never from the surface again.
// A cursor finds the same segment as a walk from the top: the summed bottoms rise, so the first
// segment that satisfies a depth is never above the one that satisfied a shallower depth.

#include <array>
#include <cstddef>

#include "state/EngineLimits.h"
#include "state/RunState.h"

// B(k) = len(1) + ... + len(k), len the segment's SEGBOT - SEGTOP, added in that order; B(0) = 0.
// Entries 0 .. nseg are written before anything reads them, so the rest is left as it is.
struct TSegmentBottoms
{
    int nseg = 0;
    std::array<double, kMaxSegments + 1> bottom; // index k: B(k)
    std::array<double, kMaxSegments + 1> length; // index k: len(k), from 1
};

inline void SumSegmentBottoms(const TSegData& g, int nseg, TSegmentBottoms& out)
{
    out.nseg = nseg;
    out.bottom[0] = 0.0;
    out.length[0] = 0.0;
    double sum = 0.0;
    for (int k = 1; k <= nseg; ++k) {
        const double len = g.SEGBOT[k] - g.SEGTOP[k];
        out.length[static_cast<std::size_t>(k)] = len;
        sum = k == 1 ? len : sum + len;
        out.bottom[static_cast<std::size_t>(k)] = sum;
    }
}

// The segment that holds z, a depth within 1e-6 of a boundary belonging to the segment above:
// the first m with z - B(m) <= 1e-6, the last segment for anything deeper. For depths that rise
// from one call to the next.
class TSegmentCursor
{
public:
    explicit TSegmentCursor(const TSegmentBottoms& b)
        : m_b(b)
    {}
    int Find(double z)
    {
        while (m_m < m_b.nseg && z - m_b.bottom[static_cast<std::size_t>(m_m)] > kDepthTolerance) {
            ++m_m;
        }
        return m_m;
    }

private:
    const TSegmentBottoms& m_b;
    int m_m = 1;
};

// The segment whose bottom z does not pass: the first k with z <= B(k), the last segment for
// anything deeper. For depths that rise from one call to the next.
class TSegmentBottomCursor
{
public:
    explicit TSegmentBottomCursor(const TSegmentBottoms& b)
        : m_b(b)
    {}
    int Find(double z)
    {
        while (m_k < m_b.nseg && !(z <= m_b.bottom[static_cast<std::size_t>(m_k)])) {
            ++m_k;
        }
        return m_k;
    }

private:
    const TSegmentBottoms& m_b;
    int m_k = 1;
};
