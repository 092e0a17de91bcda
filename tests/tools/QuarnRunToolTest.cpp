// The headless runner as a user starts it: the real engine on the English example, stand-in
// engine modules beside a copy of the tool, and projects it must refuse without writing.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AnalysisRun.h"
#include "CutSave.h"
#include "FifoAtPath.h"
#include "FileSizeLimit.h"
#include "ProjectLock.h"
#include "ResultGraphs.h"
#include "TestFolder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExampleFolder = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";
constexpr const char* kBanner = "* COMPUTATION RESULT *";

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

// The example with one piece of text replaced; fails the test when the piece is not there.
std::string ExampleWith(const std::string& from, const std::string& to)
{
    std::string text = ReadAll(kExampleFolder / "PipeSandClay.qr7d");
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct TToolOutput
{
    int exitCode = -1;
    std::string out; // standard output
    std::string err; // standard error
};

class QuarnRunToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = m_folder.Path();
        m_project = m_root / "PipeSandClay.qr7d";
    }

    void CopyExample()
    {
        fs::copy_file(kExampleFolder / "PipeSandClay.qr7d", m_project);
        fs::copy_file(kExampleFolder / "PipeSandClay.cpt", m_root / "PipeSandClay.cpt");
    }

    // A copy of the tool in its own folder with `module` beside it as the engine (none when
    // empty); the tool takes the engine from its own folder.
    fs::path ToolWithEngine(const char* module)
    {
        const fs::path bin = m_root / "bin";
        fs::create_directories(bin);
        fs::copy_file(QUARN_RUN_TOOL, bin / "quarn-run", fs::copy_options::overwrite_existing);
        if (module != nullptr) {
            fs::copy_file(module, bin / kEngineModuleName, fs::copy_options::overwrite_existing);
        }
        return bin / "quarn-run";
    }

    TToolOutput Run(const fs::path& tool, const std::string& arguments)
    {
        const fs::path errFile = m_root / "stderr.txt";
        TToolOutput result;
        const std::string command =
            "'" + tool.string() + "' " + arguments + " 2>'" + errFile.string() + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return result;
        }
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = ReadAll(errFile);
        fs::remove(errFile);
        return result;
    }

    TToolOutput RunProject(const fs::path& tool, const fs::path& project)
    {
        return Run(tool, "'" + project.string() + "'");
    }

    // Names of the files in the project's folder (the tool's own folder left out).
    std::set<std::string> ProjectFolderFiles() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_root)) {
            if (entry.path().filename() != "bin") {
                names.insert(entry.path().filename().string());
            }
        }
        return names;
    }

    TTestFolder m_folder{"quarn-run-test"};
    fs::path m_root;
    fs::path m_project;
};

TEST_F(QuarnRunToolTest, RealEngineRunsTheExampleAndTellsWhereTheResultsAre)
{
    CopyExample();
    const std::string projectBefore = ReadAll(m_project);
    const TToolOutput run = RunProject(QUARN_RUN_TOOL, m_project);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, kCompletedText)) << run.out;
    EXPECT_TRUE(Contains(run.out, "\nstatus: 0 (the run went to its end)\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\nreport: " + (m_root / "PipeSandClay.qr7o").string() + "\n"));
    EXPECT_TRUE(
        Contains(run.out, "\nplot data: " + (m_root / "PipeSandClay.qr7p").string() + "\n"));
    EXPECT_TRUE(Contains(ReadAll(m_root / "PipeSandClay.qr7o"), kBanner));
    EXPECT_TRUE(fs::exists(m_root / "PipeSandClay.qr7p"));
    // The GRLWEAP line names the file only when it was written.
    const fs::path gwi = m_root / "PipeSandClay.gwi";
    EXPECT_EQ(Contains(run.out, "\nGRLWEAP file: " + gwi.string() + "\n"), fs::exists(gwi))
        << run.out;
    // The run saved the project first: the example written again is the same file, and
    // names.dat lived in a run folder of its own.
    EXPECT_EQ(ReadAll(m_project), projectBefore);
    EXPECT_FALSE(fs::exists(m_root / "names.dat"));
    EXPECT_FALSE(fs::exists(m_root / "PipeSandClay.qr7d.saving~"));
}

// Stand-in engines beside a copy of the tool: what reaches the engine and what each outcome
// prints and exits with.
TEST_F(QuarnRunToolTest, EngineOutcomes)
{
    struct Case
    {
        const char* name;
        const char* module; // nullptr: no engine file at all
        int exitCode;
        const char* printed;   // on standard output
        const char* errorText; // on standard error
    };
    const Case cases[] = {
        {"missing", nullptr, 2, nullptr, kInitializeFailedText},
        {"no entry", FAKE_ENGINE_NOENTRY, 2, nullptr, kInitializeFailedText},
        // Results that cannot be read back are no success, though the engine answered 0.
        {"ran, plot data unreadable",
         FAKE_ENGINE_OK,
         1,
         "\nGRLWEAP file: not written (the plot data could not be read back)\n",
         nullptr},
        {"stopped",
         FAKE_ENGINE_STOPPED,
         1,
         "\nstatus: 1 (the run stopped; the report says why)\n",
         nullptr},
    };
    CopyExample();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* result : {"PipeSandClay.qr7o", "PipeSandClay.qr7p", "PipeSandClay.gwi"}) {
            fs::remove(m_root / result);
        }
        const TToolOutput run = RunProject(ToolWithEngine(c.module), m_project);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        if (c.printed != nullptr) {
            EXPECT_TRUE(Contains(run.out, c.printed)) << run.out;
        }
        if (c.errorText != nullptr) {
            EXPECT_TRUE(Contains(run.err, c.errorText)) << run.err;
        }
        const fs::path report = m_root / "PipeSandClay.qr7o";
        if (c.exitCode == 2) {
            EXPECT_FALSE(fs::exists(report));
            EXPECT_FALSE(Contains(run.out, "status:")) << run.out;
        } else {
            // The stand-in echoes the argument and the names it was handed.
            const std::string echoed = ReadAll(report);
            EXPECT_TRUE(Contains(echoed, "argument=2\n")) << echoed;
            EXPECT_TRUE(Contains(echoed, "name=" + m_project.string() + "\n")) << echoed;
            EXPECT_TRUE(Contains(echoed, "name=" + report.string() + "\n")) << echoed;
            EXPECT_TRUE(Contains(run.out, "\nGRLWEAP file: not written")) << run.out;
            EXPECT_FALSE(fs::exists(m_root / "PipeSandClay.gwi"));
        }
        EXPECT_FALSE(fs::exists(m_root / "bin" / "names.dat"));
        fs::remove(m_root / "bin" / kEngineModuleName);
    }
}

// Projects the tool must refuse: a message naming the file (and line and item where there
// is one), exit status 2, and nothing written or changed beside the project.
TEST_F(QuarnRunToolTest, DamagedProjectsAreRefusedWithoutWriting)
{
    const std::string example = ReadAll(kExampleFolder / "PipeSandClay.qr7d");
    const std::string cpt = ReadAll(kExampleFolder / "PipeSandClay.cpt");
    std::string damagedCpt = cpt;
    const auto qc = damagedCpt.find("6.00E+04");
    ASSERT_NE(qc, std::string::npos);
    damagedCpt.replace(qc, 8, "6.0xE+04");
    struct Case
    {
        const char* name;
        std::string project;
        std::string cptFile;
        std::string message; // besides the project's path
    };
    const Case cases[] = {
        // Line 4 is "1 5 8 0 ": units, print interval, soil rows, closed end.
        {"word not a number",
         ExampleWith("\n1 5 8 0 ", "\n1 x 8 0 "),
         cpt,
         "Error on Line 4 Item 2"},
        {"soil row count out of range",
         ExampleWith("\n1 5 8 0 ", "\n1 5 999 0 "),
         cpt,
         "Error on Line 4 Item 3"},
        {"cut short",
         example.substr(0, example.size() / 2),
         cpt,
         "This file either invalid or incomplete."},
        // Line 3 of the CPT side file holds the second point: depth 5, Qc 60000.
        {"damaged CPT side file", example, damagedCpt, "Error on Line 3 Item 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(m_project, c.project);
        WriteAll(m_root / "PipeSandClay.cpt", c.cptFile);
        const std::set<std::string> before = ProjectFolderFiles();
        const TToolOutput run = RunProject(QUARN_RUN_TOOL, m_project);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(Contains(run.err, m_project.string())) << run.err;
        EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
        EXPECT_FALSE(Contains(run.err, "\r"));
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_EQ(ProjectFolderFiles(), before);
        EXPECT_EQ(ReadAll(m_project), c.project);
        EXPECT_EQ(ReadAll(m_root / "PipeSandClay.cpt"), c.cptFile);
    }

    const TToolOutput missing = RunProject(QUARN_RUN_TOOL, m_root / "none.qr7d");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err,
              "quarn-run: no project file " + (m_root / "none.qr7d").string()
                  + ": it does not exist\n");
    // A FIFO given as the project is named and never opened.
    const TFifoAtPath fifo((m_root / "fifo.qr7d").string());
    ASSERT_TRUE(fifo.Made());
    const TToolOutput notPlain = RunProject(QUARN_RUN_TOOL, m_root / "fifo.qr7d");
    EXPECT_EQ(notPlain.exitCode, 2);
    EXPECT_EQ(notPlain.err,
              "quarn-run: no project file " + (m_root / "fifo.qr7d").string()
                  + ": it is a FIFO, not a plain file\n");
    EXPECT_FALSE(fifo.Opened());
    const TToolOutput noArgument = Run(QUARN_RUN_TOOL, "");
    EXPECT_EQ(noArgument.exitCode, 2);
    EXPECT_EQ(noArgument.err.rfind("usage: quarn-run PROJECT.qr7d\n", 0), 0u) << noArgument.err;
    EXPECT_EQ(Run(QUARN_RUN_TOOL, "'" + m_project.string() + "' extra").exitCode, 2);
}

// A failed input check stops the run as in the program: the warning is printed, the engine
// is never called.
TEST_F(QuarnRunToolTest, FailedInputCheckStopsTheRun)
{
    // Line 5: perimeter, tip area, OD, ID, E, TL, PSL.
    WriteAll(m_project, ExampleWith("0 0 24 22.5 29000000 80 5", "0 0 24 22.5 0 80 5"));
    fs::copy_file(kExampleFolder / "PipeSandClay.cpt", m_root / "PipeSandClay.cpt");
    const TToolOutput run = RunProject(ToolWithEngine(FAKE_ENGINE_OK), m_project);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "Modulus of Elasticity should be greater than zero.")) << run.err;
    EXPECT_FALSE(fs::exists(m_root / "PipeSandClay.qr7o"));
    EXPECT_FALSE(Contains(run.out, "status:")) << run.out;
}

// An older layout is run from a ".qr7d" copy beside it, never written over an existing file.
TEST_F(QuarnRunToolTest, OlderLayoutIsSavedAsTheCurrentOneBesideIt)
{
    // Two layers, FHWA only, E 3E7 psi: the layout of a ".qr6d" file (no adhesion item).
    const std::string qr6d = "T\r\nD\r\nJ\r\n1 1 4 \r\n0 10 20 18 3E7 60 4\r\n0 0\r\n"
                             "0 1 1 0 4 1 1\r\n1 0 0 0 0 0 0 0 0 \r\n40 0\r\n"
                             "0.0 1 0.8 60 30 20 \r\n1000 50000 0.0 12 0.0 0.0 5 0 0 0.9 0.7 \r\n"
                             "20 1 0.8 60 32 20 \r\n1000 50000 0.0 14 0.0 0.0 5 0 0 0.9 0.7 \r\n"
                             "20 2 0.0 50 0.0 0.0 \r\n0 0 500 250 1 20 0 0 0 1 1 \r\n"
                             "40 2 0.0 50 0.0 0.0 \r\n0 0 600 300 1 20 0 0 0 1 1 \r\n"
                             "0\r\n0 1\r\n0 0\r\n3\r\n0 4\r\n10 5\r\n20 6\r\n1 12\r\n";
    const fs::path old = m_root / "old.qr6d";
    WriteAll(old, qr6d);
    const fs::path tool = ToolWithEngine(FAKE_ENGINE_OK);

    const TToolOutput run = RunProject(tool, old);
    // The stand-in's plot data cannot be read back, so the run is no success (1).
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(ReadAll(old), qr6d);
    ASSERT_TRUE(fs::exists(m_root / "old.qr7d"));
    EXPECT_TRUE(fs::exists(m_root / "old.cpt"));
    const std::string echoed = ReadAll(m_root / "old.qr7o");
    EXPECT_TRUE(Contains(echoed, "name=" + (m_root / "old.qr7d").string() + "\n")) << echoed;

    // Now "old.qr7d" exists: the second run refuses rather than overwrite it.
    const std::string current = "left alone\n";
    WriteAll(m_root / "old.qr7d", current);
    fs::remove(m_root / "old.qr7o");
    const std::set<std::string> before = ProjectFolderFiles();
    const TToolOutput again = RunProject(tool, old);
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_TRUE(Contains(again.err, (m_root / "old.qr7d").string())) << again.err;
    EXPECT_EQ(ReadAll(m_root / "old.qr7d"), current);
    EXPECT_EQ(ProjectFolderFiles(), before);
}

// The disk fills while the engine writes its report (the process may write no file beyond
// 20000 bytes; the report is some 31000): the run stops with status 1, and the engine's
// console line and the program's message both name the report and the system's reason.
TEST_F(QuarnRunToolTest, AFullDiskStopsTheRunAndSaysWhichFileAndWhy)
{
    CopyExample();
    TToolOutput run;
    {
        const TFileSizeLimit full(20000);
        run = RunProject(QUARN_RUN_TOOL, m_project);
    }
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    const std::string line = "ERROR - THE OUTPUT FILE \"" + (m_root / "PipeSandClay.qr7o").string()
                             + "\" COULD NOT BE WRITTEN COMPLETELY: File too large.";
    EXPECT_TRUE(Contains(run.out, "\n          " + line + "\n")) << run.out; // the engine's
    EXPECT_TRUE(Contains(run.out, std::string(kCompletedText) + "\n" + line + "\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\nstatus: 1 (the run stopped: " + line + ")\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\nGRLWEAP file: not written (the run stopped)\n")) << run.out;
    // Beside the cut report no plot data is taken for results.
    EXPECT_EQ(ReadAll(m_root / "PipeSandClay.qr7p"), "");
    EXPECT_FALSE(fs::exists(m_root / "PipeSandClay.gwi"));
}

// The summary's GRLWEAP line says why the file is missing. A run whose plot data were read
// back but whose GRLWEAP step wrote nothing (here the load-settlement method, 5, is not among
// the selected methods, so the results hold no profile for it) was summed up as plot data
// that could not be read back.
TEST_F(QuarnRunToolTest, TheGrlweapLineBlamesThePlotDataOnlyWhenTheyWereNotRead)
{
    struct Case
    {
        const char* name;
        std::string project;
        int exitCode;
        const char* grlweapMessage; // printed before the summary; nullptr: none
        std::string summary;        // the summary's GRLWEAP line
    };
    const std::string gwi = (m_root / "PipeSandClay.gwi").string();
    // Line 7: zero-friction length, increment, pile type, option, load-settlement method,
    // t-z option, print option; line 8 selects the methods 1 to 9 (5 is off).
    const Case cases[] = {
        {"load-settlement method 4, computed",
         ReadAll(kExampleFolder / "PipeSandClay.qr7d"),
         0,
         nullptr,
         "\nGRLWEAP file: " + gwi + "\n"},
        {"load-settlement method 5, not selected",
         ExampleWith("\r\n0 1 1 0 4 1 0\r\n", "\r\n0 1 1 0 5 1 0\r\n"),
         1,
         "\nThe GRLWEAP file was not written: the plot data hold no resistance profile of the "
         "load-settlement method.\n",
         "\nGRLWEAP file: not written (the message above says why)\n"},
    };
    fs::copy_file(kExampleFolder / "PipeSandClay.cpt", m_root / "PipeSandClay.cpt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(m_project, c.project);
        const TToolOutput run = RunProject(QUARN_RUN_TOOL, m_project);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, "\nstatus: 0 (the run went to its end)\n")) << run.out;
        EXPECT_FALSE(Contains(run.out, kPlotReadFailedText)) << run.out;
        if (c.grlweapMessage != nullptr) {
            EXPECT_TRUE(Contains(run.out, c.grlweapMessage)) << run.out;
            EXPECT_TRUE(Contains(ReadAll(m_root / "PipeSandClay.qr7o"),
                                 "THE LOAD-SETTLEMENT METHOD WAS NOT COMPUTED IN THIS RUN"));
        }
        EXPECT_TRUE(Contains(run.out, c.summary)) << run.out;
        EXPECT_FALSE(Contains(run.out, "could not be read back")) << run.out;
        EXPECT_EQ(fs::exists(gwi), c.exitCode == 0);
    }
}

// A link at the lock's or the marker's name (an unpacked archive) is replaced by the run's own
// file, never written through: what it names keeps its bytes, and the run goes to its end.
TEST_F(QuarnRunToolTest, LinksAtTheLockAndTheMarkerAreNeverWrittenThrough)
{
    CopyExample();
    fs::create_directories(m_root / "outside");
    const fs::path victim = m_root / "outside" / "victim";
    for (const std::string& name :
         {ProjectLockFileName(m_project.string()), UnfinishedSaveMarker(m_project.string())}) {
        SCOPED_TRACE(name);
        WriteAll(victim, "an engineer's own file\n");
        fs::create_symlink(victim, name);
        const TToolOutput result = RunProject(QUARN_RUN_TOOL, m_project);
        EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
        EXPECT_EQ(ReadAll(victim), "an engineer's own file\n");
        EXPECT_FALSE(fs::exists(fs::symlink_status(name)));
        EXPECT_FALSE(Contains(result.out, "did not finish")) << result.out;
    }
}

// A FIFO or a folder at the CPT side file's name was opened and waited for, the tool held for
// ever. It is refused at once, naming it, and nothing is written.
TEST_F(QuarnRunToolTest, ACptSideFileThatIsNoPlainFileIsRefusedWithoutWaiting)
{
    fs::copy_file(kExampleFolder / "PipeSandClay.qr7d", m_project);
    const fs::path cpt = m_root / "PipeSandClay.cpt";
    for (const char* kind : {"a FIFO", "a folder"}) {
        SCOPED_TRACE(kind);
        std::optional<TFifoAtPath> fifo;
        if (std::string(kind) == "a FIFO") {
            fifo.emplace(cpt.string());
            ASSERT_TRUE(fifo->Made());
        } else {
            fs::create_directory(cpt);
        }
        const TToolOutput run = RunProject(QUARN_RUN_TOOL, m_project);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(Contains(run.err,
                             "CPT file " + cpt.string() + ":\nCannot open file \"" + cpt.string()
                                 + "\": it is " + kind + ", not a plain file.\n"))
            << run.err;
        EXPECT_EQ(ProjectFolderFiles(),
                  (std::set<std::string>{"PipeSandClay.qr7d", "PipeSandClay.cpt"}));
        if (fifo) {
            EXPECT_FALSE(fifo->Opened());
        }
    }
}

// A project "v3<LF>.qr7d" in a folder "x<LF>OUTSIDE" made names.dat hand the engine "<root>/x"
// as the project and "OUTSIDE/v3" as the report. The run is refused before the engine, naming
// the path; the project itself opens and is saved as ever.
TEST_F(QuarnRunToolTest, APathWithALineBreakIsNeverHandedToTheEngine)
{
    const fs::path folder = m_root / "x\nOUTSIDE";
    fs::create_directories(folder);
    const fs::path project = folder / "v3\n.qr7d";
    fs::copy_file(kExampleFolder / "PipeSandClay.qr7d", project);
    fs::copy_file(kExampleFolder / "PipeSandClay.cpt", folder / "v3\n.cpt");
    const std::string before = ReadAll(project);
    const TToolOutput run = RunProject(QUARN_RUN_TOOL, project);
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_TRUE(Contains(run.err,
                         "The path of the project file holds a line break (<CR> or <LF> below), "
                         "which the computation cannot be handed:\n"
                             + (m_root / "x<LF>OUTSIDE" / "v3<LF>.qr7d").string() + "\n"))
        << run.err;
    EXPECT_FALSE(Contains(run.out, "status:")) << run.out;
    EXPECT_EQ(ReadAll(project), before);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"v3\n.qr7d", "v3\n.cpt"}));
    EXPECT_EQ(ProjectFolderFiles(), (std::set<std::string>{"x\nOUTSIDE"}));
}

// A save killed between its renames (CPT side file replaced, project file not) left the whole
// new project in a temporary file, which the next start deleted. Now it is kept beside the
// project, and the run says where before it runs the project as saved before.
TEST_F(QuarnRunToolTest, ASaveCutBetweenItsRenamesIsKeptAndNamed)
{
    CopyExample();
    const std::string later =
        ExampleWith("Steel pipe pile in layered sand and clay\r\n", "The later save\r\n");
    MakeCutSave(m_project, later, ReadAll(kExampleFolder / "PipeSandClay.cpt"), true, "999999999");
    const TToolOutput result = RunProject(QUARN_RUN_TOOL, m_project);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    fs::path kept;
    for (const std::string& name : ProjectFolderFiles()) {
        if (name.starts_with("PipeSandClay (unfinished save ") && name.ends_with(").qr7d")) {
            kept = m_root / name;
        }
    }
    ASSERT_FALSE(kept.empty()) << result.out;
    EXPECT_EQ(ReadAll(kept), later);
    EXPECT_TRUE(Contains(result.out,
                         "The last save of " + m_project.string()
                             + " did not finish: the project file it had written whole was "
                               "not put in place, so the project opens as saved before. That "
                               "save is kept as "
                             + kept.string()))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "\nstatus: 0 (the run went to its end)\n")) << result.out;
    EXPECT_EQ(ReadAll(m_project).rfind("Steel pipe pile in layered sand and clay\r\n", 0), 0u);
    // The kept save runs as any project.
    const TToolOutput keptRun = RunProject(QUARN_RUN_TOOL, kept);
    EXPECT_EQ(keptRun.exitCode, 0) << keptRun.out << keptRun.err;
}

// quarn-run started on the name of a Save As killed between its renames (a CPT side file and
// a marker, no project file) completes that save, says so, and runs it.
TEST_F(QuarnRunToolTest, StartingOnAHalfSavedNameCompletesItAndRuns)
{
    const fs::path project = m_root / "New.qr7d";
    MakeCutSave(project,
                ReadAll(kExampleFolder / "PipeSandClay.qr7d"),
                ReadAll(kExampleFolder / "PipeSandClay.cpt"),
                true,
                "999999999");
    {
        // The lock the killed save held, left behind.
        std::ofstream(ProjectLockFileName(project.string())) << "999999999\nhost\nWINQUARN2015\n";
    }
    const TToolOutput result = RunProject(QUARN_RUN_TOOL, project);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.out.rfind("A save as " + project.string()
                                   + " was cut short before its project file was put in place.",
                               0),
              0u)
        << result.out;
    EXPECT_EQ(ProjectFolderFiles(),
              (std::set<std::string>{"New.cpt", "New.gwi", "New.qr7d", "New.qr7o", "New.qr7p"}));
}

// Two runs of one project at once shared one temporary name: one truncated the other's file,
// and an engine read a half-written project. Now each run either goes to its end or is
// refused before it writes anything; the project is whole after every round.
TEST_F(QuarnRunToolTest, TwoRunsOfOneProjectAtOnceNeverMeet)
{
    CopyExample();
    // A long title makes each save long enough for the two to overlap.
    const std::string title(300000, 'T');
    WriteAll(m_project,
             ExampleWith("Steel pipe pile in layered sand and clay\r\n", title + "\r\n"));
    const std::string refused = "is being saved or run by";
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        pid_t pids[2];
        for (int k = 0; k < 2; ++k) {
            const fs::path out = m_root / ("out" + std::to_string(k) + ".txt");
            const fs::path err = m_root / ("err" + std::to_string(k) + ".txt");
            pids[k] = ::fork();
            if (pids[k] == 0) {
                std::freopen(out.c_str(), "w", stdout);
                std::freopen(err.c_str(), "w", stderr);
                ::execl(QUARN_RUN_TOOL, QUARN_RUN_TOOL, m_project.c_str(), nullptr);
                ::_exit(127);
            }
        }
        for (int k = 0; k < 2; ++k) {
            int status = 0;
            ::waitpid(pids[k], &status, 0);
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            const std::string out = ReadAll(m_root / ("out" + std::to_string(k) + ".txt"));
            const std::string err = ReadAll(m_root / ("err" + std::to_string(k) + ".txt"));
            if (code == 0) {
                EXPECT_TRUE(Contains(out, "\nstatus: 0 (the run went to its end)\n")) << out;
            } else {
                EXPECT_EQ(code, 2) << out << err;
                EXPECT_TRUE(Contains(err, refused)) << err;
            }
            EXPECT_FALSE(Contains(out + err, "THE FILE ENDS BEFORE")) << out << err;
            EXPECT_FALSE(Contains(out + err, "No such file or directory")) << out << err;
        }
        EXPECT_EQ(ReadAll(m_project).rfind(title + "\r\n", 0), 0u);
        EXPECT_TRUE(Contains(ReadAll(m_root / "PipeSandClay.qr7o"), kBanner));
    }
}

} // namespace
