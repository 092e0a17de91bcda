#include "CptDataFile.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "FifoAtPath.h"
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

// What a run would refuse is refused on reading, naming the line and the item, so it never
// becomes the project's CPT profile: a negative depth, a depth less than the one before it,
// more points than the computation takes. A depth given twice is a step, as in the engine.
TEST_F(CptDataFileTest, WhatTheRunRefusesIsRefusedWhereItStands)
{
    const auto lines = [](int count) {
        std::string text = "Depth Qc\n";
        for (int k = 0; k < count; ++k) {
            text += std::to_string(k) + " 10\n";
        }
        return text;
    };
    struct Case
    {
        const char* name;
        std::string text; // one header line
        int dataLines;
        std::string error; // empty: read whole
    };
    const Case cases[] = {
        {"negative depth",
         "h\n0 10\n-0.5 20\n",
         2,
         "Error on Line 3 Item 1\rThe CPT depth -0.5 is negative: the depths must be 0 or more."},
        {"decreasing depth",
         "h\n50 10\n5 20\n20 30\n",
         3,
         "Error on Line 3 Item 1\rThe CPT depth 5 is less than the depth 50 of the point before "
         "it: the depths must not decrease."},
        {"decreasing in the last digits",
         "h\n5.0000000000001 10\n5 20\n",
         2,
         "Error on Line 3 Item 1\rThe CPT depth 5 is less than the depth 5.0000000000001 of the "
         "point before it: the depths must not decrease."},
        {"a step", "h\n0 10\n5 20\n5 30\n8 40\n", 4, ""},
        {"1000 points", lines(1000), 1000, ""},
        // Line 1 is the header, so point 1001 would start on line 1002.
        {"1001 points",
         lines(1001),
         1001,
         "Error on Line 1002 Item 1\rThe computation takes at most 1000 CPT points, not 1001."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << c.text;
        const TCptDataRead read =
            ReadCptDataFile(m_path.string(), c.dataLines, 1, 2, 1, TCptPlotKind::Qc, 1);
        EXPECT_EQ(read.Complete, c.error.empty());
        EXPECT_EQ(read.Error, c.error);
    }
}

// A count far beyond the limit reads no more of the file than the points the computation
// takes: a file larger than the reader takes at all (64 MiB, the rest sparse) is refused at
// its point 1001, not for its size.
TEST_F(CptDataFileTest, ALargeFileIsReadOnlyUpToThePointLimit)
{
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        for (int k = 0; k < 3000; ++k) {
            out << k << " 10\n";
        }
    }
    fs::resize_file(m_path, 65u * 1024u * 1024u);
    const TCptDataRead read =
        ReadCptDataFile(m_path.string(), 1000000, 0, 2, 1, TCptPlotKind::Qc, 1);
    EXPECT_FALSE(read.Complete);
    EXPECT_EQ(read.Error,
              "Error on Line 1001 Item 1\rThe computation takes at most 1000 CPT points, not "
              "1000000.");
    EXPECT_EQ(read.Points.size(), 1000u);
}

// A FIFO or a folder in the file's place is refused at once, naming it; nothing waits.
TEST_F(CptDataFileTest, APathThatHoldsNoPlainFileIsRefusedWithoutWaiting)
{
    const fs::path fifo = m_folder / "fifo.txt";
    const TFifoAtPath pipe(fifo.string());
    ASSERT_TRUE(pipe.Made());
    fs::create_directory(m_folder / "folder.txt");
    for (const auto& [path, kind] :
         {std::pair{fifo, "a FIFO"}, {m_folder / "folder.txt", "a folder"}}) {
        const TCptDataRead read = ReadCptDataFile(path.string(), 2, 0, 2, 1, TCptPlotKind::Qc, 1);
        EXPECT_FALSE(read.Complete);
        EXPECT_EQ(read.Error,
                  "Cannot open file \"" + path.string() + "\": it is " + kind
                      + ", not a plain file.");
    }
    EXPECT_FALSE(pipe.Opened());
}

} // namespace
