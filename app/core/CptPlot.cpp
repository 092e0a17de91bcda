#include "CptPlot.h"

#include "plot/TGraphPlot.h"

void SetCptPlotCaptions(TGraphPlot& plot, TCptPlotKind kind, int unitSystem)
{
    const bool si = unitSystem == 2;
    switch (kind) {
    case TCptPlotKind::Qc:
        plot.SetCaption("CPT Profile");
        plot.SetXCaption(si ? "Qc, kPa" : "Qc, ksf");
        plot.SetCurveName("CPT Data");
        break;
    case TCptPlotKind::Spt:
        plot.SetCaption("Converted SPT from CPT Data");
        plot.SetXCaption("SPT, N");
        plot.SetCurveName("Converted SPT");
        break;
    case TCptPlotKind::Su:
        plot.SetCaption("Converted Undrained Shear Strength Su from CPT Data");
        plot.SetXCaption(si ? "Undrained Shear Strength Su, kPa"
                            : "Undrained Shear Strength Su, k/ft^2");
        plot.SetCurveName("Converted Su");
        break;
    }
    // The captions carry their units; no placeholders to expand.
    plot.SetXUnits("");
    plot.SetYCaption(si ? "Depth, m" : "Depth, ft");
    plot.SetYUnits("");
    plot.SetXOnTop(true);
    if (plot.LineCount() > 0) {
        plot.Line(0).Name = plot.CurveName();
    }
}

void SetCptPlot(TGraphPlot& plot,
                const std::vector<TCptDataPoint>& points,
                TCptPlotKind kind,
                int unitSystem)
{
    plot.SetLineCount(0);
    plot.SetLineCount(1);
    TLine& curve = plot.Line(0);
    curve.SetPointCount(static_cast<int>(points.size()));
    for (int i = 0; i < curve.PointCount(); ++i) {
        curve.Points(i).X = points[static_cast<std::size_t>(i)].Value;
        curve.Points(i).Y = points[static_cast<std::size_t>(i)].Depth;
    }
    SetCptPlotCaptions(plot, kind, unitSystem);
}
