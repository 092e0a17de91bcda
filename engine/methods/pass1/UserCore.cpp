#include "methods/pass1/UserCore.h"

#include <stdexcept>

#include "state/Constants.h"

namespace {

double SegmentValue(std::span<const double> values, int segment)
{
    return segment > 0 ? values[static_cast<std::size_t>(segment - 1)] : 0.0;
}

} // namespace

int UserMethodResistance(const UserSegments& in,
                         const UserPile& pile,
                         const Pass1Units& u,
                         const UserGridOutput& out)
{
    const std::size_t nseg = in.segLen.size();
    if (in.userSide.size() < nseg || in.userTip.size() < nseg || in.segRfs.size() < nseg) {
        throw std::invalid_argument("user method: arrays shorter than the segments");
    }
    const int ngrid = Pass1GridCount(pile.pileLength, pile.increment);
    const auto rows = static_cast<std::size_t>(ngrid);
    const bool unfactored = !out.unfactoredSide.empty();
    if (out.depth.size() < rows || out.tip.size() < rows || out.side.size() < rows
        || (unfactored && out.unfactoredSide.size() < rows)) {
        throw std::invalid_argument("user method: grid output shorter than the grid");
    }
    if (rows == 0) {
        return 0;
    }
    const int nsegInt = static_cast<int>(nseg);
    const double d = pile.od / u.smallPerLength;
    const double p = kPass1Pi * d;
    const double area = pile.tipArea > 0.0001 ? pile.tipArea : kQuarterPiTo7 * d * d;
    const double factor = pile.tension ? pile.tensionFactor : 1.0;

    Pass1SegmentCursor cursor(in.segLen);
    out.depth[0] = 0.0;
    out.tip[0] = area * SegmentValue(in.userTip, nsegInt > 0 ? 1 : 0);
    out.side[0] = 0.0;
    if (unfactored) {
        out.unfactoredSide[0] = 0.0;
    }
    for (std::size_t i = 1; i < rows; ++i) {
        const double z = pile.increment * static_cast<double>(i);
        const int m = cursor.Find(z).segment;
        const double rfs =
            nsegInt > 0
                ? SegmentValue(in.segRfs, Pass1IntervalSegment(static_cast<int>(i) + 1, nsegInt))
                : 1.0;
        out.depth[i] = z;
        out.tip[i] = area * SegmentValue(in.userTip, m);
        const double force = p * SegmentValue(in.userSide, m) * factor * pile.increment;
        out.side[i] = out.side[i - 1] + force * rfs;
        if (unfactored) {
            out.unfactoredSide[i] = out.unfactoredSide[i - 1] + force;
        }
    }
    return ngrid;
}
