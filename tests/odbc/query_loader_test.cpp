// Filling grids from query results, against SQLite files the tests make.
#include <string>

#include <windows.h>
#include <sqlext.h>

#include "grid/grid_access.h"
#include "odbc/result_block.h"
#include "tests/odbc/column_shapes.h"
#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

namespace {
// 2,500 rows: three fetch blocks. Every seventh note is NULL, in every
// block; the last row's note is longer than any field.
const char* kFill =
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2500) "
    "INSERT INTO items(name, flag, note) SELECT 'n' || x, x % 2, CASE WHEN x % 7 = 0 THEN NULL "
    "WHEN x = 2500 THEN replace(hex(zeroblob(20000)), '0', 'x') ELSE 'note' || x END FROM n";
const char* kSelect = "SELECT id, name, flag, note FROM items ORDER BY id";
}  // namespace

class LoaderTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        db.Run("CREATE TABLE items(id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(20), flag CHAR(1), note TEXT)");
        db.Run(kFill);
    }
    ODBCHANDLE Load(const char* sql, int define) { return odbcLoadRecordsetSQL(grid, db.dbc, sql, define); }
    testing_host::SqliteDatabase db{"loader.db"};
};

TEST_F(LoaderTest, LoadsEveryBlockIntoColumnsShapedFromTheResult) {
    const ODBCHANDLE stmt = Load(kSelect, 1);
    ASSERT_NE(stmt, -1) << odbcGetErrMsg();
    EXPECT_EQ(GetRowCount(grid), 2500);
    for (int row : {1, 999, 1000, 1001, 2000, 2001, 2499}) {
        EXPECT_EQ(Cell(row, 2), "n" + std::to_string(row)) << row;
        EXPECT_EQ(Cell(row, 4), row % 7 ? "note" + std::to_string(row) : "") << "NULL loads empty, row " << row;
    }
    EXPECT_EQ(Cell(2500, 4), std::string(31999, 'x')) << "cut to the largest field";
    EXPECT_EQ(Cell(2501, 2), "") << "the new-record row follows";
    // An auto-increment column is narrow, right-aligned and locked; a
    // one-character column is a check box; every column wraps.
    testing_host::ExpectColumnShapes(grid, arrays(),
                                     {{1, 50, 11, 1, 1, 0}, {2, 150, 21, 0, 0, 0}, {3, 150, 2, 0, 0, 1}, {4, 150, 32000, 0, 0, 0}});
    EXPECT_EQ(odbcFreeStmt(stmt), 0);

    // A statement the driver refuses to prepare leaves the loaded rows.
    EXPECT_EQ(Load("SELECT name FROM no_such_table", 1), -1);
    EXPECT_NE(std::string(odbcGetErrMsg()).find("no such table"), std::string::npos) << odbcGetErrMsg();
    EXPECT_EQ(GetRowCount(grid), 2500);
    EXPECT_EQ(Cell(999, 2), "n999");
}

TEST_F(LoaderTest, RefreshingPredefinedColumnsKeepsTheirRecordAndHeader) {
    Shape(4, 30, 77);
    ASSERT_NE(odbcFreeStmt(Load(kSelect, 0)), -1);
    const int width = arrays()->recordWidth;
    HWND header = GetWindow(grid, GW_CHILD);
    const int items = Header_GetItemCount(header);
    for (int reload = 0; reload < 3; ++reload) ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0) << odbcGetErrMsg();
    EXPECT_EQ(arrays()->recordWidth, width) << "each refresh must not add a record's width";
    EXPECT_EQ(Header_GetItemCount(header), items);
    EXPECT_EQ(GetColWidth(grid, 2), 77) << "the host's width stays";
    EXPECT_EQ(Heading(2), "name") << "the query names the column";
    EXPECT_EQ(GetRowCount(grid), 2500);

    EXPECT_EQ(Load("SELECT id, name FROM items", 0), -1);
    EXPECT_EQ(odbcGetErrCode(), -500);
    EXPECT_STREQ(odbcGetErrMsg(), "Tabrix Usage ERROR: The column count returned by the SQL query does not match your "
                                  "pre-defined column count.");
    EXPECT_EQ(GetRowCount(grid), 2500) << "the grid is left as it was";
}

TEST_F(LoaderTest, ResultsWithoutRowsColumnsOrRoom) {
    ODBCHANDLE stmt = Load("SELECT id, name FROM items WHERE id < 0", 1);
    EXPECT_NE(stmt, -1);
    EXPECT_EQ(GetRowCount(grid), 0);
    odbcFreeStmt(stmt);
    // A statement without columns is prepared, not run.
    stmt = Load("UPDATE items SET name = 'changed'", 1);
    EXPECT_NE(stmt, -1);
    odbcFreeStmt(stmt);
    EXPECT_EQ(GetRowCount(grid), 0);
    ASSERT_EQ(odbcFreeStmt(Load("SELECT name FROM items WHERE name = 'changed'", 1)), 0);
    EXPECT_EQ(GetRowCount(grid), 0) << "the update never ran";

    // An error while the statement runs leaves an empty grid that works.
    EXPECT_EQ(Load("SELECT abs(-9223372036854775808) AS overflow FROM items", 1), -1);
    EXPECT_NE(std::string(odbcGetErrMsg()), "");
    EXPECT_EQ(GetRowCount(grid), 0);
    EXPECT_EQ(GotoCell(grid, 1, 1), 1) << "the new-record row is there";

    std::string wide = "SELECT 1 AS c1";
    for (int col = 2; col <= 501; ++col) wide += ", 1 AS c" + std::to_string(col);
    EXPECT_EQ(Load(wide.c_str(), 1), -1);
    EXPECT_EQ(odbcGetErrCode(), -501);
    EXPECT_STREQ(odbcGetErrMsg(), "USAGE_ERROR_TOO_MANY_COLUMNS: more than 500 result columns");
    EXPECT_EQ(GetColCount(grid), 1) << "the grid keeps the last shape it was given";
}

TEST_F(LoaderTest, RunningOutOfMemoryKeepsTheRowsLoaded) {
    Shape(4, 30);
    // The first two blocks find room; the third block's growth fails.
    tabrix::FailAllocationsAfter(6);
    EXPECT_EQ(Load(kSelect, 0), -1);
    tabrix::FailAllocationsAfter(-1);
    EXPECT_EQ(odbcGetErrCode(), -503);
    EXPECT_STREQ(odbcGetErrMsg(), "USAGE_ERROR_OUT_OF_MEMORY");
    EXPECT_EQ(GetRowCount(grid), 2000);
    EXPECT_EQ(Cell(2000, 2), "n2000");
}

TEST_F(LoaderTest, FetchesCalledDirectlyCheckTheGridAndItsColumns) {
    ODBCHANDLE stmt = -1;
    ASSERT_EQ(odbcAllocStmt(db.dbc, &stmt), 0);
    EXPECT_EQ(FetchRecords_EX(host.hwnd(), db.dbc, stmt, 4, kSelect), -3);
    EXPECT_EQ(FetchRecords(nullptr, 0, stmt, 4), -3);
    // Two columns defined, four in the result: two are copied.
    Shape(2, 10);
    EXPECT_EQ(FetchRecords_EX(grid, db.dbc, stmt, 4, kSelect), 0);
    EXPECT_EQ(GetRowCount(grid), 2500);
    EXPECT_EQ(Cell(5, 2), "n5");
    odbcFreeStmt(stmt);

    // Row by row, into the columns the host defined, over what is there.
    stmt = odbcSQLExec(db.dbc, "SELECT name, note FROM items WHERE id > 2496 ORDER BY id");
    EXPECT_EQ(FetchRecords(grid, 0, stmt, 2), 0);
    EXPECT_EQ(Cell(1, 1) + Cell(2, 2) + Cell(4, 1), "n2497note2498n2500");
    odbcFreeStmt(stmt);
    stmt = odbcSQLExec(db.dbc, "SELECT name, note FROM items WHERE id < 0");
    EXPECT_EQ(FetchRecords(grid, 0, stmt, 2), 0) << "an empty result still answers 0";
    EXPECT_EQ(Cell(1, 1), "") << "and writes row 1 empty";
    odbcFreeStmt(stmt);
}

TEST_F(LoaderTest, InitColumnSetsDisplayOnly) {
    Shape(2, 10);
    FieldDef def = testing_host::ColumnField("ignored", 99, 5);
    EXPECT_EQ(odbcInitColumn(grid, 1, 3, &def), -2);
    EXPECT_EQ(odbcInitColumn(host.hwnd(), 1, 0, &def), -3);
    EXPECT_EQ(odbcInitColumn(grid, 4, 0, &def), 0);
    EXPECT_EQ(odbcInitColumn(grid, 1, 0, &def), 1);
    EXPECT_EQ(GetColWidth(grid, 1), 99);
    EXPECT_EQ(GetFldSize(grid, 1), 11) << "the field keeps its size";
}

TEST_F(LoaderTest, AnOpenEditorIsCommittedFirstAndTheLoadForgetsTheEdits) {
    Shape(4, 30);
    ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0);
    UpdateWindow(grid);
    ASSERT_EQ(GotoCell(grid, 1, 2), 1);
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    HWND editor = FindWindowExA(grid, nullptr, "EDIT", nullptr);
    ASSERT_NE(editor, nullptr);
    SetWindowTextA(editor, "typed");
    host.Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    EXPECT_EQ(Load(kSelect, 0), -1) << "the host kept the editor open";
    EXPECT_EQ(Cell(1, 2), "n1");
    host.Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    ASSERT_EQ(FinishEditing(grid), 1);
    EXPECT_EQ(RowModified(grid, 1), 1);
    ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0);
    EXPECT_EQ(Cell(1, 2), "n1") << "the load replaced the edited row";
    EXPECT_EQ(RowModified(grid, 1), 0);
    EXPECT_EQ(GetCurrentRow(grid), 1);
}

TEST(ResultBlock, SlotsAndBlocksStayWithinTheirLimits) {
    // Display sizes a driver may report: unbounded text, no total, nothing.
    const struct { int64_t display; int32_t slot; } slots[] = {
        {1, 2}, {20, 21}, {31999, 32000}, {32000, 32000}, {INT32_MAX, 32000}, {SQL_NO_TOTAL, 32000}, {0, 32000}};
    for (const auto& c : slots) EXPECT_EQ(tabrix::SlotLengthForDisplaySize(c.display), c.slot) << c.display;
    tabrix::BlockLayout layout;
    ASSERT_TRUE(tabrix::LayOutBlock({10, 0}, &layout));
    EXPECT_EQ(layout.columns[1].offset, 11 + sizeof(SQLLEN)) << "each slot is followed by its SQLLEN indicator";
    EXPECT_EQ(layout.rowsPerBlock, 1000);
    // 500 unbounded columns: a 1,000-row block would be 16 GB.
    ASSERT_TRUE(tabrix::LayOutBlock(std::vector<int64_t>(500, INT32_MAX), &layout));
    EXPECT_LE(static_cast<int64_t>(layout.rowSize) * layout.rowsPerBlock, int64_t{64} << 20);
    EXPECT_GE(layout.rowsPerBlock, 1);
}
