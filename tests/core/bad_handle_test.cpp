// Every export that takes a grid handle, given windows that are not grids:
// hosts pass stale and foreign handles, and each must answer without a crash.
#include <string>

#include "tests/support/grid_fixture.h"

namespace {
std::string N(intptr_t answer) { return std::to_string(answer); }
FieldDef def = testing_host::ColumnField("x", 50, 5);
GridAttr attr{};

const struct Export {
    const char* name;
    std::string (*call)(HWND);
    const char* answer = "-3";
} kExports[] = {
    {"FreeGrid", [](HWND h) { return N(FreeGrid(h)); }},
    {"DimCols", [](HWND h) { return N(DimCols(h, 2)); }},
    {"DefineField", [](HWND h) { return N(DefineField(h, 1, 0, &def)); }},
    {"InsertColLabel", [](HWND h) { return N(InsertColLabel(h, 10, "x", 1, 0)); }},
    {"ClearColLabels", [](HWND h) { return N(ClearColLabels(h)); }},
    {"LockField", [](HWND h) { return N(LockField(h, 1, 1)); }},
    {"GetColCount", [](HWND h) { return N(GetColCount(h)); }},
    {"GetColWidth", [](HWND h) { return N(GetColWidth(h, 1)); }},
    {"GetFldSize", [](HWND h) { return N(GetFldSize(h, 1)); }},
    {"DimRows", [](HWND h) { return N(DimRows(h, 5)); }},
    {"RedimPreserveRows", [](HWND h) { return N(RedimPreserveRows(h, 5)); }},
    {"CreateCell", [](HWND h) { return N(CreateCell(h, 1, 1, "x")); }},
    {"SetCellText", [](HWND h) { return N(SetCellText(h, 1, 1, "x")); }},
    {"GetCell", [](HWND h) { return std::string(GetCell(h, 0, 1, 1, &def)); }, "DB_ERROR"},
    {"GetRowCount", [](HWND h) { return N(GetRowCount(h)); }},
    {"ClearCells", [](HWND h) { return N(ClearCells(h)); }},
    {"ClearGrid", [](HWND h) { return N(ClearGrid(h)); }},
    {"SetGridAttr", [](HWND h) { return N(SetGridAttr(h, &attr)); }},
    {"SetGridAttr null", [](HWND h) { return N(SetGridAttr(h, nullptr)); }},
    {"ShowLineNumbers", [](HWND h) { return N(ShowLineNumbers(h, 1)); }},
    {"SetRowHeight", [](HWND h) { return N(SetRowHeight(h, 30)); }},
    {"GetRowHeight", [](HWND h) { return N(GetRowHeight(h)); }},
    {"SetUndoBuffer", [](HWND h) { return N(SetUndoBuffer(h)); }},
    {"GotoCell", [](HWND h) { return N(GotoCell(h, 1, 1)); }},
    {"ViewGrid save", [](HWND h) { return N(ViewGrid(h, 0)); }},
    {"ViewGrid restore", [](HWND h) { return N(ViewGrid(h, 1)); }},
    {"GetFirstVisRow", [](HWND h) { return N(GetFirstVisRow(h)); }},
    {"GetFirstVisCol", [](HWND h) { return N(GetFirstVisCol(h)); }},
    {"GetCurrentRow", [](HWND h) { return N(GetCurrentRow(h)); }},
    {"GetCurrentCol", [](HWND h) { return N(GetCurrentCol(h)); }},
    {"GetRecordRAF", [](HWND h) { return std::string(GetRecordRAF(h, 1)); }, "DB_ERR"},
    {"PutRecordRAF", [](HWND h) { return N(PutRecordRAF(h, 1, "abc")); }},
    {"LoadRecordsetRAF", [](HWND h) { return N(LoadRecordsetRAF(h, "abc")); }},
    {"GetRecordDelimited", [](HWND h) { return std::string(GetRecordDelimited(h, 1, 0, ",", 0)); }, "DB_ERR"},
    {"PutRecordDelimited", [](HWND h) { return N(PutRecordDelimited(h, 1, "a,b", "\r\n", ",")); }},
    {"LoadRecordsetDelimited", [](HWND h) { return N(LoadRecordsetDelimited(h, "a,b", "\r\n", ",")); }},
};
}  // namespace

TEST_F(GridTest, EveryExportRefusesWindowsThatAreNotGrids) {
    Shape(2, 4);
    ASSERT_EQ(CreateCell(grid, 1, 1, "mine"), 1);
    HWND gone = CreateGrid(host.hwnd(), host.instance(), 0, 3, 0, 0, 100, 100);
    DestroyWindow(gone);
    const struct {
        const char* kind;
        HWND hwnd;
    } handles[] = {{"null", nullptr}, {"host", host.hwnd()}, {"grid's child", GetWindow(grid, GW_CHILD)},
                   {"destroyed grid", gone}};
    for (const auto& handle : handles) {
        for (const Export& e : kExports) EXPECT_EQ(e.call(handle.hwnd), e.answer) << e.name << ", " << handle.kind;
    }
    EXPECT_EQ(GetColCount(grid), 2) << "refused calls leave the real grid alone";
    EXPECT_EQ(Cell(1, 1), "mine");
}
