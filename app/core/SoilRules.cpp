#include "SoilRules.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "MethodRules.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

// Sand and silt hold the friction angle, blow count and Ko in the same columns.
static_assert(SandColumn::kFrictionAngle == SiltColumn::kFrictionAngle
              && SandColumn::kBlowCount == SiltColumn::kBlowCount
              && SandColumn::kKo == SiltColumn::kKo);
// All three hold the unit weight and the user values in the same columns.
static_assert(SandColumn::kUnitWeight == ClayColumn::kUnitWeight
              && SandColumn::kUnitWeight == SiltColumn::kUnitWeight
              && SandColumn::kUserSkinFriction == ClayColumn::kUserSkinFriction
              && SandColumn::kUserSkinFriction == SiltColumn::kUserSkinFriction
              && SandColumn::kUserEndBearing == ClayColumn::kUserEndBearing
              && SandColumn::kUserEndBearing == SiltColumn::kUserEndBearing);

constexpr int kLayerRows = 2; // top and bottom

// What one row (top or bottom) of a layer's sub-table takes to its new type.
struct TKeptValues
{
    long double UnitWeight = 0;
    long double UserSkin = 0;
    long double UserEnd = 0;
    std::optional<long double> FrictionAngle; // sand or silt
    std::optional<std::int32_t> BlowCount;    // sand or silt
    std::optional<long double> Ko;            // sand or silt
    std::optional<long double> Undrained;     // clay or silt
};

TKeptValues Keep(const TGridTable& layer, int type, int r)
{
    TKeptValues k;
    k.UnitWeight = layer.Cells(SandColumn::kUnitWeight, r).GetFloat();
    k.UserSkin = layer.Cells(SandColumn::kUserSkinFriction, r).GetFloat();
    k.UserEnd = layer.Cells(SandColumn::kUserEndBearing, r).GetFloat();
    if (type == SoilTypeCode::kSand || type == SoilTypeCode::kSilt) {
        k.FrictionAngle = layer.Cells(SandColumn::kFrictionAngle, r).GetFloat();
        k.BlowCount = layer.Cells(SandColumn::kBlowCount, r).GetInteger();
        k.Ko = layer.Cells(SandColumn::kKo, r).GetFloat();
    }
    if (type == SoilTypeCode::kClay) {
        k.Undrained = layer.Cells(ClayColumn::kUndrainedStrength, r).GetFloat();
    } else if (type == SoilTypeCode::kSilt) {
        k.Undrained = layer.Cells(SiltColumn::kUndrainedStrength, r).GetFloat();
    }
    return k;
}

void Restore(TGridTable& layer, int type, int r, const TKeptValues& k)
{
    layer.Cells(SandColumn::kUnitWeight, r).SetFloat(k.UnitWeight);
    layer.Cells(SandColumn::kUserSkinFriction, r).SetFloat(k.UserSkin);
    layer.Cells(SandColumn::kUserEndBearing, r).SetFloat(k.UserEnd);
    if ((type == SoilTypeCode::kSand || type == SoilTypeCode::kSilt) && k.FrictionAngle) {
        layer.Cells(SandColumn::kFrictionAngle, r).SetFloat(*k.FrictionAngle);
        layer.Cells(SandColumn::kBlowCount, r).SetInteger(*k.BlowCount);
        layer.Cells(SandColumn::kKo, r).SetFloat(*k.Ko);
    }
    if (k.Undrained) {
        if (type == SoilTypeCode::kClay) {
            layer.Cells(ClayColumn::kUndrainedStrength, r).SetFloat(*k.Undrained);
        } else if (type == SoilTypeCode::kSilt) {
            layer.Cells(SiltColumn::kUndrainedStrength, r).SetFloat(*k.Undrained);
        }
    }
}

bool IsSoilType(int type)
{
    return type >= SoilTypeCode::kSand && type <= SoilTypeCode::kSilt;
}

bool SetFloatIfDiffers(TData& cell, long double value)
{
    if (cell.GetFloat() == value) {
        return false;
    }
    cell.SetFloat(value);
    return true;
}

bool SetIntegerIfDiffers(TData& cell, std::int32_t value)
{
    if (cell.GetInteger() == value) {
        return false;
    }
    cell.SetInteger(value);
    return true;
}

} // namespace

bool SiltOffered(const std::array<int, 10>& methodFlags)
{
    return UsaceIsTheOnlyMethod(methodFlags);
}

bool CanAddSoilLayer(int layers)
{
    return layers < kMaxSoilLayers;
}

bool CanDeleteSoilLayer(int layers)
{
    return layers > 1;
}

int AddSoilLayer(TGridTable& soil)
{
    return InsertSoilLayer(soil, soil.RowCount());
}

int InsertSoilLayer(TGridTable& soil, int row)
{
    if (!CanAddSoilLayer(soil.RowCount()) || row < 0 || row > soil.RowCount()) {
        return -1;
    }
    // A new row holds the column defaults: sand with the template's properties, depth and
    // limits 0, factors 1.
    soil.InsertRowGroup(row);
    return row;
}

int DeleteSoilLayer(TGridTable& soil, int row)
{
    if (row < 0 || row >= soil.RowCount()) {
        return std::clamp(row, 0, std::max(soil.RowCount() - 1, 0));
    }
    if (!CanDeleteSoilLayer(soil.RowCount())) {
        return row;
    }
    soil.DeleteRowGroup(row);
    return std::min(row, soil.RowCount() - 1);
}

void ChangeSoilType(TGridTable& soil, int row, int newType)
{
    const int oldType = soil.GetInteger(SoilColumn::kSoilType, row);
    if (oldType == newType || !IsSoilType(newType)) {
        return;
    }
    std::array<std::optional<TKeptValues>, kLayerRows> kept;
    if (const TGridTable* old = soil.Cells(SoilColumn::kLayerData, row).GetTable()) {
        for (int r = 0; r < std::min(old->RowCount(), kLayerRows); ++r) {
            kept[static_cast<std::size_t>(r)] = Keep(*old, oldType, r);
        }
    }
    // The new type gives the row a fresh sub-table from its template.
    soil.Columns(SoilColumn::kSoilType).SetInteger(row, newType);
    TGridTable* layer = soil.Cells(SoilColumn::kLayerData, row).GetTable();
    if (layer == nullptr) {
        return;
    }
    for (int r = 0; r < std::min(layer->RowCount(), kLayerRows); ++r) {
        if (const auto& k = kept[static_cast<std::size_t>(r)]) {
            Restore(*layer, newType, r, *k);
        }
    }
}

std::int32_t RoundBlowCount(long double entry)
{
    if (std::isnan(entry)) {
        return 0;
    }
    const long double clamped = std::clamp(entry, 0.0L, 100.0L);
    // Ties to even, whatever the rounding mode in force.
    const long double down = std::floor(clamped);
    const long double fraction = clamped - down;
    auto n = static_cast<std::int32_t>(down);
    if (fraction > 0.5L || (fraction == 0.5L && n % 2 != 0)) {
        ++n;
    }
    return n;
}

TLayerPropertyUse LayerPropertyUse(const std::array<int, 10>& methodFlags)
{
    const auto on = [&methodFlags](int code) {
        return methodFlags[static_cast<std::size_t>(code)] == 1;
    };
    TLayerPropertyUse use;
    use.Qc = on(MethodCode::kNgi) || on(MethodCode::kIcpMtd) || on(MethodCode::kFugro)
             || on(MethodCode::kUwa);
    use.UserValues = on(MethodCode::kUserSpecified);
    use.PiYsr = on(MethodCode::kIcpMtd);
    use.Adhesion = on(MethodCode::kFhwa);
    if (on(MethodCode::kApi)) {
        use.KoNotes = EKoNotes::Api;
    } else if (on(MethodCode::kUsace)) {
        use.KoNotes = EKoNotes::Usace;
    } else if (on(MethodCode::kLambda)) {
        use.KoNotes = EKoNotes::Lambda;
    }
    return use;
}

std::array<std::string, 4> KoNoteLines(EKoNotes notes)
{
    switch (notes) {
    case EKoNotes::Usace:
        return {"3. Data for USACE Computation Method",
                "(Ko also used for Lambda Method)",
                "(USACE recommends Ko=1.25 for compression",
                "and Ko=0.5 to 0.7 for tension)"};
    case EKoNotes::Lambda:
        return {"3. Data for Revised Lambda Computation Method",
                "(Not used in other methods)",
                "(API recommends Ko=1 for full displacement",
                "piles and Ko=0.8 for open ended pipe piles)"};
    case EKoNotes::Api:
    case EKoNotes::None:
        break;
    }
    return {"3. Data for API Computation Method",
            "(Ko also used for Lambda Method)",
            "(API recommends Ko=1 for full displacement",
            "piles and Ko=0.8 for open ended pipe piles)"};
}

bool BlowCountsGiven(const TGridTable& layer)
{
    for (int r = 0; r < std::min(layer.RowCount(), kLayerRows); ++r) {
        if (layer.Cells(SandColumn::kBlowCount, r).GetInteger() != 0) {
            return true;
        }
    }
    return false;
}

bool KeepStrengthChoice(TGridTable& layer, bool frictionAngleChosen)
{
    bool changed = false;
    for (int r = 0; r < std::min(layer.RowCount(), kLayerRows); ++r) {
        if (frictionAngleChosen) {
            changed |= SetIntegerIfDiffers(layer.Cells(SandColumn::kBlowCount, r), 0);
        } else {
            changed |= SetFloatIfDiffers(layer.Cells(SandColumn::kFrictionAngle, r), 0);
        }
    }
    return changed;
}

int AdhesionOptionOf(const TGridTable& layer)
{
    if (layer.RowCount() < kLayerRows) {
        return AdhesionOptionCode::kEstimated;
    }
    return layer.Cells(ClayColumn::kAdhesionMethod, kLayerRows - 1).GetInteger();
}

bool SetAdhesionOption(TGridTable& layer, int option)
{
    bool changed = false;
    for (int r = 0; r < std::min(layer.RowCount(), kLayerRows); ++r) {
        changed |= SetIntegerIfDiffers(layer.Cells(ClayColumn::kAdhesionMethod, r), option);
    }
    return changed;
}
