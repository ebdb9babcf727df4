// What the two record formats share: the columns a record covers, their
// declared sizes, and room in the cell store for the rows they write.
// Nothing here touches a window.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grid/cell_store.h"
#include "grid/grid_arrays.h"
#include "support/text_cut.h"

namespace tabrix {

// A field of `size` bytes copied into `slot` from a record whose next byte
// is `next` (0 at the record's end): a character the field's end splits
// is left out, its bytes zeroed.
void KeepWholeCharacters(uint8_t* slot, size_t size, char next, const TextEncoding& encoding);

// Rows a whole-table load reserves at least, before it knows better.
constexpr int kLoadMargin = 500;

// A record covers columns 1 .. LastRecordColumn (the filler column); 0 when
// the grid has no columns.
inline int LastRecordColumn(const GridArrays* a) {
    return a->fieldTable && a->fieldCount >= 2 ? a->fieldCount - 1 : 0;
}

// A pooled string for a record text of `length` characters, or null when
// the length is past what a string may hold or memory ran out.
char* RecordBuffer(int64_t length);

// After one record was written into `row`: the row counts as stored and
// the row after it exists, empty, as the next new-record row.
void FinishPutRow(GridArrays* arrays, int row);

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
