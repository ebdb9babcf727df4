// Creation when memory runs out, grids of other threads, and the paint
// cycle. A new grid's styles, children, properties and counts are the
// reference's answers.
#include <utility>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

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
        EXPECT_EQ(std::vector<int>({GetColCount(g), GetRowCount(g), CreateCell(g, 3, 1, "x")}),
                  std::vector<int>({1, 1, 1})) << "a grid made with " << n << " allocations";
        DestroyWindow(g);
    }
    EXPECT_GT(created, 0);
    FailAllocationsAfter(0);
    EXPECT_EQ(CreateGrid(host.hwnd(), host.instance(), 0, 1, 0, 0, 100, 100), nullptr);
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

// A change after a paint, and a move by either view export, asks for the next paint.
TEST_F(GridTest, ChangesInvalidateOncePerPaintCycle) {
    Shape(1, 5);
    ASSERT_EQ(CreateCell(grid, 40, 1, "x"), 1);
    ASSERT_EQ(ViewGrid(grid, 0), 1);
    const struct { const char* name; int (*change)(HWND); } changes[] = {
        {"CreateCell", [](HWND g) { return CreateCell(g, 1, 1, "a"); }},
        {"SetCellText", [](HWND g) { return SetCellText(g, 1, 1, "b"); }},
        {"GotoCell", [](HWND g) { return GotoCell(g, 41, 1); }},
        {"ViewGrid", [](HWND g) { return ViewGrid(g, 1); }},
    };
    RECT update;
    for (const auto& c : changes) {
        UpdateWindow(grid);
        ASSERT_FALSE(GetUpdateRect(grid, &update, FALSE));
        ASSERT_EQ(c.change(grid), 1) << c.name;
        EXPECT_TRUE(GetUpdateRect(grid, &update, FALSE)) << "no repaint asked after " << c.name;
    }
}
