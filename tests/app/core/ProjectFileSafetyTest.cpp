// Saves and opens against what happens to files in use: links, modes, other processes
// holding the project, saves cut short, damaged and hostile values.
#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "LockHolder.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "SafeFile.h"
#include "StaleFiles.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"
#include "support/TWordReader.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExampleFolder = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A file as the system knows it, "device:inode", as the marker of a save names it.
std::string Identity(const fs::path& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

mode_t Mode(const fs::path& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::vector<std::string> FolderNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ProjectFileSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetProject(m_data, &m_tables, &m_cpt);
        m_data.Title = "Safety";
        m_data.FileName = m_folder.File("P.qr7d");
    }

    std::string Save()
    {
        std::string message;
        TrySaveProjectFile(m_data, m_tables, &m_cpt, message);
        return message;
    }

    // Opens a copy of the example, with one piece of the project text replaced and the CPT
    // side file given; answers the open's notes, or the refusal's message.
    std::vector<std::string> OpenExample(const std::string& from,
                                         const std::string& to,
                                         const std::string* cpt,
                                         std::string& refusal)
    {
        std::string text = ReadAll(kExampleFolder / "PipeSandClay.qr7d");
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
        WriteAll(m_folder / "E.qr7d", text);
        fs::remove(m_folder / "E.cpt");
        if (cpt != nullptr) {
            WriteAll(m_folder / "E.cpt", *cpt);
        }
        refusal.clear();
        try {
            return OpenProjectFile(m_folder.File("E.qr7d"), m_data, m_tables, &m_cpt);
        } catch (const EInOutError& e) {
            refusal = e.Message();
        }
        return {};
    }

    TTestFolder m_folder{"projsafety"};
    TProgramData m_data;
    TProjectTables m_tables;
    TGraphPlot m_cpt;
};

// A project kept behind symbolic links (a shared folder, a versioned copy) stays so, and a
// private project stays private: the save writes the files the links name, with their modes.
TEST_F(ProjectFileSafetyTest, SaveWritesThroughLinksAndKeepsTheMode)
{
    fs::create_directories(m_folder / "real");
    fs::create_directories(m_folder / "links");
    m_data.FileName = m_folder.File("real/P.qr7d");
    ASSERT_EQ(Save(), "");
    fs::permissions(m_folder / "real/P.qr7d", fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(m_folder / "real/P.cpt", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("../real/P.qr7d", m_folder / "links/P.qr7d");
    fs::create_symlink("../real/P.cpt", m_folder / "links/P.cpt");

    m_data.FileName = m_folder.File("links/P.qr7d");
    m_data.Title = "Through the link";
    ASSERT_EQ(Save(), "");
    for (const char* name : {"links/P.qr7d", "links/P.cpt"}) {
        EXPECT_TRUE(fs::is_symlink(m_folder / name)) << name;
    }
    EXPECT_EQ(ReadAll(m_folder / "real/P.qr7d").rfind("Through the link\r\n", 0), 0u);
    EXPECT_EQ(Mode(m_folder / "real/P.qr7d"), 0600u);
    EXPECT_EQ(Mode(m_folder / "real/P.cpt"), 0600u);
    EXPECT_EQ(FolderNames(m_folder / "real"), (std::vector<std::string>{"P.cpt", "P.qr7d"}));

    // A new file gets the mode any new file gets under the umask.
    const mode_t mask = ::umask(027);
    m_data.FileName = m_folder.File("New.qr7d");
    ASSERT_EQ(Save(), "");
    ::umask(mask);
    EXPECT_EQ(Mode(m_folder / "New.qr7d"), 0640u);
}

// Two saves of one file at once each write a temporary file of their own, named by their
// process, and the file is always one save's whole text.
TEST_F(ProjectFileSafetyTest, TemporaryFilesAreUniqueAndNamedByTheProcess)
{
    const std::string target = m_folder.File("T.txt");
    TSafeFile first(target);
    TSafeFile second(target);
    EXPECT_NE(first.TemporaryPath(), second.TemporaryPath());
    const std::string mark = target + ".saving~" + std::to_string(::getpid()) + "-";
    EXPECT_EQ(first.TemporaryPath().rfind(mark, 0), 0u) << first.TemporaryPath();
    first.Write("first\n");
    second.Write("second, longer\n");
    second.Commit();
    first.Commit();
    EXPECT_EQ(ReadAll(target), "first\n");
    EXPECT_EQ(FolderNames(m_folder.Path()), std::vector<std::string>{"T.txt"});
}

// A second program saving or running the project holds its lock: the save is refused with a
// message naming the project, and nothing is written. Once that program is gone (killed),
// its lock is taken over.
TEST_F(ProjectFileSafetyTest, ALockHeldByAnotherProcessRefusesTheSave)
{
    ASSERT_EQ(Save(), "");
    const std::string before = ReadAll(m_data.FileName);
    TLockHolder other(m_data.FileName);
    ASSERT_TRUE(other.Locked());
    m_data.Title = "Second window";
    const std::string message = Save();
    EXPECT_TRUE(Contains(message, "The project " + m_data.FileName + " is being saved or run by"))
        << message;
    EXPECT_TRUE(Contains(message, "process " + std::to_string(other.Pid()))) << message;
    EXPECT_EQ(ReadAll(m_data.FileName), before);
    EXPECT_TRUE(fs::exists(ProjectLockFileName(m_data.FileName)));

    other.Kill();
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(ReadAll(m_data.FileName).rfind("Second window\r\n", 0), 0u);
    EXPECT_FALSE(fs::exists(ProjectLockFileName(m_data.FileName)));
}

// Within one process the lock is shared, so a run that holds it can save.
TEST_F(ProjectFileSafetyTest, TheLockIsSharedWithinTheProcess)
{
    TProjectLock run;
    ASSERT_TRUE(run.Acquire(m_data.FileName));
    EXPECT_EQ(Save(), "");
    EXPECT_TRUE(fs::exists(ProjectLockFileName(m_data.FileName)));
    run.Release();
    EXPECT_FALSE(fs::exists(ProjectLockFileName(m_data.FileName)));
}

// The project opens, with a note, when its CPT side file is not as its last save left it;
// a save that completes clears a cut save's marker.
TEST_F(ProjectFileSafetyTest, OpenNotesACptSideFileOfAnotherSave)
{
    const std::string cpt = ReadAll(kExampleFolder / "PipeSandClay.cpt");
    const std::string threeMore = cpt
                                  + "  1.05E+02  1.00E+05\r\n  1.10E+02  1.00E+05\r\n\r\n"
                                    "  1.15E+02  1.00E+05\r\n";
    // The marker of a save names the new files by their identity on the disk.
    enum class EMarker
    {
        None,
        CptReplaced,  // cut between the two renames
        BothReplaced, // cut before the marker went
        NoneReplaced, // cut before the first rename
        Unreadable,
    };
    struct TCase
    {
        const char* name;
        const std::string* cpt;
        EMarker marker;
        std::vector<std::string> notes; // parts of each note, in order
    };
    const TCase cases[] = {
        {"as saved", &cpt, EMarker::None, {}},
        {"no CPT side file",
         nullptr,
         EMarker::None,
         {"The CPT side file " + m_folder.File("E.cpt")
          + " was not found beside the project: the project opens without CPT points, and the "
            "next save writes an empty one."}},
        {"more points than counted",
         &threeMore,
         EMarker::None,
         {"holds 3 more lines of points than its count of 21 says. Only the first 21 points are "
          "read"}},
        {"save cut between its renames",
         &cpt,
         EMarker::CptReplaced,
         {"The last save of " + m_folder.File("E.qr7d")
          + " did not finish: it replaced the CPT side file " + m_folder.File("E.cpt")
          + " but not the project file"}},
        {"marker left by a save that replaced both", &cpt, EMarker::BothReplaced, {}},
        {"marker left by a save that replaced neither", &cpt, EMarker::NoneReplaced, {}},
        {"marker that cannot be read", &cpt, EMarker::Unreadable, {"did not finish"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string marker = UnfinishedSaveMarker(m_folder.File("E.qr7d"));
        fs::remove(marker);
        std::string refusal;
        OpenExample("", "", c.cpt, refusal); // lays out the files
        const std::string cptNow = Identity(m_folder / "E.cpt");
        const std::string projectNow = Identity(m_folder / "E.qr7d");
        switch (c.marker) {
        case EMarker::None:
            break;
        case EMarker::CptReplaced:
            WriteAll(marker, "A save\ncpt " + cptNow + "\nproject 1:1\n");
            break;
        case EMarker::BothReplaced:
            WriteAll(marker, "A save\ncpt " + cptNow + "\nproject " + projectNow + "\n");
            break;
        case EMarker::NoneReplaced:
            WriteAll(marker, "A save\ncpt 1:1\nproject 1:2\n");
            break;
        case EMarker::Unreadable:
            WriteAll(marker, "cut\n");
            break;
        }
        const std::vector<std::string> notes =
            OpenProjectFile(m_folder.File("E.qr7d"), m_data, m_tables, &m_cpt);
        EXPECT_EQ(refusal, "");
        ASSERT_EQ(notes.size(), c.notes.size());
        for (std::size_t i = 0; i < notes.size(); ++i) {
            EXPECT_TRUE(Contains(notes[i], c.notes[i])) << notes[i];
        }
        // The project opened all the same.
        EXPECT_EQ(m_data.FileName, m_folder.File("E.qr7d"));
        EXPECT_EQ(m_tables.D().RowCount(), 4);
        EXPECT_EQ(m_data.CptPointCount, c.cpt != nullptr ? 21 : 0);
    }
    ASSERT_EQ(Save(), "");
    EXPECT_FALSE(fs::exists(UnfinishedSaveMarker(m_data.FileName)));
}

// An archive unpacked or a folder shared may hold a link (or a second name of another file, or
// a FIFO) at the names the program gives its own files beside a project. The save's lock and
// its marker replace such a name and never write through it: the file it names keeps its
// bytes, and no save that never happened is reported.
TEST_F(ProjectFileSafetyTest, TheLockAndTheMarkerAreNeverWrittenThroughALink)
{
    ASSERT_EQ(Save(), "");
    fs::create_directories(m_folder / "outside");
    const fs::path victim = m_folder / "outside" / "victim";
    const fs::path absent = m_folder / "outside" / "absent";
    const std::string victimText = "an engineer's own file\n";
    enum class EKind
    {
        SymbolicLink,
        DanglingLink,
        HardLink,
        Fifo,
    };
    const fs::path lock = ProjectLockFileName(m_data.FileName);
    const fs::path marker = UnfinishedSaveMarker(m_data.FileName);
    struct TCase
    {
        const char* name;
        fs::path at;
        EKind kind;
    };
    const TCase cases[] = {
        {"lock: link to a file outside", lock, EKind::SymbolicLink},
        {"lock: link to no file", lock, EKind::DanglingLink},
        {"lock: second name of a file outside", lock, EKind::HardLink},
        {"lock: FIFO", lock, EKind::Fifo},
        {"marker: link to a file outside", marker, EKind::SymbolicLink},
        {"marker: link to no file", marker, EKind::DanglingLink},
        {"marker: second name of a file outside", marker, EKind::HardLink},
        {"marker: FIFO", marker, EKind::Fifo},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(victim, victimText);
        switch (c.kind) {
        case EKind::SymbolicLink:
            fs::create_symlink(victim, c.at);
            break;
        case EKind::DanglingLink:
            fs::create_symlink(absent, c.at);
            break;
        case EKind::HardLink:
            fs::create_hard_link(victim, c.at);
            break;
        case EKind::Fifo:
            ASSERT_EQ(::mkfifo(c.at.c_str(), 0600), 0);
            break;
        }
        m_data.Title = c.name;
        EXPECT_EQ(Save(), "");
        EXPECT_EQ(ReadAll(victim), victimText);
        EXPECT_FALSE(fs::exists(fs::symlink_status(absent)));
        EXPECT_EQ(ReadAll(m_data.FileName).rfind(std::string(c.name) + "\r\n", 0), 0u);
        // Both were the save's own and went with it.
        EXPECT_FALSE(fs::exists(fs::symlink_status(lock)));
        EXPECT_FALSE(fs::exists(fs::symlink_status(marker)));
    }

    // Opening the project takes its lock for the cleanup too: the link is removed there.
    WriteAll(victim, victimText);
    fs::create_symlink(victim, lock);
    RemoveStaleFiles({m_data.FileName}, {});
    EXPECT_EQ(ReadAll(victim), victimText);
    EXPECT_FALSE(fs::exists(fs::symlink_status(lock)));

    // A link at the marker's name is no marker: the open reports no cut save.
    WriteAll(victim, "cut\n");
    fs::create_symlink(victim, marker);
    const std::vector<std::string> notes =
        OpenProjectFile(m_data.FileName, m_data, m_tables, &m_cpt);
    EXPECT_TRUE(notes.empty()) << notes.front();
    EXPECT_EQ(ReadAll(victim), "cut\n");
}

// Whatever way a value came in (an expression, the table editor, a unit change), a project
// file that the readers would refuse at the next open is never written: the save names the
// value and where it is, and replaces nothing. What the file can hold is saved and opens again.
TEST_F(ProjectFileSafetyTest, ValuesTheReadersRefuseAreNeverSaved)
{
    const std::string cpt = ReadAll(kExampleFolder / "PipeSandClay.cpt");
    const std::string project = ReadAll(kExampleFolder / "PipeSandClay.qr7d");
    const long double huge = std::ldexp(1.0L, 1024); // 2^1024, beyond any 64-bit real
    auto soilCell = [this](int col, int layer, long double value) {
        m_tables.D().Columns(col).SetFloat(layer, value);
    };
    auto layerCell = [this](int layer, int col, int row, long double value) {
        m_tables.D()
            .Cells(SoilColumn::kLayerData, layer)
            .GetTable()
            ->Columns(col)
            .SetFloat(row, value);
    };
    struct TCase
    {
        const char* name;
        std::function<void()> change;
        std::string refusal; // empty: saved, and opens again
    };
    const TCase cases[] = {
        {"OD 1E16",
         [&] { m_data.OD = 1e16L; },
         "the value 1E16 of Outer Diameter, OD is larger than 1E15 in size"},
        {"OD 2^1024",
         [&] { m_data.OD = huge; },
         "the value 1.797693135E308 of Outer Diameter, OD is larger than 1E15 in size"},
        {"OD 1E400",
         [&] { m_data.OD = 1e400L; },
         "the value 1E400 of Outer Diameter, OD is larger than 1E15 in size"},
        {"TL 1E-400",
         [&] { m_data.TL = 1e-400L; },
         "the value 1E-400 of Total Length, TL is not 0 but smaller than 1E-307 in size"},
        {"E not a number",
         [&] { m_data.E = std::nanl(""); },
         "the value of Modulus of Elasticity, E is not a finite number"},
        {"increment infinite",
         [&] { m_data.Increment = -HUGE_VALL; },
         "the value of Length of each computation increment is not a finite number"},
        {"critical depth -1E20",
         [&] { m_data.CriticalDepth = -1e20L; },
         "the value -1E20 of User-Specified Critical Depth is larger than 1E15 in size"},
        {"maximum side friction of layer 2",
         [&] { soilCell(SoilColumn::kMaxSideFriction, 1, 3e16L); },
         "the value 3E16 of Max. Side Friction in the table Soil Properties, layer 2, is larger "
         "than 1E15 in size"},
        {"undrained strength at the bottom of layer 2",
         [&] { layerCell(1, ClayColumn::kUndrainedStrength, 1, 1e-400L); },
         "the value 1E-400 of Undrained Shear Strength in the table Clay Layer Data, layer 2, "
         "row 2 (bottom), is not 0 but smaller than 1E-307 in size"},
        {"t-z depth",
         [&] {
             m_data.PrintExtraTz = 1;
             m_tables.TblTZDepth().Columns(TzDepthColumn::kDepth).SetFloat(0, 1e17L);
         },
         "the value 1E17 of Depth below the ground surface in the table Depths for "
         "Internally-generated t-z curves, row 1, is larger than 1E15 in size"},
        {"depth of CPT point 3",
         [&] { m_cpt.Line(0).Points(2).Y = 1e16L; },
         "the value 1.00E+16 of the depth of CPT point 3 is larger than 1E15 in size"},
        // What the file holds is kept: the limits themselves, a value written as the limit,
        // the smallest a 64-bit real holds, and 0.
        {"OD 1E15", [&] { m_data.OD = 1e15L; }, ""},
        {"OD written as 1E15", [&] { m_data.OD = 1.0000000001e15L; }, ""},
        {"ZFL -1E15", [&] { m_data.ZFL = -1e15L; }, ""},
        {"TL 2.3E-308", [&] { m_data.TL = 2.3e-308L; }, ""},
        {"PSL 0", [&] { m_data.PSL = 0; }, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string refusal;
        OpenExample("", "", &cpt, refusal);
        ASSERT_EQ(refusal, "");
        c.change();
        const std::string message = Save();
        if (!c.refusal.empty()) {
            EXPECT_EQ(message,
                      "The project could not be saved to " + m_folder.File("E.qr7d") + ": "
                          + c.refusal
                          + ", so the saved project could not be opened again. Please correct "
                            "it and save again; the previous files are unchanged.");
            EXPECT_EQ(ReadAll(m_folder / "E.qr7d"), project);
            EXPECT_EQ(ReadAll(m_folder / "E.cpt"), cpt);
            EXPECT_EQ(FolderNames(m_folder.Path()), (std::vector<std::string>{"E.cpt", "E.qr7d"}));
        } else {
            EXPECT_EQ(message, "");
            EXPECT_NO_THROW(OpenProjectFile(m_folder.File("E.qr7d"), m_data, m_tables, &m_cpt));
        }
    }
}

// A save over a project file that another program changed after this one read or wrote it
// is refused (the caller asks or stops); a file replaced by one of the same text, or gone, is
// nothing lost. A save of another name, or without a stamp, is not checked.
TEST_F(ProjectFileSafetyTest, ASaveOverAFileChangedElsewhereIsRefused)
{
    struct TCase
    {
        const char* name;
        std::function<void()> elsewhere;
        bool refused;
    };
    const TCase cases[] = {
        {"unchanged", [] {}, false},
        {"saved again elsewhere with the same text",
         [this] {
             const std::string text = ReadAll(m_data.FileName);
             fs::remove(m_data.FileName);
             WriteAll(m_data.FileName, text);
         },
         false},
        {"removed", [this] { fs::remove(m_data.FileName); }, false},
        {"saved elsewhere with another title",
         [this] {
             TProgramData other;
             TProjectTables tables;
             TGraphPlot cpt;
             OpenProjectFile(m_data.FileName, other, tables, &cpt);
             other.Title = "Saved elsewhere";
             SaveProjectFile(other, tables, &cpt);
         },
         true},
        {"edited where it is",
         [this] { std::ofstream(m_data.FileName, std::ios::app) << "\r\n"; },
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_data.Title = "Read here";
        TProjectFileStamp stamp;
        SaveProjectFile(m_data, m_tables, &m_cpt, &stamp);
        EXPECT_EQ(stamp.Path, m_data.FileName);
        c.elsewhere();
        const std::string before = fs::exists(m_data.FileName) ? ReadAll(m_data.FileName) : "";
        m_data.Title = "Saved here";
        try {
            SaveProjectFile(m_data, m_tables, &m_cpt, &stamp);
            EXPECT_FALSE(c.refused);
            EXPECT_EQ(ReadAll(m_data.FileName).rfind("Saved here\r\n", 0), 0u);
        } catch (const EProjectFileChanged& e) {
            EXPECT_TRUE(c.refused);
            EXPECT_EQ(e.Message(),
                      "The project file " + m_data.FileName
                          + " was changed by another program after it was opened or saved "
                            "here.");
            EXPECT_EQ(ReadAll(m_data.FileName), before);
            // Overwritten as asked: without the stamp.
            stamp = TProjectFileStamp();
            SaveProjectFile(m_data, m_tables, &m_cpt, &stamp);
        }
        EXPECT_TRUE(StillAsStamped(stamp));
    }
    // The stamp of another name does not hold a Save As back.
    TProjectFileStamp stamp = StampProjectFile(m_data.FileName);
    WriteAll(m_data.FileName, "changed");
    m_data.FileName = m_folder.File("Q.qr7d");
    EXPECT_NO_THROW(SaveProjectFile(m_data, m_tables, &m_cpt, &stamp));
    EXPECT_EQ(stamp.Path, m_data.FileName);
}

// A project name near the longest a file may have is saved and opened like any other: the
// lock, the marker and the temporary files beside it shorten their names, and nothing is left.
TEST_F(ProjectFileSafetyTest, LongNamesAreSavedAndLeaveNothingBehind)
{
    const std::size_t longest = 255;
    for (const std::size_t length : {230, 234, 240, 250, 255}) {
        SCOPED_TRACE(length);
        const fs::path folder = m_folder / std::to_string(length);
        fs::create_directories(folder);
        const std::string name = std::string(length - 5, 'n') + ".qr7d";
        ASSERT_LE(name.size(), longest);
        m_data.FileName = (folder / name).string();
        m_data.Title = "Long " + std::to_string(length);
        ASSERT_EQ(Save(), "");
        TProgramData reopened;
        TProjectTables tables;
        TGraphPlot cpt;
        OpenProjectFile(m_data.FileName, reopened, tables, &cpt);
        EXPECT_EQ(reopened.Title, m_data.Title);
        EXPECT_EQ(FolderNames(folder),
                  (std::vector<std::string>{std::string(length - 5, 'n') + ".cpt", name}));
    }
}

// Values the engine would refuse, or a file cut short, are refused at their line and item,
// with the file named; a short file keeps the reader's own words.
TEST_F(ProjectFileSafetyTest, RefusalsNameTheFileTheLineAndTheItem)
{
    const std::string cpt = ReadAll(kExampleFolder / "PipeSandClay.cpt");
    const std::string project = ReadAll(kExampleFolder / "PipeSandClay.qr7d");
    std::size_t cut = 0;
    for (int line = 0; line < 14; ++line) {
        cut = project.find('\n', cut) + 1;
    }
    const std::string emptyLine = "\n";
    const std::string huge = " 1 2\r\n  0.00E+00  4.00E+04\r\n  5.00E+00  1.00E+309\r\n";
    const std::string shortCpt = cpt.substr(0, cpt.find("  1.50E+01")); // three points
    const std::string end = "\rFile: " + m_folder.File("E.qr7d");
    const std::string largest = "A number of at most 1E15 in size was expected but not found.";
    struct TCase
    {
        const char* name;
        std::string from, to;
        const std::string* cpt;
        std::string message;
    };
    const TCase cases[] = {
        {"1E309 as the outside diameter",
         "0 0 24 22.5",
         "0 0 1E309 22.5",
         &cpt,
         "Error on Line 5 Item 3\r" + largest + end},
        {"1E16 as a unit weight",
         "20 1 0.8 62 30 20 ",
         "20 1 0.8 1E16 30 20 ",
         &cpt,
         "Error on Line 12 Item 4\r" + largest + end},
        {"1E-400 as the increment",
         "\r\n0 1 1 0 4 1 0\r\n",
         "\r\n0 1E-400 1 0 4 1 0\r\n",
         &cpt,
         "Error on Line 7 Item 2\rA number of 0 or at least 1E-307 in size was expected but not "
         "found."
             + end},
        {"pile type 8",
         "\r\n0 1 1 0 4 1 0\r\n",
         "\r\n0 1 8 0 4 1 0\r\n",
         &cpt,
         "Error on Line 7 Item 3\rA pile type of 1 to 7 was expected but not found." + end},
        {"load-settlement method 10",
         "\r\n0 1 1 0 4 1 0\r\n",
         "\r\n0 1 1 0 10 1 0\r\n",
         &cpt,
         "Error on Line 7 Item 5\rA load-settlement method of 1 to 9 was expected but not found."
             + end},
        {"odd soil-row count",
         "\r\n1 5 8 0 \r\n",
         "\r\n1 5 7 0 \r\n",
         &cpt,
         "Error on Line 4 Item 3\rAn even number of soil rows, at least 2, was expected but not "
         "found (each layer has a top and a bottom row)."
             + end},
        {"cut inside a soil row",
         project.substr(cut),
         "",
         &cpt,
         std::string(TWordReader::kIncompleteText)
             + "\rError on Line 15 Item 1\rThe file ends inside the soil rows, layer 2 of 4 (top "
               "row)."
             + end},
        {"CPT side file cut short",
         "",
         "",
         &shortCpt,
         "CPT file " + m_folder.File("E.cpt") + ":\r" + TWordReader::kIncompleteText
             + "\rError on Line 5 Item 1\rThe file ends after 3 of its 21 points."},
        {"CPT side file of one empty line (found by fuzzing)",
         "",
         "",
         &emptyLine,
         "CPT file " + m_folder.File("E.cpt") + ":\r" + TWordReader::kIncompleteText
             + "\rError on Line 2 Item 1\rThe file ends before its unit code and number of "
               "points."},
        {"1E309 as a CPT value",
         "",
         "",
         &huge,
         "CPT file " + m_folder.File("E.cpt") + ":\rError on Line 3 Item 2\r" + largest},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_data.Title = "open before";
        std::string refusal;
        OpenExample(c.from, c.to, c.cpt, refusal);
        EXPECT_EQ(refusal, c.message);
        EXPECT_EQ(m_data.Title, "open before");
    }
}

} // namespace
