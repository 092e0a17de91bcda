#include "AnalysisRun.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include <unistd.h>

#include "CptSideFile.h"
#include "EngineConsole.h"
#include "ProjectFile.h"
#include "ProjectLock.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "grid/TGridTable.h"
#include "support/TDynamicLibrary.h"
#include "support/TWordReader.h"

namespace fs = std::filesystem;

namespace {

using TEngineEntry = std::int32_t (*)(std::int32_t);

fs::path WithExtension(const fs::path& path, const char* extension)
{
    fs::path result = path;
    result.replace_extension(extension);
    return result;
}

// A private folder for names.dat, removed with its content when the run ends.
class TRunFolder
{
public:
    TRunFolder()
    {
        std::error_code ec;
        const fs::path base = fs::temp_directory_path(ec);
        if (ec) {
            return;
        }
        // Named by the process, so a folder left by a killed run can be told apart.
        std::string pattern =
            (base / (std::string(kRunFolderPrefix) + std::to_string(::getpid()) + "-XXXXXX"))
                .string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) != nullptr) {
            m_path = buffer.data();
        }
    }
    ~TRunFolder()
    {
        if (!m_path.empty()) {
            std::error_code ec;
            fs::remove_all(m_path, ec);
        }
    }
    TRunFolder(const TRunFolder&) = delete;
    TRunFolder& operator=(const TRunFolder&) = delete;

    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// Makes a folder the current one and puts the previous one back when it ends.
class TCurrentFolder
{
public:
    explicit TCurrentFolder(const fs::path& folder)
    {
        m_previous = fs::current_path(m_error);
        if (!m_error) {
            fs::current_path(folder, m_error);
        }
    }
    ~TCurrentFolder()
    {
        if (!m_error) {
            std::error_code ec;
            fs::current_path(m_previous, ec);
        }
    }
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;

    bool Ok() const { return !m_error; }

private:
    fs::path m_previous;
    std::error_code m_error;
};

bool WriteNamesFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

// The CPT depths as the save wrote them for the engine; none when the side file can't be
// read (the engine then says so itself).
std::vector<long double> SavedCptDepths(const std::string& projectFileName)
{
    std::vector<long double> depths;
    try {
        for (const TCptSidePoint& point :
             ReadCptSideFile(CptSideFileName(projectFileName)).Points) {
            depths.push_back(point.Depth);
        }
    } catch (const EInOutError&) {
        depths.clear();
    }
    return depths;
}

// The engine takes each path of names.dat as one line, up to its LF and without a CR before
// it: a path holding either would reach it cut, or as two paths.
bool HoldsLineBreak(const std::string& path)
{
    return path.find_first_of("\r\n") != std::string::npos;
}

// A path for a message, its line breaks shown as what they are.
std::string ShownPath(const std::string& path)
{
    std::string shown;
    for (const char c : path) {
        shown += c == '\r'   ? std::string("<CR>")
                 : c == '\n' ? std::string("<LF>")
                             : std::string(1, c);
    }
    return shown;
}

} // namespace

TRunFiles RunFilesFor(const std::string& projectFileName)
{
    std::error_code ec;
    fs::path project = fs::absolute(fs::path(projectFileName), ec);
    if (ec) {
        project = projectFileName;
    }
    project = project.lexically_normal();
    TRunFiles files;
    files.Project = project;
    files.Report = WithExtension(project, ".qr7o");
    files.PlotData = WithExtension(project, ".qr7p");
    files.Cpt = WithExtension(project, ".cpt");
    files.Grlweap = WithExtension(project, ".gwi");
    return files;
}

std::string NamesFileText(const TRunFiles& files)
{
    std::string text = std::string(kVersionText) + "\r\n";
    for (const fs::path* path : {&files.Project, &files.Report, &files.PlotData, &files.Cpt}) {
        text += path->string() + "\r\n";
    }
    return text;
}

std::optional<std::string> EngineLimitMessage(const TProgramData& data,
                                              const TProjectTables& tables)
{
    if (data.PrintExtraTz == 1 && tables.TblTZDepth().RowCount() > kEngineMaxTzDepths) {
        return "The project has " + std::to_string(tables.TblTZDepth().RowCount())
               + " depths for extra t-z curves; the computation takes at most "
               + std::to_string(kEngineMaxTzDepths)
               + ".\nPlease check input data (t-z Depths Window)";
    }
    if (data.CptPointCount > kEngineMaxCptPoints) {
        return "The project has " + std::to_string(data.CptPointCount)
               + " CPT points; the computation takes at most " + std::to_string(kEngineMaxCptPoints)
               + ".\nPlease check input data (CPT Data Window)";
    }
    return std::nullopt;
}

std::string CompletionMessage(const TRunOutcome& outcome)
{
    if (outcome.Status == 0) {
        return kCompletedText;
    }
    // The engine's own reason when it gave one on its console (a file it could not write or
    // read); otherwise the report holds it.
    std::string reasons;
    for (const std::string& line : EngineErrorLines(outcome.Console)) {
        reasons += "\n" + line;
    }
    return std::string(kCompletedText) + "\n"
           + (reasons.empty() ? kStoppedText : reasons.substr(1));
}

TAnalysisRun::TAnalysisRun() = default;
TAnalysisRun::~TAnalysisRun() = default;

bool TAnalysisRun::PrepareFiles(const TRunFiles& files, TRunReporter& reporter)
{
    const std::pair<const fs::path*, const char*> named[] = {{&files.Project, "project file"},
                                                             {&files.Report, "report"},
                                                             {&files.PlotData, "plot-data file"},
                                                             {&files.Cpt, "CPT side file"}};
    for (const auto& [path, what] : named) {
        if (HoldsLineBreak(path->string())) {
            reporter.Information("The path of the " + std::string(what)
                                 + " holds a line break (<CR> or <LF> below), which the "
                                   "computation cannot be handed:\n"
                                 + ShownPath(path->string())
                                 + "\nSave the project under a name and in a folder without line "
                                   "breaks to run it.");
            return false;
        }
    }
    for (const fs::path* path : {&files.Project, &files.Report, &files.PlotData, &files.Cpt}) {
        if (path->string().size() > kEngineMaxPathLength) {
            reporter.Information("The path of the project file is too long for the computation "
                                 "(at most "
                                 + std::to_string(kEngineMaxPathLength) + " characters):\n"
                                 + path->string());
            return false;
        }
    }
    for (const fs::path* path : {&files.Report, &files.PlotData, &files.Grlweap}) {
        std::error_code ec;
        fs::remove(*path, ec);
        if (ec) {
            reporter.Information("The results of an earlier run could not be removed:\n"
                                 + path->string() + "\n" + ec.message());
            return false;
        }
    }
    return true;
}

TRunOutcome TAnalysisRun::Run(TProgramData& data,
                              const TProjectTables& tables,
                              const fs::path& engineFolder,
                              const TRunSteps& steps,
                              TRunReporter& reporter)
{
    TRunOutcome outcome;
    if (m_library != nullptr) {
        reporter.Information(kReinitializeText);
        return outcome;
    }

    // The project is locked for the whole run, save included: a second window or quarn-run
    // on it is refused before anything is written, and none truncates the other's files.
    TProjectLock lock;
    if (data.FileName != kNewProjectFileName && !lock.Acquire(data.FileName)) {
        reporter.Information(lock.Message());
        return outcome;
    }

    // 1. Save; a failed save stops the run, since the engine would read the old file.
    try {
        if (steps.SaveProject && !steps.SaveProject()) {
            return outcome;
        }
    } catch (const std::exception& e) {
        const std::string detail = e.what();
        reporter.Information(detail.empty() ? std::string(kSaveFailedText)
                                            : std::string(kSaveFailedText) + "\n" + detail);
        return outcome;
    }
    if (data.FileName == kNewProjectFileName) {
        return outcome;
    }
    // A Save As gave the project another name: that one is locked from here on.
    if (!lock.Acquire(data.FileName)) {
        reporter.Information(lock.Message());
        return outcome;
    }

    // 2. Input checks, then values the engine refuses, then what it has room for.
    if (!ValidateInput(data, tables.D(), reporter)) {
        return outcome;
    }
    const std::vector<std::string> negative =
        NegativeInputMessages(data, tables.D(), SavedCptDepths(data.FileName));
    for (const std::string& message : negative) {
        reporter.Warning(message);
    }
    if (!negative.empty()) {
        return outcome;
    }
    if (const auto message = EngineLimitMessage(data, tables)) {
        reporter.Warning(*message);
        return outcome;
    }

    // 3. names.dat in a private folder; old results removed.
    const TRunFiles files = RunFilesFor(data.FileName);
    if (!PrepareFiles(files, reporter)) {
        return outcome;
    }
    data.GrlweapFileName.clear(); // removed with the other results of the last run
    TRunFolder folder;
    if (folder.Path().empty()
        || !WriteNamesFile(folder.Path() / "names.dat", NamesFileText(files))) {
        reporter.Information(kNamesFailedText);
        return outcome;
    }

    // 4. Load the engine afresh; a module without the entry is a failed load.
    m_library = std::make_unique<TDynamicLibrary>();
    TEngineEntry entry = nullptr;
    const std::string modulePath = (engineFolder / kEngineModuleName).string();
    std::string reason;
    try {
        m_library->SetLibraryName(modulePath);
        m_library->Open();
        if (m_library->IsOpen()) {
            entry = reinterpret_cast<TEngineEntry>(m_library->GetProcAddress(kEngineEntryName));
            if (entry == nullptr) {
                reason = std::string("the module does not export ") + kEngineEntryName;
            }
        }
    } catch (const EDLLError& e) {
        entry = nullptr;
        reason = e.Message();
    }
    if (entry == nullptr) {
        if (!m_library->LastError().empty()) {
            reason = m_library->LastError();
            // The loader's text starts with the path itself.
            if (reason.rfind(modulePath + ": ", 0) == 0) {
                reason.erase(0, modulePath.size() + 2);
            }
        }
        m_library.reset();
        reporter.Information(std::string(kInitializeFailedText) + "\n" + modulePath + ": "
                             + (reason.empty() ? std::string("it could not be loaded") : reason));
        return outcome;
    }

    // 5. The call, with the run folder current so the engine finds names.dat.
    {
        TCurrentFolder current(folder.Path());
        if (!current.Ok()) {
            m_library.reset();
            reporter.Information(kNamesFailedText);
            return outcome;
        }
        reporter.BeginBusy();
        TEngineConsole console;
        outcome.Status = entry(kEngineArgument);
        outcome.Console = console.Finish();
        reporter.EndBusy();
    }
    outcome.EngineCalled = true;
    // Unloading drops every trace of the engine's state before the next run.
    m_library.reset();

    reporter.Information(CompletionMessage(outcome));

    // 6. Results.
    std::error_code ec;
    if (fs::exists(files.PlotData, ec) && steps.ReadPlotData) {
        try {
            outcome.PlotsLoaded = steps.ReadPlotData(files.PlotData.string());
        } catch (const std::exception& e) {
            reporter.Information(e.what());
            outcome.PlotsLoaded = false;
        }
    }
    if (outcome.PlotsLoaded && steps.WriteGrlweapFile) {
        try {
            steps.WriteGrlweapFile(files.Grlweap.string());
            data.GrlweapFileName = files.Grlweap.string();
        } catch (const std::exception& e) {
            reporter.Information(e.what());
        }
    }
    if (steps.AfterRun) {
        steps.AfterRun();
    }
    return outcome;
}
