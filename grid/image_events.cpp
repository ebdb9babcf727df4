#include "grid/image_events.h"

namespace tabrix {
namespace {

// Messages after which the image still shows what the cells hold, only
// perhaps from another first row. Anything else (and every message or
// export added later) makes the next paint draw every row.
bool KeepsImage(UINT message) {
    switch (message) {
        case WM_PAINT:
        case WM_ERASEBKGND:
        case WM_NCPAINT:
        case WM_VSCROLL:
        case WM_MOUSEMOVE:
        case WM_SETCURSOR:
        case WM_NCHITTEST:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:  // the scroll bars' own clicks
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_CAPTURECHANGED:
        case WM_GETOBJECT:  // assistive technology only reads
            return true;
    }
    return false;
}

}  // namespace

void NoteImageEvent(GridState* s, UINT message) {
    if (message == kExportCall || !KeepsImage(message)) s->imageStale = 1;
}

void NoteCellsChanged(GridState* s) { s->imageStale = 1; }

}  // namespace tabrix
