#include "edit/navigation.h"

#include "edit/cell_moves.h"
#include "edit/editors.h"
#include "edit/notify.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "view/paint.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

// Library-wide: a host may save the view in one grid and restore it in another.
struct SavedView {
    bool saved = false;
    int firstRow = 0, firstCol = 0, curRow = 0, curCol = 0;
} savedView;

int ClientWidth(const Grid& grid) {
    RECT client;
    GetClientRect(grid.hwnd, &client);
    return client.right;
}

int ThumbTrackPosition(const Grid& grid, int bar, int code) {
    if (code != SB_THUMBTRACK) return 0;
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

void RestoreEntryPosition(GridState* s, EntryCell entry) {
    s->hScroll.nPos = s->savedHPos;
    s->vScroll.nPos = s->savedVPos;
    s->curRow = s->savedRow;
    s->curCol = entry.col;
    s->selectedRow = entry.selectedRow;
}

}  // namespace

EntryCell SaveEntryPosition(GridState* s) {
    s->keepCellInView = 0;
    s->savedHPos = s->hScroll.nPos;
    s->savedVPos = s->vScroll.nPos;
    s->savedRow = s->curRow;
    return EntryCell{s->curCol, s->selectedRow};
}

Leave AskRowChange(const Grid& grid, int row, FocusAfter focus, const HostLine* line) {
    GridState* s = grid.state;
    s->rowEdited = 0;
    const LRESULT reply = NotifyHost(grid, grid.hwnd, GN_ROWCHANGING, line ? line->id : ControlId(grid),
                                     PackWords(row, RowModified(grid.arrays, row)), NotifyCell{row, 0}, line);
    if (!GridSurvived(grid)) return Leave::GridGone;
    if (focus == FocusAfter::Grid) {
        SetFocus(grid.hwnd);
        if (!GridSurvived(grid)) return Leave::GridGone;
    }
    if (!reply) return Leave::Allowed;
    s->rowEdited = 1;
    return Leave::Refused;
}

Leave AskToLeaveRow(const Grid& grid, bool edited, EntryCell entry) {
    GridState* s = grid.state;
    if (s->curRow == s->savedRow || !edited) return Leave::Allowed;
    const Leave leave = AskRowChange(grid, s->savedRow, FocusAfter::Grid);
    if (leave == Leave::Refused) RestoreEntryPosition(s, entry);
    return leave;
}

LRESULT OnVScroll(const Grid& grid, int code) {
    GridState* s = grid.state;
    const EntryCell entry = SaveEntryPosition(s);
    const int fromPos = s->vScroll.nPos;
    const bool keyboard = code == s->vScrollCode;
    if (!MoveVertically(s, code, keyboard, ThumbTrackPosition(grid, SB_VERT, code))) return 0;
    s->vScrollCode = -1;
    ClampScrollPosition(s->vScroll);
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
    // The scroll bar's "Right Edge" moves the current column too: an open
    // editor must not commit into the column it lands on.
    if (code == SB_RIGHT && !EditorClosed(grid)) return 0;
    const EntryCell entry = SaveEntryPosition(s);
    const bool keyboard = code == s->hScrollCode;
    const int clientWidth = ClientWidth(grid);
    if (!MoveHorizontally(s, code, keyboard, clientWidth, ThumbTrackPosition(grid, SB_HORZ, code))) return 0;
    s->hScrollCode = -1;
    // The last position keeps the last data column in view; the filler is no column to scroll to.
    if (h.nPos > h.nMax - 2) h.nPos = h.nMax - 2;
    if (h.nPos < h.nMin) h.nPos = h.nMin;
    if (s->keepCellInView) KeepRowInView(s);
    if (AskToLeaveRow(grid, s->rowEdited != 0, entry) != Leave::Allowed) return 0;
    ApplyScrollBar(grid, SB_HORZ);
    ApplyScrollBar(grid, SB_VERT);
    FinishMove(grid);
    RequestRepaint(grid);
    UpdateWindow(grid.hwnd);
    return 0;
}

void BringClickedCellIntoView(const Grid& grid) { ScrollClickedCellIntoView(grid.state, ClientWidth(grid)); }

bool MoveAsClick(const Grid& grid, int row, int col) {
    GridState* s = grid.state;
    if (!EditorClosed(grid)) return false;
    // Checked after the commit: the host may have reshaped the grid meanwhile.
    const int lastRow = s->readOnly ? s->rowCount - 1 : s->rowCount;
    if (row < 1 || row > lastRow || col < 1 || col > s->colCount - 1) return false;
    const EntryCell entry = SaveEntryPosition(s);
    s->curRow = row;
    s->curCol = col;
    if (s->curRow != s->selectedRow && s->selectedRow > 0) s->selectedRow = 0;
    if (AskToLeaveRow(grid, s->rowEdited != 0, entry) != Leave::Allowed) return false;
    BringClickedCellIntoView(grid);
    FinishMove(grid);
    ApplyScrollBar(grid, SB_VERT);
    ApplyScrollBar(grid, SB_HORZ);
    RequestRepaint(grid);
    return true;
}

int GotoCell(const Grid& grid, int row, int col) {
    GridState* s = grid.state;
    if (row < 1 || row > s->rowCount || col < 1 || col > s->colCount - 1) return kOutsideGrid;
    if (!EditorClosed(grid)) return kEditRefused;
    // A host answering the commit may have reloaded or reshaped the grid.
    if (row > s->rowCount || col > s->colCount - 1) return kOutsideGrid;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return kNoRecords;
    const bool rowChanged = s->curRow != row;
    s->curRow = row;
    s->curCol = col;
    s->vScroll.nPos = row;
    s->hScroll.nPos = col - 1;
    ApplyScrollBar(grid, SB_VERT);
    ApplyScrollBar(grid, SB_HORZ);
    RequestRepaint(grid);
    if (rowChanged) SaveUndoRow(s, grid.arrays);
    return kDone;
}

int ViewGrid(const Grid& grid, int mode) {
    GridState* s = grid.state;
    if (!EditorClosed(grid)) return kEditRefused;
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
    return kDone;
}

}  // namespace tabrix
