// The new-record row receiving its first value.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Whether the vertical bar takes the new row at once, or from the caller
// once a run of appends is over.
enum class BarUpdate { Now, Later };

// `row`, the new-record row, just received a value: the row after it
// becomes the new-record row and `row` counts as appended.
void AppendNewRecordRow(const Grid& grid, int row, BarUpdate bar = BarUpdate::Now);

}  // namespace tabrix
