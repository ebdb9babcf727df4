// WM_PAINT: the state a paint settles, the drawing, and the editor's
// placement over the drawn cell, in that order.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnPaint(const Grid& grid);

}  // namespace tabrix
