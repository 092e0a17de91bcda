// Headless runner: runs one project through the program's own run (save, input checks,
// engine module beside this program, plot data, GRLWEAP file) and tells where the results
// are. Every message the program would show in a box is printed instead.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "AnalysisRun.h"
#include "EngineConsole.h"
#include "InputFile.h"
#include "ProgramFolder.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "RunResultSteps.h"
#include "StaleFiles.h"
#include "TProgramData.h"
#include "plot/TGraphPlot.h"
#include "support/TWordReader.h"

namespace fs = std::filesystem;

namespace {

// Exit status when the run could not start; 0 and 1 are the engine's own.
constexpr int kNotStarted = 2;

constexpr const char* kUsage =
    "usage: quarn-run PROJECT.qr7d\n"
    "\n"
    "Runs the project as Run Analysis does, with QUARN2015_DLL.so from this program's\n"
    "folder: the project is read and saved again (a .qr6d or .qrd project is saved as\n"
    ".qr7d beside it, never over an existing file), checked, computed, and the report\n"
    "(.qr7o), plot data (.qr7p) and GRLWEAP file (.gwi) are written beside it.\n"
    "An input check that fails is printed and stops the run, as in the program.\n"
    "\n"
    "A project another program saves or runs at the same time, or saved after this run read\n"
    "it, is refused, and nothing is written. Files left by a run or save that was killed are\n"
    "removed first; a save that was cut short is completed or kept beside the project, as\n"
    "the message then says.\n"
    "\n"
    "Exit status: 0 when the computation ran to its end and its results were read back and\n"
    "the GRLWEAP file written; 1 when it stopped (the messages or the report say why), its\n"
    "results could not be read back or the GRLWEAP file was not written; 2 when the run could\n"
    "not start.\n";

// Messages of the run carry the program's line breaks (CR from the readers, LF elsewhere).
void Print(std::ostream& out, std::string_view text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += '\n';
        } else {
            line += text[i];
        }
    }
    out << line << '\n' << std::flush;
}

// Message boxes become printed lines. Until the engine is called every message is a reason
// the run does not go on, so it goes to the error stream; afterwards information (the
// completion, a plot-data or GRLWEAP fault) goes to the output. Warnings of the input checks
// always go to the error stream.
class TConsoleReporter : public TRunReporter
{
public:
    void Information(const std::string& text) override
    {
        ++m_messages;
        Print(m_engineCalled ? std::cout : std::cerr, text);
    }
    void Warning(const std::string& text) override
    {
        ++m_messages;
        Print(std::cerr, text);
    }
    void BeginBusy() override
    {
        m_engineCalled = true;
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
    }
    void EndBusy() override
    {
        // The engine writes its progress lines through the C streams.
        std::fflush(nullptr);
    }
    int Messages() const { return m_messages; }

private:
    bool m_engineCalled = false;
    int m_messages = 0;
};

// The program saves a project of an older layout through Save As, proposing the same name
// with ".qr7d". Headless, that name is taken only when no file has it, since nobody is there
// to confirm an overwrite.
bool ChooseSaveName(TProgramData& data)
{
    const std::string proposed = ProposedSaveName(data.FileName);
    if (proposed == data.FileName) {
        return true;
    }
    std::error_code ec;
    if (fs::exists(proposed, ec) || ec) {
        std::cerr << "quarn-run: " << data.FileName
                  << " holds an older project layout; the run saves it as " << proposed
                  << ", and that file exists already. Run " << proposed
                  << " instead, or move it away.\n";
        return false;
    }
    std::cout << "The project is saved in the current layout as " << proposed << '\n';
    data.FileName = proposed;
    return true;
}

int Run(const fs::path& project)
{
    const fs::path engineFolder = ProgramFolder();
    if (engineFolder.empty()) {
        std::cerr << "quarn-run: cannot find this program's folder\n";
        return kNotStarted;
    }

    TProgramData data;
    TProjectTables tables;
    TGraphPlot cptProfile; // the CPT points, as the program's CPT chart holds them
    TResultGraphs graphs;
    // The file as it was read: a save by another program meanwhile is not saved over.
    TProjectFileStamp stamp = StampProjectFile(project.string());
    try {
        for (const std::string& note :
             OpenProjectFile(project.string(), data, tables, &cptProfile)) {
            Print(std::cout, note);
        }
    } catch (const EInOutError& e) {
        std::cerr << "quarn-run: cannot read the project " << project.string() << ":\n";
        Print(std::cerr, e.Message());
        return kNotStarted;
    }
    if (!ChooseSaveName(data)) {
        return kNotStarted;
    }

    TConsoleReporter reporter;
    TRunSteps steps = RunResultSteps(data, tables, graphs, reporter);
    steps.SaveProject = [&data, &tables, &cptProfile, &stamp] {
        try {
            SaveProjectFile(data, tables, &cptProfile, &stamp);
        } catch (const EProjectFileChanged& e) {
            throw EInOutError(e.Message()
                              + "\nNothing was saved or run; start the run again to run the "
                                "project as it is now.");
        }
        return true;
    };

    TAnalysisRun run;
    const TRunOutcome outcome = run.Run(data, tables, engineFolder, steps, reporter);
    if (!outcome.EngineCalled) {
        if (reporter.Messages() == 0) {
            std::cerr << "quarn-run: the run did not start\n";
        }
        return kNotStarted;
    }

    const TRunFiles files = RunFilesFor(data.FileName);
    const std::vector<std::string> errors = EngineErrorLines(outcome.Console);
    std::cout << "\nstatus: " << outcome.Status
              << (outcome.Status == 0 ? std::string(" (the run went to its end)")
                  : errors.empty()    ? std::string(" (the run stopped; the report says why)")
                                      : " (the run stopped: " + errors.front() + ")")
              << '\n'
              << "report: " << files.Report.string() << '\n'
              << "plot data: " << files.PlotData.string() << '\n';
    const bool grlweapWritten = !data.GrlweapFileName.empty();
    if (grlweapWritten) {
        std::cout << "GRLWEAP file: " << data.GrlweapFileName << '\n';
    } else if (outcome.Status != 0) {
        std::cout << "GRLWEAP file: not written (the run stopped)\n";
    } else if (!outcome.PlotsLoaded) {
        std::cout << "GRLWEAP file: not written (the plot data could not be read back)\n";
    } else {
        // The plot data were read; the GRLWEAP step printed its own reason (a full disk, no
        // load-settlement profile in the results).
        std::cout << "GRLWEAP file: not written (the message above says why)\n";
    }
    // Only a run whose results all came back is a success; any other engine answer than 0
    // is a stop.
    return outcome.Status == 0 && outcome.PlotsLoaded && grlweapWritten ? 0 : 1;
}

// A run holds a few large buffers one after the other: the report and plot data as the
// engine writes them, the plot data read back, the graphs' points. Taken from the heap and
// kept there, each reuses the pages of the one before instead of mapping fresh pages and
// faulting every one of them in, which is a good part of a run's time. The runner lives for
// one run, so keeping the pages costs nothing.
void KeepLargeBuffersOnTheHeap()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the largest glibc allows
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    KeepLargeBuffersOnTheHeap();
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 2) {
        std::cerr << kUsage;
        return kNotStarted;
    }
    try {
        std::error_code ec;
        const fs::path project = fs::absolute(argv[1], ec);
        if (!ec) {
            // What killed runs and saves left; a save cut short at this very name may be
            // completed here, so this comes before the project is looked for.
            for (const std::string& note :
                 RemoveStaleFiles({project.lexically_normal().string()}).Notes) {
                Print(std::cout, note);
            }
        }
        // Looked at, not opened: a FIFO there would hold the run until someone wrote to it.
        const std::string reason = ec ? ec.message() : NotPlainFileReason(project.string());
        if (!reason.empty()) {
            std::cerr << "quarn-run: no project file " << argv[1] << ": " << reason << '\n';
            return kNotStarted;
        }
        return Run(project.lexically_normal());
    } catch (const std::exception& e) {
        std::cerr << "quarn-run: " << e.what() << '\n';
        return kNotStarted;
    }
}
