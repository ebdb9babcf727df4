// Whether a paint may shift the last off-screen image instead of drawing
// every row: the one place that knows what makes that image stale.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Passed for an export: any export may change what the cells show.
constexpr UINT kExportCall = 0xFFFFFFFFu;

// Every message the grid's window procedure receives, and every export,
// comes through here before it is handled.
void NoteImageEvent(GridState* state, UINT message);

// Anything that changes what the cells show without a message or an export
// (an editor's commit, a toggle) says so here.
void NoteCellsChanged(GridState* state);

// Whether the last image still shows exactly what a paint would draw.
bool ImageUnchanged(const GridState* state);

// Rows the last image may be shifted up by for a paint of a client
// width × height, or 0 when every row must be drawn.
int ReusableShift(const GridState* state, int width, int height);

// After a paint: what the image now shows. `drawn` and `drawnPos` are taken
// before painting, since a paint may move the horizontal position afterwards.
ImageKey CurrentImageKey(const GridState* state);
void RememberImage(GridState* state, const ImageKey& drawn, int drawnPos);

}  // namespace tabrix
