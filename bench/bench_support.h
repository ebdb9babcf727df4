// Timing and memory readings shared by the benchmarks.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>

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

// A verdict line that scripts and people can both read.
inline bool Verdict(const char* target, bool met) {
    printf("  %-58s %s\n", target, met ? "met" : "MISSED");
    return met;
}

}  // namespace bench
