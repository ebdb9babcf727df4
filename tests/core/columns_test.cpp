#include <string>

#include "tests/support/grid_fixture.h"

using namespace tabrix;

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

FieldDef Def(int size, const char* label = "", int width = 50) {
    FieldDef def{};
    def.label = const_cast<char*>(label);
    def.width = width;
    def.size = size;
    return def;
}
}  // namespace

TEST_F(GridTest, DimColsAcceptsOneToFiveHundredColumns) {
    EXPECT_EQ(DimCols(grid, 0), -4);
    EXPECT_EQ(DimCols(grid, 501), -4);
    EXPECT_EQ(GetColCount(grid), 1) << "a refused count changes nothing";
    EXPECT_EQ(DimCols(grid, 500), 1);
    EXPECT_EQ(GetColCount(grid), 500);
    EXPECT_EQ(GetFldSize(grid, 501), 1) << "the filler column has a slot too";
    EXPECT_EQ(GetColWidth(grid, 0), 35);
}

TEST_F(GridTest, UndefinedColumnsHoldOnlyTheEmptyText) {
    ASSERT_EQ(DimCols(grid, 3), 1);
    for (int col = 1; col <= 3; ++col) EXPECT_EQ(GetFldSize(grid, col), 1);
    const int rowsBefore = GetRowCount(grid);
    EXPECT_EQ(CreateCell(grid, 1, 2, "a"), -2) << "the host must hear that nothing was stored";
    EXPECT_EQ(GetRowCount(grid), rowsBefore) << "a refused cell adds no row";
    EXPECT_EQ(CreateCell(grid, 1, 2, ""), 1);
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(state()->undoEnabled, 0) << "DimCols drops the undo buffers";
}

TEST_F(GridTest, DefineFieldChecksItsArguments) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def = Def(32000);
    EXPECT_EQ(DefineField(grid, 1, 0, &def), 1);
    EXPECT_EQ(GetFldSize(grid, 1), 32001);
    def.size = 32001;
    EXPECT_EQ(DefineField(grid, 2, 0, &def), -4);
    def.size = 0;
    EXPECT_EQ(DefineField(grid, 2, 0, &def), -1);
    def.size = 5;
    EXPECT_EQ(DefineField(grid, 2, 3, &def), -2);
    EXPECT_EQ(DefineField(host.hwnd(), 2, 3, &def), -2) << "the type is checked before the handle";
    EXPECT_EQ(DefineField(nullptr, 2, -1, &def), -2);
    EXPECT_EQ(DefineField(host.hwnd(), 2, 0, &def), -3);
    EXPECT_EQ(DefineField(grid, 3, 0, &def), 1) << "the filler column may be defined";
    EXPECT_EQ(DefineField(grid, 4, 0, &def), 0);
    EXPECT_EQ(DefineField(grid, 0, 0, &def), 0);
    EXPECT_EQ(DefineField(grid, 2, 0, nullptr), -1);
    EXPECT_EQ(GetFldSize(grid, 2), 1) << "refused definitions leave the column as it was";
}

TEST_F(GridTest, DefineFieldStoresTheColumnsSettings) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def = Def(10, "Name", 120);
    def.align = 1;
    def.tag1 = 0x1FF;
    def.tag2 = 7;
    def.tag3 = 9;
    def.textColor = 0;  // black cannot be chosen: it means none
    def.backColor = 0x00FF00;
    def.multiline = 1;
    def.locked = 1;
    def.fontFace = "Arial";
    def.fontSize = 12;
    def.fontWeight = 700;
    ASSERT_EQ(DefineField(grid, 2, FieldCombo, &def), 1);
    const GridArrays* a = arrays();
    EXPECT_EQ(GetColWidth(grid, 2), 120);
    EXPECT_EQ(a->colTag1[2], 0xFF) << "only the low byte is kept";
    EXPECT_EQ(a->colTextColor[2], -1);
    EXPECT_EQ(a->colBackColor[2], 0x00FF00);
    EXPECT_EQ(a->colMultiline[2], 4);
    EXPECT_EQ(a->colLocked[2], 1);
    EXPECT_EQ(a->colType[2], FieldCombo);
    EXPECT_EQ(a->colAlign[2], 1);
    EXPECT_STREQ(state()->colFontFace[2], "Arial");
    EXPECT_EQ(state()->colFontWeight[2], 700);
    EXPECT_EQ(a->fieldTable[2].offset, 4) << "a defined field starts at the end of the one-byte slots";
}

TEST_F(GridTest, HeaderItemsFollowTheColumns) {
    Shape(5, 4);
    HWND header = state()->hwndHeader;
    EXPECT_EQ(Header_GetItemCount(header), 7);
    ASSERT_EQ(DimCols(grid, 2), 1);
    EXPECT_EQ(Header_GetItemCount(header), 2) << "row header and filler only";
    EXPECT_EQ(std::string(state()->colLabel[1]), "");
    FieldDef first = Def(4, "First"), second = Def(4, "Second");
    DefineField(grid, 1, 0, &first);
    DefineField(grid, 2, 0, &second);
    EXPECT_EQ(Header_GetItemCount(header), 4);
    EXPECT_EQ(HeaderText(header, 1), "First");
    EXPECT_EQ(HeaderText(header, 2), "Second");
    EXPECT_EQ(ClearColLabels(grid), 1);
    EXPECT_EQ(HeaderText(header, 1), "");
    EXPECT_EQ(std::string(state()->colLabel[2]), "");
}

TEST_F(GridTest, LabelIndexesAndLengthsAreBounded) {
    EXPECT_EQ(InsertColLabel(grid, 40, "x", 0, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, "x", 502, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, "x", -7, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, nullptr, 1, 0), -2);
    EXPECT_EQ(InsertColLabel(grid, 40, "last", 501, 0), 1);
    EXPECT_EQ(GetColWidth(grid, 501), 40);

    const std::string longLabel(300, 'L');
    EXPECT_EQ(InsertColLabel(grid, 40, longLabel.c_str(), 1, 0), 1);
    char label[256];
    FieldDef def{};
    def.label = label;
    GetCell(grid, 0, 1, 1, &def);
    EXPECT_EQ(std::string(label), longLabel.substr(0, 255));
}

TEST_F(GridTest, ColumnQueriesOutsideTheTablesAnswerZero) {
    Shape(2, 6);
    EXPECT_EQ(GetColWidth(grid, -1), 0);
    EXPECT_EQ(GetColWidth(grid, 502), 0);
    EXPECT_EQ(GetFldSize(grid, -1), 0);
    EXPECT_EQ(GetFldSize(grid, 4), 0) << "columns 0 .. 3 have slots";
    EXPECT_EQ(GetFldSize(grid, 3), 1);
    EXPECT_EQ(GetFldSize(grid, 1), 7);
}

TEST_F(GridTest, LockFieldAnswersZeroOnSuccess) {
    Shape(2, 6);
    EXPECT_EQ(LockField(grid, 2, 1), 0);
    EXPECT_EQ(arrays()->colLocked[2], 1);
    EXPECT_EQ(LockField(grid, 4, 1), -2);
    EXPECT_EQ(LockField(grid, -1, 1), -2);
    EXPECT_EQ(LockField(host.hwnd(), 1, 1), -3);
}

TEST_F(GridTest, FieldDefinedOnAFreshGridKeepsItsRows) {
    // A new grid already stores rows 1 and 2 (and an undo snapshot) in a
    // one-column layout; widening the record must carry them over.
    FieldDef def = Def(20);
    ASSERT_EQ(DefineField(grid, 1, 0, &def), 1);
    EXPECT_EQ(CreateCell(grid, 1, 1, "twenty characters!!!"), 1);
    EXPECT_EQ(CreateCell(grid, 2, 1, "second"), 1);
    EXPECT_EQ(Cell(1, 1), "twenty characters!!!");
    EXPECT_EQ(Cell(2, 1), "second");
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(GetRowCount(grid), 2);
}
