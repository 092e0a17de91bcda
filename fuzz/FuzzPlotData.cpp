// Any plot-data file read into the result graphs of the English example project, once as the
// project stands and once with its extra t-z depths asked for: the read fills the graphs with
// finite points or answers not Ok with a message naming the file and leaves every graph
// empty. Anything else (an exception, a crash, a sanitizer report, a hang, a huge
// allocation) is a fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzTempFolder.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "TProgramData.h"
#include "grid/TGridTable.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"

#ifndef QUARN_SOURCE_DIR
#error "QUARN_SOURCE_DIR must name the source folder"
#endif

namespace {

// The read options of the English example, as the program gives them after opening it.
TPlotReadOptions ExampleOptions()
{
    TProgramData data;
    TProjectTables tables;
    TGraphPlot cptProfile;
    ResetProject(data, &tables, &cptProfile);
    const auto example =
        std::filesystem::path(QUARN_SOURCE_DIR) / "examples" / "english" / "PipeSandClay.qr7d";
    OpenProjectFile(example.string(), data, tables, &cptProfile);
    return PlotReadOptionsFor(data, tables.D());
}

void Check(TResultGraphs& graphs, const TPlotReadResult& result, const std::string& path)
{
    if (result.Ok) {
        // A good read draws only numbers: every point of every curve and layer is finite.
        const auto finite = [](const TLine& line) {
            for (const TFloatPoint& point : line.PointList()) {
                if (!std::isfinite(point.X) || !std::isfinite(point.Y)) {
                    std::abort();
                }
            }
        };
        for (TGraphPlot* graph : graphs.All()) {
            for (int g = 1; g <= 3; ++g) {
                for (const TLine* line : graph->Curves(g)) {
                    finite(*line);
                }
            }
            for (int i = 0; i < graph->LayerCount(); ++i) {
                finite(graph->Layer(i));
            }
        }
        return;
    }
    if (result.Message.find(path) == std::string::npos) {
        std::abort();
    }
    for (TGraphPlot* graph : graphs.All()) {
        if (graph->LineCount() != 0) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TPlotReadOptions plain = [] {
        TPlotReadOptions options = ExampleOptions();
        options.PrintExtraTz = 0;
        return options;
    }();
    static const TPlotReadOptions extraTz = [] {
        TPlotReadOptions options = plain;
        options.PrintExtraTz = 1;
        return options;
    }();
    static TResultGraphs graphs;

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string path = fuzzsupport::Folder().Write("fuzz.qr7p", text);
    for (const TPlotReadOptions* options : {&plain, &extraTz}) {
        const TPlotReadResult result = ReadPlotFile(graphs, path, *options);
        Check(graphs, result, path);
    }
    return 0;
}
