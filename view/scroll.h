// The viewport: scroll bars, keyboard-marked moves, sizing, and the host's
// view operations.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// What a refused row change puts back besides the saved positions and row.
struct EntryCell {
    int col, selectedRow;
};
// Stores where a move starts (savedHPos, savedVPos, savedRow) and answers the
// rest of what a refusal restores.
EntryCell SaveEntryPosition(GridState* state);

enum class Leave { Allowed, Refused, GridGone };
// The row-leave question: before the current row leaves an edited row the
// host is asked with GN_ROWCHANGING. A refusal puts the whole position back,
// current column and selection included, so a refused wrap-around move
// leaves the user on the cell they started from.
Leave AskToLeaveRow(const Grid& grid, bool edited, EntryCell entry);

LRESULT OnVScroll(const Grid& grid, int code);
LRESULT OnHScroll(const Grid& grid, int code);
LRESULT OnSize(const Grid& grid);

// After a click made (curRow, curCol) current: the view scrolls just enough
// to show it whole.
void BringClickedCellIntoView(const Grid& grid);

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
