#include "odbc/result_block.h"

#include <cstring>

#include "grid/cell_store.h"

namespace tabrix {

int32_t SlotLengthForDisplaySize(int64_t displaySize) {
    if (displaySize <= 0 || displaySize >= kMaxFieldSize) return kMaxFieldSize;
    return static_cast<int32_t>(displaySize) + 1;
}

bool LayOutBlock(const std::vector<int64_t>& displaySizes, BlockLayout* layout) {
    layout->columns.clear();
    int64_t rowSize = 0;
    for (int64_t display : displaySizes) {
        const int32_t length = SlotLengthForDisplaySize(display);
        layout->columns.push_back(BlockColumn{length, static_cast<size_t>(rowSize)});
        rowSize += length + static_cast<int64_t>(sizeof(Indicator));
    }
    if (rowSize == 0 || rowSize > kMaxBlockBytes64) return false;
    layout->rowSize = static_cast<size_t>(rowSize);
    const int64_t rows = kMaxBlockBytes64 / rowSize;
    layout->rowsPerBlock = rows < kBlockRows ? static_cast<int>(rows) : kBlockRows;
    return true;
}

void CopyBlockRow(GridArrays* arrays, int row, int dataColumns, const BlockLayout& layout, const uint8_t* block,
                  int blockRow) {
    uint8_t* record = RowRecord(arrays, row);
    if (!record) return;
    const uint8_t* blockRecord = block + static_cast<size_t>(blockRow) * layout.rowSize;
    const int columns = dataColumns < static_cast<int>(layout.columns.size())
                            ? dataColumns
                            : static_cast<int>(layout.columns.size());
    for (int col = 1; col <= columns && ValidColumn(arrays, col); ++col) {
        const BlockColumn& slot = layout.columns[static_cast<size_t>(col - 1)];
        if (slot.slotLength <= 1) continue;
        const char* text = reinterpret_cast<const char*>(blockRecord + slot.offset);
        Indicator indicator;
        memcpy(&indicator, blockRecord + slot.offset + static_cast<size_t>(slot.slotLength), sizeof indicator);
        if (indicator == kNullData) continue;
        size_t limit = static_cast<size_t>(slot.slotLength - 1);
        const size_t declared = static_cast<size_t>(DeclaredSize(arrays, col));
        if (declared < limit) limit = declared;
        // One pass copies and measures: values are short, and a call into the
        // runtime per value costs more than the copy.
        char* field = reinterpret_cast<char*>(SlotAddress(arrays, record, col));
        size_t n = 0;
        for (; n < limit && text[n]; ++n) field[n] = text[n];
        field[n] = '\0';
    }
}

}  // namespace tabrix
