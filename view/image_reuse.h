// Whether a paint may shift the last off-screen image instead of drawing
// every row. What makes the image stale is noted in grid/image_events.h.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Whether the last image still shows exactly what a paint would draw.
bool ImageUnchanged(const GridState* state);

// Rows the last image may be shifted up by for a paint of a client
// width × height, or 0 when every row must be drawn.
int ReusableShift(const GridState* state, int width, int height);

// After a paint: what the image now shows. `drawn` and `drawnPos` are taken
// before drawing.
ImageKey CurrentImageKey(const GridState* state);
void RememberImage(GridState* state, const ImageKey& drawn, int drawnPos);

}  // namespace tabrix
