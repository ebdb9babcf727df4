#include "grid/image_events.h"

namespace tabrix {
namespace {

// Messages whose handling changes the picture only through what the paint
// compares: cell texts, the current cell, the selection, the scroll
// positions, column widths, the row height. Anything else (the system's
// colours or settings, a size, and every message added later) makes the
// next paint draw every row.
bool LeftToComparison(UINT message) {
    switch (message) {
        case WM_PAINT:
        case WM_ERASEBKGND:
        case WM_NCPAINT:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_MOUSEMOVE:
        case WM_SETCURSOR:
        case WM_NCHITTEST:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:  // the scroll bars' own clicks
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_CAPTURECHANGED:
        case WM_GETOBJECT:  // assistive technology only reads
        case WM_CANCELMODE:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_COMMAND:
        case WM_NOTIFY:  // the header's: widths and drags
        case WM_CTLCOLOREDIT:
        case WM_GETDLGCODE:
            return true;
    }
    return false;
}

}  // namespace

void NoteImageEvent(GridState* s, UINT message) {
    if (message == kComparedExportCall) return;
    if (message == kExportCall || !LeftToComparison(message)) s->image.stale = 1;
}

void NoteEverythingChanged(GridState* s) { s->image.stale = 1; }

}  // namespace tabrix
