// The cell store on its own: no window, records built as DimCols and
// DefineField build them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>

#include "grid/cell_store.h"
#include "edit/undo.h"
#include "support/memory.h"

using namespace tabrix;

namespace {

// n data columns of the given declared sizes, laid out as a host would:
// n + 2 one-byte slots, then one defined slot per data column.
struct Store {
    GridArrays a{};
    explicit Store(std::initializer_list<int> sizes) {
        for (size_t i = 0; i < sizes.size() + 2; ++i) EXPECT_GE(AddField(&a, 0), 0);
        int col = 1;
        for (int size : sizes) EXPECT_TRUE(AppendFieldSlot(&a, col++, size));
    }
    ~Store() { FreeGridArrays(&a); }
    std::string Text(int row, int col) const {
        const char* text = CellText(&a, row, col);
        return text ? text : "<none>";
    }
};

struct AllocationFailures {
    explicit AllocationFailures(int after) { FailAllocationsAfter(after); }
    ~AllocationFailures() { FailAllocationsAfter(-1); }
};

}  // namespace

TEST(CellStore, StoresTextsUpToTheirDeclaredSize) {
    Store s{5, 3};
    EXPECT_EQ(StoreCell(&s.a, 1, 1, "abc"), kStored);
    EXPECT_EQ(StoreCell(&s.a, 1, 2, "xyz"), kStored);  // exactly the declared size
    EXPECT_EQ(s.Text(1, 1), "abc");
    EXPECT_EQ(s.Text(1, 2), "xyz");

    EXPECT_EQ(StoreCell(&s.a, 1, 1, "abcdef"), kTooLong);
    EXPECT_EQ(s.Text(1, 1), "abc") << "a refused text leaves the old one";

    EXPECT_EQ(StoreCell(&s.a, 1, 1, "z"), kStored);
    EXPECT_EQ(s.Text(1, 1), "z") << "the slot's old tail is cleared";
    EXPECT_EQ(s.Text(1, 2), "xyz") << "the neighbouring field is untouched";
}

TEST(CellStore, RefusesCellsOutsideTheStore) {
    Store s{4};
    EXPECT_EQ(StoreCell(&s.a, -1, 1, "a"), kBadCell);
    EXPECT_EQ(StoreCell(&s.a, 1, -1, "a"), kBadCell);
    EXPECT_EQ(StoreCell(&s.a, 1, s.a.fieldCount, "a"), kBadCell);
    EXPECT_EQ(StoreCell(&s.a, 1, 1, nullptr), kBadCell);
    EXPECT_EQ(s.a.maxRow, 0);

    StoreCell(&s.a, 2, 1, "ab");
    EXPECT_EQ(CellText(&s.a, 3, 1), nullptr) << "rows above maxRow have no text";
    EXPECT_EQ(CellText(&s.a, -1, 1), nullptr);
    EXPECT_EQ(CellText(&s.a, 2, s.a.fieldCount), nullptr);
    EXPECT_EQ(CellText(&s.a, INT_MAX, 1), nullptr);
    EXPECT_EQ(s.Text(0, 1), "") << "row 0 exists";
}

TEST(CellStore, GrowsGeometricallyAndKeepsEveryRow) {
    Store s{6};
    std::set<int> capacities;
    for (int row = 1; row <= 100000; ++row) {
        ASSERT_EQ(StoreCell(&s.a, row, 1, std::to_string(row % 999999).c_str()), kStored);
        ASSERT_GT(s.a.rowCapacity, row);
        capacities.insert(s.a.rowCapacity);
    }
    EXPECT_LT(capacities.size(), 40u) << "growth by a constant step copies the block once per row";
    EXPECT_LE(s.a.rowCapacity, 100002 + 100002 / 2 + 1);
    for (int row = 1; row <= 100000; row += 997) EXPECT_EQ(s.Text(row, 1), std::to_string(row));
    EXPECT_EQ(s.a.maxRow, 100000);
}

TEST(CellStore, RefusesRowsWhoseBlockCannotBeAddressed) {
    Store s{8};
    StoreCell(&s.a, 1, 1, "keep");
    const int capacity = s.a.rowCapacity;
    EXPECT_EQ(StoreCell(&s.a, INT_MAX, 1, "x"), kCouldNotGrow);
    EXPECT_EQ(StoreCell(&s.a, INT_MAX - 1, 1, "x"), kCouldNotGrow) << "its new-record row would be row 2^31";
    EXPECT_EQ(s.a.rowCapacity, capacity);
    EXPECT_EQ(s.a.maxRow, 1);
    EXPECT_EQ(s.Text(1, 1), "keep");

    size_t bytes = 0;
    EXPECT_FALSE(BlockBytes(int64_t{1} << 32, int64_t{1} << 32, &bytes)) << "2^64 bytes wraps to 0";
    EXPECT_FALSE(BlockBytes(-1, 8, &bytes));
    EXPECT_TRUE(BlockBytes(65536, 65536, &bytes));
    EXPECT_EQ(bytes, size_t{1} << 32);
}

TEST(CellStore, FailedGrowthKeepsTheOldBlock) {
    Store s{4};
    StoreCell(&s.a, 1, 1, "one");
    const int capacity = s.a.rowCapacity;
    const uint8_t* block = s.a.cells;
    {
        AllocationFailures fail(0);
        EXPECT_EQ(StoreCell(&s.a, capacity + 10, 1, "x"), kCouldNotGrow);
        EXPECT_EQ(ResizeRowBlock(&s.a, 50, true), 0);
        EXPECT_EQ(ResizeRowBlock(&s.a, 50, false), 0);
    }
    EXPECT_EQ(s.a.cells, block);
    EXPECT_EQ(s.a.rowCapacity, capacity);
    EXPECT_EQ(s.Text(1, 1), "one");
}

TEST(CellStore, ResizesTheBlockByTheRowCount) {
    Store s{4};
    EXPECT_EQ(ResizeRowBlock(&s.a, 10, false), 13);
    EXPECT_EQ(ResizeRowBlock(&s.a, 0, false), 3);
    EXPECT_EQ(ResizeRowBlock(&s.a, -5, false), 3);
    EXPECT_EQ(ResizeRowBlock(&s.a, INT_MAX, false), 0) << "the capacity must stay a 32-bit count";

    for (int row = 1; row <= 8; ++row) StoreCell(&s.a, row, 1, std::to_string(row).c_str());
    EXPECT_EQ(ResizeRowBlock(&s.a, 20, true), 23);
    EXPECT_EQ(s.Text(8, 1), "8") << "preserving growth keeps texts";

    EXPECT_EQ(ResizeRowBlock(&s.a, 3, true), 6);
    EXPECT_EQ(s.a.maxRow, 5) << "rows cut off the block are no longer reachable";
    EXPECT_EQ(s.Text(5, 1), "5");
    EXPECT_EQ(CellText(&s.a, 6, 1), nullptr);

    EXPECT_EQ(ResizeRowBlock(&s.a, 30, false), 33);
    EXPECT_EQ(s.Text(3, 1), "") << "plain resizing discards every text";
}

TEST(CellStore, RowStatesFollowTheBlock) {
    Store s{2};
    ResizeRowBlock(&s.a, 10, true);
    s.a.rowState[4] = 2;
    s.a.rowState[12] = 1;
    ResizeRowBlock(&s.a, 5, false);
    EXPECT_EQ(s.a.rowState[4], 2) << "states of rows that still fit are kept";
    GrowRows(&s.a, 100);
    EXPECT_EQ(s.a.rowState[4], 2);
    EXPECT_EQ(s.a.rowState[12], 0) << "rows beyond the old capacity start unchanged";
}

TEST(CellStore, FieldDefinedAfterRowsRelaysEveryRow) {
    Store s{3};
    for (int row = 1; row <= 50; ++row) StoreCell(&s.a, row, 1, std::to_string(row).c_str());
    ASSERT_TRUE(AllocUndoBuffers(&s.a));
    GridState state{};
    state.undoEnabled = 1;
    state.curRow = 7;
    SaveUndoRow(&state, &s.a);
    ASSERT_EQ(PushDeletedRow(&s.a, 9), 1);

    const int oldWidth = s.a.recordWidth;
    ASSERT_TRUE(AppendFieldSlot(&s.a, 2, 10));
    EXPECT_EQ(s.a.recordWidth, oldWidth + 11);
    for (int row = 1; row <= 50; ++row) {
        ASSERT_EQ(s.Text(row, 1), std::to_string(row));
        ASSERT_EQ(s.Text(row, 2), "");
    }
    // Filling the new field to its last byte must stay inside its own row.
    for (int row = 1; row <= 50; ++row) StoreCell(&s.a, row, 2, "0123456789");
    for (int row = 1; row <= 50; ++row) ASSERT_EQ(s.Text(row, 1), std::to_string(row));

    const FieldSlot col1 = s.a.fieldTable[1];
    EXPECT_STREQ(reinterpret_cast<char*>(s.a.undoRecord + col1.offset), "7");
    const uint8_t* top = s.a.deletedRows + (kDeletedSlots - 1) * DeletedSlotSize(&s.a);
    EXPECT_STREQ(reinterpret_cast<const char*>(top + col1.offset), "9");
    int32_t number;
    memcpy(&number, top + s.a.recordWidth, 4);
    EXPECT_EQ(number, 9) << "the row number moves to the end of the wider slot";

    // The undo record is now wide enough for a whole row of the new layout.
    state.curRow = 3;
    SaveUndoRow(&state, &s.a);
    EXPECT_STREQ(reinterpret_cast<char*>(s.a.undoRecord + s.a.fieldTable[2].offset), "0123456789");
}

TEST(CellStore, FailedFieldDefinitionKeepsTheLayout) {
    Store s{3};
    StoreCell(&s.a, 4, 1, "abc");
    const FieldSlot before = s.a.fieldTable[1];
    const int width = s.a.recordWidth;
    {
        AllocationFailures fail(0);
        EXPECT_FALSE(AppendFieldSlot(&s.a, 1, 20));
    }
    EXPECT_EQ(s.a.recordWidth, width);
    EXPECT_EQ(s.a.fieldTable[1].offset, before.offset);
    EXPECT_EQ(s.Text(4, 1), "abc");
}

TEST(CellStore, DeletedRowStackKeepsTheLastTen) {
    Store s{4};
    EXPECT_EQ(PushDeletedRow(&s.a, 1), 0) << "no stack while undo is off";
    for (int row = 1; row <= 12; ++row) StoreCell(&s.a, row, 1, ("r" + std::to_string(row)).c_str());
    ASSERT_TRUE(AllocUndoBuffers(&s.a));
    EXPECT_EQ(PushDeletedRow(&s.a, -1), 0);
    EXPECT_EQ(PushDeletedRow(&s.a, INT_MAX), 0);
    for (int row = 1; row <= 11; ++row) ASSERT_EQ(PushDeletedRow(&s.a, row), 1);

    const size_t slot = DeletedSlotSize(&s.a);
    for (int i = 1; i <= 10; ++i) {
        const uint8_t* entry = s.a.deletedRows + i * slot;
        int32_t number;
        memcpy(&number, entry + s.a.recordWidth, 4);
        EXPECT_EQ(number, i + 1) << "slot " << i;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry + s.a.fieldTable[1].offset)),
                  "r" + std::to_string(i + 1));
    }
    for (size_t i = 0; i < slot; ++i) ASSERT_EQ(s.a.deletedRows[i], 0) << "slot 0 is never written";
}

TEST(CellStore, UndoSnapshotFollowsTheCurrentRow) {
    Store s{4};
    StoreCell(&s.a, 2, 1, "two");
    ASSERT_TRUE(AllocUndoBuffers(&s.a));
    GridState state{};
    state.curRow = 2;
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(state.undoRow, 0) << "no snapshot while undo is off";

    state.undoEnabled = 1;
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(state.undoRow, 2);
    EXPECT_STREQ(reinterpret_cast<char*>(s.a.undoRecord + s.a.fieldTable[1].offset), "two");

    StoreCell(&s.a, 2, 1, "new");
    SaveUndoRow(&state, &s.a);
    EXPECT_STREQ(reinterpret_cast<char*>(s.a.undoRecord + s.a.fieldTable[1].offset), "two")
        << "staying on the row keeps the first snapshot";

    state.curRow = 1000000;
    SaveUndoRow(&state, &s.a);
    EXPECT_EQ(s.a.undoRecord[s.a.fieldTable[1].offset], 0) << "a row outside the block snapshots as empty";
}

TEST(CellStore, ClearsARangeOfCells) {
    Store s{3, 3};
    for (int row = 1; row <= 4; ++row) {
        StoreCell(&s.a, row, 0, "");
        StoreCell(&s.a, row, 1, "a");
        StoreCell(&s.a, row, 2, "b");
    }
    ClearCellRange(&s.a, 2, 100, 2, 100);
    EXPECT_EQ(s.Text(1, 2), "b");
    EXPECT_EQ(s.Text(2, 2), "");
    EXPECT_EQ(s.Text(4, 2), "");
    EXPECT_EQ(s.Text(4, 1), "a");
}
