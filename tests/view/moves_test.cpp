// Exports that move the current cell: what the host and the screen see
// afterwards, also when the host shrinks the rows or destroys the grid.
#include <functional>

#include "tests/support/focus_holder.h"
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

TEST_F(MovesTest, ShrinkingTheRowsBringsTheCurrentRowBack) {
    const std::function<int(HWND, int)> shrinks[] = {DimRows, RedimPreserveRows};
    for (const auto& shrink : shrinks) {
        ASSERT_EQ(GotoCell(grid, 90, 2), 1);
        ASSERT_GT(shrink(grid, 10), 0);
        EXPECT_GE(GetCurrentRow(grid), 1);
        EXPECT_LE(GetCurrentRow(grid), GetRowCount(grid) + 1) << "the current row must be a row the grid has";
        EXPECT_LE(GetFirstVisRow(grid), GetRowCount(grid) + 1);
        UpdateWindow(grid);
        for (int row = 1; row <= 100; ++row) CreateCell(grid, row, 1, "x");
    }
}

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

// Exports that give the grid the focus: the host may destroy the grid when
// its own window loses the focus, and the export must not touch it after.
TEST_F(MovesTest, HostMayDestroyTheGridWhenAnExportFocusesIt) {
    struct Case {
        const char* name;
        std::function<int(HWND)> call;
        int answer;
    };
    const Case cases[] = {
        {"GotoCell", [](HWND g) { return GotoCell(g, 5, 2); }, 0},
        {"SetUndoBuffer after DimCols", [](HWND g) { return DimCols(g, 2) == 1 ? SetUndoBuffer(g) : -99; }, 1},
    };
    for (const Case& c : cases) {
        if (!IsWindow(grid)) {
            grid = CreateGrid(host.hwnd(), host.instance(), 0, 77, 0, 0, 400, 300);
            Shape(3, 5);
        }
        testing_host::FocusHolder holder(host.hwnd(), grid);
        ASSERT_TRUE(holder.HasFocus()) << c.name;
        EXPECT_EQ(c.call(grid), c.answer) << c.name;
        EXPECT_FALSE(IsWindow(grid)) << c.name;
        EXPECT_EQ(GetRowCount(grid), -3) << c.name;
    }
}
