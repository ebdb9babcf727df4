#include "edit/undo.h"

#include <cstring>

#include "edit/editors.h"
#include "edit/navigation.h"
#include "grid/cell_store.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

const char* SnapshotText(const GridArrays* a, int col) { return SlotText(a, a->undoRecord, col); }

// The cell differs from its snapshot and is no deleted cell: whole texts,
// trailing blanks included.
bool CellDiffersFromSnapshot(const GridArrays* a, int row, int col) {
    const char* text = CellText(a, row, col);
    return text && !IsDeletedMarker(text) && strcmp(text, SnapshotText(a, col)) != 0;
}

bool RowMatchesSnapshot(const Grid& grid) {
    for (int col = 1; col < grid.state->colCount; ++col) {
        const char* text = CellText(grid.arrays, grid.state->curRow, col);
        if (!text || strcmp(text, SnapshotText(grid.arrays, col)) != 0) return false;
    }
    return true;
}

void CopySnapshotSlot(const Grid& grid, int col) {
    GridArrays* a = grid.arrays;
    const size_t size = static_cast<size_t>(a->fieldTable[col].size);
    memcpy(SlotAddress(a, RowRecord(a, grid.state->curRow), col), SlotAddress(a, a->undoRecord, col), size);
}

}  // namespace

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

bool SnapshotOfCurrentRow(const Grid& grid) {
    const GridState* s = grid.state;
    return s->undoEnabled == 1 && grid.arrays->undoRecord && s->undoRow == s->curRow &&
           RowRecord(grid.arrays, s->curRow) != nullptr;
}

int UndoRow(const Grid& grid) {
    GridState* s = grid.state;
    if (!CommitIfEditing(grid) || !SnapshotOfCurrentRow(grid)) return kDone;
    // Slot by slot: a column defined before column 1, or widened later, has
    // its slot anywhere in the record.
    for (int col = 1; col < s->colCount; ++col) CopySnapshotSlot(grid, col);
    s->rowEdited = 0;
    SetRowState(grid.arrays, s->curRow, kRowUnchanged);
    if (s->curRow == s->newRowIndex && s->newRowIndex > 0) {
        // The row was appended while current: it is the new-record row again.
        s->rowCount -= 1;
        grid.arrays->maxRow -= 1;
        s->vScroll.nMax = s->rowCount;
        s->newRowIndex = -1;
        if (s->selectedRow >= s->rowCount) s->selectedRow = 0;
        ApplyScrollBar(grid, SB_VERT);
    }
    RequestRepaint(grid);
    SetFocus(grid.hwnd);
    return kDone;
}

int UndoField(const Grid& grid) {
    GridState* s = grid.state;
    if (!CommitIfEditing(grid) || !SnapshotOfCurrentRow(grid) || !ValidColumn(grid.arrays, s->curCol)) return kDone;
    StoreCell(grid.arrays, s->curRow, s->curCol, SnapshotText(grid.arrays, s->curCol));
    if (RowMatchesSnapshot(grid) && RowModified(grid.arrays, s->curRow) != kRowAppended) {
        s->rowEdited = 0;
        SetRowState(grid.arrays, s->curRow, kRowUnchanged);
    }
    RepaintErasing(grid);
    return kDone;
}

int CanUndoRow(const Grid& grid) {
    const GridState* s = grid.state;
    if (!SnapshotOfCurrentRow(grid)) return 0;
    for (int col = 1; col < s->colCount; ++col) {
        if (s->curRow == s->newRowIndex && s->newRowIndex > 0) return 1;
        if (RowModified(grid.arrays, s->curRow) != kRowUnchanged && CellDiffersFromSnapshot(grid.arrays, s->curRow, col)) {
            return 1;
        }
    }
    return 0;
}

int CanUndoField(const Grid& grid) {
    const GridState* s = grid.state;
    if (!SnapshotOfCurrentRow(grid) || !ValidColumn(grid.arrays, s->curCol)) return 0;
    return RowModified(grid.arrays, s->curRow) != kRowUnchanged &&
                   CellDiffersFromSnapshot(grid.arrays, s->curRow, s->curCol)
               ? 1
               : 0;
}

}  // namespace tabrix
