#include "grid/TTableForm.h"

#include <algorithm>

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
#include "grid/TGridTable.h"
#include "seams/MessageSeam.h"
#include "support/ButtonKeys.h"

namespace {

// The user's frame is snapped once the dragging has paused this long.
constexpr int kSizingPauseMs = 150;

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
            if (m_form->isVisible()) {
                m_form->LayOut(); // as wide as the new caption needs
            }
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

TGridEditorFactory TableFormEditorFactory(QMdiArea* frame)
{
    return [frame = QPointer<QMdiArea>(frame)](TGridTable& table, bool modal) {
        return TTableForm::CreateEditor(table, modal, frame);
    };
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
    PressFocusedButtonOnReturn(*this);
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
    // Not a scoped guard: the window may be gone when exec() returns.
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

std::unique_ptr<TGridComboControl> TTableForm::CreateCombo()
{
    return std::make_unique<TGridCellCombo>(m_view->viewport(), [this] { ControlEdited(); });
}

std::unique_ptr<TGridButtonControl> TTableForm::CreateButton()
{
    return std::make_unique<TGridCellButton>(m_view->viewport(), nullptr);
}
