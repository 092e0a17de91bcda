// The menus, the tool bar and the one place where every handler is connected; what the menus
// and buttons offer as they open.
#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

#include "GrlweapFile.h"
#include "ProjectPaths.h"
#include "SpreadsheetExport.h"
#include "input/TInputWindow.h"
#include "main/InputWindows.h"
#include "main/TMainForm.h"
#include "main/ToolBarIcons.h"
#include "plot/TPlotForm.h"

namespace {

// A recent file's path is shown in the File menu in about this many characters at most.
constexpr int kRecentPathChars = 80;

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

} // namespace

QAction* TMainForm::AddAction(QMenu* menu, const char* name, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QAction* TMainForm::AddToolAction(const char* name, const QString& hint)
{
    // Pictures with their captions as hints, so that every button fits the tool bar.
    QAction* action = m_toolBar->addAction(ToolButtonIcon(name, *style()), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    return action;
}

void TMainForm::CreateMenus()
{
    FileMenu = menuBar()->addMenu("&File");
    FileMenu->setObjectName("File1");
    // The recent files' whole paths, where the menu shows them shortened.
    FileMenu->setToolTipsVisible(true);
    AddAction(FileMenu, "FileNew", "&New");
    AddAction(FileMenu, "FileOpen", "&Open...");
    AddAction(FileMenu, "FileSave", "&Save");
    AddAction(FileMenu, "FileSaveAs", "Save &As...");
    FileMenu->addSeparator()->setObjectName("N1");
    for (int i = 0; i < kRecentFileCount; ++i) {
        m_recentItems[i] = AddAction(FileMenu, "", "");
        m_recentItems[i]->setObjectName(QString("Recent%1").arg(i + 1));
        m_recentItems[i]->setProperty(kIndexProperty, i);
        m_recentItems[i]->setVisible(false);
    }
    m_recentSeparator = FileMenu->addSeparator();
    m_recentSeparator->setObjectName("N2");
    m_recentSeparator->setVisible(false);
    AddAction(FileMenu, "FileExit", "E&xit");

    const auto& launchers = InputWindowLaunchers();
    auto addLauncher = [this, &launchers](QMenu* menu, EInputWindow which) {
        const int i = static_cast<int>(which);
        QAction* item = AddAction(menu, launchers[i].MenuName, launchers[i].MenuText);
        item->setProperty(kIndexProperty, i);
        item->setVisible(!launchers[i].Hidden);
        m_launcherItems[i] = item;
    };

    DataMenu = menuBar()->addMenu("&Data");
    DataMenu->setObjectName("Data1");
    addLauncher(DataMenu, EInputWindow::Title);
    addLauncher(DataMenu, EInputWindow::ComputationMethod);
    addLauncher(DataMenu, EInputWindow::PileMaterial);
    addLauncher(DataMenu, EInputWindow::CircularPile);
    addLauncher(DataMenu, EInputWindow::NoncircularPile);
    addLauncher(DataMenu, EInputWindow::SoilLayers);
    addLauncher(DataMenu, EInputWindow::CptData);
    // The soil table's own editor: an item kept out of the Data menu, reached by its shortcut
    // (an action hidden in a menu could not be chosen at all).
    auto* soilTable = new QAction("Soil &Layers", this);
    soilTable->setObjectName("mSoilLayersTable");
    soilTable->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    soilTable->setShortcutContext(Qt::ApplicationShortcut);
    addAction(soilTable);

    OptionsMenu = menuBar()->addMenu("&Options");
    OptionsMenu->setObjectName("Options1");
    QMenu* units = OptionsMenu->addMenu("&Units");
    units->setObjectName("Units1");
    auto* unitGroup = new QActionGroup(this);
    QAction* english = AddAction(units, "EnglishUnits", "&English Units (kips, ft, in)");
    QAction* si = AddAction(units, "SIUnits", "&S.I. Units (kN, m, mm)");
    english->setProperty(kIndexProperty, 1);
    si->setProperty(kIndexProperty, 2);
    for (QAction* a : {english, si}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    addLauncher(OptionsMenu, EInputWindow::TzPrint);
    m_launcherItems[static_cast<int>(EInputWindow::TzPrint)]->setCheckable(true);
    addLauncher(OptionsMenu, EInputWindow::ControlOptions);
    addLauncher(OptionsMenu, EInputWindow::CriticalDepth);
    QMenu* shape = OptionsMenu->addMenu("Pile &Shape");
    shape->setObjectName("PileShape1");
    shape->menuAction()->setVisible(false);
    AddAction(shape, "Circular1", "Circular")->setCheckable(true);
    AddAction(shape, "NonCircular1", "Non-Circular")->setCheckable(true);

    ComputationMenu = menuBar()->addMenu("&Computation");
    ComputationMenu->setObjectName("Computation1");
    AddAction(ComputationMenu, "CompRun", "&Run Analysis");
    ComputationMenu->addSeparator();
    AddAction(ComputationMenu, "EditInput", "Edit &Input Text");
    AddAction(ComputationMenu, "EditNotes", "Edit &Processor-Run Notes");
    AddAction(ComputationMenu, "EditOutput", "Edit &Output Text");
    AddAction(ComputationMenu, "EditGrlweap", "Edit GRLWeap Data File");
    ComputationMenu->addSeparator();
    addLauncher(ComputationMenu, EInputWindow::SideView);

    GraphicsMenu = menuBar()->addMenu("&Graphics");
    GraphicsMenu->setObjectName("Graphics1");
    auto graphs = m_graphs.All();
    for (int i = 0; i < kExportPlotCount; ++i) {
        QAction* item = AddAction(GraphicsMenu,
                                  kExportMenuItems[i],
                                  QString::fromStdString(graphs[i]->Caption()));
        item->setProperty(kPlotProperty, i);
    }
    GraphicsMenu->addSeparator();
    AddAction(GraphicsMenu, "ExportExcel", "Export Plots to Excel");

    WindowMenu = menuBar()->addMenu("&Window");
    WindowMenu->setObjectName("Window1");
    AddAction(WindowMenu, "Cascade1", "&Cascade");
    AddAction(WindowMenu, "ArrangeIcons1", "&Arrange Icons");
    m_windowSeparator = WindowMenu->addSeparator();
    m_windowSeparator->setVisible(false);
    for (int i = 0; i < kWindowListCount; ++i) {
        m_windowItems[i] = WindowMenu->addAction("");
        m_windowItems[i]->setObjectName(QString("WindowItem%1").arg(i + 1));
        m_windowItems[i]->setProperty(kIndexProperty, i);
        m_windowItems[i]->setVisible(false);
    }

    HelpMenu = menuBar()->addMenu("&Help");
    HelpMenu->setObjectName("Help1");
    AddAction(HelpMenu, "HelpContents", "&Contents");
    AddAction(HelpMenu, "UsersManual", "User's Manual");
    AddAction(HelpMenu, "TechnicalManual", "Technical Manual");
    HelpMenu->addSeparator();
    AddAction(HelpMenu, "HelpAbout", "&About...");
}

void TMainForm::CreateToolBar()
{
    m_toolBar = addToolBar("Tools");
    m_toolBar->setObjectName("ToolBar1");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    AddToolAction("sbNew", "New File");
    AddToolAction("sbOpen", "Open File");
    AddToolAction("sbSave", "Save File");
    m_toolBar->addSeparator();
    const auto& launchers = InputWindowLaunchers();
    for (int i = 0; i < kInputWindowCount; ++i) {
        if (launchers[i].ToolName != nullptr) {
            m_launcherButtons[i] = AddToolAction(launchers[i].ToolName, launchers[i].ToolHint);
            m_launcherButtons[i]->setProperty(kIndexProperty, i);
        }
    }
    m_toolBar->addSeparator();
    AddToolAction("sbRun", "Run Data File");
    AddToolAction("sbOutput", "View Output");
    m_toolBar->addSeparator();
    struct TResultButton
    {
        const char* Name;
        const char* Hint;
        int Plot; // position in TResultGraphs::All()
    };
    for (const TResultButton& b : {TResultButton{"sbTotal", "Total Capacity", 3},
                                   TResultButton{"sbCombine", "Combined Plot", 5},
                                   TResultButton{"sbTZcurves", "t-z Curves", 7},
                                   TResultButton{"sbAxial", "Load vs. Settlement", 6}}) {
        AddToolAction(b.Name, b.Hint)->setProperty(kPlotProperty, b.Plot);
    }
}

// Every handler is connected here.
void TMainForm::ConnectHandlers()
{
    auto on = [this](const char* name, void (TMainForm::*slot)()) {
        auto* action = findChild<QAction*>(name);
        Q_ASSERT(action != nullptr);
        connect(action, &QAction::triggered, this, slot);
    };
    on("FileNew", &TMainForm::FileNewClick);
    on("FileOpen", &TMainForm::FileOpenClick);
    on("FileSave", &TMainForm::FileSaveClick);
    on("FileSaveAs", &TMainForm::FileSaveAsClick);
    on("FileExit", &TMainForm::FileExitClick);
    on("mSoilLayersTable", &TMainForm::SoilLayersTableClick);
    for (QAction* item : m_recentItems) {
        connect(item, &QAction::triggered, this, &TMainForm::RecentFileClick);
    }
    on("EnglishUnits", &TMainForm::UnitsClick);
    on("SIUnits", &TMainForm::UnitsClick);
    on("Circular1", &TMainForm::CircularClick);
    on("NonCircular1", &TMainForm::NonCircularClick);
    on("CompRun", &TMainForm::CompRunClick);
    on("EditInput", &TMainForm::EditInputClick);
    on("EditNotes", &TMainForm::EditNotesClick);
    on("EditOutput", &TMainForm::EditOutputClick);
    on("EditGrlweap", &TMainForm::EditGrlweapClick);
    for (const char* name : kExportMenuItems) {
        on(name, &TMainForm::GraphClick);
    }
    for (const char* name : {"sbTotal", "sbCombine", "sbTZcurves", "sbAxial"}) {
        on(name, &TMainForm::GraphClick);
    }
    on("ExportExcel", &TMainForm::ExportClick);
    on("Cascade1", &TMainForm::CascadeClick);
    on("ArrangeIcons1", &TMainForm::ArrangeIconsClick);
    for (QAction* item : m_windowItems) {
        connect(item, &QAction::triggered, this, &TMainForm::ActivateMenuClick);
    }
    on("HelpContents", &TMainForm::HelpContentsClick);
    on("UsersManual", &TMainForm::UsersManualClick);
    on("TechnicalManual", &TMainForm::TechnicalManualClick);
    on("HelpAbout", &TMainForm::AboutClick);
    for (int i = 0; i < kInputWindowCount; ++i) {
        connect(m_launcherItems[i], &QAction::triggered, this, &TMainForm::InputWindowClick);
        if (m_launcherButtons[i] != nullptr) {
            connect(m_launcherButtons[i], &QAction::triggered, this, &TMainForm::InputWindowClick);
        }
    }
    on("sbNew", &TMainForm::NewButtonClick);
    on("sbOpen", &TMainForm::OpenButtonClick);
    on("sbSave", &TMainForm::SaveButtonClick);
    on("sbRun", &TMainForm::RunButtonClick);
    on("sbOutput", &TMainForm::EditOutputClick);

    connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::FileMenuClick);
    connect(DataMenu, &QMenu::aboutToShow, this, &TMainForm::DataMenuClick);
    connect(OptionsMenu, &QMenu::aboutToShow, this, &TMainForm::OptionsMenuClick);
    connect(findChild<QMenu*>("Units1"), &QMenu::aboutToShow, this, &TMainForm::UnitsMenuClick);
    connect(findChild<QMenu*>("PileShape1"),
            &QMenu::aboutToShow,
            this,
            &TMainForm::PileShapeMenuClick);
    connect(ComputationMenu, &QMenu::aboutToShow, this, &TMainForm::CompMenuClick);
    connect(GraphicsMenu, &QMenu::aboutToShow, this, &TMainForm::GraphicsMenuClick);
    connect(WindowMenu, &QMenu::aboutToShow, this, &TMainForm::ArrangeMenuClick);
    connect(HelpMenu, &QMenu::aboutToShow, this, &TMainForm::HelpMenuClick);
}

// ---- what the menus offer ------------------------------------------------------------------

void TMainForm::CheckSpeedButtons()
{
    const bool loaded = ResultsAvailable();
    for (const char* name : {"sbTotal", "sbCombine", "sbTZcurves", "sbAxial"}) {
        findChild<QAction*>(name)->setEnabled(loaded);
    }
    // Keyboard shortcuts reach the items without the menu opening.
    UpdateGraphicsMenu();
    UpdateEditItems();
}

void TMainForm::UpdateGraphicsMenu()
{
    const auto enabled = GraphItemsEnabled();
    for (int i = 0; i < kExportPlotCount; ++i) {
        findChild<QAction*>(kExportMenuItems[i])->setEnabled(enabled[i]);
    }
    findChild<QAction*>("ExportExcel")->setEnabled(ResultsAvailable());
}

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

void TMainForm::FileMenuClick()
{
    DeactivateActiveChild();
    const std::string folder = QDir::currentPath().toStdString();
    const int count = RecentCount();
    // A long path is cut in its middle, so the menu stays narrower than the screen; the item's
    // tips hold it whole.
    const QFontMetrics metrics(FileMenu->font());
    int room = metrics.averageCharWidth() * kRecentPathChars;
    if (const QScreen* at = screen()) {
        room = std::min(room, at->availableGeometry().width() / 2);
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = QString::fromStdString(m_recent.MenuPath(i, folder));
        const QString shown = metrics.elidedText(path, Qt::ElideMiddle, room);
        m_recentItems[i]->setText(QString::number(i + 1) + " " + MenuText(shown.toStdString()));
        const QString whole = QString::fromStdString(m_recent.Entry(i));
        m_recentItems[i]->setToolTip(whole);
        m_recentItems[i]->setStatusTip(whole);
        m_recentItems[i]->setVisible(i < count && !m_recent.Entry(i).empty());
    }
    m_recentSeparator->setVisible(count > 0);
}

void TMainForm::DataMenuClick()
{
    UpdatePileShapeMenus();
    DeactivateActiveChild();
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

void TMainForm::UpdateEditItems()
{
    // Each item, and the View Output button, is offered exactly when its file exists; a
    // project never saved has none, whatever the current folder holds.
    const std::string name = m_data.FileName == kNewProjectFileName ? "" : m_data.FileName;
    const bool report = FileExists(WithExtension(name, kReportExtension));
    findChild<QAction*>("EditInput")->setEnabled(FileExists(name));
    findChild<QAction*>("EditNotes")->setEnabled(FileExists(WithExtension(name, kNotesExtension)));
    findChild<QAction*>("EditOutput")->setEnabled(report);
    findChild<QAction*>("EditGrlweap")->setEnabled(FileExists(GrlweapFileNameFor(name)));
    findChild<QAction*>("sbOutput")->setEnabled(report);
}
