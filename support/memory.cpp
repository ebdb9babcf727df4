#include "support/memory.h"

#if defined(_WIN32)
#include <windows.h>

#include <cstring>
#else
#include <cstdlib>
#include <cstring>
#endif

namespace tabrix {
namespace {
int allocationsLeft = -1;

bool AllocationAllowed() {
    if (allocationsLeft < 0) return true;
    if (allocationsLeft == 0) return false;
    --allocationsLeft;
    return true;
}
}  // namespace

void FailAllocationsAfter(int n) { allocationsLeft = n; }

bool BlockBytes(int64_t count, int64_t width, size_t* bytes) {
    if (count < 0 || width < 0) return false;
    if (width != 0 && static_cast<uint64_t>(count) > kMaxBlockBytes / static_cast<uint64_t>(width)) return false;
    *bytes = static_cast<size_t>(static_cast<uint64_t>(count) * static_cast<uint64_t>(width));
    return true;
}

#if defined(_WIN32)
namespace {
// Wine's heap leaves a freed block readable and writable as it was, so code
// that touches a grid's records after the host destroyed the grid passes by
// luck there. Test runs set TABRIX_GUARD_FREED: every block then has pages
// of its own, decommitted when it is freed and never handed out again, so
// any use after the free faults.
bool GuardFreed() {
    static const bool guard = GetEnvironmentVariableA("TABRIX_GUARD_FREED", nullptr, 0) > 0;
    return guard;
}

void* GuardedAlloc(size_t bytes) {
    return VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void GuardedFree(void* block) {
    MEMORY_BASIC_INFORMATION pages;
    if (VirtualQuery(block, &pages, sizeof pages)) VirtualFree(pages.AllocationBase, pages.RegionSize, MEM_DECOMMIT);
}
}  // namespace

// The process heap zeroes what it hands out itself, and a large block comes
// straight from fresh pages that are zero already.
void* ZeroAlloc(size_t bytes) {
    if (!AllocationAllowed() || bytes > kMaxBlockBytes) return nullptr;
    if (GuardFreed()) return GuardedAlloc(bytes);
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

void* ResizeBlock(void* block, size_t oldBytes, size_t newBytes) {
    if (!AllocationAllowed() || newBytes > kMaxBlockBytes) return nullptr;
    if (GuardFreed()) {
        void* moved = GuardedAlloc(newBytes);
        if (moved && block) memcpy(moved, block, oldBytes < newBytes ? oldBytes : newBytes);
        if (moved && block) GuardedFree(block);
        return moved;
    }
    if (!block) return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, newBytes ? newBytes : 1);
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, newBytes ? newBytes : 1);
}

void FreeBlock(void* block) {
    if (!block) return;
    if (GuardFreed()) return GuardedFree(block);
    HeapFree(GetProcessHeap(), 0, block);
}
#else
void* ZeroAlloc(size_t bytes) {
    if (!AllocationAllowed() || bytes > kMaxBlockBytes) return nullptr;
    return calloc(bytes ? bytes : 1, 1);
}

void* ResizeBlock(void* block, size_t oldBytes, size_t newBytes) {
    if (!AllocationAllowed() || newBytes > kMaxBlockBytes) return nullptr;
    void* grown = realloc(block, newBytes ? newBytes : 1);
    if (grown && newBytes > oldBytes) memset(static_cast<char*>(grown) + oldBytes, 0, newBytes - oldBytes);
    return grown;
}

void FreeBlock(void* block) { free(block); }
#endif

}  // namespace tabrix
