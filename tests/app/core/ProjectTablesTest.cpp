#include "ProjectTables.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TProgramData.h"
#include "grid/TColumnTypes.h"

namespace {

// Factors of the unit table: system-1 units in one system-2 unit.
constexpr long double kLbsPerKN = 224.8089237L;
constexpr long double kInPerM = 39.37007874L;
constexpr long double kFtPerM = 3.280839895L;
constexpr double kTol = 1e-9;

struct TableCase
{
    const char* name;
    TGridTable& (TProjectTables::*get)() const;
    const char* caption;
    int identifier;
    int minRows;
    int maxRows;
    const char* topLeft;
    int columns;
};

const TableCase kTables[] = {
    {"sand",
     &TProjectTables::tblDataSand,
     "Sand Layer Data",
     1,
     2,
     2,
     "Location, 1=Top, 2=Bottom",
     8},
    {"clay",
     &TProjectTables::tblDataClay,
     "Clay Layer Data",
     2,
     2,
     2,
     "Location, 1=Top, 2=Bottom",
     9},
    {"silt",
     &TProjectTables::tblDataSilt,
     "Silt Layer Data",
     19,
     2,
     2,
     "Location, 1=Top, 2=Bottom",
     8},
    {"soil", &TProjectTables::D, "Soil Properties", 10, 1, 40, "Layer", 7},
    {"t-z",
     &TProjectTables::TblTZDepth,
     "Depths for Internally-generated t-z curves",
     0,
     1,
     0,
     "",
     1},
    {"area", &TProjectTables::Sectionaldata, "Cross Section Area", 46, 2, 100, "", 2},
};

TEST(ProjectTables, SixTablesWithTheirSettings)
{
    TProjectTables tables;
    for (const TableCase& c : kTables) {
        const TGridTable& t = (tables.*c.get)();
        EXPECT_EQ(t.Caption(), c.caption) << c.name;
        EXPECT_EQ(t.Identifier(), c.identifier) << c.name;
        EXPECT_EQ(t.MinRows(), c.minRows) << c.name;
        EXPECT_EQ(t.MaxRows(), c.maxRows) << c.name;
        EXPECT_EQ(t.TopLeft(), c.topLeft) << c.name;
        EXPECT_EQ(t.ColumnCount(), c.columns) << c.name;
        EXPECT_EQ(t.RowCount(), c.minRows) << c.name; // a new project
        EXPECT_EQ(t.Units(), 1) << c.name;
        EXPECT_EQ(tables.Registry().IndexOfGridTableId(c.identifier),
                  tables.Registry().IndexOfGridTable(&t))
            << c.name;
    }
}

// Kind, unit pattern, default and visibility of every column.
TEST(ProjectTables, ColumnDefinitions)
{
    TProjectTables tables;
    struct Col
    {
        char kind; // E enumeration, I integer, F float, T table
        const char* pattern;
        double defaultValue;
        bool visible;
    };
    const std::vector<std::pair<TGridTable*, std::vector<Col>>> expected = {
        {&tables.tblDataSand(),
         {{'F', "F/L2^3", 0, true},
          {'F', "", 0, true},
          {'I', "", 0, true},
          {'F', "", 0, true},
          {'F', "", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "F/L2^2", 0, false},
          {'F', "F/L2^2", 0, false}}},
        {&tables.tblDataClay(),
         {{'F', "F/L2^3", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "", 0, true},
          {'F', "", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "F/L2^2", 0, false},
          {'F', "F/L2^2", 0, false},
          {'I', "", 0, true}}},
        {&tables.tblDataSilt(),
         {{'F', "F/L2^3", 0, true},
          {'F', "", 0, true},
          {'I', "", 0, true},
          {'F', "", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "", 0, false},
          {'F', "F/L2^2", 0, false},
          {'F', "F/L2^2", 0, false}}},
        {&tables.D(),
         {{'E', "", 1, true},
          {'F', "L2", 0, true},
          {'T', "", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "F/L2^2", 0, true},
          {'F', "", 1, true},
          {'F', "", 1, true}}},
        {&tables.TblTZDepth(), {{'F', "L2", 0, true}}},
        {&tables.Sectionaldata(), {{'F', "L2", 0, true}, {'F', "L^2", 0, true}}},
    };
    for (const auto& [table, cols] : expected) {
        ASSERT_EQ(table->ColumnCount(), static_cast<int>(cols.size())) << table->Caption();
        for (int i = 0; i < table->ColumnCount(); ++i) {
            const TColumn& column = table->Columns(i);
            const Col& want = cols[static_cast<std::size_t>(i)];
            const std::string where = table->Caption() + " column " + std::to_string(i);
            EXPECT_EQ(column.Visible(), want.visible) << where;
            switch (want.kind) {
            case 'E':
                ASSERT_NE(dynamic_cast<const TEnumColumn*>(&column), nullptr) << where;
                EXPECT_EQ(column.GetInteger(0), want.defaultValue) << where;
                break;
            case 'I':
                ASSERT_NE(dynamic_cast<const TIntColumn*>(&column), nullptr) << where;
                EXPECT_EQ(column.GetInteger(0), want.defaultValue) << where;
                break;
            case 'T':
                ASSERT_NE(dynamic_cast<const TTableColumn*>(&column), nullptr) << where;
                break;
            default: {
                const auto* f = dynamic_cast<const TFloatColumn*>(&column);
                ASSERT_NE(f, nullptr) << where;
                EXPECT_EQ(f->UnitPattern(), want.pattern) << where;
                EXPECT_EQ(f->GetFloat(table->RowCount() - 1), want.defaultValue) << where;
                EXPECT_FALSE(f->TopDepth()) << where;
            }
            }
        }
    }
    const auto& items = dynamic_cast<const TEnumColumn&>(tables.D().Columns(0)).Items();
    EXPECT_EQ(items, (std::vector<std::string>{"sand", "clay", "silt"}));
    const auto& blows = dynamic_cast<const TIntColumn&>(tables.tblDataSand().Columns(2));
    EXPECT_EQ(blows.Minimum(), 0);
    EXPECT_EQ(blows.Maximum(), 100);
    const auto& adhesion = dynamic_cast<const TIntColumn&>(tables.tblDataClay().Columns(8));
    EXPECT_EQ(adhesion.Minimum(), 0);
    EXPECT_EQ(adhesion.Maximum(), 4);
}

TEST(ProjectTables, HeadingsShowTheUnitsOfTheSystem)
{
    TProjectTables tables;
    const TColumn& weight = tables.tblDataSand().Columns(SandColumn::kUnitWeight);
    EXPECT_EQ(weight.GetHeaderLine(0), "Effective Unit ");
    EXPECT_EQ(weight.GetHeaderLine(1), "Weight, (lbs/ft^3)  ");
    const TColumn& depth = tables.D().Columns(SoilColumn::kBottomDepth);
    EXPECT_EQ(depth.GetHeaderLine(1), "of each Layer (ft)  ");
    tables.SetUnits(2);
    EXPECT_EQ(weight.GetHeaderLine(1), "Weight, (kN/m^3)  ");
    EXPECT_EQ(depth.GetHeaderLine(1), "of each Layer (m)  ");
    EXPECT_EQ(tables.Sectionaldata().Columns(1).GetHeaderLine(0), "Cross section area, (m^2)  ");
}

TEST(ProjectTables, LayerSubTableFollowsTheSoilType)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    struct Case
    {
        int type;
        const char* caption;
        int columns;
    };
    const Case cases[] = {{1, "Sand Layer Data", 8},
                          {2, "Clay Layer Data", 9},
                          {3, "Silt Layer Data", 8},
                          {4, nullptr, 0}};
    for (const Case& c : cases) {
        soil.Columns(SoilColumn::kSoilType).SetInteger(0, c.type);
        TGridTable* layer = soil.Cells(SoilColumn::kLayerData, 0).GetTable();
        if (c.caption == nullptr) {
            EXPECT_EQ(layer, nullptr) << c.type;
            continue;
        }
        ASSERT_NE(layer, nullptr) << c.type;
        EXPECT_EQ(layer->Caption(), c.caption);
        EXPECT_EQ(layer->ColumnCount(), c.columns);
        EXPECT_EQ(layer->RowCount(), 2);
        EXPECT_EQ(layer->Number(), 1);
    }
    soil.Columns(SoilColumn::kSoilType).SetInteger(0, 1);
    soil.AddRowGroup();
    EXPECT_EQ(soil.Cells(SoilColumn::kLayerData, 1).GetTable()->Number(), 2);
}

// Worked by hand from the unit table: 10 ft = 3.048 m; 1000 lb/ft^2 = 1000 / (224.8089237 /
// 3.280839895^2) kN/m^2 = 47.88026 kN/m^2; 120 lb/ft^3 = 120 / (224.8089237 / 3.280839895^3)
// kN/m^3 = 18.85050 kN/m^3; 1550.0031 in^2 = 1 m^2.
TEST(ProjectTables, UnitsConvertEveryTableAndSubTable)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    soil.Columns(SoilColumn::kBottomDepth).SetFloat(0, 10.0L);
    soil.Columns(SoilColumn::kMaxSideFriction).SetFloat(0, 1000.0L);
    soil.Columns(SoilColumn::kSideFactor).SetFloat(0, 0.8L);
    TGridTable& layer = *soil.Cells(SoilColumn::kLayerData, 0).GetTable();
    layer.Columns(SandColumn::kUnitWeight).SetFloat(1, 120.0L);
    layer.Columns(SandColumn::kFrictionAngle).SetFloat(1, 32.0L);
    layer.Columns(SandColumn::kBlowCount).SetInteger(1, 15);
    tables.Sectionaldata().Columns(SectionColumn::kArea).SetFloat(0, 1550.0031000062L);
    tables.TblTZDepth().Columns(TzDepthColumn::kDepth).SetFloat(0, 50.0L);

    tables.SetUnits(2);
    auto value = [](TGridTable& t, int col, int row) {
        return static_cast<double>(t.Columns(col).GetFloat(row));
    };
    EXPECT_NEAR(value(soil, SoilColumn::kBottomDepth, 0), 3.048, kTol);
    EXPECT_NEAR(value(soil, SoilColumn::kMaxSideFriction, 0),
                static_cast<double>(1000.0L * kFtPerM * kFtPerM / kLbsPerKN),
                kTol);
    EXPECT_NEAR(value(soil, SoilColumn::kMaxSideFriction, 0), 47.88026, 5e-6);
    EXPECT_NEAR(value(soil, SoilColumn::kSideFactor, 0), 0.8, kTol);
    EXPECT_NEAR(value(layer, SandColumn::kUnitWeight, 1),
                static_cast<double>(120.0L * kFtPerM * kFtPerM * kFtPerM / kLbsPerKN),
                kTol);
    EXPECT_NEAR(value(layer, SandColumn::kUnitWeight, 1), 18.85050, 5e-5);
    EXPECT_NEAR(value(layer, SandColumn::kFrictionAngle, 1), 32.0, kTol);
    EXPECT_EQ(layer.Columns(SandColumn::kBlowCount).GetInteger(1), 15);
    EXPECT_NEAR(value(tables.Sectionaldata(), SectionColumn::kArea, 0),
                static_cast<double>(1550.0031000062L / (kInPerM * kInPerM)),
                kTol);
    EXPECT_NEAR(value(tables.TblTZDepth(), TzDepthColumn::kDepth, 0), 15.24, kTol);

    tables.SetUnits(1);
    EXPECT_NEAR(value(soil, SoilColumn::kBottomDepth, 0), 10.0, kTol);
    EXPECT_NEAR(value(soil, SoilColumn::kMaxSideFriction, 0), 1000.0, kTol);
    EXPECT_NEAR(value(layer, SandColumn::kUnitWeight, 1), 120.0, kTol);
    EXPECT_NEAR(value(tables.TblTZDepth(), TzDepthColumn::kDepth, 0), 50.0, kTol);
}

TEST(ProjectTables, ResetRowsGivesANewProjectsTables)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    soil.SetRowCount(3);
    soil.Columns(SoilColumn::kSoilType).SetInteger(0, 2);
    soil.Columns(SoilColumn::kBottomDepth).SetFloat(0, 12.0L);
    tables.Sectionaldata().SetRowCount(5);
    tables.TblTZDepth().Columns(0).SetFloat(0, 8.0L);
    soil.Cells(SoilColumn::kLayerData, 0).GetTable()->SetChanged(true);
    EXPECT_TRUE(tables.GetChanged());

    tables.ResetRows();
    tables.ResetChanged();
    EXPECT_FALSE(tables.GetChanged());
    EXPECT_EQ(soil.RowCount(), 1);
    EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 0), 1);
    EXPECT_EQ(soil.Columns(SoilColumn::kBottomDepth).GetFloat(0), 0.0L);
    EXPECT_EQ(soil.Columns(SoilColumn::kEndFactor).GetFloat(0), 1.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kLayerData, 0).GetTable()->Caption(), "Sand Layer Data");
    EXPECT_EQ(tables.Sectionaldata().RowCount(), 2);
    EXPECT_EQ(tables.TblTZDepth().RowCount(), 1);
    EXPECT_EQ(tables.TblTZDepth().Columns(0).GetFloat(0), 0.0L);
}

TEST(ProjectTables, DefinitionsRoundTripThroughTheColumnStream)
{
    TProjectTables tables;
    for (TGridTable* table : tables.All()) {
        const std::vector<std::uint8_t> written = table->ColumnData();
        TGridTable copy;
        copy.SetColumnData(written);
        EXPECT_EQ(copy.ColumnData(), written) << table->Caption();
        EXPECT_EQ(copy.ColumnCount(), table->ColumnCount()) << table->Caption();
    }
}

TEST(ProjectTables, ASecondSetAfterTheFirstGetsTheSameIdentifiers)
{
    {
        TProjectTables first;
    }
    TProjectTables second;
    EXPECT_EQ(second.D().Identifier(), 10);
    EXPECT_EQ(second.tblDataSilt().Identifier(), 19);
    second.D().Columns(0).SetInteger(0, 3);
    EXPECT_EQ(second.D().Cells(2, 0).GetTable()->Caption(), "Silt Layer Data");
}

// Two projects open at once (the fuzzer's open-then-reopen, a second window) kept swapping
// identifiers, so one set's layers were made from the other's templates and a save failed
// with "Column index out of bounds". Each set resolves in its own registry.
TEST(ProjectTables, TwoSetsAliveAtOnceKeepTheirIdentifiersAndTemplates)
{
    auto first = std::make_unique<TProjectTables>();
    TProjectTables second;
    for (TProjectTables* set : {first.get(), &second}) {
        EXPECT_EQ(set->D().Identifier(), kSoilTableId);
        EXPECT_EQ(set->tblDataSand().Identifier(), kSandTemplateId);
        EXPECT_EQ(set->tblDataSilt().Identifier(), kSiltTemplateId);
    }
    // A silt layer in the first set takes the first set's silt template (eight columns).
    first->tblDataSilt().SetCaption("first silt");
    first->D().Columns(SoilColumn::kSoilType).SetInteger(0, SoilTypeCode::kSilt);
    second.D().Columns(SoilColumn::kSoilType).SetInteger(0, SoilTypeCode::kSilt);
    EXPECT_EQ(first->D().Cells(SoilColumn::kLayerData, 0).GetTable()->Caption(), "first silt");
    EXPECT_EQ(second.D().Cells(SoilColumn::kLayerData, 0).GetTable()->Caption(), "Silt Layer Data");
    // The set made first goes first; the other still finds its templates.
    first.reset();
    second.D().AddRowGroup();
    second.D().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
    const TGridTable* clay = second.D().Cells(SoilColumn::kLayerData, 1).GetTable();
    ASSERT_NE(clay, nullptr);
    EXPECT_EQ(clay->Caption(), "Clay Layer Data");
    EXPECT_EQ(clay->ColumnCount(), second.tblDataClay().ColumnCount());
}

} // namespace
