// The input windows by keyboard alone: Return and Space press the focused button, and a refused
// entry names its field and keeps the focus, whatever the window.
#include <string>

#include <QApplication>
#include <QPushButton>

#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"

namespace {

class KeyboardTest : public WindowTest
{
protected:
    QWidget* Window(const char* windowClass)
    {
        return Form().findChild<QWidget*>(QString::fromLatin1(windowClass));
    }

    static std::string NameOfEdit(QWidget* window, const char* name)
    {
        return Child<TDataEdit>(window, name)->accessibleName().toStdString();
    }

    // Clicks into the window and tabs until the focus is on `target`.
    bool TabTo(QWidget* window, QWidget* target)
    {
        std::string path;
        ClickInto(window);
        if (QApplication::focusWidget() == nullptr
            || !window->isAncestorOf(QApplication::focusWidget())) {
            QTest::keyClick(window, Qt::Key_Tab);
        }
        for (int i = 0; i < 120 && QApplication::focusWidget() != target; ++i) {
            QWidget* focused = QApplication::focusWidget();
            if (focused == nullptr) {
                return false;
            }
            path += focused->objectName().toStdString() + " ";
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        if (QApplication::focusWidget() != target) {
            ADD_FAILURE() << path;
        }
        return QApplication::focusWidget() == target;
    }
};

// Return and Space on the focused Close button close every input window, as a click does.
TEST_F(KeyboardTest, ReturnAndSpacePressTheFocusedCloseButton)
{
    struct TCase
    {
        const char* action;
        const char* windowClass;
        const char* button;
    };
    const TCase cases[] = {
        {"mTitle", "TdlgTitle", "Button1"},
        {"mCompMethod", "TfrmWaterDepth", "Button2"},
        {"mPileMaterial", "TfrmMaterial", "Button4"},
        {"mCircularPile", "TfrmShaftpeneta", "Button1"},
        {"mNoncircularPile", "TfrmNCsection", "Button1"},
        {"mSoilLayers", "TDlgSoilLayers", "Button1"},
        {"mCptData", "TDlgInputMotion", "Button2"},
        {"mTzPrint", "TDlgTZPrint", "Button1"},
        {"mControlOptions", "TDlgOptions", "Button4"},
    };
    Data().E = 29000000;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(c.windowClass) + " key " + std::to_string(key));
            Data().Circular = std::string(c.windowClass) == "TfrmNCsection" ? 0 : 1;
            Form().UpdatePileShapeMenus();
            Choose(c.action);
            QWidget* window = Window(c.windowClass);
            ASSERT_NE(window, nullptr);
            auto* button = Child<QPushButton>(window, c.button);
            ASSERT_TRUE(TabTo(window, button));
            QTest::keyClick(button, key);
            Settle();
            EXPECT_EQ(Window(c.windowClass), nullptr) << "closed";
            EXPECT_TRUE(Messages.empty()) << Messages.front();
            Messages.clear();
        }
    }
}

// A refused entry names its field (its label without the accelerator, in the project's units)
// under the message, and the focus stays in it; a number a project file could not hold is
// refused like any other entry, and nothing of it is stored or saved.
TEST_F(KeyboardTest, RefusedEntriesNameTheirFieldAndKeepTheFocus)
{
    const std::string evaluator =
        "Entry could not be evaluated:\rinvalid character(s) in expression";
    const std::string large = "Entry must be a number of at most 1E15 in size.";
    const std::string small = "Entry must be 0 or a number of at least 1E-307 in size.";
    struct TCase
    {
        const char* unitsItem;
        const char* action;
        const char* windowClass;
        const char* edit;
        const char* typed;
        std::string message;
        long double TProgramData::*field;
    };
    const TCase cases[] = {
        {"EnglishUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "24x",
         evaluator + "\rField: Outer Diameter, OD (in)",
         &TProgramData::OD},
        {"SIUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "24x",
         evaluator + "\rField: Outer Diameter, OD (mm)",
         &TProgramData::OD},
        {"EnglishUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "1e16",
         large + "\rField: Outer Diameter, OD (in)",
         &TProgramData::OD},
        {"EnglishUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "2^1024",
         large + "\rField: Outer Diameter, OD (in)",
         &TProgramData::OD},
        {"SIUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "1e400",
         large + "\rField: Outer Diameter, OD (mm)",
         &TProgramData::OD},
        {"SIUnits",
         "mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit10",
         "1e-400",
         small + "\rField: Total Length, TL (m)",
         &TProgramData::TL},
        {"EnglishUnits",
         "mNoncircularPile",
         "TfrmNCsection",
         "DataEdit4",
         "1e16",
         large + "\rField: Tip Area for Noncircular Section (in²)",
         &TProgramData::TipArea},
        {"SIUnits",
         "mPileMaterial",
         "TfrmMaterial",
         "deModulus",
         "2e8x",
         evaluator + "\rField: Modulus of Elasticity, E (kN/m²)",
         &TProgramData::E},
        {"EnglishUnits",
         "mPileMaterial",
         "TfrmMaterial",
         "deModulus",
         "-1e16",
         large + "\rField: Modulus of Elasticity, E (lbs/in²)",
         &TProgramData::E},
        {"SIUnits",
         "mControlOptions",
         "TDlgOptions",
         "DataEdit3",
         "1e-320",
         small + "\rField: Length of each computation increment (m)",
         &TProgramData::Increment},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " " + c.typed);
        Choose(c.unitsItem);
        Data().Circular = std::string(c.windowClass) == "TfrmNCsection" ? 0 : 1;
        Form().UpdatePileShapeMenus();
        const TProgramData before = Data();
        Choose(c.action);
        QWidget* window = Window(c.windowClass);
        ASSERT_NE(window, nullptr);
        auto* edit = Child<TDataEdit>(window, c.edit);
        Messages.clear();
        Enter(edit, c.typed);
        ASSERT_EQ(Messages.size(), 1U);
        EXPECT_EQ(Messages[0], c.message);
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_EQ(edit->text().toStdString(), c.typed);
        // Nothing of it reaches the project, not even by a save.
        SaveAnswer = (Folder() / "Refused.qr7d").string();
        Choose("FileSave");
        EXPECT_EQ(Data().*c.field, before.*c.field);
        ASSERT_NE(Window(c.windowClass), nullptr) << "the window stays";
        Type(edit, "1");
        Tab();
        window->parentWidget()->close();
        Settle();
        EXPECT_EQ(Window(c.windowClass), nullptr);
    }
}

// Options > Units that would take a value beyond what a project file holds is refused with
// the value's name: the project keeps its units and values, and the open window shows them.
TEST_F(KeyboardTest, UnitChangeThatWouldMakeAnUnsaveableValueIsRefused)
{
    Data().OD = 5e14L; // 1.27E16 mm
    Data().TL = 80;
    Form().SetModified(false);
    Choose("mCircularPile");
    QWidget* window = Window("TfrmShaftpeneta");
    ASSERT_NE(window, nullptr);
    LookInto(Form().OptionsMenu);
    Choose("SIUnits");
    ASSERT_EQ(Messages.size(), 1U);
    EXPECT_EQ(Messages[0],
              "The units cannot be changed: Outer Diameter, OD would be no number a project "
              "file can hold (at most 1E15 in size, and 0 or at least 1E-307).");
    EXPECT_EQ(Data().UnitSystem, 1);
    EXPECT_EQ(Data().OD, 5e14L);
    EXPECT_EQ(Data().TL, 80.0L);
    EXPECT_FALSE(Form().IsModified());
    EXPECT_FALSE(Form().findChild<QAction*>("SIUnits")->isChecked());
    EXPECT_TRUE(Form().findChild<QAction*>("EnglishUnits")->isChecked());
    EXPECT_EQ(NameOfEdit(window, "DataEdit8"), "Outer Diameter, OD (in)");

    // Mended, the change goes through (the Options menu takes the window's entries first).
    Enter(Child<TDataEdit>(window, "DataEdit8"), "24");
    Messages.clear();
    LookInto(Form().OptionsMenu);
    Choose("SIUnits");
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Data().UnitSystem, 2);
    EXPECT_EQ(NameOfEdit(window, "DataEdit8"), "Outer Diameter, OD (mm)");
}

} // namespace
