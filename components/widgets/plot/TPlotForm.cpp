#include "plot/TPlotForm.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>
#include <QSaveFile>
#include <QShortcut>
#include <QVBoxLayout>

#include "entry/NumberFormat.h"
#include "plot/PlotDrawing.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"
#include "plot/TfrmActiveLines.h"
#include "plot/TfrmGraphCaption.h"
#include "plot/TfrmLineNames.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "seams/PrintSeam.h"

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
constexpr double kInchesPerMetre = 1.0 / 0.0254;
constexpr double kPointsPerInch = 72.0;
constexpr double kMillimetresPerInch = 25.4;

struct TagItem
{
    const char* text;
    int tag;
};

// nullptr text: a separator.
constexpr TagItem kMarkerItems[] = {{"&Never", 0},
                                    {nullptr, 0},
                                    {"Every &Increment", 1},
                                    {"Every &2 Increments", 2},
                                    {"Every &3 Incrments", 3},
                                    {"Every &5 Increments", 5},
                                    {"Every &10 Incements", 10}};
constexpr TagItem kFontItems[] = {{"&Default", 10},
                                  {nullptr, 0},
                                  {"1.5 * Default", 15},
                                  {"2 * Default", 20},
                                  {"2.5 * Default", 25},
                                  {"3 * Default", 30},
                                  {"4 * Default", 40}};
constexpr TagItem kWidthItems[] = {{"&Default", 1},
                                   {nullptr, 0},
                                   {"2 * Default", 2},
                                   {"4 * Default", 4},
                                   {"6 * Default", 6},
                                   {"10 * Default", 10}};

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

// ---- zoom rules ---------------------------------------------------------------------------

void ZoomInAxis(long double a,
                long double b,
                long double fullMin,
                long double fullMax,
                long double& viewMin,
                long double& viewMax)
{
    viewMin = std::min(a, b);
    viewMax = std::max(a, b);
    const long double full = fullMax - fullMin;
    if (full > 20 * (viewMax - viewMin)) {
        const long double span = full / 20;
        const long double middle = (a + b) / 2;
        viewMin = middle - span / 2;
        viewMax = middle + span / 2;
        if (viewMin < fullMin) {
            viewMin = fullMin;
            viewMax = fullMin + span;
        } else if (viewMax > fullMax) {
            viewMax = fullMax;
            viewMin = fullMax - span;
        }
    }
}

void ZoomOutAxis(long double v,
                 long double fullMin,
                 long double fullMax,
                 long double& viewMin,
                 long double& viewMax)
{
    const long double h = std::min(viewMax - viewMin, (fullMax - fullMin) / 2);
    if (!(h > 0) || !std::isfinite(h)) {
        return;
    }
    v = std::clamp(v, fullMin + h, fullMax - h);
    viewMin = v - h;
    viewMax = v + h;
}

// ---- printing -----------------------------------------------------------------------------

TPlotRect PrinterPageRect(const TPrinterMetrics& m,
                          double marginLeft,
                          double marginTop,
                          double marginRight,
                          double marginBottom)
{
    const auto pixels = [](double inches, int dpi) {
        const double v = std::round(inches * dpi);
        return std::isfinite(v) ? static_cast<int>(std::clamp(v, 0.0, 1.0e6)) : 0;
    };
    const int mL = std::max(pixels(marginLeft, m.DX), m.OffsetX);
    const int mR = std::max(pixels(marginRight, m.DX), m.OffsetX);
    const int mT = std::max(pixels(marginTop, m.DY), m.OffsetY);
    const int mB = std::max(pixels(marginBottom, m.DY), m.OffsetY);
    return TPlotRect{mL - m.OffsetX,
                     mT - m.OffsetY,
                     m.PrintableWidth + m.OffsetX - mR,
                     m.PrintableHeight + m.OffsetY - mB};
}

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

void TPlotForm::BuildMenu()
{
    PlotMenu = MainMenu->addMenu("&Plot");
    PlotMenu->setObjectName("PlotMenu");
    connect(PlotMenu, &QMenu::aboutToShow, this, &TPlotForm::PlotMenuClick);
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+Z"), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        PlotMenu->popup(
            MainMenu->mapToGlobal(MainMenu->actionGeometry(PlotMenu->menuAction()).bottomLeft()));
    });

    const auto item = [this](const char* text, const char* name, void (TPlotForm::*slot)()) {
        QAction* action = PlotMenu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const auto submenu = [this](const char* text,
                                const char* name,
                                const auto& items,
                                void (TPlotForm::*click)(int),
                                QActionGroup* group) {
        QMenu* menu = PlotMenu->addMenu(text);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        for (const TagItem& entry : items) {
            if (entry.text == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(entry.text);
            action->setData(entry.tag);
            if (group != nullptr) {
                action->setCheckable(true);
                group->addAction(action);
            }
            const int tag = entry.tag;
            connect(action, &QAction::triggered, this, [this, click, tag] {
                RunCommand(this, [this, click, tag] { (this->*click)(tag); });
            });
        }
        return menu;
    };

    PlotLegend = item("Show &Legend", "PlotLegend", &TPlotForm::PlotLegendClick);
    PlotSoilLayer = item("Show &Soil Layer", "PlotSoilLayer", &TPlotForm::PlotSoilLayerClick);
    ShowWallGeometry =
        item("Show &Wall Geometry", "ShowWallGeometry", &TPlotForm::ShowWallGeometryClick);
    for (QAction* a : {PlotLegend, PlotSoilLayer, ShowWallGeometry}) {
        a->setCheckable(true);
    }
    // The marker items are radio items of which none is checked for an unusual Markers.
    auto* markers = new QActionGroup(this);
    markers->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    PlotMarkers =
        submenu("Show &Markers", "PlotMarkers", kMarkerItems, &TPlotForm::MarkClick, markers);
    connect(PlotMarkers, &QMenu::aboutToShow, this, &TPlotForm::PlotMarkersClick);
    FontSize = submenu("&Font Size", "FontSize", kFontItems, &TPlotForm::SizeClick, nullptr);
    LineWidth = submenu("&Line Width", "LineWidth", kWidthItems, &TPlotForm::WidthClick, nullptr);
    PlotCaption = item("&Graph Title", "PlotCaption", &TPlotForm::PlotCaptionClick);
    mLineName = item("&Edit Legend", "mLineName", &TPlotForm::mLineNameClick);
    ActiveGraphs = item("&Active Curves", "ActiveGraphs", &TPlotForm::ActiveGraphsClick);
    PlotMenu->addSeparator();
    PlotPrint = item("&Print...", "PlotPrint", &TPlotForm::PlotPrintClick);
    PlotPage = item("P&age Setup", "PlotPage", &TPlotForm::PlotPageClick);
    PlotSave = item("&Save To Disk...", "PlotSave", &TPlotForm::PlotSaveClick);
    PlotMenu->addSeparator();
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

void TPlotForm::FormResize(bool programCall)
{
    const int dX = PaintBox->logicalDpiX();
    const int dY = PaintBox->logicalDpiY();
    const int f = ScaleFontHeight(kWindowFontHeight, m_plot.SizeFont());
    m_view.Target = TPlotTarget::Window;
    m_view.Geometry = LayoutPlot(m_plot,
                                 TPlotTarget::Window,
                                 TPlotRect{0, 0, PaintBox->width(), PaintBox->height()},
                                 dX,
                                 dY,
                                 f);
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
    TQPainterCanvas canvas(painter, kWindowFontHeight, PaintBox->logicalDpiX());
    m_view.Target = TPlotTarget::Window;
    try {
        DrawPlot(m_plot, m_view, canvas);
    } catch (const std::exception&) {
        // A paint cannot show a message (it would paint again); the chart stays as drawn.
    }
    if (m_zooming) {
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

// ---- menu ---------------------------------------------------------------------------------

void TPlotForm::PlotMenuClick()
{
    PlotLegend->setChecked(m_plot.ShowLegend());
    PlotSoilLayer->setChecked(m_plot.ShowLayers());
    PlotSoilLayer->setVisible(m_plot.LayerCount() > 0);
    ShowWallGeometry->setVisible(m_plot.WallLineCount() > 0);
    ShowWallGeometry->setEnabled(m_plot.ShowLayers());
    ShowWallGeometry->setChecked(m_plot.ShowWall());
    FontSize->menuAction()->setVisible(m_plot.ShowFontWidth());
    LineWidth->menuAction()->setVisible(m_plot.ShowFontWidth());
    RefreshLegend();
}

void TPlotForm::PlotMarkersClick()
{
    for (QAction* action : PlotMarkers->actions()) {
        action->setChecked(false);
    }
    for (QAction* action : PlotMarkers->actions()) {
        if (!action->isSeparator() && action->data().toInt() == m_plot.Markers()) {
            action->setChecked(true);
            break;
        }
    }
}

void TPlotForm::PlotLegendClick()
{
    m_plot.SetShowLegend(!m_plot.ShowLegend());
    Legend->setVisible(m_plot.ShowLegend());
}

void TPlotForm::PlotSoilLayerClick()
{
    m_plot.SetShowLayers(!m_plot.ShowLayers());
    FormResize(true);
}

void TPlotForm::ShowWallGeometryClick()
{
    m_plot.SetShowWall(!m_plot.ShowWall());
    FormResize(true);
}

void TPlotForm::MarkClick(int tag)
{
    m_plot.SetMarkers(tag);
    PaintBox->update();
}

void TPlotForm::SizeClick(int tag)
{
    m_plot.SetSizeFont(tag);
    SetupLegend(tag);
    FormResize(true);
}

void TPlotForm::WidthClick(int tag)
{
    m_plot.SetWidthLine(tag);
    PaintBox->update();
}

void TPlotForm::PlotCaptionClick()
{
    RunCommand(this, [this] {
        TfrmGraphCaption dialog(this);
        dialog.edtCaption->setText(ToQString(m_plot.Title()));
        (m_plot.TitleOnTop() ? dialog.rbTop : dialog.rbBottom)->setChecked(true);
        RunModalDialog(dialog);
        // However the dialog was closed, it holds the title.
        m_plot.SetTitle(dialog.edtCaption->text().toStdString());
        m_plot.SetTitleOnTop(dialog.rbTop->isChecked());
        FormResize(false);
    });
}

void TPlotForm::mLineNameClick()
{
    RunCommand(this, [this] {
        std::vector<std::string> lineNames;
        for (int i = 0; i < m_plot.LineCount(); ++i) {
            lineNames.push_back(m_plot.Line(i).GetCaption());
        }
        TfrmLineNames dialog(lineNames, this);
        if (RunModalDialog(dialog) != QDialog::Accepted) {
            return;
        }
        const int count = std::min(m_plot.LineCount(), static_cast<int>(lineNames.size()));
        for (int i = 0; i < count; ++i) {
            m_plot.Line(i).Name = lineNames[static_cast<std::size_t>(i)];
        }
        // Each row belongs to its curve, wherever that curve stands among the active ones.
        for (TLegendRow& row : m_view.Legend) {
            if (row.Curve >= 0 && row.Curve < count) {
                row.Text = lineNames[static_cast<std::size_t>(row.Curve)];
            }
        }
        RefreshLegend();
        PaintBox->update();
    });
}

void TPlotForm::ActiveGraphsClick()
{
    RunCommand(this, [this] {
        std::vector<std::string> lineNames;
        std::vector<std::string> lineFlags;
        for (int i = 0; i < m_plot.LineCount(); ++i) {
            lineNames.push_back(m_plot.Line(i).GetCaption());
            lineFlags.push_back(m_plot.Line(i).Active ? kActiveFlag : kInactiveFlag);
        }
        TfrmActiveLines dialog(lineNames, lineFlags, this);
        if (RunModalDialog(dialog) != QDialog::Accepted) {
            return;
        }
        for (int i = 0; i < m_plot.LineCount() && i < static_cast<int>(lineFlags.size()); ++i) {
            m_plot.Line(i).Active = lineFlags[static_cast<std::size_t>(i)] == kActiveFlag;
        }
        RebuildLegend();
        KeepLegendInside();
        PaintBox->update();
    });
}

void TPlotForm::PlotPageClick()
{
    RunCommand(this, [this] { m_pageSetup.Execute(this); });
    PaintBox->update();
}

void TPlotForm::PlotPrintClick()
{
    RunCommand(this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        SelectCurrentPrinter(printer);
        if (const auto& layout = m_pageSetup.ConfirmedLayout()) {
            printer.setPageSize(layout->pageSize());
            printer.setPageOrientation(layout->orientation());
        }
        printer.setDocName(ToQString(m_plot.Caption()));
        if (!RunPrintDialog(printer, this)) {
            return;
        }
        std::string error;
        if (!PrintTo(printer, error)) {
            ShowInformation(error, this);
        }
    });
    PaintBox->update();
}

bool TPlotForm::PrintTo(QPrinter& printer, std::string& error)
{
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        error = "Cannot print \"" + m_plot.Caption() + "\" to \"" + target.toStdString()
                + "\": the printer could not be started.";
        return false;
    }
    TPrinterMetrics metrics;
    metrics.DX = printer.logicalDpiX();
    metrics.DY = printer.logicalDpiY();
    QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(metrics.DX);
    // What the printer cannot reach: its minimum margins, here in points.
    layout.setUnits(QPageLayout::Point);
    const QMarginsF least = layout.minimumMargins();
    const auto px = [](double points, int dpi) {
        return static_cast<int>(std::lround(points / kPointsPerInch * dpi));
    };
    metrics.OffsetX = px(least.left(), metrics.DX);
    metrics.OffsetY = px(least.top(), metrics.DY);
    metrics.PrintableWidth = paper.width() - metrics.OffsetX - px(least.right(), metrics.DX);
    metrics.PrintableHeight = paper.height() - metrics.OffsetY - px(least.bottom(), metrics.DY);
    double perInch = m_pageSetup.UnitsPerLayoutUnit();
    if (m_pageSetup.LayoutUnit() == QPageLayout::Millimeter) {
        perInch *= kMillimetresPerInch;
    }
    const TPlotRect page = PrinterPageRect(metrics,
                                           m_pageSetup.MarginLeft() / perInch,
                                           m_pageSetup.MarginTop() / perInch,
                                           m_pageSetup.MarginRight() / perInch,
                                           m_pageSetup.MarginBottom() / perInch);
    painter.translate(metrics.OffsetX, metrics.OffsetY);
    TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(metrics.DY), metrics.DX);
    TPlotView view = m_view;
    view.Target = TPlotTarget::Printer;
    view.LegendPlace = LegendPlace();
    view.Geometry = LayoutPlot(m_plot,
                               TPlotTarget::Printer,
                               page,
                               metrics.DX,
                               metrics.DY,
                               ScaleFontSize(canvas, m_plot.SizeFont()));
    DrawPlot(m_plot, view, canvas);
    if (!painter.end()) {
        error = "Cannot print \"" + m_plot.Caption() + "\": the print job failed.";
        return false;
    }
    return true;
}

void TPlotForm::PlotSaveClick()
{
    RunCommand(this, [this] {
        TSaveFileRequest request;
        request.title = "Save As";
        request.filter = "Bitmap (*.bmp)";
        request.defaultSuffix = "bmp";
        request.parent = this;
        const std::string path = AskSaveFileName(request);
        if (path.empty()) {
            return;
        }
        QImage bitmap;
        TBitmapColors colors = TBitmapColors::Colors16;
        int ppi = 0;
        int result = 0;
        {
            TdlgFormat dialog(bitmap, this);
            result = RunModalDialog(dialog);
            colors = dialog.Colors();
            ppi = dialog.PixelsPerInch();
        }
        if (result == kFormatOutOfMemory) {
            ShowInformation("There is not enough memory to complete this task.", this);
            return;
        }
        if (result != kFormatOk || bitmap.isNull()) {
            return;
        }
        std::string error;
        if (!SaveBitmap(bitmap, colors, ppi, path, error)) {
            ShowInformation(error, this);
        }
    });
}

bool TPlotForm::SaveBitmap(QImage& bitmap,
                           TBitmapColors colors,
                           int pixelsPerInch,
                           const std::string& path,
                           std::string& error)
{
    const int dX = PaintBox->logicalDpiX();
    const int dY = PaintBox->logicalDpiY();
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(dY), dX);
        TPlotView view = m_view;
        view.Target = TPlotTarget::Bitmap;
        view.LegendPlace = LegendPlace();
        view.Geometry = LayoutPlot(m_plot,
                                   TPlotTarget::Bitmap,
                                   TPlotRect{0, 0, bitmap.width(), bitmap.height()},
                                   dX,
                                   dY,
                                   ScaleFontSize(canvas, m_plot.SizeFont()));
        DrawPlot(m_plot, view, canvas);
    }
    QImage written = ConvertBitmapColors(bitmap, colors);
    if (pixelsPerInch > 0) {
        const int dotsPerMetre = static_cast<int>(std::lround(pixelsPerInch * kInchesPerMetre));
        written.setDotsPerMeterX(dotsPerMetre);
        written.setDotsPerMeterY(dotsPerMetre);
    }
    // Written beside the target and renamed over it only when complete.
    const QString fileName = QString::fromStdString(path);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot save \"" + path + "\": " + file.errorString().toStdString();
        return false;
    }
    if (written.isNull() || !written.save(&file, "BMP")) {
        file.cancelWriting();
        error = "Cannot save \"" + path + "\": the image could not be written.";
        return false;
    }
    if (!file.commit()) {
        error = "Cannot save \"" + path + "\": " + file.errorString().toStdString();
        return false;
    }
    return true;
}
