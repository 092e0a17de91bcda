#pragma once

// Numerical core of the revised Lambda method: the mean unit side friction over the embedded
// length z is lambda (sigma'm + 2 su,m), with lambda from the pile compressibility factor
// mu = pi D z^2 su,m / (A E slip).
// Sources: Vijayvergiya and Focht, "A new way to predict capacity of piles in clay", OTC 1718
// (1972); Kraft, Focht and Amerasinghe, "Friction capacity of piles driven into clay",
// J. Geotech. Eng. Div. ASCE 107 (GT11), 1981 (lambda = 0.232 - 0.032 ln mu for
// over-consolidated, 0.178 - 0.016 ln mu for normally consolidated clay, at least 0.14; slip
// 0.1 in).
// Pure functions; the conventions of the arguments are those of Pass1Core.h.

#include <span>

#include "methods/pass1/Pass1Core.h"

struct LambdaPile
{
    double od = 0.0;           // OD (in / mm)
    double endSectionId = 0.0; // ENDSECTID (in / mm)
    double tipArea = 0.0;      // TIPAREA as held: ft2 (English) or m2 (SI); 0 if circular
    double modulus = 0.0;      // EMOD (psi / kPa)
};

enum class LambdaError
{
    None,
    InnerDiameterNotSmaller, // ENDSECTID >= OD without a tip area: no steel section
    ModulusNotPositive,      // EMOD <= 0: no axial stiffness
};

// The engine message for an error (empty for LambdaError::None).
const char* LambdaErrorMessage(LambdaError error);

struct LambdaFixed
{
    LambdaError error = LambdaError::None;
    double tipArea = 0.0;        // in2 / mm2: annulus, or the noncircular tip area converted
    double perimeterSmall = 0.0; // P0 = 3.14159 OD (in / mm)
    double stiffness = 0.0;      // S = E A slip
    double perimeter = 0.0;      // p = 3.14159 OD (ft / m)
};
LambdaFixed LambdaFixedQuantities(const LambdaPile& pile, const Pass1Units& u);

// Ko as the method reads it: an entry of exactly 0 is read as 1.0. The method writes this value
// back into SEGKO, which the plug friction of its pipeline run then reads.
double LambdaEffectiveKo(double ko);

// Strength basis of a segment: su in clay and silt; in sand K sigma'v,mean tan(phi), with Ko 0
// read as 1.0.
double LambdaStrengthBasis(double soilType,
                           double su,
                           double sigvTop,
                           double sigvBottom,
                           double ko,
                           double phi);

// Segments wholly inside the zero-friction length, the one whose bottom meets its end included,
// lose their strength basis; the segment the length ends in keeps its full value.
void LambdaApplyZeroFriction(std::span<const double> segLen,
                             double zeroFriction,
                             std::span<double> basis);

// Stress and strength basis at depth z and their means over 0..z.
struct LambdaMeans
{
    double stress = 0.0;
    double strength = 0.0;
    double meanStress = 0.0;
    double meanStrength = 0.0;
};
LambdaMeans LambdaMeansAt(std::span<const double> segLen,
                          std::span<const double> sigv,
                          std::span<const double> basis,
                          double z);

// mu = P0 z^2 su,m x 1000 / S (English: z in ft against P0 in in, su in ksf against E in psi)
// or x 1000000 / S (SI: z in m against P0 in mm).
double
LambdaCompressibility(const LambdaFixed& fixed, double z, double meanStrength, const Pass1Units& u);

// lambda: 0 when mu is 0; with r = su,m / sigma'm, 0.232 - 0.032 ln mu when r >= 0.4, else
// 0.178 - 0.016 ln mu; never below 0.14.
double LambdaCoefficient(double mu, double meanStrength, double meanStress);

struct LambdaProfileInput
{
    std::span<const double> segType; // SEGTYPE
    std::span<const double> segKo;   // SEGKO
    std::span<const double> segPhi;  // SEGPHI
    std::span<const double> segSu;   // SEGSU
    std::span<const double> segFmax; // SEGFMAX (maximum unit side friction)
    std::span<const double> segLen;  // SEGLEN
    std::span<const double> segRfs;  // SEGRFS
    std::span<const double> sigv;    // SIGV, two entries per segment
    LambdaPile pile;
    double pileLength = 0.0;   // PILELENGTH, embedded (ft / m)
    double increment = 0.0;    // INCREMENT
    double zeroFriction = 0.0; // ZEROFRICTION
    bool tension = false;      // LOADTYPE 1
    double tensionFactor = 1.0;
    int tzFactor = 0; // 1: the load-transfer copy takes the reduced cumulative
};
// Per grid row (sized at least NGRID; rows beyond NGRID are left alone).
struct LambdaGridOutput
{
    std::span<double> depth; // GRIDDEPTH
    std::span<double> meanStress;
    std::span<double> meanStrength;
    std::span<double> mu;
    std::span<double> lambda;
    std::span<double> limit;        // LAMFLIM
    std::span<double> unitFriction; // LAMF
    std::span<double> cumulative;   // LAMQS: reduced by SEGRFS, tension factor applied
    std::span<double> loadTransfer; // LAMTZ
    std::span<double> reduced;      // GRIDQSF
};
// The whole method over the grid. The per-segment strength basis is written to `basis` (one
// entry per segment, zero-friction length applied). On an error nothing but zeros is written
// and the error is returned; the caller reports it and stops the run.
LambdaError LambdaSideResistance(const LambdaProfileInput& in,
                                 const Pass1Units& u,
                                 std::span<double> basis,
                                 const LambdaGridOutput& out);
