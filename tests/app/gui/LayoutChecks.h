#pragma once

#include <string>

#include <QWidget>

#include <gtest/gtest.h>

// Every control of ours that the window shows lies inside it at no less than the size it
// needs, and no two shown controls side by side overlap. Qt's own inner parts (names
// starting "qt_", or none) are left to Qt.
inline void ExpectNothingClippedOrOverlapping(const QWidget& window)
{
    const auto ours = [&window](const QWidget* w) {
        return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))
               && w->isVisibleTo(&window);
    };
    const QRect inside = window.rect();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!ours(w)) {
            continue;
        }
        const std::string name = w->objectName().toStdString();
        const QRect placed(w->mapTo(&window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(placed)) << name << " is cut off by the window";
        const QSize needed = w->minimumSizeHint();
        EXPECT_GE(w->width(), needed.width()) << name << " is narrower than its content";
        EXPECT_GE(w->height(), needed.height()) << name << " is lower than its content";
        const QWidget* parent = w->parentWidget();
        for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != w && ours(other) && other->geometry().intersects(w->geometry())) {
                ADD_FAILURE() << name << " overlaps " << other->objectName().toStdString();
            }
        }
    }
}
