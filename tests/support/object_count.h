// Counts of the GDI and USER objects a process holds, for leak checks.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace testing_host {

// Live GDI objects of this process. Where the platform's own counter answers
// nothing (Wine's is a stub), the shared GDI handle table is counted: 65,536
// entries of 24 bytes, byte 14 of each naming the object's type (0 for a
// free entry).
inline int LiveGdiObjects() {
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(reported);
// The compiler cannot see the thread block behind the segment register.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const char* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    const auto* table = *reinterpret_cast<const uint8_t* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
    if (!table) return -1;
    int count = 0;
    for (int i = 0; i < 0x10000; ++i) count += table[i * 24 + 14] != 0;
    return count;
}

// Windows of this thread, top-level and children: the USER objects a grid
// makes.
inline BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(hwnd, CountWindow, counter);
    return TRUE;
}
inline int LiveWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Committed private memory, region by region: Wine answers 0 for the
// process's private usage.
inline long long PrivateKb() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof info);
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    }
    return static_cast<long long>(total / 1024);
}

}  // namespace testing_host
