#include "support/tab_text.h"

#include <cstring>

namespace tabrix {

void AppendTabField(std::string* out, const char* text, size_t length) {
    if (!memchr(text, '\t', length) && !memchr(text, '\n', length) && !memchr(text, '\r', length) &&
        !memchr(text, '"', length)) {
        out->append(text, length);
        return;
    }
    out->push_back('"');
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '"') out->push_back('"');
        out->push_back(text[i]);
    }
    out->push_back('"');
}

bool TabReader::Next(std::string* field, bool* lastOfRow) {
    // A row that ended with a tab still has its empty last field to give.
    if (!inRow_ && at_ >= length_) return false;
    inRow_ = true;
    if (field) field->clear();
    if (at_ < length_ && text_[at_] == '"') {
        // A quoted field runs to the quote that is not doubled; what follows
        // it before the separator is kept as it stands.
        for (++at_; at_ < length_; ++at_) {
            if (text_[at_] == '"' && !(at_ + 1 < length_ && text_[at_ + 1] == '"')) {
                ++at_;
                break;
            }
            if (field) field->push_back(text_[at_]);
            if (text_[at_] == '"') ++at_;
        }
    }
    const size_t start = at_;
    while (at_ < length_ && text_[at_] != '\t' && text_[at_] != '\n' && text_[at_] != '\r') ++at_;
    if (field) field->append(text_ + start, at_ - start);
    if (at_ < length_ && text_[at_] == '\t') {
        ++at_;
        *lastOfRow = false;
        return true;
    }
    if (at_ < length_ && text_[at_] == '\r') ++at_;
    if (at_ < length_ && text_[at_] == '\n') ++at_;
    inRow_ = false;
    *lastOfRow = true;
    return true;
}

size_t TabReader::RowsLeft() const {
    TabReader rest = *this;
    size_t rows = 0;
    bool lastOfRow = false;
    while (rest.Next(nullptr, &lastOfRow)) rows += lastOfRow ? 1 : 0;
    return rows;
}

}  // namespace tabrix
