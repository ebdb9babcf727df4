// The wheel, the context-menu key, and the full cell of a notification.
#include <tuple>

#include "tests/edit/session.h"

namespace {

using testing_host::ColumnField;

class WheelSession : public EditSession {
protected:
    void SetUp() override {
        EditSession::SetUp();
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &userLines_, 0);
        SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &userChars_, 0);
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, userLines_, nullptr, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, userChars_, nullptr, 0);
        EditSession::TearDown();
    }
    static void Lines(UINT n) { ASSERT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, n, nullptr, 0)); }
    // The platform sends the wheel to the window under the pointer. The
    // pointer moves in the same input stream as the wheel: a position set
    // only by SetCursorPos can be overtaken by the display's older one.
    void PointAt(HWND window, int x, int y) {
        POINT p{x, y};
        ClientToScreen(window, &p);
        INPUT move{};
        move.type = INPUT_MOUSE, move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        move.mi.dx = (p.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
        move.mi.dy = (p.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(p.x, p.y);
        SendInput(1, &move, sizeof move);
        testing_host::PumpMessages();
    }
    void PointAtCell(int row, int col) { const POINT p = CellPoint(row, col); PointAt(grid, p.x + 5, p.y); }
    static void Wheel(int delta, DWORD flags = MOUSEEVENTF_WHEEL, WORD held = 0) {
        INPUT in{};
        in.type = INPUT_MOUSE, in.mi.dwFlags = flags, in.mi.mouseData = static_cast<DWORD>(delta);
        auto key = [](WORD vk, DWORD up) { INPUT k{}; k.type = INPUT_KEYBOARD, k.ki.wVk = vk, k.ki.dwFlags = up; SendInput(1, &k, sizeof k); };
        if (held) key(held, 0);
        testing_host::PumpMessages();
        SendInput(1, &in, sizeof in);
        testing_host::PumpMessages();
        if (held) key(held, KEYEVENTF_KEYUP);
        testing_host::PumpMessages();
    }
    UINT userLines_ = 3, userChars_ = 3;
};

TEST_F(WheelSession, TheWheelMovesTheViewByTheUsersSettingAndNothingElse) {
    Table(10, 100);
    ASSERT_EQ(SelectRow(grid, 2), 1);
    host.Clear();
    PointAtCell(2, 2);
    Lines(3);
    TEXTMETRICA font{};  // the characters of two 60-pixel columns, and less than three
    HDC dc = GetDC(nullptr);
    SelectObject(dc, state()->cellFont), GetTextMetricsA(dc, &font), ReleaseDC(nullptr, dc);
    const UINT two = (120 + font.tmAveCharWidth - 1) / font.tmAveCharWidth;
    const struct {
        UINT lines; int delta; DWORD flags; WORD held; int firstRow, firstCol; const char* what; UINT chars = 3;
    } steps[] = {
        {3, -120, MOUSEEVENTF_WHEEL, 0, 4, 1, "a notch down: 3 rows"},
        {3, -120, MOUSEEVENTF_WHEEL, 0, 7, 1, "another"},
        {3, 120, MOUSEEVENTF_WHEEL, 0, 4, 1, "a notch up"},
        {5, -40, MOUSEEVENTF_WHEEL, 0, 5, 1, "a third of a notch of 5 rows: 1 row, 2/3 of a row kept"},
        {5, -40, MOUSEEVENTF_WHEEL, 0, 7, 1, "kept part and a third: 2 rows"},
        {5, -40, MOUSEEVENTF_WHEEL, 0, 9, 1, "5 rows for the three thirds"},
        {5, -40, MOUSEEVENTF_WHEEL, 0, 10, 1, "1 row, 2/3 kept"},
        {5, 120, MOUSEEVENTF_WHEEL, 0, 5, 1, "reversed: the kept part is dropped, 5 rows up"},
        {5, 120, MOUSEEVENTF_HWHEEL, 0, 5, 2, "tilted right: a column"},
        {5, -120, MOUSEEVENTF_WHEEL, VK_SHIFT, 5, 3, "Shift and a notch down: a column right"},
        {5, 120, MOUSEEVENTF_WHEEL, VK_SHIFT, 5, 2, "Shift and a notch up: a column left"},
        {5, -120, MOUSEEVENTF_WHEEL, VK_CONTROL, 5, 2, "Ctrl: the parent's"},
        {5, 120, MOUSEEVENTF_HWHEEL, 0, 5, 4, "tilted right, the setting two columns' characters", two},
        {5, 40, MOUSEEVENTF_HWHEEL, 0, 5, 4, "a third of a notch of two columns: none", two},
        {5, 40, MOUSEEVENTF_HWHEEL, 0, 5, 5, "two thirds: one column", two},
        {5, 120, MOUSEEVENTF_WHEEL, VK_SHIFT, 5, 3, "Shift and a notch up: two columns left", two},
    };
    for (const auto& s : steps) {
        Lines(s.lines);
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, s.chars, nullptr, 0));
        Wheel(s.delta, s.flags, s.held);
        EXPECT_EQ(std::make_pair(GetFirstVisRow(grid), GetFirstVisCol(grid)), std::make_pair(s.firstRow, s.firstCol))
            << s.what;
    }
    Expect(1, 1);
    EXPECT_EQ(state()->selectedRow, 2) << "the selected row stays";
    EXPECT_TRUE(Heard().empty()) << "the host was asked nothing";
    EXPECT_EQ(host.MessagesOf(WM_MOUSEWHEEL).size(), 1u) << "Ctrl+wheel reached the parent";
}

TEST_F(WheelSession, TheWheelOverAnOpenEditorScrollsTheGrid) {
    Columns({ColumnField("name", 80, 10), ColumnField("list", 80, 10)}, {tabrix::FieldText, tabrix::FieldCombo});
    for (int row = 1; row <= 60; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
    ASSERT_EQ(CreateCell(grid, 2, 2, "b"), 1);
    Settle();
    Lines(3);
    Click(2, 1);
    ASSERT_TRUE(Editing());
    HWND edit = GetFocus();
    PointAt(edit, 5, 5);
    Wheel(-120);
    EXPECT_EQ(GetFirstVisRow(grid), 4) << "the edit control passed the wheel on";
    EXPECT_FALSE(IsWindowVisible(edit)) << "hidden while its cell is out of view";
    EXPECT_EQ(state()->editing, 1) << "and still open";
    PointAtCell(5, 1);
    Wheel(120);
    EXPECT_TRUE(IsWindowVisible(edit) && GetFocus() == edit) << "back with its cell";
    Press(VK_ESCAPE);

    Click(2, 2);
    HWND combo = state()->hwndCombo;
    ASSERT_TRUE(IsWindowVisible(combo));
    for (const char* item : {"a", "b", "c"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    RECT box;
    GetClientRect(combo, &box);
    for (int x : {box.right / 3, box.right - 4}) {  // its text, its button
        SCOPED_TRACE(x);
        const int first = GetFirstVisRow(grid);
        PointAt(combo, x, box.bottom / 2);
        Wheel(-40);
        EXPECT_EQ(GetFirstVisRow(grid), first + 1) << "the grid scrolled";
        EXPECT_EQ(Cell(2, 2, 1), "b") << "the closed list kept its value";
        PointAtCell(GetFirstVisRow(grid), 1);
        Wheel(40);
    }
}

// One GN_RBUTTONUP for each press of the context-menu key or Shift+F10, at
// the current cell's centre; no WM_CONTEXTMENU reaches the host.
// Points are the parent's: past the grid's place and its sunken edge.
TEST_F(WheelSession, TheContextMenuKeyIsARightClickOnTheCurrentCell) {
    DestroyWindow(grid);
    grid = CreateGrid(host.hwnd(), host.instance(), 2, 0x12345, 30, 20, 400, 300);
    SetFocus(grid);
    Table(3, 10);
    Click(3, 2);
    Press(VK_ESCAPE);
    host.Clear();
    Press(VK_APPS);
    Press(VK_F10, {VK_SHIFT});
    SendMessageA(grid, WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
    SendMessageA(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(60, 60));
    const auto ups = host.MessagesOf(GN_RBUTTONUP);
    ASSERT_EQ(ups.size(), 3u) << "key, Shift+F10, right click";
    EXPECT_TRUE(host.MessagesOf(WM_CONTEXTMENU).empty());
    RECT cell;
    ASSERT_EQ(GetCellRect(grid, 3, 2, &cell), 1);
    POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    MapWindowPoints(grid, host.hwnd(), &centre, 1);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(ups[i].lParam, MAKELPARAM(centre.x, centre.y)) << "press " << i;
    POINT click{50, 50};
    MapWindowPoints(grid, host.hwnd(), &click, 1);
    EXPECT_EQ(ups[2].lParam, MAKELPARAM(click.x, click.y)) << "the right click";
    EXPECT_EQ(LOWORD(ups[2].wParam), 0x2345) << "the id's low word";
}

// A host of 70,000 rows reads the rows its notifications are about in full,
// the innermost while they nest.
TEST_F(WheelSession, NotificationsGiveTheirFullCell) {
    Shape(2, 10);
    for (int row = 1; row <= 70000; ++row) ASSERT_EQ(CreateCell(grid, row, 1, "x"), 1);
    Settle();
    std::vector<std::tuple<UINT, int, int>> heard;
    auto record = [&](UINT code) {
        host.Answer(code, [&, code](WPARAM, LPARAM) -> LRESULT {
            int32_t row = -1, col = -1;
            GetNotifyCell(&row, &col);
            heard.emplace_back(code, row, col);
            if (code == GN_ROWCHANGING) {
                SendMessageA(grid, WM_CONTEXTMENU, 0, -1);  // a notification inside this one
                GetNotifyCell(&row, &col);
                heard.emplace_back(0, row, col);
            }
            return 0;
        });
    };
    for (UINT code : {GN_CELLCHANGING, GN_CELLCHANGED, GN_ROWCHANGING, GN_RBUTTONUP}) record(code);
    ASSERT_EQ(GotoCell(grid, 70000, 1), 1);
    Press(VK_F2), Type("y\n");
    Press(VK_ESCAPE), Press(VK_DOWN);
    const std::vector<std::tuple<UINT, int, int>> expected{
        {GN_CELLCHANGING, 70000, 1}, {GN_CELLCHANGED, 70000, 1}, {GN_ROWCHANGING, 70000, 0},
        {GN_RBUTTONUP, 70001, 2},    {0, 70000, 0}};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(LOWORD(host.MessagesOf(GN_CELLCHANGING).at(0).lParam), 70000 & 0xFFFF) << "lParam as ever";
    int32_t row = -1, col = -1;
    GetNotifyCell(&row, &col);
    EXPECT_EQ(row + col, 0) << "outside any delivery";
}

}  // namespace
