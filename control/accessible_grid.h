// The grid as assistive technology reads it: an Active Accessibility
// (IAccessible) table answered to WM_GETOBJECT, whose parts and child ids
// are those of view/accessible_ids.h. The platform's accessibility and
// automation libraries are looked up at the first request, so the DLL
// imports none of them and a host that never asks never loads them.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// Posted to the grid by an object's action (a toggle, a selection, a move
// of the current cell): the client, often another process, is answered at
// once, and the host's questions are asked from the grid's own messages.
constexpr UINT kAccessibleAction = WM_USER + 0x0A11;

// WM_GETOBJECT: true with `result` set for OBJID_CLIENT on a thread that
// serves COM in a single-threaded apartment, so every call on the objects
// arrives on the grid's thread; false leaves the message to DefWindowProc.
bool AnswerGetObject(const Grid& grid, WPARAM wParam, LPARAM objectId, LRESULT* result);
LRESULT OnAccessibleAction(const Grid& grid, WPARAM wParam, LPARAM lParam);
// WM_DESTROY: every object a client still holds answers CO_E_OBJNOTCONNECTED
// from now on, and goes away with the client's last release.
void DisconnectAccessible(GridState* state);

}  // namespace tabrix
