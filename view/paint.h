// Drawing of the grid's cells into its off-screen image, and sending that
// image to the window. Both only read the grid's records: the paint cycle
// (control/paint_cycle.h) settles the state before them.
#pragma once

#include "grid/grid_state.h"
#include "view/image_reuse.h"
#include "view/layout.h"

namespace tabrix {

// Draws what the plan says the kept image cannot supply, moving the image
// first when the plan says so, and marks it for sending.
void DrawCells(const Grid& grid, const CellLayout& layout, const RepaintPlan& plan);

// Within WM_PAINT: copies the image below the header to the window and
// answers the window's context.
HDC SendImage(const Grid& grid);

// After a vertical scroll from `fromPos`: moves the rows already on screen
// when the next paint will shift its image by as much, and leaves only the
// rows it brings in to be drawn and sent. Answers whether it did.
bool ScrollShownRows(const Grid& grid, int fromPos);

}  // namespace tabrix
