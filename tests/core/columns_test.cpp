#include <string>

#include "tests/support/grid_fixture.h"

using testing_host::ColumnField;

namespace {
std::string HeaderText(HWND header, int index) {
    char text[300] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    Header_GetItem(header, index, &item);
    return text;
}
std::string Label(HWND grid, int col) {
    char label[256] = "junk";
    FieldDef def{};
    def.label = label;
    GetCell(grid, 0, 1, col, &def);
    return label;
}
}  // namespace

TEST_F(GridTest, DimColsTakesOneToFiveHundredColumnsOfOnlyTheEmptyText) {
    EXPECT_EQ(DimCols(grid, 0), -4);
    EXPECT_EQ(DimCols(grid, 501), -4);
    EXPECT_EQ(GetColCount(grid), 1) << "a refused count changes nothing";
    EXPECT_EQ(DimCols(grid, 500), 1);
    EXPECT_EQ(GetColCount(grid), 500);
    EXPECT_EQ(GetFldSize(grid, 3), 1);
    EXPECT_EQ(GetFldSize(grid, 501), 1) << "the filler column has a slot too";
    EXPECT_EQ(GetColWidth(grid, 0), 35);
    EXPECT_EQ(state()->undoEnabled, 0) << "DimCols drops the undo buffers";
    EXPECT_EQ(CreateCell(grid, 1, 2, "a"), -2) << "the host must hear that nothing was stored";
    EXPECT_EQ(GetRowCount(grid), -1) << "a refused cell adds no row";
    EXPECT_EQ(CreateCell(grid, 1, 2, ""), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
}

TEST_F(GridTest, DefineFieldChecksItsArgumentsAndRefusalsChangeNothing) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    enum Target { kGrid, kHost, kNull };
    const struct {
        Target target;
        int col, type, size, answer;  // size 0: no FieldDef at all
    } cases[] = {
        {kGrid, 1, 0, 32000, 1},  {kGrid, 2, 0, 32001, -4}, {kGrid, 2, 0, -1, -1}, {kGrid, 2, 0, 0, -1},
        {kGrid, 2, 3, 5, -2},     {kHost, 2, 3, 5, -2},     {kNull, 2, -1, 5, -2}, {kHost, 2, 0, 5, -3},
        {kGrid, 3, 0, 5, 1},      {kGrid, 4, 0, 5, 0},      {kGrid, 0, 0, 5, 0},
    };
    for (const auto& c : cases) {
        const HWND target[] = {grid, host.hwnd(), nullptr};
        FieldDef def = ColumnField("", 50, c.size);
        EXPECT_EQ(DefineField(target[c.target], c.col, c.type, c.size ? &def : nullptr), c.answer)
            << "column " << c.col << ", type " << c.type << ", size " << c.size;
    }
    EXPECT_EQ(GetFldSize(grid, 1), 32001);
    EXPECT_EQ(GetFldSize(grid, 2), 1) << "refused definitions leave the column as it was";
    EXPECT_EQ(GetFldSize(grid, 3), 6) << "the filler column may be defined";
}

TEST_F(GridTest, GetCellModeZeroGivesBackTheDefinition) {
    ASSERT_EQ(DimCols(grid, 2), 1);
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
    EXPECT_EQ(out.width, 80);
    EXPECT_EQ(out.size, 12);
    EXPECT_EQ(out.tag1, 0xFF) << "only the low byte is kept";
    EXPECT_EQ(out.tag2, 2);
    EXPECT_EQ(out.tag3, 3);
    EXPECT_EQ(out.align, 77) << "fields GetCell does not report are left alone";
    EXPECT_EQ(arrays()->fieldTable[2].offset, 4) << "a defined field starts at the end of the one-byte slots";
}

TEST_F(GridTest, HeaderItemsFollowTheColumnsAndLabels) {
    Shape(5, 4);
    HWND header = state()->hwndHeader;
    EXPECT_EQ(Header_GetItemCount(header), 7);
    ASSERT_EQ(DimCols(grid, 2), 1);
    EXPECT_EQ(Header_GetItemCount(header), 2) << "row header and filler only";
    for (int col : {1, 2}) {
        FieldDef def = ColumnField(col == 1 ? "First" : "Second", 50, 4);
        DefineField(grid, col, 0, &def);
    }
    EXPECT_EQ(Header_GetItemCount(header), 4);
    EXPECT_EQ(HeaderText(header, 1), "First");
    EXPECT_EQ(HeaderText(header, 2), "Second");
    EXPECT_EQ(ClearColLabels(grid), 1);
    EXPECT_EQ(HeaderText(header, 1), "");
    EXPECT_EQ(Label(grid, 2), "");

    for (int index : {0, 502, -7}) EXPECT_EQ(InsertColLabel(grid, 40, "x", index, 0), -2) << index;
    EXPECT_EQ(InsertColLabel(grid, 40, nullptr, 1, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, "last", 501, 0), 1);
    EXPECT_EQ(GetColWidth(grid, 501), 40);
    const std::string longLabel(300, 'L');
    EXPECT_EQ(InsertColLabel(grid, 40, longLabel.c_str(), 1, 0), 1);
    EXPECT_EQ(Label(grid, 1), longLabel.substr(0, 255));
}

TEST_F(GridTest, ColumnQueriesAndLocksOutsideTheTables) {
    Shape(2, 6);
    for (int col : {-1, 502}) EXPECT_EQ(GetColWidth(grid, col), 0) << col;
    const struct {
        int col, size, lock;
    } cases[] = {{-1, 0, -2}, {502, 0, -2}, {4, 0, -2}, {3, 1, 0}, {1, 7, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(GetFldSize(grid, c.col), c.size) << c.col;
        EXPECT_EQ(LockField(grid, c.col, 1), c.lock) << "LockField answers 0 on success; column " << c.col;
    }
}

TEST_F(GridTest, FieldDefinedOnAFreshGridKeepsItsRows) {
    // A new grid already stores rows 1 and 2 (and an undo snapshot) in a
    // one-column layout; widening the record must carry them over.
    FieldDef def = ColumnField("", 50, 20);
    ASSERT_EQ(DefineField(grid, 1, 0, &def), 1);
    EXPECT_EQ(CreateCell(grid, 1, 1, "twenty characters!!!"), 1);
    EXPECT_EQ(CreateCell(grid, 2, 1, "second"), 1);
    EXPECT_EQ(Cell(1, 1), "twenty characters!!!");
    EXPECT_EQ(Cell(2, 1), "second");
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(GetRowCount(grid), 2);
}
