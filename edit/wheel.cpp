#include "edit/wheel.h"

#include <climits>
#include <cstdint>

#include "grid/columns.h"
#include "grid/grid_access.h"
#include "view/paint.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

// Rows per notch as the user set them; a page for WHEEL_PAGESCROLL.
int WheelRowsPerNotch(const GridState* s) {
    UINT lines = 3;
    if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
    if (lines == WHEEL_PAGESCROLL) return s->visibleRows > 1 ? s->visibleRows : 1;
    return static_cast<int>(lines > 1000 ? 1000 : lines);
}

// Whole steps in the turns so far. A high-resolution wheel sends parts of a
// notch: they add up (kept in delta × steps-per-notch, so no division loses
// any), and a turn the other way drops what was left of the last direction.
int TakeSteps(int32_t* rest, int delta, int perNotch) {
    if ((*rest > 0 && delta < 0) || (*rest < 0 && delta > 0)) *rest = 0;
    const int64_t total = int64_t{*rest} + int64_t{delta} * perNotch;
    const int64_t steps = total / WHEEL_DELTA;
    *rest = static_cast<int32_t>(total - steps * WHEEL_DELTA);
    return static_cast<int>(steps);
}

int AverageCharWidth(const GridState* s) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, s->cellFont ? s->cellFont : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    const bool measured = GetTextMetricsA(dc, &metrics) != 0;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return measured && metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 1;
}

// Columns a notch scrolls. The user's setting counts characters, and the
// grid scrolls whole columns: as many of the columns the turn passes as fit
// in that many characters of the cell font, and at least one. A setting of
// 0 turns the horizontal wheel off, as 0 lines does the vertical one.
int WheelColumnsPerNotch(const GridState* s, bool right) {
    UINT chars = 3;
    if (!SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &chars, 0)) chars = 3;
    if (chars == 0) return 0;
    const int64_t span = int64_t{chars > 1000 ? 1000 : static_cast<int>(chars)} * AverageCharWidth(s);
    // Right: the columns leaving the view on the left, from the first one
    // shown. Left: those coming back, from the one before it.
    const int step = right ? 1 : -1;
    int columns = 0;
    int64_t width = 0;
    for (int col = s->hScroll.nPos + (right ? 1 : 0); col >= 1 && col < s->colCount; col += step) {
        width += ColumnWidth(s, col);
        if (width > span) break;
        ++columns;
    }
    return columns > 1 ? columns : 1;
}

void ScrollRows(const Grid& grid, int steps) {
    GridState* s = grid.state;
    const int fromPos = s->vScroll.nPos;
    s->vScroll.nPos = static_cast<int>(int64_t{fromPos} - steps);
    ClampScrollPosition(s->vScroll);
    if (s->vScroll.nPos == fromPos) return;
    ApplyScrollBar(grid, SB_VERT);
    if (!ScrollShownRows(grid, fromPos)) InvalidateCells(grid);
}

void ScrollColumns(const Grid& grid, int steps) {
    SCROLLINFO& h = grid.state->hScroll;
    const int fromPos = h.nPos;
    int64_t pos = int64_t{fromPos} + steps;
    // As the bar's own moves: the filler is no column to scroll to.
    if (pos > h.nMax - 2) pos = h.nMax - 2;
    if (pos < h.nMin) pos = h.nMin;
    h.nPos = static_cast<int>(pos);
    if (h.nPos == fromPos) return;
    ApplyScrollBar(grid, SB_HORZ);
    RequestRepaint(grid);
}

}  // namespace

bool OnMouseWheel(const Grid& grid, UINT message, WPARAM wParam) {
    GridState* s = grid.state;
    const WORD keys = GET_KEYSTATE_WPARAM(wParam);
    if (keys & MK_CONTROL) return false;
    if (!HasCells(s)) return true;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (message == WM_MOUSEHWHEEL) {
        // A tilt to the right shows the columns on the right.
        ScrollColumns(grid, TakeSteps(&s->hWheelRest, delta, WheelColumnsPerNotch(s, delta > 0)));
    } else if (keys & MK_SHIFT) {
        // Turned away from the user, the wheel goes back towards column 1.
        ScrollColumns(grid, -TakeSteps(&s->hWheelRest, delta, WheelColumnsPerNotch(s, delta < 0)));
    } else {
        ScrollRows(grid, TakeSteps(&s->vWheelRest, delta, WheelRowsPerNotch(s)));
    }
    return true;
}

}  // namespace tabrix
