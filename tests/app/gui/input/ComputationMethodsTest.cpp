#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "LayoutChecks.h"
#include "ProjectTables.h"
#include "QtTestApplication.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "input/TInputWindow.h"
#include "input/TfrmWaterDepth.h"
#include "main/TMainForm.h"
#include "seams/MessageSeam.h"

namespace fs = std::filesystem;

namespace {

constexpr long double kExact = 0.0L;
constexpr long double kTypedTolerance = 1e-15L;

const std::array<const char*, 9> kOptNames = {"OptFHWA",
                                              "OptUSCOE",
                                              "OptLamda",
                                              "OptAPI",
                                              "OptUserSpecified",
                                              "OptNGI",
                                              "OptMTD",
                                              "OptFugro",
                                              "OptUWA"};

std::string Name(const char* prefix, int code)
{
    return prefix + std::to_string(code);
}

// The Computation Methods window of a shown main window (the shared window-test set-up).
class ComputationMethodsTest : public WindowTest
{
protected:
    TfrmWaterDepth* Window() { return Form().findChild<TfrmWaterDepth*>(); }

    TfrmWaterDepth& Open()
    {
        QAction* item = Form().findChild<QAction*>("mCompMethod");
        EXPECT_NE(item, nullptr);
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
        TfrmWaterDepth* window = Window();
        EXPECT_NE(window, nullptr);
        return *window;
    }

    template<typename T>
    T* Child(const std::string& name)
    {
        T* child = Window()->findChild<T*>(QString::fromStdString(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QRadioButton* Radio(const std::string& name) { return Child<QRadioButton>(name); }
    QCheckBox* Box(int code) { return Child<QCheckBox>(Name("CheckBox", code)); }
    QLabel* LsLabel(int code) { return Child<QLabel>(Name("Label", 20 + code)); }
    TDataEdit* Edit(const char* name) { return Child<TDataEdit>(name); }

    std::vector<int> CheckedBoxes()
    {
        std::vector<int> codes;
        for (int code = 1; code <= 9; ++code) {
            if (Box(code)->isChecked()) {
                codes.push_back(code);
            }
        }
        return codes;
    }
    std::vector<int> VisibleLsLabels()
    {
        std::vector<int> codes;
        for (int code = 1; code <= 9; ++code) {
            if (!LsLabel(code)->isHidden()) {
                codes.push_back(code);
            }
        }
        return codes;
    }
};

TEST_F(ComputationMethodsTest, MenuOpensOneWindowWithItsControlsAndCaptions)
{
    TfrmWaterDepth& window = Open();
    ASSERT_NE(window.SubWindow(), nullptr);
    EXPECT_EQ(window.SubWindow()->windowTitle().toStdString(), "Computation Methods");
    EXPECT_EQ(window.objectName().toStdString(), "TfrmWaterDepth");
    auto* pages = Child<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0).toStdString(), "Method for Load Settlement");
    EXPECT_EQ(pages->tabText(1).toStdString(), "Method for Pile Capacity");

    struct TCase
    {
        const char* name;
        const char* caption;
    };
    const TCase cases[] = {
        {"OptFHWA", "&FHWA (Federal Highway Administration) (**)"},
        {"OptUSCOE", "USACE (U.S. Army &Corps of Engineers) (*)"},
        {"OptLamda", "Revised &Lambda (**)"},
        {"OptAPI", "&API RP 2A (American Petroleum Institute) (**)"},
        {"OptUserSpecified", "Load-transfer Units specified by &User (**)"},
        {"OptNGI", "&NGI (Norwegian Geotechnical Institute) (**)"},
        {"OptMTD", "&ICP/MTD (Imperial College of London) (**)"},
        {"OptFugro", "Fugro (Offshore Driven Piles in Sand) (**)"},
        {"OptUWA", "UWA (University of Western Australia) (**)"},
        {"CheckBox1", "&FHWA (Federal Highway Administration) "},
        {"CheckBox2", "USACE (U.S. Army &Corps of Engineers) "},
        {"CheckBox3", "Revised Lambda "},
        {"CheckBox4", "&API RP 2A (American Petroleum Institute) "},
        {"CheckBox5", "Load-transfer Units specified by &User"},
        {"CheckBox6", "&NGI (Norwegian Geotechnical Institute) "},
        {"CheckBox7", "&ICP/MTD (Imperial College of London) "},
        {"CheckBox8", "Fugro (Offshore Driven Piles in Sand) "},
        {"CheckBox9", "UWA (University of Western Australia) "},
        {"OptHigh", "Use Unfactored Unit Side Friction and Unit Tip Resistance"},
        {"OptLow", "Use Reduced Unit Side Friction and Unit Tip Resistance"},
        {"RadioButton1", "Original Recommendations "},
        {"RadioButton2", "At Effective Stress Reaching 3,500 psf (168 kPa)"},
        {"RadioButton3", "At User-Specified Critical Depth"},
        {"OptDrain", "Use Drained Condition for Clay"},
        {"OptUndrain", "Use Undrained Condition for Clay"},
        {"OptCompression", "&Compression"},
        {"OptTension", "&Tension"},
        {"Button1", "Select All"},
        {"Button2", "Close"},
        {"Button3", "Clear Selections"},
        {"Button4", "Close"},
        {"Label13", "(10 to 20 Pile Diameter based on the Density)"},
        {"Label5", "(not applied to NGI, ICP/MTD, Fugro and UWA)"},
        {"Label21", "LS"},
    };
    for (const TCase& c : cases) {
        auto* widget = Window()->findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
        }
        EXPECT_EQ(text.toStdString(), c.caption) << c.name;
    }
    EXPECT_EQ(Edit("deREDUCT")->EditLabel()->text().toStdString(),
              "&Reduction factor for tension loading");

    // A second launch shows the same window.
    Form().findChild<QAction*>("mCompMethod")->trigger();
    EXPECT_EQ(Form().findChildren<TfrmWaterDepth*>().size(), 1);
    EXPECT_TRUE(Messages.empty());
}

// The window is as large as its content: with USACE and ICP/MTD ticked the critical-depth
// and clay panels show in full on the capacity page.
TEST_F(ComputationMethodsTest, BothPagesShowEveryPanelUnclipped)
{
    Data().MethodFlags = {0, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    Data().LoadDirection = LoadDirectionCode::kTension;
    TfrmWaterDepth& window = Open();
    auto* pages = Child<QTabWidget>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        SCOPED_TRACE(page);
        const QRect tab = pages->tabBar()->tabRect(page);
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, Qt::NoModifier, tab.center());
        ASSERT_EQ(pages->currentIndex(), page);
        ExpectNothingClippedOrOverlapping(window);
    }
    for (const char* name :
         {"Panel1", "Panel2", "DataEdit1", "OptUndrain", "GroupBox3", "Button4"}) {
        EXPECT_TRUE(Window()->findChild<QWidget*>(name)->isVisible()) << name;
    }
}

// A click on the capacity group's background stores the ticked boxes at once; the change
// must count as one, or leaving the window would find nothing changed.
TEST_F(ComputationMethodsTest, ClickOnTheCapacityGroupStoresTheTickedBoxesAndMarksTheProject)
{
    Data().MethodFlags = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    TfrmWaterDepth& window = Open();
    auto* pages = Child<QTabWidget>("PageControl1");
    QTest::mouseClick(pages->tabBar(),
                      Qt::LeftButton,
                      Qt::NoModifier,
                      pages->tabBar()->tabRect(1).center());
    Form().SetModified(false);
    QCheckBox* lambda = Box(3);
    QTest::mouseClick(lambda, Qt::LeftButton, Qt::NoModifier, QPoint(8, lambda->height() / 2));
    ASSERT_TRUE(lambda->isChecked());
    auto* group = Child<QWidget>("GroupBox2");
    QTest::mouseClick(group,
                      Qt::LeftButton,
                      Qt::NoModifier,
                      QPoint(group->width() - 4, group->height() - 4));
    EXPECT_EQ(Data().MethodFlags[MethodCode::kLambda], 1);
    EXPECT_TRUE(Form().IsModified());
    Form().SetModified(false);
    window.CloseWindow();
    Settle();
    EXPECT_EQ(Data().MethodFlags[MethodCode::kLambda], 1);
}

TEST_F(ComputationMethodsTest, ActivationLoadsTheProjectInBothUnitSystems)
{
    struct TCase
    {
        int units;
        const char* depthLabel;
    };
    for (const TCase c : {TCase{1, " (ft)"}, TCase{2, " (m)"}}) {
        SCOPED_TRACE(c.units);
        TProgramData& data = Data();
        data.UnitSystem = c.units;
        data.LoadSettlementMethod = MethodCode::kIcpMtd;
        data.MethodFlags = {0, 0, 1, 0, 0, 0, 0, 1, 0, 1};
        data.LoadDirection = LoadDirectionCode::kTension;
        data.TensionFactor = 2.5L;
        data.ClayCondition = ClayConditionCode::kUndrained;
        data.TzFactorOption = TzFactorOptionCode::kReduced;
        data.CriticalDepthOption = CriticalDepthOptionCode::kUserDepth;
        data.CriticalDepth = 12.5L;
        Form().SetModified(false);

        Open();
        EXPECT_TRUE(Radio("OptMTD")->isChecked());
        EXPECT_EQ(CheckedBoxes(), (std::vector<int>{2, 7, 9}));
        EXPECT_EQ(VisibleLsLabels(), std::vector<int>{7});
        EXPECT_TRUE(Radio("OptTension")->isChecked());
        EXPECT_FALSE(Radio("OptCompression")->isChecked());
        EXPECT_EQ(Edit("deREDUCT")->Number(), 2.5L);
        EXPECT_TRUE(Radio("OptUndrain")->isChecked());
        EXPECT_TRUE(Radio("OptLow")->isChecked());
        EXPECT_TRUE(Radio("RadioButton3")->isChecked());
        EXPECT_EQ(Edit("DataEdit1")->Number(), 12.5L);
        EXPECT_EQ(Child<QLabel>("Label12")->text().toStdString(), c.depthLabel);
        // Loading is not an edit.
        EXPECT_FALSE(Form().IsModified());
        Window()->CloseWindow();
        Settle();
        ASSERT_EQ(Window(), nullptr);
    }
}

TEST_F(ComputationMethodsTest, ActivationKeepsChangesMadeElsewhere)
{
    Form().SetModified(true);
    Open();
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(ComputationMethodsTest, LeavingStoresEveryControlAndMarksTheProject)
{
    Open();
    Form().SetModified(false);
    Radio("OptUSCOE")->click();
    Box(9)->click();
    Radio("OptTension")->click();
    ASSERT_TRUE(Box(4)->isChecked()); // API, the new project's method
    Edit("deREDUCT")->setText("0.5*3");
    Radio("OptUndrain")->click();
    Radio("OptLow")->click();
    Radio("RadioButton2")->click();
    Edit("DataEdit1")->setText("33.25");
    Form().DeactivateActiveChild();

    const TProgramData& data = Data();
    EXPECT_EQ(data.LoadSettlementMethod, MethodCode::kUsace);
    EXPECT_EQ(data.MethodFlags, (std::array<int, 10>{0, 0, 1, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(data.LoadDirection, LoadDirectionCode::kTension);
    EXPECT_NEAR(static_cast<double>(data.TensionFactor), 1.5, kTypedTolerance);
    EXPECT_EQ(data.ClayCondition, ClayConditionCode::kUndrained);
    EXPECT_EQ(data.TzFactorOption, TzFactorOptionCode::kReduced);
    EXPECT_EQ(data.CriticalDepthOption, CriticalDepthOptionCode::kByStress);
    EXPECT_EQ(data.CriticalDepth, 33.25L);
    EXPECT_TRUE(Form().IsModified());

    // Reopening shows what was stored.
    Window()->CloseWindow();
    Settle();
    Open();
    EXPECT_TRUE(Radio("OptUSCOE")->isChecked());
    EXPECT_EQ(CheckedBoxes(), (std::vector<int>{2, 4, 9}));
    EXPECT_TRUE(Radio("OptTension")->isChecked());
    EXPECT_NEAR(static_cast<double>(Edit("deREDUCT")->Number()), 1.5, kTypedTolerance);
    EXPECT_TRUE(Radio("OptUndrain")->isChecked());
    EXPECT_TRUE(Radio("OptLow")->isChecked());
    EXPECT_TRUE(Radio("RadioButton2")->isChecked());
    EXPECT_EQ(Edit("DataEdit1")->Number(), 33.25L);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ComputationMethodsTest, TypedValueAloneMarksTheProjectOnLeaving)
{
    Data().CriticalDepthOption = CriticalDepthOptionCode::kUserDepth;
    Data().MethodFlags[MethodCode::kUsace] = 1;
    Open();
    Form().SetModified(false);
    Edit("DataEdit1")->setText("7");
    Form().DeactivateActiveChild();
    EXPECT_EQ(Data().CriticalDepth, 7.0L);
    EXPECT_TRUE(Form().IsModified());

    // Leaving again with nothing changed leaves the flag alone.
    Form().SetModified(false);
    Form().DeactivateActiveChild();
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(ComputationMethodsTest, CompressionStoresAReductionFactorOfExactlyOne)
{
    Data().LoadDirection = LoadDirectionCode::kTension;
    Data().TensionFactor = 3.0L;
    Open();
    Radio("OptCompression")->click();
    Form().DeactivateActiveChild();
    EXPECT_EQ(Data().LoadDirection, LoadDirectionCode::kCompression);
    EXPECT_EQ(Data().TensionFactor, 1.0L);
}

TEST_F(ComputationMethodsTest, RefusedReductionFactorKeepsTheWindowAndStoresNothing)
{
    for (const char* text : {"0", "11"}) {
        SCOPED_TRACE(text);
        Messages.clear();
        Data().LoadSettlementMethod = MethodCode::kApi;
        Data().LoadDirection = LoadDirectionCode::kTension;
        Data().TensionFactor = 2.0L;
        Data().MethodFlags = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
        TfrmWaterDepth& window = Open();
        Form().SetModified(false);
        Radio("OptNGI")->click();
        TDataEdit* reduct = Edit("deREDUCT");
        ASSERT_TRUE(reduct->isEnabled());
        reduct->setFocus();
        reduct->setText(text);

        Form().DeactivateActiveChild();
        EXPECT_FALSE(Messages.empty());
        EXPECT_EQ(Data().LoadSettlementMethod, MethodCode::kApi);
        EXPECT_EQ(Data().TensionFactor, 2.0L);
        EXPECT_EQ(Data().MethodFlags[MethodCode::kNgi], 0);
        EXPECT_EQ(Form().MdiArea()->activeSubWindow(), window.SubWindow());
        // The other entries are still in the window.
        EXPECT_TRUE(Radio("OptNGI")->isChecked());

        // The close is refused while the entry is refused.
        reduct->setText(text);
        const std::size_t before = Messages.size();
        Child<QPushButton>("Button4")->click();
        Settle();
        ASSERT_EQ(Window(), &window);
        EXPECT_GT(Messages.size(), before);
        EXPECT_EQ(Data().MethodFlags[MethodCode::kNgi], 0);

        // A valid entry closes it and stores everything.
        reduct->setText("4");
        Child<QPushButton>("Button2")->click();
        Settle();
        EXPECT_EQ(Window(), nullptr);
        EXPECT_EQ(Data().LoadSettlementMethod, MethodCode::kNgi);
        EXPECT_EQ(Data().TensionFactor, 4.0L);
        EXPECT_EQ(Data().MethodFlags[MethodCode::kNgi], 1);
    }
}

TEST_F(ComputationMethodsTest, UnreadableDepthKeepsTheWindowOpenAndStoresNothing)
{
    Data().CriticalDepth = 5.0L;
    TfrmWaterDepth& window = Open();
    Radio("OptUWA")->click();
    Child<QPushButton>("Button4")->setFocus();
    Edit("DataEdit1")->setText("2*"); // set without focus, so never validated on exit
    Window()->CloseWindow();
    Settle();
    ASSERT_EQ(Window(), &window);
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Data().CriticalDepth, 5.0L);
    EXPECT_EQ(Data().LoadSettlementMethod, MethodCode::kApi);
}

TEST_F(ComputationMethodsTest, LoadSettlementMethodIsAlwaysACapacityMethod)
{
    Data().LoadSettlementMethod = MethodCode::kFhwa;
    Data().MethodFlags = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    Open();
    for (int code = 1; code <= 9; ++code) {
        SCOPED_TRACE(code);
        Radio(kOptNames[static_cast<std::size_t>(code - 1)])->click();
        EXPECT_EQ(VisibleLsLabels(), std::vector<int>{code});
        EXPECT_TRUE(Box(code)->isChecked());
        Box(code)->click(); // unchecking it checks it again
        EXPECT_TRUE(Box(code)->isChecked());
    }

    Child<QPushButton>("Button1")->click();
    EXPECT_EQ(CheckedBoxes(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    Radio("OptLamda")->click();
    Child<QPushButton>("Button3")->click();
    EXPECT_EQ(CheckedBoxes(), std::vector<int>{3});
    EXPECT_EQ(VisibleLsLabels(), std::vector<int>{3});
}

TEST_F(ComputationMethodsTest, DependentControlsFollowTheirBoxes)
{
    // NGI and ICP/MTD take the load direction into their own formulas: no tension factor.
    Data().LoadSettlementMethod = MethodCode::kNgi;
    Data().MethodFlags = {0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    Data().CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    Data().LoadDirection = LoadDirectionCode::kCompression;
    Open();
    auto* depth = Edit("DataEdit1");
    EXPECT_FALSE(Radio("RadioButton1")->isEnabled());
    EXPECT_FALSE(depth->isEnabled());
    Box(2)->click();
    EXPECT_TRUE(Radio("RadioButton1")->isEnabled());
    EXPECT_TRUE(Radio("RadioButton3")->isEnabled());
    EXPECT_TRUE(Child<QLabel>("Label13")->isEnabled());
    EXPECT_FALSE(depth->isEnabled());
    Radio("RadioButton3")->click();
    EXPECT_TRUE(depth->isEnabled());
    Box(2)->click();
    EXPECT_FALSE(depth->isEnabled());

    EXPECT_FALSE(Radio("OptDrain")->isEnabled());
    Box(7)->click();
    EXPECT_TRUE(Radio("OptDrain")->isEnabled());
    EXPECT_TRUE(Radio("OptUndrain")->isEnabled());

    auto* reduct = Edit("deREDUCT");
    EXPECT_FALSE(reduct->isEnabled());
    Radio("OptTension")->click();
    EXPECT_FALSE(reduct->isEnabled()); // only NGI and ICP/MTD checked
    Box(4)->click();
    EXPECT_TRUE(reduct->isEnabled());
    EXPECT_TRUE(Child<QLabel>("Label5")->isEnabled());
    Radio("OptCompression")->click();
    EXPECT_FALSE(reduct->isEnabled());
}

// In tension the reduction factor is asked for with each method it acts on (FHWA, USACE,
// Revised Lambda, API RP 2A, user-specified) and not for the four CPT-based ones, as the note
// beside it says.
TEST_F(ComputationMethodsTest, ReductionFactorIsAskedForWithEveryMethodItActsOn)
{
    struct TCase
    {
        int method;
        bool asked;
    };
    const TCase cases[] = {
        {MethodCode::kFhwa, true},
        {MethodCode::kUsace, true},
        {MethodCode::kLambda, true},
        {MethodCode::kApi, true},
        {MethodCode::kUserSpecified, true},
        {MethodCode::kNgi, false},
        {MethodCode::kIcpMtd, false},
        {MethodCode::kFugro, false},
        {MethodCode::kUwa, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.method);
        // The method alone, for load settlement and capacity.
        Data().LoadSettlementMethod = c.method;
        Data().MethodFlags = {};
        Data().MethodFlags[static_cast<std::size_t>(c.method)] = 1;
        Data().LoadDirection = LoadDirectionCode::kCompression;
        Open();
        auto* pages = Child<QTabWidget>("PageControl1");
        QTest::mouseClick(pages->tabBar(),
                          Qt::LeftButton,
                          Qt::NoModifier,
                          pages->tabBar()->tabRect(1).center());
        ASSERT_EQ(CheckedBoxes(), std::vector<int>{c.method});
        EXPECT_FALSE(Edit("deREDUCT")->isEnabled());
        Click(Radio("OptTension"));
        EXPECT_EQ(Edit("deREDUCT")->isEnabled(), c.asked);
        EXPECT_EQ(Child<QLabel>("Label5")->isEnabled(), c.asked);
        EXPECT_EQ(Child<QLabel>("Label5")->text().toStdString(),
                  "(not applied to NGI, ICP/MTD, Fugro and UWA)");
        Click(Child<QPushButton>("Button4"));
        Settle();
        ASSERT_EQ(Window(), nullptr);
    }
}

// The taper angle is read by the FHWA method only; it is dropped when FHWA is neither the
// load-settlement method nor computed for capacity.
TEST_F(ComputationMethodsTest, TaperAngleIsKeptWhileFhwaIsUsed)
{
    struct TCase
    {
        int method;
        bool fhwaBox;
        long double taper;
    };
    const TCase cases[] = {{MethodCode::kFhwa, true, 1.5L},
                           {MethodCode::kApi, true, 1.5L},
                           {MethodCode::kApi, false, 0.0L},
                           {MethodCode::kUsace, false, 0.0L}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.method * 10 + (c.fhwaBox ? 1 : 0));
        Data().TaperAngle = 1.5L;
        Data().LoadSettlementMethod = c.method;
        Data().MethodFlags = {0, c.fhwaBox ? 1 : 0, 0, 0, 0, 0, 0, 0, 0, 0};
        Data().MethodFlags[static_cast<std::size_t>(c.method)] = 1;
        Open();
        Window()->CloseWindow();
        Settle();
        ASSERT_EQ(Window(), nullptr);
        EXPECT_NEAR(static_cast<double>(Data().TaperAngle), static_cast<double>(c.taper), kExact);
    }
}

// Stands in for the pile-material window: counts its loads.
class TFakeMaterialWindow : public TInputWindow
{
public:
    explicit TFakeMaterialWindow(TWindowHost& form)
        : TInputWindow(form, EInputWindow::PileMaterial)
    {}
    int Loads = 0;
    int Stores = 0;

protected:
    void LoadControls() override { ++Loads; }
    bool StoreControls() override
    {
        ++Stores;
        return false;
    }
};

TEST_F(ComputationMethodsTest, SwitchingWindowsStoresAndReloads)
{
    auto* material =
        static_cast<TFakeMaterialWindow*>(TInputWindow::Open<TFakeMaterialWindow>(Form()));
    ASSERT_EQ(TInputWindow::FindOpenWindow(Form(), EInputWindow::PileMaterial), material);
    TfrmWaterDepth& window = Open();
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), window.SubWindow());
    Radio("OptLamda")->click();

    // Leaving for another window stores, and the open pile-material window is refreshed.
    const int loads = material->Loads;
    Form().MdiArea()->setActiveSubWindow(material->SubWindow());
    EXPECT_EQ(Data().LoadSettlementMethod, MethodCode::kLambda);
    EXPECT_EQ(Data().MethodFlags[MethodCode::kLambda], 1);
    EXPECT_GT(material->Loads, loads);

    // Coming back loads what the project holds now.
    Data().LoadSettlementMethod = MethodCode::kUwa;
    Form().MdiArea()->setActiveSubWindow(window.SubWindow());
    EXPECT_TRUE(Radio("OptUWA")->isChecked());
    EXPECT_EQ(VisibleLsLabels(), std::vector<int>{9});

    // The main window's deactivation before a save stores without leaving the window.
    const int direct = material->Loads;
    Radio("OptFugro")->click();
    Form().DeactivateActiveChild();
    EXPECT_EQ(Data().LoadSettlementMethod, MethodCode::kFugro);
    EXPECT_EQ(material->Loads, direct + 1);
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), window.SubWindow());
}

// A silt layer (row 0) and a clay layer (row 1) in the soil table.
class ComputationMethodsSoilTest : public ComputationMethodsTest
{
protected:
    void SetUp() override
    {
        ComputationMethodsTest::SetUp();
        TGridTable& soil = Form().Tables().D();
        soil.SetRowCount(2);
        soil.Columns(SoilColumn::kSoilType).SetInteger(0, SoilTypeCode::kSilt);
        soil.Columns(SoilColumn::kSoilType).SetInteger(1, SoilTypeCode::kClay);
        soil.Cells(SoilColumn::kBottomDepth, 0).SetFloat(20.0L);
        soil.Cells(SoilColumn::kBottomDepth, 1).SetFloat(40.0L);
        TGridTable* silt = soil.Cells(SoilColumn::kLayerData, 0).GetTable();
        ASSERT_NE(silt, nullptr);
        for (int r = 0; r < 2; ++r) {
            silt->Cells(SiltColumn::kUnitWeight, r).SetFloat(kWeight[r]);
            silt->Cells(SiltColumn::kFrictionAngle, r).SetFloat(kPhi[r]);
            silt->Cells(SiltColumn::kBlowCount, r).SetInteger(kBlows[r]);
            silt->Cells(SiltColumn::kKo, r).SetFloat(kKo[r]);
            silt->Cells(SiltColumn::kUndrainedStrength, r).SetFloat(0.75L);
        }
    }

    static constexpr long double kWeight[2] = {0.105L, 0.115L};
    static constexpr long double kPhi[2] = {28.0L, 31.5L};
    static constexpr int kBlows[2] = {7, 19};
    static constexpr long double kKo[2] = {0.8L, 0.65L};
};

TEST_F(ComputationMethodsSoilTest, SiltStaysSiltOnlyWhenUsaceIsTheOnlyMethod)
{
    struct TCase
    {
        std::array<int, 10> flags;
        int lsMethod;
        bool staysSilt;
    };
    const TCase cases[] = {
        {{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, MethodCode::kUsace, true},
        {{0, 1, 1, 0, 0, 0, 0, 0, 0, 0}, MethodCode::kUsace, false},
        {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, MethodCode::kApi, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.flags[1] * 100 + c.flags[2] * 10 + c.flags[4]);
        Data().MethodFlags = c.flags;
        Data().LoadSettlementMethod = c.lsMethod;
        Open();
        Form().SetModified(false);
        Window()->CloseWindow();
        Settle();
        TGridTable& soil = Form().Tables().D();
        EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 1), SoilTypeCode::kClay);
        EXPECT_EQ(soil.Cells(SoilColumn::kBottomDepth, 0).GetFloat(), 20.0L);
        if (c.staysSilt) {
            EXPECT_EQ(soil.GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSilt);
            continue;
        }
        EXPECT_TRUE(Form().IsModified());
        ASSERT_EQ(soil.GetInteger(SoilColumn::kSoilType, 0), SoilTypeCode::kSand);
        TGridTable* sand = soil.Cells(SoilColumn::kLayerData, 0).GetTable();
        ASSERT_NE(sand, nullptr);
        EXPECT_EQ(sand->Caption(), "Sand Layer Data");
        for (int r = 0; r < 2; ++r) {
            EXPECT_EQ(sand->Cells(SandColumn::kUnitWeight, r).GetFloat(), kWeight[r]);
            EXPECT_EQ(sand->Cells(SandColumn::kFrictionAngle, r).GetFloat(), kPhi[r]);
            EXPECT_EQ(sand->Cells(SandColumn::kBlowCount, r).GetInteger(), kBlows[r]);
            EXPECT_EQ(sand->Cells(SandColumn::kKo, r).GetFloat(), kKo[r]);
        }
        return; // the silt layer is gone for the later cases
    }
}

TEST_F(ComputationMethodsSoilTest, UserValueColumnsShowOnlyForTheUserMethod)
{
    for (const bool user : {true, false}) {
        SCOPED_TRACE(user);
        Data().MethodFlags = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
        Data().LoadSettlementMethod = MethodCode::kUsace;
        Open();
        Radio(user ? "OptUserSpecified" : "OptUSCOE")->click();
        Form().DeactivateActiveChild();
        TProjectTables& tables = Form().Tables();
        std::vector<TGridTable*> checked = {&tables.tblDataSand(), &tables.tblDataClay()};
        for (int row = 0; row < tables.D().RowCount(); ++row) {
            checked.push_back(tables.D().Cells(SoilColumn::kLayerData, row).GetTable());
        }
        for (TGridTable* table : checked) {
            ASSERT_NE(table, nullptr);
            EXPECT_EQ(table->Columns(6).Visible(), user) << table->Caption();
            EXPECT_EQ(table->Columns(7).Visible(), user) << table->Caption();
        }
        Window()->CloseWindow();
        Settle();
    }
}

} // namespace
