#include "CptSideFile.h"

#include <algorithm>
#include <utility>

#include "AnalysisRun.h"
#include "FileValues.h"
#include "InputFile.h"
#include "entry/NumberFormat.h"
#include "support/TWordReader.h"

namespace {

constexpr long double kPsfPerKsf = 1000.0L;

} // namespace

long double SideFileQc(long double profileQc, int unitSystem)
{
    return unitSystem == 2 ? profileQc : profileQc * kPsfPerKsf;
}

long double ProfileQc(long double sideFileQc, int unitSystem)
{
    return unitSystem == 2 ? sideFileQc : sideFileQc / kPsfPerKsf;
}

namespace {

// Two depths as texts that tell them apart.
std::pair<std::string, std::string> DistinctTexts(long double a, long double b)
{
    if (FormatGeneral(a) != FormatGeneral(b)) {
        return {FormatGeneral(a), FormatGeneral(b)};
    }
    return {FormatGeneral18(a), FormatGeneral18(b)};
}

} // namespace

std::string CptDepthProblem(long double depth, const long double* before)
{
    if (depth < 0) {
        return "The CPT depth " + FormatGeneral(depth)
               + " is negative: the depths must be 0 or more.";
    }
    if (before != nullptr && depth < *before) {
        const auto [shown, shownBefore] = DistinctTexts(depth, *before);
        return "The CPT depth " + shown + " is less than the depth " + shownBefore
               + " of the point before it: the depths must not decrease.";
    }
    return {};
}

std::string CptPointLimitText(long double points)
{
    return "The computation takes at most " + std::to_string(kEngineMaxCptPoints)
           + " CPT points, not " + FormatGeneral(points) + ".";
}

std::string CptSideFileText(const TCptSideData& data)
{
    std::string text = data.UnitSystem == 2 ? " 2 " : " 1 ";
    text += std::to_string(data.Points.size());
    text += "\r\n";
    for (const TCptSidePoint& point : data.Points) {
        text += "  " + FormatExponent2(point.Depth) + "  " + FormatExponent2(point.Qc) + "\r\n";
    }
    return text;
}

namespace {

// The end of the data, said where it came: "This file either invalid or incomplete.", then
// the line and item, then what was still to come.
[[noreturn]] void Incomplete(const TWordReader& reader, const std::string& what)
{
    throw EInOutError(std::string(TWordReader::kIncompleteText) + "\rError on Line "
                      + std::to_string(reader.LineNumber()) + " Item 1\r" + what);
}

int ReadHeaderInteger(TWordReader& reader)
{
    try {
        return reader.ReadInteger();
    } catch (const EInOutError& e) {
        if (e.Message() != TWordReader::kIncompleteText) {
            throw;
        }
        Incomplete(reader, "The file ends before its unit code and number of points.");
    }
}

} // namespace

TCptSideData ReadCptSideFile(const std::string& fileName)
{
    TWordReader reader = ReadInputFile(fileName);
    TCptSideData data;
    const int line = reader.LineNumber();
    data.UnitSystem = ReadHeaderInteger(reader);
    if (data.UnitSystem != 1 && data.UnitSystem != 2) {
        throw EInOutError("Error on Line " + std::to_string(line)
                          + " Item 1\rThe unit code must be 1 or 2.");
    }
    const int count = ReadHeaderInteger(reader);
    if (count < 0) {
        throw EInOutError("Error on Line " + std::to_string(reader.LineNumber())
                          + " Item 2\rThe number of points must not be negative.");
    }
    if (count > kEngineMaxCptPoints) {
        throw EInOutError("Error on Line " + std::to_string(reader.LineNumber()) + " Item 2\r"
                          + CptPointLimitText(count));
    }
    data.Count = count;
    // Each point takes a line: a count beyond the lines there are can't be met, so the
    // reservation stays bounded by the file.
    data.Points.reserve(static_cast<std::size_t>(std::min(count, reader.LineCount())));
    for (int i = 0; i < count; ++i) {
        try {
            TCptSidePoint point;
            point.Depth = ReadEngineReal(reader);
            const std::string problem =
                CptDepthProblem(point.Depth, i == 0 ? nullptr : &data.Points.back().Depth);
            if (!problem.empty()) {
                throw EInOutError("Error on Line " + std::to_string(reader.LineNumber()) + " Item "
                                  + std::to_string(reader.ItemNumber()) + "\r" + problem);
            }
            point.Qc = ReadEngineReal(reader);
            data.Points.push_back(point);
        } catch (const EInOutError& e) {
            if (e.Message() != TWordReader::kIncompleteText) {
                throw;
            }
            Incomplete(reader,
                       "The file ends after " + std::to_string(i) + " of its "
                           + std::to_string(count) + " points.");
        }
    }
    // Lines with data after the counted points.
    reader.ReadLine();
    while (!reader.Eof()) {
        if (reader.WordCount() > 0) {
            ++data.LinesBeyondCount;
        }
        reader.ReadLine();
    }
    return data;
}
