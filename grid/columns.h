// Columns: the field table, the per-column settings and the header items.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

// 1 .. 500 data columns.
bool ColumnCountFits(int n);
// The grid's columns made anew, every text and label gone; an open editor
// must be closed first.
int DimCols(const Grid& grid, int n);
// `type` is checked by the caller, before the handle.
int DefineField(const Grid& grid, int col, int type, const FieldDef* def);
// What DefineField sets besides the label, the slot and the tags: width,
// alignment, line wrapping, colours, font, lock and type. odbcInitColumn
// is exactly this.
void ApplyColumnSettings(const Grid& grid, int col, int type, const FieldDef& def);
// A refresh of a column already defined: label, tags and settings change in
// place, and a new slot is appended only when the declared size changes,
// so reloading a query does not widen the record every time.
int RedefineFieldInPlace(const Grid& grid, int col, int type, const FieldDef* def);
int DefineRawField(const Grid& grid, int size, int col, uint8_t locked, int type);
int InsertColLabel(const Grid& grid, int width, const char* text, int index, int align);
int ClearColLabels(const Grid& grid);
// The row header and the filler column take the width the grid's
// resolution gives them.
void ResizeOwnColumns(const Grid& grid);
// Inserts or sets a header item through the grid's scratch item record,
// whose mask always carries width, text and format, and its format HDF_STRING.
void SendHeaderItem(const Grid& grid, UINT message, int index, int width, const char* text, int align);
int LockField(const Grid& grid, int col, uint8_t locked);
// Width of column `col` (0 is the row header), 0 outside the width table.
int ColumnWidth(const GridState* state, int col);
int GetFldSize(const Grid& grid, int col);

// 0 left, 1 right, 2 centre, the same values as the header's and the text
// drawing's flags; anything else reads as left.
inline int ColumnAlignment(const GridArrays* a, int col) {
    const int align = a->colAlign && ValidColumn(a, col) ? a->colAlign[col] : 0;
    return align >= 0 && align <= 2 ? align : 0;
}

inline bool ValidFieldType(int type) { return type >= FieldText && type <= FieldCombo; }

}  // namespace tabrix
