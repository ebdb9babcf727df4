#include "records/record_rows.h"

#include <climits>

#include "grid/cell_store.h"

namespace tabrix {
namespace {
// ResizeRowBlock(n) allocates n + 3 rows: row 0, rows 1 .. n, the
// new-record row and one to spare.
constexpr int64_t kRowsBeyondN = 3;
constexpr int64_t kLargestN = INT_MAX - kRowsBeyondN;
}  // namespace

bool MakeRoomForRow(GridArrays* arrays, int row, int margin) {
    if (row < 0) return false;
    const int64_t needed = static_cast<int64_t>(row) + 2;
    if (needed <= arrays->rowCapacity) return true;
    int64_t n = static_cast<int64_t>(row) + margin;
    const int64_t geometric = static_cast<int64_t>(arrays->rowCapacity) + arrays->rowCapacity / 2;
    if (n < geometric) n = geometric;
    if (n > kLargestN) n = kLargestN;
    if (n + kRowsBeyondN < needed) return false;
    return ResizeRowBlock(arrays, static_cast<int>(n), true) != 0;
}

bool ReplaceRows(GridArrays* arrays, int64_t rows) {
    if (rows < 0 || rows > kLargestN) return false;
    return ResizeRowBlock(arrays, static_cast<int>(rows), false) != 0;
}

}  // namespace tabrix
