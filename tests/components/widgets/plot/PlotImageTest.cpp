#include "plot/PlotImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "plot/PlotDrawing.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"

namespace {

// ---- example plots ------------------------------------------------------------------------

struct Soil
{
    const char* name;
    long double fill;
    long double bottom;
};

void SetLayers(TGraphPlot& plot, std::initializer_list<Soil> soils)
{
    plot.SetLayerCount(static_cast<int>(soils.size()));
    plot.SetLayerPointCount(1);
    int i = 0;
    for (const Soil& s : soils) {
        plot.Layer(i).Name = s.name;
        plot.LayerPoint(i, 0) = {s.fill, s.bottom};
        ++i;
    }
}

// Capacity against depth for four methods over 100 ft of sand and clay.
void MakeCapacityPlot(TGraphPlot& plot)
{
    plot.SetCaption("Total Capacity vs Depth");
    plot.SetXCaption("Total Capacity ");
    plot.SetXUnits("F1");
    plot.SetYCaption("Depth ");
    plot.SetYUnits("L2");
    plot.SetShowLayers(true);
    plot.SetMarkers(5);
    const char* methods[] = {"FHWA", "USACE", "Lambda 2", "API RP-2A"};
    const long double rates[] = {14, 11, 16.5, 9};
    plot.SetLineCount(4);
    plot.SetPointCount(41);
    for (int i = 0; i < 4; ++i) {
        plot.Line(i).Name = methods[i];
        for (int j = 0; j < 41; ++j) {
            const long double depth = 2.5L * j;
            plot.Point(i, j) = {rates[i] * depth + 0.04L * (i + 1) * depth * depth, depth};
        }
    }
    SetLayers(plot, {{"Sand", 7, 25}, {"Clay", 1, 60}, {"Sand", 7, 80}, {"Silt", 0, 100}});
}

// The capacity plot with a title, larger text, wider lines and the wall-geometry column: a
// sheet-pile wall to 50 ft with the dredge line at 30 ft.
void MakeWallPlot(TGraphPlot& plot)
{
    MakeCapacityPlot(plot);
    plot.SetTitle("Pile P-12, compression");
    plot.SetTitleOnTop(true);
    plot.SetSizeFont(15);
    plot.SetWidthLine(2);
    plot.SetMarkers(10);
    SetLayers(plot,
              {{"Sand", 7, 25},
               {"Clay", 1, 60},
               {"Sand", 7, 80},
               {"Silt", 0, 100},
               {"wall", 0, 50},
               {"level", 0, 30}});
    plot.SetWallLineCount(4);
    plot.SetShowWall(true);
}

// Unit skin friction, accumulated skin friction and tip resistance side by side.
void MakeThreeGraphPlot(TGraphPlot& plot)
{
    plot.SetCaption("Combine Plot");
    plot.SetShowThree(true);
    plot.SetMarkers(0);
    plot.SetXCaption("Unit Skin Friction");
    plot.SetXUnits("F1/L2^2");
    plot.SetYCaption("Depth");
    plot.SetYUnits("L2");
    plot.SetXCaption2("Skin Friction");
    plot.SetXUnits2("F1");
    plot.SetYCaption2("Depth");
    plot.SetYUnits2("L2");
    plot.SetXCaption3("Tip Resistance");
    plot.SetXUnits3("F1");
    plot.SetYCaption3("Depth");
    plot.SetYUnits3("L2");
    plot.SetLineCount(2);
    plot.SetPointCount(21);
    plot.SetCurveCount(2, 2);
    plot.SetCurvePointCount(2, 21);
    plot.SetCurveCount(3, 2);
    plot.SetCurvePointCount(3, 21);
    for (int i = 0; i < 2; ++i) {
        plot.Line(i).Name = i == 0 ? "API RP-2A" : "FHWA";
        for (int j = 0; j < 21; ++j) {
            const long double z = 5.0L * j;
            const long double f = (0.2L + 0.012L * z) * (1 + 0.3L * i);
            plot.Point(i, j) = {f, z};
            plot.Curve(2, i).Points(j) = {(0.2L + 0.006L * z) * z * 4 * (1 + 0.3L * i), z};
            plot.Curve(3, i).Points(j) = {60 + 2.5L * z * (1 - 0.2L * i), z};
        }
    }
}

// t-z curves at three depths, x axis at the bottom.
void MakeTzPlot(TGraphPlot& plot)
{
    plot.SetCaption("Internally-Generated t-z Curves");
    plot.SetXCaption("Displacement, z");
    plot.SetXUnits("L");
    plot.SetXOnTop(false);
    plot.SetYCaption("Unit Load Transfer, t");
    plot.SetYUnits("F/L^2");
    plot.SetMarkers(1);
    // API RP 2A-WSD 21st ed., 6.7.2: clay t-z shape, t/tmax against z/D for a 24 in pile.
    const long double zRatio[] = {0, 0.0016L, 0.0031L, 0.0057L, 0.0080L, 0.0100L, 0.0200L, 0.0300L};
    const long double tRatio[] = {0, 0.30L, 0.50L, 0.75L, 0.90L, 1.00L, 0.80L, 0.80L};
    const long double tMax[] = {4.2L, 7.9L, 11.5L};
    const char* names[] = {"Depth 20 ft", "Depth 45 ft", "Depth 70 ft"};
    plot.SetLineCount(3);
    plot.SetPointCount(8);
    for (int i = 0; i < 3; ++i) {
        plot.Line(i).Name = names[i];
        for (int j = 0; j < 8; ++j) {
            plot.Point(i, j) = {zRatio[j] * 24, tRatio[j] * tMax[i]};
        }
    }
}

// ---- pixel helpers ------------------------------------------------------------------------

bool Same(QRgb pixel, const TPlotColor& c)
{
    return qRed(pixel) == c.R && qGreen(pixel) == c.G && qBlue(pixel) == c.B;
}

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

bool NearColour(const QImage& image, int x, int y, int radius, const TPlotColor& c)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (image.valid(px, py) && Same(image.pixel(px, py), c)) {
                return true;
            }
        }
    }
    return false;
}

// Share of dark pixels in a rectangle (exclusive right and bottom).
double DarkShare(const QImage& image, const TPlotRect& r)
{
    int dark = 0;
    int all = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            dark += Dark(image.pixel(x, y)) ? 1 : 0;
            ++all;
        }
    }
    return all == 0 ? 0.0 : static_cast<double>(dark) / all;
}

// Text extents as the image canvas measures them.
struct TextBox
{
    int width;
    int height;
};

TextBox Measure(int dpi, int factor, int weight, const std::string& text)
{
    QImage scratch(8, 8, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(dpi), dpi);
    SelectScaledFont(canvas, kAngleHorizontal, weight, factor);
    return {canvas.TextWidth(text), canvas.TextHeight(text)};
}

TPlotRect LegendBox(const TGraphPlot& plot, const TPlotView& view, int dpi)
{
    QImage scratch(8, 8, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(dpi), dpi);
    return LegendBoxRect(plot, view, canvas);
}

bool Inside(const TPlotRect& r, int x, int y)
{
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

class PlotImage : public ::testing::TestWithParam<int>
{
protected:
    static void SetUpTestSuite() { EnsureApplication(); }
};

// A 6 x 8 inch capacity plot at 96 and at 300 pixels per inch: curves where the data are,
// hatches inside their bands, captions written.
TEST_P(PlotImage, CapacityPlotWithSoilBandsHasItsStructure)
{
    const int dpi = GetParam();
    TGraphPlot plot;
    MakeCapacityPlot(plot);
    TPlotView view;
    const QImage image = RenderPlotImage(plot, TPlotImageOptions{6 * dpi, 8 * dpi, dpi, 0}, &view);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 6 * dpi);
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, dpi, 0.5);
    const TPlotGeometry& g = view.Geometry;
    const TPlotRect legend = LegendBox(plot, view, dpi);
    const int pen = CurvePenWidth(dpi, plot.WidthLine());

    // Curves: a pixel of the curve's colour at every data point outside the legend box.
    for (int i = 0; i < plot.LineCount(); ++i) {
        const TPlotColor colour = PlotCurveColor(i);
        for (int j = 0; j < plot.PointCount(); j += 4) {
            const TFloatPoint& p = plot.Point(i, j);
            const int px = ValueToPixelX(view.View[0], g.Plot, p.X);
            const int py = ValueToPixelY(view.View[0], g.Plot, p.Y, true);
            // Left out: points under the legend box or under a curve drawn later.
            bool covered = Inside(legend, px, py);
            for (int k = i + 1; k < plot.LineCount() && !covered; ++k) {
                const TFloatPoint& q = plot.Point(k, j);
                covered =
                    std::abs(ValueToPixelX(view.View[0], g.Plot, q.X) - px) <= 3 * pen
                    && std::abs(ValueToPixelY(view.View[0], g.Plot, q.Y, true) - py) <= 3 * pen;
            }
            if (covered) {
                continue;
            }
            EXPECT_TRUE(NearColour(image, px, py, pen + 1, colour))
                << "curve " << i << " point " << j;
        }
    }
    // ... and none of the curve colours strays outside the plot (the legend box aside).
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (Inside(g.Plot, x, y) || Inside(legend, x, y)) {
                continue;
            }
            const QRgb pixel = image.pixel(x, y);
            for (int i = 1; i < plot.LineCount(); ++i) {
                ASSERT_FALSE(Same(pixel, PlotCurveColor(i)))
                    << "curve colour at " << x << ", " << y;
            }
        }
    }

    // Bands: a strip at the left of each band, clear of its outline and its centred name.
    const TPlotRect& column = g.LayerColumn;
    const auto strip = [&](long double top, long double bottom) {
        const int t = ValueToPixelY(view.View[0], g.Plot, top, true) + pen + 2;
        const int b = ValueToPixelY(view.View[0], g.Plot, bottom, true) - pen - 2;
        return TPlotRect{column.Left + pen + 2, t, column.Left + column.Width() / 5, b};
    };
    const double sand = DarkShare(image, strip(0, 25));
    const double clay = DarkShare(image, strip(25, 60));
    const double silt = DarkShare(image, strip(80, 100));
    EXPECT_GT(sand, 0.02);
    EXPECT_LT(sand, 0.3);
    EXPECT_GT(clay, 0.05);
    EXPECT_LT(clay, 0.4);
    EXPECT_EQ(silt, 0.0); // no fill
    // Clay lines run from top left to bottom right: ink continues a few pixels down-right,
    // not down-left (a step long enough to leave a line of any width across it).
    const TPlotRect c = strip(25, 60);
    const int step = std::max(3, 3 * dpi / 96);
    int downRight = 0, downLeft = 0;
    for (int y = c.Top; y + step < c.Bottom; ++y) {
        for (int x = c.Left + step; x + step < c.Right; ++x) {
            if (Dark(image.pixel(x, y))) {
                downRight += Dark(image.pixel(x + step, y + step)) ? 1 : 0;
                downLeft += Dark(image.pixel(x - step, y + step)) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(downRight, 4 * downLeft);
    // Outside the column and the plot, right of the plot, the page stays white.
    EXPECT_EQ(
        DarkShare(image, TPlotRect{g.Plot.Right + 2, g.Plot.Top, column.Left - 1, g.Plot.Bottom}),
        0.0);

    // Captions: the x caption centred at the top, the y caption along the left edge.
    const std::string xCaption = "Total Capacity  (kips)";
    const TextBox x = Measure(dpi, plot.SizeFont(), kFontWeightBold, xCaption);
    const int xLeft = (image.width() - x.width) / 2;
    EXPECT_GT(DarkShare(image, TPlotRect{xLeft, 0, xLeft + x.width, x.height}), 0.04);
    EXPECT_EQ(DarkShare(image, TPlotRect{0, 0, xLeft - 2, x.height}), 0.0);
    const TextBox y = Measure(dpi, plot.SizeFont(), kFontWeightBold, "Depth  (ft)");
    const int yTop = (image.height() - y.width) / 2;
    EXPECT_GT(DarkShare(image, TPlotRect{0, yTop, y.height, yTop + y.width}), 0.04);
    EXPECT_EQ(DarkShare(image, TPlotRect{0, g.Plot.Top, y.height, yTop - 2}), 0.0);

    // Frame on the plot's edges.
    const int midY = (g.Plot.Top + g.Plot.Bottom) / 2;
    EXPECT_TRUE(Dark(image.pixel(g.Plot.Left, midY)));
    EXPECT_TRUE(Dark(image.pixel(g.Plot.Right, midY)));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, PlotImage, ::testing::Values(96, 300));

class PlotImageFiles : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureApplication(); }
    QTemporaryDir m_dir;
};

TEST_F(PlotImageFiles, SavesPngAndBmpAndRefusesWhatItCannotWrite)
{
    ASSERT_TRUE(m_dir.isValid());
    TGraphPlot plot;
    MakeTzPlot(plot);
    const TPlotImageOptions options{432, 288, 72, 0};
    std::string error;
    for (const char* name : {"tz.png", "tz.BMP"}) {
        const std::string path = m_dir.filePath(name).toStdString();
        ASSERT_TRUE(SavePlotImage(plot, path, options, error)) << error;
        const QImage back(QString::fromStdString(path));
        ASSERT_FALSE(back.isNull()) << name;
        EXPECT_EQ(back.width(), 432);
        EXPECT_EQ(back.height(), 288);
    }

    const std::string jpg = m_dir.filePath("tz.jpg").toStdString();
    EXPECT_FALSE(SavePlotImage(plot, jpg, options, error));
    EXPECT_NE(error.find("tz.jpg"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(jpg)));

    const std::string missing = m_dir.filePath("no/such/folder/tz.png").toStdString();
    EXPECT_FALSE(SavePlotImage(plot, missing, options, error));
    EXPECT_NE(error.find("tz.png"), std::string::npos);

    // A size that cannot be made leaves an existing file as it was.
    const std::string kept = m_dir.filePath("tz.png").toStdString();
    const QByteArray before = [&] {
        QFile f(QString::fromStdString(kept));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_FALSE(SavePlotImage(plot, kept, TPlotImageOptions{0, 288, 72, 0}, error));
    EXPECT_FALSE(
        SavePlotImage(plot, kept, TPlotImageOptions{kMaxPlotImageSide + 1, 10, 72, 0}, error));
    QFile after(QString::fromStdString(kept));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

// Writes example plots for a person to look at: into QUARN_PLOT_OUT when set, else into a new
// temporary folder that is kept. Prints the paths.
TEST_F(PlotImageFiles, WritesExamplePlots)
{
    QString folder = qEnvironmentVariable("QUARN_PLOT_OUT");
    if (folder.isEmpty()) {
        QTemporaryDir kept(QDir::temp().filePath("quarn-plot-examples-XXXXXX"));
        ASSERT_TRUE(kept.isValid());
        kept.setAutoRemove(false);
        folder = kept.path();
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Example
    {
        const char* file;
        void (*make)(TGraphPlot&);
        TPlotImageOptions options;
    } examples[] = {
        {"capacity-96dpi.png", MakeCapacityPlot, {576, 768, 96, 0}},
        {"capacity-300dpi.png", MakeCapacityPlot, {1800, 2400, 300, 0}},
        {"three-graphs.png", MakeThreeGraphPlot, {960, 640, 96, 0}},
        {"tz-curves.png", MakeTzPlot, {768, 576, 96, 0}},
        {"wall-title-150dpi.png", MakeWallPlot, {900, 1200, 150, 0}},
    };
    for (const Example& e : examples) {
        TGraphPlot plot;
        e.make(plot);
        const std::string path = QDir(folder).filePath(e.file).toStdString();
        std::string error;
        ASSERT_TRUE(SavePlotImage(plot, path, e.options, error)) << error;
        std::cout << "example plot: " << path << '\n';
    }
}

} // namespace
