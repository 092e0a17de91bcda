#pragma once

#include <functional>
#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "entry/DataValue.h"

// The numeric input box of the input windows. The user types a number or an arithmetic
// expression; when the box is left (focus moves to another control of the window, Enter, or
// DataEditIsValid) the text is evaluated, tested against IntegerOnly, MinVal and MaxVal and
// shown again as a number ("2*3" becomes "6"). A refused entry is reported in an information
// box that names the entry (EntryName), and the focus goes back to the box. The attached label shows Caption and the units of the
// box's unit system.
class TDataEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Text "0", no limits, not integer-only, unit system 1.
    explicit TDataEdit(QWidget* parent = nullptr);

    bool IntegerOnly() const { return m_integerOnly; }
    // Setting it rewrites MaxVal and MinVal, which clamps them to 32-bit integers.
    void SetIntegerOnly(bool value);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);

    // The label is not owned; the box becomes its buddy. A label deleted first is forgotten.
    QLabel* EditLabel() const { return m_label; }
    void SetEditLabel(QLabel* label);

    bool Hex() const { return m_hex; }
    void SetHex(bool value) { m_hex = value; }

    // A maximum below MinVal becomes MinVal; a Number above the new maximum is lowered to it.
    long double MaxVal() const { return m_maxVal; }
    void SetMaxVal(long double value);
    // A minimum above MaxVal becomes MaxVal; a Number below the new minimum is raised to it.
    long double MinVal() const { return m_minVal; }
    void SetMinVal(long double value);

    // The text evaluated; raises EAssignError when it is not a valid entry.
    long double Number() const;
    // The value clamped into MinVal..MaxVal and shown with FormatDataValue.
    void SetNumber(long double value);

    const std::string& UnitsString() const { return m_unitsString; }
    void SetUnitsString(const std::string& value);

    // 0 or less becomes 1, above 3 becomes 3. The value is not converted; the label changes.
    int Units() const { return m_units; }
    void SetUnits(int value);

    // True when the last exit validation succeeded.
    bool IsValid() const { return m_valid; }

    // The entry's name where no label says it all (a grid cell, the second of two edits under
    // one label): it stands for Caption in the entry's name.
    const std::string& FieldName() const { return m_fieldName; }
    void SetFieldName(const std::string& value);

    // What the entry is called, for a screen reader and in its messages: the field name (else
    // Caption) and " (" units ")" when UnitsString is set, without accelerator marks; so it
    // follows the units as the label does. Empty when the box has neither.
    QString EntryName() const;

    // Label text: Caption, and " (" units ")" when UnitsString is set; the label is enabled
    // with the box. The box's accessible name becomes its EntryName (when it has one).
    void UpdateLabel();

    // The exit validation; returns the valid flag. Emits Exited first, with the text as typed.
    // A refused entry is reported through the message seam and the focus put back; exceptions
    // other than the validation's own pass on.
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
    bool HasNumber(long double& value) const;
    void ExitFromEvent();

    bool m_integerOnly = false;
    std::string m_caption;
    std::string m_fieldName;
    QPointer<QLabel> m_label;
    bool m_hex = false;
    long double m_minVal = kDataMinDefault;
    long double m_maxVal = kDataMaxDefault;
    std::string m_unitsString;
    int m_units = 1;
    bool m_valid = false;
};

// Runs the box's exit validation and returns its valid flag; windows call it before they close
// or give up the focus. A null box (the focus is not in a numeric edit) counts as valid.
bool DataEditIsValid(TDataEdit* box);

// ---- shared by the numeric edit and combo boxes ----------------------------------------------

// A box's name for a screen reader and its messages: the field name (else the caption) with
// its rendered units, without accelerator marks and with single blanks.
QString DataBoxEntryName(const std::string& fieldName,
                         const std::string& caption,
                         const std::string& unitsString,
                         int units,
                         EDataBox box);

// While a box reports a refused entry (message box, focus put back), the focus moves this causes
// are not the user leaving a box, and no box validates on them; otherwise two boxes holding
// refused text would hand the focus to each other without end.
class TDataBoxReport
{
public:
    TDataBoxReport();
    ~TDataBoxReport();
    TDataBoxReport(const TDataBoxReport&) = delete;
    TDataBoxReport& operator=(const TDataBoxReport&) = delete;

    static bool Active();
};

// True when a focus change of this reason means the user left the box for another control of
// its window (not a popup, menu or another window taking the focus for a while).
bool DataBoxExitsOn(Qt::FocusReason reason);

// Runs a box's exit validation from an event handler: nothing may escape into Qt's event loop,
// so any exception left over is reported as a message.
void RunDataBoxExit(QWidget* box, const std::function<void()>& exit);
