// Every export that takes a grid refuses windows that are not grids.
#include "tests/support/grid_fixture.h"

namespace {
void ExpectEveryExportRefuses(HWND bad) {
    FieldDef def{};
    def.size = 5;
    GridAttr attr{};
    EXPECT_EQ(FreeGrid(bad), -3);
    EXPECT_EQ(DimCols(bad, 2), -3);
    EXPECT_EQ(DefineField(bad, 1, 0, &def), -3);
    EXPECT_EQ(InsertColLabel(bad, 10, "x", 1, 0), -3);
    EXPECT_EQ(ClearColLabels(bad), -3);
    EXPECT_EQ(LockField(bad, 1, 1), -3);
    EXPECT_EQ(GetColCount(bad), -3);
    EXPECT_EQ(GetColWidth(bad, 1), -3);
    EXPECT_EQ(GetFldSize(bad, 1), -3);
    EXPECT_EQ(DimRows(bad, 5), -3);
    EXPECT_EQ(RedimPreserveRows(bad, 5), -3);
    EXPECT_EQ(CreateCell(bad, 1, 1, "x"), -3);
    EXPECT_EQ(SetCellText(bad, 1, 1, "x"), -3);
    EXPECT_STREQ(GetCell(bad, 0, 1, 1, &def), "DB_ERROR");
    EXPECT_EQ(GetRowCount(bad), -3);
    EXPECT_EQ(ClearCells(bad), -3);
    EXPECT_EQ(ClearGrid(bad), -3);
    EXPECT_EQ(SetGridAttr(bad, &attr), -3);
    EXPECT_EQ(ShowLineNumbers(bad, 1), -3);
    EXPECT_EQ(SetRowHeight(bad, 30), -3);
    EXPECT_EQ(GetRowHeight(bad), -3);
    EXPECT_EQ(SetUndoBuffer(bad), -3);
}
}  // namespace

TEST_F(GridTest, ExportsRefuseANullHandle) { ExpectEveryExportRefuses(nullptr); }

TEST_F(GridTest, ExportsRefuseAWindowOfAnotherClass) {
    ExpectEveryExportRefuses(host.hwnd());
    ExpectEveryExportRefuses(state()->hwndHeader);
}

TEST_F(GridTest, ExportsRefuseADestroyedGrid) {
    HWND gone = CreateGrid(host.hwnd(), host.instance(), 0, 3, 0, 0, 100, 100);
    DestroyWindow(gone);
    ExpectEveryExportRefuses(gone);
}

TEST_F(GridTest, RefusedCallsLeaveOtherGridsAlone) {
    Shape(2, 4);
    CreateCell(grid, 1, 1, "mine");
    ExpectEveryExportRefuses(host.hwnd());
    EXPECT_EQ(GetColCount(grid), 2);
    EXPECT_EQ(Cell(1, 1), "mine");
}
