#include "PlotDataFile.h"

#include <string>

namespace {

// The word reader with the position of the last word read, so that a count read as a good
// integer but out of range can be reported at its line and item like any other bad word.
class TPlotWords
{
public:
    explicit TPlotWords(TWordReader& reader)
        : m_reader(reader)
    {}

    long double Float()
    {
        const long double value = m_reader.ReadFloat();
        Advance();
        return value;
    }

    int Integer()
    {
        const int value = m_reader.ReadInteger();
        Advance();
        return value;
    }

    // An integer count within low..high; `what` names it in the message.
    int Count(int low, int high, const char* what)
    {
        const int value = Integer();
        if (value < low || value > high) {
            const std::string expected = low == high ? "should be " + std::to_string(low)
                                                     : "is out of range " + std::to_string(low)
                                                           + ".." + std::to_string(high);
            throw EInOutError("Error on Line " + std::to_string(m_line) + " Item "
                              + std::to_string(m_item) + "\r" + what + " (" + std::to_string(value)
                              + ") " + expected + ".");
        }
        return value;
    }

    int Line() const { return m_line; }

private:
    // A read moves to a new line only when the previous one is used up; a word on a new line
    // is its first item.
    void Advance()
    {
        if (m_reader.LineNumber() != m_line) {
            m_line = m_reader.LineNumber();
            m_item = 1;
        } else {
            ++m_item;
        }
    }

    TWordReader& m_reader;
    int m_line = 0;
    int m_item = 0;
};

std::vector<TPlotTzCurve> ReadTzCurves(TPlotWords& words, int maxCount)
{
    const int count = words.Count(0, maxCount, "The number of t-z curves");
    std::vector<TPlotTzCurve> curves(static_cast<std::size_t>(count));
    for (TPlotTzCurve& curve : curves) {
        // The curve's number and its point count: the engine always writes 10 points.
        words.Integer();
        words.Count(kPlotTzPoints, kPlotTzPoints, "The number of points of a t-z curve");
        curve.Depth = words.Float();
        for (int k = 0; k < kPlotTzPoints; ++k) {
            curve.T[static_cast<std::size_t>(k)] = words.Float();
            curve.Z[static_cast<std::size_t>(k)] = words.Float();
        }
    }
    return curves;
}

} // namespace

TPlotData ReadPlotData(TWordReader& reader, bool readExtraTz)
{
    TPlotWords words(reader);
    TPlotData data;
    data.CurveCount = words.Count(0, kPlotMaxCapacityCurves, "The number of capacity curves");
    data.HeaderLine = words.Line();
    data.RowCount = words.Count(1, kPlotMaxRows, "The number of rows per method");
    data.Units = words.Count(1, 2, "The unit system");
    data.LoadSettlementMethod = words.Count(1, 9, "The load-settlement method");

    const auto rows = static_cast<std::size_t>(data.RowCount);
    data.Capacity.assign(static_cast<std::size_t>(data.CurveCount),
                         std::vector<TPlotCapacityRow>(rows));
    for (auto& curve : data.Capacity) {
        for (TPlotCapacityRow& row : curve) {
            row.Depth = words.Float();
            row.Side = words.Float();
            row.Tip = words.Float();
            row.Total = words.Float();
            row.UnitSide = words.Float();
        }
    }

    data.TzCurves = ReadTzCurves(words, kPlotMaxTzCurves);

    for (int c = 0; c < kPlotLoadCases; ++c) {
        auto& position = data.LoadPosition[static_cast<std::size_t>(c)];
        auto& load = data.Load[static_cast<std::size_t>(c)];
        position.resize(rows);
        load.resize(rows);
        for (std::size_t j = 0; j < rows; ++j) {
            position[j] = words.Float();
            load[j] = words.Float();
            words.Float();
        }
    }

    for (TPlotLoadSettlementRow& row : data.LoadSettlement) {
        row.TopLoad = words.Float();
        row.TopMovement = words.Float();
        row.TipLoad = words.Float();
        row.TipMovement = words.Float();
    }

    if (readExtraTz) {
        data.HasExtraTz = true;
        data.ExtraTzCurves = ReadTzCurves(words, kPlotMaxExtraTzCurves);
    }
    return data;
}
