#include "records/field_scan.h"

#include <cstring>

#include "support/text_scan.h"

namespace tabrix {

FieldScanner::FieldScanner(const char* text, const char* lineEnd, char delimiter) : at_(text), lineEndPair_(0) {
    memset(kinds_, kPlain, sizeof kinds_);
    // Later assignments win when characters coincide: the end of the text
    // over line ends, line ends over the delimiter, the delimiter over quotes.
    kinds_[static_cast<uint8_t>('"')] = kQuote;
    kinds_[static_cast<uint8_t>(delimiter)] = kDelimiter;
    const char first = lineEnd ? lineEnd[0] : '\0';
    const char second = first ? lineEnd[1] : '\0';
    if (second) kinds_[static_cast<uint8_t>(second)] = kLineEnd2;
    if (first) kinds_[static_cast<uint8_t>(first)] = kLineEnd1;
    if (second && second != first) lineEndPair_ = second;
    kinds_[0] = kTextEnd;
}

ScannedField FieldScanner::Next(char* out, size_t room) {
    const char* p = at_;
    size_t kept = 0;
    bool taken = false;
    for (;;) {
        const char* run = p;
        while (KindOf(*p) == kPlain) ++p;
        if (p != run) {
            taken = true;
            // Characters beyond the room are skipped up to the separator.
            const size_t n = static_cast<size_t>(p - run);
            const size_t copied = n < room - kept ? n : room - kept;
            CopyShort(out + kept, run, copied);
            kept += copied;
        }
        if (KindOf(*p) != kQuote) break;
        taken = true;
        ++p;
    }

    ScannedField field{FieldEnd::Delimiter, taken, kept};
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
