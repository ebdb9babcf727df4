// What the grid remembers about the user's edits of the rows it holds.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Called when the rows were replaced (a load, DimRows): row states, the
// deleted-row stack and the pending row question belong to rows that are
// gone, and the undo snapshot is taken anew of the current row.
void ForgetEditHistory(const Grid& grid);

}  // namespace tabrix
