#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid/TColumnTypes.h"
#include "grid/TGridTable.h"
#include "grid/TableBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& b, std::initializer_list<int> values)
{
    for (int v : values) {
        b.push_back(static_cast<std::uint8_t>(v));
    }
}

// vaString: 06, the length byte, the characters.
void AppendString(Bytes& b, const std::string& s)
{
    b.push_back(0x06);
    b.push_back(static_cast<std::uint8_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

// A table of every column type, with settings that the stream must carry.
std::unique_ptr<TGridTable> EveryType()
{
    return TableBuilder("Every type")
        .Rows(1, 0)
        .Enum({"Soil", "Type"}, {"sand", "clay", "silt"})
        .Int({"Blows"}, 5, -200, 70000)
        .Float({"Top"}, "L2", 0.25L)
        .TopDepth()
        .Float({"Bottom"}, "L2")
        .Hidden()
        .SubTables({"Layer Data"}, {-1, 300000, -1})
        .Text({"Name"}, "pile", 1.75L)
        .GroupValue()
        .Build();
}

TEST(GridColumnStream, DefinitionsRoundTripByteForByte)
{
    auto source = EveryType();
    const Bytes written = source->ColumnData();

    TGridTable copy;
    copy.SetColumnData(written);
    ASSERT_EQ(copy.ColumnCount(), 6);
    EXPECT_EQ(copy.ColumnData(), written);

    const auto& e = dynamic_cast<const TEnumColumn&>(copy.Columns(0));
    EXPECT_EQ(e.Items(), (std::vector<std::string>{"sand", "clay", "silt"}));
    EXPECT_EQ(e.Header(), (std::vector<std::string>{"Soil", "Type"}));
    const auto& i = dynamic_cast<const TIntColumn&>(copy.Columns(1));
    EXPECT_EQ(i.Default(), 5);
    EXPECT_EQ(i.Minimum(), -200);
    EXPECT_EQ(i.Maximum(), 70000);
    const auto& top = dynamic_cast<const TFloatColumn&>(copy.Columns(2));
    EXPECT_TRUE(top.TopDepth());
    EXPECT_EQ(top.UnitPattern(), "L2");
    EXPECT_EQ(top.Default(), 0.25L);
    EXPECT_FALSE(copy.Columns(3).Visible());
    const auto& t = dynamic_cast<const TTableColumn&>(copy.Columns(4));
    ASSERT_EQ(t.Templates().Count(), 3);
    EXPECT_EQ(t.TemplateIdentifier(1), 300000);
    const auto& s = dynamic_cast<const TStringColumn&>(copy.Columns(5));
    EXPECT_EQ(s.Default(), "pile");
    EXPECT_EQ(s.WidthInches(), 1.75L);
    EXPECT_TRUE(s.GroupValue());
}

// The stream of a two-column table written out by hand in the newer layout.
TEST(GridColumnStream, NewerLayoutBytes)
{
    auto table = TableBuilder("T").Float({"Depth"}, "L2", 1.0L).SubTables({"Data"}, {7}).Build();
    Bytes expected;
    Append(expected, {0x02, 0x02}); // two columns
    Append(expected, {0x02, 0x02}); // id 2: floating point
    Append(expected, {0x01});       // header list
    AppendString(expected, "Depth");
    Append(expected, {0x00, 0x09, 0x08}); // end, Visible, !GroupValue
    Append(expected, {0x08});             // TopDepth false
    AppendString(expected, "FLOATCOLUMN2");
    AppendString(expected, "L2");
    Append(expected, {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}); // default 1.0
    Append(expected, {0x02, 0x03});                                  // id 3: table
    Append(expected, {0x01});
    AppendString(expected, "Data");
    Append(expected, {0x00, 0x09, 0x08});
    AppendString(expected, "FLEXCOLUMN2");
    Append(expected, {0x01, 0x02, 0x07, 0x00}); // list of template identifiers: 7
    EXPECT_EQ(table->ColumnData(), expected);
}

// The older layout: a floating-point column without marker and default, a table column with
// any string and one table position. Read with an enumeration first column, the table column
// gets identifiers 1, 2, ... per item; written back, both take the newer layout.
Bytes OlderLayoutStream()
{
    Bytes b;
    Append(b, {0x02, 0x03}); // three columns
    // Column 0: enumeration (id 0), header "Soil Type", visible, no group value, two items.
    Append(b, {0x02, 0x00, 0x01});
    AppendString(b, "Soil Type");
    Append(b, {0x00, 0x09, 0x08, 0x01});
    AppendString(b, "sand");
    AppendString(b, "clay");
    Append(b, {0x00});
    // Column 1: floating point (id 2), header "Depth", TopDepth false, then only the pattern.
    Append(b, {0x02, 0x02, 0x01});
    AppendString(b, "Depth");
    Append(b, {0x00, 0x09, 0x08, 0x08});
    AppendString(b, "L2");
    // Column 2: table (id 3), header "Data", an empty string in place of the marker, then the
    // table position 5 as an 8-bit integer.
    Append(b, {0x02, 0x03, 0x01});
    AppendString(b, "Data");
    Append(b, {0x00, 0x09, 0x08});
    AppendString(b, "");
    Append(b, {0x02, 0x05});
    return b;
}

TEST(GridColumnStream, OlderLayoutIsReadAndWrittenInTheNewerOne)
{
    TGridTable table;
    const Bytes stream = OlderLayoutStream();
    TGridValueReader reader(stream);
    table.ReadColumns(reader);
    EXPECT_TRUE(reader.AtEnd());
    ASSERT_EQ(table.ColumnCount(), 3);
    const auto& depth = dynamic_cast<const TFloatColumn&>(table.Columns(1));
    EXPECT_EQ(depth.UnitPattern(), "L2");
    EXPECT_EQ(depth.Default(), 0.0L);
    EXPECT_TRUE(depth.ReadOldLayout());
    const auto& data = dynamic_cast<const TTableColumn&>(table.Columns(2));
    ASSERT_EQ(data.Templates().Count(), 2);
    EXPECT_TRUE(data.Templates().Entry(0).isIdentifier);
    EXPECT_EQ(data.Templates().Entry(0).value, 1);
    EXPECT_EQ(data.Templates().Entry(1).value, 2);

    Bytes expected;
    Append(expected, {0x02, 0x03, 0x02, 0x00, 0x01});
    AppendString(expected, "Soil Type");
    Append(expected, {0x00, 0x09, 0x08, 0x01});
    AppendString(expected, "sand");
    AppendString(expected, "clay");
    Append(expected, {0x00, 0x02, 0x02, 0x01});
    AppendString(expected, "Depth");
    Append(expected, {0x00, 0x09, 0x08, 0x08});
    AppendString(expected, "FLOATCOLUMN2");
    AppendString(expected, "L2");
    Append(expected, {0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // default 0
    Append(expected, {0x02, 0x03, 0x01});
    AppendString(expected, "Data");
    Append(expected, {0x00, 0x09, 0x08});
    AppendString(expected, "FLEXCOLUMN2");
    Append(expected, {0x01, 0x02, 0x01, 0x02, 0x02, 0x00});
    EXPECT_EQ(table.ColumnData(), expected);
}

// With HardwiredButton every item gets the one table position; without an enumeration
// column first there is one entry.
TEST(GridColumnStream, OlderTableColumnPositions)
{
    TGridTable hardwired;
    hardwired.SetHardwiredButton(true);
    hardwired.SetColumnData(OlderLayoutStream());
    const auto& data = dynamic_cast<const TTableColumn&>(hardwired.Columns(2));
    ASSERT_EQ(data.Templates().Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(data.Templates().Entry(i).isIdentifier);
        EXPECT_EQ(data.Templates().Entry(i).value, 5);
        // Written as the Identifier of the table at that position.
        const TGridTable* at5 = hardwired.Registry().GridTableByIndex(5);
        EXPECT_EQ(data.TemplateIdentifier(i), at5 ? at5->Identifier() : -1);
    }

    Bytes single;
    Append(single, {0x02, 0x01, 0x02, 0x03, 0x01, 0x00, 0x09, 0x08});
    AppendString(single, "old");
    Append(single, {0x03, 0x10, 0x27}); // position 10000 as a 16-bit integer
    TGridTable table;
    table.SetColumnData(single);
    const auto& only = dynamic_cast<const TTableColumn&>(table.Columns(0));
    ASSERT_EQ(only.Templates().Count(), 1);
    EXPECT_FALSE(only.Templates().Entry(0).isIdentifier);
    EXPECT_EQ(only.Templates().Entry(0).value, 10000);
    EXPECT_EQ(only.TemplateTable(0), nullptr);
}

TEST(GridColumnStream, DamagedStreamsRaiseClearMessages)
{
    const Bytes good = EveryType()->ColumnData();
    struct Case
    {
        const char* what;
        Bytes bytes;
        std::string message; // the start of the message
        int columnsLeft;
    };
    Bytes unknownId;
    Append(unknownId, {0x02, 0x01, 0x02, 0x07});
    Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() - 3));
    Bytes badPattern;
    Append(badPattern, {0x02, 0x01, 0x02, 0x02, 0x01, 0x00, 0x09, 0x08, 0x08});
    AppendString(badPattern, "F^x");
    Bytes manyColumns = {0x04, 0xFF, 0xFF, 0xFF, 0x7F};
    Bytes negative = {0x02, 0xFF};
    const Case cases[] = {
        {"empty", {}, "Error reading column count", 0},
        {"count of another type", {0x06, 0x00}, "Error reading column count", 0},
        {"negative count", negative, "Error reading column count", 0},
        {"count beyond the data", manyColumns, "Error reading column count", 0},
        {"unknown id",
         unknownId,
         "Error occured when creating column 0: Error Column Class not defined",
         0},
        {"cut short in the last column",
         cut,
         "Error occured when creating column 5: Stream read error at byte",
         5},
        {"pattern without exponent digit", badPattern, "Error occured when creating column 0: ", 0},
    };
    for (const Case& c : cases) {
        TGridTable table;
        try {
            table.SetColumnData(c.bytes);
            ADD_FAILURE() << c.what;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().substr(0, c.message.size()), c.message)
                << c.what << ": " << e.Message();
        }
        EXPECT_EQ(table.ColumnCount(), c.columnsLeft) << c.what;
        for (int i = 0; i < table.ColumnCount(); ++i) {
            EXPECT_EQ(table.Columns(i).RowCount(), table.RowCount()) << c.what;
        }
    }
}

// Every prefix of a good stream fails cleanly (the sanitizer build checks for reads past
// the end).
TEST(GridColumnStream, EveryTruncationFailsCleanly)
{
    const Bytes good = EveryType()->ColumnData();
    for (std::size_t n = 0; n < good.size(); ++n) {
        TGridTable table;
        EXPECT_THROW(table.SetColumnData(Bytes(good.begin(), good.begin() + n)), Exception) << n;
    }
}

// A template that names the table it belongs to would make sub-tables without end.
TEST(GridColumnStream, TemplateNamingItsOwnTableIsRefused)
{
    TGridTable table;
    table.SetIdentifier(424242);
    Bytes b;
    Append(b, {0x02, 0x01, 0x02, 0x03, 0x01, 0x00, 0x09, 0x08});
    AppendString(b, "FLEXCOLUMN2");
    Append(b, {0x01, 0x04, 0x32, 0x79, 0x06, 0x00, 0x00}); // identifier 424242
    try {
        table.SetColumnData(b);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("nested too deeply"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(table.ColumnCount(), 0);
}

} // namespace
