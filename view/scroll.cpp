#include "view/scroll.h"

#include <cstdint>

#include "edit/editors.h"
#include "edit/notify.h"
#include "edit/row_state.h"
#include "edit/undo.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "view/paint.h"
#include "view/surface.h"

namespace tabrix {
namespace {

struct SavedView {
    bool saved = false;
    int firstRow = 0, firstCol = 0, curRow = 0, curCol = 0;
} savedView;

// Sums that involve a page size are compared as the 32-bit unsigned values
// the scroll bar works with: a negative sum counts as very large.
bool AboveUnsigned(int64_t a, int64_t b) { return static_cast<uint32_t>(a) > static_cast<uint32_t>(b); }

int Page(const SCROLLINFO& bar) { return static_cast<int>(bar.nPage); }

int ClientWidth(const Grid& grid) {
    RECT client;
    GetClientRect(grid.hwnd, &client);
    return client.right;
}

// The left edge, from `start`, of the current column with the view at hPos.
int CurrentColumnLeft(const GridState* s, int start) {
    int x = start;
    for (int i = s->hScroll.nPos; i < s->curCol; ++i) x += ColumnWidth(s, i);
    return x;
}

// Scrolls right just enough for the current column to end within `limit`.
void FitColumns(GridState* s, int start, int limit) {
    const int goal = CurrentColumnLeft(s, start) + ColumnWidth(s, s->curCol) - limit;
    int n = 0, sum = 0;
    // Bounded by the columns that exist: zero widths would never reach the goal.
    while (sum < goal && s->hScroll.nPos + n <= s->colCount) {
        sum += ColumnWidth(s, s->hScroll.nPos + n);
        ++n;
    }
    s->hScroll.nPos += n - 1;
}

// The position that ends the view with the last data column.
int RightmostPosition(const GridState* s, int clientWidth) {
    const int last = s->hScroll.nMax - 1;
    int n = 0, sum = 0;
    for (int k = last; k >= 1; --k) {
        sum += ColumnWidth(s, last - n);
        if (sum < clientWidth - ColumnWidth(s, 0)) ++n;
    }
    return s->hScroll.nMax - 1 - n;
}

bool OutsideVerticalView(const GridState* s) {
    return s->curRow < s->vScroll.nPos || AboveUnsigned(s->curRow, int64_t{s->vScroll.nPos} + Page(s->vScroll) - 1);
}

bool OutsideHorizontalView(const GridState* s) {
    return s->curCol < s->hScroll.nPos || AboveUnsigned(s->curCol, int64_t{s->hScroll.nPos} + Page(s->hScroll) - 1);
}

}  // namespace

EntryCell SaveEntryPosition(GridState* s) {
    s->keepCellInView = 0;
    s->savedHPos = s->hScroll.nPos;
    s->savedVPos = s->vScroll.nPos;
    s->savedRow = s->curRow;
    return EntryCell{s->curCol, s->selectedRow};
}

Leave AskToLeaveRow(const Grid& grid, bool edited, EntryCell entry) {
    GridState* s = grid.state;
    if (s->curRow == s->savedRow || !edited) return Leave::Allowed;
    s->rowEdited = 0;
    LRESULT reply = NotifyHost(grid, grid.hwnd, GN_ROWCHANGING, ControlId(grid),
                               PackWords(s->savedRow, RowModified(grid.arrays, s->savedRow)));
    if (!GridSurvived(grid)) return Leave::GridGone;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return Leave::GridGone;
    if (!reply) return Leave::Allowed;
    s->hScroll.nPos = s->savedHPos;
    s->vScroll.nPos = s->savedVPos;
    s->curRow = s->savedRow;
    s->curCol = entry.col;
    s->selectedRow = entry.selectedRow;
    s->rowEdited = 1;
    return Leave::Refused;
}

namespace {

int ThumbTrackPosition(const Grid& grid, int bar) {
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(grid.hwnd, bar, &info);
    return info.nTrackPos;
}

void FinishMove(const Grid& grid) {
    GridState* s = grid.state;
    SaveUndoRow(s, grid.arrays);
    s->lastClickRow = s->curRow;
    s->lastClickCol = s->curCol;
}

// Moves of the current row by the keyboard (the code matched the marker).
void KeyboardVerticalMove(GridState* s, int code) {
    SCROLLINFO& v = s->vScroll;
    const int page = Page(v);
    switch (code) {
        case SB_LINEDOWN:
        case SB_LINEUP:
            if (OutsideHorizontalView(s)) s->keepCellInView = 1;
            if (code == SB_LINEDOWN && s->curRow < s->rowCount) s->curRow += 1;
            if (code == SB_LINEUP && s->curRow > 1) s->curRow -= 1;
            if (s->curRow < v.nPos) v.nPos = s->curRow;
            if (AboveUnsigned(s->curRow, int64_t{v.nPos} + page - (code == SB_LINEDOWN ? 1 : 0))) {
                v.nPos = s->curRow - (page - 1);
            }
            break;
        case SB_PAGEDOWN: {
            s->keepCellInView = 1;
            const int64_t lastWhole = int64_t{v.nPos} + page - 1;
            if (s->curRow == lastWhole) {
                v.nPos = v.nPos + page - 1;
                s->curRow = v.nPos + page - 1;
            }
            if (s->curRow >= v.nPos && s->curRow < int64_t{v.nPos} + page - 1) s->curRow = v.nPos + page - 1;
            if (s->curRow < v.nPos || AboveUnsigned(s->curRow, int64_t{v.nPos} + page - 1)) {
                s->curRow += page - 1;
                v.nPos = s->curRow - page + 1;
            }
            if (s->curRow > v.nMax) s->curRow = v.nMax;
            break;
        }
        case SB_PAGEUP:
            s->keepCellInView = 1;
            if (s->curRow == v.nPos) {
                v.nPos = v.nPos - page + 1;
                s->curRow = v.nPos;
            }
            if (s->curRow > v.nPos && s->curRow < int64_t{v.nPos} + page) s->curRow = v.nPos;
            if (AboveUnsigned(s->curRow, int64_t{v.nPos} + page) || s->curRow < v.nPos) {
                s->curRow -= page - 1;
                v.nPos = s->curRow;
            }
            if (s->curRow < v.nMin) s->curRow = v.nMin;
            break;
    }
    // A grid lower than one row has a page of 0: the page moves above would
    // leave the rows.
    if (s->curRow > s->rowCount) s->curRow = s->rowCount;
    if (s->curRow < 1) s->curRow = 1;
}

void KeepColumnInViewAfterVerticalMove(GridState* s, int clientWidth) {
    SCROLLINFO& h = s->hScroll;
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1)) FitColumns(s, 0, clientWidth - 2);
    const int right = CurrentColumnLeft(s, 0) + ColumnWidth(s, s->curCol);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1) || right > clientWidth - 2) {
        if (right > clientWidth - 2) {
            FitColumns(s, 0, clientWidth - 2);
        } else {
            h.nPos += 1;
        }
    }
    if (s->curCol < h.nPos) h.nPos = s->curCol - 1;
}

void KeyboardRightMove(GridState* s, int clientWidth) {
    SCROLLINFO& h = s->hScroll;
    if (s->curCol < s->colCount - 1) s->curCol += 1;
    const int right = CurrentColumnLeft(s, ColumnWidth(s, 0)) + ColumnWidth(s, s->curCol);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1) || right > clientWidth - 2) {
        if (right > clientWidth - 2) {
            FitColumns(s, ColumnWidth(s, 0), clientWidth);
        } else {
            h.nPos += 1;
        }
    }
    if (s->curCol < h.nPos) h.nPos = s->curCol - 1;
}

void ClearSelection(GridState* s) {
    if (s->selectedRow > 0) s->selectedRow = 0;
}

}  // namespace

void ClampScrollPosition(SCROLLINFO& bar) {
    const int64_t upper = int64_t{bar.nMax} - Page(bar) + 1;
    if (Page(bar) <= bar.nMax + 1 && bar.nPos > upper) bar.nPos = static_cast<int>(upper);
    if (bar.nPos < bar.nMin) bar.nPos = bar.nMin;
}

void ApplyVerticalPage(const Grid& grid, int clientHeight) {
    GridState* s = grid.state;
    // A row height below 1 must not divide.
    s->visibleRows = (clientHeight - library.headerHeight) / (s->rowHeight > 0 ? s->rowHeight : 1);
    s->vScroll.nPage = static_cast<UINT>(s->visibleRows > 0 ? s->visibleRows : 0);
    ClampScrollPosition(s->vScroll);
    ApplyScrollBar(grid, SB_VERT);
}

namespace {

// The platform redraws the whole bar for any new position, though a line
// step over a large table seldom moves the thumb by a pixel, and that
// redraw costs more than the rest of the step. The position is set without
// redrawing; only a thumb that moved has its old position put back and the
// new one set with the redraw.
bool ThumbStayed(HWND hwnd, int bar, const SCROLLINFO& sent) {
    const LONG object = bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL;
    SCROLLBARINFO before{sizeof before, {}, 0, 0, 0, 0, {}};
    SCROLLINFO old{sizeof old, SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollBarInfo(hwnd, object, &before) || !GetScrollInfo(hwnd, bar, &old)) return false;
    SetScrollInfo(hwnd, bar, &sent, FALSE);
    SCROLLBARINFO after{sizeof after, {}, 0, 0, 0, 0, {}};
    if (GetScrollBarInfo(hwnd, object, &after) && after.xyThumbTop == before.xyThumbTop &&
        after.xyThumbBottom == before.xyThumbBottom) {
        return true;
    }
    SetScrollInfo(hwnd, bar, &old, FALSE);
    return false;
}

}  // namespace

void ApplyScrollBar(const Grid& grid, int bar) {
    GridState* s = grid.state;
    const SCROLLINFO& wanted = bar == SB_VERT ? s->vScroll : s->hScroll;
    SCROLLINFO& applied = bar == SB_VERT ? s->appliedVScroll : s->appliedHScroll;
    const bool sameShape = applied.cbSize && applied.nMin == wanted.nMin && applied.nMax == wanted.nMax &&
                           applied.nPage == wanted.nPage && applied.fMask == wanted.fMask;
    if (sameShape && applied.nPos == wanted.nPos) return;
    SCROLLINFO sent = wanted;
    sent.cbSize = sizeof sent;
    // A bar that only moves its thumb is sent the position alone: the
    // platform then redraws the thumb, not the whole bar.
    if (sameShape) sent.fMask = SIF_POS | (wanted.fMask & SIF_DISABLENOSCROLL);
    applied = wanted;
    if (sameShape && ThumbStayed(grid.hwnd, bar, sent)) return;
    SetScrollInfo(grid.hwnd, bar, &sent, TRUE);
}

LRESULT OnVScroll(const Grid& grid, int code) {
    GridState* s = grid.state;
    SCROLLINFO& v = s->vScroll;
    const EntryCell entry = SaveEntryPosition(s);
    const int fromPos = v.nPos;
    ClearSelection(s);
    const bool keyboard = code == s->vScrollCode;
    switch (code) {
        case SB_TOP:
            v.nPos = v.nMin;
            if (keyboard) s->curRow = v.nMin;
            break;
        case SB_BOTTOM:
            v.nPos = v.nMax;
            if (keyboard) s->curRow = v.nMax;
            break;
        case SB_LINEDOWN:
        case SB_LINEUP:
        case SB_PAGEDOWN:
        case SB_PAGEUP:
            if (keyboard) {
                KeyboardVerticalMove(s, code);
            } else {
                const int step = code == SB_LINEDOWN || code == SB_LINEUP ? 1 : Page(v) - 1;
                v.nPos += code == SB_LINEDOWN || code == SB_PAGEDOWN ? step : -step;
            }
            break;
        case SB_THUMBTRACK:
            v.nPos = ThumbTrackPosition(grid, SB_VERT);
            break;
        default:
            return 0;
    }
    s->vScrollCode = -1;
    ClampScrollPosition(v);
    if (AskToLeaveRow(grid, s->rowEdited == 1, entry) != Leave::Allowed) return 0;
    ApplyScrollBar(grid, SB_VERT);
    if (s->keepCellInView) KeepColumnInViewAfterVerticalMove(s, ClientWidth(grid));
    ApplyScrollBar(grid, SB_HORZ);
    FinishMove(grid);
    if (!ScrollShownRows(grid, fromPos)) InvalidateCells(grid);
    return 0;
}

LRESULT OnHScroll(const Grid& grid, int code) {
    GridState* s = grid.state;
    SCROLLINFO& h = s->hScroll;
    SCROLLINFO& v = s->vScroll;
    // The scroll bar's "Right Edge" moves the current column too: an open
    // editor must not commit into the column it lands on.
    if (code == SB_RIGHT && s->editing && !CommitEdit(grid)) return 0;
    const EntryCell entry = SaveEntryPosition(s);
    const bool keyboard = code == s->hScrollCode;
    const int clientWidth = ClientWidth(grid);
    switch (code) {
        case SB_LEFT:
            h.nPos = h.nMin;
            if (keyboard) {
                if (OutsideVerticalView(s)) s->keepCellInView = 1;
                s->curCol = h.nMin + 1;
            }
            break;
        case SB_RIGHT:
            s->curCol = h.nMax - 1;
            h.nPos = RightmostPosition(s, clientWidth);
            break;
        case SB_LINELEFT:
            if (!keyboard) {
                h.nPos -= 1;
                break;
            }
            if (OutsideVerticalView(s)) s->keepCellInView = 1;
            if (s->curCol < 2 && s->curRow > 1) {
                s->curCol = h.nMax - 1;
                h.nPos = RightmostPosition(s, clientWidth);
                s->curRow -= 1;
                ClearSelection(s);
                if (s->curRow < v.nPos) v.nPos -= 1;
            } else {
                if (s->curCol > 1) s->curCol -= 1;
                if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 2)) FitColumns(s, 0, clientWidth - 2);
                if (s->curCol < h.nPos + 1) h.nPos = s->curCol - 1;
            }
            break;
        case SB_LINERIGHT:
            if (!keyboard) {
                h.nPos += 1;
                break;
            }
            if (OutsideVerticalView(s)) s->keepCellInView = 1;
            if (s->curCol < s->colCount - 1 || s->curRow >= s->rowCount) {
                KeyboardRightMove(s, clientWidth);
            } else {
                h.nPos = h.nMin;
                s->curCol = h.nMin + 1;
                s->curRow += 1;
                ClearSelection(s);
                if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos += 1;
            }
            break;
        case SB_PAGELEFT: {
            const int64_t back = int64_t{h.nPos} - Page(h) + 2;
            h.nPos = back < 0 || back > h.nPos - 1 ? h.nPos - 1 : static_cast<int>(back);
            break;
        }
        case SB_PAGERIGHT: {
            const int64_t ahead = int64_t{h.nPos} + Page(h) - 2;
            h.nPos = ahead < 0 ? h.nMax : static_cast<int>(ahead > h.nPos + 1 ? ahead : h.nPos + 1);
            break;
        }
        case SB_THUMBTRACK:
            h.nPos = ThumbTrackPosition(grid, SB_HORZ);
            break;
        default:
            return 0;
    }
    s->hScrollCode = -1;
    if (h.nPos > h.nMax - 2) h.nPos = h.nMax - 2;
    if (h.nPos < h.nMin) h.nPos = h.nMin;
    if (s->keepCellInView) {
        if (s->curRow < v.nPos) v.nPos = s->curRow;
        if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos = s->curRow - (Page(v) - 1);
    }
    if (AskToLeaveRow(grid, s->rowEdited != 0, entry) != Leave::Allowed) return 0;
    ApplyScrollBar(grid, SB_HORZ);
    ApplyScrollBar(grid, SB_VERT);
    FinishMove(grid);
    RequestRepaint(grid);
    UpdateWindow(grid.hwnd);
    return 0;
}

LRESULT OnSize(const Grid& grid) {
    GridState* s = grid.state;
    if (!HasCells(s)) return 0;
    GetClientRect(grid.hwnd, &s->clientRect);
    const int width = s->clientRect.right, height = s->clientRect.bottom;
    const int lastWidth = ColumnWidth(s, s->colCount - 1);
    ApplyVerticalPage(grid, height);
    // The last data column's width stands for all; a zero width must not divide.
    s->visibleCols = width / (lastWidth > 0 ? lastWidth : 1) + 1;
    s->hScroll.nPage = static_cast<UINT>(s->visibleCols);
    ClampScrollPosition(s->hScroll);
    ApplyScrollBar(grid, SB_HORZ);

    LayOutHeader(grid);
    RebuildSurface(grid, width, height);
    s->repaintPending = 1;
    RedrawWindow(grid.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    return 0;
}

void BringClickedCellIntoView(const Grid& grid) {
    GridState* s = grid.state;
    SCROLLINFO& v = s->vScroll;
    SCROLLINFO& h = s->hScroll;
    if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos = s->curRow - (Page(v) - 1);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 2)) {
        FitColumns(s, ColumnWidth(s, 0), ClientWidth(grid));
        if (h.nPos < 0) h.nPos = 0;
    }
}

int GotoCell(const Grid& grid, int row, int col) {
    GridState* s = grid.state;
    if (row < 1 || row > s->rowCount || col < 1 || col > s->colCount - 1) return kOutsideGrid;
    if (s->editing && !CommitEdit(grid)) return 0;
    // A host answering the commit may have reloaded or reshaped the grid.
    if (row > s->rowCount || col > s->colCount - 1) return kOutsideGrid;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return 0;
    const bool rowChanged = s->curRow != row;
    s->curRow = row;
    s->curCol = col;
    s->vScroll.nPos = row;
    s->hScroll.nPos = col - 1;
    ApplyScrollBar(grid, SB_VERT);
    ApplyScrollBar(grid, SB_HORZ);
    RequestRepaint(grid);
    if (rowChanged) SaveUndoRow(s, grid.arrays);
    return 1;
}

int ViewGrid(const Grid& grid, int mode) {
    GridState* s = grid.state;
    if (s->editing && !CommitEdit(grid)) return 0;
    if (mode == 0) {
        savedView = SavedView{true, s->vScroll.nPos, s->hScroll.nPos + 1, s->curRow, s->curCol};
    } else if (mode == 1) {
        const SavedView& v = savedView;
        // The saved current column must name a data column, never the filler.
        if (!v.saved || v.curRow > s->rowCount || v.firstRow > s->rowCount || v.curCol > s->colCount - 1 ||
            v.firstCol > s->colCount) {
            return 0;
        }
        s->vScroll.nPos = v.firstRow;
        s->hScroll.nPos = v.firstCol - 1;
        s->curRow = v.curRow;
        s->curCol = v.curCol;
        ApplyScrollBar(grid, SB_VERT);
        ApplyScrollBar(grid, SB_HORZ);
        RequestRepaint(grid);
        SaveUndoRow(s, grid.arrays);
    }
    return 1;
}

}  // namespace tabrix
