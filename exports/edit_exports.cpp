// Exports of input and edit state: check the handle, fetch the records,
// hand over.
#include <string>

#include "control/host_hook.h"
#include "edit/clipboard.h"
#include "edit/deletion.h"
#include "edit/editors.h"
#include "edit/focus.h"
#include "edit/undo.h"
#include "grid/grid_access.h"
#include "grid/row_states.h"
#include "support/temp_string.h"

using tabrix::ChangeGrid;
using tabrix::WithGrid;

extern "C" {

HWND WINAPI GridGetFocus(void) { return tabrix::input.lastFocusGrid; }

void WINAPI TrapInitMenuPopup(HWND host) { tabrix::TrapInitMenuPopup(host); }

int32_t WINAPI UndoRow(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::UndoRow(g); });
}

int32_t WINAPI UndoField(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::UndoField(g); });
}

int32_t WINAPI CanUndoRow(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return tabrix::CanUndoRow(g); });
}

int32_t WINAPI CanUndoField(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return tabrix::CanUndoField(g); });
}

int32_t WINAPI UndeleteRow(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::UndeleteRow(g); });
}

int32_t WINAPI CanUndeleteRow(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return tabrix::CanUndeleteRow(g); });
}

int32_t WINAPI DeleteGridRow(HWND hwnd) {
    return WithGrid(hwnd, [](const Grid& g) { return tabrix::DeleteGridRow(g); });
}

int32_t WINAPI SelectRow(HWND hwnd, int32_t row) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::SelectRow(g, row); });
}

int32_t WINAPI CanDeleteRow(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return tabrix::CanDeleteRow(g); });
}

int32_t WINAPI RowModified(HWND hwnd, int32_t row) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::RowModified(g.arrays, row); });
}

int32_t WINAPI ResetRowModified(HWND hwnd, int32_t row) {
    return WithGrid(hwnd, [&](const Grid& g) { return tabrix::ResetRowModified(g, row); });
}

int32_t WINAPI GridDataChanged(HWND hwnd) {
    return tabrix::WithComparedGrid(hwnd, [](const Grid& g) { return g.state->dataChanged; });
}

void WINAPI SetModify(HWND hwnd, int32_t value) {
    WithGrid(hwnd, [&](const Grid& g) {
        g.state->dataChanged = value;
        return tabrix::kDone;
    });
}

int32_t WINAPI FinishEditing(HWND hwnd) {
    return ChangeGrid(hwnd, [](const Grid& g) { return tabrix::FinishEditing(g); });
}

// The new-record row shows or hides with the mode, so the grid is drawn again.
int32_t WINAPI GridReadOnly(HWND hwnd, int32_t value) {
    return ChangeGrid(hwnd, [&](const Grid& g) { return tabrix::GridReadOnly(g, value); });
}

const char* WINAPI GetCellsText(HWND hwnd, int32_t row1, int32_t col1, int32_t row2, int32_t col2) {
    return tabrix::WithComparedGridText(hwnd, tabrix::kNotGridText, [&](const Grid& g) -> const char* {
        std::string text;
        if (!tabrix::CellsText(g, row1, col1, row2, col2, &text)) return tabrix::TempText("");
        return tabrix::TempCopy(text.data(), text.size());
    });
}

int32_t WINAPI CopyCells(HWND hwnd) {
    return WithGrid(hwnd, [](const Grid& g) {
        if (!tabrix::EditorClosed(g)) return tabrix::kEditRefused;
        return tabrix::CopyToClipboard(g) ? tabrix::kDone : 0;
    });
}

int32_t WINAPI PasteCells(HWND hwnd, const char* text) {
    return WithGrid(hwnd, [&](const Grid& g) {
        if (!tabrix::EditorClosed(g)) return tabrix::kEditRefused;
        return text ? tabrix::PasteText(g, text) : tabrix::PasteFromClipboard(g);
    });
}

int32_t WINAPI GetPasteResult(HWND hwnd, int32_t* cells, int32_t* row, int32_t* col) {
    return tabrix::WithComparedGrid(hwnd, [&](const Grid& g) { return tabrix::PasteResult(g, cells, row, col); });
}

}  // extern "C"
