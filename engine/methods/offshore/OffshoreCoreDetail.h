#pragma once

// Small geometry and guard helpers shared by the offshore method bodies.

#include <algorithm>
#include <cmath>

#include "methods/offshore/OffshoreCore.h"
#include "state/Constants.h"

namespace Offshore::Detail {

inline constexpr double kStressFloor = 1e-10;
inline constexpr double kTipDistanceFloor = 1e-5; // diameter units

// Distance from the pile tip to the segment's top, in diameter units (in / mm).
inline double DistanceToTip(const Pile& pile, const Segment& seg, const Constants& c)
{
    return std::max((pile.length - seg.top) * c.lengthToDiameter, kTipDistanceFloor);
}

// Radius of a solid section with the steel area of the pile tip, R* = sqrt(R^2 - Ri^2)
// (Jardine et al. 2005); R for a closed end. Never below the stress floor, so h / R* is finite.
inline double EquivalentRadius(const Pile& pile)
{
    const double r2 = 0.25 * pile.od * pile.od - 0.25 * pile.endSectId * pile.endSectId;
    return std::max(std::sqrt(std::max(r2, 0.0)), kStressFloor);
}

// tan of the interface friction angle phi - 5 degrees; never negative.
inline double TanInterfaceAngle(double phi)
{
    return std::tan(std::max(phi - 5.0, 0.0) / kDegreesPerRadian);
}

// (x)^e for a non-negative base; a negative base (bad input) counts as 0.
inline double PowNonNegative(double x, double e)
{
    return std::pow(std::max(x, 0.0), e);
}

} // namespace Offshore::Detail
