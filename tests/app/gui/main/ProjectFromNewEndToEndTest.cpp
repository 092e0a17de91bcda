// A whole project described in the windows as a user does it, from File New to the graphs:
// title, pile, methods, a CPT profile read from a data file, two soil layers (sand over clay)
// with their properties; saved and compared line by line with files written by hand, then run
// with the real engine and its capacity graph shown. Once in English and once in SI units.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QPlainTextEdit>
#include <QRadioButton>

#include "AnalysisRun.h"
#include "FileLines.h"
#include "SoilWindowFixture.h"
#include "input/TDlgInputMotion.h"
#include "input/TDlgSoils.h"
#include "input/TdlgTitle.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmShaftpeneta.h"
#include "input/TfrmWaterDepth.h"

namespace fs = std::filesystem;

namespace {

// What the engineer types, in the units of the project.
struct TScenario
{
    const char* UnitsItem;
    const char* Title;
    const char* Modulus;
    const char* OD;
    const char* ID;
    const char* Length;
    const char* Depths[2];
    const char* SandWeight;
    const char* SandAngles[2];
    const char* ClayWeights[2];
    const char* Strengths[2];
    const char* Remolded[2];
    const char* CptText; // one header line, then depth and Qc
    const char* Ua;
    const char* Expected; // base name of the hand-written files
};

const TScenario kScenarios[] = {
    {"EnglishUnits",
     "Sand over clay, described in the windows",
     "29000000",
     "24",
     "22.5",
     "60",
     {"30", "80"},
     "62",
     {"32", "34"},
     {"55", "58"},
     {"1000", "2000"},
     {"500", "1000"},
     "Depth(ft) Qc(ksf)\n0 20\n10 60\n20 100\n30 140\n40 90\n50 110\n60 130\n70 150\n80 170\n"
     "90 190\n",
     "1",
     "SoilFromNewEnglish"},
    // Field data in MPa, brought to kPa with Ua.
    {"SIUnits",
     "Sand over clay in SI units",
     "200000000",
     "610",
     "571.5",
     "18",
     {"9", "25"},
     "9.8",
     {"32", "34"},
     {"8.6", "9.1"},
     {"48", "96"},
     {"24", "48"},
     "Depth(m) Qc(MPa)\n0 1\n3 3\n6 5\n9 7\n12 4.5\n15 5.5\n18 6.5\n21 7.5\n24 8.5\n27 9.5\n",
     "1000",
     "SoilFromNewSI"},
};

class ProjectFromNewEndToEndTest : public SoilWindowTest
{
protected:
    void SetUp() override
    {
        SoilWindowTest::SetUp();
        m_previousFolder = fs::current_path();
        Form().SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
    }
    void TearDown() override
    {
        SoilWindowTest::TearDown();
        fs::current_path(m_previousFolder);
    }

    void DescribePile(const TScenario& s)
    {
        auto* title = Open<TdlgTitle>("mTitle");
        ASSERT_NE(title, nullptr);
        auto* memo = Child<QPlainTextEdit>(title, "TitleMemo");
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(memo, s.Title);
        Enter(Child<QLineEdit>(title, "DataEdit1"), "A. Engineer");
        Enter(Child<QLineEdit>(title, "DataEdit2"), "JOB-17");
        Click(Child<QPushButton>(title, "Button1"));
        Settle();

        auto* material = Open<TfrmMaterial>("mPileMaterial");
        ASSERT_NE(material, nullptr);
        EXPECT_TRUE(Child<QRadioButton>(material, "OptSteel")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(material, "OpenEnded")->isChecked());
        Enter(Child<TDataEdit>(material, "deModulus"), s.Modulus);
        Click(Child<QPushButton>(material, "Button4"));
        Settle();

        auto* section = Open<TfrmShaftpeneta>("mCircularPile");
        ASSERT_NE(section, nullptr);
        Enter(Child<TDataEdit>(section, "DataEdit8"), s.OD);
        Enter(Child<TDataEdit>(section, "DataEdit9"), s.ID);
        Enter(Child<TDataEdit>(section, "DataEdit10"), s.Length);
        Click(Child<QPushButton>(section, "Button1"));
        Settle();
    }

    // API for load settlement (as a new project has it), and FHWA, USACE, Revised Lambda, API
    // and NGI for capacity.
    void ChooseMethods()
    {
        auto* methods = Open<TfrmWaterDepth>("mCompMethod");
        ASSERT_NE(methods, nullptr);
        for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox6"}) {
            Click(Child<QCheckBox>(methods, box));
        }
        Click(Child<QPushButton>(methods, "Button4"));
        Settle();
    }

    void ReadCpt(const TScenario& s)
    {
        const fs::path file = Folder().Path() / "cone.txt";
        std::ofstream(file, std::ios::binary) << s.CptText;
        auto* cpt = Open<TDlgInputMotion>("mCptData");
        ASSERT_NE(cpt, nullptr);
        Enter(Child<QLineEdit>(cpt, "EdtWord"), QString::fromStdString(file.string()));
        Enter(Child<TDataEdit>(cpt, "DataEdit1"), "10");
        Enter(Child<TDataEdit>(cpt, "DataEdit4"), "1");
        Enter(Child<TDataEdit>(cpt, "DataEdit5"), "2");
        Enter(Child<TDataEdit>(cpt, "DataEdit6"), s.Ua);
        Click(Child<QPushButton>(cpt, "Image1"));
        ASSERT_TRUE(Messages.empty()) << Messages.front();
        Click(Child<QPushButton>(cpt, "Button2"));
        Settle();
    }

    void DescribeSoil(const TScenario& s)
    {
        OpenLayers();
        ASSERT_NE(LayersWindow(), nullptr);
        Enter(LayerEdit("DepthEdit", 1), s.Depths[0]);
        Click(LayersButton("ButtonAdd"));
        ChooseType(2, SoilTypeCode::kClay);
        Enter(LayerEdit("DepthEdit", 2), s.Depths[1]);
        EditLayer(1, [&](QDialog& sand) {
            const auto edit = [&sand](int n) {
                return Child<TDataEdit>(&sand, ("DataEdit" + std::to_string(n)).c_str());
            };
            Enter(edit(1), s.SandWeight);
            Enter(edit(2), s.SandWeight);
            Enter(edit(3), s.SandAngles[0]);
            Enter(edit(4), s.SandAngles[1]);
            for (int n : {7, 8}) {
                Enter(edit(n), "0.8");
            }
            for (int n : {9, 10}) {
                Enter(edit(n), "20");
            }
            Click(Child<QPushButton>(&sand, "Button1"));
        });
        EditLayer(2, [&](QDialog& clay) {
            const auto edit = [&clay](int n) {
                return Child<TDataEdit>(&clay, ("DataEdit" + std::to_string(n)).c_str());
            };
            Enter(edit(17), s.ClayWeights[0]);
            Enter(edit(20), s.ClayWeights[1]);
            Enter(edit(18), s.Strengths[0]);
            Enter(edit(21), s.Strengths[1]);
            Enter(edit(19), s.Remolded[0]);
            Enter(edit(22), s.Remolded[1]);
            // Tomlinson graph C.
            auto* adhesion = Child<QComboBox>(&clay, "ComboBox1");
            QTest::mouseClick(adhesion, Qt::LeftButton);
            QApplication::processEvents();
            for (int i = 0; i < 3; ++i) {
                QTest::keyClick(adhesion->view(), Qt::Key_Down);
            }
            QTest::keyClick(adhesion->view(), Qt::Key_Return);
            EXPECT_EQ(adhesion->currentIndex(), 3);
            Click(Child<QPushButton>(&clay, "Button2"));
        });
        Click(LayersButton("Button1"));
        Settle();
    }

private:
    fs::path m_previousFolder;
};

TEST_F(ProjectFromNewEndToEndTest, ProjectDescribedInTheWindowsIsSavedAndRun)
{
    for (const TScenario& s : kScenarios) {
        SCOPED_TRACE(s.UnitsItem);
        Messages.clear();
        LookInto(Form().FileMenu);
        Choose("FileNew");
        ASSERT_EQ(Data().FileName, kNewProjectFileName);
        LookInto(Form().OptionsMenu);
        Choose(s.UnitsItem);

        DescribePile(s);
        ChooseMethods();
        ReadCpt(s);
        DescribeSoil(s);
        EXPECT_TRUE(Messages.empty()) << Messages.front();

        const fs::path project = Folder().Path() / (std::string(s.Expected) + ".qr7d");
        SaveAnswer = project.string();
        LookInto(Form().FileMenu);
        Choose("FileSave");
        EXPECT_EQ(Data().FileName, project.string());
        EXPECT_FALSE(Form().IsModified());
        const fs::path expected = fs::path(QUARN_TEST_DATA_DIR) / "gui";
        ExpectSameLines(project, expected / (std::string(s.Expected) + ".qr7d"));
        ExpectSameLines(fs::path(project).replace_extension(".cpt"),
                        expected / (std::string(s.Expected) + ".cpt"));

        LookInto(Form().ComputationMenu);
        Choose("CompRun");
        ASSERT_FALSE(Messages.empty());
        EXPECT_EQ(Messages.back().rfind(kCompletedText, 0), 0u) << Messages.back();
        ASSERT_TRUE(Form().PlotsLoaded());
        LookInto(Form().GraphicsMenu);
        Choose("mTotal");
        const QList<QMdiSubWindow*> shown = Form().MdiArea()->subWindowList();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0]->windowTitle().toStdString(), "Total Capacity vs Depth");
        const TGraphPlot& total = Form().Graphs().pltTotal;
        std::vector<std::string> curves;
        for (int i = 0; i < total.LineCount(); ++i) {
            curves.push_back(total.Line(i).GetCaption());
            EXPECT_GT(total.Line(i).PointCount(), 1) << curves.back();
        }
        EXPECT_EQ(curves, (std::vector<std::string>{"FHWA", "USACE", "Lambda", "API", "NGI"}));
    }
}

} // namespace
