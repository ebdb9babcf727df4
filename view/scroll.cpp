#include "view/scroll.h"

#include "grid/columns.h"
#include "view/surface.h"

namespace tabrix {

void ClampScrollPosition(SCROLLINFO& bar) {
    const int64_t upper = int64_t{bar.nMax} - Page(bar) + 1;
    if (Page(bar) <= bar.nMax + 1 && bar.nPos > upper) bar.nPos = static_cast<int>(upper);
    if (bar.nPos < bar.nMin) bar.nPos = bar.nMin;
}

void ApplyVerticalPage(const Grid& grid, int clientHeight) {
    GridState* s = grid.state;
    // A row height below 1 must not divide.
    s->visibleRows = (clientHeight - s->headerHeight) / (s->rowHeight > 0 ? s->rowHeight : 1);
    s->vScroll.nPage = static_cast<UINT>(s->visibleRows > 0 ? s->visibleRows : 0);
    ClampScrollPosition(s->vScroll);
    ApplyScrollBar(grid, SB_VERT);
}

namespace {

// The platform redraws the whole bar for any new position, though a line
// step over a large table seldom moves the thumb by a pixel, and that
// redraw costs more than the rest of the step. The position is set without
// redrawing; only a thumb that moved has its old position put back and the
// new one set with the redraw.
bool ThumbStayed(HWND hwnd, int bar, const SCROLLINFO& sent) {
    const LONG object = bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL;
    SCROLLBARINFO before{sizeof before, {}, 0, 0, 0, 0, {}};
    SCROLLINFO old{sizeof old, SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollBarInfo(hwnd, object, &before) || !GetScrollInfo(hwnd, bar, &old)) return false;
    SetScrollInfo(hwnd, bar, &sent, FALSE);
    SCROLLBARINFO after{sizeof after, {}, 0, 0, 0, 0, {}};
    if (GetScrollBarInfo(hwnd, object, &after) && after.xyThumbTop == before.xyThumbTop &&
        after.xyThumbBottom == before.xyThumbBottom) {
        return true;
    }
    SetScrollInfo(hwnd, bar, &old, FALSE);
    return false;
}

}  // namespace

void ApplyScrollBar(const Grid& grid, int bar) {
    GridState* s = grid.state;
    const SCROLLINFO& wanted = bar == SB_VERT ? s->vScroll : s->hScroll;
    SCROLLINFO& applied = bar == SB_VERT ? s->appliedVScroll : s->appliedHScroll;
    const bool sameShape = applied.cbSize && applied.nMin == wanted.nMin && applied.nMax == wanted.nMax &&
                           applied.nPage == wanted.nPage && applied.fMask == wanted.fMask;
    if (sameShape && applied.nPos == wanted.nPos) return;
    SCROLLINFO sent = wanted;
    sent.cbSize = sizeof sent;
    // A bar that only moves its thumb is sent the position alone: the
    // platform then redraws the thumb, not the whole bar.
    if (sameShape) sent.fMask = SIF_POS | (wanted.fMask & SIF_DISABLENOSCROLL);
    applied = wanted;
    if (sameShape && ThumbStayed(grid.hwnd, bar, sent)) return;
    if (!s->barsDrawnLater) {
        SetScrollInfo(grid.hwnd, bar, &sent, TRUE);
        return;
    }
    // The bar's own area is marked for the next paint cycle to draw.
    SetScrollInfo(grid.hwnd, bar, &sent, FALSE);
    SCROLLBARINFO info{sizeof info, {}, 0, 0, 0, 0, {}};
    if (!GetScrollBarInfo(grid.hwnd, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return;
    MapWindowPoints(nullptr, grid.hwnd, reinterpret_cast<POINT*>(&info.rcScrollBar), 2);
    RedrawWindow(grid.hwnd, &info.rcScrollBar, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

LRESULT OnSize(const Grid& grid) {
    GridState* s = grid.state;
    if (!HasCells(s)) return 0;
    GetClientRect(grid.hwnd, &s->clientRect);
    const int width = s->clientRect.right, height = s->clientRect.bottom;
    const int lastWidth = ColumnWidth(s, s->colCount - 1);
    ApplyVerticalPage(grid, height);
    // The last data column's width stands for all; a zero width must not divide.
    s->visibleCols = width / (lastWidth > 0 ? lastWidth : 1) + 1;
    s->hScroll.nPage = static_cast<UINT>(s->visibleCols);
    ClampScrollPosition(s->hScroll);
    ApplyScrollBar(grid, SB_HORZ);

    LayOutHeader(grid);
    RebuildSurface(grid, width, height);
    s->repaintPending = 1;
    RedrawWindow(grid.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | (s->barsDrawnLater ? 0 : RDW_UPDATENOW));
    return 0;
}

}  // namespace tabrix
