#include "methods/pass1/LambdaCore.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

const char* LambdaErrorMessage(LambdaError error)
{
    switch (error) {
    case LambdaError::InnerDiameterNotSmaller:
        return "ERROR - INSIDE DIAMETER OF THE PILE TIP IS NOT SMALLER THAN OUTSIDE DIAMETER.";
    case LambdaError::ModulusNotPositive:
        return "ERROR - MODULUS OF ELASTICITY SHOULD BE GREATER THAN ZERO.";
    case LambdaError::None:
        break;
    }
    return "";
}

// Kraft, Focht and Amerasinghe (1981): the compressibility factor compares the side friction
// mobilised over the embedded length with the axial stiffness of the pile's steel section times
// the slip that mobilises full friction. Every term is in the small units (in or mm), so a
// noncircular tip area, held in ft2 or m2, is converted.
LambdaFixed LambdaFixedQuantities(const LambdaPile& pile, const Pass1Units& u)
{
    LambdaFixed f;
    if (!(pile.od > 0.0)) {
        f.error = LambdaError::InnerDiameterNotSmaller;
        return f;
    }
    if (pile.tipArea > 0.0001) {
        f.tipArea = pile.tipArea * u.smallAreaPerArea;
    } else {
        if (!(pile.endSectionId < pile.od)) {
            f.error = LambdaError::InnerDiameterNotSmaller;
            return f;
        }
        f.tipArea = kPass1Pi * 0.25 * (pile.od * pile.od - pile.endSectionId * pile.endSectionId);
    }
    if (!(pile.modulus > 0.0)) {
        f.error = LambdaError::ModulusNotPositive;
        f.tipArea = 0.0;
        return f;
    }
    f.perimeterSmall = pile.od * kPass1Pi;
    f.stiffness = pile.modulus * f.tipArea * u.lambdaSlip;
    f.perimeter = kPass1Pi * pile.od / u.smallPerLength;
    return f;
}

double LambdaEffectiveKo(double ko)
{
    return ko == 0.0 ? 1.0 : ko;
}

// Vijayvergiya and Focht (1972) use su in clay; a sand segment enters with its frictional
// strength K sigma'v tan(phi) at the segment's mean stress.
double LambdaStrengthBasis(double soilType,
                           double su,
                           double sigvTop,
                           double sigvBottom,
                           double ko,
                           double phi)
{
    if (Pass1IsCohesive(soilType)) {
        return su;
    }
    return 0.5 * (sigvTop + sigvBottom) * LambdaEffectiveKo(ko)
           * std::tan(std::max(0.0, phi) / kPass1DegreesPerRadian);
}

void LambdaApplyZeroFriction(std::span<const double> segLen,
                             double zeroFriction,
                             std::span<double> basis)
{
    if (basis.size() < segLen.size()) {
        throw std::invalid_argument("Lambda zero-friction length: basis shorter than segments");
    }
    double bottom = 0.0;
    for (std::size_t i = 0; i < segLen.size(); ++i) {
        bottom += segLen[i];
        if (std::fabs(zeroFriction - bottom) <= kPass1DepthTolerance) {
            basis[i] = 0.0;
            return;
        }
        if (zeroFriction - bottom <= kPass1DepthTolerance) {
            return;
        }
        basis[i] = 0.0;
    }
}

LambdaMeans LambdaMeansAt(std::span<const double> segLen,
                          std::span<const double> sigv,
                          std::span<const double> basis,
                          double z)
{
    LambdaMeans r;
    const Pass1SegmentPosition pos = Pass1FindSegment(segLen, z);
    if (pos.segment == 0) {
        return r;
    }
    const auto m = static_cast<std::size_t>(pos.segment);
    if (sigv.size() < 2 * m || basis.size() < m) {
        throw std::invalid_argument("Lambda means: arrays shorter than the segments");
    }
    const double len = segLen[m - 1];
    const double top = sigv[2 * m - 2];
    const double slope = len > 0.0 ? (sigv[2 * m - 1] - top) / len : 0.0;
    r.stress = top + slope * pos.into;
    r.strength = basis[m - 1];
    if (m == 1) {
        r.meanStress = 0.5 * (top + r.stress);
        r.meanStrength = basis[0];
        return r;
    }
    double stressIntegral = 0.0;
    double strengthIntegral = 0.0;
    for (std::size_t i = 0; i + 1 < m; ++i) {
        stressIntegral += 0.5 * (sigv[2 * i] + sigv[2 * i + 1]) * segLen[i];
        strengthIntegral += basis[i] * segLen[i];
    }
    r.meanStress = (0.5 * (r.stress + top) * pos.into + stressIntegral) / z;
    r.meanStrength = (basis[m - 1] * pos.into + strengthIntegral) / z;
    return r;
}

// Kraft et al. (1981): mu = pi D z^2 su,m / (A E slip), in consistent units.
double
LambdaCompressibility(const LambdaFixed& fixed, double z, double meanStrength, const Pass1Units& u)
{
    if (!(fixed.stiffness > 0.0)) {
        return 0.0;
    }
    return fixed.perimeterSmall * z * z * meanStrength * u.lambdaStrengthScale / fixed.stiffness;
}

// Kraft et al. (1981), fig. 11: lambda against mu for over-consolidated (su/sigma'v >= 0.4)
// and normally consolidated clay, with the lower bound 0.14.
double LambdaCoefficient(double mu, double meanStrength, double meanStress)
{
    if (!(mu > 0.0)) {
        return 0.0; // no strength or no embedment: no logarithm of 0
    }
    const double ratio = meanStrength / std::max(meanStress, kPass1StressFloor);
    const double lambda =
        ratio >= 0.4 ? 0.232 - 0.032 * std::log(mu) : 0.178 - 0.016 * std::log(mu);
    return std::max(lambda, 0.14);
}

namespace {

// LambdaMeansAt with the segment found by a cursor and the integrals of the segments above
// taken from their sums.
LambdaMeans MeansFromSums(const LambdaProfileInput& in,
                          std::span<const double> basis,
                          const std::vector<double>& stressSum,
                          const std::vector<double>& strengthSum,
                          Pass1SegmentPosition pos,
                          double z)
{
    LambdaMeans r;
    if (pos.segment == 0) {
        return r;
    }
    const auto m = static_cast<std::size_t>(pos.segment);
    const double len = in.segLen[m - 1];
    const double top = in.sigv[2 * m - 2];
    const double slope = len > 0.0 ? (in.sigv[2 * m - 1] - top) / len : 0.0;
    r.stress = top + slope * pos.into;
    r.strength = basis[m - 1];
    if (m == 1) {
        r.meanStress = 0.5 * (top + r.stress);
        r.meanStrength = basis[0];
        return r;
    }
    r.meanStress = (0.5 * (r.stress + top) * pos.into + stressSum[m - 1]) / z;
    r.meanStrength = (basis[m - 1] * pos.into + strengthSum[m - 1]) / z;
    return r;
}

} // namespace

LambdaError LambdaSideResistance(const LambdaProfileInput& in,
                                 const Pass1Units& u,
                                 std::span<double> basis,
                                 const LambdaGridOutput& out)
{
    const std::size_t nseg = in.segLen.size();
    if (in.segType.size() < nseg || in.segKo.size() < nseg || in.segPhi.size() < nseg
        || in.segSu.size() < nseg || in.segFmax.size() < nseg || in.segRfs.size() < nseg
        || in.sigv.size() < 2 * nseg || basis.size() < nseg) {
        throw std::invalid_argument("Lambda method: arrays shorter than the segments");
    }
    const int ngrid = Pass1GridCount(in.pileLength, in.increment);
    const auto rows = static_cast<std::size_t>(ngrid);
    for (const std::span<double>* s : {&out.depth,
                                       &out.meanStress,
                                       &out.meanStrength,
                                       &out.mu,
                                       &out.lambda,
                                       &out.limit,
                                       &out.unitFriction,
                                       &out.cumulative,
                                       &out.loadTransfer,
                                       &out.reduced}) {
        if (s->size() < rows) {
            throw std::invalid_argument("Lambda method: grid output shorter than the grid");
        }
    }

    const LambdaFixed fixed = LambdaFixedQuantities(in.pile, u);
    if (fixed.error != LambdaError::None) {
        std::fill(basis.begin(), basis.begin() + static_cast<std::ptrdiff_t>(nseg), 0.0);
        for (const std::span<double>* s : {&out.depth,
                                           &out.meanStress,
                                           &out.meanStrength,
                                           &out.mu,
                                           &out.lambda,
                                           &out.limit,
                                           &out.unitFriction,
                                           &out.cumulative,
                                           &out.loadTransfer,
                                           &out.reduced}) {
            std::fill(s->begin(), s->begin() + static_cast<std::ptrdiff_t>(rows), 0.0);
        }
        return fixed.error;
    }

    for (std::size_t k = 0; k < nseg; ++k) {
        basis[k] = LambdaStrengthBasis(in.segType[k],
                                       in.segSu[k],
                                       in.sigv[2 * k],
                                       in.sigv[2 * k + 1],
                                       in.segKo[k],
                                       in.segPhi[k]);
    }
    LambdaApplyZeroFriction(in.segLen, in.zeroFriction, basis.first(nseg));

    // The segments' stress and strength integrals summed down, in the order LambdaMeansAt adds
    // them, and a cursor for the rising grid depths.
    std::vector<double> stressSum(nseg + 1, 0.0);
    std::vector<double> strengthSum(nseg + 1, 0.0);
    for (std::size_t i = 0; i < nseg; ++i) {
        stressSum[i + 1] =
            stressSum[i] + 0.5 * (in.sigv[2 * i] + in.sigv[2 * i + 1]) * in.segLen[i];
        strengthSum[i + 1] = strengthSum[i] + basis[i] * in.segLen[i];
    }
    Pass1SegmentCursor cursor(in.segLen);

    const double p = fixed.perimeter;
    const double factor = in.tension ? in.tensionFactor : 1.0;
    const int nsegInt = static_cast<int>(nseg);
    double previousCumulative = 0.0; // U(j-1): compression side resistance
    double previousFriction = 0.0;   // LAMF(j-1) in compression
    double previousFactored = 0.0;   // LAMF(j-1) with the tension factor
    for (std::size_t i = 0; i < rows; ++i) {
        const int row = static_cast<int>(i) + 1;
        const double z = in.increment * static_cast<double>(i);
        const int seg = Pass1RowSegment(row, nsegInt);
        out.depth[i] = z;
        out.limit[i] = seg > 0 ? in.segFmax[static_cast<std::size_t>(seg - 1)] : kPass1NotLimited;

        const LambdaMeans means =
            MeansFromSums(in, basis, stressSum, strengthSum, cursor.Find(z), z);
        out.meanStress[i] = means.meanStress;
        out.meanStrength[i] = means.meanStrength;
        out.mu[i] = LambdaCompressibility(fixed, z, means.meanStrength, u);
        out.lambda[i] = LambdaCoefficient(out.mu[i], means.meanStrength, means.meanStress);

        // Trial side resistance over 0..z; its growth over the increment gives the unit friction.
        const double q = (2.0 * means.meanStrength + means.meanStress) * out.lambda[i] * p * z;
        double f = (q - previousCumulative) / p / in.increment;
        if (f < 1e-7) {
            f = i == 0 ? 0.0 : previousFriction;
        }
        if (f > out.limit[i]) {
            f = out.limit[i];
        }
        const double cumulative = previousCumulative + p * f * in.increment;
        previousCumulative = cumulative;
        previousFriction = f;

        // Tension: every interval's side resistance is the compression value times the factor,
        // applied once.
        double fOut = f * factor;
        if (in.tension && fOut < 1e-7) {
            fOut = i == 0 ? 0.0 : previousFactored;
        }
        previousFactored = fOut;
        out.unitFriction[i] = fOut;
        out.cumulative[i] = cumulative * factor;
        out.loadTransfer[i] = out.cumulative[i];
    }

    // Reduction factors act on each interval's share of the cumulative resistance, the factor
    // of the segment the interval lies in.
    double running = 0.0;
    double previous = 0.0;
    for (std::size_t i = 0; i < rows; ++i) {
        const int seg = Pass1IntervalSegment(static_cast<int>(i) + 1, nsegInt);
        const double rfs = seg > 0 ? in.segRfs[static_cast<std::size_t>(seg - 1)] : 1.0;
        const double current = out.cumulative[i];
        running += (i == 0 ? current : current - previous) * rfs;
        previous = current;
        out.reduced[i] = running;
        out.cumulative[i] = running;
        if (in.tzFactor == 1) {
            out.loadTransfer[i] = running;
        }
    }
    return LambdaError::None;
}
