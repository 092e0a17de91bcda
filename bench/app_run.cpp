// Speed of the program side of a run on the largest project the engine takes
// (bench/data/Largest.qr7d): the save before the run, the read-back of the plot data into the
// graphs and the GRLWEAP file after it, each once with its file and once in memory only.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "GrlweapFile.h"
#include "PlotDataFile.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "TProgramData.h"
#include "plot/TGraphPlot.h"
#include "run/QuarnEngine.h"
#include "run/RunEnvironment.h"
#include "support/TWordReader.h"

namespace {

namespace fs = std::filesystem;

// The largest project opened from a temporary folder and run once through the engine, so
// that its plot data stand beside it.
class TLargestRun
{
public:
    TLargestRun()
    {
        std::string pattern = (fs::temp_directory_path() / "app-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        m_dir = pattern;
        const fs::path data = QUARN_BENCH_DATA;
        fs::copy_file(data / "Largest.qr7d", m_dir / "Largest.qr7d");
        fs::copy_file(data / "Largest.cpt", m_dir / "Largest.cpt");
        Project = (m_dir / "Largest.qr7d").string();
        PlotData = (m_dir / "Largest.qr7p").string();
        Grlweap = (m_dir / "Largest.gwi").string();
        OpenProjectFile(Project, Data, Tables, &CptProfile);
        {
            std::ofstream names(m_dir / "names.dat", std::ios::binary);
            names << "2015.7.2\r\n"
                  << Project << "\r\n"
                  << (m_dir / "Largest.qr7o").string() << "\r\n"
                  << PlotData << "\r\n"
                  << (m_dir / "Largest.cpt").string() << "\r\n";
        }
        std::ostringstream console;
        std::istringstream none;
        TRunEnvironment env;
        env.namesFile = (m_dir / "names.dat").string();
        env.console = &console;
        env.consoleIn = &none;
        Ran = RunEngine(2, env) == 0;
        if (Ran) {
            std::ifstream in(PlotData, std::ios::binary);
            PlotText.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            TResultGraphs graphs;
            const TPlotReadResult result =
                ReadPlotFile(graphs, PlotData, PlotReadOptionsFor(Data, Tables.D()));
            Ran = result.Ok;
            Profile = result.GrlweapProfile;
        }
    }
    ~TLargestRun()
    {
        if (!m_dir.empty()) {
            std::error_code ec;
            fs::remove_all(m_dir, ec);
        }
    }
    TLargestRun(const TLargestRun&) = delete;
    TLargestRun& operator=(const TLargestRun&) = delete;

    bool Ran = false;
    std::string Project;
    std::string PlotData;
    std::string Grlweap;
    std::string PlotText;
    TProgramData Data;
    TProjectTables Tables;
    TGraphPlot CptProfile;
    std::vector<TGrlweapRow> Profile;

private:
    fs::path m_dir;
};

TLargestRun& Largest()
{
    static TLargestRun run;
    return run;
}

// The save as a run makes it: project and CPT side file to temporary files, on the disk, then
// renamed into place.
void BM_SaveLargest(benchmark::State& state)
{
    TLargestRun& run = Largest();
    if (!run.Ran) {
        state.SkipWithError("the largest project did not run");
        return;
    }
    for (auto _ : state) {
        SaveProjectFile(run.Data, run.Tables, &run.CptProfile);
    }
}
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMicrosecond);

// The plot data file read back into the ten graphs.
void BM_ReadPlotFileLargest(benchmark::State& state)
{
    TLargestRun& run = Largest();
    if (!run.Ran) {
        state.SkipWithError("the largest project did not run");
        return;
    }
    const TPlotReadOptions options = PlotReadOptionsFor(run.Data, run.Tables.D());
    TResultGraphs graphs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPlotFile(graphs, run.PlotData, options));
    }
}
BENCHMARK(BM_ReadPlotFileLargest)->Unit(benchmark::kMicrosecond);

// The numbers of the plot data alone, from the text in memory.
void BM_ReadPlotDataLargest(benchmark::State& state)
{
    TLargestRun& run = Largest();
    if (!run.Ran) {
        state.SkipWithError("the largest project did not run");
        return;
    }
    for (auto _ : state) {
        TWordReader reader = TWordReader::FromText(run.PlotText, run.PlotData);
        benchmark::DoNotOptimize(ReadPlotData(reader, run.Data.PrintExtraTz == 1));
    }
}
BENCHMARK(BM_ReadPlotDataLargest)->Unit(benchmark::kMicrosecond);

// The GRLWEAP file written as after the run.
void BM_WriteGrlweapLargest(benchmark::State& state)
{
    TLargestRun& run = Largest();
    if (!run.Ran) {
        state.SkipWithError("the largest project did not run");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            WriteProjectGrlweapFile(run.Data, run.Tables.D(), run.Profile, run.Grlweap));
    }
}
BENCHMARK(BM_WriteGrlweapLargest)->Unit(benchmark::kMicrosecond);

} // namespace
