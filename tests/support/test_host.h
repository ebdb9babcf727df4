// A host top-level window for tests: it parents grids and records every
// message it receives and every callback the grid makes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <vector>

namespace testing_host {

// Processes every queued message of this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
// Processes messages for about `ms` milliseconds.
inline void PumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        PumpMessages();
        Sleep(1);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TestHost {
public:
    explicit TestHost(int width = 800, int height = 600) {
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
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        PumpMessages();
    }
    ~TestHost() {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
        PumpMessages();
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HWND hwnd() const { return hwnd_; }
    HINSTANCE instance() const { return GetModuleHandleA(nullptr); }

    // Messages received since the last Clear, optionally of one kind.
    const std::vector<Message>& messages() const { return messages_; }
    std::vector<Message> MessagesOf(UINT message) const {
        std::vector<Message> found;
        std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(found),
                     [message](const Message& m) { return m.message == message; });
        return found;
    }
    void Clear() { messages_.clear(); }

    // What the host answers to a message from now on, replacing an earlier
    // answer; unset messages go to DefWindowProc.
    void Answer(UINT message, std::function<LRESULT(WPARAM, LPARAM)> reply) { replies_[message] = std::move(reply); }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            host->messages_.push_back(Message{message, wParam, lParam});
            if (auto reply = host->replies_.find(message); reply != host->replies_.end()) {
                return reply->second(wParam, lParam);
            }
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
    std::vector<Message> messages_;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> replies_;
};

}  // namespace testing_host
