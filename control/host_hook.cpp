#include "control/host_hook.h"

#include "edit/focus.h"
#include "edit/notify.h"
#include "grid/library.h"

namespace tabrix {
namespace {

constexpr UINT kRestoreDelayMs = 200;
constexpr UINT_PTR kRestoreTimerId = 0;

void CALLBACK RestoreFocusTimerProc(HWND timerWindow, UINT, UINT_PTR id, DWORD) {
    // The host window takes the focus itself when it is activated again; the
    // grid's editor or the grid gets it back only after that.
    if (!input.hookedWindow || GetFocus() != input.hookedWindow) return;
    if (input.focusToRestore && IsWindow(input.focusToRestore)) SetFocus(input.focusToRestore);
    input.focusRestorePending = 0;
    input.focusToRestore = nullptr;
    KillTimer(timerWindow, id);
}

void RememberFocus() {
    HWND focus = input.focusedEditor ? input.focusedEditor : input.focusedGrid;
    if (!focus) return;
    input.focusToRestore = focus;
    input.focusRestorePending = 1;
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = input.hostPrevProc;
    // A message that arrives after the hook moved on (another window is
    // hooked now) still reaches this window's own procedure.
    if (hwnd != input.hookedWindow || !previous) {
        return previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                        : DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_INITMENUPOPUP:
            if (notifications.notifyMode == kNotifyByCallback && notifications.notifyCallback) {
                notifications.notifyCallback(hwnd, message, wParam, lParam);
            }
            break;
        case WM_CLOSE:
            // The host's own procedure must see the close: the hook steps
            // aside and sends the close again.
            UnhookHostWindow();
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) RememberFocus();
            break;
        case WM_ACTIVATEAPP:
        case WM_NCACTIVATE:
        case WM_ACTIVATE:
            // A window manager may keep a minimised window active: its
            // restore then brings only WM_ACTIVATE, no new activation.
            if (message == WM_ACTIVATE ? LOWORD(wParam) == WA_INACTIVE : !wParam) {
                RememberFocus();
            } else if (input.focusRestorePending && library.lastGrid && IsWindow(library.lastGrid)) {
                SetTimer(library.lastGrid, kRestoreTimerId, kRestoreDelayMs, RestoreFocusTimerProc);
            }
            break;
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace

void TrapInitMenuPopup(HWND host) {
    if (!host || !IsWindow(host) || host == input.hookedWindow) return;
    UnhookHostWindow();
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(host, GWLP_WNDPROC));
    if (!previous || previous == HostWindowProc) return;
    input.hostPrevProc = previous;
    input.hookedWindow = host;
    SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProc));
}

void UnhookHostWindow() {
    if (input.hookedWindow && input.hostPrevProc && IsWindow(input.hookedWindow)) {
        SetWindowLongPtrA(input.hookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(input.hostPrevProc));
    }
    input.hookedWindow = nullptr;
    input.hostPrevProc = nullptr;
    input.focusRestorePending = 0;
    input.focusToRestore = nullptr;
}

}  // namespace tabrix
