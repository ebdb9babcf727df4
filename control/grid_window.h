// The grid window class: registration, creation and the window procedure,
// which hands each message to the layer that owns it.
#pragma once

#include <windows.h>

namespace tabrix {

ATOM RegisterGridClass(HINSTANCE module);
HWND CreateGridWindow(HWND parent, HINSTANCE instance, int border, int id, int x, int y, int width, int height);
LRESULT CALLBACK GridWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tabrix
