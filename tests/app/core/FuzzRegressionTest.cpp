// Damaged inputs found by fuzzing the application's readers (fuzz/), kept as regular tests.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "CptDataFile.h"
#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

class FuzzRegressionTest : public ::testing::Test
{
protected:
    void SetUp() override { m_dir = m_folder.Path(); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    TTestFolder m_folder{"fuzzregression"};
    fs::path m_dir;
};

// A Qc within the reader's range whose converted value overflows the extended range (about
// 1.19E4932) was kept as an infinite point. It is refused at its line and item; the points
// before it stay.
TEST_F(FuzzRegressionTest, CptDataQcWhoseConversionOverflowsIsRefusedAtItsLineAndItem)
{
    static constexpr const char* kFloat = "\rA floating point number was expected but not found.";
    static constexpr const char* kLargest =
        "\rA number of at most 1E15 in size was expected but not found.";
    struct Case
    {
        const char* text;
        long double ua;
        TCptPlotKind kind;
        int units;
        const char* error; // empty: the read is complete
        const char* what = kFloat;
    };
    const Case cases[] = {
        // English SPT: Qc x 47.875 overflows before the division by 280.
        {"head\r\n1 10\r\n2 1E4931\r\n", 1, TCptPlotKind::Spt, 1, "Error on Line 3 Item 2"},
        // Ua x Qc overflows.
        {"head\r\n1 10\r\n2 1E4930\r\n", 1E10L, TCptPlotKind::Qc, 2, "Error on Line 3 Item 2"},
        // A point continued on the next line: its Qc is the first item there.
        {"head\r\n1 10\r\n2\r\n1E4931 5\r\n", 1, TCptPlotKind::Spt, 1, "Error on Line 4 Item 1"},
        // Convertible but beyond what the engine reads from the CPT side file (1E15): Su is
        // Qc / 15, SI SPT Qc / 280.
        {"head\r\n1 10\r\n2 1E4931\r\n",
         1,
         TCptPlotKind::Su,
         1,
         "Error on Line 3 Item 2",
         kLargest},
        {"head\r\n1 10\r\n2 1E4931\r\n",
         1,
         TCptPlotKind::Spt,
         2,
         "Error on Line 3 Item 2",
         kLargest},
        {"head\r\n1 10\r\n1E16 5\r\n", 1, TCptPlotKind::Qc, 2, "Error on Line 3 Item 1", kLargest},
        // Within it: 1.4E16 / 15 and 2.7E17 / 280 are below 1E15.
        {"head\r\n1 10\r\n2 1.4E16\r\n", 1, TCptPlotKind::Su, 1, ""},
        {"head\r\n1 10\r\n2 2.7E17\r\n", 1, TCptPlotKind::Spt, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = Write("data.txt", c.text);
        const TCptDataRead read = ReadCptDataFile(path, 2, 1, 2, c.ua, c.kind, c.units);
        if (*c.error == '\0') {
            EXPECT_TRUE(read.Complete) << read.Error;
            ASSERT_EQ(read.Points.size(), 2u);
            EXPECT_TRUE(std::isfinite(read.Points[1].Value));
            continue;
        }
        EXPECT_FALSE(read.Complete);
        EXPECT_EQ(read.Error, std::string(c.error) + c.what);
        ASSERT_EQ(read.Points.size(), 1u);
        EXPECT_EQ(read.Points[0].Depth, 1);
    }
}

} // namespace
