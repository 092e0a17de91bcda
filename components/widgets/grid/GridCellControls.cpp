#include "grid/GridCellControls.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>

#include "seams/MessageSeam.h"

namespace {

// The model's handlers run inside Qt signals; nothing may leave them as an exception.
void RunReporting(const std::function<void()>& action, QWidget* parent)
{
    if (action) {
        RunCommand(parent, action);
    }
}

// Tells the combo's owner that it received the focus.
class TFocusFilter : public QObject
{
public:
    TFocusFilter(QObject* parent, std::function<void()> entered)
        : QObject(parent)
        , m_entered(std::move(entered))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            m_entered();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_entered;
};

void DisposeLater(QWidget* widget)
{
    if (widget != nullptr) {
        // Its handlers refer to the adapter that is going.
        QObject::disconnect(widget, nullptr, nullptr, nullptr);
        for (QObject* child : widget->children()) {
            if (auto* filter = dynamic_cast<TFocusFilter*>(child)) {
                widget->removeEventFilter(filter);
                filter->deleteLater();
            }
        }
        widget->hide();
        widget->deleteLater();
    }
}

} // namespace

TGridCellCombo::TGridCellCombo(QWidget* parent, TGridControlEdited edited)
    : m_combo(new QComboBox(parent))
{
    m_combo->setObjectName("GridCellCombo");
    m_combo->setEditable(false); // a drop-down list: only its items can be chosen
    m_combo->hide();
    // `activated` comes from the user only; a value set by code must not write back.
    QObject::connect(m_combo, &QComboBox::activated, m_combo, [this, edited](int) {
        if (edited) {
            edited();
        }
        const std::function<void()> handler = OnChange; // outlives a freed adapter
        RunReporting(handler, m_combo);
    });
    m_combo->installEventFilter(new TFocusFilter(m_combo, [this] {
        const std::function<void()> handler = OnEnter;
        RunReporting(handler, m_combo);
    }));
}

TGridCellCombo::~TGridCellCombo()
{
    DisposeLater(m_combo);
}

void TGridCellCombo::SetVisible(bool visible)
{
    if (m_combo) {
        m_combo->setVisible(visible);
    }
}

void TGridCellCombo::BringToFront()
{
    if (m_combo) {
        m_combo->raise();
    }
}

void TGridCellCombo::SetItems(const std::vector<std::string>& items)
{
    if (!m_combo) {
        return;
    }
    const int index = m_combo->currentIndex();
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    for (const std::string& item : items) {
        m_combo->addItem(QString::fromStdString(item));
    }
    m_combo->setCurrentIndex(index < m_combo->count() ? index : -1);
}

void TGridCellCombo::SetDropDownCount(int count)
{
    if (m_combo) {
        m_combo->setMaxVisibleItems(count);
    }
}

void TGridCellCombo::SetItemIndex(int index)
{
    if (!m_combo) {
        return;
    }
    // A value without an item shows no selection.
    const QSignalBlocker block(m_combo);
    m_combo->setCurrentIndex(index >= 0 && index < m_combo->count() ? index : -1);
}

int TGridCellCombo::ItemIndex() const
{
    return m_combo ? m_combo->currentIndex() : -1;
}

TGridCellButton::TGridCellButton(QWidget* parent, TGridControlEdited clicked)
    : m_button(new QPushButton(parent))
{
    m_button->setObjectName("GridCellButton");
    m_button->setAutoDefault(false); // Enter belongs to the grid
    m_button->hide();
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this, clicked] {
        if (clicked) {
            clicked();
        }
        // The click may close this window and free the adapter.
        const std::function<void()> handler = OnClick;
        RunReporting(handler, m_button);
    });
}

TGridCellButton::~TGridCellButton()
{
    DisposeLater(m_button);
}

void TGridCellButton::SetVisible(bool visible)
{
    if (m_button) {
        m_button->setVisible(visible);
    }
}

void TGridCellButton::BringToFront()
{
    if (m_button) {
        m_button->raise();
    }
}

void TGridCellButton::SetCaption(const std::string& caption)
{
    if (m_button) {
        m_button->setText(QString::fromStdString(caption));
    }
}

std::string TGridCellButton::Caption() const
{
    return m_button ? m_button->text().toStdString() : std::string();
}

QWidget* GridCellWidget(TGridCellControl* control)
{
    if (auto* combo = dynamic_cast<TGridCellCombo*>(control)) {
        return combo->Widget();
    }
    if (auto* button = dynamic_cast<TGridCellButton*>(control)) {
        return button->Widget();
    }
    return nullptr;
}
