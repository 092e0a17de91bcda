#include "methods/pass1/LambdaCore.h"

#include <array>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-12;
constexpr double kHand = 1e-7;   // hand values quoted to 10 significant digits
constexpr double kParity = 5e-4; // English against SI (relative)
constexpr double kKsfToKpa = 47.88;
constexpr double kFtToM = 0.3048;
constexpr double kPsiToKpa = 6.894757;
constexpr double kKipToKn = 4.448222;

const Pass1Units& English()
{
    return Pass1UnitsFor(1);
}
const Pass1Units& Si()
{
    return Pass1UnitsFor(2);
}

TEST(Pass1LambdaCoefficient, KraftFochtAmerasingheLines)
{
    struct Case
    {
        const char* name;
        double mu;
        double meanStrength;
        double meanStress;
        double lambda;
    };
    const double floorOc = std::exp((0.232 - 0.14) / 0.032); // 17.7254: 0.232 - 0.032 ln mu = 0.14
    const double floorNc = std::exp((0.178 - 0.14) / 0.016); // 10.7510: 0.178 - 0.016 ln mu = 0.14
    const Case cases[] = {
        {"mu 1, over-consolidated", 1.0, 1.0, 1.0, 0.232},
        {"mu 1, ratio exactly 0.4", 1.0, 0.4, 1.0, 0.232},
        {"mu 1, normally consolidated", 1.0, 0.3, 1.0, 0.178},
        {"OC at e^2: 0.232 - 0.064", std::exp(2.0), 1.0, 1.0, 0.168},
        {"NC at 0.5: 0.178 + 0.016 ln 2", 0.5, 0.3, 1.0, 0.178 + 0.016 * std::log(2.0)},
        {"OC floor reached", floorOc, 1.0, 1.0, 0.14},
        {"NC floor reached", floorNc, 0.3, 1.0, 0.14},
        {"OC beyond the floor", 100.0, 1.0, 1.0, 0.14},
        {"NC beyond the floor", 1e6, 0.3, 1.0, 0.14},
        {"mu 0: no logarithm", 0.0, 1.0, 1.0, 0.0},
        {"no stress: ratio large", 1.0, 1.0, 0.0, 0.232},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(LambdaCoefficient(c.mu, c.meanStrength, c.meanStress), c.lambda, 1e-12)
            << c.name;
    }
    // Just short of the floor the line still applies.
    EXPECT_GT(LambdaCoefficient(floorOc * 0.99, 1.0, 1.0), 0.14);
    EXPECT_GT(LambdaCoefficient(floorNc * 0.99, 0.3, 1.0), 0.14);
}

LambdaPile Pipe24()
{
    // 24 in x 0.5 in steel pipe, E = 29,000,000 psi.
    return {24.0, 23.0, 0.0, 29e6};
}

TEST(Pass1LambdaFixed, TipAreaInTheUnitOfTheOtherTerms)
{
    // Annulus 3.14159 x 0.25 x (576 - 529) = 36.9136825 in2; S = 29e6 x 36.9136825 x 0.1;
    // P0 = 75.39816 in; p = 6.28318 ft.
    const LambdaFixed f = LambdaFixedQuantities(Pipe24(), English());
    EXPECT_EQ(f.error, LambdaError::None);
    EXPECT_NEAR(f.tipArea, 36.9136825, 1e-9);
    EXPECT_NEAR(f.stiffness, 29e6 * 36.9136825 * 0.1, 1e-3);
    EXPECT_NEAR(f.perimeterSmall, 75.39816, 1e-9);
    EXPECT_NEAR(f.perimeter, 6.28318, 1e-9);
    // mu at 100 ft in 1 ksf clay: 75.39816 x 100^2 x 1 x 1000 / S = 7.043286867.
    EXPECT_NEAR(LambdaCompressibility(f, 100.0, 1.0, English()), 7.043286867, kHand);

    // A noncircular tip area is held in ft2 (m2): it enters as in2 (mm2).
    const LambdaFixed nc = LambdaFixedQuantities({12.0, 0.0, 1.0, 29e6}, English());
    EXPECT_NEAR(nc.tipArea, 144.0, 1e-9);
    const LambdaFixed ncSi = LambdaFixedQuantities({304.8, 0.0, 0.0929, 2e8}, Si());
    EXPECT_NEAR(ncSi.tipArea, 92900.0, 1e-6);

    // SI parity of mu: 609.6 / 584.2 mm, E in kPa, 30.48 m, 47.88 kPa.
    const LambdaFixed si = LambdaFixedQuantities({609.6, 584.2, 0.0, 29e6 * kPsiToKpa}, Si());
    EXPECT_NEAR(LambdaCompressibility(si, 100.0 * kFtToM, kKsfToKpa, Si()) / 7.043286867,
                1.0,
                kParity);
}

TEST(Pass1LambdaFixed, NoSteelSectionOrNoModulusIsAClearError)
{
    struct Case
    {
        const char* name;
        LambdaPile pile;
        LambdaError error;
    };
    const Case cases[] = {
        {"inner equal to outer", {24.0, 24.0, 0.0, 29e6}, LambdaError::InnerDiameterNotSmaller},
        {"inner larger", {24.0, 25.0, 0.0, 29e6}, LambdaError::InnerDiameterNotSmaller},
        {"no diameter", {0.0, 0.0, 0.0, 29e6}, LambdaError::InnerDiameterNotSmaller},
        {"modulus 0", {24.0, 23.0, 0.0, 0.0}, LambdaError::ModulusNotPositive},
        {"modulus negative", {24.0, 23.0, 0.0, -5.0}, LambdaError::ModulusNotPositive},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LambdaFixedQuantities(c.pile, English()).error, c.error) << c.name;
        EXPECT_STRNE(LambdaErrorMessage(c.error), "") << c.name;
    }
    EXPECT_STREQ(LambdaErrorMessage(LambdaError::None), "");
    // A tip area given with the inner diameter at the outer one is a usable section.
    EXPECT_EQ(LambdaFixedQuantities({24.0, 24.0, 1.0, 29e6}, English()).error, LambdaError::None);
}

TEST(Pass1LambdaProfile, StrengthBasisAndZeroFrictionLength)
{
    // Clay: su. Sand, Ko 0 read as 1: 1.0 x 1.1 x tan(30 deg) = 0.6350852961 (57.2958 deg/rad).
    EXPECT_DOUBLE_EQ(LambdaStrengthBasis(2.0, 0.8, 1.0, 1.2, 0.0, 0.0), 0.8);
    EXPECT_NEAR(LambdaStrengthBasis(1.0, 0.0, 1.0, 1.2, 0.0, 30.0),
                1.1 * std::tan(30.0 / 57.2958),
                kExact);
    EXPECT_NEAR(LambdaStrengthBasis(1.0, 0.0, 1.0, 1.2, 0.5, 30.0),
                0.55 * std::tan(30.0 / 57.2958),
                kExact);

    const std::array<double, 4> len{1, 1, 1, 1};
    struct Case
    {
        double zeroFriction;
        std::array<double, 4> basis;
    };
    for (const Case& c : {Case{0.0, {1, 1, 1, 1}},
                          Case{1.5, {0, 1, 1, 1}}, // ends inside segment 2: it keeps its value
                          Case{2.0, {0, 0, 1, 1}}, // ends on segment 2's bottom: it loses it
                          Case{9.0, {0, 0, 0, 0}}}) {
        std::array<double, 4> basis{1, 1, 1, 1};
        LambdaApplyZeroFriction(len, c.zeroFriction, basis);
        EXPECT_EQ(basis, c.basis) << "zero friction " << c.zeroFriction;
    }
}

TEST(Pass1LambdaProfile, MeansOverTheEmbeddedLength)
{
    // sigma' = 0.05 z in 1 ft segments, clay su 1 over 0..2 ft and 2 over 2..4 ft.
    const std::array<double, 4> len{1, 1, 1, 1};
    const std::array<double, 8> sigv{0, 0.05, 0.05, 0.1, 0.1, 0.15, 0.15, 0.2};
    const std::array<double, 4> basis{1, 1, 2, 2};
    // z 0.5 (first segment): stress 0.025, mean 0.0125, mean strength 1.
    const LambdaMeans a = LambdaMeansAt(len, sigv, basis, 0.5);
    EXPECT_NEAR(a.stress, 0.025, kExact);
    EXPECT_NEAR(a.meanStress, 0.0125, kExact);
    EXPECT_NEAR(a.meanStrength, 1.0, kExact);
    // z 3.5: stress 0.175, mean 0.0875; strength (1 + 1 + 2 + 2 x 0.5) / 3.5 = 5 / 3.5.
    const LambdaMeans b = LambdaMeansAt(len, sigv, basis, 3.5);
    EXPECT_NEAR(b.stress, 0.175, kExact);
    EXPECT_NEAR(b.strength, 2.0, kExact);
    EXPECT_NEAR(b.meanStress, 0.0875, kExact);
    EXPECT_NEAR(b.meanStrength, 5.0 / 3.5, kExact);
}

struct LambdaRun
{
    LambdaError error;
    std::vector<double> basis, depth, meanStress, meanStrength, mu, lambda, limit, f, qs, tz, qsf;
};

// A uniform clay (su in stress units, effective stress gamma z) in segments of one increment,
// three segments deeper than the pile.
LambdaRun RunUniformClay(const Pass1Units& u,
                         double length,
                         double increment,
                         double su,
                         double gamma,
                         LambdaPile pile,
                         double fmax = kPass1NotLimited,
                         bool tension = false,
                         double tensionFactor = 1.0,
                         double rfs = 1.0,
                         int tz = 0)
{
    const int nseg = Pass1GridCount(length, increment) + 2;
    std::vector<double> type(nseg, 2.0), ko(nseg, 0.0), phi(nseg, 0.0), suv(nseg, su),
        fm(nseg, fmax), len(nseg, increment), rf(nseg, rfs), sigv(2 * nseg);
    for (int k = 0; k < nseg; ++k) {
        sigv[2 * k] = gamma * increment * k;
        sigv[2 * k + 1] = gamma * increment * (k + 1);
    }
    const int ngrid = Pass1GridCount(length, increment);
    LambdaRun r;
    r.basis.assign(nseg, -1.0);
    for (auto* v : {&r.depth,
                    &r.meanStress,
                    &r.meanStrength,
                    &r.mu,
                    &r.lambda,
                    &r.limit,
                    &r.f,
                    &r.qs,
                    &r.tz,
                    &r.qsf}) {
        v->assign(ngrid, -1.0);
    }
    LambdaProfileInput in{type,
                          ko,
                          phi,
                          suv,
                          fm,
                          len,
                          rf,
                          sigv,
                          pile,
                          length,
                          increment,
                          0.0,
                          tension,
                          tensionFactor,
                          tz};
    r.error = LambdaSideResistance(
        in,
        u,
        r.basis,
        {r.depth, r.meanStress, r.meanStrength, r.mu, r.lambda, r.limit, r.f, r.qs, r.tz, r.qsf});
    return r;
}

TEST(Pass1LambdaPile, UniformClayByHand)
{
    // Pile 24 in x 0.5 in, E 29e6 psi, 3 ft in clay su 1 ksf, sigma' = 0.05 z ksf, 1 ft steps;
    // p = 6.28318 ft, S = 29e6 x 36.9136825 x 0.1.
    // z 0: mu 0, lambda 0, f 0.
    // z 1: mean stress 0.025, mean su 1, mu = 75.39816 x 1 x 1000 / S = 7.043286867e-4,
    //   lambda = 0.232 - 0.032 ln(mu) = 0.4642644936 (su / sigma' = 40 >= 0.4),
    //   Q = (2 + 0.025) x lambda x p x 1; f = Q / p = 0.9401355996; U = 5.907041197.
    // z 2: mean stress 0.05, mu 4 x 7.043286867e-4, lambda 0.4199030741,
    //   f = 2.05 x lambda x 2 - U / p = 0.7814670041; U = 10.81713905.
    // z 3: lambda 0.3939533072, f 0.7307567334, U 15.40861514.
    const LambdaRun r = RunUniformClay(English(), 3.0, 1.0, 1.0, 0.05, Pipe24());
    ASSERT_EQ(r.error, LambdaError::None);
    const double lambda[] = {0.0, 0.4642644936, 0.4199030741, 0.3939533072};
    const double f[] = {0.0, 0.9401355996, 0.7814670041, 0.7307567334};
    const double qs[] = {0.0, 5.907041197, 10.81713905, 15.40861514};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(r.depth[j], j, kExact);
        EXPECT_NEAR(r.lambda[j], lambda[j], kHand) << "row " << j + 1;
        EXPECT_NEAR(r.f[j], f[j], kHand) << "row " << j + 1;
        EXPECT_NEAR(r.qs[j], qs[j], 1e-6) << "row " << j + 1;
        EXPECT_NEAR(r.tz[j], qs[j], 1e-6) << "row " << j + 1;
        EXPECT_NEAR(r.qsf[j], qs[j], 1e-6) << "row " << j + 1;
    }
    EXPECT_NEAR(r.mu[1], 7.043286867e-4, 1e-13);
    EXPECT_NEAR(r.meanStress[3], 0.075, kExact);

    // SI: 609.6 / 584.2 mm, E in kPa, 0.3048 m steps, 47.88 kPa, gamma 0.05 x 47.88 / 0.3048:
    // the cumulative agrees with the English kips x 4.448222.
    const LambdaRun s = RunUniformClay(Si(),
                                       3 * kFtToM,
                                       kFtToM,
                                       kKsfToKpa,
                                       0.05 * kKsfToKpa / kFtToM,
                                       {609.6, 584.2, 0.0, 29e6 * kPsiToKpa});
    ASSERT_EQ(s.error, LambdaError::None);
    for (int j = 1; j < 4; ++j) {
        EXPECT_NEAR(s.qs[j] / (qs[j] * kKipToKn), 1.0, kParity) << "row " << j + 1;
        EXPECT_NEAR(s.f[j] / (f[j] * kKsfToKpa), 1.0, kParity) << "row " << j + 1;
    }
}

TEST(Pass1LambdaPile, LimitTensionAndReductionFactors)
{
    // Maximum unit friction 0.5: every interval carries 0.5 x 6.28318 x 1 = 3.14159.
    const LambdaRun lim = RunUniformClay(English(), 3.0, 1.0, 1.0, 0.05, Pipe24(), 0.5);
    EXPECT_NEAR(lim.f[1], 0.5, kExact);
    EXPECT_NEAR(lim.qs[3], 9.42477, 1e-9);
    EXPECT_NEAR(lim.limit[2], 0.5, kExact);

    // Tension 0.7: each interval 0.7 x the compression value, applied once (15.40861514 x 0.7).
    const LambdaRun t =
        RunUniformClay(English(), 3.0, 1.0, 1.0, 0.05, Pipe24(), kPass1NotLimited, true, 0.7);
    EXPECT_NEAR(t.qs[3], 0.7 * 15.40861514, 1e-6);
    EXPECT_NEAR(t.f[2], 0.7 * 0.7814670041, kHand);
    EXPECT_NEAR(t.f[3], 0.7 * 0.7307567334, kHand);

    // Reduction factor 0.5: the reported cumulative halves; the load-transfer copy keeps the
    // full value with t-z factor option 0 and takes the reduced one with 1.
    for (int tz : {0, 1}) {
        const LambdaRun r = RunUniformClay(English(),
                                           3.0,
                                           1.0,
                                           1.0,
                                           0.05,
                                           Pipe24(),
                                           kPass1NotLimited,
                                           false,
                                           1.0,
                                           0.5,
                                           tz);
        EXPECT_NEAR(r.qs[3], 0.5 * 15.40861514, 1e-6);
        EXPECT_NEAR(r.qsf[3], 0.5 * 15.40861514, 1e-6);
        EXPECT_NEAR(r.tz[3], tz == 1 ? 0.5 * 15.40861514 : 15.40861514, 1e-6) << "tz " << tz;
    }
}

TEST(Pass1LambdaPile, NoncircularTipAreaKeepsLambdaOffItsFloor)
{
    // 12 in equivalent diameter, tip area 1 ft2 = 144 in2, E 29e6 psi, 40 ft in clay su 1 ksf
    // with sigma' = 0.05 z: at z 40 mean stress 1, mean su 1,
    // mu = 37.69908 x 1600 x 1 x 1000 / (29e6 x 144 x 0.1) = 0.1444409195,
    // lambda = 0.232 - 0.032 ln(mu) = 0.2939163109. With the area left in ft2 mu would be 144
    // times larger (20.80) and lambda would sit on its floor 0.14.
    const LambdaRun r = RunUniformClay(English(), 40.0, 1.0, 1.0, 0.05, {12.0, 0.0, 1.0, 29e6});
    ASSERT_EQ(r.error, LambdaError::None);
    EXPECT_NEAR(r.mu[40], 0.1444409195, kHand);
    EXPECT_NEAR(r.lambda[40], 0.2939163109, kHand);
}

TEST(Pass1LambdaPile, ErrorLeavesZerosNeverNaN)
{
    const LambdaRun r = RunUniformClay(English(), 3.0, 1.0, 1.0, 0.05, {24.0, 24.0, 0.0, 29e6});
    EXPECT_EQ(r.error, LambdaError::InnerDiameterNotSmaller);
    for (const std::vector<double>* v : {&r.basis, &r.f, &r.qs, &r.tz, &r.lambda, &r.mu}) {
        for (double x : *v) {
            EXPECT_EQ(x, 0.0);
        }
    }
}

} // namespace
