// The pile described through the windows as a user does it: the English example opened,
// edited, saved and compared line by line with a file written by hand, then run with the
// real engine and its capacity graph shown.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QPlainTextEdit>
#include <QPushButton>

#include "AnalysisRun.h"
#include "FileLines.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "input/TDlgOptions.h"
#include "input/TInputWindow.h"
#include "input/TdlgTitle.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmShaftpeneta.h"
#include "main/InputWindows.h"

namespace fs = std::filesystem;

namespace {

class PileEditingEndToEndTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        const fs::path examples = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";
        fs::create_directories(Folder() / "project");
        for (const char* name : {"PipeSandClay.qr7d", "PipeSandClay.cpt"}) {
            fs::copy_file(examples / name, Folder() / "project" / name);
        }
        m_previousFolder = fs::current_path();
        Form().SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        fs::current_path(m_previousFolder);
    }

    fs::path Project() const { return Folder() / "project" / "PipeSandClay.qr7d"; }

private:
    fs::path m_previousFolder;
};

// Opening a window and closing it again changes nothing: the project is not marked and the
// saved file is the example as it was.
TEST_F(PileEditingEndToEndTest, WindowOpenedAndClosedChangesNothing)
{
    OpenAnswer = {Project().string(), 1};
    LookInto(Form().FileMenu);
    Choose("FileOpen");
    ASSERT_EQ(Form().Data().FileName, Project().string());
    for (const EInputWindow which : {EInputWindow::Title,
                                     EInputWindow::ComputationMethod,
                                     EInputWindow::PileMaterial,
                                     EInputWindow::CircularPile,
                                     EInputWindow::TzPrint,
                                     EInputWindow::ControlOptions,
                                     EInputWindow::CriticalDepth}) {
        const TInputWindowLauncher& launcher = InputWindowLaunchers()[static_cast<int>(which)];
        SCOPED_TRACE(launcher.Caption);
        auto* window = qobject_cast<TInputWindow*>(launcher.Create(Form()));
        ASSERT_NE(window, nullptr);
        window->SubWindow()->close();
        Settle();
        EXPECT_FALSE(Form().IsModified());
    }
    const std::vector<std::string> before = Lines(Project());
    LookInto(Form().FileMenu);
    Choose("FileSave");
    EXPECT_EQ(Lines(Project()), before);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PileEditingEndToEndTest, PileEditedInTheWindowsIsSavedAndRun)
{
    OpenAnswer = {Project().string(), 1};
    LookInto(Form().FileMenu);
    Choose("FileOpen");
    ASSERT_EQ(Form().Data().FileName, Project().string());

    // Title.
    auto* title = Open<TdlgTitle>("mTitle");
    ASSERT_NE(title, nullptr);
    auto* memo = Child<QPlainTextEdit>(title, "TitleMemo");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(memo, "Concrete pile in layered sand and clay");
    Click(Child<QPushButton>(title, "Button1"));
    Settle();

    // A closed-ended circular precast concrete pile.
    auto* material = Open<TfrmMaterial>("mPileMaterial");
    ASSERT_NE(material, nullptr);
    Click(Child<QRadioButton>(material, "OptConcrete"));
    Click(Child<QRadioButton>(material, "OptDrain"));
    Click(Child<QRadioButton>(material, "CloseEndedPrecast"));
    Click(Child<QPushButton>(material, "Button4"));
    Settle();

    // Its dimensions.
    auto* section = Open<TfrmShaftpeneta>("mCircularPile");
    ASSERT_NE(section, nullptr);
    EXPECT_FALSE(Child<TDataEdit>(section, "DataEdit11")->isEnabled()); // a closed end
    Enter(Child<TDataEdit>(section, "DataEdit8"), "30");
    Enter(Child<TDataEdit>(section, "DataEdit9"), "20");
    Enter(Child<TDataEdit>(section, "DataEdit10"), "85");
    Click(Child<QPushButton>(section, "Button1"));
    Settle();

    // Increment and print interval.
    auto* options = Open<TDlgOptions>("mControlOptions");
    ASSERT_NE(options, nullptr);
    Enter(Child<TDataEdit>(options, "DataEdit3"), "0.5");
    Enter(Child<TDataEdit>(options, "DataEdit2"), "2");
    LookInto(Form().FileMenu); // the window stays open; its entries are stored
    Choose("FileSave");
    EXPECT_FALSE(Form().IsModified());
    EXPECT_TRUE(Messages.empty());

    const std::vector<std::string> saved = Lines(Project());
    const std::vector<std::string> expected =
        Lines(fs::path(QUARN_TEST_DATA_DIR) / "gui" / "PipeSandClayEdited.qr7d");
    ASSERT_FALSE(expected.empty());
    for (std::size_t i = 0; i < std::max(saved.size(), expected.size()); ++i) {
        ASSERT_LT(i, saved.size()) << "the saved file ends before line " << i + 1;
        ASSERT_LT(i, expected.size()) << "the saved file goes on at line " << i + 1;
        ASSERT_EQ(saved[i], expected[i]) << "first difference at line " << i + 1;
    }

    // Run with the engine and show the capacity graph.
    LookInto(Form().ComputationMenu);
    Choose("CompRun");
    ASSERT_FALSE(Messages.empty());
    EXPECT_EQ(Messages.back().rfind(kCompletedText, 0), 0u) << Messages.back();
    ASSERT_TRUE(Form().PlotsLoaded());
    const std::vector<std::string> report = Lines(Folder() / "project" / "PipeSandClay.qr7o");
    EXPECT_NE(std::find_if(report.begin(),
                           report.end(),
                           [](const std::string& line) {
                               return line.find("Concrete pile in layered sand and clay")
                                      != std::string::npos;
                           }),
              report.end());
    LookInto(Form().GraphicsMenu);
    Choose("mTotal");
    ASSERT_EQ(Form().MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(Form().MdiArea()->subWindowList()[0]->windowTitle().toStdString(),
              "Total Capacity vs Depth");
}

} // namespace
