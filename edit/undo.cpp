#include "edit/undo.h"

#include "grid/cell_store.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid) {
    GridState* s = grid.state;
    if (s->undoEnabled) return 1;
    if (!AllocUndoBuffers(grid.arrays)) return 0;
    s->undoEnabled = 1;
    // The press at the corner gives the grid the focus and resets the press
    // state of the mouse handling.
    SendMessageA(grid.hwnd, WM_LBUTTONDOWN, 0, 0);
    s->curRow = 1;
    s->curCol = 1;
    s->undoRow = 0;
    SaveUndoRow(s, grid.arrays);
    return 1;
}

}  // namespace tabrix
