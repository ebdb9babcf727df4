// Column and row resizing, driven by mouse messages as a user's drag sends them.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using tabrix::library;

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ResizeTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Shape(8, 4, 50);
        for (int row = 1; row <= 5; ++row) CreateCell(grid, row, 1, "x");
        UpdateWindow(grid);
    }
    // What the screen shows now, tracking lines included.
    COLORREF Screen(int x, int y) {
        HDC dc = GetDC(grid);
        const COLORREF pixel = GetPixel(dc, x, y);
        ReleaseDC(grid, dc);
        return pixel;
    }
    RECT Client() { RECT client; return GetClientRect(grid, &client), client; }
    std::vector<int> Widths() {
        std::vector<int> widths(tabrix::kColSlots);
        for (int col = 0; col < tabrix::kColSlots; ++col) widths[col] = GetColWidth(grid, col);
        return widths;
    }
    void EndTrack(int item, int width) {
        HDITEMA hd{};
        hd.mask = HDI_WIDTH;
        hd.cxy = width;
        const int id = GetDlgCtrlID(Header());
        NMHEADERA notice{{Header(), static_cast<UINT_PTR>(id), HDN_ENDTRACKA}, item, 0, &hd};
        SendMessageA(grid, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notice));
    }
    HWND Header() { return FindWindowExA(grid, nullptr, WC_HEADERA, nullptr); }
    int BorderY(int r) { return state()->headerHeight + r * GetRowHeight(grid); }
    void Press(int y, int x = 10) { SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    void Release(int y) { SendMessageA(grid, WM_LBUTTONUP, 0, At(10, y)); }
    static bool CursorFree() {
        RECT clip, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
        screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
        return GetClipCursor(&clip) && EqualRect(&clip, &screen);
    }
};

// Each drag presses just left of a divider on the header, moves and releases.
TEST_F(ResizeTest, DividerDragsResizeTheColumnShownByTheItemWithinClamps) {
    // Negative toX and width: from the client's right edge.
    const struct { int scrolledBy, dividerX, toX, col, width; } cases[] = {
        {0, 35 + 50, 35 + 10, 1, 30},            // at least 30
        {0, 35 + 30 + 50, -2, 2, -75},           // at most the client less 75
        {3, 35 + 50 + 50, 35 + 50 + 90, 5, 90},  // item 2 shows column 5
    };
    for (const auto& c : cases) {
        for (int i = GetFirstVisCol(grid) - 1; i < c.scrolledBy; ++i) SendMessageA(grid, WM_HSCROLL, SB_LINERIGHT, 0);
        UpdateWindow(grid);
        ASSERT_EQ(GetFirstVisCol(grid), c.scrolledBy + 1);
        std::vector<int> expected = Widths();
        const int x = (c.toX > 0 ? c.toX : Client().right + c.toX) - 1;
        const COLORREF under = Screen(x, 100);
        HWND header = Header();
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, At(c.dividerX - 1, 5));
        SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, At(x, 5));
        EXPECT_EQ(Screen(x, 100), under ^ 0xFFFFFF) << "the tracking line follows the mouse";
        SendMessageA(header, WM_LBUTTONUP, 0, At(x, 5));
        UpdateWindow(grid);
        expected[c.col] = c.width > 0 ? c.width : Client().right + c.width;
        EXPECT_EQ(Widths(), expected) << "column " << c.col;
        // The header shows the stored widths, clamps included, of the columns scrolled in.
        for (int item = 1; item + c.scrolledBy <= 8; ++item) {
            HDITEMA hd{};
            hd.mask = HDI_WIDTH;
            EXPECT_TRUE(Header_GetItem(header, item, &hd) && hd.cxy == GetColWidth(grid, item + c.scrolledBy)) << item;
        }
    }
}

TEST_F(ResizeTest, WidthNoticesChangeOnlyDataColumnsToPositiveWidths) {
    const std::vector<int> before = Widths();
    EndTrack(9, 77);    // the filler column's item
    EndTrack(501, 77);  // a blank item far beyond the data
    for (int i = 0; i < 7; ++i) SendMessageA(grid, WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_EQ(GetFirstVisCol(grid), 8);
    EndTrack(500, 77);  // 500 + 7 would be past the width table
    EXPECT_EQ(Widths(), before);
    MoveWindow(grid, 0, 0, 70, 200, TRUE);
    ASSERT_LT(Client().right, 75);
    EndTrack(1, 5);
    EXPECT_EQ(GetColWidth(grid, 8), 1) << "a zero or negative width would hide later columns for good";
}

// A drag starts only in the row-header column, within 3 pixels of a border
// of a painted row, and is judged where the press is.
TEST_F(ResizeTest, RowBorderBandStartsARowDrag) {
    const int y = BorderY(1), h = GetRowHeight(grid);
    const POINT presses[] = {{10, y - 4}, {10, y - 3}, {10, y}, {10, y + 3}, {10, y + 4}, {60, y}, {10, BorderY(7)}};
    for (const POINT& p : presses) {
        Press(p.y, p.x);
        EXPECT_EQ(GetCapture() == grid, p.x == 10 && std::abs(p.y - y) <= 3) << p.x << "," << p.y;
        Release(p.y);
        EXPECT_TRUE(GetCapture() != grid && GetRowHeight(grid) == h);
    }
    SendMessageA(grid, WM_MOUSEMOVE, 0, At(10, y));
    ASSERT_EQ(GetCursor(), library.ownLook.resizeCursor);
    Press(0, 0);  // the press the grid sends itself when undo is enabled
    EXPECT_NE(GetCapture(), grid);
    EXPECT_TRUE(CursorFree()) << "the cursor must not stay confined to the grid";
}

// A row drag released sets every row's height, never below the height a
// grid starts with; one interrupted first stores nothing. Either way the
// cursor and the capture are freed and the page counts whole rows.
TEST_F(ResizeTest, RowDragsEndedOrInterrupted) {
    const struct { const char* name; int by; void (*interrupt)(HWND grid, HWND host); } endings[] = {
        {"released lower", 10, nullptr},
        {"released higher", -8, nullptr},
        {"capture taken", 10, [](HWND, HWND host) { SetCapture(host); }},
        {"capture released", 10, [](HWND, HWND) { ReleaseCapture(); }},
        {"mode cancelled", 10, [](HWND g, HWND) { SendMessageA(g, WM_CANCELMODE, 0, 0); }},
        {"window hidden", 10, [](HWND g, HWND) { ShowWindow(g, SW_HIDE); }},
        {"window destroyed", 10, [](HWND g, HWND) { DestroyWindow(g); }},
    };
    for (int row = 6; row <= 30; ++row) CreateCell(grid, row, 1, "x");
    const int h = GetRowHeight(grid), y = BorderY(1);
    for (const auto& e : endings) {
        SCOPED_TRACE(e.name);
        ShowWindow(grid, SW_SHOW);
        SetRowHeight(grid, h);
        UpdateWindow(grid);
        Press(y);
        EXPECT_TRUE(GetCapture() == grid && !CursorFree()) << "the release must reach the grid wherever it happens";
        UpdateWindow(grid);
        const COLORREF under = Screen(200, y + e.by);
        SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, At(10, y + e.by));
        EXPECT_EQ(Screen(200, y + e.by), under ^ 0xFFFFFF) << "the tracking line";
        if (e.interrupt) e.interrupt(grid, host.hwnd());
        Release(y + e.by);
        EXPECT_TRUE(CursorFree() && GetCapture() != grid);
        if (!IsWindow(grid)) continue;
        // The line lives on the screen; only the grid knows to erase it, once.
        EXPECT_EQ(state()->rowTrackY, 0) << "the tracking line is erased";
        EXPECT_EQ(GetRowHeight(grid), e.interrupt ? h : std::max(h, h + e.by));
        EXPECT_EQ(Page(), (Client().bottom - state()->headerHeight) / GetRowHeight(grid));
    }
}

}  // namespace

// Each grid lays its rows out below its own header: a tall header font in
// one grid must not move the rows, or the clicks, of another.
TEST_F(ResizeTest, RowsStartBelowEachGridsOwnHeader) {
    HWND small = CreateGrid(host.hwnd(), host.instance(), 0, 78, 400, 0, 380, 300);
    ASSERT_NE(small, nullptr);
    ASSERT_TRUE(testing_host::ShapeGrid(small, 8, 4, 50));
    for (int row = 1; row <= 5; ++row) ASSERT_EQ(CreateCell(small, row, 1, "x"), 1);
    GridAttr tall{};
    tall.headerFont = MakeFont("Arial", 24, 700, 0, 0, 0);
    ASSERT_EQ(SetGridAttr(grid, &tall), 1);
    // The small grid's header is laid out last.
    SendMessageA(grid, WM_SIZE, 0, 0);
    SendMessageA(small, WM_SIZE, 0, 0);
    testing_host::PumpMessages();
    int bottoms[2] = {};
    HWND grids[2] = {grid, small};
    for (int i = 0; i < 2; ++i) {
        HWND g = grids[i];
        RECT header;
        GetWindowRect(FindWindowExA(g, nullptr, WC_HEADERA, nullptr), &header);
        MapWindowPoints(nullptr, g, reinterpret_cast<POINT*>(&header), 2);
        bottoms[i] = header.bottom;
        const int y = header.bottom + 2 * GetRowHeight(g) + GetRowHeight(g) / 2;  // the middle of row 3
        SendMessageA(g, WM_LBUTTONDOWN, MK_LBUTTON, At(60, y));
        SendMessageA(g, WM_LBUTTONUP, 0, At(60, y));
        EXPECT_EQ(GetCurrentRow(g), 3) << "a click in the middle of row 3 of grid " << i;
    }
    ASSERT_GT(bottoms[0] - bottoms[1], GetRowHeight(grid) / 2) << "the header fonts must differ by half a row";
    DestroyWindow(small);
}
