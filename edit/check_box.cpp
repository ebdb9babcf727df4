#include "edit/check_box.h"

#include <cstring>

#include "edit/navigation.h"
#include "edit/new_record_row.h"
#include "edit/notify.h"
#include "grid/cell_store.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "view/accessible_ids.h"

namespace tabrix {
namespace {

void ToggleCheckBox(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    const int row = s->curRow, col = s->curCol;
    const char* text = CellText(a, row, col);
    if (!text || IsDeletedMarker(text)) return;
    const WPARAM wParam = PackWords(static_cast<int>(ControlId(grid)), a->colTag1[col]);
    const LPARAM lParam = PackWords(row, col);
    const LRESULT reply = NotifyHost(grid, grid.hwnd, GN_CELLCHANGING, wParam, lParam, NotifyCell{row, col});
    if (!GridSurvived(grid)) return;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid) || reply) return;
    // The host may have reloaded or reshaped the grid while it answered.
    text = CellText(a, row, col);
    if (!text || row > s->rowCount || !ValidColumn(a, col) || col >= s->colCount) return;
    if (text[0] == '\0' || strcmp(text, "0") == 0) {
        StoreCell(a, row, col, "1");
    } else if (strcmp(text, "1") == 0) {
        StoreCell(a, row, col, "0");
    }
    MarkRowModified(a, row);
    if (row == s->rowCount) AppendNewRecordRow(grid, row);
    s->rowEdited = 1;
    s->dataChanged = 1;
    NotifyHost(grid, grid.hwnd, GN_CELLCHANGED, wParam, lParam, NotifyCell{row, col});
    if (!GridSurvived(grid)) return;
    AnnounceCellValue(grid, row, col);
    SetFocus(grid.hwnd);
}

}  // namespace

bool CurrentCheckBoxToggles(const Grid& grid) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    return HasCells(s) && !s->readOnly && !s->editing && ValidColumn(a, s->curCol) && s->curCol < s->colCount &&
           !a->colLocked[s->curCol] && a->colType[s->curCol] == FieldCheck;
}

void ToggleCurrentCheckBox(const Grid& grid) {
    if (CurrentCheckBoxToggles(grid)) ToggleCheckBox(grid);
}

void ToggleCheckBoxAt(const Grid& grid, int row, int col) {
    const GridState* s = grid.state;
    if ((row != s->curRow || col != s->curCol) && !MoveAsClick(grid, row, col)) return;
    ToggleCurrentCheckBox(grid);
}

}  // namespace tabrix
