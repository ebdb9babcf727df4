#include "edit/row_state.h"

#include "grid/cell_store.h"
#include "view/scroll.h"

namespace tabrix {

int RowModified(const GridArrays* arrays, int row) {
    if (row < 1 || row > arrays->maxRow) return kRowOutside;
    const char* first = CellText(arrays, row, 1);
    if (first && IsDeletedMarker(first)) return kRowDeleted;
    return arrays->rowState && row < arrays->rowCapacity ? arrays->rowState[row] : kRowUnchanged;
}

int ResetRowModified(const Grid& grid, int row) {
    if (row < 1 || row > grid.arrays->maxRow) return 0;
    SetRowState(grid.arrays, row, kRowUnchanged);
    grid.state->rowEdited = 0;
    return 1;
}

void SetRowState(GridArrays* arrays, int row, int state) {
    if (arrays->rowState && row >= 0 && row < arrays->rowCapacity) arrays->rowState[row] = static_cast<uint8_t>(state);
}

void MarkRowModified(GridArrays* arrays, int row) {
    if (RowModified(arrays, row) != kRowAppended) SetRowState(arrays, row, kRowModified);
}

void AppendNewRecordRow(const Grid& grid, int row) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (!MakeRoomForRow(a, row + 1) || StoreCell(a, row + 1, 0, "") != kStored) return;
    s->rowCount = a->maxRow;
    s->vScroll.nMax = s->rowCount;
    ApplyScrollBar(grid, SB_VERT);
    s->newRowIndex = row;
    SetRowState(a, row, kRowAppended);
}

}  // namespace tabrix
