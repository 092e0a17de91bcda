#include "MethodRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

constexpr int kUserValueColumns[] = {SandColumn::kUserSkinFriction, SandColumn::kUserEndBearing};

struct TKeptSiltRow
{
    long double UnitWeight = 0;
    long double FrictionAngle = 0;
    std::int32_t BlowCount = 0;
    long double Ko = 0;
};

} // namespace

bool TaperAngleKept(int loadSettlementMethod, int fhwaFlag)
{
    return loadSettlementMethod <= MethodCode::kFhwa || fhwaFlag == 1;
}

bool TensionFactorUsed(int loadDirection, const std::array<int, 10>& methodFlags)
{
    if (loadDirection != LoadDirectionCode::kTension) {
        return false;
    }
    for (int code : {MethodCode::kFhwa,
                     MethodCode::kUsace,
                     MethodCode::kLambda,
                     MethodCode::kApi,
                     MethodCode::kUserSpecified}) {
        if (methodFlags[static_cast<std::size_t>(code)] == 1) {
            return true;
        }
    }
    return false;
}

bool UsaceIsTheOnlyMethod(const std::array<int, 10>& methodFlags)
{
    const int selected = std::accumulate(methodFlags.begin() + 1, methodFlags.end(), 0);
    return methodFlags[MethodCode::kUsace] == 1 && selected == 1;
}

bool ConvertSiltLayersToSand(const std::array<int, 10>& methodFlags, TProjectTables& tables)
{
    if (UsaceIsTheOnlyMethod(methodFlags)) {
        return false;
    }
    TGridTable& soil = tables.D();
    bool changed = false;
    for (int row = 0; row < soil.RowCount(); ++row) {
        if (soil.GetInteger(SoilColumn::kSoilType, row) != SoilTypeCode::kSilt) {
            continue;
        }
        TGridTable* silt = soil.Cells(SoilColumn::kLayerData, row).GetTable();
        if (silt == nullptr) {
            continue;
        }
        std::array<TKeptSiltRow, 2> kept{};
        const int rows = std::min(silt->RowCount(), 2);
        for (int r = 0; r < rows; ++r) {
            kept[static_cast<std::size_t>(r)] = {
                silt->Cells(SiltColumn::kUnitWeight, r).GetFloat(),
                silt->Cells(SiltColumn::kFrictionAngle, r).GetFloat(),
                silt->Cells(SiltColumn::kBlowCount, r).GetInteger(),
                silt->Cells(SiltColumn::kKo, r).GetFloat()};
        }
        // The new soil type gives the row a fresh sand sub-table from the template.
        soil.Columns(SoilColumn::kSoilType).SetInteger(row, SoilTypeCode::kSand);
        if (TGridTable* sand = soil.Cells(SoilColumn::kLayerData, row).GetTable()) {
            for (int r = 0; r < rows && r < sand->RowCount(); ++r) {
                const TKeptSiltRow& k = kept[static_cast<std::size_t>(r)];
                sand->Cells(SandColumn::kUnitWeight, r).SetFloat(k.UnitWeight);
                sand->Cells(SandColumn::kFrictionAngle, r).SetFloat(k.FrictionAngle);
                sand->Cells(SandColumn::kBlowCount, r).SetInteger(k.BlowCount);
                sand->Cells(SandColumn::kKo, r).SetFloat(k.Ko);
            }
        }
        changed = true;
    }
    return changed;
}

void ShowUserValueColumns(TProjectTables& tables, bool shown)
{
    auto show = [shown](TGridTable& table) {
        for (int col : kUserValueColumns) {
            if (col < table.ColumnCount()) {
                table.Columns(col).SetVisible(shown);
            }
        }
    };
    TGridTable& soil = tables.D();
    for (int row = 0; row < soil.RowCount(); ++row) {
        if (TGridTable* layer = soil.Cells(SoilColumn::kLayerData, row).GetTable()) {
            show(*layer);
            RefreshTableEditor(*layer);
        }
    }
    show(tables.tblDataSand());
    show(tables.tblDataClay());
}
