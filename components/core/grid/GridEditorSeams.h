#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The grid-table model lives in components_core and knows no window system. Where it needs
// the table editor window or its cell controls, it talks to the abstract classes below; the
// widgets layer implements them and gives its editor factory to the tables' registry
// (TGridTableRegistry::SetEditorFactory).

class TGridTable;

// An object held by a row of a table column: a sub-table, or an object that the owner of
// the table supplies through OnInitRow. The row owns it.
class TGridRowObject
{
public:
    virtual ~TGridRowObject() = default;
};

// One control placed over a grid cell while the editor window is open. The tag is the
// 0-based table row the control edits.
class TGridCellControl
{
public:
    virtual ~TGridCellControl() = default;
    virtual void SetTag(int tag) = 0;
    virtual int Tag() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void BringToFront() = 0;
};

// Drop-down list over an enumeration cell. The window calls OnChange when the user picks an
// item and OnEnter when the control receives the focus.
class TGridComboControl : public TGridCellControl
{
public:
    virtual void SetItems(const std::vector<std::string>& items) = 0;
    virtual void SetDropDownCount(int count) = 0;
    virtual void SetItemIndex(int index) = 0; // -1: no selection
    virtual int ItemIndex() const = 0;

    std::function<void()> OnChange;
    std::function<void()> OnEnter;
};

// Button over a table-column cell; the window calls OnClick when it is pressed.
class TGridButtonControl : public TGridCellControl
{
public:
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;

    std::function<void()> OnClick;
};

// The window that hosts cell controls (the editor window while it is open).
class TGridControlParent
{
public:
    virtual ~TGridControlParent() = default;
    virtual std::unique_ptr<TGridComboControl> CreateCombo() = 0;
    virtual std::unique_ptr<TGridButtonControl> CreateButton() = 0;
};

// Text measuring of the surface a column header is drawn on.
class TGridTextMetrics
{
public:
    virtual ~TGridTextMetrics() = default;
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int PixelsPerInch() const = 0;
};

// The editor window of one table. The table owns it from creation until CloseEditor, which
// detaches it, frees it (its destructor must not call back into the table) and closes the
// sub-table editors. A window that the user closes calls TGridTable::EditorClosing, which
// detaches it and hands its ownership back, and then frees itself. While open, the window
// calls TGridTable::SetShownRows and AttachEditor(itself as control parent, its cell-changed
// and structure-changed handlers) so that the enumeration and table columns make their cell
// controls; it sets the table's changed flag on every committed entry and row edit.
class TGridTableEditor
{
public:
    virtual ~TGridTableEditor() = default;
    virtual void ShowModeless() = 0;
    virtual void ShowModal() = 0;
    virtual bool IsModal() const = 0;
    virtual void TableGone() = 0; // the table is being destroyed
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void HelpPictureChanged() = 0;
    // Selects grid cell (gridColumn, gridRow), fixed column and rows included.
    virtual void SelectGridCell(int gridColumn, int gridRow) = 0;
};

// Creates the editor of a table; `modal` tells whether it is opened by ShowModal (then a
// window without FormParent is an ordinary window, not a child of the main frame).
using TGridEditorFactory =
    std::function<std::unique_ptr<TGridTableEditor>(TGridTable& table, bool modal)>;
