// Host code that destroys the grid, or its parent, while it handles a
// notification. (Which way notifications go is the random session's.)
#include "tests/support/grid_fixture.h"

namespace {

LRESULT reply = 0;
HWND victim = nullptr;

LRESULT Handle() {
    if (victim) DestroyWindow(victim);
    return reply;
}
LRESULT CALLBACK Callback(HWND, UINT, WPARAM, LPARAM) { return Handle(); }
// The procedure of a window between the host and a grid.
LRESULT CALLBACK Parent(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == GN_ROWCHANGING || message == GN_RBUTTONUP) return Handle();
    return DefWindowProcA(hwnd, message, w, l);
}

enum Event { kVertical, kWrap, kRightButton };

class NotifyTest : public GridTest {
protected:
    void TearDown() override {
        SetFuncCallback(nullptr, 0);  // the delivery mode is shared by every grid of the process
        victim = nullptr;
        DestroyWindow(parent);
        GridTest::TearDown();
    }
    void MakeParent() {
        parent = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400, host.hwnd(), nullptr,
                                 nullptr, nullptr);
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Parent));
    }
    // Three columns and ten rows, at (100, 50) of the parent.
    HWND MakeGrid() {
        HWND g = CreateGrid(parent, host.instance(), 0, 9, 100, 50, 300, 200);
        if (!g || !testing_host::ShapeGrid(g, 3, 4)) return nullptr;
        for (int row = 1; row <= 10; ++row) CreateCell(g, row, 1, "x");
        SendMessageA(g, WM_SIZE, 0, 0);
        return g;
    }
    // A keyboard move from row 2, column 3 of an edited row, down or right
    // (wrapping); or a right click at (10, 20).
    static void Send(HWND g, Event event) {
        if (event == kRightButton) return static_cast<void>(SendMessageA(g, WM_RBUTTONUP, 0, MAKELPARAM(10, 20)));
        GridState* s = tabrix::GridFromWindow(g).state;
        s->curRow = 2, s->curCol = 3, s->rowEdited = 1;
        (event == kVertical ? s->vScrollCode : s->hScrollCode) = SB_LINEDOWN;
        SendMessageA(g, event == kVertical ? WM_VSCROLL : WM_HSCROLL, SB_LINEDOWN, 0);  // SB_LINEDOWN is SB_LINERIGHT
    }
    HWND parent = nullptr;
};

// Bits of the case: delivery by callback, the parent destroyed (else the
// grid), the reply; then the event.
TEST_F(NotifyTest, HostMayDestroyTheGridOrItsParentInsideANotification) {
    MakeParent();
    for (int n = 0; n < 24; ++n) {
        SetFuncCallback(Callback, n & 1);
        HWND g = MakeGrid();
        ASSERT_NE(g, nullptr);
        victim = n & 2 ? parent : g;
        reply = (n >> 2) & 1;
        Send(g, static_cast<Event>(n >> 3));
        EXPECT_FALSE(IsWindow(g)) << "case " << n;
        if (n & 2) MakeParent();
    }
}

}  // namespace
