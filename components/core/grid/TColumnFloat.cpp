#include <algorithm>
#include <cmath>

#include "entry/DataValue.h"
#include "entry/NumberFormat.h"
#include "entry/StoredNumberLimits.h"
#include "entry/TExpression.h"
#include "entry/Units.h"
#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "support/Helpers.h"

namespace {

// The words of a text with single blanks between them.
std::string Simplified(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += ' ';
            blank = false;
        }
        out += c;
    }
    return out;
}

// Marks the newer stream layout of a floating-point column (with its default value).
const char* const kFloatMarker = "FLOATCOLUMN2";
} // namespace

const TColumnClass TFloatColumn::Class = {"TFloatColumn",
                                          [](TGridTable* table) -> std::unique_ptr<TColumn> {
                                              return std::make_unique<TFloatColumn>(table);
                                          }};

TFloatColumn::TFloatColumn(TGridTable* table)
    : TColumn(table)
{}

void TFloatColumn::SetUnitPattern(std::string pattern)
{
    (void)UnitFactor(kUnitsEnglish, kUnitsSI, pattern);
    m_pattern = std::move(pattern);
}

bool TFloatColumn::IsLastColumn() const
{
    if (Table() == nullptr) {
        return true;
    }
    const int index = Table()->IndexOfColumn(this);
    return index < 0 || index + 1 >= Table()->ColumnCount();
}

TFloatColumn* TFloatColumn::NextFloatColumn() const
{
    if (Table() == nullptr) {
        return nullptr;
    }
    const int index = Table()->IndexOfColumn(this);
    if (index < 0 || index + 1 >= Table()->ColumnCount()) {
        return nullptr;
    }
    return dynamic_cast<TFloatColumn*>(&Table()->Columns(index + 1));
}

TFloatColumn* TFloatColumn::PreviousTopColumn() const
{
    if (Table() == nullptr) {
        return nullptr;
    }
    const int index = Table()->IndexOfColumn(this);
    if (index < 1) {
        return nullptr;
    }
    auto* previous = dynamic_cast<TFloatColumn*>(&Table()->Columns(index - 1));
    return previous != nullptr && previous->m_topDepth ? previous : nullptr;
}

void TFloatColumn::InsertRows(int at, int count)
{
    const int oldCount = RowCount();
    long double value = m_default;
    // New rows between two rows get zero thickness: top and bottom both at the surface
    // between those rows.
    const bool between = at > 0 && at < oldCount;
    if (m_topDepth && IsLastColumn()) {
        // The bottom column is not there yet (the definitions are being read or built):
        // nothing to join to.
    } else if (m_topDepth) {
        TFloatColumn* bottom = NextFloatColumn();
        RaiseUnless<Exception>(
            bottom != nullptr,
            "If column if a topdepth then the next column must be a float column");
        if (between && at - 1 < bottom->RowCount()) {
            value = bottom->m_values[static_cast<std::size_t>(at - 1)];
        }
    } else if (TFloatColumn* top = PreviousTopColumn(); top != nullptr && between) {
        // The top column has already received its new rows.
        const int after = at + count;
        if (top->RowCount() == oldCount + count && after < top->RowCount()) {
            value = top->m_values[static_cast<std::size_t>(after)];
        }
    }
    TColumn::InsertRows(at, count);
    m_values.insert(m_values.begin() + at, static_cast<std::size_t>(count), value);
}

void TFloatColumn::DeleteRow(int row)
{
    CheckRow(row);
    if (m_topDepth && row > 0 && row + 1 < RowCount()) {
        TFloatColumn* bottom = NextFloatColumn();
        if (bottom != nullptr && row - 1 < bottom->RowCount()) {
            m_values[static_cast<std::size_t>(row + 1)] =
                bottom->m_values[static_cast<std::size_t>(row - 1)];
        }
    }
    TColumn::DeleteRow(row);
    m_values.erase(m_values.begin() + row);
}

std::string TFloatColumn::GetHeaderLine(int i) const
{
    std::string line = TColumn::GetHeaderLine(i);
    if (i == HeaderLineCount() - 1 && !m_pattern.empty()) {
        line = Format("%s (%s)  ", line, RenderUnitPattern(m_pattern, TableUnits()));
    }
    return line;
}

long double TFloatColumn::GetFloat(int row) const
{
    CheckRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TFloatColumn::StoreOne(int row, long double value)
{
    m_values[static_cast<std::size_t>(row)] = value;
    Changed(row);
    if (m_topDepth) {
        TFloatColumn* bottom = NextFloatColumn();
        if (bottom != nullptr && row > 0 && row - 1 < bottom->RowCount()) {
            bottom->m_values[static_cast<std::size_t>(row - 1)] = value;
            bottom->Changed(row - 1);
        }
    } else if (TFloatColumn* top = PreviousTopColumn()) {
        if (row + 1 < top->RowCount()) {
            top->m_values[static_cast<std::size_t>(row + 1)] = value;
            top->Changed(row + 1);
        }
    }
}

void TFloatColumn::SetFloat(int row, long double value)
{
    int first = 0;
    int last = 0;
    GroupRange(row, first, last);
    for (int r = first; r <= last; ++r) {
        StoreOne(r, value);
    }
}

std::string TFloatColumn::GetText(int row) const
{
    return FormatGeneral8(GetFloat(row));
}

void TFloatColumn::SetText(int row, const std::string& text)
{
    CheckRow(row);
    const long double value = EvaluateExpression(text);
    // An entry is held only when a project file can hold it too.
    switch (CheckStoredNumber(value)) {
    case EStoredNumber::TooLarge:
        throw EAssignError(std::string(kDataMsgTooLarge));
    case EStoredNumber::TooSmall:
        throw EAssignError(std::string(kDataMsgTooSmall));
    case EStoredNumber::Held:
        break;
    }
    SetFloat(row, value);
}

void TFloatColumn::SetUnits(int units)
{
    const long double factor = UnitFactor(TableUnits(), units, m_pattern);
    if (factor == 1.0L) {
        return;
    }
    for (int row = 0; row < RowCount(); ++row) {
        m_values[static_cast<std::size_t>(row)] *= factor;
        Changed(row);
    }
}

std::string TFloatColumn::UnitsProblem(int units) const
{
    const long double factor = UnitFactor(TableUnits(), units, m_pattern);
    for (int row = 0; row < RowCount(); ++row) {
        if (CheckStoredNumber(m_values[static_cast<std::size_t>(row)] * factor)
            != EStoredNumber::Held) {
            std::string heading;
            for (int line = 0; line < HeaderLineCount(); ++line) {
                heading += TColumn::GetHeaderLine(line) + " ";
            }
            std::string name = Table() != nullptr ? Table()->Caption() : std::string();
            return (name.empty() ? name : name + ", ") + "row " + std::to_string(row + 1) + ", "
                   + Simplified(heading);
        }
    }
    return {};
}

int TFloatColumn::HeaderWidth(const TGridTextMetrics& metrics) const
{
    return std::max(TColumn::HeaderWidth(metrics),
                    static_cast<int>(std::lround(0.5 * metrics.PixelsPerInch())));
}

void TFloatColumn::ReadData(TGridValueReader& reader)
{
    m_topDepth = reader.ReadBoolean();
    const std::string marker = reader.ReadString();
    if (marker == kFloatMarker) {
        m_pattern = reader.ReadString();
        m_default = reader.ReadFloat();
        m_oldLayout = false;
    } else {
        // The older layout: TopDepth and the pattern only; the default stays 0.
        m_pattern = marker;
        m_default = 0;
        m_oldLayout = true;
    }
    // A pattern that cannot be converted is damage of the stream, found here rather than at
    // the first change of units.
    (void)UnitFactor(kUnitsEnglish, kUnitsSI, m_pattern);
}

void TFloatColumn::WriteTypeData(TGridValueWriter& writer) const
{
    writer.WriteBoolean(m_topDepth);
    writer.WriteString(kFloatMarker);
    writer.WriteString(m_pattern);
    writer.WriteFloat(m_default);
}

void TFloatColumn::CopyFieldsTo(TColumn& target) const
{
    auto& t = static_cast<TFloatColumn&>(target);
    t.m_default = m_default;
    t.m_topDepth = m_topDepth;
    t.m_pattern = m_pattern;
}
