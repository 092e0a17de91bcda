#pragma once

#include <vector>

class TGridTable;
class TGridTableRegistry;

// The template tables of a table column, one entry per enumeration item. An entry is either
// a table Identifier or a position in the registry's list of living tables; identifiers stay
// valid when other tables are freed, positions do not, so new entries are identifiers
// wherever the table is known. Entries are looked up in the registry of the column's table.
class TGridTableList
{
public:
    struct TIntWrapper
    {
        int value;
        bool isIdentifier;
    };

    void AddIndex(int position);
    void AddTable(const TGridTable* table); // the table's Identifier; none gives -1
    void AddIdentifier(int identifier);
    void InsertIndex(int at, int position);
    void InsertTable(int at, const TGridTable* table);
    void InsertIdentifier(int at, int identifier);
    void Delete(int i);
    void Clear() { m_entries.clear(); }
    int Count() const { return static_cast<int>(m_entries.size()); }
    const TIntWrapper& Entry(int i) const;

    // Position of entry i's table among the registry's tables, -1 when it names none.
    int TableIndex(const TGridTableRegistry& registry, int i) const;
    // Entry i's table, nullptr when it names none.
    TGridTable* Tables(const TGridTableRegistry& registry, int i) const;
    // The Identifier that entry i stands for when written: an identifier entry as stored,
    // a position entry as the Identifier of the registry's table there (-1 when none).
    int IdentifierOf(const TGridTableRegistry& registry, int i) const;

private:
    void CheckIndex(int i, bool allowEnd) const;

    std::vector<TIntWrapper> m_entries;
};
