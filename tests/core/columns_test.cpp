#include <string>
#include <tuple>
#include <vector>

#include "tests/support/grid_fixture.h"

using testing_host::ColumnField;

// Counts, sizes and columns off the edges of a 3-column grid are in the
// bad-input matrix; these are the edges of the 502-entry column table.
TEST_F(GridTest, DimColsTakesOneToFiveHundredColumnsOfOnlyTheEmptyText) {
    EXPECT_EQ(DimCols(grid, 501), -4);
    EXPECT_EQ(GetColCount(grid), 1) << "a refused count changes nothing";
    EXPECT_EQ(DimCols(grid, 500), 1);
    EXPECT_EQ(GetColCount(grid), 500);
    EXPECT_EQ(state()->undoEnabled, 0) << "DimCols drops the undo buffers";
    EXPECT_EQ(CreateCell(grid, 1, 2, "a"), -2) << "the host must hear that nothing was stored";
    EXPECT_EQ(GetRowCount(grid), -1) << "a refused cell adds no row";
    EXPECT_EQ(CreateCell(grid, 1, 2, ""), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(GetColWidth(grid, 502), 0);
    for (auto [col, size, lock] : {std::tuple{502, 0, -2}, {500, 1, 0}, {501, 1, 0}}) {  // 501: the filler
        EXPECT_EQ(GetFldSize(grid, col), size) << col;
        EXPECT_EQ(LockField(grid, col, 1), lock) << col;  // 0 when it locks
    }
}

TEST_F(GridTest, DefineFieldChecksTypeAndFieldDefBeforeTheHandle) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def = ColumnField("", 50, 5);
    EXPECT_EQ(DefineField(grid, 2, 0, nullptr), -1);
    for (int type : {3, -1}) {
        for (HWND target : {grid, host.hwnd(), HWND{}}) EXPECT_EQ(DefineField(target, 2, type, &def), -2) << type;
    }
    EXPECT_EQ(GetFldSize(grid, 2), 1) << "refusals change nothing";
}

TEST_F(GridTest, ColumnDefinitionsAndLabelsComeBackThroughGetCell) {
    Shape(5, 4);
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 7);
    ASSERT_EQ(DimCols(grid, 2), 1);
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 2) << "row header and filler only";
    FieldDef in = ColumnField("Amount", 80, 12, 2, RGB(1, 2, 3), RGB(4, 5, 6), "Courier New");
    in.tag1 = 0x1FF;
    in.tag2 = 2;
    in.tag3 = 3;
    in.multiline = 1;
    in.locked = 1;
    ASSERT_EQ(DefineField(grid, 2, tabrix::FieldCombo, &in), 1);
    CreateCell(grid, 1, 2, "42");
    char label[256] = "junk";
    FieldDef out{};
    out.label = label;
    out.align = 77;
    EXPECT_STREQ(GetCell(grid, 0, 1, 2, &out), "42");
    EXPECT_STREQ(label, "Amount");
    EXPECT_EQ(GetColWidth(grid, 2), 80);
    // Every field the grid keeps comes back; tag1 keeps its low byte.
    EXPECT_EQ(std::vector<int>({out.width, out.size, out.tag1, out.tag2, out.tag3, out.align, out.multiline, out.locked}),
              std::vector<int>({80, 12, 0xFF, 2, 3, 2, 1, 1}));
    EXPECT_EQ(std::vector<int>({out.textColor, out.backColor, out.fontSize, out.fontWeight, out.fontItalic}),
              std::vector<int>({RGB(1, 2, 3), RGB(4, 5, 6), 10, 700, 0}));
    EXPECT_STREQ(out.fontFace, "Courier New");
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 3);

    EXPECT_EQ(ClearColLabels(grid), 1);
    GetCell(grid, 0, 1, 2, &out);
    EXPECT_STREQ(label, "");
    EXPECT_EQ(InsertColLabel(grid, 40, "x", 502, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, "last", 501, 0), 1);
    EXPECT_EQ(GetColWidth(grid, 501), 40);
    const std::string longLabel(300, 'L');
    EXPECT_EQ(InsertColLabel(grid, 40, longLabel.c_str(), 2, 0), 1);
    GetCell(grid, 0, 1, 2, &out);
    EXPECT_EQ(label, longLabel.substr(0, 255));
}

TEST_F(GridTest, FieldDefinedOnAFreshGridKeepsItsRows) {
    // A new grid already stores rows 1 and 2 (and an undo snapshot) in a
    // one-column layout; widening the record must carry them over.
    FieldDef def = ColumnField("", 50, 20);
    ASSERT_EQ(DefineField(grid, 1, 0, &def), 1);
    EXPECT_EQ(CreateCell(grid, 1, 1, "twenty characters!!!"), 1);
    EXPECT_EQ(CreateCell(grid, 2, 1, "second"), 1);
    EXPECT_EQ(Cell(1, 1) + "|" + Cell(2, 1) + "|" + Cell(3, 1), "twenty characters!!!|second|");
    EXPECT_EQ(GetRowCount(grid), 2);
}
