// Files a run cannot open or read: names.dat, the project, the CPT side file, the report.
#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "FileSizeLimit.h"

namespace {

using namespace enginetest;

void WriteExample(const TTempDir& dir)
{
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("english")));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("english"));
}

TEST(EngineFiles, MissingNamesFileStopsWithItsName)
{
    TTempDir dir;
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(
        Contains(out.console,
                 "ERROR - THE HAND-OVER FILE \"" + dir.File("names.dat") + "\" CANNOT BE OPENED."));
    EXPECT_FALSE(out.reportExists);
}

TEST(EngineFiles, ShortNamesFileWithoutTerminalStops)
{
    TTempDir dir;
    WriteExample(dir);
    WriteFile(dir.Path() / "names.dat", "2015.7.2\r\n" + dir.File("P.qr7d") + "\r\n");
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(
        Contains(out.console, "LINE 3: THE FILE ENDS BEFORE ALL FOUR FILE NAMES WERE READ."));
    EXPECT_FALSE(Contains(out.console, "ENTER A FILE NAME"));
}

TEST(EngineFiles, ShortNamesFileAtATerminalPromptsForThreeNames)
{
    TTempDir dir;
    WriteExample(dir);
    WriteFile(dir.Path() / "names.dat", "2015.7.2\r\n" + dir.File("P.qr7d") + "\r\n");
    std::ostringstream console;
    std::istringstream answers(dir.File("P.qr7d") + "\n" + dir.File("Q.qr7o") + "\n"
                               + dir.File("Q.qr7p") + "\n");
    TRunEnvironment env = TestEnvironment(dir, console, answers);
    env.promptsAllowed = true;
    EXPECT_EQ(RunEngine(2, env), 1); // the CPT path is not asked for and stays blank
    EXPECT_TRUE(Contains(console.str(),
                         "\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >"
                         "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >"
                         "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >"));
    const std::string report = ReadFile(dir.Path() / "Q.qr7o");
    EXPECT_TRUE(Contains(report, "Name of plot output file    : Q.qr7p"));
    EXPECT_TRUE(Contains(report, "ERROR - THE CPT FILE \"\" CANNOT BE OPENED."));
}

TEST(EngineFiles, PromptsThatGetNoAnswerStop)
{
    TTempDir dir;
    WriteFile(dir.Path() / "names.dat", "2015.7.2\r\n");
    std::ostringstream console;
    std::istringstream answers("");
    TRunEnvironment env = TestEnvironment(dir, console, answers);
    env.promptsAllowed = true;
    EXPECT_EQ(RunEngine(2, env), 1);
    EXPECT_TRUE(Contains(console.str(), "ERROR - NO FILE NAME WAS GIVEN FOR THE INPUT FILE."));
}

TEST(EngineFiles, LongPathsAreTakenWhole)
{
    TTempDir dir;
    const std::string folder = dir.File(std::string(150, 'f'));
    fs::create_directories(fs::path(folder) / std::string(150, 'g'));
    const std::string base = folder + "/" + std::string(150, 'g') + "/P";
    WriteFile(base + ".qr7d", JoinCrLf(ExampleLines("english")));
    WriteFile(base + ".cpt", ExampleCpt("english"));
    WriteFile(dir.Path() / "names.dat",
              "2015.7.2\r\n" + base + ".qr7d\r\n" + base + ".qr7o\r\n" + base + ".qr7p\r\n" + base
                  + ".cpt\r\n");
    ASSERT_GT(base.size(), 255u);
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(fs::exists(base + ".qr7o"));
    EXPECT_TRUE(fs::exists(base + ".qr7p"));
}

TEST(EngineFiles, MissingProjectIsNamedInTheReport)
{
    TTempDir dir;
    WriteNames(dir, "P");
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.report,
                         "\n\n          ERROR - THE INPUT FILE \"" + dir.File("P.qr7d")
                             + "\" CANNOT BE OPENED.\n"));
    EXPECT_FALSE(out.plotExists); // the input is opened first
}

TEST(EngineFiles, MissingCptFileIsNamedInTheReport)
{
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("english")));
    WriteNames(dir, "P");
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.report,
                         "ERROR - THE CPT FILE \"" + dir.File("P.cpt") + "\" CANNOT BE OPENED."));
    EXPECT_TRUE(out.plotExists);
    EXPECT_EQ(out.plot, "");
}

TEST(EngineFiles, ProjectThatIsAFolderIsRefused)
{
    TTempDir dir;
    fs::create_directory(dir.Path() / "P.qr7d");
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("english"));
    WriteNames(dir, "P");
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.report, "ERROR - THE INPUT FILE"));
}

TEST(EngineFiles, ReportThatCannotBeWrittenStops)
{
    TTempDir dir;
    WriteExample(dir);
    WriteFile(dir.Path() / "names.dat",
              "2015.7.2\r\n" + dir.File("P.qr7d") + "\r\n" + dir.File("no/such/P.qr7o") + "\r\n"
                  + dir.File("P.qr7p") + "\r\n" + dir.File("P.cpt") + "\r\n");
    const TRunOutcome out = RunIn(dir);
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.console,
                         "ERROR - THE OUTPUT FILE \"" + dir.File("no/such/P.qr7o")
                             + "\" CANNOT BE WRITTEN: No such file or directory."));
}

// A write the system refuses part way (a full disk; here the process's file-size limit, which
// the larger of the two files passes) stops the run with status 1 and names the file and the
// system's reason, never a silent cut.
TEST(EngineFiles, AFullDiskStopsTheRunWithTheFileAndTheReason)
{
    struct TCase
    {
        const char* name;
        const char* control; // print interval 5: the report is the larger, 1: the plot data
        bool reportFull;     // else the plot data
        const char* what;
        const char* file;
    };
    const TCase cases[] = {
        {"report", "1 5 8 0 ", true, "OUTPUT FILE", "P.qr7o"},
        {"plot data", "1 1 8 0 ", false, "PLOT DATA FILE", "P.qr7p"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTempDir dir;
        std::vector<std::string> lines = ExampleLines("english");
        lines[kLineControl] = c.control;
        const TRunOutcome whole = RunProject(dir, lines, ExampleCpt("english"));
        ASSERT_EQ(whole.status, 0);
        ASSERT_EQ(whole.report.size() > whole.plot.size(), c.reportFull);
        const std::size_t smaller = std::min(whole.report.size(), whole.plot.size());
        const std::size_t larger = std::max(whole.report.size(), whole.plot.size());
        ASSERT_GT(larger - smaller, 1000u); // room for the message in the report
        TRunOutcome out;
        {
            const TFileSizeLimit full((smaller + larger) / 2);
            out = RunIn(dir);
        }
        EXPECT_EQ(out.status, 1);
        const std::string message = std::string("\n\n          ERROR - THE ") + c.what + " \""
                                    + dir.File(c.file)
                                    + "\" COULD NOT BE WRITTEN COMPLETELY: File too large.\n";
        EXPECT_TRUE(Contains(out.console, message)) << out.console;
        if (!c.reportFull) {
            ASSERT_GE(out.report.size(), message.size());
            EXPECT_EQ(out.report.substr(out.report.size() - message.size()), message);
        }
        // Beside a cut report the plot data stays empty, as after any stopped run; plot data
        // that were cut are emptied.
        EXPECT_TRUE(out.plotExists);
        EXPECT_EQ(out.plot, "");
    }
}

TEST(EngineFiles, ArgumentsOtherThanTwoReturnOneAndTouchNothing)
{
    TTempDir dir;
    WriteExample(dir);
    WriteNames(dir, "P");
    std::ostringstream console;
    std::istringstream none;
    for (int argument : {1, 0, 3, -2}) {
        EXPECT_EQ(RunEngine(argument, TestEnvironment(dir, console, none)), 1);
        EXPECT_EQ(RunEngine(argument), 1);
    }
    EXPECT_EQ(console.str(), "");
    EXPECT_FALSE(fs::exists(dir.Path() / "P.qr7o"));
    EXPECT_FALSE(fs::exists(dir.Path() / "P.qr7p"));
}

// A second run puts new files in place of the old ones instead of cutting them open: whoever
// still reads the old report reads it whole, the new files keep the old ones' permissions, and
// no file of the run's own is left beside them.
TEST(EngineFiles, ASecondRunReplacesItsFilesWhole)
{
    TTempDir dir;
    WriteExample(dir);
    WriteNames(dir, "P");
    const TRunOutcome first = RunIn(dir);
    ASSERT_EQ(first.status, 0);
    fs::permissions(dir.Path() / "P.qr7o",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::ifstream stillOpen(dir.Path() / "P.qr7o", std::ios::binary);
    ASSERT_TRUE(stillOpen);

    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineTitle] = "A second title";
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(lines));
    const TRunOutcome second = RunIn(dir);
    ASSERT_EQ(second.status, 0);

    std::ostringstream old;
    old << stillOpen.rdbuf();
    EXPECT_EQ(old.str(), first.report);
    EXPECT_TRUE(Contains(second.report, "A second title"));
    EXPECT_EQ(fs::status(dir.Path() / "P.qr7o").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"P.cpt", "P.qr7d", "P.qr7o", "P.qr7p", "names.dat"}));
}

} // namespace
