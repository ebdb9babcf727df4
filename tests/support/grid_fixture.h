// The one grid fixture: a host window with one grid in it, and small
// readers of the grid's state.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exports/tabrix32.h"
#include "grid/grid_access.h"
#include "support/memory.h"
#include "tests/support/field_def.h"
#include "tests/support/test_host.h"

class GridTest : public testing::Test {
protected:
    void SetUp() override {
        grid = CreateGrid(host.hwnd(), host.instance(), 0, 77, 0, 0, 400, 300);
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override {
        tabrix::FailAllocationsAfter(-1);
        if (IsWindow(grid)) DestroyWindow(grid);
    }

    GridState* state() const { return tabrix::GridFromWindow(grid).state; }
    GridArrays* arrays() const { return tabrix::GridFromWindow(grid).arrays; }
    std::string Cell(int row, int col, int mode = 0) {
        char label[256];
        FieldDef def{};
        def.label = label;
        return GetCell(grid, mode, row, col, &def);
    }
    // n text columns of the given size.
    void Shape(int n, int size, int width = 60) { ASSERT_TRUE(testing_host::ShapeGrid(grid, n, size, width)); }

    testing_host::TestHost host;
    HWND grid = nullptr;
};
