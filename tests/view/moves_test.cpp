// Exports that move the current cell or take the focus: the screen follows,
// and a host that destroys the grid on the focus change finds nothing
// written afterwards.
#include "tests/support/grid_fixture.h"

namespace {

bool ScreenPending(HWND grid) { return GetUpdateRect(grid, nullptr, FALSE) != 0; }

TEST_F(GridTest, MovesRepaintTheGrid) {
    Table(3, 100);
    UpdateWindow(grid);
    ASSERT_FALSE(ScreenPending(grid));
    EXPECT_EQ(GotoCell(grid, 50, 3), 1);
    EXPECT_TRUE(ScreenPending(grid)) << "the screen would keep the old rows";
    EXPECT_EQ(ViewGrid(grid, 0), 1);
    EXPECT_EQ(GotoCell(grid, 1, 1), 1);
    UpdateWindow(grid);
    EXPECT_EQ(ViewGrid(grid, 1), 1);
    EXPECT_TRUE(ScreenPending(grid)) << "a restored view must be drawn";
}

// The host, as a validating form may, destroys the grid when it loses the
// focus to it.
TEST_F(GridTest, HostMayDestroyTheGridWhenAnExportFocusesIt) {
    const struct {
        const char* name;
        int (*call)(HWND);
        int answer;  // a move that did not happen on a grid that is gone answers 0
    } calls[] = {{"SetUndoBuffer", [](HWND g) { return SetUndoBuffer(g); }, 1},
                 {"GotoCell", [](HWND g) { return GotoCell(g, 5, 2); }, 0}};
    host.Answer(WM_KILLFOCUS, [&](WPARAM, LPARAM) -> LRESULT { return !DestroyWindow(grid); });
    for (const auto& c : calls) {
        SCOPED_TRACE(c.name);
        if (!IsWindow(grid)) GridTest::SetUp();
        Table(2, 10);
        SetFocus(host.hwnd());
        ASSERT_EQ(GetFocus(), host.hwnd());
        EXPECT_EQ(c.call(grid), c.answer);
        EXPECT_FALSE(IsWindow(grid));
        EXPECT_EQ(GetRowCount(grid), -3);
    }
}

}  // namespace
