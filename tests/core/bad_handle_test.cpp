// Every export that takes a grid handle, given windows that are not grids:
// hosts pass stale and foreign handles, and each must answer without a crash.
#include <string>

#include "tests/support/grid_fixture.h"

namespace {
std::string Answer(intptr_t answer) { return std::to_string(answer); }
std::string Answer(const char* answer) { return answer; }
FieldDef def = testing_host::ColumnField("x", 50, 5);
GridAttr attr{};

struct Export {
    const char* call;
    std::string (*run)(HWND);
    const char* answer = "-3";
};
#define EXPORT(call, ...) Export{#call, [](HWND h) { return Answer(call); }, ##__VA_ARGS__}
const Export kExports[] = {
    EXPORT(FreeGrid(h)), EXPORT(DimCols(h, 2)), EXPORT(DefineField(h, 1, 0, &def)), EXPORT(ClearColLabels(h)),
    EXPORT(InsertColLabel(h, 10, "x", 1, 0)), EXPORT(LockField(h, 1, 1)), EXPORT(GetColCount(h)),
    EXPORT(GetColWidth(h, 1)), EXPORT(GetFldSize(h, 1)), EXPORT(DimRows(h, 5)), EXPORT(RedimPreserveRows(h, 5)),
    EXPORT(CreateCell(h, 1, 1, "x")), EXPORT(SetCellText(h, 1, 1, "x")), EXPORT(GetCell(h, 0, 1, 1, &def), "DB_ERROR"),
    EXPORT(GetRowCount(h)), EXPORT(ClearCells(h)), EXPORT(ClearGrid(h)), EXPORT(SetGridAttr(h, &attr)),
    EXPORT(SetGridAttr(h, nullptr)), EXPORT(ShowLineNumbers(h, 1)), EXPORT(SetRowHeight(h, 30)),
    EXPORT(GetRowHeight(h)), EXPORT(SetUndoBuffer(h)), EXPORT(GotoCell(h, 1, 1)), EXPORT(ViewGrid(h, 0)),
    EXPORT(ViewGrid(h, 1)), EXPORT(GetFirstVisRow(h)), EXPORT(GetFirstVisCol(h)), EXPORT(GetCurrentRow(h)),
    EXPORT(GetCurrentCol(h)), EXPORT(GetRecordRAF(h, 1), "DB_ERR"), EXPORT(PutRecordRAF(h, 1, "abc")),
    EXPORT(LoadRecordsetRAF(h, "abc")), EXPORT(GetRecordDelimited(h, 1, 0, ",", 0), "DB_ERR"),
    EXPORT(PutRecordDelimited(h, 1, "a,b", "\r\n", ",")), EXPORT(LoadRecordsetDelimited(h, "a,b", "\r\n", ",")),
};
}  // namespace

TEST_F(GridTest, EveryExportRefusesWindowsThatAreNotGrids) {
    Shape(2, 4);
    ASSERT_EQ(CreateCell(grid, 1, 1, "mine"), 1);
    HWND gone = CreateGrid(host.hwnd(), host.instance(), 0, 3, 0, 0, 100, 100);
    DestroyWindow(gone);
    for (HWND bad : {HWND{}, host.hwnd(), GetWindow(grid, GW_CHILD), gone}) {
        for (const Export& e : kExports) EXPECT_EQ(e.run(bad), e.answer) << e.call << " with " << bad;
    }
    EXPECT_EQ(GetColCount(grid), 2) << "refused calls leave the real grid alone";
    EXPECT_EQ(Cell(1, 1), "mine");
}
