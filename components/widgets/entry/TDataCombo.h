#pragma once

#include <string>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QPointer>

#include "entry/DataValue.h"

// The numeric combo box: an editable combo whose items may stand for numbers (Values, entry i
// is the value text of item i). Only plain numbers can be typed (digits, "-", ".", "E"). When
// the box is left its text is tested against IntegerOnly, MinVal and MaxVal like the numeric
// edit's, but a valid entry is left as it stands.
class TDataCombo : public QComboBox
{
    Q_OBJECT

public:
    // Editable, text "0", no limits, not integer-only, unit system 1, no values.
    explicit TDataCombo(QWidget* parent = nullptr);

    bool IntegerOnly() const { return m_integerOnly; }
    // Setting it rewrites MaxVal and MinVal, which clamps them to 32-bit integers.
    void SetIntegerOnly(bool value);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);

    // The label is not owned; the box becomes its buddy. A label deleted first is forgotten.
    QLabel* EditLabel() const { return m_label; }
    void SetEditLabel(QLabel* label);

    long double MaxVal() const { return m_maxVal; }
    void SetMaxVal(long double value);
    long double MinVal() const { return m_minVal; }
    void SetMinVal(long double value);

    // When the text equals an item that has a value, the text first becomes that value; then
    // it is evaluated. Raises EAssignError when it is not a valid entry.
    long double Number();
    // The value clamped into MinVal..MaxVal; with IntegerOnly shown truncated toward zero,
    // otherwise with 8 significant digits.
    void SetNumber(long double value);

    const std::string& UnitsString() const { return m_unitsString; }
    void SetUnitsString(const std::string& value);

    // 0 or less becomes 1, above 3 becomes 3. The value is not converted; the label changes.
    int Units() const { return m_units; }
    void SetUnits(int value);

    // Value texts of the items, by item index.
    std::vector<std::string>& Values() { return m_values; }
    const std::vector<std::string>& Values() const { return m_values; }

    bool IsValid() const { return m_valid; }

    const std::string& FieldName() const { return m_fieldName; }
    void SetFieldName(const std::string& value);
    // As the numeric edit's: the field name (else Caption) with its units, following them.
    QString EntryName() const;

    // Label text: Caption, and " (" units ")" with only "F" and "L" rendered. The box's
    // accessible name becomes its EntryName (when it has one).
    void UpdateLabel();

    // The exit validation; returns the valid flag. Emits Exited first, with the text as typed.
    bool DoExit();

signals:
    void Entered();
    void Exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The text with an item's name replaced by its value (shown so in the box too).
    std::string EntryText();
    bool HasNumber(long double& value);
    void ExitFromEvent();

    bool m_integerOnly = false;
    std::string m_caption;
    std::string m_fieldName;
    QPointer<QLabel> m_label;
    long double m_minVal = kDataMinDefault;
    long double m_maxVal = kDataMaxDefault;
    std::string m_unitsString;
    int m_units = 1;
    std::vector<std::string> m_values;
    bool m_valid = false;
};

// Runs the combo's exit validation and returns its valid flag. A null combo counts as valid.
bool DataComboIsValid(TDataCombo* combo);
