#pragma once

#include <functional>

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

// The grid of the table editor window: a table view whose current cell can only move when the
// window agrees (the entry in the cell it leaves must be taken first), and whose Enter key
// belongs to the window.

// Asks before every move of the current cell; a refused move leaves current and selection.
class TGridSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    using TCanMove = std::function<bool(const QModelIndex& from, const QModelIndex& to)>;

    TGridSelectionModel(QAbstractItemModel* model, QObject* parent);
    void SetCanMove(TCanMove canMove) { m_canMove = std::move(canMove); }
    // Moves without asking (the window restoring its own position).
    void ForceCurrent(const QModelIndex& index);

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection,
                QItemSelectionModel::SelectionFlags command) override;
    using QItemSelectionModel::select;

private:
    TCanMove m_canMove;
    bool m_asking = false;
    QPersistentModelIndex m_target; // the cell a move is going to
};

// The in-place editor of a text cell. Enter in it hands the text to the model and then to the
// window's Enter handling; Tab and Backtab hand it to the model and leave the grid.
class TGridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TGridCellDelegate(QObject* parent);
    std::function<void()> OnEnter;
    std::function<void(bool next)> OnTab;

    QWidget* createEditor(QWidget* parent,
                          const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor open now, if any, and the cell it edits.
    QWidget* ActiveEditor() const { return m_editor; }
    QPersistentModelIndex ActiveIndex() const { return m_index; }
    // Copies the text of the open editor into the model.
    void CommitActiveEditor();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_index;
};

class TGridTableView : public QTableView
{
    Q_OBJECT

public:
    explicit TGridTableView(QWidget* parent);
    std::function<void()> OnEnter; // Enter pressed on the grid or in its editor
    TGridCellDelegate* Delegate() const { return m_delegate; }
    // Tab and Backtab leave the grid for the window's next or previous control, as they do a
    // string grid without tab navigation: they never run round its cells.
    void LeaveByTab(bool next);
    // Opens the in-place editor on the current cell when it is editable.
    void EditCurrent();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TGridCellDelegate* m_delegate;
};
