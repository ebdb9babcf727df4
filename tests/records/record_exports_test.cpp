// The record exports on a real grid: counts and the view.
#include <utility>

#include "tests/support/grid_fixture.h"

namespace {

TEST_F(GridTest, LoadsReplaceTheRowsAndResetTheView) {
    Shape(2, 5);
    for (int load = 0; load < 2; ++load) {
        for (int row = 1; row <= 100; ++row) CreateCell(grid, row, 1, "old");
        ASSERT_EQ(GotoCell(grid, 80, 2), 1);
        ASSERT_GT(GetFirstVisRow(grid), 1);
        state()->selectedRow = 90;  // no export selects or edits a row yet
        state()->rowEdited = 1;
        ASSERT_EQ(load ? LoadRecordsetDelimited(grid, "a,b\r\nc,\r\ne,f", "\r\n", ",")
                       : LoadRecordsetRAF(grid, "ab   xyz  12345678  tail"), 1);
        EXPECT_EQ(GetRowCount(grid), load ? 3 : 2) << "the old row count is not kept";
        EXPECT_EQ(std::pair(GetCurrentRow(grid), GetFirstVisRow(grid)), std::pair(1, 1));
        EXPECT_EQ(std::pair(state()->selectedRow, state()->rowEdited), std::pair(0, 0));
        EXPECT_EQ(Cell(load ? 4 : 3, 1), "") << "the new-record row";
        EXPECT_STREQ(load ? GetRecordDelimited(grid, 2, 0, ",", 0) : GetRecordRAF(grid, 2), load ? "c," : "12345678  ");
    }
    EXPECT_STREQ(GetRecordDelimited(grid, 4, 0, ",", 0), "INVALID_ROW_NUMBER");
}

}  // namespace
