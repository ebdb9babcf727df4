#include "support/memory.h"

#include <cstdlib>
#include <cstring>

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
    // Half the address space at most: the C heap refuses more, and the limit
    // keeps every row offset representable as a signed pointer difference.
    const uint64_t limit = static_cast<uint64_t>(PTRDIFF_MAX);
    if (count < 0 || width < 0) return false;
    if (width != 0 && static_cast<uint64_t>(count) > limit / static_cast<uint64_t>(width)) return false;
    *bytes = static_cast<size_t>(static_cast<uint64_t>(count) * static_cast<uint64_t>(width));
    return true;
}

void* ZeroAlloc(size_t bytes) {
    if (!AllocationAllowed()) return nullptr;
    return calloc(bytes ? bytes : 1, 1);
}

void* ResizeBlock(void* block, size_t oldBytes, size_t newBytes) {
    if (!AllocationAllowed()) return nullptr;
    void* grown = realloc(block, newBytes ? newBytes : 1);
    if (!grown) return nullptr;
    if (newBytes > oldBytes) memset(static_cast<char*>(grown) + oldBytes, 0, newBytes - oldBytes);
    return grown;
}

void FreeBlock(void* block) { free(block); }

}  // namespace tabrix
