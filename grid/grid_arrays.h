// GridArrays and the layout rules of the cell store. No window types here:
// the cell store, the record formats and find build on this header alone,
// so they compile (and are fuzzed) without the platform's headers.
#pragma once

#include <cstdint>
#include <cstring>

namespace tabrix {

constexpr int kMaxDataCols = 500;
constexpr int kMaxFieldSize = 32000;
constexpr int kDeletedSlots = 11;  // slot 0 unused, 1 oldest .. 10 newest

// Field types.
constexpr int FieldText = 0;
constexpr int FieldCheck = 1;
constexpr int FieldCombo = 2;

// Text of a deleted row's data cells, and what readers show instead.
constexpr char kDeletedMarker[] = "\x01";
constexpr char kDeletedText[] = "#DELETED#";

// `length` characters of a cell are the marker; painting asks this of the
// text left after trailing blanks, readers of the whole text.
inline bool IsDeletedMarker(const char* text, size_t length) { return length == 1 && text[0] == kDeletedMarker[0]; }
inline bool IsDeletedMarker(const char* text) { return IsDeletedMarker(text, strnlen(text, 2)); }

}  // namespace tabrix

// Published as the window property "gridarray": hosts that read it declare
// these records by hand, so they keep their plain names and their layout.
struct FieldSlot {
    int32_t offset;  // byte offset of the field within a row record
    int32_t size;    // stored size: declared characters + 1
};

struct GridArrays {
    // Host bytes per column, written by DefineField; tag 1 also marks
    // quoted columns for the delimited writer and travels in notifications.
    uint8_t* colTag1;
    uint8_t* colTag2;
    uint8_t* colTag3;
    // The block's shape: written by the cell store, read by every reader of cells.
    int32_t recordWidth;
    int32_t rowCapacity;
    int32_t maxRow;
    // Per row: written by editing and loads, read by hosts through RowModified.
    uint8_t* rowState;
    // Per column settings: written by DefineField and LockField, read by
    // painting and the editors.
    uint8_t* colLocked;
    uint8_t* colType;
    int32_t* colBackColor;
    int32_t* colTextColor;
    int32_t* colAlign;
    int32_t* colMultiline;
    // The field table's length: grown by the cell store, read everywhere.
    int32_t fieldCapacity;
    int32_t fieldCount;
    // Undo snapshot and deleted-row stack: written by undo tracking, laid
    // out again by the cell store when a field widens the record.
    uint8_t* undoRecord;
    uint8_t* deletedRows;
    // Row r's record starts at r × recordWidth; fieldTable says where each
    // column's slot lies in it.
    uint8_t* cells;
    FieldSlot* fieldTable;
};

#if !defined(_WIN64) && UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(FieldSlot) == 8, "FieldSlot is two 32-bit fields");
static_assert(sizeof(GridArrays) == 19 * 4, "GridArrays is nineteen 32-bit fields");
#endif

namespace tabrix {

// A column with a slot in the field table; every per-column array has at
// least this many entries.
inline bool ValidColumn(const GridArrays* a, int col) { return a->fieldTable && col >= 0 && col < a->fieldCount; }

// Where `col`'s text lies within a row record.
inline uint8_t* SlotAddress(const GridArrays* a, uint8_t* record, int col) { return record + a->fieldTable[col].offset; }
inline const char* SlotText(const GridArrays* a, const uint8_t* record, int col) {
    return reinterpret_cast<const char*>(record + a->fieldTable[col].offset);
}

// Characters a column holds: its stored size less the terminator.
inline int DeclaredSize(const GridArrays* a, int col) { return a->fieldTable[col].size - 1; }

// Size of one slot of the deleted-row stack: a record and its row number.
inline int32_t DeletedSlotSize(const GridArrays* a) { return a->recordWidth + 4; }

}  // namespace tabrix
