#include "main/TMainForm.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <string>
#include <system_error>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QUrl>

#include <unistd.h>

#include "CptPlot.h"
#include "MethodRules.h"
#include "ProgramFolder.h"
#include "RunResultSteps.h"
#include "SpreadsheetExport.h"
#include "StaleFiles.h"
#include "grid/TTableForm.h"
#include "input/TInputWindow.h"
#include "main/MainSeams.h"
#include "main/TAboutBox.h"
#include "main/TDlgExport.h"
#include "main/THelpWindow.h"
#include "plot/TPlotForm.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "seams/TEditHost.h"
#include "views/TChartForm.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kOpenFilter = "QUARN 2015(*.qr7d);;QUARN 2014(*.qr6d);;QUARN Plus 5(*.qrd);;"
                                    "All Files(*)";
constexpr const char* kSaveFilter = "QUARN 2015(*.qr7d);;All files (*)";
constexpr const char* kDefaultSuffix = "qr7d";
// The help pages, in the folder "help" beside the program.
constexpr const char* kHelpFolderName = "help";
constexpr const char* kHelpFile = "index.html";
constexpr const char* kUsersManual = "user/index.html";
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 860;
constexpr int kDecorationRoom = 60;
constexpr const char* kTechnicalManual = "technical/index.html";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return text;
}

std::string ExtensionOf(const std::string& path)
{
    return Lower(fs::path(path).extension().string());
}

std::string WithExtension(const std::string& path, const char* extension)
{
    return fs::path(path).replace_extension(extension).string();
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

// One name per project file, however it was reached (relative, through "..", through a linked
// folder): the folder made canonical, the file keeping its own name.
std::string AbsolutePath(const std::string& path)
{
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) {
        return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    }
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) {
        return absolute.lexically_normal().string();
    }
    return (folder / absolute.filename()).string();
}

// The result files of a run, by the project file's name.
std::array<std::string, 3> ResultFilesOf(const std::string& projectFile)
{
    return {WithExtension(projectFile, ".qr7o"),
            WithExtension(projectFile, ".qr7p"),
            GrlweapFileNameFor(projectFile)};
}

// Copies a file beside the target and renames it into place, so the target is either the old
// file or the whole copy. Empty when done, else the reason.
std::string CopyWhole(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    const fs::path partial = to.string() + ".saving~" + std::to_string(::getpid());
    fs::copy_file(from, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        fs::rename(partial, to, ec);
    }
    if (ec) {
        fs::remove(partial);
        return ec.message();
    }
    return {};
}

// Layout variant for a project named on the command line, dropped or picked from the recent
// list: 1 for ".qr7d", 2 for ".qr6d", 0 for anything else (not opened).
int VariantByExtension(const std::string& path)
{
    const std::string ext = ExtensionOf(path);
    if (ext == ".qr7d") {
        return 1;
    }
    if (ext == ".qr6d") {
        return 2;
    }
    return 0;
}

ProjectLayout LayoutOfVariant(int variant)
{
    switch (variant) {
    case 2:
        return ProjectLayout::Qr6d;
    case 3:
    case 4:
        return ProjectLayout::Qrd;
    default:
        return ProjectLayout::Qr7d;
    }
}

QString MenuText(std::string text)
{
    QString q = QString::fromStdString(text);
    q.replace('&', "&&");
    return q;
}

// A child's own title for the Window menu: graph windows and the elevation view show the
// pointer's values in their caption, which is not the window's name.
QString OwnTitle(const QMdiSubWindow* sub)
{
    QWidget* widget = sub->widget();
    if (const auto* plot = qobject_cast<const TPlotForm*>(widget)) {
        return plot->OwnTitle();
    }
    if (const auto* input = qobject_cast<const TInputWindow*>(widget)) {
        return InputWindowLaunchers()[static_cast<int>(input->Which())].Caption;
    }
    return sub->windowTitle();
}

// Messages of the run go to message boxes and the hourglass cursor.
class TWindowRunReporter : public TRunReporter
{
public:
    explicit TWindowRunReporter(QWidget* parent)
        : m_parent(parent)
    {}
    void Information(const std::string& text) override { ShowInformation(text, m_parent); }
    void Warning(const std::string& text) override
    {
        ShowMessage({EMessageType::Warning, EMessageButtons::Ok, "Warning", text, m_parent});
    }
    void BeginBusy() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void EndBusy() override { QApplication::restoreOverrideCursor(); }

private:
    QWidget* m_parent;
};

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent)
    , m_engineFolder(ProgramFolder())
    , m_helpFolder(ProgramFolder() / kHelpFolderName)
{
    setObjectName("MainForm");
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("MdiArea");
    // A window activated over a maximised graph keeps its own size; the graph stays as it was.
    m_mdi->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(m_mdi);
    InstallTableFormEditor(m_mdi);
    for (TGraphPlot* graph : m_graphs.All()) {
        InstallPlotFormFactory(*graph, [this](TPlotForm& form) {
            QMdiSubWindow* sub = m_mdi->addSubWindow(&form);
            sub->show();
        });
    }
    for (TGraphPlot* cpt : {&m_motionInput, &m_cptConverted}) {
        InstallPlotFormFactory(*cpt,
                               [this](TPlotForm& form) { m_mdi->addSubWindow(&form)->show(); });
    }
    CreateMenus();
    CreateToolBar();
    // A frame of a usable size on whatever screen it opens, with room for its window
    // decoration; the user's window manager may change it.
    if (const QScreen* at = screen()) {
        resize(QSize(kDefaultWidth, kDefaultHeight)
                   .boundedTo(at->availableSize() - QSize(kDecorationRoom, kDecorationRoom)));
    }
    m_about = new TAboutBox(this);
    m_export = new TDlgExport(m_graphs, this);
    m_chartForm = new TChartForm(this);
    ConnectHandlers();
    ResetProject(m_data, &m_tables, &m_motionInput);
    SetModified(false);
    SetCaption();
    UpdatePileShapeMenus();
    CheckSpeedButtons();
}

TMainForm::~TMainForm()
{
    // The graph and table windows hold pointers into the project: close them first.
    CloseAllChildren();
    delete m_mdi;
    m_mdi = nullptr;
}

// ---- state --------------------------------------------------------------------------------

bool TMainForm::IsModified() const
{
    return m_modified || m_tables.GetChanged();
}

void TMainForm::SetModified(bool value)
{
    m_modified = value;
    if (!value) {
        m_tables.ResetChanged();
    }
}

int TMainForm::RecentCount() const
{
    return static_cast<int>(std::count_if(m_recent.begin(),
                                          m_recent.end(),
                                          [](const std::string& s) { return !s.empty(); }));
}

std::string TMainForm::GetDisplayName(const std::string& path)
{
    std::string name = fs::path(path).filename().string();
    const std::string ext = fs::path(name).extension().string();
    if (Lower(ext) == ".qr7") {
        name = fs::path(name).stem().string();
    }
    if (name.size() > 1) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return name;
}

void TMainForm::SetCaption()
{
    setWindowTitle(QString::fromStdString(kCaptionPrefix + GetDisplayName(m_data.FileName)));
}

// ---- settings -----------------------------------------------------------------------------

void TMainForm::ReadSettings()
{
    QSettings settings(QSettings::IniFormat,
                       QSettings::UserScope,
                       kSettingsOrganization,
                       kSettingsApplication);
    settings.beginGroup(kSettingsGroup);
    const std::string editor = settings.value(kEditorValueName).toString().toStdString();
    if (!editor.empty()) {
        EditorPath = editor;
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        m_recent[i] = settings.value(QString("File%1").arg(i + 1)).toString().toStdString();
    }
    settings.endGroup();
    if (settings.status() != QSettings::NoError) {
        EditorPath.clear();
        m_recent.fill({});
    }
    // One entry per project, by its one name, whatever older saves wrote.
    std::array<std::string, kRecentFileCount> unique{};
    int count = 0;
    for (const std::string& entry : m_recent) {
        const std::string path = AbsolutePath(entry);
        if (!path.empty() && std::find(unique.begin(), unique.end(), path) == unique.end()) {
            unique[static_cast<std::size_t>(count++)] = path;
        }
    }
    m_recent = unique;
}

void TMainForm::UpdateRegistry() const
{
    QSettings settings(QSettings::IniFormat,
                       QSettings::UserScope,
                       kSettingsOrganization,
                       kSettingsApplication);
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kEditorValueName, QString::fromStdString(EditorPath));
    for (int i = 0; i < kRecentFileCount; ++i) {
        settings.setValue(QString("File%1").arg(i + 1), QString::fromStdString(m_recent[i]));
    }
    settings.endGroup();
    settings.sync();
}

void TMainForm::UpdatePrevFile(const std::string& given)
{
    const std::string path = AbsolutePath(given);
    if (m_recent[0] != path) {
        auto found = std::find(m_recent.begin(), m_recent.end(), path);
        if (found == m_recent.end()) {
            found = m_recent.end() - 1;
        }
        std::move_backward(m_recent.begin(), found, found + 1);
        m_recent[0] = path;
    }
    UpdateRegistry();
}

// ---- start-up and closing -----------------------------------------------------------------

void TMainForm::FormShow(const QStringList& arguments)
{
    ReadSettings();
    bool opened = false;
    if (!arguments.isEmpty() && !arguments.front().isEmpty()) {
        std::string path = arguments.front().toStdString();
        // Only the file's own name decides; a folder with a point does not.
        if (fs::path(path).filename().string().find('.') == std::string::npos) {
            path += ".qr7d";
        }
        const int variant = VariantByExtension(path);
        if (variant != 0 && FileExists(path)) {
            opened = OpenFileName(path, variant);
        }
    }
    if (!opened) {
        NewProject();
    }
    VisibleOffshoreColumns();
    SetCaption();
    UpdatePileShapeMenus();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    DeactivateActiveChild();
    bool allowed = false;
    RunCommand(this, [&] { allowed = QuerySaveChanges(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    UpdateRegistry();
    CloseAllChildren();
    event->accept();
}

void TMainForm::DeactivateActiveChild()
{
    // Input windows and table editors hold edits not yet stored; graph windows hold none.
    if (m_mdi == nullptr || m_mdi->activeSubWindow() == nullptr) {
        return;
    }
    if (auto* host = dynamic_cast<TEditHost*>(m_mdi->activeSubWindow()->widget())) {
        host->StorePendingEdits();
    }
}

void TMainForm::CloseAllChildren()
{
    if (m_mdi == nullptr) {
        return;
    }
    // An input window's own reasons to stay open do not hold when the project goes.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (auto* window = qobject_cast<TInputWindow*>(sub->widget())) {
            window->CloseWithProject();
        }
    }
    m_mdi->closeAllSubWindows();
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        delete sub; // a window that refused to close holds nothing the next project needs
    }
    for (int i = 0; i < kInputWindowCount; ++i) {
        m_windowOpen[i] = false;
    }
}

// ---- file commands ------------------------------------------------------------------------

bool TMainForm::QuerySaveChanges()
{
    if (!IsModified()) {
        return true;
    }
    const EMessageResult answer = ShowMessage({EMessageType::Confirmation,
                                               EMessageButtons::YesNoCancel,
                                               "Confirm",
                                               kSaveChangesText,
                                               this});
    if (answer == EMessageResult::Cancel) {
        return false;
    }
    if (answer == EMessageResult::No) {
        return true;
    }
    // Dropped only when really saved: a cancelled Save As or a failed save keeps it.
    bool saved = false;
    RunCommand(this, [&] { saved = SaveProject() && !IsModified(); });
    return saved;
}

void TMainForm::NewProject()
{
    CloseAllChildren();
    ResetProject(m_data, &m_tables, &m_motionInput);
    SetModified(false);
    m_graphs.Clear();
    m_plotsLoaded = false;
    SetCaption();
    UpdatePileShapeMenus();
    CheckSpeedButtons();
    VisibleOffshoreColumns();
}

bool TMainForm::OpenFileName(const std::string& path, int variant)
{
    const std::string fileName = AbsolutePath(path);
    QDir::setCurrent(QFileInfo(QString::fromStdString(fileName)).absolutePath());
    CloseAllChildren();
    std::vector<std::string> notes;
    try {
        // All or nothing: a file that cannot be read leaves the open project as it was.
        notes =
            OpenProjectFile(fileName, LayoutOfVariant(variant), m_data, m_tables, &m_motionInput);
    } catch (const EInOutError& e) {
        ShowInformation(e.Message(), this);
        return false;
    }
    // Opened, but not quite as saved (no CPT side file, one of another save): said once.
    for (const std::string& note : notes) {
        ShowInformation(note, this);
    }
    // What a killed save or run of this project left beside it.
    RemoveStaleFiles({fileName}, {});
    SetModified(false);
    SetCaption();
    m_plotsLoaded = false;
    m_graphs.Clear();
    const std::string plotPath = WithExtension(fileName, ".qr7p");
    if (FileExists(plotPath)) {
        const TPlotReadResult result =
            ReadPlotFile(m_graphs, plotPath, PlotReadOptionsFor(m_data, m_tables.D()));
        if (result.Ok) {
            KeepPlotResult(m_data, result);
        }
        m_plotsLoaded = result.Ok;
    }
    CheckSpeedButtons();
    VisibleOffshoreColumns();
    UpdatePrevFile(fileName);
    return true;
}

bool TMainForm::SaveProject()
{
    if (m_data.FileName != kNewProjectFileName && ExtensionOf(m_data.FileName) == ".qr7d") {
        SaveProjectFile(m_data, m_tables, &m_motionInput);
        SetModified(false);
        return true;
    }
    return SaveProjectAs();
}

bool TMainForm::SaveProjectAs()
{
    // A project of an older layout is proposed under the current extension, so its own file
    // is not overwritten in a layout its older readers do not know.
    std::string proposed = ProposedSaveName(m_data.FileName);
    if (ExtensionOf(proposed) == ".qr7d") {
        proposed = WithExtension(proposed, ".qr7d");
    }
    TSaveFileRequest request;
    request.title = "Save " + GetDisplayName(m_data.FileName) + " As";
    request.filter = kSaveFilter;
    request.defaultSuffix = kDefaultSuffix;
    request.initialPath = proposed;
    request.parent = this;
    const std::string chosen = AskSaveFileName(request);
    bool accepted = false;
    if (!chosen.empty()) {
        const std::string previous = m_data.FileName;
        m_data.FileName = AbsolutePath(chosen);
        try {
            SaveProjectFile(m_data, m_tables, &m_motionInput);
        } catch (...) {
            // The project keeps the name of a file that holds it.
            m_data.FileName = previous;
            CheckSpeedButtons();
            throw;
        }
        SetModified(false);
        SetCaption();
        UpdateRegistry();
        accepted = true;
        // The results of the last run belong to the project: they go with it, so its graphs,
        // report and GRLWEAP file stay offered under the new name.
        if (m_plotsLoaded && m_data.FileName != previous) {
            CarryResults(previous, m_data.FileName);
        }
    } else {
        m_saveAccepted = false;
    }
    // The windows show the project as it is; its name alone changed.
    CheckSpeedButtons();
    return accepted;
}

void TMainForm::CarryResults(const std::string& from, const std::string& to)
{
    const auto sources = ResultFilesOf(from);
    const auto targets = ResultFilesOf(to);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!FileExists(sources[i])) {
            continue;
        }
        const std::string reason = CopyWhole(sources[i], targets[i]);
        if (!reason.empty()) {
            ShowInformation("The result file " + sources[i] + " could not be copied to "
                                + targets[i] + ": " + reason,
                            this);
        }
    }
}

void TMainForm::OpenProjectFileByExtension(const std::string& path)
{
    const int variant = VariantByExtension(path);
    if (variant != 0) {
        OpenFileName(path, variant);
    }
}

void TMainForm::OpenDroppedFiles(const QStringList& paths)
{
    if (!paths.isEmpty() && QuerySaveChanges()) {
        const std::string first = AbsolutePath(paths.front().toStdString());
        QDir::setCurrent(QFileInfo(QString::fromStdString(first)).absolutePath());
        OpenProjectFileByExtension(first);
    }
    UpdatePileShapeMenus();
}

void TMainForm::OpenRecentFile(int index)
{
    if (index < 0 || index >= kRecentFileCount || m_recent[index].empty()) {
        return;
    }
    if (QuerySaveChanges()) {
        OpenProjectFileByExtension(m_recent[index]);
    }
    UpdatePileShapeMenus();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    event->acceptProposedAction();
    RunCommand(this, [&] { OpenDroppedFiles(paths); });
}

// ---- run and results ----------------------------------------------------------------------

TRunOutcome TMainForm::RunAnalysis()
{
    TWindowRunReporter reporter(this);
    TRunSteps steps = RunResultSteps(m_data, m_tables, m_graphs, reporter);
    m_saveAccepted = true;
    steps.SaveProject = [this] {
        return SaveProject() && m_saveAccepted;
    };
    steps.AfterRun = [this] {
        CheckSpeedButtons();
        CloseAllChildren();
    };
    const TRunOutcome outcome = m_run.Run(m_data, m_tables, m_engineFolder, steps, reporter);
    if (outcome.EngineCalled) {
        m_plotsLoaded = outcome.PlotsLoaded;
    }
    CheckSpeedButtons();
    return outcome;
}

std::array<bool, 10> TMainForm::GraphItemsEnabled() const
{
    std::array<bool, 10> enabled{};
    const bool loaded = m_plotsLoaded && FileExists(WithExtension(m_data.FileName, ".qr7p"));
    enabled.fill(loaded);
    if (m_data.PrintExtraTz == 0) {
        enabled[8] = false; // extra t-z curves
    }
    if (m_data.LoadDirection > 0) {
        enabled[2] = false; // tip resistance
        enabled[9] = false; // Q-w curve
    }
    return enabled;
}

void TMainForm::UpdateGraphicsMenu()
{
    const auto enabled = GraphItemsEnabled();
    for (int i = 0; i < kExportPlotCount; ++i) {
        findChild<QAction*>(kExportMenuItems[i])->setEnabled(enabled[i]);
    }
    const bool loaded = m_plotsLoaded && FileExists(WithExtension(m_data.FileName, ".qr7p"));
    findChild<QAction*>("ExportExcel")->setEnabled(loaded);
}

void TMainForm::CheckSpeedButtons()
{
    const bool loaded = m_plotsLoaded && FileExists(WithExtension(m_data.FileName, ".qr7p"));
    for (const char* name : {"sbTotal", "sbCombine", "sbTZcurves", "sbAxial"}) {
        findChild<QAction*>(name)->setEnabled(loaded);
    }
    // Keyboard shortcuts reach the items without the menu opening.
    UpdateGraphicsMenu();
    UpdateEditItems();
}

void TMainForm::ShowGraph(TGraphPlot& graph)
{
    graph.Show();
}

// ---- menus --------------------------------------------------------------------------------

void TMainForm::UpdatePileShapeMenus()
{
    const bool circular = m_data.Circular != 0;
    const auto& launchers = InputWindowLaunchers();
    findChild<QAction*>("Circular1")->setChecked(circular);
    findChild<QAction*>("NonCircular1")->setChecked(!circular);
    for (int i = 0; i < kInputWindowCount; ++i) {
        bool enabled = static_cast<bool>(launchers[i].Create);
        if (i == static_cast<int>(EInputWindow::CircularPile)) {
            enabled = enabled && circular;
        } else if (i == static_cast<int>(EInputWindow::NoncircularPile)) {
            enabled = enabled && !circular;
        }
        m_launcherItems[i]->setEnabled(enabled);
        if (m_launcherButtons[i] != nullptr) {
            m_launcherButtons[i]->setEnabled(enabled);
        }
    }
    const int notChosen =
        static_cast<int>(circular ? EInputWindow::NoncircularPile : EInputWindow::CircularPile);
    if (auto* window = qobject_cast<TInputWindow*>(m_windows[notChosen])) {
        window->CloseWithProject();
    }
}

void TMainForm::VisibleOffshoreColumns()
{
    TGridTable& sand = m_tables.tblDataSand();
    TGridTable& clay = m_tables.tblDataClay();
    const bool offshore = m_data.OffshoreFlag == 1;
    sand.Columns(SandColumn::kQc).SetVisible(offshore);
    for (int c : {ClayColumn::kPlasticIndex, ClayColumn::kYieldStressRatio, ClayColumn::kQc}) {
        clay.Columns(c).SetVisible(offshore);
    }
    const bool user = m_data.LoadSettlementMethod == MethodCode::kUserSpecified;
    for (TGridTable* t : {&sand, &clay}) {
        t->Columns(SandColumn::kUserSkinFriction).SetVisible(user);
        t->Columns(SandColumn::kUserEndBearing).SetVisible(user);
    }
    for (TGridTable* t : {&sand, &clay, &m_tables.D()}) {
        t->StructureChanged();
    }
}

void TMainForm::FileMenuClick()
{
    DeactivateActiveChild();
    const std::string prefix = QDir::currentPath().toStdString() + "/";
    const int count = RecentCount();
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string path = m_recent[i];
        if (path.rfind(prefix, 0) == 0) {
            path = path.substr(prefix.size());
        }
        m_recentItems[i]->setText(QString::number(i + 1) + " " + MenuText(path));
        m_recentItems[i]->setVisible(i < count && !m_recent[i].empty());
    }
    m_recentSeparator->setVisible(count > 0);
}

void TMainForm::DataMenuClick()
{
    UpdatePileShapeMenus();
    DeactivateActiveChild();
}

void TMainForm::SoilLayersTableClick()
{
    // As the Data menu does when it opens: an open window's entries reach the table first.
    DeactivateActiveChild();
    RunCommand(this, [this] {
        ShowUserValueColumns(m_tables, m_data.LoadSettlementMethod == MethodCode::kUserSpecified);
        m_tables.D().Show();
    });
}

namespace {

// A graph window shows the points it was made with: after new points it is made again.
void ShowAfresh(TGraphPlot& plot)
{
    if (plot.WindowExists()) {
        plot.DetachWindow().reset();
    }
    plot.Show();
}

} // namespace

void TMainForm::ShowCptProfile()
{
    SetCptPlotCaptions(m_motionInput, TCptPlotKind::Qc, m_data.UnitSystem);
    ShowAfresh(m_motionInput);
}

void TMainForm::ShowCptConverted()
{
    ShowAfresh(m_cptConverted);
}

void TMainForm::OptionsMenuClick()
{
    DeactivateActiveChild();
    UpdatePileShapeMenus();
    m_launcherItems[static_cast<int>(EInputWindow::TzPrint)]->setChecked(m_data.PrintExtraTz == 1);
}

void TMainForm::UnitsMenuClick()
{
    findChild<QAction*>("EnglishUnits")->setChecked(m_data.UnitSystem == 1);
    findChild<QAction*>("SIUnits")->setChecked(m_data.UnitSystem != 1);
}

void TMainForm::PileShapeMenuClick()
{
    UpdatePileShapeMenus();
}

void TMainForm::CompMenuClick()
{
    DeactivateActiveChild();
    UpdateEditItems();
}

void TMainForm::GraphicsMenuClick()
{
    UpdateGraphicsMenu();
}

void TMainForm::HelpMenuClick()
{
    DeactivateActiveChild();
}

void TMainForm::ArrangeMenuClick()
{
    const QList<QMdiSubWindow*> children = m_mdi->subWindowList();
    for (int i = 0; i < kWindowListCount; ++i) {
        const bool shown = i < children.size();
        m_windowItems[i]->setVisible(shown);
        if (shown) {
            m_windowItems[i]->setText(MenuText(OwnTitle(children[i]).toStdString()));
        }
    }
    m_windowSeparator->setVisible(!children.isEmpty());
}

void TMainForm::ShowHelpPage(const std::string& page)
{
    const fs::path path = m_helpFolder / page;
    if (m_help == nullptr) {
        m_help = new THelpWindow(m_helpFolder / kHelpFile, this);
    }
    if (!m_help->ShowPage(path)) {
        ShowInformation("The help page " + path.string() + " could not be found.", this);
    }
}

void TMainForm::OpenInEditor(const std::string& path)
{
    // The item may have been offered before the file went (another program removed it).
    if (!FileExists(path)) {
        UpdateEditItems();
        ShowInformation("The file " + path + " does not exist.", this);
        return;
    }
    std::string reason;
    if (!LaunchEditor(EditorPath, path, reason)) {
        ShowInformation(std::string(kEditorFailedText) + "\n" + reason, this);
    }
}

void TMainForm::UpdateEditItems()
{
    // Each item, and the View Output button, is offered exactly when its file exists; a
    // project never saved has none, whatever the current folder holds.
    const std::string name = m_data.FileName == kNewProjectFileName ? "" : m_data.FileName;
    const bool report = FileExists(WithExtension(name, ".qr7o"));
    findChild<QAction*>("EditInput")->setEnabled(FileExists(name));
    findChild<QAction*>("EditNotes")->setEnabled(FileExists(WithExtension(name, ".qr7r")));
    findChild<QAction*>("EditOutput")->setEnabled(report);
    findChild<QAction*>("EditGrlweap")->setEnabled(FileExists(GrlweapFileNameFor(name)));
    findChild<QAction*>("sbOutput")->setEnabled(report);
}

// ---- handlers -----------------------------------------------------------------------------

void TMainForm::FileNewClick()
{
    RunCommand(this, [this] {
        if (QuerySaveChanges()) {
            NewProject();
        }
    });
}

void TMainForm::FileOpenClick()
{
    RunCommand(this, [this] {
        if (QuerySaveChanges()) {
            TOpenFileRequest request;
            request.title = "Open";
            request.filter = kOpenFilter;
            request.initialPath = QDir::currentPath().toStdString();
            request.parent = this;
            const TOpenFileAnswer answer = AskOpenFileName(request);
            if (!answer.path.empty()) {
                OpenFileName(answer.path, answer.filterIndex);
            }
        }
        UpdateRegistry();
        VisibleOffshoreColumns();
        CheckSpeedButtons();
        UpdatePileShapeMenus();
    });
}

void TMainForm::FileSaveClick()
{
    RunCommand(this, [this] { SaveProject(); });
}

void TMainForm::FileSaveAsClick()
{
    RunCommand(this, [this] { SaveProjectAs(); });
}

void TMainForm::FileExitClick()
{
    close();
}

void TMainForm::RecentFileClick()
{
    const int index = sender()->property(kIndexProperty).toInt();
    RunCommand(this, [this, index] { OpenRecentFile(index); });
}

void TMainForm::UnitsClick()
{
    const int system = sender()->property(kIndexProperty).toInt();
    RunCommand(this, [this, system] {
        if (system != m_data.UnitSystem) {
            m_data.SetUnits(system, &m_tables, &m_motionInput);
            SetModified(true);
            ReloadInputWindows();
        }
    });
}

void TMainForm::CircularClick()
{
    if (m_data.Circular != 1) {
        m_data.Circular = 1;
        SetModified(true);
    }
    UpdatePileShapeMenus();
}

void TMainForm::NonCircularClick()
{
    if (m_data.Circular != 0) {
        m_data.Circular = 0;
        SetModified(true);
    }
    UpdatePileShapeMenus();
}

void TMainForm::CompRunClick()
{
    RunCommand(this, [this] { RunAnalysis(); });
}

void TMainForm::EditInputClick()
{
    RunCommand(this, [this] { OpenInEditor(m_data.FileName); });
}

void TMainForm::EditNotesClick()
{
    RunCommand(this, [this] { OpenInEditor(WithExtension(m_data.FileName, ".qr7r")); });
}

void TMainForm::EditOutputClick()
{
    RunCommand(this, [this] { OpenInEditor(WithExtension(m_data.FileName, ".qr7o")); });
}

void TMainForm::EditGrlweapClick()
{
    RunCommand(this, [this] { OpenInEditor(GrlweapFileNameFor(m_data.FileName)); });
}

void TMainForm::GraphClick()
{
    const int plot = sender()->property(kPlotProperty).toInt();
    RunCommand(this, [this, plot] {
        const auto enabled = GraphItemsEnabled();
        if (plot >= 0 && plot < kExportPlotCount && enabled[plot]) {
            ShowGraph(*m_graphs.All()[plot]);
        }
    });
}

void TMainForm::ExportClick()
{
    RunCommand(this, [this] {
        m_export->Execute(GraphItemsEnabled(), WithExtension(m_data.FileName, ".xlsx"));
    });
}

void TMainForm::CascadeClick()
{
    // Each window keeps the size it opens at (its size hint) as far as the frame has room;
    // a maximised one is restored first.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->isMaximized() || sub->isMinimized()) {
            sub->showNormal();
        }
    }
    m_mdi->cascadeSubWindows();
}

void TMainForm::ArrangeIconsClick()
{
    m_mdi->tileSubWindows();
}

void TMainForm::ActivateMenuClick()
{
    const int index = sender()->property(kIndexProperty).toInt();
    const QList<QMdiSubWindow*> children = m_mdi->subWindowList();
    if (index >= 0 && index < children.size()) {
        children[index]->showNormal();
        m_mdi->setActiveSubWindow(children[index]);
    }
}

void TMainForm::HelpContentsClick()
{
    RunCommand(this, [this] { ShowHelpPage(kHelpFile); });
}

void TMainForm::UsersManualClick()
{
    RunCommand(this, [this] { ShowHelpPage(kUsersManual); });
}

void TMainForm::TechnicalManualClick()
{
    RunCommand(this, [this] { ShowHelpPage(kTechnicalManual); });
}

void TMainForm::AboutClick()
{
    RunModalDialog(*m_about);
}

void TMainForm::ReloadInputWindows()
{
    // The windows show the values in the units they were loaded in; what they show next
    // must be what the project holds now.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (auto* window = qobject_cast<TInputWindow*>(sub->widget())) {
            window->FormActivate();
        }
    }
}

void TMainForm::InputWindowClick()
{
    const int i = sender()->property(kIndexProperty).toInt();
    const auto& launchers = InputWindowLaunchers();
    if (i < 0 || i >= kInputWindowCount || !launchers[i].Create) {
        return;
    }
    RunCommand(this, [this, i, &launchers] {
        if (!m_windowOpen[i] || m_windows[i] == nullptr) {
            m_windows[i] = launchers[i].Create(*this);
            connect(m_windows[i], &QObject::destroyed, this, [this, i] {
                m_windowOpen[i] = false;
            });
        }
        m_windowOpen[i] = true;
        m_windows[i]->show();
    });
}

void TMainForm::NewButtonClick()
{
    DeactivateActiveChild();
    FileNewClick();
}

void TMainForm::OpenButtonClick()
{
    DeactivateActiveChild();
    FileOpenClick();
}

void TMainForm::SaveButtonClick()
{
    DeactivateActiveChild();
    FileSaveClick();
}

void TMainForm::RunButtonClick()
{
    DeactivateActiveChild();
    CompRunClick();
}
