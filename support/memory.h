// Heap blocks of the grid records. Every allocation the grid makes goes
// through here so sizes are checked in one place and tests can make
// allocations fail on purpose.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabrix {

// Zero-filled block, or null. A size of 0 still gives a distinct block.
void* ZeroAlloc(size_t bytes);
// Grows or shrinks a block; bytes beyond oldBytes are zeroed. On failure the
// old block is untouched and null is returned.
void* ResizeBlock(void* block, size_t oldBytes, size_t newBytes);
void FreeBlock(void* block);

// count × width as a byte count, or false when it does not fit this build's
// address space. Every size derived from row counts goes through this.
bool BlockBytes(int64_t count, int64_t width, size_t* bytes);

// Test hook: the next `n` allocations succeed, every later one fails;
// negative turns failures off.
void FailAllocationsAfter(int n);

}  // namespace tabrix
