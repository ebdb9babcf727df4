// Per-row states hosts read to write back only what changed: 0 unchanged,
// 1 modified, 2 appended by the user; RowModified also reports 3 for a
// deleted row.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

constexpr int kRowUnchanged = 0;
constexpr int kRowModified = 1;
constexpr int kRowAppended = 2;
constexpr int kRowDeleted = 3;
constexpr int kRowOutside = -2;  // RowModified of a row outside 1 .. maxRow

int RowModified(const GridArrays* arrays, int row);
// kDone, or 0 for a row outside 1 .. maxRow.
int ResetRowModified(const Grid& grid, int row);
void SetRowState(GridArrays* arrays, int row, int state);
// An accepted change: the row becomes modified, unless the user appended
// it, which a host must still INSERT.
void MarkRowModified(GridArrays* arrays, int row);

}  // namespace tabrix
