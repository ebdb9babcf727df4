// Pasting a block of cells against filling the same cells with CreateCell.
#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/library.h"

namespace {
constexpr int kRows = 10000;
constexpr int kCols = 10;
constexpr int kFieldSize = 10;
constexpr int kRuns = 3;

std::string CellText(int row, int col) { return std::to_string(row % 1000) + "-" + std::to_string(col); }

double FillSeconds(HWND parent) {
    HWND grid = bench::ShapedGrid(parent, kCols, kFieldSize);
    std::string texts[kCols];
    for (int col = 0; col < kCols; ++col) texts[col] = CellText(7, col);
    const double start = bench::NowSeconds();
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) CreateCell(grid, row, col, texts[col - 1].c_str());
    }
    const double seconds = bench::NowSeconds() - start;
    if (GetRowCount(grid) != kRows) printf("  fill: wrong row count %d\n", GetRowCount(grid));
    DestroyWindow(grid);
    return seconds;
}

// The host answers every question at once, by message or by callback.
LRESULT CALLBACK Accept(HWND, UINT, WPARAM, LPARAM) { return 0; }

// Pasted at row 1 of an empty grid, each row through the new-record row; or
// over rows already filled.
double PasteSeconds(HWND parent, const std::string& text, bool overFilled) {
    HWND grid = bench::ShapedGrid(parent, kCols, kFieldSize);
    // Row 1 and the new-record row after it; or every row filled.
    for (int row = 1; row <= (overFilled ? kRows : 1); ++row) CreateCell(grid, row, 1, overFilled ? "x" : "");
    GotoCell(grid, 1, 1);
    const double start = bench::NowSeconds();
    const int cells = PasteCells(grid, text.c_str());
    const double seconds = bench::NowSeconds() - start;
    int32_t changed = 0, row = 0, col = 0;
    if (GetPasteResult(grid, &changed, &row, &col) != TABRIX_PASTE_DONE || cells != kRows * kCols ||
        GetRowCount(grid) != kRows) {
        printf("  paste: ended at %d,%d with %d cells, %d rows\n", row, col, cells, GetRowCount(grid));
    }
    DestroyWindow(grid);
    return seconds;
}
}  // namespace

int main() {
    bench::Start();
    HWND parent = bench::HostWindow();
    std::string text;
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 0; col < kCols; ++col) text += CellText(7, col) + (col + 1 < kCols ? "\t" : "\r\n");
    }
    double fill = 1e9, paste[2] = {1e9, 1e9}, over[2] = {1e9, 1e9};
    for (int run = 0; run < kRuns; ++run) {
        fill = std::min(fill, FillSeconds(parent));
        for (int callback = 0; callback < 2; ++callback) {
            SetFuncCallback(Accept, callback);
            paste[callback] = std::min(paste[callback], PasteSeconds(parent, text, false));
            over[callback] = std::min(over[callback], PasteSeconds(parent, text, true));
        }
    }
    SetFuncCallback(nullptr, 0);
    const double cells = double{kRows} * kCols;
    auto show = [&](const char* what, double seconds) {
        printf("  %-44s %7.1f ms (%6.1f ns/cell), %5.2f x the fill\n", what, seconds * 1e3, seconds * 1e9 / cells,
               seconds / fill);
    };
    printf("%d rows x %d columns, best of %d runs; each pasted cell asks the host twice\n", kRows, kCols, kRuns);
    printf("  %-44s %7.1f ms (%6.1f ns/cell)\n", "CreateCell fill", fill * 1e3, fill * 1e9 / cells);
    show("paste through the new-record row, callback", paste[1]);
    show("paste over filled rows, callback", over[1]);
    show("paste through the new-record row, messages", paste[0]);
    show("paste over filled rows, messages", over[0]);
    printf("Targets\n");
    bool met = bench::Verdict("a paste (host by callback) costs at most 2 x the fill", paste[1] <= 2 * fill);
    met &= bench::Verdict("over filled rows too", over[1] <= 2 * fill);
    DestroyWindow(parent);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
