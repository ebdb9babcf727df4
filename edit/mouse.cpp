#include "edit/mouse.h"

#include "edit/notify.h"
#include "view/header.h"

namespace tabrix {
LRESULT OnLButtonDown(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    s->moveRefused = 0;
    StoreMousePosition(s, lParam);
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid) || !HasCells(s)) return 0;
    if (s->mouseX > s->gridRight || s->mouseY > s->gridBottom) return 0;
    BeginRowDrag(grid);
    return 0;
}

LRESULT OnLButtonUp(const Grid& grid, LPARAM lParam) {
    GridState* s = grid.state;
    if (!HasCells(s)) return 0;
    StoreMousePosition(s, lParam);
    s->mouseOnRowBorder = 0;
    if (s->rowResizing) FinishRowDrag(grid);
    return 0;
}

LRESULT OnRButtonUp(const Grid& grid, LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(grid.hwnd, GetParent(grid.hwnd), &at, 1);
    NotifyHost(grid, grid.hwnd, GN_RBUTTONUP, ControlId(grid), PackWords(at.x, at.y));
    if (GridSurvived(grid)) SetFocus(grid.hwnd);
    return 0;
}

}  // namespace tabrix
