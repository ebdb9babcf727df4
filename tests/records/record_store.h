// A cell store shaped as DimCols and DefineField shape it, without a window,
// and readers that turn it into rows of texts for comparisons.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/cell_store.h"
#include "records/record_rows.h"
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

    int DataColumns() const { return a.fieldCount - 2; }
    std::string Text(int row, int col) const {
        const char* text = tabrix::CellText(&a, row, col);
        return text ? text : "<none>";
    }
    void Fill(const Rows& rows) {
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < rows[r].size(); ++c) {
                ASSERT_EQ(tabrix::StoreCell(&a, static_cast<int>(r + 1), static_cast<int>(c + 1), rows[r][c].c_str()),
                          tabrix::kStored);
            }
        }
        ASSERT_EQ(tabrix::StoreCell(&a, static_cast<int>(rows.size() + 1), 0, ""), tabrix::kStored);
    }
    // Rows 1 .. maxRow - 1, every data column: what a host sees.
    Rows DataRows() const {
        Rows rows;
        for (int row = 1; row < a.maxRow; ++row) {
            rows.emplace_back();
            for (int col = 1; col <= DataColumns(); ++col) rows.back().push_back(Text(row, col));
        }
        return rows;
    }
    bool NewRecordRowEmpty() const {
        for (int col = 1; col <= DataColumns(); ++col) {
            if (Text(a.maxRow, col) != "") return false;
        }
        return true;
    }
};

struct AllocationFailures {
    explicit AllocationFailures(int after) { tabrix::FailAllocationsAfter(after); }
    ~AllocationFailures() { tabrix::FailAllocationsAfter(-1); }
};
