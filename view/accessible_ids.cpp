#include "view/accessible_ids.h"

#include <climits>

namespace tabrix {

int RowsInView(const GridState* s) {
    if (!HasCells(s)) return 0;
    const int rows = LastShownRow(s) - s->vScroll.nPos + 1;
    return rows < s->rowsPainted ? (rows > 0 ? rows : 0) : s->rowsPainted;
}

int ViewPlace(const GridState* s, int row) {
    const int v = row - s->vScroll.nPos + 1;
    return row >= 1 && v >= 1 && v <= RowsInView(s) ? v : 0;
}

PartRef TablePart(const GridState* s, LONG id) {
    const PartRef none{AccessiblePart::None, 0, 0};
    if (id == CHILDID_SELF) return PartRef{AccessiblePart::Table, 0, 0};
    if (id == kHeaderRowId) return PartRef{AccessiblePart::HeaderRow, 0, 0};
    if (id > kHeaderRowId) {
        const int v = static_cast<int>(id - kHeaderRowId);
        return v <= RowsInView(s) ? PartRef{AccessiblePart::Row, s->vScroll.nPos + v - 1, 0} : none;
    }
    if (id == LONG_MIN) return none;
    const LONG n = -id;
    const int v = static_cast<int>(n / kViewRowStride), col = static_cast<int>(n % kViewRowStride);
    if (col < 1 || col > DataColumns(s)) return none;
    if (v == 0) return PartRef{AccessiblePart::ColumnHeader, 0, col};
    return v <= RowsInView(s) ? PartRef{AccessiblePart::Cell, s->vScroll.nPos + v - 1, col} : none;
}

LONG TableId(const GridState* s, const PartRef& p) {
    const LONG v = p.part == AccessiblePart::Row || p.part == AccessiblePart::Cell ? ViewPlace(s, p.row) : 0;
    switch (p.part) {
        case AccessiblePart::HeaderRow:
            return kHeaderRowId;
        case AccessiblePart::ColumnHeader:
            return -static_cast<LONG>(p.col);
        case AccessiblePart::Row:
            return v ? kHeaderRowId + v : 0;
        case AccessiblePart::Cell:
            // No window shows rows enough to reach the bound; checked all the same.
            return v && v < LONG_MAX / kViewRowStride - 1 ? -(v * kViewRowStride + p.col) : 0;
        default:
            return 0;
    }
}

bool PartExists(const GridState* s, const PartRef& p) {
    const bool row = p.row >= 1 && p.row <= LastShownRow(s);
    const bool col = p.col >= 1 && p.col <= DataColumns(s);
    switch (p.part) {
        case AccessiblePart::Table:
        case AccessiblePart::HeaderRow:
            return true;
        case AccessiblePart::ColumnHeader:
            return col;
        case AccessiblePart::Row:
            return row;
        case AccessiblePart::Cell:
            return row && col;
        default:
            return false;
    }
}

// Each event is a trip to the window server: callers send one per change
// the user can see, never one per row or cell of a bulk change.
void AnnounceEvent(const Grid& grid, DWORD event, LONG child) {
    NotifyWinEvent(event, grid.hwnd, OBJID_CLIENT, child);
}

void AnnounceCellValue(const Grid& grid, int row, int col) {
    const LONG id = TableId(grid.state, PartRef{AccessiblePart::Cell, row, col});
    if (id) AnnounceEvent(grid, EVENT_OBJECT_VALUECHANGE, id);
}

void AnnounceCurrentCell(const Grid& grid) {
    GridState* s = grid.state;
    s->announcedRow = s->curRow;
    s->announcedCol = s->curCol;
    const LONG id = HasCells(s) ? TableId(s, PartRef{AccessiblePart::Cell, s->curRow, s->curCol}) : 0;
    if (id) AnnounceEvent(grid, EVENT_OBJECT_FOCUS, id);
}

void AnnounceViewChanges(const Grid& grid, bool focused) {
    GridState* s = grid.state;
    if (s->curRow != s->announcedRow || s->curCol != s->announcedCol) {
        // The open editor is a control of its own and speaks for itself.
        if (focused && !s->editing) {
            AnnounceCurrentCell(grid);
        } else {
            s->announcedRow = s->curRow;
            s->announcedCol = s->curCol;
        }
    }
    if (s->selectedRow != s->announcedSelection) {
        s->announcedSelection = s->selectedRow;
        const LONG id = s->selectedRow > 0 ? TableId(s, PartRef{AccessiblePart::Row, s->selectedRow, 0}) : 0;
        if (id) AnnounceEvent(grid, EVENT_OBJECT_SELECTION, id);
    }
}

}  // namespace tabrix
