#include "view/header.h"

#include <cstring>

#include "grid/columns.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "view/image_reuse.h"
#include "view/looks.h"
#include "view/scroll.h"

namespace tabrix {
namespace {


void EraseRowTrackLine(const Grid& grid) {
    GridState* s = grid.state;
    if (s->rowTrackY) DrawTrackLine(grid.hwnd, s->rowTrackY, s->metrics.trackLength, false);
    s->rowTrackY = 0;
}

// Releases the confinement and the capture, and forgets the drag.
void StopRowDrag(const Grid& grid) {
    GridState* s = grid.state;
    s->rowResizing = 0;
    ClipCursor(nullptr);
    if (GetCapture() == grid.hwnd) ReleaseCapture();
}

LRESULT CALLBACK HeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
    Grid grid = GridFromWindow(GetParent(header));
    if (!grid.state) return DefWindowProcA(header, message, wParam, lParam);
    GridState* s = grid.state;
    WNDPROC previous = s->headerPrevProc;
    if (message == WM_MOUSEMOVE && s->headerTracking && wParam == MK_LBUTTON) {
        if (s->headerTrackX) DrawTrackLine(grid.hwnd, s->headerTrackX, s->metrics.trackLength, true);
        s->headerTrackX = static_cast<short>(LOWORD(lParam));
        DrawTrackLine(grid.hwnd, s->headerTrackX, s->metrics.trackLength, true);
    } else if (message == WM_LBUTTONUP) {
        // The last track line stays drawn: the whole image goes over it.
        if (s->headerTracking) ResendImage(grid);
        s->headerTrackX = 0;
        s->headerTracking = 0;
    }
    return CallWindowProcA(previous, header, message, wParam, lParam);
}

void EndColumnTrack(const Grid& grid, NMHEADERA* notice) {
    GridState* s = grid.state;
    s->editorLastX = -100;
    GetClientRect(grid.hwnd, &s->clientRect);
    if (notice->pitem && (notice->pitem->mask & HDI_WIDTH)) {
        int width = notice->pitem->cxy;
        const Metrics& m = s->metrics;
        if (width < m.minColumnWidth) width = m.minColumnWidth;
        if (width > s->clientRect.right - m.columnWidthMargin) width = s->clientRect.right - m.columnWidthMargin;
        // A column narrower than a pixel would hide every column after it for good.
        if (width < 1) width = 1;
        notice->pitem->cxy = width;
        const int col = notice->iItem == 0 ? 0 : notice->iItem + s->hScroll.nPos;
        // Items beyond the last data column show no column: nothing to resize.
        if (notice->iItem >= 0 && col < s->colCount && col < kColSlots) s->colWidth[col] = width;
        // Not every header takes a width written back into the notification:
        // the next paint relabels the items from the stored widths.
        s->headerDirty = 1;
    }
    s->clientRect.top = s->headerHeight;
    SendMessageA(s->hwndHeader, WM_SETREDRAW, TRUE, 0);
    RequestRepaint(grid);
}

}  // namespace

void RelabelHeader(const Grid& grid) {
    GridState* s = grid.state;
    if (s->hScroll.nPos == s->lastHeaderScroll && !s->headerDirty) return;
    s->lastHeaderScroll = s->hScroll.nPos;
    s->headerDirty = 0;
    for (int i = 1; i <= s->colCount; ++i) {
        const int col = i + s->hScroll.nPos;
        if (col < s->colCount && col < kColSlots) {
            SendHeaderItem(grid, HDM_SETITEMA, i, ColumnWidth(s, col), s->colLabel[col], ColumnAlignment(grid.arrays, col));
        } else {
            SendHeaderItem(grid, HDM_SETITEMA, i, s->metrics.blankItemWidth, "  ", 0);
        }
    }
}

void DrawTrackLine(HWND window, int position, int length, bool vertical) {
    static const WORD kSolid[8] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    HDC dc = GetDC(window);
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kSolid);
    HBRUSH brush = CreatePatternBrush(pattern);
    HGDIOBJ old = SelectObject(dc, brush);
    if (vertical) {
        PatBlt(dc, position, 0, 1, length, PATINVERT);
    } else {
        PatBlt(dc, 0, position, length, 1, PATINVERT);
    }
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteObject(pattern);
    ReleaseDC(window, dc);
}

void SubclassHeader(const Grid& grid) {
    GridState* s = grid.state;
    s->headerPrevProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(s->hwndHeader, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HeaderProc)));
}

bool OnHeaderNotify(const Grid& grid, const NMHDR* header, LRESULT* result) {
    if (header->idFrom != static_cast<UINT_PTR>(kHeaderId) || !HasCells(grid.state)) return false;
    switch (header->code) {
        case HDN_BEGINTRACKA:
        case HDN_BEGINTRACKW:
            SendMessageA(grid.state->hwndHeader, WM_SETREDRAW, FALSE, 0);
            grid.state->headerTracking = 1;
            return false;  // the default answer allows the drag
        case HDN_ENDTRACKA:
        case HDN_ENDTRACKW:
            // Both forms carry the width in the same place.
            EndColumnTrack(grid, reinterpret_cast<NMHEADERA*>(const_cast<NMHDR*>(header)));
            *result = 0;
            return true;
    }
    return false;
}

void HitTestRowBorder(GridState* s) {
    if (s->mouseX > ColumnWidth(s, 0)) {
        s->mouseInRowArea = 0;
        s->mouseOnRowBorder = 0;
        return;
    }
    s->mouseOnRowBorder = 0;
    for (int r = 1; r <= s->rowsPainted; ++r) {
        const int border = s->headerHeight + r * s->rowHeight;
        const int band = s->metrics.borderBand;
        if (s->mouseY >= border - band && s->mouseY <= border + band) {
            SetCursor(LookAt(s->metrics.dpi).resizeCursor);
            s->mouseOnRowBorder = 1;
            break;
        }
    }
    s->mouseInRowArea = 1;
}

LRESULT OnMouseMove(const Grid& grid, WPARAM wParam, LPARAM lParam) {
    GridState* s = grid.state;
    if (HasCells(s)) {
        StoreMousePosition(s, lParam);
        HitTestRowBorder(s);
        if (s->rowResizing) {
            SetCursor(LookAt(s->metrics.dpi).resizeCursor);
            EraseRowTrackLine(grid);
            s->rowTrackY = s->mouseY;
            DrawTrackLine(grid.hwnd, s->rowTrackY, s->metrics.trackLength, false);
        }
        // On a border (or dragging) the resize cursor stays; elsewhere the
        // default procedure restores the class cursor.
        if (s->mouseOnRowBorder || s->rowResizing) return 0;
    }
    return DefWindowProcA(grid.hwnd, WM_MOUSEMOVE, wParam, lParam);
}

bool BeginRowDrag(const Grid& grid) {
    GridState* s = grid.state;
    // Judged at the press itself: the last mouse move may have been long
    // ago (the mouse left the grid), and a press the grid sends itself
    // lands at the top-left corner.
    HitTestRowBorder(s);
    if (!s->mouseInRowArea || !s->mouseOnRowBorder) return false;
    s->rowResizing = 1;
    SetCursor(LookAt(s->metrics.dpi).resizeCursor);
    // Captured, so the release is seen even over a child window.
    SetCapture(grid.hwnd);
    RECT confine;
    GetClientRect(grid.hwnd, &confine);
    confine.top = s->headerHeight;
    confine.bottom -= 1;
    MapWindowPoints(grid.hwnd, nullptr, reinterpret_cast<POINT*>(&confine), 2);
    ClipCursor(&confine);
    s->rowResizeStartY = s->mouseY;
    RequestRepaint(grid);
    return true;
}

void FinishRowDrag(const Grid& grid) {
    GridState* s = grid.state;
    StopRowDrag(grid);
    const int height = s->rowHeight + s->mouseY - s->rowResizeStartY;
    s->rowHeight = height > s->minRowHeight ? height : s->minRowHeight;
    EraseRowTrackLine(grid);
    ResendImage(grid);
    RECT client;
    GetClientRect(grid.hwnd, &client);
    ApplyVerticalPage(grid, client.bottom);
    RequestRepaint(grid);
}

void CancelRowDrag(const Grid& grid) {
    if (!grid.state->rowResizing) return;
    StopRowDrag(grid);
    EraseRowTrackLine(grid);
    ResendImage(grid);
}

}  // namespace tabrix
