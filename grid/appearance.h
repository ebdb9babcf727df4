// Fonts, colours, lines and row height of a grid.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Deletes a GDI object the grid or the library owns and forgets it, so a
// second release finds nothing to delete.
template <class Handle>
void DeleteOwned(Handle& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}

// At the screen's resolution, for hosts; the grid makes its own fonts at
// its window's.
HFONT MakeFont(const char* face, int points, int weight, int italic, int underline, int strikeout);
HFONT MakeFontAtDpi(const char* face, int points, int weight, int dpi);
// A font for the grid's own use (its defaults, column faces, the editors):
// of the character set its texts need.
HFONT GridFont(const GridState* state, const char* face, int points, int weight, int italic, int underline);
// After a change of the code page: the fonts the grid made itself anew.
void RemakeOwnFonts(const Grid& grid);

// Replaces both fonts (deleting the ones the grid owned) and stores the other
// settings, 0 selecting each default.
int SetGridAttr(const Grid& grid, const GridAttr& attr);
void SetRowHeight(const Grid& grid, int height);

// The edit control's colours for a column with colours of its own; false
// when the default colours apply.
bool OnCtlColorEdit(const Grid& grid, HDC dc, HWND control, LRESULT* brush);

}  // namespace tabrix
