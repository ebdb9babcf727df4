// The scan of GridFind over the cell store, and where a continued search
// resumes. No window here: it is tested and fuzzed on its own.
#pragma once

#include "grid/grid_arrays.h"

namespace tabrix {

// How a cell's whole stored text is compared; case counts in every mode.
constexpr int kFindEquals = 0;
constexpr int kFindContains = 1;
constexpr int kFindBeginsWith = 2;

struct FindQuery {
    const char* text;
    int mode;
    bool currentColumnOnly;
    bool resume;    // continue after the previous hit instead of at row 1
    int curCol;     // the column searched when currentColumnOnly
    int rowCount;   // the new-record row, scanned too
    int colCount;   // data columns are 1 .. colCount - 1
};

// Where a continued search resumes: after a hit at (row, col), (row, col + 1).
struct FindContinuation {
    int row = 0, col = 0;
};

struct CellPosition {
    int row, col;
};

bool CellMatches(const char* cell, const char* text, int mode);

// Moves `from` to where this search starts (kept so even when nothing is
// found) and scans from there to the last column of the new-record row,
// without wrapping. On a match answers true with `hit` set and `from` moved
// past it.
bool FindInCells(const GridArrays* arrays, const FindQuery& query, FindContinuation& from, CellPosition* hit);

}  // namespace tabrix
