#include "methods/pass1/FhwaCore.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "charts/DesignCharts.h"
#include "state/Constants.h"

namespace {

double TaperTangent(const FhwaPile& pile)
{
    return std::tan(pile.taperAngle * kPass1TaperRadiansPerDegree);
}

double HeadDiameter(const FhwaPile& pile, const Pass1Units& u)
{
    return pile.od / u.smallPerLength;
}

} // namespace

double FhwaDiameterAt(const FhwaPile& pile, double depth, const Pass1Units& u)
{
    const double d0 = HeadDiameter(pile, u);
    if (!(pile.taperAngle > 0.0)) {
        return d0;
    }
    // A taper that has closed the section leaves no diameter, never a negative one.
    return std::max(0.0, d0 - 2.0 * TaperTangent(pile) * (pile.stickup + depth));
}

double FhwaPerimeterAt(const FhwaPile& pile, double depth, const Pass1Units& u)
{
    return kPass1Pi * FhwaDiameterAt(pile, depth, u);
}

// Displaced volume per unit length enters Nordlund's delta/phi ratio and K-delta charts
// (Hannigan et al. figs. 9.11 to 9.16), which are drawn in ft3/ft.
double FhwaDisplacedVolume(const FhwaPile& pile,
                           double segmentBottom,
                           int plugFlag,
                           const Pass1Units& u,
                           double steelArea)
{
    const double area = u.smallAreaPerArea;
    const double wall = kPass1Pi * 0.25 * (pile.od * pile.od - pile.id * pile.id) / area;
    const double full = kPass1Pi * 0.25 * pile.od * pile.od / area;
    double v = wall;
    if (plugFlag == 1) {
        v = full; // a plugged or closed section displaces its whole area
    } else if (plugFlag == 2) {
        v = wall; // an unplugged pipe displaces its wall only
    }
    if (pile.endSectionLength > 0.001 && pile.endSectionId < 1e-5) {
        v = kPiTo4 * 0.25 * pile.od * pile.od / area;
        if (pile.taperAngle > 0.0) {
            const double d = FhwaDiameterAt(pile, segmentBottom, u);
            v = kPass1Pi * 0.25 * d * d;
        }
    }
    if (pile.tipArea > 1e-6) {
        // A noncircular section has no plug to form: it displaces its own area, never the
        // circle of its perimeter. Nordlund's V is the volume of soil the pile pushes aside per
        // unit length, so an H-pile displaces its steel; the box area a project gives as its
        // tip area is the area of its toe (Nordlund method in Hannigan et al. 2016, GEC-12
        // Vol. I, FHWA-NHI-16-009; the H-pile of its companion design examples,
        // FHWA-NHI-16-064).
        v = pile.pileType == 6 && steelArea > 1e-6 ? steelArea : pile.tipArea;
    }
    return v / u.volumeDivisor;
}

// K-delta charts for 25, 30, 35 and 40 degrees (Nordlund 1963; Hannigan et al. figs. 9.12 to
// 9.15), linear in phi between them.
double FhwaKDelta(double phi, double taperAngle, double volume)
{
    if (phi < 25.0) {
        return KDELTA25(taperAngle, volume);
    }
    if (phi < 30.0) {
        const double a = KDELTA25(taperAngle, volume);
        return a + (phi - 25.0) * (KDELTA30(taperAngle, volume) - a) / 5.0;
    }
    if (phi < 35.0) {
        const double a = KDELTA30(taperAngle, volume);
        return a + (phi - 30.0) * (KDELTA35(taperAngle, volume) - a) / 5.0;
    }
    if (phi < 40.0) {
        const double a = KDELTA35(taperAngle, volume);
        return a + (phi - 35.0) * (KDELTA40(taperAngle, volume) - a) / 5.0;
    }
    return KDELTA40(taperAngle, volume);
}

// Nordlund (1963): f = K-delta CF sigma'v sin(delta + omega) / cos(omega), omega the taper angle;
// delta/phi from fig. 9.11, CF from fig. 9.16 of Hannigan et al.
FhwaSandResult FhwaSandFriction(const FhwaSandInput& in, const FhwaPile& pile, const Pass1Units& u)
{
    FhwaSandResult r;
    r.volume = FhwaDisplacedVolume(pile, in.segmentBottom, in.plugFlag, u, in.steelArea);
    r.deltaRatio = DELTARATIO(r.volume, pile.pileType);
    r.delta = std::max(0.0, r.deltaRatio * in.phi);
    r.correctionFactor = KDELTACF(r.deltaRatio, in.phi);
    r.kDelta = FhwaKDelta(in.phi, pile.taperAngle, r.volume);
    const double omega = pile.taperAngle;
    const double term = r.kDelta * r.correctionFactor
                        * std::sin((r.delta + omega) / kPass1DegreesPerRadian)
                        / std::cos(omega / kPass1DegreesPerRadian);
    r.top = term * in.sigvTop;
    r.bottom = term * in.sigvBottom;
    return r;
}

// Tomlinson's adhesion graphs read the penetration into the clay over the diameter.
double FhwaEmbedmentRatio(std::span<const FhwaSoilLayer> layers,
                          double segmentBottom,
                          const FhwaPile& pile,
                          const Pass1Units& u)
{
    int own = -1;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].top < segmentBottom && segmentBottom <= layers[i].bottom) {
            own = static_cast<int>(i);
            break;
        }
    }
    if (own < 0) {
        for (std::size_t i = 0; i < layers.size(); ++i) {
            if (layers[i].top < segmentBottom) {
                own = static_cast<int>(i);
            }
        }
    }
    if (own < 0) {
        return 0.0;
    }
    const double length = pile.pileLength;
    double embedded = 0.0;
    for (int i = 0; i < own; ++i) {
        const FhwaSoilLayer& layer = layers[static_cast<std::size_t>(i)];
        if (layer.clay) {
            embedded += std::max(0.0, std::min(layer.bottom, length) - layer.top);
        }
    }
    const FhwaSoilLayer& layer = layers[static_cast<std::size_t>(own)];
    embedded += std::max(0.0, std::min(layer.bottom, length) - layer.top);

    const double d0 = HeadDiameter(pile, u);
    const double narrowing = 2.0 * TaperTangent(pile);
    const double meanDiameter = 0.5
                                * ((d0 - narrowing * (pile.stickup + layer.bottom))
                                   + (d0 - narrowing * (pile.stickup + layer.top)));
    return embedded / std::max(meanDiameter, kPass1StressFloor);
}

int FhwaAdhesionGraph(const FhwaGraphInput& in, const Pass1Units& u)
{
    int graph = in.graphSoFar;
    if (graph < 1 || graph > 3) {
        if (in.hasSegmentAbove && !Pass1IsCohesive(in.soilTypeAbove)) {
            graph = 1;
        } else {
            const double su = (in.hasSegmentAbove ? in.suAbove : in.suOwn) / u.stressPerKsf;
            graph = su < 0.8 ? 2 : 3;
        }
    }
    if (in.adhesionOption > 1e-6) {
        graph = std::clamp(static_cast<int>(std::lround(in.adhesionOption)), 1, 3);
    }
    return graph;
}

// Tomlinson alpha method: f = alpha x su, alpha from graph A, B or C.
FhwaClayResult FhwaClayFriction(double su,
                                double suRemolded,
                                int graph,
                                double embedmentRatio,
                                const Pass1Units& u)
{
    FhwaClayResult r;
    switch (graph) {
    case 1:
        r.adhesion = ADHESIONA(su, embedmentRatio, u.units);
        break;
    case 2:
        r.adhesion = ADHESIONB(su, embedmentRatio, u.units);
        break;
    default:
        r.adhesion = ADHESIONC(su, embedmentRatio, u.units);
        break;
    }
    r.top = r.adhesion * su;
    r.bottom = r.top;
    r.transferTop = r.adhesion * suRemolded;
    r.transferBottom = r.top;
    return r;
}

void FhwaSegmentFrictions(const FhwaProfileInput& in,
                          const Pass1Units& u,
                          std::span<FhwaSegmentResult> out)
{
    const std::size_t nseg = in.segBottom.size();
    if (in.segType.size() < nseg || in.segPhi.size() < nseg || in.segSu.size() < nseg
        || in.segSur.size() < nseg || in.segAdh.size() < nseg || in.sigv.size() < 2 * nseg
        || in.plugFlag.size() < nseg || out.size() < nseg
        || (!in.steelArea.empty() && in.steelArea.size() < nseg)) {
        throw std::invalid_argument("FHWA segment walk: arrays shorter than the segments");
    }
    int graph = kFhwaGraphUndecided;
    for (std::size_t k = 0; k < nseg; ++k) {
        FhwaSegmentResult& r = out[k];
        r = FhwaSegmentResult{};
        if (Pass1IsCohesive(in.segType[k])) {
            FhwaGraphInput g;
            g.graphSoFar = graph;
            g.adhesionOption = in.segAdh[k];
            g.hasSegmentAbove = k > 0;
            g.soilTypeAbove = k > 0 ? in.segType[k - 1] : 0.0;
            g.suAbove = k > 0 ? in.segSu[k - 1] : 0.0;
            g.suOwn = in.segSu[k];
            graph = FhwaAdhesionGraph(g, u);
            r.clay = true;
            r.graph = graph;
            r.embedmentRatio = FhwaEmbedmentRatio(in.layers, in.segBottom[k], in.pile, u);
            const FhwaClayResult c =
                FhwaClayFriction(in.segSu[k], in.segSur[k], graph, r.embedmentRatio, u);
            r.adhesion = c.adhesion;
            r.top = c.top;
            r.bottom = c.bottom;
            r.transferTop = c.transferTop;
            r.transferBottom = c.transferBottom;
        } else {
            FhwaSandInput s;
            s.sigvTop = in.sigv[2 * k];
            s.sigvBottom = in.sigv[2 * k + 1];
            s.phi = in.segPhi[k];
            s.segmentBottom = in.segBottom[k];
            s.plugFlag = in.plugFlag[k];
            s.steelArea = in.steelArea.empty() ? 0.0 : in.steelArea[k];
            r.sand = FhwaSandFriction(s, in.pile, u);
            r.top = r.sand.top;
            r.bottom = r.sand.bottom;
            r.transferTop = r.top;
            r.transferBottom = r.bottom;
            graph = kFhwaGraphUndecided;
        }
    }
}

// Nordlund toe resistance (Hannigan et al. 2006, 9.7.1.1): q = alpha-t N'q sigma'v <= qL, with
// alpha-t and N'q from the chart after Bowles (1977) and qL from the chart after Meyerhof
// (1976); qL is read in tsf.
// Cohesive soil: q = 9 su (Hannigan et al. 9.7.1.3).
FhwaTipResult FhwaTipUnit(const FhwaTipInput& in, const FhwaPile& pile, const Pass1Units& u)
{
    FhwaTipResult r;
    if (Pass1IsCohesive(in.soilType)) {
        r.top = 9.0 * in.su;
        r.bottom = r.top;
        return r;
    }
    r.embedmentRatio = pile.pileLength / std::max(HeadDiameter(pile, u), kPass1StressFloor);
    r.nq = NQFHWA(in.phi);
    r.alphaT = ALPHATFHWA(in.phi, r.embedmentRatio);
    r.limit = std::min(QLIMFHWA(in.phi) * 2.0 * u.stressPerKsf, in.maxEndBearing);
    const double n = r.nq * r.alphaT;
    r.top = std::min(in.sigvTop * n, r.limit);
    r.bottom = std::min(in.sigvBottom * n, r.limit);
    return r;
}
