#include "plot/PlotImage.h"

#include <cmath>

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include "plot/PlotDrawing.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"

namespace {

constexpr double kInchesPerMetre = 1.0 / 0.0254;

} // namespace

QImage RenderPlotImage(const TGraphPlot& plot, const TPlotImageOptions& options, TPlotView* view)
{
    if (options.Width < 1 || options.Height < 1 || options.Width > kMaxPlotImageSide
        || options.Height > kMaxPlotImageSide || options.Dpi < 1) {
        return {};
    }
    QImage image(options.Width, options.Height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    const int dotsPerMetre = static_cast<int>(std::lround(options.Dpi * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int base =
        options.BaseFontHeight > 0 ? options.BaseFontHeight : DefaultCanvasFontHeight(options.Dpi);
    TQPainterCanvas canvas(painter, base, options.Dpi);
    TPlotView drawn = MakePlotView(plot,
                                   canvas,
                                   TPlotTarget::Bitmap,
                                   TPlotRect{0, 0, options.Width, options.Height},
                                   options.Dpi,
                                   options.Dpi);
    DrawPlot(plot, drawn, canvas);
    painter.end();
    if (view != nullptr) {
        *view = std::move(drawn);
    }
    return image;
}

bool SavePlotImage(const TGraphPlot& plot,
                   const std::string& path,
                   const TPlotImageOptions& options,
                   std::string& error)
{
    const QString fileName = QString::fromStdString(path);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const char* format = suffix == "png" ? "PNG" : suffix == "bmp" ? "BMP" : nullptr;
    if (format == nullptr) {
        error = "Cannot save \"" + path + "\": the name must end in .png or .bmp.";
        return false;
    }
    const QImage image = RenderPlotImage(plot, options);
    if (image.isNull()) {
        error = "Cannot save \"" + path + "\": there is not enough memory for a "
                + std::to_string(options.Width) + " x " + std::to_string(options.Height)
                + " pixel image.";
        return false;
    }
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot save \"" + path + "\": " + file.errorString().toStdString();
        return false;
    }
    if (!image.save(&file, format)) {
        file.cancelWriting();
        error = "Cannot save \"" + path + "\": the image could not be written.";
        return false;
    }
    if (!file.commit()) {
        error = "Cannot save \"" + path + "\": " + file.errorString().toStdString();
        return false;
    }
    error.clear();
    return true;
}
