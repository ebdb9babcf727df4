#include "edit/new_record_row.h"

#include "grid/cell_store.h"
#include "grid/row_states.h"
#include "view/scroll.h"

namespace tabrix {

void AppendNewRecordRow(const Grid& grid, int row, BarUpdate bar) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (!MakeRoomForRow(a, row + 1) || StoreCell(a, row + 1, 0, "") != kStored) return;
    s->rowCount = a->maxRow;
    s->vScroll.nMax = s->rowCount;
    if (bar == BarUpdate::Now) ApplyScrollBar(grid, SB_VERT);
    s->newRowIndex = row;
    SetRowState(a, row, kRowAppended);
}

}  // namespace tabrix
