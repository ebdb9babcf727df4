#include "edit/notify.h"

#include "grid/grid_access.h"

namespace tabrix {

Notifications notifications;

namespace {

// Puts the outer delivery's cell back however the host's handler returns.
class DeliveredCell {
public:
    explicit DeliveredCell(NotifyCell cell) : outerRow_(notifications.cellRow), outerCol_(notifications.cellCol) {
        notifications.cellRow = cell.row;
        notifications.cellCol = cell.col;
    }
    ~DeliveredCell() {
        notifications.cellRow = outerRow_;
        notifications.cellCol = outerCol_;
    }
    DeliveredCell(const DeliveredCell&) = delete;
    DeliveredCell& operator=(const DeliveredCell&) = delete;

private:
    int outerRow_, outerCol_;
};

}  // namespace

HostLine HostLineOf(const Grid& grid) { return HostLine{GetParent(grid.hwnd), ControlId(grid)}; }

LRESULT NotifyHost(const Grid& grid, HWND source, UINT code, WPARAM wParam, LPARAM lParam, NotifyCell cell,
                   const HostLine* line) {
    notifications.notifySource = source;
    const DeliveredCell delivered(cell);
    HWND target = line ? line->target : GetParent(grid.hwnd);
    if (notifications.notifyMode == kNotifyByCallback && notifications.notifyCallback) {
        return notifications.notifyCallback(target, code, wParam, lParam);
    }
    return SendMessageA(target, code, wParam, lParam);
}

void NotifyCellOf(int32_t* row, int32_t* col) {
    if (row) *row = notifications.cellRow;
    if (col) *col = notifications.cellCol;
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
