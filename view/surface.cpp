#include "view/surface.h"

#include "grid/image_events.h"
#include "grid/library.h"
#include "view/image_reuse.h"

namespace tabrix {

void LayOutHeader(const Grid& grid) {
    GridState* s = grid.state;
    GetClientRect(grid.hwnd, &s->clientRect);
    s->headerLayout.prc = &s->clientRect;
    s->headerLayout.pwpos = &s->headerPos;
    SendMessageA(s->hwndHeader, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&s->headerLayout));
    s->headerHeight = s->headerPos.cy;
    MoveWindow(s->hwndHeader, 0, -1, s->headerPos.cx, s->headerHeight + 1, TRUE);
}

void ReleaseSurface(GridState* s) {
    ForgetImage(s);
    if (s->memDC) DeleteDC(s->memDC);
    if (s->memBitmap) DeleteObject(s->memBitmap);
    s->memDC = nullptr;
    s->memBitmap = nullptr;
    s->surfaceWidth = s->surfaceHeight = 0;
}

void RebuildSurface(const Grid& grid, int width, int height) {
    GridState* s = grid.state;
    ReleaseSurface(s);
    s->windowDC = GetDC(grid.hwnd);  // the class owns its DC: never released
    s->memDC = CreateCompatibleDC(s->windowDC);
    s->memBitmap = CreateCompatibleBitmap(s->windowDC, width, height);
    SelectObject(s->memDC, s->memBitmap);
    SelectObject(s->memDC, s->cellFont);
    PatBlt(s->memDC, 0, 0, width, height, WHITENESS);
    NoteEverythingChanged(s);
    s->surfaceWidth = width;
    s->surfaceHeight = height;
}

}  // namespace tabrix
