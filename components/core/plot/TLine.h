#pragma once

#include <string>
#include <vector>

#include "plot/TFloatPoint.h"

class TGraphPlot;

// One curve of a graph, or one soil-layer line (one point per layer: X the fill code,
// Y the layer's bottom depth).
class TLine
{
public:
    // A line with as many (0, 0) points as the owner's first graph-1 curve and the number
    // the owner's graph-1 list will give it (count + 1). A null owner gives an empty line
    // numbered 1.
    explicit TLine(TGraphPlot* owner);
    // A line with the given point count and number; the plot uses it for the lists whose
    // own counts it mirrors.
    TLine(TGraphPlot* owner, int pointCount, long double value);

    int PointCount() const { return static_cast<int>(m_points.size()); }
    // Point i, 0-based; an index outside 0..PointCount()-1 raises std::out_of_range.
    TFloatPoint& Points(int i);
    const TFloatPoint& Points(int i) const;
    const std::vector<TFloatPoint>& PointList() const { return m_points; }

    // Negative counts as 0; removes points from the end or appends (0, 0) points.
    void SetPointCount(int n);

    // The legend text: Name when given; for a graph-1 curve the plot's LegendNames entry at
    // its position when there is one; else CurveName followed by Value.
    std::string GetCaption() const;

    TGraphPlot* Owner() const { return m_owner; }

    long double Value = 1.0L;
    std::string Name;
    bool Visible = true;
    bool Active = true;

private:
    TGraphPlot* m_owner = nullptr;
    std::vector<TFloatPoint> m_points;
};
