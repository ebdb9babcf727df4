// Deleting the selected row and undeleting it. A deleted row keeps its
// place; its data cells hold the deleted-row marker, and its record waits on
// a stack of the last ten deletions.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Asks the host, pushes the row's record (while undo is enabled) and marks
// every data cell deleted.
void DeleteSelectedRow(const Grid& grid, int row);
int DeleteGridRow(const Grid& grid);
// Selects a data row as the user's double click in its header would (0
// clears the selection); the current row stays where it is.
int SelectRow(const Grid& grid, int row);
int CanDeleteRow(const Grid& grid);
int UndeleteRow(const Grid& grid);
int CanUndeleteRow(const Grid& grid);

}  // namespace tabrix
