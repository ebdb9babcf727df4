// The in-cell editors: the edit control and the combo box laid over the
// current cell.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// The grid's combo box, created once with the grid and shown only over a
// list cell; false when it could not be created.
bool CreateComboBox(const Grid& grid);

// Finishes the open edit: 1 when no editor stays open, 0 when the host
// refused the text.
int CommitEdit(const Grid& grid);

}  // namespace tabrix
