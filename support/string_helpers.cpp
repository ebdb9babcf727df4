#include "support/string_helpers.h"

#include <cstdio>
#include <cstring>

#include "support/temp_string.h"

namespace tabrix {
namespace {
const char* OrEmpty(const char* text) { return text ? text : ""; }

// n bounded to 0 .. len, so callers never step outside the text.
size_t KeptCount(int n, size_t len) {
    if (n <= 0) return 0;
    return static_cast<size_t>(n) < len ? static_cast<size_t>(n) : len;
}
}  // namespace

const char* LeftText(const char* text, int n) {
    text = OrEmpty(text);
    size_t len = strlen(text);
    return TempCopy(text, KeptCount(n, len));
}

const char* RightText(const char* text, int n) {
    text = OrEmpty(text);
    size_t len = strlen(text);
    size_t keep = KeptCount(n, len);
    return TempCopy(text + (len - keep), keep);
}

const char* RightTrim(const char* text, char ch) {
    text = OrEmpty(text);
    size_t len = strlen(text);
    while (len > 0 && (text[len - 1] == ' ' || text[len - 1] == ch)) --len;
    return TempCopy(text, len);
}

const char* NumberText(double value) {
    char buffer[64];
    int len = snprintf(buffer, sizeof buffer, "% .15G", value);
    if (len < 0) len = 0;
    if (len >= static_cast<int>(sizeof buffer)) len = sizeof buffer - 1;
    return TempCopy(buffer, static_cast<size_t>(len));
}

const char* Spaces(int n) {
    size_t count = n > 0 ? static_cast<size_t>(n) : 0;
    char* text = TempString(count);
    if (!text) return TempCopy("", 0);
    memset(text, ' ', count);
    return text;
}

const char* CharCodes(std::initializer_list<int> codes) {
    char buffer[11] = {};
    size_t len = 0;
    for (int code : codes) {
        if (len == 10 || (code & 0xFF) == 0) break;
        buffer[len++] = static_cast<char>(code);
    }
    return TempCopy(buffer, len);
}

int CompareBytes(const char* a, const char* b) {
    int order = strcmp(OrEmpty(a), OrEmpty(b));  // strcmp compares as unsigned char
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

double MaxOf(double a, double b) { return a > b ? a : b; }
double MinOf(double a, double b) { return a < b ? a : b; }

}  // namespace tabrix
