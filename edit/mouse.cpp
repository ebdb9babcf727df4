#include "edit/mouse.h"

#include <cstring>

#include "edit/check_box.h"
#include "edit/editors.h"
#include "edit/focus.h"
#include "edit/navigation.h"
#include "edit/new_record_row.h"
#include "edit/notify.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "view/header.h"
#include "view/layout.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

struct Hit {
    int row, col;
};

// Uses the geometry of the last paint. The row is capped at the new-record
// row when `capRow` is set, and never above the first visible row: the
// grid's own press lands on the header.
Hit HitTest(const GridState* s, bool capRow) {
    const int h = s->rowHeight > 0 ? s->rowHeight : 1;
    int row = (s->mouseY - s->headerHeight) / h + s->vScroll.nPos;
    if (row < s->vScroll.nPos) row = s->vScroll.nPos;
    if (capRow && row > s->rowCount) row = s->rowCount;
    int col = 0;
    if (s->mouseX > ColumnWidth(s, 0)) {
        int sum = ColumnWidth(s, 0), counter = s->hScroll.nPos + 1;
        while (sum < s->mouseX && counter < s->colCount) sum += ColumnWidth(s, counter++);
        col = counter - 1;
    }
    return Hit{row, col};
}

// A refused row change from the mouse also keeps the double click that may
// follow from acting.
bool LeaveRow(const Grid& grid, EntryCell entry) {
    const Leave leave = AskToLeaveRow(grid, grid.state->rowEdited != 0, entry);
    if (leave == Leave::Refused) grid.state->moveRefused = 1;
    return leave == Leave::Allowed;
}

// What a click on the current cell does: text and list cells open their
// editor; a check box toggles when the cell already was current.
void ClickAction(const Grid& grid, bool wasCurrent) {
    GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    if (!ValidColumn(a, s->curCol) || a->colLocked[s->curCol] || s->readOnly) return;
    switch (a->colType[s->curCol]) {
        case FieldText:
        case FieldCombo:
            SendMessageA(grid.hwnd, WM_KEYUP, VK_F2, 0);
            break;
        case FieldCheck:
            if (wasCurrent) ToggleCurrentCheckBox(grid);
            break;
    }
}

void PressRowHeader(const Grid& grid, EntryCell entry) {
    GridState* s = grid.state;
    // A release in the cells after this press is no click.
    input.pressGrid = nullptr;
    if (!EditorClosed(grid)) return;
    // A press queued before the paint that follows a shrinking load must not
    // put the current row past the rows.
    s->curRow = HitTest(s, true).row;
    if (!LeaveRow(grid, entry)) return;
    s->curCol = 1;
    s->hScroll.nPos = 0;
}

}  // namespace

LRESULT OnLButtonDown(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    // Any press takes the focus, as with every control; SetUndoBuffer's own
    // press relies on it even before the grid has rows.
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid) || !HasCells(s)) return 0;
    s->moveRefused = 0;
    const EntryCell entry = SaveEntryPosition(s);
    StoreMousePosition(s, lParam);
    if (s->mouseX > s->gridRight || s->mouseY > s->gridBottom) return 0;
    // Judged at the press itself: the last mouse move may have been long ago.
    if (BeginRowDrag(grid)) return 0;
    if (s->mouseInRowArea) {
        PressRowHeader(grid, entry);
        if (!GridSurvived(grid)) return 0;
    } else {
        const Hit hit = HitTest(s, true);
        input.pressGrid = grid.hwnd;
        input.pressRow = hit.row;
        input.pressCol = hit.col;
    }
    RequestRepaint(grid);
    return 0;
}

LRESULT OnLButtonUp(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    if (!HasCells(s)) return 0;
    StoreMousePosition(s, lParam);
    s->mouseOnRowBorder = 0;
    if (s->rowResizing) {
        FinishRowDrag(grid);
        return 0;
    }
    const EntryCell entry{s->curCol, s->selectedRow};
    bool click = false;
    Hit hit{};
    if (!s->mouseInRowArea) {
        if (!EditorClosed(grid)) return 0;
        hit = HitTest(s, true);
        if (hit.row != input.pressRow || hit.col != input.pressCol || grid.hwnd != input.pressGrid) return 0;
        s->curRow = hit.row;
        s->curColShown = 1;
        s->curRowShown = 1;
        click = true;
    }
    if (s->curRow != s->selectedRow && s->selectedRow > 0) s->selectedRow = 0;
    if (!LeaveRow(grid, entry)) return 0;
    if (click) {
        s->curCol = hit.col < 1 ? 1 : hit.col;
        BringClickedCellIntoView(grid);
    }
    SaveUndoRow(s, grid.arrays);
    const bool wasCurrent = s->curRow == s->lastClickRow && s->curCol == s->lastClickCol;
    s->lastClickRow = s->curRow;
    s->lastClickCol = s->curCol;
    ApplyScrollBar(grid, SB_VERT);
    ApplyScrollBar(grid, SB_HORZ);
    // Invalidated before the click's action, so an opening editor paints
    // the grid once, with its own placement.
    RequestRepaint(grid);
    if (click) ClickAction(grid, wasCurrent);
    return 0;
}

namespace {

// The host hears of the double click first and answers 1 to keep the row
// unselected; the row selected is the one `rowAfterCommit` gives once an
// open edit is committed.
template <class RowAfterCommit>
void SelectAsDoubleClick(const Grid& grid, int row, RowAfterCommit rowAfterCommit) {
    GridState* s = grid.state;
    const LRESULT reply =
        NotifyHost(grid, grid.hwnd, GN_ROWHEADERDBLCLK, ControlId(grid), PackWords(row, 0), NotifyCell{row, 0});
    if (!GridSurvived(grid)) return;
    if (reply != 1) {
        if (!EditorClosed(grid)) return;
        row = rowAfterCommit();
        const char* first = CellText(grid.arrays, row, 1);
        // Deleted rows and the new-record row cannot be selected.
        if (row >= 1 && first && !IsDeletedMarker(first) && row < s->rowCount) s->selectedRow = row;
    }
    RequestRepaint(grid);
}

}  // namespace

LRESULT OnLButtonDblClk(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    StoreMousePosition(s, lParam);
    if (!HasCells(s) || s->readOnly || s->moveRefused) return 0;
    // A double click in the cell area did its work with the click before it.
    if (!s->mouseInRowArea) return 0;
    SelectAsDoubleClick(grid, s->curRow, [s] { return s->curRow = HitTest(s, true).row; });
    return 0;
}

void SelectRowAsUser(const Grid& grid, int row) {
    if (HasCells(grid.state) && !grid.state->readOnly) SelectAsDoubleClick(grid, row, [row] { return row; });
}

namespace {

// `at` in the grid's client area; the host gets it in its own.
void NotifyRightButton(const Grid& grid, POINT at, NotifyCell cell) {
    MapWindowPoints(grid.hwnd, GetParent(grid.hwnd), &at, 1);
    NotifyHost(grid, grid.hwnd, GN_RBUTTONUP, ControlId(grid), PackWords(at.x, at.y), cell);
    if (GridSurvived(grid)) SetFocus(grid.hwnd);
}

}  // namespace

LRESULT OnRButtonUp(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    StoreMousePosition(s, lParam);
    const POINT at{s->mouseX, s->mouseY};
    const Hit hit = HasCells(s) ? HitTest(s, true) : Hit{0, 0};
    NotifyRightButton(grid, at, NotifyCell{hit.row, hit.col});
    return 0;
}

// The context-menu key and Shift+F10 ask for the menu at the current cell,
// as a right click there would. A right click's own WM_CONTEXTMENU was
// answered by its GN_RBUTTONUP already; passed on, either would reach the
// host a second time as the platform's WM_CONTEXTMENU.
LRESULT OnContextMenu(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    const bool fromKeyboard = LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF;
    if (!fromKeyboard || !HasCells(s)) return 0;
    RECT client, cell;
    GetClientRect(grid.hwnd, &client);
    if (!CellArea(s, client, s->curRow, s->curCol, &cell)) cell = client;
    const POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    NotifyRightButton(grid, centre, NotifyCell{s->curRow, s->curCol});
    return 0;
}

}  // namespace tabrix
