#include "grid/GridValueStream.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(GridValueWriter, IntegersTakeTheSmallestSignedType)
{
    struct Case
    {
        std::int32_t value;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x02, 0x00}},
        {-1, {0x02, 0xFF}},
        {127, {0x02, 0x7F}},
        {-128, {0x02, 0x80}},
        {128, {0x03, 0x80, 0x00}},
        {-129, {0x03, 0x7F, 0xFF}},
        {32767, {0x03, 0xFF, 0x7F}},
        {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
        {INT32_MIN, {0x04, 0x00, 0x00, 0x00, 0x80}},
    };
    for (const Case& c : cases) {
        TGridValueWriter writer;
        writer.WriteInteger(c.value);
        EXPECT_EQ(writer.Bytes(), c.bytes) << c.value;
        TGridValueReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadInteger(), c.value);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(GridValueWriter, ExtendedIsTheEightyBitLayout)
{
    struct Case
    {
        long double value;
        Bytes raw; // 64-bit mantissa with explicit integer bit, then sign and exponent
    };
    const Case cases[] = {
        {1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
        {0.5L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}},
        {3.0L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}},
        {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        TGridValueWriter writer;
        writer.WriteFloat(c.value);
        Bytes expected = {0x05};
        expected.insert(expected.end(), c.raw.begin(), c.raw.end());
        EXPECT_EQ(writer.Bytes(), expected) << static_cast<double>(c.value);
        TGridValueReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadFloat(), c.value);
    }
}

TEST(GridValueWriter, ExtendedRoundTripsExactly)
{
    for (long double v : {0.1L, 1.0L / 3.0L, -224.8089237L, 1e-4000L, 1e4000L, 6.02e23L}) {
        std::uint8_t raw[10];
        EncodeExtended(v, raw);
        EXPECT_EQ(DecodeExtended(raw), v);
    }
}

TEST(GridValueWriter, StringsBooleansAndLists)
{
    TGridValueWriter writer;
    writer.WriteListBegin();
    writer.WriteString("ab");
    writer.WriteListEnd();
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteString(std::string(256, 'x'));
    const Bytes& b = writer.Bytes();
    const Bytes head = {0x01, 0x06, 0x02, 'a', 'b', 0x00, 0x09, 0x08, 0x0C, 0x00, 0x01, 0x00, 0x00};
    ASSERT_EQ(b.size(), head.size() + 256);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin()));

    TGridValueReader reader(b);
    reader.ReadListBegin();
    EXPECT_EQ(reader.ReadString(), "ab");
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadString(), std::string(256, 'x'));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(GridValueReader, AcceptsTheOtherStringEncodings)
{
    const Bytes utf8 = {0x14, 0x02, 0x00, 0x00, 0x00, 'o', 'k'};
    EXPECT_EQ(TGridValueReader(utf8).ReadString(), "ok");
    // "é" as one UTF-16 unit becomes two UTF-8 bytes.
    const Bytes wide = {0x12, 0x02, 0x00, 0x00, 0x00, 'a', 0x00, 0xE9, 0x00};
    EXPECT_EQ(TGridValueReader(wide).ReadString(), "a\xC3\xA9");
}

// Every damaged stream raises EReadError and names the byte; none reads past its end
// (the sanitizer build checks the latter).
TEST(GridValueReader, DamagedStreamsRaise)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        int read; // 0 integer, 1 string, 2 real, 3 Boolean, 4 list begin, 5 list end
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"int16 cut short", {0x03, 0x01}, 0},
        {"int32 cut short", {0x04, 0x01, 0x02, 0x03}, 0},
        {"string where an integer is due", {0x06, 0x00}, 0},
        {"string longer than the data", {0x06, 0x05, 'a', 'b'}, 1},
        {"long string longer than the data", {0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, 1},
        {"wide string longer than the data", {0x12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, 1},
        {"integer where a string is due", {0x02, 0x01}, 1},
        {"extended cut short", {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF}, 2},
        {"extended infinity", {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}, 2},
        {"extended NaN", {0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}, 2},
        {"string where a real is due", {0x06, 0x00}, 2},
        {"integer where a Boolean is due", {0x02, 0x01}, 3},
        {"no list begin", {0x00}, 4},
        {"no list end", {0x06, 0x00}, 5},
        {"list end missing at the end", {}, 5},
    };
    for (const Case& c : cases) {
        TGridValueReader reader(c.bytes);
        try {
            switch (c.read) {
            case 0:
                reader.ReadInteger();
                break;
            case 1:
                reader.ReadString();
                break;
            case 2:
                reader.ReadFloat();
                break;
            case 3:
                reader.ReadBoolean();
                break;
            case 4:
                reader.ReadListBegin();
                break;
            default:
                reader.ReadListEnd();
                break;
            }
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("Stream read error at byte"), std::string::npos) << c.what;
        }
    }
}

} // namespace
