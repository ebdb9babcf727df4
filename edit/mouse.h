// Mouse buttons on the grid window.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnLButtonDown(const Grid& grid, LPARAM lParam);
LRESULT OnLButtonUp(const Grid& grid, LPARAM lParam);
LRESULT OnLButtonDblClk(const Grid& grid, LPARAM lParam);
LRESULT OnRButtonUp(const Grid& grid, LPARAM lParam);
LRESULT OnContextMenu(const Grid& grid, LPARAM lParam);

}  // namespace tabrix
