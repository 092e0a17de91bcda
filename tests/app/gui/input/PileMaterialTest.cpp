#include <string>

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "LayoutChecks.h"
#include "PileRules.h"
#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "grid/TTableForm.h"
#include "input/TfrmMaterial.h"
#include "input/TfrmNCsection.h"
#include "input/TfrmShaftpeneta.h"
#include "input/TfrmWaterDepth.h"

namespace {

constexpr long double kHandTolerance = 1e-9L;

class PileMaterialTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Data().OD = 24;
        Data().ID = 22.5L;
        Data().E = 29000000;
        Data().TipArea = 21.4L;
        Form().SetModified(false);
    }

    TfrmMaterial* Window() { return Form().findChild<TfrmMaterial*>(); }
    TfrmMaterial& OpenMaterial()
    {
        TfrmMaterial* w = Open<TfrmMaterial>("mPileMaterial");
        EXPECT_NE(w, nullptr);
        return *w;
    }
    QRadioButton* Radio(const char* name) { return Child<QRadioButton>(Window(), name); }
    TDataEdit* Edit(const char* name) { return Child<TDataEdit>(Window(), name); }
    void CloseIt()
    {
        Click(Child<QPushButton>(Window(), "Button4"));
        Settle();
    }
};

TEST_F(PileMaterialTest, OpensWithTheCaptionsAndEveryPanelUnclipped)
{
    TfrmMaterial& w = OpenMaterial();
    EXPECT_EQ(w.SubWindow()->windowTitle().toStdString(), "Pile Material");
    struct TCase
    {
        const char* name;
        const char* caption;
    };
    const TCase cases[] = {
        {"OptSteel", "&Steel pipe piles and non-tapered portion of monotube piles"},
        {"OptTimber", "&Timber piles"},
        {"OptConcrete", "&Precast concrete piles"},
        {"OptRaymond", "&Raymond step-taper piles"},
        {"OptUniform", "&Raymond &Uniform taper piles"},
        {"OptHpile", "&H-Piles/Steel Piles"},
        {"OptMonotube", "Tapered portion of &Monotube piles"},
        {"OptDrain", "Circular/Tubular"},
        {"OptUndrain", "Square/Rectangular/Orthogonal"},
        {"OpenEnded", "Open-Ended Pile"},
        {"CloseEnded", "Close-Ended Pile"},
        {"OpenEndedPrecast", "Open-Ended Pile"},
        {"CloseEndedPrecast", "Close-Ended Pile"},
        {"RadioButton3", "Calculate from Pile Section"},
        {"RadioButton1", "Constant Cross Section Area"},
        {"RadioButton2", "Non-constant Cross Section Area"},
        {"SectionButton1", "Data Button"},
        {"Button4", "Close"},
        {"lblAngle1", "&Angle of taper for a tapered pile  (degrees)"},
        {"lblAngle2", "( Only used by the FHWA Method for Pile Capacity)"},
        {"Label1", "Modulus of &Elasticity, E (lbs/in²)"},
        {"Label6", "(enter the area as a function of depth.)"},
    };
    for (const TCase& c : cases) {
        auto* widget = w.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        const QString text = qobject_cast<QAbstractButton*>(widget) != nullptr
                                 ? qobject_cast<QAbstractButton*>(widget)->text()
                                 : qobject_cast<QLabel*>(widget)->text();
        EXPECT_EQ(text.toStdString(), c.caption) << c.name;
        // A screen reader reads the caption.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr) << c.name;
        QString shown = c.caption;
        shown.remove(QLatin1Char('&'));
        // (Qt leaves a second accelerator mark in the name.)
        EXPECT_EQ(accessible->text(QAccessible::Name).remove('&').simplified().toStdString(),
                  shown.simplified().toStdString())
            << c.name;
    }
    Click(Radio("OptConcrete"));
    ExpectNothingClippedOrOverlapping(w);
    EXPECT_TRUE(Messages.empty());
}

// What leaving the window stores for each pile type, and which section window the main
// window then offers.
TEST_F(PileMaterialTest, PileTypeStoresItsShapeAndEnd)
{
    struct TCase
    {
        const char* what;
        std::vector<const char*> clicks;
        unsigned char closedBefore;
        int type;
        unsigned char circular;
        unsigned char closedEnd;
    };
    const TCase cases[] = {
        {"closed steel pipe", {"OptSteel", "CloseEnded"}, 0, 1, 1, 1},
        {"open steel pipe", {"OptSteel", "OpenEnded"}, 1, 1, 1, 0},
        {"timber keeps the end", {"OptTimber", "CloseEnded"}, 1, 2, 1, 1},
        {"square concrete", {"OptConcrete", "OptUndrain"}, 0, 3, 0, 0},
        {"closed circular concrete", {"OptConcrete", "OptDrain", "CloseEndedPrecast"}, 0, 3, 1, 1},
        {"Raymond keeps the end", {"OptRaymond"}, 1, 4, 1, 1},
        {"uniform taper", {"OptUniform"}, 0, 5, 1, 0},
        {"H-pile", {"OptHpile"}, 0, 6, 0, 0},
        {"tapered monotube", {"OptMonotube"}, 1, 7, 1, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        Data().PileType = PileTypeCode::kSteelPipe;
        Data().Circular = 1;
        Data().ClosedEnd = c.closedBefore;
        Form().UpdatePileShapeMenus();
        Choose("mCircularPile"); // open, so the main window must close it for a noncircular pile
        OpenMaterial();
        for (const char* name : c.clicks) {
            Click(Radio(name));
        }
        CloseIt();
        EXPECT_EQ(Data().PileType, c.type);
        EXPECT_EQ(Data().Circular, c.circular);
        EXPECT_EQ(Data().ClosedEnd, c.closedEnd);
        Settle();
        const bool circular = c.circular == 1;
        EXPECT_EQ(Form().findChild<QAction*>("mCircularPile")->isEnabled(), circular);
        EXPECT_EQ(Form().findChild<QAction*>("mNoncircularPile")->isEnabled(), !circular);
        EXPECT_EQ(Form().findChild<TfrmShaftpeneta*>() != nullptr, circular);
        if (Form().findChild<TfrmShaftpeneta*>() != nullptr) {
            Form().findChild<TfrmShaftpeneta*>()->CloseWindow();
            Settle();
        }
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PileMaterialTest, ControlsFollowTheType)
{
    Data().MethodFlags[MethodCode::kFhwa] = 1;
    TfrmMaterial& w = OpenMaterial();
    struct TCase
    {
        const char* type;
        bool taper;
        bool steelEnd;
        bool concreteShape;
    };
    const TCase cases[] = {{"OptSteel", false, true, false},
                           {"OptTimber", true, false, false},
                           {"OptConcrete", false, false, true},
                           {"OptRaymond", true, false, false},
                           {"OptUniform", true, false, false},
                           {"OptHpile", false, false, false},
                           {"OptMonotube", true, false, false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.type);
        Click(Radio(c.type));
        EXPECT_EQ(Edit("deAngle")->isEnabled(), c.taper);
        EXPECT_EQ(Child<QLabel>(&w, "lblAngle1")->isEnabled(), c.taper);
        EXPECT_EQ(Radio("CloseEnded")->isEnabled(), c.steelEnd);
        EXPECT_EQ(Radio("OptUndrain")->isEnabled(), c.concreteShape);
        EXPECT_EQ(Radio("CloseEndedPrecast")->isEnabled(), c.concreteShape);
    }
    // The concrete end belongs to a circular concrete section only.
    Click(Radio("OptConcrete"));
    Click(Radio("OptUndrain"));
    EXPECT_FALSE(Radio("CloseEndedPrecast")->isEnabled());
}

TEST_F(PileMaterialTest, TaperAngleIsStoredOnlyWhileFhwaIsComputed)
{
    struct TCase
    {
        int fhwa;
        const char* typed; // null: the edit is disabled
        long double stored;
    };
    for (const TCase c : {TCase{1, "1.5", 1.5L}, TCase{0, nullptr, 0.0L}}) {
        SCOPED_TRACE(c.fhwa);
        Data().MethodFlags[MethodCode::kFhwa] = c.fhwa;
        Data().PileType = PileTypeCode::kTimber;
        Data().TaperAngle = 0.75L;
        Form().SetModified(false);
        OpenMaterial();
        TDataEdit* angle = Edit("deAngle");
        ASSERT_EQ(angle->isEnabled(), c.typed != nullptr);
        if (c.typed != nullptr) {
            EXPECT_EQ(angle->text().toStdString(), "0.75");
            Enter(angle, c.typed);
        } else {
            EXPECT_EQ(angle->text().toStdString(), "0"); // disabled entries show 0
        }
        CloseIt();
        EXPECT_EQ(Data().TaperAngle, c.stored);
        EXPECT_TRUE(Form().IsModified());
    }
}

TEST_F(PileMaterialTest, ShownAreaFollowsTheSectionInTheProjectsUnits)
{
    Data().SetUnits(2, &Form().Tables());
    Data().OD = 1000;
    Data().ID = 900;
    Data().TipArea = 0.0125L;
    TfrmMaterial& w = OpenMaterial();
    TDataEdit* area = Edit("DeAutoSection");
    EXPECT_FALSE(area->isEnabled());
    EXPECT_EQ(Child<QLabel>(&w, "Label4")->text().toStdString(), " (m²)");
    EXPECT_EQ(Child<QLabel>(&w, "Label1")->text().toStdString(),
              "Modulus of &Elasticity, E (kN/m²)");
    // (1000^2 - 900^2) x 3.1416 / 4 / 10^6
    EXPECT_NEAR(static_cast<double>(area->Number()), 0.149226, kHandTolerance);
    Click(Radio("OptHpile"));
    EXPECT_NEAR(static_cast<double>(area->Number()), 0.0125, kHandTolerance);
    Click(Radio("OptTimber")); // 1000^2 x 3.1416 / 4 / 10^6
    EXPECT_NEAR(static_cast<double>(area->Number()), 0.7854, kHandTolerance);
    Click(Radio("OptConcrete"));
    Click(Radio("OptUndrain"));
    EXPECT_NEAR(static_cast<double>(area->Number()), 0.0125, kHandTolerance);
}

// Both areas and the modulus are labelled in the project's units.
TEST_F(PileMaterialTest, UnitLabelsFollowTheProjectsUnits)
{
    struct TCase
    {
        const char* unitsItem;
        const char* area;
        const char* modulus;
    };
    const TCase cases[] = {{"EnglishUnits", " (in²)", "Modulus of &Elasticity, E (lbs/in²)"},
                           {"SIUnits", " (m²)", "Modulus of &Elasticity, E (kN/m²)"},
                           {"EnglishUnits", " (in²)", "Modulus of &Elasticity, E (lbs/in²)"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.unitsItem);
        LookInto(Form().OptionsMenu);
        Choose(c.unitsItem);
        TfrmMaterial& w = OpenMaterial();
        EXPECT_EQ(Child<QLabel>(&w, "Label4")->text().toStdString(), c.area); // from the section
        EXPECT_EQ(Child<QLabel>(&w, "Label5")->text().toStdString(), c.area); // constant
        EXPECT_EQ(Child<QLabel>(&w, "Label1")->text().toStdString(), c.modulus);
        CloseIt();
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PileMaterialTest, AreaModeEnablesItsEntryAndTheTableOpensInTheFrame)
{
    Data().AreaMode = SectionAreaModeCode::kFromSection;
    Data().ConstantArea = 5;
    TfrmMaterial& w = OpenMaterial();
    TDataEdit* constant = Edit("DeSection");
    auto* table = Child<QPushButton>(&w, "SectionButton1");
    EXPECT_FALSE(constant->isEnabled());
    EXPECT_EQ(constant->text().toStdString(), "0"); // and so stored
    EXPECT_FALSE(table->isEnabled());
    Click(Radio("RadioButton1"));
    EXPECT_TRUE(constant->isEnabled());
    Enter(constant, "12.5");
    Click(Radio("RadioButton2"));
    EXPECT_FALSE(constant->isEnabled());
    ASSERT_TRUE(table->isEnabled());
    Click(table);
    TTableForm* editor = TableFormOf(Form().Tables().Sectionaldata());
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(qobject_cast<QMdiSubWindow*>(editor->parentWidget()), nullptr); // in the frame
    EXPECT_EQ(Data().AreaMode, SectionAreaModeCode::kVarying);                // left for the editor
    EXPECT_EQ(Data().ConstantArea, 12.5L);
}

// The modulus must be positive whichever way the user closes the window; a new project
// closes it all the same.
TEST_F(PileMaterialTest, ModulusCheckHoldsForEveryClose)
{
    Data().E = 0;
    TfrmMaterial& w = OpenMaterial();
    const std::string warning = kModulusMessage;
    CloseIt();
    ASSERT_EQ(Window(), &w);
    ASSERT_EQ(Messages, std::vector<std::string>{warning});
    EXPECT_EQ(MessageTypes.back(), EMessageType::Warning);
    EXPECT_EQ(QApplication::focusWidget(), Edit("deModulus"));

    Enter(Edit("deModulus"), "-5");
    w.SubWindow()->close(); // the frame's close box
    Settle();
    ASSERT_EQ(Window(), &w);
    EXPECT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Data().E, -5.0L); // stored, and reported

    Type(Edit("deModulus"), "29000000");
    CloseIt();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(Data().E, 29000000.0L);

    Data().E = 0;
    OpenMaterial();
    Form().SetModified(false);
    Choose("FileNew");
    Settle();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(Messages.size(), 2u);
}

// Leaving the computation methods window without FHWA refreshes an open material window.
TEST_F(PileMaterialTest, ComputationMethodsRefreshTheOpenWindow)
{
    Data().MethodFlags = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0};
    Data().LoadSettlementMethod = MethodCode::kApi;
    Data().PileType = PileTypeCode::kTimber;
    Data().TaperAngle = 0.5L;
    TfrmMaterial& material = OpenMaterial();
    ASSERT_TRUE(Edit("deAngle")->isEnabled());
    auto* methods = Open<TfrmWaterDepth>("mCompMethod");
    ASSERT_NE(methods, nullptr);
    Click(Child<QCheckBox>(methods, "CheckBox1"));
    LookInto(Form().DataMenu);
    EXPECT_EQ(Data().TaperAngle, 0.0L);
    EXPECT_FALSE(Child<TDataEdit>(&material, "deAngle")->isEnabled());
    EXPECT_EQ(Child<TDataEdit>(&material, "deAngle")->text().toStdString(), "0");
}

} // namespace
