// The left-to-right scan that splits delimited text into fields. Three
// characters separate fields: the delimiter and the two line-end
// characters; a line end also ends the line. Double quotes are dropped
// wherever they stand.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/text_scan.h"

namespace tabrix {

enum class FieldEnd : uint8_t { Delimiter, LineEnd, TextEnd };

struct ScannedField {
    FieldEnd end;
    // False for an empty field between two separators (or before the first
    // one); a field of quotes only, or one that runs to the end of the text,
    // is present even when empty.
    bool present;
    size_t kept;  // characters copied out
    bool cut;     // characters beyond the room were skipped
};

class FieldScanner {
public:
    // `lineEnd` may be null or shorter than two characters: its characters
    // are the line ends. A line end is its first character, its second, or
    // the two in that order, counted once.
    FieldScanner(const char* text, const char* lineEnd, char delimiter);

    // Scans the field at the cursor, copies its first `room` characters to
    // `out` (which may be null when room is 0) and moves past its separator;
    // at the end of the text the cursor stays there.
    ScannedField Next(char* out, size_t room);

    const char* position() const { return at_; }
    bool AtEnd() const { return *at_ == '\0'; }

private:
    enum Kind : uint8_t { kPlain, kQuote, kDelimiter, kLineEnd1, kLineEnd2, kTextEnd };
    Kind KindOf(char c) const { return static_cast<Kind>(kinds_[static_cast<uint8_t>(c)]); }
    // Text is classified a block at a time, at addresses that are multiples
    // of the block: such a block never reaches into another page, so the
    // bytes read around the text's ends are mapped.
    static constexpr uintptr_t kWindow = 64;
    // The first character at or after p that is not plain.
    const char* NextSpecial(const char* p) {
        const uintptr_t offset = reinterpret_cast<uintptr_t>(p) - window_;
        if (offset < kWindow) {
            if (const uint64_t ahead = windowSpecials_ >> offset) return p + __builtin_ctzll(ahead);
        }
        return NextSpecialBeyondWindow(p);
    }
    const char* NextSpecialBeyondWindow(const char* p);
    uint64_t SpecialsOf(const char* window) const;

    uint8_t kinds_[256];
    char specials_[4];  // every character but the plain ones, with '\0'
    const char* at_;
    char lineEndPair_;  // second character of a two-character line end, or 0
    // The aligned block of text last classified (none at first: no text
    // starts within kWindow bytes of address 0) and its characters that are
    // not plain, bit i for byte i. Kept by the NextSpecial pair.
    uintptr_t window_;
    uint64_t windowSpecials_;
};

inline ScannedField FieldScanner::Next(char* out, size_t room) {
    const char* p = at_;
    size_t kept = 0;
    bool taken = false, cut = false;
    for (;;) {
        const char* run = p;
        p = NextSpecial(p);
        if (p != run) {
            taken = true;
            // Characters beyond the room are skipped up to the separator.
            const size_t n = static_cast<size_t>(p - run);
            const size_t copied = n < room - kept ? n : room - kept;
            cut |= copied < n;
            CopyShort(out + kept, run, copied);
            kept += copied;
        }
        if (KindOf(*p) != kQuote) break;
        taken = true;
        ++p;
    }

    ScannedField field{FieldEnd::Delimiter, taken, kept, cut};
    switch (KindOf(*p)) {
        case kTextEnd:
            field.end = FieldEnd::TextEnd;
            field.present = true;
            break;
        case kLineEnd1:
            ++p;
            if (lineEndPair_ && *p == lineEndPair_) ++p;
            field.end = FieldEnd::LineEnd;
            break;
        case kLineEnd2:
            ++p;
            field.end = FieldEnd::LineEnd;
            break;
        default:
            ++p;
            break;
    }
    at_ = p;
    return field;
}

}  // namespace tabrix
