#include "grid/row_states.h"

#include "grid/cell_store.h"
#include "support/answers.h"

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
    return kDone;
}

void SetRowState(GridArrays* arrays, int row, int state) {
    if (arrays->rowState && row >= 0 && row < arrays->rowCapacity) arrays->rowState[row] = static_cast<uint8_t>(state);
}

void MarkRowModified(GridArrays* arrays, int row) {
    if (RowModified(arrays, row) != kRowAppended) SetRowState(arrays, row, kRowModified);
}

}  // namespace tabrix
