// The project and CPT files into the run state: the conversions and moves made while reading.
#include "input/InputReader.h"

#include <sstream>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "input/ListReader.h"
#include "state/EngineErrors.h"

namespace {

using namespace enginetest;

constexpr double kTol = 1e-12;

struct TRead
{
    std::unique_ptr<TRunState> s = std::make_unique<TRunState>();
};

TRead ReadLines(const std::vector<std::string>& lines)
{
    TRead r;
    r.s->PILEDATA.WATERDEPTH = 99999.0; // the driver's default
    r.s->PILEDATA.TENSIONFACTOR = 1.0;
    const std::string text = JoinCrLf(lines);
    TListReader in(text, "P.qr7d", "INPUT FILE");
    ReadProjectFile(*r.s, in);
    return r;
}

TEST(InputReader, ExampleProjectFillsTheBlocks)
{
    const TRead r = ReadLines(ExampleLines("english"));
    const TRunState& s = *r.s;
    const TPileData& p = s.PILEDATA;
    EXPECT_EQ(s.TITLES.TITLE, "Steel pipe pile in layered sand and clay");
    EXPECT_EQ(p.UNITS, 1);
    EXPECT_EQ(p.PRINTINTERVAL, 5);
    EXPECT_EQ(p.NSOILROWS, 8);
    EXPECT_EQ(p.CLOSEDEND, 0);
    EXPECT_DOUBLE_EQ(p.OD, 24.0);
    EXPECT_DOUBLE_EQ(p.ID, 22.5);
    EXPECT_DOUBLE_EQ(p.EMOD, 29000000.0);
    EXPECT_DOUBLE_EQ(p.PILELENGTH, 80.0);
    EXPECT_DOUBLE_EQ(p.STICKUP, 5.0);
    // No enhanced end section: the whole pile with its own inside diameter.
    EXPECT_NEAR(p.ENDSECTLENGTH, 80.0 - 0.0000001, kTol);
    EXPECT_DOUBLE_EQ(p.ENDSECTID, 22.5);
    EXPECT_DOUBLE_EQ(p.INCREMENT, 1.0);
    EXPECT_EQ(p.PILETYPE, 1);
    EXPECT_EQ(p.LSMETHOD, 4);
    EXPECT_EQ(p.OFFSHORE, 1);
    const int flags[] = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    for (int m = 1; m <= 9; ++m) {
        EXPECT_EQ(s.METHODFLAGS[m], flags[m - 1]) << m;
    }
    EXPECT_DOUBLE_EQ(p.DEEPESTSOIL, 100.0);
    EXPECT_EQ(s.AREATABLE.AREACOUNT, 2);
    EXPECT_EQ(s.AREATABLE.AREAMODE, 0);
    EXPECT_EQ(p.CRITOPTION, 0);
    EXPECT_EQ(s.TZDEPTHS.TZFLAG, 0); // group 12 absent: the next line was group 13
    EXPECT_EQ(p.LOADTYPE, 0);
    EXPECT_DOUBLE_EQ(p.TENSIONFACTOR, 1.0);
    // First row 62 lb/ft3 (below 75): the water depth is its depth, 0.
    EXPECT_DOUBLE_EQ(p.WATERDEPTH, 0.0);
}

TEST(InputReader, SoilRowConversions)
{
    std::vector<std::string> lines = ExampleLines("english");
    // Layer 1: sand 120 lb/ft3 (dry), blow count 20; layer 2 silt, blow count 20, 62 lb/ft3.
    lines[kLineFirstSoil + 0] = "0.0 1 0.8 120 30 20 ";
    lines[kLineFirstSoil + 1] = "0 1500 0.0 20 0.0 0.0 0 0 0 1 1 0 ";
    lines[kLineFirstSoil + 4] = "20 3 0.8 62 28 0.0 ";
    lines[kLineFirstSoil + 5] = "300 0 500 20 0.0 0.0 0.0 0.0 0.0 1 0.9 0 ";
    lines[kLineFirstSoil + 6] = "45 3 0.8 50 28 0.0 ";
    lines[kLineFirstSoil + 7] = "300 0 500 20 0.0 0.0 0.0 0.0 0.0 1 0.9 0 ";
    // Layer 3 top row: PI and Qc and user values.
    lines[kLineFirstSoil + 9] = "0 0 800 400 2 25 30000 1200 45000 1 1 0 ";
    const TRead r = ReadLines(lines);
    const auto& d = r.s->SOILDATA;
    // Sand: blow count moved from column 11 to 12.
    EXPECT_DOUBLE_EQ(d(1, 11), 0.0);
    EXPECT_DOUBLE_EQ(d(1, 12), 20.0);
    // Silt keeps it in column 11, divided by 1000 with the strengths in English units.
    EXPECT_DOUBLE_EQ(d(3, 11), 0.02);
    EXPECT_DOUBLE_EQ(d(3, 10), 0.5);
    EXPECT_DOUBLE_EQ(d(3, 8), 0.3);
    // Maximum side friction 0: unlimited, flagged, not divided by 1000.
    EXPECT_DOUBLE_EQ(d(1, 8), 9999999.0);
    EXPECT_EQ(r.s->SOILFLAGS(1, 1), 1);
    EXPECT_DOUBLE_EQ(d(1, 9), 1.5);
    EXPECT_EQ(r.s->SOILFLAGS(1, 2), 0);
    EXPECT_DOUBLE_EQ(d(3, 9), 9999999.0);
    EXPECT_EQ(r.s->SOILFLAGS(3, 2), 1);
    // The first row under 75 lb/ft3 (row 3 at 20 ft) sets the water depth; row 5 does not.
    EXPECT_DOUBLE_EQ(r.s->PILEDATA.WATERDEPTH, 20.0);
    // Plasticity index and Qc stay as read in columns 13 and 14; user values in 15 and 16.
    EXPECT_DOUBLE_EQ(d(5, 13), 25.0);
    EXPECT_DOUBLE_EQ(d(5, 14), 30000.0);
    EXPECT_DOUBLE_EQ(r.s->PIPROFILE[5], 25.0);
    EXPECT_DOUBLE_EQ(r.s->QCPROFILE[5], 30000.0);
    EXPECT_DOUBLE_EQ(d(5, 15), 1200.0);
    EXPECT_DOUBLE_EQ(d(5, 16), 45000.0);
    EXPECT_DOUBLE_EQ(d(3, 18), 0.9);
}

TEST(InputReader, NoncircularPileTakesItsDiameterFromThePerimeter)
{
    std::vector<std::string> lines = ExampleLines("english");
    lines[kLineSection] = "3.1416 14.4 24 22.5 29000000 80 5";
    lines[kLineEndSection] = "0 7";
    const TRead r = ReadLines(lines);
    const TPileData& p = r.s->PILEDATA;
    EXPECT_DOUBLE_EQ(p.OD, 1.0);
    EXPECT_DOUBLE_EQ(p.ID, 0.0);
    EXPECT_DOUBLE_EQ(p.ENDSECTID, 0.0);
    EXPECT_DOUBLE_EQ(p.TIPAREA, 0.1); // 14.4 in2 in ft2
    EXPECT_DOUBLE_EQ(p.TIPAREAREAD, 14.4);
}

TEST(InputReader, OptionalGroups)
{
    std::vector<std::string> lines = ExampleLines("si");
    lines[kLineTitle] = std::string(80, 'T');
    lines[kLineEndSection] = "10 500";
    lines[kLineTzFlag] = "1";
    lines.insert(lines.begin() + kLineTzFlag + 1, {"2", "5 ", "12.5 "});
    // Area: one row reads no row lines; group 17 follows at once.
    const int area = kLineArea + 3;
    lines[static_cast<std::size_t>(area)] = "1 1";
    lines.erase(lines.begin() + area + 1, lines.begin() + area + 3);
    lines[static_cast<std::size_t>(area + 1)] = "2 9.5";
    const TRead r = ReadLines(lines);
    const TRunState& s = *r.s;
    EXPECT_EQ(s.TITLES.TITLE, std::string(72, 'T'));
    EXPECT_DOUBLE_EQ(s.PILEDATA.ENDSECTLENGTH, 10.0);
    EXPECT_DOUBLE_EQ(s.PILEDATA.ENDSECTID, 500.0);
    EXPECT_EQ(s.TZDEPTHS.TZCOUNT, 2);
    EXPECT_DOUBLE_EQ(s.TZDEPTHS.TZDEPTH[2], 12.5);
    EXPECT_EQ(s.AREATABLE.AREACOUNT, 1);
    EXPECT_DOUBLE_EQ(s.AREATABLE.AREADIST[1], 0.0);
    EXPECT_EQ(s.PILEDATA.CRITOPTION, 2);
    EXPECT_DOUBLE_EQ(s.PILEDATA.CRITDEPTH, 9.5);
    // SI: no conversions of strengths or the tip area.
    EXPECT_DOUBLE_EQ(s.SOILDATA(3, 10), 38.304207);
}

TEST(InputReader, CptFile)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    const std::string text = ExampleCpt("english");
    TListReader in(text, "P.cpt", "CPT FILE");
    ReadCptFile(s, in);
    EXPECT_EQ(s.CPTDATA.CPTCOUNT, 21);
    EXPECT_DOUBLE_EQ(s.CPTDATA.CPTDEPTH[2], 5.0);
    EXPECT_DOUBLE_EQ(s.CPTDATA.CPTQC[21], 45000.0);
}

// The profile is read in increasing depth: the first point shallower than the one before it
// stops the reading with its line and item. A repeated depth is a step and is taken.
TEST(InputReader, CptDepthsMustNotDecrease)
{
    struct TCase
    {
        const char* name;
        const char* depths;  // one point per word, qc 40000 each
        const char* refusal; // empty: read
    };
    const TCase cases[] = {
        {"50 5 20",
         "50 5 20",
         "ERROR IN CPT FILE \"P.cpt\", LINE 3, ITEM 1: THE CPT DEPTH 5.00 IS LESS THAN THE "
         "DEPTH 50.00 OF THE POINT BEFORE IT: THE DEPTHS MUST NOT DECREASE."},
        {"out of order further down",
         "0 5 10 9.5 20",
         "LINE 5, ITEM 1: THE CPT DEPTH 9.50 IS LESS THAN THE DEPTH 10.00 OF"},
        {"apart only in the third decimal",
         "0 5.004 5.001",
         "LINE 4, ITEM 1: THE CPT DEPTH 5.001 IS LESS THAN THE DEPTH 5.004 OF"},
        {"increasing", "0 5 20", ""},
        {"a repeated depth", "0 5 5 20", ""},
        {"one point", "7", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream words(c.depths);
        std::vector<std::string> depths;
        for (std::string word; words >> word;) {
            depths.push_back(word);
        }
        std::string text = " 1 " + std::to_string(depths.size()) + "\r\n";
        for (const std::string& depth : depths) {
            text += " " + depth + " 4.00E+04\r\n";
        }
        auto state = std::make_unique<TRunState>();
        TListReader in(text, "P.cpt", "CPT FILE");
        if (*c.refusal == '\0') {
            EXPECT_NO_THROW(ReadCptFile(*state, in));
            EXPECT_EQ(state->CPTDATA.CPTCOUNT, static_cast<int>(depths.size()));
            continue;
        }
        try {
            ReadCptFile(*state, in);
            ADD_FAILURE() << "read";
        } catch (const EEngineInputError& e) {
            EXPECT_TRUE(Contains(e.what(), c.refusal)) << e.what();
        }
    }
}

TEST(InputReader, IndexOutsideAnArrayIsRefusedNotRead)
{
    auto state = std::make_unique<TRunState>();
    TRunState& s = *state;
    EXPECT_THROW((void)s.SOILDATA(81, 1), EEngineIndexError);
    EXPECT_THROW((void)s.SOILDATA(1, 20), EEngineIndexError);
    EXPECT_THROW((void)s.SOILDATA(0, 1), EEngineIndexError);
    EXPECT_THROW((void)s.SEGDATA.SEGTOP[501], EEngineIndexError);
    EXPECT_THROW((void)s.SEGDATA.SEGTOP[0], EEngineIndexError);
    EXPECT_THROW((void)s.CPTDATA.CPTQC[1001], EEngineIndexError);
    EXPECT_THROW((void)s.RESULTS[10], EEngineIndexError);
    EXPECT_NO_THROW((void)s.SEGDATA.SEGTOP[500]);
    EXPECT_NO_THROW((void)s.GRID.GRIDDEPTH[501]);
}

} // namespace
