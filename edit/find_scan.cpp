#include "edit/find_scan.h"

#include <cstring>

#include "grid/cell_store.h"

namespace tabrix {
namespace {

bool Equal(const char* cell, const char* text) {
    while (*cell && *cell == *text) ++cell, ++text;
    return *cell == *text;
}

bool BeginsWith(const char* cell, const char* text) {
    while (*text && *cell == *text) ++cell, ++text;
    return *text == '\0';
}

// An empty text is found nowhere.
bool Contains(const char* cell, const char* text) {
    if (!*text) return false;
    for (; *cell; ++cell) {
        if (*cell == *text && BeginsWith(cell, text)) return true;
    }
    return false;
}

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

bool HasZeroByte(uint64_t word) { return ((word - kOnes) & ~word & kHighs) != 0; }

// Contains, eight bytes at a time while they lie inside the cell's slot of
// `slotSize` bytes: words without the terminator or the text's first
// character are skipped whole. Most cells hold no match at all.
bool ContainsInSlot(const char* cell, size_t slotSize, const char* text) {
    if (!*text) return false;
    const uint64_t first = kOnes * static_cast<unsigned char>(*text);
    size_t at = 0;
    for (; at + 8 <= slotSize; at += 8) {
        uint64_t word;
        memcpy(&word, cell + at, sizeof word);
        if (HasZeroByte(word) || HasZeroByte(word ^ first)) break;
    }
    return Contains(cell + at, text);
}

}  // namespace

bool CellMatches(const char* cell, const char* text, int mode) {
    switch (mode) {
        case kFindEquals:
            return Equal(cell, text);
        case kFindContains:
            return Contains(cell, text);
        case kFindBeginsWith:
            return BeginsWith(cell, text);
    }
    return false;
}

bool FindInCells(const GridArrays* a, const FindQuery& q, FindContinuation& from, CellPosition* hit) {
    if (from.row < 1) from.row = 1;
    if (from.col < 1) from.col = 1;
    if (!q.resume) from = FindContinuation{1, 1};
    int first = 1, last = q.colCount - 1, startCol = 1;
    if (q.currentColumnOnly) {
        first = last = q.curCol;
        startCol = first;
        if (q.resume) from.row += 1;
    } else if (q.resume) {
        startCol = from.col;
        // After a hit in the last column the search goes on in the next row.
        if (startCol > last) {
            from.row += 1;
            from.col = startCol = 1;
        }
    }
    // Wrapping to the top starts the row at its first column.
    if (from.row >= q.rowCount) {
        from.row = 1;
        startCol = first;
    }
    if (first > last || first < 1) return false;

    // The resumed column applies to the row the search resumes in; every
    // later row is searched from its first column.
    if (!ValidColumn(a, last)) return false;
    const int lastRow = q.rowCount < a->maxRow ? q.rowCount : a->maxRow;
    for (int row = from.row; row <= lastRow; ++row) {
        const uint8_t* record = RowRecord(a, row);
        if (!record) break;
        for (int col = row == from.row ? startCol : first; col <= last; ++col) {
            const char* cell = SlotText(a, record, col);
            const bool match = q.mode == kFindContains
                                   ? ContainsInSlot(cell, static_cast<size_t>(a->fieldTable[col].size), q.text)
                                   : CellMatches(cell, q.text, q.mode);
            if (match) {
                from = FindContinuation{row, col + 1};
                *hit = CellPosition{row, col};
                return true;
            }
        }
    }
    return false;
}

}  // namespace tabrix
