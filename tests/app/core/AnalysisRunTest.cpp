#include "AnalysisRun.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LockHolder.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "support/Exception.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

struct TRecorder : TRunReporter
{
    std::vector<std::string> Messages; // information and warning, in order
    int Busy = 0;
    int BusyEnded = 0;
    void Information(const std::string& text) override { Messages.push_back(text); }
    void Warning(const std::string& text) override { Messages.push_back("warning: " + text); }
    void BeginBusy() override { ++Busy; }
    void EndBusy() override { ++BusyEnded; }
};

// A project folder, an engine folder and a private temporary folder (TMPDIR) for the run
// folder, all under one folder removed afterwards.
class AnalysisRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = m_folder.Path();
        fs::create_directories(m_root / "project");
        fs::create_directories(m_root / "engine");
        fs::create_directories(m_root / "tmp");
        const char* old = std::getenv("TMPDIR");
        m_hadTmpDir = old != nullptr;
        if (old != nullptr) {
            m_oldTmpDir = old;
        }
        ::setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
        m_startFolder = fs::current_path();

        m_data.FileName = (m_root / "project" / "Pile.qr7d").string();
        m_data.E = 29.0e6L;
        WriteFile(m_data.FileName, "project\n");

        m_steps.SaveProject = [this] {
            ++m_saves;
            return true;
        };
        m_steps.ReadPlotData = [this](const std::string& path) {
            m_plotRead = path;
            m_plotText = ReadFile(path);
            return true;
        };
        m_steps.WriteGrlweapFile = [this](const std::string& path) {
            m_grlweapWritten = path;
            WriteFile(path, "gwi\n");
        };
        m_steps.AfterRun = [this] {
            ++m_afterRuns;
        };
    }

    void TearDown() override
    {
        std::error_code ec;
        fs::current_path(m_startFolder, ec);
        if (m_hadTmpDir) {
            ::setenv("TMPDIR", m_oldTmpDir.c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }

    void InstallEngine(const char* module)
    {
        fs::copy_file(module,
                      m_root / "engine" / kEngineModuleName,
                      fs::copy_options::overwrite_existing);
    }

    fs::path Sibling(const char* extension) const
    {
        return fs::path(m_data.FileName).replace_extension(extension);
    }

    // Results of an earlier run, which no run may show as its own.
    void PlantOldResults()
    {
        for (const char* ext : {".qr7o", ".qr7p", ".gwi"}) {
            WriteFile(Sibling(ext), "OLD\n");
        }
    }

    TRunOutcome Run()
    {
        TAnalysisRun run;
        const TRunOutcome outcome = run.Run(m_data, m_tables, m_root / "engine", m_steps, m_rec);
        EXPECT_FALSE(run.Running());
        // The current folder is put back, and the run folder is gone, whatever happened.
        EXPECT_EQ(fs::current_path(), m_startFolder);
        EXPECT_TRUE(fs::is_empty(m_root / "tmp"));
        return outcome;
    }

    TTestFolder m_folder{"apprun-test"};
    fs::path m_root;
    fs::path m_startFolder;
    bool m_hadTmpDir = false;
    std::string m_oldTmpDir;
    TProgramData m_data;
    TProjectTables m_tables;
    TRunSteps m_steps;
    TRecorder m_rec;
    int m_saves = 0;
    int m_afterRuns = 0;
    std::string m_plotRead;
    std::string m_plotText;
    std::string m_grlweapWritten;
};

TEST(RunFiles, NamesFileText)
{
    const TRunFiles files = RunFilesFor("/data/piles/Pile A.qr7d");
    EXPECT_EQ(files.Grlweap, fs::path("/data/piles/Pile A.gwi"));
    EXPECT_EQ(NamesFileText(files),
              "2015.7.2\r\n"
              "/data/piles/Pile A.qr7d\r\n"
              "/data/piles/Pile A.qr7o\r\n"
              "/data/piles/Pile A.qr7p\r\n"
              "/data/piles/Pile A.cpt\r\n");
}

TEST_F(AnalysisRunTest, GoodRunHandsOverTheNamesInAPrivateFolder)
{
    InstallEngine(FAKE_ENGINE_OK);
    PlantOldResults();
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_TRUE(outcome.PlotsLoaded);
    EXPECT_EQ(m_rec.Messages, std::vector<std::string>{kCompletedText});
    EXPECT_EQ(m_rec.Busy, 1);
    EXPECT_EQ(m_rec.BusyEnded, 1);
    EXPECT_EQ(m_saves, 1);
    EXPECT_EQ(m_afterRuns, 1);

    const std::vector<std::string> report = Lines(ReadFile(Sibling(".qr7o")));
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[0], "argument=2");
    const fs::path callFolder = report[1].substr(4);
    EXPECT_EQ(callFolder.parent_path(), m_root / "tmp");
    EXPECT_EQ(callFolder.filename().string().rfind("quarn-run-", 0), 0u) << callFolder;
    EXPECT_FALSE(fs::exists(callFolder));
    EXPECT_EQ(report[2], "name=2015.7.2");
    EXPECT_EQ(report[3], "name=" + m_data.FileName);
    EXPECT_EQ(report[4], "name=" + Sibling(".qr7o").string());
    EXPECT_EQ(report[5], "name=" + Sibling(".qr7p").string());
    EXPECT_EQ(report[6], "name=" + Sibling(".cpt").string());

    // The new plot data were read, and the GRLWEAP file written beside the project.
    EXPECT_EQ(m_plotRead, Sibling(".qr7p").string());
    EXPECT_EQ(m_plotText, "fake plot data\n");
    EXPECT_EQ(m_grlweapWritten, Sibling(".gwi").string());
    EXPECT_EQ(m_data.GrlweapFileName, Sibling(".gwi").string());
}

TEST_F(AnalysisRunTest, EngineThatCannotBeUsedIsNeverCalled)
{
    struct Case
    {
        const char* name;
        const char* module; // nullptr: no module file at all
        const char* reason; // the loader's, on the line after the program's text
    };
    const std::string module = (m_root / "engine" / kEngineModuleName).string();
    for (const Case& c :
         {Case{"missing file",
               nullptr,
               "cannot open shared object file: No such file or directory"},
          Case{"missing export", FAKE_ENGINE_NOENTRY, "the module does not export _IQUARN"}}) {
        SCOPED_TRACE(c.name);
        fs::remove(m_root / "engine" / kEngineModuleName);
        if (c.module != nullptr) {
            InstallEngine(c.module);
        }
        PlantOldResults();
        m_rec.Messages.clear();
        const TRunOutcome outcome = Run();
        EXPECT_FALSE(outcome.EngineCalled);
        EXPECT_EQ(m_rec.Messages,
                  std::vector<std::string>{std::string(kInitializeFailedText) + "\n" + module + ": "
                                           + c.reason});
        EXPECT_EQ(m_rec.Busy, 0);
        EXPECT_EQ(m_afterRuns, 0);
        EXPECT_TRUE(m_plotRead.empty());
        // Old results are gone, so none is taken for this run's.
        for (const char* ext : {".qr7o", ".qr7p", ".gwi"}) {
            EXPECT_FALSE(fs::exists(Sibling(ext))) << ext;
        }
    }
}

TEST_F(AnalysisRunTest, StatusOneIsSaidInTheCompletionMessage)
{
    InstallEngine(FAKE_ENGINE_STOPPED);
    PlantOldResults();
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_FALSE(outcome.PlotsLoaded);
    EXPECT_EQ(m_rec.Messages,
              std::vector<std::string>{std::string(kCompletedText) + "\n" + kStoppedText});
    EXPECT_TRUE(m_plotRead.empty());
    EXPECT_TRUE(m_grlweapWritten.empty());
    EXPECT_FALSE(fs::exists(Sibling(".qr7p")));
    EXPECT_FALSE(fs::exists(Sibling(".gwi")));
    EXPECT_EQ(m_afterRuns, 1);
}

// The engine's own reason for a stop, when it gave one on its console (a file it could not
// write on a full disk), is the program's message too; it still reaches the standard output.
TEST_F(AnalysisRunTest, TheEnginesConsoleReasonIsSaidInTheCompletionMessage)
{
    InstallEngine(FAKE_ENGINE_FULL);
    const TRunOutcome outcome = Run();
    EXPECT_EQ(outcome.Status, 1);
    const std::string line = "ERROR - THE OUTPUT FILE \"" + Sibling(".qr7o").string()
                             + "\" COULD NOT BE WRITTEN COMPLETELY: No space left on device.";
    EXPECT_EQ(m_rec.Messages, std::vector<std::string>{std::string(kCompletedText) + "\n" + line});
    EXPECT_EQ(outcome.Console, "\n\n          " + line + "\n");
}

// A second window or quarn-run holds the project: the run says so, and writes nothing (no
// save, no names.dat, the last results kept).
TEST_F(AnalysisRunTest, ALockedProjectIsNeitherSavedNorRun)
{
    InstallEngine(FAKE_ENGINE_OK);
    PlantOldResults();
    TLockHolder other(m_data.FileName);
    ASSERT_TRUE(other.Locked());
    TRunOutcome outcome = Run();
    EXPECT_FALSE(outcome.EngineCalled);
    ASSERT_EQ(m_rec.Messages.size(), 1u);
    EXPECT_EQ(
        m_rec.Messages[0].rfind("The project " + m_data.FileName + " is being saved or run by ", 0),
        0u)
        << m_rec.Messages[0];
    EXPECT_EQ(m_saves, 0);
    for (const char* ext : {".qr7o", ".qr7p", ".gwi"}) {
        EXPECT_EQ(ReadFile(Sibling(ext)), "OLD\n") << ext;
    }
    // Once that program is gone, the project runs.
    other.Kill();
    m_rec.Messages.clear();
    outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(fs::exists(ProjectLockFileName(m_data.FileName)));
}

TEST_F(AnalysisRunTest, NoPlotDataFileMeansNoGraphsAndNoGrlweapFile)
{
    InstallEngine(FAKE_ENGINE_NOPLOT);
    PlantOldResults();
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_FALSE(outcome.PlotsLoaded);
    EXPECT_EQ(m_rec.Messages, std::vector<std::string>{kCompletedText});
    EXPECT_TRUE(m_plotRead.empty());
    EXPECT_TRUE(m_grlweapWritten.empty());
    EXPECT_FALSE(fs::exists(Sibling(".qr7p")));
    EXPECT_FALSE(fs::exists(Sibling(".gwi")));
    EXPECT_NE(ReadFile(Sibling(".qr7o")), "OLD\n");
}

TEST_F(AnalysisRunTest, FailedPlotReadWritesNoGrlweapFile)
{
    InstallEngine(FAKE_ENGINE_OK);
    m_steps.ReadPlotData = [](const std::string&) {
        return false;
    };
    EXPECT_FALSE(Run().PlotsLoaded);
    EXPECT_TRUE(m_grlweapWritten.empty());

    m_steps.ReadPlotData = [](const std::string&) -> bool {
        throw Exception("bad plot data");
    };
    m_rec.Messages.clear();
    EXPECT_FALSE(Run().PlotsLoaded);
    EXPECT_EQ(m_rec.Messages, (std::vector<std::string>{kCompletedText, "bad plot data"}));
    EXPECT_TRUE(m_grlweapWritten.empty());

    m_steps.ReadPlotData = [](const std::string&) {
        return true;
    };
    m_steps.WriteGrlweapFile = [](const std::string&) {
        throw Exception("disk full");
    };
    m_rec.Messages.clear();
    m_data.GrlweapFileName.clear();
    EXPECT_TRUE(Run().PlotsLoaded);
    EXPECT_EQ(m_rec.Messages, (std::vector<std::string>{kCompletedText, "disk full"}));
    EXPECT_TRUE(m_data.GrlweapFileName.empty());
}

// Every way the run stops before the engine: the message (or none), and no call.
TEST_F(AnalysisRunTest, RunStopsBeforeTheEngine)
{
    InstallEngine(FAKE_ENGINE_OK);
    struct Case
    {
        const char* name;
        std::function<void(TProgramData&, TProjectTables&, TRunSteps&)> setUp;
        std::vector<std::string> messages;
    };
    const std::string longName(300, 'a');
    const std::vector<Case> cases = {
        {"save failed",
         [](TProgramData&, TProjectTables&, TRunSteps& s) {
             s.SaveProject = []() -> bool {
                 throw Exception("disk full");
             };
         },
         {std::string(kSaveFailedText) + "\ndisk full"}},
        {"save as cancelled",
         [](TProgramData&, TProjectTables&, TRunSteps& s) {
             s.SaveProject = [] {
                 return false;
             };
         },
         {}},
        {"never saved",
         [](TProgramData& d, TProjectTables&, TRunSteps&) { d.FileName = "NewQUARN.qr7d"; },
         {}},
        {"negative outside diameter",
         [](TProgramData& d, TProjectTables&, TRunSteps&) { d.OD = -24; },
         {"warning: Outside Diameter should not be negative.\n"
          "Please check input data (Circular Pile Window)"}},
        {"modulus zero",
         [](TProgramData& d, TProjectTables&, TRunSteps&) { d.E = 0; },
         {"warning: Modulus of Elasticity should be greater than zero.\n"
          "Please check input data (Pile Material Window)"}},
        {"too many t-z depths",
         [](TProgramData& d, TProjectTables& t, TRunSteps&) {
             d.PrintExtraTz = 1;
             t.TblTZDepth().SetRowCount(101);
         },
         {"warning: The project has 101 depths for extra t-z curves; the computation takes at "
          "most 100.\nPlease check input data (t-z Depths Window)"}},
        {"too many CPT points",
         [](TProgramData& d, TProjectTables&, TRunSteps&) { d.CptPointCount = 1001; },
         {"warning: The project has 1001 CPT points; the computation takes at most 1000.\n"
          "Please check input data (CPT Data Window)"}},
        {"path too long for the engine",
         [&](TProgramData& d, TProjectTables&, TRunSteps&) {
             d.FileName = (m_root / "project" / (longName + ".qr7d")).string();
         },
         {"The path of the project file is too long for the computation (at most 255 "
          "characters):\n"
          + (m_root / "project" / (longName + ".qr7d")).string()}},
        // names.dat carries each path on a line of its own: a line break in the folder or the
        // name would hand the engine other paths (the report as "OUTSIDE/v3").
        {"line feed in the folder",
         [&](TProgramData& d, TProjectTables&, TRunSteps&) {
             fs::create_directories(m_root / "project" / "x\nOUTSIDE");
             d.FileName = (m_root / "project" / "x\nOUTSIDE" / "v3.qr7d").string();
         },
         {"The path of the project file holds a line break (<CR> or <LF> below), which the "
          "computation cannot be handed:\n"
          + (m_root / "project" / "x<LF>OUTSIDE" / "v3.qr7d").string()
          + "\nSave the project under a name and in a folder without line breaks to run it."}},
        {"carriage return in the name",
         [&](TProgramData& d, TProjectTables&, TRunSteps&) {
             d.FileName = (m_root / "project" / "v3\r.qr7d").string();
         },
         {"The path of the project file holds a line break (<CR> or <LF> below), which the "
          "computation cannot be handed:\n"
          + (m_root / "project" / "v3<CR>.qr7d").string()
          + "\nSave the project under a name and in a folder without line breaks to run it."}},
        {"names.dat cannot be written",
         [&](TProgramData&, TProjectTables&, TRunSteps&) {
             ::setenv("TMPDIR", (m_root / "tmp" / "missing").c_str(), 1);
         },
         {kNamesFailedText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TProgramData data = m_data;
        TRunSteps steps = m_steps;
        c.setUp(data, m_tables, steps);
        TRecorder rec;
        TAnalysisRun run;
        const TRunOutcome outcome = run.Run(data, m_tables, m_root / "engine", steps, rec);
        EXPECT_FALSE(outcome.EngineCalled);
        EXPECT_EQ(rec.Messages, c.messages);
        EXPECT_FALSE(fs::exists(Sibling(".qr7o")));
        EXPECT_EQ(fs::current_path(), m_startFolder);
        EXPECT_TRUE(fs::is_empty(m_root / "tmp"));
        EXPECT_EQ(m_afterRuns, 0);
        m_tables.TblTZDepth().SetRowCount(1);
        ::setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
    }
    // At the limits the run goes ahead.
    m_data.PrintExtraTz = 1;
    m_tables.TblTZDepth().SetRowCount(100);
    m_data.CptPointCount = 1000;
    EXPECT_TRUE(Run().EngineCalled);
}

TEST_F(AnalysisRunTest, RealEngineRunsTheEnglishExample)
{
    const fs::path example = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";
    if (!fs::exists(example / "PipeSandClay.qr7d")) {
        GTEST_SKIP() << "no example project";
    }
    fs::copy_file(example / "PipeSandClay.qr7d", m_root / "project" / "PipeSandClay.qr7d");
    fs::copy_file(example / "PipeSandClay.cpt", m_root / "project" / "PipeSandClay.cpt");
    m_data.FileName = (m_root / "project" / "PipeSandClay.qr7d").string();
    InstallEngine(QUARN_ENGINE_MODULE);
    PlantOldResults();
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(outcome.Status, 0) << ReadFile(Sibling(".qr7o"));
    EXPECT_EQ(m_rec.Messages, std::vector<std::string>{kCompletedText});
    const std::string report = ReadFile(Sibling(".qr7o"));
    EXPECT_NE(report, "OLD\n");
    EXPECT_FALSE(report.empty());
    EXPECT_TRUE(outcome.PlotsLoaded);
    EXPECT_NE(m_plotText, "OLD\n");
    EXPECT_FALSE(m_plotText.empty());
}

} // namespace
