#include "grid/TColumnTypes.h"

#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "entry/TExpression.h"
#include "grid/TGridTable.h"
#include "grid/TableBuilder.h"

namespace {

// Factors of the unit table, typed from it: system-1 units in one system-2 unit.
constexpr long double kLbsPerKN = 224.8089237L;
constexpr long double kKipsPerKN = 0.2248089237L;
constexpr long double kInPerM = 39.37007874L;
constexpr long double kInPerMm = 0.03937007874L;
constexpr long double kFtPerM = 3.280839895L;
constexpr long double kRelTol = 1e-15L; // both sides use the same ten-digit factors

void ExpectRelNear(long double actual, long double expected, const std::string& what)
{
    EXPECT_LE(std::fabs(actual - expected), kRelTol * std::fabs(expected))
        << what << ": " << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

// An editor window that only exists; integer entries are checked strictly while one is open.
class FakeEditor : public TGridTableEditor
{
public:
    void ShowModeless() override {}
    void ShowModal() override {}
    bool IsModal() const override { return false; }
    void TableGone() override {}
    void SetCaption(const std::string&) override {}
    void HelpPictureChanged() override {}
    void SelectGridCell(int, int) override {}
};

class WithEditorFactory : public ::testing::Test
{
protected:
    // The table, its registry making fake editors.
    static std::unique_ptr<TGridTable> Editable(std::unique_ptr<TGridTable> table)
    {
        table->Registry().SetEditorFactory(
            [](TGridTable&, bool) { return std::make_unique<FakeEditor>(); });
        return table;
    }
};

// One table with a column of every type that holds values.
std::unique_ptr<TGridTable> AllTypes()
{
    return TableBuilder("All")
        .Rows(2, 0)
        .Enum({"Type"}, {"a", "b", "c"})
        .Int({"Count"}, 7, 1, 40)
        .Float({"Stress"}, "F/L2^2", 2.5L)
        .Text({"Name"}, "none", 1.5L)
        .Build();
}

// A typed entry is held only when a project file can hold it: more than 1E15 in size, or a
// size other than 0 below that of the smallest 64-bit real, is refused and the cell kept.
TEST(TFloatColumn, EntryAProjectFileCannotHoldIsRefused)
{
    struct TCase
    {
        const char* typed;
        const char* message; // empty: held
    };
    const TCase cases[] = {
        {"1e16", "Entry must be a number of at most 1E15 in size."},
        {"-2^1024", "Entry must be a number of at most 1E15 in size."},
        {"1e400", "Entry must be a number of at most 1E15 in size."},
        {"1e-400", "Entry must be 0 or a number of at least 1E-307 in size."},
        {"1e15", ""},
        {"-1e-307", ""},
        {"0", ""},
    };
    const auto table = AllTypes();
    TColumn& stress = table->Columns(2);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        stress.SetFloat(0, 7);
        if (*c.message == '\0') {
            stress.SetText(0, c.typed);
            EXPECT_EQ(stress.GetFloat(0), EvaluateExpression(c.typed));
            continue;
        }
        try {
            stress.SetText(0, c.typed);
            ADD_FAILURE() << "held";
        } catch (const EAssignError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(stress.GetFloat(0), 7.0L);
    }
}

// A change of units is looked at before it is made: the first value that the other units
// would take beyond what a file holds is named by table, row and heading (1E14 kN/m^2 is
// 2.09E15 lb/ft^2 at 20.885 lb/ft^2 per kN/m^2), and nothing converts.
TEST(TFloatColumn, UnitsProblemNamesTheFirstValueBeyondAFilesLimit)
{
    const auto table = AllTypes();
    table->SetUnits(2);
    EXPECT_EQ(table->UnitsProblem(1), "");
    table->Columns(2).SetFloat(1, 1e14L);
    EXPECT_EQ(table->UnitsProblem(1), "All, row 2, Stress");
    EXPECT_EQ(table->UnitsProblem(2), "") << "the units in force";
    EXPECT_EQ(table->Columns(2).GetFloat(1), 1e14L);
    table->Columns(2).SetFloat(1, 4e13L); // 8.35E14 lb/ft^2
    EXPECT_EQ(table->UnitsProblem(1), "");
}

// Each pattern from English to SI divides by the ratio of its factors and back multiplies.
TEST(TFloatColumn, UnitConversionBothWaysPerPattern)
{
    struct Case
    {
        const char* pattern;
        long double englishPerSI; // worked out from the unit table
    };
    const Case cases[] = {
        {"F/L2^2", kLbsPerKN / (kFtPerM * kFtPerM)},
        {"F/L2^3", kLbsPerKN / (kFtPerM * kFtPerM * kFtPerM)},
        {"F1/L2^2", kKipsPerKN / (kFtPerM * kFtPerM)},
        {"L2", kFtPerM},
        {"L1", kInPerMm},
        {"L^2", kInPerM * kInPerM},
        {"L", kInPerM},
        {"F", kLbsPerKN},
        {"", 1.0L},
    };
    for (const Case& c : cases) {
        auto table = TableBuilder("T").Rows(1, 0).Float({"V"}, c.pattern).Build();
        TColumn& column = table->Columns(0);
        column.SetFloat(0, 100.0L);
        table->SetUnits(2);
        ExpectRelNear(column.GetFloat(0), 100.0L / c.englishPerSI, c.pattern);
        table->SetUnits(1);
        ExpectRelNear(column.GetFloat(0), 100.0L, c.pattern);
    }
}

TEST(TFloatColumn, PartFiguresForPoundsPerSquareFoot)
{
    auto table = TableBuilder("T").Rows(1, 0).Float({"Stress"}, "F/L2^2").Build();
    table->Columns(0).SetFloat(0, 1.0L);
    table->SetUnits(2);
    EXPECT_NEAR(static_cast<double>(table->Columns(0).GetFloat(0)), 0.04788026, 5e-9);
    table->Columns(0).SetFloat(0, 1.0L);
    table->SetUnits(1);
    EXPECT_NEAR(static_cast<double>(table->Columns(0).GetFloat(0)), 20.88543243, 5e-8);
}

// The other types hold no units: their values pass a change of system unchanged.
TEST(TColumnTypes, NonFloatColumnsKeepTheirValuesAcrossUnits)
{
    auto table = AllTypes();
    table->Columns(0).SetInteger(1, 3);
    table->Columns(1).SetInteger(1, 12);
    table->Columns(3).SetText(1, "pile A");
    table->SetUnits(2);
    EXPECT_EQ(table->Units(), 2);
    EXPECT_EQ(table->Columns(0).GetInteger(1), 3);
    EXPECT_EQ(table->Columns(1).GetInteger(1), 12);
    EXPECT_EQ(table->Columns(3).GetText(1), "pile A");
    table->SetUnits(1);
    EXPECT_EQ(table->Columns(1).GetInteger(1), 12);
}

TEST(TColumnTypes, NewRowsHoldTheDefaults)
{
    auto table = AllTypes();
    EXPECT_EQ(table->Columns(0).GetInteger(0), 1);
    EXPECT_EQ(table->Columns(1).GetInteger(0), 7);
    EXPECT_EQ(table->Columns(2).GetFloat(1), 2.5L);
    EXPECT_EQ(table->Columns(3).GetText(1), "none");
}

TEST(TColumnTypes, WrongKindOfValueRaisesInvalidCast)
{
    auto table = AllTypes();
    struct Case
    {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"GetFloat on integer",
         [&] {
             table->Columns(1).GetFloat(0);
         }},
        {"SetFloat on enumeration",
         [&] {
             table->Columns(0).SetFloat(0, 1);
         }},
        {"GetInteger on float",
         [&] {
             table->Columns(2).GetInteger(0);
         }},
        {"SetInteger on text",
         [&] {
             table->Columns(3).SetInteger(0, 1);
         }},
        {"GetTable on float",
         [&] {
             table->Columns(2).GetTable(0);
         }},
        {"GetObject on integer",
         [&] {
             table->Columns(1).GetObject(0);
         }},
        {"cell GetFloat on text",
         [&] {
             table->Cells(3, 1).GetFloat();
         }},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what;
        } catch (const EInvalidCast& e) {
            EXPECT_EQ(e.Message(), "Data of wrong type") << c.what;
        }
    }
}

TEST(TFloatColumn, TextIsGeneralFormatWithEightDigits)
{
    auto table = AllTypes();
    TColumn& column = table->Columns(2);
    struct Case
    {
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {1.23456789L, "1.2345679"},
        {100.0L, "100"},
        {-0.5L, "-0.5"},
        {123456789.0L, "1.2345679E8"},
    };
    for (const Case& c : cases) {
        column.SetFloat(0, c.value);
        EXPECT_EQ(column.GetText(0), c.text);
    }
    column.SetText(0, "2*3");
    EXPECT_EQ(column.GetFloat(0), 6.0L);
}

TEST(TFloatColumn, LastHeaderLineShowsTheUnitOfTheSystem)
{
    auto table =
        TableBuilder("T").Float({"Effective Unit ", "Weight,"}, "F/L2^3").Float({"Ko"}).Build();
    TColumn& weight = table->Columns(0);
    EXPECT_EQ(weight.GetHeaderLine(0), "Effective Unit ");
    EXPECT_EQ(weight.GetHeaderLine(1), "Weight, (lbs/ft^3)  ");
    table->SetUnits(2);
    EXPECT_EQ(weight.GetHeaderLine(1), "Weight, (kN/m^3)  ");
    table->SetUnits(3);
    EXPECT_EQ(weight.GetHeaderLine(1), "Weight, (F/L^3)  ");
    EXPECT_EQ(table->Columns(1).GetHeaderLine(0), "Ko");
}

TEST(TEnumColumn, StoresAnyWholeNumberAndRefusesOthers)
{
    auto table = AllTypes();
    TColumn& column = table->Columns(0);
    column.SetText(0, "4"); // no item 4: stored all the same
    EXPECT_EQ(column.GetInteger(0), 4);
    EXPECT_EQ(column.GetText(0), "4");
    column.SetText(0, "1+1");
    EXPECT_EQ(column.GetInteger(0), 2);
    for (const char* text : {"2.5", "2147483648", "-2147483649"}) {
        try {
            column.SetText(0, text);
            ADD_FAILURE() << text;
        } catch (const EAssignError& e) {
            EXPECT_EQ(e.Message(), "Value must be an integer.") << text;
        }
    }
    column.SetText(0, "-2147483648");
    EXPECT_EQ(column.GetInteger(0), INT32_MIN);
    EXPECT_THROW(column.SetText(0, "abc"), EAssignError);
}

TEST(TIntColumn, WithoutEditorValuesAreOnlyRounded)
{
    auto table = AllTypes();
    TColumn& column = table->Columns(1);
    struct Case
    {
        const char* text;
        std::int32_t stored;
    };
    const Case cases[] = {{"2.6", 3}, {"2.5", 2}, {"3.5", 4}, {"0", 0}, {"-2.5", -2}, {"99", 99}};
    for (const Case& c : cases) {
        column.SetText(0, c.text);
        EXPECT_EQ(column.GetInteger(0), c.stored) << c.text;
    }
}

TEST_F(WithEditorFactory, IntColumnWithEditorRefusesFractionsAndOutOfRange)
{
    auto table = Editable(AllTypes());
    table->Show();
    ASSERT_TRUE(table->HasEditor());
    TColumn& column = table->Columns(1);
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"0", "Entry must be between 1 and 40."},
        {"41", "Entry must be between 1 and 40."},
        {"2.5", "Entry must be an integer."},
        {"-2.5", "Entry must be an integer."},
    };
    column.SetInteger(0, 5);
    for (const Case& c : cases) {
        try {
            column.SetText(0, c.text);
            ADD_FAILURE() << c.text;
        } catch (const EAssignError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.text;
        }
        EXPECT_EQ(column.GetInteger(0), 5) << "a refused entry leaves the cell";
    }
    column.SetText(0, "40");
    EXPECT_EQ(column.GetInteger(0), 40);
    column.SetText(0, "1.00000000001"); // within 1e-10 of a whole number
    EXPECT_EQ(column.GetInteger(0), 1);
}

// Outside 32 bits there is no integer to round to: refused with the range message, editor
// or not.
TEST(TIntColumn, ValueOutsideThirtyTwoBitsRaisesRangeMessage)
{
    auto table = AllTypes();
    TColumn& column = table->Columns(1);
    for (const char* text : {"2147483648", "-2147483649", "1E30", "-1E30"}) {
        try {
            column.SetText(0, text);
            ADD_FAILURE() << text;
        } catch (const EAssignError& e) {
            EXPECT_EQ(e.Message(), "Entry must be between 1 and 40.") << text;
        }
        EXPECT_EQ(column.GetInteger(0), 7);
    }
    column.SetText(0, "2147483647");
    EXPECT_EQ(column.GetInteger(0), INT32_MAX);
}

TEST(TStringColumn, TextIsStoredAsWritten)
{
    auto table = AllTypes();
    table->Columns(3).SetText(0, "  2*3 ");
    EXPECT_EQ(table->Columns(3).GetText(0), "  2*3 ");
}

TEST(TColumnTypes, GroupValueWritesTheWholeRowGroup)
{
    auto table = TableBuilder("T")
                     .Rows(4, 0)
                     .RowGroup(2)
                     .Float({"V"})
                     .GroupValue()
                     .Int({"N"}, 0, 0, 100)
                     .GroupValue()
                     .Text({"S"})
                     .GroupValue()
                     .Float({"Single"})
                     .Build();
    table->Columns(0).SetFloat(3, 1.5L);
    table->Columns(1).SetText(2, "9");
    table->Columns(2).SetText(0, "x");
    table->Columns(3).SetFloat(2, 4.0L);
    EXPECT_EQ(table->Columns(0).GetFloat(2), 1.5L);
    EXPECT_EQ(table->Columns(0).GetFloat(1), 0.0L);
    EXPECT_EQ(table->Columns(1).GetInteger(3), 9);
    EXPECT_EQ(table->Columns(2).GetText(1), "x");
    EXPECT_EQ(table->Columns(2).GetText(2), "");
    EXPECT_EQ(table->Columns(3).GetFloat(3), 0.0L);
}

// A top-depth column and the next one hold the top and bottom of each row; the surfaces of
// neighbouring rows stay equal through writes, inserts and deletes.
TEST(TFloatColumn, TopDepthKeepsNeighbouringRowsJoined)
{
    auto table = TableBuilder("T").Rows(3, 0).Float({"Top"}).TopDepth().Float({"Bottom"}).Build();
    TColumn& top = table->Columns(0);
    TColumn& bottom = table->Columns(1);
    bottom.SetFloat(0, 10.0L);
    EXPECT_EQ(top.GetFloat(1), 10.0L);
    bottom.SetFloat(1, 20.0L);
    EXPECT_EQ(top.GetFloat(2), 20.0L);
    top.SetFloat(2, 25.0L);
    EXPECT_EQ(bottom.GetFloat(1), 25.0L);
    bottom.SetFloat(2, 30.0L);

    table->InsertRowGroup(1); // a row between 0 and the old row 1
    ASSERT_EQ(table->RowCount(), 4);
    EXPECT_EQ(top.GetFloat(1), 10.0L);
    EXPECT_EQ(bottom.GetFloat(1), 10.0L);
    EXPECT_EQ(top.GetFloat(2), 10.0L);

    bottom.SetFloat(1, 15.0L); // the new row gets thickness
    table->DeleteRowGroup(1);
    ASSERT_EQ(table->RowCount(), 3);
    EXPECT_EQ(bottom.GetFloat(0), 10.0L);
    EXPECT_EQ(top.GetFloat(1), 10.0L); // the bottom of row 0
    EXPECT_EQ(bottom.GetFloat(1), 25.0L);
}

TEST(TFloatColumn, TopDepthNeedsAFloatColumnAfterIt)
{
    const char* message = "If column if a topdepth then the next column must be a float column";
    try {
        TableBuilder("T").Float({"Top"}).TopDepth().Text({"S"}).Build();
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), message);
    }
    auto table = TableBuilder("T").Rows(2, 0).Float({"Top"}).Text({"S"}).Build();
    static_cast<TFloatColumn&>(table->Columns(0)).SetTopDepth(true);
    try {
        table->AddRowGroup();
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), message);
    }
    // The refused rows are nowhere: the table stays rectangular.
    EXPECT_EQ(table->RowCount(), 2);
    EXPECT_EQ(table->Columns(0).RowCount(), 2);
    EXPECT_EQ(table->Columns(1).RowCount(), 2);
}

TEST(TFloatColumn, UnitPatternThatCannotConvertIsRefused)
{
    TFloatColumn column(nullptr);
    EXPECT_THROW(column.SetUnitPattern("F^x"), Exception);
    EXPECT_EQ(column.UnitPattern(), "");
}

class FakeMetrics : public TGridTextMetrics
{
public:
    int TextWidth(const std::string& text) const override
    {
        return 10 * static_cast<int>(text.size());
    }
    int PixelsPerInch() const override { return 96; }
};

TEST(TColumnTypes, HeaderWidthIsAtLeastTheTypeMinimum)
{
    auto table = TableBuilder("T")
                     .Enum({"E"}, {"a"})
                     .Int({"I"}, 0, 0, 1)
                     .Float({"Long heading here"})
                     .Text({"S"}, "", 2.0L)
                     .SubTables({"T"}, {-1})
                     .Build();
    const FakeMetrics metrics;
    EXPECT_EQ(table->Columns(0).HeaderWidth(metrics), 144); // 1.5 inch
    EXPECT_EQ(table->Columns(1).HeaderWidth(metrics), 48);  // 0.5 inch
    EXPECT_EQ(table->Columns(2).HeaderWidth(metrics), 190); // 17 characters + 2 blanks
    EXPECT_EQ(table->Columns(3).HeaderWidth(metrics), 192); // 2 inches
    EXPECT_EQ(table->Columns(4).HeaderWidth(metrics), 192); // 2 inches
}

} // namespace
