#include "edit/editors.h"

#include "grid/grid_access.h"

namespace tabrix {

bool CreateComboBox(const Grid& grid) {
    GridState* s = grid.state;
    s->hwndCombo = CreateWindowExA(0, "Combobox", "",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_AUTOHSCROLL |
                                       CBS_DROPDOWN,
                                   0, 0, 0, 0, grid.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)),
                                   WindowInstance(grid.hwnd), nullptr);
    if (!s->hwndCombo) return false;
    SendMessageA(s->hwndCombo, WM_SETFONT, reinterpret_cast<WPARAM>(s->cellFont), TRUE);
    return true;
}

int CommitEdit(const Grid& grid) {
    // No editor can be open yet: the grid opens none until in-place editing
    // exists, so there is nothing to commit.
    return grid.state->editing ? 0 : 1;
}

}  // namespace tabrix
