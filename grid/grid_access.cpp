#include "grid/grid_access.h"

#include <cstring>

#include "grid/library.h"
#include "support/temp_string.h"
#include "view/image_reuse.h"

namespace tabrix {

bool IsGridWindow(HWND hwnd) {
    if (!hwnd) return false;
    char name[40] = {};
    if (!GetClassNameA(hwnd, name, sizeof name)) return false;
    return strcmp(name, kGridClassName) == 0;
}

Grid GridFromWindow(HWND hwnd) {
    Grid grid{hwnd, reinterpret_cast<GridState*>(GetWindowLongPtrA(hwnd, 0)),
              reinterpret_cast<GridArrays*>(GetWindowLongPtrA(hwnd, sizeof(LONG_PTR)))};
    return grid;
}

void AttachRecords(HWND hwnd, GridState* state, GridArrays* arrays) {
    if (state) {
        SetPropA(hwnd, kStateProp, state);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    }
    if (arrays) {
        SetPropA(hwnd, kArraysProp, arrays);
        SetWindowLongPtrA(hwnd, sizeof(LONG_PTR), reinterpret_cast<LONG_PTR>(arrays));
    }
}

void DetachRecords(HWND hwnd) {
    RemovePropA(hwnd, kStateProp);
    RemovePropA(hwnd, kArraysProp);
    SetWindowLongPtrA(hwnd, 0, 0);
    SetWindowLongPtrA(hwnd, sizeof(LONG_PTR), 0);
}

bool GridSurvived(const Grid& grid) {
    return IsGridWindow(grid.hwnd) && GridFromWindow(grid.hwnd).state == grid.state;
}

const char* TextForMissingGrid(int fetchResult, const char* notGrid) {
    return TempText(fetchResult == kNotGrid ? notGrid : "");
}

int FetchGrid(HWND hwnd, Grid* grid) {
    if (!IsGridWindow(hwnd)) return kNotGrid;
    *grid = GridFromWindow(hwnd);
    if (!grid->state || !grid->arrays) return kNoRecords;
    NoteImageEvent(grid->state, kExportCall);
    return 1;
}

// The area below the header: the header paints itself, and invalidating
// under it would make it repaint too.
static RECT CellArea(const Grid& grid) {
    RECT area;
    GetClientRect(grid.hwnd, &area);
    area.top = library.headerHeight;
    return area;
}

void RequestRepaint(const Grid& grid) {
    if (grid.state->repaintPending) return;
    grid.state->repaintPending = 1;
    RECT area = CellArea(grid);
    InvalidateRect(grid.hwnd, &area, FALSE);
}

void RepaintErasing(const Grid& grid) {
    grid.state->repaintPending = 1;
    InvalidateRect(grid.hwnd, nullptr, TRUE);
}

}  // namespace tabrix
