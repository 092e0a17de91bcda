#include "grid/TGridTableRegistry.h"

#include <algorithm>

#include "grid/TGridTable.h"

TGridTable* TGridTableRegistry::GridTableByIndex(int i) const
{
    if (i < 0 || i >= GridTableCount()) {
        return nullptr;
    }
    return m_tables[static_cast<std::size_t>(i)];
}

int TGridTableRegistry::IndexOfGridTable(const TGridTable* table) const
{
    const auto it = std::find(m_tables.begin(), m_tables.end(), table);
    return it == m_tables.end() ? -1 : static_cast<int>(it - m_tables.begin());
}

int TGridTableRegistry::IndexOfGridTableId(int identifier) const
{
    if (identifier < 0) {
        return -1;
    }
    for (std::size_t i = 0; i < m_tables.size(); ++i) {
        if (m_tables[i]->Identifier() == identifier) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TGridTableRegistry::Add(TGridTable* table)
{
    m_tables.push_back(table);
    return m_nextIdentifier++;
}

void TGridTableRegistry::Remove(const TGridTable* table)
{
    std::erase(m_tables, table);
}
