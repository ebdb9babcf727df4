// Check-box cells: a click on the current cell, or Space, toggles the value
// through the same questions an edit asks.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// The current cell is a check box the user may toggle now: an editable
// column of a writable grid, with no editor open.
bool CurrentCheckBoxToggles(const Grid& grid);
// Asks the host with GN_CELLCHANGING and, unless refused, flips "0" and "1"
// (an empty cell counts as "0"), marks the row and tells the host.
void ToggleCurrentCheckBox(const Grid& grid);
// The toggle of a check box named from outside (assistive technology): the
// cell is made current first as a click makes it, so the host may refuse
// leaving an edited row, and then it toggles as above.
void ToggleCheckBoxAt(const Grid& grid, int row, int col);

}  // namespace tabrix
