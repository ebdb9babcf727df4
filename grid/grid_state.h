// The two per-grid records and the host-shared records.
//
// GridState and GridArrays are reached from every subsystem; FieldDef and
// GridAttr cross the library boundary, so their 32-bit layouts are frozen.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include <cstdint>

#include "exports/tabrix32.h"

namespace tabrix {

constexpr int kMaxDataCols = 500;
constexpr int kColSlots = kMaxDataCols + 2;  // row header, 500 data columns, filler
constexpr int kLabelChars = 256;             // 255 characters and the terminator
constexpr int kMaxFieldSize = 32000;
constexpr int kDeletedSlots = 11;            // slot 0 unused, 1 oldest .. 10 newest
constexpr int kRowHeaderWidth = 35;

// Field types.
constexpr int FieldText = 0;
constexpr int FieldCheck = 1;
constexpr int FieldCombo = 2;

// Text of a deleted row's data cells, and what readers show instead.
constexpr char kDeletedMarker[] = "\x01";
constexpr char kDeletedText[] = "#DELETED#";

// Child identifiers.
constexpr int kHeaderId = 0x8001;
constexpr int kEditId = 0x8002;
constexpr int kComboId = 0x8003;

}  // namespace tabrix

// Host-shared records keep their plain names: hosts declare them by hand.
struct FieldSlot {
    int32_t offset;  // byte offset of the field within a row record
    int32_t size;    // stored size: declared characters + 1
};

struct GridArrays {
    uint8_t* colTag1;
    uint8_t* colTag2;
    uint8_t* colTag3;
    int32_t recordWidth;
    int32_t rowCapacity;
    int32_t maxRow;
    uint8_t* rowState;
    uint8_t* colLocked;
    uint8_t* colType;
    int32_t* colBackColor;
    int32_t* colTextColor;
    int32_t* colAlign;
    int32_t* colMultiline;
    int32_t fieldCapacity;
    int32_t fieldCount;
    uint8_t* undoRecord;
    uint8_t* deletedRows;
    uint8_t* cells;
    FieldSlot* fieldTable;
};

// What a painted off-screen image depends on, besides its first row.
struct ImageKey {
    int32_t hPos, curRow, curCol, selectedRow, rowCount, colCount, rowHeight, width, height, headerHeight;
};

struct GridState {
    WNDPROC editPrevProc;
    WNDPROC comboEditPrevProc;
    WNDPROC headerPrevProc;
    HWND hwndComboEdit;
    int32_t editing;
    HWND hwndGrid;
    HWND hwndHeader;
    HWND hwndEdit;
    HWND hwndCombo;
    int32_t vScrollCode;
    int32_t hScrollCode;
    int32_t curCol;
    int32_t curRow;
    int32_t rowCount;
    int32_t colCount;
    int32_t rowHeight;
    SCROLLINFO hScroll;
    int32_t lastHeaderScroll;
    SCROLLINFO vScroll;
    int32_t mouseInRowArea;
    int32_t mouseOnRowBorder;
    int32_t rowResizing;
    int32_t rowResizeStartY;
    int32_t headerTrackX;
    int32_t rowTrackY;
    HDLAYOUT headerLayout;
    WINDOWPOS headerPos;
    RECT clientRect;
    RECT fillRect;
    RECT colFillRect;
    RECT textRect;
    HDC windowDC;
    int32_t xPos;
    HDC memDC;
    HBITMAP memBitmap;
    int32_t mouseX, mouseY;
    int32_t visibleRows;
    int32_t visibleCols;
    int32_t curCellPainted;
    int32_t curColShown, curRowShown;
    RECT curCellRect;
    int32_t editorLastX, editorLastY;
    int32_t keepCellInView;
    int32_t rowsPainted;
    HDITEMA headerItem;
    int32_t colWidth[tabrix::kColSlots];
    char colLabel[tabrix::kColSlots][tabrix::kLabelChars];
    int32_t selectedRow;
    int32_t selectedRowPainted;
    int32_t undoRow;
    int32_t undoEnabled;
    int32_t selectPending;
    int32_t readOnly;
    int32_t dataChanged;
    int32_t rowEdited;
    int32_t moveRefused;
    int32_t savedHPos, savedVPos, savedRow;
    int32_t minRowHeight;
    int32_t gridRight, gridBottom;
    int32_t lastClickRow, lastClickCol;
    int32_t newRowIndex;
    int32_t headerTracking;
    int32_t lastRowToPaint;
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
    HFONT editFont;
    HFONT comboFont;
    int32_t comboRow, comboCol;
    int32_t comboNotified;
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
    // The off-screen image as last painted: what it shows and from which
    // row. imageStale is set by anything that may change what cells show
    // (every export, every message but scrolling and the mouse).
    ImageKey image;
    int32_t imagePos;
    int32_t imageStale;
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

static_assert(sizeof(FieldSlot) == 8, "FieldSlot is two 32-bit fields");
static_assert(sizeof(GridArrays) == 19 * 4, "GridArrays is nineteen 32-bit fields");
#endif
