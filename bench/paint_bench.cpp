// Repainting a large grid window, and stepping it one line down.
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/library.h"

namespace {
using bench::kCols;
using bench::kHeight;
using bench::kRepeats;
using bench::kWidth;
using bench::MakeWindow;
using bench::MillisecondsPerRepaint;

double MillisecondsPerLineStep(HWND grid) {
    const double start = bench::NowSeconds();
    for (int i = 0; i < kRepeats; ++i) {
        SendMessageA(grid, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(grid);
    }
    return (bench::NowSeconds() - start) * 1000 / kRepeats;
}

// What the platform charges for one scroll-bar update, which every line
// step must pay on top of its repaint.
double MillisecondsPerThumbMove(HWND hwnd) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 1, 1000, 30, 0, 0};
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    info.fMask = SIF_POS;
    const double start = bench::NowSeconds();
    for (int i = 0; i < kRepeats; ++i) {
        info.nPos = 1 + i % 900;
        SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    }
    return (bench::NowSeconds() - start) * 1000 / kRepeats;
}

}  // namespace

int main() {
    bench::Start();
    HWND floor = MakeWindow("PaintFloor", bench::FloorProc);
    const double floorMs = MillisecondsPerRepaint(floor);
    DestroyWindow(floor);

    HWND host = MakeWindow("PaintHost", DefWindowProcA);
    printf("Repaint of a %dx%d grid, %d columns (text, check-box and coloured)\n", kWidth, kHeight, kCols);
    double repaint[2], changed[2], redraw[2], step[2];
    const int sizes[2] = {1000, 1000000};
    for (int i = 0; i < 2; ++i) {
        HWND grid = bench::FilledGrid(host, sizes[i]);
        repaint[i] = MillisecondsPerRepaint(grid);
        changed[i] = bench::MillisecondsPerCellChange(grid);
        redraw[i] = bench::MillisecondsPerRedraw(grid);
        step[i] = MillisecondsPerLineStep(grid);
        printf("  %8d rows: repaint, nothing changed %5.2f ms; after one cell changed %5.2f ms; every row drawn "
               "%5.2f ms; SB_LINEDOWN with repaint %5.2f ms\n",
               sizes[i], repaint[i], changed[i], redraw[i], step[i]);
        DestroyWindow(grid);
    }
    // The same grid's texts as UTF-8: ASCII, then Latin, CJK and Greek.
    double utf8[2];
    const char* const texts[2] = {"cell text", "Caf\xC3\xA9 \xE6\x97\xA5\xCE\xB1"};
    for (int i = 0; i < 2; ++i) {
        HWND grid = bench::FilledGrid(host, sizes[0], true, texts[i], TABRIX_UTF8);
        utf8[i] = bench::MillisecondsPerRedraw(grid);
        DestroyWindow(grid);
    }
    printf("  UTF-8 grid, 1000 rows, every row drawn: ASCII %5.2f ms (%.2f x ANSI), mixed scripts %5.2f ms (%.2f x)\n",
           utf8[0], utf8[0] / redraw[0], utf8[1], utf8[1] / redraw[0]);
    // Every row drawn at 96 and at 192 DPI, in windows of the same size (so
    // per pixel): the grid told its resolution as a test tells it, its host
    // scaling its widths; at 192 every cell is four times the pixels.
    double atDpi[2];
    static int benchDpi;
    const tabrix::WindowDpiReader reader = tabrix::library.windowDpi;
    tabrix::library.windowDpi = [](HWND) { return benchDpi; };
    for (int i = 0; i < 2; ++i) {
        benchDpi = i ? 192 : 96;
        HWND grid = bench::FilledGrid(host, sizes[0], true, "cell text", 0, benchDpi);
        atDpi[i] = bench::MillisecondsPerRedraw(grid);
        DestroyWindow(grid);
    }
    tabrix::library.windowDpi = reader;
    printf("  every row drawn, same window: 96 DPI %5.2f ms, 192 DPI %5.2f ms (%.2f x per pixel)\n", atDpi[0],
           atDpi[1], atDpi[1] / atDpi[0]);
    printf("  floor (a window that only fills its background): %6.2f ms\n", floorMs);
    printf("  reference: SetScrollInfo moving a thumb, with redraw: %6.2f ms\n", MillisecondsPerThumbMove(host));

    printf("Targets\n");
    const double ratio = redraw[1] / redraw[0];
    bool met = bench::Verdict("repaint time independent of the row count (15%)", ratio > 0.85 && ratio < 1.15);
    met &= bench::Verdict("repaint of every row under 5 ms", redraw[1] < 5.0 && redraw[0] < 5.0);
    met &= bench::Verdict("repaint with nothing changed at most twice the floor",
                          repaint[1] <= 2 * floorMs && repaint[0] <= 2 * floorMs);
    met &= bench::Verdict("repaint after one cell changed at most 1.5 x the floor",
                          changed[1] <= 1.5 * floorMs && changed[0] <= 1.5 * floorMs);
    met &= bench::Verdict("line step with its repaint under 6 ms", step[1] < 6.0 && step[0] < 6.0);
    met &= bench::Verdict("UTF-8 ASCII at most 1.2 x the ANSI grid", utf8[0] <= 1.2 * redraw[0]);
    met &= bench::Verdict("UTF-8 mixed scripts at most 1.5 x the ANSI grid", utf8[1] <= 1.5 * redraw[0]);
    met &= bench::Verdict("a repaint at 192 DPI at most 1.2 x a 96-DPI one per pixel", atDpi[1] <= 1.2 * atDpi[0]);
    DestroyWindow(host);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
