// The one way from a window handle to a grid's records.
#pragma once

#include "grid/grid_state.h"
#include "support/answers.h"

namespace tabrix {

// The class name compared in full; a null or destroyed handle is no grid.
bool IsGridWindow(HWND hwnd);

// The records of a window known to be a grid. The window properties carry
// them for anyone who looks; the window's extra bytes carry the same two
// pointers for the hot paths, because a property lookup is a round trip to
// the window server under some platforms.
Grid GridFromWindow(HWND hwnd);
void AttachRecords(HWND hwnd, GridState* state, GridArrays* arrays);
void DetachRecords(HWND hwnd);
// The per-thread memory of the grid last reached; without it (no slot left)
// every lookup asks the window.
bool StartRecentGrids();
void EndRecentGrids();
constexpr int kWindowExtraBytes = 2 * sizeof(LONG_PTR);

// The module instance a window was created with; the grid's children are
// created with the grid's own.
inline HINSTANCE WindowInstance(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

// kNotGrid, kNoRecords, or kDone with `grid` filled.
int FetchGrid(HWND hwnd, Grid* grid);

// Runs op(grid) for a valid grid and answers its result, otherwise the
// handle's error code.
template <class Op>
int WithGrid(HWND hwnd, Op op) {
    Grid grid;
    int rc = FetchGrid(hwnd, &grid);
    return rc == kDone ? op(grid) : rc;
}

// The host may destroy the grid (or its parent) from any notification or
// focus change: false when `grid`'s records are gone.
bool GridSurvived(const Grid& grid);

// The same for exports that answer a text: `notGrid` for a window that is no
// grid, "" when the records are missing.
const char* TextForMissingGrid(int fetchResult, const char* notGrid);
template <class Op>
const char* WithGridText(HWND hwnd, const char* notGrid, Op op) {
    Grid grid;
    int rc = FetchGrid(hwnd, &grid);
    return rc == kDone ? op(grid) : TextForMissingGrid(rc, notGrid);
}

// Invalidates the grid without erasing, once per paint cycle; what the
// cells show changed, so the next paint draws every row.
void RequestRepaint(const Grid& grid);
// The same after a move of the view alone: the next paint judges from what
// moved whether its last image can be reused.
void InvalidateCells(const Grid& grid);
// Invalidates with erasing; for the rare operations that ask for it.
void RepaintErasing(const Grid& grid);

// Runs a data or view change and invalidates the grid after it, unless the
// host destroyed the grid meanwhile.
template <class Op>
int ChangeGrid(HWND hwnd, Op op) {
    return WithGrid(hwnd, [&](const Grid& g) {
        const int rc = op(g);
        if (GridSurvived(g)) RequestRepaint(g);
        return rc;
    });
}

}  // namespace tabrix
