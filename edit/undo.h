// Undo of the row being edited, the stack of deleted rows and row states.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid);
// Takes the snapshot of the current row when the grid moved onto another
// row since the last one, while undo is enabled.
void SaveUndoRow(GridState* state, GridArrays* arrays);
// 0 unchanged, 1 modified, 2 appended, 3 deleted; -2 for a row outside 1 .. maxRow.
int RowModified(const GridArrays* arrays, int row);

}  // namespace tabrix
