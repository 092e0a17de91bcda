// The table editor window: taking entries, moving between cells, adding and removing rows.
#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>

#include "entry/DataValue.h"
#include "grid/GridCellControls.h"
#include "grid/GridTableView.h"
#include "grid/GridTableViewModel.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "grid/TTableForm.h"
#include "seams/MessageSeam.h"
#include "support/Exception.h"
#include "support/Helpers.h"

// ---- committing --------------------------------------------------------------------------------

bool TTableForm::CommitCell()
{
    if (m_table == nullptr || m_inCommit) {
        return true;
    }
    TGridCellDelegate* delegate = m_view->Delegate();
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid()) {
        return true;
    }
    if (delegate->ActiveEditor() != nullptr && delegate->ActiveIndex() == current) {
        delegate->CommitActiveEditor();
    }
    const int visible = current.column();
    const int row = current.row();
    const int col = m_model->TableColumnIndex(visible);
    if (col < 0 || row >= m_table->RowCount() || m_model->UsesControls(visible)) {
        return true;
    }
    TColumn& column = m_table->Columns(col);
    const std::string text = m_model->CellText(visible, row).toStdString();
    // Only an entry the user changed is taken: the shown text of a real value has 8
    // significant digits, and taking it back would cut the stored value to them.
    if (text == column.GetText(row)) {
        return true;
    }
    const QScopedValueRollback committing(m_inCommit, true);
    return RunCommand(this, [&] {
        m_table->SetChanged(true);
        try {
            column.SetText(row, text);
        } catch (const EAssignError& e) {
            throw EAssignError(NamedEntryMessage(e.Message(), CellName(visible, row)));
        }
    });
}

std::string TTableForm::CellName(int visibleColumn, int row) const
{
    // The table, the row as its fixed column numbers it, and the column's heading.
    QStringList heading;
    for (int line = 0; line < m_model->FixedRowCount(); ++line) {
        heading << m_model->HeaderLine(visibleColumn, line);
    }
    QString name = QString::fromStdString(m_table->Caption()).simplified();
    if (!name.isEmpty()) {
        name += QStringLiteral(", ");
    }
    name += QStringLiteral("row ") + m_model->GroupNumber(row) + QStringLiteral(", ")
            + heading.join(QLatin1Char(' ')).simplified();
    return name.toStdString();
}

bool TTableForm::GridSelectCell(int fromColumn, int fromRow, int toColumn, int toRow)
{
    (void)toRow;
    if (m_table == nullptr) {
        return true;
    }
    if (fromColumn >= 0 && fromRow >= 0 && !CommitCell()) {
        ReopenEditorLater();
        return false;
    }
    if (toColumn >= 0 && m_model->UsesControls(toColumn)) {
        return false; // its control edits it
    }
    m_model->RefreshTexts(); // normalised numbers, values spread over their group
    return true;
}

void TTableForm::ReopenEditorLater()
{
    QTimer::singleShot(0, this, [this] {
        if (m_table != nullptr) {
            m_view->setFocus();
            m_view->EditCurrent();
        }
    });
}

void TTableForm::GridExit(QWidget* now)
{
    // The row buttons take the entry themselves; another window is a deactivation.
    if (m_table == nullptr || m_closing || now == nullptr || !isAncestorOf(now) || now == m_btnAdd
        || now == m_btnIns || now == m_btnDel) {
        return;
    }
    if (!CommitCell() && !m_modalRunning) {
        m_view->setFocus();
    }
}

void TTableForm::GridKeyPress()
{
    if (m_table == nullptr) {
        return;
    }
    const QModelIndex current = m_view->currentIndex();
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (!current.isValid() || rows == 0 || columns == 0) {
        return;
    }
    int column = current.column();
    int row = current.row() + 1;
    if (row >= rows) {
        // Down the next column that takes typing; after the last, back to the first.
        row = 0;
        int next = column;
        for (int step = 1; step <= columns; ++step) {
            const int candidate = (column + step) % columns;
            if (!m_model->UsesControls(candidate)) {
                next = candidate;
                break;
            }
        }
        column = next;
    }
    SelectCell(column, row);
}

bool TTableForm::SelectCell(int visibleColumn, int row)
{
    const QModelIndex target = m_model->index(row, visibleColumn);
    if (!target.isValid()) {
        return false;
    }
    m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    return m_view->currentIndex() == target;
}

void TTableForm::ShowCell(int column, int row)
{
    const int visible = m_model->VisibleIndexOfColumn(column);
    if (visible >= 0) {
        m_model->RefreshCell(visible, row);
    }
}

void TTableForm::ControlEdited()
{
    if (m_table != nullptr) {
        m_table->SetChanged(true);
    }
}

void TTableForm::TableStructureChanged()
{
    if (!m_suspendStructure) {
        Refresh();
    }
}

// ---- rows ---------------------------------------------------------------------------------------

bool TTableForm::CommitBeforeRowEdit()
{
    // An entry typed into the current cell is taken before the rows move under it; a refused
    // one keeps the user in the cell and the rows as they are.
    if (!CommitCell()) {
        ReopenEditorLater();
        return false;
    }
    return true;
}

int TTableForm::CurrentDataRowForRowEdit() const
{
    const int row = CurrentRow();
    RaiseUnless<Exception>(m_table != nullptr && row >= 0 && row < m_table->RowCount(),
                           "Grid.Row not in valid range");
    return row;
}

void TTableForm::GrowShownRows()
{
    if (m_shownRows == m_table->RowCount()) {
        m_shownRows = std::min(m_shownRows + m_table->RowGroup(), kMaxAutoRows);
    }
}

void TTableForm::EditRows(TRowEdit edit)
{
    if (m_table == nullptr || !CommitBeforeRowEdit()) {
        return;
    }
    const int currentColumn = CurrentColumn();
    const int currentRow = CurrentRow();
    bool edited = false;
    {
        // The rows change under the window: it refreshes once, afterwards.
        const QScopedValueRollback structure(m_suspendStructure, true);
        const QScopedValueRollback scroll(m_suspendScroll, true);
        edited = RunCommand(this, [this, edit] {
            switch (edit) {
            case TRowEdit::Add:
                GrowShownRows();
                m_table->AddRowGroup();
                break;
            case TRowEdit::Insert: {
                const int row = CurrentDataRowForRowEdit();
                GrowShownRows();
                m_table->InsertRowGroup(row);
                break;
            }
            case TRowEdit::Delete:
                m_table->DeleteRowGroup(CurrentDataRowForRowEdit());
                break;
            }
        });
        if (m_table == nullptr) {
            return;
        }
        m_table->SetChanged(true);
    }
    Refresh();
    RestoreCurrent(currentColumn,
                   edit == TRowEdit::Delete ? std::min(currentRow, m_table->RowCount() - 1)
                                            : currentRow);
    if (edit == TRowEdit::Add && edited) {
        // Show the new last rows at the bottom of the grid.
        const int firstRow = FirstShownRow();
        if (m_table->RowCount() > firstRow + m_shownRows) {
            m_view->verticalScrollBar()->setValue(m_table->RowCount() - m_shownRows);
        }
    }
}

void TTableForm::BtnAddClick()
{
    EditRows(TRowEdit::Add);
}

void TTableForm::BtnInsClick()
{
    EditRows(TRowEdit::Insert);
}

void TTableForm::BtnDelClick()
{
    EditRows(TRowEdit::Delete);
}

void TTableForm::RestoreCurrent(int column, int row)
{
    if (column < 0 || row < 0) {
        return;
    }
    const QModelIndex index = m_model->index(row, column);
    if (index.isValid()) {
        static_cast<TGridSelectionModel*>(m_view->selectionModel())->ForceCurrent(index);
    }
}

// ---- grid cells as the user sees them --------------------------------------------------------------

int TTableForm::GridColumnCount() const
{
    return m_model->columnCount() + 1;
}

int TTableForm::GridRowCount() const
{
    return m_model->FixedRowCount() + m_model->rowCount();
}

std::string TTableForm::GridCellText(int gridColumn, int gridRow) const
{
    const int fixed = m_model->FixedRowCount();
    if (gridColumn < 0 || gridRow < 0 || gridColumn >= GridColumnCount()
        || gridRow >= GridRowCount()) {
        return {};
    }
    if (gridRow < fixed) {
        if (gridColumn == 0) {
            return gridRow == 0 ? m_topLeft->text().toStdString() : std::string();
        }
        return m_model->HeaderLine(gridColumn - 1, gridRow).toStdString();
    }
    const int row = gridRow - fixed;
    if (gridColumn == 0) {
        return m_model->GroupNumber(row).toStdString();
    }
    return m_model->CellText(gridColumn - 1, row).toStdString();
}

int TTableForm::CurrentColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() : -1;
}

int TTableForm::CurrentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QWidget* TTableForm::CellControl(int tableColumn, int row) const
{
    if (m_table == nullptr || tableColumn < 0 || tableColumn >= m_table->ColumnCount()) {
        return nullptr;
    }
    const TColumn& column = m_table->Columns(tableColumn);
    for (int i = 0; i < column.ControlCount(); ++i) {
        TGridCellControl* control = column.Control(i);
        if (control->Tag() == row) {
            return GridCellWidget(control);
        }
    }
    return nullptr;
}
