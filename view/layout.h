// Where a paint puts rows and columns: worked out once a paint, before any
// drawing, from the scroll positions, the widths and the client size. The
// layout step writes the paint results other layers read (the current
// cell's rectangle, what was shown, the grid's edges); drawing only reads.
#pragma once

#include "grid/columns.h"
#include "grid/grid_state.h"

namespace tabrix {

// What every row of a paint shares: the columns are the same in each.
struct CellLayout {
    int rows;           // rows shown from the first visible one
    int visitedCols;    // columns visited, the row header included
    bool passedFiller;  // every column up to the filler was reached
    int fillerLeft;     // the filler column's left edge, when reached
    int stopRight;      // right edge of the last column visited
};

// The columns a row shows, left to right: c = 0 is the row header, then
// column hScroll.nPos + c, until the client's right edge, the filler
// column, or a column narrower than a pixel, which hides the rest.
template <class Visit>
void VisitShownColumns(const GridState* s, int clientWidth, Visit visit) {
    int x = 0;
    for (int c = 0; x < clientWidth && c + s->hScroll.nPos <= s->colCount; ++c) {
        const int col = c == 0 ? 0 : c + s->hScroll.nPos;
        const int w = ColumnWidth(s, col);
        if (w < 1) break;
        visit(c, col, x, w);
        x += w;
    }
}

// A row height below 1 must not stall the row loop or divide.
inline int RowPitch(const GridState* s) { return s->rowHeight > 0 ? s->rowHeight : 1; }
// Top and bottom line of view row r (1 = first visible).
inline int RowTop(const GridState* s, int r) { return s->headerHeight + (r - 1) * RowPitch(s) - 1; }
inline int RowLine(const GridState* s, int r) { return s->headerHeight + r * RowPitch(s) - 1; }

// Sets lastRowToPaint, the shown flags, curCellRect, rowsPainted, gridRight
// and gridBottom for the client rectangle in clientRect.
CellLayout LayOutCells(GridState* state);

// Where cell (row, col) lies in the client area as the view stands now:
// its pixels inside the grid lines, clipped to the client area. False when
// it is out of view; `area` is then empty.
bool CellArea(const GridState* state, const RECT& client, int row, int col, RECT* area);

// The horizontal page becomes what the last row could show, unless every
// column from the first on fits.
void UpdateHorizontalPage(const Grid& grid, const CellLayout& layout);

}  // namespace tabrix
