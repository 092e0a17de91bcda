#pragma once

#include <memory>
#include <string>

#include <QDialog>
#include <QPointer>
#include <QRect>

#include "grid/GridEditorSeams.h"
#include "grid/TableFrameFit.h"
#include "seams/TEditHost.h"

class QLabel;
class QMdiArea;
class QPushButton;
class QTimer;
class TGridTable;
class TGridTableView;
class TGridTableViewModel;
class TTableEditorHandle;

// The window in which the user edits a grid table: a grid with the column headings as fixed
// rows and the row-group numbers as the fixed first column, buttons to add, insert and delete
// row groups, the table's comments and its help picture. Enumeration cells are edited through
// drop-down lists and table cells through buttons that open the sub-table's own editor. Every
// cell is written back into its column when the user leaves it; a refused entry shows the
// column's message and keeps the user in the cell. The window shows whole rows and columns.
//
// The table owns the window through a handle (TGridTableEditor); a registry given
// TableFormEditorFactory makes its tables' Show and ShowModal open it.
class TTableForm : public QDialog, public TGridControlParent, public TEditHost
{
    Q_OBJECT

public:
    // A window without FormParent that is not modal becomes a child of `frame` when one is
    // given; else it is an ordinary window.
    static std::unique_ptr<TGridTableEditor>
    CreateEditor(TGridTable& table, bool modal, QMdiArea* frame);
    ~TTableForm() override;

    TGridTable* Table() const { return m_table; }
    static int Gap();

    // The grid as the user sees it. Grid coordinates count the fixed column and rows: column
    // 0 holds the row-group numbers (the top-left cell the TopLeft text), rows below the
    // table's FixedRowCount the heading lines.
    TGridTableView* Grid() const { return m_view; }
    TGridTableViewModel* GridModel() const { return m_model; }
    std::string GridCellText(int gridColumn, int gridRow) const;
    int GridColumnCount() const; // visible columns + 1
    int GridRowCount() const;    // fixed rows + rows
    int ShownRowCount() const { return m_shownRows; }
    int ShownColumnCount() const { return m_shownColumns; }
    // Current data cell: visible column and row, -1 when none.
    int CurrentColumn() const;
    int CurrentRow() const;
    // Moves the current cell as a click would; false when the move was refused.
    bool SelectCell(int visibleColumn, int row);
    // The widget of the cell control over (table column, row), when one is placed there.
    QWidget* CellControl(int tableColumn, int row) const;

    // Snaps a frame the user proposes by dragging `edges` to whole rows and columns and
    // returns the corrected frame (client geometry); the window takes the new size.
    QRect WMSizing(Qt::Edges edges, const QRect& proposed);

    // The size the window laid itself out to, so that a frame around it takes that size.
    QSize sizeHint() const override { return size(); }

    // TEditHost: commits the cell being edited; a refused entry keeps the window shown.
    bool StorePendingEdits() override;

    // TGridControlParent
    std::unique_ptr<TGridComboControl> CreateCombo() override;
    std::unique_ptr<TGridButtonControl> CreateButton() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override; // Escape closes through the close checks

private slots:
    void BtnAddClick();
    void BtnInsClick();
    void BtnDelClick();
    void GridTopLeftChanged();
    void FormResize();

private:
    friend class TTableEditorHandle;
    // The window sizes itself to at most this many rows; the user may drag it larger.
    static constexpr int kMaxAutoRows = 10;
    enum class TRowEdit
    {
        Add,
        Insert,
        Delete
    };

    TTableForm(TGridTable& table, bool modal, QWidget* parent);

    // Handle side.
    void ShowWindow();
    void RunModal();
    void TableGone();
    void Dispose(); // the table freed its handle: detach and go
    void HelpPictureChanged();
    void SelectGridCell(int gridColumn, int gridRow);

    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDeactivate();
    void GridExit(QWidget* now);
    bool GridSelectCell(int fromColumn, int fromRow, int toColumn, int toRow);
    void GridKeyPress();
    void ShowCell(int column, int row);
    void TableStructureChanged();
    void ControlEdited();

    bool CommitCell();
    // A cell's name in the messages of a refused entry.
    std::string CellName(int visibleColumn, int row) const;
    void Refresh();
    void LayOut();
    void PlaceWidgets(); // the grid, buttons, comments and picture, and the window's size
    void PlaceControls();
    void RestoreCurrent(int column, int row);
    void ReopenEditorLater();
    bool CommitBeforeRowEdit();
    // Add, Insert and Delete: the entry in the current cell first, then the rows, then the
    // window refreshed with the current cell where it was.
    void EditRows(TRowEdit edit);
    // An added or inserted group shows when all rows showed, up to the automatic limit.
    void GrowShownRows();
    int CurrentDataRowForRowEdit() const;

    // Geometry shared by the layout and the sizing.
    int RowHeight() const;
    int HeaderHeight() const;
    int FixedColumnWidth() const;
    int ScrollBarWidth() const;
    int ScrollBarHeight() const;
    int LowerPartsHeight() const;
    int MinimumClientWidth() const;
    // The client width at which the frame's title bar shows the whole caption.
    int CaptionClientWidth() const;
    int FirstShownColumn() const;
    int FirstShownRow() const;
    TTableFrameMetrics FrameMetrics() const;

    TGridTable* m_table;
    TTableEditorHandle* m_handle = nullptr;
    bool m_modal = false;
    // Re-entrancy: set while the window runs modally, lays itself out, takes an entry, or
    // changes rows (the table's structure notification and the grid's scrolling wait).
    bool m_modalRunning = false;
    int m_fixedRows = 0;
    int m_shownColumns = 0;
    int m_shownRows = 0;
    bool m_inLayout = false;
    bool m_inCommit = false;
    bool m_suspendStructure = false;
    bool m_suspendScroll = false;
    bool m_closing = false;
    QRect m_lastGeometry;
    TGridTableView* m_view = nullptr;
    TGridTableViewModel* m_model = nullptr;
    QLabel* m_topLeft = nullptr;
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnIns = nullptr;
    QPushButton* m_btnDel = nullptr;
    QLabel* m_lblComments = nullptr;
    QLabel* m_imgHelp = nullptr;
    QTimer* m_sizingTimer = nullptr;
    QMetaObject::Connection m_focusConnection;
};

// The window of a table's open editor, or nullptr.
TTableForm* TableFormOf(const TGridTable& table);

// The factory that opens a table's editor in a TTableForm, for a registry's tables. Modeless
// windows without FormParent become children of `frame` while it exists.
TGridEditorFactory TableFormEditorFactory(QMdiArea* frame = nullptr);
