// Any project, CPT side file or CPT data file: the readers fill the project or raise
// EInOutError (an Exception) and leave the open project as it was; anything else (another
// exception, a crash, a sanitizer report, a hang, a huge allocation) is a fault. A project
// that opened is saved in the current layout, and the saved file must open again.
//
// The first byte picks the reader:
//   0, 1, 2  the project file in the current, ".qr6d" or ".qrd" layout; the text after a
//            line "%%cpt" (when there is one) becomes the CPT side file beside it
//   3        the CPT side file alone
//   4        a CPT data text file; the next three bytes give the data lines, header lines
//            and columns, the fourth the plot kind and unit system
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>

#include "CptDataFile.h"
#include "CptSideFile.h"
#include "FuzzTempFolder.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "plot/TGraphPlot.h"
#include "support/TWordReader.h"

namespace {

constexpr std::string_view kCptSeparator = "\n%%cpt\n";
constexpr const char* kUntouched = "fuzz: project before the read";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A refusal says where: "Error on Line n Item m" and what was expected, after "This file
// either invalid or incomplete." when the data ended early; a damaged CPT side file names
// that file first, a damaged project file last.
bool NamesLineAndItem(std::string message)
{
    static const std::regex cptPrefix("^CPT file [^\\r]+:\\r");
    static const std::regex fileSuffix("\\rFile: [^\\r]+$");
    static const std::regex where("^(This file either invalid or incomplete\\.\\r)?Error on Line "
                                  "[1-9][0-9]* Item [1-9][0-9]*\\r[^]+");
    std::smatch m;
    if (std::regex_search(message, m, cptPrefix)) {
        message = m.suffix().str();
    } else if (std::regex_search(message, m, fileSuffix)) {
        message = m.prefix().str();
    } else {
        return false;
    }
    return std::regex_match(message, where);
}

void FuzzProject(int selector, std::string_view text)
{
    static const char* const kNames[] = {"fuzz.qr7d", "fuzz.qr6d", "fuzz.qrd"};
    const auto& folder = fuzzsupport::Folder();
    const std::string name = kNames[selector];
    const auto split = text.find(kCptSeparator);
    folder.Remove("fuzz.cpt");
    if (split != std::string_view::npos) {
        folder.Write("fuzz.cpt", text.substr(split + kCptSeparator.size()));
        text = text.substr(0, split + 1);
    }
    const std::string path = folder.Write(name, text);

    TProgramData data;
    TProjectTables tables;
    TGraphPlot cptProfile;
    ResetProject(data, &tables, &cptProfile);
    data.Title = kUntouched;
    const int rowsBefore = tables.D().RowCount();
    try {
        OpenProjectFile(path, data, tables, &cptProfile);
    } catch (const EInOutError& e) {
        // A refused file leaves the open project as it was and says why.
        if (!NamesLineAndItem(e.Message()) || data.Title != kUntouched
            || tables.D().RowCount() != rowsBefore) {
            std::abort();
        }
        return;
    }
    if (data.FileName != path) {
        std::abort();
    }
    // What the program opened it saves, and the saved file opens again.
    folder.Remove("resaved.cpt");
    data.FileName = folder.File("resaved.qr7d");
    SaveProjectFile(data, tables, &cptProfile);
    TProgramData again;
    TProjectTables againTables;
    TGraphPlot againCpt;
    ResetProject(again, &againTables, &againCpt);
    OpenProjectFile(data.FileName, again, againTables, &againCpt);
    // ... and saving that again writes the same bytes: no value drifts through a save.
    folder.Remove("resaved2.cpt");
    again.FileName = folder.File("resaved2.qr7d");
    SaveProjectFile(again, againTables, &againCpt);
    if (ReadAll(folder.File("resaved.qr7d")) != ReadAll(folder.File("resaved2.qr7d"))
        || ReadAll(folder.File("resaved.cpt")) != ReadAll(folder.File("resaved2.cpt"))) {
        std::abort();
    }
}

void FuzzCptSide(std::string_view text)
{
    const std::string path = fuzzsupport::Folder().Write("side.cpt", text);
    try {
        const TCptSideData cpt = ReadCptSideFile(path);
        if (cpt.UnitSystem != 1 && cpt.UnitSystem != 2) {
            std::abort();
        }
    } catch (const EInOutError& e) {
        if (e.Message().empty()) {
            std::abort();
        }
    }
}

void FuzzCptData(std::string_view text)
{
    if (text.size() < 4) {
        return;
    }
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint8_t>(text[i]);
    };
    // Small counts, a few of them zero or negative: what a user may type in the dialog.
    const int dataLines = static_cast<int>(byte(0)) - 2;
    const int headerLines = static_cast<int>(byte(1) % 32) - 1;
    const int columns = static_cast<int>(byte(2) % 12) - 1;
    const auto kind = static_cast<TCptPlotKind>(byte(3) % 3);
    const int units = (byte(3) / 3) % 2 + 1;
    const std::string path = fuzzsupport::Folder().Write("data.txt", text.substr(4));
    try {
        const TCptDataRead read =
            ReadCptDataFile(path, dataLines, headerLines, columns, 0.5L, kind, units);
        if (read.Complete == !read.Error.empty()
            || read.Points.size() > static_cast<std::size_t>(dataLines < 0 ? 0 : dataLines)) {
            std::abort();
        }
        for (const TCptDataPoint& point : read.Points) {
            if (!std::isfinite(point.Depth) || !std::isfinite(point.Value)) {
                std::abort();
            }
        }
    } catch (const Exception& e) {
        if (e.Message().empty()) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const int selector = data[0] % 5;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (selector) {
    case 0:
    case 1:
    case 2:
        FuzzProject(selector, text);
        break;
    case 3:
        FuzzCptSide(text);
        break;
    default:
        FuzzCptData(text);
        break;
    }
    return 0;
}
