#include "view/layout.h"

#include "view/scroll.h"

namespace tabrix {
namespace {

// Rows from the first visible one that start above the bottom edge, up to
// lastRowToPaint; the last may be cut by the edge.
int ShownRows(const GridState* s, int height) {
    const int H = s->headerHeight, h = RowPitch(s);
    int rows = 0;
    for (int accumulated = 0; accumulated < height - H; accumulated += h) {
        if (s->vScroll.nPos + rows > s->lastRowToPaint) break;
        ++rows;
    }
    return rows;
}

}  // namespace

CellLayout LayOutCells(GridState* s) {
    const int W = s->clientRect.right, B = s->clientRect.bottom;
    s->curCellPainted = s->curColShown = s->curRowShown = s->selectedRowPainted = 0;
    s->lastRowToPaint = s->readOnly ? s->rowCount - 1 : s->rowCount;

    CellLayout layout{ShownRows(s, B), 0, false, 0, 0};
    s->rowsPainted = layout.rows;
    s->gridBottom = s->headerHeight + layout.rows * RowPitch(s) - 1;
    if (layout.rows == 0) {
        s->gridRight = 0;
        return layout;
    }
    int curLeft = 0, curWidth = 0, lastLeft = 0, lastWidth = 0;
    bool curColVisited = false, dataColVisited = false;
    VisitShownColumns(s, W, [&](int c, int col, int x, int w) {
        ++layout.visitedCols;
        if (c > 0) dataColVisited = true;
        if (c > 0 && col == s->curCol) {
            curColVisited = true;
            curLeft = x;
            curWidth = w;
        }
        if (col == s->colCount) {
            layout.passedFiller = true;
            layout.fillerLeft = x;
        }
        lastLeft = x;
        lastWidth = w;
    });
    layout.stopRight = lastLeft + lastWidth;

    s->gridRight = layout.passedFiller ? layout.fillerLeft : layout.stopRight;

    const int firstRow = s->vScroll.nPos;
    if (curColVisited && curLeft + curWidth < W - 2) s->curColShown = 1;
    const int r = s->curRow - firstRow + 1;
    if (r >= 1 && r <= layout.rows) {
        s->curRowShown = 1;
        if (curColVisited) {
            const int rowTop = RowTop(s, r), rowLine = RowLine(s, r);
            const int right = curLeft + curWidth < W - 2 ? curLeft + curWidth : W - 2;
            s->curCellRect = RECT{curLeft > 1 ? curLeft : 1, rowTop, right, rowLine < B - 2 ? rowLine : B - 2};
            s->curCellPainted = 1;
        }
    }
    const int selected = s->selectedRow - firstRow + 1;
    if (dataColVisited && selected >= 1 && selected <= layout.rows) s->selectedRowPainted = 1;
    return layout;
}

bool CellArea(const GridState* s, const RECT& client, int row, int col, RECT* area) {
    *area = RECT{0, 0, 0, 0};
    const int W = client.right, B = client.bottom;
    const int r = row - s->vScroll.nPos + 1;
    const int lastRow = s->readOnly ? s->rowCount - 1 : s->rowCount;
    if (r < 1 || row > lastRow || RowTop(s, r) + 1 >= B) return false;
    bool shown = false;
    VisitShownColumns(s, W, [&](int c, int shownCol, int x, int w) {
        if (c == 0 || shownCol != col) return;
        // The column's right line is its last pixel; the row's bottom line too.
        *area = RECT{x, RowTop(s, r) + 1, x + w - 1 < W ? x + w - 1 : W, RowLine(s, r) < B ? RowLine(s, r) : B};
        shown = area->right > area->left && area->bottom > area->top;
    });
    if (!shown) *area = RECT{0, 0, 0, 0};
    return shown;
}

void UpdateHorizontalPage(const Grid& grid, const CellLayout& layout) {
    GridState* s = grid.state;
    if (layout.rows == 0 || layout.visitedCols > s->colCount) return;
    s->visibleCols = layout.visitedCols;
    s->hScroll.nPage = static_cast<UINT>(layout.visitedCols);
    ClampScrollPosition(s->hScroll);
    ApplyScrollBar(grid, SB_HORZ);
}

}  // namespace tabrix
