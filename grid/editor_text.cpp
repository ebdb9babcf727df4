#include "grid/editor_text.h"

#include <vector>

#include "support/wide_text.h"

namespace tabrix {
namespace {

// The combo box of a UTF-8 grid takes and gives UTF-8 through its ANSI
// subclass; only the edit control is read through UTF-16.
bool ThroughUtf16(const GridState* s, HWND editor) { return Utf8Grid(s) && editor != s->hwndCombo; }

}  // namespace

std::string EditorTextOf(const GridState* s, HWND editor) {
    if (ThroughUtf16(s, editor)) return WindowTextIn(editor, CP_UTF8);
    const int length = GetWindowTextLengthA(editor);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int read = length > 0 ? GetWindowTextA(editor, text.data(), length + 1) : 0;
    return std::string(text.data(), static_cast<size_t>(read > 0 ? read : 0));
}

void SetEditorText(const GridState* s, HWND editor, const char* text, size_t length) {
    if (ThroughUtf16(s, editor)) {
        SetWindowTextIn(editor, text, length, CP_UTF8);
        return;
    }
    SetWindowTextA(editor, std::string(text, length).c_str());
}

int EditorPosition(const GridState* s, HWND /*editor*/, const char* text, size_t length) {
    if (!Utf8Grid(s)) return static_cast<int>(length);
    std::wstring wide;
    ToWide(text, static_cast<int>(length), CP_UTF8, &wide);
    return static_cast<int>(wide.size());
}

}  // namespace tabrix
