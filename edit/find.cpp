#include "edit/find.h"

#include "edit/editors.h"
#include "edit/find_scan.h"
#include "edit/navigation.h"
#include "grid/grid_access.h"

namespace tabrix {
namespace {
// Library-wide: a continued search in one grid resumes after the last hit
// in any grid.
FindContinuation continuation;
}  // namespace

int GridFind(const Grid& grid, const char* text, bool currentColumnOnly, bool resume, int mode) {
    GridState* s = grid.state;
    if (!text) return kNotFound;
    if (!EditorClosed(grid)) return kFindRefused;
    // The host is asked before the search, whether or not it will leave the row.
    if (s->rowEdited && AskRowChange(grid, s->curRow, FocusAfter::Unchanged) != Leave::Allowed) return kFindRefused;
    const FindQuery query{text, mode, currentColumnOnly, resume, s->curCol, s->rowCount, s->colCount};
    CellPosition hit{};
    if (!FindInCells(grid.arrays, query, continuation, &hit)) return kNotFound;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return kFindRefused;
    GotoCell(grid, hit.row, hit.col);
    return kFound;
}

}  // namespace tabrix
