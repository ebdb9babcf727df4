// A cell store shaped as DimCols and DefineField shape it, without a window,
// read back as rows of texts for comparisons.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/cell_store.h"
#include "support/memory.h"

using Rows = std::vector<std::vector<std::string>>;

struct RecordStore {
    GridArrays a{};
    // Data columns of the given declared sizes, then the undefined filler
    // column; the first tag byte of every column is allocated (and 0).
    explicit RecordStore(const std::vector<int>& sizes) {
        for (size_t i = 0; i < sizes.size() + 2; ++i) EXPECT_GE(tabrix::AddField(&a, 0), 0);
        for (size_t col = 1; col <= sizes.size(); ++col) {
            EXPECT_TRUE(tabrix::AppendFieldSlot(&a, static_cast<int>(col), sizes[col - 1]));
        }
        a.colTag1 = static_cast<uint8_t*>(tabrix::ZeroAlloc(static_cast<size_t>(a.fieldCount)));
    }
    ~RecordStore() { tabrix::FreeGridArrays(&a); }
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    std::string Text(int row, int col) const {
        const char* text = tabrix::CellText(&a, row, col);
        return text ? text : "<none>";
    }
    // Rows 1 .. n and the empty new-record row n + 1.
    void Fill(const Rows& rows) {
        for (int row = 1; row <= static_cast<int>(rows.size()); ++row) {
            for (int col = 1; col <= static_cast<int>(rows[row - 1].size()); ++col) {
                ASSERT_EQ(tabrix::StoreCell(&a, row, col, rows[row - 1][col - 1].c_str()), tabrix::kStored);
            }
        }
        ASSERT_EQ(tabrix::StoreCell(&a, static_cast<int>(rows.size() + 1), 0, ""), tabrix::kStored);
    }
    // What a host sees: rows 1 .. maxRow - 1 of every data column, and the
    // new-record row too when it is not empty (it must be).
    Rows DataRows() const {
        Rows rows;
        for (int row = 1; row <= a.maxRow; ++row) {
            rows.emplace_back();
            for (int col = 1; col <= a.fieldCount - 2; ++col) rows.back().push_back(Text(row, col));
        }
        const auto empty = [](const std::string& text) { return text.empty(); };
        if (!rows.empty() && std::all_of(rows.back().begin(), rows.back().end(), empty)) rows.pop_back();
        return rows;
    }
};

struct AllocationFailures {
    explicit AllocationFailures(int after) { tabrix::FailAllocationsAfter(after); }
    ~AllocationFailures() { tabrix::FailAllocationsAfter(-1); }
};
