#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridTableList.h"
#include "grid/TColumn.h"

// The five column types of a grid table. Stream ids: TEnumColumn 0, TIntColumn 1,
// TFloatColumn 2, TTableColumn 3, TStringColumn 4.

// Item numbers 1, 2, ... shown as a drop-down list of the items. New rows hold 1. The value
// is not tested against the number of items: a value without an item shows no selection.
class TEnumColumn : public TColumn
{
public:
    explicit TEnumColumn(TGridTable* table);
    ~TEnumColumn() override;
    static const TColumnClass Class;
    const TColumnClass& ClassType() const override { return Class; }

    const std::vector<std::string>& Items() const { return m_items; }
    void SetItems(std::vector<std::string> items); // tells the table (ItemsChanged)

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::int32_t GetInteger(int row) const override;
    void SetInteger(int row, std::int32_t value) override;
    std::string GetText(int row) const override;
    // The text is evaluated; the value must be a whole number in the 32-bit range, else
    // EAssignError "Value must be an integer.".
    void SetText(int row, const std::string& text) override;

    bool UsesControls() const override { return true; }
    bool HasControls() const override { return m_parent != nullptr; }
    int ControlCount() const override { return static_cast<int>(m_combos.size()); }
    TGridCellControl* Control(int i) const override;
    void CreateControls(TGridControlParent* parent, int topRow, int count) override;
    void DestroyControls() override;
    int HeaderWidth(const TGridTextMetrics& metrics) const override;

protected:
    void ReadData(TGridValueReader& reader) override;
    void WriteTypeData(TGridValueWriter& writer) const override;
    void CopyFieldsTo(TColumn& target) const override;

private:
    void StoreValue(int row, std::int32_t value);
    void ComboChange(TGridComboControl* combo);
    void ComboEnter(TGridComboControl* combo);

    std::vector<std::int32_t> m_values;
    std::vector<std::string> m_items;
    std::vector<std::unique_ptr<TGridComboControl>> m_combos;
    TGridControlParent* m_parent = nullptr;
};

// 32-bit integers with a range. Entries made while the editor is open must be whole and in
// range; values from code are only rounded.
class TIntColumn : public TColumn
{
public:
    explicit TIntColumn(TGridTable* table);
    static const TColumnClass Class;
    const TColumnClass& ClassType() const override { return Class; }

    std::int32_t Default() const { return m_default; }
    void SetDefault(std::int32_t value) { m_default = value; }
    std::int32_t Minimum() const { return m_min; }
    void SetMinimum(std::int32_t value) { m_min = value; }
    std::int32_t Maximum() const { return m_max; }
    void SetMaximum(std::int32_t value) { m_max = value; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::int32_t GetInteger(int row) const override;
    void SetInteger(int row, std::int32_t value) override;
    std::string GetText(int row) const override;
    void SetText(int row, const std::string& text) override;
    int HeaderWidth(const TGridTextMetrics& metrics) const override;

protected:
    void ReadData(TGridValueReader& reader) override;
    void WriteTypeData(TGridValueWriter& writer) const override;
    void CopyFieldsTo(TColumn& target) const override;

private:
    [[noreturn]] void RaiseRange() const;

    std::vector<std::int32_t> m_values;
    std::int32_t m_default = 0;
    std::int32_t m_min = INT32_MIN;
    std::int32_t m_max = INT32_MAX;
};

// 80-bit reals with a unit pattern; converted when the table's unit system changes. A
// TopDepth column holds the top of each row and the next column its bottom; the two stay
// joined (the top of a row is the bottom of the row before).
class TFloatColumn : public TColumn
{
public:
    explicit TFloatColumn(TGridTable* table);
    static const TColumnClass Class;
    const TColumnClass& ClassType() const override { return Class; }

    long double Default() const { return m_default; }
    void SetDefault(long double value) { m_default = value; }
    bool TopDepth() const { return m_topDepth; }
    void SetTopDepth(bool value) { m_topDepth = value; }
    const std::string& UnitPattern() const { return m_pattern; }
    // A pattern whose factor cannot be computed raises EConvertError and is not taken.
    void SetUnitPattern(std::string pattern);
    // True when this column was read in the older stream layout (no marker, no default).
    bool ReadOldLayout() const { return m_oldLayout; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::string GetHeaderLine(int i) const override;
    long double GetFloat(int row) const override;
    void SetFloat(int row, long double value) override;
    std::string GetText(int row) const override; // general format, 8 significant digits
    void SetText(int row, const std::string& text) override;
    void SetUnits(int units) override;
    std::string UnitsProblem(int units) const override;
    int HeaderWidth(const TGridTextMetrics& metrics) const override;

protected:
    void ReadData(TGridValueReader& reader) override;
    void WriteTypeData(TGridValueWriter& writer) const override;
    void CopyFieldsTo(TColumn& target) const override;

private:
    bool IsLastColumn() const;                 // or not yet in its table
    TFloatColumn* NextFloatColumn() const;     // the bottom column of a TopDepth column
    TFloatColumn* PreviousTopColumn() const;   // the TopDepth column before a bottom column
    void StoreOne(int row, long double value); // stores with the top/bottom joining

    std::vector<long double> m_values;
    long double m_default = 0;
    bool m_topDepth = false;
    bool m_oldLayout = false;
    std::string m_pattern;
};

// Free text per row.
class TStringColumn : public TColumn
{
public:
    explicit TStringColumn(TGridTable* table);
    static const TColumnClass Class;
    const TColumnClass& ClassType() const override { return Class; }

    const std::string& Default() const { return m_default; }
    void SetDefault(std::string value) { m_default = std::move(value); }
    long double WidthInches() const { return m_width; }
    void SetWidthInches(long double inches) { m_width = inches; }

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    std::string GetText(int row) const override;
    void SetText(int row, const std::string& text) override;
    int HeaderWidth(const TGridTextMetrics& metrics) const override;

protected:
    void ReadData(TGridValueReader& reader) override;
    void WriteTypeData(TGridValueWriter& writer) const override;
    void CopyFieldsTo(TColumn& target) const override;

private:
    std::vector<std::string> m_values;
    std::string m_default;
    long double m_width = 1.0L;
};

// Each row owns a row object: a sub-table made from the template that the row's value in
// the table's first (enumeration) column selects, or an object from OnInitRow, or none.
class TTableColumn : public TColumn
{
public:
    explicit TTableColumn(TGridTable* table);
    ~TTableColumn() override;
    static const TColumnClass Class;
    const TColumnClass& ClassType() const override { return Class; }

    TGridTableList& Templates() { return m_templates; }
    const TGridTableList& Templates() const { return m_templates; }
    // The Identifier template entry i stands for, looked up in the table's registry (-1
    // for none).
    int TemplateIdentifier(int i) const;
    // The template table of entry i in the table's registry, nullptr for none.
    TGridTable* TemplateTable(int i) const;

    void InsertRows(int at, int count) override;
    void DeleteRow(int row) override;
    TGridTable* GetTable(int row) const override;
    TGridRowObject* GetObject(int row) const override;
    bool GetChanged() const override;
    void ResetChanged() override;
    void SetUnits(int units) override;
    std::string UnitsProblem(int units) const override;

    // Replaces the row's object by a fresh one for the row's current enumeration value.
    void InitRowTable(int row);
    // Tells rows from `from` on their 1-based numbers.
    void Renumber(int from);
    std::string ButtonCaption(int row) const;

    bool UsesControls() const override { return true; }
    bool HasControls() const override { return m_parent != nullptr; }
    int ControlCount() const override { return static_cast<int>(m_buttons.size()); }
    TGridCellControl* Control(int i) const override;
    void CreateControls(TGridControlParent* parent, int topRow, int count) override;
    void DestroyControls() override;
    void HideControls() override;
    int HeaderWidth(const TGridTextMetrics& metrics) const override;
    // What a click on the row's button does: open the sub-table's editor (modally when the
    // parent's editor is modal) or raise OnButtonClick.
    void ButtonClick(int row);

protected:
    void ReadData(TGridValueReader& reader) override;
    void WriteTypeData(TGridValueWriter& writer) const override;
    void CopyFieldsTo(TColumn& target) const override;

private:
    int EnumValue(int row) const;
    void RefreshButton(int row);

    std::vector<std::unique_ptr<TGridRowObject>> m_rows;
    TGridTableList m_templates;
    std::vector<std::unique_ptr<TGridButtonControl>> m_buttons;
    TGridControlParent* m_parent = nullptr;
};
