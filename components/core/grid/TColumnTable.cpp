#include <algorithm>
#include <cmath>
#include <exception>

#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "support/Helpers.h"

namespace {
// Marks the newer stream layout of a table column (a list of template identifiers).
const char* const kTableMarker = "FLEXCOLUMN2";
// Sub-tables inside sub-tables deeper than this can only come from a template that names
// itself or an enclosing table; refusing them ends what would be an endless recursion.
constexpr int kMaxNesting = 8;

int NestingDepth(const TGridTable* table)
{
    int depth = 0;
    for (; table != nullptr; table = table->Owner()) {
        ++depth;
    }
    return depth;
}
} // namespace

const TColumnClass TTableColumn::Class = {"TTableColumn",
                                          [](TGridTable* table) -> std::unique_ptr<TColumn> {
                                              return std::make_unique<TTableColumn>(table);
                                          }};

TTableColumn::TTableColumn(TGridTable* table)
    : TColumn(table)
{}

TTableColumn::~TTableColumn()
{
    // Buttons first: their handlers refer to the rows.
    m_buttons.clear();
    while (!m_rows.empty()) {
        m_rows.pop_back();
    }
}

int TTableColumn::EnumValue(int row) const
{
    if (Table() == nullptr || Table()->ColumnCount() == 0) {
        return 1;
    }
    const auto* first = dynamic_cast<const TEnumColumn*>(&Table()->Columns(0));
    if (first == nullptr || row < 0 || row >= first->RowCount()) {
        return 1;
    }
    return first->GetInteger(row);
}

void TTableColumn::InsertRows(int at, int count)
{
    RaiseUnless<Exception>(at >= 0 && at <= RowCount() && count >= 0, "Index out of bounds");
    for (int i = 0; i < count; ++i) {
        m_rows.insert(m_rows.begin() + at + i, nullptr);
    }
    TColumn::InsertRows(at, count);
    // Every new row gets its object even when one of them fails; the first failure is
    // raised once the column is whole again.
    std::exception_ptr failure;
    for (int i = 0; i < count; ++i) {
        try {
            InitRowTable(at + i);
        } catch (...) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
    }
    Renumber(at + count);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TTableColumn::InitRowTable(int row)
{
    CheckRow(row);
    TGridTable* table = Table();
    const int col = table != nullptr ? table->IndexOfColumn(this) : -1;
    const int value = EnumValue(row);
    std::unique_ptr<TGridRowObject> object;
    // A value outside the template list selects no template.
    TGridTable* templateTable = nullptr;
    if (value >= 1 && value <= m_templates.Count()) {
        templateTable = TemplateTable(value - 1);
    }
    if (templateTable != nullptr) {
        RaiseUnless<Exception>(NestingDepth(table) < kMaxNesting,
                               "Sub-tables are nested too deeply; a template refers to itself");
        object = TGridTable::CreateFromTemplate(table, row + 1, *templateTable);
    } else if (table != nullptr && table->OnInitRow) {
        table->OnInitRow(*table, col, row, value, object);
        if (object && table->OnSetRow) {
            table->OnSetRow(*table, col, object.get(), row); // a failure frees the object
        }
    }
    m_rows[static_cast<std::size_t>(row)] = std::move(object); // frees the old one
    RefreshButton(row);
}

void TTableColumn::Renumber(int from)
{
    TGridTable* table = Table();
    for (int row = std::max(0, from); row < static_cast<int>(m_rows.size()); ++row) {
        TGridRowObject* object = m_rows[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object)) {
            sub->SetNumber(row + 1);
        } else if (object != nullptr && table != nullptr && table->OnSetRow) {
            table->OnSetRow(*table, table->IndexOfColumn(this), object, row);
        }
    }
}

void TTableColumn::DeleteRow(int row)
{
    TColumn::DeleteRow(row);
    std::unique_ptr<TGridRowObject> gone = std::move(m_rows[static_cast<std::size_t>(row)]);
    m_rows.erase(m_rows.begin() + row);
    gone.reset();
    Renumber(row);
}

TGridTable* TTableColumn::GetTable(int row) const
{
    return dynamic_cast<TGridTable*>(GetObject(row));
}

TGridRowObject* TTableColumn::GetObject(int row) const
{
    CheckRow(row);
    return m_rows[static_cast<std::size_t>(row)].get();
}

bool TTableColumn::GetChanged() const
{
    TGridTable* table = Table();
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        TGridRowObject* object = m_rows[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object)) {
            if (sub->GetChanged()) {
                return true;
            }
        } else if (object != nullptr && table != nullptr && table->OnGetChanged) {
            bool changed = false;
            table->OnGetChanged(*table, table->IndexOfColumn(this), row, object, changed);
            if (changed) {
                return true;
            }
        }
    }
    return false;
}

void TTableColumn::ResetChanged()
{
    TGridTable* table = Table();
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        TGridRowObject* object = m_rows[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object)) {
            sub->ResetChanged();
        } else if (object != nullptr && table != nullptr && table->OnResetChanged) {
            table->OnResetChanged(*table, table->IndexOfColumn(this), row, object);
        }
    }
}

void TTableColumn::SetUnits(int units)
{
    TGridTable* table = Table();
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        TGridRowObject* object = m_rows[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object)) {
            sub->SetUnits(units);
        } else if (object != nullptr && table != nullptr && table->OnSetUnits) {
            table->OnSetUnits(*table, table->IndexOfColumn(this), row, object, units);
        }
    }
}

std::string TTableColumn::UnitsProblem(int units) const
{
    for (const auto& object : m_rows) {
        if (const auto* sub = dynamic_cast<const TGridTable*>(object.get())) {
            if (std::string problem = sub->UnitsProblem(units); !problem.empty()) {
                return problem;
            }
        }
    }
    return {};
}

void TTableColumn::HideControls()
{
    TGridTable* table = Table();
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        TGridRowObject* object = m_rows[static_cast<std::size_t>(row)].get();
        if (auto* sub = dynamic_cast<TGridTable*>(object)) {
            sub->CloseEditor();
        } else if (object != nullptr && table != nullptr && table->OnHide) {
            table->OnHide(*table, table->IndexOfColumn(this), row, object);
        }
    }
}

std::string TTableColumn::ButtonCaption(int row) const
{
    TGridRowObject* object = GetObject(row);
    std::string text;
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
        text = sub->Caption();
    } else if (Table() != nullptr && Table()->OnGetButtonCaption) {
        Table()->OnGetButtonCaption(*Table(), Table()->IndexOfColumn(this), row, object, text);
    }
    return Format("%d: %s", row + 1, text);
}

void TTableColumn::RefreshButton(int row)
{
    for (auto& button : m_buttons) {
        if (button->Tag() == row) {
            button->SetCaption(ButtonCaption(row));
        }
    }
}

TGridCellControl* TTableColumn::Control(int i) const
{
    RaiseUnless<Exception>(i >= 0 && i < ControlCount(), "Index out of bounds");
    return m_buttons[static_cast<std::size_t>(i)].get();
}

void TTableColumn::CreateControls(TGridControlParent* parent, int topRow, int count)
{
    RaiseUnless<Exception>(m_buttons.empty() || parent == m_parent,
                           "Attempt to change parent with controls already allocated");
    RaiseUnless<Exception>(parent != nullptr, "null parent");
    RaiseUnlessFmt<Exception>(topRow >= 0 && topRow < RowCount(), "ATopRow %d", topRow);
    RaiseUnlessFmt<Exception>(count >= 1 && topRow + count <= RowCount(), "ACount %d", count);
    m_parent = parent;
    while (static_cast<int>(m_buttons.size()) > count) {
        m_buttons.pop_back();
    }
    while (static_cast<int>(m_buttons.size()) < count) {
        std::unique_ptr<TGridButtonControl> button = parent->CreateButton();
        RaiseUnless<Exception>(button != nullptr, "null control");
        TGridButtonControl* raw = button.get();
        button->OnClick = [this, raw] {
            ButtonClick(raw->Tag());
        };
        m_buttons.push_back(std::move(button));
    }
    for (int i = 0; i < count; ++i) {
        auto& button = m_buttons[static_cast<std::size_t>(i)];
        button->SetVisible(false);
        button->SetTag(topRow + i);
        button->SetCaption(ButtonCaption(topRow + i));
        button->BringToFront();
    }
}

void TTableColumn::DestroyControls()
{
    m_parent = nullptr;
    m_buttons.clear();
}

void TTableColumn::ButtonClick(int row)
{
    TGridRowObject* object = GetObject(row);
    TGridTable* table = Table();
    if (auto* sub = dynamic_cast<TGridTable*>(object)) {
        if (table != nullptr && table->EditorIsModal()) {
            sub->ShowModal();
        } else {
            sub->Show();
        }
    } else if (table != nullptr && table->OnButtonClick) {
        table->OnButtonClick(*table, table->IndexOfColumn(this), row, object);
    }
}

int TTableColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    return std::max(TColumn::HeaderWidth(metrics),
                    static_cast<int>(std::lround(2.0 * metrics.PixelsPerInch())));
}

void TTableColumn::ReadData(TGridValueReader& reader)
{
    m_templates.Clear();
    const std::string marker = reader.ReadString();
    if (marker == kTableMarker) {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            m_templates.AddIdentifier(reader.ReadInteger());
        }
        reader.ReadListEnd();
        return;
    }
    // The older layout: one table position for every item, or identifiers 1, 2, 3, ...
    const int position = reader.ReadInteger();
    TGridTable* table = Table();
    const TEnumColumn* first = nullptr;
    if (table != nullptr && table->ColumnCount() > 0) {
        first = dynamic_cast<const TEnumColumn*>(&table->Columns(0));
    }
    if (first == nullptr) {
        m_templates.AddIndex(position);
        return;
    }
    const int items = static_cast<int>(first->Items().size());
    for (int k = 1; k <= items; ++k) {
        if (table->HardwiredButton()) {
            m_templates.AddIndex(position);
        } else {
            m_templates.AddIdentifier(k);
        }
    }
}

void TTableColumn::WriteTypeData(TGridValueWriter& writer) const
{
    writer.WriteString(kTableMarker);
    writer.WriteListBegin();
    for (int i = 0; i < m_templates.Count(); ++i) {
        writer.WriteInteger(TemplateIdentifier(i));
    }
    writer.WriteListEnd();
}

int TTableColumn::TemplateIdentifier(int i) const
{
    if (Table() == nullptr) {
        const TGridTableList::TIntWrapper& entry = m_templates.Entry(i);
        return entry.isIdentifier ? entry.value : -1;
    }
    return m_templates.IdentifierOf(Table()->Registry(), i);
}

TGridTable* TTableColumn::TemplateTable(int i) const
{
    return Table() != nullptr ? m_templates.Tables(Table()->Registry(), i) : nullptr;
}

void TTableColumn::CopyFieldsTo(TColumn& target) const
{
    // By identifier: positions in the list of living tables shift when tables are freed.
    auto& t = static_cast<TTableColumn&>(target);
    t.m_templates.Clear();
    for (int i = 0; i < m_templates.Count(); ++i) {
        t.m_templates.AddIdentifier(TemplateIdentifier(i));
    }
}
