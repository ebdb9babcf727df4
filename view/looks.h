// The check boxes, the star's font and the row-resize cursor at a grid's
// resolution, shared by every grid at that resolution.
#pragma once

#include "grid/library.h"

namespace tabrix {

// The look at `dpi`, made at its first use; at 96 DPI, and when no more
// resolutions can be kept, the library's own resources.
DpiLook LookAt(int dpi);
// Frees the looks made for other resolutions, at the library's unloading.
void ReleaseLooks();

}  // namespace tabrix
