// Columns: the field table, the per-column settings and the header items.
#pragma once

#include "grid/grid_state.h"

namespace tabrix {

int DimCols(const Grid& grid, int n);
// `type` is checked by the caller, before the handle.
int DefineField(const Grid& grid, int col, int type, const FieldDef* def);
int DefineRawField(const Grid& grid, int size, int col, uint8_t locked, int type);
int InsertColLabel(const Grid& grid, int width, const char* text, int index, int align);
int ClearColLabels(const Grid& grid);
int LockField(const Grid& grid, int col, uint8_t locked);
int GetColWidth(const Grid& grid, int col);
int GetFldSize(const Grid& grid, int col);

inline bool ValidFieldType(int type) { return type >= FieldText && type <= FieldCombo; }

}  // namespace tabrix
