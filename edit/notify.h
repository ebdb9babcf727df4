// Notifications to the host: a message to the grid's parent, or a call of a
// function the host registered.
#pragma once

#include "grid/grid_access.h"

namespace tabrix {

// The notification codes GN_ROWCHANGING .. GN_DROPDOWN come with the host
// header; these are the delivery modes as the library keeps them, not the
// values SetFuncCallback takes.
constexpr int kNotifyByMessage = 0x7551;
constexpr int kNotifyByCallback = 0x7552;

struct Notifications {
    int notifyMode = kNotifyByMessage;
    WNDPROC notifyCallback = nullptr;
    HWND notifySource = nullptr;
};
extern Notifications notifications;

// The host's reply. `source` becomes notifySource for the call. The host may
// destroy the grid (or its parent) while it handles the notification: check
// GridSurvived before touching the records again.
LRESULT NotifyHost(const Grid& grid, HWND source, UINT code, WPARAM wParam, LPARAM lParam);

// wParam of grid notifications: the control identifier in the low word.
WPARAM ControlId(const Grid& grid);
inline LPARAM PackWords(int low, int high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}

void SetFuncCallback(WNDPROC callback, int enable);

}  // namespace tabrix
