// Painting of the grid window.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnPaint(const Grid& grid);

}  // namespace tabrix
