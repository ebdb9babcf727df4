// Export of find: check the handle, fetch the records, hand over.
#include "edit/find.h"
#include "grid/grid_access.h"

extern "C" int32_t WINAPI GridFind(HWND hwnd, const char* text, int32_t currentColumnOnly, int32_t resume,
                                   int32_t mode) {
    return tabrix::WithGrid(hwnd, [&](const Grid& g) {
        return tabrix::GridFind(g, text, currentColumnOnly != 0, resume != 0, mode);
    });
}
