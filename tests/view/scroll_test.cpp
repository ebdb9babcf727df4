// The viewport arithmetic of the scroll handlers, sizing, and the host's
// view exports.
#include <cstdlib>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

namespace {

class ScrollTest : public GridTest {
protected:
    // `cols` text columns `width` pixels wide over `rows` data rows, sized.
    void Fill(int cols, int rows, int width = 60) {
        Shape(cols, 4, width);
        for (int row = 1; row <= rows; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
        SendMessageA(grid, WM_SIZE, 0, 0);
        ASSERT_EQ(state()->rowCount, rows + 1);
        ASSERT_EQ(state()->colCount, cols + 1);
    }
    // A move from the keyboard carries its code in the marker first.
    void Key(UINT message, int code) {
        (message == WM_VSCROLL ? state()->vScrollCode : state()->hScrollCode) = code;
        SendMessageA(grid, message, code, 0);
    }
    void Bar(UINT message, int code) { SendMessageA(grid, message, code, 0); }
    void Place(int vPos, int row, int hPos, int col) {
        V().nPos = vPos;
        state()->curRow = row;
        H().nPos = hPos;
        state()->curCol = col;
    }
    SCROLLINFO& V() { return state()->vScroll; }
    SCROLLINFO& H() { return state()->hScroll; }
    int Page() { return static_cast<int>(V().nPage); }
    int ClientWidth() {
        RECT r;
        GetClientRect(grid, &r);
        return r.right;
    }
    // Whole 60-pixel columns that fit beside the row header.
    int ColumnsThatFit() {
        int n = 0;
        while (60 * (n + 1) < ClientWidth() - kRowHeaderWidth) ++n;
        return n;
    }
};

class ViewTest : public ScrollTest {};

TEST_F(ScrollTest, KeyboardPageDown) {
    Fill(3, 50);
    const int page = Page();
    ASSERT_GE(page, 4);
    Place(1, page, 0, 1);
    Key(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(V().nPos, page) << "the last whole row becomes the first";
    EXPECT_EQ(state()->curRow, 2 * page - 1) << "and the current row the new last whole row";
    EXPECT_EQ(state()->vScrollCode, -1);

    Place(5, 6, 0, 1);
    Key(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(V().nPos, 5) << "inside the view only the current row moves";
    EXPECT_EQ(state()->curRow, 5 + page - 1);

    const int last = state()->rowCount - page + 1;
    Place(last, state()->rowCount, 0, 1);
    Key(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(V().nPos, last);
    EXPECT_EQ(state()->curRow, state()->rowCount);

    Place(1, 2, 0, 1);
    Bar(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(V().nPos, page) << "the bar scrolls by a page less one row";
    EXPECT_EQ(state()->curRow, 2) << "and leaves the current row";
}

TEST_F(ScrollTest, KeyboardPageUp) {
    Fill(3, 50);
    const int page = Page();
    ASSERT_GE(page, 4);
    Place(20, 20 + page - 1, 0, 1);
    Key(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(state()->curRow, 20) << "from the last whole row to the first";
    EXPECT_EQ(V().nPos, 20);

    Key(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(V().nPos, 20 - page + 1) << "from the first row a page up";
    EXPECT_EQ(state()->curRow, 20 - page + 1);

    Place(20, 20 + page + 1, 0, 1);
    Key(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(state()->curRow, 20 + 2) << "from below the view a page less one row up";
    EXPECT_EQ(V().nPos, 20 + 2);

    // The partly shown row under the whole rows is in neither range of the
    // page-up rule: it is the one key press that does not move.
    Place(20, 20 + page, 0, 1);
    Key(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(state()->curRow, 20 + page);
    EXPECT_EQ(V().nPos, 20);

    Place(2, 2, 0, 1);
    Key(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(state()->curRow, 1);
    EXPECT_EQ(V().nPos, 1);
}

TEST_F(ScrollTest, VerticalEndsHold) {
    Fill(3, 50);
    const int page = Page(), last = state()->rowCount - page + 1;
    Place(last, last, 0, 1);
    Bar(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(V().nPos, last);
    Bar(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(V().nPos, last);
    EXPECT_EQ(state()->curRow, last) << "the bar never moves the current row";
    Bar(WM_VSCROLL, SB_TOP);
    Bar(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(V().nPos, 1);

    Place(last, state()->rowCount, 0, 1);
    Key(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(state()->curRow, state()->rowCount) << "nothing below the new-record row";
    EXPECT_EQ(V().nPos, last);
}

TEST_F(ScrollTest, PageLargerThanTheRangeLeavesOnlyTheLowerBound) {
    Fill(3, 3);
    ASSERT_EQ(V().nMax, 4);
    V().nPage = 5;
    Place(1, 1, 0, 1);
    Bar(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(V().nPos, 1) << "a page of exactly the range still clamps";
    V().nPage = 6;
    Bar(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(V().nPos, 2) << "the upper bound is void once the page is larger";
    Place(1, 1, 0, 1);
    Bar(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(V().nPos, 1);
}

TEST_F(ScrollTest, HorizontalPagesTakeTheSumUnsigned) {
    Fill(20, 5, 15);  // every column fits, so painting leaves the position alone
    ASSERT_EQ(H().nMax, 21);
    struct Case {
        int code, pos, page, expected;
    } cases[] = {
        {SB_PAGELEFT, 3, 10, 2},    // 3 - 10 + 2 is negative: one column back
        {SB_PAGELEFT, 12, 10, 4},   // a page less two columns back
        {SB_PAGELEFT, 0, 10, 0},    // never before the first column
        {SB_PAGERIGHT, 3, 10, 11},  // a page less two columns on
        {SB_PAGERIGHT, 3, 2, 4},    // at least one column on
        {SB_PAGERIGHT, 1, 0, 19},   // 1 + 0 - 2 counts as very large: to the end
        {SB_PAGERIGHT, 19, 10, 19}, // never past colCount - 2
        {SB_LINERIGHT, 19, 10, 19},
    };
    for (const Case& c : cases) {
        H().nPage = c.page;
        H().nPos = c.pos;
        Bar(WM_HSCROLL, c.code);
        EXPECT_EQ(H().nPos, c.expected) << "code " << c.code << " from " << c.pos << " with page " << c.page;
    }
}

TEST_F(ScrollTest, RightEndFitsWholeColumnsBeforeTheLast) {
    Fill(10, 5);
    const int room = ClientWidth() - kRowHeaderWidth;
    state()->colWidth[8] = 100;
    state()->colWidth[9] = room / 2;
    state()->colWidth[10] = room - room / 2 - 1;
    Place(1, 3, 0, 2);
    Bar(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(state()->curCol, 10) << "the bar's end moves the current column too";
    EXPECT_EQ(GetFirstVisCol(grid), 9) << "two columns one pixel short of the room both show";

    state()->colWidth[10] += 1;
    Place(1, 3, 0, 2);
    Key(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(GetFirstVisCol(grid), 10) << "filling the room exactly no longer counts";
}

TEST_F(ScrollTest, KeyboardLeftWrapsToThePreviousRowsEnd) {
    Fill(10, 20);
    Place(5, 5, 0, 1);
    state()->selectedRow = 5;
    Key(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(state()->curRow, 4);
    EXPECT_EQ(state()->curCol, 10);
    EXPECT_EQ(H().nPos, 10 - ColumnsThatFit()) << "the view ends with the last column";
    EXPECT_EQ(V().nPos, 4) << "the row above the view is scrolled in";
    EXPECT_EQ(state()->selectedRow, 0);

    Place(1, 1, 0, 1);
    Key(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(state()->curRow, 1) << "nothing before the first cell";
    EXPECT_EQ(state()->curCol, 1);
    EXPECT_EQ(H().nPos, 0);

    Place(5, 5, 2, 3);
    Bar(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(H().nPos, 1);
    EXPECT_EQ(state()->curCol, 3) << "the bar moves only the view";
}

TEST_F(ScrollTest, KeyboardRightWrapsToTheNextRowsStart) {
    Fill(10, 20);
    const int page = Page(), end = 10 - ColumnsThatFit();
    Place(1, page, end, 10);
    Key(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(state()->curRow, page + 1);
    EXPECT_EQ(state()->curCol, 1);
    EXPECT_EQ(H().nPos, 0);
    EXPECT_EQ(V().nPos, 2) << "the next row below the view is scrolled in";

    const int newRow = state()->rowCount;
    Place(newRow - page + 1, newRow, end, 10);
    Key(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(state()->curRow, newRow) << "the new-record row does not wrap";
    EXPECT_EQ(state()->curCol, 10);
}

TEST_F(ScrollTest, RefusedRowChangeRestoresTheWholePosition) {
    Fill(10, 20);
    ASSERT_NE(arrays()->rowState, nullptr);
    arrays()->rowState[3] = 1;
    LRESULT reply = 1;
    host.Answer(GN_ROWCHANGING, [&](WPARAM, LPARAM) { return reply; });
    const int end = 10 - ColumnsThatFit();
    struct Case {
        UINT message;
        int code, hPos, col;
    } moves[] = {{WM_VSCROLL, SB_LINEDOWN, 0, 4}, {WM_HSCROLL, SB_LINERIGHT, end, 10}, {WM_HSCROLL, SB_LINELEFT, 0, 1}};
    for (const Case& m : moves) {
        host.Clear();
        Place(2, 3, m.hPos, m.col);
        state()->selectedRow = 3;
        state()->rowEdited = 1;
        Key(m.message, m.code);
        auto asked = host.MessagesOf(GN_ROWCHANGING);
        ASSERT_EQ(asked.size(), 1u) << "code " << m.code;
        EXPECT_EQ(LOWORD(asked[0].wParam), 77);
        EXPECT_EQ(LOWORD(asked[0].lParam), 3) << "the row being left";
        EXPECT_EQ(HIWORD(asked[0].lParam), 1) << "its modification state";
        EXPECT_EQ(state()->curRow, 3) << "code " << m.code;
        EXPECT_EQ(state()->curCol, m.col) << "code " << m.code;
        EXPECT_EQ(H().nPos, m.hPos) << "code " << m.code;
        EXPECT_EQ(V().nPos, 2) << "code " << m.code;
        EXPECT_EQ(state()->selectedRow, 3) << "code " << m.code;
        EXPECT_EQ(state()->rowEdited, 1) << "code " << m.code;
    }

    host.Clear();
    state()->rowEdited = 2;
    Key(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_TRUE(host.MessagesOf(GN_ROWCHANGING).empty()) << "the vertical handler asks only for rowEdited 1";
    EXPECT_EQ(state()->curRow, 4);

    reply = 0;
    Place(2, 3, 0, 4);
    state()->rowEdited = 1;
    Key(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), 1u);
    EXPECT_EQ(state()->curRow, 4) << "an accepted change moves";
    EXPECT_EQ(state()->rowEdited, 0);
}

TEST_F(ScrollTest, SizingCountsWholeRowsOnly) {
    Fill(3, 50);
    const int h = state()->rowHeight;
    ASSERT_GE(h, 4);
    RECT outer, client;
    GetWindowRect(grid, &outer);
    GetClientRect(grid, &client);
    const int frame = (outer.bottom - outer.top) - client.bottom;
    struct Case {
        int rows, extra;
    } cases[] = {{5, h / 2}, {9, h - 1}, {7, 0}};
    for (const Case& c : cases) {
        const int wanted = library.headerHeight + c.rows * h + c.extra;
        if (c.rows == 9) {
            SetWindowPos(grid, nullptr, 0, 0, 400, wanted + frame, SWP_NOZORDER | SWP_NOMOVE);
        } else {
            MoveWindow(grid, 0, 0, 400, wanted + frame, TRUE);
        }
        GetClientRect(grid, &client);
        ASSERT_EQ(client.bottom, wanted);
        EXPECT_EQ(state()->visibleRows, c.rows) << "client height " << wanted;
        EXPECT_EQ(Page(), c.rows);
    }
}

TEST_F(ScrollTest, SizingSurvivesZeroWidthsAndHeights) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def{};
    def.label = const_cast<char*>("c");
    def.size = 4;
    def.width = 60;
    ASSERT_EQ(DefineField(grid, 1, 0, &def), 1);
    def.width = 0;
    ASSERT_EQ(DefineField(grid, 2, 0, &def), 1);
    for (int row = 1; row <= 5; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
    MoveWindow(grid, 0, 0, 300, 200, TRUE);
    EXPECT_GT(state()->visibleCols, 0);
    state()->colWidth[2] = -5;
    MoveWindow(grid, 0, 0, 320, 210, TRUE);
    EXPECT_GT(state()->visibleCols, 0);
    state()->rowHeight = 0;
    MoveWindow(grid, 0, 0, 300, 200, TRUE);
    state()->curCol = 1;
    Key(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(state()->curCol, 2) << "a column without width can still be reached";
}

TEST_F(ViewTest, GotoCellTakesTheNewRecordRowAndRejectsTheRest) {
    Fill(10, 30);
    const int newRow = state()->rowCount;
    EXPECT_EQ(GotoCell(grid, newRow, 1), 1);
    EXPECT_EQ(GetFirstVisRow(grid), newRow) << "the cell becomes the top-left one";
    EXPECT_EQ(GetCurrentRow(grid), newRow);
    EXPECT_EQ(GetCurrentCol(grid), 1);
    const int bad[][2] = {{newRow + 1, 1}, {0, 1}, {1, 0}, {1, state()->colCount}, {-1, -1}};
    for (const auto& cell : bad) {
        EXPECT_EQ(GotoCell(grid, cell[0], cell[1]), -1) << cell[0] << "," << cell[1];
        EXPECT_EQ(GetCurrentRow(grid), newRow);
        EXPECT_EQ(GetFirstVisRow(grid), newRow);
    }
    EXPECT_EQ(GotoCell(grid, 7, 3), 1);
    EXPECT_EQ(GetFirstVisCol(grid), 3);
    EXPECT_EQ(GetCurrentCol(grid), 3);
}

TEST_F(ViewTest, FirstVisibleColumnCountsFromOne) {
    Fill(10, 5);
    EXPECT_EQ(GetFirstVisCol(grid), 1);
    for (int i = 0; i < 3; ++i) Bar(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(GetFirstVisCol(grid), 4);
    Bar(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(GetFirstVisRow(grid), 2);
}

TEST_F(ViewTest, ExportsRefuseWindowsThatAreNoGrid) {
    for (HWND other : {host.hwnd(), HWND{}}) {
        EXPECT_EQ(GetFirstVisRow(other), -3);
        EXPECT_EQ(GetFirstVisCol(other), -3);
        EXPECT_EQ(GetCurrentRow(other), -3);
        EXPECT_EQ(GetCurrentCol(other), -3);
        EXPECT_EQ(GotoCell(other, 1, 1), -3);
        EXPECT_EQ(ViewGrid(other, 0), -3);
        EXPECT_EQ(ViewGrid(other, 1), -3);
    }
}

TEST_F(ViewTest, RestoreRepeatsAndRefusesWhatNoLongerFits) {
    Fill(10, 30);
    ASSERT_EQ(GotoCell(grid, 8, 3), 1);
    ASSERT_EQ(ViewGrid(grid, 0), 1);
    EXPECT_EQ(ViewGrid(host.hwnd(), 0), -3);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(GotoCell(grid, 20 + round, 6), 1);
        EXPECT_EQ(ViewGrid(grid, 1), 1) << "round " << round;
        EXPECT_EQ(GetFirstVisRow(grid), 8);
        EXPECT_EQ(GetFirstVisCol(grid), 3);
        EXPECT_EQ(GetCurrentRow(grid), 8);
        EXPECT_EQ(GetCurrentCol(grid), 3);
    }

    HWND small = CreateGrid(host.hwnd(), host.instance(), 0, 5, 0, 0, 200, 100);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(ViewGrid(small, 1), 0) << "row 8 does not exist there";
    EXPECT_EQ(GetCurrentRow(small), 1);
    DestroyWindow(small);

    state()->curCol = state()->colCount - 1;
    ASSERT_EQ(ViewGrid(grid, 0), 1);
    ASSERT_EQ(GotoCell(grid, 2, 2), 1);
    EXPECT_EQ(ViewGrid(grid, 1), 1) << "the last data column is a current column";
    state()->curCol = state()->colCount;
    ASSERT_EQ(ViewGrid(grid, 0), 1);
    ASSERT_EQ(GotoCell(grid, 2, 2), 1);
    EXPECT_EQ(ViewGrid(grid, 1), 0) << "the filler is not";
    EXPECT_EQ(GetCurrentCol(grid), 2);
    EXPECT_EQ(GetFirstVisRow(grid), 2);
}

// The saved view lives as long as the library: only a fresh process has
// never saved one.
TEST(ViewDeathTest, RestoreBeforeAnySaveAnswersZero) {
    EXPECT_EXIT(
        {
            testing_host::TestHost fresh;
            HWND g = CreateGrid(fresh.hwnd(), fresh.instance(), 0, 1, 0, 0, 200, 100);
            std::exit(g && ViewGrid(g, 1) == 0 && GetCurrentRow(g) == 1 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
