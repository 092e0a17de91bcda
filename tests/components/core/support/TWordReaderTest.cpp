#include "support/TWordReader.h"

#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace {

const std::string kIncomplete = "This file either invalid or incomplete.";

std::string Fixture(const char* name)
{
    return std::string(QUARN_TEST_DATA_DIR) + "/wordreader/" + name;
}

// The message of the EInOutError that `read` raises, or "" when it raises nothing.
template<typename Read>
std::string MessageOf(Read read)
{
    try {
        read();
    } catch (const EInOutError& e) {
        return e.Message();
    }
    return "";
}

TEST(TWordReaderTest, SplitsWordsAtRunsOfBlanksAndTabs)
{
    TWordReader reader = TWordReader::FromText("1   2\t\t3  \nnext");
    EXPECT_EQ(reader.WordCount(), 3);
    EXPECT_EQ(reader.ReadWord(), "1");
    EXPECT_EQ(reader.ReadWord(), "2");
    EXPECT_EQ(reader.ReadWord(), "3");
    // The line is left lazily: it is still the current line.
    EXPECT_EQ(reader.WordCount(), 3);
    EXPECT_EQ(reader.LineNumber(), 1);
    EXPECT_EQ(reader.ReadWord(), "next");
    EXPECT_EQ(reader.LineNumber(), 2);
}

TEST(TWordReaderTest, ReadsCrLfAndLfFilesAlike)
{
    for (const char* name : {"crlf.txt", "lf.txt"}) {
        SCOPED_TRACE(name);
        TWordReader reader(Fixture(name));
        EXPECT_EQ(reader.LineCount(), 3);
        EXPECT_EQ(reader.ReadLine(), "Title line one");
        EXPECT_EQ(reader.ReadInteger(), 1);
        EXPECT_EQ(reader.ReadInteger(), 2);
        EXPECT_EQ(reader.ReadInteger(), 3);
        EXPECT_EQ(reader.ReadFloat(), 2.5L);
        EXPECT_EQ(reader.ReadInteger(), -4);
        EXPECT_EQ(reader.ReadInteger(), 1000);
        EXPECT_FALSE(reader.Eof());
        EXPECT_EQ(MessageOf([&] { reader.ReadWord(); }), kIncomplete);
    }
}

TEST(TWordReaderTest, ReadLineGivesTheCurrentLineAndMovesOn)
{
    TWordReader reader = TWordReader::FromText("a b\r\n  raw\ttext  \r\nlast");
    EXPECT_EQ(reader.ReadWord(), "a");
    EXPECT_EQ(reader.ReadWord(), "b");
    EXPECT_EQ(reader.ReadLine(), "a b"); // the rest of line 1 is skipped
    EXPECT_EQ(reader.ReadLine(), "  raw\ttext  ");
    EXPECT_EQ(reader.WordCount(), 1);
    EXPECT_EQ(reader.ReadLine(), "last");
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.WordCount(), 0);
    EXPECT_EQ(MessageOf([&] { reader.ReadLine(); }), kIncomplete);
}

TEST(TWordReaderTest, MessagesNameLineAndItem)
{
    // "abc" is the second word of line 5.
    TWordReader floats = TWordReader::FromText("1\n2\n3\n4\n5 abc\n");
    for (int i = 0; i < 5; ++i) {
        floats.ReadFloat();
    }
    EXPECT_EQ(MessageOf([&] { floats.ReadFloat(); }),
              "Error on Line 5 Item 2\rA floating point number was expected but not found.");

    // "2.5" is the first word of line 3.
    TWordReader integers = TWordReader::FromText("1\n2\n2.5 4\n");
    integers.ReadInteger();
    integers.ReadInteger();
    EXPECT_EQ(MessageOf([&] { integers.ReadInteger(); }),
              "Error on Line 3 Item 1\rAn integer was expected but not found.");
    // The reader has moved past the bad word.
    EXPECT_EQ(integers.ReadInteger(), 4);
}

TEST(TWordReaderTest, IntegerRange)
{
    TWordReader reader =
        TWordReader::FromText("7 -2147483648 2147483647 2147483648 -2147483649 4.0");
    EXPECT_EQ(reader.ReadInteger(), 7);
    EXPECT_EQ(reader.ReadInteger(), -2147483647 - 1);
    EXPECT_EQ(reader.ReadInteger(), 2147483647);
    EXPECT_EQ(MessageOf([&] { reader.ReadInteger(); }),
              "Error on Line 1 Item 4\rAn integer was expected but not found.");
    EXPECT_EQ(MessageOf([&] { reader.ReadInteger(); }),
              "Error on Line 1 Item 5\rAn integer was expected but not found.");
    EXPECT_EQ(reader.ReadInteger(), 4);
}

TEST(TWordReaderTest, RefusesWordsThatAreNoNumbers)
{
    const std::string expected =
        "Error on Line 1 Item 1\rA floating point number was expected but not found.";
    for (const char* word : {"abc",
                             "1,5",
                             "1e5000",
                             "-1e5000",
                             "inf",
                             "nan",
                             "0x10",
                             "1e",
                             ".",
                             "+",
                             "1.2.3",
                             "--1"}) {
        SCOPED_TRACE(word);
        TWordReader reader = TWordReader::FromText(word);
        EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }), expected);
    }
    TWordReader accepted = TWordReader::FromText("+1.5 .5 5. -2E-3 1e-5000");
    EXPECT_EQ(accepted.ReadFloat(), 1.5L);
    EXPECT_EQ(accepted.ReadFloat(), 0.5L);
    EXPECT_EQ(accepted.ReadFloat(), 5.0L);
    EXPECT_EQ(accepted.ReadFloat(), -0.002L);
    EXPECT_EQ(accepted.ReadFloat(), 0.0L); // too small to hold: zero
}

// Every number reads as the nearest extended value, whether it is short enough for the quick
// way (up to 19 significant digits, a power of ten up to 27) or not; the compiler's own
// literals are the nearest values.
TEST(TWordReaderTest, NumbersReadAsTheNearestExtendedValue)
{
    struct TCase
    {
        const char* word;
        long double value;
    };
    const TCase cases[] = {
        {"0.1234E+02", 12.34L},
        {"-0.5000E-03", -0.0005L},
        {"1234567.9", 1234567.9L},
        {"0.1", 0.1L},
        {"1E27", 1e27L},
        {"1E28", 1e28L},
        {"1E-27", 1e-27L},
        {"1E-28", 1e-28L},
        {"1234567890123456789", 1234567890123456789.0L},
        {"12345678901234567891", 12345678901234567891.0L},
        {"0.0000000000000000000000000123", 1.23e-26L},
        {"0001.500", 1.5L},
        {"1e0001", 10.0L},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.word);
        TWordReader reader = TWordReader::FromText(c.word);
        EXPECT_EQ(reader.ReadFloat(), c.value);
    }
    TWordReader zero = TWordReader::FromText("-0.000E+00 0.000E+00");
    EXPECT_TRUE(std::signbit(zero.ReadFloat()));
    EXPECT_FALSE(std::signbit(zero.ReadFloat()));
}

TEST(TWordReaderTest, ReadThatLandsOnAnEmptyLineNamesIt)
{
    // Line 3 is empty inside the data: it is reported, not skipped.
    TWordReader reader(Fixture("empty-line.txt"));
    EXPECT_EQ(reader.ReadInteger(), 3);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadFloat(), 0);
    EXPECT_EQ(reader.ReadFloat(), 1.5L);
    EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
              "Error on Line 3 Item 1\rAn item was expected but the line is empty.");

    TWordReader blanks = TWordReader::FromText("1\n \t \n2");
    blanks.ReadWord();
    EXPECT_EQ(MessageOf([&] { blanks.ReadWord(); }),
              "Error on Line 2 Item 1\rAn item was expected but the line is empty.");

    // A read moves on at most one line: standing at the start of an empty line (after
    // ReadLine), the read moves to the next line.
    TWordReader afterHeader = TWordReader::FromText("header\n\n5");
    afterHeader.ReadLine();
    EXPECT_EQ(afterHeader.ReadInteger(), 5);
}

TEST(TWordReaderTest, EndOfData)
{
    TWordReader truncated(Fixture("truncated.txt"));
    for (int i = 0; i < 6; ++i) {
        truncated.ReadFloat();
    }
    EXPECT_EQ(MessageOf([&] { truncated.ReadFloat(); }), kIncomplete);

    // An empty file holds one empty line.
    TWordReader empty(Fixture("empty.txt"));
    EXPECT_EQ(empty.LineCount(), 1);
    EXPECT_FALSE(empty.Eof());
    EXPECT_EQ(MessageOf([&] { empty.ReadWord(); }), kIncomplete);
    TWordReader empty2(Fixture("empty.txt"));
    EXPECT_EQ(empty2.ReadLine(), "");
    EXPECT_TRUE(empty2.Eof());

    // A last line without its line end counts; a final line end adds no line.
    EXPECT_EQ(TWordReader::FromText("a\nb").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("a\nb\n").LineCount(), 2);
    EXPECT_EQ(TWordReader::FromText("a\nb\n\n").LineCount(), 3);
}

TEST(TWordReaderTest, ControlCharactersAndNulBytes)
{
    TWordReader reader(Fixture("nul-bytes.txt"));
    EXPECT_EQ(reader.WordCount(), 2);
    // A NUL inside a word stays part of it; one at the start of a line is trimmed.
    EXPECT_EQ(MessageOf([&] { reader.ReadFloat(); }),
              "Error on Line 1 Item 1\rA floating point number was expected but not found.");
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 5);
    EXPECT_EQ(MessageOf([&] { reader.ReadWord(); }), kIncomplete);

    TWordReader lonelyCr = TWordReader::FromText("1\r2 3\r\n");
    EXPECT_EQ(lonelyCr.WordCount(), 2);
    EXPECT_EQ(lonelyCr.ReadWord(), std::string("1\r2"));
}

TEST(TWordReaderTest, BadNumbersFixture)
{
    TWordReader reader(Fixture("bad-numbers.txt"));
    std::vector<std::string> messages;
    for (int i = 0; i < 12; ++i) {
        const std::string message = MessageOf([&] { reader.ReadInteger(); });
        if (!message.empty()) {
            messages.push_back(message);
        }
    }
    const std::vector<std::string> expected = {
        "Error on Line 2 Item 2\rAn integer was expected but not found.",
        "Error on Line 3 Item 1\rAn integer was expected but not found.",
        "Error on Line 4 Item 1\rAn integer was expected but not found.",
        kIncomplete,
        kIncomplete,
    };
    EXPECT_EQ(messages, expected);
}

TEST(TWordReaderTest, FilesThatCannotBeRead)
{
    const std::string missing = Fixture("no-such-file.txt");
    EXPECT_EQ(MessageOf([&] { TWordReader reader(missing); }),
              "Cannot open file \"" + missing + "\": No such file or directory");

    const std::string folder = Fixture("");
    EXPECT_NE(MessageOf([&] { TWordReader reader(folder); }), "");

    const TTestFolder dir("wordreader");
    const std::string huge = dir.File("huge.txt");
    {
        std::ofstream out(huge, std::ios::binary);
    }
    std::filesystem::resize_file(huge, TWordReader::kMaxFileSize + 1);
    EXPECT_EQ(MessageOf([&] { TWordReader reader(huge); }),
              "Cannot read file \"" + huge + "\": it is larger than 64 MiB.");
}

TEST(TWordReaderTest, LongLinesAndManyLines)
{
    std::string longLine;
    for (int i = 0; i < 200000; ++i) {
        longLine += "1.5 ";
    }
    TWordReader reader = TWordReader::FromText(longLine + "\n" + std::string(100000, '\n') + "7");
    EXPECT_EQ(reader.WordCount(), 200000);
    long double sum = 0;
    for (int i = 0; i < 200000; ++i) {
        sum += reader.ReadFloat();
    }
    EXPECT_EQ(sum, 300000.0L);
    EXPECT_EQ(reader.LineCount(), 100002);
}

TEST(TWordReaderTest, UsesPointWhateverTheLocale)
{
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    bool set = false;
    std::locale oldCpp;
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
    TWordReader reader = TWordReader::FromText("2.5 3,5 1E3");
    const long double first = reader.ReadFloat();
    const std::string second = MessageOf([&] { reader.ReadFloat(); });
    const int third = reader.ReadInteger();
    // The reads leave the process locale as they found it.
    const std::string separatorAfter = std::localeconv()->decimal_point;
    std::locale::global(oldCpp);
    std::setlocale(LC_ALL, oldC.c_str());

    EXPECT_EQ(first, 2.5L);
    EXPECT_EQ(second,
              "Error on Line 1 Item 2\rA floating point number was expected but not found.");
    EXPECT_EQ(third, 1000);
    EXPECT_EQ(separatorAfter, ",");
}

} // namespace
