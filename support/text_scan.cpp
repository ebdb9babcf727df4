#include "support/text_scan.h"

#include <cstdint>
#include <cstring>

namespace tabrix {
namespace {
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

bool HasZeroByte(uint64_t word) { return ((word - kOnes) & ~word & kHighs) != 0; }
}  // namespace

// AddressSanitizer checks bytes, not pages: the reads after the terminator
// below stay inside its aligned word and are deliberate.
__attribute__((no_sanitize_address)) size_t TextLength(const char* text) {
    const char* p = text;
    // Byte by byte up to an 8-byte boundary, then a word at a time: an
    // aligned word never reaches into another page, so reading the bytes
    // after the terminator within it is safe.
    while (reinterpret_cast<uintptr_t>(p) % sizeof(uint64_t) != 0) {
        if (!*p) return static_cast<size_t>(p - text);
        ++p;
    }
    for (;;) {
        uint64_t word;
        memcpy(&word, p, sizeof word);
        if (HasZeroByte(word)) break;
        p += sizeof word;
    }
    while (*p) ++p;
    return static_cast<size_t>(p - text);
}

size_t CountByte(const char* text, size_t length, char byte) {
    size_t count = 0;
    size_t i = 0;
    // Counts of at most 255 in a byte-wide sum let the compiler compare
    // sixteen or more bytes per step.
    while (i < length) {
        const size_t end = length - i < 255 ? length : i + 255;
        uint8_t block = 0;
        for (; i < end; ++i) block += text[i] == byte;
        count += block;
    }
    return count;
}

}  // namespace tabrix
