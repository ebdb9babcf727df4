// Delivery of notifications to the host, and host code that destroys the
// grid while it handles one.
#include <string>
#include <vector>

#include "tests/support/grid_fixture.h"

namespace {

std::vector<std::string> calls;
LRESULT reply = 0;
HWND victim = nullptr;

std::string Line(const char* way, HWND target, HWND source, UINT code, WPARAM w, LPARAM l) {
    char text[160];
    snprintf(text, sizeof text, "%s to %p from %p: %u id %u at %d,%d", way, static_cast<void*>(target),
             static_cast<void*>(source), code, LOWORD(w), LOWORD(l), HIWORD(l));
    return text;
}
LRESULT Record(const char* way, HWND target, UINT code, WPARAM w, LPARAM l) {
    calls.push_back(Line(way, target, GetNotifyHwnd(), code, w, l));
    if (victim) DestroyWindow(victim);
    return reply;
}
LRESULT CALLBACK Callback(HWND target, UINT code, WPARAM w, LPARAM l) { return Record("callback", target, code, w, l); }
// The procedure of a window between the host and a grid.
LRESULT CALLBACK Parent(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == GN_ROWCHANGING || message == GN_RBUTTONUP) return Record("message", hwnd, message, w, l);
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
    HWND MakeGrid(int border = 0, int id = 9) {
        HWND g = CreateGrid(parent, host.instance(), border, id, 100, 50, 300, 200);
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

TEST_F(NotifyTest, DeliveryGoesToTheParentOrTheRegisteredCallback) {
    MakeParent();
    // The id travels in the low word; the sunken edge moves the client area and the point with it.
    HWND g = MakeGrid(2, 0x12345);
    ASSERT_NE(g, nullptr);
    POINT origin{0, 0};
    MapWindowPoints(g, parent, &origin, 1);
    ASSERT_GT(origin.x, 100);
    const struct { WNDPROC callback; int enable; const char* way; } modes[] = {
        {Callback, 1, "callback"}, {Callback, 0, "message"}, {nullptr, 1, "message"}};
    for (const auto& m : modes) {
        ASSERT_EQ(SetFuncCallback(Callback, 1), 1);
        EXPECT_EQ(SetFuncCallback(m.callback, m.enable), 1);
        for (LRESULT answer : {1, 0}) {
            reply = answer;
            calls.clear();
            Send(g, kVertical);
            EXPECT_EQ(GetCurrentRow(g), answer ? 2 : 3) << m.way << ": a non-zero reply refuses the move";
            Send(g, kRightButton);
            const std::vector<std::string> expected{
                Line(m.way, parent, g, GN_ROWCHANGING, 0x2345, MAKELPARAM(2, 0)),
                Line(m.way, parent, g, GN_RBUTTONUP, 0x2345, MAKELPARAM(origin.x + 10, origin.y + 20))};
            EXPECT_EQ(calls, expected) << "callback " << m.callback << ", enable " << m.enable;
        }
    }
}

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
