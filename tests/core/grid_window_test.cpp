#include <utility>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"
#include "tests/support/object_count.h"

using namespace tabrix;

TEST_F(GridTest, NewGridHasOneColumnOneRowTheCurrentCellAtTheTopLeftAndItsRecordsAsProperties) {
    EXPECT_EQ(GetColCount(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(GetCurrentRow(grid), 1);
    EXPECT_EQ(GetCurrentCol(grid), 1);
    EXPECT_EQ(state()->undoEnabled, 1);
    EXPECT_EQ(GetFldSize(grid, 1), 2) << "column 1 holds one character";
    EXPECT_GT(GetRowHeight(grid), 4);
    EXPECT_EQ(Header_GetItemCount(state()->hwndHeader), 3) << "row header, column 1, filler";
    EXPECT_EQ(GetDlgCtrlID(state()->hwndHeader), kHeaderId);
    EXPECT_EQ(GetDlgCtrlID(state()->hwndCombo), kComboId);
    EXPECT_EQ(GetDlgCtrlID(grid), 77);
    EXPECT_EQ(GetPropA(grid, "variables"), state());
    EXPECT_EQ(GetPropA(grid, "gridarray"), arrays());
    EXPECT_EQ(state()->hwndGrid, grid);
    testing_host::TestHost other;
    EXPECT_EQ(CreateGrid(other.hwnd(), nullptr, 0, 1, 0, 0, 100, 100), nullptr) << "no instance, no grid";
}

TEST_F(GridTest, DestroyRemovesThePropertiesAndDeletesTheGridsFonts) {
    HFONT cell = state()->cellFont, header = state()->headerFont;
    ASSERT_NE(GetObjectType(cell), 0u);
    ASSERT_NE(GetObjectType(header), 0u);
    DestroyWindow(grid);
    EXPECT_EQ(GetObjectType(cell), 0u) << "the cell font leaks";
    EXPECT_EQ(GetObjectType(header), 0u) << "the header font leaks";
    EXPECT_EQ(GetPropA(grid, "variables"), nullptr);
}

TEST_F(GridTest, GridsComeAndGoWithoutLeakingObjects) {
    // Warm up once per frame: the first grid of each loads shared system objects.
    for (int border : {0, 1, 2}) DestroyWindow(CreateGrid(host.hwnd(), host.instance(), border, 1, 0, 0, 200, 100));
    const int gdiBefore = testing_host::LiveGdiObjects();
    const int windowsBefore = testing_host::LiveWindows();
    HPEN probe = CreatePen(PS_SOLID, 1, 0);
    ASSERT_EQ(testing_host::LiveGdiObjects(), gdiBefore + 1) << "the counter must see a new object";
    DeleteObject(probe);
    for (int border : {0, 1, 2, 7, 0, 1, 2, 7, 0, 1}) {
        HWND g = CreateGrid(host.hwnd(), host.instance(), border, 5, 0, 0, 100, 100);
        ASSERT_NE(g, nullptr);
        const LONG style = GetWindowLongA(g, GWL_STYLE);
        EXPECT_EQ((style & WS_BORDER) != 0, border == 1) << "border " << border;
        EXPECT_EQ((GetWindowLongA(g, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, border == 2) << "border " << border;
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
        DestroyWindow(g);
    }
    EXPECT_EQ(testing_host::LiveGdiObjects(), gdiBefore);
    EXPECT_EQ(testing_host::LiveWindows(), windowsBefore);
}

TEST_F(GridTest, CreationFailsCleanlyWhenMemoryRunsOut) {
    // Fail the n-th allocation of creation for every n until creation needs
    // no more: each attempt either gives a whole grid or none.
    int created = 0;
    for (int n = 0; n < 60; ++n) {
        FailAllocationsAfter(n);
        HWND g = CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 100, 100);
        FailAllocationsAfter(-1);
        EXPECT_TRUE(g || !created) << "creation that once fitted fails again with " << n << " allocations";
        if (!g) continue;
        ++created;
        EXPECT_EQ(GetColCount(g), 1) << "a grid made with " << n << " allocations";
        EXPECT_EQ(GetRowCount(g), 1);
        EXPECT_EQ(CreateCell(g, 3, 1, "x"), 1);
        DestroyWindow(g);
    }
    EXPECT_GT(created, 0);
    FailAllocationsAfter(0);
    EXPECT_EQ(CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 100, 100), nullptr);
}

TEST_F(GridTest, TwoGridsKeepSeparateDataAndFreeGridWithoutAnEditorChangesNothing) {
    HWND second = CreateGrid(host.hwnd(), host.instance(), 0, 2, 0, 300, 400, 200);
    ASSERT_NE(second, nullptr);
    Shape(2, 8);
    ASSERT_TRUE(testing_host::ShapeGrid(second, 3, 4));
    CreateCell(grid, 1, 1, "first");
    CreateCell(second, 2, 1, "two");
    EXPECT_EQ(FreeGrid(grid), 1);
    EXPECT_EQ(GetColCount(grid), 2);
    EXPECT_EQ(GetColCount(second), 3);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(GetRowCount(second), 2);
    EXPECT_NE(GridFromWindow(second).state->cellFont, state()->cellFont);
    DestroyWindow(second);
    EXPECT_EQ(Cell(1, 1), "first");
}

namespace {
// A window that destroys another one when it loses the focus, as a host's
// validating edit box may do with a form.
HWND victimOnFocusLoss = nullptr;
LRESULT CALLBACK DestroyOnKillFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS && victimOnFocusLoss) DestroyWindow(std::exchange(victimOnFocusLoss, nullptr));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

TEST_F(GridTest, HostMayDestroyTheGridWhenItTakesTheFocus) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DestroyOnKillFocus;
    wc.hInstance = host.instance();
    wc.lpszClassName = "TabrixFocusHolder";
    RegisterClassA(&wc);
    HWND holder = CreateWindowExA(0, "TabrixFocusHolder", "", WS_CHILD | WS_VISIBLE, 0, 400, 50, 20, host.hwnd(),
                                  nullptr, host.instance(), nullptr);
    Shape(2, 5);
    SetFocus(holder);
    ASSERT_EQ(GetFocus(), holder);
    victimOnFocusLoss = grid;
    // Undo's set-up gives the grid the focus; the host destroys it meanwhile.
    EXPECT_EQ(SetUndoBuffer(grid), 1);
    EXPECT_FALSE(IsWindow(grid));
    EXPECT_EQ(GetRowCount(grid), kNotGrid);
    DestroyWindow(holder);
}
