// Row states, check boxes, deletion and undeletion, undo of the edited row.
#include <functional>

#include "tests/edit/session.h"

namespace {

class RowsTest : public EditSession {
protected:
    void ExpectNothingToUndo() {
        EXPECT_EQ(CanUndoRow(grid), 0);
        EXPECT_EQ(CanUndoField(grid), 0);
        EXPECT_EQ(UndoRow(grid), 1);
        EXPECT_EQ(UndoField(grid), 1);
    }
};

TEST_F(RowsTest, UndoRestoresEveryColumnWhereverItsSlotLies) {
    // Column 2 defined before column 1, and column 1 again last: no byte range.
    ASSERT_EQ(DimCols(grid, 3), 1);
    FieldDef def = testing_host::ColumnField("c", 60, 10);
    for (int col : {2, 1, 3, 1}) ASSERT_EQ(DefineField(grid, col, 0, &def), 1);
    for (int c = 1; c <= 3; ++c) CreateCell(grid, 2, c, Text(2, c).c_str());
    Settle();
    ASSERT_EQ(SetUndoBuffer(grid), 1);
    Click(2, 1), Type("a\tb\tc");
    EXPECT_EQ(UndoRow(grid), 1) << "commits the open editor, then undoes the row";
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(Cell(2, c), Text(2, c));
    EXPECT_EQ(RowModified(grid, 2), 0);
}

TEST_F(RowsTest, UndoNeverWritesAnotherRowsSnapshot) {
    const struct { const char* name; std::function<void()> move; } moves[] = {
        {"ViewGrid restore", [this] { ViewGrid(grid, 1); }},
        {"read-only paint", [this] { GotoCell(grid, 5, 1), GridReadOnly(grid, 1), UpdateWindow(grid); }},
        {"row-header press released outside", [this] { Mouse(WM_LBUTTONDOWN, 1, 0); }},
        {"load", [this] { LoadRecordsetDelimited(grid, "a,b\r\nc,d", "\r\n", ","); }},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.name);
        Table(2, 4);
        ASSERT_EQ(SetUndoBuffer(grid), 1);
        ViewGrid(grid, 0);
        Edit(3, 1, "");  // the snapshot is of row 3
        m.move();
        const int row = GetCurrentRow(grid);
        ASSERT_NE(row, 3);
        const std::string before = GetRecordRAF(grid, row);
        ExpectNothingToUndo();
        EXPECT_EQ(GetRecordRAF(grid, row), before);
        GridReadOnly(grid, 0);
    }
}

TEST_F(RowsTest, WithUndoDisabledNothingIsUndoneButRowsAreDeleted) {
    Table(2, 3);  // DimCols without SetUndoBuffer
    Edit(2, 1, "x\n");
    ExpectNothingToUndo();
    EXPECT_EQ(Cell(2, 1), "r2c1x");
    Delete(2);
    EXPECT_EQ(CanUndeleteRow(grid), 0);
    EXPECT_EQ(UndeleteRow(grid), 1);
    EXPECT_EQ(RowModified(grid, 2), 3) << "deleted, and nothing to bring back";
}

}  // namespace
