#include <climits>
#include <string>

#include "grid/cell_store.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

TEST_F(GridTest, CreateCellAddsRowsAndTheNewRecordRow) {
    Shape(2, 5);
    EXPECT_EQ(CreateCell(grid, 1, 1, "abc"), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(Cell(1, 1), "abc");
    EXPECT_EQ(Cell(2, 1), "") << "row 2 is the new-record row";
    EXPECT_EQ(state()->rowCount, 2);

    EXPECT_EQ(CreateCell(grid, 100, 2, "x"), 1);
    EXPECT_EQ(GetRowCount(grid), 100);
    EXPECT_EQ(Cell(50, 1), "");
    EXPECT_EQ(Cell(100, 2), "x");
}

TEST_F(GridTest, TextsThatDoNotFitAreRefusedAndReported) {
    Shape(1, 5);
    EXPECT_EQ(CreateCell(grid, 1, 1, "abcde"), 1) << "exactly the declared size fits";
    EXPECT_EQ(Cell(1, 1), "abcde");
    EXPECT_EQ(CreateCell(grid, 1, 1, "abcdef"), -2);
    EXPECT_EQ(SetCellText(grid, 1, 1, "abcdef"), -2);
    EXPECT_EQ(Cell(1, 1), "abcde");
}

TEST_F(GridTest, CellsOutsideTheStoreAreRefusedOrEmpty) {
    Shape(2, 5);
    CreateCell(grid, 3, 1, "abc");
    const int rows = GetRowCount(grid);
    EXPECT_EQ(CreateCell(grid, -1, 1, "x"), -1);
    EXPECT_EQ(SetCellText(grid, -5, 1, "x"), -1);
    EXPECT_EQ(CreateCell(grid, 1, 9, "x"), -1);
    EXPECT_EQ(CreateCell(grid, 1, 1, nullptr), -1);
    EXPECT_EQ(SetCellText(grid, 1, 1, nullptr), -1);
    EXPECT_EQ(CreateCell(grid, INT_MAX, 1, "x"), 0) << "no block that large can exist";
    EXPECT_EQ(GetRowCount(grid), rows);

    EXPECT_EQ(Cell(-1, 1), "");
    EXPECT_EQ(Cell(INT_MAX, 1), "");
    EXPECT_EQ(Cell(1, -1), "");
    EXPECT_EQ(Cell(1, 9), "");
    EXPECT_STREQ(GetCell(grid, 0, 3, 1, nullptr), "") << "mode 0 needs a FieldDef";
}

TEST_F(GridTest, SetCellTextLeavesTheRowCountAlone) {
    Shape(1, 5);
    CreateCell(grid, 2, 1, "b");
    EXPECT_EQ(SetCellText(grid, 10, 1, "far"), 1);
    EXPECT_EQ(GetRowCount(grid), 2);
    EXPECT_EQ(Cell(10, 1), "far");
}

TEST_F(GridTest, GetCellModeZeroFillsTheColumnDefinition) {
    ASSERT_EQ(DimCols(grid, 1), 1);
    FieldDef in{};
    in.label = const_cast<char*>("Amount");
    in.width = 80;
    in.size = 12;
    in.tag1 = 1;
    in.tag2 = 2;
    in.tag3 = 3;
    DefineField(grid, 1, 0, &in);
    CreateCell(grid, 1, 1, "42");
    char label[256] = "junk";
    FieldDef out{};
    out.label = label;
    out.align = 77;
    EXPECT_STREQ(GetCell(grid, 0, 1, 1, &out), "42");
    EXPECT_STREQ(label, "Amount");
    EXPECT_EQ(out.width, 80);
    EXPECT_EQ(out.size, 12);
    EXPECT_EQ(out.tag1, 1);
    EXPECT_EQ(out.tag2, 2);
    EXPECT_EQ(out.tag3, 3);
    EXPECT_EQ(out.align, 77) << "fields GetCell does not report are left alone";
}

TEST_F(GridTest, GetCellModeOneGivesTheEntryInProgress) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def{};
    def.size = 1;
    DefineField(grid, 1, FieldCheck, &def);
    def.size = 10;
    DefineField(grid, 2, FieldText, &def);
    CreateCell(grid, 1, 1, "");
    CreateCell(grid, 2, 1, "0");
    CreateCell(grid, 3, 1, "1");
    CreateCell(grid, 1, 2, "text");

    state()->curCol = 1;  // a check-box column: the value a toggle would give
    EXPECT_EQ(Cell(1, 1, 1), "1");
    EXPECT_EQ(Cell(2, 1, 1), "1");
    EXPECT_EQ(Cell(3, 1, 1), "0");

    state()->curCol = 2;  // a text column: only the current cell has an entry
    state()->curRow = 2;
    EXPECT_EQ(Cell(1, 2, 1), "");
    EXPECT_EQ(Cell(1, 2, 2), "") << "modes other than 0 and 1 give nothing";
}

TEST_F(GridTest, DeletedRowsReadAsDeleted) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def{};
    def.size = 1;
    DefineField(grid, 1, FieldCheck, &def);
    def.size = 5;
    DefineField(grid, 2, FieldText, &def);
    CreateCell(grid, 1, 1, kDeletedMarker);
    CreateCell(grid, 1, 2, kDeletedMarker);
    EXPECT_EQ(Cell(1, 1), kDeletedText);
    EXPECT_EQ(Cell(1, 2), kDeletedText);
    state()->curCol = 1;
    EXPECT_EQ(Cell(1, 1, 1), kDeletedText);
}

TEST_F(GridTest, ClearCellsEmptiesDataButKeepsTheRows) {
    Shape(2, 5);
    for (int row = 1; row <= 4; ++row) {
        CreateCell(grid, row, 1, "a");
        CreateCell(grid, row, 2, "b");
    }
    EXPECT_EQ(ClearCells(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 4);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(Cell(row, 1), "");
        EXPECT_EQ(Cell(row, 2), "");
    }
    EXPECT_EQ(ClearGrid(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 4);
}

TEST_F(GridTest, DimRowsReservesRowsAndDiscardsTexts) {
    Shape(1, 5);
    EXPECT_EQ(DimRows(grid, 10), 13);
    EXPECT_EQ(DimRows(grid, 0), 3);
    EXPECT_EQ(DimRows(grid, -5), 3);
    for (int row = 1; row <= 20; ++row) CreateCell(grid, row, 1, std::to_string(row).c_str());
    EXPECT_EQ(RedimPreserveRows(grid, 40), 43);
    EXPECT_EQ(Cell(20, 1), "20");
    EXPECT_EQ(GetRowCount(grid), 20);
}

TEST_F(GridTest, ShrinkingBelowTheRowsKeepsReadersInsideTheBlock) {
    Shape(1, 5);
    for (int row = 1; row <= 100; ++row) CreateCell(grid, row, 1, std::to_string(row).c_str());
    EXPECT_EQ(RedimPreserveRows(grid, 5), 8);
    EXPECT_EQ(GetRowCount(grid), 6) << "row 7, the last that exists, is the new-record row";
    EXPECT_EQ(Cell(6, 1), "6");
    EXPECT_EQ(Cell(7, 1), "") << "the new-record row is empty";
    EXPECT_EQ(Cell(50, 1), "");
    EXPECT_LT(arrays()->maxRow, arrays()->rowCapacity);
    EXPECT_LE(state()->curRow, state()->rowCount);
    EXPECT_EQ(CreateCell(grid, 8, 1, "8"), 1) << "the store grows again";

    EXPECT_EQ(DimRows(grid, 2), 5);
    EXPECT_EQ(GetRowCount(grid), 3);
    EXPECT_EQ(Cell(3, 1), "");
}

TEST_F(GridTest, FillsManyRowsAndReadsThemBack) {
    Shape(3, 8);
    for (int row = 1; row <= 20000; ++row) {
        ASSERT_EQ(CreateCell(grid, row, 2, std::to_string(row).c_str()), 1);
    }
    EXPECT_EQ(GetRowCount(grid), 20000);
    for (int row = 1; row <= 20000; row += 1999) EXPECT_EQ(Cell(row, 2), std::to_string(row));
    EXPECT_EQ(state()->vScroll.nPos, 1) << "filling leaves the grid at the top";
    EXPECT_EQ(state()->vScroll.nMax, 20001);
}

TEST_F(GridTest, OutOfMemoryWhileStoringIsReportedAndChangesNothing) {
    Shape(1, 5);
    CreateCell(grid, 1, 1, "one");
    const int capacity = arrays()->rowCapacity;
    FailAllocationsAfter(0);
    EXPECT_EQ(CreateCell(grid, capacity + 5, 1, "x"), 0);
    EXPECT_EQ(DimRows(grid, capacity + 50), 0);
    FailAllocationsAfter(-1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(Cell(1, 1), "one");
}

TEST_F(GridTest, ChangesInvalidateOncePerPaintCycle) {
    Shape(1, 5);
    UpdateWindow(grid);
    ASSERT_EQ(state()->repaintPending, 0) << "the paint clears the mark";
    CreateCell(grid, 1, 1, "a");
    EXPECT_EQ(state()->repaintPending, 1);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(grid, &update, FALSE)) << "the change asked for a paint";
    UpdateWindow(grid);
    EXPECT_EQ(state()->repaintPending, 0);
    EXPECT_FALSE(GetUpdateRect(grid, &update, FALSE));
    SetCellText(grid, 1, 1, "b");
    EXPECT_TRUE(GetUpdateRect(grid, &update, FALSE)) << "a change after the paint asks again";
}
