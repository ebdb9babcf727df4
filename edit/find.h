// GridFind: "Find" and "Find next" over a grid's cells in one call.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

constexpr int kFound = 1;
constexpr int kNotFound = 0;
constexpr int kFindRefused = -1;  // the open edit or the edited row could not be left

int GridFind(const Grid& grid, const char* text, bool currentColumnOnly, bool resume, int mode);

}  // namespace tabrix
