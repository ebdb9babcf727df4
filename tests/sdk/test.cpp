// The C host's checks built as C++, then the DLL's version record read as an
// installer reads it.
#include <string>

#define SDK_HOST_MORE_CHECKS
#include "test.c"

static std::string VersionText(const char* key) {
    DWORD ignored = 0, size = GetFileVersionInfoSizeA("tabrix32.dll", &ignored);
    std::string record(size, '\0'), path = std::string("\\StringFileInfo\\040904B0\\") + key;
    char* text = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA("tabrix32.dll", 0, size, &record[0]) ||
        !VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
        return "";
    return text;
}

int main() {
    if (const int failed = HostChecks()) return failed;
    if (VersionText("ProductName") != "Tabrix" || VersionText("FileVersion").empty()) return 5;
    puts("sdk host: all checks passed");
    return 0;
}
