// The cell store: fixed-width row records in one block, laid out by the field
// table. Nothing here touches a window, so it is tested on its own.
#pragma once

#include <cstdint>

#include "grid/grid_arrays.h"
#include "support/answers.h"

namespace tabrix {

// kStored, kBadCell, kTooLong or kCouldNotGrow.
int StoreCell(GridArrays* arrays, int row, int col, const char* text);
// Address of the stored text, or null outside rows 0 .. maxRow or the field table.
const char* CellText(const GridArrays* arrays, int row, int col);
// Start of row's record, or null outside the allocated rows.
uint8_t* RowRecord(const GridArrays* arrays, int row);

// Makes room for `row` (and the row after it); 1, or 0 with the old block kept.
int GrowRows(GridArrays* arrays, int row);
// Room for `rows` rows and the two after them, at least doubling the
// capacity when it grows: for bulk loads, where every growth copies the
// block and faults in fresh pages.
bool ReserveRowsDoubling(GridArrays* arrays, int64_t rows);
// Makes sure `row` and the row after it (the next new-record row) exist;
// false, with the block unchanged, when they cannot.
bool MakeRoomForRow(GridArrays* arrays, int row);
// Reallocates the block to max(1, n + 1) + 2 rows, keeping the texts that fit
// when keepTexts is set. Answers the new capacity, or 0 with the old block
// kept. maxRow is lowered to the last row that still exists.
int ResizeRowBlock(GridArrays* arrays, int n, bool keepTexts);

// Appends a slot of size + 1 bytes to the field table; its index, or -1.
int AddField(GridArrays* arrays, int size);
// Gives `col` a new slot of size + 1 bytes at the end of the record. Rows
// already stored, the undo record and the deleted-row stack are laid out
// again for the wider record. False (nothing changed) when memory runs out.
bool AppendFieldSlot(GridArrays* arrays, int col, int size);

// Empties the data cells of rows first .. last and columns firstCol .. lastCol.
void ClearCellRange(GridArrays* arrays, int firstRow, int lastRow, int firstCol, int lastCol);

// Undo record and deleted-row stack sized for the current record width.
bool AllocUndoBuffers(GridArrays* arrays);
// Copies `row` into the undo record (zeros for a row outside the block).
void CopyRowToUndo(GridArrays* arrays, int row);
// Pushes a copy of `row` onto the deleted-row stack, dropping the oldest
// entry; 0 (nothing pushed) while undo buffers are absent or row is outside.
int PushDeletedRow(GridArrays* arrays, int row);

// Releases every array and zeroes the record.
void FreeGridArrays(GridArrays* arrays);

}  // namespace tabrix
