#include "ProjectFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "CptSideFile.h"
#include "NumberFormat.h"
#include "ProjectTables.h"
#include "TGraphPlot.h"
#include "TLine.h"
#include "TProgramData.h"
#include "TWordReader.h"

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const std::string& fileName)
{
    std::string ext = fs::path(fileName).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return ext;
}

// A title line must stay one line in the file.
std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string Cell(const TGridTable& table, int col, int row)
{
    return table.Cells(col, row).GetText();
}

bool UserValuesKept(const TProgramData& data)
{
    return data.LoadSettlementMethod == MethodCode::kUserSpecified
           || data.MethodSelected(MethodCode::kUserSpecified);
}

std::string ProjectText(TProgramData& data, TProjectTables& tables)
{
    if (data.PrintInterval == 0) {
        data.PrintInterval = 1;
    }
    if (data.Increment == 0) {
        data.Increment = 1;
    }
    const bool circular = data.Circular != 0;
    if (circular) {
        data.TipArea = 0;
    }
    const TGridTable& soil = tables.D();
    const int layers = soil.RowCount();
    const std::string nl = "\r\n";
    std::string t;
    t += OneLine(data.Title) + nl + OneLine(data.Designer) + nl + OneLine(data.JobNumber) + nl;
    t += std::to_string(data.UnitSystem) + " " + std::to_string(data.PrintInterval) + " "
         + std::to_string(2 * layers) + " " + (data.ClosedEnd != 0 ? "1" : "0") + " " + nl;
    t += (circular ? std::string("0") : FormatGeneral(data.Perimeter)) + " "
         + FormatGeneral(data.TipArea) + " " + FormatGeneral(data.OD) + " " + FormatGeneral(data.ID)
         + " " + FormatGeneral(data.E) + " " + FormatGeneral(data.TL) + " "
         + FormatGeneral(data.PSL) + nl;
    t += FormatGeneral(data.ESL) + " " + FormatGeneral(data.EID) + nl;
    t += FormatGeneral(data.ZFL) + " " + FormatGeneral(data.Increment) + " "
         + std::to_string(data.PileType) + " " + FormatGeneral(data.TaperAngle) + " "
         + std::to_string(data.LoadSettlementMethod) + " " + std::to_string(data.OffshoreFlag) + " "
         + std::to_string(data.TzFactorOption) + nl;
    for (int m = 1; m <= 9; ++m) {
        t += std::to_string(data.MethodFlags[static_cast<std::size_t>(m)]) + " ";
    }
    t += nl;
    t += (layers > 0 ? Cell(soil, SoilColumn::kBottomDepth, layers - 1) : std::string("0")) + " "
         + FormatGeneral(data.ConstantArea) + nl;
    const bool keepUser = UserValuesKept(data);
    for (int k = 0; k < layers; ++k) {
        const int type = soil.GetInteger(SoilColumn::kSoilType, k);
        TGridTable* layer = soil.Cells(SoilColumn::kLayerData, k).GetTable();
        for (int r = 0; r < 2; ++r) {
            std::string depth = r == 1   ? Cell(soil, SoilColumn::kBottomDepth, k)
                                : k == 0 ? std::string("0.0")
                                         : Cell(soil, SoilColumn::kBottomDepth, k - 1);
            const bool hasRow = layer != nullptr && layer->RowCount() > r;
            auto c = [&](int col) {
                return hasRow ? Cell(*layer, col, r) : std::string("0");
            };
            if (hasRow && !keepUser
                && (type == SoilTypeCode::kSand || type == SoilTypeCode::kClay)) {
                layer->Columns(SandColumn::kUserSkinFriction).SetFloat(r, 0);
                layer->Columns(SandColumn::kUserEndBearing).SetFloat(r, 0);
            }
            std::vector<std::string> a;
            std::vector<std::string> b;
            const std::string d3 = Cell(soil, SoilColumn::kMaxSideFriction, k);
            const std::string d4 = Cell(soil, SoilColumn::kMaxEndBearing, k);
            const std::string d5 = Cell(soil, SoilColumn::kSideFactor, k);
            const std::string d6 = Cell(soil, SoilColumn::kEndFactor, k);
            if (type == SoilTypeCode::kClay) {
                a = {depth, "2", "0.0", c(ClayColumn::kUnitWeight), "0.0", "0.0"};
                b = {d3,
                     d4,
                     c(ClayColumn::kUndrainedStrength),
                     c(ClayColumn::kRemoldedStrength),
                     c(ClayColumn::kYieldStressRatio),
                     c(ClayColumn::kPlasticIndex),
                     c(ClayColumn::kQc),
                     c(ClayColumn::kUserSkinFriction),
                     c(ClayColumn::kUserEndBearing),
                     d5,
                     d6,
                     c(ClayColumn::kAdhesionMethod)};
            } else if (type == SoilTypeCode::kSilt) {
                a = {depth,
                     "3",
                     c(SiltColumn::kKo),
                     c(SiltColumn::kUnitWeight),
                     c(SiltColumn::kFrictionAngle),
                     "0.0"};
                b = {d3,
                     d4,
                     c(SiltColumn::kUndrainedStrength),
                     c(SiltColumn::kBlowCount),
                     "0.0",
                     "0.0",
                     "0.0",
                     "0.0",
                     "0.0",
                     d5,
                     d6,
                     "0"};
            } else {
                a = {depth,
                     "1",
                     c(SandColumn::kKo),
                     c(SandColumn::kUnitWeight),
                     c(SandColumn::kFrictionAngle),
                     c(SandColumn::kNq)};
                b = {d3,
                     d4,
                     "0.0",
                     c(SandColumn::kBlowCount),
                     "0.0",
                     "0.0",
                     c(SandColumn::kQc),
                     c(SandColumn::kUserSkinFriction),
                     c(SandColumn::kUserEndBearing),
                     d5,
                     d6,
                     "0"};
            }
            for (const std::string& item : a) {
                t += item + " ";
            }
            t += nl;
            for (const std::string& item : b) {
                t += item + " ";
            }
            t += nl;
        }
    }
    t += std::to_string(data.PrintExtraTz) + nl;
    if (data.PrintExtraTz == 1) {
        const TGridTable& tz = tables.TblTZDepth();
        t += std::to_string(tz.RowCount()) + nl;
        for (int r = 0; r < tz.RowCount(); ++r) {
            t += Cell(tz, TzDepthColumn::kDepth, r) + " " + nl;
        }
    }
    t += FormatGeneral(data.LoadDirection) + " " + FormatGeneral(data.TensionFactor) + nl;
    t += FormatGeneral(data.ClayCondition) + " " + FormatGeneral(data.PlugCondition) + nl;
    const TGridTable& area = tables.Sectionaldata();
    t += FormatGeneral(area.RowCount()) + " " + FormatGeneral(data.AreaMode) + nl;
    if (area.RowCount() > 1) {
        for (int r = 0; r < area.RowCount(); ++r) {
            t += Cell(area, SectionColumn::kDistance, r) + " " + Cell(area, SectionColumn::kArea, r)
                 + nl;
        }
    }
    t += FormatGeneral(data.CriticalDepthOption) + " " + FormatGeneral(data.CriticalDepth) + nl;
    return t;
}

void WriteWhole(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw EInOutError("Cannot create file " + path.string());
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        throw EInOutError("Cannot write file " + path.string());
    }
}

} // namespace

ProjectLayout LayoutForFileName(const std::string& fileName)
{
    const std::string ext = LowerExtension(fileName);
    if (ext == ".qr6d") {
        return ProjectLayout::Qr6d;
    }
    if (ext == ".qrd") {
        return ProjectLayout::Qrd;
    }
    return ProjectLayout::Qr7d;
}

std::string ProposedSaveName(const std::string& fileName)
{
    if (LayoutForFileName(fileName) == ProjectLayout::Qr7d) {
        return fileName;
    }
    return fs::path(fileName).replace_extension(".qr7d").string();
}

std::string CptSideFileName(const std::string& projectFileName)
{
    return fs::path(projectFileName).replace_extension(".cpt").string();
}

void SaveProjectFile(TProgramData& data, TProjectTables& tables, const TGraphPlot* cptProfile)
{
    const std::string projectText = ProjectText(data, tables);
    TCptSideData cpt;
    cpt.UnitSystem = data.UnitSystem;
    if (cptProfile != nullptr && cptProfile->LineCount() > 0) {
        const TLine& curve = cptProfile->Line(0);
        for (int i = 0; i < curve.PointCount(); ++i) {
            cpt.Points.push_back({curve.Points(i).Y, curve.Points(i).X});
        }
    }
    const std::string cptText = CptSideFileText(cpt);
    const fs::path projectPath(data.FileName);
    const fs::path cptPath(CptSideFileName(data.FileName));
    fs::path projectTemp = projectPath;
    projectTemp += ".saving~";
    fs::path cptTemp = cptPath;
    cptTemp += ".saving~";
    std::error_code ignored;
    try {
        WriteWhole(projectTemp, projectText);
        WriteWhole(cptTemp, cptText);
    } catch (const EInOutError& e) {
        fs::remove(projectTemp, ignored);
        fs::remove(cptTemp, ignored);
        throw EInOutError("The project could not be saved to " + data.FileName + ": " + e.Message()
                          + ". The previous files are unchanged.");
    }
    std::error_code ec;
    fs::rename(projectTemp, projectPath, ec);
    if (ec) {
        fs::remove(projectTemp, ignored);
        fs::remove(cptTemp, ignored);
        throw EInOutError("The project could not be saved to " + data.FileName + ": " + ec.message()
                          + ". The previous files are unchanged.");
    }
    fs::rename(cptTemp, cptPath, ec);
    if (ec) {
        fs::remove(cptTemp, ignored);
        throw EInOutError("The project was saved to " + data.FileName
                          + " but its CPT file could not be written: " + ec.message() + ".");
    }
    data.CptFileName = cptPath.string();
    data.CptPointCount = static_cast<int>(cpt.Points.size());
}

bool TrySaveProjectFile(TProgramData& data,
                        TProjectTables& tables,
                        const TGraphPlot* cptProfile,
                        std::string& message)
{
    try {
        SaveProjectFile(data, tables, cptProfile);
        return true;
    } catch (const std::exception& e) {
        message = e.what();
        return false;
    }
}
