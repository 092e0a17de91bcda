#include "CptDataFile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "AnalysisRun.h"
#include "CptSideFile.h"
#include "FileValues.h"
#include "InputFile.h"
#include "support/TWordReader.h"

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
        const int perPoint = std::max(columns, 2);
        // A point takes at most a line per number, so the points the computation takes end
        // within these lines; the line after them is where a point too many would start. The
        // rest of a larger file is never read.
        const std::size_t points =
            static_cast<std::size_t>(std::clamp(dataLines, 0, kEngineMaxCptPoints));
        TWordReader reader = ReadInputFile(fileName,
                                           static_cast<std::size_t>(std::max(headerLines, 0))
                                               + points * static_cast<std::size_t>(perPoint) + 1);
        for (int i = 0; i < headerLines; ++i) {
            reader.ReadLine();
        }
        // Line and position of the last number read, for the message of a Qc that can't be
        // converted (the reader moves on at most one line per read).
        int line = reader.LineNumber();
        int item = 0;
        const auto readNumber = [&] {
            const long double value = reader.ReadFloat();
            if (reader.LineNumber() != line) {
                line = reader.LineNumber();
                item = 0;
            }
            ++item;
            return value;
        };
        const auto refuse = [&](const char* what) {
            throw EInOutError("Error on Line " + std::to_string(line) + " Item "
                              + std::to_string(item) + "\r" + what);
        };
        for (int i = 0; i < dataLines; ++i) {
            if (i == kEngineMaxCptPoints) {
                item = 1;
                refuse(CptPointLimitText(dataLines).c_str());
            }
            TCptDataPoint point;
            point.Depth = readNumber();
            // The points go to the CPT side file, which the engine reads: what it would
            // refuse is refused here, where the number stands.
            if (const char* problem = EngineRangeProblem(point.Depth)) {
                refuse(problem);
            }
            const std::string depthProblem =
                CptDepthProblem(point.Depth, i == 0 ? nullptr : &result.Points.back().Depth);
            if (!depthProblem.empty()) {
                refuse(depthProblem.c_str());
            }
            point.Value = Converted(readNumber(), ua, kind, unitSystem);
            if (!std::isfinite(point.Value)) {
                // A Qc so large that its converted value overflows: refused like a number
                // beyond the reader's range, so no infinite point reaches a plot.
                refuse("A floating point number was expected but not found.");
            }
            if (const char* problem = EngineRangeProblem(point.Value)) {
                refuse(problem);
            }
            for (int k = 2; k < perPoint; ++k) {
                readNumber();
            }
            result.Points.push_back(point);
            if (i + 1 < dataLines) {
                reader.ReadLine(); // the rest of the line
                line = reader.LineNumber();
                item = 0;
            }
        }
        result.Complete = true;
    } catch (const EInOutError& e) {
        result.Error = e.Message();
    }
    return result;
}
