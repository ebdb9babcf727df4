#include "edit/notify.h"

#include "grid/grid_access.h"

namespace tabrix {

Notifications notifications;

LRESULT NotifyHost(const Grid& grid, HWND source, UINT code, WPARAM wParam, LPARAM lParam) {
    notifications.notifySource = source;
    HWND target = GetParent(grid.hwnd);
    if (notifications.notifyMode == kNotifyByCallback && notifications.notifyCallback) {
        return notifications.notifyCallback(target, code, wParam, lParam);
    }
    return SendMessageA(target, code, wParam, lParam);
}


WPARAM ControlId(const Grid& grid) {
    return static_cast<WPARAM>(GetWindowLongPtrA(grid.hwnd, GWLP_ID) & 0xFFFF);
}

void SetFuncCallback(WNDPROC callback, int enable) {
    if (!enable) {
        notifications.notifyMode = kNotifyByMessage;
        return;
    }
    // A null function cannot be called: messages keep flowing to the parent.
    notifications.notifyCallback = callback;
    notifications.notifyMode = callback ? kNotifyByCallback : kNotifyByMessage;
}

}  // namespace tabrix
