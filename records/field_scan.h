// The left-to-right scan that splits delimited text into fields. Three
// characters separate fields: the delimiter and the two line-end
// characters; a line end also ends the line. Double quotes are dropped
// wherever they stand.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tabrix {

enum class FieldEnd : uint8_t { Delimiter, LineEnd, TextEnd };

struct ScannedField {
    FieldEnd end;
    // False for an empty field between two separators (or before the first
    // one); a field of quotes only, or one that runs to the end of the text,
    // is present even when empty.
    bool present;
    size_t kept;  // characters copied out
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

    uint8_t kinds_[256];
    const char* at_;
    char lineEndPair_;  // second character of a two-character line end, or 0
};

}  // namespace tabrix
