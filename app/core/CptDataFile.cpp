#include "CptDataFile.h"

#include <algorithm>

#include "TWordReader.h"

namespace {

// Held as single-precision constants; each is exact in binary.
constexpr float kKsfToKpa = 47.875f;
constexpr float kQcPerSpt = 280.0f;
constexpr float kQcPerSu = 15.0f;

long double Converted(long double qc, long double ua, TCptPlotKind kind, int unitSystem)
{
    switch (kind) {
    case TCptPlotKind::Spt:
        return unitSystem == 2 ? ua * qc / kQcPerSpt : ua * qc * kKsfToKpa / kQcPerSpt;
    case TCptPlotKind::Su:
        return ua * qc / kQcPerSu;
    case TCptPlotKind::Qc:
        break;
    }
    return ua * qc;
}

} // namespace

TCptDataRead ReadCptDataFile(const std::string& fileName,
                             int dataLines,
                             int headerLines,
                             int columns,
                             long double ua,
                             TCptPlotKind kind,
                             int unitSystem)
{
    TCptDataRead result;
    try {
        TWordReader reader(fileName);
        for (int i = 0; i < headerLines; ++i) {
            reader.ReadLine();
        }
        const int perPoint = std::max(columns, 2);
        for (int i = 0; i < dataLines; ++i) {
            TCptDataPoint point;
            point.Depth = reader.ReadFloat();
            point.Value = Converted(reader.ReadFloat(), ua, kind, unitSystem);
            for (int k = 2; k < perPoint; ++k) {
                reader.ReadFloat();
            }
            result.Points.push_back(point);
            if (i + 1 < dataLines) {
                reader.ReadLine(); // the rest of the line
            }
        }
        result.Complete = true;
    } catch (const EInOutError& e) {
        result.Error = e.Message();
    }
    return result;
}
