#include "main/TMainForm.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QScreen>
#include <QSettings>

#include "CptPlot.h"
#include "InputFile.h"
#include "MethodRules.h"
#include "ProgramFolder.h"
#include "ProjectPaths.h"
#include "RunResultSteps.h"
#include "SpreadsheetExport.h"
#include "UnitChange.h"
#include "grid/TTableForm.h"
#include "host/DesktopSeams.h"
#include "input/TInputWindow.h"
#include "main/TAboutBox.h"
#include "main/TDlgExport.h"
#include "main/THelpWindow.h"
#include "plot/TPlotForm.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "seams/TEditHost.h"
#include "views/TChartForm.h"

namespace fs = std::filesystem;

namespace {

// The help pages, in the folder "help" beside the program.
constexpr const char* kHelpFolderName = "help";
constexpr const char* kHelpFile = "index.html";
constexpr const char* kUsersManual = "user/index.html";
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 860;
constexpr int kDecorationRoom = 60;
constexpr const char* kTechnicalManual = "technical/index.html";

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

// A maximised child keeps its own title bar: Qt would otherwise write its title into the
// frame's caption, and with several maximised children it writes back a caption it kept from
// before (a previous project's name, after an Open or a Save As).
class TMaximisedTitleStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint,
                  const QStyleOption* option,
                  const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Workspace_FillSpaceOnMaximize) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Gives every child window of the frame that style as it is added.
class TChildWindowStyler : public QObject
{
public:
    explicit TChildWindowStyler(QMdiArea& mdi)
        : QObject(&mdi)
        , m_style(new TMaximisedTitleStyle(QApplication::style()->name()))
    {
        m_style->setParent(this);
        mdi.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Added: a window made before it was put in; polished: one made in place, whose type
        // is not known yet when it is added.
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished) {
            auto* added = static_cast<QChildEvent*>(event)->child();
            auto* sub = qobject_cast<QMdiSubWindow*>(added);
            if (sub != nullptr && sub->style() != m_style) {
                sub->setStyle(m_style);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QStyle* m_style;
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
    new TChildWindowStyler(*m_mdi);
    setCentralWidget(m_mdi);
    m_tables.Registry().SetEditorFactory(TableFormEditorFactory(m_mdi));
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

bool TMainForm::ResultsAvailable() const
{
    return m_plotsLoaded && FileExists(WithExtension(m_data.FileName, kPlotDataExtension));
}

int TMainForm::RecentCount() const
{
    return m_recent.Count();
}

std::string TMainForm::GetDisplayName(const std::string& path)
{
    return DisplayName(path);
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
    const auto value = [&settings](const std::string& name) {
        return settings.value(QString::fromStdString(name)).toString().toStdString();
    };
    const TStoredSettings stored = ReadProgramSettings(value);
    settings.endGroup();
    // The status is known once the values were asked for.
    ApplyProgramSettings(stored, settings.status() != QSettings::NoError, EditorPath, m_recent);
}

void TMainForm::UpdateRegistry()
{
    QSettings settings(QSettings::IniFormat,
                       QSettings::UserScope,
                       kSettingsOrganization,
                       kSettingsApplication);
    settings.beginGroup(kSettingsGroup);
    WriteProgramSettings(
        [&settings](const std::string& name, const std::string& text) {
            settings.setValue(QString::fromStdString(name), QString::fromStdString(text));
        },
        EditorPath,
        m_recent);
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::NoError || m_settingsProblemSaid) {
        return;
    }
    // Said once a session: every later save meets the same folder.
    m_settingsProblemSaid = true;
    const std::string file = settings.fileName().toStdString();
    std::string reason = SettingsWriteProblem(file);
    if (reason.empty()) {
        reason = settings.status() == QSettings::AccessError ? "the file could not be written"
                                                             : "the file could not be read";
    }
    ShowInformation(SettingsNotSavedMessage(file, reason), this);
}

void TMainForm::UpdatePrevFile(const std::string& given)
{
    m_recent.Put(given);
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
        const auto layout = LayoutOpenedByName(path);
        if (layout && !FileExists(path)) {
            // A save to this name cut short may have left the project whole beside its name.
            CleanUpBeside(ProjectPath(path));
        }
        // Looked at, never opened, when it holds no plain file: a FIFO would hold the window.
        const std::string reason = NotPlainFileReason(path);
        if (!reason.empty()) {
            ShowInformation("The file " + path
                                + " named on the command line was not opened: " + reason + ".",
                            this);
        } else if (layout) {
            opened = OpenProject(path, *layout);
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
    enabled.fill(ResultsAvailable());
    if (m_data.PrintExtraTz == 0) {
        enabled[8] = false; // extra t-z curves
    }
    if (m_data.LoadDirection > 0) {
        enabled[2] = false; // tip resistance
        enabled[9] = false; // Q-w curve
    }
    return enabled;
}

void TMainForm::ShowGraph(TGraphPlot& graph)
{
    graph.Show();
}

// ---- menus and windows ----------------------------------------------------------------------

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

// ---- handlers -----------------------------------------------------------------------------

void TMainForm::UnitsClick()
{
    const int system = sender()->property(kIndexProperty).toInt();
    RunCommand(this, [this, system] {
        if (system != m_data.UnitSystem) {
            // A value the new units would take beyond what a project file holds would make
            // a project that cannot be opened again: the change is refused, nothing changes.
            const std::string problem =
                UnitChangeProblem(m_data, &m_tables, &m_motionInput, system);
            if (!problem.empty()) {
                ShowInformation(UnitChangeRefusal(problem), this);
                UnitsMenuClick(); // the item of the units kept stays checked
                return;
            }
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
    RunCommand(this, [this] { OpenInEditor(WithExtension(m_data.FileName, kNotesExtension)); });
}

void TMainForm::EditOutputClick()
{
    RunCommand(this, [this] { OpenInEditor(WithExtension(m_data.FileName, kReportExtension)); });
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
    // The icons of the minimised windows, in the order the windows were opened, in rows along
    // the bottom of the frame from the left, the next row above a full one. The other
    // windows stay where and as large as they are.
    std::vector<QMdiSubWindow*> icons;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isMinimized() && !sub->isHidden()) {
            icons.push_back(sub);
        }
    }
    const QSize area = m_mdi->viewport()->size();
    int x = 0;
    int bottom = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* icon : icons) {
        const QSize size = icon->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        icon->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
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

void TMainForm::RunButtonClick()
{
    DeactivateActiveChild();
    CompRunClick();
}
