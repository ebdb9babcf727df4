// The DLL's version record read as an installer reads it. The host calls
// themselves, through the import library on both targets, are the docs'
// examples and answers (doc_host.c, answers.cpp).
#include <windows.h>

#include <cstdio>
#include <string>

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
    if (VersionText("ProductName") != "Tabrix" || VersionText("FileVersion").empty()) return 5;
    puts("sdk host: all checks passed");
    return 0;
}
