#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "FifoAtPath.h"
#include "FileLines.h"
#include "QtTestApplication.h"
#include "TestFolder.h"
#include "host/DesktopSeams.h"
#include "main/ProgramIdentity.h"
#include "main/TDlgExport.h"
#include "main/THelpWindow.h"
#include "main/TMainForm.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

const fs::path kExampleFolder = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";
constexpr const char* kExampleName = "PipeSandClay.qr7d";

// A main window over a temporary folder: settings, a copy of the English example, and every
// message, file dialog, editor launch and shell open answered here.
class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_root = m_folder.Path();
        fs::create_directories(m_root / "settings");
        fs::create_directories(m_root / "project");
        QSettings::setPath(QSettings::IniFormat,
                           QSettings::UserScope,
                           QString::fromStdString((m_root / "settings").string()));
        for (const char* name : {"PipeSandClay.qr7d", "PipeSandClay.cpt"}) {
            fs::copy_file(kExampleFolder / name, m_root / "project" / name);
        }
        m_previousFolder = fs::current_path();
        m_form = std::make_unique<TMainForm>();
        m_form->SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
    }

    void TearDown() override
    {
        m_form.reset();
        fs::current_path(m_previousFolder);
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    std::string Example() const { return (m_root / "project" / kExampleName).string(); }
    fs::path Root() const { return m_root; }
    TMainForm& Form() { return *m_form; }
    QAction* Action(const char* name) { return m_form->findChild<QAction*>(name); }
    void Trigger(const char* name)
    {
        QAction* action = Action(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    void OpenExample()
    {
        OpenAnswer = {Example(), 1};
        Trigger("FileOpen");
        ASSERT_EQ(Form().Data().FileName, Example());
    }
    std::string Caption() const { return m_form->windowTitle().toStdString(); }
    std::string SettingsValue(const char* name) const
    {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, "Tarvik", "QUARN");
        s.beginGroup(kSettingsGroup);
        return s.value(name).toString().toStdString();
    }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : Messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    std::vector<TMessageRequest> Messages;
    std::deque<EMessageResult> Answers;
    std::vector<TSaveFileRequest> SaveRequests;
    std::string SaveAnswer;
    TOpenFileAnswer OpenAnswer;
    std::vector<std::string> Launched;
    std::vector<std::string> Opened;
    bool EditorStarts = true;

private:
    TTestFolder m_folder{"gui-main"};
    fs::path m_root;
    fs::path m_previousFolder;
    TMessageSeam::Override m_messages{[this](const TMessageRequest& r) {
        Messages.push_back(r);
        if (!Answers.empty()) {
            const EMessageResult a = Answers.front();
            Answers.pop_front();
            return a;
        }
        return EMessageResult::Ok;
    }};
    TSaveFileSeam::Override m_saveFiles{[this](const TSaveFileRequest& r) {
        SaveRequests.push_back(r);
        return SaveAnswer;
    }};
    TOpenFileSeam::Override m_openFiles{[this](const TOpenFileRequest&) {
        return OpenAnswer;
    }};
    TEditorSeam::Override m_editor{[this](const std::string& editor, const std::string& file) {
        Launched.push_back(editor + "|" + file);
        return EditorStarts;
    }};
    TShellOpenSeam::Override m_shell{[this](const std::string& file) {
        Opened.push_back(file);
        return true;
    }};
    std::unique_ptr<TMainForm> m_form;
};

// The program is named "Quarn 2015" with no display name of its own: Qt appends a display
// name, once set, to every window's caption ("... - NewQUARN.qr7d \u2014 Quarn 2015"), and
// then no longer follows the application's name.
TEST(ProgramIdentity, NamesTheProgramWithoutAddingToTheCaptions)
{
    EnsureApplication();
    const QString before = QCoreApplication::applicationName();
    SetProgramIdentity();
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), "Quarn 2015");
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "probe");
    QCoreApplication::setApplicationName(before);
}

TEST(MainFormDisplayName, FollowsTheCaptionRules)
{
    struct TCase
    {
        const char* path;
        const char* expected;
    };
    const TCase cases[] = {
        {"/work/beam.qr7d", "Beam.qr7d"}, // only ".qr7" itself is dropped
        {"/work/beam.qr7", "Beam"},
        {"/work/beam.QR7", "Beam"},
        {"NewQUARN.qr7d", "NewQUARN.qr7d"},
        {"/work/old.qr6d", "Old.qr6d"},
        {"a", "a"}, // one character is not upper-cased
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TMainForm::GetDisplayName(c.path), c.expected) << c.path;
    }
}

TEST_F(MainFormTest, NewProjectHasDefaultsAndNothingToShow)
{
    Form().FormShow({});
    EXPECT_EQ(Caption(), "QUARN 2015.7.2 - Offshore - NewQUARN.qr7d");
    EXPECT_FALSE(Form().IsModified());
    EXPECT_FALSE(Form().PlotsLoaded());
    EXPECT_EQ(Form().Data().Title, "New Pile");
    for (const char* name : {"uSkin", "mTotal", "mQw", "ExportExcel", "sbTotal", "sbAxial"}) {
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    }
    // Of the two pile-section windows only that of the project's (circular) shape is offered.
    for (const char* name : {"mNoncircularPile", "sbNoncircularPile"}) {
        ASSERT_NE(Action(name), nullptr) << name;
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    }
    for (const char* name : {"mTitle",
                             "sbTitle",
                             "mPileMaterial",
                             "mCircularPile",
                             "mTzPrint",
                             "mControlOptions",
                             "mSoilLayers",
                             "sbSoilLayers",
                             "mCptData"}) {
        ASSERT_NE(Action(name), nullptr) << name;
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormTest, OpenThroughTheDialogShowsTheFileAndRemembersIt)
{
    Form().FormShow({});
    OpenExample();
    EXPECT_EQ(Caption(), "QUARN 2015.7.2 - Offshore - PipeSandClay.qr7d");
    EXPECT_EQ(Form().Data().Title, "Steel pipe pile in layered sand and clay");
    EXPECT_FALSE(Form().IsModified());
    EXPECT_EQ(Form().RecentFiles()[0], Example());
    EXPECT_EQ(SettingsValue("File1"), Example());
    const std::string ini = ReadAll(Root() / "settings" / "Tarvik" / "QUARN.ini");
    EXPECT_NE(ini.find("[2015.7.2]\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nFile1=" + Example() + "\n"), std::string::npos) << ini;
    EXPECT_EQ(fs::current_path(), Root() / "project");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormTest, RecentListKeepsOneEntryPerFileAndTenAtMost)
{
    Form().FormShow({});
    for (int i = 1; i <= 11; ++i) {
        Form().UpdatePrevFile("/p/f" + std::to_string(i) + ".qr7d");
    }
    EXPECT_EQ(Form().RecentFiles()[0], "/p/f11.qr7d");
    EXPECT_EQ(Form().RecentFiles()[9], "/p/f2.qr7d"); // f1 dropped
    Form().UpdatePrevFile("/p/f5.qr7d");
    const std::array<std::string, 10> expected = {"/p/f5.qr7d",
                                                  "/p/f11.qr7d",
                                                  "/p/f10.qr7d",
                                                  "/p/f9.qr7d",
                                                  "/p/f8.qr7d",
                                                  "/p/f7.qr7d",
                                                  "/p/f6.qr7d",
                                                  "/p/f4.qr7d",
                                                  "/p/f3.qr7d",
                                                  "/p/f2.qr7d"};
    EXPECT_EQ(Form().RecentFiles(), expected);
    EXPECT_EQ(Form().RecentCount(), 10);

    // The next start reads them back, with the editor path.
    Form().EditorPath = "/usr/bin/editor";
    Form().UpdateRegistry();
    TMainForm next;
    next.FormShow({});
    EXPECT_EQ(next.RecentFiles(), expected);
    EXPECT_EQ(next.EditorPath, "/usr/bin/editor");
}

// Settings that cannot be saved (a file stands where their folder should be, as a read-only
// home stands in the way) are said once in the session, with the system's reason; the project
// opens all the same.
TEST_F(MainFormTest, SettingsThatCannotBeSavedAreSaidOnceWithTheReason)
{
    {
        std::ofstream blocker(Root() / "blocker");
        blocker << "not a folder";
    }
    QSettings::setPath(QSettings::IniFormat,
                       QSettings::UserScope,
                       QString::fromStdString((Root() / "blocker" / "config").string()));
    Form().FormShow({});
    EXPECT_TRUE(Messages.empty());
    OpenExample();
    const std::string file = (Root() / "blocker" / "config" / "Tarvik" / "QUARN.ini").string();
    const std::vector<std::string> said = {
        "The program's settings cannot be saved to " + file
        + ": Not a directory. The recent files and the text editor chosen will not be kept for "
          "the next start."};
    ASSERT_EQ(MessageTexts(), said);
    EXPECT_EQ(Messages[0].type, EMessageType::Information);
    // Later saves of the settings meet the same folder and say nothing more.
    OpenExample();
    Trigger("FileExit");
    EXPECT_EQ(MessageTexts(), said);
}

// A recent entry of 10 KB is shown cut in its middle, so the File menu stays narrower than the
// screen; its tool tip and status tip hold it whole. A short entry is shown whole, and the
// items keep their numbers.
TEST_F(MainFormTest, LongRecentPathsAreShortenedInTheMenuAndWholeInTheTips)
{
    const std::string longPath = "/" + std::string(10240, 'd') + "/end.qr7d";
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tarvik", "QUARN");
        settings.beginGroup(kSettingsGroup);
        settings.setValue("File1", QString::fromStdString(longPath));
        settings.setValue("File2", "/p/short.qr7d");
        settings.endGroup();
    }
    Form().FormShow({});
    Form().show();
    ASSERT_EQ(Form().RecentFiles()[0], longPath);
    Form().FileMenu->popup({0, 0});
    QCoreApplication::processEvents();
    QAction* first = Action("Recent1");
    QAction* second = Action("Recent2");
    ASSERT_TRUE(first->isVisible());
    const QString text = first->text();
    EXPECT_TRUE(text.startsWith("1 /ddd")) << text.left(20).toStdString();
    EXPECT_TRUE(text.endsWith("ddd/end.qr7d")) << text.right(20).toStdString();
    EXPECT_TRUE(text.contains(QChar(0x2026))) << "cut in the middle";
    EXPECT_EQ(first->toolTip().toStdString(), longPath);
    EXPECT_EQ(first->statusTip().toStdString(), longPath);
    EXPECT_EQ(second->text().toStdString(), "2 /p/short.qr7d");
    EXPECT_EQ(second->toolTip().toStdString(), "/p/short.qr7d");
    const int screenWidth = Form().screen()->availableGeometry().width();
    EXPECT_LE(Form().FileMenu->sizeHint().width(), screenWidth);
    EXPECT_LE(Form().FileMenu->width(), screenWidth);
    Form().FileMenu->hide();
}

// However a project is reached (relative to the current folder, through "..", through a
// linked folder), the recent list holds it once, under one name; so does an older list.
TEST_F(MainFormTest, RecentListHoldsEachProjectOnceUnderOneName)
{
    Form().FormShow({});
    fs::create_directory_symlink(Root() / "project", Root() / "linked");
    fs::current_path(Root());
    const std::string canonical = (fs::canonical(Root()) / "project" / kExampleName).string();
    for (const std::string& reached :
         {std::string("project/") + kExampleName,
          Example(),
          (Root() / "settings" / ".." / "project" / kExampleName).string(),
          (Root() / "linked" / kExampleName).string()}) {
        ASSERT_TRUE(Form().OpenFileName(reached, 1)) << reached;
        EXPECT_EQ(Form().Data().FileName, canonical) << reached;
        EXPECT_EQ(Form().RecentFiles()[0], canonical) << reached;
        EXPECT_EQ(Form().RecentCount(), 1) << reached;
    }
    // A list written with the same project under several names is read as one entry.
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tarvik", "QUARN");
        settings.beginGroup(kSettingsGroup);
        settings.setValue("File1",
                          QString::fromStdString((Root() / "linked" / kExampleName).string()));
        settings.setValue("File2", QString::fromStdString(canonical));
        settings.setValue("File3", "/p/other.qr7d");
        settings.setValue(
            "File4",
            QString::fromStdString((Root() / "project" / "." / kExampleName).string()));
        settings.endGroup();
    }
    TMainForm next;
    next.FormShow({});
    EXPECT_EQ(next.RecentFiles()[0], canonical);
    EXPECT_EQ(next.RecentFiles()[1], "/p/other.qr7d");
    EXPECT_EQ(next.RecentCount(), 2);
}

// Save As renames the project: its windows stay open and its results stay offered, the
// report, plot data and GRLWEAP file going with it.
TEST_F(MainFormTest, SaveAsKeepsTheWindowsAndTheResultsOfTheProject)
{
    Form().FormShow({});
    OpenExample();
    Trigger("CompRun");
    ASSERT_TRUE(Form().PlotsLoaded());
    Trigger("mTotal");
    Trigger("mTitle");
    const int windows = static_cast<int>(Form().MdiArea()->subWindowList().size());
    ASSERT_EQ(windows, 2);
    const auto graphsBefore = Form().GraphItemsEnabled();
    fs::create_directories(Root() / "renamed");
    SaveAnswer = (Root() / "renamed" / "Pier7.qr7d").string();
    Messages.clear();
    Trigger("FileSaveAs");
    EXPECT_EQ(Form().Data().FileName, SaveAnswer);
    EXPECT_EQ(Caption(), std::string(kCaptionPrefix) + "Pier7.qr7d");
    EXPECT_EQ(static_cast<int>(Form().MdiArea()->subWindowList().size()), windows);
    EXPECT_EQ(Form().GraphItemsEnabled(), graphsBefore);
    for (const char* button : {"sbTotal", "sbCombine", "sbTZcurves", "sbAxial", "sbOutput"}) {
        EXPECT_TRUE(Action(button)->isEnabled()) << button;
    }
    for (const char* extension : {".qr7o", ".qr7p", ".gwi"}) {
        const fs::path copied = (Root() / "renamed" / "Pier7").string() + extension;
        ASSERT_TRUE(fs::exists(copied)) << extension;
        EXPECT_EQ(ReadAll(copied),
                  ReadAll((Root() / "project" / "PipeSandClay").string() + extension));
    }
    EXPECT_TRUE(Messages.empty());
    Trigger("sbOutput");
    ASSERT_FALSE(Launched.empty());
    EXPECT_EQ(Launched.back(), "|" + (Root() / "renamed" / "Pier7.qr7o").string());

    // A cancelled Save As changes nothing either.
    SaveAnswer.clear();
    Trigger("FileSaveAs");
    EXPECT_EQ(Form().Data().FileName, (Root() / "renamed" / "Pier7.qr7d").string());
    EXPECT_EQ(static_cast<int>(Form().MdiArea()->subWindowList().size()), windows);
    EXPECT_TRUE(Action("sbTotal")->isEnabled());
}

// Links at the new name's result files (an unpacked archive, a shared folder) are replaced by
// the copies, as a run removes them: what they name never receives the report.
TEST_F(MainFormTest, SaveAsReplacesLinksAtTheNewResultNames)
{
    Form().FormShow({});
    OpenExample();
    Trigger("CompRun");
    ASSERT_TRUE(Form().PlotsLoaded());
    fs::create_directories(Root() / "outside");
    fs::create_directories(Root() / "renamed");
    const std::string victimText = "not the program's\n";
    for (const char* extension : {".qr7o", ".qr7p", ".gwi"}) {
        const fs::path victim = Root() / "outside" / (std::string("v") + extension);
        std::ofstream(victim) << victimText;
        fs::create_symlink(victim, (Root() / "renamed" / "New").string() + extension);
    }
    SaveAnswer = (Root() / "renamed" / "New.qr7d").string();
    Trigger("FileSaveAs");
    ASSERT_EQ(Form().Data().FileName, SaveAnswer);
    for (const char* extension : {".qr7o", ".qr7p", ".gwi"}) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(ReadAll(Root() / "outside" / (std::string("v") + extension)), victimText);
        const fs::path copied = (Root() / "renamed" / "New").string() + extension;
        EXPECT_FALSE(fs::is_symlink(copied));
        EXPECT_EQ(ReadAll(copied),
                  ReadAll((Root() / "project" / "PipeSandClay").string() + extension));
    }
}

// Two windows on one project: the later save does not silently drop what the other saved.
// It asks, naming the file; No keeps the file and the window's changes, Yes overwrites. A save
// elsewhere that wrote the same text asks nothing.
TEST_F(MainFormTest, TwoWindowsOnOneProjectAskBeforeTheLaterSaveDropsTheEarlier)
{
    Form().FormShow({});
    OpenExample();
    TMainForm other;
    other.SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
    other.FormShow({QString::fromStdString(Example())});
    ASSERT_EQ(other.Data().FileName, Example());
    auto trigger = [](TMainForm& form, const char* name) {
        form.findChild<QAction*>(name)->trigger();
    };

    const std::string question =
        "The project file " + Example()
        + " was changed by another program after it was opened or saved here.\nDo you want to "
          "overwrite it with the project of this window?";

    // The other window saves without a change: the same text, nothing to ask about.
    trigger(other, "FileSave");
    Form().Data().JobNumber = "Job of this window";
    Form().SetModified(true);
    Trigger("FileSave");
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(Contains(ReadAll(Example()), "Job of this window"));

    // The other window, which read the file before, saves a title: asked, No keeps the file.
    other.Data().Title = "Title of the other window";
    other.SetModified(true);
    Answers = {EMessageResult::No};
    trigger(other, "FileSave");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].type, EMessageType::Confirmation);
    EXPECT_EQ(Messages[0].buttons, EMessageButtons::YesNo);
    EXPECT_EQ(Messages[0].text, question);
    EXPECT_TRUE(Contains(ReadAll(Example()), "Job of this window"));
    EXPECT_FALSE(Contains(ReadAll(Example()), "Title of the other window"));
    EXPECT_TRUE(other.IsModified());
    // Yes overwrites.
    Messages.clear();
    Answers = {EMessageResult::Yes};
    trigger(other, "FileSave");
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(ReadAll(Example()).rfind("Title of the other window\r\n", 0), 0u);
    EXPECT_FALSE(other.IsModified());

    // This window is the earlier one now: a run saves first, so it asks too, and No runs
    // nothing.
    Messages.clear();
    Form().Data().Designer = "Designer of this window";
    Form().SetModified(true);
    Answers = {EMessageResult::No};
    EXPECT_FALSE(Form().RunAnalysis().EngineCalled);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text, question);
    EXPECT_FALSE(Contains(ReadAll(Example()), "Designer of this window"));
    EXPECT_FALSE(fs::exists(Root() / "project" / "PipeSandClay.qr7o"));

    // Once overwritten, the file is this window's own again: nothing more to ask.
    Messages.clear();
    Answers = {EMessageResult::Yes};
    Trigger("FileSave");
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Contains(ReadAll(Example()), "Designer of this window"));
    Messages.clear();
    Form().SetModified(true);
    Trigger("FileSave");
    EXPECT_TRUE(Messages.empty());
}

// A value the project file cannot hold stops the run at its save with the message that names
// it, instead of a run that reports completion over a file it could not read.
TEST_F(MainFormTest, RunStopsAtTheSaveOfAValueTheFileCannotHold)
{
    Form().FormShow({});
    OpenExample();
    const std::string before = ReadAll(Example());
    Form().Data().OD = 1e16L;
    Form().SetModified(true);
    Trigger("CompRun");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text,
              "An error occured during saving\nThe project could not be saved to " + Example()
                  + ": the value 1E16 of Outer Diameter, OD is larger than 1E15 in size, so the "
                    "saved project could not be opened again. Please correct it and save again; "
                    "the previous files are unchanged.");
    EXPECT_FALSE(Form().PlotsLoaded());
    EXPECT_EQ(ReadAll(Example()), before);
    EXPECT_TRUE(Form().IsModified());
}

// The program started on the name of a Save As that was killed between its renames (the CPT
// side file renamed, the project file not) completes that save, says so, and opens it.
TEST_F(MainFormTest, StartingOnAHalfSavedNameSaysWhatHappenedAndOpensIt)
{
    const fs::path project = Root() / "project" / "New.qr7d";
    const fs::path temporary = project.string() + ".saving~999999999-Ab12Cd";
    fs::copy_file(Example(), temporary);
    fs::copy_file(fs::path(Example()).replace_extension(".cpt"), Root() / "project" / "New.cpt");
    struct stat cpt = {};
    struct stat saved = {};
    ::stat((Root() / "project" / "New.cpt").c_str(), &cpt);
    ::stat(temporary.c_str(), &saved);
    std::ofstream(project.string() + ".unfinished~")
        << "A save of " << project.string() << "\ncpt " << cpt.st_dev << ":" << cpt.st_ino
        << "\nproject " << saved.st_dev << ":" << saved.st_ino << "\n";
    Form().FormShow({QString::fromStdString(project.string())});
    EXPECT_EQ(Form().Data().FileName, project.string());
    EXPECT_EQ(Form().Data().Title, "Steel pipe pile in layered sand and clay");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text,
              "A save as " + project.string()
                  + " was cut short before its project file was put in place. The project file "
                    "and CPT side file it had written whole have been put in place now.");
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_FALSE(fs::exists(project.string() + ".unfinished~"));
}

// A name that holds no plain file (missing, a FIFO, a folder) starts a new project and says
// why; a file of another kind (an older ".qrd") is passed over without a word.
TEST_F(MainFormTest, CommandLineOpensOnlyProjectFilesThatExist)
{
    fs::copy_file(Example(), Root() / "project" / "pile1.qr7d");
    fs::copy_file(fs::path(Example()).replace_extension(".cpt"), Root() / "project" / "pile1.cpt");
    fs::copy_file(Example(), Root() / "project" / "old.qrd");
    const std::string fifo = (Root() / "project" / "fifo.qr7d").string();
    const TFifoAtPath pipe(fifo);
    ASSERT_TRUE(pipe.Made());
    const std::string folder = (Root() / "project" / "folder.qr7d").string();
    fs::create_directory(folder);
    const std::string missing = (Root() / "project" / "missing.qr7d").string();
    const auto notOpened = [](const std::string& path, const std::string& reason) {
        return "The file " + path + " named on the command line was not opened: " + reason + ".";
    };
    struct TCase
    {
        std::string argument;
        std::string expectedFile;
        std::string message; // empty: none
    };
    const TCase cases[] = {
        {(Root() / "project" / "pile1").string(), (Root() / "project" / "pile1.qr7d").string(), ""},
        {Example(), Example(), ""},
        {(Root() / "project" / "old.qrd").string(), kNewProjectFileName, ""},
        {missing, kNewProjectFileName, notOpened(missing, "it does not exist")},
        {(Root() / "project" / "missing").string(),
         kNewProjectFileName,
         notOpened(missing, "it does not exist")},
        {fifo, kNewProjectFileName, notOpened(fifo, "it is a FIFO, not a plain file")},
        {folder, kNewProjectFileName, notOpened(folder, "it is a folder, not a plain file")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.argument);
        Messages.clear();
        TMainForm form;
        form.FormShow({QString::fromStdString(c.argument)});
        EXPECT_EQ(form.Data().FileName, c.expectedFile);
        std::vector<std::string> expected;
        if (!c.message.empty()) {
            expected.push_back(c.message);
        }
        EXPECT_EQ(MessageTexts(), expected);
    }
    EXPECT_FALSE(pipe.Opened());
}

TEST_F(MainFormTest, UnreadableProjectLeavesTheOpenOneAsItWas)
{
    Form().FormShow({});
    OpenExample();
    const fs::path broken = Root() / "project" / "broken.qr7d";
    std::ofstream(broken) << "Title\nDesigner\nJob\n1 5 x\n";
    OpenAnswer = {broken.string(), 1};
    Trigger("FileOpen");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].text.find("Error on Line"), std::string::npos) << Messages[0].text;
    EXPECT_EQ(Form().Data().FileName, Example());
    EXPECT_EQ(Form().Data().Title, "Steel pipe pile in layered sand and clay");
    EXPECT_EQ(Form().RecentFiles()[0], Example());
}

TEST_F(MainFormTest, SaveWritesTheChangeWithoutAskingForAName)
{
    Form().FormShow({});
    OpenExample();
    Form().Data().Title = "Changed title";
    Form().SetModified(true);
    Trigger("FileSave");
    EXPECT_TRUE(SaveRequests.empty());
    EXPECT_FALSE(Form().IsModified());
    EXPECT_EQ(ReadAll(Example()).rfind("Changed title\r\n", 0) == 0
                  || ReadAll(Example()).rfind("Changed title\n", 0) == 0,
              true);
}

TEST_F(MainFormTest, SaveOfANewProjectAsksForANameAndCancelKeepsIt)
{
    Form().FormShow({});
    Form().SetModified(true);
    SaveAnswer.clear();
    Trigger("FileSave");
    ASSERT_EQ(SaveRequests.size(), 1u);
    EXPECT_EQ(SaveRequests[0].title, "Save NewQUARN.qr7d As");
    EXPECT_EQ(Form().Data().FileName, kNewProjectFileName);
    EXPECT_TRUE(Form().IsModified());

    SaveAnswer = (Root() / "project" / "fresh").string();
    Trigger("FileSave");
    EXPECT_EQ(Form().Data().FileName, (Root() / "project" / "fresh.qr7d").string());
    EXPECT_TRUE(fs::exists(Root() / "project" / "fresh.qr7d"));
    EXPECT_TRUE(fs::exists(Root() / "project" / "fresh.cpt"));
    EXPECT_EQ(Caption(), "QUARN 2015.7.2 - Offshore - Fresh.qr7d");
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(MainFormTest, ExitWithUnsavedChangesAsks)
{
    Form().FormShow({});
    OpenExample();
    const std::string before = ReadAll(Example());
    Form().Data().Title = "Not to be kept";
    Form().SetModified(true);

    Answers = {EMessageResult::Cancel};
    EXPECT_FALSE(Form().close());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text, "Do you want to save any changes?");
    EXPECT_EQ(Messages[0].buttons, EMessageButtons::YesNoCancel);

    Answers = {EMessageResult::No};
    EXPECT_TRUE(Form().close());
    EXPECT_EQ(ReadAll(Example()), before);
}

TEST_F(MainFormTest, ExitKeepsTheProjectWhenItsSaveFails)
{
    Form().FormShow({});
    Form().Data().Title = "Work in progress";
    Form().SetModified(true);
    Answers = {EMessageResult::Yes};
    SaveAnswer = (Root() / "no-such-folder" / "x.qr7d").string();
    EXPECT_FALSE(Form().close());
    EXPECT_EQ(Form().Data().FileName, kNewProjectFileName);
    EXPECT_TRUE(Form().IsModified());
    EXPECT_GE(Messages.size(), 2u); // the question, then the failure

    // A Save As cancelled after Yes keeps the window open too.
    Answers = {EMessageResult::Yes};
    SaveAnswer.clear();
    EXPECT_FALSE(Form().close());
}

TEST_F(MainFormTest, RunWithTheEngineLoadsTheGraphs)
{
    Form().FormShow({});
    OpenExample();
    Trigger("CompRun");
    const auto texts = MessageTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().rfind(kCompletedText, 0), 0u) << texts.back();
    EXPECT_TRUE(Form().PlotsLoaded());
    EXPECT_TRUE(fs::exists(Root() / "project" / "PipeSandClay.qr7o"));
    EXPECT_TRUE(fs::exists(Root() / "project" / "PipeSandClay.qr7p"));
    EXPECT_TRUE(fs::exists(Root() / "project" / "PipeSandClay.gwi"));
    EXPECT_FALSE(fs::exists(fs::path(QUARN_ENGINE_MODULE).parent_path() / "names.dat"));

    // The example selects every method but the user-specified one, under compression, with
    // no extra t-z depths.
    const auto enabled = Form().GraphItemsEnabled();
    const std::array<bool, 10> expected =
        {true, true, true, true, true, true, true, true, false, true};
    EXPECT_EQ(enabled, expected);
    EXPECT_EQ(Form().Graphs().pltSkin.LineCount(), 8);
    for (const char* name : {"sbTotal", "sbCombine", "sbTZcurves", "sbAxial", "ExportExcel"}) {
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Action("Extratzcurves")->isEnabled());

    Trigger("mTotal");
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(Form().MdiArea()->subWindowList()[0]->windowTitle().toStdString(),
              "Total Capacity vs Depth");
    // A graph window closed by the user is built again on the next show.
    Form().MdiArea()->subWindowList()[0]->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Form().MdiArea()->subWindowList().isEmpty());
    Trigger("sbTotal");
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);

    // Opening the project again loads the graphs from its plot data, without a message.
    const std::size_t shown = Messages.size();
    Trigger("FileNew");
    EXPECT_FALSE(Form().PlotsLoaded());
    EXPECT_TRUE(Form().MdiArea()->subWindowList().isEmpty());
    Trigger("Recent1");
    EXPECT_EQ(Form().Data().FileName, Example());
    EXPECT_TRUE(Form().PlotsLoaded());
    EXPECT_EQ(Messages.size(), shown);
}

TEST_F(MainFormTest, RunOfANeverSavedProjectStopsSilentlyWhenSaveAsIsCancelled)
{
    Form().FormShow({});
    SaveAnswer.clear();
    const TRunOutcome outcome = Form().RunAnalysis();
    EXPECT_FALSE(outcome.EngineCalled);
    EXPECT_EQ(SaveRequests.size(), 1u);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(MainFormTest, ExportWritesTheCheckedGraphsToAWorkbook)
{
    Form().FormShow({});
    OpenExample();
    Trigger("CompRun");
    ASSERT_TRUE(Form().PlotsLoaded());
    const fs::path workbook = Root() / "out" / "plots.xlsx";
    fs::create_directories(workbook.parent_path());
    SaveAnswer = (Root() / "out" / "plots").string(); // the suffix is added
    bool generateEnabled = false;
    int checked = 0;
    const TModalDialogSeam::Override exportDialog([&](QDialog& dialog) {
        auto& dlg = dynamic_cast<TDlgExport&>(dialog);
        checked = dlg.Selection().GetNPlots();
        dlg.Button2->click();
        EXPECT_FALSE(dlg.Button3->isEnabled());
        dlg.Button1->click();
        generateEnabled = dlg.Button3->isEnabled();
        dlg.Button3->click();
        dlg.Button4->click();
        return dlg.result();
    });
    const std::size_t shown = Messages.size();
    Answers.push_back(EMessageResult::Yes); // open it
    Trigger("ExportExcel");
    EXPECT_EQ(checked, 9); // every enabled Graphics item, not the extra t-z curves
    EXPECT_TRUE(generateEnabled);
    ASSERT_TRUE(fs::exists(workbook));
    EXPECT_EQ(ReadAll(workbook).substr(0, 2), "PK");
    // The save dialog proposed the project's name; the written workbook was offered for
    // opening, and opened with the desktop's program.
    ASSERT_FALSE(SaveRequests.empty());
    EXPECT_EQ(SaveRequests.back().initialPath, (Root() / "project" / "PipeSandClay.xlsx").string());
    ASSERT_EQ(Messages.size(), shown + 1);
    EXPECT_EQ(Messages.back().type, EMessageType::Confirmation);
    EXPECT_EQ(Messages.back().buttons, EMessageButtons::YesNo);
    EXPECT_EQ(Messages.back().text,
              "The plots were written to the workbook " + workbook.string()
                  + ".\nDo you want to open it?");
    EXPECT_EQ(Opened, std::vector<std::string>{workbook.string()});
}

// The export dialog says what happens: a workbook is written, where is asked, and it may be
// opened afterwards; declined, nothing opens; a desktop without a program for it is said.
TEST_F(MainFormTest, ExportSaysAWorkbookIsWrittenAndOpensItOnlyWhenAsked)
{
    Form().FormShow({});
    OpenExample();
    Trigger("CompRun");
    ASSERT_TRUE(Form().PlotsLoaded());
    SaveAnswer = (Root() / "project" / "plots.xlsx").string();
    std::vector<std::string> notes;
    const TModalDialogSeam::Override exportDialog([&](QDialog& dialog) {
        for (int i = 1; i <= 3; ++i) {
            if (auto* label = dialog.findChild<QLabel*>(QString("Label%1").arg(i))) {
                notes.push_back(label->text().toStdString());
            }
        }
        dynamic_cast<TDlgExport&>(dialog).Button3->click();
        return QDialog::Accepted;
    });
    struct TCase
    {
        EMessageResult Answer;
        bool Opens;
        std::size_t OpenedAfter;
        const char* LastMessage;
    };
    const std::string written =
        "The plots were written to the workbook " + SaveAnswer + ".\nDo you want to open it?";
    const std::string notOpened = "The workbook " + SaveAnswer
                                  + " was written, but it could not be opened: the desktop has "
                                    "no program for .xlsx files.";
    for (const TCase& c : {TCase{EMessageResult::No, true, 0, written.c_str()},
                           TCase{EMessageResult::Yes, false, 1, notOpened.c_str()}}) {
        Messages.clear();
        Opened.clear();
        Answers = {c.Answer};
        const TShellOpenSeam::Override desktop([this, opens = c.Opens](const std::string& file) {
            Opened.push_back(file);
            return opens;
        });
        Trigger("ExportExcel");
        EXPECT_TRUE(fs::exists(SaveAnswer));
        EXPECT_EQ(Opened.size(), c.OpenedAfter);
        ASSERT_FALSE(Messages.empty());
        EXPECT_EQ(Messages.back().text, c.LastMessage);
    }
    const std::vector<std::string> expected = {
        "The checked plots are written to an Excel workbook (.xlsx): a data sheet and a chart "
        "for each.",
        "You are asked where to save the workbook.",
        "Once it is written, the program offers to open it with your spreadsheet program."};
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(notes.begin(), notes.begin() + 3), expected);
}

TEST_F(MainFormTest, TextFilesGoToTheEditor)
{
    Form().FormShow({});
    OpenExample();
    Form().EditorPath = "/usr/bin/myeditor";
    Trigger("EditInput");
    ASSERT_EQ(Launched.size(), 1u);
    EXPECT_EQ(Launched[0], "/usr/bin/myeditor|" + Example());
    // A report, as a run leaves it; the button is offered once the program looks again.
    std::ofstream(Root() / "project" / "PipeSandClay.qr7o") << "report\n";
    emit Form().ComputationMenu->aboutToShow();
    Trigger("sbOutput");
    ASSERT_EQ(Launched.size(), 2u);
    EXPECT_EQ(Launched[1],
              "/usr/bin/myeditor|" + (Root() / "project" / "PipeSandClay.qr7o").string());

    EditorStarts = false;
    Trigger("EditInput");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text,
              "An error occurred in running the Word Processor\n\"/usr/bin/myeditor\" could "
              "not be started.");
}

// An editor that does not exist: the message gives the system's reason.
TEST_F(MainFormTest, AnEditorThatCannotStartIsNamedWithTheReason)
{
    Form().FormShow({});
    OpenExample();
    const TEditorSeam::Override realEditor(nullptr);
    Form().EditorPath = (Root() / "no-such-editor").string();
    Trigger("EditInput");
    ASSERT_EQ(Messages.size(), 1u);
    const std::string prefix = "An error occurred in running the Word Processor\n\""
                               + Form().EditorPath + "\" could not be started: ";
    EXPECT_EQ(Messages[0].text.rfind(prefix, 0), 0u) << Messages[0].text;
    EXPECT_GT(Messages[0].text.size(), prefix.size() + 2) << "no reason given";
}

// The Edit items and the View Output button are offered exactly when their file exists, from
// the start, after a run and when a file goes behind the program's back.
TEST_F(MainFormTest, EditItemsAreOfferedExactlyWhenTheirFileExists)
{
    Form().FormShow({});
    const char* items[] = {"EditInput", "EditNotes", "EditOutput", "EditGrlweap", "sbOutput"};
    const auto offered = [this, &items] {
        std::vector<bool> states;
        for (const char* name : items) {
            states.push_back(Action(name)->isEnabled());
        }
        return states;
    };
    using S = std::vector<bool>;
    // A new project has no files, not even after the menu opened.
    EXPECT_EQ(offered(), (S{false, false, false, false, false}));
    emit Form().ComputationMenu->aboutToShow();
    EXPECT_EQ(offered(), (S{false, false, false, false, false}));
    OpenExample();
    EXPECT_EQ(offered(), (S{true, false, false, false, false}));
    Trigger("CompRun");
    // Without opening the menu: the button follows the run.
    EXPECT_EQ(offered(), (S{true, false, true, true, true}));
    std::ofstream(Root() / "project" / "PipeSandClay.qr7r") << "notes\n";
    emit Form().ComputationMenu->aboutToShow();
    EXPECT_EQ(offered(), (S{true, true, true, true, true}));

    // The report removed by another program: the button says so and is withdrawn.
    const fs::path report = Root() / "project" / "PipeSandClay.qr7o";
    fs::remove(report);
    Messages.clear();
    const std::size_t launched = Launched.size();
    Trigger("sbOutput");
    EXPECT_EQ(Launched.size(), launched);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text, "The file " + report.string() + " does not exist.");
    EXPECT_FALSE(Action("sbOutput")->isEnabled());
    EXPECT_FALSE(Action("EditOutput")->isEnabled());
}

TEST_F(MainFormTest, HelpIsOpenedFromTheHelpFolderWhateverTheCurrentFolder)
{
    // The pages as the build puts them beside the program.
    const fs::path help = fs::path(QUARN_ENGINE_MODULE).parent_path() / "help";
    Form().SetHelpFolder(help);
    fs::current_path(Root());
    struct TCase
    {
        const char* Item;
        const char* Page;
        const char* Title;
    };
    for (const TCase& c :
         {TCase{"HelpContents", "index.html", "Quarn 2015 Help"},
          TCase{"UsersManual", "user/index.html", "Quarn 2015 User's Guide"},
          TCase{"TechnicalManual", "technical/index.html", "Quarn 2015 Technical Manual"}}) {
        Trigger(c.Item);
        THelpWindow* window = Form().HelpWindow();
        ASSERT_NE(window, nullptr) << c.Item;
        EXPECT_TRUE(window->isVisible()) << c.Item;
        EXPECT_EQ(window->Browser()->source().toLocalFile().toStdString(),
                  (help / c.Page).string());
        EXPECT_EQ(window->Browser()->documentTitle().toStdString(), c.Title);
        EXPECT_EQ(window->windowTitle().toStdString(),
                  std::string(c.Title) + " - " + kHelpWindowCaption);
    }
    // One window for all of them; nothing went to the desktop.
    EXPECT_EQ(Form().findChildren<THelpWindow*>().size(), 1);
    EXPECT_TRUE(Opened.empty());
    EXPECT_TRUE(Messages.empty());

    // A folder without the pages: the message names the page.
    Form().SetHelpFolder(Root() / "nohelp");
    Trigger("UsersManual");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].text,
              "The help page " + (Root() / "nohelp" / "user/index.html").string()
                  + " could not be found.");
}

TEST_F(MainFormTest, OnlyTheFirstDroppedProjectIsOpened)
{
    Form().FormShow({});
    fs::copy_file(Example(), Root() / "project" / "second.qr7d");
    const fs::path text = Root() / "project" / "notes.txt";
    std::ofstream(text) << "notes\n";

    Form().OpenDroppedFiles(
        {QString::fromStdString(text.string()), QString::fromStdString(Example())});
    EXPECT_EQ(Form().Data().FileName, kNewProjectFileName); // other types are ignored

    Form().OpenDroppedFiles({QString::fromStdString(Example()),
                             QString::fromStdString((Root() / "project" / "second.qr7d").string()),
                             QString::fromStdString(text.string())});
    EXPECT_EQ(Form().Data().FileName, Example());
    EXPECT_EQ(Form().RecentFiles()[0], Example());
    EXPECT_TRUE(Form().RecentFiles()[1].empty());
}

TEST_F(MainFormTest, UnitsAndPileShapeMarkTheProjectChanged)
{
    Form().FormShow({});
    Trigger("SIUnits");
    EXPECT_EQ(Form().Data().UnitSystem, 2);
    EXPECT_TRUE(Form().IsModified());
    Form().SetModified(false);
    Trigger("NonCircular1");
    EXPECT_EQ(Form().Data().Circular, 0);
    EXPECT_TRUE(Form().IsModified());
    EXPECT_TRUE(Action("NonCircular1")->isChecked());
    EXPECT_FALSE(Action("Circular1")->isChecked());
}

// Options > Units to S.I. and back, ten times, then File > Save: the example is saved as it
// was, modulus of elasticity included.
TEST_F(MainFormTest, TenUnitRoundTripsSaveTheExampleUnchanged)
{
    Form().FormShow({});
    OpenExample();
    const std::string project = ReadAll(Example());
    const std::string cpt = ReadAll(kExampleFolder / "PipeSandClay.cpt");
    for (int trip = 0; trip < 10; ++trip) {
        Trigger("SIUnits");
        Trigger("EnglishUnits");
    }
    ASSERT_EQ(Form().Data().UnitSystem, 1);
    Trigger("FileSave");
    EXPECT_FALSE(Form().IsModified());
    EXPECT_EQ(ReadAll(Example()), project);
    EXPECT_EQ(ReadAll(Root() / "project" / "PipeSandClay.cpt"), cpt);
}

TEST_F(MainFormTest, SaveUnderAnOlderExtensionAsksAgainNextTime)
{
    Form().FormShow({});
    OpenExample();
    SaveAnswer = (Root() / "project" / "copy.qrd").string();
    Trigger("FileSaveAs");
    EXPECT_EQ(Form().Data().FileName, SaveAnswer);
    EXPECT_TRUE(fs::exists(SaveAnswer));
    EXPECT_EQ(SaveRequests.back().initialPath, Example());

    SaveAnswer.clear();
    Trigger("FileSave");
    ASSERT_EQ(SaveRequests.size(), 2u);
    EXPECT_EQ(SaveRequests.back().initialPath, (Root() / "project" / "copy.qr7d").string());
    EXPECT_EQ(SaveRequests.back().title, "Save Copy.qrd As");
}

TEST_F(MainFormTest, MenusFollowTheFilesAndTheLoadDirection)
{
    Form().FormShow({});
    OpenExample();
    emit Form().ComputationMenu->aboutToShow();
    EXPECT_TRUE(Action("EditInput")->isEnabled());
    EXPECT_FALSE(Action("EditOutput")->isEnabled());
    EXPECT_FALSE(Action("EditGrlweap")->isEnabled());
    EXPECT_FALSE(Action("EditNotes")->isEnabled());

    Trigger("CompRun");
    std::ofstream(Root() / "project" / "PipeSandClay.qr7r") << "notes\n";
    emit Form().ComputationMenu->aboutToShow();
    for (const char* name : {"EditInput", "EditOutput", "EditGrlweap", "EditNotes"}) {
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }

    // Tension: no tip resistance and no Q-w curve to show.
    Form().Data().LoadDirection = 1;
    emit Form().GraphicsMenu->aboutToShow();
    EXPECT_FALSE(Action("mTip")->isEnabled());
    EXPECT_FALSE(Action("mQw")->isEnabled());
    EXPECT_TRUE(Action("mAxial")->isEnabled());

    // The recent list shows names relative to the current folder.
    emit Form().FileMenu->aboutToShow();
    EXPECT_TRUE(Action("Recent1")->isVisible());
    EXPECT_EQ(Action("Recent1")->text().toStdString(), "1 PipeSandClay.qr7d");
    EXPECT_FALSE(Action("Recent2")->isVisible());

    // The Window menu lists the child windows.
    Trigger("mAxial");
    emit Form().WindowMenu->aboutToShow();
    EXPECT_TRUE(Action("WindowItem1")->isVisible());
    EXPECT_EQ(Action("WindowItem1")->text().toStdString(), "Axial Load vs Settlement");
    EXPECT_FALSE(Action("WindowItem2")->isVisible());
}

TEST_F(MainFormTest, MissingEngineEndsTheRunWithItsMessage)
{
    Form().FormShow({});
    OpenExample();
    Form().SetEngineFolder(Root() / "settings");
    const TRunOutcome outcome = Form().RunAnalysis();
    EXPECT_FALSE(outcome.EngineCalled);
    const auto texts = MessageTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().rfind(kInitializeFailedText, 0), 0u) << texts.back();
    EXPECT_FALSE(Form().PlotsLoaded());
}

TEST_F(MainFormTest, TableEditorsLiveInTheFrameAndCloseWithTheProject)
{
    Form().FormShow({});
    OpenExample();
    Form().Tables().D().Show();
    ASSERT_EQ(Form().MdiArea()->subWindowList().size(), 1);
    Trigger("FileNew");
    EXPECT_TRUE(Form().MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(Form().Data().FileName, kNewProjectFileName);
    // One left open when the program ends goes with the frame.
    Form().Tables().D().Show();
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);
}

} // namespace
