// The library-wide pool of strings handed to hosts. A host gets a pointer it
// never frees; the pointer stays valid until 2048 further strings have been
// handed out by any operation.
#pragma once

#include <cstddef>

namespace tabrix {

constexpr int kTempSlots = 2048;

// A zero-filled buffer with room for n characters and then some (n + 128
// bytes), taken from the next slot of the pool; null only when the heap is
// exhausted.
char* TempString(size_t n);
// A pool copy of the first len bytes of text.
char* TempCopy(const char* text, size_t len);
// A pool copy of a zero-terminated text; null reads as "".
const char* TempText(const char* text);

// Releases every pooled buffer (process detach).
void FreeTempStrings();

}  // namespace tabrix
