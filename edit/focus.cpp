#include "edit/focus.h"

#include "view/accessible_ids.h"

namespace tabrix {

InputTrackers input;

void ForgetGridInput(HWND grid) {
    if (input.pressGrid == grid) input.pressGrid = nullptr;
    if (input.focusedGrid == grid) input.focusedGrid = nullptr;
    if (input.lastFocusGrid == grid) input.lastFocusGrid = nullptr;
    if (input.focusToRestore && (input.focusToRestore == grid || IsChild(grid, input.focusToRestore))) {
        input.focusToRestore = nullptr;
        input.focusRestorePending = 0;
    }
    if (input.focusedEditor && IsChild(grid, input.focusedEditor)) input.focusedEditor = nullptr;
}

LRESULT OnSetFocus(const Grid& grid) {
    input.focusedGrid = grid.hwnd;
    input.lastFocusGrid = grid.hwnd;
    // The platform announced the window; within it, the focus is the current cell.
    AnnounceCurrentCell(grid);
    return 0;
}

LRESULT OnKillFocus(const Grid& grid) {
    input.lastFocusGrid = grid.hwnd;
    input.focusedGrid = nullptr;
    return 0;
}

}  // namespace tabrix
