#include "InputChecks.h"

#include <cmath>

#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace {

// Degrees to radians and back, as the pile windows and the engine use it.
constexpr long double kDegreeFactor = 0.01745L;

// Pile length in the unit of OD (in / mm).
long double PileLengthInDiameterUnits(const TProgramData& data)
{
    return data.TL * (data.UnitSystem == 1 ? 12.0L : 1000.0L);
}

bool IsTaperedType(int pileType)
{
    return pileType == PileTypeCode::kTimber || pileType == PileTypeCode::kRaymondStepTaper
           || pileType == PileTypeCode::kRaymondUniformTaper
           || pileType == PileTypeCode::kTaperedMonotube;
}

} // namespace

long double LargestTaperAngle(const TProgramData& data)
{
    const long double length = PileLengthInDiameterUnits(data);
    return std::atan(data.OD / 2.0L / length) / kDegreeFactor;
}

std::optional<std::string> TaperCheckMessage(const TProgramData& data)
{
    if (!data.MethodSelected(MethodCode::kFhwa) || !IsTaperedType(data.PileType)
        || !(data.TaperAngle > 0)) {
        return std::nullopt;
    }
    const long double length = PileLengthInDiameterUnits(data);
    const long double tip = data.OD - 2.0L * length * std::tan(data.TaperAngle * kDegreeFactor);
    if (tip >= 0) {
        return std::nullopt;
    }
    return "Taper angle is large since it generates a negative diameter at tip of pile.\n"
           "Taper angle should be smaller than "
           + FormatFloatFixed(LargestTaperAngle(data), 3)
           + " degrees.\n"
             "Please check input data (Pile Material Window)";
}

std::optional<std::string> ModulusCheckMessage(const TProgramData& data)
{
    if (data.E > 0) {
        return std::nullopt;
    }
    return "Modulus of Elasticity should be greater than zero.\n"
           "Please check input data (Pile Material Window)";
}

std::optional<std::string> RemoldedStrengthCheckMessage(const TProgramData& data,
                                                        const TGridTable& soilTable)
{
    for (int row = 0; row < soilTable.RowCount(); ++row) {
        if (soilTable.GetInteger(SoilColumn::kSoilType, row) != SoilTypeCode::kClay) {
            continue;
        }
        const TGridTable* layer = soilTable.Cells(SoilColumn::kLayerData, row).GetTable();
        if (layer == nullptr || layer->RowCount() < 2) {
            continue;
        }
        if (layer->Cells(ClayColumn::kRemoldedStrength, 0).GetFloat() != 0
            || layer->Cells(ClayColumn::kRemoldedStrength, 1).GetFloat() != 0) {
            continue;
        }
        const char* method = nullptr;
        if (data.MethodSelected(MethodCode::kIcpMtd)) {
            method = "ICP/MTD";
        } else if (data.MethodSelected(MethodCode::kFugro)) {
            method = "Fugro";
        } else if (data.MethodSelected(MethodCode::kUwa)) {
            method = "UWA";
        } else {
            continue;
        }
        return "Remolded Shear Strength for layer " + std::to_string(row + 1)
               + " should be greater than zero \nwhile using " + method
               + " Method.\nPlease check input data (Soils/Clay Window)";
    }
    return std::nullopt;
}

std::vector<std::string> NegativeInputMessages(const TProgramData& data,
                                               const TGridTable& soilTable,
                                               const std::vector<long double>& cptDepths)
{
    std::vector<std::string> messages;
    const bool circular = data.Circular != 0;
    const std::string pileWindow =
        circular ? "(Circular Pile Window)" : "(Noncircular Pile Window)";
    auto check = [&](long double value, const std::string& field, const std::string& window) {
        if (value < 0) {
            messages.push_back(field + " should not be negative.\nPlease check input data "
                               + window);
        }
    };
    if (circular) {
        check(data.OD, "Outside Diameter", pileWindow);
        check(data.ID, "Inside Diameter", pileWindow);
    } else {
        check(data.Perimeter, "Perimeter", pileWindow);
    }
    check(data.ZFL, "Zero-Friction Length", pileWindow);
    for (int row = 0; row < soilTable.RowCount(); ++row) {
        const TGridTable* layer = soilTable.Cells(SoilColumn::kLayerData, row).GetTable();
        if (layer == nullptr) {
            continue;
        }
        const int type = soilTable.GetInteger(SoilColumn::kSoilType, row);
        const char* window = type == SoilTypeCode::kClay   ? "(Soils/Clay Window)"
                             : type == SoilTypeCode::kSilt ? "(Soils/Silt Window)"
                                                           : "(Soils/Sand Window)";
        for (int r = 0; r < layer->RowCount() && r < 2; ++r) {
            check(layer->Cells(SandColumn::kUnitWeight, r).GetFloat(),
                  "Effective Unit Weight for layer " + std::to_string(row + 1)
                      + (r == 0 ? " (top)" : " (bottom)"),
                  window);
        }
    }
    for (std::size_t k = 0; k < cptDepths.size(); ++k) {
        check(cptDepths[k], "Depth of CPT point " + std::to_string(k + 1), "(CPT Data Window)");
    }
    return messages;
}

bool ValidateInput(const TProgramData& data,
                   const TGridTable& soilTable,
                   TInputCheckReporter& reporter)
{
    bool ok = true;
    for (const auto& message : {TaperCheckMessage(data),
                                ModulusCheckMessage(data),
                                RemoldedStrengthCheckMessage(data, soilTable)}) {
        if (message) {
            reporter.Warning(*message);
            ok = false;
        }
    }
    return ok;
}
