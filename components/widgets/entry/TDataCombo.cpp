#include "entry/TDataCombo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "entry/TDataEdit.h"
#include "entry/TExpression.h"
#include "entry/Units.h"
#include "seams/MessageSeam.h"

namespace {

// A typed character that a numeric combo takes (after upper-casing): a plain number only.
bool IsComboNumberChar(QChar c)
{
    return c == QChar('\b') || c == QChar('-') || c == QChar('.') || c == QChar('E')
           || (c >= QChar('0') && c <= QChar('9'));
}

} // namespace

TDataCombo::TDataCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // Enter must not add the typed number to the items.
    setInsertPolicy(QComboBox::NoInsert);
    setEditText(QStringLiteral("0"));
}

void TDataCombo::SetIntegerOnly(bool value)
{
    m_integerOnly = value;
    if (value) {
        SetMaxVal(m_maxVal);
        SetMinVal(m_minVal);
    }
}

void TDataCombo::SetCaption(const std::string& value)
{
    m_caption = value;
    UpdateLabel();
}

void TDataCombo::SetEditLabel(QLabel* label)
{
    m_label = label;
    if (label != nullptr) {
        label->setBuddy(this);
    }
    UpdateLabel();
}

void TDataCombo::SetMaxVal(long double value)
{
    value = AdjustMaxVal(value, m_minVal, m_integerOnly);
    m_maxVal = value;
    long double number = 0;
    if (HasNumber(number) && number > value) {
        SetNumber(value);
    }
}

void TDataCombo::SetMinVal(long double value)
{
    value = AdjustMinVal(value, m_maxVal, m_integerOnly);
    m_minVal = value;
    long double number = 0;
    if (HasNumber(number) && value > number) {
        SetNumber(value);
    }
}

std::string TDataCombo::EntryText()
{
    const std::string typed = currentText().toStdString();
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i) {
        items.push_back(itemText(i).toStdString());
    }
    std::string entry = ComboEntryText(typed, items, m_values);
    if (entry != typed) {
        setEditText(QString::fromStdString(entry));
    }
    return entry;
}

long double TDataCombo::Number()
{
    return EvaluateExpression(EntryText());
}

void TDataCombo::SetNumber(long double value)
{
    setEditText(QString::fromStdString(
        FormatComboValue(m_integerOnly, ClampDataValue(value, m_minVal, m_maxVal))));
}

void TDataCombo::SetUnitsString(const std::string& value)
{
    m_unitsString = value;
    UpdateLabel();
}

void TDataCombo::SetUnits(int value)
{
    m_units = ClampUnitSystem(value);
    UpdateLabel();
}

void TDataCombo::SetFieldName(const std::string& value)
{
    m_fieldName = value;
    UpdateLabel();
}

QString TDataCombo::EntryName() const
{
    return DataBoxEntryName(m_fieldName, m_caption, m_unitsString, m_units, EDataBox::Combo);
}

void TDataCombo::UpdateLabel()
{
    if (const QString name = EntryName(); !name.isEmpty()) {
        setAccessibleName(name);
    }
    if (m_label == nullptr) {
        return;
    }
    m_label->setEnabled(!testAttribute(Qt::WA_ForceDisabled));
    m_label->setText(
        QString::fromStdString(DataLabelText(m_caption, m_unitsString, m_units, EDataBox::Combo)));
}

bool TDataCombo::DoExit()
{
    m_valid = false;
    emit Exited();
    const TDataExit result =
        ValidateDataEntry(EntryText(), m_integerOnly, m_minVal, m_maxVal, EDataBox::Combo);
    if (result.Valid) {
        m_valid = true; // the entry stays as typed
        return true;
    }
    TDataBoxReport report;
    if (result.ResetToLimit) {
        SetNumber(result.LimitValue);
    }
    ShowInformation(NamedEntryMessage(result.Message, EntryName().toStdString()), window());
    if (parentWidget() != nullptr) {
        setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool TDataCombo::HasNumber(long double& value)
{
    // A limit may be set while the text is not a valid entry: the limit is stored and the text
    // left for the next exit validation to report.
    try {
        value = Number();
        return true;
    } catch (const EAssignError&) {
        return false;
    }
}

void TDataCombo::ExitFromEvent()
{
    RunDataBoxExit(this, [this] { DoExit(); });
}

void TDataCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (DataBoxExitsOn(event->reason())) {
        emit Entered();
    }
}

void TDataCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (!DataBoxExitsOn(event->reason()) || TDataBoxReport::Active() || !isVisible()) {
        return;
    }
    ExitFromEvent();
}

void TDataCombo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    // Shortcuts, navigation, Enter, Tab and Escape keep their usual meaning; only typed
    // characters are filtered.
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (shortcut || typed.isEmpty()
        || (typed.size() == 1 && typed.front() < QChar(' ') && typed.front() != QChar('\b'))) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const QString upper = typed.toUpper();
    if (upper.size() != 1 || !IsComboNumberChar(upper.front())) {
        event->accept(); // swallowed
        return;
    }
    if (upper == typed) {
        QComboBox::keyPressEvent(event);
        return;
    }
    QKeyEvent upperEvent(event->type(),
                         event->key(),
                         event->modifiers(),
                         upper,
                         event->isAutoRepeat(),
                         static_cast<ushort>(event->count()));
    QComboBox::keyPressEvent(&upperEvent);
    event->setAccepted(upperEvent.isAccepted());
}

void TDataCombo::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        UpdateLabel();
    }
}

bool DataComboIsValid(TDataCombo* combo)
{
    return combo == nullptr || combo->DoExit();
}
