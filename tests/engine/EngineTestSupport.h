#pragma once

// Helpers of the engine's run tests: a private folder per test, the shipped example projects
// as lines to vary, and one whole run through RunEngine with a fixed clock.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "run/QuarnEngine.h"
#include "run/RunEnvironment.h"

namespace enginetest {

namespace fs = std::filesystem;

// A private folder per test.
using TTempDir = TTestFolder;

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// A number as the test projects and CPT files write it: 12 significant digits, "." as the
// decimal separator whatever the locale.
inline std::string FileNumber(double v)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(12);
    out << v;
    return out.str();
}

inline std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The shipped example project ("english" or "si") and its CPT side file.
inline std::vector<std::string> ExampleLines(const std::string& units)
{
    return SplitLines(
        ReadFile(fs::path(QUARN_SOURCE_DIR) / "examples" / units / "PipeSandClay.qr7d"));
}
inline std::string ExampleCpt(const std::string& units)
{
    return ReadFile(fs::path(QUARN_SOURCE_DIR) / "examples" / units / "PipeSandClay.cpt");
}

// Line indexes (from 0) of the example projects' groups; four layers give 16 soil lines.
enum EExampleLine : int
{
    kLineTitle = 0,
    kLineDesigner = 1,
    kLineJob = 2,
    kLineControl = 3,
    kLineSection = 4,
    kLineEndSection = 5,
    kLineRun = 6,
    kLineMethods = 7,
    kLineSoilBase = 8,
    kLineFirstSoil = 9,
    kLineTzFlag = 25,
    kLineLoad = 26,
    kLineIcpPlug = 27,
    kLineArea = 28,
    kLineCritical = 31,
};

// 7 March 2015, 09:05:41.
inline TDateTime FixedClock()
{
    return TDateTime{2015, 3, 7, 9, 5, 41};
}

struct TRunOutcome
{
    int status = -1;
    std::string report;
    std::string plot;
    std::string console;
    bool reportExists = false;
    bool plotExists = false;
};

inline void WriteNames(const TTempDir& dir, const std::string& base)
{
    WriteFile(dir.Path() / "names.dat",
              "2015.7.2\r\n" + dir.File(base + ".qr7d") + "\r\n" + dir.File(base + ".qr7o") + "\r\n"
                  + dir.File(base + ".qr7p") + "\r\n" + dir.File(base + ".cpt") + "\r\n");
}

inline TRunEnvironment
TestEnvironment(const TTempDir& dir, std::ostream& console, std::istream& consoleIn)
{
    TRunEnvironment env;
    env.namesFile = dir.File("names.dat");
    env.clock = FixedClock;
    env.console = &console;
    env.consoleIn = &consoleIn;
    env.promptsAllowed = false;
    return env;
}

// Runs the engine on names.dat as it stands in dir and collects what it wrote.
inline TRunOutcome RunIn(const TTempDir& dir, const std::string& base = "P")
{
    std::ostringstream console;
    std::istringstream noInput;
    TRunOutcome out;
    out.status = RunEngine(2, TestEnvironment(dir, console, noInput));
    out.console = console.str();
    out.reportExists = fs::exists(dir.Path() / (base + ".qr7o"));
    out.plotExists = fs::exists(dir.Path() / (base + ".qr7p"));
    out.report = ReadFile(dir.Path() / (base + ".qr7o"));
    out.plot = ReadFile(dir.Path() / (base + ".qr7p"));
    return out;
}

// Writes the project and CPT side file as P.qr7d and P.cpt with names.dat, and runs.
inline TRunOutcome
RunProject(const TTempDir& dir, const std::vector<std::string>& project, const std::string& cpt)
{
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(project));
    WriteFile(dir.Path() / "P.cpt", cpt);
    WriteNames(dir, "P");
    return RunIn(dir);
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace enginetest
