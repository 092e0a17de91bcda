#include "grid/TableFrameFit.h"

#include <gtest/gtest.h>

#include "support/Exception.h"

namespace {

// A table of three columns (100, 80 and 60 pixels) and 25 rows of 20 pixels under a heading
// of 20, in a grid with a frame of 1 and a fixed column of 30, 5 pixels from every edge, with
// 40 pixels of buttons and comments below; scroll bars 15 thick. Without bars the grid is
// 2 + 30 + 240 = 272 wide and 2 + 20 + 20 r high, so the window 282 wide and 72 + 20 r high.
TTableFrameMetrics Metrics()
{
    TTableFrameMetrics m;
    m.Gap = 5;
    m.FrameWidth = 1;
    m.FixedColumnWidth = 30;
    m.HeaderHeight = 20;
    m.RowHeight = 20;
    m.ScrollBarWidth = 15;
    m.ScrollBarHeight = 15;
    m.ColumnWidths = {100, 80, 60};
    m.RowCount = 25;
    m.LowerPartsHeight = 40;
    m.MinimumClientWidth = 120;
    m.ShownColumns = 3;
    m.ShownRows = 10;
    return m;
}

constexpr TDraggedEdges kLeft{true, false, false, false};
constexpr TDraggedEdges kRight{false, false, true, false};
constexpr TDraggedEdges kBottom{false, false, false, true};
constexpr TDraggedEdges kTop{false, true, false, false};

TEST(TableFrameFit, GridSizes)
{
    const TTableFrameMetrics m = Metrics();
    struct TCase
    {
        int first, columns;
        bool bar;
        int width;
    };
    const TCase widths[] = {
        {0, 3, false, 272}, // every column
        {0, 0, false, 32},  // frame and fixed column only
        {1, 2, true, 187},  // 32 + 80 + 60 + the vertical bar
        {2, 5, false, 92},  // columns past the last count nothing
    };
    for (const TCase& c : widths) {
        EXPECT_EQ(TableGridWidth(m, c.first, c.columns, c.bar), c.width) << c.first << c.columns;
    }
    EXPECT_EQ(TableGridHeight(m, 10, false), 222);
    EXPECT_EQ(TableGridHeight(m, 10, true), 237);
    EXPECT_EQ(TableGridHeight(m, 0, false), 22);
}

TEST(TableFrameFit, EachCandidateShowsWholeRowsAndColumns)
{
    struct TCase
    {
        const char* name;
        int firstShownColumn;
        bool vertical, horizontal;
        TDraggedEdges edges;
        int proposedWidth, proposedHeight;
        TTableLayout expected;
    };
    const TCase cases[] = {
        // Without bars everything shows, whatever the frame.
        {"no bars", 0, false, false, kBottom, 100, 100, {282, 572, 0, 0, 3, 25}},
        // The bottom edge: as many rows as fit 300 (72 + 11 x 20 = 292; a twelfth is 312).
        {"rows fitted", 0, true, false, kBottom, 300, 300, {297, 292, 0, 0, 3, 11}},
        {"rows fitted from the top", 0, true, false, kTop, 300, 300, {297, 292, 0, 0, 3, 11}},
        // A side edge keeps the rows shown.
        {"rows kept", 0, true, false, kLeft, 300, 300, {297, 272, 0, 0, 3, 10}},
        // The right edge: columns from the first shown while they fit 230 (42 + 100 + 80).
        {"columns fitted", 0, false, true, kRight, 230, 600, {222, 587, 0, 0, 2, 25}},
        // From the third column rightwards only it fits; the second joins from the left.
        {"columns fitted leftwards", 2, false, true, kRight, 230, 600, {182, 587, 1, 0, 2, 25}},
        // At least the one column, and at least the minimum width.
        {"one column at least", 0, false, true, kRight, 50, 600, {142, 587, 0, 0, 1, 25}},
        // The bottom edge keeps the columns shown.
        {"columns kept", 0, false, true, kBottom, 100, 600, {282, 587, 0, 0, 3, 25}},
        // Both bars: 10 rows fit under the horizontal bar (87 + 10 x 20 = 287).
        {"both bars", 0, true, true, kBottom, 282, 300, {297, 287, 0, 0, 3, 10}},
    };
    for (const TCase& c : cases) {
        TTableFrameMetrics m = Metrics();
        m.FirstShownColumn = c.firstShownColumn;
        EXPECT_EQ(
            FitLayout(m, c.vertical, c.horizontal, c.edges, c.proposedWidth, c.proposedHeight),
            c.expected)
            << c.name;
    }
}

TEST(TableFrameFit, FirstShownRowMovesUpWhenTheRowsWouldRunPastTheEnd)
{
    TTableFrameMetrics m = Metrics();
    m.FirstShownRow = 20;
    // 11 rows from row 20 would end past row 24: they start at row 14.
    EXPECT_EQ(FitLayout(m, true, false, kBottom, 300, 300).FirstRow, 14);
    // 3 rows from row 20 fit.
    EXPECT_EQ(FitLayout(m, true, false, kBottom, 300, 140).FirstRow, 20);
}

TEST(TableFrameFit, OverflowIsTheAreaOutsideTheProposedFrame)
{
    struct TCase
    {
        int width, height;
        long long expected;
    };
    // Against a proposed 250 x 150.
    const TCase cases[] = {
        {300, 200, 300 * 200 - 250 * 150}, // both larger
        {300, 100, 50 * 100},              // wider only: the excess width times the height
        {200, 200, 50 * 250}, // higher only: the excess height times the proposed width
        {200, 100, 0},        // inside
        {250, 150, 0},        // exactly
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(OverflowArea(TTableLayout{c.width, c.height, 0, 0, 0, 0}, 250, 150), c.expected)
            << c.width << " x " << c.height;
    }
}

TEST(TableFrameFit, TheLeastOverflowWinsAndTiesGoToTheEarlier)
{
    struct TCase
    {
        const char* name;
        TDraggedEdges edges;
        int proposedWidth, proposedHeight;
        TTableLayout expected;
    };
    const TCase cases[] = {
        // Room for everything: every candidate without bars overflows by 0; the first wins.
        {"room", kBottom, 400, 700, {282, 572, 0, 0, 3, 25}},
        // 282 x 300: no bar 272 x 282 too high (76704), vertical 15 x 292 too wide (4380),
        // horizontal too high (80934), both 15 x 287 too wide (4305): both bars win.
        {"both bars", kBottom, 282, 300, {297, 287, 0, 0, 3, 10}},
        // 300 x 300: the vertical bar alone fits (297 x 292 inside), before both bars.
        {"vertical bar", kBottom, 300, 300, {297, 292, 0, 0, 3, 11}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(BestFitLayout(Metrics(), c.edges, c.proposedWidth, c.proposedHeight), c.expected)
            << c.name;
    }
}

TEST(TableFrameFit, AGridWithoutDataColumnsCannotBeFitted)
{
    TTableFrameMetrics m = Metrics();
    m.ColumnWidths.clear();
    try {
        BestFitLayout(m, kBottom, 300, 300);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "There must be at least 2 columns in grid");
    }
}

} // namespace
