#include "control/paint_cycle.h"

#include "edit/editors.h"
#include "edit/focus.h"
#include "grid/edit_history.h"
#include "grid/library.h"
#include "view/accessible_ids.h"
#include "view/header.h"
#include "view/image_reuse.h"
#include "view/layout.h"
#include "view/paint.h"
#include "view/surface.h"

namespace tabrix {
namespace {

// A pending row selection (after an undelete) becomes the current row; false
// while an open edit refuses to close, in which case the request waits.
bool TakePendingSelection(const Grid& grid) {
    GridState* s = grid.state;
    if (!s->selectPending || s->selectedRow <= 0) return true;
    if (!EditorClosed(grid)) return false;
    s->curRow = s->selectedRow;
    s->selectPending = 0;
    return true;
}

// The client rectangle below the header, and a surface of its size.
void FitSurface(const Grid& grid) {
    GridState* s = grid.state;
    GetClientRect(grid.hwnd, &s->clientRect);
    const int width = s->clientRect.right, height = s->clientRect.bottom;
    if (!s->memDC || s->surfaceWidth != width || s->surfaceHeight != height) RebuildSurface(grid, width, height);
    s->clientRect.top = s->headerHeight;
}

// A read-only grid never shows the new-record row: the current row steps
// off it, while a data row is left to stand on, and the row stepped to gets
// its undo snapshot like any other row entered.
void StepOffNewRecordRow(const Grid& grid) {
    GridState* s = grid.state;
    if (!s->readOnly || s->curRow != s->rowCount || s->curRow <= 1) return;
    s->curRow -= 1;
    SaveUndoRow(s, grid.arrays);
}

// The open editor follows its cell: hidden while the cell is out of view,
// shown and focused again where the cell reappears.
void PlaceEditor(const Grid& grid) {
    GridState* s = grid.state;
    if (!s->editing) return;
    const int col = s->curCol;
    const bool combo = ValidColumn(grid.arrays, col) && grid.arrays->colType[col] == FieldCombo;
    HWND editor = combo ? s->hwndCombo : s->hwndEdit;
    if (!editor) return;
    if (!s->curCellPainted) {
        s->editorLastX = -100;  // shown again, and focused, once its cell is back in view
        ShowWindow(editor, SW_HIDE);
        return;
    }
    const RECT& r = s->curCellRect;
    if (s->hwndEdit) MoveEditor(s->hwndEdit, EditorPlace(s, false));
    if (r.left != s->editorLastX || r.top != s->editorLastY) {
        MoveEditor(s->hwndCombo, EditorPlace(s, true));
        ShowWindow(editor, SW_SHOW);
        s->editorLastX = r.left;
        s->editorLastY = r.top;
        SetFocus(editor);
    }
    InvalidateRect(editor, nullptr, FALSE);
}

}  // namespace

LRESULT OnPaint(const Grid& grid) {
    GridState* s = grid.state;
    // Cleared before drawing, so an invalidation made while painting is honoured.
    s->repaintPending = 0;
    // The early exits still validate: an update region left invalid would
    // bring the next WM_PAINT at once, for ever. The old image stays.
    if (!HasCells(s) || !TakePendingSelection(grid)) {
        ValidateRect(grid.hwnd, nullptr);
        return 0;
    }
    RelabelHeader(grid);
    FitSurface(grid);
    StepOffNewRecordRow(grid);
    const CellLayout layout = LayOutCells(s);
    UpdateHorizontalPage(grid, layout);
    // Only the rows that differ from the kept image are drawn: none when the
    // window was uncovered or a host repaints it, one after a cell changed.
    KeptImage now;
    DescribeImage(grid, layout, &now);
    RepaintPlan plan;
    PlanRepaint(s, now, &plan);
    DrawCells(grid, layout, plan);
    RememberImage(s, now);
    // Told once the layout the events' child ids follow is settled.
    AnnounceViewChanges(grid, input.focusedGrid == grid.hwnd);
    s->windowDC = SendImage(grid);
    if (s->newRowIndex != s->curRow) s->newRowIndex = -1;
    PlaceEditor(grid);
    return 0;
}

}  // namespace tabrix
