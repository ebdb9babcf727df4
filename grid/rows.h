// The row and cell operations hosts call; the store itself is cell_store.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int CreateCell(const Grid& grid, int row, int col, const char* text);
int SetCellText(const Grid& grid, int row, int col, const char* text);
// GetColLabel: copies what fits of column `col`'s heading, answers its length.
int ColumnLabel(const Grid& grid, int col, char* buffer, int size);
const char* GetCell(const Grid& grid, int mode, int row, int col, FieldDef* def);
// Both leave an open editor to the caller, which commits it first.
int ClearCells(const Grid& grid);
int ClearGrid(const Grid& grid);
// DimRows discards every text; RedimPreserveRows keeps the rows that fit.
int ResizeRows(const Grid& grid, int n, bool keepTexts);

// Scroll records back to the top left, as after filling.
void ResetScrollRecords(GridState* state);

}  // namespace tabrix
