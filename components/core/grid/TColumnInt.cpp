#include <algorithm>
#include <cmath>

#include "entry/TExpression.h"
#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "support/Helpers.h"

namespace {
// How close to a whole number an entry must be to count as one.
constexpr long double kWholeTolerance = 1e-10L;
} // namespace

const TColumnClass TIntColumn::Class = {"TIntColumn",
                                        [](TGridTable* table) -> std::unique_ptr<TColumn> {
                                            return std::make_unique<TIntColumn>(table);
                                        }};

TIntColumn::TIntColumn(TGridTable* table)
    : TColumn(table)
{}

void TIntColumn::InsertRows(int at, int count)
{
    TColumn::InsertRows(at, count);
    m_values.insert(m_values.begin() + at, static_cast<std::size_t>(count), m_default);
}

void TIntColumn::DeleteRow(int row)
{
    TColumn::DeleteRow(row);
    m_values.erase(m_values.begin() + row);
}

std::int32_t TIntColumn::GetInteger(int row) const
{
    CheckRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TIntColumn::SetInteger(int row, std::int32_t value)
{
    int first = 0;
    int last = 0;
    GroupRange(row, first, last);
    for (int r = first; r <= last; ++r) {
        m_values[static_cast<std::size_t>(r)] = value;
        Changed(r);
    }
}

std::string TIntColumn::GetText(int row) const
{
    return std::to_string(GetInteger(row));
}

void TIntColumn::RaiseRange() const
{
    throw EAssignError(Format("Entry must be between %d and %d.", m_min, m_max));
}

void TIntColumn::SetText(int row, const std::string& text)
{
    CheckRow(row);
    const long double value = EvaluateExpression(text);
    if (TableHasEditor()) {
        if (std::fabs(FracOf(value)) > kWholeTolerance) {
            throw EAssignError("Entry must be an integer.");
        }
        if (!(value >= m_min - 0.5L && value < m_max + 0.5L)) {
            RaiseRange();
        }
    }
    // A value that cannot be held in 32 bits is refused, editor or not.
    if (!std::isfinite(value) || value < INT32_MIN - 0.5L || value >= INT32_MAX + 0.5L) {
        RaiseRange();
    }
    SetInteger(row, static_cast<std::int32_t>(RoundToInt64(value)));
}

int TIntColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    return std::max(TColumn::HeaderWidth(metrics),
                    static_cast<int>(std::lround(0.5 * metrics.PixelsPerInch())));
}

void TIntColumn::ReadData(TGridValueReader& reader)
{
    m_default = reader.ReadInteger();
    m_min = reader.ReadInteger();
    m_max = reader.ReadInteger();
}

void TIntColumn::WriteTypeData(TGridValueWriter& writer) const
{
    writer.WriteInteger(m_default);
    writer.WriteInteger(m_min);
    writer.WriteInteger(m_max);
}

void TIntColumn::CopyFieldsTo(TColumn& target) const
{
    auto& t = static_cast<TIntColumn&>(target);
    t.m_default = m_default;
    t.m_min = m_min;
    t.m_max = m_max;
}
