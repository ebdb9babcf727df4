// Timing and memory readings shared by the benchmarks.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "exports/tabrix32.h"
#include "control/library_entry.h"
#include "grid/library.h"
#include "tests/support/crash_filter.h"
#include "tests/support/field_def.h"

namespace bench {

inline double NowSeconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Private bytes of the process (the working set where the platform does not
// report private bytes): what the heap holds, whatever allocator.
inline double PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.WorkingSetSize);
}

// What every benchmark does first: crashes fail the run, and the library is
// attached as the DLL would be.
inline void Start() {
    testing_host::InstallCrashFilter();
    tabrix::LibraryAttach(GetModuleHandleA(nullptr));
}

// A shown host window to parent grids.
inline HWND HostWindow() {
    return CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A grid of `cols` text columns of `size` characters, as hosts shape one.
inline HWND ShapedGrid(HWND parent, int cols, int size) {
    HWND grid = CreateGrid(parent, GetModuleHandleA(nullptr), 0, 1, 0, 0, 800, 600);
    testing_host::ShapeGrid(grid, cols, size, 70);
    return grid;
}

// The window size and shape the paint and data-entry benchmarks share.
constexpr int kWidth = 1024, kHeight = 768;
constexpr int kCols = 12;
constexpr int kRepeats = 200;

// A window that only fills its background: the floor of a repaint.
inline LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A shown top-level window whose client area is kWidth x kHeight.
inline HWND MakeWindow(const char* className, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hwnd = CreateWindowExA(0, className, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

// The median of kRepeats repaints of `hwnd`, each after prepare(i) (not
// timed): sub-millisecond figures on a shared machine need the median.
template <class Prepare>
double MedianRepaintMilliseconds(HWND hwnd, Prepare prepare) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        prepare(i);
        const double start = bench::NowSeconds();
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        times.push_back(bench::NowSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2] * 1000;
}

inline double MillisecondsPerRepaint(HWND hwnd) {
    return MedianRepaintMilliseconds(hwnd, [](int) {});
}

// A repaint that draws every visible row, as after a load or a change of
// the system's colours (which a host passes on as WM_SYSCOLORCHANGE).
inline double MillisecondsPerRedraw(HWND grid) {
    return MedianRepaintMilliseconds(grid, [&](int) { SendMessageA(grid, WM_SYSCOLORCHANGE, 0, 0); });
}

// A repaint right after one visible text cell got a new text through the
// API, a different cell each time, as the host harness of
// docs/performance.md measures it.
inline double MillisecondsPerCellChange(HWND grid) {
    return MedianRepaintMilliseconds(grid, [&](int i) {
        static const int kTextCols[3] = {1, 3, 4};
        char text[16];
        snprintf(text, sizeof text, "changed %d", i);
        SetCellText(grid, 1 + i % 10, kTextCols[i % 3], text);
    });
}

// The painted grid of the paint and data-entry benchmarks: text, check-box
// and coloured columns filling the host window. `checkBoxes` off gives text
// columns only, so every column has an editor.
// `dpi`: the host's widths scaled to that resolution.
inline HWND FilledGrid(HWND parent, int rows, bool checkBoxes = true, const char* text = "cell text",
                       int codePage = 0, int dpi = 96) {
    RECT client;
    GetClientRect(parent, &client);
    HWND grid = CreateGrid(parent, GetModuleHandleA(nullptr), 0, 1, 0, 0, client.right, client.bottom);
    SetGridCodePage(grid, codePage);
    DimCols(grid, kCols);
    for (int col = 1; col <= kCols; ++col) {
        FieldDef def{};
        def.label = const_cast<char*>("column");
        def.width = MulDiv(80, dpi, 96);
        const bool check = checkBoxes && col % 4 == 2;
        def.size = check ? 1 : 12;
        def.align = col % 3;
        if (col % 4 == 3) def.backColor = RGB(230, 240, 255);
        if (col % 4 == 0) def.textColor = RGB(160, 0, 0);
        DefineField(grid, col, check ? 1 : 0, &def);
    }
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            const bool check = checkBoxes && col % 4 == 2;
            CreateCell(grid, row, col, check ? (row % 2 ? "1" : "0") : text);
        }
    }
    SetUndoBuffer(grid);
    UpdateWindow(grid);
    return grid;
}

// A verdict line that scripts and people can both read.
inline bool Verdict(const char* target, bool met) {
    printf("  %-58s %s\n", target, met ? "met" : "MISSED");
    return met;
}

}  // namespace bench
