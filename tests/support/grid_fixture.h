// The one grid fixture: a host window with one grid in it, the shapes tests
// give it, and small readers of what it shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    // GetCell of any grid; `heading` receives the column's heading.
    static std::string CellOf(HWND g, int row, int col, int mode = 0, std::string* heading = nullptr) {
        char label[256] = "";
        FieldDef def{};
        def.label = label;
        std::string text = GetCell(g, mode, row, col, &def);
        if (heading) *heading = label;
        return text;
    }
    std::string Cell(int row, int col, int mode = 0) { return CellOf(grid, row, col, mode); }
    std::string Heading(int col) { std::string heading; return CellOf(grid, 1, col, 0, &heading), heading; }
    // n text columns of the given size.
    void Shape(int n, int size, int width = 60) { ASSERT_TRUE(testing_host::ShapeGrid(grid, n, size, width)); }
    // One column per definition, of the given types (text where none is given).
    void Columns(const std::vector<FieldDef>& defs, const std::vector<int>& types = {}) {
        ASSERT_EQ(DimCols(grid, static_cast<int>(defs.size())), 1);
        for (size_t i = 0; i < defs.size(); ++i) {
            ASSERT_EQ(DefineField(grid, static_cast<int>(i) + 1, i < types.size() ? types[i] : 0, &defs[i]), 1);
        }
    }
    // `cols` text columns of 10 characters, `width` pixels wide, and `rows`
    // data rows "rNcM", sized and painted.
    void Table(int cols, int rows, int width = 60) {
        Shape(cols, 10, width);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= cols; ++c) ASSERT_EQ(CreateCell(grid, r, c, Text(r, c).c_str()), 1);
        }
        Settle();
    }
    static std::string Text(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }
    void Settle() {  // sized and painted: clicks use the geometry of the last paint
        SendMessageA(grid, WM_SIZE, 0, 0);
        testing_host::PumpMessages();
    }
    void Expect(int row, int col) {
        EXPECT_EQ(GetCurrentRow(grid), row);
        EXPECT_EQ(GetCurrentCol(grid), col);
    }
    // Whole rows (or columns) the scroll bar pages by.
    int Page(int bar = SB_VERT) {
        SCROLLINFO info{sizeof info, SIF_PAGE, 0, 0, 0, 0, 0};
        GetScrollInfo(grid, bar, &info);
        return static_cast<int>(info.nPage);
    }
    static HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

    testing_host::TestHost host;
    HWND grid = nullptr;
};
