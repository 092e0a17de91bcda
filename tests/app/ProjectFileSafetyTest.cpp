// Saves and opens against what happens to files in use: links, modes, other processes
// holding the project, saves cut short, damaged and hostile values.
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "LockHolder.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "SafeFile.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "plot/TGraphPlot.h"
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
