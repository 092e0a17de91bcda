#pragma once

// Helpers of the CPT-based method tests: a project from the pass-1 test builder with the
// columns it leaves at 0 (SPT N or yield stress ratio, plasticity index, soil-table qc) set per
// layer, a CPT side file, and one whole run that keeps the run state.

#include <string>
#include <vector>

#include "Pass1RunSupport.h"

namespace offshoretest {

using namespace pass1test;

// The per-layer values the builder writes as 0: blow count (clay: yield stress ratio),
// plasticity index and the soil table's qc.
struct TConeColumns
{
    double spt = 0;
    double pi = 0;
    double qc = 0;
};

// Project lines with the cone columns of every layer set (layer i: rows 2i - 1 and 2i).
inline std::vector<std::string> ConeProjectLines(const TProject& project,
                                                 const std::vector<TConeColumns>& cone)
{
    std::vector<std::string> lines = project.Lines();
    constexpr std::size_t kFirstSoilLine = 9;
    for (std::size_t layer = 0; layer < cone.size() && layer < project.layers.size(); ++layer) {
        for (std::size_t row = 0; row < 2; ++row) {
            std::string& line = lines[kFirstSoilLine + 4 * layer + 2 * row + 1];
            std::istringstream in(line);
            std::vector<std::string> words;
            for (std::string w; in >> w;) {
                words.push_back(w);
            }
            words.at(4) = FileNumber(cone[layer].spt);
            words.at(5) = FileNumber(cone[layer].pi);
            words.at(6) = FileNumber(cone[layer].qc);
            line.clear();
            for (const std::string& w : words) {
                line += w + " ";
            }
        }
    }
    return lines;
}

// A CPT side file: the unit system, the count, then depth and qc per point.
inline std::string CptFile(int units, const std::vector<std::pair<double, double>>& points)
{
    std::string text = ' ' + std::to_string(units) + ' ' + std::to_string(points.size()) + "\r\n";
    for (const auto& [depth, qc] : points) {
        text += ' ' + FileNumber(depth) + ' ' + FileNumber(qc) + "\r\n";
    }
    return text;
}

// Writes the project lines and the CPT file, runs RUNANALYSIS on a fresh state, keeps it.
inline TStateRun RunConeProject(const std::vector<std::string>& lines, const std::string& cpt)
{
    return RunKeepingState(lines, cpt);
}

} // namespace offshoretest
