// The hook on the host's main window that gives the focus back to the grid
// (or its open editor) after the window was minimised and restored.
#pragma once

#include <windows.h>

namespace tabrix {

// Hooks `host`; a window already hooked keeps its hook, and hooking another
// window first unhooks the previous one.
void TrapInitMenuPopup(HWND host);
// Gives the hooked window its own procedure back; at library unload no
// window may keep running code of the library.
void UnhookHostWindow();

}  // namespace tabrix
