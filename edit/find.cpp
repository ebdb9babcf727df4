#include "edit/find.h"

#include "edit/editors.h"
#include "edit/find_scan.h"
#include "edit/notify.h"
#include "edit/row_state.h"
#include "view/scroll.h"

namespace tabrix {
namespace {
// Library-wide: a continued search in one grid resumes after the last hit
// in any grid.
FindContinuation continuation;
}  // namespace

int GridFind(const Grid& grid, const char* text, bool currentColumnOnly, bool resume, int mode) {
    GridState* s = grid.state;
    if (!text) return kNotFound;
    if (s->editing && CommitEdit(grid) != kDone) return kFindRefused;
    // The host is asked before the search, whether or not it will leave the row.
    if (s->rowEdited) {
        s->rowEdited = 0;
        const LRESULT reply = NotifyHost(grid, grid.hwnd, GN_ROWCHANGING, ControlId(grid),
                                         PackWords(s->curRow, RowModified(grid.arrays, s->curRow)));
        if (!GridSurvived(grid)) return kFindRefused;
        if (reply) {
            s->rowEdited = 1;
            return kFindRefused;
        }
    }
    const FindQuery query{text, mode, currentColumnOnly, resume, s->curCol, s->rowCount, s->colCount};
    CellPosition hit{};
    if (!FindInCells(grid.arrays, query, continuation, &hit)) return kNotFound;
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return kFindRefused;
    GotoCell(grid, hit.row, hit.col);
    return kFound;
}

}  // namespace tabrix
