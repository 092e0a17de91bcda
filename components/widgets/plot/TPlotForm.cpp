#include "plot/TPlotForm.h"

#include <algorithm>
#include <exception>

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include "entry/NumberFormat.h"
#include "plot/PlotZoom.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"
#include "seams/MessageSeam.h"

namespace {

// The window's font: chart text on the window is scaled from it.
constexpr int kWindowFontHeight = 14;
// The legend list's font in points, which becomes the plot's LegendFont.
constexpr int kLegendFontPoints = 11;
constexpr int kLegendItemHeight = 16;
// Size of a window that is not maximised: room for the chart, its axes and its legend.
constexpr int kNormalWidth = 800;
constexpr int kNormalHeight = 600;
// Width the legend list starts from before it widens to its texts.
constexpr int kLegendMinWidth = 21;
// Significant digits of the pointer's values in the caption.
constexpr int kPointerDigits = 5;

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The chart area: paints through the window and hands it its mouse.
class TPlotPaintBox : public QWidget
{
public:
    explicit TPlotPaintBox(TPlotForm& form)
        : QWidget(&form)
        , m_form(form)
    {
        setObjectName("PaintBox");
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_form.FormPaint(); }
    void resizeEvent(QResizeEvent*) override { m_form.FormResize(false); }
    void mousePressEvent(QMouseEvent* event) override
    {
        m_form.PaintBoxMouseDown(event->button(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_form.PaintBoxMouseMove(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        m_form.FormMouseUp(event->position().toPoint());
    }

private:
    TPlotForm& m_form;
};

} // namespace

// ---- the handle the plot keeps --------------------------------------------------------------

class TPlotFormHandle : public TPlotWindowHandle
{
public:
    explicit TPlotFormHandle(TPlotForm* form)
        : m_form(form)
    {
        form->m_handle = this;
    }
    ~TPlotFormHandle() override
    {
        if (m_form != nullptr) {
            m_form->m_handle = nullptr;
            delete Frame();
        }
    }

    void Present() override
    {
        if (m_form == nullptr) {
            return;
        }
        QWidget* frame = Frame();
        if (!m_presented) {
            m_presented = true;
            frame->showMaximized();
        } else if (frame->isMinimized()) {
            frame->showNormal();
        } else {
            frame->show();
        }
        frame->raise();
        frame->activateWindow();
    }

    // The window is closing by itself: it is no longer ours to delete.
    void Release() { m_form = nullptr; }

private:
    QWidget* Frame() const
    {
        auto* sub = qobject_cast<QMdiSubWindow*>(m_form->parentWidget());
        return sub != nullptr ? static_cast<QWidget*>(sub) : m_form.data();
    }

    QPointer<TPlotForm> m_form;
    bool m_presented = false;
};

void InstallPlotFormFactory(TGraphPlot& plot, std::function<void(TPlotForm&)> host)
{
    plot.SetWindowFactory([host](TGraphPlot& p) -> std::unique_ptr<TPlotWindowHandle> {
        auto* form = new TPlotForm(p);
        form->setAttribute(Qt::WA_DeleteOnClose);
        auto handle = std::make_unique<TPlotFormHandle>(form);
        if (host) {
            host(*form);
        }
        return handle;
    });
}

// ---- the window ---------------------------------------------------------------------------

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent)
    : QWidget(parent)
    , m_plot(plot)
{
    setObjectName("PlotForm");
    setWindowTitle(OwnTitle());
    QFont windowFont("Times New Roman");
    windowFont.setPixelSize(kWindowFontHeight);
    setFont(windowFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    PaintBox = new TPlotPaintBox(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(PaintBox);

    Legend = new QListWidget(PaintBox);
    Legend->setObjectName("Legend");
    Legend->hide();
    QFont legendFont("Times New Roman");
    legendFont.setPointSize(kLegendFontPoints);
    Legend->setFont(legendFont);
    Legend->setFrameShape(QFrame::NoFrame);
    Legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Legend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Legend->viewport()->installEventFilter(this);

    BuildMenu();
    resize(kNormalWidth, kNormalHeight);
    layout->activate();
    FormCreate();
}

TPlotForm::~TPlotForm()
{
    // Deleted without closing (its frame went, say): the plot must not keep a dead window.
    ForgetPlotWindow();
}

void TPlotForm::ForgetPlotWindow()
{
    if (m_handle == nullptr) {
        return;
    }
    TPlotFormHandle* handle = m_handle;
    m_handle = nullptr;
    handle->Release();
    if (m_plot.Window() == handle) {
        m_plot.DetachWindow().reset();
    }
}

QString TPlotForm::OwnTitle() const
{
    return m_plot.Caption().empty() ? QString("PlotForm") : ToQString(m_plot.Caption());
}

QSize TPlotForm::sizeHint() const
{
    return {kNormalWidth, kNormalHeight};
}

std::vector<QAction*> TPlotForm::CurveItems() const
{
    return m_curveItems;
}

void TPlotForm::FormCreate()
{
    PlotPage->setVisible(true);
    for (int graph = 0; graph < 3; ++graph) {
        m_view.View[graph] = ComputeGraphRange(m_plot, graph + 1);
        m_view.Full[graph] = m_view.View[graph];
        m_view.Ticks[graph] = TPlotTicks{};
    }
    m_plot.ActivateCurvesForWindow();
    m_plot.SetLegendFont(kLegendFontPoints);
    m_legendItemHeight = kLegendItemHeight;
    RebuildLegend();
    const bool shown = m_plot.LineCount() > 0 && m_plot.ShowLegend();
    Legend->setVisible(shown);
    PlotLegend->setVisible(shown);
    // Without a printer the job goes to a PDF file, so both stay available.
    PlotPage->setEnabled(true);
    PlotPrint->setEnabled(true);
    m_pageSetup.SetOptions(
        {TPageSetupFlag::poDefaultMinMargins, TPageSetupFlag::poThousandthsOfInches});
    m_pageSetup.SetMarginLeft(1000);
    m_pageSetup.SetMarginTop(1000);
    m_pageSetup.SetMarginRight(1000);
    m_pageSetup.SetMarginBottom(1000);
    FormResize(true);
}

// ---- legend -------------------------------------------------------------------------------

void TPlotForm::RebuildLegend()
{
    m_view.Legend = BuildLegendRows(m_plot);
    Legend->clear();
    for (QAction* action : m_curveItems) {
        PlotMenu->removeAction(action);
        delete action;
    }
    m_curveItems.clear();
    for (const TLegendRow& row : m_view.Legend) {
        Legend->addItem(ToQString(row.Text));
        QAction* action = PlotMenu->addAction(ToQString(row.Text));
        action->setCheckable(true);
        action->setData(row.Curve);
        const int curve = row.Curve;
        connect(action, &QAction::triggered, this, [this, curve] {
            RunCommand(this, [this, curve] { ToggleCurve(curve); });
        });
        m_curveItems.push_back(action);
    }
    RefreshLegend();
    FitLegendSize(logicalDpiX() / 4);
}

void TPlotForm::RefreshLegend()
{
    for (std::size_t r = 0; r < m_view.Legend.size(); ++r) {
        const TLegendRow& row = m_view.Legend[r];
        const bool visible =
            row.Curve >= 0 && row.Curve < m_plot.LineCount() && m_plot.Line(row.Curve).Visible;
        const int i = static_cast<int>(r);
        if (i < Legend->count()) {
            QListWidgetItem* item = Legend->item(i);
            item->setText(ToQString(row.Text) + (visible ? " *" : ""));
            const TPlotColor c = PlotCurveColor(i);
            item->setForeground(QColor(c.R, c.G, c.B));
            item->setSizeHint(QSize(0, m_legendItemHeight));
        }
        if (r < m_curveItems.size()) {
            m_curveItems[r]->setText(ToQString(row.Text));
            m_curveItems[r]->setChecked(visible);
        }
    }
    FitLegendSize(logicalDpiX() / 8);
    Legend->viewport()->update();
}

void TPlotForm::FitLegendSize(int extraWidth)
{
    const QFontMetrics metrics(Legend->font());
    int width = Legend->width();
    for (const TLegendRow& row : m_view.Legend) {
        width = std::max(width, metrics.horizontalAdvance(ToQString(row.Text + " *")) + extraWidth);
    }
    const int height = static_cast<int>(m_view.Legend.size()) * m_legendItemHeight + 3;
    Legend->resize(width, height);
    // A wider list keeps its right edge in the corner.
    KeepLegendInside();
}

void TPlotForm::SetupLegend(int factor)
{
    QFont font = Legend->font();
    const int points = std::max(1, factor * m_plot.LegendFont() / 10);
    font.setPointSize(points);
    Legend->setFont(font);
    m_legendItemHeight = std::max(1, points * 3 / 2);
    Legend->resize(kLegendMinWidth, Legend->height());
    RefreshLegend();
    FitLegendSize(logicalDpiX() / 4);
}

void TPlotForm::KeepLegendInside()
{
    QPoint at = m_legendWanted;
    if (m_legendInCorner) {
        const TPlotRect& p = m_view.Geometry.Plot;
        at = QPoint(p.Right - Legend->width(), p.Bottom - Legend->height());
    }
    const int left = std::max(0, std::min(at.x(), PaintBox->width() - Legend->width()));
    const int top = std::max(0, std::min(at.y(), PaintBox->height() - Legend->height()));
    Legend->move(left, top);
}

TLegendPlacement TPlotForm::LegendPlace() const
{
    TLegendPlacement place;
    place.ListLeft = Legend->x();
    place.ListTop = Legend->y();
    place.WindowWidth = width();
    place.WindowHeight = height();
    return place;
}

void TPlotForm::ToggleCurve(int curve)
{
    if (curve < 0 || curve >= m_plot.LineCount()) {
        return;
    }
    m_plot.Line(curve).Visible = !m_plot.Line(curve).Visible;
    RefreshLegend();
    PaintBox->update();
}

void TPlotForm::LegendDblClick()
{
    const int row = Legend->currentRow();
    if (row >= 0 && row < static_cast<int>(m_view.Legend.size())) {
        ToggleCurve(m_view.Legend[static_cast<std::size_t>(row)].Curve);
    }
}

bool TPlotForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Legend->viewport()) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_draggingLegend = true;
        m_legendGrab = Legend->viewport()->mapTo(Legend, mouse->position().toPoint());
        break;
    }
    case QEvent::MouseMove: {
        if (!m_draggingLegend) {
            break;
        }
        const QPoint at =
            Legend->viewport()->mapTo(Legend,
                                      static_cast<QMouseEvent*>(event)->position().toPoint());
        const int w = PaintBox->width();
        const int h = PaintBox->height();
        const int left =
            std::clamp(Legend->x() + at.x(),
                       m_legendGrab.x(),
                       std::max(m_legendGrab.x(), w + m_legendGrab.x() - Legend->width()))
            - m_legendGrab.x();
        const int top =
            std::clamp(Legend->y() + at.y(),
                       m_legendGrab.y(),
                       std::max(m_legendGrab.y(), h + m_legendGrab.y() - Legend->height()))
            - m_legendGrab.y();
        Legend->move(left, top);
        m_legendInCorner = false;
        m_legendWanted = QPoint(left, top);
        break;
    }
    case QEvent::MouseButtonRelease:
        m_draggingLegend = false;
        break;
    case QEvent::MouseButtonDblClick:
        RunCommand(this, [this] { LegendDblClick(); });
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- geometry and painting ----------------------------------------------------------------

TRenderTarget TPlotForm::WindowTarget() const
{
    TRenderTarget target;
    target.Page = TPlotRect{0, 0, PaintBox->width(), PaintBox->height()};
    target.DX = PaintBox->logicalDpiX();
    target.DY = PaintBox->logicalDpiY();
    target.BaseFontHeight = kWindowFontHeight;
    return target;
}

void TPlotForm::FormResize(bool programCall)
{
    m_view.Target = TPlotTarget::Window;
    m_view.Geometry = LayoutOnTarget(m_plot, WindowTarget());
    if (programCall) {
        m_legendInCorner = true;
    }
    KeepLegendInside();
    PaintBox->update();
}

TPlotRect TPlotForm::PlotArea() const
{
    return m_view.Geometry.Plot;
}

QPoint TPlotForm::ClampToPlot(QPoint pos) const
{
    const TPlotRect p = PlotArea();
    return QPoint(std::clamp(pos.x(), p.Left, std::max(p.Left, p.Right)),
                  std::clamp(pos.y(), p.Top, std::max(p.Top, p.Bottom)));
}

void TPlotForm::FormPaint()
{
    QPainter painter(PaintBox);
    try {
        RenderPlot(painter, m_plot, m_view, WindowTarget());
    } catch (const std::exception&) {
        // A paint cannot show a message (it would paint again); the chart stays as drawn.
    }
    if (m_zooming) {
        TQPainterCanvas canvas(painter, kWindowFontHeight, PaintBox->logicalDpiX());
        canvas.SetClipRect(TPlotRect{0, 0, PaintBox->width(), PaintBox->height()});
        canvas.SetPen(TPlotPen{kPlotBlack, TPlotPenStyle::Solid, 1, TPlotPenMode::NotXor});
        canvas.SetBrush(TPlotBrush{kPlotWhite, TPlotBrushStyle::Clear, 0});
        canvas.Rectangle(TPlotRect{std::min(m_zoomAnchor.x(), m_zoomCorner.x()),
                                   std::min(m_zoomAnchor.y(), m_zoomCorner.y()),
                                   std::max(m_zoomAnchor.x(), m_zoomCorner.x()) + 1,
                                   std::max(m_zoomAnchor.y(), m_zoomCorner.y()) + 1});
    }
}

// ---- mouse --------------------------------------------------------------------------------

void TPlotForm::PaintBoxMouseMove(QPoint pos)
{
    const QPoint at = ClampToPlot(pos);
    TFloatPoint value;
    PixelToValue(m_plot, m_view, at.x(), at.y(), value);
    setWindowTitle(ToQString(m_plot.Caption() + " X: " + FormatFloatGeneral(value.X, kPointerDigits)
                             + " Y: " + FormatFloatGeneral(value.Y, kPointerDigits)));
    if (m_zooming) {
        m_zoomCorner = at;
        PaintBox->update();
    }
}

void TPlotForm::PaintBoxMouseDown(Qt::MouseButton button, QPoint pos)
{
    const TPlotRect p = PlotArea();
    if (pos.x() < p.Left || pos.x() > p.Right || pos.y() < p.Top || pos.y() > p.Bottom) {
        return;
    }
    if (button == Qt::LeftButton) {
        if (!m_plot.ShowThree()) {
            m_zooming = true;
            m_zoomAnchor = pos;
            m_zoomCorner = pos;
        }
    } else if (button == Qt::RightButton) {
        TFloatPoint v;
        PixelToValue(m_plot, m_view, pos.x(), pos.y(), v);
        TPlotRange& view = m_view.View[0];
        const TPlotRange& full = m_view.Full[0];
        ZoomOutAxis(v.X, full.XMin, full.XMax, view.XMin, view.XMax);
        ZoomOutAxis(v.Y, full.YMin, full.YMax, view.YMin, view.YMax);
        PaintBox->update();
    }
}

void TPlotForm::FormMouseUp(QPoint pos)
{
    if (!m_zooming) {
        return;
    }
    m_zooming = false;
    PaintBox->update();
    if (pos.x() == m_zoomAnchor.x() || pos.y() == m_zoomAnchor.y()) {
        return;
    }
    const QPoint release = ClampToPlot(pos);
    TFloatPoint a;
    TFloatPoint b;
    PixelToValue(m_plot, m_view, m_zoomAnchor.x(), m_zoomAnchor.y(), a);
    PixelToValue(m_plot, m_view, release.x(), release.y(), b);
    TPlotRange& view = m_view.View[0];
    const TPlotRange& full = m_view.Full[0];
    ZoomInAxis(a.X, b.X, full.XMin, full.XMax, view.XMin, view.XMax);
    ZoomInAxis(a.Y, b.Y, full.YMin, full.YMax, view.YMin, view.YMax);
}

// ---- closing ------------------------------------------------------------------------------

void TPlotForm::closeEvent(QCloseEvent* event)
{
    // The plot forgets this window, so its next Show builds a fresh one.
    ForgetPlotWindow();
    QWidget::closeEvent(event);
}
