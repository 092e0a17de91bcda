// The capacity table and plot-data rows written from a method's result record.
#include "report/CapacityOutput.h"

#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "report/DateAndUnits.h"

namespace {

using enginetest::SplitLines;

// Five grid points (0 to 4 ft) with values worked out so each field is easy to read.
std::unique_ptr<TRunState> FiveGridPoints(int loadType)
{
    auto s = std::make_unique<TRunState>();
    s->PILEDATA.UNITS = 1;
    s->PILEDATA.NGRID = 5;
    s->PILEDATA.PRINTINTERVAL = 3;
    s->PILEDATA.LOADTYPE = loadType;
    SETUNITLABELS(*s, 1);
    for (int m = 1; m <= 9; ++m) {
        TMethodResult& r = s->RESULTS[m];
        r.COMPUTED = true;
        for (int j = 1; j <= 5; ++j) {
            r.PENETRATION[j] = j - 1.0;
            r.SKIN[j] = 10.0 * j + m;
            r.TIP[j] = loadType == 1 ? -1.25 * j : 100.0 * j;
            r.TOTAL[j] = r.SKIN[j] + r.TIP[j];
            r.UNITSKIN[j] = 0.125 * j;
            r.MARK[j] = j == 5 ? kTipUnplugged : kTipPlugged;
        }
    }
    return s;
}

std::vector<std::string> Table(const TRunState& s, int methodCode, std::string* plot = nullptr)
{
    std::ostringstream report;
    std::ostringstream rows;
    // Five grid points printed every third: 1, 4 and the closing point 5.
    WriteCapacityTable(report, rows, s, methodCode, {1, 4, 5});
    if (plot != nullptr) {
        *plot = rows.str();
    }
    return SplitLines(report.str());
}

TEST(CapacityOutput, PlotRowLayout)
{
    auto s = FiveGridPoints(0);
    std::ostringstream out;
    WritePlotRow(out, s->RESULTS[kApi], 2);
    EXPECT_EQ(out.str(), "     1.00      24.0     200.0      224.0      0.250\n");
    EXPECT_EQ(out.str().size(), 51u + 1u);
}

TEST(CapacityOutput, ApiTableWithClosingRowAndAsterisk)
{
    auto s = FiveGridPoints(0);
    std::string plot;
    const std::vector<std::string> lines = Table(*s, kApi, &plot);
    const std::vector<std::string> want = {
        "",
        "",
        "",
        "                            **********************",
        "                            *  API RP-2A (1994)  *",
        "                            **********************",
        "",
        "             PILE       TOTAL SKIN       END       ULTIMATE",
        "          PENETRATION   FRICTION       BEARING     CAPACITY",
        "              FT.          KIP           KIP          KIP",
        "              0.00          14.0         100.0        114.0",
        "              3.00          44.0         400.0        444.0",
        "              4.00          54.0         500.0*       554.0",
    };
    EXPECT_EQ(lines, want);
    EXPECT_EQ(SplitLines(plot).size(), 3u);
}

TEST(CapacityOutput, FhwaClosingPointGoesToThePlotOnly)
{
    auto s = FiveGridPoints(0);
    std::string plot;
    const std::vector<std::string> lines = Table(*s, kFhwa, &plot);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4], "                            *  FED. HWY. METHOD  *");
    EXPECT_EQ(lines.back(), "              3.00          41.0         400.0        441.0");
    EXPECT_EQ(SplitLines(plot).back(), "     4.00      51.0     500.0      551.0      0.625");
}

TEST(CapacityOutput, LambdaClosingRowCombinesThePassOneMethods)
{
    auto s = FiveGridPoints(0);
    const std::vector<std::string> lines = Table(*s, kLambda);
    EXPECT_EQ(lines[4], "                            *  LAMBDA 2 METHOD   *");
    // Lambda's marker is 2 at the last point: each group has the asterisk form.
    EXPECT_EQ(lines.back(),
              "        4.0   51.0  500.0*   551.0   52.0  500.0*   552.0   53.0  500.0*   553.0");
    s->RESULTS[kLambda].MARK[5] = kTipPlugged;
    EXPECT_EQ(Table(*s, kLambda).back(),
              "        4.0   51.0   500.0   551.0   52.0   500.0   552.0   53.0   500.0   553.0");
}

TEST(CapacityOutput, TensionHeadingsAndTheGeneralMethodTable)
{
    auto s = FiveGridPoints(1);
    const std::vector<std::string> api = Table(*s, kApi);
    EXPECT_EQ(api[7], "             PILE       TOTAL SKIN       SELF      ULTIMATE");
    EXPECT_EQ(api[8], "          PENETRATION   FRICTION        WEIGHT     CAPACITY");
    EXPECT_EQ(api[10], "              0.00          14.0          -1.3         12.8");
    const std::vector<std::string> general = Table(*s, kGeneral);
    EXPECT_EQ(general[3], "                             ******************");
    EXPECT_EQ(general[4], "                             * GENERAL METHOD *");
    // In tension the user-specified table shows the self weight as well.
    EXPECT_EQ(general[7], "             PILE       TOTAL SKIN       SELF      ULTIMATE");
    EXPECT_EQ(general[8], "          PENETRATION   FRICTION        WEIGHT     CAPACITY");
    // The user-specified table has no asterisk form.
    EXPECT_EQ(general.back(), "              4.00          55.0          -6.3         48.8");
}

TEST(CapacityOutput, TitleBoxesOfTheOffshoreMethods)
{
    auto s = FiveGridPoints(0);
    EXPECT_EQ(Table(*s, kNgi)[4], "          *  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *");
    EXPECT_EQ(Table(*s, kIcp)[3], std::string(20, ' ') + std::string(35, '*'));
    EXPECT_EQ(Table(*s, kFugro)[4], "                    *    FUGRO 2004 (FUGRO) METHOD    *");
    EXPECT_EQ(Table(*s, kUwa)[4], "             *  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *");
    EXPECT_EQ(Table(*s, kUsace)[4], "                            * ARMY CORPS METHOD  *");
}

TEST(CapacityOutput, UserValuesAndThePlotHeader)
{
    auto s = std::make_unique<TRunState>();
    s->PILEDATA.NSEG = 3;
    EXPECT_FALSE(HasUserValues(*s));
    s->SEGDATA.SEGUSERQ[3] = 5.0;
    EXPECT_TRUE(HasUserValues(*s));
    s->SEGDATA.SEGUSERQ[3] = 0.0;
    s->SEGDATA.SEGUSERF[4] = 5.0; // beyond NSEG: not a segment of this run
    EXPECT_FALSE(HasUserValues(*s));
    std::ostringstream out;
    s->PILEDATA.NROWS = 16;
    s->PILEDATA.UNITS = 2;
    s->PILEDATA.LSMETHOD = 4;
    WritePlotHeader(out, *s, 3);
    EXPECT_EQ(out.str(), " 3 16 2 4\n");
}

} // namespace
