// Library-wide state shared by every grid of the process. Loading and
// unloading the library (control/library_entry.h) make and release it.
#pragma once

#include <windows.h>

namespace tabrix {

constexpr char kGridClassName[] = "tabrix32grid";
constexpr char kStateProp[] = "variables";
constexpr char kArraysProp[] = "gridarray";

struct Library {
    HINSTANCE instanceHandle;
    HCURSOR resizeCursor;
    HBITMAP checkedBitmap;
    HBITMAP uncheckedBitmap;
    HBITMAP deletedCheckBitmap;
    HFONT markerFont;
    // The grid created last: the host hook's timer runs on it.
    HWND lastGrid;
    // The brush of the edit control's column colours, replaced at each use.
    HBRUSH sharedBrush;
    int entryStyle;
    ATOM gridClass;
};

extern Library library;

}  // namespace tabrix
