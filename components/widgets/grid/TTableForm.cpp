#include "grid/TTableForm.h"

#include <algorithm>
#include <exception>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "grid/GridCellControls.h"
#include "grid/GridTableView.h"
#include "grid/GridTableViewModel.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "seams/MessageSeam.h"
#include "support/Exception.h"
#include "support/Helpers.h"

namespace {

// The window sizes itself to at most this many rows; the user may drag it larger.
constexpr int kMaxAutoRows = 10;
// The user's frame is snapped once the dragging has paused this long.
constexpr int kSizingPauseMs = 150;

QPointer<QMdiArea>& Frame()
{
    static QPointer<QMdiArea> frame;
    return frame;
}

// Header widths measured with the font of the grid's headings.
class TQtTextMetrics : public TGridTextMetrics
{
public:
    explicit TQtTextMetrics(const QWidget& widget)
        : m_metrics(widget.fontMetrics())
        , m_ppi(widget.logicalDpiX())
    {}
    int TextWidth(const std::string& text) const override
    {
        return m_metrics.horizontalAdvance(QString::fromStdString(text));
    }
    int PixelsPerInch() const override { return m_ppi; }

private:
    QFontMetrics m_metrics;
    int m_ppi;
};

} // namespace

// What the table owns: a handle on the window. The window may go first (its Qt parent is
// freed) and the handle may go first (CloseEditor); each tells the other.
class TTableEditorHandle : public TGridTableEditor
{
public:
    explicit TTableEditorHandle(TTableForm* form)
        : m_form(form)
    {
        form->m_handle = this;
    }
    ~TTableEditorHandle() override
    {
        if (m_form) {
            m_form->m_handle = nullptr;
            m_form->Dispose();
        }
    }
    void ShowModeless() override
    {
        if (m_form) {
            m_form->ShowWindow();
        }
    }
    void ShowModal() override
    {
        if (m_form) {
            m_form->RunModal(); // may free this handle; nothing after it
        }
    }
    bool IsModal() const override { return m_form && m_form->m_modalRunning; }
    void TableGone() override
    {
        if (m_form) {
            m_form->TableGone();
        }
    }
    void SetCaption(const std::string& caption) override
    {
        if (m_form) {
            m_form->setWindowTitle(QString::fromStdString(caption));
        }
    }
    void HelpPictureChanged() override
    {
        if (m_form) {
            m_form->HelpPictureChanged();
        }
    }
    void SelectGridCell(int gridColumn, int gridRow) override
    {
        if (m_form) {
            m_form->SelectGridCell(gridColumn, gridRow);
        }
    }
    TTableForm* Form() const { return m_form; }
    void Forget() { m_form = nullptr; }

private:
    QPointer<TTableForm> m_form;
};

std::unique_ptr<TGridTableEditor>
TTableForm::CreateEditor(TGridTable& table, bool modal, QMdiArea* frame)
{
    auto* parent = static_cast<QWidget*>(table.FormParent());
    auto* form = new TTableForm(table, modal, parent);
    if (parent != nullptr) {
        // Shown inside the owner's control, without a frame.
        form->setWindowFlags(Qt::Widget | Qt::FramelessWindowHint);
        form->move(0, 0);
    } else if (!modal && frame != nullptr) {
        frame->addSubWindow(form);
    }
    return std::make_unique<TTableEditorHandle>(form);
}

TTableForm* TableFormOf(const TGridTable& table)
{
    auto* handle = dynamic_cast<TTableEditorHandle*>(table.Editor());
    return handle != nullptr ? handle->Form() : nullptr;
}

void InstallTableFormEditor(QMdiArea* frame)
{
    Frame() = frame;
    SetGridEditorFactory([](TGridTable& table, bool modal) {
        return TTableForm::CreateEditor(table, modal, Frame());
    });
}

int TTableForm::Gap()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int ppi = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
    return ppi / 20;
}

TTableForm::TTableForm(TGridTable& table, bool modal, QWidget* parent)
    : QDialog(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_table(&table)
    , m_modal(modal)
{
    setObjectName("TableForm");
    setSizeGripEnabled(false);

    m_view = new TGridTableView(this);
    m_view->setObjectName("Grid");
    m_model = new TGridTableViewModel(m_view);
    m_view->setModel(m_model);
    auto* selection = new TGridSelectionModel(m_model, m_view);
    m_view->setSelectionModel(selection);
    selection->SetCanMove([this](const QModelIndex& from, const QModelIndex& to) {
        return GridSelectCell(from.column(), from.row(), to.column(), to.row());
    });
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::AllEditTriggers); // the editor is always shown
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setCornerButtonEnabled(false);
    m_view->setWordWrap(false);
    QHeaderView* columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionsClickable(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setMinimumSectionSize(1);
    QHeaderView* rows = m_view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setSectionsClickable(false);
    rows->setDefaultAlignment(Qt::AlignCenter);
    m_view->OnEnter = [this] {
        GridKeyPress();
    };

    // Cell controls sit in the rows; the rows are as high as the controls.
    {
        QComboBox probeCombo;
        QPushButton probeButton;
        const int height = std::max({m_view->fontMetrics().height() + 6,
                                     probeCombo.sizeHint().height(),
                                     probeButton.sizeHint().height()});
        rows->setMinimumSectionSize(1);
        rows->setDefaultSectionSize(height);
    }

    m_topLeft = new QLabel(m_view);
    m_topLeft->setObjectName("GridTopLeft");
    m_topLeft->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_topLeft->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_btnAdd = new QPushButton(tr("&Add Row"), this);
    m_btnAdd->setObjectName("BtnAdd");
    m_btnIns = new QPushButton(tr("&Insert Row"), this);
    m_btnIns->setObjectName("BtnIns");
    m_btnDel = new QPushButton(tr("&Delete Row"), this);
    m_btnDel->setObjectName("BtnDel");
    for (QPushButton* button : {m_btnAdd, m_btnIns, m_btnDel}) {
        button->setAutoDefault(false); // Enter belongs to the grid
        button->resize(button->sizeHint());
    }
    m_lblComments = new QLabel(this);
    m_lblComments->setObjectName("lblComments");
    m_imgHelp = new QLabel(this);
    m_imgHelp->setObjectName("imgHelp");

    m_sizingTimer = new QTimer(this);
    m_sizingTimer->setSingleShot(true);
    m_sizingTimer->setInterval(kSizingPauseMs);

    // Handlers, connected in one place.
    connect(m_btnAdd, &QPushButton::clicked, this, &TTableForm::BtnAddClick);
    connect(m_btnIns, &QPushButton::clicked, this, &TTableForm::BtnInsClick);
    connect(m_btnDel, &QPushButton::clicked, this, &TTableForm::BtnDelClick);
    connect(m_view->verticalScrollBar(),
            &QScrollBar::valueChanged,
            this,
            &TTableForm::GridTopLeftChanged);
    connect(m_view->horizontalScrollBar(),
            &QScrollBar::valueChanged,
            this,
            &TTableForm::GridTopLeftChanged);
    connect(m_sizingTimer, &QTimer::timeout, this, &TTableForm::FormResize);
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (old != nullptr && (old == m_view || m_view->isAncestorOf(old))) {
                GridExit(now);
            }
        });

    m_model->SetTable(m_table);
}

TTableForm::~TTableForm()
{
    // The focus moves while the children go; nothing may reach this half-destroyed window.
    disconnect(m_focusConnection);
    static_cast<TGridSelectionModel*>(m_view->selectionModel())->SetCanMove(nullptr);
    m_view->OnEnter = nullptr;
    // Freed by its Qt parent while the table still holds it: hand the table its handle back.
    if (m_handle != nullptr) {
        m_handle->Forget();
        m_handle = nullptr;
        if (m_table != nullptr) {
            m_table->EditorClosing().reset();
        }
    }
}

// ---- the table's side -----------------------------------------------------------------------

void TTableForm::ShowWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->showNormal();
        sub->raise();
    } else {
        show();
        raise();
    }
    activateWindow();
}

void TTableForm::RunModal()
{
    if (m_modalRunning) {
        return;
    }
    m_modalRunning = true;
    const QPointer<TTableForm> self(this);
    setWindowModality(Qt::ApplicationModal);
    exec();
    if (self) {
        m_modalRunning = false;
    }
}

void TTableForm::TableGone()
{
    m_table = nullptr;
    m_model->SetTable(nullptr);
}

void TTableForm::Dispose()
{
    // The table has detached its controls and dropped its handle.
    m_table = nullptr;
    m_closing = true;
    m_sizingTimer->stop();
    m_model->SetTable(nullptr);
    if (m_modalRunning) {
        done(QDialog::Rejected);
    }
    hide();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->hide();
        sub->deleteLater(); // takes the window with it
    } else {
        deleteLater();
    }
}

void TTableForm::HelpPictureChanged()
{
    if (m_table == nullptr) {
        return;
    }
    const auto& bytes = m_table->HelpPicture();
    QPixmap picture;
    if (!bytes.empty()
        && picture.loadFromData(bytes.data(), static_cast<unsigned int>(bytes.size()))) {
        m_imgHelp->setPixmap(picture);
        m_imgHelp->resize(picture.size());
        m_imgHelp->show();
    } else {
        m_imgHelp->clear();
        m_imgHelp->resize(0, 0);
        m_imgHelp->hide();
    }
    if (isVisible()) {
        LayOut();
    }
}

void TTableForm::SelectGridCell(int gridColumn, int gridRow)
{
    const int row = gridRow - m_model->FixedRowCount();
    if (gridColumn < 1 || row < 0) {
        return;
    }
    // A control asks for its cell when it gets the focus: the entry in the current cell is
    // taken first, and a refused one calls the user back into the grid. The control's own
    // cell is not selectable, so the control keeps the focus otherwise.
    if (!CommitCell()) {
        m_view->setFocus();
        ReopenEditorLater();
        return;
    }
    SelectCell(gridColumn - 1, row);
}

// ---- opening, closing ------------------------------------------------------------------------

void TTableForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && m_table != nullptr) {
        RunCommand(this, [this] { FormShow(); });
    }
}

void TTableForm::FormShow()
{
    TGridTable& table = *m_table;
    table.SetRowCount(std::max(table.RowCount(), table.MinRows()));
    setWindowTitle(QString::fromStdString(table.Caption() + " " + table.RowPath()));

    const int gap = Gap();
    m_view->move(gap, gap);
    m_topLeft->setText(QString::fromStdString(table.TopLeft()));
    const int ppi = logicalDpiX();
    const int firstWidth = std::max(
        m_view->fontMetrics().horizontalAdvance(QString::fromStdString(table.TopLeft() + "  ")),
        ppi / 3);
    m_view->verticalHeader()->setFixedWidth(firstWidth);

    m_lblComments->setText(QString::fromStdString(table.Comments()));
    m_lblComments->adjustSize();
    m_lblComments->setVisible(!table.Comments().empty());
    HelpPictureChanged();

    m_shownColumns = table.VisibleColumnCount();
    m_shownRows = std::min(table.RowCount(), kMaxAutoRows);

    m_model->SetTable(m_table);
    table.SetShownRows(0, m_shownRows);
    table.AttachEditor(
        this,
        [this](int column, int row) { ShowCell(column, row); },
        [this] { TableStructureChanged(); });
    Refresh();

    // Start in the first cell that takes typing.
    if (!m_view->currentIndex().isValid()) {
        for (int v = 0; v < m_model->columnCount(); ++v) {
            if (!m_model->UsesControls(v) && m_model->rowCount() > 0) {
                RestoreCurrent(v, 0);
                break;
            }
        }
    }
    m_view->setFocus();
}

void TTableForm::reject()
{
    close();
}

void TTableForm::closeEvent(QCloseEvent* event)
{
    if (m_table != nullptr && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool TTableForm::FormCloseQuery()
{
    return CommitCell();
}

void TTableForm::FormClose()
{
    m_closing = true;
    m_sizingTimer->stop();
    if (m_table != nullptr) {
        // The table detaches the controls and hands the handle back; freeing it disposes of
        // this window (later, as it is inside its own event).
        std::unique_ptr<TGridTableEditor> handle = m_table->EditorClosing();
        m_table = nullptr;
        handle.reset();
    } else {
        Dispose();
    }
}

void TTableForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        FormDeactivate();
    }
}

void TTableForm::FormDeactivate()
{
    // A message box of our own takes the activation; that is no leaving.
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    StorePendingEdits();
}

bool TTableForm::StorePendingEdits()
{
    if (m_table == nullptr || m_closing || m_inCommit) {
        return true;
    }
    if (CommitCell()) {
        return true;
    }
    if (!m_modalRunning && m_table != nullptr) {
        ShowWindow();
    }
    return false;
}

// ---- committing --------------------------------------------------------------------------------

bool TTableForm::CommitCell()
{
    if (m_table == nullptr || m_inCommit) {
        return true;
    }
    TGridCellDelegate* delegate = m_view->Delegate();
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid()) {
        return true;
    }
    if (delegate->ActiveEditor() != nullptr && delegate->ActiveIndex() == current) {
        delegate->CommitActiveEditor();
    }
    const int visible = current.column();
    const int row = current.row();
    const int col = m_model->TableColumnIndex(visible);
    if (col < 0 || row >= m_table->RowCount() || m_model->UsesControls(visible)) {
        return true;
    }
    TColumn& column = m_table->Columns(col);
    const std::string text = m_model->CellText(visible, row).toStdString();
    // Only an entry the user changed is taken: the shown text of a real value has 8
    // significant digits, and taking it back would cut the stored value to them.
    if (text == column.GetText(row)) {
        return true;
    }
    m_inCommit = true;
    const bool committed = RunCommand(this, [&] {
        m_table->SetChanged(true);
        column.SetText(row, text);
    });
    m_inCommit = false;
    return committed;
}

bool TTableForm::GridSelectCell(int fromColumn, int fromRow, int toColumn, int toRow)
{
    (void)toRow;
    if (m_table == nullptr) {
        return true;
    }
    if (fromColumn >= 0 && fromRow >= 0 && !CommitCell()) {
        ReopenEditorLater();
        return false;
    }
    if (toColumn >= 0 && m_model->UsesControls(toColumn)) {
        return false; // its control edits it
    }
    m_model->RefreshTexts(); // normalised numbers, values spread over their group
    return true;
}

void TTableForm::ReopenEditorLater()
{
    QTimer::singleShot(0, this, [this] {
        if (m_table != nullptr) {
            m_view->setFocus();
            m_view->EditCurrent();
        }
    });
}

void TTableForm::GridExit(QWidget* now)
{
    // The row buttons take the entry themselves; another window is a deactivation.
    if (m_table == nullptr || m_closing || now == nullptr || !isAncestorOf(now) || now == m_btnAdd
        || now == m_btnIns || now == m_btnDel) {
        return;
    }
    if (!CommitCell() && !m_modalRunning) {
        m_view->setFocus();
    }
}

void TTableForm::GridKeyPress()
{
    if (m_table == nullptr) {
        return;
    }
    const QModelIndex current = m_view->currentIndex();
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (!current.isValid() || rows == 0 || columns == 0) {
        return;
    }
    int column = current.column();
    int row = current.row() + 1;
    if (row >= rows) {
        // Down the next column that takes typing; after the last, back to the first.
        row = 0;
        int next = column;
        for (int step = 1; step <= columns; ++step) {
            const int candidate = (column + step) % columns;
            if (!m_model->UsesControls(candidate)) {
                next = candidate;
                break;
            }
        }
        column = next;
    }
    SelectCell(column, row);
}

bool TTableForm::SelectCell(int visibleColumn, int row)
{
    const QModelIndex target = m_model->index(row, visibleColumn);
    if (!target.isValid()) {
        return false;
    }
    m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    return m_view->currentIndex() == target;
}

void TTableForm::ShowCell(int column, int row)
{
    const int visible = m_model->VisibleIndexOfColumn(column);
    if (visible >= 0) {
        m_model->RefreshCell(visible, row);
    }
}

void TTableForm::ControlEdited()
{
    if (m_table != nullptr) {
        m_table->SetChanged(true);
    }
}

void TTableForm::TableStructureChanged()
{
    if (!m_suspendStructure) {
        Refresh();
    }
}

// ---- rows ---------------------------------------------------------------------------------------

bool TTableForm::CommitBeforeRowEdit()
{
    // An entry typed into the current cell is taken before the rows move under it; a refused
    // one keeps the user in the cell and the rows as they are.
    if (!CommitCell()) {
        ReopenEditorLater();
        return false;
    }
    return true;
}

int TTableForm::CurrentDataRowForRowEdit() const
{
    const int row = CurrentRow();
    RaiseUnless<Exception>(m_table != nullptr && row >= 0 && row < m_table->RowCount(),
                           "Grid.Row not in valid range");
    return row;
}

void TTableForm::BtnAddClick()
{
    if (m_table == nullptr || !CommitBeforeRowEdit()) {
        return;
    }
    const int currentColumn = CurrentColumn();
    const int currentRow = CurrentRow();
    m_suspendStructure = true;
    m_suspendScroll = true;
    bool added = false;
    RunCommand(this, [this, &added] {
        if (m_shownRows == m_table->RowCount()) {
            m_shownRows = std::min(m_shownRows + m_table->RowGroup(), kMaxAutoRows);
        }
        m_table->AddRowGroup();
        added = true;
    });
    if (m_table == nullptr) {
        return;
    }
    m_table->SetChanged(true);
    m_suspendStructure = false;
    m_suspendScroll = false;
    Refresh();
    RestoreCurrent(currentColumn, currentRow);
    if (added) {
        // Show the new last rows at the bottom of the grid.
        const int firstRow = FirstShownRow();
        if (m_table->RowCount() > firstRow + m_shownRows) {
            m_view->verticalScrollBar()->setValue(m_table->RowCount() - m_shownRows);
        }
    }
}

void TTableForm::BtnInsClick()
{
    if (m_table == nullptr || !CommitBeforeRowEdit()) {
        return;
    }
    const int currentColumn = CurrentColumn();
    const int currentRow = CurrentRow();
    m_suspendStructure = true;
    m_suspendScroll = true;
    RunCommand(this, [this] {
        const int row = CurrentDataRowForRowEdit();
        if (m_shownRows == m_table->RowCount()) {
            m_shownRows = std::min(m_shownRows + m_table->RowGroup(), kMaxAutoRows);
        }
        m_table->InsertRowGroup(row);
    });
    if (m_table == nullptr) {
        return;
    }
    m_table->SetChanged(true);
    m_suspendStructure = false;
    m_suspendScroll = false;
    Refresh();
    RestoreCurrent(currentColumn, currentRow);
}

void TTableForm::BtnDelClick()
{
    if (m_table == nullptr || !CommitBeforeRowEdit()) {
        return;
    }
    const int currentColumn = CurrentColumn();
    const int currentRow = CurrentRow();
    m_suspendStructure = true;
    m_suspendScroll = true;
    RunCommand(this, [this] { m_table->DeleteRowGroup(CurrentDataRowForRowEdit()); });
    if (m_table == nullptr) {
        return;
    }
    m_table->SetChanged(true);
    m_suspendStructure = false;
    m_suspendScroll = false;
    Refresh();
    RestoreCurrent(currentColumn, std::min(currentRow, m_table->RowCount() - 1));
}

void TTableForm::RestoreCurrent(int column, int row)
{
    if (column < 0 || row < 0) {
        return;
    }
    const QModelIndex index = m_model->index(row, column);
    if (index.isValid()) {
        static_cast<TGridSelectionModel*>(m_view->selectionModel())->ForceCurrent(index);
    }
}

// ---- display --------------------------------------------------------------------------------------

void TTableForm::Refresh()
{
    if (m_table == nullptr) {
        return;
    }
    TGridTable& table = *m_table;
    const int currentColumn = CurrentColumn();
    const int currentRow = CurrentRow();

    m_shownColumns = std::min(m_shownColumns, table.VisibleColumnCount());
    m_shownRows = std::min(m_shownRows, table.RowCount());
    m_fixedRows = table.FixedRowCount();

    m_suspendScroll = true;
    m_model->Reload();
    const TQtTextMetrics metrics(*m_view->horizontalHeader());
    for (int v = 0; v < m_model->columnCount(); ++v) {
        m_view->horizontalHeader()->resizeSection(
            v,
            table.Columns(m_model->TableColumnIndex(v)).HeaderWidth(metrics));
    }
    m_view->horizontalHeader()->setVisible(m_fixedRows > 0);
    m_view->horizontalHeader()->setFixedHeight(HeaderHeight());
    m_suspendScroll = false;
    if (currentRow >= 0) {
        RestoreCurrent(currentColumn, std::min(currentRow, table.RowCount() - 1));
    }

    const bool rowButtons = table.MinRows() != table.MaxRows();
    m_btnAdd->setVisible(rowButtons);
    m_btnIns->setVisible(rowButtons);
    m_btnDel->setVisible(rowButtons);
    m_btnAdd->setEnabled(table.RowCount() != table.MaxRows());
    m_btnIns->setEnabled(table.RowCount() != table.MaxRows());
    m_btnDel->setEnabled(table.MinRows() < table.RowCount());
    LayOut();
}

int TTableForm::RowHeight() const
{
    return m_view->verticalHeader()->defaultSectionSize();
}

int TTableForm::HeaderHeight() const
{
    return m_fixedRows * RowHeight();
}

int TTableForm::FixedColumnWidth() const
{
    return m_view->verticalHeader()->width();
}

int TTableForm::ScrollBarWidth() const
{
    return m_view->verticalScrollBar()->sizeHint().width();
}

int TTableForm::ScrollBarHeight() const
{
    return m_view->horizontalScrollBar()->sizeHint().height();
}

int TTableForm::GridWidth(int firstColumn, int columns, bool verticalBar) const
{
    int width = 2 * m_view->frameWidth() + FixedColumnWidth();
    const QHeaderView* header = m_view->horizontalHeader();
    for (int v = firstColumn; v < firstColumn + columns && v < m_model->columnCount(); ++v) {
        width += header->sectionSize(v);
    }
    return width + (verticalBar ? ScrollBarWidth() : 0);
}

int TTableForm::GridHeight(int rows, bool horizontalBar) const
{
    return 2 * m_view->frameWidth() + HeaderHeight() + rows * RowHeight()
           + (horizontalBar ? ScrollBarHeight() : 0);
}

int TTableForm::LowerPartsHeight() const
{
    const int gap = Gap();
    int height = 0;
    if (m_btnAdd->isVisibleTo(this)) {
        height += gap + m_btnAdd->height();
    }
    if (m_lblComments->isVisibleTo(this)) {
        height += gap + m_lblComments->height();
    }
    if (m_imgHelp->height() > 0 && m_imgHelp->isVisibleTo(this)) {
        height += gap + m_imgHelp->height();
    }
    return height;
}

int TTableForm::MinimumClientWidth() const
{
    // The row buttons, and also the comments and the help picture, stay whole.
    int width = 0;
    if (m_btnAdd->isVisibleTo(this)) {
        width = std::max(width, m_btnDel->geometry().right() + 1 - m_btnAdd->x());
    }
    if (m_lblComments->isVisibleTo(this)) {
        width = std::max(width, m_lblComments->width());
    }
    if (m_imgHelp->isVisibleTo(this)) {
        width = std::max(width, m_imgHelp->width());
    }
    return width + 2 * Gap();
}

int TTableForm::FirstShownColumn() const
{
    return std::max(0, m_view->horizontalScrollBar()->value());
}

int TTableForm::FirstShownRow() const
{
    if (m_table == nullptr) {
        return 0;
    }
    const int last = std::max(0, m_table->RowCount() - m_shownRows);
    return std::clamp(m_view->verticalScrollBar()->value(), 0, last);
}

void TTableForm::LayOut()
{
    if (m_table == nullptr || m_inLayout) {
        return;
    }
    m_inLayout = true;
    const int gap = Gap();
    const int rowCount = m_table->RowCount();
    const int columnCount = m_model->columnCount();
    const bool verticalBar = m_shownRows < rowCount;
    const bool horizontalBar = m_shownColumns < columnCount;
    m_view->setVerticalScrollBarPolicy(verticalBar ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(horizontalBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);

    const int gridWidth = GridWidth(FirstShownColumn(), m_shownColumns, verticalBar);
    const int gridHeight = GridHeight(m_shownRows, horizontalBar);
    m_view->setGeometry(gap, gap, gridWidth, gridHeight);
    m_topLeft->setGeometry(m_view->frameWidth(),
                           m_view->frameWidth(),
                           FixedColumnWidth(),
                           std::max(HeaderHeight(), 0));
    m_topLeft->raise();

    const int buttonsTop = m_view->geometry().bottom() + 1 + gap;
    m_btnAdd->move(gap, buttonsTop);
    m_btnIns->move(m_btnAdd->geometry().right() + 1 + gap, buttonsTop);
    m_btnDel->move(m_btnIns->geometry().right() + 1 + gap, buttonsTop);
    const int buttonsPart = m_btnAdd->isVisibleTo(this) ? gap + m_btnAdd->height() : 0;
    m_lblComments->move(gap, buttonsTop + buttonsPart);
    const int commentsPart = m_lblComments->isVisibleTo(this) ? gap + m_lblComments->height() : 0;
    m_imgHelp->move(gap, m_lblComments->y() + commentsPart);
    const int picturePart =
        m_imgHelp->isVisibleTo(this) && m_imgHelp->height() > 0 ? gap + m_imgHelp->height() : 0;

    int clientWidth = m_view->geometry().right() + 1 + gap;
    if (m_btnAdd->isVisibleTo(this)) {
        clientWidth = std::max(clientWidth, m_btnDel->geometry().right() + 1 + gap);
    }
    clientWidth = std::max(clientWidth, MinimumClientWidth());
    const int clientHeight = m_imgHelp->y() + picturePart;
    resize(clientWidth, clientHeight);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->adjustSize();
    }
    m_lastGeometry = geometry();

    PlaceControls();
    m_inLayout = false;
    if (m_table != nullptr && m_table->OnResize) {
        RunCommand(this, [this] { m_table->OnResize(*m_table); });
    }
}

void TTableForm::PlaceControls()
{
    if (m_table == nullptr || m_shownRows < 1) {
        return;
    }
    const int firstRow = FirstShownRow();
    m_table->SetShownRows(firstRow, m_shownRows);
    const int firstColumn = FirstShownColumn();
    const QRect viewport = m_view->viewport()->rect();
    for (int v = 0; v < m_model->columnCount(); ++v) {
        if (!m_model->UsesControls(v)) {
            continue;
        }
        TColumn& column = m_table->Columns(m_model->TableColumnIndex(v));
        RunCommand(this, [&] { column.CreateControls(this, firstRow, m_shownRows); });
        const bool columnShown = v >= firstColumn && v < firstColumn + m_shownColumns;
        for (int i = 0; i < column.ControlCount(); ++i) {
            TGridCellControl* control = column.Control(i);
            QWidget* widget = GridCellWidget(control);
            if (widget == nullptr) {
                continue;
            }
            const QRect cell = m_view->visualRect(m_model->index(control->Tag(), v));
            if (!columnShown || !cell.isValid() || !viewport.intersects(cell)) {
                control->SetVisible(false);
                continue;
            }
            widget->setGeometry(cell);
            control->SetVisible(true);
        }
    }
}

void TTableForm::GridTopLeftChanged()
{
    if (!m_suspendScroll && !m_inLayout) {
        LayOut();
    }
}

std::unique_ptr<TGridComboControl> TTableForm::CreateCombo()
{
    return std::make_unique<TGridCellCombo>(m_view->viewport(), [this] { ControlEdited(); });
}

std::unique_ptr<TGridButtonControl> TTableForm::CreateButton()
{
    return std::make_unique<TGridCellButton>(m_view->viewport(), nullptr);
}

// ---- grid cells as the user sees them --------------------------------------------------------------

int TTableForm::GridColumnCount() const
{
    return m_model->columnCount() + 1;
}

int TTableForm::GridRowCount() const
{
    return m_model->FixedRowCount() + m_model->rowCount();
}

std::string TTableForm::GridCellText(int gridColumn, int gridRow) const
{
    const int fixed = m_model->FixedRowCount();
    if (gridColumn < 0 || gridRow < 0 || gridColumn >= GridColumnCount()
        || gridRow >= GridRowCount()) {
        return {};
    }
    if (gridRow < fixed) {
        if (gridColumn == 0) {
            return gridRow == 0 ? m_topLeft->text().toStdString() : std::string();
        }
        return m_model->HeaderLine(gridColumn - 1, gridRow).toStdString();
    }
    const int row = gridRow - fixed;
    if (gridColumn == 0) {
        return m_model->GroupNumber(row).toStdString();
    }
    return m_model->CellText(gridColumn - 1, row).toStdString();
}

int TTableForm::CurrentColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() : -1;
}

int TTableForm::CurrentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QWidget* TTableForm::CellControl(int tableColumn, int row) const
{
    if (m_table == nullptr || tableColumn < 0 || tableColumn >= m_table->ColumnCount()) {
        return nullptr;
    }
    const TColumn& column = m_table->Columns(tableColumn);
    for (int i = 0; i < column.ControlCount(); ++i) {
        TGridCellControl* control = column.Control(i);
        if (control->Tag() == row) {
            return GridCellWidget(control);
        }
    }
    return nullptr;
}

// ---- sizing by the user ------------------------------------------------------------------------

void TTableForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Only a frame the user dragged is snapped; our own layout sets the size it wants.
    if (event->spontaneous() && !m_inLayout && m_table != nullptr && isWindow()
        && size() != m_lastGeometry.size()) {
        m_sizingTimer->start();
    }
}

void TTableForm::FormResize()
{
    if (m_table == nullptr || !isVisible()) {
        return;
    }
    // Qt tells only the new frame, not the dragged edge: it is read from what moved.
    const QRect proposed = geometry();
    Qt::Edges edges;
    if (proposed.width() != m_lastGeometry.width()) {
        edges |= proposed.left() != m_lastGeometry.left() ? Qt::LeftEdge : Qt::RightEdge;
    }
    if (proposed.height() != m_lastGeometry.height()) {
        edges |= proposed.top() != m_lastGeometry.top() ? Qt::TopEdge : Qt::BottomEdge;
    }
    if (edges == Qt::Edges()) {
        return;
    }
    QRect corrected;
    RunCommand(this, [&] { corrected = WMSizing(edges, proposed); });
    if (corrected.isValid() && corrected != geometry()) {
        setGeometry(corrected);
        m_lastGeometry = geometry();
    }
}

TTableForm::TLayoutCandidate TTableForm::FitLayout(bool verticalBar,
                                                   bool horizontalBar,
                                                   Qt::Edges edges,
                                                   const QSize& proposed) const
{
    TLayoutCandidate c;
    const int gap = Gap();
    const int columns = m_model->columnCount();
    const int rows = m_table->RowCount();
    const QHeaderView* header = m_view->horizontalHeader();
    const int minimumWidth = MinimumClientWidth();

    // Width.
    const int baseWidth = 2 * gap + GridWidth(0, 0, verticalBar);
    if (!horizontalBar) {
        c.firstColumn = 0;
        c.columns = columns;
        c.width = std::max(baseWidth + GridWidth(0, columns, false) - GridWidth(0, 0, false),
                           minimumWidth);
    } else if (!(edges & (Qt::LeftEdge | Qt::RightEdge))) {
        c.firstColumn = FirstShownColumn();
        c.columns = m_shownColumns;
        c.width = std::max(baseWidth + GridWidth(c.firstColumn, c.columns, false)
                               - GridWidth(0, 0, false),
                           minimumWidth);
    } else {
        const int limit = std::max(proposed.width(), minimumWidth);
        int first = std::min(FirstShownColumn(), std::max(0, columns - 1));
        int width = baseWidth;
        int taken = 0;
        while (first + taken < columns
               && (taken == 0 || width + header->sectionSize(first + taken) <= limit)) {
            width += header->sectionSize(first + taken);
            ++taken;
        }
        while (first > 0 && width + header->sectionSize(first - 1) <= limit) {
            --first;
            width += header->sectionSize(first);
            ++taken;
        }
        c.firstColumn = first;
        c.columns = taken;
        c.width = std::max(width, minimumWidth);
    }

    // Height.
    const int baseHeight = 2 * gap + LowerPartsHeight() + GridHeight(0, horizontalBar);
    if (!verticalBar) {
        c.firstRow = 0;
        c.rows = rows;
    } else if (!(edges & (Qt::TopEdge | Qt::BottomEdge))) {
        c.firstRow = FirstShownRow();
        c.rows = m_shownRows;
    } else {
        int count = std::min(1, rows);
        while (count < rows && baseHeight + (count + 1) * RowHeight() <= proposed.height()) {
            ++count;
        }
        c.rows = count;
        c.firstRow = std::min(FirstShownRow(), std::max(0, rows - count));
    }
    c.height = baseHeight + c.rows * RowHeight();
    return c;
}

long long TTableForm::OverflowArea(const TLayoutCandidate& candidate, const QSize& proposed)
{
    const long long w = candidate.width;
    const long long h = candidate.height;
    const long long pw = proposed.width();
    const long long ph = proposed.height();
    if (w > pw && h > ph) {
        return w * h - pw * ph;
    }
    if (w > pw) {
        return (w - pw) * h;
    }
    if (h > ph) {
        return (h - ph) * pw;
    }
    return 0;
}

QRect TTableForm::WMSizing(Qt::Edges edges, const QRect& proposed)
{
    if (m_table == nullptr) {
        return proposed;
    }
    RaiseUnless<Exception>(GridColumnCount() >= 2, "There must be at least 2 columns in grid");
    // No scroll bar, vertical only, horizontal only, both: the least overflow wins, ties
    // going to the earlier.
    const bool bars[4][2] = {{false, false}, {true, false}, {false, true}, {true, true}};
    TLayoutCandidate best;
    long long bestOverflow = -1;
    for (const auto& bar : bars) {
        const TLayoutCandidate c = FitLayout(bar[0], bar[1], edges, proposed.size());
        const long long overflow = OverflowArea(c, proposed.size());
        if (bestOverflow < 0 || overflow < bestOverflow) {
            best = c;
            bestOverflow = overflow;
        }
    }
    m_shownColumns = std::max(1, best.columns);
    m_shownRows = std::max(std::min(1, m_table->RowCount()), best.rows);
    LayOut(); // the grid takes its new size, so that the scroll ranges are right
    m_suspendScroll = true;
    m_view->horizontalScrollBar()->setValue(best.firstColumn);
    m_view->verticalScrollBar()->setValue(best.firstRow);
    m_suspendScroll = false;
    LayOut();

    // The dragged edges move; the others stay.
    QRect corrected = proposed;
    const QSize size = this->size();
    if (edges & Qt::TopEdge) {
        corrected.setTop(proposed.bottom() + 1 - size.height());
    } else {
        corrected.setHeight(size.height());
    }
    if (edges & Qt::LeftEdge) {
        corrected.setLeft(proposed.right() + 1 - size.width());
    } else {
        corrected.setWidth(size.width());
    }
    return corrected;
}
