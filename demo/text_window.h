// A second top-level window with its own grid over a comma-delimited text
// file: the smallest host of the delimited-record functions.
#pragma once

#include <windows.h>

namespace demo {

// Opens the window, or brings it forward when it is already open. It is
// owned by `owner`, so it closes with the main window.
void ShowTextWindow(HWND owner, HINSTANCE instance);

}  // namespace demo
