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
    // The full row and column of the notification being delivered (the
    // innermost while notifications nest); 0 outside any delivery. lParam
    // carries only 16 bits of the row.
    int cellRow = 0, cellCol = 0;
};
extern Notifications notifications;

// What a notification is about, in full: the cell, or the row and column 0.
struct NotifyCell {
    int row, col;
};

// Where a notification goes (the grid's parent) and the identifier it
// carries. Each is a call into the window manager, costly under some
// platforms: a paste reads them once for all its notifications.
struct HostLine {
    HWND target;
    WPARAM id;
};
HostLine HostLineOf(const Grid& grid);

// The host's reply. `source` becomes notifySource for the call; `line`, when
// given, is where it goes, else the grid's parent as it is now. The host may
// destroy the grid (or its parent) while it handles the notification: check
// GridSurvived before touching the records again.
LRESULT NotifyHost(const Grid& grid, HWND source, UINT code, WPARAM wParam, LPARAM lParam, NotifyCell cell,
                   const HostLine* line = nullptr);

// GetNotifyCell: the cell of the notification being delivered.
void NotifyCellOf(int32_t* row, int32_t* col);

// wParam of grid notifications: the control identifier in the low word.
WPARAM ControlId(const Grid& grid);
inline LPARAM PackWords(int low, int high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}

void SetFuncCallback(WNDPROC callback, int enable);

}  // namespace tabrix
