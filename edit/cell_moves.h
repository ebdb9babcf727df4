// How each scroll code moves the view and, when the keyboard asked for the
// move, the current cell. Only the grid's records change here: asking the
// host, the bars and the repaint are edit/navigation.cpp's.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// `trackPos` is the thumb's position for SB_THUMBTRACK. False for a code
// that moves nothing.
bool MoveVertically(GridState* state, int code, bool keyboard, int trackPos);
bool MoveHorizontally(GridState* state, int code, bool keyboard, int clientWidth, int trackPos);

// After a vertical key move: the current column back in view.
void KeepColumnInViewAfterVerticalMove(GridState* state, int clientWidth);
// After a horizontal move that asked for it: the current row back in view.
void KeepRowInView(GridState* state);

// After a click made (curRow, curCol) current: the view scrolls just enough
// to show it whole.
void ScrollClickedCellIntoView(GridState* state, int clientWidth);

}  // namespace tabrix
