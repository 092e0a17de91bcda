#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include "AnalysisRun.h"
#include "ProgramSettings.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "main/InputWindows.h"
#include "plot/TGraphPlot.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class TAboutBox;
class TChartForm;
class TDlgExport;
class THelpWindow;

inline constexpr int kWindowListCount = 50;

inline constexpr const char* kCaptionPrefix = "QUARN 2015.7.2 - Offshore - ";
inline constexpr const char* kSaveChangesText = "Do you want to save any changes?";

// The program's frame: the MDI area for input, table and graph windows, the menus and tool
// bar, the project and its tables and result graphs, the modified flag and the recent files.
// It is the input windows' host.
class TMainForm : public QMainWindow, public TWindowHost
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Reads the settings and opens the project of the command line (arguments without the
    // program), or makes a new one.
    void FormShow(const QStringList& arguments);

    TProgramData& Data() override { return m_data; }
    TProjectTables& Tables() override { return m_tables; }
    TResultGraphs& Graphs() { return m_graphs; }
    TGraphPlot& MotionInput() override { return m_motionInput; }
    TGraphPlot& CptConverted() override { return m_cptConverted; }
    QMdiArea* MdiArea() const override { return m_mdi; }
    TDlgExport* ExportDialog() const { return m_export; }
    TAboutBox* AboutBox() const { return m_about; }
    // The adhesion charts, made at start-up.
    TChartForm* ChartForm() const override { return m_chartForm; }

    bool IsModified() const override;
    void SetModified(bool value) override;
    bool PlotsLoaded() const { return m_plotsLoaded; }
    // The last run's results are at hand: read back, and their plot-data file still there.
    bool ResultsAvailable() const;

    // The engine module is loaded from here; the program's folder unless set.
    void SetEngineFolder(const std::filesystem::path& folder) { m_engineFolder = folder; }
    // The help pages are read from here; the folder "help" beside the program unless set.
    void SetHelpFolder(const std::filesystem::path& folder) { m_helpFolder = folder; }
    // The help window, once a Help item has opened it.
    THelpWindow* HelpWindow() const { return m_help; }

    const TRecentFiles::TEntries& RecentFiles() const { return m_recent.Entries(); }
    int RecentCount() const;

    // File name for the caption: no folder; ".qr7" dropped; first letter upper-cased.
    static std::string GetDisplayName(const std::string& path);

    // The work behind the commands; each may raise, the handlers show the message.
    bool QuerySaveChanges();
    void NewProject();
    // False (message shown, project unchanged) when the file cannot be read. The variant is the
    // open dialog's filter (LayoutOfFilter).
    bool OpenFileName(const std::string& path, int variant);
    bool OpenProject(const std::string& path, ProjectLayout layout);
    // File/Save; false when a Save As was cancelled.
    bool SaveProject();
    bool SaveProjectAs();
    TRunOutcome RunAnalysis();
    void OpenDroppedFiles(const QStringList& paths);
    void OpenRecentFile(int index);
    void UpdatePrevFile(const std::string& path);
    void ReadSettings();
    // Writes the settings; the first time in a session that they cannot be saved, says why.
    void UpdateRegistry();
    void CheckSpeedButtons();
    void UpdateEditItems();
    void UpdateGraphicsMenu();
    void UpdatePileShapeMenus() override;
    void VisibleOffshoreColumns();
    void DeactivateActiveChild();
    // The project's CPT profile in its graph window, made afresh for the points of now.
    void ShowCptProfile() override;
    void ShowCptConverted() override;
    void CloseAllChildren();
    // Runs the activation of every open input window, after the project changed under them.
    void ReloadInputWindows();
    void OpenInEditor(const std::string& path);
    // A help page (relative to the help folder) in the help window; a message names a page
    // that is missing.
    void ShowHelpPage(const std::string& page);
    // The Graphics items as the export dialog sees them, in its order.
    std::array<bool, 10> GraphItemsEnabled() const;

    // Menus, in the order shown.
    QMenu* FileMenu = nullptr;
    QMenu* DataMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* ComputationMenu = nullptr;
    QMenu* GraphicsMenu = nullptr;
    QMenu* WindowMenu = nullptr;
    QMenu* HelpMenu = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void FileNewClick();
    void FileOpenClick();
    void FileSaveClick();
    void FileSaveAsClick();
    void FileExitClick();
    void FileMenuClick();
    void RecentFileClick();
    void DataMenuClick();
    void SoilLayersTableClick();
    void OptionsMenuClick();
    void UnitsMenuClick();
    void UnitsClick();
    void PileShapeMenuClick();
    void CircularClick();
    void NonCircularClick();
    void CompMenuClick();
    void CompRunClick();
    void EditInputClick();
    void EditNotesClick();
    void EditOutputClick();
    void EditGrlweapClick();
    void GraphicsMenuClick();
    void GraphClick();
    void ExportClick();
    void ArrangeMenuClick();
    void ActivateMenuClick();
    void CascadeClick();
    void ArrangeIconsClick();
    void HelpMenuClick();
    void HelpContentsClick();
    void UsersManualClick();
    void TechnicalManualClick();
    void AboutClick();
    void InputWindowClick();
    void NewButtonClick();
    void OpenButtonClick();
    void SaveButtonClick();
    void RunButtonClick();

private:
    // Dynamic properties of the actions: graph position, or recent/window/launcher index.
    static constexpr const char* kPlotProperty = "plot";
    static constexpr const char* kIndexProperty = "index";

    void CreateMenus();
    void CreateToolBar();
    void ConnectHandlers();
    QAction* AddAction(QMenu* menu, const char* name, const QString& text);
    QAction* AddToolAction(const char* name, const QString& hint);
    void SetCaption();
    void ShowGraph(TGraphPlot& graph);
    void OpenProjectFileByExtension(const std::string& path);
    // After a Save As: the last run's report, plot data and GRLWEAP file copied beside the
    // project's new file (a failed copy is said, by file).
    void CarryResults(const std::string& from, const std::string& to);
    // Saves the project under its name; a file another program changed since this window
    // read or wrote it is overwritten only when the user says so. False when not.
    bool SaveUnderItsName();
    // What a killed save or run left beside the project at the path, removed; what the user
    // must know of it (a cut save completed or kept) is said.
    void CleanUpBeside(const std::string& path);

    TProgramData m_data;
    TProjectFileStamp m_fileStamp; // the project file as this window last read or wrote it
    TProjectTables m_tables;
    TGraphPlot m_motionInput; // CPT profile
    TGraphPlot m_cptConverted;
    TResultGraphs m_graphs;
    bool m_modified = false;
    bool m_plotsLoaded = false;
    bool m_saveAccepted = true;
    bool m_settingsProblemSaid = false;
    TRecentFiles m_recent;
    std::array<bool, kInputWindowCount> m_windowOpen{};
    std::array<QPointer<QWidget>, kInputWindowCount> m_windows{};
    std::filesystem::path m_engineFolder;
    std::filesystem::path m_helpFolder;
    TAnalysisRun m_run;

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolBar = nullptr;
    TDlgExport* m_export = nullptr;
    TAboutBox* m_about = nullptr;
    THelpWindow* m_help = nullptr;
    TChartForm* m_chartForm = nullptr;
    std::array<QAction*, kRecentFileCount> m_recentItems{};
    QAction* m_recentSeparator = nullptr;
    std::array<QAction*, kWindowListCount> m_windowItems{};
    QAction* m_windowSeparator = nullptr;
    std::array<QAction*, kInputWindowCount> m_launcherItems{};
    std::array<QAction*, kInputWindowCount> m_launcherButtons{};
};
