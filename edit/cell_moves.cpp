#include "edit/cell_moves.h"

#include "grid/columns.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

// The left edge, from `start`, of the current column with the view at hPos.
int CurrentColumnLeft(const GridState* s, int start) {
    int x = start;
    for (int i = s->hScroll.nPos; i < s->curCol; ++i) x += ColumnWidth(s, i);
    return x;
}

// Scrolls right just enough for the current column to end within `limit`.
void FitColumns(GridState* s, int start, int limit) {
    const int goal = CurrentColumnLeft(s, start) + ColumnWidth(s, s->curCol) - limit;
    int n = 0, sum = 0;
    // Bounded by the columns that exist: zero widths would never reach the goal.
    while (sum < goal && s->hScroll.nPos + n <= s->colCount) {
        sum += ColumnWidth(s, s->hScroll.nPos + n);
        ++n;
    }
    s->hScroll.nPos += n - 1;
}

// The position that ends the view with the last data column.
int RightmostPosition(const GridState* s, int clientWidth) {
    const int last = s->hScroll.nMax - 1;
    int n = 0, sum = 0;
    for (int k = last; k >= 1; --k) {
        sum += ColumnWidth(s, last - n);
        if (sum < clientWidth - ColumnWidth(s, 0)) ++n;
    }
    return s->hScroll.nMax - 1 - n;
}

bool OutsideVerticalView(const GridState* s) {
    return s->curRow < s->vScroll.nPos || AboveUnsigned(s->curRow, int64_t{s->vScroll.nPos} + Page(s->vScroll) - 1);
}

bool OutsideHorizontalView(const GridState* s) {
    return s->curCol < s->hScroll.nPos || AboveUnsigned(s->curCol, int64_t{s->hScroll.nPos} + Page(s->hScroll) - 1);
}

void ClearSelection(GridState* s) {
    if (s->selectedRow > 0) s->selectedRow = 0;
}

// Moves of the current row by the keyboard (the code matched the marker).
void KeyboardVerticalMove(GridState* s, int code) {
    SCROLLINFO& v = s->vScroll;
    const int page = Page(v);
    switch (code) {
        case SB_LINEDOWN:
        case SB_LINEUP:
            if (OutsideHorizontalView(s)) s->keepCellInView = 1;
            if (code == SB_LINEDOWN && s->curRow < s->rowCount) s->curRow += 1;
            if (code == SB_LINEUP && s->curRow > 1) s->curRow -= 1;
            if (s->curRow < v.nPos) v.nPos = s->curRow;
            if (AboveUnsigned(s->curRow, int64_t{v.nPos} + page - (code == SB_LINEDOWN ? 1 : 0))) {
                v.nPos = s->curRow - (page - 1);
            }
            break;
        case SB_PAGEDOWN: {
            s->keepCellInView = 1;
            const int64_t lastWhole = int64_t{v.nPos} + page - 1;
            if (s->curRow == lastWhole) {
                v.nPos = v.nPos + page - 1;
                s->curRow = v.nPos + page - 1;
            }
            if (s->curRow >= v.nPos && s->curRow < int64_t{v.nPos} + page - 1) s->curRow = v.nPos + page - 1;
            if (s->curRow < v.nPos || AboveUnsigned(s->curRow, int64_t{v.nPos} + page - 1)) {
                s->curRow += page - 1;
                v.nPos = s->curRow - page + 1;
            }
            if (s->curRow > v.nMax) s->curRow = v.nMax;
            break;
        }
        case SB_PAGEUP:
            s->keepCellInView = 1;
            if (s->curRow == v.nPos) {
                v.nPos = v.nPos - page + 1;
                s->curRow = v.nPos;
            }
            if (s->curRow > v.nPos && s->curRow < int64_t{v.nPos} + page) s->curRow = v.nPos;
            if (AboveUnsigned(s->curRow, int64_t{v.nPos} + page) || s->curRow < v.nPos) {
                s->curRow -= page - 1;
                v.nPos = s->curRow;
            }
            if (s->curRow < v.nMin) s->curRow = v.nMin;
            break;
    }
    // A grid lower than one row has a page of 0: the page moves above would
    // leave the rows.
    if (s->curRow > s->rowCount) s->curRow = s->rowCount;
    if (s->curRow < 1) s->curRow = 1;
}

void KeyboardRightMove(GridState* s, int clientWidth) {
    SCROLLINFO& h = s->hScroll;
    if (s->curCol < s->colCount - 1) s->curCol += 1;
    const int right = CurrentColumnLeft(s, ColumnWidth(s, 0)) + ColumnWidth(s, s->curCol);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1) || right > clientWidth - 2) {
        if (right > clientWidth - 2) {
            FitColumns(s, ColumnWidth(s, 0), clientWidth);
        } else {
            h.nPos += 1;
        }
    }
    if (s->curCol < h.nPos) h.nPos = s->curCol - 1;
}

void KeyboardLeftMove(GridState* s, int clientWidth) {
    SCROLLINFO& h = s->hScroll;
    if (s->curCol > 1) s->curCol -= 1;
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 2)) FitColumns(s, 0, clientWidth - 2);
    if (s->curCol < h.nPos + 1) h.nPos = s->curCol - 1;
}

// Left from the first column: the last column of the row above.
void WrapToRowAbove(GridState* s, int clientWidth) {
    s->curCol = s->hScroll.nMax - 1;
    s->hScroll.nPos = RightmostPosition(s, clientWidth);
    s->curRow -= 1;
    ClearSelection(s);
    if (s->curRow < s->vScroll.nPos) s->vScroll.nPos -= 1;
}

// Right from the last column: the first column of the row below.
void WrapToRowBelow(GridState* s) {
    SCROLLINFO& h = s->hScroll;
    SCROLLINFO& v = s->vScroll;
    h.nPos = h.nMin;
    s->curCol = h.nMin + 1;
    s->curRow += 1;
    ClearSelection(s);
    if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos += 1;
}

}  // namespace

bool MoveVertically(GridState* s, int code, bool keyboard, int trackPos) {
    SCROLLINFO& v = s->vScroll;
    ClearSelection(s);
    switch (code) {
        case SB_TOP:
            v.nPos = v.nMin;
            if (keyboard) s->curRow = v.nMin;
            return true;
        case SB_BOTTOM:
            v.nPos = v.nMax;
            if (keyboard) s->curRow = v.nMax;
            return true;
        case SB_LINEDOWN:
        case SB_LINEUP:
        case SB_PAGEDOWN:
        case SB_PAGEUP:
            if (keyboard) {
                KeyboardVerticalMove(s, code);
            } else {
                const int step = code == SB_LINEDOWN || code == SB_LINEUP ? 1 : Page(v) - 1;
                v.nPos += code == SB_LINEDOWN || code == SB_PAGEDOWN ? step : -step;
            }
            return true;
        case SB_THUMBTRACK:
            v.nPos = trackPos;
            return true;
    }
    return false;
}

bool MoveHorizontally(GridState* s, int code, bool keyboard, int clientWidth, int trackPos) {
    SCROLLINFO& h = s->hScroll;
    switch (code) {
        case SB_LEFT:
            h.nPos = h.nMin;
            if (keyboard) {
                if (OutsideVerticalView(s)) s->keepCellInView = 1;
                s->curCol = h.nMin + 1;
            }
            return true;
        case SB_RIGHT:
            s->curCol = h.nMax - 1;
            h.nPos = RightmostPosition(s, clientWidth);
            return true;
        case SB_LINELEFT:
            if (!keyboard) {
                h.nPos -= 1;
                return true;
            }
            if (OutsideVerticalView(s)) s->keepCellInView = 1;
            if (s->curCol < 2 && s->curRow > 1) {
                WrapToRowAbove(s, clientWidth);
            } else {
                KeyboardLeftMove(s, clientWidth);
            }
            return true;
        case SB_LINERIGHT:
            if (!keyboard) {
                h.nPos += 1;
                return true;
            }
            if (OutsideVerticalView(s)) s->keepCellInView = 1;
            if (s->curCol < s->colCount - 1 || s->curRow >= s->rowCount) {
                KeyboardRightMove(s, clientWidth);
            } else {
                WrapToRowBelow(s);
            }
            return true;
        case SB_PAGELEFT: {
            const int64_t back = int64_t{h.nPos} - Page(h) + 2;
            h.nPos = back < 0 || back > h.nPos - 1 ? h.nPos - 1 : static_cast<int>(back);
            return true;
        }
        case SB_PAGERIGHT: {
            const int64_t ahead = int64_t{h.nPos} + Page(h) - 2;
            h.nPos = ahead < 0 ? h.nMax : static_cast<int>(ahead > h.nPos + 1 ? ahead : h.nPos + 1);
            return true;
        }
        case SB_THUMBTRACK:
            h.nPos = trackPos;
            return true;
    }
    return false;
}

void KeepColumnInViewAfterVerticalMove(GridState* s, int clientWidth) {
    SCROLLINFO& h = s->hScroll;
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1)) FitColumns(s, 0, clientWidth - 2);
    const int right = CurrentColumnLeft(s, 0) + ColumnWidth(s, s->curCol);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 1) || right > clientWidth - 2) {
        if (right > clientWidth - 2) {
            FitColumns(s, 0, clientWidth - 2);
        } else {
            h.nPos += 1;
        }
    }
    if (s->curCol < h.nPos) h.nPos = s->curCol - 1;
}

void KeepRowInView(GridState* s) {
    SCROLLINFO& v = s->vScroll;
    if (s->curRow < v.nPos) v.nPos = s->curRow;
    if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos = s->curRow - (Page(v) - 1);
}

void ScrollClickedCellIntoView(GridState* s, int clientWidth) {
    SCROLLINFO& v = s->vScroll;
    SCROLLINFO& h = s->hScroll;
    if (AboveUnsigned(s->curRow, int64_t{v.nPos} + Page(v) - 1)) v.nPos = s->curRow - (Page(v) - 1);
    if (AboveUnsigned(s->curCol, int64_t{h.nPos} + Page(h) - 2)) {
        FitColumns(s, ColumnWidth(s, 0), clientWidth);
        if (h.nPos < 0) h.nPos = 0;
    }
}

}  // namespace tabrix
