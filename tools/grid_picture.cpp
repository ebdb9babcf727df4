// Saves a picture of a demonstration grid as a PNG file, at the display's
// resolution (docs/grid@2x.png comes from a prefix at 192 DPI):
//   grid_picture.exe out.png
// Several column types, colours, a selected row, row numbers and a header
// scrolled by one column.
#include <cstdio>
#include <string>

#include "exports/tabrix32.h"
#include "grid/grid_access.h"
#include "control/library_entry.h"
#include "grid/library.h"
#include "tests/support/capture.h"
#include "tests/support/crash_filter.h"
#include "tests/support/field_def.h"
#include "tools/png.h"
#include "tests/support/test_host.h"

namespace {
// The display's resolution: a host aware of it scales the widths it gives.
int Px(int pixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, dpi, 96);
}

void Define(HWND grid, int col, int type, const char* label, int width, int size, int align = 0, int text = 0,
            int back = 0, const char* face = nullptr) {
    FieldDef def = testing_host::ColumnField(label, Px(width), size, align, text, back, face);
    DefineField(grid, col, type, &def);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: grid_picture out.png\n");
        return 2;
    }
    testing_host::InstallCrashFilter();
    tabrix::LibraryAttach(GetModuleHandleA(nullptr));
    testing_host::TestHost host(Px(700), Px(330));
    HWND grid = CreateGrid(host.hwnd(), host.instance(), 2, 1, 0, 0, Px(660), Px(280));
    DimCols(grid, 7);
    Define(grid, 1, 0, "Code", 60, 6);
    Define(grid, 2, 0, "Customer", 150, 40);
    Define(grid, 3, 2, "City", 110, 30, 0, 0x800000);
    Define(grid, 4, 0, "Amount", 90, 12, 1, 0x0000C0, 0xE0FFFF);
    Define(grid, 5, 1, "Paid", 50, 1, 2);
    Define(grid, 6, 0, "Note", 150, 60, 2, 0, 0xF0E0E0, "Arial");
    Define(grid, 7, 0, "Extra", 100, 10);
    const char* rows[][7] = {
        {"A-001", "Northwind Traders", "Seattle", "1,250.00", "1", "first order", "x"},
        {"A-002", "Blue Lake Foods", "Portland", "310.50", "0", "", "x"},
        {"A-003", "Harbor Supply", "Tacoma", "78.20", "1", "call back", "x"},
        {"A-004", "\x01", "\x01", "\x01", "\x01", "\x01", "\x01"},
        {"A-005", "Granite Works", "Boise", "4,000.00", "", "rush", "x"},
        {"A-006", "Cedar Mill", "Eugene", "12.00", "0", "", "x"},
        {"A-007", "Summit Outfitters", "Spokane", "999.99", "1", "gift wrap", "x"},
    };
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) CreateCell(grid, r + 1, c + 1, rows[r][c]);
    }
    SetUndoBuffer(grid);
    GotoCell(grid, 2, 3);
    Grid g = tabrix::GridFromWindow(grid);
    g.state->selectedRow = 5;
    g.state->vScroll.nPos = 1;
    g.state->hScroll.nPos = 1;  // the header shows the columns from the second on
    InvalidateRect(grid, nullptr, FALSE);
    testing_host::PumpMessages();
    const bool saved = testing_host::SavePng(testing_host::CaptureClient(grid), argv[1]);
    DestroyWindow(grid);
    tabrix::LibraryDetach();
    return saved ? 0 : 1;
}
