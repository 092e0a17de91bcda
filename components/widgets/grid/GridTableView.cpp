#include "grid/GridTableView.h"

#include <QKeyEvent>
#include <QLineEdit>

TGridSelectionModel::TGridSelectionModel(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent)
{}

void TGridSelectionModel::ForceCurrent(const QModelIndex& index)
{
    m_target = index;
    QItemSelectionModel::setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_target = QPersistentModelIndex();
}

void TGridSelectionModel::setCurrentIndex(const QModelIndex& index,
                                          QItemSelectionModel::SelectionFlags command)
{
    const QModelIndex from = currentIndex();
    if (index != from && m_canMove && !m_asking) {
        m_asking = true; // a message box shown while asking must not ask again
        bool allowed = false;
        try {
            allowed = m_canMove(from, index);
        } catch (...) {
            m_asking = false;
            throw;
        }
        m_asking = false;
        if (!allowed) {
            return;
        }
    } else if (m_asking) {
        return;
    }
    m_target = index;
    QItemSelectionModel::setCurrentIndex(index, command);
    m_target = QPersistentModelIndex();
}

void TGridSelectionModel::select(const QItemSelection& selection,
                                 QItemSelectionModel::SelectionFlags command)
{
    // The selection follows the current cell; a click whose move was refused selects nothing.
    if ((command & (QItemSelectionModel::Select | QItemSelectionModel::Toggle))
        && currentIndex().isValid() && !selection.contains(currentIndex())
        && !(m_target.isValid() && selection.contains(m_target))) {
        return;
    }
    QItemSelectionModel::select(selection, command);
}

TGridCellDelegate::TGridCellDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

QWidget* TGridCellDelegate::createEditor(QWidget* parent,
                                         const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor != nullptr) {
        editor->setObjectName("GridCellEditor");
    }
    m_editor = editor;
    m_index = index;
    return editor;
}

void TGridCellDelegate::CommitActiveEditor()
{
    if (m_editor && m_index.isValid()) {
        setModelData(m_editor,
                     const_cast<QAbstractItemModel*>(m_index.model()),
                     QModelIndex(m_index));
    }
}

bool TGridCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && OnEnter) {
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor != nullptr) {
                emit commitData(editor);
            }
            OnEnter();
            return true;
        }
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && OnTab) {
            if (auto* editor = qobject_cast<QWidget*>(object)) {
                emit commitData(editor);
            }
            OnTab(key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) == 0);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

TGridTableView::TGridTableView(QWidget* parent)
    : QTableView(parent)
    , m_delegate(new TGridCellDelegate(this))
{
    setItemDelegate(m_delegate);
    setTabKeyNavigation(false);
    m_delegate->OnEnter = [this] {
        if (OnEnter) {
            OnEnter();
        }
    };
    m_delegate->OnTab = [this](bool next) {
        LeaveByTab(next);
    };
}

void TGridTableView::LeaveByTab(bool next)
{
    // The control before or after the grid itself, not one of its cells' editors or controls.
    QWidget* target = next ? nextInFocusChain() : previousInFocusChain();
    while (target != this
           && (isAncestorOf(target) || (target->focusPolicy() & Qt::TabFocus) == 0
               || !target->isVisible() || !target->isEnabled())) {
        target = next ? target->nextInFocusChain() : target->previousInFocusChain();
    }
    if (target != this) {
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
}

void TGridTableView::EditCurrent()
{
    const QModelIndex index = currentIndex();
    if (index.isValid() && (index.flags() & Qt::ItemIsEditable) && state() != EditingState) {
        edit(index);
    }
}

void TGridTableView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OnEnter) {
        OnEnter();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
