// Undo of the row being edited and the stack of deleted rows.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int SetUndoBuffer(const Grid& grid);

}  // namespace tabrix
