#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "ProjectTables.h"
#include "QtTestApplication.h"
#include "WindowTestFixture.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "main/TMainForm.h"
#include "plot/PlotRecordingCanvas.h"
#include "seams/MessageSeam.h"
#include "seams/PrintSeam.h"
#include "views/SideViewDrawing.h"
#include "views/TDlgSideView.h"

namespace fs = std::filesystem;

namespace {

using Kind = TPlotRecordingCanvas::Kind;

constexpr long double kWorldTolerance = 1e-12L;
constexpr long double kHandTolerance = 1e-5L; // values worked out by hand to 6 digits
constexpr int kFontHeight = 14;

// The worked example: a 24 in pipe, 60 ft long with 10 ft above ground, in sand to 20 ft,
// clay to 50 ft and silt to 80 ft. Its head is 2 ft wide; the extent before the aspect
// correction is x -1.05 .. 1.05, y -10.5 .. 84 (80 ft x 1.05).
const std::vector<TSoilLayerRow> kLayers = {{1, 20}, {2, 50}, {3, 80}};

TProgramData ExampleData(long double taperAngle = 0)
{
    TProgramData data;
    data.UnitSystem = 1;
    data.OD = 24;
    data.TL = 60;
    data.PSL = 10;
    data.TaperAngle = taperAngle;
    return data;
}

void ExpectWindow(const TWorldWindow& w,
                  long double xMin,
                  long double xMax,
                  long double yMin,
                  long double yMax,
                  long double tolerance)
{
    EXPECT_NEAR(w.XMin, xMin, tolerance);
    EXPECT_NEAR(w.XMax, xMax, tolerance);
    EXPECT_NEAR(w.YMin, yMin, tolerance);
    EXPECT_NEAR(w.YMax, yMax, tolerance);
}

std::vector<std::pair<int, int>> Points(const TPlotRecordingCanvas& canvas)
{
    std::vector<std::pair<int, int>> points;
    for (const auto& op : canvas.Operations()) {
        if (op.What == Kind::MoveTo || op.What == Kind::LineTo) {
            points.emplace_back(op.X1, op.Y1);
        }
    }
    return points;
}

// Draws the model at the client size after the aspect correction.
TPlotRecordingCanvas DrawAt(const TSideViewModel& model, int width, int height)
{
    TSideViewMapping mapping{{}, width, height};
    EXPECT_TRUE(CorrectAspect(model.BaseWindow, width, height, mapping.View));
    TPlotRecordingCanvas canvas(kFontHeight);
    TPlotFont font;
    font.Height = kFontHeight;
    DrawSideView(canvas, model, mapping, TSideViewColors{}, font);
    return canvas;
}

// ---- geometry and drawing, without a window ------------------------------------------------

TEST(ElevationGeometry, PileOutlineAndExtentOfTheExample)
{
    const TSideViewModel model = BuildSideView(ExampleData(), kLayers);
    EXPECT_NEAR(model.PileWidth, 2.0L, kWorldTolerance);
    EXPECT_NEAR(model.PileLength, 60.0L, kWorldTolerance);
    ASSERT_EQ(model.Outlines.size(), 1u);
    const TPileOutline& o = model.Outlines[0];
    EXPECT_EQ(o.TopLeft, (TWorldPoint{-1, -10}));
    EXPECT_EQ(o.TopRight, (TWorldPoint{1, -10}));
    EXPECT_EQ(o.BottomLeft, (TWorldPoint{-1, 50}));
    EXPECT_EQ(o.BottomRight, (TWorldPoint{1, 50}));
    ExpectWindow(model.BaseWindow, -1.05L, 1.05L, -10.5L, 84.0L, kWorldTolerance);
}

TEST(ElevationGeometry, TaperNarrowsTheTipOnBothSides)
{
    // 0.5 degree: tan(0.5 x 3.1416 / 180) = 0.00872687, so each side moves in by 0.523612 ft
    // over the 60 ft length.
    const TSideViewModel model = BuildSideView(ExampleData(0.5L), kLayers);
    const TPileOutline& o = model.Outlines.at(0);
    EXPECT_EQ(o.TopLeft, (TWorldPoint{-1, -10}));
    EXPECT_EQ(o.TopRight, (TWorldPoint{1, -10}));
    EXPECT_NEAR(o.BottomLeft.X, -1 + 0.523612L, kHandTolerance);
    EXPECT_NEAR(o.BottomRight.X, 1 - 0.523612L, kHandTolerance);
    EXPECT_NEAR(o.BottomLeft.Y, 50.0L, kWorldTolerance);
    // The head is the widest part, so the extent is as without taper.
    ExpectWindow(model.BaseWindow, -1.05L, 1.05L, -10.5L, 84.0L, kWorldTolerance);
}

TEST(ElevationGeometry, PileWidthByShapeAndUnits)
{
    struct TCase
    {
        const char* name;
        int units;
        long double od;
        long double perimeter;
        long double width;
    };
    const TCase cases[] = {
        {"English pipe, inches to feet", 1, 24, 0, 2.0L},
        {"noncircular: a quarter of the perimeter", 1, 0, 48, 1.0L},
        {"SI pipe, millimetres to metres", 2, 610, 0, 0.61L},
        {"SI noncircular", 2, 0, 2000, 0.5L},
    };
    for (const TCase& c : cases) {
        TProgramData data = ExampleData();
        data.UnitSystem = c.units;
        data.OD = c.od;
        data.Perimeter = c.perimeter;
        const TSideViewModel model = BuildSideView(data, kLayers);
        EXPECT_NEAR(model.PileWidth, c.width, kWorldTolerance) << c.name;
        EXPECT_NEAR(model.Outlines.at(0).TopRight.X, c.width / 2, kWorldTolerance) << c.name;
    }
}

TEST(ElevationGeometry, WithoutStickUpTheExtentStartsAtTheGround)
{
    TProgramData data = ExampleData();
    data.PSL = 0;
    data.TL = 100; // below the last layer: the pile sets the bottom
    const TSideViewModel model = BuildSideView(data, kLayers);
    ExpectWindow(model.BaseWindow, -1.05L, 1.05L, 0, 105.0L, kWorldTolerance);
}

TEST(ElevationGeometry, AspectCorrectionGivesOneScale)
{
    struct TCase
    {
        TWorldWindow base;
        int width;
        int height;
        TWorldWindow view; // worked out by hand
    };
    const TCase cases[] = {
        // r = (600 / 400) / (2.1 / 94.5) = 67.5 >= 1: x widened
        {{-1.05L, 1.05L, -10.5L, 84}, 600, 400, {-70.875L, 70.875L, -10.5L, 84}},
        // the default extent: r = 1.5 / 2 = 0.75 < 1: y divided by r
        {{-10, 10, 0, 10}, 600, 400, {-10, 10, 0, 13.333333L}},
        // no pile width: x takes its span from y (94.5 x 1.5 = 141.75), centred on the axis
        {{0, 0, -10.5L, 84}, 600, 400, {-70.875L, 70.875L, -10.5L, 84}},
        // no depth: y takes its span from x (2 / 1.5), centred on the ground
        {{-1, 1, 0, 0}, 600, 400, {-1, 1, -0.666667L, 0.666667L}},
    };
    for (const TCase& c : cases) {
        TWorldWindow view;
        ASSERT_TRUE(CorrectAspect(c.base, c.width, c.height, view));
        ExpectWindow(view, c.view.XMin, c.view.XMax, c.view.YMin, c.view.YMax, kHandTolerance);
        EXPECT_NEAR((view.XMax - view.XMin) / c.width,
                    (view.YMax - view.YMin) / c.height,
                    kWorldTolerance);
    }
}

TEST(ElevationGeometry, ViewsThatCannotBeMapped)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct TCase
    {
        const char* name;
        TWorldWindow base;
        int width;
        int height;
    };
    const TCase cases[] = {
        {"empty in both directions", {0, 0, 0, 0}, 600, 400},
        {"no client width", {-10, 10, 0, 10}, 0, 400},
        {"no client height", {-10, 10, 0, 10}, 600, 0},
        {"infinite bound", {-10, 10, 0, inf}, 600, 400},
        {"NaN bound", {nan, 10, 0, 10}, 600, 400},
        {"span beyond the range", {-1e4932L, 1e4932L, 0, 10}, 600, 400},
    };
    for (const TCase& c : cases) {
        TWorldWindow view;
        EXPECT_FALSE(CorrectAspect(c.base, c.width, c.height, view)) << c.name;
    }
    // A pile whose taper cannot be computed spoils the extent.
    TProgramData data = ExampleData();
    data.TL = inf;
    TWorldWindow view;
    EXPECT_FALSE(CorrectAspect(BuildSideView(data, kLayers).BaseWindow, 600, 400, view));
}

TEST(ElevationDrawing, ExampleOnA600By400Client)
{
    // View x -70.875 .. 70.875, y -10.5 .. 84: 600 / 141.75 = 400 / 94.5 = 4.2328 px per ft.
    // Ground y = 400 x 10.5 / 94.5 = 44.4 -> 44; 20 ft -> 129.1 -> 129; 50 ft -> 256.1 -> 256;
    // 80 ft -> 383.1 -> 383; head (-10 ft) -> 2.1 -> 2. Pile x -1 -> 295.8 -> 296, 1 -> 304.2
    // -> 304.
    const TSideViewModel model = BuildSideView(ExampleData(), kLayers);
    const TPlotRecordingCanvas canvas = DrawAt(model, 600, 400);

    const auto fills = canvas.Of(Kind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Rect, (TPlotRect{0, 0, 600, 400}));
    EXPECT_EQ(fills[0].Brush.Color, kPlotWhite);
    // No taper: every row of the pile has the same span.
    EXPECT_EQ(fills[1].Rect, (TPlotRect{296, 2, 305, 257}));
    EXPECT_EQ(fills[1].Brush.Color, kPlotBlack);

    std::vector<std::pair<int, int>> expected = {{0, 44}, {600, 44}};
    for (int j = 1; j <= 20; ++j) {
        expected.insert(expected.end(), {{100 + 20 * j, 44}, {115 + 20 * j, 49}});
    }
    expected.insert(expected.end(),
                    {{0, 129},
                     {600, 129},
                     {0, 256},
                     {600, 256},
                     {0, 383},
                     {600, 383},
                     // the outline: top-left, top-right, bottom-right, bottom-left, closed
                     {296, 2},
                     {304, 2},
                     {304, 256},
                     {296, 256},
                     {296, 2}});
    EXPECT_EQ(Points(canvas), expected);

    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "depth= 0 - 20; Sand");
    EXPECT_EQ(texts[1].Text, "depth= 20 - 50; Clay");
    EXPECT_EQ(texts[2].Text, "depth= 50 - 80; Silt");
    // One text height below the top of the layer, at the left edge.
    EXPECT_EQ(std::make_pair(texts[0].X1, texts[0].Y1), std::make_pair(0, 44 + kFontHeight));
    EXPECT_EQ(std::make_pair(texts[1].X1, texts[1].Y1), std::make_pair(0, 129 + kFontHeight));
    EXPECT_EQ(std::make_pair(texts[2].X1, texts[2].Y1), std::make_pair(0, 256 + kFontHeight));
}

TEST(ElevationDrawing, TaperedOutlineCorners)
{
    // 0.5 degree over 60 ft: tip half-width 1 - 0.523612 = 0.476388 ft; x 0.476388 -> 300 +
    // 0.476388 x 4.23280 = 302.02 -> 302 and -0.476388 -> 297.98 -> 298.
    const TSideViewModel model = BuildSideView(ExampleData(0.5L), kLayers);
    const TPlotRecordingCanvas canvas = DrawAt(model, 600, 400);
    const auto points = Points(canvas);
    ASSERT_GE(points.size(), 5u);
    const std::vector<std::pair<int, int>> outline(points.end() - 5, points.end());
    EXPECT_EQ(
        outline,
        (std::vector<std::pair<int, int>>{{296, 2}, {304, 2}, {302, 256}, {298, 256}, {296, 2}}));
    // The fill narrows row by row: widest at the head, narrowest at the tip.
    const auto fills = canvas.Of(Kind::FillRect);
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[1].Rect.Top, 2);
    EXPECT_EQ(fills[1].Rect.Left, 296);
    EXPECT_EQ(fills[1].Rect.Right, 305);
    EXPECT_EQ(fills.back().Rect.Bottom, 257);
    EXPECT_EQ(fills.back().Rect.Left, 298);
    EXPECT_EQ(fills.back().Rect.Right, 303);
}

TEST(ElevationDrawing, WithoutLayersTheGroundLineAndAMessage)
{
    TProgramData data = ExampleData();
    const TSideViewModel model = BuildSideView(data, {});
    EXPECT_TRUE(model.Outlines.empty());
    ExpectWindow(model.BaseWindow, -10, 10, 0, 10, kWorldTolerance);
    // 600 x 400 over 20 x 10: the depth range grows to 0 .. 13.33, the ground on the top row.
    const TPlotRecordingCanvas canvas = DrawAt(model, 600, 400);
    const auto fills = canvas.Of(Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TPlotRect{0, 0, 600, 400}));
    const auto points = Points(canvas);
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points[0], std::make_pair(0, 0));
    EXPECT_EQ(points[1], std::make_pair(600, 0));
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text,
              "There are no soil layers below the ground yet: enter them in Data > Soil Layers.");
    // A new project's one row, ending at the ground, is no profile either.
    const TSideViewModel atGround = BuildSideView(data, {{1, 0}});
    EXPECT_TRUE(atGround.Layers.empty());
    EXPECT_TRUE(atGround.Outlines.empty());
    ExpectWindow(atGround.BaseWindow, -10, 10, 0, 10, kWorldTolerance);
    EXPECT_GT(texts[0].Y1, 5) << "below the ground line's hatching";
    EXPECT_EQ(PrintedDepthScale(model), 0);
}

// A window too narrow for the labels beside the pile: a label that meets the pile is written
// on a patch of the background, one below the tip is not.
TEST(ElevationDrawing, LabelsOverThePileStandOnTheBackground)
{
    // 200 x 400: x -23.625 .. 23.625 at 4.2328 px per ft; the pile spans x 96 .. 104 and
    // y 2 .. 256. Labels are 7 px a character: "depth= 0 - 20; Sand" 133 px at y 44 + 14.
    const TSideViewModel model = BuildSideView(ExampleData(), kLayers);
    const TPlotRecordingCanvas canvas = DrawAt(model, 200, 400);
    const auto fills = canvas.Of(Kind::FillRect);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[1].Rect, (TPlotRect{96, 2, 105, 257})); // the pile
    EXPECT_EQ(fills[2].Rect, (TPlotRect{0, 58, 139, 72}));
    EXPECT_EQ(fills[2].Brush.Color, kPlotWhite);
    EXPECT_EQ(fills[3].Rect, (TPlotRect{0, 143, 146, 157}));
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(std::make_pair(texts[2].X1, texts[2].Y1), std::make_pair(0, 256 + kFontHeight));
    // Written after the pile, so nothing covers them.
    const auto& ops = canvas.Operations();
    const auto firstText =
        std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.What == Kind::Text; });
    const auto pileFill = std::find_if(ops.begin(), ops.end(), [](const auto& op) {
        return op.What == Kind::FillRect && op.Brush.Color == kPlotBlack;
    });
    EXPECT_LT(pileFill - ops.begin(), firstText - ops.begin());
}

// Below the window's own controls: the extent maps onto the rows under a band at one scale.
TEST(ElevationGeometry, DrawingStartsBelowTheControls)
{
    // 600 x 440 with a 40-row band: the example on 600 x 400 gives x -70.875 .. 70.875 and
    // y -10.5 .. 84; the band adds 94.5 x 40 / 400 = 9.45 ft above: y -19.95 .. 84.
    const TSideViewModel model = BuildSideView(ExampleData(), kLayers);
    TWorldWindow view;
    ASSERT_TRUE(CorrectAspectBelow(model.BaseWindow, 600, 440, 40, view));
    ExpectWindow(view, -70.875L, 70.875L, -19.95L, 84.0L, kHandTolerance);
    const TSideViewMapping mapping{view, 600, 440};
    EXPECT_EQ(mapping.PixelY(-10.5L), 40); // the extent's top on the first row below the band
    EXPECT_EQ(mapping.PixelY(84), 440);
    // No room below the band: the whole client.
    TWorldWindow whole;
    ASSERT_TRUE(CorrectAspectBelow(model.BaseWindow, 600, 30, 40, view));
    ASSERT_TRUE(CorrectAspect(model.BaseWindow, 600, 30, whole));
    EXPECT_EQ(view, whole);
}

TEST(ElevationDrawing, Labels)
{
    EXPECT_EQ(SoilLayerLabel(0, 12.5L, 1), "depth= 0 - 12.5; Sand");
    EXPECT_EQ(SoilLayerLabel(12.5L, 30, 2), "depth= 12.5 - 30; Clay");
    EXPECT_EQ(SoilLayerLabel(30, 31.25L, 3), "depth= 30 - 31.25; Silt");
    // Depths converted from feet: 20 ft and 40 ft are 6.096 m and 12.192 m, and a conversion
    // leaves digits an engineer does not read; ten significant digits show the depth.
    EXPECT_EQ(SoilLayerLabel(6.09600000002438L, 12.19200000004876L, 2),
              "depth= 6.096 - 12.192; Clay");
    EXPECT_EQ(SoilLayerLabel(0, 1, 0), "");
    EXPECT_EQ(SoilLayerLabel(0, 1, 4), "");
    EXPECT_EQ(DepthCaption(12.34L), "  Depth: 12.3");
    EXPECT_EQ(DepthCaption(-10.5L), "  Depth: -10.5");
    EXPECT_EQ(DepthCaption(-0.04L), "  Depth: 0.0");
}

TEST(ElevationDrawing, PrintedProfileOnALandscapePage)
{
    // Page 1000 x 800, bottom of the last layer 80 ft: y = d / 80 x 640 + 80 = 8 d + 80.
    // Ground 80, 20 ft 240, 50 ft 480, 80 ft 720. Pile: half-width 2 / 80 x 640 = 16,
    // length 60 / 80 x 640 = 480 from the ground line.
    const TSideViewModel model = BuildSideView(ExampleData(), kLayers);
    TPlotRecordingCanvas canvas(kFontHeight);
    TPlotFont font;
    font.Height = kFontHeight;
    ASSERT_TRUE(DrawPrintedProfile(canvas, model, 1000, 800, TSideViewColors{}, font));

    const auto fills = canvas.Of(Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TPlotRect{100, 80, 900, 720}));

    std::vector<std::pair<int, int>> expected = {{100, 80}, {900, 80}};
    for (int j = 1; j <= 10; ++j) {
        // 800 x 0.35 = 280, 800 x 0.365 = 292
        expected.insert(expected.end(), {{280 + 50 * j, 80}, {292 + 50 * j, 150}});
    }
    expected.insert(expected.end(),
                    {{100, 240}, {900, 240}, {100, 480}, {900, 480}, {100, 720}, {900, 720}});
    EXPECT_EQ(Points(canvas), expected);
    for (const auto& op : canvas.Of(Kind::LineTo)) {
        EXPECT_EQ(op.Pen.Width, 12);
    }

    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Text, "depth= 20 - 50; Clay");
    EXPECT_EQ(std::make_pair(texts[0].X1, texts[0].Y1), std::make_pair(120, 80 + kFontHeight));
    EXPECT_EQ(std::make_pair(texts[1].X1, texts[1].Y1), std::make_pair(120, 240 + kFontHeight));

    const auto rects = canvas.Of(Kind::Rectangle);
    ASSERT_EQ(rects.size(), 16u);
    EXPECT_EQ(rects.front().Rect, (TPlotRect{499, 80, 501, 560}));
    EXPECT_EQ(rects.back().Rect, (TPlotRect{484, 80, 516, 560}));
    EXPECT_EQ(rects.back().Brush.Style, TPlotBrushStyle::Clear);
}

TEST(ElevationDrawing, NothingToPrintWithoutADepthScale)
{
    struct TCase
    {
        const char* name;
        std::vector<TSoilLayerRow> layers;
    };
    const TCase cases[] = {
        {"no layers", {}},
        {"last layer at the ground", {{1, 20}, {2, 0}}},
        {"last layer above the ground", {{1, -5}}},
    };
    for (const TCase& c : cases) {
        const TSideViewModel model = BuildSideView(ExampleData(), c.layers);
        TPlotRecordingCanvas canvas;
        EXPECT_FALSE(DrawPrintedProfile(canvas, model, 1000, 800, TSideViewColors{}, TPlotFont{}))
            << c.name;
        EXPECT_TRUE(canvas.Operations().empty()) << c.name;
    }
    // A layer far shallower than the pile is wide: the pile is cut at the page edge instead of
    // drawing millions of outlines.
    const TSideViewModel thin = BuildSideView(ExampleData(), {{1, 1e-9L}});
    TPlotRecordingCanvas canvas;
    ASSERT_TRUE(DrawPrintedProfile(canvas, thin, 1000, 800, TSideViewColors{}, TPlotFont{}));
    EXPECT_EQ(canvas.Of(Kind::Rectangle).size(), 500u);
}

// ---- the window in the main window ---------------------------------------------------------

// The Elevation View of a shown main window (the shared window-test set-up), printing to a PDF
// file of the test's folder.
class ElevationViewTest : public WindowTest
{
protected:
    fs::path PdfPath() const { return Folder().Path() / "profile.pdf"; }

    // Puts the worked example into the project.
    void SetExample()
    {
        TProgramData& data = Form().Data();
        const TProgramData example = ExampleData();
        data.OD = example.OD;
        data.TL = example.TL;
        data.PSL = example.PSL;
        data.TaperAngle = example.TaperAngle;
        TGridTable& d = Form().Tables().D();
        d.SetRowCount(static_cast<int>(kLayers.size()));
        for (int row = 0; row < d.RowCount(); ++row) {
            d.Columns(SoilColumn::kSoilType).SetInteger(row, kLayers[row].SoilType);
            d.Columns(SoilColumn::kBottomDepth).SetFloat(row, kLayers[row].BottomDepth);
        }
    }

    TDlgSideView* View() { return Form().findChild<TDlgSideView*>(); }

    TDlgSideView& Open(const char* actionName = "mSideView")
    {
        QAction* action = Form().findChild<QAction*>(actionName);
        EXPECT_NE(action, nullptr) << actionName;
        EXPECT_TRUE(action->isEnabled()) << actionName;
        action->trigger();
        TDlgSideView* view = View();
        EXPECT_NE(view, nullptr);
        return *view;
    }

    static std::string Caption(TDlgSideView& view)
    {
        return view.SubWindow()->windowTitle().toStdString();
    }

    static void MoveMouse(TDlgSideView& view, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove,
                         QPointF(at),
                         view.mapToGlobal(QPointF(at)),
                         Qt::NoButton,
                         Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }

    int PrintAsks = 0;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    std::string DocName;

private:
    TPrinterAvailabilitySeam::Override m_noPrinter{[] {
        return false;
    }};
    TPrintSeam::Override m_print{[this](QPrinter& printer, QWidget*) {
        ++PrintAsks;
        Orientation = printer.pageLayout().orientation();
        DocName = printer.docName().toStdString();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(PdfPath().string()));
        return true;
    }};
};

TEST_F(ElevationViewTest, OpensFromTheMenuAndTheToolBarOnce)
{
    SetExample();
    TDlgSideView& view = Open();
    EXPECT_EQ(view.objectName().toStdString(), "TDlgSideView");
    EXPECT_EQ(Caption(view), "Elevation View");
    EXPECT_EQ(view.SubWindow()->size(), QSize(kSideViewWidth, kSideViewHeight));
    EXPECT_EQ(view.findChild<QPushButton*>("Button1")->text().toStdString(), "Print");
    // The tool button brings the same window back rather than a second one.
    Open("sbSideView");
    EXPECT_EQ(Form().findChildren<TDlgSideView*>().size(), 1);
    EXPECT_EQ(View(), &view);
    view.CloseWindow();
    Settle();
    EXPECT_EQ(View(), nullptr);
    Open("sbSideView");
    EXPECT_NE(View(), nullptr);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ElevationViewTest, ShowsTheProjectToScale)
{
    SetExample();
    TDlgSideView& view = Open();
    ASSERT_FALSE(view.ViewBroken());
    ASSERT_EQ(view.Outlines().size(), 1u);
    EXPECT_EQ(view.Outlines()[0].BottomRight, (TWorldPoint{1, 50}));
    ExpectWindow(view.BaseWindow(), -1.05L, 1.05L, -10.5L, 84.0L, kWorldTolerance);
    const auto sameScale = [&view] {
        const TWorldWindow& w = view.ViewWindow();
        EXPECT_NEAR((w.XMax - w.XMin) / view.width(),
                    (w.YMax - w.YMin) / view.height(),
                    kWorldTolerance);
    };
    sameScale();
    // Resizing keeps the pile to scale.
    view.SubWindow()->resize(900, 300);
    sameScale();
    view.SubWindow()->resize(300, 700);
    sameScale();
    // The window paints without a display.
    EXPECT_FALSE(view.grab().isNull());
    // It only reads the project.
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(ElevationViewTest, ActivationRebuildsFromTheProject)
{
    SetExample();
    TDlgSideView& view = Open();
    Form().Data().PSL = 0;
    Form().Data().TL = 100;
    QMetaObject::invokeMethod(&view, "FormActivate");
    ExpectWindow(view.BaseWindow(), -1.05L, 1.05L, 0, 105.0L, kWorldTolerance);
    EXPECT_NEAR(view.PileLength(), 100.0L, kWorldTolerance);
}

TEST_F(ElevationViewTest, MouseDepthInTheCaption)
{
    SetExample();
    TDlgSideView& view = Open();
    // The example's client is wider than its 2.1 by 94.5 ft extent, so the depth range stays
    // -10.5 .. 84: the top row reads the stick-up above the ground, the bottom row 84 ft.
    ASSERT_GT(static_cast<double>(view.width()) / view.height(), 2.1 / 94.5);
    // The drawing starts below the label and the button: the pile's head lies under them.
    QPoint head;
    ASSERT_TRUE(view.WorldToScreen({0, -10.5L}, head));
    for (const char* control : {"Label1", "Button1"}) {
        auto* widget = view.findChild<QWidget*>(control);
        ASSERT_NE(widget, nullptr) << control;
        EXPECT_LT(widget->geometry().bottom(), head.y()) << control << " stands on the drawing";
    }
    MoveMouse(view, QPoint(10, head.y()));
    EXPECT_EQ(Caption(view), "  Depth: -10.5");
    MoveMouse(view, QPoint(10, view.height()));
    EXPECT_EQ(Caption(view), "  Depth: 84.0");
    // The ground line's row reads zero within half a pixel (0.12 ft here).
    QPoint ground;
    ASSERT_TRUE(view.WorldToScreen({0, 0}, ground));
    TWorldPoint world;
    ASSERT_TRUE(view.ScreenToWorld(ground, world));
    EXPECT_LT(std::fabs(static_cast<double>(world.Y)), 0.5 * 94.5 / view.height());
}

TEST_F(ElevationViewTest, NewProjectSaysThereAreNoLayersAndABrokenViewRecovers)
{
    // The new project: no length, no width, one layer ending at the ground. The default
    // extent is drawn with the ground line and a line saying what is missing.
    TDlgSideView& view = Open();
    EXPECT_FALSE(view.ViewBroken());
    TPlotRecordingCanvas canvas;
    view.FormPaint(canvas);
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, kNoSoilLayersText);
    QPoint ground;
    ASSERT_TRUE(view.WorldToScreen({0, 0}, ground));
    EXPECT_GT(ground.y(), view.findChild<QWidget*>("Button1")->geometry().bottom());
    EXPECT_FALSE(view.grab().isNull());

    // Printing says why nothing is printed instead of asking for a file.
    view.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(PrintAsks, 0);
    EXPECT_FALSE(fs::exists(PdfPath()));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("cannot be printed"), std::string::npos);

    // A pile whose length is no number cannot be mapped: nothing drawn, no depth shown.
    SetExample();
    Form().Data().TL = std::numeric_limits<long double>::infinity();
    QMetaObject::invokeMethod(&view, "FormActivate");
    EXPECT_TRUE(view.ViewBroken());
    TPlotRecordingCanvas broken;
    view.FormPaint(broken);
    EXPECT_TRUE(broken.Operations().empty());
    QPoint pixel;
    EXPECT_FALSE(view.WorldToScreen({0, 0}, pixel));
    MoveMouse(view, QPoint(20, 20));
    EXPECT_EQ(Caption(view), "Elevation View");
    view.SubWindow()->resize(500, 300);
    EXPECT_TRUE(view.ViewBroken());

    // Once the project has a pile and layers, the next activation draws it.
    SetExample();
    QMetaObject::invokeMethod(&view, "FormActivate");
    EXPECT_FALSE(view.ViewBroken());
    view.FormPaint(canvas);
    EXPECT_FALSE(canvas.Operations().empty());
}

TEST_F(ElevationViewTest, PrintsOneLandscapePageToPdf)
{
    SetExample();
    TDlgSideView& view = Open();
    view.findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(PrintAsks, 1);
    EXPECT_EQ(Orientation, QPageLayout::Landscape);
    EXPECT_EQ(DocName, kSideViewPrintTitle);
    std::ifstream in(PdfPath(), std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(pdf.size(), 4u);
    EXPECT_EQ(pdf.substr(0, 4), "%PDF");
}

TEST_F(ElevationViewTest, PrintFailureIsReported)
{
    SetExample();
    TDlgSideView& view = Open();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((PdfPath() / "no-such" / "x.pdf").string()));
    std::string error;
    EXPECT_FALSE(view.PrintTo(printer, error));
    EXPECT_NE(error.find("could not be started"), std::string::npos) << error;
}

} // namespace
