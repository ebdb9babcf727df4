// The ODBC wrappers and query loading as a host calls them through Wine's
// driver manager, against SQLite files and a PostgreSQL server the test run
// starts itself (tests/postgres-env.sh, which fails the run in CI without one).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <sqlext.h>

#include "odbc/odbc_calls.h"
#include "odbc/result_block.h"
#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

namespace {
// The fixture's files: the connection string, or why there is no server.
std::string TestEnvLine(const char* name) {
    std::ifstream file("Z:" + testing_host::DatabasePath(name));
    std::string line;
    std::getline(file, line);
    return line;
}

struct ColumnShape { int col, width, size, align, locked, type; };

// 2,500 rows in items: three fetch blocks, NULLs in every block, and row
// 2,500's note longer than any field.
struct Database {
    std::string connection;
    std::vector<std::string> create;
    std::vector<ColumnShape> shapes;
    std::string (*row)(int);  // a row's cells joined by "|"
};

std::string N(int x) { return std::to_string(x); }

Database Sqlite() {
    return {testing_host::FreshSqliteFile("loader.db"),
            {"CREATE TABLE items(id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(20), flag CHAR(1), note TEXT)",
             "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2500) "
             "INSERT INTO items(name, flag, note) SELECT 'n' || x, x % 2, CASE WHEN x % 7 = 0 THEN NULL "
             "WHEN x = 2500 THEN replace(hex(zeroblob(20000)), '0', 'x') ELSE 'note' || x END FROM n"},
            // Auto-increment: narrow, right-aligned and locked; one character: a check box.
            {{1, 50, 11, 1, 1, 0}, {2, 150, 21, 0, 0, 0}, {3, 150, 2, 0, 0, 1}, {4, 150, 32000, 0, 0, 0}},
            [](int x) {
                return N(x) + "|n" + N(x) + "|" + N(x % 2) + "|" +
                       (x == 2500 ? std::string(31999, 'x') : x % 7 ? "note" + N(x) : "");
            }};
}

// What this driver reports: a serial column auto-increments; only money has
// a fixed precision and scale (right-aligned), numeric has not; booleans are
// five-character text, so only char(1) is a check box; text is 8,190 wide.
Database Postgres() {
    return {TestEnvLine("postgres.conn"),
            {"DROP TABLE IF EXISTS items; CREATE TABLE items(id serial PRIMARY KEY, name varchar(20), "
            "price numeric(10,2), flag char(1), done boolean, note text, fee money); "
            "INSERT INTO items(name, price, flag, done, note, fee) SELECT 'n' || x, "
            "CASE WHEN x % 5 = 0 THEN NULL ELSE x * 1.25 END, x % 2, x % 3 = 0, CASE WHEN x % 7 = 0 THEN NULL "
            "WHEN x = 2500 THEN repeat('x', 40000) ELSE 'note' || x END, x % 4 * 0.25 FROM generate_series(1, 2500) x"},
            {{1, 50, 12, 1, 1, 0}, {2, 150, 21, 0, 0, 0}, {3, 150, 13, 0, 0, 0}, {4, 150, 2, 0, 0, 1},
             {5, 150, 6, 0, 0, 0}, {6, 150, 8191, 0, 0, 0}, {7, 150, 16, 1, 0, 0}},
            [](int x) {
                const std::string price = x % 5 ? N(x * 125 / 100) + "." + N(x * 125 % 100 + 100).substr(1) : "";
                const std::string note = x == 2500 ? std::string(8190, 'x') : x % 7 ? "note" + N(x) : "";
                return N(x) + "|n" + N(x) + "|" + price + "|" + N(x % 2) + "|" + (x % 3 ? "0|" : "1|") + note +
                       "|$0." + N(x % 4 * 25 + 100).substr(1);
            }};
}

const char* kSelect = "SELECT * FROM items ORDER BY id";
}  // namespace

class LoaderTest : public GridTest {
protected:
    void Open(const Database& d) {
        if (d.connection.empty()) GTEST_SKIP() << "no PostgreSQL server: " << TestEnvLine("postgres.skip");
        db = std::make_unique<testing_host::Connection>(d.connection);
        for (const std::string& sql : d.create) ASSERT_NO_FATAL_FAILURE(db->Run(sql));
    }
    ODBCHANDLE Load(const char* sql, int define) { return odbcLoadRecordsetSQL(grid, db->dbc, sql, define); }

    void LoadAndRefresh(const Database& d) {
        ASSERT_NO_FATAL_FAILURE(Open(d));
        const ODBCHANDLE stmt = Load(kSelect, 1);
        ASSERT_NE(stmt, -1) << odbcGetErrMsg();
        EXPECT_EQ(GetRowCount(grid), 2500);
        for (int row : {1, 5, 7, 999, 1000, 1001, 1400, 2000, 2001, 2499, 2500}) {
            std::string line = Cell(row, 1);
            for (size_t col = 2; col <= d.shapes.size(); ++col) line += "|" + Cell(row, static_cast<int>(col));
            EXPECT_EQ(line, d.row(row)) << "NULLs load empty, long text is cut to the field; row " << row;
        }
        // Width and field size are what a host reads; alignment, lock and
        // type no export shows. Every new column wraps (4).
        for (const ColumnShape& c : d.shapes) {
            const GridArrays* a = arrays();
            EXPECT_EQ(std::vector<int>({GetColWidth(grid, c.col), GetFldSize(grid, c.col), a->colAlign[c.col],
                                        a->colLocked[c.col], a->colType[c.col], a->colMultiline[c.col]}),
                      std::vector<int>({c.width, c.size, c.align, c.locked, c.type, 4})) << c.col;
        }
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
        // PostgreSQL's driver leaves the buffer of a NULL as it was; hosts reuse theirs.
        const ODBCHANDLE notes = odbcSQLExec(db->dbc, "SELECT note FROM items WHERE id IN (6, 7) ORDER BY id");
        char buffer[] = "                    ";
        for (const char* note : {"note6", ""}) {  // not the previous row's text
            ASSERT_EQ(odbcFetchRecord(notes), 0);
            EXPECT_EQ(odbcGetData(notes, 1, buffer), 0);
            EXPECT_STREQ(buffer, note);
        }
        EXPECT_EQ(odbcFreeStmt(notes), 0);

        // Refreshing columns the host defined keeps their record and header.
        Shape(static_cast<int>(d.shapes.size()), 30, 77);
        ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0) << odbcGetErrMsg();
        const int width = arrays()->recordWidth;
        HWND header = GetWindow(grid, GW_CHILD);
        const int items = Header_GetItemCount(header);
        db->Run("UPDATE items SET name = 'renamed' WHERE id = 1500");
        for (int reload = 0; reload < 2; ++reload) ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0) << odbcGetErrMsg();
        EXPECT_EQ(arrays()->recordWidth, width) << "each refresh must not add a record's width";
        EXPECT_EQ(Header_GetItemCount(header), items);
        EXPECT_EQ(GetColWidth(grid, 1), 77) << "the host's width stays";
        EXPECT_EQ(GetFldSize(grid, 2), 21) << "the query sizes the field";
        EXPECT_EQ(Heading(2), "name") << "the query names the column";
        EXPECT_EQ(Cell(1500, 2), "renamed");

        EXPECT_EQ(Load("SELECT id, name FROM items", 0), -1);
        EXPECT_EQ(odbcGetErrCode(), -500);
        EXPECT_STREQ(odbcGetErrMsg(), "Tabrix Usage ERROR: The column count returned by the SQL query does not match "
                                      "your pre-defined column count.");
        EXPECT_EQ(GetRowCount(grid), 2500) << "the grid is left as it was";
    }

    std::unique_ptr<testing_host::Connection> db;
};

// A 1,000-row block would be 16 GB. (Scripted loads see the slots of ordinary display sizes.)
TEST(ResultBlock, FiveHundredUnboundedColumnsTakeFewerRowsPerBlock) {
    tabrix::BlockLayout layout;
    ASSERT_TRUE(tabrix::LayOutBlock(std::vector<int64_t>(500, INT32_MAX), &layout));
    EXPECT_LE(static_cast<int64_t>(layout.rowSize) * layout.rowsPerBlock, int64_t{64} << 20);
    EXPECT_GE(layout.rowsPerBlock, 1);
}

using SqliteLoad = LoaderTest;
using PostgresLoad = LoaderTest;

// The drivers here take a text with or without the semicolon, and with two,
// alike, so the text sent is read where it is made; the empty text reaches
// the driver as ";" (an empty one the driver manager would refuse).
TEST(StatementText, EndsInExactlyOneAddedSemicolon) {
    const struct { const char* sql; const char* sent; } cases[] = {
        {"SELECT 1", "SELECT 1;"}, {"SELECT 1;", "SELECT 1;"}, {"", ";"}, {"SELECT ';' ", "SELECT ';' ;"}};
    for (const auto& c : cases) EXPECT_EQ(tabrix::StatementText(c.sql), c.sent) << c.sql;
}

TEST_F(SqliteLoad, LoadsEveryBlockThenRefreshesPredefinedColumns) { LoadAndRefresh(Sqlite()); }

// Statements that fail, or give no rows or no columns, are in the
// reference's answers.
TEST_F(SqliteLoad, ResultsWithTooManyColumnsAreRefused) {
    ASSERT_NO_FATAL_FAILURE(Open(Sqlite()));
    std::string wide = "SELECT 1 AS c1";
    for (int col = 2; col <= 501; ++col) wide += ", 1 AS c" + std::to_string(col);
    EXPECT_EQ(Load(wide.c_str(), 1), -1);
    EXPECT_EQ(odbcGetErrCode(), -501);
    EXPECT_STREQ(odbcGetErrMsg(), "USAGE_ERROR_TOO_MANY_COLUMNS: more than 500 result columns");
    EXPECT_EQ(GetColCount(grid), 1) << "the grid keeps the last shape it was given";
}

TEST_F(SqliteLoad, RunningOutOfMemoryKeepsTheRowsLoaded) {
    ASSERT_NO_FATAL_FAILURE(Open(Sqlite()));
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

TEST_F(SqliteLoad, AnOpenEditorIsCommittedFirstAndTheLoadForgetsTheEdits) {
    ASSERT_NO_FATAL_FAILURE(Open(Sqlite()));
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
}

// Rows a fetch writes over lose what the user did to the old ones: their
// states, the deleted rows kept for undeletion, and the question about
// leaving the edited row.
TEST_F(SqliteLoad, FetchRecordsForgetsTheEditsOfTheRowsItWritesOver) {
    ASSERT_NO_FATAL_FAILURE(Open(Sqlite()));
    Table(2, 5);
    ASSERT_EQ(SetUndoBuffer(grid), 1);
    state()->selectedRow = 4;
    ASSERT_EQ(DeleteGridRow(grid), 1);
    testing_host::PumpMessages();
    ASSERT_EQ(CanUndeleteRow(grid), 1);
    ASSERT_EQ(GotoCell(grid, 2, 1), 1);
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    ASSERT_TRUE(SetWindowTextA(FindWindowExA(grid, nullptr, "EDIT", nullptr), "typed"));
    ASSERT_EQ(FinishEditing(grid), 1);
    ASSERT_EQ(RowModified(grid, 2), 1);
    const ODBCHANDLE stmt = odbcSQLExec(db->dbc, "SELECT name, note FROM items WHERE id <= 6 ORDER BY id");
    EXPECT_EQ(FetchRecords(grid, 0, stmt, 2), 0);
    odbcFreeStmt(stmt);
    EXPECT_EQ(RowModified(grid, 2), 0);
    EXPECT_EQ(RowModified(grid, 4), 0);
    EXPECT_EQ(CanUndeleteRow(grid), 0);
    host.Clear();
    EXPECT_EQ(GridFind(grid, "n5", 0, 0, 0), 1);
    EXPECT_TRUE(host.MessagesOf(GN_ROWCHANGING).empty()) << "asked about leaving a row that is gone";
    EXPECT_EQ(GetCurrentRow(grid), 5);
}

TEST_F(PostgresLoad, LoadsEveryBlockThenRefreshesPredefinedColumns) { LoadAndRefresh(Postgres()); }

// Stops the server for the rest of the run, so it comes last in this program.
TEST_F(PostgresLoad, ServerStoppedMidLoadFailsWithTheDriversMessageAndKeepsTheRowsCopied) {
    ASSERT_NO_FATAL_FAILURE(Open(Postgres()));
    // Row 2,001 has the server stop itself (a fast shutdown of the postmaster,
    // whose process id its working directory keeps; the shutdown may end the
    // shell first, failing the COPY) and sleeps until the shutdown ends it.
    // The driver fetches through a cursor 1,000 rows at a time, as the grid
    // asks for them: exactly two blocks reached the grid.
    db->Run("CREATE OR REPLACE FUNCTION stop_server() RETURNS boolean AS $$ BEGIN BEGIN "
            "COPY (SELECT 1) TO PROGRAM 'kill -INT $(head -n 1 postmaster.pid)'; "
            "EXCEPTION WHEN OTHERS THEN NULL; END; PERFORM pg_sleep(60); RETURN true; END $$ LANGUAGE plpgsql");
    testing_host::Connection loader(TestEnvLine("postgres.conn") + "UseDeclareFetch=1;Fetch=1000;");
    loader.closes = db->closes = false;
    const char* query = "SELECT g, 'row' || g AS name FROM generate_series(1, 300000) g "
                        "WHERE CASE WHEN g = 2001 THEN stop_server() ELSE true END";
    EXPECT_EQ(odbcLoadRecordsetSQL(grid, loader.dbc, query, 1), -1);
    EXPECT_NE(std::string(odbcGetErrMsg()).find("terminating connection due to administrator command"),
              std::string::npos) << odbcGetErrMsg();
    EXPECT_EQ(GetRowCount(grid), 2000);
    for (int row : {1, 1001, 2000}) EXPECT_EQ(Cell(row, 2), "row" + std::to_string(row));
}
