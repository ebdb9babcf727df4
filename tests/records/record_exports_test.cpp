// The record exports on a real grid: handles, counts and the view.
#include <climits>
#include <string>

#include "tests/support/grid_fixture.h"

namespace {

TEST_F(GridTest, RecordExportsRefuseWindowsThatAreNotGrids) {
    for (HWND bad : {static_cast<HWND>(nullptr), host.hwnd(), state()->hwndHeader}) {
        EXPECT_STREQ(GetRecordRAF(bad, 1), "DB_ERR");
        EXPECT_EQ(PutRecordRAF(bad, 1, "abc"), -3);
        EXPECT_EQ(LoadRecordsetRAF(bad, "abc"), -3);
        EXPECT_STREQ(GetRecordDelimited(bad, 1, 0, ",", 0), "DB_ERR");
        EXPECT_EQ(PutRecordDelimited(bad, 1, "a,b", "\r\n", ","), -3);
        EXPECT_EQ(LoadRecordsetDelimited(bad, "a,b", "\r\n", ","), -3);
    }
}

TEST_F(GridTest, LoadsReplaceTheRowsAndResetTheView) {
    Shape(2, 5);
    for (int row = 1; row <= 100; ++row) CreateCell(grid, row, 1, "old");
    state()->curRow = 80;
    state()->selectedRow = 90;
    state()->vScroll.nPos = 70;
    state()->rowEdited = 1;

    ASSERT_EQ(LoadRecordsetRAF(grid, "ab   xyz  12345678  tail"), 1);
    EXPECT_EQ(GetRowCount(grid), 2) << "the old row count is not kept";
    EXPECT_EQ(arrays()->maxRow, 3);
    EXPECT_EQ(Cell(2, 2), "678  ");
    EXPECT_EQ(Cell(3, 1), "") << "row 3 is the new-record row";
    EXPECT_EQ(state()->curRow, 1);
    EXPECT_EQ(state()->selectedRow, 0);
    EXPECT_EQ(state()->vScroll.nPos, 1);
    EXPECT_EQ(state()->rowEdited, 0);
    EXPECT_STREQ(GetRecordRAF(grid, 2), "12345678  ");

    state()->curRow = 2;
    state()->selectedRow = 2;
    ASSERT_EQ(LoadRecordsetDelimited(grid, "a,b\r\nc,\r\ne,f", "\r\n", ","), 1);
    EXPECT_EQ(GetRowCount(grid), 3);
    EXPECT_EQ(Cell(2, 1), "c");
    EXPECT_EQ(Cell(3, 2), "f");
    EXPECT_EQ(state()->curRow, 1);
    EXPECT_EQ(state()->selectedRow, 0);
    EXPECT_STREQ(GetRecordDelimited(grid, 2, 0, ",", 0), "c,");
    EXPECT_STREQ(GetRecordDelimited(grid, 4, 0, ",", 0), "INVALID_ROW_NUMBER");
}

TEST_F(GridTest, PutsExtendTheRowCount) {
    Shape(2, 3);
    ASSERT_EQ(PutRecordRAF(grid, 5, "abcdef"), 1);
    EXPECT_EQ(GetRowCount(grid), 5);
    EXPECT_EQ(Cell(5, 2), "def");
    ASSERT_EQ(PutRecordDelimited(grid, 7, "x,y", "\r\n", ","), 1);
    EXPECT_EQ(GetRowCount(grid), 7);
    ASSERT_EQ(PutRecordDelimited(grid, 2, "p,q", "\r\n", ","), 1);
    EXPECT_EQ(GetRowCount(grid), 7);
    EXPECT_EQ(PutRecordRAF(grid, -1, "abcdef"), -1);
    EXPECT_EQ(PutRecordDelimited(grid, -1, "x,y", "\r\n", ","), 0);
    EXPECT_EQ(PutRecordRAF(grid, INT_MAX, "abcdef"), 0);
    EXPECT_EQ(LoadRecordsetRAF(grid, "ab"), -2);
    EXPECT_EQ(LoadRecordsetDelimited(grid, "", "\r\n", ","), 0);
    EXPECT_EQ(GetRowCount(grid), 7);
    EXPECT_EQ(Cell(7, 1), "x");
}

TEST_F(GridTest, RecordExportsOnAGridWithoutColumns) {
    tabrix::FailAllocationsAfter(0);
    ASSERT_EQ(DimCols(grid, 2), 0);
    tabrix::FailAllocationsAfter(-1);
    EXPECT_EQ(LoadRecordsetRAF(grid, "abc"), 0);
    EXPECT_EQ(PutRecordRAF(grid, 1, "abc"), 0);
    EXPECT_EQ(LoadRecordsetDelimited(grid, "a,b", "\r\n", ","), 0);
    EXPECT_EQ(PutRecordDelimited(grid, 1, "a,b", "\r\n", ","), 0);
    EXPECT_STREQ(GetRecordRAF(grid, 1), "INVALID_ROW_NUMBER");
    EXPECT_STREQ(GetRecordDelimited(grid, 1, 0, ",", 0), "INVALID_ROW_NUMBER");
    EXPECT_EQ(GetRowCount(grid), -1);
}

TEST_F(GridTest, LoadWithoutDefinedFieldsAnswersZero) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    CreateCell(grid, 3, 1, "");
    EXPECT_EQ(LoadRecordsetRAF(grid, "abcdef"), 0);
    EXPECT_EQ(GetRowCount(grid), 3);
}

}  // namespace
