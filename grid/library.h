// Library-wide state shared by every grid of the process. Loading and
// unloading the library (control/library_entry.h) make and release it.
#pragma once

#include <windows.h>

namespace tabrix {

constexpr char kGridClassName[] = "tabrix32grid";
constexpr char kStateProp[] = "variables";
constexpr char kArraysProp[] = "gridarray";

// What every grid at one resolution shares. At 96 DPI these are the
// library's own resources, loaded with it; at another they are made when a
// grid first needs them there (view/looks.h) and kept until the library
// unloads, a few resolutions at most.
struct DpiLook {
    int dpi;
    HFONT markerFont;
    HCURSOR resizeCursor;
    HBITMAP checkedBitmap;
    HBITMAP uncheckedBitmap;
    HBITMAP deletedCheckBitmap;
};
constexpr int kDpiLooks = 4;

// The resolution of a window, as the platform tells it.
using WindowDpiReader = int (*)(HWND window);

struct Library {
    HINSTANCE instanceHandle;
    // The look at 96 DPI: the library's own resources, loaded with it.
    DpiLook ownLook;
    // The grid created last: the host hook's timer runs on it.
    HWND lastGrid;
    // The brush of the edit control's column colours, replaced at each use.
    HBRUSH sharedBrush;
    int entryStyle;
    ATOM gridClass;
    // The looks made for resolutions other than 96 DPI.
    DpiLook looks[kDpiLooks];
    // Where every grid reads its window's resolution, at creation and when
    // its parent's resolution changes; a test points it at resolutions the
    // display does not have.
    WindowDpiReader windowDpi;
};

extern Library library;

}  // namespace tabrix
