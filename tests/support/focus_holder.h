// A child window of the host that holds the focus and destroys another
// window when it loses it, as a host's validating edit box may do with a form.
#pragma once

#include <windows.h>

namespace testing_host {

class FocusHolder {
public:
    FocusHolder(HWND parent, HWND victim) {
        Victim() = victim;
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TabrixFocusHolder";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent, nullptr,
                                wc.hInstance, nullptr);
        SetFocus(hwnd_);
    }
    ~FocusHolder() {
        Victim() = nullptr;
        DestroyWindow(hwnd_);
    }
    FocusHolder(const FocusHolder&) = delete;
    FocusHolder& operator=(const FocusHolder&) = delete;
    bool HasFocus() const { return GetFocus() == hwnd_; }

private:
    static HWND& Victim() {
        static HWND victim = nullptr;
        return victim;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_KILLFOCUS && Victim()) {
            HWND victim = Victim();
            Victim() = nullptr;
            DestroyWindow(victim);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

}  // namespace testing_host
