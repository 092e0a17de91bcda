#pragma once

#include <array>
#include <string>

class TProjectTables;
class TGraphPlot;

// Name of a project never saved; the run refuses to start for it.
inline constexpr const char* kNewProjectFileName = "NewQUARN.qr7d";

// Method codes: index of MethodFlags, value of LoadSettlementMethod.
namespace MethodCode {
inline constexpr int kFhwa = 1;
inline constexpr int kUsace = 2;
inline constexpr int kLambda = 3;
inline constexpr int kApi = 4;
inline constexpr int kUserSpecified = 5;
inline constexpr int kNgi = 6;
inline constexpr int kIcpMtd = 7;
inline constexpr int kFugro = 8;
inline constexpr int kUwa = 9;
} // namespace MethodCode

namespace PileTypeCode {
inline constexpr int kSteelPipe = 1; // also a non-tapered monotube
inline constexpr int kTimber = 2;
inline constexpr int kPrecastConcrete = 3;
inline constexpr int kRaymondStepTaper = 4;
inline constexpr int kRaymondUniformTaper = 5;
inline constexpr int kHPile = 6;
inline constexpr int kTaperedMonotube = 7;
} // namespace PileTypeCode

namespace LoadDirectionCode {
inline constexpr int kCompression = 0;
inline constexpr int kTension = 1;
} // namespace LoadDirectionCode

namespace PlugConditionCode {
inline constexpr int kComputed = 0;
inline constexpr int kPlugged = 1;
inline constexpr int kUnplugged = 2;
} // namespace PlugConditionCode

namespace ClayConditionCode {
inline constexpr int kUndrained = 0;
inline constexpr int kDrained = 1;
} // namespace ClayConditionCode

namespace CriticalDepthOptionCode {
inline constexpr int kByDensity = 0; // 10 to 20 pile diameters
inline constexpr int kByStress = 1;  // effective stress reaching 3,500 psf / 167.58 kPa
inline constexpr int kUserDepth = 2; // CriticalDepth
} // namespace CriticalDepthOptionCode

namespace SectionAreaModeCode {
inline constexpr int kFromSection = 0;
inline constexpr int kConstant = 1;
inline constexpr int kVarying = 2; // table Sectionaldata
} // namespace SectionAreaModeCode

namespace TzFactorOptionCode {
inline constexpr int kUnfactored = 0;
inline constexpr int kReduced = 1;
} // namespace TzFactorOptionCode

namespace SoilTypeCode {
inline constexpr int kSand = 1;
inline constexpr int kClay = 2;
inline constexpr int kSilt = 3;
} // namespace SoilTypeCode

namespace AdhesionOptionCode {
inline constexpr int kEstimated = 0;
inline constexpr int kGraphA = 1;
inline constexpr int kGraphB = 2;
inline constexpr int kGraphC = 3;
} // namespace AdhesionOptionCode

// Rows of the GRLWEAP profile kept from the plot data.
inline constexpr int kGrlweapProfileRows = 501;

// Unit conversion factors between the systems, each the number of SI units in one English
// unit. A change towards SI multiplies by the factor and one back divides by the same factor:
// a rounded factor of its own each way (224.8089237 against 0.004448222) would move a value
// by some parts in 1E10 at every change and back, which the ten digits of the project file
// show after a few.
namespace UnitConversion {
inline constexpr long double kKnPerLb = 0.004448222L;
inline constexpr long double kMPerIn = 0.0254L;
inline constexpr long double kMmPerIn = 25.4L;
inline constexpr long double kMPerFt = 0.3048L;
} // namespace UnitConversion

// The scalar data of the open project. The table-shaped data (soil layers and their
// properties, area table, t-z depths) live in TProjectTables and the CPT points in curve 0
// of the CPT profile graph (X is Qc in ksf / kPa, Y the depth in ft / m); SetUnits converts
// them together with the scalars when it is given them.
//
// Units: the first is English (UnitSystem 1), the second SI (UnitSystem 2). Input windows
// read and write the fields directly.
class TProgramData
{
public:
    // The default project. The tables are not touched here: see ResetProject.
    TProgramData();

    int UnitSystem = 1;                         // 1 English, 2 SI
    std::string FileName = kNewProjectFileName; // full path of the project file
    std::string GrlweapFileName;                // GRLWEAP file of the last run
    std::string CptFileName;                    // CPT side file
    std::string Title = "New Pile";
    std::string Designer;
    std::string JobNumber;
    int PrintInterval = 1;             // every k-th increment, 1..500
    long double Perimeter = 0;         // in / mm; 0 for a circular pile
    long double ConstantArea = 0;      // in^2 / m^2
    long double TipArea = 0;           // in^2 / m^2
    long double OD = 0;                // in / mm
    long double ID = 0;                // in / mm
    long double E = 0;                 // lb/in^2 / kN/m^2
    long double PSL = 0;               // stick-up length, ft / m
    long double TL = 0;                // total length, ft / m
    long double ESL = 0;               // lower end-section length, ft / m
    long double EID = 0;               // inner diameter of the lower end section, in / mm
    long double ZFL = 0;               // zero-friction length, ft / m
    long double Increment = 1.0L;      // computation increment, ft / m
    long double BottomOfLastLayer = 0; // ft / m, as read from a project file
    long double TaperAngle = 0;        // degrees
    int LoadSettlementMethod = MethodCode::kApi;
    int PrintExtraTz = 0; // 1: t-z curves also at the depths of TblTZDepth
    int PileType = PileTypeCode::kSteelPipe;
    int LoadDirection = LoadDirectionCode::kCompression;
    int ClayCondition = ClayConditionCode::kUndrained;
    int PlugCondition = PlugConditionCode::kComputed;
    int AreaMode = SectionAreaModeCode::kFromSection;
    long double TensionFactor = 1.0L; // 0.001..10
    unsigned char Circular = 1;
    unsigned char ClosedEnd = 0;
    unsigned char OffshoreFlag = 1; // always 1
    int TzFactorOption = TzFactorOptionCode::kUnfactored;
    int CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    long double CriticalDepth = 0; // ft / m
    // [0] depth, [1] unit skin friction, [2] tip resistance; entry k - 1 for k = 1..501.
    std::array<std::array<long double, kGrlweapProfileRows>, 3> GrlweapProfile{};
    // Capacity method selected (1) or not (0), indexed by method code 1..9; entry 0 unused.
    std::array<int, 10> MethodFlags{0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    int PlotRowCount = 0;

    // CPT data-file settings of the CPT data window.
    std::string CptDataFileName; // the CPT data text file
    int CptDataLines = 0;        // number of data lines to read
    int CptHeaderLines = 0;      // number of header lines to skip
    int CptColumns = 0;          // number of data columns per line
    int CptPointCount = 0;       // CPT points held in the CPT profile graph

    // Field by field; input windows compare before and after they store.
    friend bool operator==(const TProgramData&, const TProgramData&) = default;

    // True when the method (1..9) is selected; false for any other code.
    bool MethodSelected(int methodCode) const;

    // Converts the scalar fields to `system` (clamped to 1..2) when it differs from
    // UnitSystem, then sets UnitSystem. TaperAngle, TensionFactor and the codes keep their
    // values. When given, every grid table takes the system (each converts its own cells)
    // and the points of curve 0 of the CPT profile are converted too. Choosing the system
    // in force changes no value.
    void SetUnits(int system, TProjectTables* tables = nullptr, TGraphPlot* cptProfile = nullptr);
};

// The default project, as New makes it: every field to its default in English units, every
// grid table to its MinRows rows of defaults with its changed flag cleared, and no CPT curve.
// Closing the input windows and clearing the main window's modified flag is the caller's.
void ResetProject(TProgramData& data, TProjectTables* tables, TGraphPlot* cptProfile);
