#include "grid/TData.h"

#include "grid/TColumn.h"

int TData::Row() const
{
    return m_column->IndexOfCell(this);
}

TGridTable* TData::GetTable() const
{
    return m_column->GetTable(Row());
}

long double TData::GetFloat() const
{
    return m_column->GetFloat(Row());
}

std::int32_t TData::GetInteger() const
{
    return m_column->GetInteger(Row());
}

std::string TData::GetText() const
{
    return m_column->GetText(Row());
}

void TData::SetFloat(long double value)
{
    m_column->SetFloat(Row(), value);
}

void TData::SetInteger(std::int32_t value)
{
    m_column->SetInteger(Row(), value);
}

void TData::SetText(const std::string& text)
{
    m_column->SetText(Row(), text);
}
