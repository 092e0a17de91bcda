// The user's guide's first project (help/user/first-project.html) followed step by step as a
// newcomer does it, from File New: every value the page gives, typed into the field it names,
// in its order. The saved project and its cone data must equal the shipped example in every
// value, and its report the example's report.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "AnalysisRun.h"
#include "FileLines.h"
#include "SoilWindowFixture.h"
#include "input/TDlgInputMotion.h"
#include "input/TDlgOptions.h"
#include "input/TDlgSoils.h"
#include "input/TdlgTitle.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmShaftpeneta.h"
#include "input/TfrmWaterDepth.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGuide =
    fs::path(QUARN_SOURCE_DIR) / "resources" / "help" / "user" / "first-project.html";
const fs::path kExample = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";

// A report without the lines that name where and when it ran.
std::vector<std::string> ReportBody(const fs::path& report)
{
    std::vector<std::string> body;
    for (const std::string& line : Lines(report)) {
        if (line.find("Path to file locations") == std::string::npos
            && line.find("Date:") == std::string::npos) {
            body.push_back(line);
        }
    }
    return body;
}

// The cone data file exactly as the guide prints it (its one preformatted block).
std::string GuideConeFile()
{
    const std::string html = ReadAll(kGuide);
    std::smatch block;
    if (!std::regex_search(html, block, std::regex("<pre>\\n([\\s\\S]*?)</pre>"))) {
        return {};
    }
    return block[1].str();
}

struct TSoilRow
{
    int Type;
    const char* Depth;
    const char* SideLimit;
    const char* EndLimit;
};

// Values of one layer window: edit number, then the value at the top and at the bottom.
struct TLayerValue
{
    int TopEdit;
    int BottomEdit;
    const char* Top;
    const char* Bottom;
};

class FirstProjectGuideTest : public SoilWindowTest
{
protected:
    void SetUp() override
    {
        SoilWindowTest::SetUp();
        Form().SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
    }

    // Steps 1 and 2.
    void DescribeProject()
    {
        LookInto(Form().FileMenu);
        Choose("FileNew");
        ASSERT_EQ(Data().FileName, kNewProjectFileName);
        EXPECT_EQ(Data().UnitSystem, 1) << "English units for a new project";
        auto* title = Open<TdlgTitle>("mTitle");
        ASSERT_NE(title, nullptr);
        auto* memo = Child<QPlainTextEdit>(title, "TitleMemo");
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(memo, "Steel pipe pile in layered sand and clay");
        Enter(Child<QLineEdit>(title, "DataEdit1"), "Example designer");
        Enter(Child<QLineEdit>(title, "DataEdit2"), "EX-2015-01");
        Click(Child<QPushButton>(title, "Button1"));
        Settle();
    }

    // Step 3: the capacity tab, Select All, then the user-specified method unticked.
    void ChooseMethods()
    {
        auto* methods = Open<TfrmWaterDepth>("mCompMethod");
        ASSERT_NE(methods, nullptr);
        EXPECT_TRUE(Child<QRadioButton>(methods, "OptAPI")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(methods, "OptHigh")->isChecked());
        QTabBar* tabs = Child<QTabWidget>(methods, "PageControl1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(1).center());
        Click(Child<QPushButton>(methods, "Button1"));
        Click(Child<QCheckBox>(methods, "CheckBox5"));
        EXPECT_TRUE(Child<QRadioButton>(methods, "RadioButton1")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(methods, "OptUndrain")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(methods, "OptCompression")->isChecked());
        Click(Child<QPushButton>(methods, "Button4"));
        Settle();
    }

    // Steps 4 and 5.
    void DescribePile()
    {
        auto* material = Open<TfrmMaterial>("mPileMaterial");
        ASSERT_NE(material, nullptr);
        EXPECT_TRUE(Child<QRadioButton>(material, "OptSteel")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(material, "OpenEnded")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(material, "RadioButton3")->isChecked());
        Enter(Child<TDataEdit>(material, "deModulus"), "29000000");
        Click(Child<QPushButton>(material, "Button4"));
        Settle();

        auto* section = Open<TfrmShaftpeneta>("mCircularPile");
        ASSERT_NE(section, nullptr);
        Enter(Child<TDataEdit>(section, "DataEdit1"), "5");  // PSL
        Enter(Child<TDataEdit>(section, "DataEdit8"), "24"); // OD
        Enter(Child<TDataEdit>(section, "DataEdit9"), "22.5");
        Enter(Child<TDataEdit>(section, "DataEdit10"), "80");
        EXPECT_TRUE(Child<QRadioButton>(section, "OptIntPlug")->isChecked());
        Click(Child<QPushButton>(section, "Button1"));
        Settle();
    }

    // Step 6: layer 1 is there already; three more are added.
    void DescribeSoil()
    {
        OpenLayers();
        ASSERT_NE(LayersWindow(), nullptr);
        ASSERT_EQ(GridRows(), 1) << "a new project holds one layer";
        const TSoilRow rows[] = {{SoilTypeCode::kSand, "20", "1700", "100000"},
                                 {SoilTypeCode::kClay, "45", "0", "0"},
                                 {SoilTypeCode::kSand, "70", "2000", "200000"},
                                 {SoilTypeCode::kClay, "100", "0", "0"}};
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(n);
            if (n > 1) {
                Click(LayersButton("ButtonAdd"));
            }
            const TSoilRow& row = rows[n - 1];
            ChooseType(n, row.Type);
            Enter(LayerEdit("DepthEdit", n), row.Depth);
            Enter(LayerEdit("SideFrictionEdit", n), row.SideLimit);
            Enter(LayerEdit("EndBearingEdit", n), row.EndLimit);
        }
        EXPECT_EQ(GridRows(), 4);
        // Unit weight, friction angle, Ko and Nq.
        const std::vector<TLayerValue> sand1 = {{1, 2, "62", "62"},
                                                {3, 4, "30", "30"},
                                                {7, 8, "0.8", "0.8"},
                                                {9, 10, "20", "20"}};
        const std::vector<TLayerValue> sand3 = {{1, 2, "65", "65"},
                                                {3, 4, "35", "35"},
                                                {7, 8, "0.8", "0.8"},
                                                {9, 10, "40", "40"}};
        // Unit weight, undrained and remolded strength, PI and YSR.
        const std::vector<TLayerValue> clay2 = {{17, 20, "55", "55"},
                                                {18, 21, "800", "1400"},
                                                {19, 22, "400", "700"},
                                                {24, 26, "25", "25"},
                                                {29, 32, "2", "2"}};
        const std::vector<TLayerValue> clay4 = {{17, 20, "58", "58"},
                                                {18, 21, "1800", "2400"},
                                                {19, 22, "900", "1200"},
                                                {24, 26, "20", "20"},
                                                {29, 32, "1.5", "1.5"}};
        EnterLayer(1, sand1, "RadioButton1", "Button1");
        EnterLayer(2, clay2, nullptr, "Button2");
        EnterLayer(3, sand3, "RadioButton1", "Button1");
        EnterLayer(4, clay4, nullptr, "Button2");
        Click(LayersButton("Button1"));
        Settle();
        // The window system gives the activation back to the main window when the modal
        // layer windows have gone.
        QApplication::setActiveWindow(&Form());
    }

    void EnterLayer(int n,
                    const std::vector<TLayerValue>& values,
                    const char* keptRadio,
                    const char* close)
    {
        EditLayer(n, [&](QDialog& layer) {
            EXPECT_EQ(layer.windowTitle().toStdString(), "Data for Layer " + std::to_string(n));
            if (keptRadio != nullptr) {
                EXPECT_TRUE(Child<QRadioButton>(&layer, keptRadio)->isChecked());
            } else {
                EXPECT_EQ(Child<QComboBox>(&layer, "ComboBox1")->currentIndex(), 0);
            }
            for (const TLayerValue& v : values) {
                for (const auto& [edit, text] :
                     {std::pair{v.TopEdit, v.Top}, std::pair{v.BottomEdit, v.Bottom}}) {
                    auto* field =
                        Child<TDataEdit>(&layer, ("DataEdit" + std::to_string(edit)).c_str());
                    ASSERT_NE(field, nullptr);
                    EXPECT_TRUE(field->isEnabled()) << edit;
                    Enter(field, text);
                }
            }
            Click(Child<QPushButton>(&layer, close));
        });
        EXPECT_FALSE(StillOpen["TDlgSoils"]) << "layer " << n;
    }

    // Step 7: the cone file the guide prints, read through the CPT data window.
    void ReadCone()
    {
        const std::string cone = GuideConeFile();
        ASSERT_FALSE(cone.empty()) << "the guide prints the cone data";
        const fs::path file = Folder().Path() / "cone.txt";
        std::ofstream(file, std::ios::binary) << cone;
        auto* cpt = Open<TDlgInputMotion>("mCptData");
        ASSERT_NE(cpt, nullptr);
        Enter(Child<QLineEdit>(cpt, "EdtWord"), QString::fromStdString(file.string()));
        Enter(Child<TDataEdit>(cpt, "DataEdit1"), "21");
        Enter(Child<TDataEdit>(cpt, "DataEdit4"), "1");
        Enter(Child<TDataEdit>(cpt, "DataEdit5"), "2");
        EXPECT_EQ(Child<TDataEdit>(cpt, "DataEdit6")->text().toStdString(), "1");
        Click(Child<QPushButton>(cpt, "Image1"));
        ASSERT_TRUE(Messages.empty()) << Messages.front();
        Click(Child<QPushButton>(cpt, "Button2"));
        Settle();
    }

    // Step 8.
    void SetPrintInterval()
    {
        auto* options = Open<TDlgOptions>("mControlOptions");
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(Child<TDataEdit>(options, "DataEdit3")->text().toStdString(), "1");
        Enter(Child<TDataEdit>(options, "DataEdit2"), "5");
        Click(Child<QPushButton>(options, "Button4"));
        Settle();
    }

    // Runs the project now open and returns its report.
    fs::path Run()
    {
        LookInto(Form().ComputationMenu);
        Messages.clear();
        Choose("CompRun");
        EXPECT_FALSE(Messages.empty());
        if (!Messages.empty()) {
            EXPECT_EQ(Messages.back().rfind(kCompletedText, 0), 0u) << Messages.back();
        }
        return fs::path(Data().FileName).replace_extension(".qr7o");
    }
};

TEST_F(FirstProjectGuideTest, FollowedStepByStepGivesTheExampleAndItsReport)
{
    DescribeProject();
    ChooseMethods();
    DescribePile();
    DescribeSoil();
    ReadCone();
    SetPrintInterval();
    EXPECT_TRUE(Messages.empty()) << Messages.front();

    // Step 9.
    fs::create_directories(Folder().Path() / "guide");
    const fs::path project = Folder().Path() / "guide" / "PipeSandClay.qr7d";
    SaveAnswer = project.string();
    LookInto(Form().FileMenu);
    Choose("FileSave");
    ASSERT_EQ(Data().FileName, project.string());
    ExpectSameLines(project, kExample / "PipeSandClay.qr7d");
    ExpectSameLines(fs::path(project).replace_extension(".cpt"), kExample / "PipeSandClay.cpt");

    // Step 10, then the example's own run (step 12) on a copy of it.
    const fs::path report = Run();
    fs::create_directories(Folder().Path() / "example");
    for (const char* name : {"PipeSandClay.qr7d", "PipeSandClay.cpt"}) {
        fs::copy_file(kExample / name, Folder().Path() / "example" / name);
    }
    OpenAnswer = {(Folder().Path() / "example" / "PipeSandClay.qr7d").string(), 1};
    LookInto(Form().FileMenu);
    Choose("FileOpen");
    ASSERT_EQ(Data().FileName, OpenAnswer.path);
    const fs::path exampleReport = Run();
    const std::vector<std::string> got = ReportBody(report);
    const std::vector<std::string> expected = ReportBody(exampleReport);
    ASSERT_FALSE(expected.empty()) << exampleReport;
    EXPECT_EQ(got, expected);
}

} // namespace
