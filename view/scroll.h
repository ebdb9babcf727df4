// The viewport: scroll bars, keyboard-marked moves, sizing, and the host's
// view operations.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

LRESULT OnVScroll(const Grid& grid, int code);
LRESULT OnHScroll(const Grid& grid, int code);
LRESULT OnSize(const Grid& grid);

int GotoCell(const Grid& grid, int row, int col);
int ViewGrid(const Grid& grid, int mode);

// Hands a scroll record to its bar, unless the bar already shows it.
void ApplyScrollBar(const Grid& grid, int bar);
// nPos into [nMin, nMax - nPage + 1]; a page larger than the range leaves
// only the lower bound, as unsigned arithmetic would.
void ClampScrollPosition(SCROLLINFO& bar);
// The vertical page becomes the whole rows that fit below the header of a
// client `clientHeight` high; the position is clamped and the bar applied.
void ApplyVerticalPage(const Grid& grid, int clientHeight);

}  // namespace tabrix
