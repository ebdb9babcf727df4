// Mouse buttons on the grid window.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnLButtonDown(const Grid& grid, LPARAM lParam);
LRESULT OnLButtonUp(const Grid& grid, LPARAM lParam);
LRESULT OnLButtonDblClk(const Grid& grid, LPARAM lParam);
LRESULT OnRButtonUp(const Grid& grid, LPARAM lParam);
LRESULT OnContextMenu(const Grid& grid, LPARAM lParam);
// Selects `row` as a double click in its header does, the host asked first;
// the current cell stays.
void SelectRowAsUser(const Grid& grid, int row);

}  // namespace tabrix
