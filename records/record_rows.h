// What the two record formats share: the columns a record covers, their
// declared sizes, and room in the cell store for the rows they write.
// Nothing here touches a window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grid/cell_store.h"
#include "grid/grid_state.h"

namespace tabrix {

// Answer of the text readers for a row that holds no record.
constexpr char kInvalidRowText[] = "INVALID_ROW_NUMBER";

// Rows a whole-table load reserves at least, before it knows better.
constexpr int kLoadMargin = 500;

// A record covers columns 1 .. LastRecordColumn (the filler column); 0 when
// the grid has no columns.
inline int LastRecordColumn(const GridArrays* a) {
    return a->fieldTable && a->fieldCount >= 2 ? a->fieldCount - 1 : 0;
}
inline int DeclaredSize(const GridArrays* a, int col) { return a->fieldTable[col].size - 1; }
inline uint8_t* Slot(uint8_t* record, const GridArrays* a, int col) { return record + a->fieldTable[col].offset; }

// Loaders replace every row: the block is allocated anew for `rows` rows and
// their new-record row, all texts discarded. False, nothing changed, when
// the block cannot be allocated.
bool ReplaceRows(GridArrays* arrays, int64_t rows);

// Result of a whole-table load: the host's answer, and whether the rows
// were replaced (partly, when the answer is a failure).
struct LoadOutcome {
    int result;
    bool replaced;
};

}  // namespace tabrix
