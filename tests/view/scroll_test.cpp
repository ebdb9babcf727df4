// The scroll handlers' moves of the view and the current cell, sizing, and
// the host's view exports.
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using tabrix::kRowHeaderWidth;
using tabrix::library;

namespace {

class ScrollTest : public GridTest {
protected:
    // A client area of whole 60-pixel columns and rows, and a part of the next.
    void SizeClient(int cols, int rows, int extraHeight = 0) {
        for (int i = 0; i < 2; ++i) {  // the first size may show or hide a scroll bar
            RECT outer, client;
            GetWindowRect(grid, &outer);
            GetClientRect(grid, &client);
            MoveWindow(grid, 0, 0, kRowHeaderWidth + cols * 60 + 30 + outer.right - outer.left - client.right,
                       state()->headerHeight + rows * GetRowHeight(grid) + extraHeight + outer.bottom - outer.top -
                           client.bottom, TRUE);
        }
    }
    // A move from the keyboard carries its code in the marker first.
    void Key(UINT message, int code) {
        (message == WM_VSCROLL ? state()->vScrollCode : state()->hScrollCode) = code;
        SendMessageA(grid, message, code, 0);
    }
    // First visible row, current row, first visible column, current column.
    void ExpectView(const int (&at)[4], const std::string& what) {
        const std::vector<int> seen{GetFirstVisRow(grid), GetCurrentRow(grid), GetFirstVisCol(grid), GetCurrentCol(grid)};
        EXPECT_EQ(seen, std::vector<int>(at, at + 4)) << what;
    }
    bool ScreenPending() { return GetUpdateRect(grid, nullptr, FALSE) != 0; }
};

enum Move { kKeyV, kBarV, kKeyH, kBarH };

// 10 whole rows over 50 rows and the new-record row 51, 5 whole columns
// of 10: the last first row is 42 and the last first column 6.
TEST_F(ScrollTest, MovesByKeyboardAndBar) {
    Table(10, 50);
    SizeClient(5, 10, GetRowHeight(grid) / 2);
    const struct { Move move; int code, from[4], to[4]; } cases[] = {
        // From the last whole row a page less one on; the bar moves only the
        // view, and is not taken for the keyboard move just made.
        {kKeyV, SB_PAGEDOWN, {1, 10, 1, 1}, {10, 19, 1, 1}}, {kBarV, SB_PAGEDOWN, {1, 2, 1, 1}, {10, 2, 1, 1}},
        {kKeyV, SB_PAGEDOWN, {5, 6, 1, 1}, {5, 14, 1, 1}},   {kKeyV, SB_PAGEDOWN, {42, 51, 1, 1}, {42, 51, 1, 1}},
        {kKeyV, SB_PAGEUP, {20, 29, 1, 1}, {20, 20, 1, 1}},  {kKeyV, SB_PAGEUP, {20, 20, 1, 1}, {11, 11, 1, 1}},
        {kKeyV, SB_PAGEUP, {20, 31, 1, 1}, {22, 22, 1, 1}},  {kKeyV, SB_PAGEUP, {2, 2, 1, 1}, {1, 1, 1, 1}},
        // The partly shown row under the whole rows is in neither range of
        // the page-up rule: the one key press that does not move.
        {kKeyV, SB_PAGEUP, {20, 30, 1, 1}, {20, 30, 1, 1}},  {kBarV, SB_PAGEUP, {20, 25, 1, 1}, {11, 25, 1, 1}},
        {kKeyV, SB_LINEDOWN, {1, 10, 1, 1}, {2, 11, 1, 1}},  {kKeyV, SB_LINEUP, {5, 5, 1, 1}, {4, 4, 1, 1}},
        {kKeyV, SB_LINEDOWN, {42, 51, 1, 1}, {42, 51, 1, 1}}, {kBarV, SB_LINEDOWN, {42, 42, 1, 1}, {42, 42, 1, 1}},
        {kBarV, SB_BOTTOM, {20, 42, 1, 1}, {42, 42, 1, 1}},  {kBarV, SB_TOP, {42, 42, 1, 1}, {1, 42, 1, 1}},
        {kBarV, SB_LINEUP, {1, 42, 1, 1}, {1, 42, 1, 1}},    {kKeyV, SB_TOP, {20, 25, 1, 1}, {1, 1, 1, 1}},
        {kKeyV, SB_BOTTOM, {20, 25, 1, 1}, {42, 51, 1, 1}},
        // Past either end of a row: the next cell in reading order, its row scrolled in.
        {kKeyH, SB_LINELEFT, {5, 5, 1, 1}, {4, 4, 6, 10}},   {kKeyH, SB_LINERIGHT, {1, 10, 6, 10}, {2, 11, 1, 1}},
        {kKeyH, SB_LINELEFT, {1, 1, 1, 1}, {1, 1, 1, 1}},    {kKeyH, SB_LINERIGHT, {42, 51, 6, 10}, {42, 51, 6, 10}},
        {kBarH, SB_LINELEFT, {5, 5, 3, 3}, {5, 5, 2, 3}},    {kKeyH, SB_LINERIGHT, {5, 5, 1, 2}, {5, 5, 1, 3}},
        {kBarH, SB_LINERIGHT, {5, 5, 1, 1}, {5, 5, 2, 1}},   {kKeyH, SB_LEFT, {5, 5, 4, 7}, {5, 5, 1, 1}},
        {kBarH, SB_RIGHT, {5, 5, 1, 2}, {5, 5, 6, 10}},
    };
    for (const auto& c : cases) {
        state()->vScroll.nPos = c.from[0];
        state()->selectedRow = state()->curRow = c.from[1];
        state()->hScroll.nPos = c.from[2] - 1, state()->curCol = c.from[3];
        const UINT message = c.move < kKeyH ? WM_VSCROLL : WM_HSCROLL;
        c.move == kKeyV || c.move == kKeyH ? Key(message, c.code) : void(SendMessageA(grid, message, c.code, 0));
        ExpectView(c.to, "move " + std::to_string(c.move) + " code " + std::to_string(c.code));
        // Vertical moves and moves that wrap to another row clear the selection.
        EXPECT_EQ(state()->selectedRow, message == WM_HSCROLL && c.to[1] == c.from[1] ? c.from[1] : 0) << c.code;
    }
}

TEST_F(ScrollTest, PagesLargerThanTheRangeLeaveOnlyTheLowerBound) {
    Table(20, 3, 15);  // rows 1 to 4; every column fits, so painting leaves the position alone
    for (int rows : {5, 6}) {  // a page of exactly the range still clamps; a larger one voids the upper bound
        SizeClient(5, rows);
        SendMessageA(grid, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(GetFirstVisRow(grid), rows - 4);
    }

    const struct { int code, firstCol, page, expected; } cases[] = {
        {SB_PAGELEFT, 4, 10, 3},   {SB_PAGELEFT, 13, 10, 5},   // negative: one column back; or a page less two
        {SB_PAGELEFT, 1, 10, 1},   {SB_PAGERIGHT, 4, 10, 12},  // never before the first; a page less two on
        {SB_PAGERIGHT, 4, 2, 5},   {SB_PAGERIGHT, 2, 0, 20},   // at least one; 1 + 0 - 2 counts as very large
        {SB_PAGERIGHT, 20, 10, 20}, {SB_LINERIGHT, 20, 10, 20},  // never past the last data column
    };
    for (const auto& c : cases) {
        state()->hScroll.nPage = c.page, state()->hScroll.nPos = c.firstCol - 1;
        SendMessageA(grid, WM_HSCROLL, c.code, 0);
        EXPECT_EQ(GetFirstVisCol(grid), c.expected) << "code " << c.code << " from " << c.firstCol << ", page " << c.page;
    }
}

TEST_F(ScrollTest, RightEndFitsWholeColumnsBeforeTheLast) {
    Table(10, 5);
    SizeClient(5, 5);
    const int room = 5 * 60 + 30;
    // Columns 9 and 10 one pixel short of the room both show; filling it exactly no longer counts.
    for (int extra : {-1, 0}) {
        FieldDef nine = testing_host::ColumnField("col", room / 2, 4);
        FieldDef ten = testing_host::ColumnField("col", room - room / 2 + extra, 4);
        ASSERT_TRUE(DefineField(grid, 9, 0, &nine) == 1 && DefineField(grid, 10, 0, &ten) == 1);
        ASSERT_EQ(GotoCell(grid, 1, 2), 1);
        SendMessageA(grid, WM_HSCROLL, SB_RIGHT, 0);
        ExpectView({1, 1, extra ? 9 : 10, 10}, "the bar's end moves the current column too");
    }
}

// A division by a zero width or height would end the size handler early,
// leaving the page as it was.
TEST_F(ScrollTest, SizingSurvivesZeroWidthsAndHeights) {
    Columns({testing_host::ColumnField("c", 60, 4), testing_host::ColumnField("c", 0, 4)});
    for (int row = 1; row <= 30; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
    SizeClient(2, 7);
    EXPECT_EQ(Page(), 7);
    state()->colWidth[2] = -5;
    SizeClient(2, 8);
    EXPECT_EQ(Page(), 8);
    state()->rowHeight = 0;
    MoveWindow(grid, 0, 0, 300, 200, TRUE);
    EXPECT_EQ(Page(), 31) << "a zero height counts as a pixel: every row fits";
    Key(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(GetCurrentCol(grid), 2) << "a column without width can still be reached";
}

// The host, as a validating form may, destroys the grid when it loses the
// focus to an export that moves the current cell.
TEST_F(ScrollTest, HostMayDestroyTheGridWhenAnExportFocusesIt) {
    host.Answer(WM_KILLFOCUS, [&](WPARAM, LPARAM) -> LRESULT { return !DestroyWindow(grid); });
    for (bool undo : {true, false}) {
        if (!IsWindow(grid)) GridTest::SetUp();
        Table(2, 10);
        SetFocus(host.hwnd());
        ASSERT_EQ(GetFocus(), host.hwnd());
        // A move that did not happen on a grid that is gone answers 0.
        EXPECT_EQ(undo ? SetUndoBuffer(grid) : GotoCell(grid, 5, 2), undo ? 1 : 0) << undo;
        EXPECT_EQ(GetRowCount(grid), -3) << undo;
    }
}

}  // namespace
