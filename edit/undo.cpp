#include "edit/undo.h"

#include "edit/notify.h"
#include "grid/cell_store.h"
#include "view/scroll.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid) {
    GridState* s = grid.state;
    if (s->undoEnabled) return kDone;
    if (!AllocUndoBuffers(grid.arrays)) return 0;
    s->undoEnabled = 1;
    // The press at the corner gives the grid the focus and resets the press
    // state of the mouse handling.
    SendMessageA(grid.hwnd, WM_LBUTTONDOWN, 0, 0);
    if (!GridSurvived(grid)) return kDone;
    GotoCell(grid, 1, 1);
    if (!GridSurvived(grid)) return kDone;
    // The row the grid stands on gets its snapshot now, not at the first move.
    s->undoRow = 0;
    SaveUndoRow(s, grid.arrays);
    return kDone;
}

void SaveUndoRow(GridState* state, GridArrays* arrays) {
    if (state->curRow == state->undoRow || state->undoEnabled != 1 || !arrays->undoRecord) return;
    CopyRowToUndo(arrays, state->curRow);
    state->undoRow = state->curRow;
}

int RowModified(const GridArrays* arrays, int row) {
    if (row < 1 || row > arrays->maxRow) return -2;
    const char* first = CellText(arrays, row, 1);
    if (first && IsDeletedMarker(first)) return 3;
    return arrays->rowState ? arrays->rowState[row] : 0;
}

}  // namespace tabrix
