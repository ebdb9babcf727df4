// A screen reader's walk of a 100,000-row grid through oleacc, against a
// full repaint of the same grid: the walk visits the rows in view only.
#include <objbase.h>

#include <cstdio>

#include "bench/bench_support.h"
#include "tests/support/access_walk.h"

namespace {

constexpr int kRows = 100000;

// Every part's role, name, value, state and place, as the walk reads them;
// `fromWindow` asks the window for the table each time, as a reader
// arriving at the grid does, else one table is walked again.
double MillisecondsPerWalk(HWND grid, IAccessible* table, bool fromWindow, size_t* parts) {
    const double start = bench::NowSeconds();
    for (int i = 0; i < bench::kRepeats; ++i) {
        std::vector<testing_host::AccPart> walked;
        if (fromWindow) {
            walked = testing_host::WalkWindow(grid);
        } else {
            testing_host::Walk(table, "", &walked);
        }
        *parts = walked.size();
    }
    return (bench::NowSeconds() - start) * 1000 / bench::kRepeats;
}

}  // namespace

int main() {
    bench::Start();
    if (FAILED(CoInitialize(nullptr))) return 2;
    HWND host = bench::MakeWindow("AccessHost", DefWindowProcA);
    HWND grid = bench::FilledGrid(host, kRows);
    const double repaint = bench::MillisecondsPerRedraw(grid);
    IAccessible* table = nullptr;
    AccessibleObjectFromWindow(grid, OBJID_CLIENT, testing_host::kIAccessible, reinterpret_cast<void**>(&table));
    if (!table) return 2;
    long children = 0;
    table->get_accChildCount(&children);
    size_t parts = 0, heldParts = 0;
    const double walk = MillisecondsPerWalk(grid, table, true, &parts);
    const double held = MillisecondsPerWalk(grid, table, false, &heldParts);
    table->Release();
    const size_t rowsVisited = static_cast<size_t>(children - 1);
    SCROLLINFO page{sizeof page, SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(grid, SB_VERT, &page);

    printf("Walk of a %dx%d grid of %d rows, %d columns, through oleacc\n", bench::kWidth, bench::kHeight, kRows,
           bench::kCols);
    printf("  rows visited %zu (the page holds %u whole rows), parts read %zu\n", rowsVisited, page.nPage, parts);
    printf("  full repaint after a change %6.2f ms\n", repaint);
    printf("  walk, table asked of the window %6.2f ms (%.2f x the repaint)\n", walk, walk / repaint);
    printf("  walk of a table already held     %6.2f ms (%.2f x)\n", held, held / repaint);

    printf("Targets\n");
    const size_t expected = 1 + 1 + bench::kCols + rowsVisited * (1 + bench::kCols);
    bool met = bench::Verdict("only the rows in view are visited",
                              rowsVisited >= page.nPage && rowsVisited <= page.nPage + 1 && parts == expected &&
                                  heldParts == expected);
    met &= bench::Verdict("a walk costs at most 2 x a full repaint", walk <= 2 * repaint);
    DestroyWindow(host);
    tabrix::LibraryDetach();
    CoUninitialize();
    return met ? 0 : 1;
}
