#include <algorithm>
#include <cmath>

#include "entry/TExpression.h"
#include "entry/Units.h"
#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "support/Helpers.h"

const TColumnClass TEnumColumn::Class = {"TEnumColumn",
                                         [](TGridTable* table) -> std::unique_ptr<TColumn> {
                                             return std::make_unique<TEnumColumn>(table);
                                         }};

TEnumColumn::TEnumColumn(TGridTable* table)
    : TColumn(table)
{}

TEnumColumn::~TEnumColumn() = default;

void TEnumColumn::SetItems(std::vector<std::string> items)
{
    m_items = std::move(items);
    for (auto& combo : m_combos) {
        combo->SetItems(m_items);
    }
    if (Table() != nullptr) {
        Table()->ItemsChanged(*this);
    }
}

void TEnumColumn::InsertRows(int at, int count)
{
    TColumn::InsertRows(at, count);
    m_values.insert(m_values.begin() + at, static_cast<std::size_t>(count), 1);
}

void TEnumColumn::DeleteRow(int row)
{
    TColumn::DeleteRow(row);
    m_values.erase(m_values.begin() + row);
}

std::int32_t TEnumColumn::GetInteger(int row) const
{
    CheckRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TEnumColumn::StoreValue(int row, std::int32_t value)
{
    auto& stored = m_values[static_cast<std::size_t>(row)];
    if (stored == value) {
        return;
    }
    stored = value;
    for (auto& combo : m_combos) {
        if (combo->Tag() == row) {
            combo->SetItemIndex(value - 1);
        }
    }
    Changed(row);
}

void TEnumColumn::SetInteger(int row, std::int32_t value)
{
    int first = 0;
    int last = 0;
    GroupRange(row, first, last);
    for (int r = first; r <= last; ++r) {
        StoreValue(r, value);
    }
}

std::string TEnumColumn::GetText(int row) const
{
    return std::to_string(GetInteger(row));
}

void TEnumColumn::SetText(int row, const std::string& text)
{
    CheckRow(row);
    const long double value = EvaluateExpression(text);
    RaiseUnless<EAssignError>(IsWholeNumber(value), "Value must be an integer.");
    SetInteger(row, static_cast<std::int32_t>(RoundToInt64(value)));
}

TGridCellControl* TEnumColumn::Control(int i) const
{
    RaiseUnless<Exception>(i >= 0 && i < ControlCount(), "Index out of bounds");
    return m_combos[static_cast<std::size_t>(i)].get();
}

void TEnumColumn::CreateControls(TGridControlParent* parent, int topRow, int count)
{
    RaiseUnless<Exception>(m_combos.empty() || parent == m_parent,
                           "Error attempt to change parent with controls already allocated");
    RaiseUnless<Exception>(parent != nullptr, "null parent");
    m_parent = parent;
    count = std::max(0, count);
    while (static_cast<int>(m_combos.size()) > count) {
        m_combos.pop_back();
    }
    while (static_cast<int>(m_combos.size()) < count) {
        std::unique_ptr<TGridComboControl> combo = parent->CreateCombo();
        RaiseUnless<Exception>(combo != nullptr, "null control");
        combo->SetItems(m_items);
        combo->SetDropDownCount(11);
        TGridComboControl* raw = combo.get();
        combo->OnChange = [this, raw] {
            ComboChange(raw);
        };
        combo->OnEnter = [this, raw] {
            ComboEnter(raw);
        };
        m_combos.push_back(std::move(combo));
    }
    for (int i = 0; i < count; ++i) {
        auto& combo = m_combos[static_cast<std::size_t>(i)];
        const int row = topRow + i;
        combo->SetTag(row);
        combo->SetVisible(false);
        combo->SetItemIndex(row >= 0 && row < RowCount() ? GetInteger(row) - 1 : -1);
        combo->BringToFront();
    }
}

void TEnumColumn::DestroyControls()
{
    m_parent = nullptr;
    m_combos.clear();
}

void TEnumColumn::ComboChange(TGridComboControl* combo)
{
    const int row = combo->Tag();
    RaiseUnless<Exception>(row >= 0, "Unexpected row for combobox");
    if (row < RowCount() && combo->ItemIndex() + 1 != GetInteger(row)) {
        SetInteger(row, combo->ItemIndex() + 1);
    }
}

void TEnumColumn::ComboEnter(TGridComboControl* combo)
{
    const int row = combo->Tag();
    RaiseUnless<Exception>(row >= 0, "Unexpected row for combobox");
    // The grid shows the visible columns only: a hidden column before this one must not
    // shift the selection.
    if (Table() != nullptr && Table()->IndexOfVisibleColumn(this) >= 0) {
        Table()->GoToCell(Table()->IndexOfVisibleColumn(this), row);
    }
}

int TEnumColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    return std::max(TColumn::HeaderWidth(metrics),
                    static_cast<int>(std::lround(1.5 * metrics.PixelsPerInch())));
}

void TEnumColumn::ReadData(TGridValueReader& reader)
{
    std::vector<std::string> items;
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        items.push_back(reader.ReadString());
    }
    reader.ReadListEnd();
    m_items = std::move(items);
}

void TEnumColumn::WriteTypeData(TGridValueWriter& writer) const
{
    writer.WriteListBegin();
    for (const auto& item : m_items) {
        writer.WriteString(item);
    }
    writer.WriteListEnd();
}

void TEnumColumn::CopyFieldsTo(TColumn& target) const
{
    static_cast<TEnumColumn&>(target).m_items = m_items;
}
