// What a host does beside the user: finding a cell on the screen, host
// timers while an editor opens. Selecting rows and storing into the edited
// cell are rows of the reference's answer table; the host's question about a
// toggle, and locked check boxes, are the random session's.
#include "tests/edit/session.h"

namespace {

using testing_host::ColumnField;

TEST_F(EditSession, CellRectanglesAreWhereTheCellsArePainted) {
    const COLORREF green = RGB(0, 200, 0);
    Columns({ColumnField("a", 60, 5), ColumnField("b", 70, 5, 0, 0, static_cast<int>(green)), ColumnField("c", 60, 5)});
    for (int row = 1; row <= 4; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
    Settle();
    RECT r;
    ASSERT_EQ(GetCellRect(grid, 2, 2, &r), 1);
    EXPECT_EQ(r.right - r.left, 69) << "the width less the grid line";
    EXPECT_EQ(r.bottom - r.top, GetRowHeight(grid) - 1);
    HDC dc = GetDC(grid);
    EXPECT_EQ(GetPixel(dc, r.left, r.top), green) << "top left inside";
    EXPECT_EQ(GetPixel(dc, r.right - 1, r.bottom - 1), green) << "bottom right inside";
    EXPECT_NE(GetPixel(dc, r.right, r.bottom - 1), green) << "the column's right line";
    EXPECT_NE(GetPixel(dc, r.left, r.bottom), green) << "the row's bottom line";
    ReleaseDC(grid, dc);
}

// A host timer that comes due while an editor opens runs once it is open:
// keys it sends, as a test driver's do, reach the editor and not the grid.
HWND timerGrid;
bool editorOpenAtTick;
TEST_F(EditSession, HostTimersDueWhileAnEditorOpensFindItOpen) {
    Table(2, 3);
    timerGrid = grid;
    editorOpenAtTick = false;
    ASSERT_TRUE(SetTimer(host.hwnd(), 99, 1, [](HWND h, UINT, UINT_PTR id, DWORD) {
        KillTimer(h, id);
        editorOpenAtTick = IsChild(timerGrid, GetFocus());
    }));
    Sleep(20);
    Click(1, 1);
    EXPECT_TRUE(editorOpenAtTick);
}

}  // namespace
