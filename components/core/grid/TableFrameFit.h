#pragma once

#include <vector>

// The table editor window shows whole rows and columns: when the user drags its frame, the
// frame is snapped to the layout that fits the proposed frame best. These are the rules of
// that fitting, over the sizes the window measures (all in pixels, client area).

// What the window measures of itself for the fitting.
struct TTableFrameMetrics
{
    int Gap = 0;              // every margin
    int FrameWidth = 0;       // the grid's frame, on each side
    int FixedColumnWidth = 0; // the row-group numbers
    int HeaderHeight = 0;     // the heading rows together
    int RowHeight = 0;
    int ScrollBarWidth = 0;        // the vertical bar
    int ScrollBarHeight = 0;       // the horizontal bar
    std::vector<int> ColumnWidths; // the data columns, in grid order
    int RowCount = 0;              // data rows
    int LowerPartsHeight = 0;      // buttons, comments and help picture below the grid, with gaps
    int MinimumClientWidth = 0;
    // The part shown now: the first data column and row and how many.
    int FirstShownColumn = 0;
    int FirstShownRow = 0;
    int ShownColumns = 0;
    int ShownRows = 0;
};

// Which edges of the frame the user drags.
struct TDraggedEdges
{
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};

// One way of showing the table: the window's client size and the part of the grid it shows.
struct TTableLayout
{
    int Width = 0;
    int Height = 0;
    int FirstColumn = 0;
    int FirstRow = 0;
    int Columns = 0;
    int Rows = 0;
    friend bool operator==(const TTableLayout&, const TTableLayout&) = default;
};

// The grid's outer width showing `columns` data columns from `firstColumn` (those beyond the
// last column count nothing), with the vertical bar when asked; its outer height for `rows`
// data rows, with the horizontal bar when asked.
int TableGridWidth(const TTableFrameMetrics& m, int firstColumn, int columns, bool verticalBar);
int TableGridHeight(const TTableFrameMetrics& m, int rows, bool horizontalBar);

// The layout with or without each scroll bar that comes nearest the proposed client size.
// Without a horizontal bar every column shows; with one, a drag of the top or bottom edge keeps
// the shown columns, any other drag takes columns from the first shown one rightwards while
// they fit (at least one), then further ones to its left. Without a vertical bar every row
// shows; with one, a drag of the left or right edge keeps the shown rows, any other drag takes
// as many rows as fit (at least one), the first shown row moved up when they would run past
// the end.
TTableLayout FitLayout(const TTableFrameMetrics& m,
                       bool verticalBar,
                       bool horizontalBar,
                       TDraggedEdges edges,
                       int proposedWidth,
                       int proposedHeight);

// The part of a layout's area outside the proposed client size.
long long OverflowArea(const TTableLayout& layout, int proposedWidth, int proposedHeight);

// Of the four layouts (no bar, vertical bar, horizontal bar, both), the one with the least
// overflow; ties go to the earlier. Raises "There must be at least 2 columns in grid" when the
// grid, its fixed column included, has fewer than two.
TTableLayout BestFitLayout(const TTableFrameMetrics& m,
                           TDraggedEdges edges,
                           int proposedWidth,
                           int proposedHeight);
