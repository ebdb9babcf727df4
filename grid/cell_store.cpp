#include "grid/cell_store.h"

#include <climits>
#include <cstring>

#include "support/memory.h"

namespace tabrix {
namespace {

size_t RowOffset(const GridArrays* arrays, int row) {
    return static_cast<size_t>(row) * static_cast<size_t>(arrays->recordWidth);
}

// Reallocates cells and rowState to `capacity` rows, keeping the row states
// that fit. On failure nothing changes.
bool SetRowCapacity(GridArrays* arrays, int64_t capacity, bool keepTexts) {
    size_t newBytes = 0, oldBytes = 0;
    if (capacity > INT_MAX || !BlockBytes(capacity, arrays->recordWidth, &newBytes)) return false;
    BlockBytes(arrays->rowCapacity, arrays->recordWidth, &oldBytes);
    // Emptying a block of the same size in place spares the heap a fresh
    // block whose pages would all fault in again (reloads of a grid).
    if (!keepTexts && arrays->cells && capacity == arrays->rowCapacity) {
        memset(arrays->cells, 0, newBytes);
        if (arrays->maxRow > arrays->rowCapacity - 1) arrays->maxRow = arrays->rowCapacity - 1;
        return true;
    }

    auto* states = static_cast<uint8_t*>(ZeroAlloc(static_cast<size_t>(capacity)));
    if (!states) return false;
    uint8_t* cells = static_cast<uint8_t*>(keepTexts ? ResizeBlock(arrays->cells, oldBytes, newBytes)
                                                     : ZeroAlloc(newBytes));
    if (!cells) {
        FreeBlock(states);
        return false;
    }
    if (!keepTexts) FreeBlock(arrays->cells);
    arrays->cells = cells;

    if (arrays->rowState) {
        memcpy(states, arrays->rowState, static_cast<size_t>(capacity < arrays->rowCapacity ? capacity : arrays->rowCapacity));
    }
    FreeBlock(arrays->rowState);
    arrays->rowState = states;
    arrays->rowCapacity = static_cast<int32_t>(capacity);
    if (arrays->maxRow > arrays->rowCapacity - 1) arrays->maxRow = arrays->rowCapacity - 1;
    return true;
}

// Moves `count` records of `oldWidth` bytes (each followed by `tail` bytes)
// to records of `newWidth`, in place, from the last to the first, zeroing
// what each record gained. The block must already hold count × (newWidth + tail).
void RelayRecords(uint8_t* block, int64_t count, int32_t oldWidth, int32_t newWidth, int32_t tail) {
    const size_t oldStride = static_cast<size_t>(oldWidth) + tail;
    const size_t newStride = static_cast<size_t>(newWidth) + tail;
    uint8_t tailBytes[4];
    for (int64_t i = count - 1; i >= 0; --i) {
        uint8_t* from = block + static_cast<size_t>(i) * oldStride;
        uint8_t* to = block + static_cast<size_t>(i) * newStride;
        memcpy(tailBytes, from + oldWidth, tail);
        memmove(to, from, oldWidth);
        memset(to + oldWidth, 0, newWidth - oldWidth);
        memcpy(to + newWidth, tailBytes, tail);
    }
}

// Widens every row record by `extra` bytes at its end.
bool WidenRecord(GridArrays* arrays, int32_t extra) {
    const int32_t oldWidth = arrays->recordWidth;
    if (static_cast<int64_t>(oldWidth) + extra > INT_MAX - 4) return false;
    const int32_t newWidth = oldWidth + extra;

    // Grow every buffer first and move bytes only when all have room, so a
    // failure leaves the old layout readable.
    size_t oldBytes = 0, newBytes = 0;
    if (arrays->cells) {
        if (!BlockBytes(arrays->rowCapacity, newWidth, &newBytes)) return false;
        BlockBytes(arrays->rowCapacity, oldWidth, &oldBytes);
        void* grown = ResizeBlock(arrays->cells, oldBytes, newBytes);
        if (!grown) return false;
        arrays->cells = static_cast<uint8_t*>(grown);
    }
    if (arrays->undoRecord) {
        void* grown = ResizeBlock(arrays->undoRecord, oldWidth, newWidth);
        if (!grown) return false;
        arrays->undoRecord = static_cast<uint8_t*>(grown);
    }
    if (arrays->deletedRows) {
        const size_t oldStack = kDeletedSlots * static_cast<size_t>(DeletedSlotSize(arrays));
        void* grown = ResizeBlock(arrays->deletedRows, oldStack, oldStack + kDeletedSlots * static_cast<size_t>(extra));
        if (!grown) return false;
        arrays->deletedRows = static_cast<uint8_t*>(grown);
    }

    if (arrays->cells) RelayRecords(arrays->cells, arrays->rowCapacity, oldWidth, newWidth, 0);
    if (arrays->deletedRows) RelayRecords(arrays->deletedRows, kDeletedSlots, oldWidth, newWidth, 4);
    arrays->recordWidth = newWidth;
    return true;
}

}  // namespace

uint8_t* RowRecord(const GridArrays* arrays, int row) {
    if (!arrays->cells || row < 0 || row >= arrays->rowCapacity) return nullptr;
    return arrays->cells + RowOffset(arrays, row);
}

const char* CellText(const GridArrays* arrays, int row, int col) {
    if (row < 0 || row > arrays->maxRow || !ValidColumn(arrays, col)) return nullptr;
    const uint8_t* record = RowRecord(arrays, row);
    if (!record) return nullptr;
    return SlotText(arrays, record, col);
}

int StoreCell(GridArrays* arrays, int row, int col, const char* text) {
    if (row < 0 || !text || !ValidColumn(arrays, col)) return kBadCell;
    const FieldSlot slot = arrays->fieldTable[col];
    const size_t len = strnlen(text, static_cast<size_t>(slot.size));
    if (len >= static_cast<size_t>(slot.size)) return kTooLong;
    if (row >= arrays->rowCapacity && !GrowRows(arrays, row)) return kCouldNotGrow;

    uint8_t* field = SlotAddress(arrays, RowRecord(arrays, row), col);
    memcpy(field, text, len);
    memset(field + len, 0, static_cast<size_t>(slot.size) - len);
    if (row > arrays->maxRow) arrays->maxRow = row;
    return kStored;
}

int GrowRows(GridArrays* arrays, int row) {
    // At least the row after `row` must fit (the next new-record row); beyond
    // that grow by half the capacity so filling n rows copies O(n) bytes.
    const int64_t needed = static_cast<int64_t>(row > 1 ? row : 1) + 2;
    int64_t capacity = static_cast<int64_t>(arrays->rowCapacity) + arrays->rowCapacity / 2;
    if (capacity < needed) capacity = needed;
    if (capacity > INT_MAX) capacity = INT_MAX;
    if (needed > capacity) return 0;
    return SetRowCapacity(arrays, capacity, true) ? 1 : 0;
}

bool ReserveRowsDoubling(GridArrays* arrays, int64_t rows) {
    if (rows + 2 <= arrays->rowCapacity) return true;
    int64_t capacity = 2 * static_cast<int64_t>(arrays->rowCapacity);
    if (capacity < rows + 2) capacity = rows + 2;
    if (capacity > INT_MAX) capacity = INT_MAX;
    if (rows + 2 > capacity) return false;
    return SetRowCapacity(arrays, capacity, true);
}

bool MakeRoomForRow(GridArrays* arrays, int row) {
    if (row < 0) return false;
    if (static_cast<int64_t>(row) + 2 <= arrays->rowCapacity) return true;
    return GrowRows(arrays, row) != 0;
}

int ResizeRowBlock(GridArrays* arrays, int n, bool keepTexts) {
    if (arrays->recordWidth == 0) return 0;
    const int64_t capacity = (n + 1LL > 1 ? n + 1LL : 1) + 2;
    return SetRowCapacity(arrays, capacity, keepTexts) ? static_cast<int>(capacity) : 0;
}

int AddField(GridArrays* arrays, int size) {
    const int index = arrays->fieldCount;
    void* table = ResizeBlock(arrays->fieldTable, sizeof(FieldSlot) * index, sizeof(FieldSlot) * (index + 1));
    if (!table) return -1;
    arrays->fieldTable = static_cast<FieldSlot*>(table);
    arrays->fieldCapacity = index + 1;
    arrays->fieldTable[index] = FieldSlot{arrays->recordWidth, 0};
    if (!WidenRecord(arrays, size + 1)) return -1;
    arrays->fieldTable[index].size = size + 1;
    arrays->fieldCount = index + 1;
    return index;
}

bool AppendFieldSlot(GridArrays* arrays, int col, int size) {
    if (!ValidColumn(arrays, col)) return false;
    const int32_t offset = arrays->recordWidth;
    if (!WidenRecord(arrays, size + 1)) return false;
    arrays->fieldTable[col] = FieldSlot{offset, size + 1};
    return true;
}

void ClearCellRange(GridArrays* arrays, int firstRow, int lastRow, int firstCol, int lastCol) {
    if (lastRow > arrays->maxRow) lastRow = arrays->maxRow;
    if (lastCol > arrays->fieldCount - 1) lastCol = arrays->fieldCount - 1;
    if (firstRow < 0) firstRow = 0;
    if (firstCol < 0) firstCol = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        uint8_t* record = RowRecord(arrays, row);
        for (int col = firstCol; col <= lastCol; ++col) {
            memset(SlotAddress(arrays, record, col), 0, arrays->fieldTable[col].size);
        }
    }
}

bool AllocUndoBuffers(GridArrays* arrays) {
    auto* undo = static_cast<uint8_t*>(ZeroAlloc(arrays->recordWidth));
    auto* deleted = static_cast<uint8_t*>(ZeroAlloc(kDeletedSlots * static_cast<size_t>(DeletedSlotSize(arrays))));
    if (!undo || !deleted) {
        FreeBlock(undo);
        FreeBlock(deleted);
        return false;
    }
    FreeBlock(arrays->undoRecord);
    FreeBlock(arrays->deletedRows);
    arrays->undoRecord = undo;
    arrays->deletedRows = deleted;
    return true;
}

void CopyRowToUndo(GridArrays* arrays, int row) {
    if (!arrays->undoRecord) return;
    const uint8_t* record = RowRecord(arrays, row);
    if (record) {
        memcpy(arrays->undoRecord, record, arrays->recordWidth);
    } else {
        memset(arrays->undoRecord, 0, arrays->recordWidth);
    }
}

int PushDeletedRow(GridArrays* arrays, int row) {
    const uint8_t* record = RowRecord(arrays, row);
    if (!arrays->deletedRows || !record) return 0;
    const size_t slot = static_cast<size_t>(DeletedSlotSize(arrays));
    uint8_t* stack = arrays->deletedRows;
    memmove(stack + slot, stack + 2 * slot, (kDeletedSlots - 2) * slot);
    uint8_t* top = stack + (kDeletedSlots - 1) * slot;
    memcpy(top, record, arrays->recordWidth);
    const int32_t number = row;
    memcpy(top + arrays->recordWidth, &number, sizeof number);
    return 1;
}

void FreeGridArrays(GridArrays* arrays) {
    void* blocks[] = {arrays->colTag1,      arrays->colTag2,      arrays->colTag3,     arrays->rowState,
                      arrays->colLocked,    arrays->colType,      arrays->colBackColor, arrays->colTextColor,
                      arrays->colAlign,     arrays->colMultiline, arrays->undoRecord,  arrays->deletedRows,
                      arrays->cells,        arrays->fieldTable};
    for (void* block : blocks) FreeBlock(block);
    *arrays = GridArrays{};
}

}  // namespace tabrix
