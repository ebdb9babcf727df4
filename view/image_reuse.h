// Whether a paint may take rows from the kept off-screen image. The image
// keeps what it shows (KeptImage, grid_state.h): the look every row shares
// and a print of each slot's row. A paint describes what it would draw now
// the same way; only the slots whose prints differ are drawn again, the
// rest come from the image, moved first when the first visible row moved.
// What makes the image stale outright is noted in grid/image_events.h.
#pragma once

#include "grid/grid_state.h"
#include "view/layout.h"

namespace tabrix {

// How a slot's row differs from what the image shows there.
enum class SlotChange : uint8_t {
    kNone,
    kTexts,  // only texts of its cells: only their areas change
    kRow,    // anything else: another row, its marks, no row at all
};

// What a paint must draw again.
struct RepaintPlan {
    bool whole;  // every row
    int shift;   // rows the image moves up before drawing (down when negative)
    int slots;   // slots down to the bottom edge
    SlotChange stale[kImageSlots + 1];  // slots 1 .. slots
};

// The paint laid out by `layout`, as the kept image describes itself.
void DescribeImage(const Grid& grid, const CellLayout& layout, KeptImage* now);
void PlanRepaint(const GridState* state, const KeptImage& now, RepaintPlan* plan);
// After drawing: the image shows `now`.
void RememberImage(GridState* state, const KeptImage& now);

// Rows the next paint would move the kept image by as the view stands now,
// 0 when it moves none or draws every row.
int ReusableShift(const Grid& grid);

}  // namespace tabrix
