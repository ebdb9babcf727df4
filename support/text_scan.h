// Length and byte counts of long host texts. The runtime's own strlen runs
// a byte at a time on some platforms, which costs more than parsing the
// text; whole tables pass through these instead.
#pragma once

#include <cstddef>

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
void CopyShort(void* to, const void* from, size_t n);

}  // namespace tabrix
