// Whole runs through RunEngine: the shipped examples, the golden report layout, repeatability,
// and every way a run stops with status 1.
#include <functional>
#include <locale>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace enginetest;

// Compares the head of a report (header, date, input echo and result banner) with its golden
// file line by line; the folder line holds @FOLDER@. The capacity tables and load-transfer
// sections after the banner are checked by their own tests against hand-worked values.
void ExpectGolden(const std::string& report,
                  const std::string& goldenName,
                  const std::string& folder)
{
    std::string golden = ReadFile(fs::path(QUARN_TEST_DATA_DIR) / "engine" / goldenName);
    ASSERT_FALSE(golden.empty()) << goldenName;
    const std::string mark = "@FOLDER@";
    golden.replace(golden.find(mark), mark.size(), folder);
    const std::vector<std::string> want = SplitLines(golden);
    const std::vector<std::string> got = SplitLines(report);
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i) {
        ASSERT_EQ(got[i], want[i]) << goldenName << ": first difference on line " << i + 1;
    }
    ASSERT_GE(got.size(), want.size()) << goldenName << ": report shorter than its head";
}

// The plot-data header "curves rows units method" and the capacity rows under it: curves x
// rows rows of five numbers each. The example selects FHWA, USACE, Revised Lambda, API RP-2A
// and the four CPT-based methods (flags 1 to 4 and 6 to 9): the first four are always
// computed, the CPT-based ones once their routines compute, so 4 to 8 curves.
void ExpectPlotCurves(const std::string& plot, int units, int minCurves, int maxCurves)
{
    const std::vector<std::string> lines = SplitLines(plot);
    ASSERT_FALSE(lines.empty());
    std::istringstream head(lines[0]);
    int curves = -1, rows = -1, unitsRead = -1, lsMethod = -1;
    head >> curves >> rows >> unitsRead >> lsMethod;
    EXPECT_GE(curves, minCurves);
    EXPECT_LE(curves, maxCurves);
    EXPECT_EQ(rows, 16);
    EXPECT_EQ(unitsRead, units);
    EXPECT_EQ(lsMethod, 4);
    const std::size_t capacityRows = static_cast<std::size_t>(curves) * 16;
    ASSERT_GE(lines.size(), capacityRows + 1);
    for (std::size_t i = 1; i <= capacityRows; ++i) {
        std::istringstream row(lines[i]);
        double v[5];
        int read = 0;
        while (read < 5 && (row >> v[read])) {
            ++read;
        }
        EXPECT_EQ(read, 5) << "plot line " << i + 1;
    }
}

TEST(EngineRun, EnglishExampleMatchesTheGoldenReport)
{
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, ExampleLines("english"), ExampleCpt("english"));
    EXPECT_EQ(out.status, 0) << out.report;
    ExpectGolden(out.report, "PipeSandClay-english.qr7o", dir.Path().string() + "/");
    // Embedded 75 ft in 1 ft steps: 76 grid points, every 5th printed: 1, 6, ..., 76.
    ExpectPlotCurves(out.plot, 1, 4, 8);
    EXPECT_TRUE(Contains(out.console, "COMPUTATION IS PROCEEDING........"));
    EXPECT_TRUE(Contains(out.console, "QUARN for Windows, Version 2015.7.2"));
}

TEST(EngineRun, SiExampleMatchesTheGoldenReport)
{
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, ExampleLines("si"), ExampleCpt("si"));
    EXPECT_EQ(out.status, 0) << out.report;
    ExpectGolden(out.report, "PipeSandClay-si.qr7o", dir.Path().string() + "/");
    ExpectPlotCurves(out.plot, 2, 4, 8);
}

TEST(EngineRun, UserMethodSelectedWithoutUserValuesKeepsThePlotDataConsistent)
{
    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineMethods] = "0 0 0 0 1 0 0 0 0 ";
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
    EXPECT_EQ(out.status, 0);
    // No user value: the method does not run, and the header counts no curve for it; the
    // load-transfer sections follow the header at once.
    EXPECT_EQ(out.plot.rfind(" 0 16 1 4\n 12\n", 0), 0u) << out.plot.substr(0, 40);
    EXPECT_FALSE(Contains(out.report, "GENERAL METHOD"));
}

// A global locale with a decimal comma and digit grouping changes nothing in the files.
class TCommaPunct : public std::numpunct<char>
{
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(EngineRun, GlobalLocaleDoesNotReachTheFiles)
{
    TTempDir dir;
    const TRunOutcome plain = RunProject(dir, ExampleLines("english"), ExampleCpt("english"));
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new TCommaPunct));
    const TRunOutcome local = RunIn(dir);
    std::locale::global(previous);
    EXPECT_EQ(local.status, 0);
    EXPECT_EQ(local.report, plain.report);
    EXPECT_EQ(local.plot, plain.plot);
}

TEST(EngineRun, SecondRunGivesByteIdenticalFiles)
{
    TTempDir dir;
    const TRunOutcome first = RunProject(dir, ExampleLines("english"), ExampleCpt("english"));
    const TRunOutcome second = RunIn(dir);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(first.report, second.report);
    EXPECT_EQ(first.plot, second.plot);
}

// A project edit: the example's lines changed before the run.
using TEdit = std::function<void(std::vector<std::string>&, std::string& cpt)>;

TEdit SetLine(int index, const std::string& text)
{
    return [=](std::vector<std::string>& lines, std::string&) {
        lines[static_cast<std::size_t>(index)] = text;
    };
}

struct TStopCase
{
    const char* name;
    TEdit edit;
    const char* message;
};

TEST(EngineRun, InputOutsideTheLimitsStopsWithItsMessage)
{
    const TStopCase cases[] = {
        {"soil rows above 80",
         SetLine(kLineControl, "1 5 82 0 "),
         "LINE 4, ITEM 3: THE NUMBER OF SOIL ROWS 82 IS LARGER THAN THE LIMIT 80."},
        {"odd soil rows", SetLine(kLineControl, "1 5 7 0 "), "THE NUMBER OF SOIL ROWS 7 IS ODD"},
        {"no soil rows", SetLine(kLineControl, "1 5 0 0 "), "SOIL ROWS 0 IS LESS THAN 2"},
        {"unit system 3",
         SetLine(kLineControl, "3 5 8 0 "),
         "LINE 4, ITEM 1: THE UNIT SYSTEM 3 IS NOT 1 (ENGLISH) OR 2 (SI)."},
        {"print interval 0",
         SetLine(kLineControl, "1 0 8 0 "),
         "LINE 4, ITEM 2: THE PRINT INTERVAL 0 IS LESS THAN 1."},
        {"pile type 8",
         SetLine(kLineRun, "0 1 8 0 4 1 0"),
         "LINE 7, ITEM 3: THE PILE TYPE 8 IS OUTSIDE 1 TO 7."},
        {"load-settlement method 10",
         SetLine(kLineRun, "0 1 1 0 10 1 0"),
         "LINE 7, ITEM 5: THE LOAD-SETTLEMENT METHOD 10 IS OUTSIDE 1 TO 9."},
        {"increment 0",
         SetLine(kLineRun, "0 0 1 0 4 1 0"),
         "LINE 7, ITEM 2: THE INCREMENT OF PILE LENGTH 0.00 IS NOT GREATER THAN 0."},
        {"increment negative",
         SetLine(kLineRun, "0 -1 1 0 4 1 0"),
         "THE INCREMENT OF PILE LENGTH -1.00 IS NOT GREATER THAN 0."},
        {"OD and perimeter 0",
         SetLine(kLineSection, "0 0 0 22.5 29000000 80 5"),
         "LINE 5, ITEM 3: THE OUTSIDE DIAMETER AND THE PERIMETER OF THE PILE ARE BOTH 0."},
        {"OD negative",
         SetLine(kLineSection, "0 0 -24 22.5 29000000 80 5"),
         "LINE 5, ITEM 3: THE OUTSIDE DIAMETER -24.00 IS NEGATIVE."},
        {"ID negative",
         SetLine(kLineSection, "0 0 24 -22.5 29000000 80 5"),
         "LINE 5, ITEM 4: THE INSIDE DIAMETER -22.50 IS NEGATIVE."},
        {"perimeter negative",
         SetLine(kLineSection, "-75 0 24 22.5 29000000 80 5"),
         "LINE 5, ITEM 1: THE PERIMETER OF THE PILE -75.00 IS NEGATIVE."},
        {"zero-friction length negative",
         SetLine(kLineRun, "-5 1 1 0 4 1 0"),
         "LINE 7, ITEM 1: THE ZERO-FRICTION LENGTH -5.00 IS NEGATIVE."},
        {"unit weight negative in a bottom row",
         SetLine(kLineFirstSoil + 2, "20 1 0.8 -62 30 20 "),
         "LINE 12, ITEM 4: THE EFFECTIVE UNIT WEIGHT -62.00 IS NEGATIVE."},
        {"CPT depth negative",
         [](std::vector<std::string>&, std::string& cpt) {
             cpt = " 1 2\r\n  0.00E+00  4.00E+04\r\n  -1.00E+00  6.00E+04\r\n";
         },
         "LINE 3, ITEM 1: THE CPT DEPTH -1.00 IS NEGATIVE."},
        {"CPT depths out of order",
         [](std::vector<std::string>&, std::string& cpt) {
             cpt = " 1 3\r\n 50 4.00E+04\r\n 5 6.00E+04\r\n 20 8.00E+04\r\n";
         },
         "LINE 3, ITEM 1: THE CPT DEPTH 5.00 IS LESS THAN THE DEPTH 50.00 OF THE POINT BEFORE "
         "IT: THE DEPTHS MUST NOT DECREASE."},
        {"stick-up as long as the pile",
         SetLine(kLineSection, "0 0 24 22.5 29000000 80 80"),
         "THE PILE STICKUP LENGTH 80.00 IS NOT SHORTER THAN THE TOTAL PILE LENGTH 80.00."},
        {"soil type 4",
         SetLine(kLineFirstSoil, "0.0 4 0.8 62 30 20 "),
         "LINE 10, ITEM 2: THE SOIL TYPE 4.00 IS NOT 1 (SAND), 2 (CLAY) OR 3 (SILT)."},
        {"101 t-z depths",
         [](std::vector<std::string>& lines, std::string&) {
             lines[kLineTzFlag] = "1";
             lines.insert(lines.begin() + kLineTzFlag + 1, "101");
         },
         "LINE 27, ITEM 1: THE NUMBER OF T-Z DEPTHS 101 IS LARGER THAN THE LIMIT 100."},
        {"101 area rows",
         SetLine(kLineArea, "101 2"),
         "LINE 29, ITEM 1: THE NUMBER OF AREA ROWS 101 IS LARGER THAN THE LIMIT 100."},
        {"negative area rows",
         SetLine(kLineArea, "-1 0"),
         "THE NUMBER OF AREA ROWS -1 IS NEGATIVE."},
        {"1001 CPT points",
         [](std::vector<std::string>&, std::string& cpt) { cpt = " 1 1001\r\n"; },
         "ERROR IN CPT FILE"},
        {"damaged number",
         SetLine(kLineEndSection, "0 x"),
         "LINE 6, ITEM 2: \"x\" IS NOT A NUMBER (ESL, EID)."},
        {"project cut short",
         [](std::vector<std::string>& lines, std::string&) { lines.resize(20); },
         "LINE 21, ITEM 1: THE FILE ENDS BEFORE ALL OF SOIL ROW LINE B"},
        {"CPT points missing",
         [](std::vector<std::string>&, std::string& cpt) {
             cpt = " 1 3\r\n  1.00E+00  2.00E+04\r\n";
         },
         "LINE 3, ITEM 1: THE FILE ENDS BEFORE ALL OF CPT POINT"},
    };
    for (const TStopCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = ExampleLines("english");
        std::string cpt = ExampleCpt("english");
        c.edit(lines, cpt);
        TTempDir dir;
        const TRunOutcome out = RunProject(dir, lines, cpt);
        EXPECT_EQ(out.status, 1);
        EXPECT_TRUE(Contains(out.report, c.message))
            << out.report.substr(out.report.size() > 600 ? out.report.size() - 600 : 0);
        EXPECT_TRUE(Contains(out.report, "Time and Date of Analysis"));
        EXPECT_FALSE(Contains(out.report, "INTERNAL ERROR"));
        EXPECT_FALSE(Contains(out.report, "INPUT INFORMATION"));
        EXPECT_TRUE(out.plotExists);
        EXPECT_EQ(out.plot, "");
        EXPECT_TRUE(Contains(out.console, c.message));
    }
    // The CPT limit names its count and item too.
    std::vector<std::string> lines = ExampleLines("english");
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, " 1 1001\r\n");
    EXPECT_TRUE(
        Contains(out.report,
                 "LINE 1, ITEM 2: THE NUMBER OF CPT POINTS 1001 IS LARGER THAN THE LIMIT 1000."));
}

TEST(EngineRun, DeepestSoilShorterThanNeededStopsAfterTheDateBlock)
{
    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineSoilBase] = "70 0"; // needs 80 - 5 + 2 x 24 / 12 = 79 ft
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
    EXPECT_EQ(out.status, 1);
    const std::string expected =
        "\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   70.00 FT.\n"
        "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      79.00 "
        "FT.\n";
    ASSERT_GE(out.report.size(), expected.size());
    EXPECT_EQ(out.report.substr(out.report.size() - expected.size()), expected);
    EXPECT_FALSE(Contains(out.report, "INPUT INFORMATION"));
    EXPECT_TRUE(out.plotExists);
    EXPECT_EQ(out.plot, "");
}

TEST(EngineRun, SoilRowsShallowerThanNeededWarnOnTheConsoleOnly)
{
    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineFirstSoil + 14] = "78 2 0.0 58 0.0 0.0 "; // last row at 78 ft, deepest soil 100
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(
        Contains(out.console,
                 "\n\n\n          COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
                 "          WAS PROVIDED AT THE DEPTH      79.00 FT.\n"
                 "          PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
                 "           PILE LENGTH PLUS TWO PILE DIAMETERS\n"));
    EXPECT_FALSE(Contains(out.report, "NO SOIL INFORMATION"));
    EXPECT_TRUE(Contains(out.report, "* COMPUTATION RESULT *"));
}

TEST(EngineRun, SegmentLimitAllows500AndStopsAt501)
{
    struct TCase
    {
        const char* increment; // deepest soil 100 ft
        int status;
    };
    const TCase cases[] = {
        {"0.2", 0},                // 500 segments
        {"0.1999600079984", 0},    // 500.1: truncated to 500
        {"0.1996007984031936", 1}, // 501
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.increment);
        std::vector<std::string> lines = ExampleLines("english");
        lines[kLineRun] = std::string("0 ") + c.increment + " 1 0 4 1 0";
        TTempDir dir;
        const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
        EXPECT_EQ(out.status, c.status);
        const std::string message =
            "\n\n YOUR NUMBERS OF SEGMENT  501 IS LARGER THAN\n"
            " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
            " SEGMENT OR CONSULT TARVIK, INC. FOR CHANGING THE DEFAULT VALUE\n";
        if (c.status == 1) {
            ASSERT_GE(out.report.size(), message.size());
            EXPECT_EQ(out.report.substr(out.report.size() - message.size()), message);
            EXPECT_TRUE(Contains(out.report, "* COMPUTATION RESULT *"));
            EXPECT_TRUE(Contains(out.console, message));
            EXPECT_EQ(out.plot, "");
        } else {
            EXPECT_FALSE(Contains(out.report, "YOUR NUMBERS OF SEGMENT"));
            EXPECT_FALSE(out.plot.empty());
        }
    }
}

TEST(EngineRun, IncrementLongerThanTheSoilStops)
{
    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineRun] = "0 150 1 0 4 1 0";
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
    EXPECT_EQ(out.status, 1);
    EXPECT_TRUE(Contains(out.report,
                         "COMPUTATION DOES NOT PROCEED BECAUSE THE INCREMENT     150.00 FT. IS "
                         "LONGER THAN THE DEEPEST SOIL PROFILE  100.00 FT."));
    EXPECT_EQ(out.plot, "");
}

} // namespace
