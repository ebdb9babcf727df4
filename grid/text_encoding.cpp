#include "grid/text_encoding.h"

namespace tabrix {

TextEncoding EncodingOf(UINT codePage) {
    TextEncoding encoding;
    if (codePage == CP_UTF8) {
        encoding.utf8 = true;
        return encoding;
    }
    CPINFO info;
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 2) return encoding;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
        encoding.AddLeadBytes(info.LeadByte[i], info.LeadByte[i + 1]);
    }
    return encoding;
}

void SetTextEncoding(GridState* s, int codePage) {
    s->textCodePage = codePage;
    s->encoding = EncodingOf(codePage == kUtf8Texts ? CP_UTF8 : CP_ACP);
}

}  // namespace tabrix
