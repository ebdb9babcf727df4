#include <climits>
#include <string>

#include "grid/cell_store.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

TEST_F(GridTest, CreateCellAddsRowsUpToItsOwnAndTheNewRecordRow) {
    Shape(3, 8);
    for (int row = 1; row <= 20000; ++row) ASSERT_EQ(CreateCell(grid, row, 2, std::to_string(row).c_str()), 1);
    EXPECT_EQ(GetRowCount(grid), 20000);
    for (int row = 1; row <= 20000; row += 1999) EXPECT_EQ(Cell(row, 2), std::to_string(row));
    EXPECT_EQ(GetFirstVisRow(grid), 1) << "filling leaves the grid at the top";
    EXPECT_EQ(SetCellText(grid, 20000, 1, "last"), 1);
    EXPECT_EQ(Cell(20000, 1), "last");
    // Past the data rows a text would sit in the store unseen: refused.
    EXPECT_EQ(SetCellText(grid, 20001, 1, "new"), -1) << "the new-record row";
    EXPECT_EQ(SetCellText(grid, 30000, 1, "far"), -1);
    EXPECT_EQ(GetRowCount(grid), 20000) << "SetCellText leaves the row count alone";
    EXPECT_EQ(Cell(30000, 1), "");
}

TEST_F(GridTest, RefusedCellsAreReportedAndStoreNothing) {
    Shape(2, 5);
    ASSERT_EQ(CreateCell(grid, 3, 1, "abcde"), 1) << "exactly the declared size fits";
    ASSERT_EQ(CreateCell(grid, 3, 2, "vwxyz"), 1);
    // Rows and columns off the edges and null texts are in the bad-input matrix.
    EXPECT_EQ(CreateCell(grid, 3, 1, "abcdef"), -2);
    EXPECT_EQ(SetCellText(grid, 3, 1, "abcdef"), -2);
    // Its new-record row would be row 2^31; -3 would read as "not a grid".
    EXPECT_EQ(CreateCell(grid, INT_MAX - 1, 1, "x"), 0);
    FailAllocationsAfter(0);
    EXPECT_EQ(CreateCell(grid, 1000000, 1, "x"), 0);
    EXPECT_EQ(DimRows(grid, 1000000), 0);
    FailAllocationsAfter(-1);
    EXPECT_EQ(GetRowCount(grid), 3);
    EXPECT_EQ(Cell(3, 1), "abcde");
    EXPECT_EQ(SetCellText(grid, 3, 1, "z"), 1);
    EXPECT_EQ(Cell(3, 1) + "|" + Cell(3, 2), "z|vwxyz") << "the old tail is cleared, the neighbour untouched";
    EXPECT_STREQ(GetCell(grid, 0, 3, 1, nullptr), "") << "mode 0 needs a FieldDef";
}

TEST_F(GridTest, GetCellModeOneGivesTheEntryInProgressAndDeletedRowsReadAsDeleted) {
    Columns({testing_host::ColumnField("", 50, 1), testing_host::ColumnField("", 50, 10)}, {FieldCheck, FieldText});
    const char* stored[] = {"", "0", "1", kDeletedMarker};
    const char* toggled[] = {"1", "1", "0", kDeletedText};
    for (int row = 1; row <= 4; ++row) CreateCell(grid, row, 1, stored[row - 1]);
    CreateCell(grid, 1, 2, "text");
    CreateCell(grid, 4, 2, kDeletedMarker);
    ASSERT_EQ(GotoCell(grid, 2, 1), 1);  // a check-box column: the value a toggle would give
    for (int row = 1; row <= 4; ++row) EXPECT_EQ(Cell(row, 1, 1), toggled[row - 1]) << row;
    EXPECT_EQ(Cell(4, 1) + Cell(4, 2), std::string(kDeletedText) + kDeletedText);
    ASSERT_EQ(GotoCell(grid, 2, 2), 1);  // a text column: only the current cell has an entry
    EXPECT_EQ(Cell(1, 2, 1), "");
    EXPECT_EQ(Cell(1, 2, 2), "") << "modes other than 0 and 1 give nothing";
}

TEST_F(GridTest, RowsAreReservedClearedAndShrunkWithReadersInsideTheBlock) {
    Shape(1, 5);
    for (int row = 1; row <= 100; ++row) CreateCell(grid, row, 1, std::to_string(row).c_str());
    EXPECT_EQ(RedimPreserveRows(grid, 140), 143);
    EXPECT_EQ(Cell(100, 1), "100");
    ASSERT_EQ(GotoCell(grid, 90, 1), 1);
    EXPECT_EQ(RedimPreserveRows(grid, 5), 8);
    EXPECT_EQ(GetRowCount(grid), 6) << "row 7, the last that exists, is the new-record row";
    EXPECT_EQ(Cell(6, 1) + Cell(7, 1) + Cell(50, 1), "6");
    EXPECT_LE(GetCurrentRow(grid), 7) << "the current row follows the rows";
    EXPECT_EQ(ClearCells(grid), 1);
    EXPECT_EQ(ClearGrid(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 6) << "clearing keeps the rows";
    EXPECT_EQ(Cell(6, 1), "");
    EXPECT_EQ(CreateCell(grid, 8, 1, "8"), 1) << "the store grows again";
    ASSERT_EQ(GotoCell(grid, 7, 1), 1);
    EXPECT_EQ(DimRows(grid, 2), 5);
    EXPECT_EQ(GetRowCount(grid), 3);
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(GetCurrentRow(grid), 4) << "DimRows too brings the current row back";
    EXPECT_LE(GetFirstVisRow(grid), 4);
}

TEST_F(GridTest, ChangesInvalidateOncePerPaintCycle) {
    Shape(1, 5);
    RECT update;
    for (auto change : {CreateCell, SetCellText}) {
        UpdateWindow(grid);
        ASSERT_FALSE(GetUpdateRect(grid, &update, FALSE));
        change(grid, 1, 1, "a");
        EXPECT_TRUE(GetUpdateRect(grid, &update, FALSE)) << "a change after a paint asks for one";
    }
}
