// Undo of the row being edited: a snapshot of the row as it was when the
// user entered it, restored whole or one cell at a time.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid);
// Undo is enabled and the snapshot is of the current row: only then do the
// undo queries and actions look at it.
bool SnapshotOfCurrentRow(const Grid& grid);

int UndoRow(const Grid& grid);
int UndoField(const Grid& grid);
int CanUndoRow(const Grid& grid);
int CanUndoField(const Grid& grid);

}  // namespace tabrix
