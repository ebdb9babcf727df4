// GridFind over a million cells that hold no match, against a loop that
// only walks the same cells.
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/cell_store.h"
#include "grid/grid_access.h"
#include "grid/library.h"

namespace {
constexpr int kRows = 100000, kCols = 10;
constexpr double kCells = double{kRows} * kCols;
constexpr int kRuns = 5;

template <class Pass>
double BestNsPerCell(Pass pass) {
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const double start = bench::NowSeconds();
        pass();
        const double ns = (bench::NowSeconds() - start) * 1e9 / kCells;
        if (ns < best) best = ns;
    }
    return best;
}

// Every cell reached, its first byte read: nothing compared.
volatile size_t sink;
void WalkCells(const GridArrays* a) {
    size_t total = 0;
    for (int row = 1; row <= kRows + 1; ++row) {
        for (int col = 1; col <= kCols; ++col) total += static_cast<unsigned char>(*tabrix::CellText(a, row, col));
    }
    sink = total;
}
}  // namespace

int main() {
    bench::Start();
    HWND parent = bench::HostWindow();
    HWND grid = bench::ShapedGrid(parent, kCols, 12);
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) CreateCell(grid, row, col, ("c" + std::to_string(col) + "-" + std::to_string(row % 100000)).c_str());
    }
    const GridArrays* a = tabrix::GridFromWindow(grid).arrays;
    printf("GridFind over %d rows x %d columns of about 10 characters, no hit (best of %d)\n", kRows, kCols, kRuns);
    const double floor = BestNsPerCell([&] { WalkCells(a); });
    printf("  floor: walking the cells            %6.2f ns/cell\n", floor);
    const char* names[3] = {"equals", "contains", "begins with"};
    bool met = true;
    double perMode[3];
    for (int mode = 0; mode < 3; ++mode) {
        int answer = -9;
        perMode[mode] = BestNsPerCell([&] { answer = GridFind(grid, "zz-none", 0, 0, mode); });
        printf("  mode %d (%-11s)                %6.2f ns/cell  %4.2f x floor%s\n", mode, names[mode], perMode[mode],
               perMode[mode] / floor, answer == 0 ? "" : "  (found something!)");
        met &= answer == 0;
    }
    printf("Targets\n");
    for (int mode = 0; mode < 3; ++mode) {
        char line[80];
        snprintf(line, sizeof line, "mode %d within 4 x the floor", mode);
        met &= bench::Verdict(line, perMode[mode] <= 4 * floor);
    }
    DestroyWindow(parent);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
