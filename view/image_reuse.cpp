#include "view/image_reuse.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/grid_access.h"

namespace tabrix {
namespace {

// A 64-bit print of a sequence of values: two different rows share a print
// about once in 2^64, where a missed row would keep its old pixels.
class Print {
public:
    void Add(uint64_t value) {
        value *= 0x87C37B91114253D5ull;
        value = Rotate(value, 31) * 0x4CF5AD432745937Full;
        hash_ = Rotate(hash_ ^ value, 27) * 5 + 0x52DCE729;
    }
    // The bytes up to the terminator, eight at a time, and their count.
    void AddText(const char* text) {
        const size_t length = strlen(text);
        size_t i = 0;
        for (; i + 8 <= length; i += 8) {
            uint64_t word;
            memcpy(&word, text + i, 8);
            Add(word);
        }
        uint64_t tail = 0;
        memcpy(&tail, text + i, length - i);
        Add(tail);
        Add(length);
    }
    uint64_t Value() const {
        uint64_t h = hash_ ^ (hash_ >> 33);
        h *= 0xFF51AFD7ED558CCDull;
        return h ^ (h >> 33);
    }

private:
    static uint64_t Rotate(uint64_t v, int bits) { return (v << bits) | (v >> (64 - bits)); }
    uint64_t hash_ = 0x243F6A8885A308D3ull;
};

// A slot below the last row shown: the workspace, whatever the rows hold.
constexpr uint64_t kNoRow = 0;
// A first row no view has: the window's pixels show no image of the grid's.
constexpr int32_t kScreenUnknown = INT32_MIN;

// Everything a paint draws alike in every row. The system colours are the
// painter's; a cell font the host replaced may come back with the old
// handle, which SetGridAttr notes as a change of its own.
uint64_t LookOf(const Grid& grid) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    Print p;
    for (int64_t v : {int64_t{s->hScroll.nPos}, int64_t{s->colCount}, int64_t{s->rowHeight}, int64_t{s->headerHeight},
                      int64_t{s->clientRect.right}, int64_t{s->clientRect.bottom}, int64_t{s->readOnly},
                      int64_t{s->showLineNumbers}, int64_t{s->showGridLines}, int64_t{s->backColor},
                      int64_t{s->gridLineColor}, int64_t{s->selTextColor}, int64_t{s->selBackColor},
                      int64_t{s->frameColor}, int64_t{s->textCodePage}}) {
        p.Add(static_cast<uint64_t>(v));
    }
    p.Add(reinterpret_cast<uintptr_t>(s->cellFont));
    for (int colour : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
                       COLOR_HIGHLIGHTTEXT, COLOR_APPWORKSPACE}) {
        p.Add(GetSysColor(colour));
    }
    for (int col = 0; col <= s->colCount && col < kColSlots; ++col) {
        p.Add(static_cast<uint32_t>(ColumnWidth(s, col)));
        if (!ValidColumn(a, col)) continue;
        for (int32_t v : {int32_t{a->colType[col]}, a->colBackColor[col], a->colTextColor[col],
                          int32_t{ColumnAlignment(a, col)}, a->colMultiline[col], s->colFontSize[col],
                          s->colFontWeight[col], s->colFontItalic[col], s->colFontUnderline[col]}) {
            p.Add(static_cast<uint32_t>(v));
        }
        if (s->colFontFace[col]) p.AddText(s->colFontFace[col]);
        p.Add(s->colFontFace[col] != nullptr);
    }
    return p.Value();
}

int SlotsOf(const GridState* s) {
    const int below = s->clientRect.bottom - s->headerHeight;
    return below > 0 ? (below + RowPitch(s) - 1) / RowPitch(s) : 0;
}

// Whether the image moved by `shift` rows keeps enough to be worth moving:
// a move by most of a page leaves too little.
bool KeepsEnough(const GridState* s, int shift) {
    const int fullRows = (s->clientRect.bottom - s->headerHeight) / RowPitch(s);
    return shift < fullRows - 1 && -shift < fullRows - 1;
}

// Prints of more cells than this are not kept: such a window draws every
// row at every change.
constexpr size_t kMostCellPrints = size_t{1} << 16;

}  // namespace

// The cells' prints of the kept image and of the paint being planned, slot
// by slot, each slot's shown columns left to right; where those columns lie
// in the paint being planned.
struct CellPrints {
    std::vector<uint64_t> kept, now;
    std::vector<ColumnSpan> spans;
};

void DescribeImage(const Grid& grid, const CellLayout& layout, KeptImage* now) {
    GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    now->look = LookOf(grid);
    Print edges;
    for (int v : {layout.visitedCols, int{layout.passedFiller}, layout.fillerLeft, layout.stopRight}) {
        edges.Add(static_cast<uint32_t>(v));
    }
    now->edges = edges.Value();
    now->firstRow = s->vScroll.nPos;
    now->stale = 0;
    now->slots = SlotsOf(s);
    now->columns = 0;
    if (!s->cellPrints) s->cellPrints = new (std::nothrow) CellPrints;
    if (now->slots > kImageSlots || !s->cellPrints) {
        now->slots = 0;  // every paint draws every row
        return;
    }
    // The data columns a row shows texts of.
    std::vector<ColumnSpan>& shown = s->cellPrints->spans;
    std::vector<uint64_t>& prints = s->cellPrints->now;
    try {
        shown.clear();
        VisitShownColumns(s, s->clientRect.right, [&](int c, int col, int x, int w) {
            if (c > 0 && col < s->colCount) shown.push_back(ColumnSpan{col, x, w});
        });
        now->columns = static_cast<int>(shown.size());
        const size_t cells = static_cast<size_t>(now->slots) * shown.size();
        if (cells > kMostCellPrints) {
            now->slots = 0;
            return;
        }
        prints.assign(cells, kNoRow);
    } catch (const std::bad_alloc&) {
        now->slots = 0;
        return;
    }
    for (int r = 1; r <= now->slots; ++r) {
        now->slotMarks[r] = kNoRow;
        if (r > layout.rows) continue;
        const int row = now->firstRow + r - 1;
        Print marks;
        marks.Add(static_cast<uint32_t>(row));
        marks.Add((row == s->rowCount ? 1 : 0) | (row == s->curRow ? 2 : 0) | (row == s->selectedRow ? 4 : 0));
        if (row == s->curRow) marks.Add(static_cast<uint32_t>(s->curCol));
        now->slotMarks[r] = marks.Value();
        for (size_t i = 0; i < shown.size() && row < s->rowCount; ++i) {
            const char* text = CellText(a, row, shown[i].col);
            Print p;
            p.AddText(text ? text : "");
            prints[static_cast<size_t>(r - 1) * shown.size() + i] = p.Value();
        }
    }
}

void PlanRepaint(const GridState* s, const KeptImage& now, RepaintPlan* plan) {
    const KeptImage& kept = s->image;
    const int shift = now.firstRow - kept.firstRow;
    plan->slots = now.slots;
    plan->columns = now.columns;
    plan->shift = shift;
    plan->whole = kept.stale || kept.slots == 0 || now.slots == 0 || now.slots != kept.slots ||
                  now.columns != kept.columns || now.look != kept.look || now.edges != kept.edges ||
                  !KeepsEnough(s, shift);
    if (plan->whole) {
        plan->shift = 0;
        return;
    }
    plan->spans = &s->cellPrints->spans;
    const size_t columns = static_cast<size_t>(now.columns);
    const std::vector<uint64_t>& was = s->cellPrints->kept;
    const std::vector<uint64_t>& is = s->cellPrints->now;
    plan->cellStale.assign(static_cast<size_t>(now.slots) * columns, false);
    for (int r = 1; r <= now.slots; ++r) {
        const int from = r + shift;
        plan->rowStale[r] = from < 1 || from > kept.slots || kept.slotMarks[from] != now.slotMarks[r];
        if (plan->rowStale[r]) continue;
        for (size_t i = 0; i < columns; ++i) {
            const size_t at = static_cast<size_t>(r - 1) * columns + i;
            plan->cellStale[at] = was[static_cast<size_t>(from - 1) * columns + i] != is[at];
        }
    }
}

void RememberImage(GridState* s, const KeptImage& now) {
    s->image = now;
    if (s->cellPrints) s->cellPrints->kept.swap(s->cellPrints->now);
    s->screenPos = now.firstRow;
}

void ForgetImage(GridState* s) {
    delete s->cellPrints;
    s->cellPrints = nullptr;
    s->image.slots = 0;
}

void ResendImage(const Grid& grid) {
    grid.state->screenPos = kScreenUnknown;
    InvalidateCells(grid);
}

int ReusableShift(const Grid& grid) {
    const GridState* s = grid.state;
    const KeptImage& kept = s->image;
    const int shift = s->vScroll.nPos - kept.firstRow;
    if (kept.stale || kept.slots == 0 || shift == 0 || !KeepsEnough(s, shift)) return 0;
    return LookOf(grid) == kept.look ? shift : 0;
}

}  // namespace tabrix
