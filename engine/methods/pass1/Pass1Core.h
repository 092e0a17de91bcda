#pragma once

// Shared numerical core of the pass-1 capacity methods (FHWA, USACE, Revised Lambda and the
// user-specified method): unit-system constants, and the segment and grid helpers (the
// side-resistance accumulation is the engine's shared one, SideAccumulation.h). Every
// function here is pure: it reads its arguments only and writes only the output it is given.
//
// Conventions of the arguments:
// - Segments are counted from 1 in the engine's formulas; a span of per-segment values holds
//   segment k at index k - 1. Two-entry profiles (effective stress, unit side friction) hold
//   the top of segment k at index 2k - 2 and its bottom at index 2k - 1.
// - Grid rows are counted from 1; row j (index j - 1) lies at the penetration (j - 1) x the
//   increment.
// - English units: lengths in ft, diameters in in, stresses in ksf, forces in kips. SI units:
//   m, mm, kPa, kN. One body serves both, with the constants of Pass1Units.
// - A span that is too short for the counts it is used with is a defect of the caller and
//   raises std::invalid_argument; no function reads or writes outside a span.

#include <span>

#include "state/Constants.h"
#include "state/UnitSystem.h"

// Unit-system constants of the pass-1 methods. The English and SI values agree after
// conversion except where a published chart was digitised in round values of its own system
// (USACE adhesion breakpoints 0.5/1.5 ksf against 24/72 kPa).
struct Pass1Units
{
    int units;                  // 1 English, 2 SI
    double smallPerLength;      // 12 in per ft, 1000 mm per m: diameters to lengths
    double smallAreaPerArea;    // 144 in2 per ft2, 1000000 mm2 per m2
    double stressPerKsf;        // 1, or 47.88 kPa per ksf
    double volumeDivisor;       // 1, or 0.0929: m3/m to ft3/ft for the Nordlund charts
    double criticalStress;      // 3.5 ksf = 167.58 kPa: USACE critical depth by stress
    double usaceSuFull;         // USACE adhesion is 1 up to 0.5 ksf / 24 kPa ...
    double usaceSuSpan;         // ... and falls by 0.5 over 1.0 ksf / 48 kPa
    double usaceDepthAllowance; // 1.0 ft = 0.3048 m added to the USACE tip critical depths
    double lambdaStrengthScale; // 1000 (ksf against psi and ft against in) or 1000000 (m to mm)
    double lambdaSlip;          // pile-soil slip that mobilises full friction: 0.1 in = 2.54 mm
};

// Constants of a unit system, or of a units code (1 or less English, anything else SI).
const Pass1Units& Pass1UnitsFor(EUnitSystem system);
const Pass1Units& Pass1UnitsFor(int unitsCode);

inline constexpr double kPass1NotLimited = kNotLimited; // a maximum that was not given
inline constexpr double kPass1StressFloor = 1e-10;
inline constexpr double kPass1DepthTolerance = 1e-6;
inline constexpr double kPass1DegreesPerRadian = kDegreesPerRadian;
inline constexpr double kPass1TaperRadiansPerDegree = kRadiansPerDegree;
inline constexpr double kPass1Pi = kPiTo5;

// Clay and silt (soil type above 1) take the cohesive rules, sand (type 1) the cohesionless
// ones; soil types are whole numbers.
inline bool Pass1IsCohesive(double soilType)
{
    return soilType - 1.0 > kPass1DepthTolerance;
}

// NGRID: INT(pileLength / increment + 1e-6) + 1; 0 when the increment is not positive or the
// length is negative.
int Pass1GridCount(double pileLength, double increment);

// The segment that holds depth z: segment 1 when z - len(1) <= 1e-6, else the first m whose
// summed lengths len(1) + ... + len(m) reach z - 1e-6 (a depth on a boundary belongs to the
// segment above). `into` is the distance from the segment's top, kept within the segment, and
// a depth below the last segment takes the last one, so no unfilled entry is ever read.
// segment is 0 when there are no segments.
struct Pass1SegmentPosition
{
    int segment;
    double into;
};
Pass1SegmentPosition Pass1FindSegment(std::span<const double> segLen, double z);

// Pass1FindSegment for depths that rise from one call to the next: it goes on from the segment
// the last depth found, which gives the same answer, since every segment above that one ends
// above the last depth, so above this one too.
class Pass1SegmentCursor
{
public:
    explicit Pass1SegmentCursor(std::span<const double> segLen)
        : m_segLen(segLen)
        , m_bottom(segLen.empty() ? 0.0 : segLen[0])
    {}
    Pass1SegmentPosition Find(double z);

private:
    std::span<const double> m_segLen;
    int m_m = 1;
    double m_bottom;
};

// Two-entry profile value at depth z, linear within the segment that holds z; 0 without
// segments.
double Pass1InterpolateEnds(std::span<const double> segLen, std::span<const double> ends, double z);

// The segment whose per-segment value a grid row takes (row j takes segment j, the segment just
// below its depth); the last grid row of a pile whose soil ends less than one increment below
// the tip takes the last segment instead of an unfilled one. 0 when nseg is 0.
int Pass1RowSegment(int row, int nseg);

// The segment that holds the interval ending at grid row `row` (from row - 1 to row): segment
// row - 1, within 1 .. nseg (row 1 takes segment 1). A value that belongs to an interval, such
// as a side reduction factor, is taken from here. 0 when nseg is 0.
int Pass1IntervalSegment(int row, int nseg);

// Unit side friction on the penetration grid: 0 for a row that lies in the zero-friction length
// (depth - zeroFriction <= -1e-6), else the two-entry profile interpolated within the segment
// that holds the row's depth. gridF.size() rows are filled.
void Pass1GridUnitFriction(std::span<const double> segLen,
                           std::span<const double> ends,
                           double increment,
                           double zeroFriction,
                           std::span<double> gridF);
