// Heap blocks of the per-grid records and their arrays. Sizes are checked
// in one place, and tests can make these allocations fail on purpose.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabrix {

// The largest block either build allocates. The 32-bit product cannot
// address a block past 2 GB; the 64-bit build refuses the same sizes, at
// once, rather than let a far row reserve terabytes that an over-committing
// system would hand out and then kill the host for touching.
constexpr uint64_t kMaxBlockBytes = 0x7FFFFFFFu;

// Zero-filled block, or null. A size of 0 still gives a distinct block.
void* ZeroAlloc(size_t bytes);
// Grows or shrinks a block; bytes beyond oldBytes read as zero. The zeroes
// come from the allocator, so fresh pages are not written twice. On failure
// the old block is untouched and null is returned.
void* ResizeBlock(void* block, size_t oldBytes, size_t newBytes);
void FreeBlock(void* block);

// count × width as a byte count, or false when it is past kMaxBlockBytes.
// Every size derived from row counts goes through this.
bool BlockBytes(int64_t count, int64_t width, size_t* bytes);

// Test hook: the next `n` allocations succeed, every later one fails;
// negative turns failures off.
void FailAllocationsAfter(int n);

}  // namespace tabrix
