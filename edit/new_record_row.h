// The new-record row receiving its first value.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// `row`, the new-record row, just received a value: the row after it
// becomes the new-record row and `row` counts as appended.
void AppendNewRecordRow(const Grid& grid, int row);

}  // namespace tabrix
