#include <clocale>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "entry/TDataEdit.h"
#include "seams/MessageSeam.h"

namespace {

// Types text into a widget as key presses.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

bool PressEnter(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(widget, &press);
    return press.isAccepted();
}

// A window with a labelled numeric edit, a second numeric edit and a plain line edit; every
// message box is answered OK and recorded.
class DataEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_form = std::make_unique<QWidget>();
        m_form->setObjectName("frmTest");
        auto* layout = new QVBoxLayout(m_form.get());
        m_label = new QLabel(m_form.get());
        m_label->setObjectName("lblValue");
        m_edit = new TDataEdit(m_form.get());
        m_edit->setObjectName("deValue");
        m_edit2 = new TDataEdit(m_form.get());
        m_edit2->setObjectName("deOther");
        m_other = new QLineEdit(m_form.get());
        m_other->setObjectName("edtPlain");
        for (QWidget* w : {static_cast<QWidget*>(m_label),
                           static_cast<QWidget*>(m_edit),
                           static_cast<QWidget*>(m_edit2),
                           static_cast<QWidget*>(m_other)}) {
            layout->addWidget(w);
        }
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        Focus(m_edit);
    }

    void TearDown() override { m_form.reset(); }

    static void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // The user enters text into the box and tabs to the plain line edit.
    void EnterAndLeave(const QString& text)
    {
        Focus(m_edit);
        m_edit->setText(text);
        Focus(m_other);
    }

    std::string OnlyMessage() const
    {
        if (m_messages.size() != 1) {
            ADD_FAILURE() << m_messages.size() << " messages";
            return {};
        }
        EXPECT_EQ(m_messages[0].type, EMessageType::Information);
        EXPECT_EQ(m_messages[0].buttons, EMessageButtons::Ok);
        return m_messages[0].text;
    }

    std::unique_ptr<QWidget> m_form;
    QLabel* m_label = nullptr;
    TDataEdit* m_edit = nullptr;
    TDataEdit* m_edit2 = nullptr;
    QLineEdit* m_other = nullptr;
    std::vector<TMessageRequest> m_messages;
    TMessageSeam::Override m_answers{[this](const TMessageRequest& request) {
        m_messages.push_back(request);
        return EMessageResult::Ok;
    }};
};

TEST_F(DataEditTest, NewBoxShowsZeroWithoutLimits)
{
    TDataEdit box;
    EXPECT_EQ(box.text(), "0");
    EXPECT_FALSE(box.IntegerOnly());
    EXPECT_EQ(box.MinVal(), kDataMinDefault);
    EXPECT_EQ(box.MaxVal(), kDataMaxDefault);
    EXPECT_EQ(box.Units(), 1);
    EXPECT_FALSE(box.IsValid());
}

TEST_F(DataEditTest, ExpressionIsShownAsNumberWhenLeft)
{
    const struct
    {
        const char* typed;
        const char* shown;
        long double value;
    } cases[] = {
        {"2*3+1", "7", 7},
        {"2*3", "6", 6},
        {"1/3", "0.333333333333333333", 1.0L / 3.0L},
        {" 1.5e2 ", "150", 150},
        {"(1+2)^2", "9", 9},
    };
    for (const auto& c : cases) {
        EnterAndLeave(c.typed);
        EXPECT_EQ(m_edit->text(), c.shown) << c.typed;
        EXPECT_TRUE(m_edit->IsValid());
        EXPECT_NEAR(static_cast<double>(m_edit->Number()), static_cast<double>(c.value), 1e-15);
    }
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(QApplication::focusWidget(), m_other);
}

TEST_F(DataEditTest, BelowMinimumIsReportedSetToMinimumAndKeepsFocus)
{
    m_edit->SetMinVal(0);
    EnterAndLeave("-1");
    EXPECT_EQ(OnlyMessage(), "Entry must be greater than or equal to 0");
    EXPECT_EQ(m_messages[0].parent, m_form.get());
    EXPECT_EQ(m_edit->text(), "0");
    EXPECT_FALSE(m_edit->IsValid());
    EXPECT_EQ(QApplication::focusWidget(), m_edit);
}

TEST_F(DataEditTest, AboveMaximumIsReportedSetToMaximumAndKeepsFocus)
{
    m_edit->SetMaxVal(100);
    EnterAndLeave("3*50");
    EXPECT_EQ(OnlyMessage(), "Entry must be less than or equal to 100");
    EXPECT_EQ(m_edit->text(), "100");
    EXPECT_EQ(QApplication::focusWidget(), m_edit);
}

TEST_F(DataEditTest, RefusedEntriesAndTheirMessages)
{
    const struct
    {
        bool integerOnly;
        const char* typed;
        const char* message;
    } cases[] = {
        {true, "2.5", "Entry must be an integer."},
        {true, "abc", "Entry must be a valid integer."},
        {false, "abc", "Entry could not be evaluated:\rinvalid character(s) in expression"},
        {false, "2+", "Entry could not be evaluated:\rinvalid expression"},
        {false, "", "Entry could not be evaluated:\rentry cannot be blank"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_messages.clear();
        m_edit->SetIntegerOnly(c.integerOnly);
        EnterAndLeave(c.typed);
        EXPECT_EQ(OnlyMessage(), c.message);
        EXPECT_EQ(m_edit->text(), c.typed); // left for the user to correct
        EXPECT_FALSE(m_edit->IsValid());
        EXPECT_EQ(QApplication::focusWidget(), m_edit);
    }
}

// Whatever a project file could not hold is refused, without a limit of the box's own: more
// than 1E15 in size (expressions and numbers the 80-bit value still holds), and a size other
// than 0 below that of the smallest 64-bit real.
TEST_F(DataEditTest, EntriesAProjectCannotHoldAreRefused)
{
    const std::string large = "Entry must be a number of at most 1E15 in size.";
    const std::string small = "Entry must be 0 or a number of at least 1E-307 in size.";
    const struct
    {
        const char* typed;
        std::string message; // empty: accepted
    } cases[] = {
        {"1e16", large},
        {"-1e16", large},
        {"1e15+1", large},
        {"2^1024", large},
        {"1e400", large},
        {"1e-400", small},
        {"-1e-320", small},
        {"1e15", ""},
        {"-1e15", ""},
        {"0", ""},
        {"1e-307", ""},
        {"2.5e-308", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_messages.clear();
        EnterAndLeave(c.typed);
        if (c.message.empty()) {
            EXPECT_TRUE(m_messages.empty());
            EXPECT_TRUE(m_edit->IsValid());
            continue;
        }
        EXPECT_EQ(OnlyMessage(), c.message);
        EXPECT_EQ(m_edit->text(), c.typed); // left for the user to correct
        EXPECT_FALSE(m_edit->IsValid());
        EXPECT_EQ(QApplication::focusWidget(), m_edit);
    }
}

// A refused entry's message ends with the entry's name on a line of its own: the caption (or
// the field name given instead) with the units of the box's unit system, without the
// accelerator mark; a box without a name shows the message alone.
TEST_F(DataEditTest, RefusalMessagesNameTheEntry)
{
    const std::string evaluator =
        "Entry could not be evaluated:\rinvalid character(s) in expression";
    const struct
    {
        const char* caption;
        const char* fieldName;
        const char* units;
        int system;
        const char* typed;
        std::string message;
    } cases[] = {
        {"&Outer Diameter, OD", "", "L1", 1, "abc", evaluator + "\rField: Outer Diameter, OD (in)"},
        {"&Outer Diameter, OD", "", "L1", 2, "abc", evaluator + "\rField: Outer Diameter, OD (mm)"},
        {"&Outer Diameter, OD",
         "",
         "L1",
         2,
         "1e16",
         "Entry must be a number of at most 1E15 in size.\rField: Outer Diameter, OD (mm)"},
        {"",
         "Layer 2 depth at bottom",
         "L2",
         2,
         "2+",
         "Entry could not be evaluated:\rinvalid expression\rField: Layer 2 depth at bottom (m)"},
        {"Print only every ",
         "",
         "",
         1,
         "-1",
         "Entry must be greater than or equal to 0\rField: Print only every"},
        {"", "", "", 1, "abc", evaluator},
    };
    m_edit->SetMinVal(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_messages.clear();
        m_edit->SetCaption(c.caption);
        m_edit->SetFieldName(c.fieldName);
        m_edit->SetUnitsString(c.units);
        m_edit->SetUnits(c.system);
        EnterAndLeave(c.typed);
        EXPECT_EQ(OnlyMessage(), c.message);
        EXPECT_EQ(QApplication::focusWidget(), m_edit);
    }
}

// A screen reader reads the box by the name its label shows, units included, whenever the
// units change; a box without a label by its field name and units.
TEST_F(DataEditTest, AccessibleNameFollowsTheLabelsUnits)
{
    const auto accessibleName = [](QWidget* widget) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible != nullptr ? accessible->text(QAccessible::Name).toStdString()
                                     : std::string();
    };
    m_edit->SetEditLabel(m_label);
    m_edit->SetCaption("Modulus of &Elasticity, E");
    m_edit->SetUnitsString("F/L²");
    EXPECT_EQ(accessibleName(m_edit), "Modulus of Elasticity, E (lbs/in²)");
    m_edit->SetUnits(2);
    EXPECT_EQ(m_label->text().toStdString(), "Modulus of &Elasticity, E (kN/m²)");
    EXPECT_EQ(accessibleName(m_edit), "Modulus of Elasticity, E (kN/m²)");
    m_edit->SetUnits(1);
    EXPECT_EQ(accessibleName(m_edit), "Modulus of Elasticity, E (lbs/in²)");

    m_edit2->SetFieldName("Effective unit weight at bottom of layer");
    m_edit2->SetUnitsString("F/L2^3");
    m_edit2->SetUnits(2);
    EXPECT_EQ(accessibleName(m_edit2), "Effective unit weight at bottom of layer (kN/m^3)");
    m_edit2->SetUnits(1);
    EXPECT_EQ(accessibleName(m_edit2), "Effective unit weight at bottom of layer (lbs/ft^3)");
}

TEST_F(DataEditTest, IntegerOnlyAcceptsIntegralExpressions)
{
    m_edit->SetIntegerOnly(true);
    EnterAndLeave("7/2*2");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_edit->text(), "7");
    EXPECT_EQ(m_edit->MaxVal(), 2147483647.0L); // limits clamped to 32 bits
    EXPECT_EQ(m_edit->MinVal(), -2147483648.0L);
}

TEST_F(DataEditTest, DataEditIsValidRunsTheExitValidation)
{
    m_edit->SetMinVal(0);
    m_edit->setText("-1");
    EXPECT_FALSE(DataEditIsValid(m_edit));
    EXPECT_EQ(OnlyMessage(), "Entry must be greater than or equal to 0");
    EXPECT_EQ(m_edit->text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), m_edit);

    m_edit->setText("4/2");
    EXPECT_TRUE(DataEditIsValid(m_edit));
    EXPECT_EQ(m_edit->text(), "2");
    EXPECT_TRUE(DataEditIsValid(nullptr)); // the focus is not in a numeric edit
}

TEST_F(DataEditTest, ExitedSeesTheTextAsTyped)
{
    QString seen;
    QObject::connect(m_edit, &TDataEdit::Exited, [&] { seen = m_edit->text(); });
    EnterAndLeave("2*3");
    EXPECT_EQ(seen, "2*3");
    EXPECT_EQ(m_edit->text(), "6");
}

TEST_F(DataEditTest, FailureOfAnExitHandlerIsReportedNotThrownIntoTheEventLoop)
{
    QObject::connect(m_edit, &TDataEdit::Exited, [] {
        throw std::runtime_error("Handler failed.");
    });
    EnterAndLeave("2");
    EXPECT_EQ(OnlyMessage(), "Handler failed.");
    EXPECT_FALSE(m_edit->IsValid());
}

TEST_F(DataEditTest, HexBoxShowsHexadecimal)
{
    m_edit->SetHex(true);
    m_edit->SetNumber(255);
    EXPECT_EQ(m_edit->text(), "$00FF");
    EnterAndLeave("$ff+1");
    EXPECT_EQ(m_edit->text(), "$0100");
    EnterAndLeave("-1");
    EXPECT_EQ(m_edit->text(), "$FFFFFFFF");
    EXPECT_EQ(m_edit->Number(), -1); // reads back as the value shown
}

TEST_F(DataEditTest, NumberWriteClampsIntoTheLimits)
{
    m_edit->SetMinVal(-10);
    m_edit->SetMaxVal(10);
    m_edit->SetNumber(-25);
    EXPECT_EQ(m_edit->text(), "-10");
    m_edit->SetNumber(12.5L);
    EXPECT_EQ(m_edit->text(), "10");
    m_edit->SetNumber(0.125L);
    EXPECT_EQ(m_edit->text(), "0.125");
}

TEST_F(DataEditTest, LimitWritesMoveTheNumber)
{
    m_edit->SetNumber(50);
    m_edit->SetMaxVal(10);
    EXPECT_EQ(m_edit->text(), "10"); // lowered to the new maximum
    m_edit->SetMinVal(20);
    EXPECT_EQ(m_edit->MinVal(), 10); // above the maximum: the maximum
    m_edit->SetMaxVal(5);
    EXPECT_EQ(m_edit->MaxVal(), 10); // below the minimum: the minimum

    TDataEdit box;
    box.SetNumber(-3);
    box.SetMinVal(2);
    EXPECT_EQ(box.text(), "2"); // raised to the new minimum
}

TEST_F(DataEditTest, LimitWriteWithRefusedTextStoresTheLimit)
{
    m_edit->setText("abc");
    EXPECT_NO_THROW(m_edit->SetMaxVal(5));
    EXPECT_NO_THROW(m_edit->SetMinVal(1));
    EXPECT_EQ(m_edit->MaxVal(), 5);
    EXPECT_EQ(m_edit->MinVal(), 1);
    EXPECT_EQ(m_edit->text(), "abc"); // reported at the next exit
    EXPECT_THROW(m_edit->Number(), EAssignError);
}

TEST_F(DataEditTest, LabelShowsCaptionAndUnitsOfTheSystem)
{
    m_edit->SetEditLabel(m_label);
    EXPECT_EQ(m_label->buddy(), m_edit);
    m_edit->SetCaption("Unit weight");
    EXPECT_EQ(m_label->text(), "Unit weight");
    m_edit->SetUnitsString("F/L2^3");
    EXPECT_EQ(m_label->text(), "Unit weight (lbs/ft^3)");
    m_edit->SetUnits(2);
    EXPECT_EQ(m_label->text(), "Unit weight (kN/m^3)");
    m_edit->SetUnits(5);
    EXPECT_EQ(m_edit->Units(), 3);
    EXPECT_EQ(m_label->text(), "Unit weight (F/L2^3)");
    m_edit->SetUnits(0);
    EXPECT_EQ(m_edit->Units(), 1);
    EXPECT_EQ(m_label->text(), "Unit weight (lbs/ft^3)");
    m_edit->SetUnitsString("L1");
    m_edit->SetUnits(2);
    EXPECT_EQ(m_label->text(), "Unit weight (mm)");

    m_edit->setEnabled(false);
    EXPECT_FALSE(m_label->isEnabled());
    m_edit->setEnabled(true);
    EXPECT_TRUE(m_label->isEnabled());
}

TEST_F(DataEditTest, LabelDeletedBeforeTheBoxIsForgotten)
{
    auto* label = new QLabel(m_form.get());
    m_edit->SetEditLabel(label);
    delete label;
    EXPECT_EQ(m_edit->EditLabel(), nullptr);
    m_edit->SetCaption("Depth"); // no access to the deleted label
    m_edit->setEnabled(false);
}

TEST_F(DataEditTest, OperatorAppendsToASelectedValue)
{
    m_edit->setText("5");
    m_edit->selectAll();
    Type(m_edit, "+");
    EXPECT_EQ(m_edit->text(), "5+");
    Type(m_edit, "2");
    EXPECT_EQ(m_edit->text(), "5+2");

    m_edit->selectAll();
    Type(m_edit, "7"); // a digit replaces the selection as usual
    EXPECT_EQ(m_edit->text(), "7");
}

TEST_F(DataEditTest, EnterValidatesSelectsAndIsSwallowed)
{
    m_edit->setText("2*3");
    EXPECT_TRUE(PressEnter(m_edit));
    EXPECT_EQ(m_edit->text(), "6");
    EXPECT_EQ(m_edit->selectedText(), "6");
    EXPECT_TRUE(m_edit->IsValid());

    m_edit->SetMaxVal(5);
    m_edit->setText("9");
    PressEnter(m_edit);
    EXPECT_EQ(OnlyMessage(), "Entry must be less than or equal to 5");
    EXPECT_EQ(m_edit->text(), "5");
    EXPECT_EQ(m_edit->selectedText(), "5");
}

TEST_F(DataEditTest, PopupOrOtherWindowTakingFocusDoesNotValidate)
{
    m_edit->setText("abc");
    for (Qt::FocusReason reason :
         {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(m_edit, &out);
    }
    EXPECT_TRUE(m_messages.empty());
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(m_edit, &out);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(DataEditTest, TwoRefusedBoxesDoNotPassTheFocusBackAndForth)
{
    m_edit2->setText("xyz"); // refused text set by a program, never validated
    m_edit->setText("abc");
    Focus(m_edit2);
    EXPECT_EQ(m_messages.size(), 1u); // only the box that was left reports
    EXPECT_EQ(QApplication::focusWidget(), m_edit);
}

// Entries and shown numbers use "." whatever the locale says.
TEST_F(DataEditTest, CommaDecimalLocaleIsIrrelevant)
{
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    const QLocale previousQt;
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr
        && std::setlocale(LC_ALL, "de_DE.utf8") == nullptr) {
        GTEST_SKIP() << "no de_DE locale on this machine";
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    EnterAndLeave("2.5*2");
    EXPECT_EQ(m_edit->text(), "5");
    EnterAndLeave("1/4");
    EXPECT_EQ(m_edit->text(), "0.25");
    m_edit->SetNumber(1234.5L);
    EXPECT_EQ(m_edit->text(), "1234.5");
    m_messages.clear();
    EnterAndLeave("2,5"); // not a number here, whatever the locale
    EXPECT_EQ(OnlyMessage(), "Entry could not be evaluated:\rinvalid character(s) in expression");

    QLocale::setDefault(previousQt);
    std::setlocale(LC_ALL, previousC.c_str());
}

} // namespace
