#include "view/looks.h"

#include "grid/appearance.h"
#include "grid/metrics.h"

namespace tabrix {
namespace {

// The tick of the 13-pixel box (tools/make_resources.py) as an outline in
// half pixels: a V three pixels tall in every column from 3 to 9.
constexpr POINT kTick[] = {{6, 9}, {11, 14}, {20, 5}, {20, 11}, {11, 20}, {6, 15}};

// A check box drawn at `size` pixels rather than the 13-pixel one stretched,
// whose frame and tick would blur or turn to steps: the frame as thick as a
// 96-DPI pixel is at `dpi`, the tick's outline scaled with the box.
HBITMAP DrawCheckImage(int size, int dpi, COLORREF frame, COLORREF face, bool ticked, COLORREF tick) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = image ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) return image;
    HGDIOBJ oldImage = SelectObject(dc, image);
    const int edge = Scaled(1, dpi);
    RECT all{0, 0, size, size}, inside{edge, edge, size - edge, size - edge};
    HBRUSH frameBrush = CreateSolidBrush(frame), faceBrush = CreateSolidBrush(face);
    FillRect(dc, &all, frameBrush);
    FillRect(dc, &inside, faceBrush);
    if (ticked) {
        POINT corners[sizeof kTick / sizeof kTick[0]];
        for (size_t i = 0; i < sizeof kTick / sizeof kTick[0]; ++i) {
            corners[i] = POINT{(kTick[i].x * size + 13) / 26, (kTick[i].y * size + 13) / 26};
        }
        HBRUSH tickBrush = CreateSolidBrush(tick);
        HGDIOBJ oldBrush = SelectObject(dc, tickBrush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Polygon(dc, corners, static_cast<int>(sizeof corners / sizeof corners[0]));
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(tickBrush);
    }
    DeleteObject(frameBrush);
    DeleteObject(faceBrush);
    SelectObject(dc, oldImage);
    DeleteDC(dc);
    return image;
}

DpiLook MakeLook(int dpi) {
    const Metrics m = MetricsAt(dpi);
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128),
                   silver = RGB(192, 192, 192);
    DpiLook look{};
    look.dpi = dpi;
    look.markerFont = MakeFontAtDpi("MS Sans Serif", 16, 400, dpi);
    const int cursorSize = Scaled(32, dpi);
    look.resizeCursor = static_cast<HCURSOR>(
        LoadImageA(library.instanceHandle, "rsCURSOR", IMAGE_CURSOR, cursorSize, cursorSize, 0));
    look.checkedBitmap = DrawCheckImage(m.checkSize, dpi, black, white, true, black);
    look.uncheckedBitmap = DrawCheckImage(m.checkSize, dpi, black, white, false, black);
    look.deletedCheckBitmap = DrawCheckImage(m.checkSize, dpi, grey, silver, true, grey);
    return look;
}

void ReleaseLook(DpiLook& look) {
    DeleteOwned(look.markerFont);
    if (look.resizeCursor) DestroyCursor(look.resizeCursor);
    DeleteOwned(look.checkedBitmap);
    DeleteOwned(look.uncheckedBitmap);
    DeleteOwned(look.deletedCheckBitmap);
    look = DpiLook{};
}

}  // namespace

DpiLook LookAt(int dpi) {
    const DpiLook& own = library.ownLook;
    if (dpi == kDefaultDpi || dpi <= 0) return own;
    for (DpiLook& look : library.looks) {
        if (look.dpi == dpi) return look;
        if (look.dpi == 0) {
            look = MakeLook(dpi);
            if (look.markerFont && look.resizeCursor && look.checkedBitmap && look.uncheckedBitmap &&
                look.deletedCheckBitmap) {
                return look;
            }
            // Out of handles: the grid draws as at 96 DPI rather than without marks.
            ReleaseLook(look);
            return own;
        }
    }
    return own;
}

void ReleaseLooks() {
    for (DpiLook& look : library.looks) ReleaseLook(look);
}

}  // namespace tabrix
