#include "tests/support/object_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace testing_host {
namespace {

// The shared GDI handle table: 65,536 entries of 24 bytes, byte 14 of each
// naming the object's type (0 for a free entry).
int CountSharedTable() {
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

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(hwnd, CountWindow, counter);
    return TRUE;
}

}  // namespace

int LiveGdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return reported ? static_cast<int>(reported) : CountSharedTable();
}

int LiveWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace testing_host
