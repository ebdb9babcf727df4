#include "support/wide_text.h"

#include <cstring>
#include <vector>

namespace tabrix {

void ToWide(const char* text, int length, UINT codePage, std::wstring* out) {
    const int needed = length > 0 ? MultiByteToWideChar(codePage, 0, text, length, nullptr, 0) : 0;
    out->resize(static_cast<size_t>(needed > 0 ? needed : 0));
    if (needed > 0) MultiByteToWideChar(codePage, 0, text, length, &(*out)[0], needed);
}

std::wstring ToWide(const char* text, UINT codePage) {
    std::wstring wide;
    ToWide(text, static_cast<int>(strlen(text)), codePage, &wide);
    return wide;
}

void FromWide(const wchar_t* text, int length, UINT codePage, std::string* out) {
    const int needed = length > 0 ? WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr) : 0;
    out->resize(static_cast<size_t>(needed > 0 ? needed : 0));
    if (needed > 0) WideCharToMultiByte(codePage, 0, text, length, &(*out)[0], needed, nullptr, nullptr);
}

std::string WindowTextIn(HWND window, UINT codePage) {
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int read = length > 0 ? GetWindowTextW(window, wide.data(), length + 1) : 0;
    std::string text;
    FromWide(wide.data(), read, codePage, &text);
    return text;
}

void SetWindowTextIn(HWND window, const char* text, size_t length, UINT codePage) {
    std::wstring wide;
    ToWide(text, static_cast<int>(length), codePage, &wide);
    SetWindowTextW(window, wide.c_str());
}

WNDPROC SubclassWindow(HWND window, WNDPROC procedure) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

void RestoreWindowProc(HWND window, WNDPROC previous) {
    if (!window || !previous) return;
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(previous);
    if (IsWindowUnicode(window)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, value);
    } else {
        SetWindowLongPtrA(window, GWLP_WNDPROC, value);
    }
}

LRESULT CallPreviousProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(previous, window, message, wParam, lParam)
                                   : CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace tabrix
