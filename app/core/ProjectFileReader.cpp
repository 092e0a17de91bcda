// Reading the project file in its three layouts. The file is parsed into plain values first
// and the open project is replaced only once the whole file has been read.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CptSideFile.h"
#include "FileValues.h"
#include "InputFile.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "TProgramData.h"
#include "entry/NumberFormat.h"
#include "plot/TGraphPlot.h"
#include "plot/TLine.h"
#include "support/TWordReader.h"

namespace {

using Cells = std::array<std::optional<long double>, 9>;

struct ParsedLayer
{
    int SoilType = SoilTypeCode::kSand;
    long double Bottom = 0;
    std::array<std::optional<long double>, 7> SoilCells; // by column of grid D
    std::array<Cells, 2> Rows;                           // top, bottom
    // The reduction factors of a silt row in the oldest layout, which reads them not (side
    // friction, end bearing; top and bottom row).
    std::array<std::array<long double, 2>, 2> DroppedFactors{{{1, 1}, {1, 1}}};
};

struct ParsedProject
{
    TProgramData Data;
    std::vector<ParsedLayer> Layers;
    std::vector<long double> TzDepths;
    std::vector<std::array<long double, 2>> AreaRows;
    int AreaRowCount = 0;
};

[[noreturn]] void Refuse(const TWordReader& reader, int item, const std::string& what)
{
    throw EInOutError("Error on Line " + std::to_string(reader.LineNumber()) + " Item "
                      + std::to_string(item) + "\r" + what);
}

// A code read as an integer and refused outside first..last.
int ReadCode(TWordReader& reader, int first, int last, const char* what)
{
    const int value = reader.ReadInteger();
    if (value < first || value > last) {
        Refuse(reader,
               reader.ItemNumber(),
               std::string("A ") + what + " of " + std::to_string(first) + " to "
                   + std::to_string(last) + " was expected but not found.");
    }
    return value;
}

// A count read before its items: refused when negative or above `limit`.
int ReadCount(TWordReader& reader, int item, int limit)
{
    const int value = reader.ReadInteger();
    if (value < 0 || value > limit) {
        Refuse(reader,
               item,
               "A count between 0 and " + std::to_string(limit) + " was expected but not found.");
    }
    return value;
}

void ReadRow(TWordReader& reader, ProjectLayout layout, ParsedLayer& layer, int r)
{
    const bool v3 = layout == ProjectLayout::Qrd;
    const long double depth = ReadEngineReal(reader);
    const int type = reader.ReadInteger();
    if (type < SoilTypeCode::kSand || type > SoilTypeCode::kSilt) {
        Refuse(reader, 2, "A soil type of 1, 2 or 3 was expected but not found.");
    }
    layer.SoilType = type;
    if (r == 1) {
        layer.Bottom = depth;
    }
    Cells& c = layer.Rows[static_cast<std::size_t>(r)];
    auto& d = layer.SoilCells;
    auto f = [&] {
        return ReadEngineReal(reader);
    };
    auto i = [&] {
        return static_cast<long double>(reader.ReadInteger());
    };
    if (type == SoilTypeCode::kSand) {
        c[SandColumn::kKo] = f();
        c[SandColumn::kUnitWeight] = f();
        c[SandColumn::kFrictionAngle] = f();
        c[SandColumn::kNq] = f();
        d[SoilColumn::kMaxSideFriction] = f();
        d[SoilColumn::kMaxEndBearing] = f();
        f();
        c[SandColumn::kBlowCount] = i();
        f();
        f();
        c[SandColumn::kQc] = f();
        c[SandColumn::kUserSkinFriction] = f();
        c[SandColumn::kUserEndBearing] = f();
    } else if (type == SoilTypeCode::kClay) {
        f();
        c[ClayColumn::kUnitWeight] = f();
        f();
        f();
        d[SoilColumn::kMaxSideFriction] = f();
        d[SoilColumn::kMaxEndBearing] = f();
        c[ClayColumn::kUndrainedStrength] = f();
        c[ClayColumn::kRemoldedStrength] = f();
        c[ClayColumn::kYieldStressRatio] = f();
        c[ClayColumn::kPlasticIndex] = f();
        c[ClayColumn::kQc] = f();
        c[ClayColumn::kUserSkinFriction] = f();
        c[ClayColumn::kUserEndBearing] = f();
    } else {
        c[SiltColumn::kKo] = f();
        c[SiltColumn::kUnitWeight] = f();
        c[SiltColumn::kFrictionAngle] = f();
        f();
        d[SoilColumn::kMaxSideFriction] = f();
        d[SoilColumn::kMaxEndBearing] = f();
        c[SiltColumn::kUndrainedStrength] = f();
        c[SiltColumn::kBlowCount] = i();
        for (int k = 0; k < 5; ++k) {
            f();
        }
    }
    // Reduction factors: every layout but the oldest, where silt rows carry them unused.
    if (!v3 || type == SoilTypeCode::kSilt) {
        const long double side = f();
        const long double end = f();
        if (!v3) {
            d[SoilColumn::kSideFactor] = side;
            d[SoilColumn::kEndFactor] = end;
        } else {
            layer.DroppedFactors[static_cast<std::size_t>(r)] = {side, end};
        }
    }
    if (type == SoilTypeCode::kClay && !v3) {
        c[ClayColumn::kAdhesionMethod] = 0;
    }
    if (layout == ProjectLayout::Qr7d) {
        const long double last = i();
        if (type == SoilTypeCode::kClay) {
            c[ClayColumn::kAdhesionMethod] = last;
        }
    }
}

// Where the reading stands, for a file that ends early.
struct TReadPlace
{
    std::string What = "the three title lines";
};

void ParseInto(TWordReader& reader, ProjectLayout layout, ParsedProject& p, TReadPlace& place)
{
    const bool v3 = layout == ProjectLayout::Qrd;
    TProgramData& data = p.Data;
    data.Title = reader.ReadLine();
    data.Designer = reader.ReadLine();
    data.JobNumber = reader.ReadLine();
    place.What = "the control line (units, print interval, soil rows)";
    const int units = reader.ReadInteger();
    if (units != 1 && units != 2) {
        Refuse(reader, 1, "A unit code of 1 or 2 was expected but not found.");
    }
    data.UnitSystem = units;
    data.PrintInterval = reader.ReadInteger();
    const int soilRows = ReadCount(reader, 3, 2 * kMaxSoilLayers);
    if (soilRows < 2 || soilRows % 2 != 0) {
        Refuse(reader,
               3,
               "An even number of soil rows, at least 2, was expected but not found (each "
               "layer has a top and a bottom row).");
    }
    data.ClosedEnd = 0;
    if (reader.WordCount() == 4) {
        data.ClosedEnd = reader.ReadInteger() == 1 ? 1 : 0;
    }
    place.What = "the pile section line";
    data.Perimeter = ReadEngineReal(reader);
    data.Circular = data.Perimeter == 0 ? 1 : 0;
    data.TipArea = ReadEngineReal(reader);
    data.OD = ReadEngineReal(reader);
    data.ID = ReadEngineReal(reader);
    data.E = ReadEngineReal(reader);
    data.TL = ReadEngineReal(reader);
    if (!v3) {
        data.PSL = ReadEngineReal(reader);
    }
    place.What = "the end section line";
    data.ESL = ReadEngineReal(reader);
    data.EID = ReadEngineReal(reader);
    place.What = "the run line (zero-friction length, increment, pile type, methods)";
    data.ZFL = ReadEngineReal(reader);
    data.Increment = ReadEngineReal(reader);
    data.PileType = ReadCode(reader, 1, 7, "pile type");
    data.TaperAngle = ReadEngineReal(reader);
    data.LoadSettlementMethod = ReadCode(reader, 1, 9, "load-settlement method");
    reader.ReadInteger(); // offshore flag: always 1
    if (!v3) {
        data.TzFactorOption = reader.ReadInteger();
        place.What = "the method flags";
        for (std::size_t m = 1; m <= 9; ++m) {
            data.MethodFlags[m] = reader.ReadInteger();
        }
    } else {
        data.MethodFlags.fill(0);
        for (std::size_t m = 1; m <= 9; ++m) {
            data.MethodFlags[m] = 1;
        }
        data.MethodFlags[MethodCode::kUserSpecified] =
            data.LoadSettlementMethod == MethodCode::kUserSpecified ? 1 : 0;
    }
    place.What = "the line of the deepest soil";
    data.BottomOfLastLayer = ReadEngineReal(reader);
    data.ConstantArea = ReadEngineReal(reader);
    const int layers = soilRows / 2;
    p.Layers.resize(static_cast<std::size_t>(layers));
    for (int k = 0; k < layers; ++k) {
        ParsedLayer& layer = p.Layers[static_cast<std::size_t>(k)];
        const std::string soil =
            "the soil rows, layer " + std::to_string(k + 1) + " of " + std::to_string(layers);
        place.What = soil + " (top row)";
        ReadRow(reader, layout, layer, 0);
        place.What = soil + " (bottom row)";
        ReadRow(reader, layout, layer, 1);
    }
    place.What = "the extra t-z flag";
    data.PrintExtraTz = reader.ReadInteger();
    if (data.PrintExtraTz == 1) {
        // The count is bounded by the file: each depth takes a line.
        const int count = ReadCount(reader, 1, reader.LineCount());
        place.What = "the extra t-z depths (" + std::to_string(count) + ")";
        for (int k = 0; k < count; ++k) {
            p.TzDepths.push_back(ReadEngineReal(reader));
        }
    }
    place.What = "the load line";
    data.LoadDirection = reader.ReadInteger();
    data.TensionFactor = ReadEngineReal(reader);
    place.What = "the clay and plug condition line";
    data.ClayCondition = reader.ReadInteger();
    data.PlugCondition = reader.ReadInteger();
    place.What = "the area line";
    p.AreaRowCount = ReadCount(reader, 1, kMaxAreaRows);
    if (reader.WordCount() >= 2) {
        data.AreaMode = reader.ReadInteger();
    } else {
        data.AreaMode = p.AreaRowCount >= 2      ? SectionAreaModeCode::kVarying
                        : data.ConstantArea != 0 ? SectionAreaModeCode::kConstant
                                                 : SectionAreaModeCode::kFromSection;
    }
    if (p.AreaRowCount > 1) {
        place.What = "the area rows (" + std::to_string(p.AreaRowCount) + ")";
        for (int k = 0; k < p.AreaRowCount; ++k) {
            const long double distance = ReadEngineReal(reader);
            p.AreaRows.push_back({distance, ReadEngineReal(reader)});
        }
    }
    if (!v3) {
        place.What = "the critical depth line";
        data.CriticalDepthOption = reader.ReadInteger();
        data.CriticalDepth = ReadEngineReal(reader);
    }
}

// Every refusal names the file; one at the end of the data also where the reading stood.
ParsedProject Parse(const std::string& fileName, ProjectLayout layout)
{
    TWordReader reader = ReadInputFile(fileName);
    ParsedProject p;
    TReadPlace place;
    try {
        ParseInto(reader, layout, p, place);
    } catch (const EInOutError& e) {
        std::string message = e.Message();
        if (message == TWordReader::kIncompleteText) {
            message += "\rError on Line " + std::to_string(reader.LineNumber())
                       + " Item 1\rThe file ends inside " + place.What + ".";
        }
        throw EInOutError(message + "\rFile: " + fileName);
    }
    return p;
}

// The oldest layout's silt rows carry reduction factors that its reading keeps at their
// defaults: any other value there is named, layer by layer, so that the engineer enters it
// (the capacities come out unreduced otherwise). Empty when every dropped word is 1.
std::string DroppedFactorsNote(const ParsedProject& p, const std::string& fileName)
{
    auto pair = [](const std::array<long double, 2>& factors) {
        return "side friction " + FormatGeneral(factors[0]) + ", end bearing "
               + FormatGeneral(factors[1]);
    };
    std::string layers;
    for (std::size_t k = 0; k < p.Layers.size(); ++k) {
        const auto& rows = p.Layers[k].DroppedFactors;
        const bool top = rows[0] != std::array<long double, 2>{1, 1};
        const bool bottom = rows[1] != std::array<long double, 2>{1, 1};
        if (!top && !bottom) {
            continue;
        }
        layers += layers.empty() ? "" : "; ";
        layers += "layer " + std::to_string(k + 1) + " (";
        if (rows[0] == rows[1]) {
            layers += pair(rows[0]);
        } else {
            layers += "top row " + pair(rows[0]) + ", bottom row " + pair(rows[1]);
        }
        layers += ")";
    }
    if (layers.empty()) {
        return {};
    }
    return "The older project file " + fileName
           + " holds reduction factors on silt layers that a file of its layout does not give "
             "the project: "
           + layers
           + ". The layers are read with factors of 1, so their capacities are not reduced: "
             "please enter the factors in the soil table and save the project.";
}

void SetCell(TGridTable& table,
             int col,
             int row,
             const std::optional<long double>& value,
             bool integer)
{
    if (!value) {
        return;
    }
    if (integer) {
        table.Columns(col).SetInteger(row, static_cast<std::int32_t>(*value));
    } else {
        table.Columns(col).SetFloat(row, *value);
    }
}

void Apply(ParsedProject& p,
           const std::string& fileName,
           std::optional<TCptSideData>& cpt,
           TProgramData& data,
           TProjectTables& tables,
           TGraphPlot* cptProfile)
{
    ResetProject(data, &tables, cptProfile);
    const int units = p.Data.UnitSystem;
    data = p.Data;
    data.FileName = fileName;
    data.OffshoreFlag = 1;
    tables.SetUnits(units);
    for (TGridTable* table : tables.All()) {
        table->SetRowCount(0);
    }
    TGridTable& soil = tables.D();
    soil.SetRowCount(static_cast<int>(p.Layers.size()));
    for (std::size_t k = 0; k < p.Layers.size(); ++k) {
        const ParsedLayer& layer = p.Layers[k];
        const int row = static_cast<int>(k);
        soil.Columns(SoilColumn::kSoilType).SetInteger(row, layer.SoilType);
        soil.Columns(SoilColumn::kBottomDepth).SetFloat(row, layer.Bottom);
        for (int col = SoilColumn::kMaxSideFriction; col <= SoilColumn::kEndFactor; ++col) {
            SetCell(soil, col, row, layer.SoilCells[static_cast<std::size_t>(col)], false);
        }
        TGridTable* sub = soil.Cells(SoilColumn::kLayerData, row).GetTable();
        if (sub == nullptr) {
            continue;
        }
        sub->SetNumber(row + 1);
        sub->SetRowCount(sub->MinRows());
        for (int r = 0; r < 2 && r < sub->RowCount(); ++r) {
            const Cells& cells = layer.Rows[static_cast<std::size_t>(r)];
            for (int col = 0; col < 9 && col < sub->ColumnCount(); ++col) {
                const bool integer = col == SandColumn::kBlowCount
                                     || (layer.SoilType == SoilTypeCode::kClay
                                         && col == ClayColumn::kAdhesionMethod);
                const bool blowCountOfClay =
                    layer.SoilType == SoilTypeCode::kClay && col == ClayColumn::kRemoldedStrength;
                SetCell(*sub,
                        col,
                        r,
                        cells[static_cast<std::size_t>(col)],
                        integer && !blowCountOfClay);
            }
        }
    }
    TGridTable& tz = tables.TblTZDepth();
    tz.SetRowCount(static_cast<int>(p.TzDepths.size()));
    for (std::size_t k = 0; k < p.TzDepths.size(); ++k) {
        tz.Columns(TzDepthColumn::kDepth).SetFloat(static_cast<int>(k), p.TzDepths[k]);
    }
    TGridTable& area = tables.Sectionaldata();
    area.SetRowCount(p.AreaRowCount);
    for (std::size_t k = 0; k < p.AreaRows.size(); ++k) {
        area.Columns(SectionColumn::kDistance).SetFloat(static_cast<int>(k), p.AreaRows[k][0]);
        area.Columns(SectionColumn::kArea).SetFloat(static_cast<int>(k), p.AreaRows[k][1]);
    }
    for (TGridTable* table : tables.All()) {
        if (table->RowCount() < table->MinRows()) {
            table->SetRowCount(table->MinRows());
        }
    }
    data.CptPointCount = 0;
    if (cpt && cptProfile != nullptr) {
        cptProfile->SetLineCount(cpt->Points.empty() ? 0 : 1);
        if (!cpt->Points.empty()) {
            TLine& curve = cptProfile->Line(0);
            curve.SetPointCount(static_cast<int>(cpt->Points.size()));
            for (int k = 0; k < curve.PointCount(); ++k) {
                curve.Points(k).X =
                    ProfileQc(cpt->Points[static_cast<std::size_t>(k)].Qc, cpt->UnitSystem);
                curve.Points(k).Y = cpt->Points[static_cast<std::size_t>(k)].Depth;
            }
            // Points written in the other system are brought to the project's.
            TProgramData convert;
            convert.UnitSystem = cpt->UnitSystem;
            convert.SetUnits(units, nullptr, cptProfile);
        }
        data.CptPointCount = static_cast<int>(cpt->Points.size());
    }
    if (cpt) {
        data.CptFileName = CptSideFileName(fileName);
    }
    tables.ResetChanged();
}

} // namespace

std::vector<std::string> OpenProjectFile(const std::string& fileName,
                                         ProjectLayout layout,
                                         TProgramData& data,
                                         TProjectTables& tables,
                                         TGraphPlot* cptProfile)
{
    ParsedProject parsed = Parse(fileName, layout);
    std::vector<std::string> notes;
    std::optional<TCptSideData> cpt;
    const std::string cptName = CptSideFileName(fileName);
    std::error_code ec;
    if (std::filesystem::exists(cptName, ec)) {
        try {
            cpt = ReadCptSideFile(cptName);
        } catch (const EInOutError& e) {
            throw EInOutError("CPT file " + cptName + ":\r" + e.Message());
        }
        if (cpt->LinesBeyondCount > 0) {
            notes.push_back(
                "The CPT side file " + cptName + " holds " + std::to_string(cpt->LinesBeyondCount)
                + " more lines of points than its count of " + std::to_string(cpt->Count)
                + " says. Only the first " + std::to_string(cpt->Count)
                + " points are read, and only those are written at the next save.");
        }
    } else {
        notes.push_back("The CPT side file " + cptName
                        + " was not found beside the project: the project opens without CPT "
                          "points, and the next save writes an empty one.");
    }
    if (std::string note = DroppedFactorsNote(parsed, fileName); !note.empty()) {
        notes.push_back(std::move(note));
    }
    if (SaveCutBetweenItsFiles(fileName)) {
        notes.push_back("The last save of " + fileName
                        + " did not finish: it replaced the CPT side file " + cptName
                        + " but not the project file, so the CPT points may be of a later save "
                          "than the rest of the project. Please check the CPT data and save the "
                          "project.");
    }
    Apply(parsed, fileName, cpt, data, tables, cptProfile);
    return notes;
}

std::vector<std::string> OpenProjectFile(const std::string& fileName,
                                         TProgramData& data,
                                         TProjectTables& tables,
                                         TGraphPlot* cptProfile)
{
    return OpenProjectFile(fileName, LayoutForFileName(fileName), data, tables, cptProfile);
}
