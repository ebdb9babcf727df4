// The row-wise block a query's rows are fetched into, and the copy of its
// rows into the cell store. No ODBC or window types here: the driver's
// length-or-indicator slots are pointer-sized, as the driver manager writes
// them on either build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "grid/grid_arrays.h"
#include "support/text_cut.h"

namespace tabrix {

using Indicator = intptr_t;
constexpr Indicator kNullData = -1;

// Rows asked of the driver per fetch, unless a block of that many rows
// would pass kMaxBlockRowsBytes.
constexpr int kBlockRows = 1000;
constexpr int64_t kMaxBlockBytes64 = int64_t{64} << 20;

struct BlockColumn {
    int32_t slotLength;  // text bytes bound for the column, terminator included
    size_t offset;       // of the text within a block row; its indicator follows
    bool wide;           // UTF-16 units, stored as UTF-8
};

struct BlockLayout {
    std::vector<BlockColumn> columns;  // result column c at index c - 1
    size_t rowSize = 0;
    int rowsPerBlock = 0;
};

// The slot length for a column whose display size the driver reported:
// one byte more than the size, at most the largest field; sizes of 0 or
// below (unknown, no total) get the largest field.
int32_t SlotLengthForDisplaySize(int64_t displaySize);

// Slots in column order, each followed by its indicator; rows per block
// lowered so one block stays within 64 MB. False when even one row is
// larger than that.
bool LayOutBlock(const std::vector<int64_t>& displaySizes, BlockLayout* layout);
// The same for UTF-16 units of the characters the display sizes count.
bool LayOutWideBlock(const std::vector<int64_t>& displaySizes, BlockLayout* layout);

// Copies row `blockRow` of `block` into row `row` of the cell store, for
// columns 1 .. min(result columns, data columns). A NULL value, or a slot
// too short to hold text, leaves the cell empty; texts are cut to the
// field's declared size (a wide column's to whole UTF-8 characters). The
// row must exist and be zero-filled.
void CopyBlockRow(GridArrays* arrays, int row, int dataColumns, const BlockLayout& layout, const uint8_t* block,
                  int blockRow, const TextEncoding& encoding = TextEncoding{});

}  // namespace tabrix
