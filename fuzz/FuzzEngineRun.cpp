// Any project file run through the whole engine, with the example's CPT side file beside it
// (the SI one when the project's unit code is 2), or with the text after a line "%%cpt" as
// its CPT side file. The run ends with status 0, or with status 1 and its message in the
// report (or on the console when the report can't be started). A crash, a sanitizer report,
// an exception out of RUNANALYSIS, an engine defect caught by the driver ("INTERNAL ERROR"),
// a finished run with a number it could not compute in its plot data, or a hang is a fault.
// Tiny increments make long runs: run this target with -timeout=10 (scripts/fuzz.sh does).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzTempFolder.h"
#include "run/RunDriver.h"
#include "run/RunEnvironment.h"
#include "state/RunState.h"

#ifndef QUARN_SOURCE_DIR
#error "QUARN_SOURCE_DIR must name the source folder"
#endif

namespace {

constexpr std::string_view kCptSeparator = "\n%%cpt\n";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ExampleCpt(const char* units)
{
    return ReadAll(
        (std::filesystem::path(QUARN_SOURCE_DIR) / "examples" / units / "PipeSandClay.cpt")
            .string());
}

// The unit code on the project's fourth line, as the engine will read it: 2 picks SI.
bool IsSi(std::string_view text)
{
    for (int line = 0; line < 3; ++line) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        text.remove_prefix(end + 1);
    }
    const auto first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && text[first] == '2';
}

// Every number in the text is 0 or between 1E-12 and 1E12 in size.
bool AllModest(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto start = text.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos) {
            break;
        }
        auto end = text.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string word(text.substr(start, end - start));
        char* stop = nullptr;
        const double value = std::strtod(word.c_str(), &stop);
        const double size = std::fabs(value);
        if (stop != word.c_str()
            && (!std::isfinite(value) || size > 1e12 || (value != 0 && size < 1e-12))) {
            return false;
        }
        at = end;
    }
    return true;
}

TDateTime FixedClock()
{
    return TDateTime{2015, 3, 7, 9, 5, 41};
}

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string englishCpt = ExampleCpt("english");
    static const std::string siCpt = ExampleCpt("si");
    const auto& folder = fuzzsupport::Folder();
    static const std::string names =
        folder.Write("names.dat",
                     "2015.7.2\r\n" + folder.File("P.qr7d") + "\r\n" + folder.File("P.qr7o")
                         + "\r\n" + folder.File("P.qr7p") + "\r\n" + folder.File("P.cpt") + "\r\n");

    std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto split = text.find(kCptSeparator);
    if (split != std::string_view::npos) {
        folder.Write("P.cpt", text.substr(split + kCptSeparator.size()));
        text = text.substr(0, split + 1);
    } else {
        folder.Write("P.cpt", IsSi(text) ? siCpt : englishCpt);
    }
    folder.Write("P.qr7d", text);
    folder.Remove("P.qr7o");
    folder.Remove("P.qr7p");

    std::ostringstream console;
    std::istringstream noInput;
    TRunEnvironment env;
    env.namesFile = names;
    env.clock = FixedClock;
    env.console = &console;
    env.consoleIn = &noInput;
    env.promptsAllowed = false;

    auto state = std::make_unique<TRunState>();
    int status = 0;
    try {
        RUNANALYSIS(*state, env, status);
    } catch (...) {
        std::abort();
    }
    const std::string report = ReadAll(folder.File("P.qr7o"));
    if (status != 0 && status != 1) {
        std::abort();
    }
    // (The project's own lines are echoed in the report: a title may say anything.)
    const std::string_view internal = "INTERNAL ERROR - THE COMPUTATION STOPPED";
    if (Contains(report, internal) && !Contains(std::string(text), internal)) {
        std::abort();
    }
    // A refused project leaves its message in the report, or on the console when no report
    // could be started; a finished one leaves its plot data.
    if (status == 1 && report.empty() && console.str().empty()) {
        std::abort();
    }
    if (status == 0 && !std::filesystem::exists(folder.File("P.qr7p"))) {
        std::abort();
    }
    // The plot data hold numbers only: a finished run that wrote a number it could not
    // compute would show a wrong result as a good one. Projects with absurd magnitudes
    // (beyond 1E12 or below 1E-12) overflow in the formulas; they are left out here.
    const std::string plot = ReadAll(folder.File("P.qr7p"));
    if (status == 0 && AllModest(text) && (Contains(plot, "NaN") || Contains(plot, "Inf"))) {
        std::abort();
    }
    return 0;
}
