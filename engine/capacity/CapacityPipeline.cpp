#include "capacity/CapacityPipeline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "capacity/CapacityPipelineCone.h"
#include "methods/pass1/FhwaCore.h"
#include "methods/pass1/Pass1Core.h"
#include "methods/pass1/Pass1Wiring.h"
#include "methods/pass1/UsaceCore.h"
#include "profile/ConeProfile.h"
#include "profile/SegmentWalk.h"
#include "state/Constants.h"

namespace {

constexpr double kTol = 1e-6;

bool English(const TRunState& s)
{
    return IsEnglish(s.PILEDATA);
}
// Inches or millimetres to feet or metres.
double Small(const TRunState& s)
{
    return English(s) ? 12.0 : 1000.0;
}
double SmallArea(const TRunState& s)
{
    return English(s) ? 144.0 : 1000000.0;
}
int Segments(const TRunState& s)
{
    return std::clamp(s.PILEDATA.NSEG, 0, kMaxSegments);
}
// n: the grid's last row is n + 1.
int GridSteps(const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    if (!(p.INCREMENT > 0.0) || !(p.PILELENGTH >= 0.0)) {
        return 0;
    }
    const double steps = p.PILELENGTH / p.INCREMENT + kTol;
    return steps < kMaxGridPoints - 1 ? static_cast<int>(steps) : kMaxGridPoints - 1;
}
bool Cohesive(const TRunState& s, int k)
{
    return s.SEGDATA.SEGTYPE[k] - 1.0 > kTol;
}

// Limiting unit end bearing of API RP 2A-WSD (21st ed., table 6.4.3-1) and the Revised Lambda
// method by friction angle, linear between the tabled angles.
double SandTipLimit(double phi, bool english)
{
    static constexpr double kPhi[] = {20, 25, 30, 35, 40};
    static constexpr double kKsf[] = {40, 60, 100, 200, 250};
    static constexpr double kKpa[] = {1900, 2900, 4800, 9600, 12000};
    const double* q = english ? kKsf : kKpa;
    if (!(phi > kPhi[0])) {
        return q[0];
    }
    for (int i = 1; i < 5; ++i) {
        if (phi <= kPhi[i]) {
            return q[i - 1] + (q[i] - q[i - 1]) * (phi - kPhi[i - 1]) / (kPhi[i] - kPhi[i - 1]);
        }
    }
    return q[4];
}

// Value at depth z of a two-entry profile within segment m (found by a TSegmentCursor), linear
// within the segment; the last segment holds anything deeper.
double ValueInSegment(const TSegmentBottoms& b,
                      int m,
                      const TArray1<double, 2 * kMaxSegments + 1>& ends,
                      double z)
{
    const double len = b.length[static_cast<std::size_t>(m)];
    const double bottom = b.bottom[static_cast<std::size_t>(m)];
    const double into = std::clamp(z - (bottom - len), 0.0, std::max(len, 0.0));
    const double top = ends[2 * m - 1];
    return len > 0.0 ? top + (ends[2 * m] - top) / len * into : top;
}

// A per-segment quantity whose integral over each segment is given, summed from the ground
// surface down: sum(k) is the integral down to the bottom of segment k. Entries 0 .. NSEG are
// written before anything reads them.
struct TSegmentIntegral
{
    std::array<double, kMaxSegments + 1> sum;
    std::array<double, kMaxSegments + 1> own;
};

// Integral from the ground surface down to z, linear within the segment k that holds z
// (a TSegmentBottomCursor's answer); 0 above the ground.
double IntegralTo(const TSegmentBottoms& b, const TSegmentIntegral& in, int k, double z)
{
    const auto i = static_cast<std::size_t>(k);
    const double len = b.length[i];
    const double top = b.bottom[i - 1];
    const double part = len > 0.0 ? std::clamp((z - top) / len, 0.0, 1.0) : 1.0;
    return in.sum[i - 1] + in.own[i] * part;
}

// The pile's cross-section along its embedded length for its self weight (ft2 / m2): the area
// the report gives for the axial stiffness. The constant area when that mode is chosen and an
// area is given; the area table when that mode is chosen, linear between its rows by the
// distance from the pile head and held beyond them; else the section's own area: the tip area
// of a noncircular section, the wall of a pipe or circular concrete pile, the full circle of
// any other pile.
class TWeightArea
{
public:
    explicit TWeightArea(const TRunState& s)
        : m_stickup(s.PILEDATA.STICKUP)
    {
        const TPileData& p = s.PILEDATA;
        const TAreaTable& a = s.AREATABLE;
        const double perArea = English(s) ? 144.0 : 1.0; // in2 per ft2 as entered
        if (a.AREAMODE == 1 && p.CONSTAREA > 1e-6) {
            m_rows.push_back({0.0, p.CONSTAREA / perArea});
        } else if (a.AREAMODE == 2 && a.AREACOUNT > 1) {
            for (int r = 1; r <= std::min(a.AREACOUNT, kMaxAreaRows); ++r) {
                m_rows.push_back({a.AREADIST[r], a.AREAVALUE[r] / perArea});
            }
            std::stable_sort(m_rows.begin(), m_rows.end(), [](const TRow& x, const TRow& y) {
                return x.distance < y.distance;
            });
        } else {
            const bool noncircular = IsNoncircular(p);
            const bool hollow = p.PILETYPE == 1 || p.PILETYPE == 3;
            double area =
                kQuarterPiTo7 * (p.OD * p.OD - (hollow ? p.ID * p.ID : 0.0)) / SmallArea(s);
            if (noncircular) {
                area = p.TIPAREA;
            }
            m_rows.push_back({0.0, area});
        }
    }

    // Integral of the area from depth a to depth b below the ground surface (ft3 / m3).
    double Volume(double a, double b) const
    {
        return Integral(m_stickup + b) - Integral(m_stickup + a);
    }

private:
    struct TRow
    {
        double distance;
        double area;
    };

    // Integral of the area from the first row's distance to x (negative above it).
    double Integral(double x) const
    {
        const TRow& first = m_rows.front();
        if (x <= first.distance) {
            return first.area * (x - first.distance);
        }
        double sum = 0.0;
        for (std::size_t i = 1; i < m_rows.size(); ++i) {
            const TRow& lo = m_rows[i - 1];
            const TRow& hi = m_rows[i];
            const double span = hi.distance - lo.distance;
            const double to = std::min(x, hi.distance);
            if (span > 0.0) {
                const double at = lo.area + (hi.area - lo.area) * (to - lo.distance) / span;
                sum += 0.5 * (lo.area + at) * (to - lo.distance);
            }
            if (x <= hi.distance) {
                return sum;
            }
        }
        return sum + m_rows.back().area * (x - m_rows.back().distance);
    }

    double m_stickup;
    std::vector<TRow> m_rows;
};

} // namespace

void TIPUNIT(TRunState& s, const TMethod& method)
{
    const TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    TPipelineState& pl = s.PIPELINE;
    const Pass1Units& u = Pass1UnitsFor(UnitSystem(p));
    const int idx = method.index;
    const int nseg = Segments(s);
    const FhwaPile pile = FhwaPileOf(p);
    UsaceTipState usace{0.0, pl.S15, pl.S20};
    const UsaceTipSettings usaceSettings{p.OD, p.CRITOPTION, p.CRITDEPTH};

    for (int k = 1; k <= nseg; ++k) {
        const double pTop = s.STRESS.SIGV[2 * k - 1];
        const double pBottom = s.STRESS.SIGV[2 * k];
        double top = 0.0;
        double bottom = 0.0;
        if (Cohesive(s, k)) {
            top = bottom = 9.0 * g.SEGSU[k];
        }
        if (method.cone) {
            TIPUNITCONE(s, method, k, pTop, pBottom, top, bottom);
        } else if (!Cohesive(s, k)) {
            const double phi = g.SEGPHI[k];
            if (idx == 1) {
                const FhwaTipResult r =
                    FhwaTipUnit({g.SEGTYPE[k], pTop, pBottom, phi, g.SEGSU[k], g.SEGQMAX[k]},
                                pile,
                                u);
                top = r.top;
                bottom = r.bottom;
            } else if (idx == 2) {
                UsaceTipInput in;
                // The segment's depth is its top (the grid depth of its row).
                in.depth = g.SEGTOP[k];
                in.soilType = g.SEGTYPE[k];
                in.phi = phi;
                in.su = g.SEGSU[k];
                in.sigvTop = pTop;
                in.sigvBottom = pBottom;
                in.sigvLimBottom = s.STRESS.SIGVLIM[2 * k];
                in.maxEndBearing = g.SEGQMAX[k];
                const UsaceTipResult r = UsaceTipUnit(in, usaceSettings, usace, u);
                top = r.top;
                bottom = r.bottom;
            } else if (idx == 3 || idx == 4) {
                const double nq = g.SEGNQ[k];
                const double limit =
                    g.SEGQMAX[k] != kNotLimited ? g.SEGQMAX[k] : SandTipLimit(phi, English(s));
                top = std::min(pTop * nq, limit);
                bottom = std::min(pBottom * nq, limit);
            }
        }
        pl.QTIP[2 * k - 1] = top;
        pl.QTIP[2 * k] = bottom;
    }
    pl.S15 = usace.held15;
    pl.S20 = usace.held20;
}

void TIPANNULUS(TRunState& s, const TMethod& method)
{
    const TPileData& p = s.PILEDATA;
    TPipelineState& pl = s.PIPELINE;
    const int nseg = Segments(s);
    // The cone methods take a closed end as closed whatever wall the pile has above it.
    const double endId = method.cone && p.CLOSEDEND == 1 ? 0.0 : p.ENDSECTID;
    const bool coneAnnulus = method.index > 4 && endId > 1e-4;
    // A pile declared unplugged bears on its annulus in clay what the ICP-05 clay rule gives
    // an unplugged annulus (ICP/MTD, Fugro and UWA): qc undrained, 1.6 qc drained.
    const bool unpluggedClayRule = coneAnnulus && method.index >= 6 && p.PLUG == 2;
    const double annulus = kQuarterPiTo7 * (p.OD * p.OD - endId * endId) / SmallArea(s);
    for (int k = 1; k <= nseg; ++k) {
        // Both entries of a segment take its own soil values.
        const bool clayRule = unpluggedClayRule && !IsSandSegment(s, k);
        const double qc = coneAnnulus && !clayRule ? TIPCONEQC(s, k) : 0.0;
        for (int e : {2 * k - 1, 2 * k}) {
            const double unit = coneAnnulus && !clayRule ? qc : pl.QTIP[e];
            pl.TIPFORCE[e] = p.TIPAREA > 1e-4 ? p.TIPAREA * unit : unit * annulus;
        }
    }
}

void PLUGFRIC(TRunState& s, const TMethod& method)
{
    const TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    TPipelineState& pl = s.PIPELINE;
    const int idx = method.index;
    const bool ownFriction = idx == 1 || idx == 2 || (idx >= 4 && idx <= 8);
    const int nseg = Segments(s);
    pl.PLUGF[1] = 0.0;
    for (int k = 1; k <= nseg; ++k) {
        if (Cohesive(s, k)) {
            double& sig = s.STRESS.SIGV[2 * k];
            sig = std::max(sig, 1e-10);
            const double psi = std::max(g.SEGSU[k] / sig, 1e-10);
            const double alpha =
                std::min(psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25), 1.0);
            pl.FIN[2 * k - 1] = ownFriction ? s.UNITXFER(idx, 2 * k - 1) : alpha * g.SEGSUR[k];
            pl.FIN[2 * k] = pl.FIN[2 * k - 1];
        } else if (ownFriction) {
            pl.FIN[2 * k - 1] = s.UNITXFER(idx, 2 * k - 1);
            pl.FIN[2 * k] = s.UNITXFER(idx, 2 * k);
        } else {
            const double tanDelta = std::tan(std::max(g.SEGPHI[k] - 5.0, 0.0) / kDegreesPerRadian);
            for (int e : {2 * k - 1, 2 * k}) {
                pl.FIN[e] = std::min(g.SEGKO[k] * s.STRESS.SIGV[e] * tanDelta, g.SEGFMAX[k]);
            }
        }
        const double increment = (g.SEGBOT[k] - g.SEGTOP[k]) * (pl.FIN[2 * k - 1] + pl.FIN[2 * k])
                                 * 0.5 * kPiTo5 * p.ENDSECTID / Small(s);
        pl.PLUGF[2 * k] = pl.PLUGF[2 * k - 1] + increment;
        pl.PLUGF[2 * k + 1] = pl.PLUGF[2 * k];
    }
}

void TOTALCAP(TRunState& s)
{
    // The unplugged tip is the annulus bearing plus the friction of the soil inside the end
    // section (API RP 2A-WSD, 6.4.1), whether the program finds the pile unplugged or the
    // project declares it so.
    TPipelineState& pl = s.PIPELINE;
    const int entries = 2 * Segments(s);
    for (int e = 1; e <= entries; ++e) {
        pl.TOTTIP[e] = pl.TIPFORCE[e] + pl.PLUGF[e];
    }
}

void REGRID(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    TPipelineState& pl = s.PIPELINE;
    if (Segments(s) < 1) {
        return;
    }
    const int n = GridSteps(s);
    TSegmentBottoms b;
    SumSegmentBottoms(s.SEGDATA, Segments(s), b);
    TSegmentCursor atTotal(b);
    TSegmentCursor atPlug(b);
    pl.UNPLUGGED[1] = pl.TOTTIP[1];
    for (int i = 1; i <= n; ++i) {
        const double z = i * p.INCREMENT;
        const double total = ValueInSegment(b, atTotal.Find(z), pl.TOTTIP, z);
        const double plugDepth = z - p.ENDSECTLENGTH;
        const double plug = plugDepth <= kTol
                                ? 0.0
                                : ValueInSegment(b, atPlug.Find(plugDepth), pl.PLUGF, plugDepth);
        pl.UNPLUGGED[i + 1] = total - plug;
    }
}

void STORERESULT(TRunState& s, const TMethod& method, bool storeRecord)
{
    const TPileData& p = s.PILEDATA;
    const TSegData& g = s.SEGDATA;
    TPipelineState& pl = s.PIPELINE;
    const int nseg = Segments(s);
    if (nseg < 1) {
        return;
    }
    const int idx = method.index;
    const int n = GridSteps(s);
    const bool english = English(s);
    const double d0 = p.OD / Small(s);

    // Plugged tip area at the tip diameter.
    double d = d0;
    if (p.TAPERANGLE > 0.0) {
        d -= std::tan(p.TAPERANGLE * kRadiansPerDegree) * 2.0 * (p.STICKUP + p.PILELENGTH);
    }
    const double area = p.TIPAREA > 1e-4 ? p.TIPAREA : d * d * kQuarterPiTo7;

    // Integrals of the plugged tip force and of its maximum over each segment, summed down.
    TSegmentBottoms b;
    SumSegmentBottoms(g, nseg, b);
    TSegmentIntegral tipIntegral;
    TSegmentIntegral maxIntegral;
    tipIntegral.sum[0] = tipIntegral.own[0] = 0.0;
    maxIntegral.sum[0] = maxIntegral.own[0] = 0.0;
    for (int k = 1; k <= nseg; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double len = b.length[i];
        double top = area * pl.QTIP[2 * k - 1];
        double bottom = area * pl.QTIP[2 * k];
        if (idx == 6) {
            top = std::max(top, pl.TIPFORCE[2 * k - 1]);
            bottom = std::max(bottom, pl.TIPFORCE[2 * k]);
        }
        tipIntegral.own[i] = 0.5 * (top + bottom) * len;
        maxIntegral.own[i] = area * g.SEGQMAX[k] * len;
        tipIntegral.sum[i] = tipIntegral.sum[i - 1] + tipIntegral.own[i];
        maxIntegral.sum[i] = maxIntegral.sum[i - 1] + maxIntegral.own[i];
    }

    const double window = 1.5 * d0;
    TSegmentBottomCursor below(b);
    TSegmentBottomCursor above(b);
    for (int i = 1; i <= n + 1; ++i) {
        const double z = (i - 1) * p.INCREMENT;
        if (d0 > 0.0) {
            const double lower = z + window;
            const double upper = z - window;
            double tipLower = 0.0;
            double maxLower = 0.0;
            if (lower > 0.0) {
                const int k = below.Find(lower);
                tipLower = IntegralTo(b, tipIntegral, k, lower);
                maxLower = IntegralTo(b, maxIntegral, k, lower);
            }
            double tipUpper = 0.0;
            double maxUpper = 0.0;
            if (upper > 0.0) {
                const int k = above.Find(upper);
                tipUpper = IntegralTo(b, tipIntegral, k, upper);
                maxUpper = IntegralTo(b, maxIntegral, k, upper);
            }
            const double avg = (tipLower - tipUpper) / (3.0 * d0);
            const double cap = (maxLower - maxUpper) / (3.0 * d0);
            pl.TIPAVG[i] = avg - cap > kTol ? cap : avg;
        } else {
            pl.TIPAVG[i] = 0.0;
        }
    }

    // Self weight in tension.
    const double water = p.WATERDEPTH < 1.0 ? 0.1 : p.WATERDEPTH;
    double unitWeight = 0.0;
    switch (p.PILETYPE) {
    case 2:
        unitWeight = english ? kTimberKcf : kTimberKnm3;
        break;
    case 3:
        unitWeight = english ? kConcreteKcf : kConcreteKnm3;
        break;
    default:
        unitWeight = english ? kSteelKcf : kSteelKnm3;
        break;
    }
    const double waterWeight = english ? kWaterKcf : kWaterKnm3;
    const double grossArea = kQuarterPiTo7 * p.OD * p.OD / SmallArea(s);
    const bool closed = p.ID < 1e-10 || p.CLOSEDEND == 1;
    const bool displacesWater = ((p.PILETYPE == 1 && p.CLOSEDEND == 1) || p.PILETYPE == 4
                                 || p.PILETYPE == 5 || p.PILETYPE == 7)
                                && p.CONSTAREA > 1e-5;
    // The weight of the embedded length, less the water its submerged part displaces: the
    // section below the water depth, or a closed pile's gross area. Above the water depth the
    // pile weighs its dry weight.
    const TWeightArea section(s);
    auto selfWeight = [&](double z) {
        const double submerged = std::max(z - water, 0.0);
        const double dry = unitWeight * section.Volume(0.0, z);
        if (closed && displacesWater) {
            return dry - grossArea * waterWeight * submerged;
        }
        return dry - waterWeight * section.Volume(z - submerged, z);
    };

    const bool tension = p.LOADTYPE == 1;
    // The marker of an unplugged-or-plugged row as compression gives it.
    const int unpluggedMark =
        p.ENDSECTID < 1e-4 ? (p.ENDSECTLENGTH > 1e-4 ? kTipPlugged : kTipUnplugged) : kTipUnplugged;
    TArray1<int, kMaxGridPoints> flag;
    for (int i = 1; i <= n + 1; ++i) {
        const double z = (i - 1) * p.INCREMENT;
        const double w = tension ? selfWeight(z) : 0.0;
        const bool unpluggedControls = pl.UNPLUGGED[i] - pl.TIPAVG[i] <= kTol || p.PLUG == 2;
        const int compressionFlag =
            closed || p.PLUG == 1 || !unpluggedControls ? kTipPlugged : unpluggedMark;
        if (closed || p.PLUG == 1) {
            // A closed or solid section, or a plug the user declares: the plugged tip.
            if (tension) {
                pl.TIPAVG[i] = w;
            }
            pl.TIPRESULT[i] = pl.TIPAVG[i];
            flag[i] = kTipPlugged;
        } else if (unpluggedControls) {
            if (tension) {
                pl.UNPLUGGED[i] = w;
            }
            pl.TIPRESULT[i] = pl.UNPLUGGED[i];
            flag[i] = tension ? kTipPlugged : unpluggedMark;
        } else {
            if (tension) {
                pl.TIPAVG[i] = w;
            }
            pl.TIPRESULT[i] = pl.TIPAVG[i];
            flag[i] = kTipPlugged;
        }
        if (idx == 1) {
            pl.TIPFHWA[i] = pl.TIPRESULT[i];
        } else if (idx == 2) {
            pl.TIPUSACE[i] = pl.TIPRESULT[i];
        } else if (idx == 9) {
            pl.TIPGENERAL[i] = pl.TIPRESULT[i];
        }
        s.PLUGFLAG(idx, i) = flag[i];
        s.COMPPLUGFLAG(idx, i) = compressionFlag;
    }

    if (!storeRecord) {
        return;
    }
    TMethodResult& r = s.RESULTS[method.code];
    // A record holds a method's results once its routine stored the side half (the pass-1
    // methods always run); a routine not yet computed leaves no table behind.
    if (!r.COMPUTED && idx > 3) {
        return;
    }
    for (int i = 1; i <= n + 1; ++i) {
        // The end bearing is reduced by the factor of the soil below the tip; the self weight
        // in tension is not an end bearing and stays as it is.
        const double factor = tension ? 1.0 : g.SEGRFE[std::clamp(i, 1, nseg)];
        const double tip = pl.TIPRESULT[i];
        r.PENETRATION[i] = (i - 1) * p.INCREMENT;
        r.TIP[i] = tip * factor;
        r.TOTAL[i] = r.SKIN[i] + r.TIP[i];
        r.MARK[i] = flag[i];
        r.TZTIP[i] = p.TZFACTOR == 1 ? r.TIP[i] : tip;
    }
    r.COMPUTED = true;
}

void RunCapacityPipeline(TRunState& s, const TMethod& method, bool storeRecord)
{
    TIPUNIT(s, method);
    TIPANNULUS(s, method);
    PLUGFRIC(s, method);
    TOTALCAP(s);
    REGRID(s);
    STORERESULT(s, method, storeRecord);
}

void CAPPIPE(TRunState& s, const TMethod& method)
{
    RunCapacityPipeline(s, method, true);
}
