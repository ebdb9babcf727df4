#include "edit/edit_history.h"

#include <cstring>

#include "edit/undo.h"

namespace tabrix {

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

}  // namespace tabrix
