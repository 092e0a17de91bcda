#include "ProjectFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "CptSideFile.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "SafeFile.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"
#include "support/TWordReader.h"

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

// The file a name holds, as the system knows it: a rename keeps it.
std::string FileIdentity(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        return "none";
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

// Names the two new files of a save, so an open can tell which of them were put in place.
std::string UnfinishedSaveText(const std::string& projectPath,
                               const TSafeFile& projectFile,
                               const std::string& cptPath,
                               const TSafeFile& cptFile)
{
    return "A save of " + projectPath + " by process " + std::to_string(::getpid())
           + " replaces the CPT side file " + cptPath + " and then the project file.\n" + "cpt "
           + FileIdentity(cptFile.TemporaryPath()) + "\nproject "
           + FileIdentity(projectFile.TemporaryPath()) + "\n";
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

std::string UnfinishedSaveMarker(const std::string& projectFileName)
{
    return projectFileName + ".unfinished~";
}

bool SaveCutBetweenItsFiles(const std::string& projectFileName)
{
    std::ifstream marker(UnfinishedSaveMarker(projectFileName), std::ios::binary);
    if (!marker) {
        return false;
    }
    std::string line;
    std::string cpt;
    std::string project;
    while (std::getline(marker, line)) {
        if (line.rfind("cpt ", 0) == 0) {
            cpt = line.substr(4);
        } else if (line.rfind("project ", 0) == 0) {
            project = line.substr(8);
        }
    }
    // A marker that cannot be read is taken at its word: the save did not finish.
    if (cpt.empty() || project.empty()) {
        return true;
    }
    return FileIdentity(CptSideFileName(projectFileName)) == cpt
           && FileIdentity(projectFileName) != project;
}

void SaveProjectFile(TProgramData& data, TProjectTables& tables, const TGraphPlot* cptProfile)
{
    const std::string projectText = ProjectText(data, tables);
    TCptSideData cpt;
    cpt.UnitSystem = data.UnitSystem;
    if (cptProfile != nullptr && cptProfile->LineCount() > 0) {
        const TLine& curve = cptProfile->Line(0);
        for (int i = 0; i < curve.PointCount(); ++i) {
            cpt.Points.push_back(
                {curve.Points(i).Y, SideFileQc(curve.Points(i).X, cpt.UnitSystem)});
        }
    }
    const std::string cptText = CptSideFileText(cpt);
    const std::string projectPath = data.FileName;
    const std::string cptPath = CptSideFileName(data.FileName);
    const std::string marker = UnfinishedSaveMarker(projectPath);

    // Another window or quarn-run saving or running the same project: refused, nothing written.
    TProjectLock lock;
    if (!lock.Acquire(projectPath)) {
        throw EInOutError(lock.Message());
    }
    bool cptReplaced = false;
    try {
        // Both files are complete on the disk before either is renamed. The CPT side file
        // goes first, and the marker stands while the two renames are apart, so an open
        // after a cut between them can tell.
        TSafeFile cptFile(cptPath);
        cptFile.Write(cptText);
        TSafeFile projectFile(projectPath);
        projectFile.Write(projectText);
        cptFile.Flush();
        projectFile.Flush();
        WriteFileSafely(marker, UnfinishedSaveText(projectPath, projectFile, cptPath, cptFile));
        cptFile.Commit(false);
        cptReplaced = true;
        projectFile.Commit();
    } catch (const EInOutError& e) {
        if (!cptReplaced) {
            std::error_code ignored;
            fs::remove(marker, ignored);
            throw EInOutError("The project could not be saved to " + projectPath + ": "
                              + e.Message() + ". The previous files are unchanged.");
        }
        throw EInOutError("The project could not be saved to " + projectPath + ": " + e.Message()
                          + ". Its CPT side file " + cptPath
                          + " was saved; the project file is the previous one.");
    }
    std::error_code ec;
    fs::remove(marker, ec);
    data.CptFileName = cptPath;
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
