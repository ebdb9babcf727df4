// The demo keeps its texts in UTF-8, as its grid and the ODBC wrappers take
// them; the window and ODBC functions that take characters get UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace demo {

inline std::wstring Wide(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], units);
    return wide;
}

inline std::string Utf8(const wchar_t* wide, int units = -1) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide, units, &utf8[0], bytes, nullptr, nullptr);
    if (units < 0 && !utf8.empty()) utf8.pop_back();  // the terminator it counted
    return utf8;
}

}  // namespace demo
