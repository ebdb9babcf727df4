// Painting of the grid window.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnPaint(const Grid& grid);

// After a vertical scroll from `fromPos`: moves the rows already on screen
// when the next paint will shift its image by as much, and leaves only the
// rows it brings in to be drawn and sent. Answers whether it did.
bool ScrollShownRows(const Grid& grid, int fromPos);

}  // namespace tabrix
