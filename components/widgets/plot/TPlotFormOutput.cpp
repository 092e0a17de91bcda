// The chart window's output: printing on the page-setup margins, and saving as a bitmap.
#include <cmath>

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "plot/PlotImage.h"
#include "plot/TGraphPlot.h"
#include "plot/TPlotForm.h"
#include "plot/TQPainterCanvas.h"
#include "plot/TdlgFormat.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "seams/PrintSeam.h"

namespace {

constexpr double kInchesPerMetre = 1.0 / 0.0254;
constexpr double kPointsPerInch = 72.0;
constexpr double kMillimetresPerInch = 25.4;

} // namespace

void TPlotForm::PlotPrintClick()
{
    RunCommand(this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        SelectCurrentPrinter(printer);
        if (const auto& layout = m_pageSetup.ConfirmedLayout()) {
            printer.setPageSize(layout->pageSize());
            printer.setPageOrientation(layout->orientation());
        }
        printer.setDocName(QString::fromStdString(m_plot.Caption()));
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
    TRenderTarget target;
    target.Target = TPlotTarget::Printer;
    target.Layout = TPlotTarget::Printer;
    target.Page = page;
    target.Clip = PrinterReach(metrics);
    target.DX = metrics.DX;
    target.DY = metrics.DY;
    target.BaseFontHeight = DefaultCanvasFontHeight(metrics.DY);
    TPlotView view = m_view;
    view.LegendPlace = LegendPlace();
    RenderPlot(painter, m_plot, view, target);
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
    bitmap.fill(Qt::white);
    {
        // The bitmap takes the window's resolution for its layout.
        QPainter painter(&bitmap);
        TRenderTarget target = WindowTarget();
        target.Target = TPlotTarget::Bitmap;
        target.Layout = TPlotTarget::Bitmap;
        target.Page = TPlotRect{0, 0, bitmap.width(), bitmap.height()};
        target.BaseFontHeight = DefaultCanvasFontHeight(target.DY);
        TPlotView view = m_view;
        view.LegendPlace = LegendPlace();
        RenderPlot(painter, m_plot, view, target);
    }
    QImage written = ConvertBitmapColors(bitmap, colors);
    if (pixelsPerInch > 0) {
        const int dotsPerMetre = static_cast<int>(std::lround(pixelsPerInch * kInchesPerMetre));
        written.setDotsPerMeterX(dotsPerMetre);
        written.setDotsPerMeterY(dotsPerMetre);
    }
    return WriteImageFile(written, path, "BMP", error);
}
