#include "plot/PlotImage.h"

#include <cmath>

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include "plot/PlotRender.h"
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
    TRenderTarget target;
    target.Target = TPlotTarget::Bitmap;
    // Without a window there is no saved-bitmap quirk to keep: the full screen layout, title
    // included.
    target.Layout = TPlotTarget::Window;
    target.Page = TPlotRect{0, 0, options.Width, options.Height};
    target.DX = options.Dpi;
    target.DY = options.Dpi;
    target.BaseFontHeight =
        options.BaseFontHeight > 0 ? options.BaseFontHeight : DefaultCanvasFontHeight(options.Dpi);
    TPlotView drawn = PlotViewOf(plot);
    RenderPlot(painter, plot, drawn, target);
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
    if (!WriteImageFile(image, path, format, error)) {
        return false;
    }
    error.clear();
    return true;
}

bool WriteImageFile(const QImage& image,
                    const std::string& path,
                    const char* format,
                    std::string& error)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot save \"" + path + "\": " + file.errorString().toStdString();
        return false;
    }
    if (image.isNull() || !image.save(&file, format)) {
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
