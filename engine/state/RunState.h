#pragma once

#include <string>

#include "loadtransfer/TzCurves.h"
#include "state/EngineLimits.h"
#include "state/MethodResult.h"
#include "state/PipelineState.h"
#include "state/TArray.h"
#include "state/UnitSystem.h"

// The data of one analysis, in the named blocks the engine's routines share. The export makes
// one zeroed value of it per run and drops it afterwards; nothing survives between runs.
// Fields keep the upper-case names the engine's formulas use.

struct TFileNames
{
    std::string INPUTPATH;  // project file
    std::string OUTPUTPATH; // report
    std::string PLOTPATH;   // plot data
    std::string CPTPATH;    // CPT side file
};

struct TTitles
{
    std::string TITLE;
    std::string DESIGNER;
    std::string JOBNUMBER;
};

// Pile and run scalars, in the project's units (English: ft, in, kips, ksf; SI: m, mm, kN, kPa).
struct TPileData
{
    int UNITS = 0;
    int PRINTINTERVAL = 0;
    int NSOILROWS = 0;
    int CLOSEDEND = 0;
    double NCPERIMETER = 0;
    double TIPAREA = 0;
    double TIPAREAREAD = 0; // tip area as read, before the in2 to ft2 conversion (echo)
    double OD = 0;
    double ID = 0;
    double EMOD = 0;
    double PILELENGTH = 0; // total length as read; the embedded length from the echo on
    double STICKUP = 0;
    double ENDSECTLENGTH = 0;
    double ENDSECTID = 0;
    double ZEROFRICTION = 0;
    double INCREMENT = 0;
    int PILETYPE = 0;
    double TAPERANGLE = 0;
    int LSMETHOD = 0;
    int OFFSHORE = 0;
    int TZFACTOR = 0;
    double DEEPESTSOIL = 0;
    double CONSTAREA = 0;
    int LOADTYPE = 0;
    double TENSIONFACTOR = 0;
    int ICPCLAY = 0;
    int PLUG = 0;
    int CRITOPTION = 0;
    double CRITDEPTH = 0;
    double WATERDEPTH = 0;
    int NSEG = 0;
    int PASS = 0;
    int NGRID = 0;
    int NROWS = 0;
};

// The run's unit system, from its UNITS code.
inline EUnitSystem UnitSystem(const TPileData& p)
{
    return UnitSystemOf(p.UNITS);
}
inline bool IsEnglish(const TPileData& p)
{
    return IsEnglish(UnitSystem(p));
}

// A noncircular section: an H-pile, or a precast concrete pile given by its perimeter.
inline bool IsNoncircular(const TPileData& p)
{
    return p.PILETYPE == 6 || (p.PILETYPE == 3 && p.NCPERIMETER > 1.0E-10);
}

// SOILDATA columns (rows 2k - 1 and 2k are the top and bottom of layer k).
enum ESoilColumn : int
{
    kColDepth = 1,
    kColType = 3,
    kColKo = 4,
    kColGamma = 5,
    kColPhi = 6,
    kColNq = 7,
    kColFmax = 8,
    kColQmax = 9,
    kColSu = 10,
    kColSur = 11,
    kColSpt = 12,
    kColPi = 13,
    kColQc = 14,
    kColUserF = 15,
    kColUserQ = 16,
    kColRfs = 17,
    kColRfe = 18,
    kColAdhesion = 19,
};

struct TCptData
{
    int CPTCOUNT = 0;
    TArray1<double, kMaxCptPoints> CPTDEPTH;
    TArray1<double, kMaxCptPoints> CPTQC;
    double LASTQC = 0; // the cone resistance the last profile lookup gave (0 at the start)
    // Where the last lookup stopped, so a deeper one goes on from there: the count and depth it
    // was made for, and the first point at or below that depth (count + 1: none).
    int LASTCOUNT = 0;
    double LASTDEPTH = 0;
    int LASTPOINT = 0;
};

struct TAreaTable
{
    int AREAMODE = 0;
    int AREACOUNT = 0;
    TArray1<double, kMaxAreaRows> AREADIST;
    TArray1<double, kMaxAreaRows> AREAVALUE;
};

struct TTzDepths
{
    int TZFLAG = 0;
    int TZCOUNT = 0;
    TArray1<double, kMaxTzDepths> TZDEPTH;
};

// One value per segment k = 1 .. NSEG, interpolated in SOILDATA at the segment's mid-depth
// (the type is the row above's, not interpolated).
struct TSegData
{
    TArray1<double, kMaxSegments> SEGTOP, SEGBOT, SEGTYPE, SEGKO, SEGGAMMA, SEGPHI, SEGNQ, SEGFMAX,
        SEGQMAX, SEGSU, SEGSUR, SEGSPT, SEGPI, SEGQC, SEGUSERF, SEGUSERQ, SEGRFS, SEGRFE, SEGADH;
};

// One value per grid point j = 1 .. NGRID at penetration (j - 1) x INCREMENT.
struct TGridData
{
    TArray1<double, kMaxGridPoints> GRIDDEPTH;
    TArray1<double, kMaxGridPoints> GRIDTYPE;
};

// Effective vertical stress along the segments, two entries per segment (2k - 1 at the top of
// segment k, 2k at its bottom) and a closing copy: the profile, and the profile held at its
// value at the critical depth below it.
struct TStressProfile
{
    TArray1<double, 2 * kMaxSegments + 1> SIGV;
    TArray1<double, 2 * kMaxSegments + 1> SIGVLIM;
    double DCRIT = 0;    // critical depth last worked out by the density rule
    double SPTANGLE = 0; // friction angle the blow-count chart last produced
};

// What the load-settlement solver takes from the method LSMETHOD names, per grid point: the
// side load-transfer value and the tip value with the end-bearing reduction factor taken off.
struct TLoadSetInput
{
    TArray1<double, kMaxGridPoints> GRIDQS;
    TArray1<double, kMaxGridPoints> TIPRESULT;
};

// Load-transfer curves: the solver's curves along the pile, whose rows the verification
// curves reuse afterwards. Room for three curves per pair of soil rows and the three above
// the ground, which also holds one curve per extra t-z depth.
inline constexpr int kMaxTzCurves = 3 * kMaxSoilRows;
static_assert(kMaxTzCurves >= kMaxTzDepths);

struct TCurveData
{
    int NCURVES = 0;
    TArray1<double, kMaxTzCurves>
        CURVEDEPTH;                       // solver: from the pile head; verification: below ground
    TArray1<int, kMaxTzCurves> CURVETYPE; // 1 sand curve, 2 clay curve
    TArray1<double, kMaxTzCurves> CURVEPHI; // degrees
    TArray1<double, kMaxTzCurves> CURVETMAX;
    TArray1<int, kMaxTzCurves> CURVENO;
    TArray1<int, kMaxTzCurves> CURVEPTS;
    TArray1<TzCurve, kMaxTzCurves> CURVE; // points 1..CURVEPTS: t and z
    int NQWPTS = 0;
    TzCurve QWCURVE; // tip: load (in t) against movement (in z)
};

// Load-settlement points, one per assumed tip movement, and the stiffness table the solver used.
inline constexpr int kLoadSettlePoints = 9;
struct TLoadSettleData
{
    int NEAROWS = 0;
    TArray1<double, kMaxAreaRows> EADEPTH; // from the pile head
    TArray1<double, kMaxAreaRows> EAVALUE; // area x modulus
    int NLSPOINTS = 0;
    TArray1<double, kLoadSettlePoints> TIPMOVES;
    TArray1<double, kLoadSettlePoints> LSTOPLOAD;
    TArray1<double, kLoadSettlePoints> LSTOPMOVE;
    TArray1<double, kLoadSettlePoints> LSTIPLOAD;
    bool ITERLIMIT = false; // a segment's iterations stopped at their bound
};

// Unit texts printed beside the report's numbers, blank-padded to their widths.
struct TUnitLabels
{
    std::string LENGTHLABEL;
    std::string SMALLLENLABEL;
    std::string FORCELABEL;
    std::string STRESSLABEL;
    std::string WEIGHTLABEL;
    std::string AREALABEL;
};

struct TRunState
{
    TFileNames FILENAMES;
    std::string VERSIONTEXT;
    TTitles TITLES;
    TPileData PILEDATA;
    TMatrix<double, kMaxSoilRows, kSoilColumns> SOILDATA;
    TMatrix<int, kMaxSoilRows, 2> SOILFLAGS; // 1: maximum side friction / end bearing not given
    TArray1<double, kMaxSoilRows> PIPROFILE; // plasticity index as read
    TArray1<double, kMaxSoilRows> QCPROFILE; // Qc as read
    TCptData CPTDATA;
    TAreaTable AREATABLE;
    TTzDepths TZDEPTHS;
    TArray1<int, kMethodCount> METHODFLAGS; // by MethodCode
    TSegData SEGDATA;
    TStressProfile STRESS;
    // Per engine method index: the unit load-transfer pair of every segment (2k - 1, 2k), read
    // by the plug friction; and the tip marker per grid point the method's pipeline run left.
    TMatrix<double, kMethodCount, 2 * kMaxSegments> UNITXFER;
    TMatrix<int, kMethodCount, kMaxGridPoints> PLUGFLAG;
    // The marker the same rows carry in compression: how the pile was driven, which the FHWA
    // displaced volume follows whatever the load direction (PLUGFLAG marks every row of a
    // tension run as plugged, the self weight being its tip).
    TMatrix<int, kMethodCount, kMaxGridPoints> COMPPLUGFLAG;
    TPipelineState PIPELINE; // the capacity pipeline's arrays
    TGridData GRID;
    TUnitLabels UNITLABELS;
    TMethodResults RESULTS; // per MethodCode, filled by the methods
    TLoadSetInput LOADSETINPUT;
    TCurveData CURVES;
    TLoadSettleData LOADSET;
    int GENERALDONE = 0; // the user-specified method has run in this analysis
};
