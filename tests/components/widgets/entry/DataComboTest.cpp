#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "entry/TDataCombo.h"
#include "seams/MessageSeam.h"

namespace {

void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c == QChar('\b') ? int(Qt::Key_Backspace) : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

// A window with a labelled numeric combo and a plain line edit; every message box is answered
// OK and recorded.
class DataComboTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        m_form = std::make_unique<QWidget>();
        m_form->setObjectName("frmTest");
        auto* layout = new QVBoxLayout(m_form.get());
        m_label = new QLabel(m_form.get());
        m_label->setObjectName("lblCombo");
        m_combo = new TDataCombo(m_form.get());
        m_combo->setObjectName("dcValue");
        m_other = new QLineEdit(m_form.get());
        m_other->setObjectName("edtPlain");
        layout->addWidget(m_label);
        layout->addWidget(m_combo);
        layout->addWidget(m_other);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        Focus(m_combo);
    }

    void TearDown() override { m_form.reset(); }

    static void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    void EnterAndLeave(const QString& text)
    {
        Focus(m_combo);
        m_combo->setEditText(text);
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
    TDataCombo* m_combo = nullptr;
    QLineEdit* m_other = nullptr;
    std::vector<TMessageRequest> m_messages;
    TMessageSeam::Override m_answers{[this](const TMessageRequest& request) {
        m_messages.push_back(request);
        return EMessageResult::Ok;
    }};
};

TEST_F(DataComboTest, NewComboIsEditableShowsZeroAndKeepsAWrittenNumber)
{
    TDataCombo combo;
    EXPECT_TRUE(combo.isEditable());
    EXPECT_EQ(combo.currentText(), "0");
    EXPECT_TRUE(combo.Values().empty());
    // Without limits set a written number is kept (not clamped into 0..0).
    combo.SetNumber(5);
    EXPECT_EQ(combo.currentText(), "5");
    EXPECT_EQ(combo.Number(), 5);
}

TEST_F(DataComboTest, NumberWriteFormats)
{
    m_combo->SetNumber(1.0L / 3.0L);
    EXPECT_EQ(m_combo->currentText(), "0.33333333"); // 8 significant digits
    m_combo->SetIntegerOnly(true);
    m_combo->SetNumber(2.7L);
    EXPECT_EQ(m_combo->currentText(), "2"); // truncated toward zero
    m_combo->SetNumber(-2.7L);
    EXPECT_EQ(m_combo->currentText(), "-2");
    m_combo->SetNumber(1e12L);
    EXPECT_EQ(m_combo->currentText(), "2147483647"); // limits clamped to 32 bits
}

TEST_F(DataComboTest, ChosenItemStandsForItsValue)
{
    m_combo->addItems({"Loose", "Dense"});
    m_combo->Values() = {"0.5", "2"};
    m_combo->setCurrentIndex(1);
    EXPECT_EQ(m_combo->currentText(), "Dense");
    EXPECT_EQ(m_combo->Number(), 2);
    EXPECT_EQ(m_combo->currentText(), "2");

    m_combo->setCurrentIndex(0);
    Focus(m_other);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_combo->IsValid());
    EXPECT_EQ(m_combo->currentText(), "0.5");
}

TEST_F(DataComboTest, ItemWithoutValueIsEvaluatedAsWritten)
{
    m_combo->addItems({"12", "Loose"});
    m_combo->setCurrentIndex(0);
    Focus(m_other);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_combo->IsValid());

    Focus(m_combo);
    m_combo->setCurrentIndex(1);
    Focus(m_other);
    EXPECT_EQ(OnlyMessage(), "Entry could not be evaluated:\rinvalid character(s) in expression");
    EXPECT_FALSE(m_combo->IsValid());
    EXPECT_EQ(QApplication::focusWidget(), m_combo);
}

TEST_F(DataComboTest, OnlyPlainNumberCharactersCanBeTyped)
{
    m_combo->setEditText("");
    Type(m_combo, "-1a.5e+3x*(");
    EXPECT_EQ(m_combo->currentText(), "-1.5E3");
    Type(m_combo, "\b\b");
    EXPECT_EQ(m_combo->currentText(), "-1.5");
}

TEST_F(DataComboTest, EnterDoesNotAddAnItem)
{
    m_combo->setEditText("42");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(m_combo, &press);
    EXPECT_EQ(m_combo->count(), 0);
    EXPECT_EQ(m_combo->currentText(), "42");
}

TEST_F(DataComboTest, ValidEntryIsLeftAsTyped)
{
    EnterAndLeave("1.50E3");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_combo->IsValid());
    EXPECT_EQ(m_combo->currentText(), "1.50E3");
}

TEST_F(DataComboTest, RefusedEntriesAndTheirMessages)
{
    const struct
    {
        bool integerOnly;
        long double minVal;
        long double maxVal;
        const char* typed;
        const char* message;
        const char* shown;
    } cases[] = {
        {false,
         0.123456789L,
         10,
         "0",
         "Entry must be greater than or equal to 0.12345679",
         "0.12345679"},
        {false,
         0,
         1234.56789L,
         "5000",
         "Entry must be less than or equal to 1234.5679",
         "1234.5679"},
        {true, 0, 10, "2.5", "Entry must be an integer.", "2.5"},
        {true, 0, 10, "-", "Entry must be a valid integer.", "-"},
        {false,
         0,
         10,
         "1E",
         "Entry could not be evaluated:\rinvalid character(s) in expression",
         "1E"},
        // What a project file cannot hold, without a limit of the box's own.
        {false,
         kDataMinDefault,
         kDataMaxDefault,
         "1E16",
         "Entry must be a number of at most 1E15 in size.",
         "1E16"},
        {false,
         kDataMinDefault,
         kDataMaxDefault,
         "-1E-400",
         "Entry must be 0 or a number of at least 1E-307 in size.",
         "-1E-400"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_messages.clear();
        TDataCombo& combo = *m_combo;
        combo.SetIntegerOnly(c.integerOnly);
        combo.SetMinVal(kDataMinDefault);
        combo.SetMaxVal(c.maxVal);
        combo.SetMinVal(c.minVal);
        EnterAndLeave(c.typed);
        EXPECT_EQ(OnlyMessage(), c.message);
        EXPECT_EQ(combo.currentText(), c.shown);
        EXPECT_FALSE(combo.IsValid());
        EXPECT_EQ(QApplication::focusWidget(), m_combo);
    }
}

TEST_F(DataComboTest, DataComboIsValidRunsTheExitValidation)
{
    m_combo->SetMinVal(0);
    m_combo->setEditText("-1");
    EXPECT_FALSE(DataComboIsValid(m_combo));
    EXPECT_EQ(OnlyMessage(), "Entry must be greater than or equal to 0");
    EXPECT_EQ(m_combo->currentText(), "0");
    EXPECT_TRUE(DataComboIsValid(m_combo));
    EXPECT_TRUE(DataComboIsValid(nullptr));
}

TEST_F(DataComboTest, LabelRendersOnlyFAndL)
{
    m_combo->SetEditLabel(m_label);
    EXPECT_EQ(m_label->buddy(), m_combo);
    m_combo->SetCaption("Load");
    m_combo->SetUnitsString("F1");
    EXPECT_EQ(m_label->text(), "Load (lbs1)");
    m_combo->SetUnitsString("F/L^2");
    m_combo->SetUnits(2);
    EXPECT_EQ(m_label->text(), "Load (kN/m^2)");
    m_combo->SetUnits(9);
    EXPECT_EQ(m_combo->Units(), 3);
    EXPECT_EQ(m_label->text(), "Load (F/L^2)");
    m_combo->setEnabled(false);
    EXPECT_FALSE(m_label->isEnabled());
}

TEST_F(DataComboTest, CommaDecimalLocaleIsIrrelevant)
{
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    const QLocale previousQt;
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr
        && std::setlocale(LC_ALL, "de_DE.utf8") == nullptr) {
        GTEST_SKIP() << "no de_DE locale on this machine";
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    m_combo->SetNumber(0.5L);
    EXPECT_EQ(m_combo->currentText(), "0.5");
    EnterAndLeave("2.25");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_combo->Number(), 2.25L);

    QLocale::setDefault(previousQt);
    std::setlocale(LC_ALL, previousC.c_str());
}

} // namespace
