// Copy and paste: the grid's cells as tab-separated text, on the clipboard
// or handed to the host.
#pragma once

#include <string>

#include "grid/grid_state.h"

namespace tabrix {

// The cells of rows row1..row2 and columns col1..col2 as one text: tabs
// between columns, CR LF between rows, each cell as the editors show it.
// False for a rectangle outside the data rows and columns.
bool CellsText(const Grid& grid, int row1, int col1, int row2, int col2, std::string* text);

// Ctrl+C: the selected row's data columns, or else the current cell.
// False when the clipboard could not be taken.
bool CopyToClipboard(const Grid& grid);

// Ctrl+V: `text` (null: the clipboard's) pasted from the current cell, cell
// by cell as typing stores them. Answers the cells changed; how the paste
// ended is kept for GetPasteResult.
int PasteText(const Grid& grid, const char* text);
int PasteFromClipboard(const Grid& grid);

int PasteResult(const Grid& grid, int32_t* cells, int32_t* row, int32_t* col);

}  // namespace tabrix
