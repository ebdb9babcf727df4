// Cells as spreadsheets exchange them on the clipboard: fields separated by
// tabs, rows by line breaks, and a field holding a tab, a line break or a
// quote written between quotes with its quotes doubled.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tabrix {

void AppendTabField(std::string* out, const char* text, size_t length);

// The rows of fields of `text`. A line break ending the text ends its last
// row; it starts none.
using TabRows = std::vector<std::vector<std::string>>;
TabRows ParseTabText(const char* text, size_t length);

}  // namespace tabrix
