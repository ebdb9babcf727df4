// The grid's own keys: moves of the current cell, opening the editor,
// toggling a check box, deleting the selected row. While an editor is open the keys reach it.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Asks the scroll handlers to move the current cell: each code (-1 for
// none) is stored as the key-move word and sent, vertical first.
void SendKeyMove(const Grid& grid, int vCode, int hCode);

// Shift+F10; false for a key DefWindowProc handles.
bool OnSysKeyDown(const Grid& grid, WPARAM key);
LRESULT OnKeyDown(const Grid& grid, WPARAM key);
LRESULT OnChar(const Grid& grid, WPARAM code);
LRESULT OnKeyUp(const Grid& grid, WPARAM key);

}  // namespace tabrix
