#include "tests/support/test_host.h"

namespace testing_host {
namespace {
constexpr char kHostClass[] = "TabrixTestHost";

void RegisterHostClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    registered = true;
}
}  // namespace

TestHost::TestHost(int width, int height) {
    RegisterHostClass();
    hwnd_ = CreateWindowExA(0, kHostClass, "Tabrix test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                            0, 0, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
    PumpMessages();
}

TestHost::~TestHost() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    PumpMessages();
}

HINSTANCE TestHost::instance() const { return GetModuleHandleA(nullptr); }

std::vector<Message> TestHost::MessagesOf(UINT message) const {
    std::vector<Message> found;
    for (const Message& m : messages_) {
        if (m.message == message) found.push_back(m);
    }
    return found;
}

void TestHost::Answer(UINT message, std::function<LRESULT(WPARAM, LPARAM)> reply) {
    for (auto& [code, existing] : replies_) {
        if (code == message) {
            existing = std::move(reply);
            return;
        }
    }
    replies_.emplace_back(message, std::move(reply));
}

LRESULT CALLBACK TestHost::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (host) {
        host->messages_.push_back(Message{message, wParam, lParam});
        for (auto& [code, reply] : host->replies_) {
            if (code == message) return reply(wParam, lParam);
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        PumpMessages();
        Sleep(1);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

}  // namespace testing_host
