// How a load shaped a grid's columns, checked against a table.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "exports/tabrix32.h"
#include "grid/grid_arrays.h"

namespace testing_host {

struct ColumnShape {
    int col, width, size, align, locked, type;
};

// Width and field size are what a host reads; alignment, lock and type no
// export shows.
inline void ExpectColumnShapes(HWND grid, const GridArrays* a, std::initializer_list<ColumnShape> shapes) {
    for (const ColumnShape& c : shapes) {
        EXPECT_EQ(GetColWidth(grid, c.col), c.width) << c.col;
        EXPECT_EQ(GetFldSize(grid, c.col), c.size) << c.col;
        EXPECT_EQ(a->colAlign[c.col], c.align) << c.col;
        EXPECT_EQ(a->colLocked[c.col], c.locked) << c.col;
        EXPECT_EQ(a->colType[c.col], c.type) << c.col;
        EXPECT_EQ(a->colMultiline[c.col], 4) << c.col << ": every new column wraps";
    }
}

}  // namespace testing_host
