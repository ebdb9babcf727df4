// Exports of the viewport and of notification delivery.
#include "edit/navigation.h"
#include "edit/notify.h"
#include "grid/grid_access.h"
#include "view/layout.h"

using tabrix::WithGrid;

extern "C" {

int32_t WINAPI GotoCell(HWND hwnd, int32_t row, int32_t col) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::GotoCell(g, row, col); });
}

int32_t WINAPI ViewGrid(HWND hwnd, int32_t mode) {
    return WithGrid(hwnd, [&](const Grid& g) { return tabrix::ViewGrid(g, mode); });
}

int32_t WINAPI GetCellRect(HWND hwnd, int32_t row, int32_t col, RECT* rect) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) {
        if (!rect || row < 1 || row > g.state->rowCount || col < 1 || col > g.state->colCount - 1) {
            return tabrix::kOutsideGrid;
        }
        // The client area as it is now, not as the last paint found it.
        RECT client;
        GetClientRect(g.hwnd, &client);
        return tabrix::CellArea(g.state, client, row, col, rect) ? tabrix::kDone : 0;
    });
}

int32_t WINAPI GetFirstVisRow(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->vScroll.nPos; });
}

int32_t WINAPI GetFirstVisCol(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->hScroll.nPos + 1; });
}

int32_t WINAPI GetCurrentRow(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->curRow; });
}

int32_t WINAPI GetCurrentCol(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->curCol; });
}

int32_t WINAPI SetFuncCallback(WNDPROC callback, int32_t enable) {
    tabrix::SetFuncCallback(callback, enable);
    return tabrix::kDone;
}

HWND WINAPI GetNotifyHwnd(void) { return tabrix::notifications.notifySource; }

void WINAPI GetNotifyCell(int32_t* row, int32_t* col) { tabrix::NotifyCellOf(row, col); }

}  // extern "C"
