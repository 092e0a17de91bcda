#include "plot/TLine.h"

#include <stdexcept>

#include "entry/NumberFormat.h"
#include "plot/TGraphPlot.h"

namespace {
// Digits of the shortest general form of a curve number in its default legend text.
constexpr int kShortestGeneralDigits = 15;
} // namespace

TLine::TLine(TGraphPlot* owner)
    : TLine(owner,
            owner != nullptr ? owner->PointCount() : 0,
            owner != nullptr ? owner->LineCount() + 1.0L : 1.0L)
{}

TLine::TLine(TGraphPlot* owner, int pointCount, long double value)
    : Value(value)
    , m_owner(owner)
{
    SetPointCount(pointCount);
}

TFloatPoint& TLine::Points(int i)
{
    if (i < 0 || i >= PointCount()) {
        throw std::out_of_range("point index " + std::to_string(i) + " outside 0.."
                                + std::to_string(PointCount() - 1));
    }
    return m_points[static_cast<std::size_t>(i)];
}

const TFloatPoint& TLine::Points(int i) const
{
    return const_cast<TLine*>(this)->Points(i);
}

void TLine::SetPointCount(int n)
{
    m_points.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
}

std::string TLine::GetCaption() const
{
    if (!Name.empty()) {
        return Name;
    }
    if (m_owner == nullptr) {
        return FormatFloatGeneral(Value, kShortestGeneralDigits);
    }
    const int position = m_owner->IndexOfLine(this);
    const auto& legendNames = m_owner->LegendNames();
    if (position >= 0 && position < static_cast<int>(legendNames.size())) {
        return legendNames[static_cast<std::size_t>(position)];
    }
    return m_owner->CurveName() + FormatFloatGeneral(Value, kShortestGeneralDigits);
}
