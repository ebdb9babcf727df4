#include "records/record_rows.h"

#include <climits>
#include <cstring>

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

void KeepWholeCharacters(uint8_t* slot, size_t size, char next, const TextEncoding& encoding) {
    // A UTF-8 character is split only when the record goes on inside it; a
    // double-byte pair whenever its lead byte is the field's last byte.
    if (encoding.utf8 && (static_cast<uint8_t>(next) & 0xC0) != 0x80) return;
    const char* text = reinterpret_cast<const char*>(slot);
    const size_t whole = WholeCharacters(text, strnlen(text, size), encoding);
    memset(slot + whole, 0, size - whole);
}

}  // namespace tabrix
