// Cells as spreadsheets exchange them on the clipboard: fields separated by
// tabs, rows by line breaks, and a field holding a tab, a line break or a
// quote written between quotes with its quotes doubled.
#pragma once

#include <cstddef>
#include <string>

namespace tabrix {

void AppendTabField(std::string* out, const char* text, size_t length);

// The fields of a text, one at a time: a paste of a whole table needs no
// copy of it, only the field at hand. A line break ending the text ends its
// last row; it starts none.
class TabReader {
public:
    TabReader(const char* text, size_t length) : text_(text), length_(length) {}
    // The next field into `field` (null: skipped); false once the text is
    // over. `lastOfRow` tells whether a line break (or the end) follows it.
    bool Next(std::string* field, bool* lastOfRow);
    // The rows not yet read to their end, the one being read included.
    size_t RowsLeft() const;

private:
    const char* text_;
    size_t length_;
    size_t at_ = 0;
    bool inRow_ = false;
};

}  // namespace tabrix
