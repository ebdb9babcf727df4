#include "edit/clipboard.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "edit/cell_moves.h"
#include "edit/navigation.h"
#include "edit/new_record_row.h"
#include "edit/notify.h"
#include "grid/cell_store.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "support/tab_text.h"
#include "support/text_scan.h"
#include "support/wide_text.h"
#include "view/accessible_ids.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

// As the editors show a cell: without trailing blanks; a deleted row's
// cells are empty.
void AppendCell(const GridArrays* a, int row, int col, std::string* out) {
    const char* first = CellText(a, row, 1);
    const char* text = CellText(a, row, col);
    if (!text || !first || IsDeletedMarker(first)) return;
    AppendTabField(out, text, TrimmedLength(text, strlen(text)));
}

bool SetClipboardBlock(UINT format, const void* data, size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* at = block ? GlobalLock(block) : nullptr;
    if (!at) {
        if (block) GlobalFree(block);
        return false;
    }
    memcpy(at, data, bytes);
    GlobalUnlock(block);
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

// The clipboard's text in the grid's code page: its Unicode text, or its
// ANSI text for a clipboard that has no other.
bool ClipboardText(const Grid& grid, std::string* text) {
    if (!OpenClipboard(grid.hwnd)) return false;
    bool found = false;
    if (HANDLE wide = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(wide))) {
            FromWide(chars, static_cast<int>(wcslen(chars)), TextCodePage(grid.state), text);
            GlobalUnlock(wide);
            found = true;
        }
    } else if (HANDLE ansi = GetClipboardData(CF_TEXT)) {
        if (auto* bytes = static_cast<const char*>(GlobalLock(ansi))) {
            if (Utf8Grid(grid.state)) {
                const std::wstring chars = ToWide(bytes, CP_ACP);
                FromWide(chars.c_str(), static_cast<int>(chars.size()), CP_UTF8, text);
            } else {
                text->assign(bytes);
            }
            GlobalUnlock(ansi);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

// The host destroyed the grid while it answered: nothing is left to record.
constexpr int kPasteGridGone = -1;

struct PasteState {
    int end, cells, row, col;
    // Read once for the paste's every notification.
    HostLine line;
};

bool CheckBoxValue(const std::string& text) { return text.empty() || text == "0" || text == "1"; }

// One cell as a commit stores it: the host asked first; kPasteDone when the
// paste goes on.
int PasteCell(const Grid& grid, int row, int col, const std::string& text, PasteState* paste) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (a->colLocked[col]) return kPasteDone;
    // Over-long texts stop before the host is asked, as over-long commits do.
    if (text.size() > static_cast<size_t>(DeclaredSize(a, col))) return kPasteTooLong;
    if (a->colType[col] == FieldCheck && !CheckBoxValue(text)) return kPasteNotCheck;
    const char* old = CellText(a, row, col);
    if (old && TrimmedLength(old, strlen(old)) == text.size() && memcmp(old, text.data(), text.size()) == 0) {
        return kPasteDone;
    }
    const WPARAM wParam = PackWords(static_cast<int>(paste->line.id), a->colTag1[col]);
    const LPARAM lParam = PackWords(row, col);
    const NotifyCell cell{row, col};
    const LRESULT reply = NotifyHost(grid, grid.hwnd, GN_CELLCHANGING, wParam, lParam, cell, &paste->line);
    if (!GridSurvived(grid)) return kPasteGridGone;
    // The host may have reloaded or reshaped the grid while it answered.
    if (reply || row > s->rowCount || col >= s->colCount || !ValidColumn(a, col)) return kPasteRefused;
    if (StoreCell(a, row, col, text.c_str()) != kStored) return kPasteTooLong;
    MarkRowModified(a, row);
    s->rowEdited = 1;
    s->dataChanged = 1;
    ++paste->cells;
    NotifyHost(grid, grid.hwnd, GN_CELLCHANGED, wParam, lParam, cell, &paste->line);
    if (!GridSurvived(grid)) return kPasteGridGone;
    // The bar is set once the paste is over: each setting redraws it.
    if (row == s->rowCount && !text.empty()) AppendNewRecordRow(grid, row, BarUpdate::Later);
    return kPasteDone;
}

// The current row moves on as a key move would: the host is asked to leave
// an edited row, and the row entered gets its undo snapshot.
// The view is left alone until the paste is over, and so is the focus.
int EnterRow(const Grid& grid, int row, const PasteState& paste) {
    GridState* s = grid.state;
    if (s->rowEdited) {
        const Leave leave = AskRowChange(grid, s->curRow, FocusAfter::Unchanged, &paste.line);
        if (leave == Leave::GridGone) return kPasteGridGone;
        if (leave == Leave::Refused) return kPasteRowRefused;
    }
    s->curRow = row;
    SaveUndoRow(s, grid.arrays);
    return kPasteDone;
}

// Fields past the last column are read and dropped.
int PasteRows(const Grid& grid, TabReader* reader, PasteState* paste) {
    GridState* s = grid.state;
    const int firstRow = s->curRow, firstCol = s->curCol;
    std::string field;
    bool lastOfRow = false, roomMade = false;
    for (int row = firstRow; reader->Next(&field, &lastOfRow); ++row) {
        if (row > s->rowCount) return kPasteDone;  // an empty new-record row added none after it
        paste->row = row;
        paste->col = firstCol;
        if (row > firstRow) {
            const int entered = EnterRow(grid, row, *paste);
            if (entered != kPasteDone) return entered;
        }
        const char* first = CellText(grid.arrays, row, 1);
        if (!first || IsDeletedMarker(first)) return kPasteDeletedRow;
        // Rows past the last get their room at once: growing the block a row
        // at a time copies it and faults in fresh pages again and again.
        // Without the memory, each row still grows it as it comes.
        if (row == s->rowCount && !roomMade) {
            roomMade = true;
            const size_t rows = std::min<size_t>(reader->RowsLeft(), static_cast<size_t>(INT_MAX - row));
            MakeRoomForRow(grid.arrays, row - 1 + static_cast<int>(rows));
        }
        for (int col = firstCol;; ++col) {
            if (col >= s->colCount) {
                while (!lastOfRow) reader->Next(&field, &lastOfRow);
                break;
            }
            paste->col = col;
            const int done = PasteCell(grid, row, col, field, paste);
            if (done != kPasteDone) return done;
            if (lastOfRow) break;
            reader->Next(&field, &lastOfRow);
        }
    }
    return kPasteDone;
}

}  // namespace

bool CellsText(const Grid& grid, int row1, int col1, int row2, int col2, std::string* text) {
    const GridState* s = grid.state;
    if (row1 < 1 || row1 > row2 || row2 > s->rowCount || col1 < 1 || col1 > col2 || col2 > s->colCount - 1) {
        return false;
    }
    for (int row = row1; row <= row2; ++row) {
        if (row > row1) text->append("\r\n");
        for (int col = col1; col <= col2; ++col) {
            if (col > col1) text->push_back('\t');
            AppendCell(grid.arrays, row, col, text);
        }
    }
    return true;
}

bool CopyToClipboard(const Grid& grid) {
    const GridState* s = grid.state;
    std::string text;
    const int row = s->selectedRow > 0 ? s->selectedRow : s->curRow;
    const bool whole = s->selectedRow > 0;
    if (!CellsText(grid, row, whole ? 1 : s->curCol, row, whole ? s->colCount - 1 : s->curCol, &text)) return false;
    std::wstring wide;
    ToWide(text.data(), static_cast<int>(text.size()), TextCodePage(s), &wide);
    std::string ansi;
    if (Utf8Grid(s)) {
        FromWide(wide.data(), static_cast<int>(wide.size()), CP_ACP, &ansi);
    } else {
        ansi = text;
    }
    if (!OpenClipboard(grid.hwnd)) return false;
    EmptyClipboard();
    const bool put = SetClipboardBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) &&
                     SetClipboardBlock(CF_TEXT, ansi.c_str(), ansi.size() + 1);
    CloseClipboard();
    return put;
}

int PasteText(const Grid& grid, const char* text) {
    GridState* s = grid.state;
    PasteState paste{kPasteDone, 0, s->curRow, s->curCol, HostLine{}};
    if (s->readOnly || !HasCells(s)) {
        paste.end = kPasteReadOnly;
    } else if (!text || !*text) {
        paste.end = kPasteNoText;
    } else {
        const int firstCol = s->curCol;
        paste.line = HostLineOf(grid);
        TabReader reader(text, strlen(text));
        paste.end = PasteRows(grid, &reader, &paste);
        if (paste.end == kPasteGridGone) return paste.cells;
        s->curCol = firstCol;
        KeepRowInView(s);
        s->barsDrawnLater = 1;
        ApplyScrollBar(grid, SB_VERT);
        ApplyScrollBar(grid, SB_HORZ);
        s->barsDrawnLater = 0;
        s->lastClickRow = s->curRow;
        s->lastClickCol = s->curCol;
        RequestRepaint(grid);
        // One event for the whole paste: assistive technology reads the rows again.
        if (paste.cells > 0) AnnounceEvent(grid, EVENT_OBJECT_REORDER, CHILDID_SELF);
    }
    s->pasteEnd = paste.end;
    s->pasteCells = paste.cells;
    s->pasteRow = paste.row;
    s->pasteCol = paste.col;
    return paste.cells;
}

int PasteFromClipboard(const Grid& grid) {
    std::string text;
    return PasteText(grid, ClipboardText(grid, &text) ? text.c_str() : nullptr);
}

int PasteResult(const Grid& grid, int32_t* cells, int32_t* row, int32_t* col) {
    const GridState* s = grid.state;
    if (cells) *cells = s->pasteCells;
    if (row) *row = s->pasteRow;
    if (col) *col = s->pasteCol;
    return s->pasteEnd;
}

}  // namespace tabrix
