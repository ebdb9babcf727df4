// Columns as tests, benchmarks and tools shape them: the one builder.
#pragma once

#include "exports/tabrix32.h"

namespace testing_host {

// A column field; a face name gives the column a bold 10-point font of it.
inline FieldDef ColumnField(const char* label, int width, int size, int align = 0, int textColor = 0,
                            int backColor = 0, const char* face = nullptr) {
    return FieldDef{const_cast<char*>(label), width, size, align, 0, 0, 0, textColor, backColor, 0, 0, face, 10, 700,
                    0, 0};
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
