#include "grid/appearance.h"

#include "grid/image_events.h"
#include "grid/library.h"
#include "support/answers.h"

namespace tabrix {
namespace {
// Replaces a font the grid owns, telling `control` first so it never holds
// a deleted font. A host handing back the grid's own font keeps it alive.
void ReplaceFont(HFONT& owned, HFONT replacement, HWND control) {
    HFONT old = owned;
    owned = replacement;
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(replacement), TRUE);
    if (old && old != replacement) DeleteObject(old);
}

int32_t OrDefault(int32_t value, int32_t fallback) { return value ? value : fallback; }
}  // namespace

namespace {
// At `dpi`, or at the screen's resolution when it is 0.
HFONT MakeFontOfCharset(const char* face, int points, int weight, int italic, int underline, int strikeout,
                        BYTE charset, int dpi) {
    if (dpi <= 0) {
        HDC screen = GetDC(nullptr);
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    int height = -MulDiv(points, dpi, 72);
    return CreateFontA(height, 0, 0, 0, weight, italic, underline, strikeout, charset, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HFONT DefaultFont(const GridState* s, int weight) { return GridFont(s, "MS Sans Serif", 8, weight, 0, 0); }
}  // namespace

HFONT MakeFont(const char* face, int points, int weight, int italic, int underline, int strikeout) {
    return MakeFontOfCharset(face, points, weight, italic, underline, strikeout, ANSI_CHARSET, 0);
}

HFONT MakeFontAtDpi(const char* face, int points, int weight, int dpi) {
    return MakeFontOfCharset(face, points, weight, 0, 0, 0, ANSI_CHARSET, dpi);
}

HFONT GridFont(const GridState* s, const char* face, int points, int weight, int italic, int underline) {
    // A UTF-8 grid shows any script: the platform may then take the glyphs
    // a face lacks from another font.
    // At the grid's own resolution, which a per-monitor host's window may
    // have apart from the screen's.
    return MakeFontOfCharset(face, points, weight, italic, underline, 0, Utf8Grid(s) ? DEFAULT_CHARSET : ANSI_CHARSET,
                             s->metrics.dpi);
}

void RemakeOwnFonts(const Grid& grid) {
    GridState* s = grid.state;
    NoteEverythingChanged(s);
    if (s->ownCellFont) {
        HFONT cellFont = DefaultFont(s, 400);
        if (s->memDC) SelectObject(s->memDC, cellFont);
        ReplaceFont(s->cellFont, cellFont, s->hwndCombo);
    }
    if (s->ownHeaderFont) ReplaceFont(s->headerFont, DefaultFont(s, 700), s->hwndHeader);
}

int SetGridAttr(const Grid& grid, const GridAttr& attr) {
    GridState* s = grid.state;
    NoteEverythingChanged(s);
    HFONT cellFont = attr.cellFont ? attr.cellFont : DefaultFont(s, 400);
    s->ownCellFont = !attr.cellFont;
    // The off-screen context holds the cell font between paints; a font
    // still selected somewhere cannot be deleted.
    if (s->memDC) SelectObject(s->memDC, cellFont);
    ReplaceFont(s->cellFont, cellFont, s->hwndCombo);
    HFONT headerFont = attr.headerFont ? attr.headerFont : DefaultFont(s, 700);
    s->ownHeaderFont = !attr.headerFont;
    ReplaceFont(s->headerFont, headerFont, s->hwndHeader);

    s->showGridLines = attr.showGridLines;
    s->backColor = attr.backColor ? static_cast<COLORREF>(attr.backColor) : GetSysColor(COLOR_WINDOW);
    s->gridLineColor = static_cast<COLORREF>(OrDefault(attr.gridLineColor, 0xC0C0C0));
    s->selTextColor = OrDefault(attr.selTextColor, -1);
    s->selBackColor = OrDefault(attr.selBackColor, -1);
    s->frameColor = OrDefault(attr.frameColor, -1);
    s->showLineNumbers = attr.showLineNumbers;
    return kDone;
}

void SetRowHeight(const Grid& grid, int height) {
    grid.state->rowHeight = height > grid.state->minRowHeight ? height : grid.state->minRowHeight;
}

bool OnCtlColorEdit(const Grid& grid, HDC dc, HWND control, LRESULT* brush) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    const int col = s->curCol;
    if (!control || control != s->hwndEdit || !ValidColumn(a, col) || !a->colBackColor) return false;
    const int32_t back = a->colBackColor[col];
    const int32_t text = a->colTextColor[col];
    if (back <= 0 && text <= 0) return false;

    const COLORREF fill = back > 0 ? static_cast<COLORREF>(back) : GetSysColor(COLOR_WINDOW);
    DeleteOwned(library.sharedBrush);
    library.sharedBrush = CreateSolidBrush(fill);
    if (text > 0) SetTextColor(dc, static_cast<COLORREF>(text));
    SetBkColor(dc, fill);
    *brush = reinterpret_cast<LRESULT>(library.sharedBrush);
    return true;
}

}  // namespace tabrix
