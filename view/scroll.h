// The scroll bars and sizing: what the bars are given, how a page is
// measured, and WM_SIZE. Moving the current cell is edit/navigation.h.
#pragma once

#include <cstdint>

#include "grid/grid_state.h"

namespace tabrix {

// Sums that involve a page size are compared as the 32-bit unsigned values
// the scroll bar works with: a negative sum counts as very large.
inline bool AboveUnsigned(int64_t a, int64_t b) { return static_cast<uint32_t>(a) > static_cast<uint32_t>(b); }
inline int Page(const SCROLLINFO& bar) { return static_cast<int>(bar.nPage); }

// Hands a scroll record to its bar, unless the bar already shows it.
void ApplyScrollBar(const Grid& grid, int bar);
// nPos into [nMin, nMax - nPage + 1]; a page larger than the range leaves
// only the lower bound, as unsigned arithmetic would.
void ClampScrollPosition(SCROLLINFO& bar);
// The vertical page becomes the whole rows that fit below the header of a
// client `clientHeight` high; the position is clamped and the bar applied.
void ApplyVerticalPage(const Grid& grid, int clientHeight);

LRESULT OnSize(const Grid& grid);

}  // namespace tabrix
