#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "GrlweapFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "TProgramData.h"
#include "TestFolder.h"
#include "grid/TColumn.h"

namespace fs = std::filesystem;

namespace {

constexpr long double kTol = 1e-9L;

class ResultGraphsProjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = m_folder.Path();
        data.MethodFlags = {0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
        data.LoadSettlementMethod = 4;
        data.OD = 24.0L;
        data.ID = 22.5L;
        data.E = 29000000.0L;
        data.Title = "Test pile 12";
        data.FileName = (folder / "Pile.qr7d").string();
        TGridTable& soil = tables.D();
        soil.SetRowCount(2);
        soil.Columns(SoilColumn::kSoilType).SetInteger(0, 1);
        soil.Columns(SoilColumn::kBottomDepth).SetFloat(0, 20.0L);
        soil.Columns(SoilColumn::kSoilType).SetInteger(1, 2);
        soil.Columns(SoilColumn::kBottomDepth).SetFloat(1, 45.0L);
    }

    TTestFolder m_folder{"appgraphs"};
    fs::path folder;
    TProgramData data;
    TProjectTables tables;
    TResultGraphs graphs;
};

// The run's road: read with the project's options, keep the result, write the GRLWEAP file.
TEST_F(ResultGraphsProjectTest, ReadKeepAndWrite)
{
    const std::string plot = std::string(QUARN_TEST_DATA_DIR) + "/plotdata/english-3methods.qr7p";
    const TPlotReadResult result = ReadPlotFile(graphs, plot, PlotReadOptionsFor(data, tables.D()));
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(graphs.pltSkin.LayerCount(), 2);
    EXPECT_EQ(graphs.pltSkin.Layer(1).Name, " CLAY ");

    KeepPlotResult(data, result);
    EXPECT_EQ(data.PlotRowCount, 3);
    // The API curve (second): row 2 at 10 ft, unit side 0.25 + 2, tip 100 + 2.5.
    EXPECT_NEAR(data.GrlweapProfile[0][2], 10.0L, kTol);
    EXPECT_NEAR(data.GrlweapProfile[1][2], 2.25L, kTol);
    EXPECT_NEAR(data.GrlweapProfile[2][2], 102.5L, kTol);
    EXPECT_EQ(data.GrlweapProfile[0][3], 0.0L);
    EXPECT_NEAR(data.Perimeter, 75.3984L, kTol);

    const std::string path = WriteProjectGrlweapFile(data, tables.D(), result.GrlweapProfile);
    EXPECT_EQ(path, (folder / "Pile.gwi").string());
    EXPECT_EQ(data.GrlweapFileName, path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::istringstream lines(text.str());
    std::string line;
    for (int i = 0; i < 6; ++i) {
        std::getline(lines, line);
    }
    // Deepest row 10 ft; area 54.78 in^2; 29,000 ksi; 492; 75.3984 / 12 = 6.2832 ft.
    EXPECT_EQ(line,
              "  1.00E+01  5.48E+01  2.90E+04  4.92E+02  6.28E+00     4.000     1.000     0.010\r");
}

TEST_F(ResultGraphsProjectTest, FailuresLeaveTheProjectAlone)
{
    TPlotReadResult failed;
    failed.PlotRowCount = 7;
    KeepPlotResult(data, failed);
    EXPECT_EQ(data.PlotRowCount, 0);

    data.FileName = (folder / "missing" / "Pile.qr7d").string();
    EXPECT_THROW(WriteProjectGrlweapFile(data, tables.D(), {{1, 2, 3}}), EGrlweapError);
    EXPECT_EQ(data.GrlweapFileName, "");
    EXPECT_EQ(data.Perimeter, 0.0L);

    // A path given by the run wins over the project's name.
    const std::string given = (folder / "Given.gwi").string();
    EXPECT_EQ(WriteProjectGrlweapFile(data, tables.D(), {{1, 2, 3}}, given), given);
    EXPECT_TRUE(fs::exists(given));
    EXPECT_EQ(data.GrlweapFileName, given);
}

} // namespace
