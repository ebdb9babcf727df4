#include "tests/support/object_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace testing_host {
namespace {

struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "shared GDI handle table entry");
constexpr int kGdiTableEntries = 0x10000;

int CountSharedTable() {
// The compiler cannot see the thread block behind the segment register.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    PEB* peb = NtCurrentTeb()->ProcessEnvironmentBlock;
#pragma GCC diagnostic pop
#ifdef _WIN64
    constexpr size_t kTableOffset = 0xF8;
#else
    constexpr size_t kTableOffset = 0x94;
#endif
    const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(reinterpret_cast<const char*>(peb) + kTableOffset);
    if (!table) return -1;
    int count = 0;
    for (int i = 0; i < kGdiTableEntries; ++i) {
        if (table[i].type) ++count;
    }
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
