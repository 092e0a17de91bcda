#pragma once

#include <vector>

#include "grid/GridEditorSeams.h"

class TGridTable;

// The living tables of one set, in creation order, and the counter of their automatic
// identifiers: the tables of one project with their sub-tables, or one table on its own.
// Identifiers are unique within a registry and template identifiers are looked up in it, so
// any number of sets can be alive at once without taking each other's identifiers or
// templates. A registry must outlive its tables. It also holds the factory that makes the
// editor windows of its tables, so every set (a project's, a test's) has its own.
class TGridTableRegistry
{
public:
    TGridTableRegistry() = default;
    ~TGridTableRegistry() = default;
    TGridTableRegistry(const TGridTableRegistry&) = delete;
    TGridTableRegistry& operator=(const TGridTableRegistry&) = delete;

    int GridTableCount() const { return static_cast<int>(m_tables.size()); }
    TGridTable* GridTableByIndex(int i) const; // nullptr outside the list
    int IndexOfGridTable(const TGridTable* table) const;
    int IndexOfGridTableId(int identifier) const; // -1 when none holds it or it is negative

    // The editor windows of this set's tables (the widgets layer makes them). Without one,
    // Show and ShowModal do nothing, which is what GUI-free programs and tests get.
    void SetEditorFactory(TGridEditorFactory factory) { m_editorFactory = std::move(factory); }
    const TGridEditorFactory& EditorFactory() const { return m_editorFactory; }

private:
    friend class TGridTable;
    // Appends the table and answers its automatic identifier.
    int Add(TGridTable* table);
    void Remove(const TGridTable* table);
    const std::vector<TGridTable*>& Tables() const { return m_tables; }

    std::vector<TGridTable*> m_tables;
    int m_nextIdentifier = 0;
    TGridEditorFactory m_editorFactory;
};
