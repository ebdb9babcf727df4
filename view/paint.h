// Drawing of the grid's cells into its off-screen image, and sending that
// image to the window. Both only read the grid's records: the paint cycle
// (control/paint_cycle.h) settles the state before them.
#pragma once

#include "grid/grid_state.h"
#include "view/layout.h"

namespace tabrix {

// Draws the rows the kept image cannot supply (all of them unless only the
// first visible row moved forward since it was drawn) and marks them for
// sending.
void DrawCells(const Grid& grid, const CellLayout& layout);

// Within WM_PAINT: copies the image below the header to the window and
// answers the window's context.
HDC SendImage(const Grid& grid);

// After a vertical scroll from `fromPos`: moves the rows already on screen
// when the next paint will shift its image by as much, and leaves only the
// rows it brings in to be drawn and sent. Answers whether it did.
bool ScrollShownRows(const Grid& grid, int fromPos);

}  // namespace tabrix
