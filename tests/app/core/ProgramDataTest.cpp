#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"

namespace {

// Relative tolerance for converted values: the factors carry 7 to 10 digits.
constexpr double kRelTol = 1e-7;

void ExpectRelNear(long double actual, double expected, const char* what)
{
    const double tol = std::fabs(expected) * kRelTol + 1e-12;
    EXPECT_NEAR(static_cast<double>(actual), expected, tol) << what;
}

TEST(ProgramData, DefaultsOfANewProject)
{
    const TProgramData data;
    EXPECT_EQ(data.UnitSystem, 1);
    EXPECT_EQ(data.FileName, "NewQUARN.qr7d");
    EXPECT_EQ(data.Title, "New Pile");
    EXPECT_EQ(data.GrlweapFileName, "");
    EXPECT_EQ(data.CptFileName, "");
    EXPECT_EQ(data.Designer, "");
    EXPECT_EQ(data.JobNumber, "");
    EXPECT_EQ(data.PrintInterval, 1);
    EXPECT_EQ(data.Increment, 1.0L);
    EXPECT_EQ(data.TensionFactor, 1.0L);
    EXPECT_EQ(data.LoadSettlementMethod, 4);
    EXPECT_EQ(data.Circular, 1);
    EXPECT_EQ(data.ClosedEnd, 0);
    EXPECT_EQ(data.OffshoreFlag, 1);
    EXPECT_EQ(data.PileType, 1);
    EXPECT_EQ(data.CptPointCount, 0);
    EXPECT_EQ(data.PlotRowCount, 0);
    for (int code : {data.PrintExtraTz,
                     data.LoadDirection,
                     data.ClayCondition,
                     data.PlugCondition,
                     data.AreaMode,
                     data.TzFactorOption,
                     data.CriticalDepthOption,
                     data.CptDataLines,
                     data.CptHeaderLines,
                     data.CptColumns}) {
        EXPECT_EQ(code, 0);
    }
    for (long double value : {data.Perimeter,
                              data.ConstantArea,
                              data.TipArea,
                              data.OD,
                              data.ID,
                              data.E,
                              data.PSL,
                              data.TL,
                              data.ESL,
                              data.EID,
                              data.ZFL,
                              data.BottomOfLastLayer,
                              data.TaperAngle,
                              data.CriticalDepth}) {
        EXPECT_EQ(value, 0.0L);
    }
    for (const auto& column : data.GrlweapProfile) {
        for (long double value : column) {
            EXPECT_EQ(value, 0.0L);
        }
    }
    // Only API RP-2A is selected.
    const int expected[] = {0, 0, 0, 1, 0, 0, 0, 0, 0};
    for (int code = 1; code <= 9; ++code) {
        EXPECT_EQ(data.MethodFlags[code], expected[code - 1]) << "method " << code;
        EXPECT_EQ(data.MethodSelected(code), expected[code - 1] == 1) << "method " << code;
    }
    EXPECT_FALSE(data.MethodSelected(0));
    EXPECT_FALSE(data.MethodSelected(10));
    EXPECT_FALSE(data.MethodSelected(-1));
}

TEST(ProgramData, SharedCodes)
{
    struct Case
    {
        int value;
        int expected;
        const char* name;
    };
    const Case cases[] = {
        {MethodCode::kFhwa, 1, "FHWA"},
        {MethodCode::kUsace, 2, "USACE"},
        {MethodCode::kLambda, 3, "Revised Lambda"},
        {MethodCode::kApi, 4, "API RP-2A"},
        {MethodCode::kUserSpecified, 5, "user-specified"},
        {MethodCode::kNgi, 6, "NGI"},
        {MethodCode::kIcpMtd, 7, "ICP/MTD"},
        {MethodCode::kFugro, 8, "Fugro"},
        {MethodCode::kUwa, 9, "UWA"},
        {PileTypeCode::kSteelPipe, 1, "steel pipe"},
        {PileTypeCode::kTimber, 2, "timber"},
        {PileTypeCode::kPrecastConcrete, 3, "precast concrete"},
        {PileTypeCode::kRaymondStepTaper, 4, "Raymond step-taper"},
        {PileTypeCode::kRaymondUniformTaper, 5, "Raymond uniform taper"},
        {PileTypeCode::kHPile, 6, "H-pile"},
        {PileTypeCode::kTaperedMonotube, 7, "tapered monotube"},
        {LoadDirectionCode::kCompression, 0, "compression"},
        {LoadDirectionCode::kTension, 1, "tension"},
        {PlugConditionCode::kComputed, 0, "plug computed"},
        {PlugConditionCode::kPlugged, 1, "plugged"},
        {PlugConditionCode::kUnplugged, 2, "unplugged"},
        {ClayConditionCode::kDrained, 1, "drained"},
        {ClayConditionCode::kUndrained, 0, "undrained"},
        {CriticalDepthOptionCode::kByDensity, 0, "critical depth by density"},
        {CriticalDepthOptionCode::kByStress, 1, "critical depth by stress"},
        {CriticalDepthOptionCode::kUserDepth, 2, "user critical depth"},
        {SectionAreaModeCode::kFromSection, 0, "area from section"},
        {SectionAreaModeCode::kConstant, 1, "constant area"},
        {SectionAreaModeCode::kVarying, 2, "area table"},
        {TzFactorOptionCode::kUnfactored, 0, "t-z unfactored"},
        {TzFactorOptionCode::kReduced, 1, "t-z reduced"},
        {SoilTypeCode::kSand, 1, "sand"},
        {SoilTypeCode::kClay, 2, "clay"},
        {SoilTypeCode::kSilt, 3, "silt"},
        {AdhesionOptionCode::kEstimated, 0, "adhesion estimated"},
        {AdhesionOptionCode::kGraphA, 1, "graph A"},
        {AdhesionOptionCode::kGraphB, 2, "graph B"},
        {AdhesionOptionCode::kGraphC, 3, "graph C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value, c.expected) << c.name;
    }
}

// A project with every converted scalar set, in English units.
TProgramData EnglishProject()
{
    TProgramData data;
    data.Perimeter = 10.0L;    // in
    data.OD = 24.0L;           // in
    data.ID = 23.0L;           // in
    data.EID = 22.0L;          // in
    data.TipArea = 100.0L;     // in^2
    data.ConstantArea = 50.0L; // in^2
    data.E = 29.0e6L;          // psi
    data.TL = 10.0L;           // ft
    data.ESL = 20.0L;
    data.ZFL = 5.0L;
    data.Increment = 1.0L;
    data.BottomOfLastLayer = 100.0L;
    data.PSL = 10.0L;
    data.CriticalDepth = 20.0L;
    data.TaperAngle = 0.5L;
    data.TensionFactor = 0.8L;
    data.PileType = 5;
    return data;
}

TEST(ProgramData, SetUnitsEnglishToSI)
{
    TProgramData data = EnglishProject();
    data.SetUnits(2);
    EXPECT_EQ(data.UnitSystem, 2);
    // in -> mm: x 25.4
    ExpectRelNear(data.Perimeter, 254.0, "Perimeter");
    ExpectRelNear(data.OD, 609.6, "OD");
    ExpectRelNear(data.ID, 584.2, "ID");
    ExpectRelNear(data.EID, 558.8, "EID");
    // in^2 -> m^2: x 0.00064516
    ExpectRelNear(data.TipArea, 0.064516, "TipArea");
    ExpectRelNear(data.ConstantArea, 0.032258, "ConstantArea");
    // psi -> kPa: 1 psi = 0.004448222 kN / 0.00064516 m^2 = 6.89475789 kPa
    ExpectRelNear(data.E, 29.0e6 * 6.89475789, "E");
    // ft -> m: x 0.3048; stick-up and critical depth go with the depths
    ExpectRelNear(data.TL, 3.048, "TL");
    ExpectRelNear(data.ESL, 6.096, "ESL");
    ExpectRelNear(data.ZFL, 1.524, "ZFL");
    ExpectRelNear(data.Increment, 0.3048, "Increment");
    ExpectRelNear(data.BottomOfLastLayer, 30.48, "BottomOfLastLayer");
    ExpectRelNear(data.PSL, 3.048, "PSL");
    ExpectRelNear(data.CriticalDepth, 6.096, "CriticalDepth");
    EXPECT_EQ(data.TaperAngle, 0.5L);
    EXPECT_EQ(data.TensionFactor, 0.8L);
    EXPECT_EQ(data.PileType, 5);
}

TEST(ProgramData, SetUnitsSIToEnglish)
{
    TProgramData data;
    data.UnitSystem = 2;
    data.OD = 1000.0L;   // mm
    data.TipArea = 1.0L; // m^2
    data.E = 200.0e6L;   // kPa
    data.TL = 30.0L;     // m
    data.CriticalDepth = 1.0L;
    data.SetUnits(1);
    EXPECT_EQ(data.UnitSystem, 1);
    ExpectRelNear(data.OD, 39.37007874, "OD");
    ExpectRelNear(data.TipArea, 1550.0031, "TipArea");
    // kPa -> psi: 224.8089237 lb / 1550.0031 in^2 = 0.14503772522 psi per kPa
    ExpectRelNear(data.E, 200.0e6 * 0.14503772522, "E");
    ExpectRelNear(data.TL, 98.42519685, "TL");
    ExpectRelNear(data.CriticalDepth, 3.280839895, "CriticalDepth");
}

TEST(ProgramData, SetUnitsRoundTripAndSameSystem)
{
    const TProgramData original = EnglishProject();
    TProgramData data = original;
    data.SetUnits(1); // the system in force: nothing changes
    EXPECT_EQ(data.OD, original.OD);
    EXPECT_EQ(data.E, original.E);
    EXPECT_EQ(data.TL, original.TL);
    data.SetUnits(2);
    data.SetUnits(2);
    data.SetUnits(1);
    for (auto member : {&TProgramData::Perimeter,
                        &TProgramData::OD,
                        &TProgramData::ID,
                        &TProgramData::EID,
                        &TProgramData::TipArea,
                        &TProgramData::ConstantArea,
                        &TProgramData::E,
                        &TProgramData::TL,
                        &TProgramData::ESL,
                        &TProgramData::ZFL,
                        &TProgramData::Increment,
                        &TProgramData::BottomOfLastLayer,
                        &TProgramData::PSL,
                        &TProgramData::CriticalDepth}) {
        ExpectRelNear(data.*member, static_cast<double>(original.*member), "round trip");
    }
}

// The project file holds 10 significant digits and the edit boxes show 18: ten changes to
// the other system and back move no value by one in the last of either, from either system,
// for values of every size the fields take.
TEST(ProgramData, TenUnitRoundTripsKeepEveryFieldAsWritten)
{
    struct Case
    {
        long double TProgramData::*field;
        long double value;
        const char* name;
    };
    const Case cases[] = {
        {&TProgramData::E, 29.0e6L, "E"},
        {&TProgramData::E, 199947978.8L, "E in kPa"},
        {&TProgramData::E, 4351234.567L, "E, ten digits"},
        {&TProgramData::OD, 23.99999999L, "OD"},
        {&TProgramData::ID, 1234.567891L, "ID"},
        {&TProgramData::EID, 0.000123456789L, "EID"},
        {&TProgramData::Perimeter, 70.5L, "Perimeter"},
        {&TProgramData::TipArea, 452.3893421L, "TipArea"},
        {&TProgramData::ConstantArea, 987654.3211L, "ConstantArea"},
        {&TProgramData::TL, 123.4567891L, "TL"},
        {&TProgramData::ESL, 9.999999999L, "ESL"},
        {&TProgramData::ZFL, 3.048L, "ZFL"},
        {&TProgramData::Increment, 0.3048L, "Increment"},
        {&TProgramData::BottomOfLastLayer, 100.0L, "BottomOfLastLayer"},
        {&TProgramData::PSL, 98765.43211L, "PSL"},
        {&TProgramData::CriticalDepth, 33.33333333L, "CriticalDepth"},
    };
    for (int system : {1, 2}) {
        for (const Case& c : cases) {
            TProgramData data;
            data.UnitSystem = system;
            data.*c.field = c.value;
            const std::string written = FormatGeneral(data.*c.field);
            for (int trip = 0; trip < 10; ++trip) {
                data.SetUnits(3 - system);
                data.SetUnits(system);
            }
            EXPECT_EQ(FormatGeneral(data.*c.field), written) << c.name << " from system " << system;
            EXPECT_EQ(FormatGeneral18(data.*c.field), FormatGeneral18(c.value))
                << c.name << " from system " << system;
        }
    }

    // By hand: 29E6 lb/in^2 x 0.004448222 kN/lb / 0.0254^2 m^2/in^2 = 199947978.796 kN/m^2;
    // 24 in x 25.4 = 609.6 mm; 10 ft x 0.3048 = 3.048 m.
    TProgramData data;
    data.E = 29.0e6L;
    data.OD = 24.0L;
    data.TL = 10.0L;
    data.SetUnits(2);
    EXPECT_EQ(FormatGeneral(data.E), "199947978.8");
    EXPECT_EQ(FormatGeneral(data.OD), "609.6");
    EXPECT_EQ(FormatGeneral(data.TL), "3.048");
}

TEST(ProgramData, SetUnitsClampsTheSystem)
{
    struct Case
    {
        int from;
        int argument;
        int expectedSystem;
        double expectedOD;
    };
    const Case cases[] = {
        {1, 0, 1, 24.0}, // 0 acts as 1: nothing to convert
        {1, -5, 1, 24.0},
        {1, 3, 2, 609.6}, // 3 acts as 2
        {1, 99, 2, 609.6},
        {2, 0, 1, 24.0 / 25.4 * 1.0}, // from 24 mm
    };
    for (const Case& c : cases) {
        TProgramData data;
        data.UnitSystem = c.from;
        data.OD = 24.0L;
        data.SetUnits(c.argument);
        EXPECT_EQ(data.UnitSystem, c.expectedSystem) << c.from << " -> " << c.argument;
        ExpectRelNear(data.OD, c.expectedOD, "OD");
    }
}

TEST(ProgramData, SetUnitsConvertsTablesAndCptPoints)
{
    TProjectTables tables;
    TGraphPlot cpt;
    TProgramData data;
    tables.D().Columns(SoilColumn::kBottomDepth).SetFloat(0, 10.0L); // ft
    tables.TblTZDepth().Columns(TzDepthColumn::kDepth).SetFloat(0, 50.0L);
    cpt.SetLineCount(1);
    cpt.SetPointCount(2);
    cpt.Point(0, 0) = {100.0L, 10.0L}; // Qc ksf, depth ft
    cpt.Point(0, 1) = {0.0L, 20.0L};
    data.CptPointCount = 2;

    data.SetUnits(2, &tables, &cpt);
    EXPECT_EQ(tables.D().Units(), 2);
    ExpectRelNear(tables.D().Columns(SoilColumn::kBottomDepth).GetFloat(0), 3.048, "layer depth");
    ExpectRelNear(tables.TblTZDepth().Columns(TzDepthColumn::kDepth).GetFloat(0),
                  15.24,
                  "t-z depth");
    // 1 ksf = 4.448222 kN / 0.09290304 m^2 = 47.88026 kPa
    EXPECT_NEAR(static_cast<double>(cpt.Point(0, 0).X), 4788.026, 5e-3);
    ExpectRelNear(cpt.Point(0, 0).Y, 3.048, "CPT depth");
    EXPECT_EQ(cpt.Point(0, 1).X, 0.0L);
    ExpectRelNear(cpt.Point(0, 1).Y, 6.096, "CPT depth");

    // The system in force again: nothing converts twice.
    data.SetUnits(2, &tables, &cpt);
    ExpectRelNear(cpt.Point(0, 1).Y, 6.096, "CPT depth");
    ExpectRelNear(tables.D().Columns(SoilColumn::kBottomDepth).GetFloat(0), 3.048, "layer depth");

    data.SetUnits(1, &tables, &cpt);
    EXPECT_NEAR(static_cast<double>(cpt.Point(0, 0).X), 100.0, 1e-6);
    EXPECT_NEAR(static_cast<double>(cpt.Point(0, 0).Y), 10.0, 1e-6);
    EXPECT_NEAR(static_cast<double>(tables.D().Columns(SoilColumn::kBottomDepth).GetFloat(0)),
                10.0,
                1e-6);
}

TEST(ProgramData, ResetProjectGivesTheNewProject)
{
    TProjectTables tables;
    TGraphPlot cpt;
    TProgramData data = EnglishProject();
    data.SetUnits(2, &tables, &cpt);
    data.FileName = "/somewhere/Pile.qr7d";
    data.MethodFlags[1] = 1;
    tables.D().SetRowCount(3);
    tables.Sectionaldata().SetRowCount(10);
    tables.TblTZDepth().SetRowCount(4);
    tables.D().SetChanged(true);
    cpt.SetLineCount(1);
    cpt.SetPointCount(5);
    data.CptPointCount = 5;

    ResetProject(data, &tables, &cpt);
    EXPECT_EQ(data.UnitSystem, 1);
    EXPECT_EQ(data.FileName, "NewQUARN.qr7d");
    EXPECT_EQ(data.OD, 0.0L);
    EXPECT_EQ(data.MethodFlags[1], 0);
    EXPECT_EQ(data.MethodFlags[4], 1);
    EXPECT_EQ(data.CptPointCount, 0);
    EXPECT_EQ(cpt.LineCount(), 0);
    EXPECT_EQ(tables.D().Units(), 1);
    EXPECT_EQ(tables.D().RowCount(), 1);
    EXPECT_EQ(tables.Sectionaldata().RowCount(), 2);
    EXPECT_EQ(tables.TblTZDepth().RowCount(), 1);
    EXPECT_FALSE(tables.GetChanged());
}

} // namespace
