#pragma once

// Numerical core of the four CPT-based offshore methods (NGI, ICP/MTD, Fugro, UWA): unit side
// friction and unit end bearing at one segment of the pile, as pure functions of the values
// there. The method routines over the run state pick the values out of the segment arrays, call
// these functions, write the results back and accumulate them along the pile. Nothing here
// writes its inputs back: floors on stresses are applied inside.
//
// One body serves both unit systems; a Constants value carries what differs.
//   English: lengths ft, stresses ksf, diameters in, cone resistance as read in psf.
//   SI:      lengths m,  stresses kPa, diameters mm, cone resistance as read in kPa.

#include <optional>

#include "state/Constants.h"
#include "state/UnitSystem.h"

namespace Offshore {

struct Constants
{
    double pa;                    // atmospheric pressure: 2.0885546 ksf / 100 kPa (100 kPa each)
    double lengthToDiameter;      // depth units to diameter units: 12 (ft to in) / 1000 (m to mm)
    double diameterToMillimetres; // 25.4 / 1
    double diameterToMetres;      // 0.0254 / 0.001
    double dilation;              // interface dilation dr: 0.0007874016 in / 0.02 mm
    double coneToStress;          // cone resistance as read to stress units: 0.001 / 1
};

inline constexpr Constants kEnglish{kAtmosphereKsf, 12.0, 25.4, 0.0254, 0.0007874016, 0.001};
inline constexpr Constants kSI{100.0, 1000.0, 1.0, 0.001, 0.02, 1.0};

// Constants of a unit system, or of a units code (1 or less English, anything else SI).
const Constants& ConstantsFor(EUnitSystem system);
const Constants& ConstantsFor(int unitsCode);

// LOADTYPE: 1 is tension (uplift), any other value compression.
enum class Load
{
    Compression,
    Tension
};
Load LoadFromCode(int loadType);

// PLUG: 0 computed by the program, 1 plugged, 2 unplugged (open-ended piles).
enum class Plug
{
    Computed,
    Plugged,
    Unplugged
};
Plug PlugFromCode(int plug);

// The pile as the offshore methods see it.
struct Pile
{
    double od = 0.0;        // OD, outside diameter (in / mm); noncircular: perimeter / 3.1416
    double endSectId = 0.0; // ENDSECTID, inside diameter of the end section (in / mm); 0 closed
    double length = 0.0;    // PILELENGTH, embedded length (ft / m)
    int pileType = 1;       // PILETYPE (PileTypeCode): 2 timber, 3 concrete
    Load load = Load::Compression;
    Plug plug = Plug::Computed;
};

// A value at the two ends of a segment: entry 2k-1 (top) and 2k (bottom) of the segment arrays.
struct EndPair
{
    double top = 0.0;
    double bottom = 0.0;
};

// One segment: its top depth and the effective vertical stress at its ends.
struct Segment
{
    double top = 0.0; // depth of the segment's top, (k - 1) x INCREMENT (ft / m)
    EndPair sigma;    // SIGV(2k-1), SIGV(2k) (ksf / kPa)
};

// ---------------------------------------------------------------------------------------------
// Cone resistance of a segment, in stress units (ksf / kPa): the soil-table value SEGQC when
// given (at least 1e-5), else the CPT profile at the segment's own top depth (k - 1) x INCREMENT
// (profileQcAtTop, as read; nullopt when the profile has no points). Without either, a sand segment takes
// 2.8 x N x pa from its SPT blow count (already in stress units); a clay or silt segment has
// none (its SEGSPT holds the yield stress ratio, not a blow count).
std::optional<double> SegmentConeResistance(double segQc,
                                            std::optional<double> profileQcAtTop,
                                            double segSpt,
                                            bool sand,
                                            const Constants& c);

// ---------------------------------------------------------------------------------------------
// NGI-05 (Clausen, Aas & Karlsrud 2005).

struct NgiSandResult
{
    EndPair friction;        // unit side friction (SKINF)
    EndPair transfer;        // unit load-transfer pair (UNITXFER slot 5)
    EndPair relativeDensity; // Dr at the two ends (after its floor)
};

// Sand: f = (z/L) pa F_Dr F_sig F_tip F_load F_mat, z the segment's top depth at both ends.
NgiSandResult NgiSandFriction(const Pile& pile, const Segment& seg, double qc, const Constants& c);

struct NgiClaySoil
{
    double su = 0.0;              // SEGSU
    double sur = 0.0;             // SEGSUR, remolded
    double plasticityIndex = 0.0; // SEGPI (%)
};

struct NgiClayResult
{
    EndPair friction; // the same value at both ends
    EndPair transfer; // (remolded value for the soil plug, friction)
    double psi = 0.0; // Su / sigma'v0 at the bottom
    double alpha = 0.0;
};

// Clay and silt (Karlsrud, Clausen & Aas 2005), on the bottom stress.
NgiClayResult NgiClayFriction(const Pile& pile, const Segment& seg, const NgiClaySoil& soil);

// Unit end bearing in sand at one end with effective stress sigma.
double NgiEndBearing(const Pile& pile, double qc, double sigma, const Constants& c);

// ---------------------------------------------------------------------------------------------
// ICP-05 (Jardine, Chow, Overy & Standing 2005).

struct IcpSandResult
{
    EndPair friction;
    EndPair transfer;          // UNITXFER slot 6
    double hOverR = 0.0;       // h / R*, at least 8
    double eta = 0.0;          // qc / sqrt(sigma'v0 pa) at the bottom, at most 514
    double shearModulus = 0.0; // G
    double dilationStress = 0.0;
};

IcpSandResult
IcpSandFriction(const Pile& pile, const Segment& seg, double qc, double phi, const Constants& c);

// Unit end bearing in sand (the same at both ends of the segment).
double IcpSandEndBearing(const Pile& pile, double qc, const Constants& c);

// ---------------------------------------------------------------------------------------------
// Fugro-04 (Kolk, Baaijens & Senders 2005).

struct FugroSandResult
{
    EndPair friction;
    EndPair transfer;    // UNITXFER slot 7
    double hOverR = 0.0; // h / R*, not clamped
};

FugroSandResult
FugroSandFriction(const Pile& pile, const Segment& seg, double qc, const Constants& c);

double FugroSandEndBearing(const Pile& pile, double qc, const Constants& c);

// ---------------------------------------------------------------------------------------------
// UWA-05 (Lehane, Schneider & Xu 2005).

struct UwaSandResult
{
    EndPair friction;
    EndPair transfer;       // UNITXFER slot 8
    double areaRatio = 0.0; // effective area ratio Ar,eff
    double hOverD = 0.0;    // h / D, at least 2
    double stationaryStress = 0.0;
};

UwaSandResult
UwaSandFriction(const Pile& pile, const Segment& seg, double qc, double phi, const Constants& c);

double UwaSandEndBearing(const Pile& pile, double qc, const Constants& c);

// ---------------------------------------------------------------------------------------------
// Clay and silt under ICP/MTD, Fugro and UWA: the ICP-05 clay rule (Jardine et al. 2005).

struct ClaySoil
{
    double su = 0.0;               // SEGSU
    double sur = 0.0;              // SEGSUR, remolded
    double yieldStressRatio = 0.0; // SEGSPT of a clay row
    double plasticityIndex = 0.0;  // SEGPI; negative when not given
    double deltaDegrees = 0.0;     // interface friction angle, DELTAPILO(plasticityIndex)
};

struct ClayResult
{
    EndPair friction;
    EndPair transfer;
    double hOverR = 0.0;                 // h / R* as computed, before it is raised to 8
    bool hOverRWarning = false;          // "WARNING - h/R SHOULD BE GREATER THAN 8."
    bool plasticityIndexMissing = false; // "ERROR - NO DATA FOUND FOR PLASTIC INDEX."
    double sensitivity = 1.0;
    double kc = 0.0;
};

ClayResult OffshoreClayFriction(const Pile& pile,
                                const Segment& seg,
                                const ClaySoil& soil,
                                const Constants& c);

// Unit end bearing of a clay or silt segment under ICP/MTD, Fugro and UWA: 9 Su, or from the
// cone resistance for a closed, plugged or unplugged pile; drained is ICPCLAY = 1.
double OffshoreClayEndBearing(const Pile& pile, double su, std::optional<double> qc, bool drained);

} // namespace Offshore
