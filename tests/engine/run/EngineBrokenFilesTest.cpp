// Damaged project and CPT files kept in tests/data/engine/broken: each stops the run with a
// message that names the file, the line and the item.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace enginetest;

struct TBrokenCase
{
    const char* project; // file in broken/, or empty for the example
    const char* cpt;     // file in broken/, or empty for the example
    const char* message;
};

TEST(EngineBrokenFiles, EachStopsWithItsMessage)
{
    const fs::path broken = fs::path(QUARN_TEST_DATA_DIR) / "engine" / "broken";
    const TBrokenCase cases[] = {
        {"cut-short.qr7d", "", "LINE 15, ITEM 1: THE FILE ENDS BEFORE ALL OF SOIL ROW LINE B"},
        {"word-in-flags.qr7d", "", "LINE 8, ITEM 4: \"one\" IS NOT AN INTEGER (METHOD FLAGS)."},
        {"binary-noise.qr7d", "", "LINE 4, ITEM 1: \"?????????\" IS NOT AN INTEGER"},
        {"empty.qr7d", "", "LINE 1: THE FILE ENDS BEFORE THE TITLE."},
        {"too-many-soil-rows.qr7d",
         "",
         "LINE 4, ITEM 3: THE NUMBER OF SOIL ROWS 200 IS LARGER THAN THE LIMIT 80."},
        {"",
         "too-many-points.cpt",
         "LINE 1, ITEM 2: THE NUMBER OF CPT POINTS 5000 IS LARGER THAN THE LIMIT 1000."},
        {"",
         "damaged-point.cpt",
         "LINE 5, ITEM 2: \"1.20E+0x\" IS NOT A NUMBER (CPT POINT: DEPTH, QC)."},
    };
    for (const TBrokenCase& c : cases) {
        SCOPED_TRACE(std::string(c.project) + c.cpt);
        TTempDir dir;
        const std::string project =
            *c.project != '\0' ? ReadFile(broken / c.project) : JoinCrLf(ExampleLines("english"));
        const std::string cpt = *c.cpt != '\0' ? ReadFile(broken / c.cpt) : ExampleCpt("english");
        WriteFile(dir.Path() / "P.qr7d", project);
        WriteFile(dir.Path() / "P.cpt", cpt);
        WriteNames(dir, "P");
        const TRunOutcome out = RunIn(dir);
        EXPECT_EQ(out.status, 1);
        const std::string file = *c.cpt != '\0' ? "CPT FILE \"" + dir.File("P.cpt")
                                                : "INPUT FILE \"" + dir.File("P.qr7d");
        EXPECT_TRUE(Contains(out.report, "ERROR IN " + file + "\", " + c.message)) << out.report;
        EXPECT_EQ(out.plot, "");
    }
}

} // namespace
