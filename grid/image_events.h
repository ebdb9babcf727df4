// What makes the kept off-screen image stale outright. Every message the
// window procedure receives and every export comes through here before it
// is handled. Most changes need no note: a paint compares what it would
// draw with prints of what the image shows (view/image_reuse.h) and draws
// only the rows that differ. A note here is for what those prints cannot
// see, and for every message or export not known to be seen by them.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Passed for an export: any export may change what the cells show.
constexpr UINT kExportCall = 0xFFFFFFFFu;
// Passed for an export that changes only what the prints see (cell texts,
// the current cell, the selection) or reads.
constexpr UINT kComparedExportCall = 0xFFFFFFFEu;

void NoteImageEvent(GridState* state, UINT message);

// A change the prints cannot see (a font made anew may come back with the
// handle of the one it replaces): the next paint draws every row.
void NoteEverythingChanged(GridState* state);

}  // namespace tabrix
