// Speed of the engine's foundation: the fixed-field writer, the free-format reader and one
// whole run of the English example project (reading, echo, segments, grid).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "input/ListReader.h"
#include "report/FieldFormat.h"
#include "run/QuarnEngine.h"
#include "run/RunEnvironment.h"

namespace {

namespace fs = std::filesystem;

// Values of the kinds the report and the plot data print: penetrations, forces, unit
// frictions and stresses, movements and loads, of both signs, from 1.2e-5 to 9.4e5 in even
// ratios (1.0248^1023 is 7.7e10); cycled, so every iteration formats an ordinary number (never
// the overflow or the infinity path, and every field fits: F12.3 and E16.4 of 9.4e5).
const std::vector<double>& ReportValues()
{
    static const std::vector<double> values = [] {
        std::vector<double> v;
        double x = 1.234567e-5;
        for (int k = 0; k < 1024; ++k) {
            v.push_back(k % 3 == 0 ? -x : x);
            x *= 1.0248;
            if (x > 1e6) {
                x = 1.234567e-5;
            }
        }
        return v;
    }();
    return values;
}

// One field into a line's buffer, as the report and the plot data write theirs.
void BM_FormatFixed(benchmark::State& state)
{
    const std::vector<double>& values = ReportValues();
    std::size_t i = 0;
    char field[16];
    for (auto _ : state) {
        benchmark::DoNotOptimize(PutF(field, values[i], 12, 3));
        benchmark::ClobberMemory();
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatFixed);

void BM_FormatExponent(benchmark::State& state)
{
    const std::vector<double>& values = ReportValues();
    std::size_t i = 0;
    char field[16];
    for (auto _ : state) {
        benchmark::DoNotOptimize(PutE(field, values[i], 16, 4));
        benchmark::ClobberMemory();
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatExponent);

// The same field as a string of its own, as the cold parts of the report take theirs.
void BM_FormatFixedString(benchmark::State& state)
{
    const std::vector<double>& values = ReportValues();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatF(values[i], 12, 3));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatFixedString);

void BM_ReadCptPoints(benchmark::State& state)
{
    std::string text = " 1 1000\r\n";
    for (int k = 0; k < 1000; ++k) {
        text += "  " + std::to_string(k * 0.1) + "  " + std::to_string(1000.0 + k) + "\r\n";
    }
    for (auto _ : state) {
        TListReader in(text, "bench.cpt", "CPT FILE");
        int units = 0;
        int count = 0;
        in.Read({&units, &count}, "HEADER");
        double depth = 0;
        double qc = 0;
        for (int k = 0; k < count; ++k) {
            in.Read({&depth, &qc}, "POINT");
        }
        benchmark::DoNotOptimize(qc);
    }
}
BENCHMARK(BM_ReadCptPoints);

void BM_WholeRunOfTheExample(benchmark::State& state)
{
    std::string pattern = (fs::temp_directory_path() / "engine-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path dir = pattern;
    const fs::path examples =
        fs::path(__FILE__).parent_path().parent_path() / "examples" / "english";
    fs::copy_file(examples / "PipeSandClay.qr7d", dir / "P.qr7d");
    fs::copy_file(examples / "PipeSandClay.cpt", dir / "P.cpt");
    {
        std::ofstream names(dir / "names.dat", std::ios::binary);
        names << "2015.7.2\r\n"
              << (dir / "P.qr7d").string() << "\r\n"
              << (dir / "P.qr7o").string() << "\r\n"
              << (dir / "P.qr7p").string() << "\r\n"
              << (dir / "P.cpt").string() << "\r\n";
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
    for (auto _ : state) {
        console.str("");
        benchmark::DoNotOptimize(RunEngine(2, env));
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_WholeRunOfTheExample)->Unit(benchmark::kMicrosecond);

} // namespace
