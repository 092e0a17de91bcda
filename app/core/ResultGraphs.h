#pragma once

#include <array>
#include <string>
#include <vector>

#include "GrlweapFile.h"
#include "PlotDataFile.h"
#include "plot/TGraphPlot.h"

class TProgramData;
class TGridTable;

// The result graphs of the main window, filled from the engine's plot-data file after a run
// and when a project is opened. Each starts with its captions, units and switches; reading a
// file sets the curves, their names and the unit system.
class TResultGraphs
{
public:
    TResultGraphs();
    TResultGraphs(const TResultGraphs&) = delete;
    TResultGraphs& operator=(const TResultGraphs&) = delete;

    TGraphPlot pltUSkin;
    TGraphPlot pltSkin;
    TGraphPlot pltTip;
    TGraphPlot pltTotal;
    TGraphPlot pltLoad;
    TGraphPlot pltCombine;
    TGraphPlot pltAxial;
    TGraphPlot pltTZcurves;
    TGraphPlot PltExtraTZ;
    TGraphPlot PltQw;

    // The ten graphs in the order above.
    std::array<TGraphPlot*, 10> All();

    // Every curve and layer line removed; captions and settings stay.
    void Clear();
};

// The project values the read uses.
struct TPlotReadOptions
{
    // Capacity method selected (1) or not, indexed by method code 1..9 (entry 0 unused).
    std::array<int, 10> MethodFlags{};
    int OffshoreFlag = 1;
    int LoadDirection = 0;     // 0 compression, 1 tension
    int PrintExtraTz = 0;      // 1: the file carries the extra t-z section
    long double Perimeter = 0; // in / mm
    long double OD = 0;        // in / mm
    // Rows of the soil table, for the layer bands of the depth graphs.
    std::vector<TSoilLayerInfo> Layers;
};

// What the project keeps from a read.
struct TPlotReadResult
{
    // The graphs hold the file's results (the plots-loaded flag).
    bool Ok = false;
    // When not Ok: the text to show, naming the file, and the line and item of the fault.
    std::string Message;
    // Rows per method (PlotRowCount).
    int PlotRowCount = 0;
    // Position of the load-settlement method among the capacity curves; -1 when its table is
    // not in the file (then the combined graph has no points and the profile is empty).
    int LoadSettlementCurve = -1;
    // Depth, unit skin friction and tip resistance of the load-settlement method, one row
    // per row of the file; what the GRLWEAP file is written from.
    std::vector<TGrlweapRow> GrlweapProfile;
    // The project's perimeter after a good read: OD x 3.1416 when it was not given (in /
    // mm); the project keeps it.
    long double Perimeter = 0;
};

// First line of the message of a failed read.
inline constexpr const char* kPlotReadFailedText = "An error occured in running the main program.";

// Reads the plot-data file into the graphs. The file is read in full first: when any word is
// missing or not the number expected, a count is out of range, or the number of capacity
// curves does not match the selected methods, the answer is not Ok, its Message says why
// (kPlotReadFailedText, the file, and the reader's "Error on Line n Item m" text), and every
// graph is left empty (Clear), so no earlier or partial result can be shown as this one.
// Nothing is shown here; the caller shows Message when it wants to.
TPlotReadResult
ReadPlotFile(TResultGraphs& graphs, const std::string& path, const TPlotReadOptions& options);

// The same for plot data already read (as ReadPlotData gives them); raises EInOutError,
// before any graph is changed, when the number of capacity curves does not fit the selected
// methods or the data's lists do not hold their counts.
TPlotReadResult
FillResultGraphs(TResultGraphs& graphs, const TPlotData& data, const TPlotReadOptions& options);

// Legend text of a method's curve: "FHWA", "USACE", "Lambda", "API", "User Spec.", "NGI",
// "MTD", "FUGRO", "UWA" for codes 1..9; empty for any other code.
std::string MethodCurveName(int methodCode);

// Method codes of the capacity curves in file order for the selected methods: user-specified
// (5) first, then 1 to 4, then, with the offshore flag, 6 to 9. When the file holds one
// curve fewer and the user-specified method is selected, the engine left that table out (no
// user values were given), and it is dropped here too. Raises EInOutError at the header's
// line when the count fits neither.
std::vector<int>
CapacityCurveMethods(const TPlotReadOptions& options, int curveCount, int headerLine);

// Soil-layer lines of a depth graph, one per layer: named "LAYER n", " SAND " or " CLAY ",
// one point with the fill code as X (sand 7, clay 1, silt 0) and the bottom depth as Y.
// Only for a graph that has at least one curve with at least one point.
void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TSoilLayerInfo>& layers);

// The read options of the open project: its method flags, load direction, t-z depth flag,
// perimeter and diameter, and the layers of its soil table `D`.
TPlotReadOptions PlotReadOptionsFor(const TProgramData& data, const TGridTable& soilTable);

// What a good read leaves in the project: PlotRowCount, the GRLWEAP profile (rows the file
// does not give are zero) and the perimeter. Nothing after a failed read.
void KeepPlotResult(TProgramData& data, const TPlotReadResult& result);
