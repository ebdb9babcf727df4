#include "support/text_cut.h"

namespace tabrix {
namespace {

bool Continuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Bytes a sequence starting with `lead` takes; 1 for a byte that starts none.
size_t SequenceLength(uint8_t lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xC2 && lead < 0xE0) return 2;
    return 1;
}

size_t Utf8Prefix(const uint8_t* t, size_t kept) {
    // The last character starts at most three continuation bytes back.
    size_t start = kept;
    while (start > 0 && kept - start < 3 && Continuation(t[start - 1])) --start;
    if (start == 0) return kept;
    const size_t lead = start - 1;
    const size_t length = SequenceLength(t[lead]);
    // A byte that starts no sequence is a character of its own.
    if (length == 1) return kept;
    return kept - lead < length ? lead : kept;
}

size_t DoubleBytePrefix(const uint8_t* t, size_t kept, const TextEncoding& e) {
    for (size_t i = 0; i < kept;) {
        if (!e.IsLeadByte(t[i])) {
            ++i;
        } else if (i + 1 == kept) {
            return i;  // its trail byte was cut off
        } else {
            i += 2;
        }
    }
    return kept;
}

}  // namespace

void TextEncoding::AddLeadBytes(uint8_t first, uint8_t last) {
    for (unsigned b = first; b <= last; ++b) leadBytes[b >> 3] |= static_cast<uint8_t>(1u << (b & 7));
    anyLeadByte = true;
}

size_t WholeCharacters(const char* text, size_t kept, const TextEncoding& encoding) {
    const auto* t = reinterpret_cast<const uint8_t*>(text);
    if (encoding.utf8) return Utf8Prefix(t, kept);
    if (encoding.anyLeadByte) return DoubleBytePrefix(t, kept, encoding);
    return kept;
}

}  // namespace tabrix
