#include "grid/TGridTable.h"

#include <algorithm>
#include <exception>

#include "grid/TColumnTypes.h"
#include "support/Helpers.h"

void RefreshTableEditor(TGridTable& table)
{
    if (table.HasEditor()) {
        table.CloseEditor();
        table.Show();
    }
}

TGridTable::TGridTable(TGridTable* owner)
    : TGridTable(owner, owner != nullptr ? &owner->Registry() : nullptr)
{}

TGridTable::TGridTable(TGridTableRegistry& registry)
    : TGridTable(nullptr, &registry)
{}

TGridTable::TGridTable(TGridTable* owner, TGridTableRegistry* registry)
    : m_ownRegistry(registry == nullptr ? std::make_unique<TGridTableRegistry>() : nullptr)
    , m_registry(registry != nullptr ? registry : m_ownRegistry.get())
    , m_owner(owner)
    , m_units(owner != nullptr ? owner->Units() : 1)
{
    m_identifier = m_registry->Add(this);
    m_rowCount = m_minRows;
}

std::unique_ptr<TGridTable>
TGridTable::CreateFromTemplate(TGridTable* owner, int number, const TGridTable& templateTable)
{
    // A copy without an owner lives beside its template in a shared registry, where its own
    // templates are found; the copy of a table on its own is on its own too.
    TGridTableRegistry* registry = owner != nullptr              ? &owner->Registry()
                                   : templateTable.m_ownRegistry ? nullptr
                                                                 : templateTable.m_registry;
    std::unique_ptr<TGridTable> table(new TGridTable(owner, registry));
    table->m_caption = templateTable.m_caption;
    table->m_comments = templateTable.m_comments;
    table->m_topLeft = templateTable.m_topLeft;
    table->m_helpPicture = templateTable.m_helpPicture;
    table->m_minRows = templateTable.m_minRows;
    table->m_maxRows = templateTable.m_maxRows;
    table->m_rowCount = table->m_minRows;
    for (const auto& column : templateTable.m_columns) {
        table->AddColumn(column->Clone(table.get()));
    }
    table->m_number = number;
    table->StructureChanged();
    return table;
}

TGridTable::~TGridTable()
{
    if (m_editor) {
        m_editor->TableGone();
        DetachEditor();
        m_editor.reset();
    }
    for (auto it = m_columns.rbegin(); it != m_columns.rend(); ++it) {
        DeleteAllCells(**it);
    }
    m_columns.clear();
    m_registry->Remove(this);
}

void TGridTable::SetNumber(int number)
{
    m_number = number;
    if (m_editor) {
        m_editor->SetCaption(m_caption + " " + RowPath());
    }
}

std::string TGridTable::RowPath() const
{
    std::string path;
    for (const TGridTable* t = this; t != nullptr; t = t->m_owner) {
        if (t->m_number != 0) {
            path = " " + std::to_string(t->m_number) + path;
        }
    }
    return path;
}

void TGridTable::SetIdentifier(int identifier)
{
    if (identifier < 0) {
        return;
    }
    for (TGridTable* other : m_registry->Tables()) {
        if (other != this && other->m_identifier == identifier) {
            other->m_identifier = m_identifier;
        }
    }
    m_identifier = identifier;
}

void TGridTable::SetMinRows(int value)
{
    if (value <= 0) {
        RaiseUnless<Exception>(m_loading, "Value must be greater than 0");
        value = 1;
    }
    m_minRows = value;
    PadToMinRows();
}

void TGridTable::PadToMinRows()
{
    if (m_rowCount >= m_minRows) {
        return;
    }
    const int at = m_rowCount;
    const int count = m_minRows - m_rowCount;
    m_rowCount = m_minRows;
    InsertIntoColumns(at, count);
}

void TGridTable::InsertIntoColumns(int at, int count)
{
    // All or nothing: when a column refuses its rows (a top-depth column without its
    // bottom column, a sub-table that cannot be made), the rows that other columns received
    // are taken out again, so the table stays rectangular, and the failure is raised.
    try {
        for (auto& column : m_columns) {
            column->InsertRows(at, count);
        }
    } catch (...) {
        m_rowCount -= count;
        for (auto it = m_columns.rbegin(); it != m_columns.rend(); ++it) {
            if ((*it)->RowCount() == m_rowCount + count) {
                for (int i = 0; i < count; ++i) {
                    (*it)->DeleteRow(at);
                }
            }
        }
        throw;
    }
}

void TGridTable::SetRowCount(int count)
{
    count = std::max(0, count);
    if (count < m_rowCount) {
        m_rowCount = count;
        // Last column first, so that a table column's rows go before the enumeration
        // column they were made from.
        for (auto it = m_columns.rbegin(); it != m_columns.rend(); ++it) {
            while ((*it)->RowCount() > count) {
                (*it)->DeleteRow((*it)->RowCount() - 1);
            }
        }
    } else if (count > m_rowCount) {
        const int at = m_rowCount;
        m_rowCount = count;
        InsertIntoColumns(at, count - at);
    }
    PadToMinRows();
}

void TGridTable::AddRowGroup()
{
    RaiseUnlessFmt<Exception>(m_maxRows <= 0 || m_rowCount + m_rowGroup <= m_maxRows,
                              "The table holds at most %d rows.",
                              m_maxRows);
    const int at = m_rowCount;
    m_rowCount += m_rowGroup;
    InsertIntoColumns(at, m_rowGroup);
    StructureChanged();
}

void TGridTable::InsertRowGroup(int row)
{
    RaiseUnlessFmt<Exception>(row >= 0 && row <= m_rowCount, "Row index out of bounds (%d)", row);
    RaiseUnlessFmt<Exception>(m_maxRows <= 0 || m_rowCount + m_rowGroup <= m_maxRows,
                              "The table holds at most %d rows.",
                              m_maxRows);
    const int at = std::min(m_rowGroup * (row / m_rowGroup), m_rowCount);
    m_rowCount += m_rowGroup;
    InsertIntoColumns(at, m_rowGroup);
    StructureChanged();
}

void TGridTable::DeleteRowGroup(int row)
{
    CheckRowIndex(row);
    const int first = m_rowGroup * (row / m_rowGroup);
    const int count = std::min(m_rowGroup, m_rowCount - first);
    m_rowCount -= count;
    for (auto& column : m_columns) {
        for (int i = 0; i < count; ++i) {
            column->DeleteRow(first);
        }
    }
    PadToMinRows();
    StructureChanged();
}

void TGridTable::SetUnits(int units)
{
    units = std::clamp(units, 1, 3);
    if (units == m_units) {
        return;
    }
    for (auto& column : m_columns) {
        column->SetUnits(units);
    }
    m_units = units;
    StructureChanged();
}

std::string TGridTable::UnitsProblem(int units) const
{
    units = std::clamp(units, 1, 3);
    if (units == m_units) {
        return {};
    }
    for (const auto& column : m_columns) {
        if (std::string problem = column->UnitsProblem(units); !problem.empty()) {
            return problem;
        }
    }
    return {};
}

bool TGridTable::GetChanged() const
{
    if (m_changed) {
        return true;
    }
    return std::any_of(m_columns.begin(), m_columns.end(), [](const auto& c) {
        return c->GetChanged();
    });
}

void TGridTable::SetChanged(bool changed)
{
    if (changed) {
        m_changed = true;
    } else {
        ResetChanged();
    }
}

void TGridTable::ResetChanged()
{
    m_changed = false;
    for (auto& column : m_columns) {
        column->ResetChanged();
    }
}

void TGridTable::CheckColumnIndex(int col) const
{
    RaiseUnlessFmt<Exception>(col >= 0 && col < ColumnCount(),
                              "Column index out of bounds (%d)",
                              col);
}

void TGridTable::CheckRowIndex(int row) const
{
    RaiseUnlessFmt<Exception>(row >= 0 && row < m_rowCount, "Row index out of bounds (%d)", row);
}

TColumn& TGridTable::Columns(int i) const
{
    CheckColumnIndex(i);
    return *m_columns[static_cast<std::size_t>(i)];
}

int TGridTable::IndexOfColumn(const TColumn* column) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].get() == column) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TGridTable::VisibleColumnCount() const
{
    return static_cast<int>(std::count_if(m_columns.begin(), m_columns.end(), [](const auto& c) {
        return c->Visible();
    }));
}

TColumn& TGridTable::VisibleColumns(int i) const
{
    int seen = 0;
    for (const auto& column : m_columns) {
        if (column->Visible()) {
            if (seen == i) {
                return *column;
            }
            ++seen;
        }
    }
    throw Exception("Index out of bounds");
}

int TGridTable::IndexOfVisibleColumn(const TColumn* column) const
{
    int seen = 0;
    for (const auto& c : m_columns) {
        if (c->Visible()) {
            if (c.get() == column) {
                return seen;
            }
            ++seen;
        }
    }
    return -1;
}

bool TGridTable::IsValidCell(int col, int row) const
{
    return col >= 0 && col < ColumnCount() && row >= 0 && row < m_rowCount;
}

TData& TGridTable::Cells(int col, int row) const
{
    return Columns(col).Cell(row);
}

std::int32_t TGridTable::GetInteger(int col, int row) const
{
    return Columns(col).GetInteger(row);
}

int TGridTable::FixedRowCount() const
{
    int lines = 0;
    for (const auto& column : m_columns) {
        if (column->Visible()) {
            lines = std::max(lines, column->HeaderLineCount());
        }
    }
    return lines;
}

void TGridTable::AttachColumn(TColumn& column)
{
    column.SetTable(this);
    if (column.RowCount() < m_rowCount) {
        column.InsertRows(column.RowCount(), m_rowCount - column.RowCount());
    }
    if (m_controlsParent != nullptr && column.UsesControls() && m_shownRowCount > 0) {
        column.CreateControls(m_controlsParent, m_shownFirstRow, m_shownRowCount);
    }
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column)
{
    RaiseUnless<Exception>(column != nullptr, "No column to add");
    TColumn& ref = *column;
    column->SetTable(this);
    m_columns.push_back(std::move(column));
    try {
        SyncSubTables();
        AttachColumn(ref);
    } catch (...) {
        DeleteAllCells(ref);
        m_columns.pop_back();
        throw;
    }
    return ref;
}

void TGridTable::DeleteAllCells(TColumn& column)
{
    while (column.RowCount() > 0) {
        column.DeleteRow(column.RowCount() - 1);
    }
}

void TGridTable::ClearColumns()
{
    // Last column first: a table column frees its sub-tables while the enumeration column
    // they were made from still exists.
    for (auto it = m_columns.rbegin(); it != m_columns.rend(); ++it) {
        DeleteAllCells(**it);
    }
    m_columns.clear();
    m_rowCount = m_minRows;
    StructureChanged();
}

void TGridTable::SyncSubTables()
{
    int items = 1;
    if (!m_columns.empty()) {
        if (const auto* first = dynamic_cast<const TEnumColumn*>(m_columns.front().get())) {
            items = static_cast<int>(first->Items().size());
        }
    }
    for (auto& column : m_columns) {
        if (auto* tableColumn = dynamic_cast<TTableColumn*>(column.get())) {
            TGridTableList& templates = tableColumn->Templates();
            while (templates.Count() < items) {
                templates.AddIdentifier(-1);
            }
            while (templates.Count() > items) {
                templates.Delete(templates.Count() - 1);
            }
        }
    }
}

void TGridTable::ReadColumns(TGridValueReader& reader)
{
    int count = 0;
    try {
        count = reader.ReadInteger();
    } catch (const Exception&) {
        throw Exception("Error reading column count");
    }
    // A column takes at least five bytes, so a count beyond the data is damage.
    if (count < 0 || static_cast<std::size_t>(count) > reader.Size() - reader.Position()) {
        throw Exception("Error reading column count");
    }
    for (int i = 0; i < count; ++i) {
        try {
            const int id = reader.ReadInteger();
            AddColumn(TColumn::CreateFromReader(id, this, reader));
        } catch (const Exception& e) {
            throw Exception(Format("Error occured when creating column %d: %s", i, e.Message()));
        }
        SyncSubTables();
    }
    StructureChanged();
}

void TGridTable::WriteColumns(TGridValueWriter& writer) const
{
    writer.WriteInteger(ColumnCount());
    for (const auto& column : m_columns) {
        writer.WriteInteger(ColumnTypeId(&column->ClassType()));
        column->WriteData(writer);
    }
}

std::vector<std::uint8_t> TGridTable::ColumnData() const
{
    TGridValueWriter writer;
    WriteColumns(writer);
    return writer.Bytes();
}

void TGridTable::SetColumnData(const std::vector<std::uint8_t>& bytes)
{
    ClearColumns();
    TGridValueReader reader(bytes);
    ReadColumns(reader);
}

void TGridTable::CellChanged(TColumn& column, int row)
{
    if (!m_columns.empty() && m_columns.front().get() == &column
        && dynamic_cast<TEnumColumn*>(&column) != nullptr) {
        for (auto& c : m_columns) {
            if (auto* tableColumn = dynamic_cast<TTableColumn*>(c.get())) {
                if (row < tableColumn->RowCount()) {
                    tableColumn->InitRowTable(row);
                }
                break;
            }
        }
    }
    if (m_cellChanged) {
        m_cellChanged(IndexOfColumn(&column), row);
    }
}

void TGridTable::ItemsChanged(TColumn& column)
{
    if (!m_columns.empty() && m_columns.front().get() == &column) {
        SyncSubTables();
    }
}

void TGridTable::GoToCell(int col, int row)
{
    if (m_editor) {
        m_editor->SelectGridCell(col + 1, row + FixedRowCount());
    }
}

void TGridTable::StructureChanged()
{
    if (m_structureChanged) {
        m_structureChanged();
    }
}

void TGridTable::SetHelpPicture(std::vector<std::uint8_t> picture)
{
    m_helpPicture = std::move(picture);
    if (m_editor) {
        m_editor->HelpPictureChanged();
    }
}

void TGridTable::ShowEditor(bool modal)
{
    if (VisibleColumnCount() == 0) {
        return;
    }
    if (!m_editor) {
        const TGridEditorFactory& factory = m_registry->EditorFactory();
        if (!factory) {
            return;
        }
        m_editor = factory(*this, modal);
        if (!m_editor) {
            return;
        }
    }
    if (modal) {
        m_editor->ShowModal();
    } else {
        m_editor->ShowModeless();
    }
}

void TGridTable::Show()
{
    ShowEditor(false);
}

void TGridTable::ShowModal()
{
    ShowEditor(true);
}

bool TGridTable::EditorIsModal() const
{
    return m_editor && m_editor->IsModal();
}

void TGridTable::CloseEditor()
{
    DetachEditor();
    m_cellChanged = nullptr;
    m_structureChanged = nullptr;
    m_editor.reset();
    for (auto& column : m_columns) {
        column->HideControls();
    }
}

std::unique_ptr<TGridTableEditor> TGridTable::EditorClosing()
{
    DetachEditor();
    m_cellChanged = nullptr;
    m_structureChanged = nullptr;
    return std::move(m_editor);
}

void TGridTable::AttachEditor(TGridControlParent* window,
                              TCellChangedNotification cellChanged,
                              TStructureChangedNotification structureChanged)
{
    m_cellChanged = std::move(cellChanged);
    m_structureChanged = std::move(structureChanged);
    m_controlsParent = window;
    if (window != nullptr && m_shownRowCount > 0) {
        for (auto& column : m_columns) {
            if (column->UsesControls()) {
                column->CreateControls(window, m_shownFirstRow, m_shownRowCount);
            }
        }
    }
}

void TGridTable::DetachEditor()
{
    for (auto& column : m_columns) {
        if (column->UsesControls()) {
            column->DestroyControls();
        }
    }
    m_controlsParent = nullptr;
}

void TGridTable::SetShownRows(int firstRow, int count)
{
    m_shownFirstRow = std::max(0, firstRow);
    m_shownRowCount = std::max(0, count);
}
