// Whether a paint may take rows from the kept off-screen image. The image
// keeps what it shows (KeptImage, grid_state.h): the look every row shares,
// a print of each slot's row marks and one of each shown cell's text. A
// paint describes what it would draw now the same way; only what differs is
// drawn again: a row whose marks changed, a cell whose text changed. The
// rest comes from the image, moved first when the first visible row moved.
// What makes the image stale outright is noted in grid/image_events.h.
#pragma once

#include <vector>

#include "grid/grid_state.h"
#include "view/layout.h"

namespace tabrix {

// A data column a row shows the text of: which, and where (left, width).
struct ColumnSpan {
    int col, x, w;
};

// What a paint must draw again.
struct RepaintPlan {
    bool whole;    // every row
    int shift;     // rows the image moves up before drawing (down when negative)
    int slots;     // slots down to the bottom edge
    int columns;   // data columns a row shows texts of, left to right
    bool rowStale[kImageSlots + 1];  // slots 1 .. slots whose row marks changed or came into view
    std::vector<bool> cellStale;     // slot r's i-th column at (r - 1) × columns + i, for the other slots
    const std::vector<ColumnSpan>* spans = nullptr;  // the columns, left to right, unless whole
};

// The paint laid out by `layout`, described in `now` and the cells' prints
// kept beside it. Without memory for those prints `now` says that it cannot
// be reused (no slots).
void DescribeImage(const Grid& grid, const CellLayout& layout, KeptImage* now);
void PlanRepaint(const GridState* state, const KeptImage& now, RepaintPlan* plan);
// After drawing: the image shows `now`.
void RememberImage(GridState* state, const KeptImage& now);
// Releases the cells' prints (with the off-screen surface).
void ForgetImage(GridState* state);

// The window's pixels no longer show the image (a track line was drawn on
// them, and the paints in between sent only what changed): the next paint
// sends all of it.
void ResendImage(const Grid& grid);

// Rows the next paint would move the kept image by as the view stands now,
// 0 when it moves none or draws every row.
int ReusableShift(const Grid& grid);

}  // namespace tabrix
