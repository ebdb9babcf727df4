// The mouse wheel: it moves the view alone, never the current cell, and
// asks the host nothing.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// WM_MOUSEWHEEL and WM_MOUSEHWHEEL. False for Ctrl+wheel, which is the
// parent's (to zoom, say): the caller passes it to DefWindowProc.
bool OnMouseWheel(const Grid& grid, UINT message, WPARAM wParam);

}  // namespace tabrix
