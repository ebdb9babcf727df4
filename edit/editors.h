// The in-cell editors: an edit control for text fields and a drop-down
// combo box for list fields, laid over the current cell.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// The grid's combo box, created once with the grid and shown only over a
// list cell; false when it could not be created.
bool CreateComboBox(const Grid& grid);
// Where the text editor, or the list editor, sits in the current cell's
// rectangle (curCellRect), at the grid's resolution.
RECT EditorPlace(const GridState* state, bool combo);
void MoveEditor(HWND editor, const RECT& place);
// Both editors take fonts made anew: the cell font, or an open editor's
// column font, at the grid's resolution.
void RefitEditorFonts(const Grid& grid);
// SetGridCodePage: 0 (the ANSI code page) or CP_UTF8; 0 for another value
// or while an editor is open. Stored bytes stay as they are.
int SetTextCodePage(const Grid& grid, int codePage);
// Opens the editor of the current cell's column (run on the release of F2).
void OpenEditor(const Grid& grid);
// Finishes the open edit: kDone when no editor stays open (text stored or
// unchanged), kEditRefused when the host refused the text, the text does not
// fit its field, or the host destroyed the grid meanwhile.
int CommitEdit(const Grid& grid);
// The one check before an operation that must not carry an open editor's
// text elsewhere: commits it, true when no editor stays open.
bool EditorClosed(const Grid& grid);
// For the operations that go on whatever the host answers about the open
// edit: commits it, false only when the host destroyed the grid meanwhile.
bool CommitIfEditing(const Grid& grid);
// After the host stored a new text in the cell being edited: the editor
// shows it, so the commit that follows does not write the old text back.
void ShowStoredTextInEditor(const Grid& grid, int row, int col);
// Closes the open editor without storing anything (Escape).
void CancelEdit(const Grid& grid);
// Closes an open editor for a host about to read the data: the row then
// counts as edited, so leaving it asks the host.
int FinishEditing(const Grid& grid);
// Read-only grids open no editor; an open one is committed first, and a
// refused commit leaves the grid writable (answer kEditRefused).
int GridReadOnly(const Grid& grid, int value);
// WM_COMMAND from the combo box; false for anything else.
bool OnComboCommand(const Grid& grid, WPARAM wParam);

}  // namespace tabrix
