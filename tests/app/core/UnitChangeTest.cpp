// A change of the unit system that would take a value beyond what a project file holds is
// refused before anything converts, naming the value.
#include "UnitChange.h"

#include <string>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"

namespace {

// Values and their sizes in the other system, by the published factors (25.4 mm per in,
// 0.3048 m per ft, 6.894757 kN/m^2 per lb/in^2 ... ): 5E14 in is 1.27E16 mm.
TEST(UnitChange, ValueTheOtherUnitsWouldTakeBeyondAFilesLimitIsNamed)
{
    struct TCase
    {
        int from;
        long double TProgramData::*field;
        long double value;
        std::string problem; // empty: the change can be made
    };
    const TCase cases[] = {
        {1, &TProgramData::OD, 5e14L, "Outer Diameter, OD"},                    // 1.27E16 mm
        {1, &TProgramData::OD, 3.9e13L, ""},                                    // 9.906E14 mm
        {1, &TProgramData::E, 1e15L, "Modulus of Elasticity, E"},               // 6.89E15 kN/m^2
        {2, &TProgramData::E, 1e15L, ""},                                       // 1.45E14 lb/in^2
        {2, &TProgramData::PSL, 4e14L, "Pile Stickup Length, PSL"},             // 1.31E15 ft
        {2, &TProgramData::TipArea, 1e12L, "Tip Area for Noncircular Section"}, // 1.55E15 in^2
        {1, &TProgramData::TL, 5e-308L, "Total Length, TL"}, // 1.52E-308 m, no 64-bit real
        {1, &TProgramData::TL, 1e-307L, ""},                 // 3.05E-308 m
        {1, &TProgramData::CriticalDepth, 0, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.problem + " " + std::to_string(static_cast<double>(c.value)));
        TProgramData data;
        data.UnitSystem = c.from;
        data.*c.field = c.value;
        const TProgramData before = data;
        EXPECT_EQ(UnitChangeProblem(data, nullptr, nullptr, 3 - c.from), c.problem);
        EXPECT_TRUE(data == before) << "nothing converts";
        EXPECT_EQ(UnitChangeProblem(data, nullptr, nullptr, c.from), "") << "no change";
    }
}

TEST(UnitChange, TablesAndCptPointsAreLookedAtToo)
{
    TProgramData data;
    TProjectTables tables;
    TGraphPlot profile;
    EXPECT_EQ(UnitChangeProblem(data, &tables, &profile, 2), "");

    // 4E14 m is 1.31E15 ft.
    data.UnitSystem = 2;
    tables.SetUnits(2);
    tables.D().Cells(SoilColumn::kBottomDepth, 0).SetFloat(4e14L);
    EXPECT_EQ(UnitChangeProblem(data, &tables, &profile, 1),
              "Soil Properties, row 1, Depth at Bottom of each Layer");
    EXPECT_EQ(tables.D().Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 4e14L);
    tables.D().Cells(SoilColumn::kBottomDepth, 0).SetFloat(40);

    // A layer's own values: 2E14 kN/m^2 is 4.18E15 lb/ft^2.
    TGridTable* layer = tables.D().Cells(SoilColumn::kLayerData, 0).GetTable();
    ASSERT_NE(layer, nullptr);
    layer->Cells(SandColumn::kQc, 1).SetFloat(2e14L);
    EXPECT_EQ(UnitChangeProblem(data, &tables, &profile, 1),
              "Sand Layer Data, row 2, Qc from CPT (optional),");
    layer->Cells(SandColumn::kQc, 1).SetFloat(200);

    // The CPT profile's depths: 4E14 m is 1.31E15 ft.
    profile.SetLineCount(1);
    profile.Line(0).SetPointCount(2);
    profile.Line(0).Points(0) = {100, 1};
    profile.Line(0).Points(1) = {200, 4e14L};
    EXPECT_EQ(UnitChangeProblem(data, &tables, &profile, 1), "CPT profile, point 2");
    EXPECT_EQ(profile.Line(0).Points(1).Y, 4e14L);
    profile.Line(0).Points(1) = {200, 2};
    EXPECT_EQ(UnitChangeProblem(data, &tables, &profile, 1), "");
    EXPECT_EQ(UnitChangeRefusal("Outer Diameter, OD"),
              "The units cannot be changed: Outer Diameter, OD would be no number a project file "
              "can hold (at most 1E15 in size, and 0 or at least 1E-307).");
}

} // namespace
