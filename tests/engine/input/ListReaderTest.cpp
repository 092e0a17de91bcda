#include "input/ListReader.h"

#include <string>

#include <gtest/gtest.h>

#include "state/EngineErrors.h"

namespace {

TListReader Reader(const std::string& text)
{
    return TListReader(text, "test.qr7d", "INPUT FILE");
}

std::string ErrorOf(const std::string& text, int ints)
{
    TListReader in = Reader(text);
    int a = 0;
    int b = 0;
    int c = 0;
    try {
        if (ints == 1) {
            in.Read({&a}, "A");
        } else if (ints == 2) {
            in.Read({&a, &b}, "A, B");
        } else {
            in.Read({&a, &b, &c}, "A, B, C");
        }
    } catch (const EEngineInputError& e) {
        return e.what();
    }
    return "";
}

TEST(ListReader, StatementTakesTheLinesItNeedsAndDropsTheRestOfItsLastLine)
{
    TListReader in = Reader("1 2\n3 4 5\n6\n");
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    in.Read({&a, &b, &c}, "A, B, C");
    in.Read({&d}, "D");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(d, 6); // 4 and 5 were dropped with the rest of line 2
    EXPECT_EQ(in.NextLine(), 4);
}

TEST(ListReader, CrLfTabsCommasAndBlankLinesWithinAStatement)
{
    TListReader in = Reader("1\t2,3\r\n\r\n  4.5 \r\nlast line\r\n");
    int a = 0;
    int b = 0;
    double c = 0;
    double d = 0;
    in.Read({&a, &b, &c, &d}, "ITEMS");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_DOUBLE_EQ(c, 3.0);
    EXPECT_DOUBLE_EQ(d, 4.5);
    EXPECT_EQ(in.ReadText(0, "TEXT"), "last line"); // CR removed
}

TEST(ListReader, TextLinesAreCutAndAFileWithoutFinalNewlineIsRead)
{
    const std::string title(80, 'T');
    TListReader in = Reader(title + "\r\nshort");
    EXPECT_EQ(in.ReadText(72, "THE TITLE"), std::string(72, 'T'));
    EXPECT_EQ(in.ReadText(72, "THE DESIGNER"), "short");
    EXPECT_THROW(in.ReadText(72, "THE JOB NUMBER"), EEngineInputError);
}

TEST(ListReader, NumberForms)
{
    struct TRealCase
    {
        const char* word;
        bool ok;
        double value;
    };
    const TRealCase reals[] = {{"1.5D3", true, 1500.0},
                               {"-.5", true, -0.5},
                               {"+3.", true, 3.0},
                               {"2.5E-3", true, 0.0025},
                               {"7", true, 7.0},
                               {"1e999", false, 0},
                               {"nan", false, 0},
                               {"inf", false, 0},
                               {"1.2.3", false, 0},
                               {"12abc", false, 0},
                               {"", false, 0}};
    for (const TRealCase& c : reals) {
        double v = 0;
        EXPECT_EQ(ParseReal(c.word, v), c.ok) << c.word;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.word;
        }
    }
    // Short numbers and long ones read as the nearest double alike (the compiler's literals
    // are the nearest doubles).
    const TRealCase exact[] = {{"0.8", true, 0.8},
                               {"54.7", true, 54.7},
                               {"123456789012345", true, 123456789012345.0},
                               {"1234567890123456789", true, 1234567890123456789.0},
                               {"1E22", true, 1e22},
                               {"1E23", true, 1e23},
                               {"4.9E-22", true, 4.9e-22},
                               {"4.9E-23", true, 4.9e-23},
                               {"0.1D-2", true, 0.001}};
    for (const TRealCase& c : exact) {
        double v = 0;
        ASSERT_TRUE(ParseReal(c.word, v)) << c.word;
        EXPECT_EQ(v, c.value) << c.word;
    }
    int i = 0;
    EXPECT_TRUE(ParseInteger("+12", i));
    EXPECT_EQ(i, 12);
    EXPECT_TRUE(ParseInteger("-2147483648", i));
    EXPECT_FALSE(ParseInteger("2147483648", i));
    EXPECT_FALSE(ParseInteger("1.0", i));
    EXPECT_FALSE(ParseInteger("1E2", i));
}

TEST(ListReader, DamagedLinesNameFileLineAndItem)
{
    struct TCase
    {
        const char* text;
        int items;
        const char* expected;
    };
    const TCase cases[] = {
        {"1 x 3\n",
         3,
         "ERROR IN INPUT FILE \"test.qr7d\", LINE 1, ITEM 2: \"x\" IS NOT AN INTEGER (A, B, C)."},
        {"1\n\n2 2.5\n", 3, "LINE 3, ITEM 2: \"2.5\" IS NOT AN INTEGER"},
        {"1\n", 2, "LINE 2, ITEM 2: THE FILE ENDS BEFORE ALL OF A, B WERE READ."},
        {"", 1, "LINE 1, ITEM 1: THE FILE ENDS"},
        {"\x01\xff\n", 1, "ITEM 1: \"??\" IS NOT AN INTEGER"},
    };
    for (const TCase& c : cases) {
        EXPECT_NE(ErrorOf(c.text, c.items).find(c.expected), std::string::npos)
            << ErrorOf(c.text, c.items);
    }
}

TEST(ListReader, RealsBeyondTheEnginesRangeAreRefused)
{
    // 1e15 in size is taken, more is not: beyond it the formulas overflow into NaN results.
    struct TCase
    {
        const char* word;
        bool accepted;
    };
    const TCase cases[] = {{"1.0E15", true},
                           {"-1.0E15", true},
                           {"1.5E15", false},
                           {"-2D16", false},
                           {"1E300", false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.word);
        const std::string text = std::string("0.5 ") + c.word + "\n";
        TListReader in(std::string_view(text), "test.qr7d", "INPUT FILE");
        double a = 0;
        double b = 0;
        if (c.accepted) {
            EXPECT_NO_THROW(in.Read({&a, &b}, "SU, SUR"));
            continue;
        }
        try {
            in.Read({&a, &b}, "SU, SUR");
            ADD_FAILURE() << "accepted";
        } catch (const EEngineInputError& e) {
            EXPECT_NE(std::string(e.what()).find("LINE 1, ITEM 2: \"" + std::string(c.word)
                                                 + "\" IS LARGER THAN 1.0E+15 IN SIZE (SU, SUR)."),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(ListReader, RefusalNamesTheItemOfTheLastStatement)
{
    TListReader in = Reader("a\n1 99 3\n");
    (void)in.ReadText(0, "TEXT");
    int a = 0;
    int b = 0;
    int c = 0;
    in.Read({&a, &b, &c}, "A, B, C");
    try {
        in.Refuse(2, "TOO MANY.");
        FAIL();
    } catch (const EEngineInputError& e) {
        EXPECT_STREQ(e.what(), "ERROR IN INPUT FILE \"test.qr7d\", LINE 2, ITEM 2: TOO MANY.");
    }
}

TEST(ListReader, MissingFileIsNamed)
{
    try {
        TListReader in("/nonexistent/folder/p.qr7d", "INPUT FILE");
        FAIL();
    } catch (const EEngineInputError& e) {
        EXPECT_STREQ(e.what(),
                     "ERROR - THE INPUT FILE \"/nonexistent/folder/p.qr7d\" CANNOT BE OPENED.");
    }
}

} // namespace
