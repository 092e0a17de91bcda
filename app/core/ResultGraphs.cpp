#include "ResultGraphs.h"

#include <algorithm>

#include "InputFile.h"
#include "ProgramConstants.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"

namespace {

constexpr int kShortestGeneralDigits = 15;
constexpr long double kSandFill = 7.0L;
constexpr long double kClayFill = 1.0L;
constexpr long double kSiltFill = 0.0L;
constexpr int kAxialPoints = kPlotLoadCases + 1; // the origin, then one per tip movement

void Setup(TGraphPlot& plot,
           const char* caption,
           const char* xCaption,
           const char* xUnits,
           const char* yCaption,
           const char* yUnits,
           bool xOnTop)
{
    plot.SetCaption(caption);
    plot.SetXCaption(xCaption);
    plot.SetXUnits(xUnits);
    plot.SetYCaption(yCaption);
    plot.SetYUnits(yUnits);
    plot.SetXOnTop(xOnTop);
}

void FillTzGraph(TGraphPlot& plot, const std::vector<TPlotTzCurve>& curves, int units)
{
    plot.SetLineCount(static_cast<int>(curves.size()));
    plot.SetPointCount(kPlotTzPoints);
    const char* unit = units == 1 ? " ft" : " m";
    for (int i = 0; i < plot.LineCount(); ++i) {
        const TPlotTzCurve& curve = curves[static_cast<std::size_t>(i)];
        plot.Line(i).Name = FormatFloatGeneral(curve.Depth, kShortestGeneralDigits) + unit;
        for (int k = 0; k < kPlotTzPoints; ++k) {
            plot.Point(i, k).X = curve.Z[static_cast<std::size_t>(k)];
            plot.Point(i, k).Y = curve.T[static_cast<std::size_t>(k)];
        }
    }
}

} // namespace

TResultGraphs::TResultGraphs()
{
    Setup(pltUSkin,
          "Unit Skin Friction vs Depth",
          "Unit Skin Friction",
          "F1/L2^2",
          "Depth",
          "L2",
          true);
    Setup(pltSkin,
          "Accumulated Skin Friction vs Depth",
          "Accumulated Skin Friction ",
          "F1",
          "Depth ",
          "L2",
          true);
    Setup(pltTip, "Tip Resistance vs Depth", "Tip Resistance ", "F1", "Depth ", "L2", true);
    Setup(pltTotal, "Total Capacity vs Depth", "Total Capacity ", "F1", "Depth ", "L2", true);
    Setup(pltLoad, "Load Distribution", "Total Capacity ", "F1", "Depth ", "L2", true);
    Setup(pltCombine, "Combine Plot", "Axial Capacity", "F1", "Depth", "L2", true);
    Setup(pltAxial, "Axial Load vs Settlement", "Axial Load ", "F1", "Settlement ", "", true);
    Setup(pltTZcurves,
          "Internally-Generated t-z Curves",
          "Displacement, z",
          "L",
          "Unit Load Transfer, t",
          "F/L^2",
          false);
    Setup(PltExtraTZ,
          "Extra t-z curves at User Specified Depths",
          "Displacement, z",
          "L",
          "Unit Load Transfer, t",
          "F/L^2",
          false);
    Setup(PltQw,
          "Internally-Generated Q-w Curve",
          "Tip Resistance, Q",
          "F1",
          "Tip Movement,w",
          "L1",
          true);
}

std::array<TGraphPlot*, 10> TResultGraphs::All()
{
    return {&pltUSkin,
            &pltSkin,
            &pltTip,
            &pltTotal,
            &pltLoad,
            &pltCombine,
            &pltAxial,
            &pltTZcurves,
            &PltExtraTZ,
            &PltQw};
}

void TResultGraphs::Clear()
{
    for (TGraphPlot* plot : All()) {
        plot->SetLineCount(0);
        plot->SetLayerCount(0);
    }
}

std::string MethodCurveName(int methodCode)
{
    static const char* const kNames[] =
        {"FHWA", "USACE", "Lambda", "API", "User Spec.", "NGI", "MTD", "FUGRO", "UWA"};
    if (methodCode < 1 || methodCode > 9) {
        return {};
    }
    return kNames[methodCode - 1];
}

std::vector<int>
CapacityCurveMethods(const TPlotReadOptions& options, int curveCount, int headerLine)
{
    std::vector<int> methods;
    const auto selected = [&options](int code) {
        return options.MethodFlags[code] == 1;
    };
    for (const int code : {5, 1, 2, 3, 4}) {
        if (selected(code)) {
            methods.push_back(code);
        }
    }
    if (options.OffshoreFlag == 1) {
        for (const int code : {6, 7, 8, 9}) {
            if (selected(code)) {
                methods.push_back(code);
            }
        }
    }
    const int count = static_cast<int>(methods.size());
    if (curveCount == count - 1 && selected(5)) {
        methods.erase(methods.begin());
    } else if (curveCount != count) {
        // Curves named after the wrong methods would show one method's numbers as another's.
        throw EInOutError("Error on Line " + std::to_string(headerLine) + " Item 1\rThe file holds "
                          + std::to_string(curveCount)
                          + " capacity curves, but the project selects " + std::to_string(count)
                          + " methods.");
    }
    return methods;
}

void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TSoilLayerInfo>& layers)
{
    if (graph.LineCount() < 1 || graph.PointCount() < 1) {
        return;
    }
    graph.SetLayerCount(static_cast<int>(layers.size()), 1);
    for (int i = 0; i < graph.LayerCount(); ++i) {
        const TSoilLayerInfo& layer = layers[static_cast<std::size_t>(i)];
        TLine& line = graph.Layer(i);
        TFloatPoint& point = graph.LayerPoint(i, 0);
        if (layer.SoilType == 1) {
            line.Name = " SAND ";
            point.X = kSandFill;
        } else if (layer.SoilType == 2) {
            line.Name = " CLAY ";
            point.X = kClayFill;
        } else {
            line.Name = "LAYER " + std::to_string(i + 1);
            point.X = kSiltFill;
        }
        point.Y = layer.BottomDepth;
    }
}

TPlotReadResult
FillResultGraphs(TResultGraphs& graphs, const TPlotData& data, const TPlotReadOptions& options)
{
    const std::vector<int> methods =
        CapacityCurveMethods(options, data.CurveCount, data.HeaderLine);
    const auto rowCount = static_cast<std::size_t>(data.RowCount);
    bool complete = data.RowCount >= 0 && data.Capacity.size() == methods.size();
    for (const auto& curve : data.Capacity) {
        complete = complete && curve.size() == rowCount;
    }
    for (int c = 0; c < kPlotLoadCases; ++c) {
        complete = complete && data.Load[static_cast<std::size_t>(c)].size() == rowCount
                   && data.LoadPosition[static_cast<std::size_t>(c)].size() == rowCount;
    }
    if (!complete) {
        throw EInOutError("This file either invalid or incomplete.");
    }

    TPlotReadResult result;
    result.Ok = true;
    result.PlotRowCount = data.RowCount;
    result.Perimeter = options.Perimeter < 0.000001L ? options.OD * kPiTo4 : options.Perimeter;
    for (std::size_t i = 0; i < methods.size(); ++i) {
        if (methods[i] == data.LoadSettlementMethod) {
            result.LoadSettlementCurve = static_cast<int>(i);
        }
    }
    const int s = result.LoadSettlementCurve;
    result.GrlweapProfile.reserve(s >= 0 ? rowCount : 0);
    const bool compression = options.LoadDirection <= 0;
    const int rows = data.RowCount;

    // Start from empty graphs: curves of an earlier read keep no names or flags.
    graphs.Clear();

    TGraphPlot* const depthGraphs[] = {&graphs.pltSkin,
                                       &graphs.pltTip,
                                       &graphs.pltTotal,
                                       &graphs.pltUSkin};
    for (TGraphPlot* plot : depthGraphs) {
        plot->SetLineCount(data.CurveCount);
        plot->SetPointCount(rows);
    }
    graphs.pltAxial.SetLineCount(1);
    graphs.PltQw.SetLineCount(1);
    graphs.pltLoad.SetLineCount(kPlotLoadCases);
    graphs.pltCombine.SetLineCount(3);
    graphs.pltAxial.SetXOnTop(compression);
    graphs.PltQw.SetXOnTop(compression);
    graphs.pltLoad.SetPointCount(rows);
    graphs.pltCombine.SetPointCount(s >= 0 ? rows : 0);
    graphs.pltAxial.SetPointCount(kAxialPoints);
    graphs.PltQw.SetPointCount(kAxialPoints);

    const std::string settlement = data.Units == 1 ? "Settlement, in." : "Settlement, m";
    graphs.pltAxial.SetYCaption(settlement);
    graphs.PltQw.SetYCaption(settlement);
    if (options.LoadDirection == 1) {
        graphs.pltAxial.SetYCaption(data.Units == 1 ? "Uplift, in." : "Uplift, m");
    }

    for (int i = 0; i < data.CurveCount; ++i) {
        const std::string name = MethodCurveName(methods[static_cast<std::size_t>(i)]);
        for (TGraphPlot* plot : depthGraphs) {
            plot->Line(i).Name = name;
        }
    }
    graphs.pltAxial.Line(0).Name = MethodCurveName(data.LoadSettlementMethod);
    graphs.pltCombine.Line(0).Name = "Skin Friction";
    graphs.pltCombine.Line(1).Name = options.LoadDirection == 1 ? "Self Weight" : "Tip Resistance";
    graphs.pltCombine.Line(2).Name = "Total Capacity";

    for (int i = 0; i < data.CurveCount; ++i) {
        const auto& curve = data.Capacity[static_cast<std::size_t>(i)];
        for (int j = 0; j < rows; ++j) {
            const TPlotCapacityRow& row = curve[static_cast<std::size_t>(j)];
            graphs.pltSkin.Point(i, j) = {row.Side, row.Depth};
            graphs.pltTip.Point(i, j) = {row.Tip, row.Depth};
            graphs.pltTotal.Point(i, j) = {row.Total, row.Depth};
            graphs.pltUSkin.Point(i, j) = {row.UnitSide, row.Depth};
            if (i == s) {
                result.GrlweapProfile.push_back({row.Depth, row.UnitSide, row.Tip});
            }
        }
    }
    if (s >= 0) {
        for (int j = 0; j < rows; ++j) {
            graphs.pltCombine.Point(0, j) = graphs.pltSkin.Point(s, j);
            graphs.pltCombine.Point(1, j) = graphs.pltTip.Point(s, j);
            graphs.pltCombine.Point(2, j) = graphs.pltTotal.Point(s, j);
        }
    }

    FillTzGraph(graphs.pltTZcurves, data.TzCurves, data.Units);

    for (int c = 0; c < kPlotLoadCases; ++c) {
        for (int j = 0; j < rows; ++j) {
            graphs.pltLoad.Point(c, j) = {
                data.Load[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)],
                data.LoadPosition[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)]};
        }
    }

    graphs.pltAxial.Point(0, 0) = {0, 0};
    graphs.PltQw.Point(0, 0) = {0, 0};
    for (int k = 1; k <= kPlotLoadCases; ++k) {
        const TPlotLoadSettlementRow& row = data.LoadSettlement[static_cast<std::size_t>(k - 1)];
        graphs.pltAxial.Point(0, k) = {row.TopLoad, row.TopMovement};
        graphs.PltQw.Point(0, k) = {row.TipLoad, row.TipMovement};
    }

    if (data.HasExtraTz) {
        FillTzGraph(graphs.PltExtraTZ, data.ExtraTzCurves, data.Units);
    }

    for (TGraphPlot* plot : {&graphs.pltUSkin,
                             &graphs.pltSkin,
                             &graphs.pltTip,
                             &graphs.pltTotal,
                             &graphs.pltLoad,
                             &graphs.pltCombine}) {
        AddLayersGraphPlot(*plot, options.Layers);
    }
    for (TGraphPlot* plot : graphs.All()) {
        plot->SetUnits(data.Units);
    }
    return result;
}

TPlotReadResult
ReadPlotFile(TResultGraphs& graphs, const std::string& path, const TPlotReadOptions& options)
{
    try {
        TWordReader reader = ReadInputFile(path);
        const TPlotData data = ReadPlotData(reader, options.PrintExtraTz == 1);
        return FillResultGraphs(graphs, data, options);
    } catch (const EInOutError& e) {
        graphs.Clear();
        TPlotReadResult result;
        result.Message =
            std::string(kPlotReadFailedText) + "\rPlot data file \"" + path + "\":\r" + e.Message();
        return result;
    }
}

TPlotReadOptions PlotReadOptionsFor(const TProgramData& data, const TGridTable& soilTable)
{
    TPlotReadOptions options;
    options.MethodFlags = data.MethodFlags;
    options.OffshoreFlag = data.OffshoreFlag;
    options.LoadDirection = data.LoadDirection;
    options.PrintExtraTz = data.PrintExtraTz;
    options.Perimeter = data.Perimeter;
    options.OD = data.OD;
    options.Layers = SoilLayersFromTable(soilTable);
    return options;
}

void KeepPlotResult(TProgramData& data, const TPlotReadResult& result)
{
    if (!result.Ok) {
        return;
    }
    data.PlotRowCount = result.PlotRowCount;
    data.Perimeter = result.Perimeter;
    for (auto& column : data.GrlweapProfile) {
        column.fill(0.0L);
    }
    const std::size_t rows = std::min(result.GrlweapProfile.size(), data.GrlweapProfile[0].size());
    for (std::size_t k = 0; k < rows; ++k) {
        data.GrlweapProfile[0][k] = result.GrlweapProfile[k].Depth;
        data.GrlweapProfile[1][k] = result.GrlweapProfile[k].UnitSkinFriction;
        data.GrlweapProfile[2][k] = result.GrlweapProfile[k].TipResistance;
    }
}
