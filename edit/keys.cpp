#include "edit/keys.h"

#include "edit/check_box.h"
#include "edit/clipboard.h"
#include "edit/deletion.h"
#include "edit/editors.h"
#include "edit/notify.h"
#include "grid/grid_access.h"

namespace tabrix {
namespace {

bool KeyDown(int key) { return GetAsyncKeyState(key) < 0; }

}  // namespace

void SendKeyMove(const Grid& grid, int vCode, int hCode) {
    GridState* s = grid.state;
    s->vScrollCode = vCode;
    s->hScrollCode = hCode;
    if (vCode >= 0) SendMessageA(grid.hwnd, WM_VSCROLL, static_cast<WPARAM>(vCode), 0);
    if (hCode >= 0 && GridSurvived(grid)) SendMessageA(grid.hwnd, WM_HSCROLL, static_cast<WPARAM>(hCode), 0);
}

// Shift+F10 is taken here: DefWindowProc would send its WM_CONTEXTMENU too,
// but then also open the window menu when F10 is let go. (The platform
// itself sends the context-menu key's.)
bool OnSysKeyDown(const Grid& grid, WPARAM key) {
    if (key != VK_F10 || !KeyDown(VK_SHIFT)) return false;
    SendMessageA(grid.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid.hwnd), MAKELPARAM(-1, -1));
    return true;
}

// Arrows and page keys act on the press, so they repeat while held.
LRESULT OnKeyDown(const Grid& grid, WPARAM key) {
    if (grid.state->editing || !HasCells(grid.state)) return 0;
    const bool ctrl = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
    if ((ctrl && key == 'C') || (ctrl && !shift && key == VK_INSERT)) {
        CopyToClipboard(grid);
        return 0;
    }
    if ((ctrl && key == 'V') || (shift && !ctrl && key == VK_INSERT)) {
        PasteFromClipboard(grid);
        return 0;
    }
    switch (key) {
        case VK_UP:
            SendKeyMove(grid, SB_LINEUP, -1);
            break;
        case VK_DOWN:
            SendKeyMove(grid, SB_LINEDOWN, -1);
            break;
        case VK_PRIOR:
            SendKeyMove(grid, SB_PAGEUP, -1);
            break;
        case VK_NEXT:
            SendKeyMove(grid, SB_PAGEDOWN, -1);
            break;
        case VK_LEFT:
            SendKeyMove(grid, -1, SB_LINELEFT);
            break;
        case VK_RIGHT:
            SendKeyMove(grid, -1, SB_LINERIGHT);
            break;
    }
    return 0;
}

LRESULT OnChar(const Grid& grid, WPARAM code) {
    if (!HasCells(grid.state)) return 0;
    if (code != VK_TAB && code != VK_RETURN) return 0;
    if (!EditorClosed(grid)) return 0;
    const bool back = code == VK_TAB && KeyDown(VK_SHIFT);
    SendKeyMove(grid, -1, back ? SB_LINELEFT : SB_LINERIGHT);
    return 0;
}

// Home, End, Escape, Delete, F2 and Space act on the release.
LRESULT OnKeyUp(const Grid& grid, WPARAM key) {
    GridState* s = grid.state;
    if (!HasCells(s)) return 0;
    switch (key) {
        case VK_RETURN:
        case VK_TAB:
            // The editor opens on the cell the press moved to.
            PostMessageA(grid.hwnd, WM_KEYUP, VK_F2, 0);
            break;
        case VK_F2:
            OpenEditor(grid);
            break;
        case VK_SPACE:
            if (!CurrentCheckBoxToggles(grid)) break;
            ToggleCurrentCheckBox(grid);
            if (GridSurvived(grid)) RequestRepaint(grid);
            break;
        case VK_ESCAPE:
            if (s->selectedRow) {
                s->selectedRow = 0;
                RequestRepaint(grid);
            }
            break;
        case VK_DELETE:
            if (s->selectedRow <= 0) break;
            DeleteSelectedRow(grid, s->selectedRow);
            if (!GridSurvived(grid)) break;
            s->selectedRow = 0;
            RequestRepaint(grid);
            break;
        case VK_HOME:
        case VK_END: {
            // The move must not carry an open editor's text to another cell.
            if (!EditorClosed(grid)) break;
            const bool home = key == VK_HOME;
            const int vCode = KeyDown(VK_CONTROL) ? (home ? SB_TOP : SB_BOTTOM) : -1;
            SendKeyMove(grid, vCode, home ? SB_LEFT : SB_RIGHT);
            break;
        }
    }
    return 0;
}

}  // namespace tabrix
