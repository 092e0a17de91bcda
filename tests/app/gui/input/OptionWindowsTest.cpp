#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractItemView>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ControlRules.h"
#include "LayoutChecks.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "grid/GridTableView.h"
#include "grid/TGridTable.h"
#include "grid/TTableForm.h"
#include "input/TDlgBlock.h"
#include "input/TDlgOptions.h"
#include "input/TDlgTZPrint.h"
#include "input/TInputWindow.h"
#include "input/TdlgTitle.h"
#include "main/InputWindows.h"
#include "main/TAboutBox.h"
#include "seams/ModalDialogSeam.h"

namespace fs = std::filesystem;

namespace {

class OptionWindowsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Data().Title = "Pile A";
        Data().Designer = "A. Engineer";
        Data().JobNumber = "J-1";
        Form().SetModified(false);
    }
    void CloseWith(QWidget* window, const char* button)
    {
        Click(Child<QPushButton>(window, button));
        Settle();
    }
};

// Each small window shows its controls with their captions, unclipped. 3,500 psf is 167.6 kPa:
// the critical-depth option says 168 kPa.
TEST_F(OptionWindowsTest, SmallWindowsShowTheirCaptions)
{
    struct TCase
    {
        EInputWindow which;
        std::vector<std::pair<const char*, const char*>> texts; // control, caption
    };
    const TCase cases[] = {
        {EInputWindow::Title,
         {{"Label1", "Enter line of text for project description:"},
          {"Label2", "Name of the Designer : "},
          {"Label3", "Job Number : "},
          {"Button1", "Close"}}},
        {EInputWindow::ControlOptions,
         {{"GroupBox1", "Print Controls"},
          {"Label2", "&Print only every "},
          {"Label3", "computation increment(s)"},
          {"GroupBox2", "Text Editor"},
          {"BtnBrowse", "&Browse..."},
          {"Button4", "Close"}}},
        {EInputWindow::TzPrint,
         {{"GroupBox1", "t-z Curves for Verification"},
          {"ChkPrint", "&Print Internally-Generated"},
          {"EditDepths", "Edit Depths"},
          {"Button1", "Close"}}},
        {EInputWindow::CriticalDepth,
         {{"GroupBox1", "User Options"},
          {"RadioButton1",
           "Original Recommendations (10 to 20 Pile Diameter based on the Density)."},
          {"RadioButton2", "Critical Depth at the  Effective Stress Reaching 3500 psf or 168 kPa."},
          {"RadioButton3", "User-Specified Critical Depth"},
          {"Button1", "Close"}}},
    };
    for (const TCase& c : cases) {
        const TInputWindowLauncher& launcher = InputWindowLaunchers()[static_cast<int>(c.which)];
        SCOPED_TRACE(launcher.Caption);
        // The critical-depth window's menu item is kept hidden.
        if (launcher.Hidden) {
            launcher.Create(Form());
            QCoreApplication::processEvents();
        } else {
            Choose(launcher.MenuName);
        }
        TInputWindow* w = TInputWindow::FindOpenWindow(Form(), c.which);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->SubWindow()->windowTitle().toStdString(), launcher.Caption);
        for (const auto& [name, caption] : c.texts) {
            auto* control = w->findChild<QWidget*>(name);
            ASSERT_NE(control, nullptr) << name;
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                text = button->text();
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                text = label->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                text = group->title();
            }
            EXPECT_EQ(text.toStdString(), caption) << name;
        }
        ExpectNothingClippedOrOverlapping(*w);
        w->CloseWindow();
        Settle();
    }
    EXPECT_FALSE(Form().IsModified());
    EXPECT_TRUE(Messages.empty());
}

// ---- title -------------------------------------------------------------------------------------

TEST_F(OptionWindowsTest, TitleWindowMarksTheProjectForEachOfItsTexts)
{
    struct TCase
    {
        const char* field;
        const char* typed; // null: nothing typed
        bool modified;
    };
    const TCase cases[] = {{"nothing", nullptr, false},
                           {"TitleMemo", "Pile B", true},
                           {"DataEdit1", "B. Engineer", true},
                           {"DataEdit2", "J-2", true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.field);
        Form().SetModified(false);
        auto* w = Open<TdlgTitle>("mTitle");
        ASSERT_NE(w, nullptr);
        if (c.typed != nullptr) {
            if (auto* line = w->findChild<QLineEdit*>(c.field)) {
                Type(line, c.typed);
            } else {
                auto* memo = Child<QPlainTextEdit>(w, c.field);
                QTest::mouseClick(memo->viewport(), Qt::LeftButton);
                QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(memo, c.typed);
            }
        }
        CloseWith(w, "Button1");
        EXPECT_EQ(Form().IsModified(), c.modified);
    }
    EXPECT_EQ(Data().Title, "Pile B");
    EXPECT_EQ(Data().Designer, "B. Engineer");
    EXPECT_EQ(Data().JobNumber, "J-2");
}

TEST_F(OptionWindowsTest, TitleIsOneLineOfAtMostEightyCharacters)
{
    auto* w = Open<TdlgTitle>("mTitle");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->SubWindow()->windowTitle().toStdString(), "Project Title");
    ExpectNothingClippedOrOverlapping(*w);
    auto* memo = Child<QPlainTextEdit>(w, "TitleMemo");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    const std::string eighty(80, 'x');
    QTest::keyClicks(memo, "Pile");
    QTest::keyClick(memo, Qt::Key_Return); // no line break
    QTest::keyClicks(memo, QString::fromStdString(eighty));
    EXPECT_EQ(memo->toPlainText().toStdString(), "Pile" + std::string(76, 'x'));
    // A pasted text is joined into the line and cut to fit.
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("Steel pipe\nin sand");
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText().toStdString(), "Steel pipe in sand");
    QTest::keyClicks(memo, QString::fromStdString(eighty));
    CloseWith(w, "Button1");
    EXPECT_EQ(Data().Title, "Steel pipe in sand" + std::string(62, 'x'));
    EXPECT_EQ(Data().Title.size(), 80u);
}

// ---- control options ---------------------------------------------------------------------------

TEST_F(OptionWindowsTest, PrintIntervalIsRoundedToTheNearestEvenHalf)
{
    struct TCase
    {
        const char* typed;
        int stored;
    };
    for (const TCase c : {TCase{"2.5", 2}, TCase{"3.5", 4}, TCase{"7", 7}, TCase{"3*1.5", 4}}) {
        SCOPED_TRACE(c.typed);
        auto* w = Open<TDlgOptions>("mControlOptions");
        ASSERT_NE(w, nullptr);
        Enter(Child<TDataEdit>(w, "DataEdit2"), c.typed);
        CloseWith(w, "Button4");
        EXPECT_EQ(Data().PrintInterval, c.stored);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(OptionWindowsTest, EntriesOutsideTheLimitsAreReportedAndKeepTheFocus)
{
    struct TCase
    {
        const char* edit;
        const char* typed;
        const char* message;
        const char* shown;
    };
    const TCase cases[] = {
        {"DataEdit3",
         "600",
         "Entry must be less than or equal to 500\rField: Length of each computation increment "
         "(ft)",
         "500"},
        {"DataEdit2",
         "0",
         "Entry must be greater than or equal to 1\rField: Print only every",
         "1"},
        {"DataEdit2",
         "501",
         "Entry must be less than or equal to 500\rField: Print only every",
         "500"},
    };
    auto* w = Open<TDlgOptions>("mControlOptions");
    ASSERT_NE(w, nullptr);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        Messages.clear();
        TDataEdit* edit = Child<TDataEdit>(w, c.edit);
        Enter(edit, c.typed);
        EXPECT_EQ(Messages, std::vector<std::string>{c.message});
        EXPECT_EQ(edit->text().toStdString(), c.shown);
        EXPECT_EQ(QApplication::focusWidget(), edit);
    }
}

TEST_F(OptionWindowsTest, IncrementOfZeroIsShownAndStoredAsOneInTheProjectsUnits)
{
    for (const int units : {1, 2}) {
        SCOPED_TRACE(units);
        Data().UnitSystem = units;
        Data().Increment = 0;
        Form().SetModified(false);
        auto* w = Open<TDlgOptions>("mControlOptions");
        ASSERT_NE(w, nullptr);
        TDataEdit* increment = Child<TDataEdit>(w, "DataEdit3");
        EXPECT_EQ(increment->text().toStdString(), "1");
        EXPECT_EQ(increment->EditLabel()->text().toStdString(),
                  units == 1 ? "Length of each computation &increment  (ft)"
                             : "Length of each computation &increment  (m)");
        CloseWith(w, "Button4");
        EXPECT_EQ(Data().Increment, 1.0L);
        EXPECT_TRUE(Form().IsModified());
    }
    // Opened and closed with nothing changed, the window marks nothing.
    Form().SetModified(false);
    auto* w = Open<TDlgOptions>("mControlOptions");
    ASSERT_NE(w, nullptr);
    ExpectNothingClippedOrOverlapping(*w);
    CloseWith(w, "Button4");
    EXPECT_FALSE(Form().IsModified());
}

// Any file may be chosen as the editor; one that cannot be started is refused with a message.
TEST_F(OptionWindowsTest, EditorIsChosenThroughTheOpenDialog)
{
    const fs::path program = Folder() / "editor";
    const fs::path text = Folder() / "notes.txt";
    for (const fs::path& p : {program, text}) {
        std::ofstream(p) << "#!/bin/sh\n";
    }
    fs::permissions(program, fs::perms::owner_all);
    Form().EditorPath = "/usr/bin/old-editor";
    auto* w = Open<TDlgOptions>("mControlOptions");
    ASSERT_NE(w, nullptr);
    auto* path = Child<QLineEdit>(w, "EdtWord");
    EXPECT_EQ(path->text().toStdString(), "/usr/bin/old-editor");

    OpenAnswer = {text.string(), 1};
    Click(Child<QPushButton>(w, "BtnBrowse"));
    ASSERT_EQ(OpenRequests.size(), 1u);
    EXPECT_EQ(OpenRequests[0].filter, "All Files (*)");
    EXPECT_EQ(OpenRequests[0].initialPath, "/usr/bin/old-editor");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find(text.string()), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[0].find("not a program"), std::string::npos) << Messages[0];
    EXPECT_EQ(path->text().toStdString(), "/usr/bin/old-editor");

    OpenAnswer = {program.string(), 1};
    Click(Child<QPushButton>(w, "BtnBrowse"));
    EXPECT_EQ(path->text().toStdString(), program.string());
    OpenAnswer = {};
    Click(Child<QPushButton>(w, "BtnBrowse")); // cancelled
    EXPECT_EQ(path->text().toStdString(), program.string());
    CloseWith(w, "Button4");
    EXPECT_EQ(Form().EditorPath, program.string());
    EXPECT_FALSE(Form().IsModified()); // a setting, not the project
    EXPECT_EQ(Messages.size(), 1u);
}

// ---- t-z printing ------------------------------------------------------------------------------

TEST_F(OptionWindowsTest, PrintFlagEnablesTheDepthTableAndIsStored)
{
    Data().PrintExtraTz = 1;
    auto* w = Open<TDlgTZPrint>("mTzPrint");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->SubWindow()->windowTitle().toStdString(), "Option of Printing t-z Curves");
    ExpectNothingClippedOrOverlapping(*w);
    auto* check = Child<QCheckBox>(w, "ChkPrint");
    auto* depths = Child<QPushButton>(w, "EditDepths");
    EXPECT_EQ(check->text().toStdString(), "&Print Internally-Generated");
    EXPECT_TRUE(check->isChecked());
    ASSERT_TRUE(depths->isEnabled());
    Click(depths);
    TTableForm* editor = TableFormOf(Form().Tables().TblTZDepth());
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(qobject_cast<QMdiSubWindow*>(editor->parentWidget()), nullptr);

    ClickInto(w);
    Form().SetModified(false);
    Click(check);
    EXPECT_FALSE(depths->isEnabled());
    CloseWith(w, "Button1");
    EXPECT_EQ(Data().PrintExtraTz, 0);
    EXPECT_TRUE(Form().IsModified());
    LookInto(Form().OptionsMenu);
    EXPECT_FALSE(Form().findChild<QAction*>("mTzPrint")->isChecked());
}

// A depth typed into the depth table and not yet confirmed with Enter is stored by the main
// window before it saves, and before it closes (where it counts as a change to be saved).
TEST_F(OptionWindowsTest, DepthTypedInTheTableIsStoredBeforeASaveAndBeforeTheClose)
{
    // Opening the project moves the current folder into the test's folder, which goes with
    // the test.
    struct TFolderBack
    {
        fs::path folder = fs::current_path();
        ~TFolderBack() { fs::current_path(folder); }
    } folderBack;
    Data().PrintExtraTz = 1;
    Form().SetModified(false);
    // The user clicks the first cell, opens it with F2 and types the depth over it, without
    // Enter.
    const auto typeFirstDepth = [this](const QString& typed) {
        auto* w = Open<TDlgTZPrint>("mTzPrint");
        ASSERT_NE(w, nullptr);
        Click(Child<QPushButton>(w, "EditDepths"));
        TTableForm* editor = TableFormOf(Form().Tables().TblTZDepth());
        ASSERT_NE(editor, nullptr);
        QAbstractItemView* grid = editor->Grid();
        const QRect cell = grid->visualRect(grid->model()->index(0, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QCoreApplication::processEvents();
        QTest::keyClick(grid, Qt::Key_F2);
        auto* edit = grid->viewport()->findChild<QLineEdit*>("GridCellEditor");
        ASSERT_NE(edit, nullptr);
        Type(edit, typed);
        ASSERT_EQ(Form().MdiArea()->activeSubWindow()->widget(), editor);
    };
    const auto firstDepth = [this] {
        return Form().Tables().TblTZDepth().Cells(TzDepthColumn::kDepth, 0).GetFloat();
    };

    typeFirstDepth("25");
    const fs::path project = Folder() / "Depths.qr7d";
    SaveAnswer = project.string();
    Choose("sbSave");
    EXPECT_EQ(Data().FileName, project.string());
    EXPECT_EQ(firstDepth(), 25.0L);
    EXPECT_FALSE(Form().IsModified());
    // The saved project holds it.
    LookInto(Form().FileMenu);
    Choose("FileNew");
    EXPECT_NE(firstDepth(), 25.0L);
    OpenAnswer = {project.string(), 1};
    LookInto(Form().FileMenu);
    Choose("FileOpen");
    ASSERT_EQ(Data().FileName, project.string());
    EXPECT_EQ(firstDepth(), 25.0L);

    // Closing the program: the typed depth is a change, so the user is asked to save it.
    typeFirstDepth("40");
    Messages.clear();
    std::vector<std::string> asked;
    {
        const TMessageSeam::Override cancel([&asked](const TMessageRequest& r) {
            asked.push_back(r.text);
            return EMessageResult::Cancel;
        });
        EXPECT_FALSE(Form().close());
    }
    EXPECT_EQ(asked, std::vector<std::string>{"Do you want to save any changes?"});
    EXPECT_EQ(firstDepth(), 40.0L);
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(OptionWindowsTest, PrintAndOptionWindowsOpenSideBySide)
{
    auto* options = Open<TDlgOptions>("mControlOptions");
    auto* print = Open<TDlgTZPrint>("mTzPrint");
    ASSERT_NE(options, nullptr);
    ASSERT_NE(print, nullptr);
    CloseWith(options, "Button4");
    EXPECT_EQ(Form().findChild<TDlgTZPrint*>(), print);
    Choose("mControlOptions");
    EXPECT_EQ(Form().findChildren<TDlgTZPrint*>().size(), 1);
    EXPECT_EQ(Form().findChildren<TDlgOptions*>().size(), 1);
}

// ---- critical depth ----------------------------------------------------------------------------

// The window's menu item is kept hidden; it is opened through its launcher.
TEST_F(OptionWindowsTest, CriticalDepthIsShownForTheUserOptionAndStoredAlways)
{
    Data().UnitSystem = 2;
    Data().CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    Data().CriticalDepth = 6;
    QWidget* opened =
        InputWindowLaunchers()[static_cast<int>(EInputWindow::CriticalDepth)].Create(Form());
    auto* w = qobject_cast<TDlgBlock*>(opened);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->SubWindow()->windowTitle().toStdString(),
              "Critical Depths Used by US Army Method");
    TDataEdit* depth = Child<TDataEdit>(w, "DataEdit1");
    auto* label = Child<QLabel>(w, "Label5");
    EXPECT_FALSE(depth->isVisible());
    Click(Child<QRadioButton>(w, "RadioButton3"));
    EXPECT_TRUE(depth->isVisible());
    EXPECT_EQ(label->text().toStdString(), " (m)");
    ExpectNothingClippedOrOverlapping(*w);
    Enter(depth, "7.5");
    Click(Child<QRadioButton>(w, "RadioButton2"));
    EXPECT_FALSE(depth->isVisible());
    EXPECT_FALSE(label->isVisible());
    Form().SetModified(false);
    CloseWith(w, "Button1");
    EXPECT_EQ(Data().CriticalDepthOption, CriticalDepthOptionCode::kByStress);
    EXPECT_EQ(Data().CriticalDepth, 7.5L); // hidden, stored all the same
    EXPECT_TRUE(Form().IsModified());
}

// ---- about -------------------------------------------------------------------------------------

TEST_F(OptionWindowsTest, AboutBoxOpensTheMakersAddresses)
{
    std::vector<std::string> shown;
    const TModalDialogSeam::Override about([&](QDialog& dialog) {
        shown.push_back(dialog.windowTitle().toStdString());
        EXPECT_EQ(&dialog, Form().AboutBox());
        dialog.show();
        ExpectNothingClippedOrOverlapping(dialog);
        EXPECT_EQ(Child<QLabel>(&dialog, "Version")->text().toStdString(), "Version 2015.7.2");
        QTest::mouseClick(Child<QLabel>(&dialog, "Label4"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>(&dialog, "Label6"), Qt::LeftButton);
        Click(Child<QPushButton>(&dialog, "OKButton"));
        return dialog.result();
    });
    Choose("HelpAbout");
    EXPECT_EQ(shown, std::vector<std::string>{"About"});
    EXPECT_EQ(
        Opened,
        (std::vector<std::string>{std::string("mailto:") + kSupportMailAddress, kWebPageAddress}));
    EXPECT_FALSE(Form().AboutBox()->isVisible());
}

} // namespace
