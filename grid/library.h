// Library-wide state shared by every grid of the process, and the
// process attach and detach work.
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
    int headerHeight;
    HWND lastGrid;
    HWND trapParent;
    HBRUSH sharedBrush;
    HPEN gridPen;
    int entryStyle;
    ATOM gridClass;
};

extern Library library;

// Loads the shared resources and registers the window class; false when the
// class could not be registered.
bool LibraryAttach(HINSTANCE module);
// Releases what LibraryAttach made and unregisters the class, so a later load
// of the library can register it again.
void LibraryDetach();

}  // namespace tabrix
