#pragma once

#include <cstdint>
#include <string>

class TColumn;
class TGridTable;

// One cell of a column. It holds only its column; its row is its position in the column's
// cell list, so it stays right when rows are inserted or deleted before it. Every
// operation passes to the column's operation of the same name.
class TData
{
public:
    explicit TData(TColumn& column)
        : m_column(&column)
    {}

    TColumn& Column() const { return *m_column; }
    int Row() const;

    TGridTable* GetTable() const;
    long double GetFloat() const;
    std::int32_t GetInteger() const;
    std::string GetText() const;
    void SetFloat(long double value);
    void SetInteger(std::int32_t value);
    void SetText(const std::string& text);

private:
    TColumn* m_column;
};
