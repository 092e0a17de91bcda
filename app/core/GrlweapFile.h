#pragma once

#include <string>
#include <vector>

#include "support/Exception.h"

class TGridTable;
class TProgramData;

// A GRLWEAP input file could not be made or written. Any earlier file is left as it was.
class EGrlweapError : public Exception
{
public:
    using Exception::Exception;
};

// One row of the static resistance profile of the load-settlement method, in the project's
// units (ft or m, ksf or kPa, kips or kN).
struct TGrlweapRow
{
    long double Depth = 0;
    long double UnitSkinFriction = 0;
    long double TipResistance = 0;
};

// One soil layer as the result graphs and the GRLWEAP file see it.
struct TSoilLayerInfo
{
    int SoilType = 1;            // 1 sand, 2 clay, 3 silt
    long double BottomDepth = 0; // ft or m
};

// The layers of the soil table `D`: the soil type and the bottom depth as its cell shows it.
std::vector<TSoilLayerInfo> SoilLayersFromTable(const TGridTable& soilTable);

// What the GRLWEAP file is made from: project values and the resistance profile read with
// the plot data.
struct TGrlweapInput
{
    int UnitSystem = 1; // 1 English, 2 SI
    std::string Title;
    int PileType = 1;
    bool Circular = true;
    long double OD = 0;        // in / mm
    long double ID = 0;        // in / mm
    long double E = 0;         // lb/in^2 / kN/m^2
    long double Perimeter = 0; // in / mm; for a circular pile it is taken from OD
    std::vector<TSoilLayerInfo> Layers;
    std::vector<TGrlweapRow> Profile;
};

// The perimeter the file uses, in / mm: OD x 3.1416 for a circular pile, else Perimeter. The
// project keeps this value (a circular pile's perimeter follows its diameter).
long double GrlweapPerimeter(const TGrlweapInput& input);

// The profile rows written (0-based): every row up to 99 rows; a longer profile thinned to
// about 100 rows with the deepest row always last.
std::vector<int> GrlweapSelectedRows(int rowCount);

// Layer of each profile row (0-based index into Layers): rows walk down the layers, at most
// one layer per row, staying in the last layer below it.
std::vector<int> GrlweapRowLayers(const TGrlweapInput& input);

// The file's text, lines ended by CR LF, numbers with ".". Raises EGrlweapError when there is
// no profile or no soil layer to write.
std::string GrlweapFileText(const TGrlweapInput& input);

// `path` with its extension replaced by ".gwi".
std::string GrlweapFileNameFor(const std::string& projectFileName);

// Writes the file: to a temporary file beside it, renamed into place when complete. On any
// failure the temporary file is removed, an existing file keeps its content, and
// EGrlweapError says what went wrong.
void WriteGrlweapFile(const std::string& path, const TGrlweapInput& input);

// The GRLWEAP file of the open project after a good plot-data read: the project's values, the
// layers of its soil table and the profile of the read (TPlotReadResult::GrlweapProfile,
// empty when the load-settlement method's table was not in the file). Writes it to `path`,
// or when that is empty under the project's name with ".gwi" (WriteGrlweapFile), then keeps
// the path in GrlweapFileName and, for a circular pile, the perimeter OD x 3.1416 in
// Perimeter. Returns the file's path. Raises EGrlweapError as WriteGrlweapFile does; the
// project is then unchanged.
std::string WriteProjectGrlweapFile(TProgramData& data,
                                    const TGridTable& soilTable,
                                    const std::vector<TGrlweapRow>& profile,
                                    const std::string& path = {});
