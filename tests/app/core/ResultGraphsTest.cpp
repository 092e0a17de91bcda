#include "ResultGraphs.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Values of the files pass through E and F fields of four decimals at most.
constexpr long double kTol = 1e-9L;

std::string PlotFile(const std::string& name)
{
    return std::string(QUARN_TEST_DATA_DIR) + "/plotdata/" + name;
}

// Options with the given capacity methods selected.
TPlotReadOptions Options(std::initializer_list<int> methods)
{
    TPlotReadOptions options;
    for (const int code : methods) {
        options.MethodFlags[static_cast<std::size_t>(code)] = 1;
    }
    options.Layers = {{1, 20.0L}, {2, 45.0L}, {3, 60.0L}};
    options.OD = 24.0L;
    return options;
}

std::vector<std::string> Names(const TGraphPlot& plot)
{
    std::vector<std::string> names;
    for (int i = 0; i < plot.LineCount(); ++i) {
        names.push_back(plot.Line(i).Name);
    }
    return names;
}

// english-3methods.qr7p (see tests/data/plotdata/README): capacity curve i, row j holds depth
// 5j, side 100(i+1)+j, tip 50(i+1)+j+0.5, total 150(i+1)+2j+0.5, unit side 0.125(i+1)+j.
TPlotCapacityRow Expected(int i, int j)
{
    return {5.0L * j,
            100.0L * (i + 1) + j,
            50.0L * (i + 1) + j + 0.5L,
            150.0L * (i + 1) + 2 * j + 0.5L,
            0.125L * (i + 1) + j};
}

class ResultGraphsTest : public ::testing::Test
{
protected:
    TResultGraphs graphs;
};

TEST_F(ResultGraphsTest, DesignTimeCaptionsAndUnits)
{
    EXPECT_EQ(graphs.pltUSkin.Caption(), "Unit Skin Friction vs Depth");
    EXPECT_EQ(graphs.pltUSkin.XUnits(), "F1/L2^2");
    EXPECT_EQ(graphs.pltSkin.XCaption(), "Accumulated Skin Friction ");
    EXPECT_EQ(graphs.pltTip.YCaption(), "Depth ");
    EXPECT_EQ(graphs.pltCombine.Caption(), "Combine Plot");
    EXPECT_EQ(graphs.pltAxial.YUnits(), "");
    EXPECT_EQ(graphs.pltTZcurves.YUnits(), "F/L^2");
    EXPECT_FALSE(graphs.pltTZcurves.XOnTop());
    EXPECT_FALSE(graphs.PltExtraTZ.XOnTop());
    EXPECT_EQ(graphs.PltQw.YCaption(), "Tip Movement,w");
    EXPECT_EQ(graphs.PltQw.YUnits(), "L1");
    for (TGraphPlot* plot : graphs.All()) {
        EXPECT_EQ(plot->CurveName(), "Curve #");
        EXPECT_EQ(plot->LineCount(), 0);
    }
}

// Methods 1, 4 and 7 with load-settlement method 4: "FHWA", "API", "MTD"; the combined graph
// and the GRLWEAP profile take the second curve.
TEST_F(ResultGraphsTest, EnglishFileFillsEveryGraph)
{
    TPlotReadOptions options = Options({1, 4, 7});
    options.PrintExtraTz = 1;
    const TPlotReadResult result = ReadPlotFile(graphs, PlotFile("english-3methods.qr7p"), options);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(result.PlotRowCount, 3);
    EXPECT_EQ(result.LoadSettlementCurve, 1);

    const std::vector<std::string> methods{"FHWA", "API", "MTD"};
    for (const TGraphPlot* plot :
         {&graphs.pltSkin, &graphs.pltUSkin, &graphs.pltTip, &graphs.pltTotal}) {
        EXPECT_EQ(Names(*plot), methods) << plot->Caption();
        EXPECT_EQ(plot->PointCount(), 3);
    }
    EXPECT_EQ(Names(graphs.pltAxial), std::vector<std::string>{"API"});
    EXPECT_EQ(Names(graphs.pltCombine),
              (std::vector<std::string>{"Skin Friction", "Tip Resistance", "Total Capacity"}));

    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const TPlotCapacityRow e = Expected(i, j);
            EXPECT_NEAR(graphs.pltSkin.Point(i, j).X, e.Side, kTol);
            EXPECT_NEAR(graphs.pltTip.Point(i, j).X, e.Tip, kTol);
            EXPECT_NEAR(graphs.pltTotal.Point(i, j).X, e.Total, kTol);
            EXPECT_NEAR(graphs.pltUSkin.Point(i, j).X, e.UnitSide, kTol);
            for (const TGraphPlot* plot :
                 {&graphs.pltSkin, &graphs.pltUSkin, &graphs.pltTip, &graphs.pltTotal}) {
                EXPECT_NEAR(plot->Point(i, j).Y, e.Depth, kTol);
            }
        }
    }
    ASSERT_EQ(result.GrlweapProfile.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        const TPlotCapacityRow api = Expected(1, j);
        EXPECT_NEAR(result.GrlweapProfile[static_cast<std::size_t>(j)].Depth, api.Depth, kTol);
        EXPECT_NEAR(result.GrlweapProfile[static_cast<std::size_t>(j)].UnitSkinFriction,
                    api.UnitSide,
                    kTol);
        EXPECT_NEAR(result.GrlweapProfile[static_cast<std::size_t>(j)].TipResistance,
                    api.Tip,
                    kTol);
        EXPECT_NEAR(graphs.pltCombine.Point(0, j).X, api.Side, kTol);
        EXPECT_NEAR(graphs.pltCombine.Point(1, j).X, api.Tip, kTol);
        EXPECT_NEAR(graphs.pltCombine.Point(2, j).X, api.Total, kTol);
        EXPECT_NEAR(graphs.pltCombine.Point(2, j).Y, api.Depth, kTol);
    }

    // t-z curves: named by depth; t is Y, z is X (curve c: t = 0.1 (k + 1) c, z = 0.01 (k + 1)).
    EXPECT_EQ(Names(graphs.pltTZcurves), (std::vector<std::string>{"12.5 ft", "25 ft"}));
    EXPECT_EQ(graphs.pltTZcurves.PointCount(), 10);
    EXPECT_NEAR(graphs.pltTZcurves.Point(1, 2).Y, 0.6L, kTol);
    EXPECT_NEAR(graphs.pltTZcurves.Point(1, 2).X, 0.03L, kTol);
    EXPECT_EQ(Names(graphs.PltExtraTZ), std::vector<std::string>{"7.5 ft"});
    EXPECT_NEAR(graphs.PltExtraTZ.Point(0, 9).Y, 3.0L, kTol);

    // Load distribution: case c, row j at position 10 j with load 100 (c + 1) - 10 j.
    ASSERT_EQ(graphs.pltLoad.LineCount(), 9);
    EXPECT_EQ(graphs.pltLoad.PointCount(), 3);
    EXPECT_NEAR(graphs.pltLoad.Point(8, 2).X, 880.0L, kTol);
    EXPECT_NEAR(graphs.pltLoad.Point(8, 2).Y, 20.0L, kTol);
    EXPECT_NEAR(graphs.pltLoad.Point(0, 1).X, 90.0L, kTol);

    // Load-settlement: point 0 the origin, then k = 1..9 from the file's nine lines.
    ASSERT_EQ(graphs.pltAxial.PointCount(), 10);
    EXPECT_EQ(graphs.pltAxial.Point(0, 0).X, 0.0L);
    EXPECT_EQ(graphs.pltAxial.Point(0, 0).Y, 0.0L);
    EXPECT_NEAR(graphs.pltAxial.Point(0, 9).X, 90.0L, kTol);
    EXPECT_NEAR(graphs.pltAxial.Point(0, 9).Y, 0.9L, kTol);
    EXPECT_NEAR(graphs.PltQw.Point(0, 3).X, 6.0L, kTol);
    EXPECT_NEAR(graphs.PltQw.Point(0, 3).Y, 0.03L, kTol);

    EXPECT_EQ(graphs.pltAxial.YCaption(), "Settlement, in.");
    EXPECT_EQ(graphs.PltQw.YCaption(), "Settlement, in.");
    EXPECT_TRUE(graphs.pltAxial.XOnTop());
    EXPECT_TRUE(graphs.PltQw.XOnTop());
    for (TGraphPlot* plot : graphs.All()) {
        EXPECT_EQ(plot->Units(), 1);
    }

    // Layer bands on the six depth graphs only.
    for (const TGraphPlot* plot : {&graphs.pltUSkin,
                                   &graphs.pltSkin,
                                   &graphs.pltTip,
                                   &graphs.pltTotal,
                                   &graphs.pltLoad,
                                   &graphs.pltCombine}) {
        ASSERT_EQ(plot->LayerCount(), 3) << plot->Caption();
        EXPECT_EQ(plot->Layer(0).Name, " SAND ");
        EXPECT_EQ(plot->LayerPoint(0, 0).X, 7.0L);
        EXPECT_EQ(plot->LayerPoint(0, 0).Y, 20.0L);
        EXPECT_EQ(plot->Layer(1).Name, " CLAY ");
        EXPECT_EQ(plot->LayerPoint(1, 0).X, 1.0L);
        EXPECT_EQ(plot->Layer(2).Name, "LAYER 3");
        EXPECT_EQ(plot->LayerPoint(2, 0).Y, 60.0L);
    }
    EXPECT_EQ(graphs.pltAxial.LayerCount(), 0);
    EXPECT_EQ(graphs.pltTZcurves.LayerCount(), 0);

    // A circular pile's perimeter was not given: it follows the diameter.
    EXPECT_NEAR(result.Perimeter, 75.3984L, kTol);
}

TEST_F(ResultGraphsTest, TensionRenamesAndFlips)
{
    TPlotReadOptions options = Options({1, 4, 7});
    options.LoadDirection = 1;
    options.Perimeter = 50.0L;
    const TPlotReadResult result = ReadPlotFile(graphs, PlotFile("english-3methods.qr7p"), options);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(graphs.pltAxial.YCaption(), "Uplift, in.");
    EXPECT_EQ(graphs.PltQw.YCaption(), "Settlement, in.");
    EXPECT_EQ(graphs.pltCombine.Line(1).Name, "Self Weight");
    EXPECT_FALSE(graphs.pltAxial.XOnTop());
    EXPECT_FALSE(graphs.PltQw.XOnTop());
    EXPECT_EQ(result.Perimeter, 50.0L);
    // Without the flag the extra section of the file is not read.
    EXPECT_EQ(graphs.PltExtraTZ.LineCount(), 0);
}

TEST_F(ResultGraphsTest, SiFileAndASecondReadStartsAfresh)
{
    ASSERT_TRUE(ReadPlotFile(graphs, PlotFile("english-3methods.qr7p"), Options({1, 4, 7})).Ok);
    graphs.pltSkin.Line(0).Visible = false;

    const TPlotReadResult result = ReadPlotFile(graphs, PlotFile("si-1method.qr7p"), Options({7}));
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(Names(graphs.pltSkin), std::vector<std::string>{"MTD"});
    EXPECT_TRUE(graphs.pltSkin.Line(0).Visible);
    EXPECT_EQ(graphs.pltSkin.PointCount(), 2);
    EXPECT_EQ(Names(graphs.pltTZcurves), std::vector<std::string>{"3 m"});
    EXPECT_EQ(graphs.pltAxial.YCaption(), "Settlement, m");
    EXPECT_EQ(result.GrlweapProfile.size(), 2u);
    for (TGraphPlot* plot : graphs.All()) {
        EXPECT_EQ(plot->Units(), 2);
    }
}

struct NamingCase
{
    const char* name;
    std::vector<int> methods;
    int offshore;
    std::vector<std::string> names; // empty: the read fails
    int loadSettlementCurve;
};

TEST_F(ResultGraphsTest, CurveNamesFollowTheSelectedMethods)
{
    const NamingCase cases[] = {
        {"user method without user values left out", {5, 1, 4, 7}, 1, {"FHWA", "API", "MTD"}, 1},
        {"user method first", {5, 1, 4}, 1, {"User Spec.", "FHWA", "API"}, 2},
        {"load-settlement method not selected", {1, 2, 7}, 1, {"FHWA", "USACE", "MTD"}, -1},
        {"offshore methods not offered", {1, 4, 7}, 0, {}, -1},
        {"more methods than curves", {1, 2, 3, 4, 7}, 1, {}, -1},
        {"fewer methods than curves", {4, 7}, 1, {}, -1},
    };
    for (const NamingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TPlotReadOptions options = Options({});
        for (const int code : c.methods) {
            options.MethodFlags[static_cast<std::size_t>(code)] = 1;
        }
        options.OffshoreFlag = c.offshore;
        const TPlotReadResult result =
            ReadPlotFile(graphs, PlotFile("english-3methods.qr7p"), options);
        if (c.names.empty()) {
            EXPECT_FALSE(result.Ok);
            EXPECT_NE(
                result.Message.find("Error on Line 1 Item 1\rThe file holds 3 capacity curves, "
                                    "but the project selects"),
                std::string::npos)
                << result.Message;
            continue;
        }
        ASSERT_TRUE(result.Ok) << result.Message;
        EXPECT_EQ(Names(graphs.pltSkin), c.names);
        EXPECT_EQ(result.LoadSettlementCurve, c.loadSettlementCurve);
        if (c.loadSettlementCurve < 0) {
            // No curve of the load-settlement method: nothing to combine, no profile.
            EXPECT_EQ(graphs.pltCombine.LineCount(), 3);
            EXPECT_EQ(graphs.pltCombine.PointCount(), 0);
            EXPECT_TRUE(result.GrlweapProfile.empty());
            EXPECT_EQ(Names(graphs.pltAxial), std::vector<std::string>{"API"});
        }
    }
}

// Capacity rows as the engine wrote them for examples/english/PipeSandClay.qr7d (methods 1 to
// 4 and 6 to 9, load-settlement method 4, 16 rows from 0 to 75 ft); the later sections of the
// fixture are hand-written (see tests/data/plotdata/README).
TEST_F(ResultGraphsTest, EngineCapacityRows)
{
    const TPlotReadResult result = ReadPlotFile(graphs,
                                                PlotFile("engine-english-capacity.qr7p"),
                                                Options({1, 2, 3, 4, 6, 7, 8, 9}));
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(
        Names(graphs.pltTotal),
        (std::vector<std::string>{"FHWA", "USACE", "Lambda", "API", "NGI", "MTD", "FUGRO", "UWA"}));
    EXPECT_EQ(result.PlotRowCount, 16);
    EXPECT_EQ(result.LoadSettlementCurve, 3);
    // FHWA, row 1 (line 3): 5.00 0.7 2.4 3.0 0.042.
    EXPECT_NEAR(graphs.pltSkin.Point(0, 1).X, 0.7L, kTol);
    EXPECT_NEAR(graphs.pltTip.Point(0, 1).X, 2.4L, kTol);
    EXPECT_NEAR(graphs.pltTotal.Point(0, 1).X, 3.0L, kTol);
    EXPECT_NEAR(graphs.pltUSkin.Point(0, 1).X, 0.042L, kTol);
    EXPECT_NEAR(graphs.pltUSkin.Point(0, 1).Y, 5.0L, kTol);
    // UWA, last row (line 129): 75.00 393.3 53.7 447.0 2.341.
    EXPECT_NEAR(graphs.pltTotal.Point(7, 15).X, 447.0L, kTol);
    EXPECT_NEAR(graphs.pltUSkin.Point(7, 15).X, 2.341L, kTol);
    // API, last row (line 65): 75.00 437.0 53.7 490.7 1.463, in the combined graph and the
    // GRLWEAP profile.
    EXPECT_NEAR(graphs.pltCombine.Point(2, 15).X, 490.7L, kTol);
    ASSERT_EQ(result.GrlweapProfile.size(), 16u);
    EXPECT_NEAR(result.GrlweapProfile[15].Depth, 75.0L, kTol);
    EXPECT_NEAR(result.GrlweapProfile[15].UnitSkinFriction, 1.463L, kTol);
    EXPECT_NEAR(result.GrlweapProfile[15].TipResistance, 53.7L, kTol);
    EXPECT_EQ(graphs.pltTZcurves.LineCount(), 0);
}

// A failed read never leaves earlier or partial results in the graphs.
TEST_F(ResultGraphsTest, FailedReadLeavesGraphsEmpty)
{
    ASSERT_TRUE(ReadPlotFile(graphs, PlotFile("english-3methods.qr7p"), Options({1, 4, 7})).Ok);
    const std::string path = PlotFile("broken-truncated-load.qr7p");
    const TPlotReadResult result = ReadPlotFile(graphs, path, Options({1, 4, 7}));
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message,
              std::string("An error occured in running the main program.\rPlot data file \"") + path
                  + "\":\rThis file either invalid or incomplete.");
    EXPECT_TRUE(result.GrlweapProfile.empty());
    for (TGraphPlot* plot : graphs.All()) {
        EXPECT_EQ(plot->LineCount(), 0) << plot->Caption();
        EXPECT_EQ(plot->LayerCount(), 0) << plot->Caption();
    }
    // Captions stay for the next read.
    EXPECT_EQ(graphs.pltSkin.Caption(), "Accumulated Skin Friction vs Depth");
}

// Data put together by hand that don't hold their counts are refused before any graph changes.
TEST_F(ResultGraphsTest, InconsistentDataRefused)
{
    ASSERT_TRUE(ReadPlotFile(graphs, PlotFile("si-1method.qr7p"), Options({7})).Ok);
    TPlotData data;
    data.CurveCount = 1;
    data.RowCount = 2;
    data.LoadSettlementMethod = 7;
    EXPECT_THROW(FillResultGraphs(graphs, data, Options({7})), EInOutError);
    EXPECT_EQ(Names(graphs.pltSkin), std::vector<std::string>{"MTD"});
    EXPECT_EQ(graphs.pltSkin.PointCount(), 2);
}

TEST_F(ResultGraphsTest, ExtraSectionAskedForButMissing)
{
    TPlotReadOptions options = Options({7});
    options.PrintExtraTz = 1;
    const TPlotReadResult result = ReadPlotFile(graphs, PlotFile("si-1method.qr7p"), options);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("This file either invalid or incomplete."), std::string::npos);
}

TEST_F(ResultGraphsTest, MissingFile)
{
    const std::string path = PlotFile("no-such-file.qr7p");
    const TPlotReadResult result = ReadPlotFile(graphs, path, Options({1, 4, 7}));
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("Cannot open file \"" + path + "\""), std::string::npos);
}

TEST_F(ResultGraphsTest, LayerLinesNeedACurveWithPoints)
{
    TGraphPlot plot;
    AddLayersGraphPlot(plot, {{1, 10.0L}});
    EXPECT_EQ(plot.LayerCount(), 0);
    plot.SetLineCount(1);
    AddLayersGraphPlot(plot, {{1, 10.0L}});
    EXPECT_EQ(plot.LayerCount(), 0);
    plot.SetPointCount(1);
    AddLayersGraphPlot(plot, {{1, 10.0L}, {3, 12.0L}});
    ASSERT_EQ(plot.LayerCount(), 2);
    // A layer line keeps no name of an earlier call: silt gets its number again.
    plot.Layer(1).Name = " SAND ";
    AddLayersGraphPlot(plot, {{1, 10.0L}, {3, 12.0L}});
    EXPECT_EQ(plot.Layer(1).Name, "LAYER 2");
    EXPECT_EQ(plot.LayerPoint(1, 0).X, 0.0L);
}

TEST(MethodCurveNameTest, NamesByCode)
{
    const char* expected[] =
        {"", "FHWA", "USACE", "Lambda", "API", "User Spec.", "NGI", "MTD", "FUGRO", "UWA", ""};
    for (int code = 0; code <= 10; ++code) {
        EXPECT_EQ(MethodCurveName(code), expected[code]) << code;
    }
}

} // namespace
