// Undo of the row being edited and the stack of deleted rows.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid);

}  // namespace tabrix

namespace tabrix {
// 0 unchanged, 1 modified, 2 appended, 3 deleted; -2 for a row outside 1 .. maxRow.
int RowModified(const GridArrays* arrays, int row);
}  // namespace tabrix
