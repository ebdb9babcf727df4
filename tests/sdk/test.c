/* A C host built against the public header and the import library. */
#include <windows.h>
#include <string.h>

#include "tabrix32.h"

int main(void) {
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND host = CreateWindowExA(0, "STATIC", "C host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL, self, NULL);
    HWND grid = CreateGrid(host, self, 1, 100, 0, 0, 380, 260);
    FieldDef name = {0}, stocked = {0}, read = {0};
    name.label = "Name";
    name.width = 120;
    name.size = 20;
    stocked.label = "Stocked";
    stocked.width = 60;
    stocked.size = 1;
    if (DimCols(grid, 2) != TABRIX_DONE || DefineField(grid, 1, TABRIX_FIELD_TEXT, &name) != TABRIX_DONE ||
        DefineField(grid, 2, TABRIX_FIELD_CHECK, &stocked) != TABRIX_DONE || DimRows(grid, 3) == TABRIX_COULD_NOT_GROW)
        return 1;
    if (CreateCell(grid, 2, 1, "bolts") != TABRIX_STORED || GetFldSize(grid, 1) != 21) return 2; /* the size with its terminator */
    if (strcmp(GetCell(grid, TABRIX_CELL_STORED, 2, 1, &read), "bolts") != 0 || read.size != 20) return 3;
    if (GetColCount(host) != TABRIX_NOT_GRID || strcmp(GetCell(host, 0, 1, 1, &read), TABRIX_NOT_GRID_TEXT) != 0)
        return 4;
    DestroyWindow(host);
    return 0;
}
