// Column and row resizing, driven by mouse messages as a user's drag sends them.
#include <algorithm>
#include <cstring>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

class ResizeTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Shape(8, 4, 50);
        for (int row = 1; row <= 5; ++row) CreateCell(grid, row, 1, "x");
        UpdateWindow(grid);
    }

    // A divider drag on the header: press just left of the divider, move, release.
    void DragDivider(int dividerX, int toX) {
        HWND header = state()->hwndHeader;
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, At(dividerX - 1, 5));
        SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, At(toX - 1, 5));
        EXPECT_EQ(state()->headerTracking, 1);
        EXPECT_EQ(state()->headerTrackX, toX - 1) << "the tracking line follows the mouse";
        SendMessageA(header, WM_LBUTTONUP, 0, At(toX - 1, 5));
        EXPECT_EQ(state()->headerTracking, 0);
        UpdateWindow(grid);
    }

    void EndTrack(int item, int width) {
        HDITEMA hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = width;
        NMHEADERA notice{};
        notice.hdr = NMHDR{state()->hwndHeader, static_cast<UINT_PTR>(kHeaderId), static_cast<UINT>(HDN_ENDTRACKA)};
        notice.iItem = item;
        notice.pitem = &hd;
        SendMessageA(grid, WM_NOTIFY, kHeaderId, reinterpret_cast<LPARAM>(&notice));
    }

    int ClientWidth() {
        RECT client;
        GetClientRect(grid, &client);
        return client.right;
    }
    int BorderY(int r) { return library.headerHeight + r * state()->rowHeight; }

    void Hover(int y) { SendMessageA(grid, WM_MOUSEMOVE, 0, At(10, y)); }
    void PressRowBorder(int y) {
        Hover(y);
        SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, At(10, y));
    }
    static bool CursorFree() {
        RECT clip, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
        screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
        GetClipCursor(&clip);
        return EqualRect(&clip, &screen);
    }
};

TEST_F(ResizeTest, DividerDragResizesTheColumnShownByTheItem) {
    for (int i = 0; i < 3; ++i) SendMessageA(grid, WM_HSCROLL, SB_LINERIGHT, 0);
    UpdateWindow(grid);
    ASSERT_EQ(GetFirstVisCol(grid), 4);
    DragDivider(35 + 50 + 50, 35 + 50 + 90);  // item 2 shows column 5
    EXPECT_EQ(GetColWidth(grid, 5), 90);
    EXPECT_EQ(GetColWidth(grid, 2), 50);
    EXPECT_EQ(state()->editorLastX, -100) << "an open editor is re-placed by the next paint";
}

TEST_F(ResizeTest, DraggedWidthsAreClamped) {
    DragDivider(35 + 50, 35 + 10);
    EXPECT_EQ(GetColWidth(grid, 1), 30);
    DragDivider(35 + 30 + 50, 390);
    EXPECT_EQ(GetColWidth(grid, 2), ClientWidth() - 75);
}

TEST_F(ResizeTest, WidthsStayPositiveInANarrowGrid) {
    MoveWindow(grid, 0, 0, 90, 200, TRUE);
    ASSERT_LT(ClientWidth() - 75, 30);
    EndTrack(1, 5);
    EXPECT_GE(GetColWidth(grid, 1), 1) << "a zero or negative width would hide later columns for good";
    EXPECT_EQ(GetColWidth(grid, 1), std::max(1, ClientWidth() - 75));
}

TEST_F(ResizeTest, ItemsShowingNoColumnChangeNoWidth) {
    int before[kColSlots];
    memcpy(before, state()->colWidth, sizeof before);
    EndTrack(9, 77);    // the filler column's item
    EndTrack(501, 77);  // a blank item far beyond the data
    state()->hScroll.nPos = 7;
    EndTrack(500, 77);  // 500 + 7 would be past the width table
    EXPECT_EQ(memcmp(before, state()->colWidth, sizeof before), 0);
}

TEST_F(ResizeTest, RowBorderHitBand) {
    const int y = BorderY(1);
    for (int dy = -3; dy <= 3; ++dy) {
        Hover(y + dy);
        EXPECT_EQ(state()->mouseOnRowBorder, 1) << "offset " << dy;
    }
    Hover(y - 4);
    EXPECT_EQ(state()->mouseOnRowBorder, 0);
    Hover(y + 4);
    EXPECT_EQ(state()->mouseOnRowBorder, 0);
    Hover(BorderY(state()->rowsPainted + 1));
    EXPECT_EQ(state()->mouseOnRowBorder, 0) << "no border below the last painted row";
    SendMessageA(grid, WM_MOUSEMOVE, 0, At(60, y));
    EXPECT_EQ(state()->mouseOnRowBorder, 0) << "only in the row-header column";
    EXPECT_EQ(state()->mouseInRowArea, 0);
}

TEST_F(ResizeTest, RowDragSetsEveryRowsHeight) {
    const int h = state()->rowHeight;
    PressRowBorder(BorderY(1));
    ASSERT_EQ(state()->rowResizing, 1);
    EXPECT_EQ(GetCapture(), grid) << "the release must reach the grid wherever it happens";
    EXPECT_FALSE(CursorFree());
    SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, At(10, BorderY(1) + 10));
    EXPECT_EQ(state()->rowTrackY, BorderY(1) + 10);
    SendMessageA(grid, WM_LBUTTONUP, 0, At(10, BorderY(1) + 10));
    EXPECT_EQ(GetRowHeight(grid), h + 10);
    EXPECT_EQ(state()->rowResizing, 0);
    EXPECT_EQ(state()->rowTrackY, 0);
    EXPECT_NE(GetCapture(), grid);
    EXPECT_TRUE(CursorFree());

    UpdateWindow(grid);
    PressRowBorder(BorderY(1));
    SendMessageA(grid, WM_LBUTTONUP, 0, At(10, BorderY(1) - 30));
    EXPECT_EQ(GetRowHeight(grid), state()->minRowHeight) << "raised to the minimum";
    RECT client;
    GetClientRect(grid, &client);
    EXPECT_EQ(state()->visibleRows, (client.bottom - library.headerHeight) / state()->minRowHeight);
}

TEST_F(ResizeTest, LostCaptureEndsTheRowDrag) {
    struct Interruption {
        const char* name;
        void (*interrupt)(HWND grid, HWND host);
    } interruptions[] = {
        {"capture taken", [](HWND, HWND host) { SetCapture(host); }},
        {"capture released", [](HWND, HWND) { ReleaseCapture(); }},
        {"mode cancelled", [](HWND g, HWND) { SendMessageA(g, WM_CANCELMODE, 0, 0); }},
        {"window hidden", [](HWND g, HWND) { ShowWindow(g, SW_HIDE); }},
    };
    const int h = state()->rowHeight;
    for (const Interruption& i : interruptions) {
        ShowWindow(grid, SW_SHOW);
        UpdateWindow(grid);
        PressRowBorder(BorderY(1));
        ASSERT_EQ(state()->rowResizing, 1) << i.name;
        SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, At(10, BorderY(1) + 8));
        i.interrupt(grid, host.hwnd());
        ReleaseCapture();
        EXPECT_EQ(state()->rowResizing, 0) << i.name;
        EXPECT_EQ(state()->rowTrackY, 0) << i.name << ": the tracking line is erased";
        EXPECT_TRUE(CursorFree()) << i.name;
        EXPECT_EQ(state()->rowHeight, h) << i.name << ": nothing is stored";
    }
}

TEST_F(ResizeTest, DestroyedDuringARowDragFreesTheCursor) {
    PressRowBorder(BorderY(1));
    ASSERT_EQ(state()->rowResizing, 1);
    DestroyWindow(grid);
    EXPECT_TRUE(CursorFree());
}

TEST_F(ResizeTest, APressElsewhereStartsNoDragAfterTheMouseLeftABorder) {
    Hover(BorderY(1));
    ASSERT_EQ(state()->mouseOnRowBorder, 1);
    // The press the grid sends itself when undo is enabled lands at (0, 0).
    SendMessageA(grid, WM_LBUTTONDOWN, 0, At(0, 0));
    EXPECT_EQ(state()->rowResizing, 0);
    EXPECT_NE(GetCapture(), grid);
    EXPECT_TRUE(CursorFree()) << "the cursor must not stay confined to the grid";
}
