#include "GrlweapFile.h"

#include <filesystem>

#include "ProgramConstants.h"
#include "ProjectTables.h"
#include "SafeFile.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"

namespace {

constexpr std::size_t kTitleWidth = 40;
constexpr int kRowsPerStep = 100;
constexpr const char* kLineEnd = "\r\n";

// The title in exactly 40 bytes: control characters (a line break would split the record)
// become blanks; a longer title is cut without splitting a UTF-8 character; a shorter one is
// padded with blanks.
std::string TitleField(const std::string& title)
{
    std::string text;
    for (const char c : title) {
        const auto u = static_cast<unsigned char>(c);
        text += (u < 0x20 || u == 0x7F) ? ' ' : c;
    }
    if (text.size() > kTitleWidth) {
        std::size_t cut = kTitleWidth;
        // Step back over continuation bytes so the cut falls before a character's lead byte.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text.resize(cut);
    }
    text.append(kTitleWidth - text.size(), ' ');
    return text;
}

long double UnitWeight(int units, int pileType)
{
    if (units == 1) {
        return pileType == 3 ? 150.0L : pileType == 2 ? 50.0L : 492.0L;
    }
    return pileType == 3 ? 23.56L : pileType == 2 ? 7.9L : 77.28L;
}

[[noreturn]] void Fail(const std::string& path, const std::string& reason)
{
    throw EGrlweapError("The GRLWEAP file \"" + path + "\" could not be written: " + reason
                        + ". Any earlier file is left as it was.");
}

} // namespace

std::vector<TSoilLayerInfo> SoilLayersFromTable(const TGridTable& soilTable)
{
    std::vector<TSoilLayerInfo> layers;
    for (int row = 0; row < soilTable.RowCount(); ++row) {
        TSoilLayerInfo layer;
        layer.SoilType = soilTable.GetInteger(SoilColumn::kSoilType, row);
        const TColumn& depth = soilTable.Columns(SoilColumn::kBottomDepth);
        // The depth as the cell shows it, which is what the user entered and sees.
        if (!TryParseNumber(depth.GetText(row), layer.BottomDepth)) {
            layer.BottomDepth = depth.GetFloat(row);
        }
        layers.push_back(layer);
    }
    return layers;
}

long double GrlweapPerimeter(const TGrlweapInput& input)
{
    return input.Circular ? input.OD * kPiTo4 : input.Perimeter;
}

std::vector<int> GrlweapSelectedRows(int rowCount)
{
    std::vector<int> rows;
    if (rowCount <= 0) {
        return rows;
    }
    const int k = rowCount / kRowsPerStep;
    if (k == 0) {
        for (int r = 0; r < rowCount; ++r) {
            rows.push_back(r);
        }
        return rows;
    }
    const int step = k + 1;
    const int m = rowCount / step;
    for (int i = 0; i < m; ++i) {
        rows.push_back(i * step);
    }
    if (rows.back() != rowCount - 1) {
        rows.push_back(rowCount - 1);
    }
    return rows;
}

std::vector<int> GrlweapRowLayers(const TGrlweapInput& input)
{
    std::vector<int> result;
    if (input.Layers.empty()) {
        return result;
    }
    const int last = static_cast<int>(input.Layers.size()) - 1;
    int layer = 0;
    for (const TGrlweapRow& row : input.Profile) {
        if (row.Depth > input.Layers[static_cast<std::size_t>(layer)].BottomDepth && layer < last) {
            ++layer;
        }
        result.push_back(layer);
    }
    return result;
}

std::string GrlweapFileText(const TGrlweapInput& input)
{
    if (input.Profile.empty()) {
        throw EGrlweapError("The GRLWEAP file was not written: the plot data hold no "
                            "resistance profile of the load-settlement method.");
    }
    if (input.Layers.empty()) {
        throw EGrlweapError("The GRLWEAP file was not written: the project has no soil layer.");
    }
    const bool english = input.UnitSystem == 1;
    const long double deepest = input.Profile.back().Depth;
    long double area = (input.OD * input.OD - input.ID * input.ID) * kQuarterPiTo4;
    if (!english) {
        area /= 100.0L;
    }
    const long double perimeter = GrlweapPerimeter(input) / (english ? 12.0L : 1000.0L);
    const long double modulus = input.E / 1000.0L;

    std::string t;
    auto line = [&t](const std::string& text) {
        t += text + kLineEnd;
    };

    line(TitleField(input.Title) + "  VER. 2000" + (english ? " 1 0" : " 0 0"));
    line("-100   0   1   0   1   0   0   0   0   3   0   0   0   0   0   0   0   0     0.000");
    line(english ? "   32.1700   32.1700" : "    9.8100    9.8100");
    line("      0.00      0.00      0.00    0.0000    0.0000    0.0100      0.00");
    line("   3600.00    207.00    0.0000    0.5000    3.0000         0");
    line("  " + FormatExponent2(deepest) + "  " + FormatExponent2(area) + "  "
         + FormatExponent2(modulus) + "  "
         + FormatExponent2(UnitWeight(input.UnitSystem, input.PileType)) + "  "
         + FormatExponent2(perimeter) + "     4.000     1.000     0.010");
    for (int i = 0; i < 2; ++i) {
        line("     0.000     0.000       0.0    0.0000    0.0000     0.000     0.000     0.000");
    }
    for (int i = 0; i < 2; ++i) {
        line("    0.0000    0.0000    0.0000    0.0000");
    }

    const std::vector<int> layers = GrlweapRowLayers(input);
    for (const int r : GrlweapSelectedRows(static_cast<int>(input.Profile.size()))) {
        const TGrlweapRow& row = input.Profile[static_cast<std::size_t>(r)];
        const int soilType =
            input.Layers[static_cast<std::size_t>(layers[static_cast<std::size_t>(r)])].SoilType;
        const bool sand = soilType == 1;
        const long double s = sand ? (english ? 0.05L : 0.16L) : (english ? 0.2L : 0.65L);
        const long double g = sand ? 1.2L : 2.0L;
        line(" " + FormatExponent1(row.Depth) + " " + FormatExponent1(row.UnitSkinFriction) + " "
             + FormatExponent1(row.TipResistance)
             + (english ? "   0.100   0.100   " : "   2.540   2.500   ") + FormatExponent1(s)
             + "   0.150   " + FormatExponent1(g)
             + (english ? "    6.56    1.00" : "    1.50    1.00"));
    }

    line("  1.0000  0.9000  0.8000  0.7000  0.6000  0.5000  0.0000  0.0000  0.0000  0.0000");
    line("  1.0000  1.0000  1.0000  1.0000  1.0000  0.0000  0.0000  0.0000  0.0000  0.0000");
    for (const long double f : {0.25L, 0.5L, 0.75L, 1.0L}) {
        line("  " + FormatExponent2(deepest * f)
             + "      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
    }
    line("      0.00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
    return t;
}

std::string GrlweapFileNameFor(const std::string& projectFileName)
{
    return std::filesystem::path(projectFileName).replace_extension(".gwi").string();
}

void WriteGrlweapFile(const std::string& path, const TGrlweapInput& input)
{
    const std::string text = GrlweapFileText(input);
    try {
        // The program's own file beside the project: a link at its name is replaced (a run
        // has removed it before), never written through.
        WriteFileSafely(path, text, ELinkRule::ReplaceLink);
    } catch (const ESafeFileError& e) {
        Fail(path, e.Reason());
    }
}

std::string WriteProjectGrlweapFile(TProgramData& data,
                                    const TGridTable& soilTable,
                                    const std::vector<TGrlweapRow>& profile,
                                    const std::string& path)
{
    TGrlweapInput input;
    input.UnitSystem = data.UnitSystem;
    input.Title = data.Title;
    input.PileType = data.PileType;
    input.Circular = data.Circular != 0;
    input.OD = data.OD;
    input.ID = data.ID;
    input.E = data.E;
    input.Perimeter = data.Perimeter;
    input.Layers = SoilLayersFromTable(soilTable);
    input.Profile = profile;
    const std::string target = path.empty() ? GrlweapFileNameFor(data.FileName) : path;
    WriteGrlweapFile(target, input);
    data.GrlweapFileName = target;
    data.Perimeter = GrlweapPerimeter(input);
    return target;
}
