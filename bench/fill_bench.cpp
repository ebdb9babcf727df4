// Filling a grid cell by cell, as hosts do when they read their own files.
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/grid_access.h"
#include "grid/library.h"

namespace {
constexpr int kCols = 10;
constexpr int kFieldSize = 10;

struct FillResult {
    double nsPerCell;
    double storeBytesPerCell;
    double privateBytesPerCell;
};

FillResult Fill(HWND parent, int rows) {
    HWND grid = bench::ShapedGrid(parent, kCols, kFieldSize);
    // The texts are made before timing so only the grid is measured.
    std::string texts[kCols];
    for (int col = 0; col < kCols; ++col) texts[col] = "c" + std::to_string(col) + "-value";

    const double memoryBefore = bench::PrivateBytes();
    const double start = bench::NowSeconds();
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= kCols; ++col) CreateCell(grid, row, col, texts[col - 1].c_str());
    }
    const double seconds = bench::NowSeconds() - start;
    const double cells = static_cast<double>(rows) * kCols;
    const GridArrays* a = tabrix::GridFromWindow(grid).arrays;
    FillResult result{seconds * 1e9 / cells,
                      (static_cast<double>(a->rowCapacity) * (a->recordWidth + 1)) / cells,
                      (bench::PrivateBytes() - memoryBefore) / cells};
    if (GetRowCount(grid) != rows) printf("  wrong row count %d\n", GetRowCount(grid));
    DestroyWindow(grid);
    return result;
}

double MicrosecondsPerCall(int calls, void (*call)(HWND), HWND hwnd) {
    const double start = bench::NowSeconds();
    for (int i = 0; i < calls; ++i) call(hwnd);
    return (bench::NowSeconds() - start) * 1e6 / calls;
}
}  // namespace

int main() {
    bench::Start();
    HWND parent = bench::HostWindow();

    printf("CreateCell fill, %d columns of %d characters (slot %d bytes)\n", kCols, kFieldSize, kFieldSize + 1);
    FillResult results[3];
    const int sizes[3] = {10000, 100000, 1000000};
    for (int i = 0; i < 3; ++i) {
        results[i] = Fill(parent, sizes[i]);
        printf("  %8d rows: %7.1f ns/cell, store %5.1f bytes/cell, process %5.1f bytes/cell\n", sizes[i],
               results[i].nsPerCell, results[i].storeBytesPerCell, results[i].privateBytesPerCell);
    }

    printf("Reference costs of window-server calls\n");
    SetPropA(parent, "probe", parent);
    printf("  GetPropA:       %7.2f us\n",
           MicrosecondsPerCall(20000, [](HWND h) { GetPropA(h, "probe"); }, parent));
    printf("  InvalidateRect: %7.2f us\n",
           MicrosecondsPerCall(20000, [](HWND h) { InvalidateRect(h, nullptr, FALSE); }, parent));

    printf("Targets\n");
    const double time100k = results[1].nsPerCell * 100000, time1m = results[2].nsPerCell * 1000000;
    bool met = bench::Verdict("1,000,000-row fill within 12 x the 100,000-row fill", time1m <= 12 * time100k);
    met &= bench::Verdict("a cell costs under 1 us", results[2].nsPerCell < 1000);
    met &= bench::Verdict("memory per cell at most twice the slot",
                          results[2].privateBytesPerCell <= 2.0 * (kFieldSize + 1));
    DestroyWindow(parent);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
