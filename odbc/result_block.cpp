#include "odbc/result_block.h"

#include <cstring>

#include "grid/cell_store.h"
#include "support/text_cut.h"

namespace tabrix {

int32_t SlotLengthForDisplaySize(int64_t displaySize) {
    if (displaySize <= 0 || displaySize >= kMaxFieldSize) return kMaxFieldSize;
    return static_cast<int32_t>(displaySize) + 1;
}

namespace {

bool LayOut(const std::vector<int64_t>& displaySizes, bool wide, BlockLayout* layout) {
    layout->columns.clear();
    int64_t rowSize = 0;
    for (int64_t display : displaySizes) {
        // Two bytes a UTF-16 unit: a wide slot holds as many characters as
        // half the largest field.
        const int64_t units = display <= 0 || display >= kMaxFieldSize / 2 ? kMaxFieldSize / 2 : display;
        const int32_t length = wide ? static_cast<int32_t>((units + 1) * 2) : SlotLengthForDisplaySize(display);
        layout->columns.push_back(BlockColumn{length, static_cast<size_t>(rowSize), wide});
        rowSize += length + static_cast<int64_t>(sizeof(Indicator));
    }
    if (rowSize == 0 || rowSize > kMaxBlockBytes64) return false;
    layout->rowSize = static_cast<size_t>(rowSize);
    const int64_t rows = kMaxBlockBytes64 / rowSize;
    layout->rowsPerBlock = rows < kBlockRows ? static_cast<int>(rows) : kBlockRows;
    return true;
}

// A wide slot's units, copied out whatever the slot's alignment.
size_t WideToField(const uint8_t* slot, int32_t slotLength, char* field, size_t room) {
    static std::vector<uint16_t> units;  // reused: a load copies every row through it
    units.resize(static_cast<size_t>(slotLength) / 2);
    memcpy(units.data(), slot, units.size() * 2);
    return Utf16ToUtf8(units.data(), units.size(), field, room);
}

}  // namespace

bool LayOutBlock(const std::vector<int64_t>& displaySizes, BlockLayout* layout) {
    return LayOut(displaySizes, false, layout);
}

bool LayOutWideBlock(const std::vector<int64_t>& displaySizes, BlockLayout* layout) {
    return LayOut(displaySizes, true, layout);
}

void CopyBlockRow(GridArrays* arrays, int row, int dataColumns, const BlockLayout& layout, const uint8_t* block,
                  int blockRow, const TextEncoding& encoding) {
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
        if (slot.wide) {
            field[WideToField(blockRecord + slot.offset, slot.slotLength, field, declared)] = '\0';
            continue;
        }
        size_t n = 0;
        for (; n < limit && text[n]; ++n) field[n] = text[n];
        // A value cut, by the driver or here, keeps whole characters.
        if (!encoding.SingleByte() && (n == limit || indicator > static_cast<Indicator>(n) || indicator < 0)) {
            n = WholeCharacters(field, n, encoding);
        }
        field[n] = '\0';
    }
}

}  // namespace tabrix
