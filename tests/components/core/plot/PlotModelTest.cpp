#include <memory>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "plot/TGraphPlot.h"

namespace {

TEST(PlotModel, ConstructionDefaults)
{
    TGraphPlot plot;
    EXPECT_EQ(plot.CurveName(), "Curve #");
    EXPECT_TRUE(plot.XOnTop());
    EXPECT_TRUE(plot.ShowLegend());
    EXPECT_FALSE(plot.ShowLayers());
    EXPECT_FALSE(plot.ShowThree());
    EXPECT_FALSE(plot.ShowWall());
    EXPECT_TRUE(plot.ShowFontWidth());
    EXPECT_EQ(plot.WallLineCount(), 0);
    EXPECT_EQ(plot.Units(), 1);
    EXPECT_EQ(plot.Markers(), 1);
    EXPECT_EQ(plot.SizeFont(), 10);
    EXPECT_EQ(plot.LegendFont(), 11);
    EXPECT_EQ(plot.WidthLine(), 1);
    EXPECT_EQ(plot.LayerTop(), 0.0L);
    EXPECT_TRUE(plot.Caption().empty());
    EXPECT_TRUE(plot.Title().empty());
    EXPECT_EQ(plot.LineCount() + plot.LayerCount() + plot.CurveCount(2) + plot.CurveCount(3), 0);
    EXPECT_FALSE(plot.WindowExists());
}

TEST(PlotModel, UnitsAreClampedIntoOneToThree)
{
    const struct
    {
        int set;
        int expected;
    } cases[] = {{0, 1}, {7, 3}, {-5, 1}, {1, 1}, {2, 2}, {3, 3}};
    for (const auto& c : cases) {
        TGraphPlot plot;
        plot.SetUnits(c.set);
        EXPECT_EQ(plot.Units(), c.expected) << "set " << c.set;
    }
}

TEST(PlotModel, EmptyPlotHasNoPointsAndSetPointCountDoesNothing)
{
    TGraphPlot plot;
    EXPECT_EQ(plot.PointCount(), 0);
    plot.SetPointCount(5);
    EXPECT_EQ(plot.PointCount(), 0);
    EXPECT_EQ(plot.LineCount(), 0);
    EXPECT_EQ(plot.LayerPointCount(), 0);
    EXPECT_EQ(plot.CurvePointCount(2), 0);
}

TEST(PlotModel, ShrinkingKeepsFirstCurvesAndGrowingNumbersNewOnes)
{
    TGraphPlot plot;
    plot.SetLineCount(5);
    plot.SetPointCount(4);
    plot.Line(0).Name = "FHWA";
    plot.Line(1).Visible = false;
    plot.Line(2).Active = false;
    plot.Point(2, 3).X = 7.5L;
    plot.SetLineCount(3);
    ASSERT_EQ(plot.LineCount(), 3);
    EXPECT_EQ(plot.Line(0).Name, "FHWA");
    EXPECT_FALSE(plot.Line(1).Visible);
    EXPECT_FALSE(plot.Line(2).Active);
    EXPECT_EQ(plot.Point(2, 3).X, 7.5L);

    plot.SetLineCount(5);
    ASSERT_EQ(plot.LineCount(), 5);
    EXPECT_EQ(plot.Line(3).Value, 4.0L);
    EXPECT_EQ(plot.Line(4).Value, 5.0L);
    EXPECT_EQ(plot.Line(3).PointCount(), 4);
    EXPECT_EQ(plot.Line(4).PointCount(), 4);
    EXPECT_TRUE(plot.Line(3).Visible);
    EXPECT_TRUE(plot.Line(3).Active);
    EXPECT_EQ(plot.Point(3, 0).X, 0.0L);
    EXPECT_EQ(plot.Point(3, 0).Y, 0.0L);

    plot.SetLineCount(-2);
    EXPECT_EQ(plot.LineCount(), 0);
}

TEST(PlotModel, LinePointCountShrinksAndGrowsFromTheEnd)
{
    TGraphPlot plot;
    plot.SetLineCount(1);
    TLine& line = plot.Line(0);
    line.SetPointCount(3);
    line.Points(1) = TFloatPoint{1.5L, 2.5L};
    line.SetPointCount(2);
    line.SetPointCount(4);
    EXPECT_EQ(line.PointCount(), 4);
    EXPECT_EQ(line.Points(1).X, 1.5L);
    EXPECT_EQ(line.Points(3).Y, 0.0L);
    line.SetPointCount(-1);
    EXPECT_EQ(line.PointCount(), 0);
}

TEST(PlotModel, BadIndexesRaiseInsteadOfReadingAnywhere)
{
    TGraphPlot plot;
    plot.SetLineCount(2);
    plot.SetPointCount(3);
    EXPECT_THROW(plot.Line(2), std::out_of_range);
    EXPECT_THROW(plot.Line(-1), std::out_of_range);
    EXPECT_THROW(plot.Point(0, 3), std::out_of_range);
    EXPECT_THROW(plot.Point(0, -1), std::out_of_range);
    EXPECT_THROW(plot.Layer(0), std::out_of_range);
    EXPECT_THROW(plot.Curve(2, 0), std::out_of_range);
    EXPECT_THROW(plot.Curve(0, 0), std::out_of_range);
    EXPECT_THROW(plot.CurveCount(4), std::out_of_range);
}

TEST(PlotModel, LegendCaptionFallsBackFromNameToLegendNamesToCurveNumber)
{
    TGraphPlot plot;
    plot.SetLineCount(3);
    EXPECT_EQ(plot.Line(0).GetCaption(), "Curve #1");
    EXPECT_EQ(plot.Line(2).GetCaption(), "Curve #3");
    plot.LegendNames() = {"first", "second"};
    EXPECT_EQ(plot.Line(1).GetCaption(), "second");
    EXPECT_EQ(plot.Line(2).GetCaption(), "Curve #3");
    plot.Line(1).Name = "API RP-2A";
    EXPECT_EQ(plot.Line(1).GetCaption(), "API RP-2A");
    plot.SetCurveName("Depth ");
    plot.Line(2).Value = 2.5L;
    EXPECT_EQ(plot.Line(2).GetCaption(), "Depth 2.5");
}

TEST(PlotModel, NewLayerLinesAreCreatedLikeCurves)
{
    TGraphPlot plot;
    plot.SetLineCount(2);
    plot.SetPointCount(6);
    plot.SetLayerCount(3);
    EXPECT_EQ(plot.LayerPointCount(), 6);
    EXPECT_EQ(plot.Layer(0).Value, 3.0L);
    plot.SetLayerPointCount(1);
    EXPECT_EQ(plot.LayerPointCount(), 1);
    EXPECT_EQ(plot.Layer(2).PointCount(), 1);
    EXPECT_EQ(plot.PointCount(), 6);
}

// Layer lines made at their own point count are numbered like the others, and lines that stay
// keep their names.
TEST(PlotModel, LayerLinesMadeWithTheirOwnPointCount)
{
    TGraphPlot plot;
    plot.SetLineCount(2);
    plot.SetPointCount(6);
    plot.SetLayerCount(3, 1);
    EXPECT_EQ(plot.LayerCount(), 3);
    EXPECT_EQ(plot.Layer(2).PointCount(), 1);
    EXPECT_EQ(plot.Layer(0).Value, 3.0L);
    EXPECT_EQ(plot.PointCount(), 6);
    plot.Layer(0).Name = " SAND ";
    plot.SetLayerCount(2, 4);
    EXPECT_EQ(plot.LayerCount(), 2);
    EXPECT_EQ(plot.Layer(0).Name, " SAND ");
    EXPECT_EQ(plot.Layer(1).PointCount(), 4);
}

TEST(PlotModel, SideGraphsMirrorGraphOneWithTheirOwnCounts)
{
    TGraphPlot plot;
    plot.SetLineCount(4);
    plot.SetPointCount(9);
    plot.SetCurveCount(2, 2);
    EXPECT_EQ(plot.CurvePointCount(2), 0);
    plot.SetCurvePointCount(2, 3);
    plot.SetCurveCount(2, 3);
    EXPECT_EQ(plot.Curve(2, 2).PointCount(), 3);
    EXPECT_EQ(plot.Curve(2, 2).Value, 3.0L);
    plot.SetCurveCount(3, 1);
    plot.SetCurvePointCount(3, 5);
    plot.Curve(3, 0).Points(4).Y = -2.0L;
    EXPECT_EQ(plot.CurvePointCount(3), 5);
    EXPECT_EQ(plot.Curve(3, 0).Points(4).Y, -2.0L);
    EXPECT_EQ(plot.PointCount(), 9);
}

TEST(PlotModel, OpeningAWindowLeavesAtMostTwentyCurvesActive)
{
    const struct
    {
        int curves;
        int active;
    } cases[] = {{25, 20}, {20, 20}, {3, 3}};
    for (const auto& c : cases) {
        TGraphPlot plot;
        plot.SetLineCount(c.curves);
        plot.Line(0).Active = false;
        plot.ActivateCurvesForWindow();
        int active = 0;
        for (int i = 0; i < plot.LineCount(); ++i) {
            active += plot.Line(i).Active ? 1 : 0;
            EXPECT_EQ(plot.Line(i).Active, i < 20) << c.curves << " curves, curve " << i;
        }
        EXPECT_EQ(active, c.active);
    }
}

struct FakeWindow : TPlotWindowHandle
{
    explicit FakeWindow(int& presented, int& destroyed)
        : m_presented(presented)
        , m_destroyed(destroyed)
    {}
    ~FakeWindow() override { ++m_destroyed; }
    void Present() override { ++m_presented; }
    int& m_presented;
    int& m_destroyed;
};

TEST(PlotModel, ShowBuildsOneWindowUntilItIsClosed)
{
    int made = 0, presented = 0, destroyed = 0;
    {
        TGraphPlot plot;
        plot.Show(); // no factory: nothing
        EXPECT_FALSE(plot.WindowExists());
        plot.SetWindowFactory([&](TGraphPlot&) {
            ++made;
            return std::make_unique<FakeWindow>(presented, destroyed);
        });
        plot.Show();
        plot.Show();
        EXPECT_EQ(made, 1);
        EXPECT_EQ(presented, 2);
        EXPECT_TRUE(plot.WindowExists());
        // The window closes: it takes its handle back and the next Show builds a new one.
        auto closing = plot.DetachWindow();
        EXPECT_FALSE(plot.WindowExists());
        closing.reset();
        EXPECT_EQ(destroyed, 1);
        plot.Show();
        EXPECT_EQ(made, 2);
    }
    EXPECT_EQ(destroyed, 2); // the plot frees its window with itself
}

// A window that detaches itself when it goes, as a closing window does.
struct SelfDetachingWindow : TPlotWindowHandle
{
    explicit SelfDetachingWindow(TGraphPlot& plot)
        : m_plot(plot)
    {}
    ~SelfDetachingWindow() override { EXPECT_EQ(m_plot.DetachWindow(), nullptr); }
    void Present() override {}
    TGraphPlot& m_plot;
};

TEST(PlotModel, AWindowMayDetachWhileThePlotDestroysIt)
{
    auto plot = std::make_unique<TGraphPlot>();
    plot->SetWindowFactory([](TGraphPlot& p) { return std::make_unique<SelfDetachingWindow>(p); });
    plot->Show();
    ASSERT_TRUE(plot->WindowExists());
    plot.reset();
}

TEST(PlotModel, UnitPlaceholdersInCaptions)
{
    const struct
    {
        const char* pattern;
        int system;
        const char* expected;
    } cases[] = {
        {"F1/L2^2", 1, "kips/ft^2"},
        {"F1/L2^2", 2, "kN/m^2"},
        {"F1/L2^2", 3, "F1/L2^2"},
        {"F/L^2", 1, "lbs/in^2"},
        {"F/L^2", 2, "kN/m^2"},
        {"L", 1, "in"},
        {"L1", 2, "mm"},
        {"L2", 1, "ft"},
        {"F2", 1, "tons"},
        {"SPT-N", 1, "SPT-N"},
        {"", 1, ""},
        // Only the F2 occurrences are expanded when both F1 and F2 are present.
        {"F1 F2", 1, "F1 tons"},
        // Every capital F and L is a placeholder, also in plain words.
        {"Force", 1, "lbsorce"},
        {"Load L1", 2, "Load mm"},
        {"Force", 3, "Force"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandUnitPlaceholders(c.pattern, c.system), c.expected)
            << c.pattern << " in system " << c.system;
    }
}

} // namespace
