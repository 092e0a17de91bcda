#include "grid/TableFrameFit.h"

#include <algorithm>

#include "support/Exception.h"
#include "support/Helpers.h"

namespace {

int ColumnWidth(const TTableFrameMetrics& m, int column)
{
    return m.ColumnWidths[static_cast<std::size_t>(column)];
}

int ColumnCount(const TTableFrameMetrics& m)
{
    return static_cast<int>(m.ColumnWidths.size());
}

} // namespace

int TableGridWidth(const TTableFrameMetrics& m, int firstColumn, int columns, bool verticalBar)
{
    int width = 2 * m.FrameWidth + m.FixedColumnWidth;
    for (int v = std::max(0, firstColumn); v < firstColumn + columns && v < ColumnCount(m); ++v) {
        width += ColumnWidth(m, v);
    }
    return width + (verticalBar ? m.ScrollBarWidth : 0);
}

int TableGridHeight(const TTableFrameMetrics& m, int rows, bool horizontalBar)
{
    return 2 * m.FrameWidth + m.HeaderHeight + rows * m.RowHeight
           + (horizontalBar ? m.ScrollBarHeight : 0);
}

TTableLayout FitLayout(const TTableFrameMetrics& m,
                       bool verticalBar,
                       bool horizontalBar,
                       TDraggedEdges edges,
                       int proposedWidth,
                       int proposedHeight)
{
    TTableLayout c;
    const int columns = ColumnCount(m);
    const int rows = m.RowCount;

    // Width: the margins and the grid without data columns, then the columns.
    const int baseWidth = 2 * m.Gap + TableGridWidth(m, 0, 0, verticalBar);
    const int emptyGrid = TableGridWidth(m, 0, 0, false);
    if (!horizontalBar) {
        c.FirstColumn = 0;
        c.Columns = columns;
        c.Width = std::max(baseWidth + TableGridWidth(m, 0, columns, false) - emptyGrid,
                           m.MinimumClientWidth);
    } else if (!edges.Left && !edges.Right) {
        c.FirstColumn = m.FirstShownColumn;
        c.Columns = m.ShownColumns;
        c.Width =
            std::max(baseWidth + TableGridWidth(m, c.FirstColumn, c.Columns, false) - emptyGrid,
                     m.MinimumClientWidth);
    } else {
        const int limit = std::max(proposedWidth, m.MinimumClientWidth);
        int first = std::min(m.FirstShownColumn, std::max(0, columns - 1));
        int width = baseWidth;
        int taken = 0;
        while (first + taken < columns
               && (taken == 0 || width + ColumnWidth(m, first + taken) <= limit)) {
            width += ColumnWidth(m, first + taken);
            ++taken;
        }
        while (first > 0 && width + ColumnWidth(m, first - 1) <= limit) {
            --first;
            width += ColumnWidth(m, first);
            ++taken;
        }
        c.FirstColumn = first;
        c.Columns = taken;
        c.Width = std::max(width, m.MinimumClientWidth);
    }

    // Height: the margins, the parts below the grid and the grid without data rows, then the
    // rows.
    const int baseHeight = 2 * m.Gap + m.LowerPartsHeight + TableGridHeight(m, 0, horizontalBar);
    if (!verticalBar) {
        c.FirstRow = 0;
        c.Rows = rows;
    } else if (!edges.Top && !edges.Bottom) {
        c.FirstRow = m.FirstShownRow;
        c.Rows = m.ShownRows;
    } else {
        int count = std::min(1, rows);
        while (count < rows && baseHeight + (count + 1) * m.RowHeight <= proposedHeight) {
            ++count;
        }
        c.Rows = count;
        c.FirstRow = std::min(m.FirstShownRow, std::max(0, rows - count));
    }
    c.Height = baseHeight + c.Rows * m.RowHeight;
    return c;
}

long long OverflowArea(const TTableLayout& layout, int proposedWidth, int proposedHeight)
{
    const long long w = layout.Width;
    const long long h = layout.Height;
    const long long pw = proposedWidth;
    const long long ph = proposedHeight;
    if (w > pw && h > ph) {
        return w * h - pw * ph;
    }
    if (w > pw) {
        return (w - pw) * h;
    }
    if (h > ph) {
        return (h - ph) * pw;
    }
    return 0;
}

TTableLayout BestFitLayout(const TTableFrameMetrics& m,
                           TDraggedEdges edges,
                           int proposedWidth,
                           int proposedHeight)
{
    RaiseUnless<Exception>(ColumnCount(m) + 1 >= 2, "There must be at least 2 columns in grid");
    // No scroll bar, vertical only, horizontal only, both.
    const bool bars[4][2] = {{false, false}, {true, false}, {false, true}, {true, true}};
    TTableLayout best;
    long long bestOverflow = -1;
    for (const auto& bar : bars) {
        const TTableLayout c = FitLayout(m, bar[0], bar[1], edges, proposedWidth, proposedHeight);
        const long long overflow = OverflowArea(c, proposedWidth, proposedHeight);
        if (bestOverflow < 0 || overflow < bestOverflow) {
            best = c;
            bestOverflow = overflow;
        }
    }
    return best;
}
