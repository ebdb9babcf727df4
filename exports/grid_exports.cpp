// Exports of the grid core: check the handle, fetch the records, close an
// open editor where the change needs it, hand over.
#include "control/grid_window.h"
#include "edit/editors.h"
#include "edit/undo.h"
#include "grid/appearance.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "grid/rows.h"

using tabrix::ChangeGrid;
using tabrix::WithGrid;

extern "C" {

HWND WINAPI CreateGrid(HWND parent, HINSTANCE instance, int32_t border, int32_t id, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
    return tabrix::CreateGridWindow(parent, instance, border, id, x, y, width, height);
}

int32_t WINAPI FreeGrid(HWND hwnd) {
    return WithGrid(hwnd, [](const Grid& g) {
        if (!g.state->editing) return tabrix::kDone;
        return tabrix::FinishEditing(g) == tabrix::kDone ? tabrix::DimCols(g, 1) : tabrix::kEditRefused;
    });
}

int32_t WINAPI DimCols(HWND hwnd, int32_t n) {
    return ChangeGrid(hwnd, [&](const Grid& g) {
        if (!tabrix::ColumnCountFits(n)) return tabrix::kTooBig;
        // The row counts as edited, so leaving it still asks the host.
        if (tabrix::FinishEditing(g) != tabrix::kDone) return tabrix::kEditRefused;
        return tabrix::DimCols(g, n);
    });
}

int32_t WINAPI DefineField(HWND hwnd, int32_t col, int32_t type, const FieldDef* def) {
    if (!tabrix::ValidFieldType(type)) return tabrix::kBadFieldType;
    Grid g;
    int rc = tabrix::FetchGrid(hwnd, &g);
    if (rc == tabrix::kNoRecords) return tabrix::kDone;  // hosts have always been told "done" here
    if (rc != tabrix::kDone) return rc;
    rc = tabrix::DefineField(g, col, type, def);
    tabrix::RequestRepaint(g);
    return rc;
}

int32_t WINAPI InsertColLabel(HWND hwnd, int32_t width, const char* text, int32_t index, int32_t align) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::InsertColLabel(g, width, text, index, align); });
}

int32_t WINAPI ClearColLabels(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::ClearColLabels(g); });
}

int32_t WINAPI LockField(HWND hwnd, int32_t col, uint8_t locked) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::LockField(g, col, locked); });
}

int32_t WINAPI GetColCount(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->colCount - 1; });
}

int32_t WINAPI GetColWidth(HWND hwnd, int32_t col) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::ColumnWidth(g.state, col); });
}

int32_t WINAPI GetFldSize(HWND hwnd, int32_t col) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::GetFldSize(g, col); });
}

int32_t WINAPI DimRows(HWND hwnd, int32_t n) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::ResizeRows(g, n, false); });
}

int32_t WINAPI RedimPreserveRows(HWND hwnd, int32_t n) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::ResizeRows(g, n, true); });
}

int32_t WINAPI CreateCell(HWND hwnd, int32_t row, int32_t col, const char* text) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::CreateCell(g, row, col, text); },
                      tabrix::kComparedExportCall);
}

int32_t WINAPI SetCellText(HWND hwnd, int32_t row, int32_t col, const char* text) {
    return ChangeGrid(hwnd, [&](const Grid& g) {
        const int rc = tabrix::SetCellText(g, row, col, text);
        if (rc == tabrix::kStored) tabrix::ShowStoredTextInEditor(g, row, col);
        return rc;
    }, tabrix::kComparedExportCall);
}

int32_t WINAPI SetGridCodePage(HWND hwnd, int32_t codePage) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::SetTextCodePage(g, codePage); });
}

int32_t WINAPI GetColLabel(HWND hwnd, int32_t col, char* buffer, int32_t size) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::ColumnLabel(g, col, buffer, size); });
}

const char* WINAPI GetCell(HWND hwnd, int32_t mode, int32_t row, int32_t col, FieldDef* def) {
    return tabrix::WithComparedGridText(hwnd, tabrix::kNotGridText,
                                [&](const Grid& g) { return tabrix::GetCell(g, mode, row, col, def); });
}

int32_t WINAPI GetRowCount(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->rowCount - 1; });
}

// Both clear whatever the host answers about the open edit.
int32_t WINAPI ClearCells(HWND hwnd) {
    return WithGrid(hwnd, [](const Grid& g) {
        return tabrix::CommitIfEditing(g) ? tabrix::ClearCells(g) : tabrix::kNoRecords;
    });
}

int32_t WINAPI ClearGrid(HWND hwnd) {
    return WithGrid(hwnd, [](const Grid& g) {
        return tabrix::CommitIfEditing(g) ? tabrix::ClearGrid(g) : tabrix::kNoRecords;
    });
}

int32_t WINAPI SetGridAttr(HWND hwnd, const GridAttr* attr) {
    return WithGrid(hwnd, [&](const Grid& g) { return attr ? tabrix::SetGridAttr(g, *attr) : tabrix::kNoAttributes; });
}

HFONT WINAPI MakeFont(const char* face, int32_t points, int32_t weight, int32_t italic, int32_t underline,
                      int32_t strikeout) {
    return tabrix::MakeFont(face, points, weight, italic, underline, strikeout);
}

int32_t WINAPI ShowLineNumbers(HWND hwnd, int32_t show) {
    return WithGrid(hwnd, [&](const Grid& g) {
        g.state->showLineNumbers = show;
        return tabrix::kDone;
    });
}

int32_t WINAPI SetRowHeight(HWND hwnd, int32_t height) {
    return WithGrid(hwnd, [&](const Grid& g) {
        tabrix::SetRowHeight(g, height);
        return tabrix::kDone;
    });
}

int32_t WINAPI GetRowHeight(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->rowHeight; });
}

int32_t WINAPI OnEntryStyle(int32_t style) {
    if (style == 0 || style == 1) tabrix::library.entryStyle = style;
    return 0;
}

int32_t WINAPI SetUndoBuffer(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::SetUndoBuffer(g); });
}

}  // extern "C"
