// The view after a load replaced every row.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Row count from the store; current row, selection and first visible row
// back inside the new rows; scroll bars applied; edit history forgotten.
void ShowReplacedRows(const Grid& grid);

}  // namespace tabrix
