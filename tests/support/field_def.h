// Columns as tests, benchmarks and tools shape them: the one builder.
#pragma once

#include "exports/tabrix32.h"

namespace testing_host {

// A column field; a face name gives the column a bold 10-point font of it.
inline FieldDef ColumnField(const char* label, int width, int size, int align = 0, int textColor = 0,
                            int backColor = 0, const char* face = nullptr) {
    FieldDef def{};
    def.label = const_cast<char*>(label);
    def.width = width;
    def.size = size;
    def.align = align;
    def.textColor = textColor;
    def.backColor = backColor;
    def.fontFace = face;
    def.fontSize = 10;
    def.fontWeight = 700;
    return def;
}

// n text columns of `size` characters, `width` pixels wide; false when the
// grid refused any step.
inline bool ShapeGrid(HWND grid, int n, int size, int width = 60) {
    if (DimCols(grid, n) != 1) return false;
    for (int col = 1; col <= n; ++col) {
        FieldDef def = ColumnField("col", width, size);
        if (DefineField(grid, col, 0, &def) != 1) return false;
    }
    return true;
}

}  // namespace testing_host
