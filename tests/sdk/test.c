/* A host built against the public header and the import library; test.cpp
   builds the same checks as C++. The closing line tells the test run that
   the program got to its end. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "tabrix32.h"

static int HostChecks(void) {
    static FieldDef name, stocked, read; /* zeroed, as a C host clears its records */
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL, self, NULL);
    HWND grid = CreateGrid(host, self, 1, 100, 0, 0, 380, 260);
    name.label = (char*)"Name";
    name.width = 120;
    name.size = 6;
    stocked.width = 60;
    stocked.size = 1;
    if (DimCols(grid, 2) != TABRIX_DONE || DefineField(grid, 1, TABRIX_FIELD_TEXT, &name) != TABRIX_DONE ||
        DefineField(grid, 2, TABRIX_FIELD_CHECK, &stocked) != TABRIX_DONE || DimRows(grid, 3) == TABRIX_COULD_NOT_GROW)
        return 1;
    if (CreateCell(grid, 2, 1, "bolts") != TABRIX_STORED || GetFldSize(grid, 1) != 7 || GetColWidth(grid, 1) != 120 ||
        SetCellText(grid, 1, 1, "AB-100") != TABRIX_STORED || SetCellText(grid, 1, 1, "AB-1000") != TABRIX_TOO_LONG)
        return 2; /* the size counts the terminator */
    if (strcmp(GetCell(grid, TABRIX_CELL_STORED, 2, 1, &read), "bolts") != 0 || read.size != 6) return 3;
    if (GetColCount(host) != TABRIX_NOT_GRID || strcmp(GetCell(host, 0, 1, 1, &read), TABRIX_NOT_GRID_TEXT) != 0)
        return 4;
    DestroyWindow(host);
    return 0;
}

#ifndef SDK_HOST_MORE_CHECKS
int main(void) {
    const int failed = HostChecks();
    if (!failed) puts("sdk host: all checks passed");
    return failed;
}
#endif
