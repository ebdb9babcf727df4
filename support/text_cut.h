// Where a text may be cut to a byte size without splitting a character:
// whole UTF-8 sequences in a UTF-8 grid, whole lead and trail pairs in a
// grid whose code page is a double-byte one. No window here: the record
// formats use it, and it is fuzzed with them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabrix {

struct TextEncoding {
    bool utf8 = false;
    // Lead bytes of a double-byte code page, bit b for byte b; none for a
    // single-byte one.
    uint8_t leadBytes[32] = {};
    bool anyLeadByte = false;

    bool IsLeadByte(uint8_t b) const { return (leadBytes[b >> 3] >> (b & 7)) & 1; }
    void AddLeadBytes(uint8_t first, uint8_t last);
    // Every byte a character: cuts anywhere, as the grid always did.
    bool SingleByte() const { return !utf8 && !anyLeadByte; }
};

// The longest prefix of the first `kept` bytes of `text` that ends on a
// whole character, for a text that was cut after them. Invalid bytes count
// as characters of their own, so a damaged text is never cut shorter than
// its own damage.
size_t WholeCharacters(const char* text, size_t kept, const TextEncoding& encoding);

}  // namespace tabrix
