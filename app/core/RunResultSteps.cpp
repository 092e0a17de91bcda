#include "RunResultSteps.h"

#include <memory>
#include <vector>

#include "GrlweapFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "TProgramData.h"

TRunSteps RunResultSteps(TProgramData& data,
                         const TProjectTables& tables,
                         TResultGraphs& graphs,
                         TRunReporter& reporter)
{
    // The profile of the last good read, which the GRLWEAP step writes.
    auto profile = std::make_shared<std::vector<TGrlweapRow>>();
    TRunSteps steps;
    steps.ReadPlotData = [&data, &tables, &graphs, &reporter, profile](const std::string& path) {
        profile->clear();
        const TPlotReadResult result =
            ReadPlotFile(graphs, path, PlotReadOptionsFor(data, tables.D()));
        if (!result.Ok) {
            reporter.Information(result.Message);
            return false;
        }
        KeepPlotResult(data, result);
        *profile = result.GrlweapProfile;
        return true;
    };
    steps.WriteGrlweapFile = [&data, &tables, profile](const std::string& path) {
        WriteProjectGrlweapFile(data, tables.D(), *profile, path);
    };
    return steps;
}
