#pragma once

#include <string>

#include <QImage>

#include "plot/PlotLayout.h"

class TGraphPlot;

// A chart drawn into an image by the one drawing routine, as a saved bitmap shows it: legend
// box included, layout and sizes from the image's own resolution.
struct TPlotImageOptions
{
    int Width = 576;  // pixels
    int Height = 384; // pixels
    int Dpi = 96;     // pixels per inch, also recorded in the file
    // Height of the canvas font in pixels that chart text is scaled from; 0 = the default
    // font of a fresh canvas (8 points at Dpi).
    int BaseFontHeight = 0;
};

// Pixel limit of either side of an image, far above any page, so that a mistyped size does not
// exhaust memory.
inline constexpr int kMaxPlotImageSide = 30000;

// Renders the plot. `view` (optional) receives the view that was drawn, for callers that want
// to know where things went. A size outside 1..kMaxPlotImageSide or a failed allocation gives
// a null image.
QImage RenderPlotImage(const TGraphPlot& plot,
                       const TPlotImageOptions& options,
                       TPlotView* view = nullptr);

// Renders and writes the plot to a file: PNG or Windows bitmap by the extension (".png",
// ".bmp", any case; anything else is refused). The file is replaced only when the whole image
// was written. On failure returns false with a message naming the file.
bool SavePlotImage(const TGraphPlot& plot,
                   const std::string& path,
                   const TPlotImageOptions& options,
                   std::string& error);

// Writes the image in the format ("PNG", "BMP") beside the file and renames it over the file
// only when the whole image was written. On failure returns false with a message naming the
// file.
bool WriteImageFile(const QImage& image,
                    const std::string& path,
                    const char* format,
                    std::string& error);
