// The two per-grid records. GridState lives here; GridArrays, which needs no
// window types, in grid_arrays.h. FieldDef and GridAttr cross the library
// boundary, so their 32-bit layouts are frozen below.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include <cstdint>

#include "include/tabrix32.h"
#include "grid/grid_arrays.h"

namespace tabrix {

constexpr int kColSlots = kMaxDataCols + 2;  // row header, 500 data columns, filler
constexpr int kLabelChars = 256;             // 255 characters and the terminator
constexpr int kRowHeaderWidth = 35;

// Child identifiers.
constexpr int kHeaderId = 0x8001;
constexpr int kEditId = 0x8002;
constexpr int kComboId = 0x8003;

}  // namespace tabrix

// What a painted off-screen image depends on, besides its first row;
// compared in view/image_reuse.cpp, which alone decides on reuse.
struct ImageKey {
    int32_t hPos, curRow, curCol, selectedRow, rowCount, colCount, rowHeight, width, height, headerHeight;
};

// Published as the window property "variables" with its fields in this
// order; the fields after `headerDirty` are the code's own.
struct GridState {
    // Child windows and the procedures they had before the grid subclassed
    // them: written at creation and by the editors, read by the subclass
    // procedures and WM_DESTROY. `editing` is set while an editor is open and
    // read by every operation that must commit it first.
    WNDPROC editPrevProc;
    WNDPROC comboEditPrevProc;
    WNDPROC headerPrevProc;
    HWND hwndComboEdit;
    int32_t editing;
    HWND hwndGrid;
    HWND hwndHeader;
    HWND hwndEdit;
    HWND hwndCombo;
    // Scroll codes the keyboard asked for (-1 none): written by the key
    // handlers, read and cleared by the scroll handlers.
    int32_t vScrollCode;
    int32_t hScrollCode;
    // The current cell and the grid's shape: written by moves, columns,
    // rows and loads; read by everything.
    int32_t curCol;
    int32_t curRow;
    int32_t rowCount;
    int32_t colCount;
    int32_t rowHeight;
    // Scroll records: written by the scroll handlers, sizing and loads,
    // handed to the bars by ApplyScrollBar; the header follows hScroll.
    SCROLLINFO hScroll;
    int32_t lastHeaderScroll;
    SCROLLINFO vScroll;
    // Row-border hit test and drags: written by mouse moves and presses,
    // read by the drag code and the header subclass.
    int32_t mouseInRowArea;
    int32_t mouseOnRowBorder;
    int32_t rowResizing;
    int32_t rowResizeStartY;
    int32_t headerTrackX;
    int32_t rowTrackY;
    // Header layout and the client area: written by sizing and painting.
    HDLAYOUT headerLayout;
    WINDOWPOS headerPos;
    RECT clientRect;
    // Painting's scratch and its off-screen surface: written and read by
    // painting and the surface code only.
    RECT fillRect;
    RECT colFillRect;
    RECT textRect;
    HDC windowDC;
    int32_t xPos;
    HDC memDC;
    HBITMAP memBitmap;
    // Position of the last mouse message: written by mouse handlers.
    int32_t mouseX, mouseY;
    // Paint results: written by painting and sizing, read by input, the
    // editors' placement and the row-border hit test.
    int32_t visibleRows;
    int32_t visibleCols;
    int32_t curCellPainted;
    int32_t curColShown, curRowShown;
    RECT curCellRect;
    int32_t editorLastX, editorLastY;
    int32_t keepCellInView;
    int32_t rowsPainted;
    // Columns as shown: written by the column operations and header drags,
    // read by painting, scrolling and GetCell.
    HDITEMA headerItem;
    int32_t colWidth[tabrix::kColSlots];
    char colLabel[tabrix::kColSlots][tabrix::kLabelChars];
    // Selection, undo and edit state: written by input, editing and undo
    // tracking, read by painting and the host's queries.
    int32_t selectedRow;
    int32_t selectedRowPainted;
    int32_t undoRow;
    int32_t undoEnabled;
    int32_t selectPending;
    int32_t readOnly;
    int32_t dataChanged;
    int32_t rowEdited;
    int32_t moveRefused;
    // Where a move started, put back when the host refuses it: written and
    // read by the scroll handlers.
    int32_t savedHPos, savedVPos, savedRow;
    // Limits and edges: written by creation, appearance and painting, read
    // by input and row drags.
    int32_t minRowHeight;
    int32_t gridRight, gridBottom;
    int32_t lastClickRow, lastClickCol;
    int32_t newRowIndex;
    int32_t headerTracking;
    int32_t lastRowToPaint;
    // Appearance: written by SetGridAttr, ShowLineNumbers and DefineField,
    // read by painting and the editors. Column faces point at the grid's own
    // copies (`colFaceText`): hosts pass them in temporary strings.
    int32_t showLineNumbers;
    HFONT cellFont;
    HFONT headerFont;
    int32_t showGridLines;
    COLORREF backColor;
    COLORREF gridLineColor;
    int32_t selTextColor;
    int32_t selBackColor;
    int32_t frameColor;
    const char* colFontFace[tabrix::kColSlots];
    int32_t colFontSize[tabrix::kColSlots];
    int32_t colFontWeight[tabrix::kColSlots];
    int32_t colFontItalic[tabrix::kColSlots];
    int32_t colFontUnderline[tabrix::kColSlots];
    // The editors' fonts and the list's opening: written and read by the editors.
    HFONT editFont;
    HFONT comboFont;
    int32_t comboRow, comboCol;
    int32_t comboNotified;
    // Set by label changes, cleared by the header relabelling in painting.
    int32_t headerDirty;

    // Set when the grid invalidated itself and cleared by the paint, so a
    // burst of edits between two paints costs one trip to the window server.
    int32_t repaintPending;
    // What the scroll bars were last given: setting a bar costs a trip to
    // the window server and a redraw, so unchanged records are not sent.
    SCROLLINFO appliedVScroll;
    SCROLLINFO appliedHScroll;
    // Size of memBitmap, so painting can tell when it no longer fits.
    int32_t surfaceWidth, surfaceHeight;
    // The off-screen image as last painted, what it shows and from which
    // row: written by painting, judged in view/image_reuse.cpp.
    ImageKey image;
    int32_t imagePos;
    int32_t imageStale;
    // The first row the window's own pixels show: written by painting and by
    // a line step that moves those pixels itself, read by painting to send
    // the window only what changed.
    int32_t screenPos;
    // Set while CommitEdit waits for the host, so a host that moves the grid
    // from GN_CELLCHANGING cannot start a second commit of the same text.
    int32_t committing;
    // Counts editor openings: an opening that drains the message queue can
    // tell that another one ran meanwhile and leave the editor to it.
    int32_t editorOpenings;
    // The column faces `colFontFace` points at: written by DefineField.
    char colFaceText[tabrix::kColSlots][LF_FACESIZE];
};

// Most messages do nothing until the grid has columns and rows.
inline bool HasCells(const GridState* state) { return state->colCount != 0 && state->rowCount != 0; }

// Mouse messages carry signed client coordinates.
inline void StoreMousePosition(GridState* state, LPARAM lParam) {
    state->mouseX = static_cast<short>(LOWORD(lParam));
    state->mouseY = static_cast<short>(HIWORD(lParam));
}

// Every handle a grid's code needs, fetched once per message or export.
struct Grid {
    HWND hwnd;
    GridState* state;
    GridArrays* arrays;
};

#if !defined(_WIN64)
// Hosts written in other languages declare these records by hand from the
// documented 32-bit layout; a changed field would corrupt their data silently.
static_assert(sizeof(FieldDef) == 64, "FieldDef is 64 bytes for hosts");
static_assert(offsetof(FieldDef, label) == 0, "FieldDef.label");
static_assert(offsetof(FieldDef, width) == 4, "FieldDef.width");
static_assert(offsetof(FieldDef, size) == 8, "FieldDef.size");
static_assert(offsetof(FieldDef, align) == 12, "FieldDef.align");
static_assert(offsetof(FieldDef, tag1) == 16, "FieldDef.tag1");
static_assert(offsetof(FieldDef, tag2) == 20, "FieldDef.tag2");
static_assert(offsetof(FieldDef, tag3) == 24, "FieldDef.tag3");
static_assert(offsetof(FieldDef, textColor) == 28, "FieldDef.textColor");
static_assert(offsetof(FieldDef, backColor) == 32, "FieldDef.backColor");
static_assert(offsetof(FieldDef, multiline) == 36, "FieldDef.multiline");
static_assert(offsetof(FieldDef, locked) == 40, "FieldDef.locked");
static_assert(offsetof(FieldDef, fontFace) == 44, "FieldDef.fontFace");
static_assert(offsetof(FieldDef, fontSize) == 48, "FieldDef.fontSize");
static_assert(offsetof(FieldDef, fontWeight) == 52, "FieldDef.fontWeight");
static_assert(offsetof(FieldDef, fontItalic) == 56, "FieldDef.fontItalic");
static_assert(offsetof(FieldDef, fontUnderline) == 60, "FieldDef.fontUnderline");

static_assert(sizeof(GridAttr) == 36, "GridAttr is 36 bytes for hosts");
static_assert(offsetof(GridAttr, cellFont) == 0, "GridAttr.cellFont");
static_assert(offsetof(GridAttr, headerFont) == 4, "GridAttr.headerFont");
static_assert(offsetof(GridAttr, showGridLines) == 8, "GridAttr.showGridLines");
static_assert(offsetof(GridAttr, backColor) == 12, "GridAttr.backColor");
static_assert(offsetof(GridAttr, gridLineColor) == 16, "GridAttr.gridLineColor");
static_assert(offsetof(GridAttr, selTextColor) == 20, "GridAttr.selTextColor");
static_assert(offsetof(GridAttr, selBackColor) == 24, "GridAttr.selBackColor");
static_assert(offsetof(GridAttr, frameColor) == 28, "GridAttr.frameColor");
static_assert(offsetof(GridAttr, showLineNumbers) == 32, "GridAttr.showLineNumbers");
#endif
