#include "control/library_entry.h"

#include "control/grid_window.h"
#include "control/host_hook.h"
#include "grid/appearance.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "support/temp_string.h"
#include "view/looks.h"

namespace tabrix {

namespace {
// Kept as device-independent bitmaps: blitting a device bitmap into the
// off-screen image goes through the display driver on some platforms, a
// round trip for every check-box cell of every paint.
HBITMAP LoadCheckImage(HINSTANCE module, const char* name) {
    return static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The window's own resolution where the platform keeps one per window (a
// host aware of each monitor's), else the screen's.
int ReadWindowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const DpiForWindow dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kDefaultDpi;
    if (dc) ReleaseDC(window, dc);
    return dpi;
}
}  // namespace

bool LibraryAttach(HINSTANCE module) {
    library.instanceHandle = module;
    DpiLook& own = library.ownLook;
    own.dpi = kDefaultDpi;
    own.resizeCursor = LoadCursorA(module, "rsCURSOR");
    own.checkedBitmap = LoadCheckImage(module, "bmCHECK");
    own.uncheckedBitmap = LoadCheckImage(module, "bmUNCHECK");
    own.deletedCheckBitmap = LoadCheckImage(module, "bmgrayCHK");
    own.markerFont = MakeFontAtDpi("MS Sans Serif", 16, 400, kDefaultDpi);
    library.windowDpi = ReadWindowDpi;
    library.gridClass = RegisterGridClass(module);
    StartRecentGrids();
    return library.gridClass != 0;
}

void LibraryDetach() {
    UnhookHostWindow();
    ReleaseLooks();
    DeleteOwned(library.ownLook.markerFont);
    DeleteOwned(library.sharedBrush);
    DeleteOwned(library.ownLook.checkedBitmap);
    DeleteOwned(library.ownLook.uncheckedBitmap);
    DeleteOwned(library.ownLook.deletedCheckBitmap);
    if (library.gridClass) UnregisterClassA(kGridClassName, library.instanceHandle);
    FreeTempStrings();
    EndRecentGrids();
    library = Library{};
}

}  // namespace tabrix
