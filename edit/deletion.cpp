#include "edit/deletion.h"

#include <cstring>

#include "edit/editors.h"
#include "edit/navigation.h"
#include "edit/notify.h"
#include "grid/cell_store.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "view/accessible_ids.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

void ScrollToRow(const Grid& grid, int row) {
    GridState* s = grid.state;
    SCROLLINFO& v = s->vScroll;
    if (row >= v.nPos && row < v.nPos + s->rowsPainted) return;
    v.nPos = row;
    ClampScrollPosition(v);
    ApplyScrollBar(grid, SB_VERT);
}

}  // namespace

void DeleteSelectedRow(const Grid& grid, int row) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    // Only a data row can be deleted: the new-record row never is one.
    if (row < 1 || row >= s->rowCount) return;
    const LPARAM number = PackWords(row, 0);
    const LRESULT reply = NotifyHost(grid, grid.hwnd, GN_ROWDELETING, ControlId(grid), number, NotifyCell{row, 0});
    if (!GridSurvived(grid)) return;
    if (reply) {
        SetFocus(grid.hwnd);
        return;
    }
    if (row >= s->rowCount) return;
    // Without undo buffers the row is still deleted; it just cannot come back.
    PushDeletedRow(a, row);
    for (int col = 1; col <= s->colCount - 1; ++col) StoreCell(a, row, col, kDeletedMarker);
    NotifyHost(grid, grid.hwnd, GN_ROWDELETED, ControlId(grid), number, NotifyCell{row, 0});
    if (!GridSurvived(grid)) return;
    AnnounceEvent(grid, EVENT_OBJECT_REORDER, CHILDID_SELF);
    SetFocus(grid.hwnd);
}

int DeleteGridRow(const Grid& grid) {
    if (grid.state->selectedRow < 1) return 0;
    // The deletion, and the host's question, come after this call returned.
    PostMessageA(grid.hwnd, WM_KEYUP, VK_DELETE, 0);
    return kDone;
}

int SelectRow(const Grid& grid, int row) {
    GridState* s = grid.state;
    // Checked before the commit: a row that cannot be selected leaves the edit open.
    if (row < 0 || row >= s->rowCount) return kOutsideGrid;
    if (!EditorClosed(grid)) return kEditRefused;
    // The host may have reloaded the grid while it answered the commit.
    const char* first = CellText(grid.arrays, row, 1);
    if (row >= s->rowCount || (row > 0 && (!first || IsDeletedMarker(first)))) return kOutsideGrid;
    s->selectedRow = row;
    RequestRepaint(grid);
    return kDone;
}

int CanDeleteRow(const Grid& grid) { return grid.state->selectedRow >= 1 ? 1 : 0; }

int UndeleteRow(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    const int row = TopDeletedRow(a);
    if (row <= 0) return kDone;
    // A shrink since the deletion may have taken the row away: its record
    // has no place to go back to.
    if (row >= s->rowCount) {
        PopDeletedRow(a);
        return kDone;
    }
    if (!EditorClosed(grid)) return kEditRefused;
    if (s->rowEdited) {
        if (AskRowChange(grid, s->curRow, FocusAfter::Grid) != Leave::Allowed) return 0;
        // The host may have reloaded or reshaped the grid while it answered.
        if (TopDeletedRow(a) != row || row >= s->rowCount || !RowRecord(a, row)) return kDone;
    }
    RestoreTopDeletedRow(a, row);
    s->selectedRow = row;
    s->selectPending = 1;
    ScrollToRow(grid, row);
    s->curRow = row;
    SaveUndoRow(s, a);
    RequestRepaint(grid);
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return kDone;
    AnnounceEvent(grid, EVENT_OBJECT_REORDER, CHILDID_SELF);
    NotifyHost(grid, grid.hwnd, GN_ROWUNDELETED, ControlId(grid), PackWords(row, 0), NotifyCell{row, 0});
    return kDone;
}

int CanUndeleteRow(const Grid& grid) { return TopDeletedRow(grid.arrays) >= 1 ? 1 : 0; }

}  // namespace tabrix
