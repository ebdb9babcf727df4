#include "grid/grid_access.h"

#include <cstring>
#include <initializer_list>

#include "grid/image_events.h"
#include "grid/library.h"
#include "support/temp_string.h"

namespace tabrix {

// The grid this thread reached last. A host filling cells one call at a
// time would otherwise pay a class-name lookup and two extra-byte reads for
// every cell. Only grids of the calling thread are remembered: a window is
// destroyed on its own thread, which forgets it then, so a remembered grid
// is always alive.
static DWORD recentState = TLS_OUT_OF_INDEXES;
static DWORD recentArrays = TLS_OUT_OF_INDEXES;

static Grid RecentGrid() {
    if (recentState == TLS_OUT_OF_INDEXES) return Grid{};
    auto* s = static_cast<GridState*>(TlsGetValue(recentState));
    return Grid{s ? s->hwndGrid : nullptr, s, static_cast<GridArrays*>(TlsGetValue(recentArrays))};
}

static void RememberGrid(const Grid& grid) {
    if (recentState == TLS_OUT_OF_INDEXES) return;
    TlsSetValue(recentState, grid.state);
    TlsSetValue(recentArrays, grid.arrays);
}

bool StartRecentGrids() {
    if (recentState != TLS_OUT_OF_INDEXES) return true;
    recentState = TlsAlloc();
    recentArrays = TlsAlloc();
    if (recentState != TLS_OUT_OF_INDEXES && recentArrays != TLS_OUT_OF_INDEXES) return true;
    EndRecentGrids();
    return false;
}

void EndRecentGrids() {
    for (DWORD* slot : {&recentState, &recentArrays}) {
        if (*slot != TLS_OUT_OF_INDEXES) TlsFree(*slot);
        *slot = TLS_OUT_OF_INDEXES;
    }
}

bool IsGridWindow(HWND hwnd) {
    if (!hwnd) return false;
    if (RecentGrid().hwnd == hwnd) return true;
    char name[40] = {};
    if (!GetClassNameA(hwnd, name, sizeof name)) return false;
    return strcmp(name, kGridClassName) == 0;
}

Grid GridFromWindow(HWND hwnd) {
    const Grid recent = RecentGrid();
    if (recent.hwnd == hwnd && hwnd) return recent;
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
    if (RecentGrid().hwnd == hwnd) RememberGrid(Grid{});
    RemovePropA(hwnd, kStateProp);
    RemovePropA(hwnd, kArraysProp);
    SetWindowLongPtrA(hwnd, 0, 0);
    SetWindowLongPtrA(hwnd, sizeof(LONG_PTR), 0);
}

bool GridSurvived(const Grid& grid) {
    // Asked after every notification: the grid last reached answers without
    // a call to the window manager.
    const Grid recent = RecentGrid();
    if (recent.hwnd == grid.hwnd && grid.hwnd) return recent.state == grid.state;
    return IsGridWindow(grid.hwnd) && GridFromWindow(grid.hwnd).state == grid.state;
}

const char* TextForMissingGrid(int fetchResult, const char* notGrid) {
    return TempText(fetchResult == kNotGrid ? notGrid : "");
}

int FetchGrid(HWND hwnd, Grid* grid, UINT call) {
    const Grid recent = RecentGrid();
    if (hwnd && recent.hwnd == hwnd) {
        *grid = recent;
    } else {
        if (!IsGridWindow(hwnd)) return kNotGrid;
        *grid = GridFromWindow(hwnd);
        if (!grid->state || !grid->arrays) return kNoRecords;
        if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) RememberGrid(*grid);
    }
    NoteImageEvent(grid->state, call);
    return kDone;
}

// The area below the header: the header paints itself, and invalidating
// under it would make it repaint too.
static RECT CellArea(const Grid& grid) {
    RECT area;
    GetClientRect(grid.hwnd, &area);
    area.top = grid.state->headerHeight;
    return area;
}

void RequestRepaint(const Grid& grid) { InvalidateCells(grid); }

void InvalidateCells(const Grid& grid) {
    if (grid.state->repaintPending) return;
    grid.state->repaintPending = 1;
    RECT area = CellArea(grid);
    InvalidateRect(grid.hwnd, &area, FALSE);
}

void RepaintErasing(const Grid& grid) {
    NoteEverythingChanged(grid.state);
    grid.state->repaintPending = 1;
    InvalidateRect(grid.hwnd, nullptr, TRUE);
}

}  // namespace tabrix
