// A stand-in for the engine module, built only for the run tests. It reads names.dat from
// the current folder and writes, into the report named there, the current folder and the
// names it read; with FAKE_WRITE_PLOT it writes a plot-data file too. It answers
// FAKE_STATUS.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef FAKE_STATUS
#define FAKE_STATUS 0
#endif
#ifndef FAKE_WRITE_PLOT
#define FAKE_WRITE_PLOT 1
#endif
// With FAKE_DISK_FULL it writes on its console what the engine writes when the disk is full.
#ifndef FAKE_DISK_FULL
#define FAKE_DISK_FULL 0
#endif

namespace {

std::int32_t Run(std::int32_t argument)
{
    std::ifstream names("names.dat", std::ios::binary);
    if (!names) {
        return 99;
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(names, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    if (lines.size() < 5) {
        return 98;
    }
    std::ofstream report(lines[2], std::ios::binary);
    report << "argument=" << argument << "\n";
    report << "cwd=" << std::filesystem::current_path().string() << "\n";
    for (const auto& item : lines) {
        report << "name=" << item << "\n";
    }
    if (FAKE_DISK_FULL) {
        std::printf("\n\n          ERROR - THE OUTPUT FILE \"%s\" COULD NOT BE WRITTEN "
                    "COMPLETELY: No space left on device.\n",
                    lines[2].c_str());
    }
    if (FAKE_WRITE_PLOT) {
        std::ofstream plot(lines[3], std::ios::binary);
        plot << "fake plot data\n";
    }
    return FAKE_STATUS;
}

} // namespace

extern "C" {
#ifdef FAKE_NO_ENTRY
__attribute__((visibility("default"))) std::int32_t SomethingElse(std::int32_t argument)
{
    return Run(argument);
}
#else
__attribute__((visibility("default"))) std::int32_t _IQUARN(std::int32_t argument)
{
    return Run(argument);
}
#endif
}
