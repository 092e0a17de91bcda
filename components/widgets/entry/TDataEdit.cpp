#include "entry/TDataEdit.h"

#include <exception>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>

#include "entry/TExpression.h"
#include "entry/Units.h"
#include "seams/MessageSeam.h"
#include "support/CaptionText.h"

namespace {

int g_reportDepth = 0; // GUI thread only

// Operators that extend the value instead of replacing it when the whole text is selected.
bool IsAppendingOperator(const QString& text)
{
    return text.size() == 1 && QStringLiteral("+-/*^=%!").contains(text.front());
}

} // namespace

// ---- shared by the numeric boxes -------------------------------------------------------------

TDataBoxReport::TDataBoxReport()
{
    ++g_reportDepth;
}

TDataBoxReport::~TDataBoxReport()
{
    --g_reportDepth;
}

bool TDataBoxReport::Active()
{
    return g_reportDepth > 0;
}

bool DataBoxExitsOn(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
           && reason != Qt::MenuBarFocusReason;
}

QString DataBoxEntryName(const std::string& fieldName,
                         const std::string& caption,
                         const std::string& unitsString,
                         int units,
                         EDataBox box)
{
    const std::string& what = fieldName.empty() ? caption : fieldName;
    if (what.empty()) {
        return {};
    }
    return CaptionAsRead(QString::fromStdString(DataLabelText(what, unitsString, units, box)));
}

void RunDataBoxExit(QWidget* box, const std::function<void()>& exit)
{
    try {
        exit();
    } catch (const std::exception& e) {
        TDataBoxReport report;
        ShowInformation(e.what(), box != nullptr ? box->window() : nullptr);
    }
}

// ---- TDataEdit -------------------------------------------------------------------------------

TDataEdit::TDataEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setText(QStringLiteral("0"));
}

void TDataEdit::SetIntegerOnly(bool value)
{
    m_integerOnly = value;
    if (value) {
        SetMaxVal(m_maxVal);
        SetMinVal(m_minVal);
    }
}

void TDataEdit::SetCaption(const std::string& value)
{
    m_caption = value;
    UpdateLabel();
}

void TDataEdit::SetEditLabel(QLabel* label)
{
    m_label = label;
    if (label != nullptr) {
        label->setBuddy(this);
    }
    UpdateLabel();
}

void TDataEdit::SetMaxVal(long double value)
{
    value = AdjustMaxVal(value, m_minVal, m_integerOnly);
    // Stored first, so that the lowered Number is not clamped to the old maximum.
    m_maxVal = value;
    long double number = 0;
    if (HasNumber(number) && number > value) {
        SetNumber(value);
    }
}

void TDataEdit::SetMinVal(long double value)
{
    value = AdjustMinVal(value, m_maxVal, m_integerOnly);
    m_minVal = value;
    long double number = 0;
    if (HasNumber(number) && value > number) {
        SetNumber(value);
    }
}

long double TDataEdit::Number() const
{
    return EvaluateExpression(text().toStdString());
}

void TDataEdit::SetNumber(long double value)
{
    setText(
        QString::fromStdString(FormatDataValue(m_hex, ClampDataValue(value, m_minVal, m_maxVal))));
}

void TDataEdit::SetUnitsString(const std::string& value)
{
    m_unitsString = value;
    UpdateLabel();
}

void TDataEdit::SetUnits(int value)
{
    m_units = ClampUnitSystem(value);
    UpdateLabel();
}

void TDataEdit::SetFieldName(const std::string& value)
{
    m_fieldName = value;
    UpdateLabel();
}

QString TDataEdit::EntryName() const
{
    return DataBoxEntryName(m_fieldName, m_caption, m_unitsString, m_units, EDataBox::Edit);
}

void TDataEdit::UpdateLabel()
{
    // The name a screen reader reads follows the units as the label does.
    if (const QString name = EntryName(); !name.isEmpty()) {
        setAccessibleName(name);
    }
    if (m_label == nullptr) {
        return;
    }
    // The box's own Enabled setting, as the label belongs to the box alone.
    m_label->setEnabled(!testAttribute(Qt::WA_ForceDisabled));
    m_label->setText(
        QString::fromStdString(DataLabelText(m_caption, m_unitsString, m_units, EDataBox::Edit)));
}

bool TDataEdit::DoExit()
{
    m_valid = false;
    emit Exited();
    const TDataExit result = ValidateDataEntry(text().toStdString(),
                                               m_integerOnly,
                                               m_minVal,
                                               m_maxVal,
                                               EDataBox::Edit,
                                               m_hex);
    if (result.Valid) {
        setText(QString::fromStdString(FormatDataValue(m_hex, result.Value)));
        m_valid = true;
        return true;
    }
    TDataBoxReport report;
    if (result.ResetToLimit) {
        SetNumber(result.LimitValue);
    }
    ShowInformation(NamedEntryMessage(result.Message, EntryName().toStdString()), window());
    if (parentWidget() != nullptr && isVisible()) {
        setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool TDataEdit::HasNumber(long double& value) const
{
    // A limit may be set while the text is not (yet) a valid entry: the limit is stored and the
    // text is left for the next exit validation to report.
    try {
        value = Number();
        return true;
    } catch (const EAssignError&) {
        return false;
    }
}

void TDataEdit::ExitFromEvent()
{
    RunDataBoxExit(this, [this] { DoExit(); });
}

void TDataEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (DataBoxExitsOn(event->reason())) {
        emit Entered();
    }
}

void TDataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!DataBoxExitsOn(event->reason()) || TDataBoxReport::Active() || !isVisible()) {
        return;
    }
    ExitFromEvent();
}

void TDataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ExitFromEvent();
        selectAll();
        event->accept(); // swallowed: no default button, no editingFinished
        return;
    }
    if (IsAppendingOperator(event->text()) && hasSelectedText() && selectedText() == text()) {
        end(false);
    }
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        UpdateLabel();
    }
}

bool DataEditIsValid(TDataEdit* box)
{
    return box == nullptr || box->DoExit();
}
