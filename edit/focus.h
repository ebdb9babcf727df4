// Keyboard focus tracking, the press trackers of clicks, and the hook on the
// host's main window that gives the focus back after a minimise.
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

// Hooks `host`; a window already hooked keeps its hook, and hooking another
// window first unhooks the previous one.
void TrapInitMenuPopup(HWND host);
// Gives the hooked window its own procedure back; at library unload no
// window may keep running code of the library.
void UnhookHostWindow();

}  // namespace tabrix
