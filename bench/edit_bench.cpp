// Data entry on a large grid: what a person feels on each key and click.
#include <cstdio>

#include "bench/bench_support.h"
#include "exports/tabrix32.h"
#include "grid/grid_access.h"
#include "grid/library.h"

namespace {
using bench::kRepeats;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <class Step>
double MillisecondsPer(Step step) {
    const double start = bench::NowSeconds();
    for (int i = 0; i < kRepeats; ++i) step(i);
    return (bench::NowSeconds() - start) * 1000 / kRepeats;
}

// What the platform charges for the control an editor is made of.
double EditControlFloor(HWND parent) {
    return MillisecondsPer([&](int) {
        HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, parent, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        MoveWindow(edit, 100, 100, 70, 18, TRUE);
        ShowWindow(edit, SW_SHOW);
        SetFocus(edit);
        UpdateWindow(edit);
        DestroyWindow(edit);
    });
}

HWND OpenEditor(HWND grid) { return tabrix::GridFromWindow(grid).state->hwndEdit; }

// The middle of a visible cell, in the grid's client coordinates.
LPARAM CellPoint(HWND grid, int row, int col) {
    RECT header;
    GetWindowRect(GetWindow(grid, GW_CHILD), &header);
    const int x = GetColWidth(grid, 0) + (col - 1) * GetColWidth(grid, 1) + 10;
    const int y = (header.bottom - header.top) + (row - GetFirstVisRow(grid)) * GetRowHeight(grid) + 5;
    return MAKELPARAM(x, y);
}
}  // namespace

int main() {
    bench::Start();
    HWND host = bench::MakeWindow("EditHost", DefWindowProcA);
    HWND grid = bench::FilledGrid(host, 1000, false);
    printf("Data entry on a %dx%d grid, %d text columns\n", bench::kWidth, bench::kHeight, bench::kCols);

    const double repaint = bench::MillisecondsPerRedraw(grid);
    const double editFloor = EditControlFloor(host);

    GotoCell(grid, 5, 2);
    SetFocus(grid);
    UpdateWindow(grid);
    const double arrow = MillisecondsPer([&](int i) {
        SendMessageA(grid, WM_KEYDOWN, i % 2 ? VK_UP : VK_DOWN, 0);
        UpdateWindow(grid);
    });

    // Enter in an open editor: commit, move right, open the next editor, repaint.
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    const double enter = MillisecondsPer([&](int) {
        SendMessageA(OpenEditor(grid), WM_CHAR, VK_RETURN, 0);
        SendMessageA(grid, WM_KEYUP, VK_RETURN, 0);
        Pump();
        UpdateWindow(grid);
    });

    // A click on another cell: the open editor commits and the clicked
    // cell's editor opens.
    GotoCell(grid, 3, 1);
    UpdateWindow(grid);
    const double click = MillisecondsPer([&](int i) {
        const LPARAM at = CellPoint(grid, GetFirstVisRow(grid) + 2 + i % 2, 1 + i % 5);
        SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(grid, WM_LBUTTONUP, 0, at);
        Pump();
        UpdateWindow(grid);
    });
    const bool editorsOpened = OpenEditor(grid) && IsWindowVisible(OpenEditor(grid));

    printf("  full repaint                                    %6.2f ms (floor)\n", repaint);
    printf("  creating and showing a bare EDIT control        %6.2f ms (floor)\n", editFloor);
    printf("  arrow key with its repaint                      %6.2f ms  %4.2f x repaint\n", arrow, arrow / repaint);
    printf("  Enter in an editor: commit, move, open, repaint %6.2f ms  %4.2f x (repaint + EDIT)\n", enter,
           enter / (repaint + editFloor));
    printf("  click on another cell, its editor opening       %6.2f ms  %4.2f x (repaint + EDIT)\n", click,
           click / (repaint + editFloor));

    printf("Targets\n");
    bool met = bench::Verdict("the clicks and keys opened editors", editorsOpened);
    met &= bench::Verdict("an arrow move at most 1.5 full repaints", arrow <= 1.5 * repaint);
    met &= bench::Verdict("Enter at most 1.5 x (full repaint + EDIT floor)", enter <= 1.5 * (repaint + editFloor));
    DestroyWindow(host);
    tabrix::LibraryDetach();
    return met ? 0 : 1;
}
