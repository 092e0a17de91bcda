#include "views/TChartForm.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "charts/AdhesionGraphs.h"
#include "input/TInputWindow.h"
#include "plot/PlotDrawing.h"
#include "plot/TGraphPlot.h"
#include "plot/TQPainterCanvas.h"
#include "seams/ModalDialogSeam.h"
#include "ui_TChartForm.h"

namespace {

constexpr int kDpi = 96;
// Room above the factor 1 that graph A keeps at every strength, so its curve stays clear of
// the frame.
constexpr long double kFactorAxisTop = 1.2L;

struct TGraphTexts
{
    const char* Title;
    std::array<const char*, 3> Curves;
};

// Tomlinson's three cases of driven piles in clay, as the FHWA manual gives them.
constexpr std::array<TGraphTexts, 3> kGraphs = {{
    {"Tomlinson Graph A: sands or sandy gravels overlying stiff cohesive soils",
     {"Embedment ratio below 10", "Embedment ratio 20", "Embedment ratio 40 and above"}},
    {"Tomlinson Graph B: soft clays or silts overlying stiff cohesive soils",
     {"Embedment ratio 10 and below", "Embedment ratio 20 and above", ""}},
    {"Tomlinson Graph C: stiff cohesive soils without overlying strata",
     {"Embedment ratio 10 and below", "Embedment ratio 40 and above", ""}},
}};

} // namespace

TChartForm::TChartForm(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TChartForm>())
{
    ui->setupUi(this);
    FinishFormOf(*this);
    m_charts = {ui->ChartA, ui->ChartB, ui->ChartC};
    for (QLabel* chart : m_charts) {
        chart->setFixedSize(kChartWidth, kChartHeight);
    }
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TChartForm::~TChartForm() = default;

std::unique_ptr<TGraphPlot> TChartForm::AdhesionPlot(int graph, int unitSystem)
{
    auto plot = std::make_unique<TGraphPlot>();
    const bool si = unitSystem == 2;
    const TAdhesionGraphView view = AdhesionGraph(graph);
    const TGraphTexts& texts =
        kGraphs[static_cast<std::size_t>(graph >= 1 && graph <= 3 ? graph - 1 : 2)];
    plot->SetCaption(texts.Title);
    plot->SetTitle(texts.Title);
    plot->SetTitleOnTop(true);
    plot->SetXOnTop(false);
    plot->SetXCaption("Undrained Shear Strength, su");
    plot->SetXUnits(si ? "kPa" : "ksf");
    plot->SetYCaption("Adhesion Factor");
    plot->SetLineCount(static_cast<int>(view.count));
    plot->SetPointCount(static_cast<int>(view.su.size()));
    // The graphs are digitised in ksf; in SI the strengths go to kPa as the lookups take them.
    const double strength = si ? ChartDetail::kKpaPerKsf : 1.0;
    for (int c = 0; c < plot->LineCount(); ++c) {
        TLine& line = plot->Line(c);
        line.Name = texts.Curves[static_cast<std::size_t>(c)];
        const TAdhesionCurveView& curve = view.curves[static_cast<std::size_t>(c)];
        for (int j = 0; j < line.PointCount(); ++j) {
            line.Points(j).X = view.su[static_cast<std::size_t>(j)] * strength;
            line.Points(j).Y = curve.factor[static_cast<std::size_t>(j)];
        }
    }
    return plot;
}

TPlotView TChartForm::AdhesionView(const TGraphPlot& plot, const TPlotCanvas& canvas)
{
    TPlotView view = MakePlotView(plot,
                                  canvas,
                                  TPlotTarget::Bitmap,
                                  TPlotRect{0, 0, kChartWidth, kChartHeight},
                                  kDpi,
                                  kDpi);
    view.View[0].YMax = view.Full[0].YMax = kFactorAxisTop;
    // The curves fall from the left; the lower left corner is clear in all three graphs.
    view.LegendPlace = TLegendPlacement{2, 78, 100, 100};
    return view;
}

void TChartForm::DrawCharts(int unitSystem)
{
    for (int graph = 1; graph <= 3; ++graph) {
        const std::unique_ptr<TGraphPlot> plot = AdhesionPlot(graph, unitSystem);
        QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TQPainterCanvas canvas(painter, DefaultCanvasFontHeight(kDpi), kDpi);
        TPlotView view = AdhesionView(*plot, canvas);
        DrawPlot(*plot, view, canvas);
        painter.end();
        m_charts[static_cast<std::size_t>(graph - 1)]->setPixmap(QPixmap::fromImage(image));
    }
    m_drawnUnits = unitSystem;
}

void TChartForm::ShowChart(int graph, int unitSystem)
{
    if (graph < 1 || graph > 3) {
        return;
    }
    if (m_drawnUnits != unitSystem) {
        DrawCharts(unitSystem);
    }
    for (int g = 1; g <= 3; ++g) {
        m_charts[static_cast<std::size_t>(g - 1)]->setVisible(g == graph);
    }
    setWindowTitle("ChartForm");
    RunModalDialog(*this);
}
