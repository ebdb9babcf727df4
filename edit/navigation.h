// Moving the current cell: the scroll handlers the keys and the bars send,
// GotoCell and ViewGrid, and the one row-leave question every move asks.
#pragma once

#include "edit/notify.h"
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

// Whether the focus returns to the grid once the host answered.
enum class FocusAfter { Grid, Unchanged };

// The row-leave question: GN_ROWCHANGING about `row`, which the user edited.
// A refusal keeps the row marked edited; GridGone when the host destroyed
// the grid while it answered. `line`: where the caller sends its other
// notifications (a paste), else read now.
Leave AskRowChange(const Grid& grid, int row, FocusAfter focus, const HostLine* line = nullptr);

// The question as a move asks it, once the current row has left savedRow:
// a refusal puts the whole position back, current column and selection
// included, so a refused wrap-around move leaves the user on the cell they
// started from.
Leave AskToLeaveRow(const Grid& grid, bool edited, EntryCell entry);

LRESULT OnVScroll(const Grid& grid, int code);
LRESULT OnHScroll(const Grid& grid, int code);

// After a click made (curRow, curCol) current: the view scrolls just enough
// to show it whole.
void BringClickedCellIntoView(const Grid& grid);

// Makes (row, col) current as a click on it does: an open edit is
// committed, leaving an edited row asks the host, and the view scrolls to
// show the cell. False when either refused or the grid is gone.
bool MoveAsClick(const Grid& grid, int row, int col);

int GotoCell(const Grid& grid, int row, int col);
int ViewGrid(const Grid& grid, int mode);

}  // namespace tabrix
