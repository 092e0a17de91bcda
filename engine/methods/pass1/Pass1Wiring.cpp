#include "methods/pass1/Pass1Wiring.h"

#include <algorithm>

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

int Pass1CompressionPlugFlag(const TRunState& s, int methodIndex, int row)
{
    const int last = std::max(s.PILEDATA.NGRID, 1);
    return s.COMPPLUGFLAG(methodIndex, std::clamp(row, 1, std::min(last, kMaxGridPoints)));
}

FhwaPile FhwaPileOf(const TPileData& p)
{
    FhwaPile pile;
    pile.od = p.OD;
    pile.id = p.ID;
    pile.endSectionLength = p.ENDSECTLENGTH;
    pile.endSectionId = p.ENDSECTID;
    pile.tipArea = p.TIPAREA;
    pile.taperAngle = p.TAPERANGLE;
    pile.stickup = p.STICKUP;
    pile.pileLength = p.PILELENGTH;
    pile.pileType = p.PILETYPE;
    return pile;
}
