#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "InputChecks.h"

class TDynamicLibrary;
class TProgramData;
class TProjectTables;

// Version text of names.dat (the caption shows the same).
inline constexpr const char* kVersionText = "2015.7.2";
// File name of the engine module in the program's folder.
inline constexpr const char* kEngineModuleName = "QUARN2015_DLL.so";
inline constexpr const char* kEngineEntryName = "_IQUARN";
// What the program passes to the engine.
inline constexpr int kEngineArgument = 2;

// What the engine has room for; a project holding more is refused at the run.
inline constexpr int kEngineMaxTzDepths = 100;
inline constexpr int kEngineMaxCptPoints = 1000;
// Longest path the engine reads from names.dat.
inline constexpr std::size_t kEngineMaxPathLength = 255;

inline constexpr const char* kSaveFailedText = "An error occured during saving";
inline constexpr const char* kNamesFailedText = "An error occured while writing file names";
inline constexpr const char* kReinitializeText = "Attempt to reinitialize DLL";
inline constexpr const char* kInitializeFailedText = "Attempt to initialize DLL failed";
inline constexpr const char* kCompletedText =
    "Computations are completed. Please, check output file for results or error messages.";
// Added to the completion message when the engine answered status 1.
inline constexpr const char* kStoppedText =
    "The computation stopped early: the output file says why.";

// How the run talks to the user: the program shows message boxes and the hourglass,
// quarn-run prints.
class TRunReporter : public TInputCheckReporter
{
public:
    // Information box with OK (file and run messages).
    virtual void Information(const std::string& text) = 0;
    // Warning box with OK (input checks before a run).
    void Warning(const std::string& text) override = 0;
    // Around the engine call (hourglass cursor).
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// The steps of a run that belong to other parts of the program.
struct TRunSteps
{
    // Saves the project as File/Save does. Answers false when the user cancelled (a Save
    // As never confirmed); raises an exception when the save failed.
    std::function<bool()> SaveProject;
    // Reads the plot-data file into the result graphs, showing its own messages; answers
    // the plots-loaded flag. Called only when the file exists.
    std::function<bool(const std::string& plotDataPath)> ReadPlotData;
    // Writes the GRLWEAP file; called after a successful plot-data read. An Exception
    // it raises is shown.
    std::function<void(const std::string& grlweapPath)> WriteGrlweapFile;
    // After every run that reached the engine: result buttons updated, child windows
    // closed.
    std::function<void()> AfterRun;
};

// The paths a run hands to the engine, from the project file's path.
struct TRunFiles
{
    std::filesystem::path Project;
    std::filesystem::path Report;   // ".qr7o"
    std::filesystem::path PlotData; // ".qr7p"
    std::filesystem::path Cpt;      // ".cpt"
    std::filesystem::path Grlweap;  // ".gwi"
};
TRunFiles RunFilesFor(const std::string& projectFileName);

// names.dat: the version text and the four paths, each line ended by CR LF.
std::string NamesFileText(const TRunFiles& files);

// What a run came to.
struct TRunOutcome
{
    bool EngineCalled = false;
    int Status = 0; // the engine's answer: 0 ran to the end, 1 stopped with a message
    bool PlotsLoaded = false;
    std::string Console; // what the engine wrote on its console during the call
};

// The message after the engine call: the completion text, and for status 1 the engine's
// error lines from its console (a file it could not write, and why), or else that the
// report says why.
std::string CompletionMessage(const TRunOutcome& outcome);

// The run folders under the temporary folder: "quarn-run-<process id>-XXXXXX".
inline constexpr const char* kRunFolderPrefix = "quarn-run-";

// Run Analysis, without the windows: the project locked (ProjectLock.h; a project another
// process saves or runs is refused with a message and nothing is written), save, checks,
// names.dat in a private run folder,
// engine loaded from `engineFolder`, called once with 2 and unloaded, plot data read and the
// GRLWEAP file written. Messages go to the reporter; the run stops at the first failure.
//
// An engine that cannot be loaded is named with the loader's reason. What the engine writes
// on its console during the call is collected (and passed on to the standard output).
//
// The run folder is made under the system's temporary folder, is the current folder only
// for the call, and is removed afterwards; the current folder is put back. Report,
// plot-data and GRLWEAP files of an earlier run are removed before the call, so a failed
// run never shows old results as new.
class TAnalysisRun
{
public:
    TAnalysisRun();
    ~TAnalysisRun();
    TAnalysisRun(const TAnalysisRun&) = delete;
    TAnalysisRun& operator=(const TAnalysisRun&) = delete;

    TRunOutcome Run(TProgramData& data,
                    const TProjectTables& tables,
                    const std::filesystem::path& engineFolder,
                    const TRunSteps& steps,
                    TRunReporter& reporter);

    // A library is held: a run is under way.
    bool Running() const { return m_library != nullptr; }

private:
    bool PrepareFiles(const TRunFiles& files, TRunReporter& reporter);
    std::unique_ptr<TDynamicLibrary> m_library;
};

// The message refusing a project the engine has no room for, or nothing.
std::optional<std::string> EngineLimitMessage(const TProgramData& data,
                                              const TProjectTables& tables);
