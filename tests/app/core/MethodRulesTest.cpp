#include "MethodRules.h"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

using TFlags = std::array<int, 10>;

TEST(MethodRules, TaperAngleIsKeptWhileFhwaIsUsed)
{
    struct TCase
    {
        int method;
        int fhwa;
        bool kept;
    };
    const TCase cases[] = {
        {MethodCode::kFhwa, 1, true},
        {MethodCode::kFhwa, 0, true}, // the load-settlement method is FHWA
        {MethodCode::kApi, 1, true},
        {MethodCode::kApi, 0, false},
        {MethodCode::kUwa, 0, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TaperAngleKept(c.method, c.fhwa), c.kept) << c.method << " " << c.fhwa;
    }
}

// The factor reduces the side resistance of FHWA, USACE, Revised Lambda, API RP 2A and the
// user-specified method in tension; the four CPT-based methods take the direction into their
// own formulas.
TEST(MethodRules, TensionFactorIsAskedForWhenAMethodItActsOnIsComputedInTension)
{
    constexpr int kTension = LoadDirectionCode::kTension;
    constexpr int kCompression = LoadDirectionCode::kCompression;
    struct TCase
    {
        const char* what;
        int direction;
        TFlags flags;
        bool used;
    };
    const TCase cases[] = {
        {"FHWA", kTension, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"USACE", kTension, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, true},
        {"Revised Lambda", kTension, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, true},
        {"API RP 2A", kTension, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, true},
        {"user-specified", kTension, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, true},
        {"NGI", kTension, {0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, false},
        {"ICP/MTD", kTension, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, false},
        {"Fugro", kTension, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, false},
        {"UWA", kTension, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, false},
        {"all four CPT-based", kTension, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1}, false},
        {"UWA and FHWA", kTension, {0, 1, 0, 0, 0, 0, 0, 0, 0, 1}, true},
        {"every method", kTension, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1}, true},
        {"none", kTension, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"entry 0 is no method", kTension, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"every method in compression", kCompression, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1}, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TensionFactorUsed(c.direction, c.flags), c.used) << c.what;
    }
}

TEST(MethodRules, UsaceAloneIsTheOnlyMethod)
{
    struct TCase
    {
        TFlags flags;
        bool only;
    };
    const TCase cases[] = {
        {{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, true},
        {{0, 1, 1, 0, 0, 0, 0, 0, 0, 0}, false},
        {{0, 0, 1, 0, 0, 0, 0, 0, 0, 1}, false},
        {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, false},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {{1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, true}, // entry 0 is no method
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(UsaceIsTheOnlyMethod(c.flags), c.only) << c.flags[1] << c.flags[2] << c.flags[9];
    }
}

// A silt layer over a clay layer, with the silt values given at top and bottom.
class SiltConversionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TGridTable& soil = m_tables.D();
        soil.SetRowCount(2);
        soil.Columns(SoilColumn::kSoilType).SetInteger(0, SoilTypeCode::kSilt);
        soil.Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
        soil.Cells(SoilColumn::kBottomDepth, 0).SetFloat(20.0L);
        soil.Cells(SoilColumn::kMaxSideFriction, 0).SetFloat(1500.0L);
        soil.Cells(SoilColumn::kSideFactor, 0).SetFloat(0.9L);
        TGridTable* silt = soil.Cells(SoilColumn::kLayerData, 0).GetTable();
        ASSERT_NE(silt, nullptr);
        for (int r = 0; r < 2; ++r) {
            silt->Cells(SiltColumn::kUnitWeight, r).SetFloat(kWeight[r]);
            silt->Cells(SiltColumn::kFrictionAngle, r).SetFloat(kPhi[r]);
            silt->Cells(SiltColumn::kBlowCount, r).SetInteger(kBlows[r]);
            silt->Cells(SiltColumn::kKo, r).SetFloat(kKo[r]);
            silt->Cells(SiltColumn::kUndrainedStrength, r).SetFloat(750.0L);
        }
    }

    TProjectTables m_tables;
    static constexpr long double kWeight[2] = {105.0L, 115.0L};
    static constexpr long double kPhi[2] = {28.0L, 31.5L};
    static constexpr int kBlows[2] = {7, 19};
    static constexpr long double kKo[2] = {0.8L, 0.65L};
};

TEST_F(SiltConversionTest, SiltStaysOnlyForUsaceAlone)
{
    EXPECT_FALSE(ConvertSiltLayersToSand({0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, m_tables));
    EXPECT_EQ(m_tables.D().GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSilt);
}

TEST_F(SiltConversionTest, SiltBecomesSandKeepingItsSandValues)
{
    ASSERT_TRUE(ConvertSiltLayersToSand({0, 0, 1, 0, 1, 0, 0, 0, 0, 0}, m_tables));
    TGridTable& soil = m_tables.D();
    ASSERT_EQ(soil.GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSand);
    EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 1), SoilTypeCode::kClay);
    // The layer's own columns stay.
    EXPECT_EQ(soil.Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 20.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kMaxSideFriction, 0).GetFloat(), 1500.0L);
    EXPECT_EQ(soil.Cells(SoilColumn::kSideFactor, 0).GetFloat(), 0.9L);
    TGridTable* sand = soil.Cells(SoilColumn::kLayerData, 0).GetTable();
    ASSERT_NE(sand, nullptr);
    EXPECT_EQ(sand->Caption(), "Sand Layer Data");
    const TGridTable& sandTemplate = m_tables.tblDataSand();
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(sand->Cells(SandColumn::kUnitWeight, r).GetFloat(), kWeight[r]);
        EXPECT_EQ(sand->Cells(SandColumn::kFrictionAngle, r).GetFloat(), kPhi[r]);
        EXPECT_EQ(sand->Cells(SandColumn::kBlowCount, r).GetInteger(), kBlows[r]);
        EXPECT_EQ(sand->Cells(SandColumn::kKo, r).GetFloat(), kKo[r]);
        // The rest are the template's defaults.
        EXPECT_EQ(sand->Columns(SandColumn::kNq).GetText(r),
                  sandTemplate.Columns(SandColumn::kNq).GetText(r));
    }
    // Converted once, nothing is left to convert.
    EXPECT_FALSE(ConvertSiltLayersToSand({0, 0, 1, 0, 1, 0, 0, 0, 0, 0}, m_tables));
}

TEST(MethodRules, UserValueColumnsFollowTheChoiceInEveryLayerAndTemplate)
{
    TProjectTables tables;
    tables.D().SetRowCount(3);
    tables.D().Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
    tables.D().Columns(SoilColumn::kSoilType).SetInteger(2, SoilTypeCode::kSilt);
    for (const bool shown : {true, false}) {
        ShowUserValueColumns(tables, shown);
        std::vector<TGridTable*> checked = {&tables.tblDataSand(), &tables.tblDataClay()};
        for (int row = 0; row < 3; ++row) {
            checked.push_back(tables.D().Cells(SoilColumn::kLayerData, row).GetTable());
        }
        for (TGridTable* table : checked) {
            ASSERT_NE(table, nullptr);
            for (int col : {6, 7}) {
                EXPECT_EQ(table->Columns(col).Visible(), shown) << table->Caption() << col;
            }
        }
    }
}

} // namespace
