// The one way from a window handle to a grid's records.
#pragma once

#include "grid/grid_state.h"
#include "grid/image_events.h"
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

// kNotGrid, kNoRecords, or kDone with `grid` filled. `call` tells the kept
// image what the export may change (grid/image_events.h).
int FetchGrid(HWND hwnd, Grid* grid, UINT call = kExportCall);

// Runs op(grid) for a valid grid and answers its result, otherwise the
// handle's error code.
template <class Op>
int WithGrid(HWND hwnd, Op op, UINT call = kExportCall) {
    Grid grid;
    int rc = FetchGrid(hwnd, &grid, call);
    return rc == kDone ? op(grid) : rc;
}
// The same for an export that only reads, or changes only what a paint
// compares row by row (cell texts, the current cell, the selection): the
// next paint draws only the rows that differ.
template <class Op>
int WithComparedGrid(HWND hwnd, Op op) {
    return WithGrid(hwnd, op, kComparedExportCall);
}

// The host may destroy the grid (or its parent) from any notification or
// focus change: false when `grid`'s records are gone.
bool GridSurvived(const Grid& grid);

// The same for exports that answer a text: `notGrid` for a window that is no
// grid, "" when the records are missing.
const char* TextForMissingGrid(int fetchResult, const char* notGrid);
template <class Op>
const char* WithGridText(HWND hwnd, const char* notGrid, Op op, UINT call = kExportCall) {
    Grid grid;
    int rc = FetchGrid(hwnd, &grid, call);
    return rc == kDone ? op(grid) : TextForMissingGrid(rc, notGrid);
}
template <class Op>
const char* WithComparedGridText(HWND hwnd, const char* notGrid, Op op) {
    return WithGridText(hwnd, notGrid, op, kComparedExportCall);
}

// Invalidates the grid without erasing, once per paint cycle; the next
// paint draws the rows whose prints changed (view/image_reuse.h).
void RequestRepaint(const Grid& grid);
void InvalidateCells(const Grid& grid);
// Invalidates with erasing; for the rare operations that ask for it.
void RepaintErasing(const Grid& grid);

// Runs a data or view change and invalidates the grid after it, unless the
// host destroyed the grid meanwhile.
template <class Op>
int ChangeGrid(HWND hwnd, Op op, UINT call = kExportCall) {
    return WithGrid(
        hwnd,
        [&](const Grid& g) {
            const int rc = op(g);
            if (GridSurvived(g)) RequestRepaint(g);
            return rc;
        },
        call);
}

}  // namespace tabrix
