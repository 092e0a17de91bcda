#include "loadtransfer/TzCurves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "state/Constants.h"

namespace {

using TPoints = std::array<double, kTzCurvePoints - 1>; // points 2..10

constexpr double kPsfPerPsi = 144.0;

// Movements (inches) of points 2..10 shared by the USACE shaft curves (Coyle and Reese 1966 for
// clay; Mosher 1984 for sand).
constexpr TPoints kUsaceShaftZ = {0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};

// API RP 2A-WSD 21st ed., 6.7.2: sand t-z curve, t reaches t_max at z = 0.1 in and stays there.
constexpr TPoints kApiSandZ = {0.01, 0.02, 0.04, 0.06, 0.08, 0.09, 0.10, 0.5, 2.0};
constexpr TPoints kApiSandT = {0.1, 0.2, 0.4, 0.6, 0.8, 0.9, 1.0, 1.0, 1.0};

// API RP 2A-WSD 21st ed., 6.7.2: clay t-z curve in z/D, peak at z/D = 0.01, residual
// t_res/t_max 0.9 beyond.
constexpr TPoints kApiClayZOverD = {0.0016, 0.0031, 0.0057, 0.008, 0.01, 0.02, 0.03, 0.05, 0.2};
constexpr TPoints kApiClayT = {0.3, 0.5, 0.75, 0.9, 1.0, 0.9, 0.9, 0.9, 0.9};

// Coyle and Reese 1966, load-transfer ratios for clay against pile movement (inches): peak at
// 0.08 in, falling to 0.93 of the peak.
constexpr TPoints kUsaceClayT = {0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93};

// API RP 2A-WSD 21st ed., 6.7.3: tip Q-z curve in z/D, full end bearing at z/D = 0.10.
constexpr TPoints kApiTipZOverD = {0.0005, 0.001, 0.002, 0.013, 0.042, 0.073, 0.1, 0.15, 0.2};
constexpr TPoints kApiTipQ = {0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1.0, 1.0, 1.0};

// Tip movements (inches) of the USACE tip curve.
constexpr TPoints kUsaceTipZ = {0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0};

// Inch movement to the run's unit: inches (English) or metres (SI).
double MovementFromInches(double zInches, bool english)
{
    return english ? zInches : zInches / kInchesPerMetre;
}

TzCurve Scaled(const TPoints& z, double zScale, const TPoints& ratio, double tScale)
{
    TzCurve curve{}; // point 1 is (0, 0)
    for (std::size_t i = 0; i < z.size(); ++i) {
        const int p = static_cast<int>(i) + 2;
        curve.z[p] = z[i] * zScale;
        curve.t[p] = ratio[i] * tScale;
    }
    return curve;
}

} // namespace

double UsaceSandStiffness(double phiDeg)
{
    // Mosher 1984: initial modulus of the sand load-transfer hyperbola, psf per inch, rising
    // with the friction angle; the bands and their 1333.3 slopes are taken as published.
    if (phiDeg <= 28.0) {
        return 6000.0;
    }
    if (phiDeg <= 31.0) {
        return 6000.0 + 1333.3 * (phiDeg - 28.0);
    }
    if (phiDeg <= 32.0) {
        return 10000.0;
    }
    if (phiDeg <= 34.0) {
        return 10000.0 + 1333.3 * (phiDeg - 32.0);
    }
    if (phiDeg <= 35.0) {
        return 14000.0;
    }
    if (phiDeg <= 38.0) {
        return 14000.0 + 1333.3 * (phiDeg - 35.0);
    }
    return 18000.0;
}

TzCurve TzSandCurve(int lsMethod, double tMax, double phiDeg, bool english)
{
    const double zScale = MovementFromInches(1.0, english);
    if (lsMethod != kTzUsaceMethod) {
        return Scaled(kApiSandZ, zScale, kApiSandT, tMax);
    }
    // Mosher 1984 hyperbola t = z / (1/E + z/tau), worked in psf and inches.
    TzCurve curve{}; // point 1 is (0, 0)
    const double stiffness = UsaceSandStiffness(phiDeg);
    const double toPsf = english ? kPsfPerPsi : kPsfPerKpa;
    const double tau = tMax * toPsf;
    for (std::size_t i = 0; i < kUsaceShaftZ.size(); ++i) {
        const int p = static_cast<int>(i) + 2;
        const double z = kUsaceShaftZ[i];
        const double t = tau > 1e-9 ? z / (1.0 / stiffness + z / tau) : 0.0;
        curve.t[p] = t / toPsf;
        curve.z[p] = z * zScale;
    }
    return curve;
}

TzCurve TzClayCurve(int lsMethod, double tMax, double od, bool english)
{
    if (lsMethod == kTzUsaceMethod) {
        return Scaled(kUsaceShaftZ, MovementFromInches(1.0, english), kUsaceClayT, tMax);
    }
    return Scaled(kApiClayZOverD, od, kApiClayT, tMax);
}

TzCurve TipCurve(int lsMethod, double qp, double od, int tipSoilType, double phiDeg, bool english)
{
    if (lsMethod != kTzUsaceMethod) {
        return Scaled(kApiTipZOverD, od, kApiTipQ, qp);
    }
    TzCurve curve{}; // point 1 is (0, 0)
    const bool sandOrSilt = tipSoilType == 1 || tipSoilType == 3;
    // USACE tip curves (EM 1110-2-2906, after Mosher 1984 for sand and Coyle and Reese 1966 for
    // clay). Sand and silt: Q = Qp (z / zref)^n with zref = 0.05 D and n by the friction angle.
    // Clay: Q = 0.5 Qp (z / (0.01 D))^0.5, full Qp at 0.04 D. Both are held at Qp: the tip
    // cannot carry more than its ultimate capacity.
    const double exponent = phiDeg <= 31.0 ? 0.5 : (phiDeg <= 38.0 ? 0.333 : 0.25);
    for (std::size_t i = 0; i < kUsaceTipZ.size(); ++i) {
        const int p = static_cast<int>(i) + 2;
        const double z = MovementFromInches(kUsaceTipZ[i], english);
        double q = 0.0;
        if (od > 0.0) {
            q = sandOrSilt ? qp * std::pow(z / (0.05 * od), exponent)
                           : 0.5 * qp * std::pow(z / (0.01 * od), 0.5);
        }
        curve.z[p] = z;
        curve.t[p] = qp >= 0.0 ? std::min(qp, q) : 0.0;
    }
    return curve;
}

double TmaxAtDepth(std::span<const double> gridDepth,
                   std::span<const double> gridQs,
                   double x,
                   double od,
                   bool english)
{
    const int n = static_cast<int>(std::min(gridDepth.size(), gridQs.size()));
    if (n < 2 || !(od > 0.0)) {
        return 0.0;
    }
    auto depth = [&](int j) {
        return gridDepth[static_cast<std::size_t>(j - 1)];
    };
    auto qs = [&](int j) {
        return gridQs[static_cast<std::size_t>(j - 1)];
    };
    const double xGrid = english ? x / 12.0 : x;

    // A depth on a grid point counts as on it in both unit systems: the SI grid depths are
    // sums of metric increments and miss a soil depth by rounding.
    constexpr double kOnGridPoint = 1e-6;
    // The first grid point j >= 2 below x, else the last: the grid runs downward, so a binary
    // search finds it.
    const auto after = std::partition_point(gridDepth.begin() + 1,
                                            gridDepth.begin() + n,
                                            [&](double d) { return !(xGrid < d - kOnGridPoint); });
    const int c =
        after == gridDepth.begin() + n ? n : static_cast<int>(after - gridDepth.begin()) + 1;
    const double delta = depth(c) - depth(c - 1);
    if (delta < 1e-6) {
        return 0.0; // a repeated grid depth: no slope to take
    }
    double slope = 0.0;
    if (c < n) {
        slope = qs(c - 1) > 1e-5 ? (qs(c + 1) - qs(c - 1)) / (2.0 * delta)
                                 : (qs(c + 1) - qs(c)) / delta;
    } else {
        slope = (qs(c) - qs(c - 1)) / delta;
    }
    // Slope of cumulative side resistance (kips/ft, kN/m) over the perimeter.
    return english ? slope * 1000.0 / od / 12.0 / kPiTo4 : slope / od / kPiTo4;
}

double TzCurveValue(const TzCurve& curve, double z)
{
    if (z <= curve.z[1]) {
        return curve.t[1];
    }
    for (int i = 2; i <= kTzCurvePoints; ++i) {
        if (curve.z[i] >= z) {
            const double dz = curve.z[i] - curve.z[i - 1];
            if (dz < 1e-12) {
                return curve.t[i];
            }
            return curve.t[i - 1] + (curve.t[i] - curve.t[i - 1]) * (z - curve.z[i - 1]) / dz;
        }
    }
    return curve.t[kTzCurvePoints];
}
