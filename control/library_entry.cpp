#include "control/library_entry.h"

#include "control/grid_window.h"
#include "control/host_hook.h"
#include "grid/appearance.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "support/temp_string.h"

namespace tabrix {

namespace {
// Kept as device-independent bitmaps: blitting a device bitmap into the
// off-screen image goes through the display driver on some platforms, a
// round trip for every check-box cell of every paint.
HBITMAP LoadCheckImage(HINSTANCE module, const char* name) {
    return static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
}  // namespace

bool LibraryAttach(HINSTANCE module) {
    library.instanceHandle = module;
    library.resizeCursor = LoadCursorA(module, "rsCURSOR");
    library.checkedBitmap = LoadCheckImage(module, "bmCHECK");
    library.uncheckedBitmap = LoadCheckImage(module, "bmUNCHECK");
    library.deletedCheckBitmap = LoadCheckImage(module, "bmgrayCHK");
    library.markerFont = MakeFont("MS Sans Serif", 16, 400, 0, 0, 0);
    library.gridClass = RegisterGridClass(module);
    StartRecentGrids();
    return library.gridClass != 0;
}

void LibraryDetach() {
    UnhookHostWindow();
    DeleteOwned(library.markerFont);
    DeleteOwned(library.sharedBrush);
    DeleteOwned(library.checkedBitmap);
    DeleteOwned(library.uncheckedBitmap);
    DeleteOwned(library.deletedCheckBitmap);
    if (library.gridClass) UnregisterClassA(kGridClassName, library.instanceHandle);
    FreeTempStrings();
    EndRecentGrids();
    library = Library{};
}

}  // namespace tabrix
