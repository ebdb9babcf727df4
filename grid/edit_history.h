// What the grid remembers about the user's edits of the rows it holds: the
// undo snapshot of the row being edited and the stack of deleted rows. The
// row states live in row_states.h. Loads, row resizes, painting and the
// editors all change it, so it sits below every one of them.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Called when the rows were replaced (a load, DimRows): row states, the
// deleted-row stack and the pending row question belong to rows that are
// gone, and the undo snapshot is taken anew of the current row.
void ForgetEditHistory(const Grid& grid);

// Takes the snapshot of the current row when the grid moved onto another
// row since the last one, while undo is enabled.
void SaveUndoRow(GridState* state, GridArrays* arrays);

// The row number stored with the newest deletion; 0 when the stack is empty
// or undo is not enabled.
int TopDeletedRow(const GridArrays* arrays);
// Writes the newest deletion's record back over `row` and drops it from the
// stack; the older ones move up.
void RestoreTopDeletedRow(GridArrays* arrays, int row);
// Drops the newest deletion without restoring it.
void PopDeletedRow(GridArrays* arrays);

}  // namespace tabrix
