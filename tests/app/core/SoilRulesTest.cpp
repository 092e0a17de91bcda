#include "SoilRules.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TColumn.h"
#include "grid/TColumnTypes.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

using TFlags = std::array<int, 10>;

TGridTable& Layer(TProjectTables& tables, int row)
{
    TGridTable* layer = tables.D().Cells(SoilColumn::kLayerData, row).GetTable();
    EXPECT_NE(layer, nullptr) << row;
    return *layer;
}

void SetType(TProjectTables& tables, int row, int type)
{
    tables.D().Columns(SoilColumn::kSoilType).SetInteger(row, type);
}

// Layer `row` gets depth 10 x (row + 1) and, at top and bottom, values that tell the layer and
// the row apart: column c of row r holds 100 x (layer + 1) + 10 x r + c.
long double Marked(int layer, int r, int c)
{
    return 100.0L * (layer + 1) + 10.0L * r + c;
}

bool IsInteger(const TColumn& column)
{
    return dynamic_cast<const TIntColumn*>(&column) != nullptr;
}

void MarkLayer(TProjectTables& tables, int row)
{
    TGridTable& soil = tables.D();
    soil.Cells(SoilColumn::kBottomDepth, row).SetFloat(10.0L * (row + 1));
    TGridTable& layer = Layer(tables, row);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < layer.ColumnCount(); ++c) {
            TColumn& column = layer.Columns(c);
            if (IsInteger(column)) {
                column.SetInteger(r, (row + 1) * 10 + r + c);
            } else {
                column.SetFloat(r, Marked(row, r, c));
            }
        }
    }
}

TEST(SoilRules, SiltIsOfferedOnlyWhileUsaceIsTheOnlyMethod)
{
    EXPECT_TRUE(SiltOffered({0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(SiltOffered({0, 0, 1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(SiltOffered({0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
}

TEST(SoilRules, LayerCountStaysBetweenOneAndForty)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    ASSERT_EQ(soil.RowCount(), 1);
    EXPECT_FALSE(CanDeleteSoilLayer(1));
    EXPECT_EQ(DeleteSoilLayer(soil, 0), 0);
    EXPECT_EQ(soil.RowCount(), 1) << "the last layer is never removed";

    for (int n = 1; n < kMaxSoilLayers; ++n) {
        EXPECT_TRUE(CanAddSoilLayer(n));
        EXPECT_EQ(AddSoilLayer(soil), n);
    }
    EXPECT_EQ(soil.RowCount(), 40);
    EXPECT_FALSE(CanAddSoilLayer(40));
    EXPECT_EQ(AddSoilLayer(soil), -1);
    EXPECT_EQ(InsertSoilLayer(soil, 3), -1);
    EXPECT_EQ(soil.RowCount(), 40);
}

TEST(SoilRules, NewLayerIsDefaultSand)
{
    TProjectTables tables;
    SetType(tables, 0, SoilTypeCode::kClay);
    MarkLayer(tables, 0);
    TGridTable& soil = tables.D();
    ASSERT_EQ(InsertSoilLayer(soil, 0), 0);
    EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSand);
    EXPECT_EQ(soil.Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 0.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kMaxSideFriction, 0).GetFloat(), 0.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kMaxEndBearing, 0).GetFloat(), 0.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kSideFactor, 0).GetFloat(), 1.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kEndFactor, 0).GetFloat(), 1.0L);
    TGridTable& fresh = Layer(tables, 0);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < fresh.ColumnCount(); ++c) {
            EXPECT_EQ(fresh.Cells(c, r).GetText(), "0") << r << " " << c;
        }
    }
}

// Inserting and deleting move whole layers: every property, the clay's adhesion option too.
TEST(SoilRules, InsertAndDeleteMoveLayersWithAllTheirProperties)
{
    TProjectTables tables;
    TGridTable& soil = tables.D();
    AddSoilLayer(soil);
    AddSoilLayer(soil);
    SetType(tables, 0, SoilTypeCode::kClay);
    SetType(tables, 1, SoilTypeCode::kSand);
    SetType(tables, 2, SoilTypeCode::kClay);
    for (int row = 0; row < 3; ++row) {
        MarkLayer(tables, row);
    }
    const auto expectLayer = [&](int row, int markedAs, int type) {
        EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, row), type) << row;
        EXPECT_EQ(soil.Cells(SoilColumn::kBottomDepth, row).GetFloat(), 10.0L * (markedAs + 1));
        TGridTable& layer = Layer(tables, row);
        EXPECT_EQ(layer.Cells(SandColumn::kUnitWeight, 1).GetFloat(), Marked(markedAs, 1, 0));
        EXPECT_EQ(layer.Cells(SandColumn::kUserEndBearing, 0).GetFloat(), Marked(markedAs, 0, 7));
        if (type == SoilTypeCode::kClay) {
            EXPECT_EQ(AdhesionOptionOf(layer), (markedAs + 1) * 10 + 1 + 8) << row;
        }
    };

    ASSERT_EQ(InsertSoilLayer(soil, 1), 1);
    ASSERT_EQ(soil.RowCount(), 4);
    expectLayer(0, 0, SoilTypeCode::kClay);
    EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 1), SoilTypeCode::kSand);
    EXPECT_EQ(soil.Cells(SoilColumn::kBottomDepth, 1).GetFloat(), 0.0L);
    expectLayer(2, 1, SoilTypeCode::kSand);
    expectLayer(3, 2, SoilTypeCode::kClay);

    EXPECT_EQ(DeleteSoilLayer(soil, 1), 1);
    expectLayer(1, 1, SoilTypeCode::kSand);
    expectLayer(2, 2, SoilTypeCode::kClay);
    EXPECT_EQ(DeleteSoilLayer(soil, 1), 1);
    expectLayer(1, 2, SoilTypeCode::kClay);
    // Deleting the last layer leaves the new last one current, inside the table.
    EXPECT_EQ(DeleteSoilLayer(soil, 1), 0);
    ASSERT_EQ(soil.RowCount(), 1);
    expectLayer(0, 0, SoilTypeCode::kClay);
}

// Which values survive a change of soil type, at top and bottom.
TEST(SoilRules, TypeChangeCarriesTheValuesBothTypesKnow)
{
    struct TCase
    {
        int from;
        int to;
        // Columns of the new sub-table and the old column whose value they take; -1: the
        // template's default.
        std::array<int, 8> source;
    };
    const TCase cases[] = {
        {SoilTypeCode::kSand, SoilTypeCode::kSilt, {0, 1, 2, 3, -1, -1, 6, 7}},
        {SoilTypeCode::kSand, SoilTypeCode::kClay, {0, -1, -1, -1, -1, -1, 6, 7}},
        {SoilTypeCode::kClay, SoilTypeCode::kSilt, {0, -1, -1, -1, 1, -1, 6, 7}},
        {SoilTypeCode::kClay, SoilTypeCode::kSand, {0, -1, -1, -1, -1, -1, 6, 7}},
        {SoilTypeCode::kSilt, SoilTypeCode::kClay, {0, 4, -1, -1, -1, -1, 6, 7}},
        {SoilTypeCode::kSilt, SoilTypeCode::kSand, {0, 1, 2, 3, -1, -1, 6, 7}},
    };
    for (const TCase& c : cases) {
        TProjectTables tables;
        SetType(tables, 0, c.from);
        MarkLayer(tables, 0);
        tables.D().Cells(SoilColumn::kMaxSideFriction, 0).SetFloat(2.5L);
        ChangeSoilType(tables.D(), 0, c.to);
        ASSERT_EQ(tables.D().GetInteger(SoilColumn::kSoilType, 0), c.to);
        EXPECT_EQ(tables.D().Cells(SoilColumn::kMaxSideFriction, 0).GetFloat(), 2.5L);
        TGridTable& layer = Layer(tables, 0);
        for (int r = 0; r < 2; ++r) {
            for (int col = 0; col < 8; ++col) {
                const int from = c.source[static_cast<std::size_t>(col)];
                const std::string where = std::to_string(c.from) + "->" + std::to_string(c.to)
                                          + " row " + std::to_string(r) + " col "
                                          + std::to_string(col);
                if (from < 0) {
                    EXPECT_EQ(layer.Cells(col, r).GetText(), "0") << where;
                } else if (IsInteger(layer.Columns(col))) {
                    EXPECT_EQ(layer.Cells(col, r).GetInteger(), 10 + r + from) << where;
                } else {
                    EXPECT_EQ(layer.Cells(col, r).GetFloat(), Marked(0, r, from)) << where;
                }
            }
        }
    }
}

TEST(SoilRules, TypeChangeToTheSameTypeKeepsEverything)
{
    TProjectTables tables;
    MarkLayer(tables, 0);
    ChangeSoilType(tables.D(), 0, SoilTypeCode::kSand);
    ChangeSoilType(tables.D(), 0, 4);
    EXPECT_EQ(tables.D().GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSand);
    EXPECT_EQ(Layer(tables, 0).Cells(SandColumn::kNq, 1).GetFloat(), Marked(0, 1, 4));
}

TEST(SoilRules, BlowCountsRoundToTheNearestEvenOnTies)
{
    struct TCase
    {
        long double entry;
        int stored;
    };
    const TCase cases[] = {
        {12.5L, 12},
        {13.5L, 14},
        {0.5L, 0},
        {1.5L, 2},
        {12.49L, 12},
        {12.51L, 13},
        {7, 7},
        {-3, 0},
        {150, 100},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(RoundBlowCount(c.entry), c.stored) << static_cast<double>(c.entry);
    }
}

TEST(SoilRules, MethodsChooseTheLayerPropertiesInUse)
{
    struct TCase
    {
        TFlags flags;
        EKoNotes ko;
        bool qc, user, piYsr, adhesion;
    };
    const TCase cases[] = {
        {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, EKoNotes::Api, false, false, false, false},
        {{0, 1, 1, 1, 1, 0, 0, 0, 0, 0}, EKoNotes::Api, false, false, false, true},
        {{0, 0, 1, 1, 0, 0, 0, 0, 0, 0}, EKoNotes::Usace, false, false, false, false},
        {{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, EKoNotes::Lambda, false, false, false, false},
        {{0, 1, 0, 0, 0, 1, 0, 0, 0, 0}, EKoNotes::None, false, true, false, true},
        {{0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, EKoNotes::None, true, false, true, false},
        {{0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, EKoNotes::None, true, false, false, false},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, EKoNotes::None, true, false, false, false},
    };
    for (const TCase& c : cases) {
        const TLayerPropertyUse use = LayerPropertyUse(c.flags);
        EXPECT_EQ(use.KoNotes, c.ko);
        EXPECT_EQ(use.Ko(), c.ko != EKoNotes::None);
        EXPECT_EQ(use.Nq(), c.ko == EKoNotes::Api);
        EXPECT_EQ(use.Qc, c.qc);
        EXPECT_EQ(use.UserValues, c.user);
        EXPECT_EQ(use.PiYsr, c.piYsr);
        EXPECT_EQ(use.Adhesion, c.adhesion);
    }
    EXPECT_EQ(KoNoteLines(EKoNotes::Usace)[2], "(USACE recommends Ko=1.25 for compression");
    EXPECT_EQ(KoNoteLines(EKoNotes::Lambda)[0], "3. Data for Revised Lambda Computation Method");
    EXPECT_EQ(KoNoteLines(EKoNotes::None), KoNoteLines(EKoNotes::Api));
}

TEST(SoilRules, StrengthIsGivenOneWay)
{
    TProjectTables tables;
    TGridTable& sand = Layer(tables, 0);
    EXPECT_FALSE(BlowCountsGiven(sand));
    sand.Cells(SandColumn::kBlowCount, 1).SetInteger(14);
    sand.Cells(SandColumn::kFrictionAngle, 0).SetFloat(32);
    EXPECT_TRUE(BlowCountsGiven(sand));

    EXPECT_TRUE(KeepStrengthChoice(sand, false));
    EXPECT_EQ(sand.Cells(SandColumn::kFrictionAngle, 0).GetFloat(), 0.0L);
    EXPECT_EQ(sand.Cells(SandColumn::kBlowCount, 1).GetInteger(), 14);
    EXPECT_FALSE(KeepStrengthChoice(sand, false));

    EXPECT_TRUE(KeepStrengthChoice(sand, true));
    EXPECT_EQ(sand.Cells(SandColumn::kBlowCount, 1).GetInteger(), 0);
    EXPECT_FALSE(BlowCountsGiven(sand));
}

TEST(SoilRules, AdhesionOptionIsReadFromTheBottomAndStoredInBoth)
{
    TProjectTables tables;
    SetType(tables, 0, SoilTypeCode::kClay);
    TGridTable& clay = Layer(tables, 0);
    clay.Cells(ClayColumn::kAdhesionMethod, 0).SetInteger(1);
    clay.Cells(ClayColumn::kAdhesionMethod, 1).SetInteger(3);
    EXPECT_EQ(AdhesionOptionOf(clay), 3);
    EXPECT_TRUE(SetAdhesionOption(clay, 2));
    EXPECT_EQ(clay.Cells(ClayColumn::kAdhesionMethod, 0).GetInteger(), 2);
    EXPECT_EQ(clay.Cells(ClayColumn::kAdhesionMethod, 1).GetInteger(), 2);
    EXPECT_FALSE(SetAdhesionOption(clay, 2));
}

} // namespace
