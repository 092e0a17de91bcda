// The table editor window: its layout over whole rows and columns, and the snapping of a frame
// the user drags.
#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>

#include "grid/GridCellControls.h"
#include "grid/GridTableView.h"
#include "grid/GridTableViewModel.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "grid/TTableForm.h"
#include "seams/MessageSeam.h"

namespace {

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

    {
        const QScopedValueRollback scroll(m_suspendScroll, true);
        m_model->Reload();
        const TQtTextMetrics metrics(*m_view->horizontalHeader());
        for (int v = 0; v < m_model->columnCount(); ++v) {
            m_view->horizontalHeader()->resizeSection(
                v,
                table.Columns(m_model->TableColumnIndex(v)).HeaderWidth(metrics));
        }
        m_view->horizontalHeader()->setVisible(m_fixedRows > 0);
        m_view->horizontalHeader()->setFixedHeight(HeaderHeight());
    }
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
    return std::max(width + 2 * Gap(), CaptionClientWidth());
}

int TTableForm::CaptionClientWidth() const
{
    // The title bar as the style lays it out: the caption's text in bold (as the frame's title
    // is drawn), beside the window's icon and buttons.
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    const QWidget* frame = sub != nullptr ? static_cast<const QWidget*>(sub) : this;
    QStyleOptionTitleBar option;
    option.initFrom(frame);
    option.text = windowTitle();
    option.titleBarFlags = frame->windowFlags();
    option.titleBarState = 0;
    option.subControls = QStyle::SC_All;
    QStyle* style = frame->style();
    const int barHeight = style->pixelMetric(QStyle::PM_TitleBarHeight, &option, frame);
    constexpr int kTrialWidth = 2000;
    option.rect = QRect(0, 0, kTrialWidth, barHeight);
    const QRect label =
        style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, frame);
    QFont font =
        sub != nullptr ? QApplication::font("QMdiSubWindowTitleBar") : QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int text = metrics.horizontalAdvance(windowTitle()) + metrics.averageCharWidth();
    const int borders =
        sub != nullptr ? 2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub)
                       : 0;
    return text + (kTrialWidth - label.width()) - borders;
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

TTableFrameMetrics TTableForm::FrameMetrics() const
{
    TTableFrameMetrics m;
    m.Gap = Gap();
    m.FrameWidth = m_view->frameWidth();
    m.FixedColumnWidth = FixedColumnWidth();
    m.HeaderHeight = HeaderHeight();
    m.RowHeight = RowHeight();
    m.ScrollBarWidth = ScrollBarWidth();
    m.ScrollBarHeight = ScrollBarHeight();
    const QHeaderView* header = m_view->horizontalHeader();
    for (int v = 0; v < m_model->columnCount(); ++v) {
        m.ColumnWidths.push_back(header->sectionSize(v));
    }
    m.RowCount = m_table != nullptr ? m_table->RowCount() : 0;
    m.LowerPartsHeight = LowerPartsHeight();
    m.MinimumClientWidth = MinimumClientWidth();
    m.FirstShownColumn = FirstShownColumn();
    m.FirstShownRow = FirstShownRow();
    m.ShownColumns = m_shownColumns;
    m.ShownRows = m_shownRows;
    return m;
}

void TTableForm::LayOut()
{
    if (m_table == nullptr || m_inLayout) {
        return;
    }
    {
        const QScopedValueRollback layingOut(m_inLayout, true);
        PlaceWidgets();
    }
    // Qt does not repaint the part of the heading that a grid made wider here uncovers; it
    // would show the frame behind it until something else repaints the heading.
    m_view->horizontalHeader()->viewport()->update();
    if (m_table != nullptr && m_table->OnResize) {
        RunCommand(this, [this] { m_table->OnResize(*m_table); });
    }
}

void TTableForm::PlaceWidgets()
{
    const int gap = Gap();
    const int rowCount = m_table->RowCount();
    const int columnCount = m_model->columnCount();
    const bool verticalBar = m_shownRows < rowCount;
    const bool horizontalBar = m_shownColumns < columnCount;
    m_view->setVerticalScrollBarPolicy(verticalBar ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(horizontalBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);

    const TTableFrameMetrics metrics = FrameMetrics();
    const int gridWidth =
        TableGridWidth(metrics, metrics.FirstShownColumn, m_shownColumns, verticalBar);
    const int gridHeight = TableGridHeight(metrics, m_shownRows, horizontalBar);
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

QRect TTableForm::WMSizing(Qt::Edges edges, const QRect& proposed)
{
    if (m_table == nullptr) {
        return proposed;
    }
    TDraggedEdges dragged;
    dragged.Left = edges.testFlag(Qt::LeftEdge);
    dragged.Top = edges.testFlag(Qt::TopEdge);
    dragged.Right = edges.testFlag(Qt::RightEdge);
    dragged.Bottom = edges.testFlag(Qt::BottomEdge);
    const TTableLayout best =
        BestFitLayout(FrameMetrics(), dragged, proposed.width(), proposed.height());
    m_shownColumns = std::max(1, best.Columns);
    m_shownRows = std::max(std::min(1, m_table->RowCount()), best.Rows);
    LayOut(); // the grid takes its new size, so that the scroll ranges are right
    {
        const QScopedValueRollback scroll(m_suspendScroll, true);
        m_view->horizontalScrollBar()->setValue(best.FirstColumn);
        m_view->verticalScrollBar()->setValue(best.FirstRow);
    }
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
