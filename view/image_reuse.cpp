#include "view/image_reuse.h"

#include <cstring>

#include "grid/library.h"

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
            return true;
    }
    return false;
}

}  // namespace

void NoteImageEvent(GridState* s, UINT message) {
    if (message == kExportCall || !KeepsImage(message)) s->imageStale = 1;
}

// Besides the first row, everything the image depends on; a vertical scroll
// handler that also moved the current cell or the columns changes the key.
ImageKey CurrentImageKey(const GridState* s) {
    return ImageKey{s->hScroll.nPos, s->curRow,   s->curCol,       s->selectedRow, s->rowCount,
                    s->colCount,     s->rowHeight, s->surfaceWidth, s->surfaceHeight, library.headerHeight};
}

void RememberImage(GridState* s, const ImageKey& drawn, int drawnPos) {
    s->image = drawn;
    s->imagePos = drawnPos;
    s->screenPos = drawnPos;
    s->imageStale = 0;
}

void NoteCellsChanged(GridState* s) { s->imageStale = 1; }

bool ImageUnchanged(const GridState* s) {
    const ImageKey now = CurrentImageKey(s);
    return !s->imageStale && s->vScroll.nPos == s->imagePos && memcmp(&now, &s->image, sizeof now) == 0;
}

int ReusableShift(const GridState* s, int /*width*/, int height) {
    const int H = library.headerHeight, h = s->rowHeight;
    const int shift = s->vScroll.nPos - s->imagePos;
    const ImageKey now = CurrentImageKey(s);
    if (s->imageStale || shift == 0 || h < 1 || memcmp(&now, &s->image, sizeof now) != 0) return 0;
    const int fullRows = (height - H) / h;
    // Only forward: moving back would push rows under the bottom edge, where
    // their frame and selection are cut differently.
    if (shift < 0 || shift >= fullRows - 1) return 0;
    return shift;
}

}  // namespace tabrix
