#include "grid/edit_history.h"

#include <cstring>

#include "grid/cell_store.h"

namespace tabrix {
namespace {

constexpr int kTopSlot = kDeletedSlots - 1;

uint8_t* StackSlot(const GridArrays* a, int slot) {
    return a->deletedRows + static_cast<size_t>(slot) * static_cast<size_t>(DeletedSlotSize(a));
}

}  // namespace

void ForgetEditHistory(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    // A pending "row edited" would make the next move ask the host about a
    // row that is gone.
    s->rowEdited = 0;
    s->newRowIndex = -1;
    s->selectPending = 0;
    if (a->rowState) memset(a->rowState, 0, static_cast<size_t>(a->rowCapacity));
    if (a->deletedRows) memset(a->deletedRows, 0, kDeletedSlots * static_cast<size_t>(DeletedSlotSize(a)));
    // The snapshot is taken anew of the row the grid now stands on.
    s->undoRow = 0;
    SaveUndoRow(s, a);
}

void SaveUndoRow(GridState* state, GridArrays* arrays) {
    if (state->curRow == state->undoRow || state->undoEnabled != 1 || !arrays->undoRecord) return;
    CopyRowToUndo(arrays, state->curRow);
    state->undoRow = state->curRow;
}

int TopDeletedRow(const GridArrays* a) {
    if (!a->deletedRows) return 0;
    int32_t row;
    memcpy(&row, StackSlot(a, kTopSlot) + a->recordWidth, sizeof row);
    return row;
}

// Slot 1 takes the always-empty slot 0 as the older ones move up.
void PopDeletedRow(GridArrays* a) {
    const size_t slot = static_cast<size_t>(DeletedSlotSize(a));
    memmove(StackSlot(a, 1), StackSlot(a, 0), kTopSlot * slot);
    memset(StackSlot(a, 0), 0, slot);
}

void RestoreTopDeletedRow(GridArrays* a, int row) {
    memcpy(RowRecord(a, row), StackSlot(a, kTopSlot), static_cast<size_t>(a->recordWidth));
    PopDeletedRow(a);
}

}  // namespace tabrix
