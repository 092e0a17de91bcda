#pragma once

#include <array>
#include <memory>

#include <QDialog>

class QLabel;
class TGraphPlot;
class TPlotCanvas;
struct TPlotView;

namespace Ui {
class TChartForm;
}

// The Tomlinson adhesion-factor graphs A, B and C for driven piles in clay, drawn from the
// digitised tables the FHWA method computes with: adhesion factor against undrained shear
// strength, one curve per embedment ratio. Made once when the program starts and shown
// modally from a clay layer's properties.
class TChartForm : public QDialog
{
    Q_OBJECT

public:
    explicit TChartForm(QWidget* parent = nullptr);
    ~TChartForm() override;

    // Shows graph 1 (A), 2 (B) or 3 (C) alone, with the strength in the unit system's units
    // (ksf or kPa), modally. Any other graph number shows nothing.
    void ShowChart(int graph, int unitSystem);

    static constexpr int kChartWidth = 1026; // pixels of each picture
    static constexpr int kChartHeight = 400;

    // The plot of graph 1, 2 or 3 for the unit system, and the view it is drawn with on a
    // picture of kChartWidth x kChartHeight pixels.
    static std::unique_ptr<TGraphPlot> AdhesionPlot(int graph, int unitSystem);
    static TPlotView AdhesionView(const TGraphPlot& plot, const TPlotCanvas& canvas);

private:
    void DrawCharts(int unitSystem);

    std::unique_ptr<Ui::TChartForm> ui;
    std::array<QLabel*, 3> m_charts{};
    int m_drawnUnits = 0;
};
