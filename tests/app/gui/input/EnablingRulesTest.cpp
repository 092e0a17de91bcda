// Every enabling rule of the input windows follows the state of its check box or radio button,
// whatever changed it: a screen reader's Toggle or Press action, the Space key, or the program.
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "SoilWindowFixture.h"
#include "TProgramData.h"
#include "input/TInputWindow.h"
#include "main/InputWindows.h"

namespace {

enum class EChange
{
    AccessibleToggle,
    AccessiblePress,
    SpaceKey,
    Program,
};

const char* NameOf(EChange how)
{
    switch (how) {
    case EChange::AccessibleToggle:
        return "accessible Toggle";
    case EChange::AccessiblePress:
        return "accessible Press";
    case EChange::SpaceKey:
        return "Space key";
    case EChange::Program:
        return "program";
    }
    return "";
}

constexpr EChange kChanges[] = {EChange::AccessibleToggle,
                                EChange::AccessiblePress,
                                EChange::SpaceKey,
                                EChange::Program};

// Checks an unchecked box or radio button the given way.
void Check(QAbstractButton* button, EChange how)
{
    ASSERT_NE(button, nullptr);
    ASSERT_FALSE(button->isChecked()) << button->objectName().toStdString();
    switch (how) {
    case EChange::AccessibleToggle:
    case EChange::AccessiblePress: {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr);
        actions->doAction(how == EChange::AccessibleToggle
                              ? QAccessibleActionInterface::toggleAction()
                              : QAccessibleActionInterface::pressAction());
        // A press is an animated click, which ends a moment later.
        EXPECT_TRUE(QTest::qWaitFor([button] { return button->isChecked(); }, 2000));
        break;
    }
    case EChange::SpaceKey:
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        break;
    case EChange::Program:
        button->setChecked(true);
        break;
    }
    QCoreApplication::processEvents();
    ASSERT_TRUE(button->isChecked()) << button->objectName().toStdString();
}

enum class EFollows
{
    Enabled,
    Shown,
    Checked,
};

bool StateOf(QWidget* widget, EFollows what)
{
    switch (what) {
    case EFollows::Enabled:
        return widget->isEnabled();
    case EFollows::Shown:
        return !widget->isHidden();
    case EFollows::Checked:
        return qobject_cast<QAbstractButton*>(widget)->isChecked();
    }
    return false;
}

struct TRuleCase
{
    const char* window; // the launcher's window class
    std::function<void(TProgramData&)> project;
    const char* control; // checked by the change
    const char* follower;
    EFollows follows;
};

class EnablingRulesTest : public SoilWindowTest
{
protected:
    QWidget* OpenWindow(const char* windowClass)
    {
        for (const TInputWindowLauncher& launcher : InputWindowLaunchers()) {
            if (std::string(launcher.WindowClass) == windowClass) {
                if (launcher.Hidden) {
                    launcher.Create(Form()); // its menu item is kept hidden
                    QCoreApplication::processEvents();
                } else {
                    Choose(launcher.MenuName);
                }
                return Form().findChild<QWidget*>(windowClass);
            }
        }
        ADD_FAILURE() << "no launcher for " << windowClass;
        return nullptr;
    }
};

TEST_F(EnablingRulesTest, RulesFollowTheStateHoweverItWasChanged)
{
    auto fhwaInCompression = [](TProgramData& d) {
        d.LoadSettlementMethod = MethodCode::kFhwa;
        d.MethodFlags = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
        d.LoadDirection = LoadDirectionCode::kCompression;
        d.CriticalDepthOption = CriticalDepthOptionCode::kByDensity;
    };
    const std::vector<TRuleCase> cases = {
        {"TfrmWaterDepth", fhwaInCompression, "OptTension", "deREDUCT", EFollows::Enabled},
        {"TfrmWaterDepth", fhwaInCompression, "OptTension", "Label5", EFollows::Enabled},
        {"TfrmWaterDepth", fhwaInCompression, "CheckBox2", "RadioButton1", EFollows::Enabled},
        {"TfrmWaterDepth",
         [&](TProgramData& d) {
             fhwaInCompression(d);
             d.MethodFlags[MethodCode::kUsace] = 1;
         },
         "RadioButton3",
         "DataEdit1",
         EFollows::Enabled},
        {"TfrmWaterDepth", fhwaInCompression, "CheckBox7", "OptDrain", EFollows::Enabled},
        {"TfrmWaterDepth", fhwaInCompression, "OptAPI", "Label24", EFollows::Shown},
        {"TfrmWaterDepth", fhwaInCompression, "OptAPI", "CheckBox4", EFollows::Checked},
        {"TDlgTZPrint",
         [](TProgramData& d) { d.PrintExtraTz = 0; },
         "ChkPrint",
         "EditDepths",
         EFollows::Enabled},
        {"TDlgBlock",
         [](TProgramData& d) { d.CriticalDepthOption = CriticalDepthOptionCode::kByDensity; },
         "RadioButton3",
         "DataEdit1",
         EFollows::Shown},
        {"TfrmMaterial",
         [](TProgramData& d) { d.PileType = PileTypeCode::kSteelPipe; },
         "OptConcrete",
         "OptDrain",
         EFollows::Enabled},
        {"TfrmMaterial",
         [](TProgramData& d) { d.AreaMode = SectionAreaModeCode::kFromSection; },
         "RadioButton1",
         "DeSection",
         EFollows::Enabled},
        {"TfrmMaterial",
         [](TProgramData& d) { d.AreaMode = SectionAreaModeCode::kFromSection; },
         "RadioButton2",
         "SectionButton1",
         EFollows::Enabled},
    };
    for (const TRuleCase& c : cases) {
        for (EChange how : kChanges) {
            SCOPED_TRACE(std::string(c.window) + " " + c.control + " -> " + c.follower + " by "
                         + NameOf(how));
            c.project(Data());
            QWidget* window = OpenWindow(c.window);
            ASSERT_NE(window, nullptr);
            auto* control = Child<QAbstractButton>(window, c.control);
            QWidget* follower = Child<QWidget>(window, c.follower);
            ASSERT_NE(follower, nullptr);
            ASSERT_FALSE(StateOf(follower, c.follows)) << "before the change";
            Check(control, how);
            EXPECT_TRUE(StateOf(follower, c.follows));
            // Put away as a new project would, whatever the window asks of its entries.
            qobject_cast<TInputWindow*>(window)->CloseWithProject();
            Settle();
            ASSERT_EQ(Form().findChild<QWidget*>(c.window), nullptr);
        }
    }
}

// The layer window: "Enter Blow Counts from SPT" opens the blow-count entries and closes the
// friction-angle ones.
TEST_F(EnablingRulesTest, LayerWindowFollowsTheStrengthChoiceHoweverItWasChanged)
{
    OpenLayers();
    for (EChange how : kChanges) {
        SCOPED_TRACE(NameOf(how));
        bool ran = false;
        EditLayer(1, [&](QDialog& dialog) {
            ran = true;
            auto* angle = Child<TDataEdit>(&dialog, "DataEdit3");
            auto* blows = Child<TDataEdit>(&dialog, "DataEdit5");
            ASSERT_TRUE(angle->isEnabled());
            ASSERT_FALSE(blows->isEnabled());
            Check(Child<QAbstractButton>(&dialog, "RadioButton2"), how);
            EXPECT_TRUE(blows->isEnabled());
            EXPECT_TRUE(Child<TDataEdit>(&dialog, "DataEdit6")->isEnabled());
            EXPECT_FALSE(angle->isEnabled());
            // Back to the friction angle, so the next round starts as this one did.
            Check(Child<QAbstractButton>(&dialog, "RadioButton1"), EChange::Program);
            Click(Child<QPushButton>(&dialog, "Button1"));
        });
        EXPECT_TRUE(ran);
    }
}

} // namespace
