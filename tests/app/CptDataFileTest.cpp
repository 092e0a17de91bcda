#include "CptDataFile.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr long double kTight = 1e-12L;

class CptDataFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = m_folder / "cptdata.txt";
        std::ofstream(m_path, std::ios::binary)
            << "header one\r\nheader two\r\n1 100 7 9 9\r\n2\t200.5 8\r\n3 300\r\n4 400 1\r\n";
    }
    TTestFolder m_folder{"cptdata"};
    fs::path m_path;
};

TEST_F(CptDataFileTest, ReadsPointsSkippingHeadersExtrasAndContinuingShortLines)
{
    // Three columns: line "3 300" is continued by "4" of the next line, whose rest is skipped.
    const TCptDataRead read = ReadCptDataFile(m_path.string(), 3, 2, 3, 1, TCptPlotKind::Qc, 1);
    ASSERT_TRUE(read.Complete) << read.Error;
    ASSERT_EQ(read.Points.size(), 3u);
    EXPECT_NEAR(read.Points[0].Depth, 1, kTight);
    EXPECT_NEAR(read.Points[0].Value, 100, kTight);
    EXPECT_NEAR(read.Points[1].Value, 200.5L, kTight);
    EXPECT_NEAR(read.Points[2].Value, 300, kTight);
}

TEST_F(CptDataFileTest, ConversionsAndUa)
{
    struct Case
    {
        TCptPlotKind kind;
        int units;
        long double ua, expected;
    };
    // Qc 100 on the first data line.
    const Case cases[] = {
        {TCptPlotKind::Qc, 2, 1000, 100000},
        {TCptPlotKind::Spt, 1, 1, 100 * 47.875L / 280},
        {TCptPlotKind::Spt, 2, 1, 100 / 280.0L},
        {TCptPlotKind::Su, 1, 1, 100 / 15.0L},
    };
    for (const Case& c : cases) {
        const TCptDataRead read = ReadCptDataFile(m_path.string(), 1, 2, 2, c.ua, c.kind, c.units);
        ASSERT_EQ(read.Points.size(), 1u);
        EXPECT_NEAR(read.Points[0].Value, c.expected, 1e-9L);
    }
    EXPECT_NEAR(100 * 47.875L / 280, 17.098214285714L, 1e-9L);
}

TEST_F(CptDataFileTest, TooFewLinesKeepsThePointsReadAndReportsTheError)
{
    const TCptDataRead read = ReadCptDataFile(m_path.string(), 10, 2, 2, 1, TCptPlotKind::Qc, 1);
    EXPECT_FALSE(read.Complete);
    EXPECT_EQ(read.Points.size(), 4u);
    EXPECT_FALSE(read.Error.empty());
    const TCptDataRead none =
        ReadCptDataFile((m_path.string() + ".none"), 1, 0, 2, 1, TCptPlotKind::Qc, 1);
    EXPECT_FALSE(none.Complete);
    EXPECT_TRUE(none.Points.empty());
}

} // namespace
