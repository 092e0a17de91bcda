// The adhesion charts as drawn: each curve of graphs A, B and C, read back from the drawing,
// gives the adhesion factor the FHWA method computes at that strength.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <QLabel>
#include <QPushButton>

#include "LayoutChecks.h"
#include "SoilWindowFixture.h"
#include "charts/AdhesionGraphs.h"
#include "input/TDlgSoils.h"
#include "plot/PlotDrawing.h"
#include "plot/PlotRecordingCanvas.h"
#include "plot/TGraphPlot.h"
#include "views/TChartForm.h"

namespace {

// Drawn points are whole pixels: between them the drawing is within a pixel of the line.
constexpr double kPixelTolerance = 1.0;
constexpr double kKpaPerKsf = 47.88;

struct TDrawnChart
{
    std::unique_ptr<TGraphPlot> Plot;
    TPlotView View;
    std::vector<TPlotRecordingCanvas::Operation> Lines;
};

TDrawnChart Draw(int graph, int units)
{
    TDrawnChart chart;
    chart.Plot = TChartForm::AdhesionPlot(graph, units);
    TPlotRecordingCanvas canvas(11);
    chart.View = TChartForm::AdhesionView(*chart.Plot, canvas);
    DrawPlot(*chart.Plot, chart.View, canvas);
    chart.Lines = canvas.Of(TPlotRecordingCanvas::Kind::LineTo);
    return chart;
}

// The pixel height of curve c where it crosses pixel column px: from the curve's own long
// solid segments in its colour (markers and tick marks are a few pixels long).
std::optional<double> DrawnHeight(const TDrawnChart& chart, int c, int px)
{
    for (const auto& line : chart.Lines) {
        if (!(line.Pen.Color == PlotCurveColor(c)) || line.Pen.Style != TPlotPenStyle::Solid
            || std::abs(line.X1 - line.X0) < 8) {
            continue;
        }
        const int left = std::min(line.X0, line.X1);
        const int right = std::max(line.X0, line.X1);
        if (px >= left && px <= right) {
            const double t = static_cast<double>(px - line.X0) / (line.X1 - line.X0);
            return line.Y0 + t * (line.Y1 - line.Y0);
        }
    }
    return std::nullopt;
}

double Lookup(int graph, double su, double ratio, int units)
{
    switch (graph) {
    case 1:
        return ADHESIONA(su, ratio, units);
    case 2:
        return ADHESIONB(su, ratio, units);
    default:
        return ADHESIONC(su, ratio, units);
    }
}

TEST(AdhesionChart, DrawnCurvesGiveTheFactorsTheMethodComputes)
{
    // The embedment ratio each drawn curve stands for.
    const std::vector<std::vector<double>> ratios = {{10, 20, 40}, {10, 20}, {10, 40}};
    const double strengthsKsf[] = {0.1, 0.5, 0.8, 1.25, 2.0, 2.3, 2.75, 3.4, 4.1, 4.5};
    for (int units : {1, 2}) {
        const double factor = units == 2 ? kKpaPerKsf : 1.0;
        for (int graph = 1; graph <= 3; ++graph) {
            const TDrawnChart chart = Draw(graph, units);
            const auto& ratioOf = ratios[static_cast<std::size_t>(graph - 1)];
            ASSERT_EQ(chart.Plot->LineCount(), static_cast<int>(ratioOf.size()));
            const TPlotRange& range = chart.View.View[0];
            const TPlotRect& rect = chart.View.Geometry.Plot;
            for (int c = 0; c < chart.Plot->LineCount(); ++c) {
                for (double ksf : strengthsKsf) {
                    const double su = ksf * factor;
                    const int px = ValueToPixelX(range, rect, su);
                    const double expected = Lookup(graph, su, ratioOf[c], units);
                    const double expectedPy =
                        static_cast<double>(PixelYExact(range, rect, expected, false));
                    const std::optional<double> drawn = DrawnHeight(chart, c, px);
                    ASSERT_TRUE(drawn.has_value())
                        << "graph " << graph << " curve " << c << " su " << su;
                    EXPECT_NEAR(*drawn, expectedPy, kPixelTolerance)
                        << "graph " << graph << " curve " << c << " su " << su << " units " << units
                        << ": factor " << expected;
                }
            }
        }
    }
}

// Points read off the published graphs, between their digitised points.
TEST(AdhesionChart, CurvesFollowThePublishedGraphs)
{
    struct TCase
    {
        int graph;
        int curve;
        double suKsf;
        double factor;
    };
    const TCase cases[] = {
        {1, 0, 3.0, 1.0},
        {1, 1, 2.25, (0.95 + 0.875) / 2},
        {1, 2, 2.25, (0.68 + 0.5) / 2},
        {2, 0, 1.25, (0.398 + 0.334) / 2},
        {2, 1, 0.75, (0.84 + 0.746) / 2},
        {3, 0, 2.0, 0.688},
        {3, 1, 3.75, (0.388 + 0.315) / 2},
    };
    for (int units : {1, 2}) {
        for (const TCase& c : cases) {
            const TDrawnChart chart = Draw(c.graph, units);
            const TPlotRange& range = chart.View.View[0];
            const TPlotRect& rect = chart.View.Geometry.Plot;
            const double su = c.suKsf * (units == 2 ? kKpaPerKsf : 1.0);
            const std::optional<double> drawn =
                DrawnHeight(chart, c.curve, ValueToPixelX(range, rect, su));
            ASSERT_TRUE(drawn.has_value());
            EXPECT_NEAR(*drawn,
                        static_cast<double>(PixelYExact(range, rect, c.factor, false)),
                        kPixelTolerance)
                << c.graph << " " << c.curve << " " << c.suKsf;
        }
    }
}

TEST(AdhesionChart, TitlesAxesAndLegendsNameTheGraphs)
{
    struct TCase
    {
        int graph;
        int units;
        const char* title;
        const char* xUnits;
        std::vector<std::string> curves;
    };
    const TCase cases[] = {
        {1,
         1,
         "Tomlinson Graph A: sands or sandy gravels overlying stiff cohesive soils",
         "ksf",
         {"Embedment ratio below 10", "Embedment ratio 20", "Embedment ratio 40 and above"}},
        {2,
         2,
         "Tomlinson Graph B: soft clays or silts overlying stiff cohesive soils",
         "kPa",
         {"Embedment ratio 10 and below", "Embedment ratio 20 and above"}},
        {3,
         1,
         "Tomlinson Graph C: stiff cohesive soils without overlying strata",
         "ksf",
         {"Embedment ratio 10 and below", "Embedment ratio 40 and above"}},
    };
    for (const TCase& c : cases) {
        const auto plot = TChartForm::AdhesionPlot(c.graph, c.units);
        EXPECT_EQ(plot->Title(), c.title);
        EXPECT_EQ(plot->XCaption(), "Undrained Shear Strength, su");
        EXPECT_EQ(plot->XUnits(), c.xUnits);
        EXPECT_EQ(plot->YCaption(), "Adhesion Factor");
        ASSERT_EQ(plot->LineCount(), static_cast<int>(c.curves.size()));
        for (int i = 0; i < plot->LineCount(); ++i) {
            EXPECT_EQ(plot->Line(i).GetCaption(), c.curves[static_cast<std::size_t>(i)]);
        }
    }
}

// "Show Graph" of a clay layer shows the chosen graph alone.
class AdhesionChartWindowTest : public SoilWindowTest
{};

TEST_F(AdhesionChartWindowTest, ShowGraphShowsTheChosenGraphAlone)
{
    Data().MethodFlags = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0};
    Soil().Columns(SoilColumn::kSoilType).SetInteger(0, SoilTypeCode::kClay);
    for (int option = 1; option <= 3; ++option) {
        for (int r = 0; r < 2; ++r) {
            LayerTable(0).Cells(ClayColumn::kAdhesionMethod, r).SetInteger(option);
        }
        Form().SetModified(false);
        std::vector<std::string> shown;
        Scripts["TChartForm"] = [&](QDialog& charts) {
            EXPECT_EQ(charts.windowTitle().toStdString(), "ChartForm");
            for (const char* name : {"ChartA", "ChartB", "ChartC"}) {
                auto* chart = Child<QLabel>(&charts, name);
                if (chart->isVisible()) {
                    shown.push_back(name);
                    EXPECT_FALSE(chart->pixmap().isNull()) << name;
                }
            }
            ExpectNothingClippedOrOverlapping(charts);
            Click(Child<QPushButton>(&charts, "Button1"));
        };
        OpenLayers();
        EditLayer(1, [&](QDialog& dialog) {
            Click(Child<QPushButton>(&dialog, "Button4"));
            Click(Child<QPushButton>(&dialog, "Button2"));
        });
        const char* expected[] = {"", "ChartA", "ChartB", "ChartC"};
        EXPECT_EQ(shown, std::vector<std::string>{expected[option]});
        EXPECT_FALSE(Form().IsModified()) << "looking at a graph is no change";
        Click(LayersButton("Button1"));
        Settle();
    }
    EXPECT_EQ(DialogRuns["TChartForm"], 3);
}

} // namespace
