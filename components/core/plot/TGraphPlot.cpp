#include "plot/TGraphPlot.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "support/Helpers.h"

std::string ExpandUnitPlaceholders(const std::string& pattern, int unitSystem)
{
    if (unitSystem == 3) {
        return pattern;
    }
    const bool english = unitSystem != 2;
    std::string text = pattern;
    // Only one kind of force and one kind of length placeholder is replaced: the
    // highest-numbered one present. The unit names hold no F or L, so one pass is enough.
    if (text.find("F2") != std::string::npos) {
        text = ReplaceAll(text, "F2", english ? "tons" : "kN");
    } else if (text.find("F1") != std::string::npos) {
        text = ReplaceAll(text, "F1", english ? "kips" : "kN");
    } else {
        text = ReplaceAll(text, "F", english ? "lbs" : "kN");
    }
    if (text.find("L2") != std::string::npos) {
        text = ReplaceAll(text, "L2", english ? "ft" : "m");
    } else if (text.find("L1") != std::string::npos) {
        text = ReplaceAll(text, "L1", english ? "in" : "mm");
    } else {
        text = ReplaceAll(text, "L", english ? "in" : "m");
    }
    return text;
}

TGraphPlot::TGraphPlot() = default;

TGraphPlot::~TGraphPlot()
{
    // The window refers to the plot; it goes first.
    m_window.reset();
}

void TGraphPlot::SetUnits(int v)
{
    m_units = std::clamp(v, 1, 3);
}

std::size_t TGraphPlot::Index(int i)
{
    if (i < 0) {
        throw std::out_of_range("line index " + std::to_string(i) + " is negative");
    }
    return static_cast<std::size_t>(i);
}

void TGraphPlot::ResizeList(LineList& list, int n, bool mirrorOwnList)
{
    const std::size_t target = n < 0 ? 0 : static_cast<std::size_t>(n);
    if (list.size() > target) {
        list.resize(target);
    }
    while (list.size() < target) {
        if (mirrorOwnList) {
            list.push_back(std::make_unique<TLine>(this, FirstCount(list), Count(list) + 1.0L));
        } else {
            list.push_back(std::make_unique<TLine>(this));
        }
    }
}

void TGraphPlot::SetListPointCount(LineList& list, int n)
{
    for (auto& line : list) {
        line->SetPointCount(n);
    }
}

TGraphPlot::LineList& TGraphPlot::List(int graph)
{
    return const_cast<LineList&>(std::as_const(*this).List(graph));
}

const TGraphPlot::LineList& TGraphPlot::List(int graph) const
{
    switch (graph) {
    case 1:
        return m_lines;
    case 2:
        return m_lines2;
    case 3:
        return m_lines3;
    default:
        throw std::out_of_range("graph " + std::to_string(graph) + " is not 1, 2 or 3");
    }
}

std::vector<const TLine*> TGraphPlot::Curves(int graph) const
{
    std::vector<const TLine*> curves;
    for (const auto& line : List(graph)) {
        curves.push_back(line.get());
    }
    return curves;
}

void TGraphPlot::SetCurveCount(int graph, int n)
{
    // Graph 1 numbers its curves from the plot; graphs 2 and 3 from their own lists.
    ResizeList(List(graph), n, graph != 1);
}

void TGraphPlot::SetCurvePointCount(int graph, int n)
{
    SetListPointCount(List(graph), n);
}

void TGraphPlot::SetLayerCount(int n)
{
    ResizeList(m_layers, n, false);
}

void TGraphPlot::SetLayerPointCount(int n)
{
    SetListPointCount(m_layers, n);
}

void TGraphPlot::SetLayerCount(int n, int pointCount)
{
    const std::size_t target = n < 0 ? 0 : static_cast<std::size_t>(n);
    if (m_layers.size() > target) {
        m_layers.resize(target);
    }
    SetListPointCount(m_layers, pointCount);
    while (m_layers.size() < target) {
        m_layers.push_back(std::make_unique<TLine>(this, pointCount, LineCount() + 1.0L));
    }
}

int TGraphPlot::IndexOfLine(const TLine* line) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].get() == line) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TGraphPlot::ActivateCurvesForWindow()
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i]->Active = static_cast<int>(i) < kMaxActiveCurvesOnOpen;
    }
}

void TGraphPlot::Show()
{
    if (m_window == nullptr) {
        if (!m_windowFactory) {
            return;
        }
        m_window = m_windowFactory(*this);
        if (m_window == nullptr) {
            return;
        }
    }
    m_window->Present();
}
