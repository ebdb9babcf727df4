// The two per-grid records. GridState lives here; GridArrays, which needs no
// window types, in grid_arrays.h. FieldDef, GridAttr and the published part
// of GridState cross the library boundary, so their 32-bit layouts are
// frozen below.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include <cstdint>

#include "include/tabrix32.h"
#include "grid/grid_arrays.h"
#include "grid/metrics.h"
#include "support/text_cut.h"

namespace tabrix {

constexpr int kColSlots = kMaxDataCols + 2;  // row header, 500 data columns, filler
constexpr int kLabelChars = 256;             // 255 characters and the terminator

// Child identifiers.
constexpr int kHeaderId = 0x8001;
constexpr int kEditId = 0x8002;
constexpr int kComboId = 0x8003;

// What the grid's accessible objects share (control/accessible_grid.cpp).
struct AccessibleRoot;
// Row places ("slots", 1 = the first visible row) an off-screen image keeps
// a print of; a taller window draws every row at every change.
constexpr int kImageSlots = 256;

struct CellPrints;  // view/image_reuse.cpp

}  // namespace tabrix

// What a painted off-screen image shows, compared in view/image_reuse.cpp
// with what a paint would draw now, which alone decides on reuse.
struct KeptImage {
    // Everything the rows share (sizes, columns, colours, fonts), the
    // columns as the paint's layout reached them, and a print of each
    // slot's row marks (which row, whether it is current, selected or the
    // new-record row, or no row at all); the prints of its cells' texts are
    // kept apart (GridState::cellPrints).
    uint64_t look;
    uint64_t edges;
    uint64_t slotMarks[tabrix::kImageSlots + 1];
    int32_t firstRow;  // the row of slot 1
    int32_t slots;     // slots down to the bottom edge; 0 when the image cannot be reused
    int32_t columns;   // data columns a row shows texts of
    // Set by whatever the prints cannot see: the next paint draws every row.
    int32_t stale;
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
    // Header layout and the client area: written by sizing and the paint cycle.
    HDLAYOUT headerLayout;
    WINDOWPOS headerPos;
    RECT clientRect;
    // Unused since painting keeps its scratch in locals; kept so the fields
    // after them stay where hosts that read this record expect them.
    RECT fillRect;
    RECT colFillRect;
    RECT textRect;
    // The window's own context (the class owns one per window) and the
    // off-screen surface: written by the surface code and the paint cycle,
    // drawn into by painting.
    HDC windowDC;
    int32_t xPos;  // unused, kept for the layout
    HDC memDC;
    HBITMAP memBitmap;
    // Position of the last mouse message: written by mouse handlers.
    int32_t mouseX, mouseY;
    // Paint results: written by the layout step of each paint and by sizing,
    // read by drawing, input, the editors' placement and the row-border hit
    // test.
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
    // Set by label changes, cleared by the header relabelling of the paint cycle.
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
    // The off-screen image as last painted: written by painting, judged in
    // view/image_reuse.cpp, made stale by grid/image_events.h.
    KeptImage image;
    tabrix::CellPrints* cellPrints;
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
    // Height of this grid's header, which follows its font: written by the
    // header layout, read by everything that places rows below it.
    int32_t headerHeight;
    // The code page of the grid's texts (0 the ANSI code page, or CP_UTF8)
    // and where texts in it may be cut: written by SetGridCodePage, read
    // wherever text meets a window and by every cut to a byte size.
    int32_t textCodePage;
    tabrix::TextEncoding encoding;
    // Whether the cell and header fonts are the ones the grid made itself
    // (SetGridAttr given no font): those follow the code page's character set.
    int32_t ownCellFont, ownHeaderFont;
    // The combo box's procedures before the grid's ANSI subclass of a UTF-8
    // grid's box: written when the box is made, read by that subclass.
    WNDPROC comboPrevAnsiProc;
    WNDPROC comboWideProc;
    // Characters a column loaded from a query holds in its database (0: as
    // many as its field's bytes): written by the query loader, cleared by
    // DimCols and DefineField, read by the editors.
    int32_t colCharLimit[tabrix::kColSlots];
    // What the wheel turned short of a whole step, in WHEEL_DELTA units
    // times the steps a notch makes: written and read by the wheel handler.
    int32_t vWheelRest, hWheelRest;
    // The combo box's procedure under the grid's subclass that passes the
    // wheel on to the grid: written when the box is made.
    WNDPROC comboWheelPrevProc;
    // How the last paste ended, how many cells it changed and the cell it
    // stopped at: written by the paste, read by GetPasteResult.
    int32_t pasteEnd, pasteCells, pasteRow, pasteCol;
    // Set while a paste hands the bars their records: the bars, and the size
    // change a bar that appears brings, are drawn by the next paint cycle
    // rather than at once (a bar's redraw is the costliest call a paste
    // makes). Written by the paste, read by the bars and WM_SIZE.
    int32_t barsDrawnLater;
    // What assistive technology was last told: the current cell a focus
    // event named and the selected row. Written by the focus handler and
    // the paint cycle, which tell it again when either changed.
    int32_t announcedRow, announcedCol, announcedSelection;
    // The record the grid's accessible objects share: made by the first
    // WM_GETOBJECT, cut off by WM_DESTROY while clients may still hold them.
    tabrix::AccessibleRoot* accessibleRoot;
    // The pixel measures at the window's resolution: written at creation and
    // when the resolution changes, read by painting, hit tests and the editors.
    tabrix::Metrics metrics;
};

// The code page the platform's conversions take for this grid's texts.
inline UINT TextCodePage(const GridState* s) { return s->textCodePage == CP_UTF8 ? CP_UTF8 : CP_ACP; }
inline bool Utf8Grid(const GridState* s) { return s->textCodePage == CP_UTF8; }

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

// The published part of the state record, up to headerDirty; the code's own
// fields follow it and may change.
static_assert(offsetof(GridState, editPrevProc) == 0, "GridState.editPrevProc");
static_assert(offsetof(GridState, comboEditPrevProc) == 4, "GridState.comboEditPrevProc");
static_assert(offsetof(GridState, headerPrevProc) == 8, "GridState.headerPrevProc");
static_assert(offsetof(GridState, hwndComboEdit) == 12, "GridState.hwndComboEdit");
static_assert(offsetof(GridState, editing) == 16, "GridState.editing");
static_assert(offsetof(GridState, hwndGrid) == 20, "GridState.hwndGrid");
static_assert(offsetof(GridState, hwndHeader) == 24, "GridState.hwndHeader");
static_assert(offsetof(GridState, hwndEdit) == 28, "GridState.hwndEdit");
static_assert(offsetof(GridState, hwndCombo) == 32, "GridState.hwndCombo");
static_assert(offsetof(GridState, vScrollCode) == 36, "GridState.vScrollCode");
static_assert(offsetof(GridState, hScrollCode) == 40, "GridState.hScrollCode");
static_assert(offsetof(GridState, curCol) == 44, "GridState.curCol");
static_assert(offsetof(GridState, curRow) == 48, "GridState.curRow");
static_assert(offsetof(GridState, rowCount) == 52, "GridState.rowCount");
static_assert(offsetof(GridState, colCount) == 56, "GridState.colCount");
static_assert(offsetof(GridState, rowHeight) == 60, "GridState.rowHeight");
static_assert(offsetof(GridState, hScroll) == 64, "GridState.hScroll");
static_assert(offsetof(GridState, lastHeaderScroll) == 92, "GridState.lastHeaderScroll");
static_assert(offsetof(GridState, vScroll) == 96, "GridState.vScroll");
static_assert(offsetof(GridState, mouseInRowArea) == 124, "GridState.mouseInRowArea");
static_assert(offsetof(GridState, mouseOnRowBorder) == 128, "GridState.mouseOnRowBorder");
static_assert(offsetof(GridState, rowResizing) == 132, "GridState.rowResizing");
static_assert(offsetof(GridState, rowResizeStartY) == 136, "GridState.rowResizeStartY");
static_assert(offsetof(GridState, headerTrackX) == 140, "GridState.headerTrackX");
static_assert(offsetof(GridState, rowTrackY) == 144, "GridState.rowTrackY");
static_assert(offsetof(GridState, headerLayout) == 148, "GridState.headerLayout");
static_assert(offsetof(GridState, headerPos) == 156, "GridState.headerPos");
static_assert(offsetof(GridState, clientRect) == 184, "GridState.clientRect");
static_assert(offsetof(GridState, fillRect) == 200, "GridState.fillRect");
static_assert(offsetof(GridState, colFillRect) == 216, "GridState.colFillRect");
static_assert(offsetof(GridState, textRect) == 232, "GridState.textRect");
static_assert(offsetof(GridState, windowDC) == 248, "GridState.windowDC");
static_assert(offsetof(GridState, xPos) == 252, "GridState.xPos");
static_assert(offsetof(GridState, memDC) == 256, "GridState.memDC");
static_assert(offsetof(GridState, memBitmap) == 260, "GridState.memBitmap");
static_assert(offsetof(GridState, mouseX) == 264, "GridState.mouseX");
static_assert(offsetof(GridState, mouseY) == 268, "GridState.mouseY");
static_assert(offsetof(GridState, visibleRows) == 272, "GridState.visibleRows");
static_assert(offsetof(GridState, visibleCols) == 276, "GridState.visibleCols");
static_assert(offsetof(GridState, curCellPainted) == 280, "GridState.curCellPainted");
static_assert(offsetof(GridState, curColShown) == 284, "GridState.curColShown");
static_assert(offsetof(GridState, curRowShown) == 288, "GridState.curRowShown");
static_assert(offsetof(GridState, curCellRect) == 292, "GridState.curCellRect");
static_assert(offsetof(GridState, editorLastX) == 308, "GridState.editorLastX");
static_assert(offsetof(GridState, editorLastY) == 312, "GridState.editorLastY");
static_assert(offsetof(GridState, keepCellInView) == 316, "GridState.keepCellInView");
static_assert(offsetof(GridState, rowsPainted) == 320, "GridState.rowsPainted");
static_assert(offsetof(GridState, headerItem) == 324, "GridState.headerItem");
static_assert(offsetof(GridState, colWidth) == 372, "GridState.colWidth");
static_assert(offsetof(GridState, colLabel) == 2380, "GridState.colLabel");
static_assert(offsetof(GridState, selectedRow) == 130892, "GridState.selectedRow");
static_assert(offsetof(GridState, selectedRowPainted) == 130896, "GridState.selectedRowPainted");
static_assert(offsetof(GridState, undoRow) == 130900, "GridState.undoRow");
static_assert(offsetof(GridState, undoEnabled) == 130904, "GridState.undoEnabled");
static_assert(offsetof(GridState, selectPending) == 130908, "GridState.selectPending");
static_assert(offsetof(GridState, readOnly) == 130912, "GridState.readOnly");
static_assert(offsetof(GridState, dataChanged) == 130916, "GridState.dataChanged");
static_assert(offsetof(GridState, rowEdited) == 130920, "GridState.rowEdited");
static_assert(offsetof(GridState, moveRefused) == 130924, "GridState.moveRefused");
static_assert(offsetof(GridState, savedHPos) == 130928, "GridState.savedHPos");
static_assert(offsetof(GridState, savedVPos) == 130932, "GridState.savedVPos");
static_assert(offsetof(GridState, savedRow) == 130936, "GridState.savedRow");
static_assert(offsetof(GridState, minRowHeight) == 130940, "GridState.minRowHeight");
static_assert(offsetof(GridState, gridRight) == 130944, "GridState.gridRight");
static_assert(offsetof(GridState, gridBottom) == 130948, "GridState.gridBottom");
static_assert(offsetof(GridState, lastClickRow) == 130952, "GridState.lastClickRow");
static_assert(offsetof(GridState, lastClickCol) == 130956, "GridState.lastClickCol");
static_assert(offsetof(GridState, newRowIndex) == 130960, "GridState.newRowIndex");
static_assert(offsetof(GridState, headerTracking) == 130964, "GridState.headerTracking");
static_assert(offsetof(GridState, lastRowToPaint) == 130968, "GridState.lastRowToPaint");
static_assert(offsetof(GridState, showLineNumbers) == 130972, "GridState.showLineNumbers");
static_assert(offsetof(GridState, cellFont) == 130976, "GridState.cellFont");
static_assert(offsetof(GridState, headerFont) == 130980, "GridState.headerFont");
static_assert(offsetof(GridState, showGridLines) == 130984, "GridState.showGridLines");
static_assert(offsetof(GridState, backColor) == 130988, "GridState.backColor");
static_assert(offsetof(GridState, gridLineColor) == 130992, "GridState.gridLineColor");
static_assert(offsetof(GridState, selTextColor) == 130996, "GridState.selTextColor");
static_assert(offsetof(GridState, selBackColor) == 131000, "GridState.selBackColor");
static_assert(offsetof(GridState, frameColor) == 131004, "GridState.frameColor");
static_assert(offsetof(GridState, colFontFace) == 131008, "GridState.colFontFace");
static_assert(offsetof(GridState, colFontSize) == 133016, "GridState.colFontSize");
static_assert(offsetof(GridState, colFontWeight) == 135024, "GridState.colFontWeight");
static_assert(offsetof(GridState, colFontItalic) == 137032, "GridState.colFontItalic");
static_assert(offsetof(GridState, colFontUnderline) == 139040, "GridState.colFontUnderline");
static_assert(offsetof(GridState, editFont) == 141048, "GridState.editFont");
static_assert(offsetof(GridState, comboFont) == 141052, "GridState.comboFont");
static_assert(offsetof(GridState, comboRow) == 141056, "GridState.comboRow");
static_assert(offsetof(GridState, comboCol) == 141060, "GridState.comboCol");
static_assert(offsetof(GridState, comboNotified) == 141064, "GridState.comboNotified");
static_assert(offsetof(GridState, headerDirty) == 141068, "GridState.headerDirty");
#endif
