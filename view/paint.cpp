#include "view/paint.h"

namespace tabrix {

LRESULT OnPaint(const Grid& grid) {
    // Cleared before drawing, so an invalidation made while painting is honoured.
    grid.state->repaintPending = 0;
    PAINTSTRUCT ps;
    BeginPaint(grid.hwnd, &ps);
    EndPaint(grid.hwnd, &ps);
    return 0;
}

}  // namespace tabrix
