#include <string>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "LayoutChecks.h"
#include "PileRules.h"
#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "input/TPileSketch.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmNCsection.h"
#include "input/TfrmShaftpeneta.h"

namespace {

class PileSectionTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        TProgramData& d = Data();
        d.PSL = 5;
        d.OD = 24;
        d.ID = 22.5L;
        d.TL = 80;
        d.ESL = 4;
        d.EID = 21;
        d.ZFL = 2;
        d.PlugCondition = PlugConditionCode::kUnplugged;
        Form().SetModified(false);
    }

    TfrmShaftpeneta& OpenCircular()
    {
        Form().UpdatePileShapeMenus();
        auto* w = Open<TfrmShaftpeneta>("mCircularPile");
        EXPECT_NE(w, nullptr);
        return *w;
    }
    TfrmNCsection& OpenNoncircular()
    {
        Data().Circular = 0;
        Form().UpdatePileShapeMenus();
        auto* w = Open<TfrmNCsection>("mNoncircularPile");
        EXPECT_NE(w, nullptr);
        return *w;
    }
    static TDataEdit* Edit(const QWidget& w, const char* name)
    {
        return Child<TDataEdit>(&w, name);
    }
    static std::string LabelOf(const QWidget& w, const char* edit)
    {
        return Edit(w, edit)->EditLabel()->text().toStdString();
    }
};

TEST_F(PileSectionTest, CircularWindowShowsThePileInTheProjectsUnits)
{
    struct TCase
    {
        int units;
        const char* length;
        const char* diameter;
    };
    for (const TCase c : {TCase{1, "ft", "in"}, TCase{2, "m", "mm"}}) {
        SCOPED_TRACE(c.units);
        Data().UnitSystem = c.units;
        TfrmShaftpeneta& w = OpenCircular();
        EXPECT_EQ(w.SubWindow()->windowTitle().toStdString(), "Circular Pile Properties");
        const std::string l = std::string(" (") + c.length + ")";
        const std::string d = std::string(" (") + c.diameter + ")";
        EXPECT_EQ(LabelOf(w, "DataEdit1"), "&Pile Stickup Length, PSL" + l);
        EXPECT_EQ(LabelOf(w, "DataEdit8"), "&Outer Diameter, OD" + d);
        EXPECT_EQ(LabelOf(w, "DataEdit9"), "&Inner Diameter, ID" + d);
        EXPECT_EQ(LabelOf(w, "DataEdit10"), "&Total Length, TL" + l);
        EXPECT_EQ(LabelOf(w, "DataEdit11"), "&Lower End Section Length, ESL" + l);
        EXPECT_EQ(LabelOf(w, "DataEdit12"), "Inner &Diameter of Lower-End Section, EID" + d);
        EXPECT_EQ(LabelOf(w, "DataEdit13"), "Zero-&Friction Length from Ground, ZFL" + l);
        EXPECT_EQ(Edit(w, "DataEdit9")->text().toStdString(), "22.5");
        EXPECT_TRUE(Child<QRadioButton>(&w, "OptUnplug")->isChecked());
        EXPECT_EQ(Child<QLabel>(&w, "Label1")->text().toStdString(),
                  "(Note: leave values of end section as zero if none is present)");
        EXPECT_EQ(Child<QGroupBox>(&w, "GroupBox4")->title().toStdString(),
                  "Plugged / Unplugged Conditions ");
        ExpectNothingClippedOrOverlapping(w);
        w.CloseWindow();
        Settle();
    }
    EXPECT_TRUE(Messages.empty());
}

// The entries a pile uses follow its type and end; the others are disabled, show 0 and are
// stored as 0.
TEST_F(PileSectionTest, CircularEntriesFollowThePileTypeAndEnd)
{
    struct TCase
    {
        const char* what;
        int type;
        unsigned char circular;
        unsigned char closedEnd;
        bool id;
        bool endSection;
        long double storedId;
        long double storedEsl;
        long double storedEid;
    };
    const TCase cases[] = {
        {"open steel pipe", PileTypeCode::kSteelPipe, 1, 0, true, true, 22.5L, 4, 21},
        {"closed steel pipe", PileTypeCode::kSteelPipe, 1, 1, true, false, 22.5L, 4, 21},
        {"open circular concrete", PileTypeCode::kPrecastConcrete, 1, 0, true, true, 22.5L, 4, 21},
        {"timber", PileTypeCode::kTimber, 1, 0, false, false, 0, 0, 0},
        {"Raymond step-taper", PileTypeCode::kRaymondStepTaper, 1, 1, false, false, 0, 0, 0},
        {"tapered monotube", PileTypeCode::kTaperedMonotube, 1, 0, false, false, 0, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        Data().PileType = c.type;
        Data().Circular = c.circular;
        Data().ClosedEnd = c.closedEnd;
        Data().ID = 22.5L;
        Data().ESL = 4;
        Data().EID = 21;
        TfrmShaftpeneta& w = OpenCircular();
        auto* sketch = Child<TPileSketch>(&w, "Image1");
        EXPECT_EQ(Edit(w, "DataEdit9")->isEnabled(), c.id);
        EXPECT_EQ(sketch->Area("Image3")->isEnabled(), c.id);
        for (const char* name : {"DataEdit11", "DataEdit12"}) {
            EXPECT_EQ(Edit(w, name)->isEnabled(), c.endSection) << name;
        }
        EXPECT_EQ(sketch->Area("Image5")->isEnabled(), c.endSection);
        EXPECT_EQ(Child<QLabel>(&w, "Label1")->isEnabled(), c.endSection);
        EXPECT_EQ(Child<QGroupBox>(&w, "GroupBox4")->isVisible(), c.endSection);
        if (!c.id) {
            EXPECT_EQ(Edit(w, "DataEdit9")->text().toStdString(), "0");
            EXPECT_EQ(Edit(w, "DataEdit11")->text().toStdString(), "0");
            EXPECT_EQ(Edit(w, "DataEdit12")->text().toStdString(), "0");
        }
        Click(Child<QPushButton>(&w, "Button1"));
        Settle();
        EXPECT_EQ(Data().ID, c.storedId);
        EXPECT_EQ(Data().ESL, c.storedEsl);
        EXPECT_EQ(Data().EID, c.storedEid);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PileSectionTest, ClickingADimensionOfTheDrawingFocusesItsEntry)
{
    TfrmShaftpeneta& w = OpenCircular();
    auto* sketch = Child<TPileSketch>(&w, "Image1");
    struct TCase
    {
        const char* area;
        const char* edit;
    };
    const TCase cases[] = {{"Image2", "DataEdit8"},
                           {"Image3", "DataEdit9"},
                           {"Image4", "DataEdit13"},
                           {"Image5", "DataEdit11"},
                           {"Image6", "DataEdit12"},
                           {"Image7", "DataEdit10"},
                           {"Image8", "DataEdit1"}};
    for (const TCase& c : cases) {
        QWidget* area = sketch->Area(c.area);
        ASSERT_NE(area, nullptr) << c.area;
        // The area lies on its dimension as drawn.
        EXPECT_TRUE(sketch->rect().contains(area->geometry())) << c.area;
        QTest::mouseClick(area, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), Edit(w, c.edit)) << c.area;
    }
    // A disabled dimension takes no click.
    Data().PileType = PileTypeCode::kTimber;
    ClickInto(Open<TfrmMaterial>("mPileMaterial"));
    ClickInto(&w);
    QTest::mouseClick(sketch->Area("Image3"), Qt::LeftButton);
    EXPECT_NE(QApplication::focusWidget(), Edit(w, "DataEdit9"));
}

// The pile type chosen in the material window reaches an open circular window when it is
// activated again.
TEST_F(PileSectionTest, CircularWindowTakesANewPileTypeWhenActivatedAgain)
{
    TfrmShaftpeneta& w = OpenCircular();
    ASSERT_TRUE(Edit(w, "DataEdit9")->isEnabled());
    TfrmMaterial* material = Open<TfrmMaterial>("mPileMaterial");
    Click(Child<QRadioButton>(material, "OptTimber"));
    EXPECT_TRUE(Edit(w, "DataEdit9")->isEnabled());
    ClickInto(&w);
    EXPECT_EQ(Data().PileType, PileTypeCode::kTimber);
    EXPECT_FALSE(Edit(w, "DataEdit9")->isEnabled());
    EXPECT_EQ(Edit(w, "DataEdit9")->text().toStdString(), "0");
}

TEST_F(PileSectionTest, NegativeStickUpBecomesZeroWithItsMessageInBothWindows)
{
    const std::string message = kStickUpMessage;
    for (const bool circular : {true, false}) {
        SCOPED_TRACE(circular);
        Messages.clear();
        Data().PSL = 5;
        QWidget* w = circular ? static_cast<QWidget*>(&OpenCircular()) : &OpenNoncircular();
        TDataEdit* psl = Edit(*w, "DataEdit1");
        Enter(psl, "-1");
        ASSERT_EQ(Messages, std::vector<std::string>{message});
        EXPECT_EQ(MessageTypes.back(), EMessageType::Information);
        EXPECT_EQ(psl->text().toStdString(), "0");
        EXPECT_EQ(QApplication::focusWidget(), psl);
        // Zero passes silently and the focus moves on.
        Enter(psl, "0");
        EXPECT_EQ(Messages.size(), 1u);
        EXPECT_NE(QApplication::focusWidget(), psl);
        Enter(psl, "-2.5");
        EXPECT_EQ(Messages.size(), 2u);
        Click(Child<QPushButton>(w, "Button1"));
        Settle();
        EXPECT_EQ(Data().PSL, 0.0L);
        EXPECT_TRUE(Form().IsModified());
        Form().SetModified(false);
    }
}

// Every entry of both windows is stored, and marks the project, when it changes.
TEST_F(PileSectionTest, EntriesAreStoredAndMarkTheProject)
{
    TfrmShaftpeneta& circular = OpenCircular();
    struct TCase
    {
        const char* edit;
        const char* typed;
        long double TProgramData::*field;
        long double stored;
    };
    const TCase circularCases[] = {{"DataEdit1", "6", &TProgramData::PSL, 6},
                                   {"DataEdit8", "30", &TProgramData::OD, 30},
                                   {"DataEdit9", "28", &TProgramData::ID, 28},
                                   {"DataEdit10", "85", &TProgramData::TL, 85},
                                   {"DataEdit11", "3", &TProgramData::ESL, 3},
                                   {"DataEdit12", "26", &TProgramData::EID, 26},
                                   {"DataEdit13", "1.5", &TProgramData::ZFL, 1.5L}};
    for (const TCase& c : circularCases) {
        SCOPED_TRACE(c.edit);
        Form().SetModified(false);
        Enter(Edit(circular, c.edit), c.typed);
        LookInto(Form().FileMenu);
        EXPECT_EQ(Data().*c.field, c.stored);
        EXPECT_TRUE(Form().IsModified());
    }
    Click(Child<QRadioButton>(&circular, "OptPlug"));
    LookInto(Form().FileMenu);
    EXPECT_EQ(Data().PlugCondition, PlugConditionCode::kPlugged);

    TfrmNCsection& noncircular = OpenNoncircular();
    Settle();
    EXPECT_EQ(Form().findChild<TfrmShaftpeneta*>(), nullptr);
    const TCase noncircularCases[] = {{"DataEdit1", "4", &TProgramData::PSL, 4},
                                      {"DataEdit3", "56", &TProgramData::Perimeter, 56},
                                      {"DataEdit4", "196", &TProgramData::TipArea, 196},
                                      {"DataEdit5", "70", &TProgramData::TL, 70},
                                      {"DataEdit6", "3", &TProgramData::ZFL, 3}};
    for (const TCase& c : noncircularCases) {
        SCOPED_TRACE(c.edit);
        Form().SetModified(false);
        Enter(Edit(noncircular, c.edit), c.typed);
        LookInto(Form().FileMenu);
        EXPECT_EQ(Data().*c.field, c.stored);
        EXPECT_TRUE(Form().IsModified());
    }
    EXPECT_TRUE(Messages.empty());
}

// A visit that changes nothing marks nothing in either window: entries tabbed through, or
// typed again as they were.
TEST_F(PileSectionTest, VisitWithoutChangesMarksNothingInEitherWindow)
{
    Data().Perimeter = 56;
    Data().TipArea = 196;
    struct TCase
    {
        bool circular;
        std::vector<const char*> edits;
        const char* retyped; // typed again into the first edit: the stick-up as it was
    };
    const TCase cases[] = {
        {true,
         {"DataEdit1",
          "DataEdit8",
          "DataEdit9",
          "DataEdit10",
          "DataEdit11",
          "DataEdit12",
          "DataEdit13"},
         "5"},
        {false, {"DataEdit1", "DataEdit3", "DataEdit4", "DataEdit5", "DataEdit6"}, "2.5*2"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.circular);
        Data().Circular = c.circular ? 1 : 0;
        QWidget* w = c.circular ? static_cast<QWidget*>(&OpenCircular()) : &OpenNoncircular();
        Form().SetModified(false);
        for (const char* name : c.edits) {
            QTest::mouseClick(Edit(*w, name), Qt::LeftButton);
            Tab();
        }
        Enter(Edit(*w, c.edits.front()), c.retyped);
        Click(Child<QPushButton>(w, "Button1"));
        Settle();
        EXPECT_FALSE(Form().IsModified());
        EXPECT_EQ(Data().PSL, 5.0L);
        EXPECT_EQ(Data().TL, 80.0L);
    }
    EXPECT_EQ(Data().Perimeter, 56.0L);
    EXPECT_EQ(Data().TipArea, 196.0L);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PileSectionTest, NoncircularWindowShowsItsEntriesDrawingAndExamples)
{
    Data().UnitSystem = 2;
    TfrmNCsection& w = OpenNoncircular();
    EXPECT_EQ(w.SubWindow()->windowTitle().toStdString(), "Noncircular Pile Properties");
    EXPECT_EQ(LabelOf(w, "DataEdit1"), "&Pile Stickup Length, PSL (m)");
    EXPECT_EQ(LabelOf(w, "DataEdit3"), "&Perimeter for Noncircular Section  (mm)");
    EXPECT_EQ(LabelOf(w, "DataEdit4"), "Tip &Area for Noncircular Section  (m²)");
    EXPECT_EQ(LabelOf(w, "DataEdit5"), "&Total Length, TL (m)");
    EXPECT_EQ(LabelOf(w, "DataEdit6"), "Zero-&Friction from Length Ground, ZFL (m)");
    std::vector<std::string> texts;
    for (const char* name :
         {"Label7", "Label8", "Label9", "Label10", "Label11", "Label12", "Label13"}) {
        texts.push_back(Child<QLabel>(&w, name)->text().toStdString());
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Examples:",
                                        "P = 2(L1+L2)",
                                        "A = 2(L1xW1) + (L2 - 2xW1) x W2",
                                        "For very soft clays, use:",
                                        "A = L1x L2",
                                        "P = 2(L1+L2)",
                                        "A = L1x L2"}));
    ExpectNothingClippedOrOverlapping(w);
    auto* side = Child<TPileSketch>(&w, "imgSide");
    const std::pair<const char*, const char*> areas[] = {{"Image1", "DataEdit6"},
                                                         {"Image2", "DataEdit5"},
                                                         {"Image3", "DataEdit1"}};
    for (const auto& [area, edit] : areas) {
        QTest::mouseClick(side->Area(area), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), Edit(w, edit)) << area;
    }
    EXPECT_TRUE(Messages.empty());
}

} // namespace
