// The text of the grid's editor windows, in the grid's code page. An ANSI
// grid's editors are ANSI windows; a UTF-8 grid's edit control is a Unicode
// window, and its combo box reads and takes UTF-8 through the grid's
// subclass of it.
#pragma once

#include <string>

#include "grid/grid_state.h"

namespace tabrix {

std::string EditorTextOf(const GridState* state, HWND editor);
void SetEditorText(const GridState* state, HWND editor, const char* text, size_t length);
// Where the caret goes after `length` bytes of the editor's text: a
// Unicode window counts UTF-16 units.
int EditorPosition(const GridState* state, HWND editor, const char* text, size_t length);

}  // namespace tabrix
