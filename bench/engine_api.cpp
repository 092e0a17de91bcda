// One whole run of the largest project the engine accepts: 500 segments, 40 layers of sand
// and clay, API RP-2A selected (the pass-1 methods and the pipeline run too, as always); and the
// same with all nine methods, load-settlement and 100 extra t-z depths, the project that
// bench/data/Largest.qr7d and Largest.cpt hold for timing whole runs of quarn-run.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "run/QuarnEngine.h"
#include "run/RunEnvironment.h"

namespace {

namespace fs = std::filesystem;

// English units: 24 in open pipe, 95 ft embedded, 0.2 ft steps; 40 layers of 2.5 ft down to
// 100 ft (500 segments), sand and clay in turn. allMethods: all nine methods with the offshore
// ones, user unit values in every layer (so the user method runs too), every grid point printed
// (476 rows, which is also the load-settlement solver's segment count), 100 extra t-z depths and
// 100 area rows along the pile; the CPT side file then holds 1000 points.
std::string LargestProject(bool allMethods)
{
    std::ostringstream out;
    out << "Largest project\r\nBench\r\nB-1\r\n";
    out << (allMethods ? "1 1 80 0 \r\n" : "1 5 80 0 \r\n");
    out << "0 0 24 22.5 29000000 95 0\r\n";
    out << "0 22.5\r\n";
    out << "0 0.2 1 0 4 1 0\r\n";
    out << (allMethods ? "1 1 1 1 1 1 1 1 1 \r\n" : "0 0 0 1 0 0 0 0 0 \r\n");
    out << "100 0\r\n";
    for (int layer = 0; layer < 40; ++layer) {
        const double top = layer * 2.5;
        const double bottom = top + 2.5;
        const bool sand = layer % 2 == 0;
        for (double depth : {top, bottom}) {
            if (sand) {
                out << depth << " 1 0.8 62 " << (30 + layer % 7) << " 20 \r\n";
                out << "9999 0 0.0 20 0.0 0.0 0 " << (allMethods ? "1200 90000" : "0 0")
                    << " 1 1 0 \r\n";
            } else {
                out << depth << " 2 0.0 55 0.0 0.0 \r\n";
                out << "0 0 " << (800 + 30 * layer) << " 400 2 25 0 "
                    << (allMethods ? "900 40000" : "0 0") << " 1 1 0 \r\n";
            }
        }
    }
    if (!allMethods) {
        out << "0\r\n0 1\r\n0 0\r\n0 0\r\n0 0\r\n";
        return out.str();
    }
    out << "1\r\n100\r\n";
    for (int k = 0; k < 100; ++k) {
        out << k << "\r\n";
    }
    out << "0 1\r\n0 0\r\n100 2\r\n";
    for (int k = 0; k < 100; ++k) {
        out << k * 0.95 << " " << 54.8 - 0.1 * k << "\r\n";
    }
    out << "0 0\r\n";
    return out.str();
}

std::string LargestCpt(bool allMethods)
{
    if (!allMethods) {
        return "1 0\r\n";
    }
    std::ostringstream out;
    out << "1 1000\r\n";
    for (int k = 0; k < 1000; ++k) {
        out << k * 0.1 << " " << 20000 + 150 * k << "\r\n";
    }
    return out.str();
}

void WholeRun(benchmark::State& state, bool allMethods)
{
    std::string pattern = (fs::temp_directory_path() / "engine-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path dir = pattern;
    {
        std::ofstream project(dir / "P.qr7d", std::ios::binary);
        project << LargestProject(allMethods);
        std::ofstream cpt(dir / "P.cpt", std::ios::binary);
        cpt << LargestCpt(allMethods);
        std::ofstream names(dir / "names.dat", std::ios::binary);
        names << "2015.7.2\r\n"
              << (dir / "P.qr7d").string() << "\r\n"
              << (dir / "P.qr7o").string() << "\r\n"
              << (dir / "P.qr7p").string() << "\r\n"
              << (dir / "P.cpt").string() << "\r\n";
    }
    if (allMethods) {
        // The kept copy is the project this benchmark times.
        const fs::path data = fs::path(__FILE__).parent_path() / "data";
        for (const char* name : {"Largest.qr7d", "Largest.cpt"}) {
            std::ifstream kept(data / name, std::ios::binary);
            std::ostringstream text;
            text << kept.rdbuf();
            const std::string expected =
                std::string(name).ends_with(".cpt") ? LargestCpt(true) : LargestProject(true);
            if (text.str() != expected) {
                state.SkipWithError("bench/data does not hold the generated largest project");
                fs::remove_all(dir);
                return;
            }
        }
    }
    std::ostringstream console;
    std::istringstream none;
    TRunEnvironment env;
    env.namesFile = (dir / "names.dat").string();
    env.clock = [] {
        return TDateTime{2015, 3, 7, 9, 5, 41};
    };
    env.console = &console;
    env.consoleIn = &none;
    if (RunEngine(2, env) != 0) {
        state.SkipWithError("the run stopped: see the report");
        fs::remove_all(dir);
        return;
    }
    for (auto _ : state) {
        console.str("");
        benchmark::DoNotOptimize(RunEngine(2, env));
    }
    fs::remove_all(dir);
}
void BM_WholeRunOfTheLargestApiProject(benchmark::State& state)
{
    WholeRun(state, false);
}
BENCHMARK(BM_WholeRunOfTheLargestApiProject)->Unit(benchmark::kMillisecond);

void BM_WholeRunOfTheLargestProjectAllMethodsAndLoadSettlement(benchmark::State& state)
{
    WholeRun(state, true);
}
BENCHMARK(BM_WholeRunOfTheLargestProjectAllMethodsAndLoadSettlement)->Unit(benchmark::kMillisecond);

} // namespace
