#include <utility>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

TEST_F(GridTest, NewGridHasOneColumnOneRowTheCurrentCellAtTheTopLeftAndItsRecordsAsProperties) {
    EXPECT_EQ(GetColCount(grid), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(std::pair(GetCurrentRow(grid), GetCurrentCol(grid)), std::pair(1, 1));
    EXPECT_EQ(state()->undoEnabled, 1);
    EXPECT_EQ(GetFldSize(grid, 1), 2) << "column 1 holds one character";
    EXPECT_GT(GetRowHeight(grid), 4);
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, kHeaderId)), 3) << "row header, column 1, filler";
    EXPECT_NE(GetDlgItem(grid, kComboId), nullptr);
    EXPECT_EQ(GetDlgCtrlID(grid), 77);
    EXPECT_EQ(GetPropA(grid, "variables"), state());
    EXPECT_EQ(GetPropA(grid, "gridarray"), arrays());
    testing_host::TestHost other;
    EXPECT_EQ(CreateGrid(other.hwnd(), nullptr, 0, 1, 0, 0, 100, 100), nullptr) << "no instance, no grid";
    for (int border : {0, 1, 2, 7}) {
        HWND g = CreateGrid(host.hwnd(), host.instance(), border, 5, 0, 0, 100, 100);
        const LONG style = GetWindowLongA(g, GWL_STYLE);
        EXPECT_EQ((style & WS_BORDER) != 0, border == 1) << "border " << border;
        EXPECT_EQ((GetWindowLongA(g, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, border == 2) << "border " << border;
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
        DestroyWindow(g);
    }
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
    Shape(2, 8);
    ASSERT_TRUE(testing_host::ShapeGrid(second, 3, 4));
    CreateCell(grid, 1, 1, "first");
    CreateCell(second, 2, 1, "two");
    EXPECT_EQ(FreeGrid(grid), 1);
    EXPECT_EQ(std::pair(GetColCount(grid), GetRowCount(grid)), std::pair(2, 1));
    EXPECT_EQ(std::pair(GetColCount(second), GetRowCount(second)), std::pair(3, 2));
    EXPECT_NE(FontOf(GetDlgItem(second, kComboId)), FontOf(GetDlgItem(grid, kComboId)));
    DestroyWindow(second);
    EXPECT_EQ(Cell(1, 1), "first");
}

// Hosts fill grids from worker threads that own them; each call must reach
// the grid it names, and none may reach one its thread destroyed.
TEST_F(GridTest, CallsReachGridsOfOtherThreadsUntilTheyAreDestroyed) {
    struct Worker {
        HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr), destroy = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HWND grid = nullptr;
    } worker;
    HANDLE thread = CreateThread(nullptr, 0, [](void* p) -> DWORD {
        auto* w = static_cast<Worker*>(p);
        testing_host::TestHost own;
        w->grid = CreateGrid(own.hwnd(), own.instance(), 0, 1, 0, 0, 200, 100);
        testing_host::ShapeGrid(w->grid, 3, 4);
        CreateCell(w->grid, 1, 1, "w");
        SetEvent(w->made);
        WaitForSingleObject(w->destroy, INFINITE);
        DestroyWindow(w->grid);
        return 0;
    }, &worker, 0, nullptr);
    WaitForSingleObject(worker.made, INFINITE);
    Shape(2, 8);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(std::pair(GetColCount(worker.grid), GetColCount(grid)), std::pair(3, 2));
    SetEvent(worker.destroy);
    WaitForSingleObject(thread, INFINITE);
    EXPECT_EQ(GetColCount(worker.grid), -3);
    for (HANDLE h : {thread, worker.made, worker.destroy}) CloseHandle(h);
}
