#include "grid/TColumn.h"

#include <algorithm>

#include "grid/TColumnTypes.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"
#include "support/Helpers.h"

namespace {

struct TColumnTypeStorage
{
    const TColumnClass* cls;
    int id;
};

std::vector<TColumnTypeStorage>& ColumnTypeRegistry()
{
    static std::vector<TColumnTypeStorage> registry = {
        {&TEnumColumn::Class, 0},
        {&TIntColumn::Class, 1},
        {&TFloatColumn::Class, 2},
        {&TTableColumn::Class, 3},
        {&TStringColumn::Class, 4},
    };
    return registry;
}

} // namespace

void RegisterColumnType(const TColumnClass* cls, int id)
{
    ColumnTypeRegistry().push_back({cls, id});
}

void UnregisterColumnType(const TColumnClass* cls)
{
    auto& registry = ColumnTypeRegistry();
    std::erase_if(registry, [cls](const TColumnTypeStorage& s) { return s.cls == cls; });
}

int ColumnTypeId(const TColumnClass* cls)
{
    for (const auto& s : ColumnTypeRegistry()) {
        if (s.cls == cls) {
            return s.id;
        }
    }
    return -1;
}

const TColumnClass* ColumnClassById(int id)
{
    for (const auto& s : ColumnTypeRegistry()) {
        if (s.id == id) {
            return s.cls;
        }
    }
    return nullptr;
}

TColumn::TColumn(TGridTable* table)
    : m_table(table)
{}

TColumn::~TColumn() = default;

std::unique_ptr<TColumn>
TColumn::CreateFromReader(int id, TGridTable* table, TGridValueReader& reader)
{
    const TColumnClass* cls = ColumnClassById(id);
    RaiseUnless<Exception>(cls != nullptr, "Error Column Class not defined");
    std::unique_ptr<TColumn> column = cls->create(table);
    column->ReadBase(reader);
    column->ReadData(reader);
    return column;
}

void TColumn::ReadBase(TGridValueReader& reader)
{
    m_header.clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        m_header.push_back(reader.ReadString());
    }
    reader.ReadListEnd();
    m_visible = reader.ReadBoolean();
    m_groupValue = reader.ReadBoolean();
}

void TColumn::ReadData(TGridValueReader&) {}

void TColumn::WriteData(TGridValueWriter& writer) const
{
    writer.WriteListBegin();
    for (const auto& line : m_header) {
        writer.WriteString(line);
    }
    writer.WriteListEnd();
    writer.WriteBoolean(m_visible);
    writer.WriteBoolean(m_groupValue);
    WriteTypeData(writer);
}

void TColumn::WriteTypeData(TGridValueWriter&) const {}

void TColumn::CopyFieldsTo(TColumn&) const {}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable* table) const
{
    std::unique_ptr<TColumn> copy = ClassType().create(table);
    copy->m_visible = m_visible;
    copy->m_header = m_header;
    copy->m_groupValue = m_groupValue;
    CopyFieldsTo(*copy);
    return copy;
}

void TColumn::InsertRows(int at, int count)
{
    RaiseUnless<Exception>(at >= 0 && at <= RowCount() && count >= 0, "Index out of bounds");
    for (int i = 0; i < count; ++i) {
        m_cells.insert(m_cells.begin() + at + i, std::make_unique<TData>(*this));
    }
}

void TColumn::DeleteRow(int row)
{
    CheckRow(row);
    m_cells.erase(m_cells.begin() + row);
}

int TColumn::HeaderLineCount() const
{
    return static_cast<int>(m_header.size());
}

std::string TColumn::GetHeaderLine(int i) const
{
    RaiseUnless<Exception>(i >= 0 && i < HeaderLineCount(), "Index out of bounds");
    return m_header[static_cast<std::size_t>(i)];
}

void TColumn::WrongType()
{
    throw EInvalidCast("Data of wrong type");
}

TGridTable* TColumn::GetTable(int) const
{
    WrongType();
}

long double TColumn::GetFloat(int) const
{
    WrongType();
}

void TColumn::SetFloat(int, long double)
{
    WrongType();
}

std::int32_t TColumn::GetInteger(int) const
{
    WrongType();
}

void TColumn::SetInteger(int, std::int32_t)
{
    WrongType();
}

TGridRowObject* TColumn::GetObject(int) const
{
    WrongType();
}

std::string TColumn::GetText(int row) const
{
    CheckRow(row);
    return {};
}

void TColumn::SetText(int row, const std::string&)
{
    CheckRow(row);
}

void TColumn::SetUnits(int) {}

std::string TColumn::UnitsProblem(int) const
{
    return {};
}

TGridCellControl* TColumn::Control(int) const
{
    return nullptr;
}

void TColumn::CreateControls(TGridControlParent*, int, int) {}

int TColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    int width = 0;
    for (int i = 0; i < HeaderLineCount(); ++i) {
        width = std::max(width, metrics.TextWidth(GetHeaderLine(i) + "  "));
    }
    return width;
}

TData& TColumn::Cell(int row) const
{
    CheckRow(row);
    return *m_cells[static_cast<std::size_t>(row)];
}

int TColumn::IndexOfCell(const TData* cell) const
{
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i].get() == cell) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TColumn::GetRowGroup() const
{
    return m_table != nullptr ? m_table->RowGroup() : 1;
}

void TColumn::Changed(int row)
{
    if (m_table != nullptr) {
        m_table->CellChanged(*this, row);
    }
}

void TColumn::CheckRow(int row) const
{
    RaiseUnlessFmt<Exception>(row >= 0 && row < RowCount(), "Row index out of bounds (%d)", row);
}

void TColumn::GroupRange(int row, int& first, int& last) const
{
    CheckRow(row);
    if (!m_groupValue) {
        first = last = row;
        return;
    }
    const int group = GetRowGroup();
    first = group * (row / group);
    last = std::min(first + group, RowCount()) - 1;
}

int TColumn::TableUnits() const
{
    return m_table != nullptr ? m_table->Units() : 1;
}

bool TColumn::TableHasEditor() const
{
    return m_table != nullptr && m_table->HasEditor();
}
