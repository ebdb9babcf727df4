#include "view/paint.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "grid/appearance.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/library.h"
#include "support/string_helpers.h"
#include "support/text_scan.h"
#include "support/wide_text.h"
#include "view/image_reuse.h"
#include "view/layout.h"
#include "view/looks.h"

namespace tabrix {
namespace {


COLORREF SystemUnless(int32_t colour, int systemIndex) {
    return colour == -1 ? GetSysColor(systemIndex) : static_cast<COLORREF>(colour);
}

// Solid fills without making a brush: an opaque empty text run.
void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    if (right <= left || bottom <= top) return;
    RECT area{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void FillWith(HDC dc, HBRUSH brush, int left, int top, int right, int bottom) {
    RECT area{left, top, right, bottom};
    FillRect(dc, &area, brush);
}

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
}

// The text a cell shows: trailing blanks dropped (counted, not copied, since
// a cell may hold 32,000 characters) and the deleted-row marker spelled out.
struct ShownText {
    const char* text;
    int length;
    bool deleted;
};

ShownText CellShownText(const GridArrays* a, int row, int col) {
    const char* text = CellText(a, row, col);
    if (!text) return {"", 0, false};
    const size_t len = TrimmedLength(text, strlen(text));
    if (IsDeletedMarker(text, len)) return {kDeletedText, static_cast<int>(sizeof kDeletedText - 1), true};
    return {text, static_cast<int>(len), false};
}

bool Meet(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where the text or check box of the cell at x, w may draw, in a row whose
// top line is `top`: down to two lines past the row's bottom line.
RECT CellInk(const GridState* s, int x, int w, int top) {
    const Metrics& m = s->metrics;
    const int h = RowPitch(s), checkTop = (h - m.checkSize) / 2, checkLeft = x + (w - m.checkSize) / 2 - 1;
    return RECT{std::min(x + m.textLeft, checkLeft), top + std::min(m.textTop, checkTop),
                std::max(x + w - m.textRight, checkLeft + m.checkSize), top + std::max(h + m.textTop, checkTop + m.checkSize)};
}

// The lines above the bottom edge that cut a selection's fill and the
// current cell's frame short: a frame cut there may even lie above its row.
constexpr int kEdgeCut = 4;

// Everything view row r's drawing may touch: its top line too (a selection
// fills the line above its band), its cells' ink, its header's marks, and
// the lines of the bottom edge where the edge cuts it.
RECT RowArea(const GridState* s, int r) {
    const int top = RowTop(s, r), B = s->clientRect.bottom;
    const RECT ink = CellInk(s, 0, 0, top);
    RECT area{0, std::min(top, static_cast<int>(ink.top)), s->clientRect.right,
              std::max(static_cast<int>(ink.bottom), top + s->metrics.markBottom)};
    if (top + RowPitch(s) >= B - kEdgeCut) area.top = std::min(static_cast<int>(area.top), B - kEdgeCut);
    return area;
}

// The areas a paint draws again, and the same as a clip region; the rest of
// the image stays.
struct StaleAreas {
    std::vector<RECT> areas;
    HRGN region = nullptr;
    bool Meets(const RECT& area) const {
        for (const RECT& a : areas) {
            if (Meet(a, area)) return true;
        }
        return false;
    }
};

// Everything one paint needs; pens and fonts it makes are released with it.
// It draws from the grid's records and the paint's layout and writes
// neither. Given a clip, it draws only the rows that reach into it.
class Painter {
public:
    Painter(const Grid& grid, const CellLayout& layout, const StaleAreas* stale = nullptr)
        : s_(grid.state), a_(grid.arrays), layout_(layout), dc_(grid.state->memDC), stale_(stale),
          m_(grid.state->metrics), look_(LookAt(grid.state->metrics.dpi)) {
        H_ = s_->headerHeight;
        h_ = RowPitch(s_);
        W_ = s_->clientRect.right;
        B_ = s_->clientRect.bottom;
        selBack_ = SystemUnless(s_->selBackColor, COLOR_HIGHLIGHT);
        selText_ = SystemUnless(s_->selTextColor, COLOR_HIGHLIGHTTEXT);
        frame_ = SystemUnless(s_->frameColor, COLOR_BTNTEXT);
        // System colours are read once a paint: each read can be a trip to
        // the window server, and a paint needs them for every cell.
        window_ = GetSysColor(COLOR_WINDOW);
        windowText_ = GetSysColor(COLOR_WINDOWTEXT);
        buttonFace_ = GetSysColor(COLOR_BTNFACE);
        buttonText_ = GetSysColor(COLOR_BTNTEXT);
        gridPen_ = CreatePen(PS_SOLID, 1, s_->gridLineColor);
        markPen_ = CreatePen(PS_SOLID, 1, buttonText_);
        columnFonts_.assign(static_cast<size_t>(s_->colCount) + 1, nullptr);
    }
    ~Painter() {
        SelectObject(dc_, s_->cellFont);
        for (HFONT font : columnFonts_) {
            if (font) DeleteObject(font);
        }
        DeleteObject(gridPen_);
        DeleteObject(markPen_);
        if (bitmapDC_) DeleteDC(bitmapDC_);
    }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    // Given stale areas, the same calls in the same order as a paint of
    // every row, clipped to those areas, less the calls that draw nothing
    // inside them: what lies outside them stays.
    void Paint() {
        if (stale_) SelectClipRgn(dc_, stale_->region);
        FillSolid(dc_, 0, H_, W_, B_, s_->backColor);
        for (int r = 1; r <= layout_.rows; ++r) {
            if (Stale(RowArea(s_, r))) {
                DrawRow(r, s_->vScroll.nPos + r - 1);
            } else if (r == 1) {
                VisitShownColumns(s_, W_, [&](int c, int col, int x, int w) { DrawColumnStrip(c, col, x, w); });
            }
        }
        if (s_->curCellPainted) DrawCurrentCellFrame();
        FillEmptyAreas();
        if (stale_) SelectClipRgn(dc_, nullptr);
    }

private:
    bool Stale(const RECT& area) const { return !stale_ || stale_->Meets(area); }

    void DrawRow(int r, int row) {
        const int rowTop = RowTop(s_, r);
        const int rowLine = RowLine(s_, r);
        VisitShownColumns(s_, W_, [&](int c, int col, int x, int w) {
            if (r == 1) DrawColumnStrip(c, col, x, w);
            if (c == 0) {
                DrawRowHeader(row, rowTop, rowLine, w);
            } else {
                DrawCell(row, col, x, w, rowTop, rowLine);
            }
        });
        const int w0 = ColumnWidth(s_, 0);
        Line(dc_, static_cast<HPEN>(GetStockObject(BLACK_PEN)), 0, rowLine, w0 - 1, rowLine);
        if (s_->showGridLines) Line(dc_, gridPen_, w0 - 1, rowLine, W_, rowLine);
    }

    // Column backgrounds and vertical lines run the full height, once a paint.
    void DrawColumnStrip(int c, int col, int x, int w) {
        if (!Stale(RECT{x - 1, H_, x + w, B_})) return;
        if (c == 0) {
            FillWith(dc_, GetSysColorBrush(COLOR_BTNFACE), 0, H_, w - 1, B_);
            return;
        }
        if (a_->colBackColor[col] > 0) FillSolid(dc_, x, H_, x + w, B_, static_cast<COLORREF>(a_->colBackColor[col]));
        if (c == 1) {
            Line(dc_, static_cast<HPEN>(GetStockObject(BLACK_PEN)), x - 1, H_, x - 1, B_);
        } else if (s_->showGridLines) {
            Line(dc_, gridPen_, x - 1, H_, x - 1, B_);
        }
    }

    void DrawRowHeader(int row, int rowTop, int rowLine, int w) {
        if (!Stale(RECT{0, rowTop + 1, w, std::max(rowLine, rowTop + m_.markBottom)})) return;
        HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
        HGDIOBJ old = SelectObject(dc_, white);
        MoveToEx(dc_, 0, rowLine - 1, nullptr);
        LineTo(dc_, 0, rowTop + 1);
        LineTo(dc_, w - 2, rowTop + 1);
        SelectObject(dc_, old);

        SetBkColor(dc_, buttonFace_);
        SetTextColor(dc_, buttonText_);
        if (row == s_->rowCount) {
            // The new-record row never shows the triangle, even when current.
            SelectFont(look_.markerFont);
            RECT mark{m_.starLeft, rowTop + m_.starTop, m_.starRight, rowTop + m_.markBottom};
            DrawTextA(dc_, "*", 1, &mark, DT_EDITCONTROL | DT_NOPREFIX);
        } else if (row == s_->curRow) {
            const int middle = (m_.triangleTop + m_.triangleBottom) / 2;
            POINT corners[3] = {{m_.triangleLeft, rowTop + m_.triangleTop},
                                {m_.triangleLeft, rowTop + m_.triangleBottom},
                                {m_.triangleTip, rowTop + middle}};
            HGDIOBJ oldPen = SelectObject(dc_, markPen_);
            HGDIOBJ oldBrush = SelectObject(dc_, GetSysColorBrush(COLOR_BTNTEXT));
            Polygon(dc_, corners, 3);
            SelectObject(dc_, oldBrush);
            SelectObject(dc_, oldPen);
        } else if (s_->showLineNumbers) {
            SelectFont(s_->cellFont);
            const char* number = NumberText(row);
            RECT area{m_.numberLeft, rowTop + m_.textTop, w - m_.numberRight, rowTop + m_.markBottom};
            DrawTextA(dc_, number, static_cast<int>(strlen(number)), &area, DT_EDITCONTROL | DT_NOPREFIX);
        }
    }

    void DrawCell(int row, int col, int x, int w, int rowTop, int rowLine) {
        const bool selected = row == s_->selectedRow;
        const RECT fill{x > 1 ? x : 1, rowTop, W_, rowLine < B_ - 2 ? rowLine : B_ - 2};
        if (selected && Stale(fill)) FillSolid(dc_, fill.left, fill.top, fill.right, fill.bottom, selBack_);
        if (row >= s_->rowCount || col >= s_->colCount) return;  // the new-record row and the filler show nothing
        if (!Stale(CellInk(s_, x, w, rowTop))) return;
        const ShownText shown = CellShownText(a_, row, col);
        RECT area{x + m_.textLeft, rowTop + m_.textTop, x + w - m_.textRight, rowTop + m_.textTop + h_};
        switch (a_->colType[col]) {
            case FieldCheck:
                DrawCheckBox(shown, x, w, rowTop);
                break;
            case FieldText:
            case FieldCombo:
                if (shown.length == 0) break;
                SetCellColours(col, selected);
                DrawCellText(col, shown, area);
                break;
        }
    }

    void SetCellColours(int col, bool selected) {
        if (selected) {
            SelectFont(s_->cellFont);
            SetBkColor(dc_, selBack_);
            SetTextColor(dc_, selText_);
            return;
        }
        SetBkColor(dc_, a_->colBackColor[col] > 0 ? static_cast<COLORREF>(a_->colBackColor[col]) : window_);
        SetTextColor(dc_, a_->colTextColor[col] > 0 ? static_cast<COLORREF>(a_->colTextColor[col]) : windowText_);
        SelectFont(ColumnFont(col));
    }

    // A single line goes straight to ExtTextOut: DrawText would measure it
    // first even where its alignment needs no width, and a full paint draws
    // hundreds of cells.
    // A UTF-8 grid's text goes through UTF-16 unless it is ASCII, which
    // both calls draw alike.
    void DrawCellText(int col, const ShownText& shown, RECT area) {
        const UINT format = TextFormat(col);
        const bool measured = !(format & DT_SINGLELINE) || (format & (DT_RIGHT | DT_CENTER));
        if (Utf8Grid(s_) && !Ascii(shown.text, shown.length)) {
            ToWide(shown.text, shown.length, CP_UTF8, &wide_);
            const int length = static_cast<int>(wide_.size());
            if (measured) {
                DrawTextW(dc_, wide_.c_str(), length, &area, format | DT_NOPREFIX);
            } else {
                ExtTextOutW(dc_, area.left, area.top, ETO_CLIPPED, &area, wide_.c_str(), static_cast<UINT>(length), nullptr);
            }
            return;
        }
        if (measured) {
            DrawTextA(dc_, shown.text, shown.length, &area, format | DT_NOPREFIX);
            return;
        }
        ExtTextOutA(dc_, area.left, area.top, ETO_CLIPPED, &area, shown.text, static_cast<UINT>(shown.length), nullptr);
    }

    static bool Ascii(const char* text, int length) {
        for (int i = 0; i < length; ++i) {
            if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
        }
        return true;
    }

    UINT TextFormat(int col) const {
        UINT format = a_->colMultiline[col] > 0 ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
        if (ColumnAlignment(a_, col) == 1) format |= DT_RIGHT;
        if (ColumnAlignment(a_, col) == 2) format |= DT_CENTER;
        return format;
    }

    // A column's own font, made once a paint and kept until the paint ends.
    HFONT ColumnFont(int col) {
        const char* face = s_->colFontFace[col];
        if (!face) return s_->cellFont;
        HFONT& font = columnFonts_[static_cast<size_t>(col)];
        if (!font) {
            font = GridFont(s_, face, s_->colFontSize[col], s_->colFontWeight[col], s_->colFontItalic[col],
                            s_->colFontUnderline[col]);
        }
        return font ? font : s_->cellFont;
    }

    void SelectFont(HFONT font) {
        if (font != selectedFont_) SelectObject(dc_, font);
        selectedFont_ = font;
    }

    void DrawCheckBox(const ShownText& shown, int x, int w, int rowTop) {
        HBITMAP image = nullptr;
        if (shown.length == 0 || (shown.length == 1 && shown.text[0] == '0')) {
            image = look_.uncheckedBitmap;
        } else if (shown.length == 1 && shown.text[0] == '1') {
            image = look_.checkedBitmap;
        } else if (shown.deleted) {
            image = look_.deletedCheckBitmap;
        }
        if (!image) return;
        if (!bitmapDC_) bitmapDC_ = CreateCompatibleDC(dc_);
        HGDIOBJ old = SelectObject(bitmapDC_, image);
        const int size = m_.checkSize;
        BitBlt(dc_, x + (w - size) / 2 - 1, rowTop + (h_ - size) / 2, size, size, bitmapDC_, 0, 0, SRCCOPY);
        SelectObject(bitmapDC_, old);
    }

    void DrawCurrentCellFrame() {
        const RECT& r = s_->curCellRect;
        HPEN pen = CreatePen(PS_SOLID, 1, frame_);
        HGDIOBJ old = SelectObject(dc_, pen);
        POINT path[5] = {{r.left, r.top + 1}, {r.right - 2, r.top + 1}, {r.right - 2, r.bottom - 1},
                         {r.left, r.bottom - 1}, {r.left, r.top + 1}};
        Polyline(dc_, path, 5);
        SelectObject(dc_, old);
        DeleteObject(pen);
    }

    // Right of the filler column's edge (when reached) and below the rows.
    void FillEmptyAreas() {
        HBRUSH workspace = GetSysColorBrush(COLOR_APPWORKSPACE);
        if (layout_.passedFiller) FillWith(dc_, workspace, layout_.fillerLeft, 0, W_, B_);
        FillWith(dc_, workspace, 0, s_->gridBottom, W_, B_);
    }

    const GridState* s_;
    const GridArrays* a_;
    const CellLayout& layout_;
    HDC dc_;
    const StaleAreas* stale_;
    const Metrics& m_;
    DpiLook look_;
    int H_, h_, W_, B_;
    COLORREF selBack_, selText_, frame_;
    COLORREF window_, windowText_, buttonFace_, buttonText_;
    HPEN gridPen_, markPen_;
    HDC bitmapDC_ = nullptr;
    HFONT selectedFont_ = nullptr;
    std::vector<HFONT> columnFonts_;
    std::wstring wide_;  // a UTF-8 cell's text for the platform, reused
};

// The areas a paint must draw again: the rows whose marks changed, the
// ink of cells whose texts changed, and after a move of the image, the
// first row (its column strips are drawn with it, over a selection's fill:
// a selected first row keeps lines other selected rows lose), the row that
// was first, and the lines near the bottom edge, which cuts a selection and
// the current cell's frame.
void FindStaleAreas(const GridState* s, const RepaintPlan& plan, StaleAreas* stale) {
    const int H = s->headerHeight, W = s->clientRect.right, B = s->clientRect.bottom;
    auto add = [&](RECT a) {
        a.top = std::max(static_cast<int>(a.top), H);
        a.bottom = std::min(static_cast<int>(a.bottom), B);
        if (a.top < a.bottom && a.left < a.right) stale->areas.push_back(a);
    };
    const std::vector<ColumnSpan>& columns = *plan.spans;
    for (int r = 1; r <= plan.slots; ++r) {
        if (plan.rowStale[r] || (plan.shift != 0 && (r == 1 || r == 1 - plan.shift))) {
            add(RowArea(s, r));
            continue;
        }
        for (size_t i = 0; i < columns.size(); ++i) {
            if (!plan.cellStale[static_cast<size_t>(r - 1) * columns.size() + i]) continue;
            add(CellInk(s, columns[i].x, columns[i].w, RowTop(s, r)));
        }
    }
    const int moved = plan.shift * RowPitch(s);
    if (plan.shift != 0) add(RECT{0, B - kEdgeCut - std::max(moved, 0), W, B});
}

}  // namespace

bool ScrollShownRows(const Grid& grid, int fromPos) {
    GridState* s = grid.state;
    const int shift = s->vScroll.nPos - fromPos;
    if (s->repaintPending || !s->memDC || s->screenPos != fromPos || s->image.firstRow != fromPos) return false;
    if (shift <= 0 || ReusableShift(grid) != shift) return false;
    RECT area{0, s->headerHeight, s->surfaceWidth, s->surfaceHeight};
    ScrollWindowEx(grid.hwnd, 0, -shift * RowPitch(s), &area, &area, nullptr, nullptr, SW_INVALIDATE);
    s->screenPos = s->vScroll.nPos;
    // The exposed rows are invalid now; the rest of the window must stay valid.
    s->repaintPending = 1;
    return true;
}

void DrawCells(const Grid& grid, const CellLayout& layout, const RepaintPlan& plan) {
    const GridState* s = grid.state;
    RECT cells{0, s->headerHeight, s->clientRect.right, s->clientRect.bottom};
    // The window's pixels show the image as it stood, moved when a line step
    // moved them (a second step before the paint leaves them elsewhere):
    // then only what is drawn again is sent. The paint's device context is
    // clipped to the update region, so that joins it first.
    const bool screenFollows = s->screenPos == s->vScroll.nPos;
    StaleAreas stale;
    if (!plan.whole) {
        if (plan.shift != 0) ScrollDC(s->memDC, 0, -plan.shift * RowPitch(s), &cells, &cells, nullptr, nullptr);
        FindStaleAreas(s, plan, &stale);
    }
    // Past a few dozen areas, clipping and culling cost more than they save.
    constexpr size_t kMostAreas = 32;
    if (plan.whole || stale.areas.size() > kMostAreas) {
        Painter(grid, layout).Paint();
        InvalidateRect(grid.hwnd, &cells, FALSE);
        return;
    }
    if (!screenFollows) InvalidateRect(grid.hwnd, &cells, FALSE);
    if (stale.areas.empty()) return;
    stale.region = CreateRectRgnIndirect(&stale.areas[0]);
    for (size_t i = 1; i < stale.areas.size(); ++i) {
        HRGN more = CreateRectRgnIndirect(&stale.areas[i]);
        CombineRgn(stale.region, stale.region, more, RGN_OR);
        DeleteObject(more);
    }
    Painter(grid, layout, &stale).Paint();
    if (screenFollows) InvalidateRgn(grid.hwnd, stale.region, FALSE);
    DeleteObject(stale.region);
}

HDC SendImage(const Grid& grid) {
    const GridState* s = grid.state;
    const int H = s->headerHeight;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(grid.hwnd, &ps);
    BitBlt(dc, 0, H, s->clientRect.right, s->clientRect.bottom - H, s->memDC, 0, H, SRCCOPY);
    EndPaint(grid.hwnd, &ps);
    return dc;
}

}  // namespace tabrix
