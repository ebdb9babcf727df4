// What the grid remembers about the user's edits of the rows it holds.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Called when a load has replaced every row: edits of the old rows no
// longer describe anything the grid holds.
void ForgetEditHistory(const Grid& grid);

}  // namespace tabrix
