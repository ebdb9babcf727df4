// Exports that move the current cell: the screen follows, and a host that
// destroys the grid on the focus change finds nothing written afterwards.
#include "tests/support/grid_fixture.h"

class MovesTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Shape(3, 5);
        for (int row = 1; row <= 100; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
        SendMessageA(grid, WM_SIZE, 0, 0);
        UpdateWindow(grid);
    }
    bool ScreenPending() { return GetUpdateRect(grid, nullptr, FALSE) != 0; }
};

TEST_F(MovesTest, MovesRepaintTheGrid) {
    ASSERT_FALSE(ScreenPending());
    EXPECT_EQ(GotoCell(grid, 50, 3), 1);
    EXPECT_TRUE(ScreenPending()) << "the screen would keep the old rows";
    EXPECT_EQ(GetFirstVisRow(grid), 50);
    EXPECT_EQ(ViewGrid(grid, 0), 1);
    UpdateWindow(grid);

    EXPECT_EQ(GotoCell(grid, 1, 1), 1);
    UpdateWindow(grid);
    EXPECT_EQ(ViewGrid(grid, 1), 1);
    EXPECT_TRUE(ScreenPending()) << "a restored view must be drawn";
    EXPECT_EQ(GetCurrentRow(grid), 50);
    EXPECT_EQ(GetCurrentCol(grid), 3);
}

TEST_F(MovesTest, HostMayDestroyTheGridWhenGotoCellFocusesIt) {
    SetFocus(host.hwnd());
    ASSERT_EQ(GetFocus(), host.hwnd());
    host.Answer(WM_KILLFOCUS, [&](WPARAM, LPARAM) -> LRESULT { return !DestroyWindow(grid); });
    EXPECT_EQ(GotoCell(grid, 5, 2), 0) << "the move did not happen on a grid that is gone";
    EXPECT_FALSE(IsWindow(grid));
    EXPECT_EQ(GetRowCount(grid), -3);
}
