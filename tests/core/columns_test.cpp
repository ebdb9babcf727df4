#include <string>
#include <vector>

#include "tests/support/grid_fixture.h"

using testing_host::ColumnField;

TEST_F(GridTest, DimColsTakesOneToFiveHundredColumnsOfOnlyTheEmptyText) {
    EXPECT_EQ(DimCols(grid, 0), -4);
    EXPECT_EQ(DimCols(grid, 501), -4);
    EXPECT_EQ(GetColCount(grid), 1) << "a refused count changes nothing";
    EXPECT_EQ(DimCols(grid, 500), 1);
    EXPECT_EQ(GetColCount(grid), 500);
    EXPECT_EQ(state()->undoEnabled, 0) << "DimCols drops the undo buffers";
    EXPECT_EQ(CreateCell(grid, 1, 2, "a"), -2) << "the host must hear that nothing was stored";
    EXPECT_EQ(GetRowCount(grid), -1) << "a refused cell adds no row";
    EXPECT_EQ(CreateCell(grid, 1, 2, ""), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(GetColWidth(grid, 0), 35);
    for (int col : {-1, 502}) EXPECT_EQ(GetColWidth(grid, col), 0) << col;
    const struct {
        int col, size, lock;  // LockField answers 0 when it locks
    } cases[] = {{-1, 0, -2}, {502, 0, -2}, {0, 1, 0}, {1, 1, 0}, {500, 1, 0}, {501, 1, 0}};  // 501: the filler
    for (const auto& c : cases) {
        EXPECT_EQ(GetFldSize(grid, c.col), c.size) << c.col;
        EXPECT_EQ(LockField(grid, c.col, 1), c.lock) << c.col;
    }
}

TEST_F(GridTest, DefineFieldChecksItsArgumentsAndRefusalsChangeNothing) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    const struct {
        int target, col, type, size, answer;  // target: grid, host, none; size 0: no FieldDef at all
    } cases[] = {
        {0, 1, 0, 32000, 1}, {0, 2, 0, 32001, -4}, {0, 2, 0, -1, -1}, {0, 2, 0, 0, -1}, {0, 2, 3, 5, -2},
        {1, 2, 3, 5, -2},    {2, 2, -1, 5, -2},    {1, 2, 0, 5, -3},  {0, 3, 0, 5, 1},  {0, 4, 0, 5, 0},
        {0, 0, 0, 5, 0},  // the type is checked before the handle; the filler column (3) may be defined
    };
    const HWND targets[] = {grid, host.hwnd(), nullptr};
    for (const auto& c : cases) {
        FieldDef def = ColumnField("", 50, c.size);
        EXPECT_EQ(DefineField(targets[c.target], c.col, c.type, c.size ? &def : nullptr), c.answer)
            << "column " << c.col << ", type " << c.type << ", size " << c.size;
    }
    for (auto [col, size] : {std::pair{1, 32001}, {2, 1}, {3, 6}}) EXPECT_EQ(GetFldSize(grid, col), size) << col;
}

TEST_F(GridTest, ColumnDefinitionsAndLabelsComeBackThroughGetCell) {
    Shape(5, 4);
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 7);
    ASSERT_EQ(DimCols(grid, 2), 1);
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 2) << "row header and filler only";
    FieldDef in = ColumnField("Amount", 80, 12);
    in.tag1 = 0x1FF;
    in.tag2 = 2;
    in.tag3 = 3;
    ASSERT_EQ(DefineField(grid, 2, tabrix::FieldCombo, &in), 1);
    CreateCell(grid, 1, 2, "42");
    char label[256] = "junk";
    FieldDef out{};
    out.label = label;
    out.align = 77;
    EXPECT_STREQ(GetCell(grid, 0, 1, 2, &out), "42");
    EXPECT_STREQ(label, "Amount");
    EXPECT_EQ(GetColWidth(grid, 2), 80);
    // tag1 keeps its low byte; align is not reported, so the host's value stays.
    EXPECT_EQ(std::vector<int>({out.width, out.size, out.tag1, out.tag2, out.tag3, out.align}),
              std::vector<int>({80, 12, 0xFF, 2, 3, 77}));
    EXPECT_EQ(Header_GetItemCount(GetDlgItem(grid, tabrix::kHeaderId)), 3);

    EXPECT_EQ(ClearColLabels(grid), 1);
    GetCell(grid, 0, 1, 2, &out);
    EXPECT_STREQ(label, "");
    for (int index : {0, 502, -7}) EXPECT_EQ(InsertColLabel(grid, 40, "x", index, 0), -2) << index;
    EXPECT_EQ(InsertColLabel(grid, 40, nullptr, 1, 0), -2);
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
