#include <algorithm>
#include <cmath>

#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"

const TColumnClass TStringColumn::Class = {"TStringColumn",
                                           [](TGridTable* table) -> std::unique_ptr<TColumn> {
                                               return std::make_unique<TStringColumn>(table);
                                           }};

TStringColumn::TStringColumn(TGridTable* table)
    : TColumn(table)
{}

void TStringColumn::InsertRows(int at, int count)
{
    TColumn::InsertRows(at, count);
    m_values.insert(m_values.begin() + at, static_cast<std::size_t>(count), m_default);
}

void TStringColumn::DeleteRow(int row)
{
    TColumn::DeleteRow(row);
    m_values.erase(m_values.begin() + row);
}

std::string TStringColumn::GetText(int row) const
{
    CheckRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TStringColumn::SetText(int row, const std::string& text)
{
    int first = 0;
    int last = 0;
    GroupRange(row, first, last);
    for (int r = first; r <= last; ++r) {
        m_values[static_cast<std::size_t>(r)] = text;
        Changed(r);
    }
}

int TStringColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    const long double width = std::isfinite(m_width) ? m_width : 0.0L;
    const long double pixels = std::clamp(width * metrics.PixelsPerInch(), 0.0L, 1e6L);
    return std::max(TColumn::HeaderWidth(metrics), static_cast<int>(std::lround(pixels)));
}

void TStringColumn::ReadData(TGridValueReader& reader)
{
    m_default = reader.ReadString();
    m_width = reader.ReadFloat();
}

void TStringColumn::WriteTypeData(TGridValueWriter& writer) const
{
    writer.WriteString(m_default);
    writer.WriteFloat(m_width);
}

void TStringColumn::CopyFieldsTo(TColumn& target) const
{
    auto& t = static_cast<TStringColumn&>(target);
    t.m_default = m_default;
    t.m_width = m_width;
}
