// A C++ host built against the public header and the import library; it
// also reads the DLL's version record as an installer would.
#include <windows.h>

#include <string>

#include "tabrix32.h"

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
    HINSTANCE self = GetModuleHandleA(nullptr);
    HWND host = CreateWindowExA(0, "STATIC", "C++ host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, self,
                                nullptr);
    HWND grid = CreateGrid(host, self, 1, 100, 0, 0, 380, 260);
    FieldDef code{}, read{};
    code.label = const_cast<char*>("Code");
    code.width = 80;
    code.size = 6;
    if (DimCols(grid, 1) != TABRIX_DONE || DefineField(grid, 1, TABRIX_FIELD_TEXT, &code) != TABRIX_DONE ||
        DimRows(grid, 2) == TABRIX_COULD_NOT_GROW)
        return 1;
    if (SetCellText(grid, 1, 1, "AB-100") != TABRIX_STORED || SetCellText(grid, 1, 1, "AB-1000") != TABRIX_TOO_LONG)
        return 2;
    if (std::string(GetCell(grid, TABRIX_CELL_STORED, 1, 1, &read)) != "AB-100" || GetColWidth(grid, 1) != 80)
        return 3;
    if (VersionText("ProductName") != "Tabrix" || VersionText("FileVersion").empty()) return 4;
    DestroyWindow(host);
    return 0;
}
