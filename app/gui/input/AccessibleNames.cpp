#include "input/AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "entry/TDataEdit.h"

namespace {

QString WithoutAccelerator(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text.simplified();
}

QString AccessibleNameOf(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (!button->text().isEmpty()) {
            return WithoutAccelerator(button->text());
        }
    } else if (const auto* edit = qobject_cast<const TDataEdit*>(widget)) {
        if (edit->EditLabel() != nullptr && !edit->EditLabel()->text().trimmed().isEmpty()) {
            return WithoutAccelerator(edit->EditLabel()->text());
        }
        if (!edit->Caption().empty()) {
            return WithoutAccelerator(QString::fromStdString(edit->Caption()));
        }
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (!label->text().isEmpty()) {
            return WithoutAccelerator(label->text());
        }
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        if (!group->title().isEmpty()) {
            return WithoutAccelerator(group->title());
        }
    }
    return widget->objectName();
}

} // namespace

void NameForAccessibility(QWidget& root)
{
    for (QWidget* child : root.findChildren<QWidget*>()) {
        if (child->accessibleName().isEmpty()) {
            child->setAccessibleName(AccessibleNameOf(child));
        }
    }
}
