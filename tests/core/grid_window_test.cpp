#include <vector>

#include "grid/library.h"
#include "tests/support/object_count.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

TEST_F(GridTest, NewGridHasOneColumnOneRowAndTheCurrentCellAtTheTopLeft) {
    EXPECT_EQ(GetColCount(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(state()->curRow, 1);
    EXPECT_EQ(state()->curCol, 1);
    EXPECT_EQ(state()->undoEnabled, 1);
    EXPECT_EQ(GetFldSize(grid, 1), 2) << "column 1 holds one character";
    EXPECT_GT(state()->minRowHeight, 4);
    EXPECT_EQ(GetRowHeight(grid), state()->minRowHeight);
    EXPECT_EQ(Header_GetItemCount(state()->hwndHeader), 3) << "row header, column 1, filler";
    EXPECT_EQ(GetDlgCtrlID(state()->hwndHeader), kHeaderId);
    EXPECT_EQ(GetDlgCtrlID(state()->hwndCombo), kComboId);
    EXPECT_EQ(GetDlgCtrlID(grid), 77);
    EXPECT_EQ(library.lastGrid, grid);
    EXPECT_EQ(library.trapParent, host.hwnd());
}

TEST_F(GridTest, RecordsAreWindowPropertiesToo) {
    EXPECT_EQ(GetPropA(grid, "variables"), state());
    EXPECT_EQ(GetPropA(grid, "gridarray"), arrays());
    EXPECT_EQ(state()->hwndGrid, grid);
}

TEST_F(GridTest, DestroyRemovesThePropertiesAndDeletesTheGridsFonts) {
    HFONT cell = state()->cellFont;
    HFONT header = state()->headerFont;
    ASSERT_NE(GetObjectType(cell), 0u);
    ASSERT_NE(GetObjectType(header), 0u);
    DestroyWindow(grid);
    EXPECT_EQ(GetObjectType(cell), 0u) << "the cell font leaks";
    EXPECT_EQ(GetObjectType(header), 0u) << "the header font leaks";
    EXPECT_FALSE(IsGridWindow(grid));
    EXPECT_EQ(GetRowCount(grid), kNotGrid);
}

TEST_F(GridTest, GridsComeAndGoWithoutLeakingObjects) {
    // Warm up once: the first grid loads shared system objects.
    DestroyWindow(CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 200, 100));
    const int gdiBefore = testing_host::LiveGdiObjects();
    const int windowsBefore = testing_host::LiveWindows();
    HPEN probe = CreatePen(PS_SOLID, 1, 0);
    ASSERT_EQ(testing_host::LiveGdiObjects(), gdiBefore + 1) << "the counter must see a new object";
    DeleteObject(probe);
    for (int i = 0; i < 50; ++i) {
        HWND extra = CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 200, 100);
        ASSERT_NE(extra, nullptr);
        DestroyWindow(extra);
    }
    EXPECT_EQ(testing_host::LiveGdiObjects(), gdiBefore);
    EXPECT_EQ(testing_host::LiveWindows(), windowsBefore);
}

TEST_F(GridTest, BorderArgumentChoosesTheFrame) {
    struct Case {
        int border;
        bool bordered, sunken;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {7, false, false}};
    for (const Case& c : cases) {
        HWND g = CreateGrid(host.hwnd(), host.instance(), c.border, 5, 0, 0, 100, 100);
        ASSERT_NE(g, nullptr);
        LONG style = GetWindowLongA(g, GWL_STYLE);
        LONG exStyle = GetWindowLongA(g, GWL_EXSTYLE);
        EXPECT_EQ((style & WS_BORDER) != 0, c.bordered) << "border " << c.border;
        EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, c.sunken) << "border " << c.border;
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
        DestroyWindow(g);
    }
}

TEST_F(GridTest, ZeroInstanceCreatesNothingButRemembersTheParent) {
    testing_host::TestHost other;
    EXPECT_EQ(CreateGrid(other.hwnd(), nullptr, 0, 1, 0, 0, 100, 100), nullptr);
    EXPECT_EQ(library.trapParent, other.hwnd());
}

TEST_F(GridTest, IsGridWindowComparesTheWholeClassName) {
    EXPECT_TRUE(IsGridWindow(grid));
    EXPECT_FALSE(IsGridWindow(nullptr));
    EXPECT_FALSE(IsGridWindow(host.hwnd()));
    EXPECT_FALSE(IsGridWindow(state()->hwndHeader));
}

TEST_F(GridTest, FreeGridWithoutAnEditorChangesNothing) {
    Shape(2, 5);
    CreateCell(grid, 1, 2, "kept");
    EXPECT_EQ(FreeGrid(grid), 1);
    EXPECT_EQ(GetColCount(grid), 2);
    EXPECT_EQ(Cell(1, 2), "kept");
    EXPECT_TRUE(IsWindow(grid));
}

TEST_F(GridTest, CreationFailsCleanlyWhenMemoryRunsOut) {
    // Fail the n-th allocation of creation for every n until creation needs
    // no more: each attempt either gives a whole grid or none.
    int created = 0;
    for (int n = 0; n < 60; ++n) {
        FailAllocationsAfter(n);
        HWND g = CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 100, 100);
        FailAllocationsAfter(-1);
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

TEST_F(GridTest, TwoGridsKeepSeparateData) {
    HWND second = CreateGrid(host.hwnd(), host.instance(), 0, 2, 0, 300, 400, 200);
    ASSERT_NE(second, nullptr);
    Shape(2, 8);
    ASSERT_EQ(DimCols(second, 3), 1);
    FieldDef def{};
    def.size = 4;
    DefineField(second, 1, 0, &def);
    CreateCell(grid, 1, 1, "first");
    CreateCell(second, 1, 1, "two");
    CreateCell(second, 2, 1, "more");
    EXPECT_EQ(GetColCount(grid), 2);
    EXPECT_EQ(GetColCount(second), 3);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(GetRowCount(second), 2);
    EXPECT_STREQ(GetCell(grid, 0, 1, 1, &def), "first");  // a null label buffer receives nothing
    EXPECT_STREQ(GetCell(second, 0, 1, 1, &def), "two");
    EXPECT_NE(GridFromWindow(second).state->cellFont, state()->cellFont);
    DestroyWindow(second);
    EXPECT_EQ(Cell(1, 1), "first");
}

namespace {
// A window that destroys another one when it loses the focus, as a host's
// validating edit box may do with a form.
HWND victimOnFocusLoss = nullptr;
LRESULT CALLBACK DestroyOnKillFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS && victimOnFocusLoss) {
        HWND victim = victimOnFocusLoss;
        victimOnFocusLoss = nullptr;
        DestroyWindow(victim);
    }
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
