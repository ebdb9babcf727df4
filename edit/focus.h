// Keyboard focus tracking and the press trackers of clicks. The hook on the
// host's main window (control/host_hook.h) reads and writes the focus part.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Library-wide: all grids of a process live on one thread.
struct InputTrackers {
    // The latest left-button press in a cell area: written by the press,
    // compared by the release, so a click is a press and a release on the
    // same cell of the same grid.
    HWND pressGrid;
    int pressRow, pressCol;
    // Focus: written by the focus messages of grids and editors, read by the
    // host hook and GridGetFocus.
    HWND focusedGrid;
    HWND lastFocusGrid;
    HWND focusedEditor;
    // The host hook: the window it hooked and its previous procedure, and
    // the focus to give back once that window is active again.
    HWND hookedWindow;
    WNDPROC hostPrevProc;
    int focusRestorePending;
    HWND focusToRestore;
};

extern InputTrackers input;

// A destroyed grid is no longer pressed, focused or a focus to restore.
void ForgetGridInput(HWND grid);

LRESULT OnSetFocus(const Grid& grid);
LRESULT OnKillFocus(const Grid& grid);

}  // namespace tabrix
