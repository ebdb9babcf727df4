// Length and byte counts of long host texts. The runtime's own strlen runs
// a byte at a time on some platforms, which costs more than parsing the
// text; whole tables pass through these instead.
#pragma once

#include <cstddef>
#include <cstring>

namespace tabrix {

size_t TextLength(const char* text);
// `length` less the blanks that end the text: cells are shown, edited and
// compared without them.
inline size_t TrimmedLength(const char* text, size_t length) {
    while (length > 0 && text[length - 1] == ' ') --length;
    return length;
}
size_t CountByte(const char* text, size_t length, char byte);
// Copies n bytes; for the short fields of records, where a call into the
// runtime's memcpy costs more than the copy.
inline void CopyShort(void* to, const void* from, size_t n) {
    auto* d = static_cast<char*>(to);
    auto* s = static_cast<const char*>(from);
    if (n >= 8) {
        // Whole words, the last one overlapping the one before it.
        for (size_t i = 0; i + 8 < n; i += 8) memcpy(d + i, s + i, 8);
        memcpy(d + n - 8, s + n - 8, 8);
        return;
    }
    if (n >= 4) {
        memcpy(d, s, 4);
        memcpy(d + n - 4, s + n - 4, 4);
        return;
    }
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
}

}  // namespace tabrix
