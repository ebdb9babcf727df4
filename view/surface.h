// The off-screen bitmap every paint draws into, and the header's place.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Lays the header out across the client width; its height becomes the
// grid's headerHeight.
void LayOutHeader(const Grid& grid);
// A new off-screen context and bitmap of the given size, cleared to white,
// with the cell font selected.
void RebuildSurface(const Grid& grid, int width, int height);
void ReleaseSurface(GridState* state);

}  // namespace tabrix
