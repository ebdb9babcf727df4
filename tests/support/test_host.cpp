#include "tests/support/test_host.h"

#include <algorithm>
#include <iterator>

namespace testing_host {

TestHost::TestHost(int width, int height) {
    static const ATOM hostClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TabrixTestHost";
        return RegisterClassA(&wc);
    }();
    // Messages of creation go unrecorded: the window learns its host after it.
    hwnd_ = CreateWindowExA(0, MAKEINTATOM(hostClass), "Tabrix test host",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PumpMessages();
}

TestHost::~TestHost() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    PumpMessages();
}

std::vector<Message> TestHost::MessagesOf(UINT message) const {
    std::vector<Message> found;
    std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(found),
                 [message](const Message& m) { return m.message == message; });
    return found;
}

LRESULT CALLBACK TestHost::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
        host->messages_.push_back(Message{message, wParam, lParam});
        if (auto reply = host->replies_.find(message); reply != host->replies_.end()) {
            return reply->second(wParam, lParam);
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
