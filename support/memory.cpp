#include "support/memory.h"

#if defined(_WIN32)
#include <windows.h>
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
// The process heap zeroes what it hands out itself, and a large block comes
// straight from fresh pages that are zero already.
void* ZeroAlloc(size_t bytes) {
    if (!AllocationAllowed() || bytes > kMaxBlockBytes) return nullptr;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

void* ResizeBlock(void* block, size_t /*oldBytes*/, size_t newBytes) {
    if (!AllocationAllowed() || newBytes > kMaxBlockBytes) return nullptr;
    if (!block) return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, newBytes ? newBytes : 1);
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, newBytes ? newBytes : 1);
}

void FreeBlock(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
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
