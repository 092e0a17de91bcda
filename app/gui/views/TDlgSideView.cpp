#include "views/TDlgSideView.h"

#include <cmath>
#include <exception>

#include <QFontInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "ProjectTables.h"
#include "host/TWindowHost.h"
#include "plot/TQPainterCanvas.h"
#include "seams/MessageSeam.h"
#include "seams/PrintSeam.h"

namespace {

constexpr int kControlMargin = 8;
constexpr double kPointsPerInch = 72.0;

constexpr const char* kNothingToPrintText =
    "The soil profile cannot be printed: the bottom of the last soil layer must lie below the "
    "ground surface.";

TPlotColor ToPlotColor(const QColor& c)
{
    return TPlotColor{static_cast<std::uint8_t>(c.red()),
                      static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue())};
}

} // namespace

TDlgSideView::TDlgSideView(TWindowHost& host)
    : TInputWindow(host, EInputWindow::SideView)
{
    resize(kSideViewWidth, kSideViewHeight);
    setMouseTracking(true);
    Label1 = new QLabel("Pile Geometry", this);
    Label1->setObjectName("Label1");
    Label1->move(kControlMargin, kControlMargin);
    Label1->adjustSize();
    Button1 = new QPushButton("Print", this);
    Button1->setObjectName("Button1");
    Button1->adjustSize();
    connect(Button1, &QPushButton::clicked, this, &TDlgSideView::Button1Click);
}

TDlgSideView::~TDlgSideView() = default;

QWidget* TDlgSideView::Open(TWindowHost& host)
{
    auto* window = static_cast<TDlgSideView*>(TInputWindow::Open<TDlgSideView>(host));
    if (window->SubWindow() != nullptr) {
        window->SubWindow()->resize(kSideViewWidth, kSideViewHeight);
    }
    return window;
}

void TDlgSideView::LoadControls()
{
    // Every activation starts again from the project, so a view that was broken recovers once
    // the project can be drawn.
    try {
        m_model = BuildSideView(Host().Data(), SoilLayerRows(Host().Tables().D()));
    } catch (const std::exception& e) {
        m_model = TSideViewModel{};
        m_viewBroken = true;
        ShowInformation(e.what(), this);
        QTimer::singleShot(0, this, &TDlgSideView::CloseWindow);
        return;
    }
    FormResize();
}

void TDlgSideView::FormResize()
{
    m_viewBroken =
        !CorrectAspectBelow(m_model.BaseWindow, width(), height(), ControlBand(), m_view);
    update();
}

int TDlgSideView::ControlBand() const
{
    // The drawing starts below the title label and the Print button, so neither stands on
    // the ground line or the pile's head.
    return std::max(Label1->geometry().bottom(), Button1->geometry().bottom()) + 1 + kControlMargin;
}

TSideViewMapping TDlgSideView::Mapping() const
{
    return TSideViewMapping{m_view, width(), height()};
}

TSideViewColors TDlgSideView::Colors() const
{
    return TSideViewColors{ToPlotColor(palette().color(QPalette::Window)),
                           ToPlotColor(palette().color(QPalette::WindowText))};
}

bool TDlgSideView::WorldToScreen(TWorldPoint world, QPoint& pixel) const
{
    if (m_viewBroken || width() <= 0 || height() <= 0) {
        return false;
    }
    const TSideViewMapping mapping = Mapping();
    pixel = QPoint(mapping.PixelX(world.X), mapping.PixelY(world.Y));
    return true;
}

bool TDlgSideView::ScreenToWorld(QPoint pixel, TWorldPoint& world) const
{
    if (m_viewBroken || width() <= 0 || height() <= 0) {
        return false;
    }
    const TSideViewMapping mapping = Mapping();
    world = TWorldPoint{mapping.WorldX(pixel.x()), mapping.WorldY(pixel.y())};
    return true;
}

void TDlgSideView::FormPaint(TPlotCanvas& canvas) const
{
    if (m_viewBroken) {
        return;
    }
    const QFont f = font();
    TPlotFont plotFont;
    plotFont.Face = f.family().toStdString();
    plotFont.Height = QFontInfo(f).pixelSize();
    DrawSideView(canvas, m_model, Mapping(), Colors(), plotFont);
}

void TDlgSideView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TQPainterCanvas canvas(painter, QFontInfo(font()).pixelSize(), logicalDpiY());
    FormPaint(canvas);
}

void TDlgSideView::resizeEvent(QResizeEvent* event)
{
    TInputWindow::resizeEvent(event);
    Button1->move(std::max(Label1->x() + Label1->width() + kControlMargin,
                           width() - Button1->width() - kControlMargin),
                  kControlMargin);
    FormResize();
}

void TDlgSideView::FormMouseMove(int x, int y)
{
    TWorldPoint world;
    if (!ScreenToWorld(QPoint(x, y), world)) {
        return;
    }
    SetCaption(QString::fromStdString(DepthCaption(world.Y)));
}

void TDlgSideView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    FormMouseMove(at.x(), at.y());
    TInputWindow::mouseMoveEvent(event);
}

void TDlgSideView::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
    if (SubWindow() != nullptr) {
        SubWindow()->setWindowTitle(caption);
    }
}

void TDlgSideView::Button1Click()
{
    RunCommand(this, [this] {
        // The profile is drawn to the depth of the last layer; without one there is no scale.
        if (PrintedDepthScale(m_model) <= 0) {
            ShowInformation(kNothingToPrintText, this);
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        SelectCurrentPrinter(printer);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setDocName(kSideViewPrintTitle);
        // A printer takes the job at once; without one the PDF file is asked for.
        if (!PrinterAvailable() && !RunPrintDialog(printer, this)) {
            return;
        }
        std::string error;
        if (!PrintTo(printer, error)) {
            ShowInformation(error, this);
        }
    });
}

bool TDlgSideView::PrintTo(QPrinter& printer, std::string& error)
{
    if (PrintedDepthScale(m_model) <= 0) {
        error = kNothingToPrintText;
        return false;
    }
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        error = std::string("Cannot print \"") + kSideViewPrintTitle + "\" to \""
                + target.toStdString() + "\": the printer could not be started.";
        return false;
    }
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const QRect page = printer.pageLayout().fullRectPixels(dpiX);
    TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(dpiY), dpiX);
    const QFont labelFont = Label1->font();
    TPlotFont plotFont;
    plotFont.Face = labelFont.family().toStdString();
    const double points = labelFont.pointSizeF() > 0
                              ? labelFont.pointSizeF()
                              : labelFont.pixelSize() * kPointsPerInch / logicalDpiY();
    plotFont.Height = std::max(1, static_cast<int>(std::lround(points * dpiY / kPointsPerInch)));
    DrawPrintedProfile(canvas, m_model, page.width(), page.height(), Colors(), plotFont);
    if (!painter.end()) {
        error = std::string("Cannot print \"") + kSideViewPrintTitle + "\": the print job failed.";
        return false;
    }
    return true;
}
