// A host top-level window for tests: it parents grids and records every
// message it receives and every callback the grid makes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace testing_host {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TestHost {
public:
    explicit TestHost(int width = 800, int height = 600);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HWND hwnd() const { return hwnd_; }
    HINSTANCE instance() const { return GetModuleHandleA(nullptr); }

    // Messages received since the last Clear, optionally of one kind.
    const std::vector<Message>& messages() const { return messages_; }
    std::vector<Message> MessagesOf(UINT message) const;
    void Clear() { messages_.clear(); }

    // What the host answers to a message from now on, replacing an earlier
    // answer; unset messages go to DefWindowProc.
    void Answer(UINT message, std::function<LRESULT(WPARAM, LPARAM)> reply) { replies_[message] = std::move(reply); }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<Message> messages_;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> replies_;
};

// Processes every queued message of this thread.
void PumpMessages();
// Processes messages for about `ms` milliseconds.
void PumpFor(int ms);

}  // namespace testing_host
