#include "profile/StressProfile.h"

#include <algorithm>
#include <array>

#include "state/Constants.h"

namespace {

// Blow-count breakpoints of the three curves and the curves themselves (degrees); C0 ends at
// n = 20, C20 at n = 55, C40 at n = 90.
constexpr std::array<double, 21> kBlows = {0,  2,  4,  6,  10, 15, 20, 25, 30, 35, 40,
                                           45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr std::array<double, 7> kC0 = {0, 32, 34, 36, 38, 42, 45};
constexpr std::array<double, 14> kC20 = {0, 0, 0, 30, 32, 34, 36, 37, 39, 40, 41, 42, 44, 45};
constexpr std::array<double, 21> kC40 = {0,  0,  0,  0,  31, 32, 34, 35, 36, 36, 37,
                                         38, 39, 39, 40, 41, 42, 42, 43, 44, 44};

template<std::size_t N>
double Curve(const std::array<double, N>& c, double n)
{
    if (n <= kBlows[0]) {
        return c[0];
    }
    for (std::size_t i = 1; i < N; ++i) {
        if (n <= kBlows[i]) {
            return c[i - 1] + (c[i] - c[i - 1]) * (n - kBlows[i - 1]) / (kBlows[i] - kBlows[i - 1]);
        }
    }
    return c[N - 1];
}

double C0(double n)
{
    return Curve(kC0, n);
}
double C20(double n)
{
    return Curve(kC20, n);
}
double C40(double n)
{
    return Curve(kC40, n);
}

void BandC(double& angle, double n)
{
    if (n > 10.0 && n < 90.0) {
        angle = C40(n);
    }
}

void BandB(double& angle, double n, double p)
{
    if (n <= 6.0) {
        angle = 30.0;
    } else if (n < 10.0) {
        angle = 30.0 + (n - 6.0) * 2.0 * 0.25;
    } else if (n <= 55.0) {
        angle = C20(n) - ((p - 20.0) / 20.0) * (C20(n) - C40(n));
    } else if (n < 90.0) {
        angle = C40(n) + ((40.0 - p) / 20.0) * (45.0 - C40(n));
    } else {
        angle = 50.0;
        BandC(angle, n);
    }
}

constexpr double kNotGiven = 1e-10;
constexpr double kCritNotFound = 1e-6;

bool English(const TRunState& s)
{
    return IsEnglish(s.PILEDATA);
}

// Effective stress at the bottom of segment k in psi, for the blow-count chart.
double Psi(const TRunState& s, int k)
{
    const double sig = s.STRESS.SIGV[2 * k];
    return English(s) ? sig * 1000.0 / 144.0 : sig / kKpaPerPsi;
}

void FillSegmentSoil(TRunState& s, int k)
{
    TSegData& g = s.SEGDATA;
    if (g.SEGPHI[k] < kNotGiven && g.SEGSPT[k] > 0.0) {
        SPTPHI(s.STRESS.SPTANGLE, g.SEGSPT[k], Psi(s, k));
    }
    if (g.SEGPHI[k] < kNotGiven) {
        g.SEGPHI[k] = s.STRESS.SPTANGLE;
    }
    if (g.SEGSU[k] < kNotGiven) {
        // Su = qc / 15; English cone resistance is held in psf, strength in ksf.
        g.SEGSU[k] = g.SEGQC[k] / 15.0 / (English(s) ? 1000.0 : 1.0);
    }
}

// Critical depth of a sand segment by its density: 10, 15 or 20 diameters.
double DensityDepth(const TRunState& s, int k)
{
    const double d = s.PILEDATA.OD / (English(s) ? 12.0 : 1000.0);
    const double phi = s.SEGDATA.SEGPHI[k];
    if (phi < 33.0) {
        return 10.0 * d;
    }
    return phi < 36.0 ? 15.0 * d : 20.0 * d;
}

} // namespace

void SPTPHI(double& angle, double n, double p)
{
    if (p <= 20.0) {
        if (n < 6.0) {
            angle = C0(n) - (p / 20.0) * (C0(n) - 30.0);
        } else if (n < 20.0) {
            angle = C0(n) - (p / 20.0) * (C0(n) - C20(n));
        } else if (n < 55.0) {
            angle = C20(n) + ((20.0 - p) / 20.0) * (45.0 - C20(n));
        } else {
            if (n > 55.0) {
                angle = 50.0;
            }
            BandB(angle, n, p);
        }
    } else if (p < 40.0) {
        BandB(angle, n, p);
    } else {
        BandC(angle, n);
    }
}

double SegmentStressIncrement(const TRunState& s, int k)
{
    const TSegData& g = s.SEGDATA;
    const double ds = (g.SEGBOT[k] - g.SEGTOP[k]) * g.SEGGAMMA[k];
    return English(s) ? ds / 1000.0 : ds;
}

void STRESSPROF(TRunState& s, TRunIo&)
{
    TPileData& p = s.PILEDATA;
    TSegData& g = s.SEGDATA;
    TStressProfile& st = s.STRESS;
    const int nseg = std::min(p.NSEG, kMaxSegments);
    if (nseg < 1) {
        return;
    }
    const double threshold = English(s) ? kCriticalStressKsf : kCriticalStressKpa;
    if (p.CRITOPTION == 1) {
        p.CRITDEPTH = 0.0;
    }

    st.SIGV[1] = 0.0;
    st.SIGV[2] = SegmentStressIncrement(s, 1);
    st.SIGV[3] = st.SIGV[2];
    st.SIGVLIM[1] = 0.0;
    st.SIGVLIM[2] = st.SIGV[2];
    st.SIGVLIM[3] = st.SIGVLIM[2];
    FillSegmentSoil(s, 1);

    for (int k = 2; k <= nseg; ++k) {
        st.SIGV[2 * k] = st.SIGV[2 * k - 1] + SegmentStressIncrement(s, k);
        FillSegmentSoil(s, k);
        if (p.CRITOPTION == 1 && p.CRITDEPTH < 1e-5 && st.SIGV[2 * k] > threshold) {
            p.CRITDEPTH = g.SEGBOT[k];
        }
        if (g.SEGTYPE[k] < 1.5) {
            st.DCRIT = DensityDepth(s, k);
        }
        st.SIGV[2 * k + 1] = st.SIGV[2 * k];
    }

    // The first segment from 2 down whose bottom reaches a critical depth, kept for the next
    // segment that asks with the same depth.
    double lastCrit = -1.0;
    int lastFirst = 2;
    for (int k = 2; k <= nseg; ++k) {
        st.SIGVLIM[2 * k] = st.SIGV[2 * k];
        if (g.SEGTYPE[k] < 1.5) {
            st.DCRIT = DensityDepth(s, k);
        }
        const double crit = p.CRITOPTION > 0 ? p.CRITDEPTH : st.DCRIT;
        // A critical depth that was not found (0) limits nothing.
        if (crit > kCritNotFound && g.SEGBOT[k] >= crit) {
            // Segment k's own bottom reaches the depth, so the first one is never below it.
            if (crit != lastCrit) {
                lastCrit = crit;
                lastFirst = 2;
                while (lastFirst < nseg && g.SEGBOT[lastFirst] < crit) {
                    ++lastFirst;
                }
            }
            const int first = std::min(lastFirst, k);
            const int j = first - 1;
            const double gammaTerm = (crit - g.SEGTOP[j]) * g.SEGGAMMA[j];
            st.SIGVLIM[2 * k] = st.SIGV[2 * j - 1] + (English(s) ? gammaTerm / 1000.0 : gammaTerm);
        }
        st.SIGVLIM[2 * k + 1] = st.SIGVLIM[2 * k];
    }
}
