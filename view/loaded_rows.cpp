#include "view/loaded_rows.h"

#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/rows.h"
#include "view/accessible_ids.h"
#include "view/scroll.h"

namespace tabrix {

void ShowReplacedRows(const Grid& grid) {
    GridState* s = grid.state;
    s->rowCount = grid.arrays->maxRow;
    s->curRow = 1;
    if (s->curCol < 1 || s->curCol > s->colCount - 1) s->curCol = 1;
    s->selectedRow = 0;
    ResetScrollRecords(s);
    ApplyScrollBar(grid, SB_VERT);
    ApplyScrollBar(grid, SB_HORZ);
    ForgetEditHistory(grid);
    RequestRepaint(grid);
    // Once a load, never a row at a time.
    AnnounceEvent(grid, EVENT_OBJECT_REORDER, CHILDID_SELF);
}

}  // namespace tabrix
