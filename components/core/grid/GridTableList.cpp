#include "grid/GridTableList.h"

#include "grid/TGridTable.h"
#include "support/Exception.h"

void TGridTableList::CheckIndex(int i, bool allowEnd) const
{
    const int limit = allowEnd ? Count() : Count() - 1;
    if (i < 0 || i > limit) {
        throw Exception("Index out of bounds");
    }
}

void TGridTableList::AddIndex(int position)
{
    m_entries.push_back({position, false});
}

void TGridTableList::AddTable(const TGridTable* table)
{
    AddIdentifier(table != nullptr ? table->Identifier() : -1);
}

void TGridTableList::AddIdentifier(int identifier)
{
    m_entries.push_back({identifier, true});
}

void TGridTableList::InsertIndex(int at, int position)
{
    CheckIndex(at, true);
    m_entries.insert(m_entries.begin() + at, {position, false});
}

void TGridTableList::InsertTable(int at, const TGridTable* table)
{
    InsertIdentifier(at, table != nullptr ? table->Identifier() : -1);
}

void TGridTableList::InsertIdentifier(int at, int identifier)
{
    CheckIndex(at, true);
    m_entries.insert(m_entries.begin() + at, {identifier, true});
}

void TGridTableList::Delete(int i)
{
    CheckIndex(i, false);
    m_entries.erase(m_entries.begin() + i);
}

const TGridTableList::TIntWrapper& TGridTableList::Entry(int i) const
{
    CheckIndex(i, false);
    return m_entries[static_cast<std::size_t>(i)];
}

int TGridTableList::TableIndex(const TGridTableRegistry& registry, int i) const
{
    const TIntWrapper& entry = Entry(i);
    if (entry.isIdentifier) {
        return registry.IndexOfGridTableId(entry.value);
    }
    return registry.GridTableByIndex(entry.value) != nullptr ? entry.value : -1;
}

TGridTable* TGridTableList::Tables(const TGridTableRegistry& registry, int i) const
{
    return registry.GridTableByIndex(TableIndex(registry, i));
}

int TGridTableList::IdentifierOf(const TGridTableRegistry& registry, int i) const
{
    const TIntWrapper& entry = Entry(i);
    if (entry.isIdentifier) {
        return entry.value;
    }
    const TGridTable* table = registry.GridTableByIndex(entry.value);
    return table != nullptr ? table->Identifier() : -1;
}
