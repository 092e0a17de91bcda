#include "plot/TGraphPlot.h"

#include <algorithm>
#include <stdexcept>

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

void TGraphPlot::SetLineCount(int n)
{
    ResizeList(m_lines, n, false);
}

void TGraphPlot::SetLayerCount(int n)
{
    ResizeList(m_layers, n, false);
}

void TGraphPlot::SetLineCount2(int n)
{
    ResizeList(m_lines2, n, true);
}

void TGraphPlot::SetLineCount3(int n)
{
    ResizeList(m_lines3, n, true);
}

void TGraphPlot::SetPointCount(int n)
{
    SetListPointCount(m_lines, n);
}

void TGraphPlot::SetLayerPointCount(int n)
{
    SetListPointCount(m_layers, n);
}

void TGraphPlot::SetPointCount2(int n)
{
    SetListPointCount(m_lines2, n);
}

void TGraphPlot::SetPointCount3(int n)
{
    SetListPointCount(m_lines3, n);
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
