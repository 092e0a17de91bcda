#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridEditorSeams.h"
#include "grid/GridValueStream.h"
#include "support/Exception.h"

class TColumn;
class TData;
class TGridTable;

// A cell was asked for a kind of value its column does not hold.
class EInvalidCast : public Exception
{
public:
    using Exception::Exception;
};

// What a column class is to the "Col" stream: a name and a constructor. Each column type
// has one static instance; the stream ids are registered against it.
struct TColumnClass
{
    const char* name;
    std::unique_ptr<TColumn> (*create)(TGridTable* table);
};

// Registry of column classes and their stream ids. The five built-in types are registered
// with ids 0 (enumeration) to 4 (text) on first use.
void RegisterColumnType(const TColumnClass* cls, int id);
void UnregisterColumnType(const TColumnClass* cls);
int ColumnTypeId(const TColumnClass* cls);   // -1 when not registered
const TColumnClass* ColumnClassById(int id); // nullptr when unknown

// Base of the column types: header lines, one TData cell per row, the visible and
// group-value flags. Values are read and written per row through the virtual operations;
// the kinds a column does not hold raise EInvalidCast "Data of wrong type".
class TColumn
{
public:
    explicit TColumn(TGridTable* table);
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    virtual const TColumnClass& ClassType() const = 0;

    // Builds a column of the class registered under `id` from the stream (the base part,
    // then the type part). An unknown id raises "Error Column Class not defined".
    static std::unique_ptr<TColumn>
    CreateFromReader(int id, TGridTable* table, TGridValueReader& reader);

    virtual void InsertRows(int at, int count);
    virtual void DeleteRow(int row);
    virtual int HeaderLineCount() const;
    virtual std::string GetHeaderLine(int i) const;

    virtual TGridTable* GetTable(int row) const;
    virtual long double GetFloat(int row) const;
    virtual void SetFloat(int row, long double value);
    virtual std::int32_t GetInteger(int row) const;
    virtual void SetInteger(int row, std::int32_t value);
    virtual TGridRowObject* GetObject(int row) const;
    virtual std::string GetText(int row) const;
    virtual void SetText(int row, const std::string& text);

    virtual bool GetChanged() const { return false; }
    virtual void ResetChanged() {}
    virtual void SetUnits(int units);
    // The name of the first value that would not be a number a project file can hold once
    // converted to `units` (entry/StoredNumberLimits.h), or empty; nothing is converted.
    virtual std::string UnitsProblem(int units) const;

    std::vector<std::string>& Header() { return m_header; }
    const std::vector<std::string>& Header() const { return m_header; }

    // Cell controls (combo boxes, row buttons) while an editor window is open.
    virtual bool UsesControls() const { return false; }
    virtual bool HasControls() const { return false; }
    virtual int ControlCount() const { return 0; }
    virtual TGridCellControl* Control(int i) const;
    virtual void CreateControls(TGridControlParent* parent, int topRow, int count);
    virtual void DestroyControls() {}
    virtual void HideControls() {}

    // Smallest display width in pixels: the widest header line with two blanks appended.
    virtual int HeaderWidth(const TGridTextMetrics& metrics) const;

    virtual void WriteData(TGridValueWriter& writer) const; // base part, then the type part
    virtual std::unique_ptr<TColumn> Clone(TGridTable* table) const;

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool GroupValue() const { return m_groupValue; }
    void SetGroupValue(bool groupValue) { m_groupValue = groupValue; }

    TGridTable* Table() const { return m_table; }
    void SetTable(TGridTable* table) { m_table = table; }
    int RowCount() const { return static_cast<int>(m_cells.size()); }
    TData& Cell(int row) const;
    int IndexOfCell(const TData* cell) const;

    // The owning table's RowGroup; 1 without a table.
    int GetRowGroup() const;
    // Tells the table that a row's value changed.
    void Changed(int row);

protected:
    // Reads the type part; the base part has been read already.
    virtual void ReadData(TGridValueReader& reader);
    // Writes the type part after the base part.
    virtual void WriteTypeData(TGridValueWriter& writer) const;
    // Copies the type's own fields into a fresh column of the same class.
    virtual void CopyFieldsTo(TColumn& target) const;

    // Raises "Data of wrong type".
    [[noreturn]] static void WrongType();
    // Raises when the row is not a row of this column.
    void CheckRow(int row) const;
    // The rows a write to `row` reaches: the row alone, or its whole group.
    void GroupRange(int row, int& first, int& last) const;
    int TableUnits() const;
    bool TableHasEditor() const;

private:
    void ReadBase(TGridValueReader& reader);

    std::vector<std::unique_ptr<TData>> m_cells;
    std::vector<std::string> m_header;
    bool m_groupValue = false;
    bool m_visible = true;
    TGridTable* m_table = nullptr;
};
