// The cell store on its own: no window, records built as DimCols and
// DefineField build them.
#include <climits>
#include <cstring>
#include <set>

#include "grid/edit_history.h"
#include "tests/support/record_store.h"

using namespace tabrix;

namespace {
std::string SlotText(const GridArrays& a, const uint8_t* record, int col) {
    return reinterpret_cast<const char*>(record + a.fieldTable[col].offset);
}
int32_t SlotRowNumber(const GridArrays& a, const uint8_t* slot) {
    int32_t number;
    memcpy(&number, slot + a.recordWidth, 4);
    return number;
}
}  // namespace

TEST(CellStore, GrowsGeometricallyWithin64BitSizesAndFailuresKeepTheOldBlock) {
    RecordStore s({6});
    std::set<int> capacities;
    for (int row = 1; row <= 100000; ++row) {
        ASSERT_EQ(StoreCell(&s.a, row, 1, std::to_string(row).c_str()), kStored);
        capacities.insert(s.a.rowCapacity);
        if (row == 4) s.a.rowState[4] = 2;
    }
    EXPECT_LT(capacities.size(), 40u) << "growth by a constant step copies the block once per row";
    EXPECT_LE(s.a.rowCapacity, 100002 + 100002 / 2 + 1);
    for (int row = 1; row <= 100000; row += 997) EXPECT_EQ(s.Text(row, 1), std::to_string(row));
    EXPECT_EQ(s.a.maxRow, 100000);
    EXPECT_EQ(s.a.rowState[4], 2) << "row states move with the block";
    EXPECT_EQ(s.a.rowState[5000], 0);
    EXPECT_EQ(ResizeRowBlock(&s.a, INT_MAX, false), 0) << "the capacity must stay a 32-bit count";
    size_t bytes = 0;
    EXPECT_FALSE(BlockBytes(int64_t{1} << 32, int64_t{1} << 32, &bytes)) << "2^64 bytes wraps to 0";
    EXPECT_FALSE(BlockBytes(-1, 8, &bytes));
    EXPECT_FALSE(BlockBytes(65536, 32768, &bytes)) << "2 GB: past the largest block either build allocates";
    EXPECT_TRUE(BlockBytes(65536, 32767, &bytes) && bytes == size_t{65536} * 32767);

    const int capacity = s.a.rowCapacity;
    const uint8_t* block = s.a.cells;
    AllocationFailures fail(0);
    EXPECT_EQ(StoreCell(&s.a, capacity + 10, 1, "x"), kCouldNotGrow);
    EXPECT_EQ(ResizeRowBlock(&s.a, 50, true), 0);
    EXPECT_EQ(ResizeRowBlock(&s.a, 50, false), 0);
    EXPECT_FALSE(AppendFieldSlot(&s.a, 1, 20));
    EXPECT_EQ(s.a.cells, block) << "failures keep the old block and layout";
    EXPECT_EQ(s.a.rowCapacity, capacity);
    EXPECT_EQ(s.a.fieldTable[1].size, 7);
    EXPECT_EQ(s.Text(99999, 1), "99999");
}

TEST(CellStore, UndoRecordAndDeletedRowStackFollowRowsAndFieldsDefinedAfterThem) {
    RecordStore s({3});
    for (int row = 1; row <= 50; ++row) StoreCell(&s.a, row, 1, std::to_string(row).c_str());
    GridState state{};
    state.curRow = 7;
    EXPECT_EQ(PushDeletedRow(&s.a, 1), 0) << "no stack while undo is off";
    ASSERT_TRUE(AllocUndoBuffers(&s.a));
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(state.undoRow, 0) << "no snapshot while undo is off";
    state.undoEnabled = 1;
    SaveUndoRow(&state, &s.a);
    StoreCell(&s.a, 7, 1, "new");
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(state.undoRow, 7);
    for (int row : {-1, INT_MAX}) EXPECT_EQ(PushDeletedRow(&s.a, row), 0) << row;
    for (int row = 1; row <= 11; ++row) ASSERT_EQ(PushDeletedRow(&s.a, row), 1);

    const int oldWidth = s.a.recordWidth;
    ASSERT_TRUE(AppendFieldSlot(&s.a, 2, 10));
    EXPECT_EQ(s.a.recordWidth, oldWidth + 11);
    // Filling the new field to its last byte must stay inside its own row.
    for (int row = 1; row <= 50; ++row) ASSERT_EQ(s.Text(row, 2), "");
    for (int row = 1; row <= 50; ++row) StoreCell(&s.a, row, 2, "0123456789");
    for (int row = 1; row <= 50; ++row) ASSERT_EQ(s.Text(row, 1), row == 7 ? "new" : std::to_string(row));
    EXPECT_EQ(SlotText(s.a, s.a.undoRecord, 1), "7") << "staying on the row keeps the first snapshot";
    const size_t slot = DeletedSlotSize(&s.a);
    for (int i = 1; i <= 10; ++i) {  // the last ten rows pushed, row numbers moved to the end of the wider slots
        EXPECT_EQ(SlotRowNumber(s.a, s.a.deletedRows + i * slot), i + 1) << "slot " << i;
        EXPECT_EQ(SlotText(s.a, s.a.deletedRows + i * slot, 1), i + 1 == 7 ? "new" : std::to_string(i + 1));
    }
    for (size_t i = 0; i < slot; ++i) ASSERT_EQ(s.a.deletedRows[i], 0) << "slot 0 is never written";
    state.curRow = 3;
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(SlotText(s.a, s.a.undoRecord, 2), "0123456789") << "the undo record holds a whole wider row";
    state.curRow = 1000000;
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(SlotText(s.a, s.a.undoRecord, 1), "") << "a row outside the block snapshots as empty";
}
