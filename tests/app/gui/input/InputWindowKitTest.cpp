// The input-window base: bindings loaded on activation, stored when the window is left or
// closed, the project marked modified exactly when a stored value changed.
#include <cmath>
#include <stdexcept>
#include <string>

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "input/TInputWindow.h"

namespace {

constexpr long double kTypedTolerance = 1e-15L;

// A window with one control of each kind, laid out by hand (the kit, not a form, is tested).
class TKitWindow : public TInputWindow
{
public:
    explicit TKitWindow(TWindowHost& form)
        : TInputWindow(form, EInputWindow::CriticalDepth)
    {
        auto* layout = new QFormLayout(this);
        Diameter = Named(new TDataEdit(this), "Diameter");
        DiameterLabel = Named(new QLabel(this), "DiameterLabel");
        Diameter->SetCaption("&Outer Diameter, OD");
        Diameter->SetUnitsString("L1");
        Diameter->SetEditLabel(DiameterLabel);
        layout->addRow(DiameterLabel, Diameter);
        Interval = Named(new TDataEdit(this), "Interval");
        Interval->SetMaxVal(500);
        Interval->SetMinVal(1);
        layout->addRow("Print every", Interval);
        Usace = Named(new QCheckBox("USACE", this), "Usace");
        layout->addRow(Usace);
        for (int i = 0; i < 3; ++i) {
            Plug[i] = Named(new QRadioButton(QString("Plug %1").arg(i), this),
                            QString("Plug%1").arg(i).toLatin1().constData());
            layout->addRow(Plug[i]);
        }
        Designer = Named(new QLineEdit(this), "Designer");
        layout->addRow("Designer", Designer);
        Title = Named(new QPlainTextEdit(this), "Title");
        layout->addRow("Title", Title);
        Close = Named(new QPushButton("Close", this), "Close");
        layout->addRow(Close);
        connect(Close, &QPushButton::clicked, this, &TKitWindow::CloseWindow);

        BindNumber(Diameter, Field(&TProgramData::OD));
        BindNumber(Interval, Field(&TProgramData::PrintInterval), [](long double entry) {
            return static_cast<int>(std::lround(entry));
        });
        BindCheck(Usace, [](TProgramData& d) -> int& { return d.MethodFlags[MethodCode::kUsace]; });
        BindRadio(Field(&TProgramData::PlugCondition),
                  {{Plug[0], PlugConditionCode::kComputed},
                   {Plug[1], PlugConditionCode::kPlugged},
                   {Plug[2], PlugConditionCode::kUnplugged}});
        BindText(Designer, Field(&TProgramData::Designer));
        BindText(Title, Field(&TProgramData::Title));
    }

    TDataEdit* Diameter;
    QLabel* DiameterLabel;
    TDataEdit* Interval;
    QCheckBox* Usace;
    QRadioButton* Plug[3];
    QLineEdit* Designer;
    QPlainTextEdit* Title;
    QPushButton* Close;
    bool Allowed = true;
    bool FailStore = false;
    int Loads = 0;

protected:
    void LoadControls() override { ++Loads; }
    bool StoreControls() override
    {
        if (FailStore) {
            throw std::runtime_error("The layer table is full.");
        }
        return false;
    }
    bool CloseAllowed() override { return Allowed; }

private:
    template<typename W>
    static W* Named(W* widget, const char* name)
    {
        widget->setObjectName(name);
        return widget;
    }
};

class InputWindowKitTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Data().OD = 24;
        Data().PrintInterval = 3;
        Data().MethodFlags[MethodCode::kUsace] = 1;
        Data().PlugCondition = PlugConditionCode::kPlugged;
        Data().Designer = "A. Engineer";
        Data().Title = "Pile";
        Form().SetModified(false);
    }

    TKitWindow& OpenKit()
    {
        m_window = static_cast<TKitWindow*>(TInputWindow::Open<TKitWindow>(Form()));
        return *m_window;
    }
    // A second window to click into, so the first is left as the user leaves it.
    TKitWindow& OpenOther()
    {
        m_other = static_cast<TKitWindow*>(TInputWindow::Open<TKitWindow>(Form()));
        return *m_other;
    }
    void Leave() { ClickInto(m_other); }
    void Back() { ClickInto(m_window); }

    TKitWindow* m_window = nullptr;
    TKitWindow* m_other = nullptr;
};

TEST_F(InputWindowKitTest, ActivationLoadsEveryBindingInTheProjectsUnits)
{
    struct TCase
    {
        int units;
        const char* label;
    };
    for (const TCase c :
         {TCase{1, "&Outer Diameter, OD (in)"}, TCase{2, "&Outer Diameter, OD (mm)"}}) {
        SCOPED_TRACE(c.units);
        Data().UnitSystem = c.units;
        TKitWindow& w = OpenKit();
        EXPECT_EQ(w.Diameter->text().toStdString(), "24");
        EXPECT_EQ(w.DiameterLabel->text().toStdString(), c.label);
        EXPECT_EQ(w.Interval->text().toStdString(), "3");
        EXPECT_TRUE(w.Usace->isChecked());
        EXPECT_FALSE(w.Plug[0]->isChecked());
        EXPECT_TRUE(w.Plug[1]->isChecked());
        EXPECT_EQ(w.Designer->text().toStdString(), "A. Engineer");
        EXPECT_EQ(w.Title->toPlainText().toStdString(), "Pile");
        EXPECT_FALSE(Form().IsModified()); // loading is no edit
        w.CloseWindow();
        Settle();
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(InputWindowKitTest, LeavingStoresEveryBindingAndMarksTheProject)
{
    TKitWindow& w = OpenKit();
    OpenOther();
    Back();
    Enter(w.Diameter, "2*15");
    EXPECT_EQ(w.Diameter->text().toStdString(), "30");
    Type(w.Interval, "7");
    Click(w.Usace);
    Click(w.Plug[2]);
    Type(w.Designer, "B. Engineer");
    QTest::mouseClick(w.Title->viewport(), Qt::LeftButton);
    QTest::keyClick(w.Title, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.Title, " cap");
    EXPECT_EQ(Data().OD, 24.0L); // nothing is stored before the window is left
    Leave();

    EXPECT_EQ(Data().OD, 30.0L);
    EXPECT_EQ(Data().PrintInterval, 7);
    EXPECT_EQ(Data().MethodFlags[MethodCode::kUsace], 0);
    EXPECT_EQ(Data().PlugCondition, PlugConditionCode::kUnplugged);
    EXPECT_EQ(Data().Designer, "B. Engineer");
    EXPECT_EQ(Data().Title, "Pile cap");
    EXPECT_TRUE(Form().IsModified());

    // Coming back loads what the project holds now.
    Data().OD = 36;
    const int loads = w.Loads;
    Back();
    EXPECT_EQ(w.Loads, loads + 1);
    EXPECT_EQ(w.Diameter->text().toStdString(), "36");
    EXPECT_TRUE(Messages.empty());
}

// Going from a window to one opened before it: the window left stores first, so the one
// activated shows what was just entered.
TEST_F(InputWindowKitTest, WindowActivatedShowsWhatTheWindowLeftStored)
{
    TKitWindow& first = OpenKit();
    TKitWindow& second = OpenOther();
    Enter(second.Diameter, "31");
    Back();
    EXPECT_EQ(Data().OD, 31.0L);
    EXPECT_EQ(first.Diameter->text().toStdString(), "31");
    Enter(first.Diameter, "32");
    Leave();
    EXPECT_EQ(second.Diameter->text().toStdString(), "32");
}

TEST_F(InputWindowKitTest, ClosingStoresAsLeavingDoes)
{
    TKitWindow& w = OpenKit();
    Type(w.Diameter, "18");
    Click(w.Close);
    Settle();
    EXPECT_EQ(Form().findChild<TKitWindow*>(), nullptr);
    EXPECT_EQ(Data().OD, 18.0L);
    EXPECT_TRUE(Form().IsModified());
}

// Only a stored value that differs marks the project; an edit undone before leaving, or a
// value typed again as it was, is no change.
TEST_F(InputWindowKitTest, ProjectIsMarkedOnlyWhenAStoredValueDiffers)
{
    TKitWindow& w = OpenKit();
    OpenOther();
    struct TCase
    {
        const char* what;
        std::function<void()> edit;
        bool modified;
    };
    const TCase cases[] = {
        {"nothing", [] {}, false},
        {"same number", [&] { Enter(w.Diameter, "24"); }, false},
        {"same number as an expression", [&] { Enter(w.Diameter, "12*2"); }, false},
        {"box ticked twice",
         [&] {
             Click(w.Usace);
             Click(w.Usace);
         },
         false},
        {"same radio", [&] { Click(w.Plug[1]); }, false},
        {"text typed and taken back",
         [&] {
             Type(w.Designer, "X");
             Type(w.Designer, "A. Engineer");
         },
         false},
        {"new number", [&] { Enter(w.Diameter, "25"); }, true},
        {"new radio", [&] { Click(w.Plug[0]); }, true},
        {"new designer", [&] { Type(w.Designer, "C"); }, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        Back();
        Form().SetModified(false);
        c.edit();
        Leave();
        EXPECT_EQ(Form().IsModified(), c.modified);
    }
}

// A number shown with 18 digits and read back would not be the number held; an entry the
// user did not touch is not stored again.
TEST_F(InputWindowKitTest, UntouchedNumberKeepsItsExactValue)
{
    const long double third = 1.0L / 3.0L;
    Data().OD = third;
    TKitWindow& w = OpenKit();
    OpenOther();
    Back();
    EXPECT_EQ(w.Diameter->text().toStdString(), "0.333333333333333333");
    Enter(w.Interval, "4");
    Leave();
    EXPECT_EQ(Data().OD, third);
    EXPECT_EQ(Data().PrintInterval, 4);
}

// A value the edit cannot show as it is, is shown clamped and stored as shown.
TEST_F(InputWindowKitTest, ValueOutsideTheEditsLimitsIsStoredAsShown)
{
    Data().PrintInterval = 0;
    TKitWindow& w = OpenKit();
    EXPECT_EQ(w.Interval->text().toStdString(), "1");
    w.CloseWindow();
    Settle();
    EXPECT_EQ(Data().PrintInterval, 1);
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(InputWindowKitTest, RefusedEntryKeepsTheWindowActiveAndStoresNothing)
{
    TKitWindow& w = OpenKit();
    OpenOther();
    Back();
    Click(w.Usace);
    Type(w.Interval, "501");
    Leave();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Entry must be less than or equal to 500");
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), w.SubWindow());
    EXPECT_EQ(w.Interval->text().toStdString(), "500"); // the edit clamps
    EXPECT_EQ(Data().MethodFlags[MethodCode::kUsace], 1);
    EXPECT_EQ(Data().PrintInterval, 3);
    EXPECT_FALSE(Form().IsModified());
}

// An entry that cannot be read when the window is closed keeps the window, and the other
// entries wait with it: nothing is stored until all can be.
TEST_F(InputWindowKitTest, UnreadableEntryStoresNothingAndKeepsTheWindow)
{
    TKitWindow& w = OpenKit();
    Type(w.Diameter, "30");
    Click(w.Usace); // the focus leaves the diameter: 30 is accepted
    Type(w.Interval, "2*");
    w.SubWindow()->close(); // the frame's close box
    Settle();
    ASSERT_EQ(Form().findChild<TKitWindow*>(), &w);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Data().OD, 24.0L);
    EXPECT_EQ(Data().MethodFlags[MethodCode::kUsace], 1);
    EXPECT_FALSE(Form().IsModified());

    Type(w.Interval, "5");
    w.SubWindow()->close();
    Settle();
    EXPECT_EQ(Form().findChild<TKitWindow*>(), nullptr);
    EXPECT_EQ(Data().OD, 30.0L);
    EXPECT_EQ(Data().PrintInterval, 5);
    EXPECT_EQ(Data().MethodFlags[MethodCode::kUsace], 0);
    EXPECT_EQ(Messages.size(), 1u);
}

// A window's own storing that fails after its bindings were stored puts the data back.
TEST_F(InputWindowKitTest, FailedStoringLeavesTheDataAsTheyWere)
{
    TKitWindow& w = OpenKit();
    w.FailStore = true;
    Type(w.Designer, "B. Engineer");
    Click(w.Usace);
    Click(w.Close);
    Settle();
    ASSERT_EQ(Form().findChild<TKitWindow*>(), &w);
    EXPECT_EQ(Messages, std::vector<std::string>{"The layer table is full."});
    EXPECT_EQ(Data().Designer, "A. Engineer");
    EXPECT_EQ(Data().MethodFlags[MethodCode::kUsace], 1);
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(InputWindowKitTest, WindowsOwnCloseCheckHoldsForTheUserNotForANewProject)
{
    TKitWindow& w = OpenKit();
    w.Allowed = false;
    Type(w.Diameter, "30");
    Click(w.Close);
    Settle();
    ASSERT_EQ(Form().findChild<TKitWindow*>(), &w);
    EXPECT_EQ(Data().OD, 30.0L); // stored all the same
    w.SubWindow()->close();
    Settle();
    ASSERT_EQ(Form().findChild<TKitWindow*>(), &w);

    Form().SetModified(false);
    Choose("FileNew");
    Settle();
    EXPECT_EQ(Form().findChild<TKitWindow*>(), nullptr);
}

TEST_F(InputWindowKitTest, MainWindowStoresTheActiveWindowBeforeItSaves)
{
    TKitWindow& w = OpenKit();
    Type(w.Diameter, "42");
    LookInto(Form().FileMenu);
    EXPECT_EQ(Data().OD, 42.0L);
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), w.SubWindow());
}

TEST_F(InputWindowKitTest, UnitChangeReloadsTheOpenWindows)
{
    TKitWindow& w = OpenKit();
    Type(w.Diameter, "10");
    LookInto(Form().OptionsMenu);
    Choose("SIUnits");
    // 10 in is 254 mm, shown in the window at once; leaving it keeps 254.
    EXPECT_EQ(w.DiameterLabel->text().toStdString(), "&Outer Diameter, OD (mm)");
    EXPECT_NEAR(static_cast<double>(w.Diameter->Number()), 254.0, 1e-9);
    w.CloseWindow();
    Settle();
    EXPECT_NEAR(static_cast<double>(Data().OD), 254.0, 1e-9);
    EXPECT_TRUE(Messages.empty());
}

} // namespace
