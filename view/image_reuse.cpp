#include "view/image_reuse.h"

#include <cstring>

namespace tabrix {

// Besides the first row, everything the image depends on; a vertical scroll
// handler that also moved the current cell or the columns changes the key.
ImageKey CurrentImageKey(const GridState* s) {
    return ImageKey{s->hScroll.nPos, s->curRow,   s->curCol,       s->selectedRow,   s->rowCount,
                    s->colCount,     s->rowHeight, s->surfaceWidth, s->surfaceHeight, s->headerHeight};
}

void RememberImage(GridState* s, const ImageKey& drawn, int drawnPos) {
    s->image = drawn;
    s->imagePos = drawnPos;
    s->screenPos = drawnPos;
    s->imageStale = 0;
}

bool ImageUnchanged(const GridState* s) {
    const ImageKey now = CurrentImageKey(s);
    return !s->imageStale && s->vScroll.nPos == s->imagePos && memcmp(&now, &s->image, sizeof now) == 0;
}

int ReusableShift(const GridState* s, int /*width*/, int height) {
    const int H = s->headerHeight, h = s->rowHeight;
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
