// Resizing: column widths by dragging header dividers, the row height by
// dragging a row border in the row-header column.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Inverts a one-pixel line of the window's client area; drawn twice it is gone.
void DrawTrackLine(HWND window, int position, int length, bool vertical);

// The header scrolls by relabelling: item i always shows the i-th visible
// data column, and the items past the data fill the rest.
void RelabelHeader(const Grid& grid);

void SubclassHeader(const Grid& grid);
// WM_NOTIFY from the header: true when handled, with its result.
bool OnHeaderNotify(const Grid& grid, const NMHDR* header, LRESULT* result);

LRESULT OnMouseMove(const Grid& grid, WPARAM wParam, LPARAM lParam);
// Whether mouseX, mouseY lie in the row-header column and on a row border.
void HitTestRowBorder(GridState* state);
// Starts a row-height drag when the press is on a row border; true if it did.
bool BeginRowDrag(const Grid& grid);
// Ends a row-height drag at the release point, storing the new height.
void FinishRowDrag(const Grid& grid);
// Ends a drag without storing anything: capture lost, mode cancelled,
// window hidden or destroyed.
void CancelRowDrag(const Grid& grid);

}  // namespace tabrix
