// What makes the kept off-screen image stale. Every message the window
// procedure receives and every export comes through here before it is
// handled; view/image_reuse.cpp judges from the result whether a paint may
// reuse the image.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Passed for an export: any export may change what the cells show.
constexpr UINT kExportCall = 0xFFFFFFFFu;

void NoteImageEvent(GridState* state, UINT message);

// Anything that changes what the cells show without a message or an export
// (an editor's commit, a toggle) says so here.
void NoteCellsChanged(GridState* state);

}  // namespace tabrix
