#include "odbc/text_mode.h"

#include "support/text_cut.h"
#include "support/wide_text.h"

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
    static_assert(sizeof(SQLWCHAR) == sizeof(wchar_t), "the driver manager's wide characters are the platform's");
    const std::wstring wide = text ? ToWide(text, CP_UTF8) : std::wstring();
    return std::basic_string<SQLWCHAR>(wide.begin(), wide.end());
}

size_t OdbcNarrow(const SQLWCHAR* units, size_t count, char* out, size_t room) {
    if (room == 0) return 0;
    const size_t written = Utf16ToUtf8(reinterpret_cast<const uint16_t*>(units), count, out, room - 1);
    out[written] = '\0';
    return written;
}

}  // namespace tabrix
