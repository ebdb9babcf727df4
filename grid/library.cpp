#include "grid/library.h"

#include "grid/appearance.h"
#include "grid/grid_window.h"
#include "support/temp_string.h"

namespace tabrix {

Library library;

namespace {
template <class Handle>
void DeleteShared(Handle& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}
}  // namespace

bool LibraryAttach(HINSTANCE module) {
    library.instanceHandle = module;
    library.resizeCursor = LoadCursorA(module, "rsCURSOR");
    library.checkedBitmap = LoadBitmapA(module, "bmCHECK");
    library.uncheckedBitmap = LoadBitmapA(module, "bmUNCHECK");
    library.deletedCheckBitmap = LoadBitmapA(module, "bmgrayCHK");
    library.markerFont = MakeFont("MS Sans Serif", 16, 400, 0, 0, 0);
    library.gridClass = RegisterGridClass(module);
    return library.gridClass != 0;
}

void LibraryDetach() {
    DeleteShared(library.markerFont);
    DeleteShared(library.sharedBrush);
    DeleteShared(library.gridPen);
    DeleteShared(library.checkedBitmap);
    DeleteShared(library.uncheckedBitmap);
    DeleteShared(library.deletedCheckBitmap);
    if (library.gridClass) UnregisterClassA(kGridClassName, library.instanceHandle);
    FreeTempStrings();
    library = Library{};
}

}  // namespace tabrix
