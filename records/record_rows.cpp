#include "records/record_rows.h"

#include <climits>

#include "grid/cell_store.h"
#include "support/temp_string.h"

namespace tabrix {
namespace {
// ResizeRowBlock(n) allocates n + 3 rows: row 0, rows 1 .. n, the
// new-record row and one to spare.
constexpr int64_t kRowsBeyondN = 3;
constexpr int64_t kLargestN = INT_MAX - kRowsBeyondN;
}  // namespace

char* RecordBuffer(int64_t length) {
    if (length < 0 || length > INT_MAX) return nullptr;
    return TempString(static_cast<size_t>(length));
}

void FinishPutRow(GridArrays* arrays, int row) {
    if (row > arrays->maxRow) arrays->maxRow = row;
    StoreCell(arrays, row + 1, 0, "");
}

bool ReplaceRows(GridArrays* arrays, int64_t rows) {
    if (rows < 0 || rows > kLargestN) return false;
    return ResizeRowBlock(arrays, static_cast<int>(rows), false) != 0;
}

}  // namespace tabrix
