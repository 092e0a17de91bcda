#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridEditorSeams.h"
#include "grid/GridValueStream.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TGridTableRegistry.h"
#include "support/Exception.h"

// A table of typed columns and rows, edited by the user in an editor window. All tabular
// input of the program lives in such tables. A row of a table column owns a sub-table made
// from the template that the row's value in the first (enumeration) column selects. Tables
// are known by an integer Identifier, unique among the living tables of their registry (the
// tables of one project); a table column finds its templates in its table's registry.
//
// Row counts: a table never holds fewer rows than MinRows. Asking for fewer (SetRowCount,
// DeleteRowGroup) removes the rows asked for and then appends fresh rows holding the column
// defaults up to MinRows, so SetRowCount(0) followed by SetRowCount(MinRows()) gives a table
// of default rows. MaxRows (0 = no limit) bounds AddRowGroup and InsertRowGroup.
//
// Changed flag: set by SetChanged(true) (the editor and the owner's code), never by the value
// operations themselves; GetChanged also asks the sub-tables; ResetChanged clears it here and
// in every sub-table.
class TGridTable : public TGridRowObject
{
public:
    // Events of a table column whose row object is not a sub-table (0-based row, column
    // index, the row object).
    using TButtonClickEvent = std::function<void(TGridTable&, int col, int row, TGridRowObject*)>;
    using TGetButtonCaptionEvent =
        std::function<void(TGridTable&, int col, int row, TGridRowObject*, std::string& caption)>;
    using TGetChangedEvent =
        std::function<void(TGridTable&, int col, int row, TGridRowObject*, bool& changed)>;
    using THideEvent = std::function<void(TGridTable&, int col, int row, TGridRowObject*)>;
    using TInitRowEvent = std::function<
        void(TGridTable&, int col, int row, int enumType, std::unique_ptr<TGridRowObject>& data)>;
    using TResetChangedEvent = std::function<void(TGridTable&, int col, int row, TGridRowObject*)>;
    using TSetRowEvent = std::function<void(TGridTable&, int col, TGridRowObject*, int row)>;
    using TSetUnitsEvent =
        std::function<void(TGridTable&, int col, int row, TGridRowObject*, int units)>;
    using TNotifyEvent = std::function<void(TGridTable&)>;
    using TCellChangedNotification = std::function<void(int col, int row)>;
    using TStructureChangedNotification = std::function<void()>;

    // A table owned by `owner` (a sub-table by its parent) takes the owner's Units and
    // registry; without an owner it has a registry of its own and Units 1.
    explicit TGridTable(TGridTable* owner = nullptr);
    // A top-level table among the tables of `registry`, which must outlive it.
    explicit TGridTable(TGridTableRegistry& registry);
    // A sub-table: caption, comments, top-left text, help picture, MinRows, MaxRows and
    // clones of the columns of the template, numbered `number`, with MinRows rows; in the
    // owner's registry, or without an owner in the template's shared registry.
    static std::unique_ptr<TGridTable>
    CreateFromTemplate(TGridTable* owner, int number, const TGridTable& templateTable);
    ~TGridTable() override;
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    TGridTable* Owner() const { return m_owner; }
    TGridTableRegistry& Registry() const { return *m_registry; }
    int Number() const { return m_number; }
    void SetNumber(int number);
    // " n" for each enclosing table, outermost first, whose Number is not 0.
    std::string RowPath() const;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption) { m_caption = std::move(caption); }
    const std::string& Comments() const { return m_comments; }
    void SetComments(std::string comments) { m_comments = std::move(comments); }
    const std::string& TopLeft() const { return m_topLeft; }
    void SetTopLeft(std::string text) { m_topLeft = std::move(text); }
    bool HardwiredButton() const { return m_hardwiredButton; }
    void SetHardwiredButton(bool value) { m_hardwiredButton = value; }

    int Identifier() const { return m_identifier; }
    // A negative value is ignored; a table of the registry that holds the value gets this
    // table's old one.
    void SetIdentifier(int identifier);

    int MinRows() const { return m_minRows; }
    // Values below 1 raise "Value must be greater than 0" (become 1 while loading). Rows
    // are added up to the new minimum.
    void SetMinRows(int value);
    int MaxRows() const { return m_maxRows; }
    void SetMaxRows(int value) { m_maxRows = value; }
    int RowGroup() const { return m_rowGroup; }
    void SetRowGroup(int value) { m_rowGroup = value < 1 ? 1 : value; }
    // While loading (reading a window resource), MinRows below 1 becomes 1 silently.
    void SetLoading(bool loading) { m_loading = loading; }

    int RowCount() const { return m_rowCount; }
    // Removes rows from the end or appends default rows; never below MinRows. No
    // notification.
    void SetRowCount(int count);
    void AddRowGroup();
    void InsertRowGroup(int row); // before the group that holds the row; row may be RowCount
    void DeleteRowGroup(int row); // the group that holds the row

    int Units() const { return m_units; }
    // Converts every column from the current system to `units` (clamped to 1..3).
    void SetUnits(int units);
    // The name of the first value that would not be a number a project file can hold in
    // `units` ("caption, row n, heading"), or empty; nothing is converted.
    std::string UnitsProblem(int units) const;

    bool GetChanged() const;
    void SetChanged(bool changed);
    void ResetChanged();

    // Columns.
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    TColumn& Columns(int i) const;
    int IndexOfColumn(const TColumn* column) const;
    int VisibleColumnCount() const;
    TColumn& VisibleColumns(int i) const; // raises "Index out of bounds"
    int IndexOfVisibleColumn(const TColumn* column) const;
    bool IsValidCell(int col, int row) const;
    TData& Cells(int col, int row) const;
    std::int32_t GetInteger(int col, int row) const;
    int FixedRowCount() const; // the most header lines among the visible columns
    // Attaches the column to this table and appends it; returns it.
    TColumn& AddColumn(std::unique_ptr<TColumn> column);
    template<typename T>
    T& AddColumn()
    {
        return static_cast<T&>(AddColumn(std::make_unique<T>(this)));
    }
    void ClearColumns();
    // Every table column's template list is made as long as the first column's item list.
    void SyncSubTables();

    // The stored property "Col": column definitions in the component-stream encoding.
    // ReadColumns appends the columns it reads; a failure leaves the table with the columns
    // read before it and raises.
    void ReadColumns(TGridValueReader& reader);
    void WriteColumns(TGridValueWriter& writer) const;
    std::vector<std::uint8_t> ColumnData() const;
    void SetColumnData(const std::vector<std::uint8_t>& bytes); // replaces all columns

    // Notifications from the columns.
    void CellChanged(TColumn& column, int row);
    void ItemsChanged(TColumn& column);
    void GoToCell(int col, int row);

    // Editor window (see GridEditorSeams.h).
    void Show();
    void ShowModal();
    bool HasEditor() const { return m_editor != nullptr; }
    bool EditorIsModal() const;
    TGridTableEditor* Editor() const { return m_editor.get(); }
    void CloseEditor();
    void AttachEditor(TGridControlParent* window,
                      TCellChangedNotification cellChanged,
                      TStructureChangedNotification structureChanged);
    void DetachEditor();
    // The window closes itself: detaches, clears the notifications and hands the editor back
    // to the caller, which frees it.
    std::unique_ptr<TGridTableEditor> EditorClosing();
    // The first data row the editor shows and how many; cell controls are made for them.
    void SetShownRows(int firstRow, int count);
    void StructureChanged();

    void* FormParent() const { return m_formParent; } // the widgets layer's parent control
    void SetFormParent(void* parent) { m_formParent = parent; }
    const std::vector<std::uint8_t>& HelpPicture() const { return m_helpPicture; }
    void SetHelpPicture(std::vector<std::uint8_t> picture); // image file bytes

    TButtonClickEvent OnButtonClick;
    TGetButtonCaptionEvent OnGetButtonCaption;
    TGetChangedEvent OnGetChanged;
    THideEvent OnHide;
    TInitRowEvent OnInitRow;
    TResetChangedEvent OnResetChanged;
    TSetRowEvent OnSetRow;
    TSetUnitsEvent OnSetUnits;
    TNotifyEvent OnResize;

private:
    TGridTable(TGridTable* owner, TGridTableRegistry* registry);
    void AttachColumn(TColumn& column);
    void PadToMinRows();
    void InsertIntoColumns(int at, int count);
    static void DeleteAllCells(TColumn& column);
    void CheckColumnIndex(int col) const;
    void CheckRowIndex(int row) const;
    void ShowEditor(bool modal);

    std::unique_ptr<TGridTableRegistry> m_ownRegistry; // a table on its own
    TGridTableRegistry* m_registry;
    TGridTable* m_owner;
    int m_number = 0;
    std::string m_caption;
    bool m_changed = false;
    std::string m_comments;
    bool m_hardwiredButton = false;
    int m_identifier = 0;
    int m_minRows = 1;
    int m_maxRows = 0;
    int m_rowCount = 0;
    int m_rowGroup = 1;
    std::string m_topLeft;
    int m_units = 1;
    bool m_loading = false;
    void* m_formParent = nullptr;
    TCellChangedNotification m_cellChanged;
    TStructureChangedNotification m_structureChanged;
    TGridControlParent* m_controlsParent = nullptr;
    int m_shownFirstRow = 0;
    int m_shownRowCount = 0;
    std::vector<std::uint8_t> m_helpPicture;
    std::vector<std::unique_ptr<TColumn>> m_columns;
    std::unique_ptr<TGridTableEditor> m_editor;
};

// Closes and reopens the table's editor when one is open (after code changed the table).
void RefreshTableEditor(TGridTable& table);
