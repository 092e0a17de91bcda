// The run with its result steps over the result graphs: the real engine on the English
// example fills the graphs and writes the GRLWEAP file; plot data that cannot be read
// leave the graphs empty and write none.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AnalysisRun.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "ResultGraphs.h"
#include "RunResultSteps.h"
#include "TProgramData.h"
#include "TestFolder.h"

namespace {

namespace fs = std::filesystem;

struct TRecorder : TRunReporter
{
    std::vector<std::string> Messages;
    void Information(const std::string& text) override { Messages.push_back(text); }
    void Warning(const std::string& text) override { Messages.push_back("warning: " + text); }
};

class AnalysisRunResultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = m_folder.Path();
        fs::create_directories(m_root / "engine");
    }

    // The English example as its file says: steel pipe, OD 24 in, ID 22.5 in, E 29000000
    // psi, 80 ft long; every method but the user-specified one selected.
    void UseEnglishExample(const char* engineModule)
    {
        const fs::path example = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";
        fs::copy_file(example / "PipeSandClay.qr7d", m_root / "PipeSandClay.qr7d");
        fs::copy_file(example / "PipeSandClay.cpt", m_root / "PipeSandClay.cpt");
        fs::copy_file(engineModule, m_root / "engine" / kEngineModuleName);
        m_data.FileName = (m_root / "PipeSandClay.qr7d").string();
        m_data.OD = 24.0L;
        m_data.ID = 22.5L;
        m_data.E = 29.0e6L;
        m_data.TL = 80.0L;
        m_data.MethodFlags = {0, 1, 1, 1, 1, 0, 1, 1, 1, 1};
    }

    TRunOutcome Run()
    {
        TRunSteps steps = RunResultSteps(m_data, m_tables, m_graphs, m_rec);
        steps.SaveProject = [] {
            return true;
        };
        TAnalysisRun run;
        return run.Run(m_data, m_tables, m_root / "engine", steps, m_rec);
    }

    TTestFolder m_folder{"apprun-results"};
    fs::path m_root;
    TProgramData m_data;
    TProjectTables m_tables;
    TResultGraphs m_graphs;
    TRecorder m_rec;
};

TEST_F(AnalysisRunResultsTest, RealEngineFillsTheGraphsAndWritesTheGrlweapFile)
{
    if (!fs::exists(fs::path(QUARN_SOURCE_DIR) / "examples" / "english" / "PipeSandClay.qr7d")) {
        GTEST_SKIP() << "no example project";
    }
    UseEnglishExample(QUARN_ENGINE_MODULE);
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_EQ(outcome.Status, 0);
    ASSERT_TRUE(outcome.PlotsLoaded) << ::testing::PrintToString(m_rec.Messages);
    EXPECT_EQ(m_rec.Messages, std::vector<std::string>{kCompletedText});
    // The example's plot data hold 16 rows per method (80 ft in steps of 5 ft, plus the head).
    EXPECT_EQ(m_data.PlotRowCount, 16);
    EXPECT_GE(m_graphs.pltTotal.LineCount(), 4);
    const fs::path gwi = m_root / "PipeSandClay.gwi";
    EXPECT_TRUE(fs::exists(gwi));
    EXPECT_GT(fs::file_size(gwi), 0u);
    EXPECT_EQ(m_data.GrlweapFileName, gwi.string());
    // A circular pile keeps the perimeter the GRLWEAP file used: 24 x 3.1416.
    EXPECT_NEAR(static_cast<double>(m_data.Perimeter), 75.3984, 1e-9);
}

TEST_F(AnalysisRunResultsTest, RealEngineExtraTzDepthsReadBackInFull)
{
    // Both examples, three depths each, the second below the soil (100 ft / 30.48 m): two
    // extra curves come back, and the solver's twelve curves in the soil.
    struct TCase
    {
        const char* units;
        long double depths[3];
    };
    const TCase cases[] = {{"english", {10.0L, 150.0L, 60.0L}}, {"si", {3.0L, 45.0L, 18.0L}}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.units);
        const fs::path folder = m_root / c.units;
        fs::create_directories(folder);
        const fs::path example = fs::path(QUARN_SOURCE_DIR) / "examples" / c.units;
        fs::copy_file(example / "PipeSandClay.qr7d", folder / "PipeSandClay.qr7d");
        fs::copy_file(example / "PipeSandClay.cpt", folder / "PipeSandClay.cpt");
        fs::copy_file(QUARN_ENGINE_MODULE,
                      m_root / "engine" / kEngineModuleName,
                      fs::copy_options::overwrite_existing);
        TProgramData data;
        TProjectTables tables;
        TResultGraphs graphs;
        TGraphPlot cptProfile;
        OpenProjectFile((folder / "PipeSandClay.qr7d").string(), data, tables, &cptProfile);
        data.PrintExtraTz = 1;
        tables.TblTZDepth().SetRowCount(3);
        for (int row = 0; row < 3; ++row) {
            tables.TblTZDepth().Columns(TzDepthColumn::kDepth).SetFloat(row, c.depths[row]);
        }
        TRecorder rec;
        TRunSteps steps = RunResultSteps(data, tables, graphs, rec);
        steps.SaveProject = [&] {
            SaveProjectFile(data, tables, &cptProfile);
            return true;
        };
        TAnalysisRun run;
        const TRunOutcome outcome = run.Run(data, tables, m_root / "engine", steps, rec);
        EXPECT_EQ(outcome.Status, 0);
        ASSERT_TRUE(outcome.PlotsLoaded) << ::testing::PrintToString(rec.Messages);
        EXPECT_EQ(graphs.PltExtraTZ.LineCount(), 2);
        EXPECT_EQ(graphs.pltTZcurves.LineCount(), 12);
    }
}

TEST_F(AnalysisRunResultsTest, UnreadablePlotDataLeavesNoGraphsAndNoGrlweapFile)
{
    if (!fs::exists(fs::path(QUARN_SOURCE_DIR) / "examples" / "english" / "PipeSandClay.qr7d")) {
        GTEST_SKIP() << "no example project";
    }
    UseEnglishExample(FAKE_ENGINE_OK); // writes a plot-data file that is no plot data
    const TRunOutcome outcome = Run();
    EXPECT_TRUE(outcome.EngineCalled);
    EXPECT_FALSE(outcome.PlotsLoaded);
    ASSERT_EQ(m_rec.Messages.size(), 2u);
    EXPECT_EQ(m_rec.Messages[0], kCompletedText);
    EXPECT_EQ(m_rec.Messages[1].rfind(kPlotReadFailedText, 0), 0u) << m_rec.Messages[1];
    EXPECT_EQ(m_graphs.pltTotal.LineCount(), 0);
    EXPECT_FALSE(fs::exists(m_root / "PipeSandClay.gwi"));
    EXPECT_EQ(m_data.PlotRowCount, 0);
}

} // namespace
