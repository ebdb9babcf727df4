#include "grid/rows.h"

#include <cstring>

#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/edit_history.h"
#include "grid/editor_text.h"
#include "grid/grid_access.h"
#include "support/temp_string.h"

namespace tabrix {
namespace {

const char* StoredTextForHost(const char* text) {
    if (!text) return TempText("");
    return TempText(IsDeletedMarker(text) ? kDeletedText : text);
}

const char* EditorText(const GridState* s, HWND editor) {
    if (!editor) return TempText("");
    const std::string text = EditorTextOf(s, editor);
    if (IsDeletedMarker(text.c_str())) return TempText(kDeletedText);
    return TempCopy(text.data(), text.size());
}

// The value a check box takes when toggled: what the host is asked to approve.
const char* ToggledCheckText(const char* stored) {
    if (!stored) return TempText("");
    if (IsDeletedMarker(stored)) return TempText(kDeletedText);
    return TempText(stored[0] && strcmp(stored, "0") != 0 ? "0" : "1");
}

// Whether `bytes` bytes at `address` are committed memory the process may
// write. Hosts pass back the record they defined a column with, whose label
// often points at a string literal: writing there would kill the host.
bool WritableMemory(void* address, size_t bytes) {
    auto* at = static_cast<uint8_t*>(address);
    uint8_t* const end = at + bytes;
    constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    while (at < end) {
        MEMORY_BASIC_INFORMATION page;
        if (!VirtualQuery(at, &page, sizeof page) || page.State != MEM_COMMIT || !(page.Protect & kWritable) ||
            (page.Protect & PAGE_GUARD)) {
            return false;
        }
        at = static_cast<uint8_t*>(page.BaseAddress) + page.RegionSize;
    }
    return true;
}

// A colour the column keeps as -1 reads as 0, the "default" a definition gives.
int32_t DefinitionColour(const int32_t* colours, int col) {
    return colours && colours[col] > 0 ? colours[col] : 0;
}

void FillFieldDef(const Grid& grid, int col, FieldDef* def) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    // The heading and its terminator only, at most 256 bytes.
    const size_t heading = strnlen(s->colLabel[col], kLabelChars - 1) + 1;
    if (def->label && WritableMemory(def->label, heading)) memcpy(def->label, s->colLabel[col], heading);
    def->width = ColumnWidth(s, col);
    def->size = DeclaredSize(a, col);
    def->align = a->colAlign ? a->colAlign[col] : 0;
    def->tag1 = a->colTag1 ? a->colTag1[col] : 0;
    def->tag2 = a->colTag2 ? a->colTag2[col] : 0;
    def->tag3 = a->colTag3 ? a->colTag3[col] : 0;
    def->textColor = DefinitionColour(a->colTextColor, col);
    def->backColor = DefinitionColour(a->colBackColor, col);
    def->multiline = a->colMultiline && a->colMultiline[col] > 0 ? 1 : 0;
    def->locked = a->colLocked ? a->colLocked[col] : 0;
    def->fontFace = s->colFontFace[col];
    def->fontSize = s->colFontSize[col];
    def->fontWeight = s->colFontWeight[col];
    def->fontItalic = s->colFontItalic[col];
    def->fontUnderline = s->colFontUnderline[col];
}

}  // namespace

void ResetScrollRecords(GridState* s) {
    s->vScroll = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 1, s->rowCount, static_cast<UINT>(s->visibleRows), 1, 0};
    s->hScroll = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL | SIF_DISABLENOSCROLL, 0, s->colCount,
                            static_cast<UINT>(s->visibleCols), 0, 0};
}

int CreateCell(const Grid& grid, int row, int col, const char* text) {
    GridArrays* a = grid.arrays;
    // Room for the row after it first, so the text is stored only when the
    // new-record row can follow.
    if (row >= 0 && !MakeRoomForRow(a, row)) return kCouldNotGrow;
    int stored = StoreCell(a, row, col, text);
    if (stored != kStored) return stored;
    StoreCell(a, row + 1, 0, "");
    GridState* s = grid.state;
    if (s->rowCount < a->maxRow) s->rowCount = a->maxRow;
    ResetScrollRecords(s);
    return kStored;
}

int SetCellText(const Grid& grid, int row, int col, const char* text) {
    // Only rows that exist: text past the data rows would sit in the store
    // unseen, and a host reading the answer would think it shown.
    if (row >= grid.state->rowCount) return kBadCell;
    return StoreCell(grid.arrays, row, col, text);
}

int ColumnLabel(const Grid& grid, int col, char* buffer, int size) {
    if (col < 0 || col > grid.state->colCount || col >= kColSlots) return kBadColumnIndex;
    const char* label = grid.state->colLabel[col];
    const int length = static_cast<int>(strnlen(label, kLabelChars - 1));
    if (buffer && size >= 1) {
        const int copied = length < size - 1 ? length : size - 1;
        memcpy(buffer, label, static_cast<size_t>(copied));
        buffer[copied] = '\0';
    }
    return length;
}

const char* GetCell(const Grid& grid, int mode, int row, int col, FieldDef* def) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    if (mode == 0) {
        if (!def || !ValidColumn(a, col) || col >= kColSlots) return TempText("");
        FillFieldDef(grid, col, def);
        return StoredTextForHost(CellText(a, row, col));
    }
    if (mode != 1 || !ValidColumn(a, s->curCol)) return TempText("");
    const bool currentCell = row == s->curRow && col == s->curCol;
    switch (a->colType[s->curCol]) {
        case FieldCheck:
            return ToggledCheckText(CellText(a, row, col));
        case FieldCombo:
            return currentCell ? EditorText(s, s->hwndCombo) : TempText("");
        default:
            return currentCell ? EditorText(s, s->hwndEdit) : TempText("");
    }
}

int ClearCells(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    ClearCellRange(a, 1, s->rowCount - 1, 1, s->colCount - 1);
    if (a->undoRecord) memset(a->undoRecord, 0, a->recordWidth);
    if (a->deletedRows) memset(a->deletedRows, 0, kDeletedSlots * static_cast<size_t>(DeletedSlotSize(a)));
    s->rowEdited = 0;
    RepaintErasing(grid);
    return kDone;
}

int ClearGrid(const Grid& grid) {
    ClearColLabels(grid);
    ClearCells(grid);
    RepaintErasing(grid);
    return kDone;
}

int ResizeRows(const Grid& grid, int n, bool keepTexts) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (s->colCount == 0) return 0;
    int capacity = ResizeRowBlock(a, n, keepTexts);
    if (!capacity) return 0;
    // Rows cut off the block must not stay reachable through the counts: the
    // last row that still exists becomes the new-record row.
    if (s->rowCount > a->rowCapacity - 1) {
        s->rowCount = a->rowCapacity - 1;
        a->maxRow = s->rowCount;
        ClearCellRange(a, s->rowCount, s->rowCount, 0, a->fieldCount - 1);
        if (s->curRow > s->rowCount) s->curRow = s->rowCount > 0 ? s->rowCount : 1;
        if (s->selectedRow >= s->rowCount) s->selectedRow = 0;
        ResetScrollRecords(s);
    }
    // DimRows discards every text: nothing the user did to the old rows can
    // be undone or undeleted into the empty ones.
    if (!keepTexts) ForgetEditHistory(grid);
    return capacity;
}

}  // namespace tabrix
