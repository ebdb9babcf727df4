#include "odbc/text_mode.h"

#include "support/text_cut.h"

namespace tabrix {
namespace {
bool utf8Texts = false;
}  // namespace

int SetOdbcCodePage(int codePage) {
    if (codePage != 0 && codePage != CP_UTF8) return 0;
    utf8Texts = codePage == CP_UTF8;
    return 1;
}

bool OdbcTextsUtf8() { return utf8Texts; }

std::basic_string<SQLWCHAR> OdbcWide(const char* text) {
    if (!text) return {};
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::basic_string<SQLWCHAR> wide(static_cast<size_t>(needed > 0 ? needed : 1), 0);
    if (needed > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, reinterpret_cast<wchar_t*>(&wide[0]), needed);
    wide.resize(wide.size() - 1);  // without the terminator the conversion wrote
    return wide;
}

size_t OdbcNarrow(const SQLWCHAR* units, size_t count, char* out, size_t room) {
    if (room == 0) return 0;
    const size_t written = Utf16ToUtf8(reinterpret_cast<const uint16_t*>(units), count, out, room - 1);
    out[written] = '\0';
    return written;
}

}  // namespace tabrix
