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

TabRows ParseTabText(const char* text, size_t length) {
    TabRows rows;
    size_t i = 0;
    while (i < length) {
        std::vector<std::string> fields;
        for (;;) {
            std::string field;
            if (i < length && text[i] == '"') {
                // A quoted field runs to the quote that is not doubled; what
                // follows it before the separator is kept as it stands.
                for (++i; i < length; ++i) {
                    if (text[i] != '"') {
                        field.push_back(text[i]);
                    } else if (i + 1 < length && text[i + 1] == '"') {
                        field.push_back('"');
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                }
            }
            const size_t start = i;
            while (i < length && text[i] != '\t' && text[i] != '\n' && text[i] != '\r') ++i;
            field.append(text + start, i - start);
            fields.push_back(std::move(field));
            if (i < length && text[i] == '\t') {
                ++i;
                continue;
            }
            break;
        }
        if (i < length && text[i] == '\r') ++i;
        if (i < length && text[i] == '\n') ++i;
        rows.push_back(std::move(fields));
    }
    return rows;
}

}  // namespace tabrix
