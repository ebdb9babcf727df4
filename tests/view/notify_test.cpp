// Delivery of notifications to the host, and host code that destroys the
// grid while it handles one.
#include <vector>

#include "tests/support/grid_fixture.h"

namespace {

struct Call {
    HWND target;
    UINT code;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Call> calls;
LRESULT callbackReply = 0;
HWND destroyInCallback = nullptr;

LRESULT CALLBACK RecordingCallback(HWND target, UINT code, WPARAM wParam, LPARAM lParam) {
    calls.push_back(Call{target, code, wParam, lParam});
    if (destroyInCallback) DestroyWindow(destroyInCallback);
    return callbackReply;
}

// A window between the host and a grid that destroys itself, and so the
// grid, on the first notification it hears.
LRESULT CALLBACK SelfDestroyingParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == GN_ROWCHANGING || message == GN_RBUTTONUP) {
        DestroyWindow(hwnd);
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeSelfDestroyingParent(HWND host) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = SelfDestroyingParent;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TabrixNotifyTestParent";
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExA(0, "TabrixNotifyTestParent", "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 400, host, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class NotifyTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        calls.clear();
        callbackReply = 0;
        destroyInCallback = nullptr;
    }
    void TearDown() override {
        // The delivery mode is shared by every grid of the process.
        SetFuncCallback(nullptr, 0);
        destroyInCallback = nullptr;
        GridTest::TearDown();
    }

    // A grid of three columns and ten rows inside `parent`.
    HWND MakeGrid(HWND parent, int id = 9) {
        HWND g = CreateGrid(parent, host.instance(), 0, id, 0, 0, 300, 200);
        if (!g || !testing_host::ShapeGrid(g, 3, 4)) return nullptr;
        for (int row = 1; row <= 10; ++row) CreateCell(g, row, 1, "x");
        SendMessageA(g, WM_SIZE, 0, 0);
        return g;
    }
    // A keyboard move down from row 2 of an edited row: asks GN_ROWCHANGING.
    static void LeaveEditedRow(HWND g) {
        GridState* s = tabrix::GridFromWindow(g).state;
        s->curRow = 2;
        s->rowEdited = 1;
        s->vScrollCode = SB_LINEDOWN;
        SendMessageA(g, WM_VSCROLL, SB_LINEDOWN, 0);
    }
    static void RightClick(HWND g, int x = 10, int y = 10) { SendMessageA(g, WM_RBUTTONUP, 0, MAKELPARAM(x, y)); }
};

TEST_F(NotifyTest, CallbackTakesOverFromTheParentUntilSwitchedOff) {
    EXPECT_EQ(SetFuncCallback(RecordingCallback, 1), 1);
    RightClick(grid);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].target, host.hwnd()) << "the parent's handle comes first";
    EXPECT_EQ(calls[0].code, static_cast<UINT>(GN_RBUTTONUP));
    EXPECT_EQ(LOWORD(calls[0].wParam), 77);
    EXPECT_TRUE(host.MessagesOf(GN_RBUTTONUP).empty()) << "no message while the callback is on";

    EXPECT_EQ(SetFuncCallback(RecordingCallback, 0), 1);
    RightClick(grid);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(host.MessagesOf(GN_RBUTTONUP).size(), 1u);
}

TEST_F(NotifyTest, CallbackRepliesCount) {
    HWND g = MakeGrid(host.hwnd());
    ASSERT_NE(g, nullptr);
    SetFuncCallback(RecordingCallback, 1);
    callbackReply = 1;
    LeaveEditedRow(g);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].code, static_cast<UINT>(GN_ROWCHANGING));
    EXPECT_EQ(GetCurrentRow(g), 2) << "the callback refused the move";
    callbackReply = 0;
    LeaveEditedRow(g);
    EXPECT_EQ(GetCurrentRow(g), 3);
    DestroyWindow(g);
}

TEST_F(NotifyTest, NullCallbackKeepsMessages) {
    SetFuncCallback(RecordingCallback, 1);
    EXPECT_EQ(SetFuncCallback(nullptr, 1), 1);
    RightClick(grid);
    EXPECT_TRUE(calls.empty()) << "the earlier function is not called either";
    EXPECT_EQ(host.MessagesOf(GN_RBUTTONUP).size(), 1u);
}

TEST_F(NotifyTest, RightButtonReleaseInParentClientCoordinates) {
    HWND source = nullptr;
    host.Answer(GN_RBUTTONUP, [&](WPARAM, LPARAM) {
        source = GetNotifyHwnd();
        return 0;
    });
    MoveWindow(grid, 100, 50, 300, 200, TRUE);
    RightClick(grid);
    auto seen = host.MessagesOf(GN_RBUTTONUP);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(LOWORD(seen[0].lParam), 110);
    EXPECT_EQ(HIWORD(seen[0].lParam), 60);
    EXPECT_EQ(LOWORD(seen[0].wParam), 77);
    EXPECT_EQ(source, grid);

    // The sunken edge moves the client area, and the point with it.
    HWND edged = CreateGrid(host.hwnd(), host.instance(), 2, 6, 200, 100, 300, 200);
    ASSERT_NE(edged, nullptr);
    POINT origin{0, 0};
    MapWindowPoints(edged, host.hwnd(), &origin, 1);
    ASSERT_GT(origin.x, 200);
    host.Clear();
    RightClick(edged, 10, 20);
    seen = host.MessagesOf(GN_RBUTTONUP);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(LOWORD(seen[0].lParam), origin.x + 10);
    EXPECT_EQ(HIWORD(seen[0].lParam), origin.y + 20);
    EXPECT_EQ(source, edged);
    DestroyWindow(edged);
}

TEST_F(NotifyTest, ControlIdTravelsInTheLowWord) {
    HWND g = MakeGrid(host.hwnd(), 0x12345);
    ASSERT_NE(g, nullptr);
    HWND source = nullptr;
    host.Answer(GN_ROWCHANGING, [&](WPARAM, LPARAM) {
        source = GetNotifyHwnd();
        return 0;
    });
    LeaveEditedRow(g);
    RightClick(g);
    for (UINT code : {GN_ROWCHANGING, GN_RBUTTONUP}) {
        auto seen = host.MessagesOf(code);
        ASSERT_EQ(seen.size(), 1u) << code;
        EXPECT_EQ(LOWORD(seen[0].wParam), 0x2345) << code;
    }
    EXPECT_EQ(source, g);
    DestroyWindow(g);
}

TEST_F(NotifyTest, HostMayDestroyTheGridInsideANotification) {
    HWND victim = nullptr;
    LRESULT reply = 0;
    auto destroy = [&](WPARAM, LPARAM) {
        DestroyWindow(victim);
        return reply;
    };
    host.Answer(GN_ROWCHANGING, destroy);
    host.Answer(GN_RBUTTONUP, destroy);

    for (LRESULT answer : {0, 1}) {
        reply = answer;
        victim = MakeGrid(host.hwnd());
        ASSERT_NE(victim, nullptr);
        LeaveEditedRow(victim);
        EXPECT_FALSE(IsWindow(victim)) << "vertical move, reply " << answer;

        victim = MakeGrid(host.hwnd());
        ASSERT_NE(victim, nullptr);
        GridState* s = tabrix::GridFromWindow(victim).state;
        s->curRow = 2;
        s->curCol = 3;
        s->rowEdited = 1;
        s->hScrollCode = SB_LINERIGHT;
        SendMessageA(victim, WM_HSCROLL, SB_LINERIGHT, 0);
        EXPECT_FALSE(IsWindow(victim)) << "wrapping move, reply " << answer;
    }

    victim = MakeGrid(host.hwnd());
    ASSERT_NE(victim, nullptr);
    RightClick(victim);
    EXPECT_FALSE(IsWindow(victim)) << "right button";

    SetFuncCallback(RecordingCallback, 1);
    for (int through = 0; through < 2; ++through) {
        destroyInCallback = MakeGrid(host.hwnd());
        ASSERT_NE(destroyInCallback, nullptr);
        HWND g = destroyInCallback;
        if (through == 0) {
            LeaveEditedRow(g);
        } else {
            RightClick(g);
        }
        EXPECT_FALSE(IsWindow(g)) << "callback, case " << through;
    }
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(NotifyTest, HostMayDestroyTheGridsParentInsideANotification) {
    for (int mode = 0; mode < 4; ++mode) {
        HWND parent = MakeSelfDestroyingParent(host.hwnd());
        ASSERT_NE(parent, nullptr);
        HWND g = MakeGrid(parent);
        ASSERT_NE(g, nullptr);
        // Modes 2 and 3 go through the callback, which gets the parent to destroy.
        destroyInCallback = parent;
        SetFuncCallback(RecordingCallback, mode >= 2);
        if (mode % 2 == 0) {
            LeaveEditedRow(g);
        } else {
            RightClick(g);
        }
        EXPECT_FALSE(IsWindow(g)) << "mode " << mode;
        EXPECT_FALSE(IsWindow(parent)) << "mode " << mode;
    }
    EXPECT_EQ(calls.size(), 2u);
}

}  // namespace
