// Timing and memory readings shared by the benchmarks.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "exports/tabrix32.h"
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

// A verdict line that scripts and people can both read.
inline bool Verdict(const char* target, bool met) {
    printf("  %-58s %s\n", target, met ? "met" : "MISSED");
    return met;
}

}  // namespace bench
