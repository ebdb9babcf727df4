// In-cell editors, commits forced by other operations, the opening's message
// drain, and the host hook that gives the focus back after a minimise.
#include "tests/edit/session.h"
#include "tests/support/capture.h"

namespace {

class EditorsTest : public EditSession {
protected:
    // Text column 1 (alignment 7, red text), list column 2 (5 characters,
    // face Arial), list column 3 (no face); the host fills the lists when asked.
    void SetUp() override {
        EditSession::SetUp();
        GridAttr attr{};
        attr.cellFont = cellFont = MakeFont("Courier New", 9, 400, 0, 0, 0);
        ASSERT_EQ(SetGridAttr(grid, &attr), 1);
        Columns({testing_host::ColumnField("t", 60, 10, 7, kRed), testing_host::ColumnField("a", 80, 5, 0, 0, 0, "Arial"),
                 testing_host::ColumnField("b", 80, 10)},
                {tabrix::FieldText, tabrix::FieldCombo, tabrix::FieldCombo});
        for (int r = 1; r <= 3; ++r) CreateCell(grid, r, 1, Text(r, 1).c_str());
        Settle();
        host.Answer(GN_DROPDOWN, [](WPARAM, LPARAM) -> LRESULT {
            for (const char* s : {"watermelon", "pear"}) SendMessageA(GetNotifyHwnd(), CB_ADDSTRING, 0, LPARAM(s));
            return 0;
        });
    }
    HWND Combo() { return FindWindowExA(grid, nullptr, "ComboBox", nullptr); }
    bool Dropped() { return SendMessageA(Combo(), CB_GETDROPPEDSTATE, 0, 0) != 0; }
    static constexpr int kRed = 0x0000FF;
    HFONT cellFont = nullptr;
};

TEST_F(EditorsTest, TheListIsFilledOnceAnOpeningAndEscapeClosesOnlyIt) {
    Click(1, 2), Press(VK_DOWN);
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(GetNotifyHwnd(), Combo());
    Press(VK_ESCAPE);
    EXPECT_TRUE(!Dropped() && Editing()) << "the first Escape closes only the list";
    Press(VK_DOWN);
    EXPECT_EQ(SendMessageA(Combo(), CB_GETCOUNT, 0, 0), 2) << "filled once";
    EXPECT_EQ(host.MessagesOf(GN_DROPDOWN).size(), 1u);
    Keys({VK_ESCAPE, VK_ESCAPE});
    Click(2, 2);
    Press(VK_DOWN);
    EXPECT_EQ(host.MessagesOf(GN_DROPDOWN).size(), 2u) << "asked again for the next opening";
    Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // the last item, whether the list is open or not
    EXPECT_EQ(Cell(2, 2), "pear");
    Expect(2, 3);
}

TEST_F(EditorsTest, EditorsTakeTheirFontAlignmentAndCaret) {
    Click(1, 2);
    const HFONT face = FontOf(Combo());
    EXPECT_NE(face, cellFont);
    Press(VK_ESCAPE), OnEntryStyle(0), SetCellText(grid, 1, 3, "fig"), Click(1, 3);
    EXPECT_EQ(FontOf(Combo()), cellFont) << "a column without a face";
    EXPECT_EQ(GetObjectType(face), 0u) << "the column's font went once the box let go of it";
    EXPECT_GE(GetAsyncKeyState(VK_END), 0) << "no End press without its release";
    EXPECT_EQ(SendMessageA(Combo(), CB_GETEDITSEL, 0, 0), LRESULT{MAKELONG(3, 3)}) << "the caret after the text";
    // An alignment outside 0..2 edits as left, and commits; the editor shows
    // the column's text colour on the window colour.
    Click(1, 1);
    EXPECT_EQ(FontOf(GetFocus()), cellFont);
    const testing_host::Capture editor = testing_host::CaptureClient(GetFocus());
    EXPECT_LT(editor.CountOtherThan(RECT{0, 0, editor.width, editor.height}, kRed), editor.width * editor.height);
    EXPECT_EQ(editor.At(editor.width - 2, editor.height - 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetWindowLongA(GetFocus(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), 0);
    Type("x\n");
    EXPECT_EQ(Cell(1, 1), "r1c1x");
}

// Moves by other operations commit an open editor first, and do nothing
// while the host refuses the text.
TEST_F(EditSession, GridReadOnlyAndRightEdgeCommitFirst) {
    LRESULT refuse = 1;
    host.Answer(GN_CELLCHANGING, [&refuse](WPARAM, LPARAM) { return refuse; });
    for (auto op : {+[](HWND g) { return GridReadOnly(g, 1); },
                    +[](HWND g) { return static_cast<int>(SendMessageA(g, WM_HSCROLL, SB_RIGHT, 0)); }}) {
        Table(3, 3);
        Click(4, 1), Type("x");  // on the new-record row, which a read-only grid hides
        refuse = 1;
        EXPECT_EQ(op(grid), 0);
        Expect(4, 1);
        Press(VK_ESCAPE);
        Click(4, 1);
        EXPECT_TRUE(Editing()) << "the grid stayed writable";
        Type("x"), refuse = 0, op(grid);
        UpdateWindow(grid);
        EXPECT_EQ(Cell(4, 1), "x") << "the text went to its own cell";
        EXPECT_EQ(Cell(4, 3), "");
        GridReadOnly(grid, 0);
    }
}

TEST_F(EditSession, AnOpeningEditorRunsTheQueueAndSurvivesIt) {
    Table(2, 3);
    PostQuitMessage(7);
    Click(1, 1, false);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 7) << "the quit is kept";
    EXPECT_TRUE(Editing());
    Press(VK_ESCAPE);
    // A key queued before the opening moves the current cell to a locked
    // column: no editor opens there.
    LockField(grid, 2, 1);
    PostMessageA(grid, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    EXPECT_EQ(GetCurrentCol(grid), 2);
    EXPECT_FALSE(Editing()) << "the cell is judged again after the queue ran";
    PostMessageA(host.hwnd(), WM_CLOSE, 0, 0);  // the form closes, and the grid goes with it
    Click(2, 1);
    EXPECT_FALSE(IsWindow(grid));
}

LONG_PTR ProcOf(HWND w) { return GetWindowLongPtrA(w, GWLP_WNDPROC); }

// The hook on the host window gives the focus back to the editor after a
// minimise, and leaves the host's own close and procedure alone.
TEST_F(EditSession, TheHookedHostGivesTheFocusBackAndKeepsItsOwnClose) {
    const LONG_PTR own = ProcOf(host.hwnd());
    Table(2, 3);
    TrapInitMenuPopup(host.hwnd());
    TrapInitMenuPopup(host.hwnd());  // a second hook must not chain to itself
    Click(2, 1);
    const HWND editor = GetFocus();
    SendMessageA(host.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(host.hwnd()));
    SendMessageA(host.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(host.hwnd());
    for (DWORD end = GetTickCount() + 400; GetFocus() != editor && GetTickCount() < end;) testing_host::PumpFor(10);
    EXPECT_TRUE(GetFocus() == editor && GridGetFocus() == grid);
    testing_host::TestHost other;
    const LONG_PTR otherOwn = ProcOf(other.hwnd());
    ASSERT_NE(CreateGrid(other.hwnd(), other.instance(), 0, 2, 0, 0, 100, 100), nullptr);
    host.Clear();
    SendMessageA(host.hwnd(), WM_INITMENUPOPUP, 0, 0);
    EXPECT_EQ(host.MessagesOf(WM_INITMENUPOPUP).size(), 1u);
    host.Answer(WM_CLOSE, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    SendMessageA(host.hwnd(), WM_CLOSE, 0, 0);
    testing_host::PumpMessages();
    EXPECT_EQ(host.MessagesOf(WM_CLOSE).size(), 1u) << "the close reaches the host's own handling";
    EXPECT_TRUE(ProcOf(host.hwnd()) == own && ProcOf(other.hwnd()) == otherOwn);
    TrapInitMenuPopup(host.hwnd()), TrapInitMenuPopup(other.hwnd());  // hooking another unhooks the first
    EXPECT_EQ(ProcOf(host.hwnd()), own);
}

}  // namespace
