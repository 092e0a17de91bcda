#include "ProjectFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CptSideFile.h"
#include "FileValues.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "SafeFile.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "entry/TExpressionNumber.h"
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

// A number the save would write that the readers refuse: the save stops before any file is
// replaced.
class EUnsavedValue : public EInOutError
{
public:
    using EInOutError::EInOutError;
};

// The item as written, checked as the readers will read it back (the one limit of
// FileValues.h), so that whatever way a value came in, the file saved opens again.
std::string Checked(const std::string& text, const std::string& where)
{
    long double value = 0;
    if (DecimalText::Read(text, value) != DecimalText::TReadResult::Ok) {
        throw EUnsavedValue("the value of " + where + " is not a finite number");
    }
    if (EngineRangeProblem(value) != nullptr) {
        throw EUnsavedValue("the value " + text + " of " + where
                            + (std::fabs(value) > 1 ? " is larger than 1E15 in size"
                                                    : " is not 0 but smaller than 1E-307 in size"));
    }
    return text;
}

std::string Real(long double value, const char* field)
{
    return Checked(FormatGeneral(value), field);
}

// A column's name as its header shows it: the header lines joined, without the trailing
// comma that stands before the unit.
std::string ColumnName(const TGridTable& table, int col)
{
    std::string name;
    for (const std::string& line : table.Columns(col).Header()) {
        const std::size_t begin = line.find_first_not_of(' ');
        if (begin == std::string::npos) {
            continue;
        }
        const std::size_t end = line.find_last_not_of(' ');
        name += (name.empty() ? "" : " ") + line.substr(begin, end - begin + 1);
    }
    while (!name.empty() && (name.back() == ',' || name.back() == ' ')) {
        name.pop_back();
    }
    return name;
}

// A cell as written, checked; `row` names the row as the user counts it.
std::string CheckedCell(const TGridTable& table, int col, int row, const std::string& rowName)
{
    const std::string text = Cell(table, col, row);
    long double value = 0;
    if (DecimalText::Read(text, value) == DecimalText::TReadResult::Ok
        && EngineRangeProblem(value) == nullptr) {
        return text;
    }
    return Checked(text,
                   ColumnName(table, col) + " in the table " + table.Caption() + ", " + rowName
                       + ",");
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
    t += (circular ? std::string("0") : Real(data.Perimeter, "Perimeter for Noncircular Section"))
         + " " + Real(data.TipArea, "Tip Area for Noncircular Section") + " "
         + Real(data.OD, "Outer Diameter, OD") + " " + Real(data.ID, "Inner Diameter, ID") + " "
         + Real(data.E, "Modulus of Elasticity, E") + " " + Real(data.TL, "Total Length, TL") + " "
         + Real(data.PSL, "Pile Stickup Length, PSL") + nl;
    t += Real(data.ESL, "Lower End Section Length, ESL") + " "
         + Real(data.EID, "Inner Diameter of Lower-End Section, EID") + nl;
    t += Real(data.ZFL, "Zero-Friction Length from Ground, ZFL") + " "
         + Real(data.Increment, "Length of each computation increment") + " "
         + std::to_string(data.PileType) + " "
         + Real(data.TaperAngle, "Angle of taper for a tapered pile") + " "
         + std::to_string(data.LoadSettlementMethod) + " " + std::to_string(data.OffshoreFlag) + " "
         + std::to_string(data.TzFactorOption) + nl;
    for (int m = 1; m <= 9; ++m) {
        t += std::to_string(data.MethodFlags[static_cast<std::size_t>(m)]) + " ";
    }
    t += nl;
    auto layerRow = [](int k) {
        return "layer " + std::to_string(k + 1);
    };
    t += (layers > 0 ? CheckedCell(soil, SoilColumn::kBottomDepth, layers - 1, layerRow(layers - 1))
                     : std::string("0"))
         + " " + Real(data.ConstantArea, "Cross Section Area") + nl;
    const bool keepUser = UserValuesKept(data);
    for (int k = 0; k < layers; ++k) {
        const int type = soil.GetInteger(SoilColumn::kSoilType, k);
        TGridTable* layer = soil.Cells(SoilColumn::kLayerData, k).GetTable();
        for (int r = 0; r < 2; ++r) {
            std::string depth =
                r == 1   ? CheckedCell(soil, SoilColumn::kBottomDepth, k, layerRow(k))
                : k == 0 ? std::string("0.0")
                         : CheckedCell(soil, SoilColumn::kBottomDepth, k - 1, layerRow(k - 1));
            const bool hasRow = layer != nullptr && layer->RowCount() > r;
            const std::string subRow =
                "layer " + std::to_string(k + 1) + (r == 0 ? ", row 1 (top)" : ", row 2 (bottom)");
            auto c = [&](int col) {
                return hasRow ? CheckedCell(*layer, col, r, subRow) : std::string("0");
            };
            if (hasRow && !keepUser
                && (type == SoilTypeCode::kSand || type == SoilTypeCode::kClay)) {
                layer->Columns(SandColumn::kUserSkinFriction).SetFloat(r, 0);
                layer->Columns(SandColumn::kUserEndBearing).SetFloat(r, 0);
            }
            std::vector<std::string> a;
            std::vector<std::string> b;
            const std::string d3 = CheckedCell(soil, SoilColumn::kMaxSideFriction, k, layerRow(k));
            const std::string d4 = CheckedCell(soil, SoilColumn::kMaxEndBearing, k, layerRow(k));
            const std::string d5 = CheckedCell(soil, SoilColumn::kSideFactor, k, layerRow(k));
            const std::string d6 = CheckedCell(soil, SoilColumn::kEndFactor, k, layerRow(k));
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
            t += CheckedCell(tz, TzDepthColumn::kDepth, r, "row " + std::to_string(r + 1)) + " "
                 + nl;
        }
    }
    t += FormatGeneral(data.LoadDirection) + " "
         + Real(data.TensionFactor, "Reduction factor for tension loading") + nl;
    t += FormatGeneral(data.ClayCondition) + " " + FormatGeneral(data.PlugCondition) + nl;
    const TGridTable& area = tables.Sectionaldata();
    t += FormatGeneral(area.RowCount()) + " " + FormatGeneral(data.AreaMode) + nl;
    if (area.RowCount() > 1) {
        for (int r = 0; r < area.RowCount(); ++r) {
            const std::string row = "row " + std::to_string(r + 1);
            t += CheckedCell(area, SectionColumn::kDistance, r, row) + " "
                 + CheckedCell(area, SectionColumn::kArea, r, row) + nl;
        }
    }
    t += FormatGeneral(data.CriticalDepthOption) + " "
         + Real(data.CriticalDepth, "User-Specified Critical Depth") + nl;
    return t;
}

// Carries a file name on one line of the marker.
std::string EscapedName(const std::string& name)
{
    std::string text;
    for (const char c : name) {
        text += c == '\\'   ? std::string("\\\\")
                : c == '\n' ? std::string("\\n")
                : c == '\r' ? std::string("\\r")
                            : std::string(1, c);
    }
    return text;
}

std::string UnescapedName(const std::string& text)
{
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            name += text[i] == 'n' ? '\n' : text[i] == 'r' ? '\r' : text[i];
        } else {
            name += text[i];
        }
    }
    return name;
}

// Names the project file and the two new files of a save, so an open can tell which of
// them were put in place, and find the others.
std::string UnfinishedSaveText(const std::string& projectPath,
                               const TSafeFile& projectFile,
                               const std::string& cptPath,
                               const TSafeFile& cptFile)
{
    return "A save of " + OneLine(projectPath) + " by process " + std::to_string(::getpid())
           + " replaces the CPT side file " + OneLine(cptPath) + " and then the project file.\n"
           + "cpt " + FileIdentity(cptFile.TemporaryPath()) + "\nproject "
           + FileIdentity(projectFile.TemporaryPath()) + "\nfile "
           + EscapedName(fs::path(projectPath).filename().string()) + "\n";
}

// Which file the system holds at a path, and when it was last written.
void SetIdentity(TProjectFileStamp& stamp, const struct stat& info)
{
    stamp.Known = true;
    stamp.Device = info.st_dev;
    stamp.Inode = info.st_ino;
    stamp.Size = static_cast<std::uint64_t>(info.st_size);
    stamp.Modified =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Longest marker the program writes, with room to spare.
constexpr std::size_t kLongestMarker = 8192;

} // namespace

std::string FileIdentity(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        return "none";
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

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
    return BesideName(projectFileName, kUnfinishedSaveSuffix);
}

std::optional<TUnfinishedSave> ReadUnfinishedSaveMarker(const std::string& markerPath)
{
    const std::optional<std::string> text = ReadPlainFile(markerPath, kLongestMarker);
    if (!text) {
        return std::nullopt;
    }
    TUnfinishedSave marker;
    std::size_t begin = 0;
    while (begin < text->size()) {
        std::size_t end = text->find('\n', begin);
        if (end == std::string::npos) {
            end = text->size();
        }
        const std::string line = text->substr(begin, end - begin);
        if (line.rfind("cpt ", 0) == 0) {
            marker.CptIdentity = line.substr(4);
        } else if (line.rfind("project ", 0) == 0) {
            marker.ProjectIdentity = line.substr(8);
        } else if (line.rfind("file ", 0) == 0) {
            marker.ProjectName = UnescapedName(line.substr(5));
        }
        begin = end + 1;
    }
    return marker;
}

bool SaveCutBetweenItsFiles(const std::string& projectFileName)
{
    const std::optional<TUnfinishedSave> marker =
        ReadUnfinishedSaveMarker(UnfinishedSaveMarker(projectFileName));
    if (!marker) {
        return false;
    }
    // A marker that cannot be read is taken at its word: the save did not finish.
    if (marker->CptIdentity.empty() || marker->ProjectIdentity.empty()) {
        return true;
    }
    return FileIdentity(CptSideFileName(projectFileName)) == marker->CptIdentity
           && FileIdentity(projectFileName) != marker->ProjectIdentity;
}

TProjectFileStamp StampProjectFile(const std::string& path)
{
    TProjectFileStamp stamp;
    stamp.Path = path;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return stamp;
    }
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        std::string content;
        char buffer[65536];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0) {
                content.append(buffer, static_cast<std::size_t>(n));
            }
        }
        if (n == 0) {
            SetIdentity(stamp, info);
            stamp.Content = std::move(content);
        }
    }
    ::close(fd);
    return stamp;
}

bool StillAsStamped(const TProjectFileStamp& stamp)
{
    if (!stamp.Known) {
        return true;
    }
    struct stat info = {};
    if (::stat(stamp.Path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    TProjectFileStamp now;
    SetIdentity(now, info);
    if (now.Device == stamp.Device && now.Inode == stamp.Inode && now.Size == stamp.Size
        && now.Modified == stamp.Modified) {
        return true;
    }
    // Another save of the same project (quarn-run saves before it runs) replaces the file
    // with the same text: nothing of it would be lost.
    now = StampProjectFile(stamp.Path);
    return now.Known && now.Content == stamp.Content;
}

void SaveProjectFile(TProgramData& data,
                     TProjectTables& tables,
                     const TGraphPlot* cptProfile,
                     TProjectFileStamp* stamp)
{
    const std::string projectPath = data.FileName;
    const std::string cptPath = CptSideFileName(data.FileName);
    const std::string marker = UnfinishedSaveMarker(projectPath);
    std::string projectText;
    TCptSideData cpt;
    cpt.UnitSystem = data.UnitSystem;
    try {
        projectText = ProjectText(data, tables);
        if (cptProfile != nullptr && cptProfile->LineCount() > 0) {
            const TLine& curve = cptProfile->Line(0);
            for (int i = 0; i < curve.PointCount(); ++i) {
                cpt.Points.push_back(
                    {curve.Points(i).Y, SideFileQc(curve.Points(i).X, cpt.UnitSystem)});
                const std::string point = " of CPT point " + std::to_string(i + 1);
                Checked(FormatExponent2(cpt.Points.back().Depth), "the depth" + point);
                Checked(FormatExponent2(cpt.Points.back().Qc), "Qc" + point);
            }
        }
    } catch (const EUnsavedValue& e) {
        throw EInOutError("The project could not be saved to " + projectPath + ": " + e.Message()
                          + ", so the saved project could not be opened again. Please correct "
                            "it and save again; the previous files are unchanged.");
    }
    const std::string cptText = CptSideFileText(cpt);

    // Another window or quarn-run saving or running the same project: refused, nothing written.
    TProjectLock lock;
    if (!lock.Acquire(projectPath)) {
        throw EInOutError(lock.Message());
    }
    // A second window or program saved the project since this one read or wrote it: its
    // save is not dropped without a word.
    if (stamp != nullptr && stamp->Path == projectPath && !StillAsStamped(*stamp)) {
        throw EProjectFileChanged("The project file " + projectPath
                                  + " was changed by another program after it was opened or "
                                    "saved here.");
    }
    bool markerWritten = false;
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
        // The marker is the program's own file: a link at its name is replaced, never
        // written through.
        WriteFileSafely(marker,
                        UnfinishedSaveText(projectPath, projectFile, cptPath, cptFile),
                        ELinkRule::ReplaceLink);
        markerWritten = true;
        cptFile.Commit(false);
        cptReplaced = true;
        projectFile.Commit();
    } catch (const EInOutError& e) {
        if (!cptReplaced) {
            // Only this save's own: the marker of an earlier cut save still has to be shown.
            std::error_code ignored;
            if (markerWritten) {
                fs::remove(marker, ignored);
            }
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
    if (stamp != nullptr) {
        struct stat info = {};
        *stamp = TProjectFileStamp();
        stamp->Path = projectPath;
        if (::stat(projectPath.c_str(), &info) == 0) {
            SetIdentity(*stamp, info);
            stamp->Content = projectText;
        }
    }
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
