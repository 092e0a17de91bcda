#include "input/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "entry/TDataCombo.h"
#include "entry/TDataEdit.h"
#include "support/CaptionText.h"

namespace {

// The name Qt's accessibility gives the widget by itself: a button's or label's caption, a
// group's title, the text of the label whose buddy it is. Read each time it is asked for, so
// it follows the caption.
QString OwnAccessibleName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name).trimmed() : QString();
}

bool IsTextEntry(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) != nullptr
           || qobject_cast<const QPlainTextEdit*>(widget) != nullptr
           || qobject_cast<const QComboBox*>(widget) != nullptr
           || qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

// The label that stands before the control in its layout: to its left in a grid's row (else
// over it), or the item before it in a row or column of controls.
QLabel* LabelBefore(QWidget* control, QLayout* layout)
{
    if (layout == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->layout() != nullptr) {
            if (QLabel* label = LabelBefore(control, item->layout())) {
                return label;
            }
            continue;
        }
        if (item->widget() != control) {
            continue;
        }
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            for (int c = column - 1; c >= 0; --c) {
                QLayoutItem* left = grid->itemAtPosition(row, c);
                if (left != nullptr && left->widget() != nullptr) {
                    return qobject_cast<QLabel*>(left->widget());
                }
            }
            // Else a heading over it.
            QLayoutItem* above = row > 0 ? grid->itemAtPosition(row - 1, column) : nullptr;
            return above != nullptr ? qobject_cast<QLabel*>(above->widget()) : nullptr;
        }
        QLayoutItem* before = i > 0 ? layout->itemAt(i - 1) : nullptr;
        return before != nullptr ? qobject_cast<QLabel*>(before->widget()) : nullptr;
    }
    return nullptr;
}

constexpr const char* kCellControlsProperty = "exposesCellControls";

// The grid as a plain widget: its children are its child widgets (the viewport, which holds
// the cell controls, and the headers), so each control is found with its name and role.
QAccessibleInterface* CellControlsFactory(const QString& /*key*/, QObject* object)
{
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (view == nullptr || !view->property(kCellControlsProperty).toBool()) {
        return nullptr;
    }
    return new QAccessibleWidget(view, QAccessible::Grouping);
}

bool NamesItself(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const TDataEdit*>(widget)) {
        return !edit->EntryName().isEmpty();
    }
    if (const auto* combo = qobject_cast<const TDataCombo*>(widget)) {
        return !combo->EntryName().isEmpty();
    }
    return false;
}

} // namespace

void NameForAccessibility(QWidget& root)
{
    for (QWidget* child : root.findChildren<QWidget*>()) {
        if (!child->accessibleName().isEmpty() || NamesItself(child)) {
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(child); button != nullptr) {
            // Qt's name drops only the first accelerator mark ("&Raymond &Uniform taper piles");
            // set only where it differs, so the others keep following their captions.
            const QString read = CaptionAsRead(button->text());
            if (!read.isEmpty() && read != OwnAccessibleName(child)) {
                child->setAccessibleName(read);
            }
        }
        if (IsTextEntry(child) && OwnAccessibleName(child).isEmpty()) {
            // The label before the entry names it, and Alt with the label's letter leads to it.
            QLabel* label = LabelBefore(
                child,
                child->parentWidget() != nullptr ? child->parentWidget()->layout() : nullptr);
            if (label != nullptr && label->buddy() == nullptr && !label->text().isEmpty()) {
                label->setBuddy(child);
            }
        }
        // A control nothing names is read by its component name; a container, or a part Qt
        // makes itself ("qt_..."), is left without a name rather than given a component's.
        if (child->focusPolicy() != Qt::NoFocus && !child->objectName().startsWith("qt_")
            && OwnAccessibleName(child).isEmpty()) {
            child->setAccessibleName(child->objectName());
        }
    }
}

void ExposeCellControls(QAbstractItemView& grid)
{
    static const bool installed = [] {
        QAccessible::installFactory(CellControlsFactory);
        return true;
    }();
    (void)installed;
    grid.setProperty(kCellControlsProperty, true);
    // An interface made before (the window naming its controls) would stay in use.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&grid);
        made != nullptr && made->role() != QAccessible::Grouping) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}
