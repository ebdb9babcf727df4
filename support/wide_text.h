// Conversions between a grid's bytes (the ANSI code page's or UTF-8) and the
// platform's UTF-16, for the few places where text meets a window. Invalid
// bytes become replacement characters on the way out, as the platform
// converts them.
#pragma once

#include <windows.h>

#include <string>

namespace tabrix {

// `length` bytes of `text` in code page `codePage` (0: the ANSI code page).
void ToWide(const char* text, int length, UINT codePage, std::wstring* out);
std::wstring ToWide(const char* text, UINT codePage);
void FromWide(const wchar_t* text, int length, UINT codePage, std::string* out);

// A window's whole text, read as UTF-16 and converted.
std::string WindowTextIn(HWND window, UINT codePage);
// Sets a window's text from `length` bytes, through UTF-16.
void SetWindowTextIn(HWND window, const char* text, size_t length, UINT codePage);

// Subclassing that keeps a window's character set: a Unicode window
// subclassed through the ANSI call would turn ANSI and lose what users type.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure);
void RestoreWindowProc(HWND window, WNDPROC previous);
LRESULT CallPreviousProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tabrix
