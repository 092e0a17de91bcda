#include "support/ButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

// On the window: a Return that reaches it was left alone by the focused control.
class TButtonKeys : public QObject
{
public:
    explicit TButtonKeys(QWidget& window)
        : QObject(&window)
        , m_window(window)
    {
        setObjectName(QStringLiteral("ButtonKeys"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_window || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || modifiers != Qt::NoModifier) {
            return false;
        }
        QWidget* focused = QApplication::focusWidget();
        auto* button = qobject_cast<QAbstractButton*>(focused);
        if (button == nullptr
            || (qobject_cast<QPushButton*>(button) == nullptr
                && qobject_cast<QToolButton*>(button) == nullptr)
            || !m_window.isAncestorOf(button) || !button->isEnabled() || !button->isVisible()) {
            return false;
        }
        event->accept();
        button->click();
        return true;
    }

private:
    QWidget& m_window;
};

} // namespace

void PressFocusedButtonOnReturn(QWidget& window)
{
    if (window.findChild<QObject*>(QStringLiteral("ButtonKeys"), Qt::FindDirectChildrenOnly)
        != nullptr) {
        return;
    }
    window.installEventFilter(new TButtonKeys(window));
}
