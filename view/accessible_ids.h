// How assistive technology names the parts of a grid, and the events that
// tell it what changed. The grid is a table whose children are the header
// row and the rows in view; each row's children are its cells. Child ids
// follow the view, so they stay small whatever the row count:
//
//   table:      1 the header row, 1 + v the v-th row in view (v = 1 is the
//               first visible row), and, for events, -(v * 1024 + c) the
//               cell of column c in that row, -c the heading of column c
//   header row: c the heading of column c (1 .. the data columns)
//   row:        c its cell of column c
//
// v is bounded by the rows a window shows, c by 500 columns: no id can
// overflow. Everything here reads the view as the last paint laid it out.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

enum class AccessiblePart { None, Table, HeaderRow, ColumnHeader, Row, Cell };

struct PartRef {
    AccessiblePart part;
    int row, col;
};
inline bool operator==(const PartRef& a, const PartRef& b) {
    return a.part == b.part && a.row == b.row && a.col == b.col;
}

constexpr LONG kHeaderRowId = 1;
constexpr int kViewRowStride = 1024;

// The data columns, 1 .. this.
inline int DataColumns(const GridState* s) { return s->colCount > 1 ? s->colCount - 1 : 0; }
// The last row a paint shows: a read-only grid hides the new-record row.
inline int LastShownRow(const GridState* s) { return s->readOnly ? s->rowCount - 1 : s->rowCount; }
// Rows in view as last painted, bounded by the rows that exist now.
int RowsInView(const GridState* s);
// Row `row`'s place in view (1 = first visible), 0 when it is out of view.
int ViewPlace(const GridState* s, int row);

// The part a child id of the table names, or None.
PartRef TablePart(const GridState* s, LONG id);
// The table's id for a part, 0 for the table itself and for a part out of view.
LONG TableId(const GridState* s, const PartRef& part);
// A part that still exists in the grid: a row or column that was cut away is gone.
bool PartExists(const GridState* s, const PartRef& part);

// NotifyWinEvent about the grid's client object; every event goes through here.
void AnnounceEvent(const Grid& grid, DWORD event, LONG child);
// EVENT_OBJECT_VALUECHANGE for a cell whose text the user changed.
void AnnounceCellValue(const Grid& grid, int row, int col);
// EVENT_OBJECT_FOCUS for the current cell, which becomes the one announced.
void AnnounceCurrentCell(const Grid& grid);
// After a paint's layout: the focus event when the current cell moved while
// the grid has the focus, the selection event when another row was selected.
void AnnounceViewChanges(const Grid& grid, bool focused);

}  // namespace tabrix
