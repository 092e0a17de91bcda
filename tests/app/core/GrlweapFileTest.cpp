#include "GrlweapFile.h"

#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

// Lines of the file that are not profile lines: ten before, seven after.
constexpr int kFixedLines = 17;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find("\r\n", begin);
        if (end == std::string::npos) {
            lines.push_back(text.substr(begin) + " <no CR LF>");
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

// Compares line by line and names the first line that differs.
void ExpectSameLines(const std::string& actual, const std::string& golden)
{
    const std::vector<std::string> a = Lines(actual);
    const std::vector<std::string> g = Lines(golden);
    for (std::size_t i = 0; i < std::min(a.size(), g.size()); ++i) {
        ASSERT_EQ(a[i], g[i]) << "first difference on line " << i + 1;
    }
    ASSERT_EQ(a.size(), g.size()) << "line counts differ";
    EXPECT_EQ(actual, golden);
}

std::string Golden(const std::string& name)
{
    return ReadText(std::string(QUARN_TEST_DATA_DIR) + "/grlweap/" + name);
}

// The English case of english-5rows.gwi: a circular steel pipe, OD 24 in, ID 22.5 in,
// E 29,000,000 psi, sand down to 20 ft over clay down to 45 ft.
TGrlweapInput EnglishInput()
{
    TGrlweapInput input;
    input.UnitSystem = 1;
    input.Title = "Test pile 12";
    input.PileType = 1;
    input.Circular = true;
    input.OD = 24.0L;
    input.ID = 22.5L;
    input.E = 29000000.0L;
    input.Layers = {{1, 20.0L}, {2, 45.0L}};
    input.Profile = {{0, 0, 0}, {10, 0.25L, 12.5L}, {20, 0.5L, 25}, {30, 1.25L, 100}, {40, 2, 150}};
    return input;
}

// si-3rows.gwi: a noncircular concrete pile, OD 400 mm, perimeter 1200 mm, E 30,000,000 kPa,
// sand down to 5 m over clay; the third row is the first clay row.
TGrlweapInput SiInput()
{
    TGrlweapInput input;
    input.UnitSystem = 2;
    input.Title = "A very long title that exceeds forty characters by far";
    input.PileType = 3;
    input.Circular = false;
    input.OD = 400.0L;
    input.ID = 0.0L;
    input.E = 30000000.0L;
    input.Perimeter = 1200.0L;
    input.Layers = {{1, 5.0L}, {2, 20.0L}};
    input.Profile = {{0, 0, 0}, {5, 15.5L, 300}, {10, 40.4L, 1250}};
    return input;
}

TGrlweapInput RowsInput(int n)
{
    TGrlweapInput input = EnglishInput();
    input.Profile.clear();
    for (int r = 0; r < n; ++r) {
        input.Profile.push_back({static_cast<long double>(r + 1), 1.0L, 2.0L});
    }
    return input;
}

class TempFolder : public TTestFolder
{
public:
    TempFolder()
        : TTestFolder("grlweap")
    {}
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(Path()), {}));
    }
};

TEST(GrlweapFileTest, EnglishLayoutMatchesGolden)
{
    ExpectSameLines(GrlweapFileText(EnglishInput()), Golden("english-5rows.gwi"));
}

TEST(GrlweapFileTest, SiLayoutMatchesGolden)
{
    ExpectSameLines(GrlweapFileText(SiInput()), Golden("si-3rows.gwi"));
}

TEST(GrlweapFileTest, CircularPerimeterFollowsDiameter)
{
    TGrlweapInput input = EnglishInput();
    input.Perimeter = 10.0L;
    // 24 x 3.1416 = 75.3984 in, written as 6.2832 ft.
    EXPECT_NEAR(GrlweapPerimeter(input), 75.3984L, 1e-12L);
    input.Circular = false;
    EXPECT_EQ(GrlweapPerimeter(input), 10.0L);
}

struct ThinningCase
{
    int rows;
    int step; // 0: every row
    int lines;
};

TEST(GrlweapFileTest, LongProfilesAreThinned)
{
    // 99 rows: all. 100: s = 2, m = 50, rows 0..98 then 99. 250: s = 3, m = 83, rows 0..246
    // then 249. 101: s = 2, m = 50, rows 0..98 then 100. 501: s = 6, m = 83, rows 0..492
    // then 500.
    const ThinningCase cases[] =
        {{1, 0, 1}, {99, 0, 99}, {100, 2, 51}, {101, 2, 51}, {250, 3, 84}, {501, 6, 84}};
    for (const ThinningCase& c : cases) {
        SCOPED_TRACE(c.rows);
        std::vector<int> expected;
        if (c.step == 0) {
            for (int r = 0; r < c.rows; ++r) {
                expected.push_back(r);
            }
        } else {
            for (int r = 0; r + c.step <= c.rows; r += c.step) {
                expected.push_back(r);
            }
            expected.push_back(c.rows - 1);
        }
        ASSERT_EQ(static_cast<int>(expected.size()), c.lines);
        EXPECT_EQ(GrlweapSelectedRows(c.rows), expected);

        // The file holds those rows: row r has depth r + 1.
        const std::vector<std::string> lines = Lines(GrlweapFileText(RowsInput(c.rows)));
        ASSERT_EQ(static_cast<int>(lines.size()), kFixedLines + c.lines);
        EXPECT_EQ(lines[10].substr(0, 8), " 1.00E+0");
        const std::string deepest = c.rows == 1     ? " 1.00E+0"
                                    : c.rows == 99  ? " 9.90E+1"
                                    : c.rows == 100 ? " 1.00E+2"
                                    : c.rows == 101 ? " 1.01E+2"
                                    : c.rows == 250 ? " 2.50E+2"
                                                    : " 5.01E+2";
        EXPECT_EQ(lines[static_cast<std::size_t>(9 + c.lines)].substr(0, 8), deepest);
    }
    EXPECT_EQ(Lines(GrlweapFileText(RowsInput(100)))[12].substr(0, 8), " 5.00E+0"); // row 4
}

TEST(GrlweapFileTest, RowsWalkDownTheLayers)
{
    TGrlweapInput input = EnglishInput();
    // Sand to 5, clay to 6, sand to 100: a row that passes two bottoms moves one layer only.
    input.Layers = {{1, 5.0L}, {2, 6.0L}, {1, 100.0L}};
    input.Profile = {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}, {20, 0, 0}, {200, 0, 0}, {300, 0, 0}};
    EXPECT_EQ(GrlweapRowLayers(input), (std::vector<int>{0, 0, 1, 2, 2, 2}));
    const std::vector<std::string> lines = Lines(GrlweapFileText(input));
    EXPECT_NE(lines[11].find("   5.00E-2   0.150   1.20E+0"), std::string::npos) << lines[11];
    EXPECT_NE(lines[12].find("   2.00E-1   0.150   2.00E+0"), std::string::npos) << lines[12];
    // Below the last layer the rows stay in it.
    EXPECT_NE(lines[15].find("   5.00E-2   0.150   1.20E+0"), std::string::npos) << lines[15];
}

TEST(GrlweapFileTest, TitleFieldIsFortyBytes)
{
    struct TitleCase
    {
        std::string title;
        std::string field;
    };
    const TitleCase cases[] = {
        {"", std::string(40, ' ')},
        {"Test pile 12", "Test pile 12" + std::string(28, ' ')},
        {"Line\r\nbreak", "Line  break" + std::string(29, ' ')},
        // A two-byte character across the 40th byte is left out whole.
        {std::string(39, 'x') + "\xC3\xA9", std::string(39, 'x') + " "},
    };
    for (const TitleCase& c : cases) {
        TGrlweapInput input = EnglishInput();
        input.Title = c.title;
        EXPECT_EQ(Lines(GrlweapFileText(input))[0], c.field + "  VER. 2000 1 0");
    }
}

TEST(GrlweapFileTest, NothingToWrite)
{
    TGrlweapInput input = EnglishInput();
    input.Profile.clear();
    EXPECT_THROW(GrlweapFileText(input), EGrlweapError);
    input = EnglishInput();
    input.Layers.clear();
    EXPECT_THROW(GrlweapFileText(input), EGrlweapError);
}

TEST(GrlweapFileTest, FileNameFromProject)
{
    EXPECT_EQ(GrlweapFileNameFor("/data/job.v2/Pile.qr7d"), "/data/job.v2/Pile.gwi");
    EXPECT_EQ(GrlweapFileNameFor("/data/job.v2/Pile"), "/data/job.v2/Pile.gwi");
}

TEST(GrlweapFileTest, WritesAndReplaces)
{
    TempFolder folder;
    const std::string path = folder.File("Pile.gwi");
    {
        std::ofstream old(path);
        old << "old";
    }
    WriteGrlweapFile(path, EnglishInput());
    EXPECT_EQ(ReadText(path), Golden("english-5rows.gwi"));
    EXPECT_EQ(folder.EntryCount(), 1u); // no temporary file left
}

// A link at the GRLWEAP file's name (planted while the engine ran) is replaced by the file;
// what it names keeps its bytes.
TEST(GrlweapFileTest, ALinkAtItsNameIsReplacedNotWrittenThrough)
{
    TempFolder folder;
    const std::string victim = folder.File("victim");
    {
        std::ofstream(victim) << "not the program's";
    }
    const std::string path = folder.File("Pile.gwi");
    std::filesystem::create_symlink(victim, path);
    WriteGrlweapFile(path, EnglishInput());
    EXPECT_EQ(ReadText(victim), "not the program's");
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ReadText(path), Golden("english-5rows.gwi"));
}

TEST(GrlweapFileTest, FailedWriteKeepsEarlierFile)
{
    TempFolder folder;
    // A folder where the file should go: the finished file can't be renamed onto it.
    const std::string path = folder.File("Pile.gwi");
    fs::create_directory(path);
    std::string message;
    try {
        WriteGrlweapFile(path, EnglishInput());
    } catch (const EGrlweapError& e) {
        message = e.Message();
    }
    EXPECT_EQ(message.rfind("The GRLWEAP file \"" + path + "\" could not be written: ", 0), 0u)
        << message;
    EXPECT_NE(message.find("Any earlier file is left as it was."), std::string::npos);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(folder.EntryCount(), 1u);

    // A missing profile writes nothing and keeps the earlier file.
    const std::string other = folder.File("Other.gwi");
    {
        std::ofstream old(other);
        old << "old";
    }
    TGrlweapInput input = EnglishInput();
    input.Profile.clear();
    EXPECT_THROW(WriteGrlweapFile(other, input), EGrlweapError);
    EXPECT_EQ(ReadText(other), "old");

    // A folder that does not exist.
    EXPECT_THROW(WriteGrlweapFile(folder.File("none/Pile.gwi"), EnglishInput()), EGrlweapError);
}

TEST(GrlweapFileTest, NumbersIgnoreTheProcessLocale)
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
    const std::string text = GrlweapFileText(SiInput());
    std::locale::global(oldCpp);
    std::setlocale(LC_ALL, oldC.c_str());
    ExpectSameLines(text, Golden("si-3rows.gwi"));
}

} // namespace
