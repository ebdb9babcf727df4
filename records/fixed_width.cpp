#include "records/fixed_width.h"

#include <climits>
#include <cstring>

#include "grid/cell_store.h"
#include "support/temp_string.h"
#include "support/text_scan.h"

namespace tabrix {
namespace {

// Sum of the declared sizes of columns 1 .. last; 64 bits so that 500
// fields of 32000 characters cannot overflow it.
int64_t RecordLength(const GridArrays* a) {
    int64_t length = 0;
    for (int col = 1; col <= LastRecordColumn(a); ++col) length += DeclaredSize(a, col);
    return length;
}

bool ShorterThanFirstField(const GridArrays* a, size_t length) {
    return length < static_cast<size_t>(DeclaredSize(a, 1));
}

}  // namespace

const char* FixedWidthRecord(const GridArrays* arrays, int row) {
    const uint8_t* record = RowRecord(arrays, row);
    if (!record || row > arrays->maxRow) return TempText(kInvalidRowText);
    char* out = RecordBuffer(RecordLength(arrays));
    if (!out) return TempText("");
    char* at = out;
    for (int col = 1; col <= LastRecordColumn(arrays); ++col) {
        const size_t size = static_cast<size_t>(DeclaredSize(arrays, col));
        const char* text = SlotText(arrays, record, col);
        const size_t len = strnlen(text, size);
        memcpy(at, text, len);
        memset(at + len, ' ', size - len);
        at += size;
    }
    return out;
}

int PutFixedWidthRecord(GridArrays* arrays, int row, const char* record, const TextEncoding& encoding) {
    if (!LastRecordColumn(arrays)) return kNotStored;
    const size_t length = record ? strlen(record) : 0;
    if (!record || ShorterThanFirstField(arrays, length)) return kShortRecord;
    if (row < 0) return kBadRow;
    if (row == INT_MAX || !MakeRoomForRow(arrays, row)) return kNotStored;

    uint8_t* target = RowRecord(arrays, row);
    size_t at = 0;
    for (int col = 1; col <= LastRecordColumn(arrays) && at <= length; ++col) {
        const size_t size = static_cast<size_t>(DeclaredSize(arrays, col));
        const size_t take = length - at < size ? length - at : size;
        // The whole slot is cleared so a shorter text leaves no old tail.
        uint8_t* slot = SlotAddress(arrays, target, col);
        memcpy(slot, record + at, take);
        memset(slot + take, 0, size + 1 - take);
        if (take == size && !encoding.SingleByte()) KeepWholeCharacters(slot, size, record[at + size], encoding);
        at += size;
    }
    FinishPutRow(arrays, row);
    return kStored;
}

LoadOutcome LoadFixedWidthRecords(GridArrays* arrays, const char* data, const TextEncoding& encoding) {
    const int last = LastRecordColumn(arrays);
    if (!last) return {kNotStored, false};
    const size_t length = data ? TextLength(data) : 0;
    if (!data || ShorterThanFirstField(arrays, length)) return {kShortRecord, false};
    const int64_t recordLength = RecordLength(arrays);
    if (recordLength == 0) return {kNotStored, false};

    const int64_t rows = static_cast<int64_t>(length / static_cast<uint64_t>(recordLength));
    if (rows >= INT_MAX || !ReplaceRows(arrays, rows)) return {kNotStored, false};
    const char* from = data;
    for (int row = 1; row <= rows; ++row) {
        uint8_t* target = RowRecord(arrays, row);
        // The new block is zero-filled: every slot's terminator is already there.
        for (int col = 1; col <= last; ++col) {
            const int size = DeclaredSize(arrays, col);
            uint8_t* slot = SlotAddress(arrays, target, col);
            CopyShort(slot, from, static_cast<size_t>(size));
            from += size;
            if (!encoding.SingleByte()) KeepWholeCharacters(slot, static_cast<size_t>(size), *from, encoding);
        }
    }
    arrays->maxRow = static_cast<int>(rows) + 1;
    return {1, true};
}

}  // namespace tabrix
