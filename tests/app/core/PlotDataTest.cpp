#include <clocale>
#include <cstring>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "PlotDataFile.h"

namespace {

constexpr long double kTol = 1e-9L;

std::string PlotFile(const std::string& name)
{
    return std::string(QUARN_TEST_DATA_DIR) + "/plotdata/" + name;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MessageOf(const std::string& path, bool extra)
{
    try {
        TWordReader reader(path);
        ReadPlotData(reader, extra);
    } catch (const EInOutError& e) {
        return e.Message();
    }
    return "no error";
}

void ExpectEnglishFixture(const TPlotData& data)
{
    EXPECT_EQ(data.CurveCount, 3);
    EXPECT_EQ(data.RowCount, 3);
    EXPECT_EQ(data.Units, 1);
    EXPECT_EQ(data.LoadSettlementMethod, 4);
    ASSERT_EQ(data.Capacity.size(), 3u);
    // Curve 2 (third), row 1: depth 5, side 301, tip 151.5, total 452.5, unit side 1.375.
    const TPlotCapacityRow& row = data.Capacity[2][1];
    EXPECT_NEAR(row.Depth, 5.0L, kTol);
    EXPECT_NEAR(row.Side, 301.0L, kTol);
    EXPECT_NEAR(row.Tip, 151.5L, kTol);
    EXPECT_NEAR(row.Total, 452.5L, kTol);
    EXPECT_NEAR(row.UnitSide, 1.375L, kTol);
    ASSERT_EQ(data.TzCurves.size(), 2u);
    EXPECT_NEAR(data.TzCurves[1].Depth, 25.0L, kTol);
    EXPECT_NEAR(data.TzCurves[1].T[9], 2.0L, kTol);
    EXPECT_NEAR(data.TzCurves[1].Z[9], 0.1L, kTol);
    EXPECT_NEAR(data.LoadPosition[4][2], 20.0L, kTol);
    EXPECT_NEAR(data.Load[4][2], 480.0L, kTol);
    EXPECT_NEAR(data.LoadSettlement[8].TopLoad, 90.0L, kTol);
    EXPECT_NEAR(data.LoadSettlement[8].TipMovement, 0.09L, kTol);
    ASSERT_TRUE(data.HasExtraTz);
    ASSERT_EQ(data.ExtraTzCurves.size(), 1u);
    EXPECT_NEAR(data.ExtraTzCurves[0].Depth, 7.5L, kTol);
}

TEST(PlotDataTest, ReadsTheEngineLayout)
{
    TWordReader reader(PlotFile("english-3methods.qr7p"));
    ExpectEnglishFixture(ReadPlotData(reader, true));
}

TEST(PlotDataTest, LineEndsAndSpacingDoNotMatter)
{
    std::string text = ReadText(PlotFile("english-3methods.qr7p"));
    std::string crlf;
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : c == ' ' ? std::string("\t ") : std::string(1, c);
    }
    TWordReader reader = TWordReader::FromText(crlf);
    ExpectEnglishFixture(ReadPlotData(reader, true));
}

TEST(PlotDataTest, NumbersIgnoreTheProcessLocale)
{
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    std::locale oldCpp;
    bool set = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            oldCpp = std::locale::global(std::locale(name));
            set = true;
            break;
        }
    }
    if (!set || std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::setlocale(LC_ALL, oldC.c_str());
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    }
    TWordReader reader(PlotFile("english-3methods.qr7p"));
    const TPlotData data = ReadPlotData(reader, true);
    std::locale::global(oldCpp);
    std::setlocale(LC_ALL, oldC.c_str());
    ExpectEnglishFixture(data);
}

struct BrokenCase
{
    const char* file;
    bool extra;
    const char* message;
};

// Each damaged file of tests/data/plotdata/README with the message it must give.
TEST(PlotDataTest, DamagedFilesNameLineAndItem)
{
    const BrokenCase cases[] = {
        {"broken-empty.qr7p", false, "This file either invalid or incomplete."},
        {"broken-truncated-load.qr7p", false, "This file either invalid or incomplete."},
        {"si-1method.qr7p", true, "This file either invalid or incomplete."},
        {"broken-asterisks.qr7p",
         false,
         "Error on Line 3 Item 3\rA floating point number was expected but not found."},
        {"broken-header-word.qr7p",
         false,
         "Error on Line 1 Item 2\rAn integer was expected but not found."},
        {"broken-huge-curves.qr7p",
         false,
         "Error on Line 1 Item 1\rThe number of capacity curves (999999999) is out of range "
         "0..9."},
        {"broken-huge-rows.qr7p",
         false,
         "Error on Line 1 Item 2\rThe number of rows per method (2000000000) is out of range "
         "1..501."},
        {"broken-huge-tz.qr7p",
         false,
         "Error on Line 11 Item 1\rThe number of t-z curves (100000) is out of range 0..240."},
        {"broken-tz-points.qr7p",
         false,
         "Error on Line 12 Item 2\rThe number of points of a t-z curve (11) should be 10."},
        // The header promises 4 rows per method: 60 numbers are taken as capacity rows, the
        // 15 beyond the 45 written ending at line 18 item 1; the t-z count is then line 18's
        // second word, 0.6000E-01.
        {"broken-wrong-rows.qr7p",
         false,
         "Error on Line 18 Item 2\rAn integer was expected but not found."},
        {"broken-empty-line.qr7p",
         false,
         "Error on Line 6 Item 1\rAn item was expected but the line is empty."},
    };
    for (const BrokenCase& c : cases) {
        EXPECT_EQ(MessageOf(PlotFile(c.file), c.extra), c.message) << c.file;
    }
}

TEST(PlotDataTest, ExtraSectionLeftUnreadWhenNotAsked)
{
    TWordReader reader(PlotFile("english-3methods.qr7p"));
    const TPlotData data = ReadPlotData(reader, false);
    EXPECT_FALSE(data.HasExtraTz);
    EXPECT_TRUE(data.ExtraTzCurves.empty());
}

} // namespace
